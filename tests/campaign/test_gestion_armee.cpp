// The army management screen driven as a player would (input queued before the screen runs), and
// its callbacks called directly where a whole session would say no more.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "campaign/armee.h"
#include "campaign/armee_fichiers.h"
#include "campaign/gestion_armee.h"
#include "catalogue_fixture.h"
#include "foundation/entrees.h"
#include "foundation/fenetre.h"
#include "foundation/polices.h"
#include "frontend/escarmouche.h"
#include "frontend/localisation.h"
#include "shell/routeur.h"
#include "world/experience.h"

namespace {

class GestionArmee : public CatalogueFixture {
  protected:
    void SetUp() override {
        CatalogueFixture::SetUp();
        ASSERT_EQ(Fenetre_Creation(nullptr), 1);
        ASSERT_EQ(Polices_Creation(nullptr), 1);
        Pomper();
        NiveauChateau = 1;
        NiveauArcher = 1;
        PrixParType.fill(0);
        PrixParType[13] = 100;   // an archer
        PrixParType[20] = 50;    // a soldier
        ModeSceneCourant = 0;
        QuitterJeu = 0;
        Entrees_RAZ();
        std::strcpy(TextesInterface[118], "Une armée compte au plus %d régiments.");
        std::strcpy(TextesInterface[76], "Un régiment compte au plus %d sections.");
        std::strcpy(TextesInterface[145], "Empire");
        arbre.Ecrire("Armees/reserve.txt", "or 1000\nnbReserves 0\n");
        std::filesystem::create_directories(arbre.Racine() / "Armees" / "joueur0");
    }
    void TearDown() override {
        Armee__liberer();
        ListeReserves__liberer();
        ModeSceneCourant = 2;
        CampDuJoueur = 1;
        CatalogueFixture::TearDown();
    }
    static void Pomper() {
        Message m;
        while (Message_Attente(&m))
            if (Message_Lire(&m)) Message_Distribuer(&m);
    }
    static void Clic(int x, int y) {
        Plateforme_InjecterSouris(x, y);
        Plateforme_InjecterBouton(true, true);
        Plateforme_InjecterBouton(true, false);
    }
    static void Touche(uint32_t t) {
        Plateforme_InjecterTouche(t, true);
        Plateforme_InjecterTouche(t, false);
    }
    static void Taper(const char* texte) {
        for (const char* c = texte; *c; ++c) Touche(static_cast<uint32_t>(std::toupper(static_cast<unsigned char>(*c))));
    }
    // Drags from one point to another with the left button.
    static void Glisser(int x0, int y0, int x1, int y1) {
        Plateforme_InjecterSouris(x0, y0);
        Plateforme_InjecterBouton(true, true);
        Plateforme_InjecterSouris(x1, y1);
        Plateforme_InjecterBouton(true, false);
    }
    // One turn of the screen with the mouse at (x, y), clicked or not.
    static int Tour(int x, int y, bool clic) {
        SourisX = x;
        SourisY = y;
        ClicGauche = clic;
        BoutonGauche = 0;
        return InterfaceArmee__Tour();
    }
    Regiment* NouveauRegiment(const char* nom, int sections = 0) {
        Regiment* r = creerRegiment(nom, Armee__nouvelId(), nullptr);
        for (int i = 0; i < sections; ++i) {
            Section* s = creerSection("s", 1, 1, nullptr);
            Section__ajouterUnite(s, creerUniteNeuve(2));
            Regiment__ajouterSection(r, s);
        }
        ArmeeJoueur->ajouter(r);
        return r;
    }
};

}  // namespace

// A whole session: a new regiment named in the box, an archers' section made by dragging their
// reserve onto it (two archers bought), one archer bought into the reserve; leaving writes the army
// and the reserves.
TEST_F(GestionArmee, ASessionComposesBuysAndSaves) {
    Clic(70, 420);                   // new regiment
    Touche(TOUCHE_ENTREE);           // the proposed name
    Glisser(430, 110, 40, 70);       // the archers' reserve (second row) onto the regiment
    Clic(430, 110);                  // the archers' reserve chosen
    Clic(460, 420);                  // buy one
    Touche(TOUCHE_ECHAP);
    EXPECT_EQ(InterfaceArmee(0), 0);
    EXPECT_EQ(QuitterJeu, 0);
    const std::string regiment = arbre.Lire("Armees/joueur0/regiment0.txt");
    EXPECT_NE(regiment.find("Regiment__nom =Orvandel\n"), std::string::npos) << regiment;
    EXPECT_NE(regiment.find("Section__numeroObjetMaitre 401\n\tSection__niveauChateau 1\n\tSection__nbUnites 2\n"),
              std::string::npos)
        << regiment;
    EXPECT_EQ(arbre.Lire("Armees/joueur0/entete_armee.txt"), "nbRegiments 1\n");
    const std::string reserves = arbre.Lire("Armees/reserve.txt");
    EXPECT_EQ(reserves.rfind("or 700\n", 0), 0u) << reserves;   // 1000 - 2 x 100 - 100
    EXPECT_NE(reserves.find("Reserve__typeUnite 2\nReserve__prix 100\nReserve__nbUnites 1\n"), std::string::npos)
        << reserves;
    EXPECT_EQ(ArmeeJoueur, nullptr);
    EXPECT_EQ(Catalogue, nullptr);
}

