// The 48 x 48 tile renderers (palette-index tiles lit by four corner lights through a shade
// table) and the small pixel routines of the water, lava and lightning.
#pragma once

#include <array>
#include <cstdint>

// Inputs of the tile renderers, set before each call.
extern const uint8_t* TuileTexels;          // 48 rows of 48 palette indices
extern int32_t TuileX;                      // top-left pixel of the tile in the back buffer
extern int32_t TuileY;
extern int32_t TuileLargeurEcran;           // the back buffer's pitch in pixels
extern int32_t TuileIntensiteHautGauche;    // corner lights, 0..127
extern int32_t TuileIntensiteHautDroite;
extern int32_t TuileIntensiteBasGauche;
extern int32_t TuileIntensiteBasDroite;
extern const uint16_t* TuileTableOmbrage;   // 128 light steps x 256 palette indices, 5-5-5

inline constexpr int32_t TailleTuile = 48;

// Draws the tile into the back buffer with the light interpolated across it; every texel is drawn.
// A tile not wholly inside the back buffer is not drawn.
void Tuile_AffichageGouraud();
// The same with palette index 0 transparent; the light advances only at drawn pixels.
void Tuile_AffichageGouraud2();

// What a tile renderer drew at one place of a scene: the tile lit again with the same texels,
// shade table, renderer and corner lights draws the same pixels, which are then copied from here.
// Its holder clears `valide` when the texels or the table it points to may have been rewritten.
struct TuileMemo {
    bool valide = false;
    bool transparent = false;
    bool plein = false;   // every texel drawn
    const uint8_t* texels = nullptr;
    const uint16_t* table = nullptr;
    int32_t coins[4] = {};
    std::array<uint16_t, 48 * 48> pixels{};   // the colours drawn, 0 elsewhere
    std::array<uint16_t, 48 * 48> masque{};   // 0xFFFF where drawn, 0 elsewhere
};
// Tuile_AffichageGouraud (transparent false) or Tuile_AffichageGouraud2 (true), the same pixels,
// through the memo.
void Tuile_AffichageGouraudMemo(TuileMemo& memo, bool transparent);

// 5-bit tiles: 48 x 48 pixels of three bytes (red, green, blue, each 0..31), rows of 144 bytes.

// Rotates each row left by decalages[row] pixels (48 shift bytes, taken modulo 48).
void Tuile_DecalageLignes(uint8_t* tuile, const uint8_t* decalages);
// destination := min(31, destination + courbe[courbe[source]]) for every channel; the curve has
// 32 entries and an index of 32 or more reads as 32.
void Tuile_AdditionSaturee(uint8_t* destination, const uint8_t* source, const uint8_t* courbe);
// Packs the 2304 pixels of a 5-bit tile into 5-5-5 pixels (red << 10 | green << 5 | blue).
void Pixels_Conversion24Vers555(const uint8_t* source, uint16_t* destination);
// Copies a 48 x 48 block of 16-bit pixels (contiguous rows) into a screen-sized buffer (pitch
// LargeurEcran) at (x, y). A block not wholly inside the screen is not copied.
void Tuile_Copie48(const uint16_t* source, uint16_t* destination, int32_t x, int32_t y);
// Adds r, g and b to the fields of pixel (x, y) of a screen-sized 5-5-5 image, each field kept in
// 0..31. A pixel outside the screen is left alone.
void Pixel_AjoutRGB(uint16_t* image, int32_t x, int32_t y, int32_t r, int32_t g, int32_t b);
