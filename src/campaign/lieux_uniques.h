// The unique sites of a region: the sites file (the region's template under "..\Texte\" and the
// working copy "..\tmp\Joueur0\uniques.txt"), the visit states after a battle and the unlocks.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "campaign/region.h"

constexpr int MAX_LIEUX_UNIQUES = REGION_LARGEUR * REGION_HAUTEUR;

// What a sites file holds. repere: the view origin of its "Rep" line, when it has one.
struct FichierLieux {
    std::vector<LieuUnique> lieux;
    bool repere = false;
    int32_t repereX = 0, repereY = 20;
};
// Reads a sites file. False with the format fault's words in *erreur.
bool LieuxUniques__Lire(FILE* f, FichierLieux* sortie, std::string* erreur);
// Writes the sites and the view origin.
void LieuxUniques__Ecrire(FILE* f, const LieuUnique* lieux, int32_t nombre, int32_t repereX, int32_t repereY);
// The view origin as the region map can show it: in 0..26 x 0..20 and even.
void Region__BornerRepere(int32_t* x, int32_t* y);

// Reads the file into the current region's sites and sets the view origin; fatal when missing
// or malformed.
void InitLieuxUniques(const char* fichier);
// Writes the current region's sites and the view origin (to a temporary file renamed over it).
void RegionSauverLieuxUniques(const char* fichier);
// The site in visit takes its new state (a won battle) / goes back to not visited (a lost one).
void RegionMettreLieuUniqueEnVisite();
void RegionAnnulerVisiteLieuUnique();
// Opens the locked sites whose unlock list is all visited, then closes the cells of the sites
// still locked (code 4) and opens the others' (code 0).
void RegionDeverrouillerLieuxUniques();
