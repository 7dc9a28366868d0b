// Damaged movies, frame payloads and sound streams: random byte changes and cuts with fixed seeds.
// Nothing may read past its buffer (the sanitizers watch) nor hang.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "../arbre_temporaire.h"
#include "media/adpcm.h"
#include "media/rvf6.h"
#include "media/rvfecriture.h"
#include "media/rvfpi.h"
#include "media/tmhorloge.h"
#include "media/tmreglages.h"

namespace {

void Abimer(std::vector<uint8_t>& v, std::mt19937& g) {
    const int n = 1 + static_cast<int>(g() % 6);
    for (int i = 0; i < n && !v.empty(); ++i) v[g() % v.size()] = static_cast<uint8_t>(g());
    if (g() % 3 == 0) v.resize(g() % (v.size() + 1));
}

}  // namespace

TEST(FilmsAbimes, ReaderCodecAndSoundSurviveDamage) {
    ArbreTemporaire arbre;
    const std::string chemin = (arbre.Racine() / "f.rvf").string();
    FilmSource s;
    s.largeur = 512, s.hauteur = 3;
    for (int k = 0; k < 5; ++k) {
        std::vector<uint16_t> im(512 * 3, static_cast<uint16_t>(k * 1000));
        for (int i = 0; i < 200; ++i) im[(i * 7 + k) % im.size()] = static_cast<uint16_t>(i);
        s.images.push_back(im);
    }
    for (int i = 0; i < 5 * 1470; ++i) s.pcm.push_back(static_cast<int16_t>(6000 * std::sin(i * 0.03)));
    s.avanceSon = 2;
    const auto sain = RVF_EcrireFilm(s);
    ASSERT_FALSE(sain.empty());
    TMSettings reglages;
    TMSettings_GetDefaults(&reglages);
    reglages.ReadBuffers = 3;
    reglages.ReadBufferKB = 1;
    Adpcm_Init(ADPCM_VERSION);
    std::mt19937 g(1234);
    for (int essai = 0; essai < 300; ++essai) {
        auto v = sain;
        Abimer(v, g);
        std::ofstream(chemin, std::ios::binary).write(reinterpret_cast<const char*>(v.data()), static_cast<long>(v.size()));
        RVFReader r;
        if (RVFReader_OpenFile(&r, chemin.c_str(), &reglages) != 0) continue;
        ASSERT_EQ(TM_LoadCodec(r.header, 15, true), 0);
        const size_t l = static_cast<size_t>(RVFReader_Width(&r)), h = static_cast<size_t>(RVFReader_Height(&r));
        std::vector<uint16_t> a(l * h), b(l * h);
        std::vector<uint8_t> charge;
        APCDecoder apc;
        bool entete = false;
        int blocs = 0;
        while (!r.end && RVFReader_NextBlockSet(&r) == 0) {
            while (!RVFReader_SetExhausted(&r) && RVFReader_NextBlock(&r) == 0 && ++blocs < 1000) {
                charge.assign(static_cast<size_t>(RVFReader_PayloadReadBytes(&r)), 0);
                RVFReader_ReadPayload(&r, charge.data(), static_cast<int32_t>(charge.size()));
                RVFReader_AddConsumed(&r, static_cast<uint32_t>(charge.size()));
                RVFReader_SubtractSet(&r, static_cast<int32_t>(charge.size()));
                const size_t donnees = static_cast<size_t>(RVFReader_PayloadDataBytes(&r));
                ASSERT_LE(donnees, charge.size());
                if (RVFReader_IsImageBlock(&r)) {
                    RVFPI_DecoderBorne(charge.data(), donnees, a.data(), b.data(), l * 2);
                    std::swap(a, b);
                } else {
                    const uint8_t* p = charge.data();
                    if (!entete) {
                        if (donnees < 32 || APC_ReadHeader(p, &apc) != 0) continue;
                        entete = true;
                        p += 32;
                    }
                    apc.data = p;
                    std::vector<int16_t> pcm(8192);
                    int16_t* o = pcm.data();
                    APC_DecodeBorne(&o, &apc, static_cast<uint32_t>(pcm.size() / 2), nullptr, charge.data() + donnees);
                }
                if (RVFReader_EndReached(&r)) break;
            }
            if (blocs >= 1000) break;
        }
        TM_FreeCodec();
        RVFReader_Close(&r);
    }
}

TEST(FilmsAbimes, FramePayloadsNeverOverrun) {
    const uint8_t entete[64] = {'R', 'V', 'F', '6', 0, 0, 0, 15};
    ASSERT_EQ(RVFPI_Init(15, 2, 512, entete), 1);
    std::vector<uint16_t> avant(1024, 7), apres(1024, 9);
    avant[3] = 1, apres[500] = 2;
    const auto sain = RVFPI_Encoder(apres.data(), avant.data(), 1024);
    std::mt19937 g(99);
    for (int essai = 0; essai < 2000; ++essai) {
        auto v = sain;
        Abimer(v, g);
        // The payload alone in its own allocation: any read past it is caught.
        std::vector<uint8_t> seul(v.begin(), v.end());
        std::vector<uint16_t> sortie(1024);
        RVFPI_DecoderBorne(seul.data(), seul.size(), avant.data(), sortie.data(), 1024);
    }
    RVFPI_Cleanup();
}
