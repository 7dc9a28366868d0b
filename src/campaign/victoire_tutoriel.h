// The tutorial's list of region victory conditions ("..\Scenarios\Tutoriel\tutoriel.txt"): a
// count, then one label a line, each label standing for a condition code. Nothing in the game
// reads it yet.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

constexpr int MAX_CONDITIONS_VICTOIRE = 32;

// Condition codes.
constexpr int REGION_AUCUNE_CONDITION_VICTOIRE = 0;
constexpr int REGION_VICTOIRE_ENNEMIS_TUES = 1;
constexpr int REGION_VICTOIRE_LIEU_UNIQUE_1_VISITE = 2;   // .. 13 for site 12
constexpr int REGION_VICTOIRE_TOUT_LIEU_UNIQUE_VISITE = 14;

struct ConditionsVictoireRegion {
    int32_t nb;
    int32_t codes[MAX_CONDITIONS_VICTOIRE];
};
extern ConditionsVictoireRegion ConditionsVictoireTutoriel;

// Reads a list. False with the fault's words (an unknown label among them); the list is then empty.
bool ConditionsVictoire__Lire(FILE* f, ConditionsVictoireRegion* liste, std::string* erreur);
// Reads the tutorial's list into ConditionsVictoireTutoriel; fatal when it is missing or malformed.
void RegionInitialisationConditionVictoire();
// The code of a label, -1 for an unknown one.
int RegionDonneLabelAssocieConditionVictoire(const char* label);
// 1 when the condition holds on the current region map, else 0. Codes 2..13: site code - 2
// visited; 14: every site visited. Any other code is not defined: 0, with its words in *erreur.
int RegionConditionVictoireAtteinte(int code, std::string* erreur);
