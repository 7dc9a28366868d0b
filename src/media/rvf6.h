// RVF6 movies: a 64-byte header, then block sets of sound ("AA", "BB") and image ("IV", "IX")
// blocks. The reader pulls every byte through its file fetcher and hands out one block header at
// a time; the caller reads each payload.
#pragma once

#include <cstdint>

#include "media/fetcher.h"

struct TMSettings;

constexpr int32_t RVF_TAILLE_ENTETE = 64;
constexpr int32_t RVF_TAILLE_BLOC = 8;

// The version from the magic: 6 ("RVF6"), 5 ("UBB2"), else 0.
int32_t RVF_CheckHeader(const uint8_t* entete);
// True when bytes 20-23 are "V B3".
bool RVF_CheckSignature(const uint8_t* entete);
// 0; -4 neither magic, -2 largest image length 0, -14 width (or a height outside 1..1024),
// -13 bits per pixel.
int32_t RVFHeader_Validate(const uint8_t* entete);

struct RVFReader {
    FileFetcher fetcher;
    uint32_t fileSize = 0;
    uint32_t consumed = 0;
    uint32_t imageCount = 0;
    uint32_t imagesShown = 0;
    bool end = false;
    int32_t version = 0;
    uint8_t header[RVF_TAILLE_ENTETE] = {};
    int32_t setRemaining = 0;
    uint8_t block[RVF_TAILLE_BLOC] = {};   // its length reduced to the payload's once read
    int32_t channels = 0;
    int32_t rate = 0;
    int32_t sndflag = 0;
};

// 0, the fetcher's error, a header error, or -4 for any version but 6.
int32_t RVFReader_OpenFile(RVFReader* r, const char* chemin, const TMSettings* reglages);
void RVFReader_Close(RVFReader* r);
// 0, or -11 (a set length of 0, or nothing left); sets the end flag when it fails or the file
// is all read.
int32_t RVFReader_NextBlockSet(RVFReader* r);
// 0; -11 a length of 0, nothing left, or a payload running past the file; -3 an
// unknown id (the id is then cleared).
int32_t RVFReader_NextBlock(RVFReader* r);
// Reads through the fetcher: 0, or -11 once the end of the file is delivered.
int32_t RVFReader_ReadPayload(RVFReader* r, void* dest, int32_t octets);

int32_t RVFReader_Width(const RVFReader* r);
int32_t RVFReader_Height(const RVFReader* r);
int32_t RVFReader_Bits(const RVFReader* r);
bool RVFReader_HasSound(const RVFReader* r);
int32_t RVFReader_Channels(const RVFReader* r);
int32_t RVFReader_Rate(const RVFReader* r);
int32_t RVFReader_Version(const RVFReader* r);
// The current block's id as two characters in the low bytes ("AA" = 'A' | 'A' << 8).
uint16_t RVFReader_BlockId(const RVFReader* r);
bool RVFReader_IsSoundBlock(const RVFReader* r);
bool RVFReader_IsImageBlock(const RVFReader* r);
int32_t RVFReader_PayloadDataBytes(const RVFReader* r);
int32_t RVFReader_PayloadReadBytes(const RVFReader* r);
bool RVFReader_EndReached(const RVFReader* r);
bool RVFReader_SetExhausted(const RVFReader* r);
bool RVFReader_LastImage(const RVFReader* r);
void RVFReader_CountImages(RVFReader* r, uint32_t n);
void RVFReader_AddConsumed(RVFReader* r, uint32_t n);
void RVFReader_SubtractSet(RVFReader* r, int32_t n);
void RVFReader_Suspend(RVFReader* r);
void RVFReader_Resume(RVFReader* r);
