#include "media/rvf6.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "media/tmreglages.h"

namespace {

uint32_t Lu32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
int32_t Lu16s(const uint8_t* p) { return static_cast<int16_t>(p[0] | p[1] << 8); }

// Reads n bytes and counts them; the fetcher's result.
int32_t Lire(RVFReader* r, void* dest, int32_t n) {
    const int64_t avant = r->fetcher.Delivered();
    r->fetcher.Read(dest, n);
    return r->fetcher.Delivered() - avant < n ? -11 : 0;   // -11: the file ended before them
}

int32_t LongueurBloc(const RVFReader* r) { return static_cast<int32_t>(Lu32(r->block)); }

}  // namespace

int32_t RVF_CheckHeader(const uint8_t* e) {
    if (std::memcmp(e, "RVF6", 4) == 0) return 6;
    if (std::memcmp(e, "UBB2", 4) == 0) return 5;
    return 0;
}

bool RVF_CheckSignature(const uint8_t* e) { return std::memcmp(e + 20, "V B3", 4) == 0; }

int32_t RVFHeader_Validate(const uint8_t* e) {
    const int32_t version = RVF_CheckHeader(e);
    if (version == 0) return -4;
    if (Lu32(e + 28) == 0) return -2;
    const int32_t largeur = Lu16s(e + 8), hauteur = Lu16s(e + 10), bits = e[7];
    if (version == 5) {
        if (largeur == 320 || largeur == 500 || largeur == 640) return bits == 8 ? 0 : -13;
        return -14;
    }
    if (largeur != 512 && largeur != 640) return -14;
    // A height the surfaces cannot hold is refused with the width.
    if (hauteur < 1 || hauteur > 1024) return -14;
    if (bits != 15 && bits != 16) return -13;
    return 0;
}

int32_t RVFReader_OpenFile(RVFReader* r, const char* chemin, const TMSettings* reglages) {
    RVFReader_Close(r);
    const int32_t tampons = reglages != nullptr ? reglages->ReadBuffers : 64;
    const int32_t ko = reglages != nullptr ? reglages->ReadBufferKB : 8;
    int32_t resultat = r->fetcher.Open(chemin, tampons, ko > 0 && ko <= 65536 ? ko * 1024 : 0, 0);
    if (resultat != 0) return resultat;
    if (reglages != nullptr) r->fetcher.SetPriority(reglages->ReadPriority);
    r->consumed = 0;
    if (Lire(r, r->header, RVF_TAILLE_ENTETE) != 0) {
        RVFReader_Close(r);
        return -4;   // shorter than a header: not a movie
    }
    r->consumed = RVF_TAILLE_ENTETE;
    resultat = RVFHeader_Validate(r->header);
    if (resultat == 0 && RVF_CheckHeader(r->header) != 6) resultat = -4;
    if (resultat != 0) {
        RVFReader_Close(r);
        return resultat;
    }
    r->version = 6;
    r->fileSize = Lu32(r->header + 12);
    // A file size past the file's own would leave the reader waiting for bytes that never come.
    if (static_cast<int64_t>(r->fileSize) > r->fetcher.Size()) r->fileSize = static_cast<uint32_t>(r->fetcher.Size());
    r->imageCount = Lu32(r->header + 16);
    r->end = false;
    r->imagesShown = 0;
    r->setRemaining = 0;
    std::memset(r->block, 0, sizeof r->block);
    r->sndflag = static_cast<int8_t>(r->header[6]);
    r->channels = 1 + ((r->header[6] >> 7) & 1);
    r->rate = ((r->header[6] & 0x60) >> 4) * 11025;
    return 0;
}

void RVFReader_Close(RVFReader* r) { r->fetcher.Close(); }

int32_t RVFReader_NextBlockSet(RVFReader* r) {
    uint8_t b[4];
    int32_t resultat = Lire(r, b, 4);
    if (resultat == 0) {
        const uint32_t longueur = Lu32(b);
        if (longueur == 0) resultat = -11;
        else r->consumed += 4, r->setRemaining = static_cast<int32_t>(std::min<uint32_t>(longueur, INT32_MAX)) - 4;
    }
    if (resultat != 0 || RVFReader_EndReached(r)) r->end = true;
    return resultat;
}

