// The in-game menu's states driven turn by turn: closing, leaving, saving into a named slot and
// loading one, and which buttons show in which scene.
#include <gtest/gtest.h>

#include <string>

#include "emplacement_essai.h"
#include "menu_fixture.h"
#include "campaign/region.h"
#include "frontend/menu_jeu.h"
#include "frontend/sauvegardes.h"
#include "shell/demarrage.h"

namespace {

enum { SAUVER = 0, CHARGER = 1, OPTIONS = 2, QUITTER = 3 };

class MenuJeuTest : public MenuEcran {
  protected:
    int resultat = 0;
    void SetUp() override {
        MenuEcran::SetUp();
        if (HasFatalFailure()) return;
        ModeSceneCourant = 1;
        ChargementSauvegarde = 0;
        RoutageOn = 0;
        MorvaneCode = 0;
    }
    // One turn of the menu's loop; true once it has ended.
    bool Tour() {
        Temps_Avancer(66);
        return MenuJeu__Tour(&resultat);
    }
    bool JusquaEtat(int32_t etat, int n = 60) {
        for (int i = 0; i < n && MenuJeuEtat != etat; ++i)
            if (Tour()) return false;
        return MenuJeuEtat == etat;
    }
    bool JusquaFinMenu(int n = 60) {
        for (int i = 0; i < n; ++i)
            if (Tour()) return true;
        return false;
    }
    bool ClicW(int i) {
        const BoutonMenu& b = BoutonsMenu[static_cast<size_t>(i)];
        return ClicEn(b.x + b.largeur / 2, b.y + b.hauteur / 2);
    }
    bool ClicEn(int x, int y) {
        SourisX = x;
        SourisY = y;
        ClicGauche = 1;
        return Tour();
    }
    // A click on zone z of the open panel.
    bool ClicPanneau(const ZoneMenu& z) { return ClicEn(PanneauOrigine.x + z.x + 2, PanneauOrigine.y + z.y + 2); }
    bool ToucheJ(int32_t& drapeau) {
        drapeau = 1;
        return Tour();
    }
    void Ouvrir() {
        MenuJeu__Preparation();
        ASSERT_TRUE(JusquaEtat(0));
    }
};

// In battle only the options and leave buttons come in; Escape closes the menu (-1).
TEST_F(MenuJeuTest, EnBatailleOptionsEtQuitterSeulement) {
    ModeSceneCourant = 2;
    MenuJeu__Preparation();
    EXPECT_EQ(NbBoutonsMenu, 8);
    EXPECT_STREQ(BoutonsMenu[SAUVER].texte, TexteInterface(41));
    EXPECT_STREQ(BoutonsMenu[7].texte, TexteInterface(46));
    ASSERT_TRUE(JusquaEtat(0));
    EXPECT_EQ(BoutonsMenu[SAUVER].x, 640);
    EXPECT_EQ(BoutonsMenu[CHARGER].x, 640);
    EXPECT_EQ(BoutonsMenu[OPTIONS].x, 320);
    EXPECT_EQ(BoutonsMenu[QUITTER].y, 480 - 75);
    // A click where the save button would be does nothing.
    SourisX = 639;
    SourisY = 480 - 225 + 10;
    ClicGauche = 1;
    Tour();
    EXPECT_EQ(MenuJeuEtat, 0);
    ToucheJ(ToucheEchap);
    EXPECT_EQ(MenuJeuEtat, 1);
    ASSERT_TRUE(JusquaFinMenu());
    EXPECT_EQ(resultat, -1);
}

// Leaving: Cancel in the quit box brings every button back; OK ends the menu with 2.
TEST_F(MenuJeuTest, QuitterAvecConfirmation) {
    Ouvrir();
    for (int i = SAUVER; i <= QUITTER; ++i) EXPECT_EQ(BoutonsMenu[static_cast<size_t>(i)].x, 320) << i;
    ClicW(QUITTER);
    ASSERT_TRUE(JusquaEtat(603));
    ClicPanneau(ZONE_BOITE_ANNULER);
    ASSERT_TRUE(JusquaEtat(0));
    for (int i = 0; i < PAS_GLISSEMENT; ++i) Tour();   // the buttons slide back in
    for (int i = SAUVER; i <= QUITTER; ++i) {
        EXPECT_EQ(BoutonsMenu[static_cast<size_t>(i)].x, 320) << i;
        EXPECT_EQ(BoutonsMenu[static_cast<size_t>(i)].y, 480 - 225 + 50 * i) << i;
    }
    ClicW(QUITTER);
    ASSERT_TRUE(JusquaEtat(603));
    EXPECT_FALSE(ClicPanneau(ZONE_BOITE_OK));
    ASSERT_TRUE(JusquaFinMenu());
    EXPECT_EQ(resultat, 2);
}

class MenuJeuSauvegarde : public MenuJeuTest {
  protected:
    void SetUp() override {
        MenuJeuTest::SetUp();
        if (HasFatalFailure()) return;
        arbre.Ecrire("tmp/Joueur0/entete_armee.txt", "nbRegiments 0\n");
        arbre.Ecrire("tmp/Joueur0/uniques.txt", "Nombre de lieux uniques : 0\n");
        CarteRegionCourante = nullptr;
        NbRegimentsRegion = 0;
        NbRegimentsNmi = 0;
        CampagneCourante = 0;
        EtapeCampagne = 0;
    }
    std::string Noms() const { return arbre.Lire("Sauvegarde/NOMS.TXT"); }
};

// A first click selects a row, a second starts typing its name from the text shown; at most 29
// characters; Return saves the slot, then its name.
TEST_F(MenuJeuSauvegarde, NommerEtSauverUnEmplacement) {
    Ouvrir();
    ClicW(SAUVER);
    ASSERT_TRUE(JusquaEtat(103));
    EXPECT_EQ(PanneauOrigine.x, 91);
    ClicPanneau(LignesListe[1]);
    EXPECT_EQ(MenuJeuEtat, 103);
    EXPECT_EQ(SauvegardeSelection, 1);
    ClicPanneau(LignesListe[1]);
    ASSERT_EQ(MenuJeuEtat, 104);
    // Escape while typing: nothing is written.
    const std::string avant = Noms();
    ToucheCaractere = 'x';
    Tour();
    ToucheJ(ToucheEchap);
    EXPECT_EQ(Noms(), avant);
    EXPECT_FALSE(arbre.Existe("Sauvegarde/sauvegarde02"));
    ASSERT_TRUE(JusquaEtat(0));

    ClicW(SAUVER);
    ASSERT_TRUE(JusquaEtat(103));
    ToucheJ(ToucheBas);
    ToucheJ(ToucheEntree);
    ASSERT_EQ(MenuJeuEtat, 104);
    EXPECT_EQ(SaisieEnCours, 1);
    for (size_t i = 0; i < std::strlen(TexteInterface(20)); ++i) ToucheJ(ToucheRetourArriere);
    for (int i = 0; i < 40; ++i) {
        ToucheCaractere = 'a' + i % 26;
        Tour();
    }
    ToucheJ(ToucheEntree);
    EXPECT_EQ(SaisieEnCours, 0);
    EXPECT_EQ(MenuJeuEtat, 105);
    EXPECT_STREQ(NomsSauvegardes[1], "abcdefghijklmnopqrstuvwxyzabc");
    EXPECT_TRUE(arbre.Existe("Sauvegarde/sauvegarde02/zekinfo.txt"));
    EXPECT_EQ(Noms().substr(0, 45), "_101_\r\nabcdefghijklmnopqrstuvwxyzabc\r\n_101_\r\n");
    ASSERT_TRUE(JusquaEtat(0));
}

// The list's arrows move the slots shown; the selection stays on its row, so Return never saves
// into a slot the player cannot see.
TEST_F(MenuJeuSauvegarde, LesFlechesGardentLaSelectionVisible) {
    Ouvrir();
    ClicW(SAUVER);
    ASSERT_TRUE(JusquaEtat(103));
    ClicPanneau(LignesListe[2]);
    for (int i = 0; i < 9; ++i) ClicPanneau(ZONE_FLECHE_BAS);
    EXPECT_EQ(SauvegardePremiere, 6);
    EXPECT_EQ(SauvegardeSelection, 8);
    ClicPanneau(ZONE_FLECHE_HAUT);
    EXPECT_EQ(SauvegardePremiere, 5);
    EXPECT_EQ(SauvegardeSelection, 7);
    ToucheJ(ToucheEntree);
    ToucheJ(ToucheEntree);
    EXPECT_TRUE(arbre.Existe("Sauvegarde/sauvegarde08"));
}

// Loading: a whole slot ends the menu with 1 and routes to the region map; a damaged one is
// reported and the menu goes on.
TEST_F(MenuJeuSauvegarde, ChargerUnEmplacement) {
    arbre.Ecrire("Sauvegarde/NOMS.TXT", "_101_\n_101_\nTrois\n_101_\n_101_\n_101_\n_101_\n_101_\n_101_\n_101_\n");
    EcrireEmplacementEssai(arbre, 2, LireFichier(arbre.Racine() / "ini" / "variables.txt"));
    arbre.Ecrire("Sauvegarde/sauvegarde03/zekinfo.txt", "1\n2\n");
    Ouvrir();
    ClicW(CHARGER);
    ASSERT_TRUE(JusquaEtat(203));
    ToucheJ(ToucheBas);
    ToucheJ(ToucheBas);
    ToucheJ(ToucheEntree);
    EXPECT_EQ(MenuJeuEtat, 204);
    // The report's box, answered.
    Plateforme_InjecterTouche(TOUCHE_ENTREE, true);
    ASSERT_TRUE(JusquaEtat(0));
    EXPECT_EQ(ChargementSauvegarde, 0);
    EXPECT_EQ(RoutageOn, 0);

    arbre.Ecrire("Sauvegarde/sauvegarde03/zekinfo.txt", ZekinfoEssai());
    ClicW(CHARGER);
    ASSERT_TRUE(JusquaEtat(203));
    ToucheJ(ToucheBas);
    ToucheJ(ToucheBas);
    ToucheJ(ToucheEntree);
    ASSERT_TRUE(JusquaFinMenu());
    EXPECT_EQ(resultat, 1);
    EXPECT_EQ(ChargementSauvegarde, 1);
    EXPECT_EQ(SauvegardeACharger, 2);
    EXPECT_EQ(ModeSceneCourant, 1);
    EXPECT_EQ(MorvaneCode, 2);
    EXPECT_EQ(RoutageOn, 1);
}

}  // namespace
