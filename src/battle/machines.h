// Siege engines: the catapult (master 141) and the ballista (139), which aim, fire, move and fall
// to debris (158 and 160), and the debris, which wears away. Machines face 16 directions of
// 22.5 degrees, 0 up, 4 right, 8 down, 12 left; the first spell slot keeps the firing direction
// (the frame of the ballista's bow) and the second the direction held before the last turn.
#pragma once

// The frame of ObjetCourant.
void Catapulte___gestion();
void Baliste___gestion();
void Catapulte_debris___gestion();
void Baliste_debris___gestion();

// Draw ObjetCourant. A dead machine that is drawn starts dying again (order 3, animation 18).
void CatapulteAffichage();
void BalisteAffichage();
void Catapulte_debrisAffichage();
void Baliste_debrisAffichage();

// Turns ObjetCourant towards its next cell (and records it as the firing direction), or, while
// it fires, towards its target.
void Objet__DirectionMachine();
