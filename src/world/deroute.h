// Whole armies put to flight, routed groups running for the map edge, and their rally when a
// leader of a friendly army stands near.
#pragma once

#include <cstdint>

struct Groupe;

// The army that ArmeeEnFuite__Groupe acts on, -1 every army.
extern int32_t ArmeeEnFuiteFiltre;

// Puts every group of army a (0..4) to flight but the leaders' and the hero's.
void ArmeeEnFuite(int armee);
// The per-group step of ArmeeEnFuite.
void ArmeeEnFuite__Groupe(Groupe* groupe);
// The group stops fleeing and takes its formation again.
void Groupe__RemiseAZero(int groupe);
// The rallying leader at (x, y), or 0: never the unit's own cell, a cell off the map or empty.
int Univers__TestCaseVoisine(int objet, int inutilise, int x, int y);
// The first rallying leader in the three rings round the unit's cell, or 0.
int Univers__RechercheSpirale(int objet, int anneaux, int inutilise);
