// The debug information pages: the menu and its page numbers, the toggle, the day and night page,
// the pages that write the player's files, and the region terrain editor with its saved file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "arbre_temporaire.h"
#include "campaign/armee.h"
#include "campaign/armee_fichiers.h"
#include "campaign/region.h"
#include "editors/information.h"
#include "foundation/ecran_fixture.h"
#include "foundation/entrees.h"
#include "foundation/texte.h"
#include "scene/meteo.h"
#include "scene/survol.h"
#include "shell/routeur.h"
#include "shell/trame.h"
#include "world/univers.h"

namespace {

int AppelsEcranArmee = 0, DernierJoueur = -1, RestrictionsPendant = -1;
int AppelsCopie = 0;

class PagesInformation : public FenetreJeu {
  protected:
    ArbreTemporaire arbre;

    void SetUp() override {
        FenetreJeu::SetUp();
        Entrees_RAZ();
        unsetenv("MORVANE_DEBUG");
        InformationActive = 1;
        InformationPage = 0;
        CurseurInformation = 0;
        AppelsEcranArmee = AppelsCopie = 0;
        DernierJoueur = RestrictionsPendant = -1;
        Information__EcranArmee = [](int32_t joueur) {
            ++AppelsEcranArmee;
            DernierJoueur = joueur;
            RestrictionsPendant = RestrictionsCatalogue;
            return 0;
        };
        Information__CopierRegiments = [](int32_t, const int32_t* survivants) {
            for (int i = 0; i < 12; ++i) EXPECT_NE(survivants[i], 0);
            ++AppelsCopie;
        };
    }
    void TearDown() override {
        unsetenv("MORVANE_DEBUG");
        InformationActive = 0;
        InformationPage = 0;
        CurseurMasque = 0;
        ModeSceneCourant = 0;
        Region__liberer();
        FenetreJeu::TearDown();
    }
    // Chooses page n from the menu with Down and Return, one frame per key.
    static void Choisir(int n) {
        InformationPage = 0;
        CurseurInformation = 1;
        for (int i = 1; i < n; ++i) {
            ToucheBas = 1;
            InformationAffichage();
        }
        ToucheEntree = 1;
        InformationAffichage();
    }
};

// A page number outside 1..23 brings the menu back instead of ending the program.
TEST_F(PagesInformation, UnknownPageNumberFallsBackToTheMenu) {
    for (int page : {-1, 24, 99, 1 << 30}) {
        InformationPage = page;
        InformationAffichage();
        EXPECT_EQ(InformationPage, 0) << page;
    }
}

// The menu's highlight stays in 1..23; Return opens the highlighted page.
TEST_F(PagesInformation, MenuHighlightIsKeptInItsRangeAndReturnOpensThePage) {
    InformationAffichage();
    EXPECT_EQ(CurseurInformation, 1);
    ToucheHaut = 1;
    InformationAffichage();
    EXPECT_EQ(CurseurInformation, 1);
    for (int i = 0; i < 30; ++i) {
        ToucheBas = 1;
        InformationAffichage();
    }
    EXPECT_EQ(CurseurInformation, 23);
    Choisir(10);
    EXPECT_EQ(InformationPage, 10);
}

// The toggle shows the pages and hides the normal cursor; off, everything goes back.
// The menu's rows in the normal font sit in their own 16-pixel row, as the highlighted one in the
// sprite font does: nothing is drawn in row 0 (empty) when row 1 is shown in the normal font.
TEST_F(PagesInformation, MenuRowsInTheNormalFontStayInTheirRow) {
    CurseurInformation = 2;
    Texte__Couleur(0xFFFFFF);
    std::fill(EcranTampon, EcranTampon + LargeurEcran * HauteurEcran, uint16_t{0});
    InformationAffichage();
    auto traces = [](int haut, int bas) {
        int n = 0;
        for (int y = haut; y < bas; ++y)
            for (int x = 16; x < 400; ++x) n += EcranTampon[y * LargeurEcran + x] != 0;
        return n;
    };
    EXPECT_EQ(traces(48, 64), 0);   // row 0
    EXPECT_GT(traces(64, 80), 0);   // row 1, "Informations moteur"
}

TEST_F(PagesInformation, ToggleSetsAndClearsThePagesAndTheCursorMask) {
    InformationActive = 0;
    Information__Bascule();
    EXPECT_EQ(InformationActive, 1);
    EXPECT_EQ(CurseurMasque, -1);
    InformationPage = 12;
    Information__Bascule();
    EXPECT_EQ(InformationActive, 0);
    EXPECT_EQ(InformationPage, 0);
    EXPECT_EQ(CurseurMasque, 0);
    EXPECT_FALSE(Information__OptionDeveloppeur());
    setenv("MORVANE_DEBUG", "1", 1);
    EXPECT_TRUE(Information__OptionDeveloppeur());
    setenv("MORVANE_DEBUG", "0", 1);
    EXPECT_FALSE(Information__OptionDeveloppeur());
}

// Page 8: the line cursor wraps in 0..31, line 4 steps the hour, lines 8..31 the light of hour
// line - 8 within 0..31; leaving it above 23 brings the menu back at 23.
TEST_F(PagesInformation, DayAndNightPageEditsTheHourAndTheLightTable) {
    const auto table = TableIntensite;
    const int heure = HeureDuJour;
    Choisir(8);
    ASSERT_EQ(InformationPage, 8);
    CurseurInformation = 0;
    ToucheHaut = 1;
    InformationAffichage();
    EXPECT_EQ(CurseurInformation, 31);
    CurseurInformation = 4;
    HeureDuJour = 23;
    ToucheDroite = 1;
    InformationAffichage();
    EXPECT_EQ(HeureDuJour, 0);
    ToucheGauche = 1;
    InformationAffichage();
    EXPECT_EQ(HeureDuJour, 23);
    CurseurInformation = 8 + 5;
    TableIntensite[5] = 30;
    for (int i = 0; i < 3; ++i) {
        ToucheDroite = 1;
        InformationAffichage();
    }
    EXPECT_EQ(TableIntensite[5], 31);
    TableIntensite[5] = 1;
    for (int i = 0; i < 3; ++i) {
        ToucheGauche = 1;
        InformationAffichage();
    }
    EXPECT_EQ(TableIntensite[5], 0);
    CurseurInformation = 30;
    Information__Bascule();
    Information__Bascule();
    InformationAffichage();
    EXPECT_EQ(CurseurInformation, 23);
    TableIntensite = table;
    HeureDuJour = heure;
}

// Pages 18 to 21 open the army screen of players 0..3 without the catalogue's restrictions and
// return to the menu; page 22 writes the regiment files once each time it is chosen. Both only
// with the developer option.
TEST_F(PagesInformation, PlayerFilePagesNeedTheOptionAndWriteOncePerChoice) {
    for (int page : {18, 22}) {
        Choisir(page);
        for (int i = 0; i < 3; ++i) InformationAffichage();
    }
    EXPECT_EQ(AppelsEcranArmee, 0);
    EXPECT_EQ(AppelsCopie, 0);

    setenv("MORVANE_DEBUG", "1", 1);
    RestrictionsCatalogue = 1;
    for (int joueur = 0; joueur < 4; ++joueur) {
        Choisir(18 + joueur);
        InformationAffichage();
        EXPECT_EQ(DernierJoueur, joueur);
        EXPECT_EQ(InformationPage, 0);
    }
    EXPECT_EQ(AppelsEcranArmee, 4);
    EXPECT_EQ(RestrictionsPendant, 0);
    EXPECT_EQ(RestrictionsCatalogue, 1);

    Choisir(22);
    for (int i = 0; i < 5; ++i) InformationAffichage();
    EXPECT_EQ(InformationPage, 22);
    EXPECT_EQ(AppelsCopie, 1);
    Choisir(22);
    InformationAffichage();
    EXPECT_EQ(AppelsCopie, 2);
}

// The region terrain editor over a region map of known content.
class EditeurRegion : public PagesInformation {
  protected:
    void SetUp() override {
        PagesInformation::SetUp();
        ModeSceneCourant = 1;
        RepereX = RepereY = 0;
        CasesVisiblesX = 26;
        CasesVisiblesY = 20;
        NumeroRegion = 3;
        ModeEditionRegion = 0;
        CarteRegion* c = new CarteRegion{};
        for (int i = 0; i < REGION_LARGEUR * REGION_HAUTEUR; ++i) c->terrain[static_cast<size_t>(i)] = i % 3;
        c->departs[static_cast<size_t>(2 * REGION_HAUTEUR + 7)] = 1;
        c->nom = new char[32];
        std::strcpy(c->nom, "Region numéro 3");
        c->nbLieuxUniques = 1;
        c->lieuxUniques = new LieuUnique[1]{};
        LieuUnique& l = c->lieuxUniques[0];
        std::strcpy(l.nom, "Ferme");
        l.x = 8;
        l.y = 30;
        l.objetGraphique = 1224;
        l.nbrFrame = 4;
        CarteRegionCourante = c;
        InformationPage = 16;
    }
    static void Souris(int x, int y) {
        SourisX = x * 24 + 5;
        SourisY = y * 24 + 5;
    }
    static int32_t Terrain(int x, int y) { return CarteRegionCourante->terrain[static_cast<size_t>(x * REGION_HAUTEUR + y)]; }
    static int32_t Depart(int x, int y) { return CarteRegionCourante->departs[static_cast<size_t>(x * REGION_HAUTEUR + y)]; }
};

// Digits 1..6 choose the mode; the held button paints on every frame; mode 5 flips the start flag
// each frame; the view origin counts.
TEST_F(EditeurRegion, ModesPaintTerrainAndFlipStartCells) {
    struct Cas {
        int32_t* touche;
        int32_t terrain;
    };
    const Cas cas[] = {{&Touche2, 1}, {&Touche3, 2}, {&Touche4, 3}, {&Touche5, 4}, {&Touche1, 0}};
    BoutonGauche = 1;
    Souris(4, 5);
    for (const Cas& c : cas) {
        *c.touche = 1;
        InformationAffichage();
        EXPECT_EQ(Terrain(4, 5), c.terrain);
    }
    Touche6 = 1;
    Souris(10, 11);
    InformationAffichage();
    EXPECT_EQ(ModeEditionRegion, 5);
    EXPECT_EQ(Depart(10, 11), 1);
    InformationAffichage();
    EXPECT_EQ(Depart(10, 11), 0);
    RepereX = 20;
    RepereY = 18;
    Souris(1, 2);
    InformationAffichage();
    EXPECT_EQ(Depart(21, 20), 1);
    BoutonGauche = 0;
    InformationAffichage();
    EXPECT_EQ(Depart(21, 20), 1);
}

// The keys step the region only within 1..9 (here at the ends, where nothing is reloaded).
TEST_F(EditeurRegion, RegionNumberStaysWithinOneToNine) {
    NumeroRegion = 9;
    TouchePlus = 1;
    InformationAffichage();
    EXPECT_EQ(NumeroRegion, 9);
    NumeroRegion = 1;
    ToucheMoins = 1;
    InformationAffichage();
    EXPECT_EQ(NumeroRegion, 1);
}

// Off the region map the page shows its message only: nothing painted, F9 left unread.
TEST_F(EditeurRegion, OffTheRegionMapNothingIsPaintedNorSaved) {
    ModeSceneCourant = 2;
    ModeEditionRegion = 4;
    BoutonGauche = 1;
    Souris(3, 3);
    ToucheF9 = 1;
    InformationAffichage();
    EXPECT_EQ(Terrain(3, 3), 0);
    EXPECT_EQ(ToucheF9, 1);
    EXPECT_FALSE(arbre.Existe("region/region3.txt"));
}

// F9 writes "..\region\region3.txt": 40 + 1 + 40 + 1 lines of 52 numbers with a trailing blank,
// then the sites with their graphic object as a number; the region reader reads the grids back.
TEST_F(EditeurRegion, SaveWritesBothGridsAndTheSitesAndReadsBack) {
    ToucheF9 = 1;
    InformationAffichage();
    ASSERT_TRUE(arbre.Existe("region/region3.txt"));
    const std::string texte = arbre.Lire("region/region3.txt");
    std::istringstream flux(texte);
    std::vector<std::string> lignes;
    for (std::string l; std::getline(flux, l);) lignes.push_back(l);
    ASSERT_GE(lignes.size(), 82u + 6u);
    for (int i = 0; i < 82; ++i) {
        if (i == 40 || i == 81) {
            EXPECT_EQ(lignes[static_cast<size_t>(i)], "") << i;
            continue;
        }
        const std::string& l = lignes[static_cast<size_t>(i)];
        EXPECT_EQ(l.back(), ' ') << i;
        std::istringstream nombres(l);
        int n = 0;
        for (int v; nombres >> v;) ++n;
        EXPECT_EQ(n, 52) << i;
    }
    const std::vector<std::string> sites(lignes.begin() + 82, lignes.end());
    EXPECT_EQ(sites, (std::vector<std::string>{"Nombre de lieux uniques : 1", "\t\tNom : Ferme", "\t\tx : 8", "\t\ty : 30",
                                               "\t\tObjet Graphique : 1224", "\t\tNbr Frame : 4"}));
    FILE* f = std::fopen((arbre.Racine() / "region/region3.txt").c_str(), "r");
    ASSERT_NE(f, nullptr);
    CarteRegion lue{};
    std::string erreur;
    EXPECT_TRUE(Region__LireFichier(f, &lue, &erreur)) << erreur;
    std::fclose(f);
    EXPECT_EQ(lue.terrain, CarteRegionCourante->terrain);
    EXPECT_EQ(lue.departs, CarteRegionCourante->departs);
}

// A file that cannot be created is reported and the old one stays whole: the write goes through
// a temporary file renamed over it.
TEST_F(EditeurRegion, FailedWritesAreReportedAndKeepTheOldFile) {
    arbre.Ecrire("region", "un fichier, pas un dossier");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(InformationRegion__Sauver());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Ecriture impossible : ..\\region\\region3.txt"), std::string::npos);

    std::filesystem::remove(arbre.Racine() / "region");
    arbre.Ecrire("region/region3.txt", "ancien");
    EcritureSure__avantRenommage = [](const char*) { return false; };
    testing::internal::CaptureStderr();
    EXPECT_FALSE(InformationRegion__Sauver());
    testing::internal::GetCapturedStderr();
    EcritureSure__avantRenommage = nullptr;
    EXPECT_EQ(arbre.Lire("region/region3.txt"), "ancien");
    for (const auto& e : std::filesystem::directory_iterator(arbre.Racine() / "region"))
        EXPECT_EQ(e.path().filename(), "region3.txt");
    EXPECT_TRUE(InformationRegion__Sauver());
    EXPECT_NE(arbre.Lire("region/region3.txt"), "ancien");
}

}  // namespace
