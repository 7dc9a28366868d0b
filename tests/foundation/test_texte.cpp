#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ecran_fixture.h"
#include "foundation/texte.h"
#include "world/univers.h"

namespace {

struct Zone {
    int gauche = 1 << 30, haut = 1 << 30, droite = -1, bas = -1;
    bool vide() const { return droite < 0; }
};

class Texte : public FenetreJeu {
  protected:
    void SetUp() override {
        FenetreJeu::SetUp();
        Effacer();
    }
    static void Effacer() { std::fill(EcranTampon, EcranTampon + LargeurEcran * HauteurEcran, uint16_t{0}); }
    static Zone Changes() {
        Zone z;
        for (int y = 0; y < HauteurEcran; ++y)
            for (int x = 0; x < LargeurEcran; ++x)
                if (Pixel(x, y) != 0) {
                    z.gauche = std::min(z.gauche, x);
                    z.haut = std::min(z.haut, y);
                    z.droite = std::max(z.droite, x);
                    z.bas = std::max(z.bas, y);
                }
        return z;
    }
    static int LargeurDans(PoliceSysteme* p, const char* texte) {
        PoliceSysteme* a = ContexteTexte_ChoisirPolice(EcranDC, p);
        TailleTexte t;
        Texte__Taille(texte, &t);
        ContexteTexte_ChoisirPolice(EcranDC, a);
        return t.largeur;
    }
};

}  // namespace

TEST_F(Texte, LesPolicesEtLeurEtatDeDepart) {
    const std::vector<std::pair<PoliceSysteme*, int>> tailles = {
        {Police12, 12}, {Police12Gras, 12}, {PoliceBase, 22}, {Police22Gras, 22}, {Police35, 35},
        {Police35Gras, 35}, {Police14, 14}, {Police27Gras, 27}, {Police16Gras, 16}, {Police20, 20}};
    for (auto [p, h] : tailles) {
        ASSERT_NE(p, nullptr);
        EXPECT_LE(Police_Hauteur(p), h);
        EXPECT_GE(Police_Hauteur(p), h - 2);
    }
    EXPECT_EQ(TablePolices[0], Police12);
    EXPECT_EQ(TablePolices[5], Police35Gras);
    EXPECT_EQ(TablePolices[6], nullptr);
    EXPECT_EQ(EcranDC->police, PoliceBase);
    EXPECT_TRUE(EcranDC->fondTransparent);
    EXPECT_EQ(Texte__LitCouleur(), 145u << 16 | 166u << 8 | 170u);
    EXPECT_EQ(LargeurEcran, 640);
}

TEST_F(Texte, AfficheSurLaLigneDeBaseEtRienPourUnTexteVide) {
    Texte__Affiche(100, 100, "%s", "");
    EXPECT_TRUE(Changes().vide());
    Texte__Couleur(0xFFFFFF);
    Texte__Affiche(100, 100, "%c%d", 'H', 1);
    Zone z = Changes();
    ASSERT_FALSE(z.vide());
    EXPECT_GE(z.haut, 89);                                  // the cell's top at y - 11
    EXPECT_LT(z.bas, 89 + Police_Hauteur(PoliceBase));
    EXPECT_GE(z.gauche, 100);
}

TEST_F(Texte, TexteTropLongCoupeA255) {
    Texte__ChoixFonte(0);
    std::string long_(1000, 'i');
    TailleTexte t255, t;
    Texte__Taille(std::string(255, 'i').c_str(), &t255);
    Texte__Affiche(0, 20, "%s", long_.c_str());
    // The drawn text ends where 255 characters end.
    Zone z = Changes();
    EXPECT_LE(z.droite, std::min(t255.largeur, LargeurEcran - 1));
    Texte__AfficheSprite(0, 20, "%s", long_.c_str());
}

TEST_F(Texte, OmbreNoireDecaleeEtEtatRendu) {
    Texte__ChoixFonte(0);
    Texte__Couleur(0x00FF00);
    std::fill(EcranTampon, EcranTampon + LargeurEcran * HauteurEcran, uint16_t{31});   // blue
    Texte__AfficheOmbre(50, 60, "%s", "Ombre");
    int noirs = 0, verts = 0;
    for (int y = 0; y < HauteurEcran; ++y)
        for (int x = 0; x < LargeurEcran; ++x) {
            if (Pixel(x, y) == 0) ++noirs;
            if (Pixel(x, y) == 31 << 5) ++verts;
        }
    EXPECT_GT(noirs, 10);
    EXPECT_GT(verts, 10);
    EXPECT_EQ(Texte__LitCouleur(), 0x00FF00u);
    EXPECT_EQ(EcranDC->police, Police12);   // the shadowed text is in the base font, then the font comes back
}

