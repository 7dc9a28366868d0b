// What wins a region: its victory file (".Vreg"), the test, and the keyword table of masters.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "campaign/region.h"

// Reads a victory file into the region's victory fields. False with the fault's words.
bool VictoireRegion__Lire(FILE* f, CarteRegion* carte, std::string* erreur);
// Reads the file into the current region; fatal when it is missing or malformed.
void InitVReg(const char* fichier);
// 1 when the sites and enemy regiments the victory file names are visited and gone.
int RegionVictoireAtteinte();
// The master number of a creature or map-object keyword; fatal for an unknown one.
int RegionDonneMaitre(const char* motCle);
// The same, -1 for an unknown keyword.
int RegionDonneMaitre__Chercher(const char* motCle);
