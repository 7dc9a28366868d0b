// The main menu's states driven frame by frame: the time-out, the play menu, the quit box, the
// save list, the options, the campaign choice; and MenuPrincipal itself without the menu movie.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "emplacement_essai.h"
#include "menu_fixture.h"
#include "campaign/campagne.h"
#include "campaign/catalogue.h"
#include "campaign/region.h"
#include "foundation/son.h"
#include "shell/chefs.h"
#include "shell/demarrage.h"
#include "shell/victoire.h"

namespace {

enum { JOUER = 0, CHARGER = 1, OPTIONS = 2, BESTIAIRE = 3, CREDITS = 4, QUITTER = 5, NOUVELLE = 9,
       ESCARMOUCHE = 10, MISSIONS = 11, RETOUR = 12, DIDACTICIEL = 13 };

using MenuPrincipalTest = MenuEcran;

// Buttons 0 to 5 at rest on the right, one under the other.
void BoutonsEnPlace() {
    for (int i = 0; i <= 5; ++i) {
        const BoutonMenu& b = BoutonsMenu[static_cast<size_t>(i)];
        EXPECT_EQ(b.x, 320) << i;
        EXPECT_EQ(b.y, 480 - 325 + 50 * i) << i;
    }
}

TEST_F(MenuPrincipalTest, DisposeEtArriveAuRepos) {
    MenuPrincipal__Preparation(30000);
    EXPECT_EQ(MenuEtat, -2);
    EXPECT_EQ(MenuChoix, -1);
    EXPECT_EQ(NbBoutonsMenu, 18);
    EXPECT_EQ(BoutonsMenu[0].x, 640);
    EXPECT_STREQ(BoutonsMenu[0].texte, TexteInterface(8));
    EXPECT_STREQ(BoutonsMenu[17].texte, TexteInterface(51));
    EXPECT_EQ(BoutonsMenu[6].x, -468);
    EXPECT_EQ(BoutonsMenu[8].type, 3);
    // -2 for one frame, then 6 frames of -1.
    int n = 0;
    while (MenuEtat != 0 && n < 20) {
        EXPECT_EQ(Image(), 3);
        ++n;
    }
    EXPECT_EQ(n, 7);
    BoutonsEnPlace();
}

// The movie's start leaves the battle view's clip: the menu draws up to the screen's right edge.
TEST_F(MenuPrincipalTest, DessineJusquAuBordDroit) {
    MenuAuRepos();
    for (int i = 0; i < 6; ++i) Image();
    EcranDestination.clipDroite = 624;
    std::memset(EcranTampon, 0, 640 * 480 * 2);
    Image();
    EXPECT_NE(Pixel(635, 172), 0);
    EXPECT_NE(Pixel(635, 422), 0);
}

TEST_F(MenuPrincipalTest, DelaiDepuisLEntreeAuRepos) {
    MenuAuRepos(30000);
    // The pointer moving does not count as doing something.
    for (int i = 0; i < 453; ++i) {
        SourisX = i % 640;
        ASSERT_EQ(Image(), 3) << i;   // 453 x 66 = 29 898 ms
    }
    Temps_Avancer(102 - 66);
    EXPECT_EQ(Image(), 3);   // exactly 30 000 ms
    EXPECT_EQ(Image(), 0);
    EXPECT_EQ(MenuChoix, -1);

    // Counted again from the return to the idle state after a sub-screen.
    MenuAuRepos(30000);
    Temps_Avancer(29000);
    ClicBouton(JOUER);
    ASSERT_TRUE(Jusqua(103));
    Temps_Avancer(20000);
    Touche(ToucheEchap);
    ASSERT_TRUE(Jusqua(0));
    Temps_Avancer(29000);
    EXPECT_EQ(Image(), 3);
    Temps_Avancer(2000);
    EXPECT_EQ(Image(), 0);
    EXPECT_EQ(MenuChoix, -1);
}

TEST_F(MenuPrincipalTest, EchapOuvreLaBoiteQuitter) {
    MenuAuRepos();
    Touche(ToucheEchap);
    EXPECT_EQ(MenuEtat, 600);
    ASSERT_TRUE(Jusqua(603));
    EXPECT_EQ(PanneauOrigine.x, 96);
    EXPECT_EQ(PanneauOrigine.y, 157);
    EXPECT_EQ(BoutonsMenu[5].y, 43);
    // Escape in the box: back to the idle menu, buttons back in place.
    Touche(ToucheEchap);
    ASSERT_TRUE(Jusqua(0));
    for (int i = 0; i < 6; ++i) Image();
    BoutonsEnPlace();
    // Cancel and OK clicks.
    ClicBouton(QUITTER);
    ASSERT_TRUE(Jusqua(603));
    Clic(96 + 230, 157 + 120);
    ASSERT_TRUE(Jusqua(0));
    ClicBouton(QUITTER);
    ASSERT_TRUE(Jusqua(603));
    Clic(96 + 200, 157 + 120);
    EXPECT_EQ(MenuEtat, 604);
    EXPECT_TRUE(JusquaFin(7));
    EXPECT_EQ(MenuChoix, 5);
}

TEST_F(MenuPrincipalTest, ChoixQuiFinissentLeMenu) {
    struct Cas {
        const char* nom;
        int bouton1, bouton2;   // -1: none
        int32_t choix;
    };
    for (const Cas& c : {Cas{"escarmouche", JOUER, ESCARMOUCHE, 1}, Cas{"missions", JOUER, MISSIONS, 2},
                         Cas{"bestiaire", BESTIAIRE, -1, 4}, Cas{"credits", CREDITS, -1, 6}}) {
        MenuAuRepos();
        ClicBouton(c.bouton1);
        if (c.bouton2 >= 0) {
            ASSERT_TRUE(Jusqua(103)) << c.nom;
            ClicBouton(c.bouton2);
        }
        EXPECT_TRUE(JusquaFin(20)) << c.nom;
        EXPECT_EQ(MenuChoix, c.choix) << c.nom;
    }
}

TEST_F(MenuPrincipalTest, MenuJouerEtRetour) {
    MenuAuRepos();
    ClicBouton(JOUER);
    ASSERT_TRUE(Jusqua(103));
    EXPECT_EQ(BoutonsMenu[0].y, 43);
    EXPECT_EQ(BoutonsMenu[NOUVELLE].x, 320);
    EXPECT_EQ(BoutonsMenu[CHARGER].x, 640);
    // A click beside the buttons does nothing; Back returns to the idle menu.
    Clic(100, 400);
    EXPECT_EQ(MenuEtat, 103);
    ClicBouton(RETOUR);
    ASSERT_TRUE(Jusqua(0));
    for (int i = 0; i < 6; ++i) Image();
    BoutonsEnPlace();
}

// A tap pressed and released between two frames (the window's messages of both taken before
// the frame) is a click; it is not held past the frame it was read in.
TEST_F(MenuPrincipalTest, TapeEntreDeuxImages) {
    MenuAuRepos();
    const BoutonMenu& jouer = BoutonsMenu[JOUER];
    Plateforme_InjecterSouris(100, 400);
    Plateforme_InjecterBouton(true, true);
    Plateforme_InjecterBouton(true, false);
    PomperMessages();
    Image();
    EXPECT_EQ(MenuEtat, 0);
    EXPECT_EQ(BoutonGauche, 0);
    Plateforme_InjecterSouris(jouer.x + jouer.largeur / 2, jouer.y + jouer.hauteur / 2);
    Temps_Avancer(600);   // not a double click
    Plateforme_InjecterBouton(true, true);
    Plateforme_InjecterBouton(true, false);
    PomperMessages();
    Image();
    EXPECT_EQ(MenuEtat, 100);
    EXPECT_EQ(BoutonGauche, 0);
    EXPECT_EQ(ClicGauche, 0);
}

TEST_F(MenuPrincipalTest, ListeDesSauvegardes) {
    arbre.Ecrire("Sauvegarde/NOMS.TXT", "Partie A\r\n_101_\r\n_101_\r\n_101_\r\n_101_\r\n_101_\r\n_101_\r\n_101_\r\n_101_\r\nPartie J\r\n");
    ChargementSauvegarde = 0;
    RoutageOn = 0;
    MorvaneCode = 6;
    // Return on an empty slot: the list closes, nothing is loaded.
    MenuAuRepos();
    ClicBouton(CHARGER);
    ASSERT_TRUE(Jusqua(203));
    EXPECT_EQ(PanneauOrigine.x, 91);
    EXPECT_EQ(PanneauOrigine.y, 83);
    Touche(ToucheBas);
    Touche(ToucheEntree);
    ASSERT_TRUE(Jusqua(0));
    EXPECT_EQ(ChargementSauvegarde, 0);
    EXPECT_EQ(RoutageOn, 0);
    // The last slot, damaged: reported, and the menu goes on.
    ClicBouton(CHARGER);
    ASSERT_TRUE(Jusqua(203));
    for (int i = 0; i < 9; ++i) Touche(ToucheBas);
    Touche(ToucheEntree);
    EXPECT_EQ(MenuEtat, 204);
    Plateforme_InjecterTouche(TOUCHE_ENTREE, true);   // the report's box
    ASSERT_TRUE(Jusqua(0));
    EXPECT_EQ(ChargementSauvegarde, 0);
    EXPECT_EQ(RoutageOn, 0);
    // Whole, it is restored.
    EcrireEmplacementEssai(arbre, 9, LireFichier(arbre.Racine() / "ini" / "variables.txt"));
    ClicBouton(CHARGER);
    ASSERT_TRUE(Jusqua(203));
    for (int i = 0; i < 9; ++i) Touche(ToucheBas);
    Touche(ToucheEntree);
    EXPECT_EQ(MenuEtat, 204);
    EXPECT_TRUE(JusquaFin(7));
    EXPECT_EQ(MenuChoix, 3);
    EXPECT_EQ(ChargementSauvegarde, 1);
    EXPECT_EQ(SauvegardeACharger, 9);
    EXPECT_EQ(ModeSceneCourant, 1);
    EXPECT_EQ(MorvaneCode, 2);
    EXPECT_EQ(RoutageOn, 1);
}

TEST_F(MenuPrincipalTest, OptionsEtCodeParental) {
    VolumeMusique = 30;
    ControleParental = 0;
    OptionLigne = 0;
    MenuAuRepos();
    ToucheDroite = 1;   // a key pressed before the panel opens is dropped
    ClicBouton(OPTIONS);
    ASSERT_TRUE(Jusqua(303));
    EXPECT_EQ(PanneauOrigine.x, 94);
    EXPECT_EQ(ResolutionLargeur, 640);
    Touche(ToucheBas);
    Touche(ToucheDroite);
    EXPECT_EQ(VolumeMusique, 31);
    // The parental row opens the code box; typing, then Return sets the code.
    Touche(ToucheBas);
    Touche(ToucheBas);
    Touche(ToucheDroite);
    EXPECT_EQ(MenuEtat, 700);
    EXPECT_EQ(SaisieEnCours, 1);   // the keys typed go to the code only
    for (char c : std::string("1234")) {
        ToucheCaractere = c;
        Image();
    }
    Touche(ToucheEntree);
    Image();
    EXPECT_EQ(MenuEtat, 303);
    EXPECT_EQ(ControleParental, 1);
    EXPECT_STREQ(CodeParental, "1234");
    EXPECT_EQ(SaisieEnCours, 0);
    EXPECT_EQ(SaisieValidee, 0);
    // Escape in the code box changes nothing.
    Touche(ToucheDroite);
    ToucheCaractere = '1';
    Image();
    Touche(ToucheEchap);
    EXPECT_EQ(MenuEtat, 303);
    EXPECT_EQ(ControleParental, 1);
    // Return keeps the values; the panel slides away and the idle menu comes back.
    Touche(ToucheEntree);
    EXPECT_EQ(MenuEtat, 304);
    ASSERT_TRUE(Jusqua(0));
    EXPECT_EQ(VolumeMusique, 31);
    EXPECT_EQ(OptionLigne, 3);   // kept for the next opening
}

TEST_F(MenuPrincipalTest, ChoixDeLaCampagne) {
    struct Cas {
        int32_t commencee;
        int bouton;
        bool lance;
        int32_t campagne, camp, camps[4], heros;
    };
    std::filesystem::remove(arbre.Racine() / "tmp/Joueur0/entete_armee.txt");
    for (const Cas& c : {Cas{0, 14, false, 0, 0, {}, 0}, Cas{0, 17, false, 0, 0, {}, 0},
                         Cas{0, 13, true, 0, 1, {1, 2, 3, 0}, 0}, Cas{1, 14, true, 1, 3, {3, 2, 1, 0}, 5},
                         Cas{1, 15, true, 2, 1, {1, 2, 3, 0}, 5}, Cas{1, 16, true, 3, 0, {0, 2, 3, 1}, 5},
                         Cas{1, 17, true, 4, 2, {2, 1, 3, 0}, 5}}) {
        CampagneCommencee = c.commencee;
        TableChefs[3].maitre = 7;
        AlliancesEnAttente.fill(2);
        ExperienceHeros = 100;
        TexteRegionAffiche = 1;
        EtapeCampagne = 4;
        MenuAuRepos();
        ClicBouton(JOUER);
        ASSERT_TRUE(Jusqua(103));
        ClicBouton(NOUVELLE);
        EXPECT_EQ(MenuChoix, 0);
        ASSERT_TRUE(Jusqua(802));
        // The new campaign's state is cleared.
        EXPECT_EQ(TableChefs[3].maitre, 0);
        EXPECT_EQ(AlliancesEnAttente[4], -1);
        EXPECT_EQ(DefectionsEnAttente[0], -1);
        EXPECT_EQ(ExperienceHeros, 0);
        EXPECT_EQ(TexteRegionAffiche, 0);
        EXPECT_EQ(ClicBouton(c.bouton) == 0, c.lance) << c.bouton;
        if (!c.lance) {
            EXPECT_EQ(MenuEtat, 802);
            EXPECT_EQ(EtapeCampagne, 4);
            continue;
        }
        EXPECT_EQ(MenuChoix, 0);
        EXPECT_EQ(CampagneCourante, c.campagne);
        EXPECT_EQ(CampDuJoueur, c.camp);
        EXPECT_EQ(CampCatalogue, c.camp);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(CampParJoueur[i], c.camps[i]) << c.bouton << " " << i;
        EXPECT_EQ(TableChefs[0].maitre, c.heros);
        EXPECT_EQ(EtapeCampagne, 0);
    }
    // The campaign's army was copied into the working folder.
    EXPECT_TRUE(arbre.Existe("tmp/Joueur0/entete_armee.txt"));
}

TEST_F(MenuPrincipalTest, EchapDansLeChoixDeCampagneRevientAuMenuJouer) {
    MenuAuRepos();
    ClicBouton(JOUER);
    ASSERT_TRUE(Jusqua(103));
    ClicBouton(NOUVELLE);
    ASSERT_TRUE(Jusqua(802));
    CampagneCourante = 3;
    Touche(ToucheEchap);
    EXPECT_EQ(CampagneCourante, 0);
    ASSERT_TRUE(Jusqua(103));
    EXPECT_EQ(BoutonsMenu[JOUER].x, 320);
    EXPECT_EQ(BoutonsMenu[JOUER].y, 43);
    EXPECT_EQ(BoutonsMenu[NOUVELLE].y, 480 - 225);
    for (int i = DIDACTICIEL; i <= 17; ++i) EXPECT_EQ(BoutonsMenu[static_cast<size_t>(i)].x, 640) << i;
}

TEST_F(MenuPrincipalTest, EtatInconnuFatal) {
    MenuAuRepos();
    MenuEtat = 12345;
    // Return closes the report's box.
    Plateforme_InjecterTouche(TOUCHE_ENTREE, true);
    Plateforme_InjecterTouche(TOUCHE_ENTREE, false);
    testing::internal::CaptureStderr();
    EXPECT_THROW(Image(), FinProgramme);
    testing::internal::GetCapturedStderr();
    EXPECT_NE(arbre.Lire("Erreur.txt").find("CallbackMenuPrincipal(): Etat 12345 invalide"), std::string::npos)
        << arbre.Lire("Erreur.txt");
}

// MenuPrincipal itself: without the menu movie it runs on its own, at the movie's pace.

TEST_F(MenuPrincipalTest, EscarmoucheEnAttenteRendZeroSansRienMontrer) {
    ModeJeuCourant = 3;
    MenuEtat = 77;
    const uint64_t presentations = Affichage_NombrePresentations();
    EXPECT_EQ(MenuPrincipal(30000), 0);
    EXPECT_EQ(MenuEtat, 77);
    EXPECT_EQ(Affichage_NombrePresentations(), presentations);
}

TEST_F(MenuPrincipalTest, SansFilmDelaiPuisQuitter) {
    const uint32_t debut = Temps_Ticks();
    EXPECT_EQ(MenuPrincipal(3000), -1);
    EXPECT_GE(Temps_Ticks() - debut, 3000u);
    EXPECT_LT(Temps_Ticks() - debut, 5000u);
    // The window closed while the menu shows: the menu says quit.
    Plateforme_InjecterFermeture();
    EXPECT_EQ(MenuPrincipal(30000), 5);
    EXPECT_EQ(QuitterJeu, 1);
}

}  // namespace
