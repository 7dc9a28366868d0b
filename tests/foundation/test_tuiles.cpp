#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "foundation/ecran.h"
#include "foundation/tuiles.h"

namespace {

// The renderers write into a back buffer of the given size; the shade table's entry tells its
// own light step and palette index (step << 8 | index), so a pixel shows which light it got.
class RenduTuile : public ::testing::Test {
protected:
    static constexpr uint16_t Fond = 0xFFFF;
    std::vector<uint16_t> tampon;
    std::vector<uint16_t> table = std::vector<uint16_t>(128 * 256);
    std::array<uint8_t, 48 * 48> texels{};

    void SetUp() override {
        for (int pas = 0; pas < 128; ++pas)
            for (int i = 0; i < 256; ++i) table[pas * 256 + i] = static_cast<uint16_t>(pas << 8 | i);
        for (int i = 0; i < 48 * 48; ++i) texels[i] = static_cast<uint8_t>(1 + i % 200);
        Ecran(640, 480);
        TuileTexels = texels.data();
        TuileTableOmbrage = table.data();
        TuileX = 0;
        TuileY = 0;
    }
    void TearDown() override { EcranTampon = nullptr; }
    void Ecran(int largeur, int hauteur) {
        LargeurEcran = largeur;
        HauteurEcran = hauteur;
        tampon.assign(static_cast<size_t>(largeur) * hauteur, Fond);
        EcranTampon = tampon.data();
        TuileLargeurEcran = largeur;
    }
    static void Coins(int hg, int hd, int bg, int bd) {
        TuileIntensiteHautGauche = hg;
        TuileIntensiteHautDroite = hd;
        TuileIntensiteBasGauche = bg;
        TuileIntensiteBasDroite = bd;
    }
    uint16_t At(int x, int y) const { return tampon[static_cast<size_t>(y) * LargeurEcran + x]; }
    // Light step of the tile's pixel (col, row).
    int Pas(int col, int ligne) const { return At(TuileX + col, TuileY + ligne) >> 8; }
};

}  // namespace

TEST_F(RenduTuile, CoinsEgauxDonnentLeMemePasPartout) {
    for (int n = 0; n < 128; ++n) {
        Coins(n, n, n, n);
        Tuile_AffichageGouraud();
        for (int ligne = 0; ligne < 48; ++ligne)
            for (int col = 0; col < 48; ++col)
                ASSERT_EQ(At(col, ligne), table[n * 256 + texels[ligne * 48 + col]]) << n << " " << col << "," << ligne;
    }
}

TEST_F(RenduTuile, DegradeDeGaucheADroite) {
    // Corners 0 on the left and 96 on the right: first pixel of each row step 2, last 96.
    Coins(0, 96, 0, 96);
    TuileX = 96;
    TuileY = 48;
    Tuile_AffichageGouraud();
    for (int ligne = 0; ligne < 48; ++ligne) {
        EXPECT_EQ(Pas(0, ligne), 2);
        EXPECT_EQ(Pas(24, ligne), 50);
        EXPECT_EQ(Pas(47, ligne), 96);
    }
    EXPECT_EQ(At(95, 48), Fond);
    EXPECT_EQ(At(144, 48), Fond);
    EXPECT_EQ(At(96, 47), Fond);
    EXPECT_EQ(At(96, 96), Fond);
}

TEST_F(RenduTuile, QuatreCoinsCalculesALaMain) {
    // Left edge 10 -> 70, right edge 40 -> 100, in 16.16 steps of 60/48 and a row step of 30/48:
    // row 0 from 10 + 1/2 + 30/48 to 40 + 1/2; row 47 from 68.75 + 1/2 + 30/48 to 98.75 + 1/2 + 30.
    Coins(10, 40, 70, 100);
    Tuile_AffichageGouraud();
    EXPECT_EQ(Pas(0, 0), 11);
    EXPECT_EQ(Pas(47, 0), 40);
    EXPECT_EQ(Pas(0, 47), 69);
    EXPECT_EQ(Pas(47, 47), 99);
    EXPECT_EQ(At(0, 0) & 0xFF, texels[0]);
    // The same tile lit by the mirrored corners runs the other way.
    Coins(100, 70, 40, 10);
    Tuile_AffichageGouraud();
    EXPECT_EQ(Pas(0, 0), 99);
    EXPECT_EQ(Pas(47, 47), 11);
}

