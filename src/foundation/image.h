// Full-screen pictures: TGA files loaded into memory, converted to the back buffer's 5-5-5
// format, scaled in brightness for fades, and copied into the back buffer.
#pragma once

#include <cstdint>

// Size and position of each channel in a pixel, low channel first, and the pixel size.
struct FormatImage {
    int32_t bitsBleu = 0;
    int32_t decalageBleu = 0;
    int32_t bitsVert = 0;
    int32_t decalageVert = 0;
    int32_t bitsRouge = 0;
    int32_t decalageRouge = 0;
    int32_t bitsParPixel = 0;   // 16, 24 or 32
};

// A picture in memory. Rows are top-down, each padded to a multiple of 4 bytes.
// The record owns its pixels; free it with Image_Liberation.
struct Image : FormatImage {
    int32_t octetsParLigne = 0;
    int32_t remplissage = 0;   // padding bytes at the end of each row
    int32_t largeur = 0;
    int32_t hauteur = 0;
    uint8_t* pixels = nullptr;   // octetsParLigne x hauteur bytes
};

// A point of an image (the first pixel to copy).
struct PointImage {
    int32_t x = 0;
    int32_t y = 0;
};

// The back buffer's format.
inline constexpr FormatImage FormatEcran555{5, 0, 5, 5, 5, 10, 16};

// Loads an uncompressed true-colour TGA (16, 24 or 32 bits). Null when the file cannot be
// opened, is not such a TGA, or is short.
Image* Image_ChargementTga(const char* chemin);

// A new image of the same size in the given format; the source stays. Null for a null
// source or a format the conversion cannot express.
Image* Image_Conversion(const Image* source, const FormatImage& format);

// A new image in the same format with every channel scaled by niveau / 256 (0 black,
// 256 unchanged; other levels are brought into that range).
Image* Image_ConversionTable(const Image* source, int32_t niveau);

// Copies a 16-bit image into the back buffer with its top-left corner at (x, y), starting from
// the image's point (0, 0 when null); clipped to the screen and to the image.
void Image_Copie(int32_t x, int32_t y, const PointImage* point, const Image* image);

void Image_Liberation(Image* image);

void Image_FormatPixel(Image* image, int32_t bitsBleu, int32_t decalageBleu, int32_t bitsVert,
                       int32_t decalageVert, int32_t bitsRouge, int32_t decalageRouge, int32_t bitsParPixel);
