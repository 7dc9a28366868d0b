// Level files (".mv"): the terrain tile stream, the material letters, the altitude grid, and
// the buildings, decor, trees and sections of units created in a fresh world; and the import of
// one section of units from its file "..\sections\%s.sct".
#pragma once

#include <array>
#include <cstdint>

constexpr int LIGNES_TUILES = 64;    // rows of 48-pixel tiles (two by two cells)
constexpr int COTE_ALTITUDE = 32;    // the altitude grid: one value per 4 x 4 cells
// The most entries a tile stream may declare: every tile with a generous count of overlays.
constexpr int ENTREES_TUILES_MAX = LIGNES_TUILES * LIGNES_TUILES * 64;

// The tile stream in file order (NombreEntreesTuiles words, heap) and where each row starts in it.
extern int32_t* TableDebutLigne;
extern int32_t NombreEntreesTuiles;
extern std::array<int32_t, LIGNES_TUILES> DebutLigne;

// One material letter per cell ("E" water, "L" lava, "I" impassable, others for the display).
extern std::array<uint8_t, 128 * 128> GrilleMatieres;
extern int32_t EauPresente;
extern int32_t LavePresente;
// 32 x 32 altitude values (r x 32 + c) in a block of 4096, made by the world creation.
extern int32_t* GrilleAltitude;

// The fortification object made beside a gate building, and the hit points it is given
// (0 keeps its master's).
extern int32_t ObjetFortification;
extern int32_t PointsDeVieFortification;

// The battle's title, shown while a battle level loads.
extern char TitreBataille[256];

void NiveauChargement(const char* fichier);
void ImportationSectionEditeur(int code, int niveau, int x, int y, int direction, int armee);

// Frees the tile stream.
void Niveau__LiberationTuiles();
