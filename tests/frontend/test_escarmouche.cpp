// The skirmish set-up: its lists and input on a small tree of maps and armies, then the whole
// screen on the sample game, from the preview to the battle it starts. With MORVANE_CAPTURES set
// to a folder, the screen is also written there as a PNG image.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "../world/scene_fixture.h"
#include "../campaign/catalogue_fixture.h"
#include "arbre_temporaire.h"
#include "campaign/armee.h"
#include "campaign/campagne.h"
#include "foundation/ecran.h"
#include "foundation/ecran_fixture.h"
#include "foundation/entrees.h"
#include "foundation/fenetre.h"
#include "foundation/journal.h"
#include "foundation/objetsgfx.h"
#include "foundation/polices.h"
#include "foundation/sprites.h"
#include "frontend/choix_camp.h"
#include "frontend/escarmouche.h"
#include "frontend/localisation.h"
#include "platform/affichage.h"
#include "platform/blitter.h"
#include "scene/rectangle.h"
#include "shell/routeur.h"
#include "world/objets.h"

namespace {

const char* const REGIMENT =
    "Regiment__mort 0\nRegiment__nom =R\nRegiment__pointsAction 3\nRegiment__siegeSeul 0\n"
    "Regiment__plaine 1 0\nRegiment__foret 1 0\nRegiment__montagne -1 -1\nRegiment__riviere -1 -1\n"
    "Regiment__attaquer 1 0 1 0 1 0\nRegiment__rompre 1 0 1 0 1 0\nRegiment__embuscade 1 0 1 0 1 0\n"
    "Regiment__marcheForcee 1 0 1 0 1 0\nRegiment__defense 1 0 1 0 1 0\nRegiment__leader -1\nRegiment__id 0\n"
    "Regiment__nbSections 1\n\tSection__nom =Soldats\n\tSection__numeroObjetMaitre 400\n\tSection__niveauChateau 1\n"
    "\tSection__nbUnites 2\n\t\t20 0 500 500 100 100 10 0 0\n\t\t20 0 500 500 100 100 10 0 0\n";

// The set-up's lists and input on a tree of two maps and a few armies; no preview world.
class EscarmoucheListes : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    std::vector<uint16_t> ecran = std::vector<uint16_t>(640 * 480, 0);

    void SetUp() override {
        ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        EcranTampon = ecran.data();
        LargeurEcran = 640;
        HauteurEcran = 480;
        for (const char* f : {"Skirmish/Gue.mv", "Skirmish/plaine.MV", "Skirmish/Escarmouche.VBat", "Skirmish/notes.txt"})
            arbre.Ecrire(f, "");
        // Every faction's catalogue is the small one of the campaign tests.
        arbre.Ecrire("ini/mv.ini", MV_INI_CATALOGUE);
        for (const char* camp : {"Empire", "Justice", "Lumiere", "Morvane"})
            arbre.Ecrire(std::string("sections/") + camp + ".txt", CATALOGUE_EMPIRE);
        arbre.Ecrire("sections/sect_soldats.sct", SCT_SOLDATS);
        arbre.Ecrire("sections/sect_archers.sct", SCT_ARCHERS);
        NiveauSoldat = NiveauArcher = 1;
        Armee("Lumiere/Aube");
        Armee("Justice/Paladins");
        Armee("Empire/Garde");
        Armee("Empire/Eclaireurs");
        arbre.Ecrire("Armees/Escarmouche/Lumiere/Casse/regiment0.txt", REGIMENT);           // no header
        arbre.Ecrire("Armees/Escarmouche/Lumiere/Trop/entete_armee.txt", "nbRegiments 13\n");
        arbre.Ecrire("Armees/Escarmouche/Lumiere/Trop/regiment0.txt", REGIMENT);
        // Armies whose files a battle could not take.
        arbre.Ecrire("Armees/Escarmouche/Lumiere/Vide/entete_armee.txt", "nbRegiments 1\n");
        arbre.Ecrire("Armees/Escarmouche/Lumiere/Vide/regiment0.txt", "Regiment__mort 1\n");
        Armee("Lumiere/Tronquee");
        arbre.Ecrire("Armees/Escarmouche/Lumiere/Tronquee/entete_armee.txt", "nbRegiments 2\n");
        arbre.Ecrire("Armees/Escarmouche/Lumiere/Tronquee/regiment1.txt", std::string(REGIMENT).substr(0, 200));
        Armee("Lumiere/Etrangere");
        std::string etranger = REGIMENT;
        etranger.replace(etranger.find("Maitre 400"), 10, "Maitre 401");
        etranger.replace(etranger.find("\t\t20 "), 5, "\t\t99 ");
        arbre.Ecrire("Armees/Escarmouche/Lumiere/Etrangere/regiment0.txt", etranger);
        CampEscarmoucheJoueur = 0;
        CampEscarmoucheAdversaire = 2;
        OrEscarmouche = 5000;
        PositionEscarmoucheJoueur = 3;
        PositionEscarmoucheAdversaire = 5;
        EscarmoucheConfirmee = 0;
        for (int c = 0; c < 3; ++c) ChoixLigneEscarmouche[c] = PremiereLigneEscarmouche[c] = 0;
        testing::internal::CaptureStderr();
        Escarmouche__ListeFichiers();
        rapports = testing::internal::GetCapturedStderr();
        Entrees_RAZ();
    }
    void TearDown() override {
        Escarmouche__Liberation();
        delete[] CarteEscarmouche;
        CarteEscarmouche = nullptr;
        EcranTampon = nullptr;
        Plateforme_Fermer();
    }
    void Armee(const std::string& nom) {
        arbre.Ecrire("Armees/Escarmouche/" + nom + "/entete_armee.txt", "nbRegiments 1\n");
        arbre.Ecrire("Armees/Escarmouche/" + nom + "/regiment0.txt", REGIMENT);
    }
    // One frame of input with a click of the left (or right) button at (x, y).
    static int Clic(int x, int y, bool droit = false) {
        SourisX = x;
        SourisY = y;
        (droit ? ClicDroitEtat : ClicGauche) = 1;
        return Escarmouche__Gestion();
    }
    std::string rapports;
};

