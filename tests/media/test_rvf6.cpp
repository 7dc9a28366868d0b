#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
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

std::vector<uint8_t> Entete(const char* magie, int largeur, int hauteur, int bits, uint32_t imgLenMax = 100) {
    std::vector<uint8_t> e(64, 0);
    std::memcpy(e.data(), magie, 4);
    e[7] = static_cast<uint8_t>(bits);
    e[8] = static_cast<uint8_t>(largeur), e[9] = static_cast<uint8_t>(largeur >> 8);
    e[10] = static_cast<uint8_t>(hauteur), e[11] = static_cast<uint8_t>(hauteur >> 8);
    for (int i = 0; i < 4; ++i) e[28 + i] = static_cast<uint8_t>(imgLenMax >> (8 * i));
    return e;
}

FilmSource Source(int largeur, int hauteur, int images, bool son, bool stereo = false) {
    FilmSource s;
    s.largeur = largeur, s.hauteur = hauteur;
    for (int k = 0; k < images; ++k) {
        std::vector<uint16_t> im(static_cast<size_t>(largeur) * hauteur, 0x0421);
        for (int y = 0; y < hauteur; ++y)
            for (int x = 0; x < 40; ++x) im[static_cast<size_t>(y) * largeur + ((x + k * 13) % largeur)] = 0x7C00 | static_cast<uint16_t>(y);
        s.images.push_back(im);
    }
    if (son) {
        s.stereo = stereo;
        const int trames = images * 1470;
        for (int i = 0; i < trames; ++i) {
            s.pcm.push_back(static_cast<int16_t>(8000 * std::sin(i * 0.05)));
            if (stereo) s.pcm.push_back(static_cast<int16_t>(-5000 * std::sin(i * 0.02)));
        }
    }
    s.avanceSon = 4;
    return s;
}

void Ecrire(const std::string& chemin, const std::vector<uint8_t>& v) {
    std::ofstream(chemin, std::ios::binary).write(reinterpret_cast<const char*>(v.data()), static_cast<long>(v.size()));
}

uint64_t Somme(const std::vector<uint16_t>& im) {
    uint64_t h = 1469598103934665603ull;
    for (uint16_t p : im) h = (h ^ p) * 1099511628211ull;
    return h;
}

struct Lu {
    int32_t erreur = 0;
    std::vector<uint64_t> sommes;
    std::vector<int16_t> pcm;
    int blocsSon = 0;
};

// Reads a whole movie the way the player's feeder does: every block, images decoded in order.
Lu ToutLire(const std::string& chemin) {
    Lu lu;
    TMSettings reglages;
    TMSettings_GetDefaults(&reglages);
    RVFReader r;
    lu.erreur = RVFReader_OpenFile(&r, chemin.c_str(), &reglages);
    if (lu.erreur != 0) return lu;
    const int32_t l = RVFReader_Width(&r), h = RVFReader_Height(&r);
    EXPECT_EQ(TM_LoadCodec(r.header, 15, true), 0);
    Adpcm_Init(ADPCM_VERSION);
    APCDecoder apc;
    std::vector<uint16_t> a(static_cast<size_t>(l) * h), b(a.size());
    std::vector<uint8_t> charge;
    while (!r.end) {
        if (RVFReader_NextBlockSet(&r) != 0) break;
        while (!RVFReader_SetExhausted(&r)) {
            const int32_t e = RVFReader_NextBlock(&r);
            if (e != 0) {
                if (e == -3) lu.erreur = -3;
                return lu;
            }
            charge.assign(static_cast<size_t>(RVFReader_PayloadReadBytes(&r)), 0);
            RVFReader_ReadPayload(&r, charge.data(), static_cast<int32_t>(charge.size()));
            RVFReader_AddConsumed(&r, static_cast<uint32_t>(charge.size()));
            RVFReader_SubtractSet(&r, static_cast<int32_t>(charge.size()));
            const int32_t donnees = RVFReader_PayloadDataBytes(&r);
            if (RVFReader_IsImageBlock(&r)) {
                RVFPI_DecoderBorne(charge.data(), static_cast<size_t>(donnees), a.data(), b.data(), static_cast<size_t>(l) * 2);
                lu.sommes.push_back(Somme(b));
                std::swap(a, b);
            } else {
                const uint8_t* p = charge.data();
                if (lu.blocsSon++ == 0) {
                    EXPECT_EQ(APC_ReadHeader(p, &apc), 0);
                    p += 32;
                } else {
                    apc.data = p;
                }
                std::vector<int16_t> s(static_cast<size_t>(donnees) * 4);
                int16_t* o = s.data();
                uint32_t manque = 0;
                APC_DecodeBorne(&o, &apc, static_cast<uint32_t>(s.size()), &manque, charge.data() + donnees);
                lu.pcm.insert(lu.pcm.end(), s.data(), o);
            }
            if (RVFReader_EndReached(&r)) break;
        }
    }
    TM_FreeCodec();
    return lu;
}

}  // namespace

