// The stand-alone load screen run whole on injected input: a click on a used slot's row chooses
// it, a click on an empty one does not, Escape closes it.
#include <gtest/gtest.h>

#include "menu_fixture.h"
#include "foundation/entrees.h"
#include "frontend/menu_charger.h"
#include "frontend/sauvegardes.h"
#include "platform/plateforme.h"

namespace {

class MenuChargerTest : public MenuEcran {
  protected:
    void SetUp() override {
        MenuEcran::SetUp();
        if (HasFatalFailure()) return;
        QuitterJeu = 0;
        arbre.Ecrire("Sauvegarde/NOMS.TXT", "_101_\n_101_\nTrois\n_101_\n_101_\nSix\n_101_\n_101_\n_101_\n_101_\n");
    }
    // A click on row i of the list (the panel is centred on the 640 x 480 screen).
    static void ClicLigne(int i) {
        const ZoneMenu& r = LignesListe[static_cast<size_t>(i)];
        Plateforme_InjecterSouris((640 - 458) / 2 + r.x + 10, (480 - 314) / 2 + r.y + 10);
        Plateforme_InjecterBouton(true, true);
        Plateforme_InjecterBouton(true, false);
    }
    // Runs the screen on what was injected; a quit message last ends it should the input miss.
    static int Lancer() {
        Plateforme_InjecterFermeture();
        return MenuCharger();
    }
};

TEST_F(MenuChargerTest, UnClicSurUneCaseOccupeeLaChoisit) {
    NbBoutonsMenu = 7;
    ClicLigne(0);   // empty: nothing
    ClicLigne(2);
    EXPECT_EQ(Lancer(), 2);
    EXPECT_EQ(QuitterJeu, 0);
    EXPECT_EQ(NbBoutonsMenu, 7);   // the widgets of a menu underneath are given back
    EXPECT_STREQ(NomsSauvegardes[2], "Trois");
    EXPECT_STREQ(NomsSauvegardes[0], TexteInterface(20));
}

TEST_F(MenuChargerTest, EchapFerme) {
    ClicLigne(1);   // empty: nothing
    Plateforme_InjecterTouche(TOUCHE_ECHAP, true);
    Plateforme_InjecterTouche(TOUCHE_ECHAP, false);
    ClicLigne(2);   // never reached
    EXPECT_EQ(Lancer(), -1);
    EXPECT_EQ(QuitterJeu, 0);
}

// Return chooses the selected slot when it is used; the arrows move the selection.
TEST_F(MenuChargerTest, EntreeSurLaSelection) {
    Plateforme_InjecterTouche(TOUCHE_ENTREE, true);   // slot 0: empty, nothing
    Plateforme_InjecterTouche(TOUCHE_ENTREE, false);
    for (int i = 0; i < 5; ++i) {
        Plateforme_InjecterTouche(TOUCHE_BAS, true);
        Plateforme_InjecterTouche(TOUCHE_BAS, false);
    }
    Plateforme_InjecterTouche(TOUCHE_ENTREE, true);
    Plateforme_InjecterTouche(TOUCHE_ENTREE, false);
    EXPECT_EQ(Lancer(), 5);
}

// A quit message closes it with -1 and goes on to the loops outside.
TEST_F(MenuChargerTest, UnMessageDeFinLeFerme) {
    EXPECT_EQ(Lancer(), -1);
    EXPECT_EQ(QuitterJeu, 1);
}

}  // namespace
