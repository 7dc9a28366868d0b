// The formation screen: the drop rules, the name of a new regiment, and Escape writing the army
// where the region map reads it back.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <filesystem>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "campaign/armee.h"
#include "campaign/armee_fichiers.h"
#include "campaign/formation.h"
#include "campaign/region.h"
#include "catalogue_fixture.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/fenetre.h"
#include "foundation/polices.h"
#include "frontend/localisation.h"
#include "shell/routeur.h"
#include "world/grilles.h"
#include "world/objets.h"

namespace {

constexpr int SOLDATS = 0, ARCHERS = 1;   // section types of the fixture's catalogue
constexpr int HEROS = 0, ARCHER = 2;       // unit types

class Formation : public CatalogueFixture {
  protected:
    void SetUp() override {
        CatalogueFixture::SetUp();
        ASSERT_EQ(Fenetre_Creation(nullptr), 1);
        ASSERT_EQ(Polices_Creation(nullptr), 1);
        Pomper();
        NiveauChateau = 1;
        ModeSceneCourant = 1;
        QuitterJeu = 0;
        Entrees_RAZ();
        BoutonGauche = 0;
        std::strcpy(TextesInterface[136], "Nom du nouveau régiment");
        for (const char* d : {"Armees/joueur0", "tmp/Joueur0"}) std::filesystem::create_directories(arbre.Racine() / d);
        IdsFormation = {{{-1, -1, -2}, {-1, -1, -1}, {-1, -1, -1}}};
    }
    void TearDown() override {
        for (auto& l : RegimentsFormation) l.fill(nullptr);
        Armee__liberer();
        ModeSceneCourant = 2;
        CatalogueFixture::TearDown();
    }
    static void Pomper() {
        Message m;
        while (Message_Attente(&m))
            if (Message_Lire(&m)) Message_Distribuer(&m);
    }
    static void Touche(uint32_t t) {
        Plateforme_InjecterTouche(t, true);
        Plateforme_InjecterTouche(t, false);
    }
    // A regiment of `sections` archers' sections, the first led by a hero when asked.
    static Regiment* Regiment_(const char* nom, int sections, bool leader = false) {
        Regiment* r = creerRegiment(nom, Armee__nouvelId(), nullptr);
        for (int i = 0; i < sections; ++i) {
            Section* s = creerSection(nom + std::to_string(i), ARCHERS, 1, nullptr);
            Section__ajouterUnite(s, creerUniteNeuve(ARCHER));
            if (leader && i == 0) Section__ajouterUnite(s, creerUniteNeuve(HEROS));
            Regiment__ajouterSection(r, s);
        }
        ArmeeJoueur->ajouter(r);
        return r;
    }
    // The army written into both folders, as the region map keeps them, then the screen opened
    // on it with regiment id k in slot (1, k).
    void OuvrirSur(int regiments, int sections) {
        Catalogue__charger(0);
        Armee__creer();
        for (int i = 0; i < regiments; ++i) Regiment_(("R" + std::to_string(i)).c_str(), sections);
        ASSERT_TRUE(Armee__sauvegarderDans("..\\Armees\\joueur0\\"));
        ASSERT_TRUE(Armee__sauvegarderDans("..\\tmp\\Joueur0\\"));
        for (int i = 0; i < regiments && i < 3; ++i) IdsFormation[1][i] = i;
        Formation__init(0);
    }
    // One frame of the drag step with the mouse at (x, y), the left button held or not.
    static int Trame(int x, int y, bool bouton) {
        SourisX = x;
        SourisY = y;
        BoutonGauche = bouton ? 1 : 0;
        return Formation__deplacerSection();
    }
    // The centre of section i of slot (l, c) on a 640 x 480 screen.
    static int X(int c, int i) { return 5 + 145 * c + (i < 4 ? 5 : 73) + 30; }
    static int Y(int l, int i) { return (HauteurEcran - 464) / 2 + 156 * l + 5 + 37 * (i % 4) + 15; }
};

// What a drop does, by the slot it lands on.
TEST_F(Formation, TheDropRules) {
    struct Cas {
        const char* quoi;
        int sectionsCible;      // sections of the regiment in slot (0, 0); -1 an empty slot
        bool leaders;           // both the dragged section and the target hold a leader
        int ligne, colonne;     // the slot dropped on
        int regimentsEnPlus;    // regiments added to fill the army
        int attendu;
    } cas[] = {
        {"onto another regiment", 2, false, 0, 0, 0, 1},
        {"onto a regiment with eight sections", 8, false, 0, 0, 0, 0},
        {"onto a regiment with seven sections", 7, false, 0, 0, 0, 1},
        {"a leader onto a regiment led already", 2, true, 0, 0, 0, 0},
        {"onto an unavailable slot", -1, false, 0, 2, 0, 0},
        {"onto an empty slot with twelve regiments", -1, false, 0, 1, 11, 0},
    };
    for (const Cas& c : cas) {
        Catalogue__charger(0);
        Armee__creer();
        IdsFormation = {{{-1, -1, -2}, {-1, -1, -1}, {-1, -1, -1}}};
        for (auto& l : RegimentsFormation) l.fill(nullptr);
        Regiment* source = Regiment_("Source", 2, c.leaders);
        RegimentsFormation[1][1] = source;
        IdsFormation[1][1] = source->id;
        Regiment* cible = nullptr;
        if (c.sectionsCible >= 0) {
            cible = Regiment_("Cible", c.sectionsCible, c.leaders);
            RegimentsFormation[0][0] = cible;
            IdsFormation[0][0] = cible->id;
        }
        for (int i = 0; i < c.regimentsEnPlus; ++i) Regiment_("Autre", 1);
        const int avant = ArmeeJoueur->nombre;
        EXPECT_EQ(Formation__deposer(source, 0, c.ligne, c.colonne), c.attendu) << c.quoi;
        EXPECT_EQ(source->sections.nombre, c.attendu ? 1 : 2) << c.quoi;
        if (cible) {
            EXPECT_EQ(cible->sections.nombre, c.sectionsCible + c.attendu) << c.quoi;
        }
        EXPECT_EQ(ArmeeJoueur->nombre, avant) << c.quoi;
    }
}

// A section dropped on its own regiment goes to its end; a drop outside every slot, or a release
// where the press found no section, changes nothing.
TEST_F(Formation, DraggingWithTheMouse) {
    OuvrirSur(2, 3);
    Regiment* r0 = Armee__chercherRegiment(0);
    Regiment* r1 = Armee__chercherRegiment(1);
    const Section* premiere = r0->sections[0];
    EXPECT_EQ(Trame(X(0, 0), Y(1, 0), true), 0);
    EXPECT_EQ(FormationGlissement.etat, 1);
    Trame(X(0, 6), Y(1, 6), true);
    Trame(X(0, 6), Y(1, 6), false);
    EXPECT_EQ(FormationGlissement.etat, 0);
    ASSERT_EQ(r0->sections.nombre, 3);
    EXPECT_EQ(r0->sections[2], premiere);
    // Outside every slot.
    Trame(X(0, 0), Y(1, 0), true);
    Trame(600, 240, true);
    Trame(600, 240, false);
    EXPECT_EQ(r0->sections.nombre, 3);
    EXPECT_EQ(r1->sections.nombre, 3);
    // A press on a slot's empty place starts nothing.
    Trame(X(1, 7), Y(1, 7), true);
    EXPECT_EQ(FormationGlissement.etat, 0);
    Trame(X(0, 1), Y(1, 1), false);
    // Onto the next regiment.
    Trame(X(0, 1), Y(1, 1), true);
    Trame(X(1, 5), Y(1, 5), false);
    EXPECT_EQ(r0->sections.nombre, 2);
    EXPECT_EQ(r1->sections.nombre, 4);
}

// A new regiment on an empty slot needs a name: Return on the empty box asks again.
TEST_F(Formation, ANewRegimentNeedsAName) {
    OuvrirSur(1, 2);
    Touche(TOUCHE_ENTREE);
    Touche('G');
    Touche('A');
    Touche(TOUCHE_ENTREE);
    Trame(X(0, 1), Y(1, 1), true);
    Trame(X(2, 0), Y(0, 0), false);   // slot (0, 2) is unavailable: nothing asked
    EXPECT_EQ(ArmeeJoueur->nombre, 1);
    Trame(X(0, 1), Y(1, 1), true);
    Trame(X(0, 0), Y(2, 0), false);
    ASSERT_EQ(ArmeeJoueur->nombre, 2);
    const Regiment* nouveau = (*ArmeeJoueur)[1];
    EXPECT_EQ(nouveau->nom, "Ga");
    EXPECT_EQ(nouveau->id, 1);
    EXPECT_EQ(nouveau->sections.nombre, 1);
    EXPECT_EQ(RegimentsFormation[2][0], nouveau);
    EXPECT_EQ(IdsFormation[2][0], 1);
    EXPECT_TRUE(NouveauxFormation[2][0]);
    EXPECT_EQ(Armee__chercherRegiment(0)->sections.nombre, 1);
}

// Escape writes the army; the region map's reload of its working copy then keeps the change
// (the emptied regiment squeezed out).
TEST_F(Formation, EscapeSavesWhereTheRegionMapReloads) {
    OuvrirSur(2, 1);
    Trame(X(0, 0), Y(1, 0), true);
    Trame(X(1, 0), Y(1, 0), false);
    ToucheEchap = 1;
    EXPECT_EQ(Trame(300, 300, false), 1);
    EXPECT_EQ(ToucheEchap, 0);
    EXPECT_EQ(ArmeeJoueur, nullptr);
    EXPECT_EQ(Catalogue, nullptr);
    ChargeRegion__armee();
    EXPECT_EQ(NbRegimentsRegion, 1);
    for (const char* d : {"Armees/joueur0/", "tmp/Joueur0/"}) {
        EXPECT_EQ(arbre.Lire(std::string(d) + "entete_armee.txt"), "nbRegiments 1\n") << d;
        const std::string r = arbre.Lire(std::string(d) + "regiment0.txt");
        EXPECT_NE(r.find("Regiment__nom =R1\n"), std::string::npos) << d << r;
        EXPECT_NE(r.find("Regiment__nbSections 2\n"), std::string::npos) << d << r;
    }
}

// The slots round a region cell: the centre the regiment itself, a player's token its regiment, any
// other object or closed terrain unavailable, the rest empty; nothing on the region's border.
TEST(FormationRegion, TheSlotsRoundARegiment) {
    CarteRegion carte{};
    carte.terrain.fill(0);
    carte.terrain[static_cast<size_t>(11 * REGION_HAUTEUR + 21)] = 4;   // (11, 21) closed
    CarteRegion* avant = CarteRegionCourante;
    CarteRegionCourante = &carte;
    std::vector<int32_t> grille(128 * 128, 0);
    int32_t* grilleAvant = GrilleUnites;
    GrilleUnites = grille.data();
    NoeudEntier noeud{};
    Objet& jeton = TableObjets[5];
    Objet& autre = TableObjets[6];
    const Objet jetonAvant = jeton, autreAvant = autre;
    jeton.noeudListe = &noeud;
    jeton.famille = 23;
    jeton.sorts[0] = 3;
    autre.noeudListe = &noeud;
    autre.famille = 25;
    grille[9 + 128 * 19] = 5;    // (9, 19): the player's regiment 3
    grille[10 + 128 * 21] = 6;   // (10, 21): an enemy token
    EXPECT_TRUE(Formation__remplirAutour(10, 20, 7));
    const std::array<std::array<int32_t, 3>, 3> attendu = {{{3, -1, -1}, {-1, 7, -1}, {-1, -2, -2}}};
    EXPECT_EQ(IdsFormation, attendu);
    for (const auto& bord : {std::pair{0, 20}, std::pair{51, 20}, std::pair{10, 0}, std::pair{10, 39}}) {
        IdsFormation[0][0] = 99;
        EXPECT_FALSE(Formation__remplirAutour(bord.first, bord.second, 7)) << bord.first << "," << bord.second;
        EXPECT_EQ(IdsFormation[0][0], 99);
    }
    jeton = jetonAvant;
    autre = autreAvant;
    GrilleUnites = grilleAvant;
    CarteRegionCourante = avant;
}

}  // namespace
