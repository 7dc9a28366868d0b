// Our frame codec, made known to the library table as "TM6_512x16.DLL", "TM6_640x16.DLL",
// "TM6_800x16.DLL" and "TM6_1024x16.DLL" with the exports RVFPI_Init, RVFPI_DecodeFrame and
// RVFPI_Cleanup.
//
// A frame payload (little-endian): "FRM1", u8 kind (0 raw, 1 run-coded), u8 0, u16 0, u32 body
// length, then the body.
//   raw: width x height u16 pixels, rows top-down, in the movie's pixel format (15: 5-5-5, 16: 5-6-5).
//   run-coded: u16 ops until the frame is full: 0x0000|n copies n pixels of the previous frame,
//   0x4000|n is followed by n literal pixels, 0x8000|n by one pixel repeated n times (n 1..0x3FFF).
// A payload that is cut short or malformed leaves the rest of the frame as in the previous one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

void RVFPI_Enregistrer();

extern "C" {
// > 0 when the movie can be decoded to `bitsRvb` (15, 16 or 24) at that size.
int32_t RVFPI_Init(int32_t bitsRvb, int32_t hauteur, int32_t largeur, const uint8_t* entete);
int32_t RVFPI_DecodeFrame(const uint8_t* donnees, const void* precedent, void* courant);
void RVFPI_Cleanup();
}

// The same with the payload's length and the rows' pitch in bytes: never reads past `longueur`.
int32_t RVFPI_DecoderBorne(const uint8_t* donnees, size_t longueur, const void* precedent, void* courant,
                           size_t pas);

// The encoder, for the movie writer and the tests: a payload of `image` (movie format) against
// `precedent` (null or empty: a key frame).
std::vector<uint8_t> RVFPI_Encoder(const uint16_t* image, const uint16_t* precedent, size_t pixels);
std::vector<uint8_t> RVFPI_EncoderBrut(const uint16_t* image, size_t pixels);
