#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "foundation/ecran.h"
#include "foundation/image.h"
#include "test_image_outils.h"

namespace {

using Tga = ArbreImages;

uint32_t Pixel(const Image* image, int x, int y) {
    const uint8_t* p = image->pixels + static_cast<size_t>(y) * image->octetsParLigne + x * (image->bitsParPixel / 8);
    uint32_t v = 0;
    for (int i = 0; i < image->bitsParPixel / 8; ++i) v |= uint32_t{p[i]} << (8 * i);
    return v;
}

void EcrirePixel(Image* image, int x, int y, uint32_t v) {
    uint8_t* p = image->pixels + static_cast<size_t>(y) * image->octetsParLigne + x * (image->bitsParPixel / 8);
    for (int i = 0; i < image->bitsParPixel / 8; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// A picture made in memory: a 2 x 1 TGA loaded from a temporary file is overkill for conversions.
Image* Nouvelle(const FormatImage& format, int largeur, int hauteur) {
    Image* image = new Image{};
    static_cast<FormatImage&>(*image) = format;
    image->largeur = largeur;
    image->hauteur = hauteur;
    image->octetsParLigne = ((largeur * format.bitsParPixel + 31) / 32) * 4;
    image->remplissage = image->octetsParLigne - largeur * format.bitsParPixel / 8;
    image->pixels = new uint8_t[static_cast<size_t>(image->octetsParLigne) * hauteur]();
    return image;
}

bool MemeFormat(const FormatImage& a, const FormatImage& b) {
    return a.bitsBleu == b.bitsBleu && a.decalageBleu == b.decalageBleu && a.bitsVert == b.bitsVert &&
           a.decalageVert == b.decalageVert && a.bitsRouge == b.bitsRouge && a.decalageRouge == b.decalageRouge &&
           a.bitsParPixel == b.bitsParPixel;
}

}  // namespace

TEST_F(Tga, AccepteSeulementLeTrueColourNonCompresse) {
    struct Cas {
        const char* nom;
        EnteteTga entete;
        bool accepte;
        FormatImage format;
    };
    const Cas cas[] = {
        {"24 bits", {.type = 2, .largeur = 2, .hauteur = 2, .profondeur = 24}, true, {8, 0, 8, 8, 8, 16, 24}},
        {"32 bits", {.type = 2, .largeur = 2, .hauteur = 2, .profondeur = 32}, true, {8, 0, 8, 8, 8, 16, 32}},
        // 16-bit files hold 5-5-5 pixels, not 8-bit channels.
        {"16 bits", {.type = 2, .largeur = 2, .hauteur = 2, .profondeur = 16}, true, {5, 0, 5, 5, 5, 10, 16}},
        {"avec un champ ID", {.longueurId = 7, .type = 2, .largeur = 2, .hauteur = 2}, true, {8, 0, 8, 8, 8, 16, 24}},
        {"palette (type 1)", {.typePalette = 1, .type = 1, .nombreCouleurs = 256, .tailleCouleur = 24, .largeur = 2, .hauteur = 2, .profondeur = 8}, false, {}},
        {"compresse (type 10)", {.type = 10, .largeur = 2, .hauteur = 2}, false, {}},
        {"gris (type 3)", {.type = 3, .largeur = 2, .hauteur = 2, .profondeur = 8}, false, {}},
        {"type 2 avec palette", {.typePalette = 1, .type = 2, .largeur = 2, .hauteur = 2}, false, {}},
        {"longueur de palette", {.type = 2, .nombreCouleurs = 4, .largeur = 2, .hauteur = 2}, false, {}},
        {"premiere couleur", {.type = 2, .premiereCouleur = 1, .largeur = 2, .hauteur = 2}, false, {}},
        {"taille de couleur", {.type = 2, .tailleCouleur = 24, .largeur = 2, .hauteur = 2}, false, {}},
        {"profondeur 8", {.type = 2, .largeur = 2, .hauteur = 2, .profondeur = 8}, false, {}},
        {"profondeur 15", {.type = 2, .largeur = 2, .hauteur = 2, .profondeur = 15}, false, {}},
        {"largeur nulle", {.type = 2, .largeur = 0, .hauteur = 2}, false, {}},
        {"hauteur nulle", {.type = 2, .largeur = 2, .hauteur = 0}, false, {}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        // Enough pixel bytes for the largest depth.
        Ecrire("images/t.tga", FichierTga(c.entete, std::vector<uint8_t>(64, 0x55)));
        Image* image = Image_ChargementTga("..\\Images\\T.TGA");
        EXPECT_EQ(image != nullptr, c.accepte);
        if (image) {
            EXPECT_TRUE(MemeFormat(*image, c.format));
            EXPECT_EQ(image->largeur, 2);
            EXPECT_EQ(image->hauteur, 2);
            EXPECT_EQ(Pixel(image, 1, 1) & 0xFFFF, 0x5555u);   // the ID field was skipped
        }
        Image_Liberation(image);
    }
}

TEST_F(Tga, FichiersCourtsOuAbsentsDonnentNull) {
    EXPECT_EQ(Image_ChargementTga("..\\images\\absent.tga"), nullptr);
    const EnteteTga e{.largeur = 3, .hauteur = 2, .profondeur = 24};
    const std::vector<uint8_t> complet = FichierTga(e, RangeesTga24(3, 2, [](int, int) { return 0x112233u; }));
    struct Cas {
        const char* nom;
        std::vector<uint8_t> octets;
    };
    const Cas cas[] = {
        {"vide", {}},
        {"entete coupe", std::vector<uint8_t>(complet.begin(), complet.begin() + 10)},
        {"entete seul", std::vector<uint8_t>(complet.begin(), complet.begin() + 18)},
        {"derniere rangee courte", std::vector<uint8_t>(complet.begin(), complet.end() - 1)},
        {"champ ID plus long que le fichier", FichierTga({.longueurId = 200, .largeur = 1, .hauteur = 1}, {})},
        // A header that claims far more than the file holds is refused before allocating.
        {"dimensions enormes", FichierTga({.largeur = 65535, .hauteur = 65535, .profondeur = 32}, std::vector<uint8_t>(100))},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Ecrire("images/t.tga", c.octets);
        EXPECT_EQ(Image_ChargementTga("..\\images\\t.tga"), nullptr);
    }
    Ecrire("images/t.tga", complet);
    Image* image = Image_ChargementTga("..\\images\\t.tga");
    ASSERT_NE(image, nullptr);
    Image_Liberation(image);
}

TEST_F(Tga, RangeesRetourneesEtComplementeesAQuatreOctets) {
    // 641 x 2 at 24 bits: 1923-byte rows in the file, 1924 in memory.
    const auto couleur = [](int x, int y) { return static_cast<uint32_t>((y == 0 ? 0xA00000 : 0x0B0000) | (x & 0xFFFF)); };
    const std::vector<uint8_t> rangees = RangeesTga24(641, 2, couleur);
    ASSERT_EQ(rangees.size(), 2u * 1923u);
    Ecrire("images/large.tga", FichierTga({.largeur = 641, .hauteur = 2}, rangees));
    Image* image = Image_ChargementTga("..\\images\\large.tga");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->octetsParLigne, 1924);
    EXPECT_EQ(image->remplissage, 1);
    // The file's first row (the picture's bottom) is the buffer's last.
    for (int x : {0, 1, 640}) {
        EXPECT_EQ(Pixel(image, x, 0), couleur(x, 0));
        EXPECT_EQ(Pixel(image, x, 1), couleur(x, 1));
    }
    // Conversion to 16 bits: 1282 bytes of pixels, padded to 1284.
    Image* ecran = Image_Conversion(image, FormatEcran555);
    ASSERT_NE(ecran, nullptr);
    EXPECT_EQ(ecran->octetsParLigne, 1284);
    EXPECT_EQ(ecran->remplissage, 2);
    EXPECT_EQ(Pixel(ecran, 640, 1), (0x0Bu >> 3) << 10 | ((640 >> 8) >> 3) << 5 | ((640 & 0xFF) >> 3));
    EXPECT_EQ(Pixel(image, 640, 1), couleur(640, 1));   // the source stays
    Image_Liberation(ecran);
    Image_Liberation(image);
}

TEST(ImageConversion, ConversionGardeLesBitsDuHaut) {
    // 8-bit channels to 5 bits: 255 -> 31, 8 -> 1, 7 -> 0, in each channel.
    Image* source = Nouvelle({8, 0, 8, 8, 8, 16, 24}, 4, 1);
    EcrirePixel(source, 0, 0, 0xFFFFFF);
    EcrirePixel(source, 1, 0, 0x080808);
    EcrirePixel(source, 2, 0, 0x070707);
    EcrirePixel(source, 3, 0, 0xFF0807);   // red 255, green 8, blue 7
    Image* ecran = Image_Conversion(source, FormatEcran555);
    ASSERT_NE(ecran, nullptr);
    EXPECT_TRUE(MemeFormat(*ecran, FormatEcran555));
    EXPECT_EQ(Pixel(ecran, 0, 0), 0x7FFFu);
    EXPECT_EQ(Pixel(ecran, 1, 0), 1u << 10 | 1u << 5 | 1u);
    EXPECT_EQ(Pixel(ecran, 2, 0), 0u);
    EXPECT_EQ(Pixel(ecran, 3, 0), 31u << 10 | 1u << 5);
    // And back up to 32 bits: the 5 bits land at the top of each byte.
    Image* large = Image_Conversion(ecran, {8, 0, 8, 8, 8, 16, 32});
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(Pixel(large, 3, 0), 0xF80800u);
    Image_Liberation(large);
    Image_Liberation(ecran);
    Image_Liberation(source);
}

TEST(ImageConversion, ConversionRefuseUnFormatInexprimable) {
    Image* source = Nouvelle({8, 0, 8, 8, 8, 16, 24}, 2, 2);
    const FormatImage mauvais[] = {
        {5, 0, 5, 5, 5, 10, 8},    // pixel size
        {5, 0, 5, 5, 5, 12, 16},   // red beyond the pixel
        {0, 0, 5, 5, 5, 10, 16},   // empty channel
        {5, -1, 5, 5, 5, 10, 16},  // negative shift
        {12, 0, 8, 12, 8, 20, 32}, // channel wider than 8 bits
    };
    for (const FormatImage& f : mauvais) EXPECT_EQ(Image_Conversion(source, f), nullptr);
    EXPECT_EQ(Image_Conversion(nullptr, FormatEcran555), nullptr);
    Image_FormatPixel(source, 8, 0, 8, 8, 8, 16, 12);   // the source itself unreadable
    EXPECT_EQ(Image_Conversion(source, FormatEcran555), nullptr);
    EXPECT_EQ(Image_ConversionTable(source, 128), nullptr);
    Image_FormatPixel(source, 8, 0, 8, 8, 8, 16, 24);
    EXPECT_EQ(source->bitsParPixel, 24);
    Image_Liberation(source);
}

TEST(ImageConversion, FonduPremierMilieuEtDernierPas) {
    struct Cas {
        FormatImage format;
        uint32_t pixel;
        int niveau;
        uint32_t attendu;
    };
    const Cas cas[] = {
        {FormatEcran555, 0x7FFF, 0, 0},
        {FormatEcran555, 0x7FFF, 256, 0x7FFF},
        {FormatEcran555, 31u << 10 | 7u << 5 | 1u, 128, 15u << 10 | 3u << 5 | 0u},   // halved, rounded down
        {FormatEcran555, 0x7FFF, 64, 7u << 10 | 7u << 5 | 7u},
        {{8, 0, 8, 8, 8, 16, 24}, 0xFF8001, 0, 0},
        {{8, 0, 8, 8, 8, 16, 24}, 0xFF8001, 256, 0xFF8001},
        {{8, 0, 8, 8, 8, 16, 24}, 0xFF8001, 128, 0x7F4000},
        // Levels outside 0..256 are brought into it rather than spilling into the next channel.
        {FormatEcran555, 0x7FFF, -40, 0},
        {FormatEcran555, 0x7FFF, 1000, 0x7FFF},
        {{8, 0, 8, 8, 8, 16, 24}, 0x80FF80, 512, 0x80FF80},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.niveau);
        Image* source = Nouvelle(c.format, 3, 2);
        EcrirePixel(source, 2, 1, c.pixel);
        Image* fondu = Image_ConversionTable(source, c.niveau);
        ASSERT_NE(fondu, nullptr);
        EXPECT_TRUE(MemeFormat(*fondu, c.format));
        EXPECT_EQ(Pixel(fondu, 2, 1), c.attendu);
        EXPECT_EQ(Pixel(fondu, 0, 0), 0u);
        EXPECT_EQ(Pixel(source, 2, 1), c.pixel);
        Image_Liberation(fondu);
        Image_Liberation(source);
    }
}

class CopieImage : public ::testing::Test {
protected:
    std::vector<uint16_t> tampon;
    void SetUp() override {
        LargeurEcran = 640;
        HauteurEcran = 480;
        tampon.assign(640 * 480, 0xABCD);
        EcranTampon = tampon.data();
    }
    void TearDown() override { EcranTampon = nullptr; }
    uint16_t Ecran(int x, int y) const { return tampon[static_cast<size_t>(y) * 640 + x]; }
    // A 16-bit picture whose pixels tell their place.
    static Image* Reperee(int largeur, int hauteur) {
        Image* image = Nouvelle(FormatEcran555, largeur, hauteur);
        for (int y = 0; y < hauteur; ++y)
            for (int x = 0; x < largeur; ++x) EcrirePixel(image, x, y, static_cast<uint32_t>((x * 7 + y * 131) & 0x7FFF));
        return image;
    }
    static uint16_t Attendu(int x, int y) { return static_cast<uint16_t>((x * 7 + y * 131) & 0x7FFF); }
};

TEST_F(CopieImage, GrandeImageDecaleeMontreSonMilieu) {
    Image* image = Reperee(800, 600);
    Image_Copie(-80, -60, nullptr, image);
    for (auto [x, y] : {std::pair{0, 0}, {639, 0}, {0, 479}, {639, 479}, {320, 240}})
        EXPECT_EQ(Ecran(x, y), Attendu(x + 80, y + 60)) << x << "," << y;
    Image_Liberation(image);
}

TEST_F(CopieImage, RogneeAuxBordsDeLEcranEtDeLImage) {
    Image* image = Reperee(100, 50);
    // Bottom-right corner: only 40 x 20 fit.
    Image_Copie(600, 460, nullptr, image);
    EXPECT_EQ(Ecran(600, 460), Attendu(0, 0));
    EXPECT_EQ(Ecran(639, 479), Attendu(39, 19));
    EXPECT_EQ(Ecran(599, 479), 0xABCD);
    // A source point: the copy holds what lies from it to the image's edge, no further.
    const PointImage point{90, 40};
    Image_Copie(10, 10, &point, image);
    EXPECT_EQ(Ecran(10, 10), Attendu(90, 40));
    EXPECT_EQ(Ecran(19, 19), Attendu(99, 49));
    EXPECT_EQ(Ecran(20, 10), 0xABCD);
    EXPECT_EQ(Ecran(10, 20), 0xABCD);
    // Negative position and a source point together.
    const PointImage debut{5, 5};
    Image_Copie(-10, -10, &debut, image);
    EXPECT_EQ(Ecran(0, 0), Attendu(15, 15));
    EXPECT_EQ(Ecran(84, 34), Attendu(99, 49));
    EXPECT_EQ(Ecran(85, 0), 0xABCD);
    Image_Liberation(image);
}

TEST_F(CopieImage, RienHorsEcranNiPourUneImageQuiNEstPasEn16Bits) {
    const std::vector<uint16_t> avant = tampon;
    Image* image = Reperee(100, 50);
    for (auto [x, y] : {std::pair{640, 0}, {0, 480}, {-100, 0}, {0, -50}, {-5000, -5000}}) Image_Copie(x, y, nullptr, image);
    const PointImage loin{100, 0};
    Image_Copie(0, 0, &loin, image);
    Image* vraie = Nouvelle({8, 0, 8, 8, 8, 16, 24}, 10, 10);
    Image_Copie(0, 0, nullptr, vraie);
    Image_Copie(0, 0, nullptr, nullptr);
    EXPECT_EQ(tampon, avant);
    Image_Liberation(vraie);
    Image_Liberation(image);
}