// Escape leaves only when a regiment has units, or at once in the skirmish set-up.
TEST_F(GestionArmee, EscapeNeedsARegimentWithUnitsOutsideTheSkirmish) {
    struct Cas {
        int modeScene;
        bool quitte;   // still on the screen when the window closed
    } cas[] = {{0, true}, {3, false}};
    for (const Cas& c : cas) {
        ModeSceneCourant = c.modeScene;
        QuitterJeu = 0;
        Touche(TOUCHE_ECHAP);
        Plateforme_InjecterFermeture();
        InterfaceArmee(0);
        EXPECT_EQ(QuitterJeu != 0, c.quitte) << c.modeScene;
        Pomper();
        Message m;
        while (Message_Attente(&m)) Message_Lire(&m);
    }
}

TEST_F(GestionArmee, TheThirteenthRegimentIsRefused) {
    InterfaceArmee__Ouverture(0);
    for (int i = 0; i < MAX_REGIMENTS; ++i) NouveauRegiment("R");
    testing::internal::CaptureStderr();
    EXPECT_EQ(InterfaceArmee__NouveauRegiment(), nullptr);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("au plus 12"), std::string::npos);
    EXPECT_EQ(ArmeeJoueur->nombre, MAX_REGIMENTS);
    InterfaceArmee__Fermeture();
}