int32_t RVFReader_NextBlock(RVFReader* r) {
    int32_t resultat = Lire(r, r->block, RVF_TAILLE_BLOC);
    if (resultat == 0) {
        const uint32_t longueur = LongueurBloc(r) < 0 ? 0 : Lu32(r->block);
        if (longueur < RVF_TAILLE_BLOC) {
            resultat = -11;
        } else {
            r->consumed += RVF_TAILLE_BLOC;
            const uint32_t charge = longueur - RVF_TAILLE_BLOC;
            for (int i = 0; i < 4; ++i) r->block[i] = static_cast<uint8_t>(charge >> (8 * i));
            // The payload as it will be read must fit in what is left of the file.
            const uint32_t reste = r->fileSize - std::min(r->consumed, r->fileSize);
            if (static_cast<uint32_t>(RVFReader_PayloadReadBytes(r)) > reste) resultat = -11;
        }
    }
    if (resultat == 0 && !RVFReader_EndReached(r)) {
        if (!RVFReader_IsSoundBlock(r) && !RVFReader_IsImageBlock(r)) {
            r->block[4] = r->block[5] = 0;
            return -3;
        }
        r->setRemaining -= RVF_TAILLE_BLOC;
        return 0;
    }
    r->end = true;
    return resultat;
}

int32_t RVFReader_ReadPayload(RVFReader* r, void* dest, int32_t octets) { return r->fetcher.Read(dest, octets); }

int32_t RVFReader_Width(const RVFReader* r) { return Lu16s(r->header + 8); }
int32_t RVFReader_Height(const RVFReader* r) { return Lu16s(r->header + 10); }
int32_t RVFReader_Bits(const RVFReader* r) { return r->header[7]; }
bool RVFReader_HasSound(const RVFReader* r) { return r->sndflag != 0; }
int32_t RVFReader_Channels(const RVFReader* r) { return r->channels; }
int32_t RVFReader_Rate(const RVFReader* r) { return r->rate; }
int32_t RVFReader_Version(const RVFReader* r) { return r->version; }
uint16_t RVFReader_BlockId(const RVFReader* r) { return static_cast<uint16_t>(r->block[4] | r->block[5] << 8); }

bool RVFReader_IsSoundBlock(const RVFReader* r) {
    return std::memcmp(r->block + 4, "AA", 2) == 0 || std::memcmp(r->block + 4, "BB", 2) == 0;
}
bool RVFReader_IsImageBlock(const RVFReader* r) {
    return std::memcmp(r->block + 4, "IV", 2) == 0 || std::memcmp(r->block + 4, "IX", 2) == 0;
}

int32_t RVFReader_PayloadDataBytes(const RVFReader* r) {
    const int32_t charge = LongueurBloc(r);
    if (!RVF_CheckSignature(r->header)) return charge;
    return std::max(0, charge - r->block[7]);   // padding longer than the payload: no data
}

int32_t RVFReader_PayloadReadBytes(const RVFReader* r) {
    const int32_t charge = LongueurBloc(r);
    if (RVF_CheckSignature(r->header)) return charge;
    return charge > INT32_MAX - 3 ? charge : (charge + 3) & ~3;
}

bool RVFReader_EndReached(const RVFReader* r) { return r->consumed >= r->fileSize; }
bool RVFReader_SetExhausted(const RVFReader* r) { return r->setRemaining < 1; }
bool RVFReader_LastImage(const RVFReader* r) {
    return r->end || static_cast<int64_t>(r->imagesShown) >= static_cast<int64_t>(r->imageCount) - 1;
}
void RVFReader_CountImages(RVFReader* r, uint32_t n) { r->imagesShown += n; }
void RVFReader_AddConsumed(RVFReader* r, uint32_t n) { r->consumed += n; }
void RVFReader_SubtractSet(RVFReader* r, int32_t n) { r->setRemaining -= n; }
void RVFReader_Suspend(RVFReader* r) { r->fetcher.Suspend(); }
void RVFReader_Resume(RVFReader* r) { r->fetcher.Resume(); }
