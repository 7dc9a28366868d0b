// Building descriptions: a building's footprint, cell grids, decorative elements and attached
// objects, one table of 600 per orientation (d, t, g).
// For now only the records and the two calls a building's birth makes; the ".ocp" files are
// not read yet, so every description stays empty and a building stamps nothing.
#pragma once

#include <array>
#include <cstdint>

struct DescriptionBatiment {
    int32_t largeur, hauteur;       // footprint in cells
    int32_t* occupationSol;         // the seven grids, largeur x hauteur each; loaded when occupationSol is set
    int32_t* occupationAir;
    int32_t* priorite;
    int32_t* air;
    int32_t* selection;
    int32_t* optimisation;
    int32_t* zone;
    int32_t nbElements;
    int16_t elementNature[11];
    int16_t elementSprite[11];
    int16_t elementX[11], elementY[11];
    int16_t elementPhase[11];
    int16_t elementDirection[11];
    int32_t nbCodesObjets;
    int16_t codeObjet[12];
    int16_t codeX[12], codeY[12];
    int16_t codeParam1[12], codeParam2[12];
};

using TableDescriptions = std::array<DescriptionBatiment, 600>;
extern TableDescriptions DescriptionBatimentD, DescriptionBatimentT, DescriptionBatimentG;
extern DescriptionBatiment* DescriptionBatimentCourante;

// The table of an orientation (0 d, 1 t, 2 g), null for any other.
TableDescriptions* Batiment__TableOrientation(int orientation);
// mode 0 load, 1 save, 2 clear. Sets DescriptionBatimentCourante; performs nothing yet.
void Batiment___operation(int mode, int numero, int orientation);
// Stamps the building into the grids from DescriptionBatimentCourante and creates its attached
// objects. Stamps the unit and air grids only, clipped to the map; creates nothing yet.
void Batiment__Naissance(int objet);
