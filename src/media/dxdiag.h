// Display and sound diagnostics of the movie library: a result code as text, the analysis of a
// pixel format and its dump to the debug log, and the display mode a movie size asks for.
#pragma once

#include <cstdint>

struct FormatPixel;

// Pixel format flags.
enum : uint32_t {
    FORMAT_ALPHA = 0x1,
    FORMAT_PALETTE4 = 0x8,
    FORMAT_PALETTE_VERS8 = 0x10,
    FORMAT_PALETTE8 = 0x20,
    FORMAT_RVB = 0x40,
    FORMAT_PALETTE1 = 0x800,
    FORMAT_PALETTE2 = 0x1000,
};

struct AnalyseFormat {
    int32_t totalBits = 0, octets = 0;
    int32_t bitsRouge = 0, bitsBleu = 0, bitsVert = 0, bitsAlpha = 0;
    int32_t decalageRouge = 0, decalageBleu = 0, decalageVert = 0, decalageAlpha = 0;
    uint32_t masqueRouge = 0, masqueBleu = 0, masqueVert = 0, masqueAlpha = 0;
    bool palette = false;
};

// "<module>(<line>): <text>\n" in one static buffer; "DIRECTX UNKNOWN ERROR!!!" for an unknown code.
const char* DX_ErrorText(const char* module, int ligne, int32_t resultat);
// False (and the analysis untouched) for no format or a palette format other than 8 bits.
bool DX_AnalysePixelFormat(const FormatPixel* format, AnalyseFormat* analyse);
void DX_DumpPixelFormat(const AnalyseFormat* analyse);
// The RGB bits a display of that format gives a movie: 15, 16 or 24, else 0.
int32_t DDMgr_RGBBitsOf(const AnalyseFormat* analyse);
// The full-screen mode for a movie of that size.
void DDMgr_ModeFor(int32_t largeur, int32_t hauteur, int32_t* modeLargeur, int32_t* modeHauteur);