// A regiment holds at most eight sections: neither a new one nor one dragged from another goes in.
TEST_F(GestionArmee, ANinthSectionIsRefused) {
    InterfaceArmee__Ouverture(0);
    OrJoueur = 100000;
    Regiment* plein = NouveauRegiment("Plein", 8);
    Regiment* autre = NouveauRegiment("Autre", 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(InterfaceArmee__CreerSection(plein, ListeReserves__chercherReserve(2)), 0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("au plus 8"), std::string::npos);
    ListeRegiments.selectionner(1);   // the other regiment shown: its section dragged onto the full one
    EXPECT_EQ(ListeRegiments.deposer(0, 0, 2), 0);
    EXPECT_EQ(plein->sections.nombre, 8);
    EXPECT_EQ(autre->sections.nombre, 1);
    delete Regiment__retirerSection(plein, 7);
    EXPECT_EQ(ListeRegiments.deposer(0, 0, 2), 1);   // now there is room
    EXPECT_EQ(plein->sections.nombre, 8);
    EXPECT_EQ(autre->sections.nombre, 0);
    InterfaceArmee__Fermeture();
}

// A regiment dragged onto the reserves goes back into them when they have room, and stays
// whole (with a warning) when they have not.
TEST_F(GestionArmee, ARegimentDroppedOnTheReservesIsDissolvedWhenThereIsRoom) {
    InterfaceArmee__Ouverture(0);
    Regiment* r = NouveauRegiment("R", 2);
    r->espace = 30;
    EspaceLibreReserves = 20;
    testing::internal::CaptureStderr();
    EXPECT_EQ(ListeReservesGraphique.deposer(0, -1, 1), 0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("L'espace est insuffisant"), std::string::npos);
    EXPECT_EQ(ArmeeJoueur->nombre, 1);
    EspaceLibreReserves = 10000;
    ASSERT_EQ(ListeReservesGraphique.deposer(0, -1, 1), 1);
    EXPECT_EQ(ListeRegiments.retirer(0), 1);
    EXPECT_EQ(ArmeeJoueur->nombre, 0);
    EXPECT_EQ(ListeReserves__chercherReserve(2)->unites.nombre, 2);
    InterfaceArmee__Fermeture();
}

// A leader's section takes the leader's reserve out of the list once, and a regiment takes one leader.
TEST_F(GestionArmee, ALeaderReserveLeavesTheListOnceAndARegimentHasOneLeader) {
    InterfaceArmee__Ouverture(0);
    OrJoueur = 10000;
    Catalogue->typesUnites[0].typeSection = 0;   // the hero leads the soldiers' section
    auto heros = [] {
        Reserve* h = creerReserve(0, 0, nullptr);
        Reserve__ajouterUnite(h, creerUniteNeuve(0));
        ListeReserves__ajouter(h);
        return h;
    };
    Reserve* h = heros();
    const int32_t avant = ListeReservesJoueur->nombre;
    Regiment* r = NouveauRegiment("R");
    ASSERT_EQ(InterfaceArmee__CreerSection(r, h), 1);
    EXPECT_EQ(ListeReservesJoueur->nombre, avant - 1);
    for (Reserve* x : *ListeReservesJoueur) EXPECT_NE(x->typeUnite, 0);
    EXPECT_NE(ListeReserves__chercherReserve(1), nullptr);   // the soldiers' reserve is still there
    ASSERT_NE(Regiment__leader(r), nullptr);
    Reserve* second = heros();
    testing::internal::CaptureStderr();
    EXPECT_EQ(InterfaceArmee__CreerSection(r, second), 0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("un leader dans le r"), std::string::npos);
    EXPECT_EQ(r->sections.nombre, 1);
    InterfaceArmee__Fermeture();
}

// The slider: arrows by one, a press in the track at ((x - 447 + 6) x 10) / 126, and the
// experience taken out of the reserves with it.
TEST_F(GestionArmee, TheSliderSetsTheChosenExperience) {
    InterfaceArmee__Ouverture(0);
    EXPECT_EQ(CurseurExperience, 5);
    Reserve* r = ListeReserves__chercherReserve(2);
    Unite* u = creerUniteNeuve(2);
    u->experience = 1100;
    Reserve__ajouterUnite(r, u);
    struct Cas {
        int x;
        int position;
    } cas[] = {{447, 0}, {572, 10}, {510, 5}, {430, 4}, {585, 5}};
    for (const Cas& c : cas) {
        Tour(c.x, 385, true);
        EXPECT_EQ(CurseurExperience, c.position) << c.x;
        EXPECT_EQ(ExperienceChoisie, 1100 * c.position / 11 + 1) << c.x;
    }
    InterfaceArmee__Fermeture();
}

// The sell button leaves a leader's reserve alone; the buy button acts on units that can be bought.
TEST_F(GestionArmee, BuyingAndSellingFollowTheCategories) {
    InterfaceArmee__Ouverture(0);
    OrJoueur = 300;
    Reserve* h = creerReserve(0, 0, nullptr);
    Reserve__ajouterUnite(h, creerUniteNeuve(0));
    ListeReserves__ajouter(h);
    const int ligneHeros = ListeReservesJoueur->nombre - 1;
    Tour(430, 61 + 42 * ligneHeros + 5, true);   // the hero's reserve chosen (no drag: no section)
    Tour(500, 420, true);                          // sell
    Tour(460, 420, true);                          // buy
    EXPECT_EQ(h->unites.nombre, 1);
    EXPECT_EQ(OrJoueur, 300);
    Tour(430, 61 + 42 + 5, true);   // archers
    Tour(0, 0, false);              // released: the drag ends on nothing
    Tour(460, 420, true);
    Tour(460, 420, true);
    Tour(500, 420, true);
    EXPECT_EQ(ListeReserves__chercherReserve(2)->unites.nombre, 1);
    EXPECT_EQ(OrJoueur, 200);   // two bought at 100, one sold back at 100
    InterfaceArmee__Fermeture();
}

// Sell takes the unit whose experience is nearest the slider's, not the last one.
TEST_F(GestionArmee, SellTakesTheUnitNearestTheSlider) {
    InterfaceArmee__Ouverture(0);
    Reserve* r = ListeReserves__chercherReserve(2);
    for (int experience : {0, 1100, 5000}) {
        Unite* u = creerUniteNeuve(2);
        u->experience = experience;
        Reserve__ajouterUnite(r, u);
    }
    InterfaceArmee__Curseur(2);   // 5000 x 2 / 11 + 1 = 910
    Tour(430, 61 + 42 + 5, true);  // the archers
    Tour(0, 0, false);
    Tour(500, 420, true);          // sell
    ASSERT_EQ(r->unites.nombre, 2);
    EXPECT_EQ(r->unites[0]->experience, 0);
    EXPECT_EQ(r->unites[1]->experience, 5000);
    InterfaceArmee__Fermeture();
}

// Leaving the campaign's screen with every regiment dissolved writes the empty army along with the
// reserves that now hold its units.
TEST_F(GestionArmee, AnEmptiedArmyIsWrittenToo) {
    InterfaceArmee__Ouverture(0);
    NouveauRegiment("R", 1);
    InterfaceArmee__Fermeture();
    ASSERT_EQ(arbre.Lire("Armees/joueur0/entete_armee.txt"), "nbRegiments 1\n");
    arbre.Ecrire("tmp/Joueur0/entete_armee.txt", "nbRegiments 1\n");   // the working copy the screen reads
    InterfaceArmee__Ouverture(0);
    ASSERT_EQ(ArmeeJoueur->nombre, 1);
    ASSERT_EQ(ListeRegiments.retirer(0), 1);
    InterfaceArmee__Fermeture();
    EXPECT_EQ(arbre.Lire("Armees/joueur0/entete_armee.txt"), "nbRegiments 0\n");
    EXPECT_NE(arbre.Lire("Armees/reserve.txt").find("Reserve__typeUnite 2\nReserve__prix 100\nReserve__nbUnites 1\n"),
              std::string::npos);
}

// A section type with no layout at the castle's level makes no section (it would hold no unit).
TEST_F(GestionArmee, ASectionTypeWithoutLayoutIsRefused) {
    arbre.Ecrire("sections/sect_archers.sct", "NIVEAU 2 LARGEURHAUTEUR 2 1 COMPOSITION EMPIRE___ARCHER EMPIRE___ARCHER\n");
    NiveauChateau = 2;
    InterfaceArmee__Ouverture(0);
    OrJoueur = 10000;
    Regiment* r = NouveauRegiment("R");
    testing::internal::CaptureStderr();
    EXPECT_EQ(InterfaceArmee__CreerSection(r, ListeReserves__chercherReserve(2)), 0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Impossible de cr"), std::string::npos);
    EXPECT_EQ(r->sections.nombre, 0);
    EXPECT_EQ(OrJoueur, 10000);
    InterfaceArmee__Fermeture();
}

// The name box: a sign only after two characters, at most `maximum` characters, Backspace, the
// first letter in upper case.
TEST_F(GestionArmee, TheNameBoxKeepsItsRules) {
    struct Cas {
        const char* touches;   // '<' Backspace
        int maximum;
        const char* attendu;
    } cas[] = {
        {"a-b", 11, "Ab"},
        {"ab-c", 11, "Ab-c"},
        {"abcdef", 4, "Abcd"},
        {"abc<<d", 11, "Ad"},
    };
    for (const Cas& c : cas) {
        for (const char* t = c.touches; *t; ++t) {
            if (*t == '<') Touche(TOUCHE_RETOUR_ARRIERE);
            else if (*t == '-') Touche(TOUCHE_PAVE_MOINS);
            else Taper(std::string(1, *t).c_str());
        }
        Touche(TOUCHE_ENTREE);
        char texte[16] = "";
        EXPECT_EQ(SaisieNom(170, 150, 0, 194, 174, "Nom", 194, 214, texte, c.maximum), 1);
        EXPECT_STREQ(texte, c.attendu) << c.touches;
    }
}

// In the skirmish set-up the army goes into its faction's folder under the name typed, and the
// campaign's reserves file is left alone.
TEST_F(GestionArmee, ASkirmishArmyIsWrittenInItsFactionFolder) {
    ModeSceneCourant = 3;
    CampDuJoueur = 0;
    CampEscarmoucheArmee = 3;   // "Empire"
    InterfaceArmee__Ouverture(0);
    OrJoueur = 90000;
    Regiment* r = NouveauRegiment("Garde", 1);
    (void)r;
    Touche(TOUCHE_ENTREE);   // the proposed name, "Empire"
    InterfaceArmee__Fermeture();
    EXPECT_EQ(arbre.Lire("Armees/Escarmouche/Empire/Empire/entete_armee.txt"), "nbRegiments 1\n");
    EXPECT_NE(arbre.Lire("Armees/Escarmouche/Empire/Empire/regiment0.txt").find("Regiment__nom =Garde"), std::string::npos);
    EXPECT_EQ(arbre.Lire("Armees/reserve.txt"), "or 1000\nnbReserves 0\n");
}

TEST(NomDossierEscarmouche, NamesCannotLeaveTheFactionFolder) {
    struct Cas {
        const char* nom;
        const char* dossier;
    } cas[] = {{"Garde noire", "Garde noire"}, {"ab/..", "ab_.."}, {"a\\b:c", "a_b_c"}, {"..", ""}, {". .", ""}};
    for (const Cas& c : cas) EXPECT_EQ(Armee__nomDossierEscarmouche(c.nom), c.dossier) << c.nom;
}
