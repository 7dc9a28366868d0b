// Spawners, corpses and damage over time. For now only the set-up of a spawner at its birth.
#pragma once

// Set-up of ObjetCourant, a spawner being born: 10 groups to bring forth, period and countdown
// 50. The master it brings forth comes from its building's description, not read yet (0).
void Generateur__Naissance();
// The spawner's frame for ObjetCourant; spawns nothing yet.
void Generateur__Gestion();
// Damage over time on ObjetCourant: 1 when its hit points fell below 1. None is dealt yet.
int Objet__DegatsContinus();
// Cures the object (an immune one, 254, stays immune).
void Objet__DegatsContinusAnnule(int objet);
// Poisons the object with v hit points every other frame, raised by the poison upgrade.
void Objet__DegatsContinusFixe(int v, int objet);