TEST_F(RenduTuile, TransparenteAvanceLaLumiereAuxSeulsPixelsDessines) {
    texels.fill(0);
    texels[0] = 5;
    texels[47] = 6;
    Coins(0, 96, 0, 96);
    Tuile_AffichageGouraud2();
    // Light 0 + 1/2 + 2 for the first drawn pixel, one step more (not 47) for the next.
    EXPECT_EQ(At(0, 0), table[2 * 256 + 5]);
    EXPECT_EQ(At(47, 0), table[4 * 256 + 6]);
    for (int col = 1; col < 47; ++col) EXPECT_EQ(At(col, 0), Fond);
    for (int ligne = 1; ligne < 48; ++ligne) EXPECT_EQ(At(0, ligne), Fond);
    // The opaque member draws index 0 like any other.
    Tuile_AffichageGouraud();
    EXPECT_EQ(At(1, 0), table[4 * 256 + 0]);
    EXPECT_EQ(At(47, 0), table[96 * 256 + 6]);
}

TEST_F(RenduTuile, CoinsHorsDePlageRamenesA0Et127) {
    Coins(-40, 500, -1, 128);
    Tuile_AffichageGouraud();
    const std::vector<uint16_t> borne = tampon;
    tampon.assign(tampon.size(), Fond);
    Coins(0, 127, 0, 127);
    Tuile_AffichageGouraud();
    EXPECT_EQ(tampon, borne);
    EXPECT_EQ(Pas(47, 47), 127);
}

TEST_F(RenduTuile, TuileHorsTamponNonDessineeQuelQueSoitLePas) {
    // A narrow buffer with an odd pitch: a tile inside lands at the right rows.
    Ecran(101, 60);
    Coins(30, 30, 30, 30);
    TuileX = 53;
    TuileY = 12;
    Tuile_AffichageGouraud2();
    EXPECT_EQ(At(53, 12), table[30 * 256 + texels[0]]);
    EXPECT_EQ(At(100, 59), table[30 * 256 + texels[47 * 48 + 47]]);
    EXPECT_EQ(At(52, 12), Fond);
    EXPECT_EQ(At(53, 11), Fond);
    // Positions not wholly inside: nothing is written.
    const std::vector<uint16_t> avant = tampon;
    for (auto [x, y] : {std::pair{54, 0}, {0, 13}, {-1, 0}, {0, -1}, {101, 0}, {0, 60}, {-48, -48}}) {
        TuileX = x;
        TuileY = y;
        Tuile_AffichageGouraud();
        Tuile_AffichageGouraud2();
    }
    // A pitch wider than the buffer's rows cannot reach past its end either.
    TuileLargeurEcran = 200;
    TuileX = 0;
    TuileY = 12;
    Tuile_AffichageGouraud();
    EXPECT_EQ(tampon, avant);
    TuileLargeurEcran = 40;   // narrower than a tile
    TuileY = 0;
    Tuile_AffichageGouraud();
    EXPECT_EQ(tampon, avant);
}

namespace {

// A 5-bit tile whose pixel (x, y) holds red x, green y, blue (x + y) % 32.
std::vector<uint8_t> Tuile5Bits() {
    std::vector<uint8_t> t(48 * 48 * 3);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) {
            t[(y * 48 + x) * 3 + 0] = static_cast<uint8_t>(x);
            t[(y * 48 + x) * 3 + 1] = static_cast<uint8_t>(y);
            t[(y * 48 + x) * 3 + 2] = static_cast<uint8_t>((x + y) % 32);
        }
    return t;
}

}  // namespace

TEST(PixelsTuile, DecalageDesLignes) {
    std::vector<uint8_t> tuile = Tuile5Bits();
    const std::vector<uint8_t> avant = tuile;
    std::array<uint8_t, 48> decalages{};
    decalages[1] = 1;
    decalages[2] = 47;
    decalages[3] = 48;   // a whole turn
    decalages[4] = 50;
    Tuile_DecalageLignes(tuile.data(), decalages.data());
    const auto rouge = [&tuile](int x, int y) { return tuile[(y * 48 + x) * 3]; };
    EXPECT_TRUE(std::equal(tuile.begin(), tuile.begin() + 144, avant.begin()));   // shift 0
    EXPECT_EQ(rouge(0, 1), 1);
    EXPECT_EQ(rouge(47, 1), 0);   // the first pixel moved to the end
    EXPECT_EQ(tuile[(1 * 48 + 47) * 3 + 1], 1);   // with all its channels
    EXPECT_EQ(rouge(0, 2), 47);
    EXPECT_EQ(rouge(0, 3), 0);
    EXPECT_EQ(rouge(0, 4), 2);
    EXPECT_EQ(rouge(47, 4), 1);
}

