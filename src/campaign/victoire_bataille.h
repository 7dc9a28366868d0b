// A battle map's victory file, named after its level file with the last three characters turned
// into "txt" ("..\niveau\niveau1.mv" gives "..\niveau\niveau1txt"): zones a player unit must
// reach, masters that must be killed and other conditions (labels of the tutorial's list).
// Nothing in the game reads it yet.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "campaign/victoire_tutoriel.h"

constexpr int MAX_ZONES_VICTOIRE = 32;
constexpr int MAX_MAITRES_VICTOIRE = 32;

// A rectangle of map cells (128 x 128), clipped to the map when read.
struct ZoneVictoire {
    int32_t x, y, largeur, hauteur;
    int32_t visitee;   // 1 once a player unit has stood in it
};

struct VictoireBataille {
    int32_t nbZones;
    ZoneVictoire zones[MAX_ZONES_VICTOIRE];
    int32_t nbMaitres;
    int32_t maitres[MAX_MAITRES_VICTOIRE];   // master numbers
    int32_t nbConditions;
    int32_t conditions[MAX_CONDITIONS_VICTOIRE];   // codes of the tutorial's labels
};
extern VictoireBataille VictoireBatailleCourante;

// The victory file's name for a level file ("" when the name is shorter than three characters).
std::string VictoireBataille__NomFichier(const char* niveau);
// Reads a victory file. False with the fault's words (an unknown keyword or label among them);
// the lists are then empty.
bool VictoireBataille__Lire(FILE* f, VictoireBataille* v, std::string* erreur);
// Reads the victory file of the level `niveau` into VictoireBatailleCourante; fatal when it is
// missing ("Fichier non trouvé : %s") or malformed.
void VictoireBatailleInitialisation(const char* niveau);
// Empties VictoireBatailleCourante.
void VictoireBatailleLiberation();
// 1 when every zone has been visited by a player unit, every listed master is killed and every
// other condition holds, else 0. Marks the zones a player unit stands in now as visited. Other
// conditions: 0 and 1 (BATAILLE_TOUT_ENNEMI_TUE, REGION_VICTOIRE_ENNEMIS_TUES) no enemy unit left;
// 2..14 the region map's sites; any other code does not hold, with its words in *erreur.
int VictoireBatailleAtteinte(std::string* erreur);
