// Corpses (family CADAVRE): what a destroyed unit leaves for 168 frames, fading, until it is
// removed or a raise-dead spell uses it.
#pragma once

// Leaves the corpse of destroyed object `objet` (master 308, army 4) and makes it ObjetCourant.
// Nothing is left when master 308 is not loaded or the tables are full.
void Cadavre__Creation(int objet);
// The corpse's frame for ObjetCourant: one frame less to live; removed at 0.
void Minuterie__Gestion();
// Draws ObjetCourant as a corpse, half faded (level 31 down to 10); riders with their mount.
void CadavreAffichage();
