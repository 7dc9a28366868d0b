// The castle: its level, the faction's building catalogue and the placement of the buildings the
// player has built. For now the catalogue is empty and every castle building is placed.
#pragma once

#include <cstdint>

extern int32_t NiveauChateau;   // 1..3

// Reads the "[BATIMENTS]" block of a level for the castle's building placement.
void Batiments__chargerPlacement(const char* fichierNiveau);
// Non-zero when the castle building of master `maitre` stands at this castle level.
int Batiment__poserParId(int maitre, int niveauChateau);
// Reads the faction's building catalogue.
void Batiments__chargerCatalogue();

// The click on the castle building ObjetCourant: 1 when it was handled.
int ChateauBatimentSelection();

// Resets the castle upgrade screen for castle level `niveau`; non-zero when it has something to show.
int InterfaceUpgradeChateau__init(int niveau);