TEST_F(Texte, ChoixFonte) {
    Texte__ChoixFonte(4);
    EXPECT_EQ(Texte__LitFonte(), 4);
    EXPECT_EQ(EcranDC->police, Police35);
    Texte__ChoixFonte(6);   // no font in slot 6: only the choice changes
    EXPECT_EQ(Texte__LitFonte(), 6);
    EXPECT_EQ(EcranDC->police, Police35);
    Texte__ChoixFonte(7);
    Texte__ChoixFonte(-1);
    EXPECT_EQ(Texte__LitFonte(), 6);
}

TEST_F(Texte, AlignementsEtModeInconnu) {
    const char* texte = "Aligne";
    const int l = LargeurDans(PoliceBase, texte);
    struct Cas {
        int mode;
        int gauche;
        int hautCellule;
    };
    Zone zones[3];
    for (Cas c : {Cas{0, 300 - l, 200 - 16}, Cas{1, 300 - l / 2, 200 - 16}, Cas{2, 300, 200 - 11}}) {
        Effacer();
        EXPECT_EQ(Texte__AfficheAligne(300, 200, 255, 255, 255, c.mode, texte), l);
        Zone z = Changes();
        zones[c.mode] = z;
        EXPECT_GE(z.gauche, c.gauche) << c.mode;
        EXPECT_LE(z.droite, c.gauche + l) << c.mode;
        EXPECT_GE(z.haut, c.hautCellule) << c.mode;
    }
    EXPECT_EQ(zones[2].haut - zones[1].haut, 5);
    EXPECT_EQ(zones[0].haut, zones[1].haut);
    Effacer();
    EXPECT_EQ(Texte__AfficheAligne(300, 200, 255, 255, 255, 3, texte), l);
    EXPECT_TRUE(Changes().vide());
    // Font and colour come back; the other sizes measure in their own fonts.
    EXPECT_EQ(EcranDC->police, PoliceBase);
    EXPECT_EQ(Texte__LitCouleur(), 145u << 16 | 166u << 8 | 170u);
    EXPECT_EQ(Texte__AfficheAligne20(0, 0, 0, 0, 0, 0, 9, texte), LargeurDans(Police20, texte));
    EXPECT_EQ(Texte__AfficheAligne16(0, 0, 0, 0, 0, 0, 9, texte), LargeurDans(Police16Gras, texte));
    EXPECT_EQ(Texte__Largeur20(5, 5, 1, 2, 3, 0, texte), LargeurDans(Police20, texte));
}

TEST_F(Texte, AjusteSuitSonOrdreDePolices) {
    // A text too wide in 35, 27 and 22 bold but not in 12 bold: 12 bold wins over 35.
    std::string texte = "M";
    while (LargeurDans(Police22Gras, texte.c_str()) <= LargeurEcran) texte += "M";
    ASSERT_LE(LargeurDans(Police12Gras, texte.c_str()), LargeurEcran);
    EXPECT_EQ(Texte__AfficheAjuste(0, 300, 255, 255, 255, 2, texte.c_str()), 0);
    Zone z = Changes();
    ASSERT_FALSE(z.vide());
    EXPECT_GE(z.haut, 300 - Police_Hauteur(Police12Gras));
    EXPECT_LT(z.bas, 300);
    EXPECT_EQ(EcranDC->police, PoliceBase);
    // Short enough for 35 bold: drawn in it, top at y - its height.
    Effacer();
    Texte__AfficheAjuste(320, 300, 255, 255, 255, 1, "Mo");
    z = Changes();
    EXPECT_GE(z.haut, 300 - Police_Hauteur(Police35Gras));
    EXPECT_LT(z.haut, 300 - Police_Hauteur(Police22Gras));
}

TEST(TexteSansContexte, RienNEstDessineNiNePlante) {
    ASSERT_EQ(EcranDC, nullptr);
    EXPECT_EQ(Texte__LitCouleur(), 0xFFFFFFu);
    TailleTexte t{7, 7};
    Texte__Taille("abc", &t);
    EXPECT_EQ(t.largeur, 7);   // nothing written
    Texte__Affiche(0, 0, "x");
    Texte__AfficheOmbre(0, 0, "x");
    Texte__AfficheOmbreSimple(0, 0, "x");
    Texte__ChoixFonte(1);
    EXPECT_EQ(Texte__LitFonte(), 0);
    EXPECT_EQ(Texte__AfficheAligne(0, 0, 1, 1, 1, 1, "x"), 0);
    EXPECT_EQ(Texte__AfficheAligne20(0, 0, 1, 1, 1, 0, 1, "x"), 0);
    EXPECT_EQ(Texte__AfficheAligne16(0, 0, 1, 1, 1, 0, 1, "x"), 0);
    EXPECT_EQ(Texte__AfficheAjuste(0, 0, 1, 1, 1, 1, "x"), 0);
    EXPECT_EQ(InfoBulle(10, 10, "x"), 0);
}
