// A movie: the RVF6 reader with its fetcher (filled without its thread), then each block through
// the frame codec or the sound decoder, as the player reads them.
#include <algorithm>
#include <string>
#include <vector>

#include "cible.h"
#include "media/adpcm.h"
#include "media/rvf6.h"
#include "media/rvfpi.h"
#include "media/tmhorloge.h"
#include "media/tmreglages.h"

namespace {
// Frames decoded per input: many of the small seeds' frames (640 x 3 and smaller). A frame larger than
// this is fetched and read but not decoded: one full-screen frame costs as much as a few hundred
// inputs, and the codec has its own target (fuzz_rvfpi).
constexpr size_t BudgetPixels = 64 * 1024;
}

void Cible_Preparer() { Adpcm_Init(ADPCM_VERSION); }

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("rvf/essai.rvf", donnees, taille);
    TMSettings reglages;
    TMSettings_GetDefaults(&reglages);
    reglages.ReadBuffers = 3;
    reglages.ReadBufferKB = 4;
    RVFReader r;
    r.fetcher.sansThread = true;   // the same reading, without a thread started per movie
    if (RVFReader_OpenFile(&r, "../rvf/essai.rvf", &reglages) != 0) return;
    if (TM_LoadCodec(r.header, 15, true) == 0) {
        const size_t l = static_cast<size_t>(RVFReader_Width(&r)), h = static_cast<size_t>(RVFReader_Height(&r));
        const bool decoder = l * h <= BudgetPixels;
        std::vector<uint16_t> a(decoder ? l * h : 0), b(decoder ? l * h : 0);
        std::vector<uint8_t> charge;
        APCDecoder apc;
        bool entete = false;
        int blocs = 0;
        size_t pixels = 0;
        while (!r.end && RVFReader_NextBlockSet(&r) == 0 && blocs < 1000) {
            while (!RVFReader_SetExhausted(&r) && RVFReader_NextBlock(&r) == 0 && ++blocs < 1000) {
                charge.assign(static_cast<size_t>(std::max(0, RVFReader_PayloadReadBytes(&r))), 0);
                RVFReader_ReadPayload(&r, charge.data(), static_cast<int32_t>(charge.size()));
                RVFReader_AddConsumed(&r, static_cast<uint32_t>(charge.size()));
                RVFReader_SubtractSet(&r, static_cast<int32_t>(charge.size()));
                const size_t utiles = std::min(charge.size(), static_cast<size_t>(std::max(0, RVFReader_PayloadDataBytes(&r))));
                if (RVFReader_IsImageBlock(&r)) {
                    // Frames decoded up to a budget of pixels: past it the blocks are still fetched
                    // and read, so that a large movie costs no more than a few frames.
                    if (decoder && pixels + l * h <= BudgetPixels) {
                        pixels += l * h;
                        RVFPI_DecoderBorne(charge.data(), utiles, a.data(), b.data(), l * 2);
                        std::swap(a, b);
                    }
                } else if (RVFReader_IsSoundBlock(&r)) {
                    const uint8_t* p = charge.data();
                    if (!entete) {
                        if (utiles < 32 || APC_ReadHeader(p, &apc) != 0) continue;
                        entete = true;
                        p += 32;
                    }
                    apc.data = p;
                    std::vector<int16_t> pcm(8192);
                    int16_t* o = pcm.data();
                    APC_DecodeBorne(&o, &apc, static_cast<uint32_t>(pcm.size() / 2), nullptr, charge.data() + utiles);
                }
                if (RVFReader_EndReached(&r)) break;
            }
        }
        TM_FreeCodec();
    }
    RVFReader_Close(&r);
}
