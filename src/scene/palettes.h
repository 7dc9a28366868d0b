// Terrain sets: a 256-colour palette, a raw bank of 48 x 48 tiles of palette indices, and the
// shade table that lights them in 128 steps.
#pragma once

#include <cstdint>

inline constexpr int32_t PasOmbrage = 128;               // light steps, 0 black .. 127 brightest
inline constexpr int32_t OctetsPalette = 768;            // 256 entries of red, green, blue
inline constexpr int32_t OctetsTuileTerrain = 48 * 48;   // one tile of the bank
inline constexpr int32_t OctetsBlocOmbrage = PasOmbrage * 256 * 2 + 512;

// The terrain set of the current scene (owned by the scene, freed at its teardown).
extern uint8_t* TerrainPalette;
extern uint8_t* TerrainTuiles;
extern uint16_t* TerrainTableOmbrage;
extern int32_t TerrainNombreTuiles;   // tiles in TerrainTuiles
extern uint32_t TerrainGeneration;     // changes whenever the tiles and their shade table are freed

// The raw heap block of the last shade table built.
extern uint8_t* TableOmbrageBrute;

// Loads "<nom>.pal" (its first 768 bytes) and "<nom>.spr" (nombre tiles of 2304 bytes) and builds
// their shade table; returns the table, also left in *table.
uint16_t* Lumiere___preparation(uint8_t** palette, uint8_t** tuiles, uint16_t** table, const char* nom,
                                int nombre);
// A new shade table, entry [step * 256 + index] in 5-5-5, aligned on 512 bytes.
uint16_t* TableCouleurs__Creation2(const uint8_t* palette);
// Steps 0..n-1 of the gradient from black towards (r, g, b): step k holds k/n of the colour.
void Palette__Degrade2(uint16_t* sortie, int r, int g, int b, float n);
// The same in 5-6-5 (red in bits 11..15, green on 6 bits in 5..10, blue 0..4), for a 5-6-5 back
// buffer; the game draws in 5-5-5 and does not use them.
uint16_t* TableCouleurs__Creation(const uint8_t* palette);
void Palette__Degrade(uint16_t* sortie, int r, int g, int b, float n);
// Frees a table made by TableCouleurs__Creation2 (or TableCouleurs__Creation) through its own raw
// block.
void TableOmbrage__Liberation(uint16_t* table);

// The scene's terrain set: loaded into the globals above, and freed.
void Terrain__Chargement(const char* nom, int nombre);
void Terrain__Liberation();
