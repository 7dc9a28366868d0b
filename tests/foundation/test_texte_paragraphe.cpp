#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ecran_fixture.h"
#include "foundation/texte.h"
#include "shell/requetes.h"

namespace {

class Paragraphe : public FenetreJeu {
  protected:
    int h = 0;
    void SetUp() override {
        FenetreJeu::SetUp();
        h = Police_Hauteur(PoliceBase);
    }
    static int L(const char* texte) {
        TailleTexte t;
        Texte__Taille(texte, &t);
        return t.largeur;
    }
    static std::vector<uint16_t> Image() { return {EcranTampon, EcranTampon + LargeurEcran * HauteurEcran}; }
    static void Effacer() { std::fill(EcranTampon, EcranTampon + LargeurEcran * HauteurEcran, uint16_t{0}); }
};

}  // namespace

TEST_F(Paragraphe, MesureSeulementEtPages) {
    const int deuxMots = L("aaa bbb");
    struct Cas {
        const char* texte;
        int largeur;
        int lignes;
        int resultat;
    };
    const Cas cas[] = {
        {"aaa bbb ccc//", deuxMots, 1, 8},        // cut after the last blank that fits
        {"aaa bbb ccc//", deuxMots, 2, -1},
        {"aaa bbb//", deuxMots, 1, -1},           // exactly the box width fits
        {"abcdefghij//", L("abcd"), 1, 4},         // no blank: what fits
        {"ab\ncd//", 1000, 1, 3},                  // a line break ends the line
        {"ab\r\ncd//", 1000, 2, -1},
        {"aaa bbb//ccc ddd eee fff", deuxMots, 1, -1},   // the text ends at "//"
        {"aaa bbb ccc", deuxMots, 3, -1},          // or at its end
        {"//", 100, 1, -1},
    };
    for (const Cas& c : cas) {
        const auto avant = Image();
        EXPECT_EQ(Texte__Paragraphe(c.texte, 10, 10, 10 + c.largeur, 10 + c.lignes * h, 0), c.resultat) << c.texte;
        EXPECT_EQ(Image(), avant) << c.texte;   // measuring draws nothing
    }
    // Lines go on while those above take less than the box height: 45 pixels hold three of 22.
    std::string long_;
    for (int i = 0; i < 40; ++i) long_ += "mot ";
    long_ += "//";
    const int page = Texte__Paragraphe(long_.c_str(), 0, 0, L("mot mot"), 45, 0);
    EXPECT_EQ(page, 3 * 8);
}

TEST_F(Paragraphe, DessinOmbreEtFinDuTexte) {
    Texte__Couleur(0xFFFFFF);
    EXPECT_EQ(Texte__Paragraphe("Morvane//suite cachée", 100, 100, 400, 200, 1), -1);
    const auto avecSuite = Image();
    int blancs = 0;
    bool ombreSousLeBlanc = false;
    for (int y = 100; y < 100 + h; ++y)
        for (int x = 100; x < 400; ++x)
            if (Pixel(x, y) == 0x7FFF) {
                ++blancs;
                if (Pixel(x + 1, y + 1) == 0) ombreSousLeBlanc = true;
            }
    EXPECT_GT(blancs, 10);
    EXPECT_TRUE(ombreSousLeBlanc);
    EXPECT_EQ(Texte__LitCouleur(), 0xFFFFFFu);
    for (int y = 100 + h + 1; y < 200; ++y)
        for (int x = 100; x < 400; ++x) ASSERT_EQ(Pixel(x, y), 0) << x << "," << y;
    Effacer();
    Texte__Paragraphe("Morvane//", 100, 100, 400, 200, 1);
    EXPECT_EQ(Image(), avecSuite);
    // Two lines: the second one a line height lower.
    Effacer();
    Texte__Paragraphe("Morvane Morvane//", 100, 100, 100 + L("Morvane "), 200, 1);
    bool deuxiemeLigne = false;
    for (int x = 100; x < 100 + L("Morvane"); ++x)
        if (Pixel(x, 100 + h + h / 2) != 0) deuxiemeLigne = true;
    EXPECT_TRUE(deuxiemeLigne);
}
