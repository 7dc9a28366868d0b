// Corpses. For now the creation only counts what it is asked for; no corpse object is made yet.
#pragma once

#include <cstdint>

extern int32_t CadavresDemandes;   // corpses asked for since the start

// Leaves the corpse of destroyed object `objet`.
void Cadavre__Creation(int objet);
// The corpse's frame for ObjetCourant; corpses do not age yet.
void Minuterie__Gestion();
// Draws ObjetCourant (a corpse) at its cell from the view origin.
void CadavreAffichage();
