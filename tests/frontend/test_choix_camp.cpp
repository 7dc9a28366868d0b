// The faction choice of a new campaign, driven as a player would on small pictures.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "arbre_temporaire.h"
#include "campaign/campagne.h"
#include "foundation/ecran_fixture.h"
#include "foundation/entrees.h"
#include "foundation/fenetre.h"
#include "foundation/polices.h"
#include "frontend/choix_camp.h"
#include "platform/affichage.h"
#include "shell/demarrage.h"

namespace {

// A 32 x 32 uncompressed 24-bit TGA of one colour.
std::string Tga(uint8_t r, uint8_t g, uint8_t b) {
    std::string s(18, '\0');
    s[2] = 2;
    s[12] = 32;
    s[14] = 32;
    s[16] = 24;
    s[17] = 0x20;
    for (int i = 0; i < 32 * 32; ++i) s += {static_cast<char>(b), static_cast<char>(g), static_cast<char>(r)};
    return s;
}

class ChoixCampJeu : public FenetreJeu {
  protected:
    ArbreTemporaire arbre;
    void SetUp() override {
        FenetreJeu::SetUp();
        arbre.Ecrire("Images/Fond.tga", Tga(0, 0, 0));
        arbre.Ecrire("Images/Lumiere.tga", Tga(255, 255, 0));
        arbre.Ecrire("Images/Empire.tga", Tga(255, 0, 0));
        arbre.Ecrire("Images/Justice.tga", Tga(0, 0, 255));
        arbre.Ecrire("Images/Morvane.tga", Tga(0, 255, 0));
        std::filesystem::create_directories(arbre.Racine() / "INI");
        CampagneCommencee = 0;
        QuitterJeu = 0;
        for (int i = 0; i < 4; ++i) CampParJoueur[i] = 1;
        CampDuJoueur = 1;
    }
    void TearDown() override {
        CampParJoueur[0] = CampParJoueur[1] = 1;
        CampParJoueur[2] = 0;
        CampParJoueur[3] = 2;
        CampDuJoueur = 1;
        FenetreJeu::TearDown();
    }
    static void Clic(int x, int y) {
        Plateforme_InjecterSouris(x, y);
        Plateforme_InjecterBouton(true, true);
        Plateforme_InjecterBouton(true, false);
    }
    static std::vector<int> Fichiers() { return {CampParJoueur[0], CampParJoueur[1], CampParJoueur[2], CampParJoueur[3]}; }
};

}  // namespace

// Each figure gives its campaign and faction table; the faction campaigns are unlocked at once
// in the configuration file.
TEST_F(ChoixCampJeu, AClickOnAFigureChoosesItsCampaign) {
    struct Cas {
        int x, y;
        int campagne, camp;
        std::vector<int> fichiers;
    } cas[] = {
        {100, 60, 4, 2, {2, 1, 3, 0}},
        {530, 216, 3, 0, {0, 2, 3, 1}},
        {119, 407, 2, 1, {1, 2, 3, 0}},
        {425, 308, 1, 3, {3, 2, 1, 0}},
    };
    for (const Cas& c : cas) {
        Clic(c.x, c.y);
        EXPECT_EQ(ChoixCamp(), c.campagne) << c.x;
        EXPECT_EQ(CampDuJoueur, c.camp) << c.x;
        EXPECT_EQ(Fichiers(), c.fichiers) << c.x;
    }
    EXPECT_EQ(CampagneCommencee, 1);
    EXPECT_EQ(arbre.Lire("INI/Configuration.ini").substr(0, 2), "1\n");
    // Just outside an area (last values excluded) nothing is chosen.
    EXPECT_EQ(ChoixCamp__Zone(230, 100), -1);
    EXPECT_EQ(ChoixCamp__Zone(300, 250), -1);
}

// Escape, or the window closed, gives campaign 1 with its own faction files.
TEST_F(ChoixCampJeu, EscapeAndQuitGiveCampaignOneWithItsFaction) {
    Plateforme_InjecterTouche(TOUCHE_ECHAP, true);
    EXPECT_EQ(ChoixCamp(), 1);
    EXPECT_EQ(CampDuJoueur, 3);
    EXPECT_EQ(Fichiers(), (std::vector<int>{3, 2, 1, 0}));
    CampDuJoueur = 1;
    Plateforme_InjecterFermeture();
    EXPECT_EQ(ChoixCamp(), 1);
    EXPECT_EQ(CampDuJoueur, 3);
    EXPECT_EQ(QuitterJeu, 1);
}

// The figure's picture is read the first time it is hovered and kept: hovering it again after
// its file is gone shows it still, where a second read would be fatal.
TEST_F(ChoixCampJeu, AFigurePictureIsLoadedOnce) {
    const std::vector<uint16_t> base(640 * 480, 0);
    const std::vector<uint16_t> vue = ChoixCamp__Vue(0, base);
    EXPECT_NE(vue[0], 0);
    std::filesystem::remove(arbre.Racine() / "Images" / "Lumiere.tga");
    EXPECT_EQ(ChoixCamp__Vue(0, base), vue);
    ChoixCamp__Liberation();
}
