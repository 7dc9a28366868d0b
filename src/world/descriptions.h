// Building descriptions: per master type and orientation, a building's footprint grids, the
// offsets of its image layers, its decorative elements and the objects attached to it, kept in
// three tables ("d", "t", "g") and read from and written to "..\Batiment\%04d?.ocp" and its
// calage file "..\Batiment\%04d?.txt".
#pragma once

#include <array>
#include <cstdint>

struct DescriptionBatiment {
    int16_t largeur = 0;   // footprint in cells: columns of every grid
    int16_t hauteur = 0;   // rows of every grid
    int16_t calage[9][2] = {};   // pixel offset (x, y) of each image layer
    int32_t* occupationSol = nullptr;
    int32_t* occupationAir = nullptr;
    int32_t* priorite = nullptr;
    int32_t* air = nullptr;
    int32_t* selection = nullptr;
    int32_t* optimisation = nullptr;
    int32_t* zone = nullptr;
    int32_t nbElements = 0;
    int16_t elementNature[11] = {};
    int16_t elementSprite[11] = {};
    int16_t elementX[11] = {};
    int16_t elementY[11] = {};
    int16_t elementPhase[11] = {};
    int16_t elementDirection[11] = {};
    int32_t nbCodesObjets = 0;
    int16_t codeObjet[12] = {};
    int16_t codeX[12] = {};
    int16_t codeY[12] = {};
    int16_t codeParam1[12] = {};
    int16_t codeParam2[12] = {};
    // Cells the seven grids were allocated for (Batiment__AlloueGrilles records it).
    int32_t capaciteGrilles = 0;
};

constexpr int NOMBRE_DESCRIPTIONS = 600;
extern std::array<DescriptionBatiment, NOMBRE_DESCRIPTIONS> DescriptionsBatimentD;
extern std::array<DescriptionBatiment, NOMBRE_DESCRIPTIONS> DescriptionsBatimentT;
extern std::array<DescriptionBatiment, NOMBRE_DESCRIPTIONS> DescriptionsBatimentG;
extern DescriptionBatiment* DescriptionBatimentCourante;

// The record of a master type in an orientation (0 "d", 1 "t", 2 "g"); null outside the tables.
DescriptionBatiment* Batiment__Description(int numero, int orientation);

// mode 0 load, 1 save, 2 clear.
void Batiment___operation(int mode, int numero, int orientation);
// Loaded while its grids exist (occupationSol), whoever allocated them.
bool Batiment__Chargee(const DescriptionBatiment* description);
// The one way to give a record its seven grids: for largeur x hauteur cells, kept when they are
// already that large, else made anew and zeroed; the capacity is recorded. The building editor
// resizes a description through it.
void Batiment__AlloueGrilles(DescriptionBatiment* description);
// Frees the seven grids: the record is no longer loaded and the next birth reads its file again.
void Batiment__LibereGrilles(DescriptionBatiment* description);
// The object codes in use (nbCodesObjets within the 12 slots); 0 for a null record.
int Batiment__NombreCodes(const DescriptionBatiment* description);

void Batiment__CompteElements();
void Batiment__CompteCodesObjets();
void Batiment__EcritElement(int n, int nature, int sprite, int x, int y, int phase, int direction);
void Batiment__SupprimeElement(int n);
void Batiment__EcritCodeObjet(int n, int code, int x, int y, int param1, int param2);
void Batiment__InsereCodeObjet(int n, int code, int x, int y, int param1, int param2);
void Batiment__SupprimeCodeObjet(int n);
void Batiment__ChercheCodeObjet(int code, int x, int y, int* param1, int* param2);
void Batiment__DecalageCalage(int dx, int dy);
// Writes the description of a loaded record and its calage file as one set, each beside its
// target and then renamed over it: on failure both files stay as they were. False then, or for a
// record not loaded.
bool Batiment__Sauvegarder(int numero, int orientation);
// Writes the calage file of the description whose ".ocp" path is in CheminTampon.
void Batiment__SauvegardeCalage();
