#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>

#include "../arbre_temporaire.h"
#include "../foundation/ecran_fixture.h"   // FinProgramme
#include "platform/plateforme.h"
#include "scene/palettes.h"

namespace {

constexpr uint16_t Rgb(int r, int g, int b) { return static_cast<uint16_t>(r << 10 | g << 5 | b); }

class Palettes : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    uint8_t* palette = nullptr;
    uint8_t* tuiles = nullptr;
    uint16_t* table = nullptr;

    void SetUp() override {
        Plateforme_Initialiser(OptionsPlateforme{});
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
    }
    void TearDown() override {
        delete[] palette;
        delete[] tuiles;
        TableOmbrage__Liberation(table);
        Terrain__Liberation();
    }
    // A palette of `taille` bytes: entry 0 white, entry 1 (51, 102, 204), the others i, i, i.
    static std::string Palette(size_t taille) {
        std::string s;
        for (int i = 0; i < 256; ++i) {
            const int r = i == 0 ? 255 : i == 1 ? 51 : i;
            const int g = i == 0 ? 255 : i == 1 ? 102 : i;
            const int b = i == 0 ? 255 : i == 1 ? 204 : i;
            s += static_cast<char>(r);
            s += static_cast<char>(g);
            s += static_cast<char>(b);
        }
        s.resize(taille, '\x07');
        return s;
    }
    std::string Rapport() const { return arbre.Lire("Erreur.txt"); }
};

TEST_F(Palettes, GradientStepsHoldTheirShareOfTheColour) {
    uint16_t degrade[128];
    Palette__Degrade2(degrade, 255, 255, 255, 128.0f);
    EXPECT_EQ(degrade[0], 0);
    EXPECT_EQ(degrade[1], 0);   // 1/128 of 32 truncates to 0
    EXPECT_EQ(degrade[64], Rgb(16, 16, 16));
    EXPECT_EQ(degrade[127], Rgb(31, 31, 31));   // no step reaches the full colour
    Palette__Degrade2(degrade, 51, 102, 204, 128.0f);
    EXPECT_EQ(degrade[100], Rgb(5, 10, 20));
    EXPECT_EQ(degrade[127], Rgb(6, 12, 25));
    Palette__Degrade2(degrade, 255, 0, 0, 128.0f);
    EXPECT_EQ(degrade[127], Rgb(31, 0, 0));
}

// The 5-6-5 twin: green on 6 bits (64 steps, at most 63), red from bit 11.
TEST_F(Palettes, TheTwinGradientIsFiveSixFive) {
    const auto rgb565 = [](int r, int g, int b) { return static_cast<uint16_t>(r << 11 | g << 5 | b); };
    uint16_t degrade[128];
    Palette__Degrade(degrade, 255, 255, 255, 128.0f);
    EXPECT_EQ(degrade[0], 0);
    EXPECT_EQ(degrade[1], 0);
    EXPECT_EQ(degrade[2], rgb565(0, 1, 0));   // 2/128 of 64
    EXPECT_EQ(degrade[64], rgb565(16, 32, 16));
    EXPECT_EQ(degrade[127], rgb565(31, 63, 31));
    Palette__Degrade(degrade, 51, 102, 204, 128.0f);
    EXPECT_EQ(degrade[127], rgb565(6, 25, 25));
    const std::string couleurs = Palette(768);
    uint16_t* t = TableCouleurs__Creation(reinterpret_cast<const uint8_t*>(couleurs.data()));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(t) % 512, 0u);
    EXPECT_EQ(t[127 * 256 + 0], rgb565(31, 63, 31));
    EXPECT_EQ(t[64 * 256 + 0], rgb565(16, 32, 16));
    TableOmbrage__Liberation(t);
}

TEST_F(Palettes, TableIsStepMajorAlignedAndFreedThroughItsOwnBlock) {
    const std::string couleurs = Palette(768);
    uint16_t* a = TableCouleurs__Creation2(reinterpret_cast<const uint8_t*>(couleurs.data()));
    uint8_t* blocA = TableOmbrageBrute;
    uint16_t* b = TableCouleurs__Creation2(reinterpret_cast<const uint8_t*>(couleurs.data()));
    EXPECT_NE(TableOmbrageBrute, blocA);
    for (uint16_t* t : {a, b}) {
        EXPECT_EQ(reinterpret_cast<uintptr_t>(t) % 512, 0u);
        EXPECT_EQ(t[0], 0);
        EXPECT_EQ(t[127 * 256 + 0], Rgb(31, 31, 31));
        EXPECT_EQ(t[64 * 256 + 0], Rgb(16, 16, 16));
        EXPECT_EQ(t[100 * 256 + 1], Rgb(5, 10, 20));
        EXPECT_EQ(t[127 * 256 + 255], Rgb(31, 31, 31));
        EXPECT_EQ(t[127 * 256 + 128], Rgb(15, 15, 15));
    }
    // The older table frees its own block although a newer one was built since (ASan checks).
    TableOmbrage__Liberation(a);
    EXPECT_NE(TableOmbrageBrute, nullptr);
    TableOmbrage__Liberation(b);
    EXPECT_EQ(TableOmbrageBrute, nullptr);
}

