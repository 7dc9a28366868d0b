// The sample asset maker: each kind of asset registers a step that writes its files under the
// game folder given on the command line (sprites, images, sounds, movies).
#pragma once

#include <cstdint>

#include <string>

using EtapeFabrique = bool (*)(const std::string& racine);

// Registers a step; use through FABRIQUE_ETAPE in one source file per kind of asset.
bool Fabrique_Enregistrer(const char* nom, EtapeFabrique etape);

#define FABRIQUE_ETAPE(nom, fonction) \
    static const bool fabrique_enregistre_##fonction = Fabrique_Enregistrer(nom, fonction)

// A hashed noise of a cell and a seed, and its smooth version in 0..1 of period `pas` cells
// (tools/fabrique/terrain.cpp).
uint32_t BruitCase(uint32_t x, uint32_t y, uint32_t graine);
double BruitLisse(double x, double y, double pas, uint32_t graine);