// Maps are the ".mv" files in either case, the conditions file left out; an army needs a
// readable header of 1 to 12 regiments, its first regiment file, regiment files that read without
// fault with its faction's catalogue and a unit at least, else it is reported once.
TEST_F(EscarmoucheListes, TheListsHoldMapsAndReadableArmies) {
    EXPECT_EQ(ListeCartesEscarmouche, (std::vector<std::string>{"Gue.mv", "plaine.MV"}));
    EXPECT_EQ(ListeArmeesJoueur, (std::vector<std::string>{"Aube"}));
    EXPECT_EQ(ListeArmeesAdversaire, (std::vector<std::string>{"Paladins"}));
    for (const char* nom : {"Casse", "Trop", "Vide", "Tronquee", "Etrangere"})
        EXPECT_NE(rapports.find(std::string(" ") + nom + " est illisible"), std::string::npos) << nom;
    EXPECT_FALSE(Catalogue);
    testing::internal::CaptureStderr();
    Escarmouche__ListeFichiers();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// With each faction's catalogue kept from one listing to the next, the lists are the same, no
// catalogue stays loaded between listings, and a faction chosen since has its own armies.
TEST_F(EscarmoucheListes, KeptCataloguesGiveTheSameLists) {
    Escarmouche__GarderCatalogues(true);
    for (int fois = 0; fois < 2; ++fois) {
        Escarmouche__ListeFichiers();
        EXPECT_EQ(ListeArmeesJoueur, (std::vector<std::string>{"Aube"}));
        EXPECT_EQ(ListeArmeesAdversaire, (std::vector<std::string>{"Paladins"}));
        EXPECT_FALSE(Catalogue);
    }
    CampEscarmoucheJoueur = 3;
    Escarmouche__ListeFichiers();
    std::vector<std::string> empire = ListeArmeesJoueur;
    std::sort(empire.begin(), empire.end());
    EXPECT_EQ(empire, (std::vector<std::string>{"Eclaireurs", "Garde"}));
    Escarmouche__GarderCatalogues(false);
    Escarmouche__ListeFichiers();
    EXPECT_EQ(ListeArmeesJoueur.size(), 2u);
}

// The two sides never share a faction, and "All" is not chosen by a click; a new faction brings
// its own armies.
TEST_F(EscarmoucheListes, FactionClicksNeverGiveBothSidesOneFaction) {
    struct Cas {
        int x;
        int joueur, adversaire;
    } cas[] = {
        {59 + 33 * 2 + 5, 0, 2},    // the opponent's faction: refused
        {59 + 33 * 3 + 5, 3, 2},    // Empire
        {440 + 33 * 3 + 5, 3, 2},   // the player's faction now: refused
        {195, 3, 2},                // (195 - 59) / 33 = 4: not below 4
        {440 + 33 * 0 + 5, 3, 0},   // Lumiere for the opponent
    };
    for (const Cas& c : cas) {
        Clic(c.x, 100);
        EXPECT_EQ(CampEscarmoucheJoueur, c.joueur) << c.x;
        EXPECT_EQ(CampEscarmoucheAdversaire, c.adversaire) << c.x;
    }
    EXPECT_EQ(ListeArmeesJoueur, (std::vector<std::string>{"Eclaireurs", "Garde"}));
    EXPECT_EQ(ListeArmeesAdversaire, (std::vector<std::string>{"Aube"}));
}

TEST_F(EscarmoucheListes, GoldStaysWithinZeroAndTenThousand) {
    struct Cas {
        int avant;
        int x;
        uint32_t touche;   // 0: a click at x
        int apres;
    } cas[] = {
        {500, 240, 0, 0}, {10000, 390, 0, 10000}, {5000, 390, 0, 5500}, {5000, 300, TOUCHE_DROITE, 5500},
        {5000, 300, TOUCHE_GAUCHE, 4500}, {5000, 100, TOUCHE_GAUCHE, 5000},
    };
    for (const Cas& c : cas) {
        OrEscarmouche = c.avant;
        if (c.touche) {
            Clavier_Touche(c.touche);
            SourisX = c.x;
            SourisY = 100;
            Escarmouche__Gestion();
            Entrees_RAZ();
        } else {
            Clic(c.x, 100);
        }
        EXPECT_EQ(OrEscarmouche, c.apres) << c.avant << " " << c.x;
    }
}

// Left button the player's cell, right button the opponent's; both may share one; the grid's
// right and bottom edges stay in its last column and row.
TEST_F(EscarmoucheListes, StartPositionsShareCellsAndStayOnTheGrid) {
    Clic(273 + 31 + 5, 311 + 5);
    Clic(273 + 31 + 5, 311 + 5, true);
    EXPECT_EQ(PositionEscarmoucheJoueur, 1);
    EXPECT_EQ(PositionEscarmoucheAdversaire, 1);
    Clic(366, 404);
    EXPECT_EQ(PositionEscarmoucheJoueur, 8);
    Clic(273, 404, true);
    EXPECT_EQ(PositionEscarmoucheAdversaire, 6);
}

// Deleting the last army of a column removes its folder and empties the column; confirm is then
// refused, and a delete on the empty column does nothing.
TEST_F(EscarmoucheListes, DeletingTheLastArmyDisablesConfirm) {
    Clic(200, 300);
    EXPECT_FALSE(arbre.Existe("Armees/Escarmouche/Lumiere/Aube"));
    EXPECT_TRUE(ListeArmeesJoueur.empty());
    EXPECT_EQ(Clic(290, 430), 0);
    EXPECT_EQ(EscarmoucheConfirmee, 0);
    Clic(200, 300);
    EXPECT_EQ(ListeArmeesAdversaire, (std::vector<std::string>{"Paladins"}));
    EXPECT_EQ(Clic(330, 430), -1);   // cancel
}

TEST_F(EscarmoucheListes, ConfirmHandsTheSkirmishOn) {
    EscarmoucheEnCours = -1;
    EXPECT_EQ(Clic(290, 430), 1);
    EXPECT_EQ(EscarmoucheConfirmee, 1);
    EXPECT_EQ(EscarmoucheEnCours, 3);
}

// A row below the last item chooses the last; a map chosen becomes the map path; a click in an
// empty column chooses nothing.
TEST_F(EscarmoucheListes, RowsChooseWithinTheirList) {
    Clic(300, 128 + 22 * 6 + 5);
    EXPECT_EQ(ChoixLigneEscarmouche[COLONNE_CARTES], 1);
    ASSERT_NE(CarteEscarmouche, nullptr);
    EXPECT_STREQ(CarteEscarmouche, "..\\Skirmish\\plaine.MV");
    Clic(200, 300);   // the player's only army deleted
    Clic(100, 140);
    EXPECT_EQ(ChoixLigneEscarmouche[COLONNE_JOUEUR], 0);
    EXPECT_EQ(Escarmouche__DossierArmee(COLONNE_JOUEUR), "");
}

TEST(EscarmoucheTables, FactionsAndEntryPoints) {
    const int32_t jeu[5] = {2, 3, 1, 0, 9};
    for (int c = 0; c < 5; ++c) EXPECT_EQ(Escarmouche__CampJeu(c), jeu[c]);
    EXPECT_EQ(Escarmouche__Suivant(5, 6), 5);
    EXPECT_EQ(Escarmouche__Suivant(0, 0), 0);
    EXPECT_EQ(Escarmouche__Precedent(0), 0);
}

// The whole screen on the sample game, in a window, with its sprites.
class EscarmoucheJeu : public Scene {
  protected:
    void AvantChargement() override {
        ASSERT_EQ(Fenetre_Creation(nullptr), 1);
        ASSERT_EQ(Polices_Creation(nullptr), 1);
        Message m;
        while (Message_Attente(&m))
            if (Message_Lire(&m)) Message_Distribuer(&m);
        ASSERT_EQ(SprDll_Init(12, BLITTER_FORMAT_555, nullptr), 0);
        LocalisationInitialisation();
        QuitterJeu = 0;
        EscarmoucheEnCours = 0;
        ModeJeuCourant = -1;
    }
    void TearDown() override {
        Scene::TearDown();
        Escarmouche__Liberation();
        ObjetsGfx_Liberation();
        SprDll_Free();
    }
    static void Clic(int x, int y, bool droit = false) {
        Plateforme_InjecterSouris(x, y);
        Plateforme_InjecterBouton(!droit, true);
        Plateforme_InjecterBouton(!droit, false);
    }
    static void Capturer(const char* nom) {
        if (const char* dossier = std::getenv("MORVANE_CAPTURES"))
            Affichage_CapturerPng(std::string(dossier) + "/" + nom + ".png");
    }
    // Live units of side a.
    static int Unites(int armee) {
        int n = 0;
        for (NoeudEntier* e = ListeObjetsVivants; e && e->suivant; e = e->suivant) {
            const Objet& o = TableObjets[static_cast<size_t>(e->valeur)];
            n += o.famille == 0 && o.armee == armee;
        }
        return n;
    }
};

// Empire's guard against Morvane's horde on the second map, more gold, the opponent moved: on
// confirm the router starts the battle with both armies on the map.
TEST_F(EscarmoucheJeu, ConfirmStartsTheBattleWithBothArmies) {
    OrJoueur = 123;
    Clic(59 + 33 * 3 + 5, 100);        // the player: Empire
    Clic(440 + 33 * 1 + 5, 100);       // the opponent: Morvane
    Clic(300, 128 + 22 + 5);           // the second map
    Clic(100, 128 + 22 + 5);           // the player's second army (Garde)
    Clic(390, 100);                    // gold + 500
    Clic(273 + 62 + 5, 311 + 5, true); // the opponent at the top right
    Plateforme_InjecterSouris(600, 200);
    Clic(290, 430);                    // confirm
    Escarmouche();
    Capturer("escarmouche");
    EXPECT_EQ(EscarmoucheConfirmee, 1);
    EXPECT_EQ(ModeJeuCourant, 3);
    EXPECT_EQ(MorvaneCode, 10);
    EXPECT_EQ(ModeSceneCourant, 2);
    EXPECT_EQ(OrJoueur, 123);
    EXPECT_EQ(OrEscarmouche, 5500);
    ASSERT_NE(CarteEscarmouche, nullptr);
    EXPECT_STREQ(CarteEscarmouche, "..\\Skirmish\\Plaine.mv");
    EXPECT_EQ(Escarmouche__DossierArmee(COLONNE_JOUEUR), "..\\Armees\\Escarmouche\\Empire\\Garde\\");
    EXPECT_EQ(PositionEscarmoucheAdversaire, 2);

    ASSERT_EQ(Morvane_Routeur(), 0u) << Rapport();
    EXPECT_GT(Unites(0), 0);
    EXPECT_GT(Unites(1), 0);
    EXPECT_EQ(CampDuJoueur, 3);   // the faction of the side loaded last
}

// The set-up's picture draws the four shields of each side where a click picks them: every pixel
// of a drawn shield lies in its faction's click zone, and the chosen faction's lit mark, drawn
// where the screen draws it, covers exactly the dim shield under it.
TEST_F(EscarmoucheJeu, FactionShieldsAreDrawnWhereTheyAreClicked) {
    ASSERT_NE(EcranTampon, nullptr);
    std::fill(EcranTampon, EcranTampon + 640 * 480, uint16_t{0});
    Sprite__Affiche(976, 0, 0, 0);
    const std::vector<uint16_t> image(EcranTampon, EcranTampon + 640 * 480);
    for (int cote = 0; cote < 2; ++cote) {
        const int gauche = cote == 0 ? 59 : 440;                     // a click picks (x - gauche) / 33
        const int panneau = image[static_cast<size_t>(100 * 640 + gauche - 1)];   // the panel left of the shields
        for (int camp = 0; camp < 4; ++camp) {
            SCOPED_TRACE(testing::Message() << "cote " << cote << " camp " << camp);
            // The lit mark's pixels: those it changes on a plain screen.
            std::fill(EcranTampon, EcranTampon + 640 * 480, uint16_t{0x7C1F});
            Sprite__Affiche(978, gauche + 1 + 35 * camp, 88, camp);
            int marque = 0, couvert = 0, ecarts = 0;
            for (int y = 80; y < 125; ++y)
                for (int x = gauche - 5; x < gauche + 150; ++x) {
                    const size_t i = static_cast<size_t>(y * 640 + x);
                    const bool lit = EcranTampon[i] != 0x7C1F;
                    const bool dans = x >= gauche + 33 * camp && x < gauche + 33 * (camp + 1);
                    const bool bouclier = dans && y >= 88 && y < 118 && image[i] != panneau;
                    marque += lit;
                    couvert += lit && bouclier;
                    ecarts += lit != bouclier;
                    if (lit && y >= 89 && y < 118) {
                        EXPECT_EQ((x - gauche) / 33, camp) << x << "," << y;
                    }
                }
            EXPECT_GT(marque, 500);
            EXPECT_EQ(couvert, marque);
            EXPECT_EQ(ecarts, 0) << "the dim shield has the lit mark's shape";
        }
    }
    std::fill(EcranTampon, EcranTampon + 640 * 480, uint16_t{0});
}

// Escape leaves without a battle and frees the preview's world.
TEST_F(EscarmoucheJeu, EscapeLeavesWithoutABattle) {
    Plateforme_InjecterTouche(TOUCHE_ECHAP, true);
    Escarmouche();
    EXPECT_EQ(EscarmoucheConfirmee, 0);
    EXPECT_EQ(ModeJeuCourant, -1);
    EXPECT_EQ(ModeSceneCourant, 0);
    EXPECT_EQ(ListeObjetsVivants, nullptr);
    EXPECT_EQ(GrilleUnites, nullptr);
}

// The set-up keeps the top-left edge of the clip it found: from then on the selection box is
// drawn up to the view's top and left edges, not 8 pixels short of them.
TEST_F(EscarmoucheJeu, TheSetUpSavesItsClipForTheSelectionBox) {
    ClipSauveX = ClipSauveY = 8;
    ASSERT_EQ(EcranDestination.clipGauche, 0);
    ASSERT_EQ(EcranDestination.clipHaut, 0);
    Plateforme_InjecterTouche(TOUCHE_ECHAP, true);
    Escarmouche();
    EXPECT_EQ(ClipSauveX, 0);
    EXPECT_EQ(ClipSauveY, 0);
    ASSERT_NE(EcranTampon, nullptr);
    std::fill(EcranTampon, EcranTampon + static_cast<size_t>(LargeurEcran) * HauteurEcran, uint16_t{0});
    Ligne__AjoutCouleurVerticale(0, 3, 20, 1, 9, 9, 9);
    Ligne__AjoutCouleurHorizontale(0, 4, 20, 1, 9, 9, 9);
    EXPECT_EQ(EcranTampon[3 * LargeurEcran + 5], 9 << 10 | 9 << 5 | 9);
    EXPECT_EQ(EcranTampon[5 * LargeurEcran + 4], 9 << 10 | 9 << 5 | 9);
}

// The window closed on the set-up: left as a cancel, and the quit goes on to the loops outside.
TEST_F(EscarmoucheJeu, AQuitEndsTheSetUpAsACancel) {
    Plateforme_InjecterFermeture();
    Escarmouche();
    EXPECT_EQ(QuitterJeu, 1);
    EXPECT_EQ(EscarmoucheConfirmee, 0);
    EXPECT_EQ(ModeJeuCourant, -1);
    EXPECT_EQ(GrilleUnites, nullptr);
}

// The delete button asks first with the question box: "no" keeps the army (with no box to ask,
// the answer is yes, as the set-up's list tests show).
TEST_F(EscarmoucheJeu, DeletingAnArmyAsksFirst) {
    Clic(200, 300);
    Clic(96 + 240, 157 + 120);      // no
    Plateforme_InjecterSouris(600, 200);
    Plateforme_InjecterTouche(TOUCHE_ECHAP, true);
    Escarmouche();
    EXPECT_TRUE(arbre.Existe("Armees/Escarmouche/Lumiere/Aube/regiment0.txt"));
    EXPECT_EQ(ListeArmeesJoueur, (std::vector<std::string>{"Aube"}));
}

// A new army composed as a new player would on the sample game, in three factions: a regiment, then
// soldiers, archers and mages dragged from the reserves onto it, each price accepted; the army
// written holds the three sections, full, and the price question is a purchase's.
TEST_F(EscarmoucheJeu, ANewArmyTakesEverySectionOfTheCatalogue) {
    struct Cas {
        int camp;
        const char* dossier;
        const char* maitres[3];   // soldiers, archers, mages
    } cas[] = {{0, "Lumiere/Lumiere", {"34", "28", "31"}},
               {1, "Morvane/Morvane", {"10", "43", "11"}},
               {3, "Empire/Empire", {"20", "13", "17"}}};
    for (const Cas& c : cas) {
        Clic(59 + 33 * c.camp + 5, 100);      // the player's faction
        Clic(120, 338);                       // create an army: the army screen
        Clic(70, 420);                        // a new regiment
        Plateforme_InjecterTouche(TOUCHE_ENTREE, true);
        Plateforme_InjecterTouche(TOUCHE_ENTREE, false);
        for (int ligne = 0; ligne < 3; ++ligne) {   // soldiers, archers, mages
            Plateforme_InjecterSouris(430, 61 + 42 * ligne + 10);
            Plateforme_InjecterBouton(true, true);
            Plateforme_InjecterSouris(40, 70);
            Plateforme_InjecterBouton(true, false);
            Plateforme_InjecterTouche(TOUCHE_ENTREE, true);   // yes to the price
            Plateforme_InjecterTouche(TOUCHE_ENTREE, false);
        }
        Plateforme_InjecterTouche(TOUCHE_ECHAP, true);        // leave: the army's name
        Plateforme_InjecterTouche(TOUCHE_ECHAP, false);
        Plateforme_InjecterTouche(TOUCHE_ENTREE, true);
        Plateforme_InjecterTouche(TOUCHE_ENTREE, false);
        Plateforme_InjecterSouris(600, 200);
        Plateforme_InjecterTouche(TOUCHE_ECHAP, true);
        Escarmouche();
        const std::string regiment = arbre.Lire(std::string("Armees/Escarmouche/") + c.dossier + "/regiment0.txt");
        EXPECT_NE(regiment.find("Regiment__nbSections 3\n"), std::string::npos) << c.dossier << "\n" << regiment;
        for (const char* maitre : c.maitres)
            EXPECT_NE(regiment.find(std::string("Section__numeroObjetMaitre ") + maitre + "\n"), std::string::npos)
                << c.dossier << " " << maitre;
        EXPECT_EQ(regiment.find("Section__nbUnites 0"), std::string::npos) << regiment;
    }
    EXPECT_EQ(std::string(TexteInterface(89)).rfind("Acheter", 0), 0u) << TexteInterface(89);
}

// A header that counts more regiments than its folder holds: the missing ones are reported and
// skipped, the others still enter the battle.
TEST_F(EscarmoucheJeu, MissingRegimentFilesAreSkipped) {
    arbre.Ecrire("Armees/Escarmouche/Lumiere/Aube/entete_armee.txt", "nbRegiments 3\n");
    ASSERT_TRUE(Creer());
    CampEscarmoucheJoueur = 0;
    CampEscarmoucheAdversaire = 2;
    for (int c = 0; c < 3; ++c) ChoixLigneEscarmouche[c] = PremiereLigneEscarmouche[c] = 0;
    Escarmouche__ListeFichiers();
    const int avant = Unites(0), avantAdversaire = Unites(1);
    Messages_Initialisation();
    Escarmouche__ArmeesVersSections();
    std::string rapports;
    for (const char* t : TextesMessages)
        if (t) rapports += std::string(t) + "\n";
    EXPECT_NE(rapports.find("Regiment1.txt"), std::string::npos) << rapports;
    EXPECT_NE(rapports.find("Regiment2.txt"), std::string::npos) << rapports;
    EXPECT_GT(Unites(0), avant);
    EXPECT_GT(Unites(1), avantAdversaire);
}

// The screens played from a script on the manual clock, as a headless run of the program plays
// them, each captured as a PNG image (into MORVANE_CAPTURES, or the test's own tree).
class EscarmoucheVitrine : public EscarmoucheJeu {
  protected:
    virtual const char* Script() const = 0;
    std::string dossier;
    void AvantChargement() override {
        const char* captures = std::getenv("MORVANE_CAPTURES");
        dossier = captures ? captures : arbre.Racine().string();
        arbre.Ecrire("script.txt", Script());
        OptionsPlateforme options;
        options.script = (arbre.Racine() / "script.txt").string();
        options.dossierCapture = dossier;
        ASSERT_TRUE(Plateforme_Initialiser(options));
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        std::filesystem::create_directory_symlink(std::filesystem::path(MORVANE_JEU_DIR) / "images",
                                                  arbre.Racine() / "images");
        EscarmoucheJeu::AvantChargement();
    }
    bool Capture(const char* nom) const { return std::filesystem::exists(std::filesystem::path(dossier) / (std::string(nom) + ".png")); }
};

class VitrineEscarmouche : public EscarmoucheVitrine {
    const char* Script() const override {
        return "1000 move 600 200\n1100 capture escarmouche\n"
               "1200 move 120 338\n1210 click left\n"             // create an army: the army screen
               "1500 move 70 420\n1510 click left\n"              // a new regiment: the name box
               "1600 capture armee_nom\n1700 key RETURN\n"
               "1800 move 430 110\n1810 down left\n1900 move 40 70\n1910 up left\n"   // archers onto it
               "2000 key RETURN\n"                                 // yes to the price, if asked
               "2100 move 430 70\n2110 click left\n2200 move 300 250\n2300 capture armee\n"
               "2400 key ESCAPE\n2500 capture armee_sauvegarde\n2600 key RETURN\n"   // its name
               "2700 move 600 200\n2800 capture escarmouche_apres\n2900 key ESCAPE\n";
    }
};

// The set-up, the army screen opened from it, its name box, the army saved under its faction,
// and the set-up again with the new army listed.
TEST_F(VitrineEscarmouche, TheSetUpAndTheArmyScreenAsPlayed) {
    Escarmouche();
    EXPECT_EQ(EscarmoucheConfirmee, 0);
    EXPECT_NE(arbre.Lire("Armees/Escarmouche/Lumiere/Lumiere/regiment0.txt").find("Regiment__nom =Orvandel"),
              std::string::npos);
    EXPECT_EQ(ListeArmeesJoueur, (std::vector<std::string>{"Aube", "Lumiere"}));   // rebuilt after the army screen
    for (const char* c : {"escarmouche", "armee_nom", "armee", "armee_sauvegarde", "escarmouche_apres"})
        EXPECT_TRUE(Capture(c)) << c;
}

class VitrineChoixCamp : public EscarmoucheVitrine {
    const char* Script() const override { return "500 move 150 100\n600 capture choix_camp\n700 click left\n"; }
};

TEST_F(VitrineChoixCamp, TheFactionChoiceAsPlayed) {
    EXPECT_EQ(ChoixCamp(), 4);
    EXPECT_TRUE(Capture("choix_camp"));
}

}  // namespace
