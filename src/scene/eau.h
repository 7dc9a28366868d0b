// Water and lava surfaces: each liquid has one animated 48 x 48 tile, made anew at every step from
// a texture scrolling up and a deformation scrolling down, both rippled row by row and added with
// saturation; every visible water or lava square shows its liquid's tile.
#pragma once

#include <array>
#include <cstdint>

constexpr int COTE_LIQUIDE = 48;
constexpr int PIXELS_LIQUIDE = COTE_LIQUIDE * COTE_LIQUIDE;

struct SurfaceLiquide {
    int32_t phaseTexture = 0;        // rows the texture is scrolled up, 1..48 once stepped
    int32_t phaseDeformation = 0;    // rows the deformation is scrolled down
    int32_t pasTexture = 0;
    int32_t pasDeformation = 0;
    std::array<uint16_t, PIXELS_LIQUIDE> tuile{};                 // the finished tile, 5-5-5
    std::array<uint8_t, PIXELS_LIQUIDE * 3> texture{};            // r, g, b 0..31, rows of 144 bytes
    std::array<uint8_t, PIXELS_LIQUIDE * 3> textureTravail{};
    std::array<uint8_t, PIXELS_LIQUIDE * 3> deformation{};
    std::array<uint8_t, PIXELS_LIQUIDE * 3> deformationTravail{};
};

extern SurfaceLiquide* EauSurface;    // null outside a scene
extern SurfaceLiquide* LaveSurface;
// Ripple shift of each row, 1..10 pixels; built by the first liquid made in a scene.
extern std::array<uint8_t, COTE_LIQUIDE> OndulationSinus;
extern std::array<uint8_t, COTE_LIQUIDE> OndulationCosinus;
extern bool OndulationsPretes;
extern const std::array<uint8_t, 32> CourbeDeformation;

// Loads both sprite files (frame 0 of each, 48 x 48) into the liquid's planes. A file that cannot
// be loaded ends the program.
void EauInit(const char* fichierTexture, const char* fichierDeformation);
void LaveInit(const char* fichierTexture, const char* fichierDeformation);
void Eau__Animation();
void Lave__Animation();
// Draws the liquid's 48 x 48 square at (x, y) from the clip origin of the drawing target.
void Eau__AffichageCase(int32_t x, int32_t y);
void Lave__AffichageCase(int32_t x, int32_t y);
// Frees both liquids.
void Eau__Liberation();

// The parts of a liquid, each usable alone.
void Ondulation__Construction();
// The 5-5-5 tile unpacked into (r, g, b) planes of 0..31.
void Liquide__Decompresser(const uint16_t* tuile, uint8_t* plan);
void Liquide__Animation(SurfaceLiquide* s);