TEST_F(Palettes, PreparationReadsThePaletteHeadAndTheRawBank) {
    std::string banque(2 * 2304, '\0');
    banque[0] = 3;
    banque[2304 + 2303] = 9;
    arbre.Ecrire("spredit/moteur/matiere1.pal", Palette(800));   // read for its first 768 bytes only
    arbre.Ecrire("spredit/moteur/matiere1.spr", banque);
    uint16_t* rendu = Lumiere___preparation(&palette, &tuiles, &table, "..\\spredit\\moteur\\matiere1", 2);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(rendu, table);
    EXPECT_FALSE(arbre.Existe("Erreur.txt")) << Rapport();
    EXPECT_EQ(palette[3], 51);
    EXPECT_EQ(palette[767], 255);
    EXPECT_EQ(tuiles[0], 3);
    EXPECT_EQ(tuiles[2304 + 2303], 9);
    EXPECT_EQ(table[100 * 256 + 1], Rgb(5, 10, 20));
}

TEST_F(Palettes, ShortPaletteAsksAndReadsAsBlackShortBankIsZeroed) {
    arbre.Ecrire("jeu/set.pal", Palette(300));
    arbre.Ecrire("jeu/set.spr", std::string(100, '\x05'));
    Lumiere___preparation(&palette, &tuiles, &table, "..\\jeu\\set", 3);
    EXPECT_EQ(Rapport(), "Lumiere___preparation: Erreur de lecture");
    EXPECT_EQ(palette[299], 99);   // 300 bytes came: entry 99's blue
    EXPECT_EQ(palette[300], 0);
    EXPECT_EQ(table[127 * 256 + 200], 0);   // an entry past the read is black
    EXPECT_EQ(tuiles[99], 5);
    EXPECT_EQ(tuiles[100], 0);
    EXPECT_EQ(tuiles[3 * 2304 - 1], 0);
}

TEST_F(Palettes, MissingFileIsFatal) {
    struct Cas { bool pal, spr; const char* rapport; };
    for (const Cas& c : {Cas{false, true, "Lumiere___preparation: fichier non trouvé : ..\\jeu\\set.pal"},
                         Cas{true, false, "Lumiere___preparation: fichier non trouvé : ..\\jeu\\set.spr"}}) {
        std::filesystem::remove_all(arbre.Racine() / "jeu");
        std::filesystem::remove(arbre.Racine() / "Erreur.txt");
        if (c.pal) arbre.Ecrire("jeu/set.pal", Palette(768));
        if (c.spr) arbre.Ecrire("jeu/set.spr", std::string(2304, '\x01'));
        int code = -1;
        try {
            Terrain__Chargement("..\\jeu\\set", 1);
        } catch (const FinProgramme& f) {
            code = f.code;
        }
        EXPECT_EQ(code, 1);
        EXPECT_EQ(Rapport(), c.rapport);
        EXPECT_EQ(TerrainTableOmbrage, nullptr);
    }
}

TEST_F(Palettes, SceneSetIsLoadedAndFreed) {
    arbre.Ecrire("jeu/set.pal", Palette(768));
    arbre.Ecrire("jeu/set.spr", std::string(4 * 2304, '\x02'));
    Terrain__Chargement("..\\jeu\\set", 4);
    ASSERT_NE(TerrainTableOmbrage, nullptr);
    EXPECT_EQ(TerrainNombreTuiles, 4);
    EXPECT_EQ(TerrainTuiles[4 * 2304 - 1], 2);
    Terrain__Chargement("..\\jeu\\set", 4);   // a second scene start frees the first set
    Terrain__Liberation();
    EXPECT_EQ(TerrainTuiles, nullptr);
    EXPECT_EQ(TerrainTableOmbrage, nullptr);
}

}  // namespace

namespace {

// The sample game's terrain set: whole, and its opaque tiles hold no transparent index.
TEST_F(Palettes, SampleTerrainSetIsWhole) {
    const std::filesystem::path dossier = std::filesystem::path(MORVANE_JEU_DIR) / "spredit" / "moteur";
    ASSERT_EQ(std::filesystem::file_size(dossier / "matiere1.pal"), 768u);
    ASSERT_EQ(std::filesystem::file_size(dossier / "matiere1.spr"), 676u * 2304u);
    Terrain__Chargement((dossier / "matiere1").string().c_str(), 676);
    EXPECT_FALSE(arbre.Existe("Erreur.txt")) << Rapport();
    for (int n : {1, 5, 24, 75, 81, 128, 283, 336, 387, 390, 677}) {
        const int banque = n >= 390 ? n - 2 : n;
        const uint8_t* tuile = TerrainTuiles + banque * 2304;
        EXPECT_EQ(std::count(tuile, tuile + 2304, 0), 0) << n;
    }
    EXPECT_NE(TerrainTableOmbrage[127 * 256 + TerrainTuiles[0]], 0);
}

}  // namespace
