// The sprite blitter: the routines the game binds from "spr_p5.dll" / "spr_p6.dll" by export name,
// and the sprite format they draw.
//
// Sprite file (little-endian):
//   0   8  magic "SPRTESK1" (or "SPRTESK ")
//   8   .. the sprite, kept in memory as it stands from here on (offsets below are from here):
//   0   u32 flags: 0x01 direct 15-bit colour, or 0x02 8-bit indexed with a palette (exactly one).
//           Our files never set 0x04, 0x08 (palette parts of other makers' files), 0x40, 0x80,
//           0x100 (a 32-bit sprite): the loader converts those, and their bits overlap the depth
//           bits and the encoder's code. 0x10, 0x20, 0x200, 0x800 are allowed and ignored.
//   4   u32 size of the sprite in bytes, from the flags word to the end of the file
//   8   u16 number of frames (1 or more)
//   10  u16 number of palette entries (1..256 when indexed, 0 for direct colour)
//   12  palette state, written by the palette routines: u8 tint on, u8 r, u8 g, u8 b (0..31),
//       u16 first tinted entry, u16 tinted count, u8 light level 0..31 (31 = as drawn), 3 spare
//   24  current palette: entries x u16 (5-5-5), what frames are drawn with
//       original palette: entries x u16, as the file gave it; the current one is always
//       recomputed from it, so tinting or shading again never compounds
//   ..  frame table: frames x u32, the offset of each frame
//   frame: i16 width, i16 height, i16 hot spot x, i16 hot spot y, i16 the file's hot spot x and y,
//          then height x u32 row offsets (from the frame's start), then the rows.
//   row:   u16 run count, then per run: u16 transparent pixels to skip, u16 opaque pixel count,
//          the opaque pixels (u16 5-5-5 when direct; u8 palette indices, padded to an even count,
//          when indexed). Runs never reach past the frame's width.
//
// A frame is drawn with its hot spot at (x, y): its top-left pixel lands at (x - hot spot x,
// y - hot spot y). Every routine clips to the target's clip rectangle (end values exclusive, and
// within the target's pitch and height) and writes rows pitch pixels apart. A frame number outside
// 0 .. frames - 1 is refused: nothing is drawn and the routine returns 0.
//
// What each mode does to a destination pixel d under an opaque source pixel s (per 5-bit channel):
//   plain        d = s
//   trs level    d = (s x l + d x (31 - l)) / 31, l = min(level, 31): 31 opaque, 0 invisible
//   trs50        d = (s + d) / 2
//   alpha        d = min(31, s + d x (31 - a) / 31), a = the brightest channel of s: a glow
//   lit r,g,b    d = min(31, d + s x k / 31), k = r, g, b (0..31, above 31 as 31): additive light
//                coloured by the sprite; 0, 0, 0 leaves d as it was
//   shaded r,g,b d = d x (31 - k) / 31: the sprite's shape darkens what is under it (its colours
//                do not matter); 31 gives black, 0 leaves d as it was
// Palette (indexed sprites): the tint turns each entry of [first, first + count) into the
// brightest channel of its original (0..31) times (r, g, b) / 31 (each
// channel above 31 counts as 31); the light level then scales
// every entry by level / 31. A direct-colour sprite has no palette: the tint does nothing, and
// the light level scales its pixels as they are drawn. SPR_OMBREPAL takes an amount of shade,
// 0 (as drawn) to 31 (black; above 31 as 31), and keeps the light level 31 - shade.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/bibliotheques.h"

// A drawing target: `hauteur` rows of pixels `pas` pixels apart, clip rectangle (end values
// exclusive). Nothing is drawn left of column 0, from column `pas` on, above row 0 or from row
// `hauteur` on, whatever the clip rectangle says.
struct CibleBlitter {
    uint16_t* pixels = nullptr;
    int32_t pas = 0;
    int32_t clipHaut = 0;
    int32_t clipBas = 0;
    int32_t clipGauche = 0;
    int32_t clipDroite = 0;
    int32_t hauteur = 0;
};

// The pixel format descriptor of a 5-5-5 target, the only one drawn.
inline constexpr uint8_t BLITTER_FORMAT_555[7] = {1, 10, 3, 5, 3, 0, 3};

