// Spawners (family GENERATEUR): a group brought forth every period until the count is spent; and
// damage over time (poison, burning), one byte of the object: hit points lost every other frame.
#pragma once

// Set-up of ObjetCourant, a spawner being born from its building's description (the object code 2
// at its offset gives the master): 10 groups to bring forth, period and countdown 50. A spawner
// whose code or master cannot be found brings forth nothing.
void Generateur__Naissance();
// The spawner's frame for ObjetCourant: a try every 51 frames, on a free square only.
void Generateur__Gestion();
// A group of one object of `maitre` for `armee` at the building's cell moved by (dx, dy).
void Generateur__CreationDecalee(int dx, int dy, int armee, int maitre, int direction, int batiment);

// Damage over time on ObjetCourant (on even frames of the 20-frame cycle, not once it is dying): 1
// when its hit points fell below 1 (they are then 0, and the poison ends).
int Objet__DegatsContinus();
// Cures the object (an immune one, 254, stays immune).
void Objet__DegatsContinusAnnule(int objet);
// Poisons the object with v, raised by the poison upgrade (10 % a level), at most 253.
void Objet__DegatsContinusFixe(int v, int objet);
