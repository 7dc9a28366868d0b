// The cursor and busy frame, the lower panel with the hovered object, and the gold panel.
#include "interface_fixture.h"
#include "campaign/armee.h"
#include "campaign/campagne.h"
#include "campaign/region.h"
#include "shell/cycles.h"
#include "scene/survol.h"
#include "shell/conditions.h"
#include "shell/saisie.h"
#include "shell/routeur.h"
#include "shell/trame.h"

namespace {

class Survol : public Interface {
  protected:
    void SetUp() override {
        Interface::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(Creer()) << Rapport();
        ModeSceneCourant = 2;
        SourisSurvol = SourisSurvolUnite = SourisSurvolAir = 0;
        Selectionner({});
    }
};

TEST(Or, ShownGoldEasesTowardOwnedGold) {
    struct Cas {
        int32_t depart, but;
        std::vector<int32_t> premiers;
    };
    for (const Cas& c : {Cas{0, 2500, {251, 476, 679}}, Cas{2500, 0, {2249, 2024, 1821}}, Cas{10, 5, {9, 8, 7}}, Cas{-30, 0, {-26, -23, -20}}}) {
        int32_t affiche = c.depart;
        for (int32_t attendu : c.premiers) {
            Or__Rapprochement(&affiche, c.but);
            EXPECT_EQ(affiche, attendu) << c.depart << " -> " << c.but;
        }
        int pas = 0;
        while (affiche != c.but && pas < 100) Or__Rapprochement(&affiche, c.but), ++pas;
        EXPECT_EQ(affiche, c.but);
        EXPECT_LT(pas, 60);
        Or__Rapprochement(&affiche, c.but);
        EXPECT_EQ(affiche, c.but);
    }
}

TEST(Relation, SignByArmyAndHostility) {
    const RelationJoueurs avant = TableAttaque;
    for (auto& ligne : TableAttaque) ligne.fill(0);
    TableAttaque[0][1] = 1;   // the player fights army 1
    TableAttaque[2][3] = 1;   // army 2 fights army 3, not the player
    TableAttaque[4][5] = 1;   // army 4 fights only army 5, which is not among 0..4
    struct Cas {
        int armee, image;
    };
    for (const Cas& c : {Cas{0, 3}, Cas{1, 1}, Cas{2, 0}, Cas{3, 2}, Cas{4, 2}, Cas{5, 2}, Cas{-1, -1}, Cas{6, -1}, Cas{1000, -1}})
        EXPECT_EQ(Relation__Image(c.armee), c.image) << c.armee;
    TableAttaque = avant;
}

// Air over units over ground; dead objects, the placeholder and members of a selected group are
// not shown.
TEST_F(Survol, HoveredObjectByLayerAndFilter) {
    const std::vector<int> joueur = GroupesArmee(0), ennemis = GroupesArmee(1);
    ASSERT_FALSE(joueur.empty());
    ASSERT_GE(ennemis.size(), 2u);
    const int sol = TableGroupes[static_cast<size_t>(ennemis[0])].membres[0];
    const int unite = TableGroupes[static_cast<size_t>(ennemis[1])].membres[0];
    const int air = TableGroupes[static_cast<size_t>(joueur[0])].membres[1];
    SourisSurvol = sol;
    EXPECT_EQ(Survol__Objet(), sol);
    SourisSurvolUnite = unite;
    EXPECT_EQ(Survol__Objet(), unite);
    SourisSurvolAir = air;
    EXPECT_EQ(Survol__Objet(), air);
    Selectionner({joueur[0]});
    EXPECT_EQ(Survol__Objet(), 0) << "a member of a selected group";
    Selectionner({});
    TableObjets[static_cast<size_t>(air)].ordreSecondaire = 4;
    EXPECT_EQ(Survol__Objet(), 0) << "a dead object";
    SourisSurvolAir = 1;   // the placeholder of water and wall cells
    EXPECT_EQ(TableObjets[1].typeMaitre, 130);
    EXPECT_EQ(Survol__Objet(), 0);
    SourisSurvolAir = 5000;   // never an index past the table
    EXPECT_EQ(Survol__Objet(), 0);
}

TEST_F(Survol, HoveredEnemyGetsPortraitAndRelationSign) {
    const int ennemi = TableGroupes[static_cast<size_t>(GroupesArmee(1)[0])].membres[0];
    TableAttaque[0][1] = 1;
    Remplir(0);
    SourisSurvolUnite = ennemi;
    InfoBulle__Affichage();
    const std::vector<uint16_t> avec = Copie();
    Remplir(0);
    SourisSurvolUnite = 0;
    InfoBulle__Affichage();
    // The portrait's frame at (8, 64) and the sign at (108, 88) only while something is hovered.
    EXPECT_GT(Changes(avec, 8, 64, 78, 108), 1000);
    EXPECT_GT(Changes(avec, 108, 88, 124, 106), 50);
    EXPECT_EQ(Changes(avec, 0, 0, 640, 60), 0);
}

// One panel board at 640 pixels wide, a second from x 624 at 800.
TEST_F(Survol, PanelBackgroundsFollowTheWidth) {
    Remplir(0);
    InfoBulle__Affichage();
    const int bas = EcranDestination.clipBas;
    EXPECT_EQ(bas, 480);
    int marge = 0, panneau = 0;
    for (int y = bas - 60; y < bas; ++y) {
        for (int x = 624; x < 640; ++x) marge += Pixel(x, y) != 0;
        for (int x = 0; x < 600; ++x) panneau += Pixel(x, y) != 0;
    }
    EXPECT_EQ(marge, 0);
    EXPECT_GT(panneau, 600 * 55);

    ASSERT_EQ(Ecran_ModeVideo(800, 600), 1);
    std::fill(EcranTampon, EcranTampon + 800 * 600, uint16_t{0});
    InfoBulle__Affichage();
    int second = 0;
    for (int y = EcranDestination.clipBas - 60; y < EcranDestination.clipBas; ++y)
        for (int x = 624; x < 760; ++x) second += EcranTampon[static_cast<size_t>(y) * 800 + static_cast<size_t>(x)] != 0;
    EXPECT_GT(second, 136 * 55);
    ASSERT_EQ(Ecran_ModeVideo(640, 480), 1);
}

// The panel is left out on the region map and while the debug pages hide the cursor.
TEST_F(Survol, PanelOnlyInCastleAndBattleAndNotUnderTheDebugPages) {
    struct Cas {
        int mode, masque;
        bool dessine;
    };
    for (const Cas& c : {Cas{2, 0, true}, Cas{0, 0, true}, Cas{1, 0, false}, Cas{3, 0, false}, Cas{2, -1, false}}) {
        ModeSceneCourant = c.mode;
        CurseurMasque = c.masque;
        Remplir(0x1234);
        InfoBulle__Affichage();
        EXPECT_EQ(Pixel(300, 470) != 0x1234, c.dessine) << c.mode << " " << c.masque;
    }
    CurseurMasque = 0;
}

// While a scene loads, the cursor call is a busy frame on a cleared screen, presented at once.
TEST_F(Survol, BusyFrameClearsDrawsAndPresents) {
    SourisX = 300;
    SourisY = 200;
    CurseurAttenteImage = 32;
    Remplir(0x1234);
    const uint64_t presentations = Affichage_NombrePresentations();
    Curseur__Affichage();
    EXPECT_EQ(CurseurAttenteImage, 0);
    EXPECT_EQ(Affichage_NombrePresentations(), presentations + 1);
    EXPECT_EQ(Pixel(10, 10), 0);
    EXPECT_EQ(Pixel(600, 450), 0);
    int dessin = 0;
    for (int y = 200; y < 232; ++y)
        for (int x = 300; x < 332; ++x) dessin += Pixel(x, y) != 0;
    EXPECT_GT(dessin, 30);
    Curseur__Affichage();
    EXPECT_EQ(CurseurAttenteImage, 1);
    CurseurAttenteImage = -1;
    // Back to the arrow: nothing cleared, nothing presented.
    Remplir(0x1234);
    Curseur__Affichage();
    EXPECT_EQ(Pixel(10, 10), 0x1234);
    EXPECT_EQ(Affichage_NombrePresentations(), presentations + 2);
}

// An armed spell's icon at the mouse: as drawn when it can be cast there, lit red when not.
TEST_F(Survol, ArmedSpellIconPlainOrRed) {
    SourisX = 200;
    SourisY = 200;
    SourisAccumul = 0;
    SortArme = 44;
    CapaciteArmee = 0;
    const auto rouge = [] {
        long r = 0, v = 0;
        for (int y = 206; y < 230; ++y)
            for (int x = 216; x < 234; ++x) r += Pixel(x, y) >> 10 & 31, v += Pixel(x, y) >> 5 & 31;
        return std::make_pair(r, v);
    };
    SortCiblable = 1;
    Remplir(0);
    Curseur__Affichage();
    const auto plain = rouge();
    SortCiblable = 0;
    Remplir(0);
    Curseur__Affichage();
    const auto refuse = rouge();
    EXPECT_GT(plain.second, 0);
    EXPECT_LT(refuse.second, plain.second / 4) << "the refused icon keeps only its red";
    EXPECT_GT(refuse.first, 0);
    SortArme = -1;
    CapaciteArmee = -1;
}

TEST_F(Survol, GoldPanelOnTheRegionMapAndInTheCastleOnly) {
    struct Cas {
        int mode, ySprite;
    };
    for (const Cas& c : {Cas{1, 31}, Cas{0, 6}, Cas{2, -1}}) {
        ModeSceneCourant = c.mode;
        OrAffiche = 0;
        OrJoueur = 2500;
        Remplir(0);
        PanneauInfo__Affichage();
        EXPECT_EQ(OrAffiche, 251) << "it eases in every scene";
        const bool dessine = Pixel(640 - 120 + 12, c.ySprite < 0 ? 20 : c.ySprite + 11) != 0;
        EXPECT_EQ(dessine, c.ySprite >= 0) << c.mode;
        if (c.mode == 0) Capturer("interface_or_chateau");
    }
}

}  // namespace

namespace {

// On the region map, while regiments move, the hourglass of the frame counter replaces the arrow.
TEST_F(Survol, RegionCursorWhileRegimentsMove) {
    SourisX = 100;
    SourisY = 100;
    SourisAccumul = 0;
    const auto Dessin = [](int mode, int mouvement, int compteur) {
        ModeSceneCourant = mode;
        RegimentsEnMouvement = mouvement;
        CompteurTrameRegion = compteur;
        Remplir(0);
        Curseur__Affichage();
        return Copie();
    };
    const std::vector<uint16_t> fleche = Dessin(2, 0, 0);
    EXPECT_EQ(Dessin(1, 0, 0), fleche);
    EXPECT_EQ(Dessin(2, 1, 0), fleche) << "only on the region map";
    const std::vector<uint16_t> sablier = Dessin(1, 1, 0);
    EXPECT_NE(sablier, fleche);
    EXPECT_NE(Dessin(1, 1, 31), sablier) << "the sand runs with the counter";
    Capturer("interface_sablier");
    RegimentsEnMouvement = 0;
}

}  // namespace