constexpr uint32_t BLITTER_DIRECT = 0x01;
constexpr uint32_t BLITTER_INDEXE = 0x02;

// The routines, with the export names they are bound by.
using BlitInit = int8_t (*)(const char* processeur, const uint8_t* format, void* (*allocation)(size_t));  // SprDll_Init
using BlitFin = void (*)();                                                                               // SprDll_Free
using BlitAff = int32_t (*)(uint8_t* sprite, const CibleBlitter* cible, int32_t x, int32_t y, int32_t image);  // AFF_SPR, AFF_SPRTRS50, AFF_SPRALPHA
using BlitAffTrs = int32_t (*)(uint8_t* sprite, const CibleBlitter* cible, int32_t x, int32_t y, int32_t image,
                               uint8_t niveau);   // AFF_SPRTRS
using BlitAffRgb = int32_t (*)(uint8_t* sprite, const CibleBlitter* cible, int32_t x, int32_t y, int32_t image,
                               uint8_t r, uint8_t g, uint8_t b);   // AFF_SPRECL, AFF_SPROMB
using BlitConvPal = void (*)(void* bloc);   // SPR_CONVPAL32, SPR_CONVPAL16
using BlitGetZ = void (*)(const uint8_t* sprite, const CibleBlitter* cible, int32_t x, int32_t y, int32_t image,
                          int32_t* taille);   // GET_SPRZ: taille[0] width, taille[1] height
using BlitTrois = int32_t (*)(const uint8_t* sprite, int32_t image, int32_t champ);   // GET_SPRT, GET_SPROFF
using BlitGetNb = int32_t (*)(const uint8_t* sprite);                                  // GET_NBSPR
using BlitModOff = void (*)(uint8_t* sprite, int32_t dx, int32_t dy, int32_t image);   // MOD_SPROFF
using BlitConv = void (*)(uint8_t* sprite);                                            // CONV_SPR32_64
using BlitRepal = void (*)(uint8_t* sprite, int32_t premier, int32_t nombre, uint8_t r, uint8_t g, uint8_t b);  // SPR_REPAL
using BlitPal = int32_t (*)(uint8_t* sprite, int32_t valeur);   // SPR_RESTOPAL, SPR_SAVPAL
using BlitOmbrePal = int32_t (*)(uint8_t* sprite, uint8_t niveau, int32_t inutilise);   // SPR_OMBREPAL

// SprDll_Init: 0, or 6 when the pixel format is not {1, 10, 3, 5, 3, 0, 3} (5-5-5), the only one
// drawn. Drawing routines return 1, or 0 when refused. GET_SPRT gives a frame's width (champ 0),
// height (1), hot spot x (2) or y (3); GET_SPROFF its hot spot x (champ 0) or y (1); -1 otherwise.
// MOD_SPROFF sets a frame's hot spot to the file's one moved by (dx, dy). SPR_RESTOPAL drops the
// tint and the light level; SPR_SAVPAL makes the current palette the original one. SPR_CONVPAL32
// turns 128 u32 entries 0x00RRGGBB into 5-5-5 in place; SPR_CONVPAL16 turns 256 u32 entries
// holding 5-6-5 into 5-5-5 in place. CONV_SPR32_64 has nothing to do on our sprites.
const ExportBibliotheque* Blitter_Exports(size_t* nombre);

// Checks that the bytes hold a whole sprite of our format (from the flags word): every offset,
// row and run inside them. The drawing routines trust a sprite that passed.
bool Blitter_Verifier(const uint8_t* sprite, size_t taille);

// One frame to encode: width x height values, -1 transparent, else a 5-5-5 colour (direct) or a
// palette index (indexed).
struct ImageBlitter {
    int largeur = 0;
    int hauteur = 0;
    int pointChaudX = 0;
    int pointChaudY = 0;
    std::vector<int32_t> pixels;
};

// A whole sprite file, magic included. Indexed when a palette is given (1..256 entries).
std::vector<uint8_t> Blitter_EncoderFichier(const std::vector<ImageBlitter>& images,
                                            const std::vector<uint16_t>* palette);
