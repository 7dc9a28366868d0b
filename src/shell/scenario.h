// The scenario state of a battle that the world model writes: the gate and fortification flags,
// and the numbered selection groups that a dead group leaves.
#pragma once

#include <cstdint>

extern int32_t EtatGrille;              // portcullis: 0 intact, -1 being opened, 1 destroyed
extern int32_t BrecheOuverte;           // a fortification piece is down
extern int32_t FortificationDetruite;
extern int32_t GrillePresente;          // the player may open and close the gate

// Removes a dead group from every numbered selection group. The numbered groups are not kept
// yet, so there is nothing to remove.
void GroupesSelection__Retirer(int groupe);