TEST(RvfEntete, Validation) {
    struct Cas {
        const char* magie;
        int largeur, hauteur, bits;
        uint32_t imgLenMax;
        int32_t attendu;
    } cas[] = {
        {"RVF6", 640, 480, 15, 100, 0},    {"RVF6", 512, 384, 16, 100, 0},   {"RVF6", 800, 600, 15, 100, -14},
        {"RVF6", 640, 480, 24, 100, -13},  {"RVF6", 640, 480, 15, 0, -2},    {"RVF6", 640, 0, 15, 100, -14},
        {"RVF6", 640, 5000, 15, 100, -14}, {"UBB2", 320, 200, 8, 100, 0},    {"UBB2", 640, 480, 15, 100, -13},
        {"UBB2", 512, 480, 8, 100, -14},   {"RVF5", 640, 480, 15, 100, -4},
    };
    for (const auto& c : cas)
        EXPECT_EQ(RVFHeader_Validate(Entete(c.magie, c.largeur, c.hauteur, c.bits, c.imgLenMax).data()), c.attendu)
            << c.magie << " " << c.largeur << "x" << c.hauteur << " " << c.bits;
    EXPECT_EQ(RVF_CheckHeader(Entete("UBB2", 320, 200, 8).data()), 5);
}

TEST(RvfLecteur, RefusesHeadersAndShortFiles) {
    ArbreTemporaire arbre;
    const std::string chemin = (arbre.Racine() / "f.rvf").string();
    TMSettings reglages;
    TMSettings_GetDefaults(&reglages);
    RVFReader r;
    auto v5 = Entete("UBB2", 320, 200, 8);
    v5.resize(200);
    Ecrire(chemin, v5);
    EXPECT_EQ(RVFReader_OpenFile(&r, chemin.c_str(), &reglages), -4);   // version 5 passes the check, then refused
    Ecrire(chemin, std::vector<uint8_t>(30, 'R'));
    EXPECT_EQ(RVFReader_OpenFile(&r, chemin.c_str(), &reglages), -4);
    EXPECT_EQ(RVFReader_OpenFile(&r, (arbre.Racine() / "absent.rvf").c_str(), &reglages), -7);
    auto e = Entete("RVF6", 640, 480, 15);
    e[6] = 0x80;   // stereo at rate 0 still has sound
    e.resize(100);
    Ecrire(chemin, e);
    ASSERT_EQ(RVFReader_OpenFile(&r, chemin.c_str(), &reglages), 0);
    EXPECT_TRUE(RVFReader_HasSound(&r));
    EXPECT_EQ(RVFReader_Channels(&r), 2);
    EXPECT_EQ(RVFReader_Rate(&r), 0);
    RVFReader_Close(&r);
}