TEST(PixelsTuile, AdditionSatureeAuxBornes) {
    // The water's 32-entry curve, whose values reach 32; exactly 32 bytes so a read past it shows.
    std::vector<uint8_t> courbe(32);
    for (int i = 0; i < 32; ++i) courbe[i] = static_cast<uint8_t>(i);
    courbe[3] = 5;
    courbe[5] = 32;
    struct Cas {
        uint8_t destination, source, attendu;
    };
    const Cas cas[] = {
        {0, 0, 0}, {0, 2, 2}, {29, 2, 31}, {30, 2, 31}, {31, 31, 31},
        {0, 3, 31},    // curve(curve(3)) = curve(5) = 32
        {0, 5, 31},    // curve(curve(5)) = curve(32), read as 32
        {0, 40, 31},   // an index beyond the curve reads as 32
        {0, 255, 31}, {10, 31, 31}, {0, 31, 31}, {0, 30, 30},
    };
    std::vector<uint8_t> destination(48 * 48 * 3), source(48 * 48 * 3);
    for (size_t i = 0; i < destination.size(); ++i) {
        const Cas& c = cas[i % std::size(cas)];
        destination[i] = c.destination;
        source[i] = c.source;
    }
    Tuile_AdditionSaturee(destination.data(), source.data(), courbe.data());
    for (size_t i = 0; i < destination.size(); ++i) {
        const Cas& c = cas[i % std::size(cas)];
        ASSERT_EQ(destination[i], c.attendu) << int(c.destination) << " + " << int(c.source);
    }
}

TEST(PixelsTuile, ConversionEn555) {
    std::vector<uint8_t> tuile(48 * 48 * 3, 0);
    const uint8_t pixels[][3] = {{31, 0, 0}, {0, 31, 0}, {0, 0, 31}, {1, 2, 3}, {0, 32, 0}};
    for (size_t i = 0; i < std::size(pixels); ++i)
        for (int c = 0; c < 3; ++c) tuile[i * 3 + c] = pixels[i][c];
    std::vector<uint16_t> sortie(48 * 48, 0xFFFF);
    Pixels_Conversion24Vers555(tuile.data(), sortie.data());
    EXPECT_EQ(sortie[0], 0x7C00);
    EXPECT_EQ(sortie[1], 0x03E0);
    EXPECT_EQ(sortie[2], 0x001F);
    EXPECT_EQ(sortie[3], 1 << 10 | 2 << 5 | 3);
    EXPECT_EQ(sortie[4], 1 << 10);   // channels are not masked
    EXPECT_EQ(sortie[48 * 48 - 1], 0);
}

class PixelsEcranTuile : public ::testing::Test {
protected:
    std::vector<uint16_t> ecran;
    void SetUp() override {
        LargeurEcran = 100;
        HauteurEcran = 70;
        ecran.assign(100 * 70, 0);
    }
};

TEST_F(PixelsEcranTuile, CopieDUnBloc48) {
    std::vector<uint16_t> bloc(48 * 48);
    for (int i = 0; i < 48 * 48; ++i) bloc[i] = static_cast<uint16_t>(i + 1);
    Tuile_Copie48(bloc.data(), ecran.data(), 52, 22);   // bottom-right corner, pitch 100
    EXPECT_EQ(ecran[22 * 100 + 52], 1);
    EXPECT_EQ(ecran[23 * 100 + 52], 49);
    EXPECT_EQ(ecran[69 * 100 + 99], 48 * 48);
    EXPECT_EQ(ecran[22 * 100 + 51], 0);
    EXPECT_EQ(ecran[21 * 100 + 52], 0);
    const std::vector<uint16_t> avant = ecran;
    for (auto [x, y] : {std::pair{53, 0}, {0, 23}, {-1, 0}, {0, -1}, {1000, 1000}}) Tuile_Copie48(bloc.data(), ecran.data(), x, y);
    EXPECT_EQ(ecran, avant);
}

TEST_F(PixelsEcranTuile, AjoutRGBSature) {
    uint16_t& p = ecran[5 * 100 + 7];
    p = 25 << 10 | 3 << 5 | 31;
    Pixel_AjoutRGB(ecran.data(), 7, 5, 10, 0, 0);
    EXPECT_EQ(p, 31 << 10 | 3 << 5 | 31);
    Pixel_AjoutRGB(ecran.data(), 7, 5, 0, 4, 1);
    EXPECT_EQ(p, 31 << 10 | 7 << 5 | 31);
    // A negative amount stops at 0 instead of borrowing from the next field.
    Pixel_AjoutRGB(ecran.data(), 7, 5, -40, -3, -1000);
    EXPECT_EQ(p, 4 << 5);
    EXPECT_EQ(ecran[5 * 100 + 6], 0);
    EXPECT_EQ(ecran[5 * 100 + 8], 0);
    // Outside the screen: nothing.
    const std::vector<uint16_t> avant = ecran;
    for (auto [x, y] : {std::pair{100, 0}, {0, 70}, {-1, 0}, {0, -1}}) Pixel_AjoutRGB(ecran.data(), x, y, 5, 5, 5);
    EXPECT_EQ(ecran, avant);
}