TEST(RvfLecteur, PaddingRulesAndBlockErrors) {
    ArbreTemporaire arbre;
    const std::string chemin = (arbre.Racine() / "f.rvf").string();
    TMSettings reglages;
    TMSettings_GetDefaults(&reglages);
    auto film = [&](bool vb3, std::vector<uint8_t> corps) {
        auto e = Entete("RVF6", 512, 4, 15);
        if (vb3) std::memcpy(e.data() + 20, "V B3", 4);
        const uint32_t taille = static_cast<uint32_t>(64 + corps.size());
        for (int i = 0; i < 4; ++i) e[12 + i] = static_cast<uint8_t>(taille >> (8 * i));
        e.insert(e.end(), corps.begin(), corps.end());
        Ecrire(chemin, e);
    };
    RVFReader r;
    // Without "V B3": a payload of 5 reads 8 and gives 5.
    film(false, {24, 0, 0, 0, 13, 0, 0, 0, 'I', 'V', 0, 0, 1, 2, 3, 4, 5, 0, 0, 0, 9, 9, 9, 9});
    ASSERT_EQ(RVFReader_OpenFile(&r, chemin.c_str(), &reglages), 0);
    ASSERT_EQ(RVFReader_NextBlockSet(&r), 0);
    ASSERT_EQ(RVFReader_NextBlock(&r), 0);
    EXPECT_EQ(RVFReader_PayloadReadBytes(&r), 8);
    EXPECT_EQ(RVFReader_PayloadDataBytes(&r), 5);
    // With it and align 3: a payload of 8 reads 8 and gives 5.
    film(true, {20, 0, 0, 0, 16, 0, 0, 0, 'A', 'A', 0, 3, 1, 2, 3, 4, 5, 0, 0, 0});
    ASSERT_EQ(RVFReader_OpenFile(&r, chemin.c_str(), &reglages), 0);
    ASSERT_EQ(RVFReader_NextBlockSet(&r), 0);
    ASSERT_EQ(RVFReader_NextBlock(&r), 0);
    EXPECT_EQ(RVFReader_PayloadReadBytes(&r), 8);
    EXPECT_EQ(RVFReader_PayloadDataBytes(&r), 5);
    EXPECT_TRUE(RVFReader_IsSoundBlock(&r));
    // An unknown id: -3, the id cleared.
    film(false, {20, 0, 0, 0, 12, 0, 0, 0, 'Z', 'Z', 0, 0, 1, 2, 3, 4, 0, 0, 0, 0});
    ASSERT_EQ(RVFReader_OpenFile(&r, chemin.c_str(), &reglages), 0);
    ASSERT_EQ(RVFReader_NextBlockSet(&r), 0);
    EXPECT_EQ(RVFReader_NextBlock(&r), -3);
    EXPECT_EQ(RVFReader_BlockId(&r), 0);
    // A zero set length, a zero block length, a block running past the file, a huge block.
    const std::vector<std::vector<uint8_t>> fautifs = {
        {0, 0, 0, 0, 12, 0, 0, 0},
        {20, 0, 0, 0, 0, 0, 0, 0, 'I', 'V', 0, 0},
        {20, 0, 0, 0, 200, 0, 0, 0, 'I', 'V', 0, 0, 1, 2, 3, 4},
        {20, 0, 0, 0, 0xF8, 0xFF, 0xFF, 0xFF, 'I', 'V', 0, 0, 1, 2, 3, 4},
    };
    for (const auto& f : fautifs) {
        film(false, f);
        ASSERT_EQ(RVFReader_OpenFile(&r, chemin.c_str(), &reglages), 0);
        int32_t e = RVFReader_NextBlockSet(&r);
        if (e == 0) e = RVFReader_NextBlock(&r);
        EXPECT_EQ(e, -11) << f[4];
        EXPECT_TRUE(r.end);
    }
    // A block header that reaches the file size: returned as read, the end flag set.
    film(false, {12, 0, 0, 0, 8, 0, 0, 0, 'Q', 'Q', 0, 0});
    ASSERT_EQ(RVFReader_OpenFile(&r, chemin.c_str(), &reglages), 0);
    ASSERT_EQ(RVFReader_NextBlockSet(&r), 0);
    EXPECT_EQ(RVFReader_NextBlock(&r), 0);
    EXPECT_TRUE(r.end);
    RVFReader_Close(&r);
}

TEST(RvfEcriture, MoviesReadBackToTheSourceFrames) {
    ArbreTemporaire arbre;
    const std::string chemin = (arbre.Racine() / "f.rvf").string();
    struct Cas {
        int largeur;
        bool son, stereo, vb3;
    } cas[] = {{640, false, false, false}, {512, true, false, false}, {640, true, true, true}, {512, true, false, true}};
    for (const auto& c : cas) {
        FilmSource s = Source(c.largeur, 6, 9, c.son, c.stereo);
        s.vb3 = c.vb3;
        ASSERT_TRUE(RVF_EcrireFichier(chemin, s));
        Lu lu = ToutLire(chemin);
        ASSERT_EQ(lu.erreur, 0);
        ASSERT_EQ(lu.sommes.size(), s.images.size());
        for (size_t k = 0; k < s.images.size(); ++k) EXPECT_EQ(lu.sommes[k], Somme(s.images[k])) << k;
        EXPECT_EQ(lu.pcm.size(), s.pcm.size());
        double erreur = 0;
        for (size_t i = 0; i < std::min(lu.pcm.size(), s.pcm.size()); ++i)
            erreur = std::max(erreur, std::fabs(double(lu.pcm[i]) - s.pcm[i]));
        EXPECT_LT(erreur, 1500.0);
        if (c.son) {
            EXPECT_GT(lu.blocsSon, 2);
        }
    }
}

TEST(RvfEcriture, RefusesWhatTheFormatLacks) {
    FilmSource s = Source(640, 4, 2, true);
    s.frequence = 11025;
    EXPECT_TRUE(RVF_EcrireFilm(s).empty());
    FilmSource t = Source(640, 4, 2, false);
    t.largeur = 800;
    EXPECT_TRUE(RVF_EcrireFilm(t).empty());
}
