// The player's regiments on the region map: their files read strictly, the tokens on the start
// cells, the army squeezed on its return, the turn cycle and the orders, the path search, its
// arrows and the view zone.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "battle/astar.h"
#include "battle/chemin.h"
#include "campaign/armee_fichiers.h"
#include "campaign/campagne.h"
#include "campaign/carte_region.h"
#include "campaign/formation.h"
#include "campaign/region.h"
#include "campaign/region_chemin.h"
#include "campaign/zone_region.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "scene/terrain.h"
#include "shell/trame.h"
#include "world/grilles.h"
#include "world/scene_fixture.h"

namespace {

constexpr int FAMILLE_REGIMENT = 23;

// A regiment file as the army screen writes it.
std::string Fichier(const std::string& nom, int points = 4, int mort = 0, int marcheForcee = 2, int rompre = 1) {
    if (mort) return "Regiment__mort 1\n";
    return "Regiment__mort 0\nRegiment__nom =" + nom + "\nRegiment__pointsAction " + std::to_string(points) +
           "\nRegiment__siegeSeul 0\nRegiment__plaine 1 7\nRegiment__foret 2 8\nRegiment__montagne 3 9\n"
           "Regiment__riviere -1 6\nRegiment__attaquer 1 0 2 0 3 0\nRegiment__rompre " + std::to_string(rompre) +
           " 0 1 0 1 0\nRegiment__embuscade 2 0 2 0 2 0\nRegiment__marcheForcee " + std::to_string(marcheForcee) +
           " 1 2 0 2 0\nRegiment__defense 1 0 1 0 1 0\nRegiment__leader 5\nRegiment__id 0\nRegiment__nbSections 0\n";
}

std::string Lire(const std::string& texte, RegimentRegion* r, bool* lu) {
    FILE* f = std::tmpfile();
    std::fputs(texte.c_str(), f);
    std::rewind(f);
    std::string erreur;
    *lu = Region__LireRegiment(f, r, &erreur);
    std::fclose(f);
    return erreur;
}

TEST(LecteurRegimentRegion, LitLesValeursEtCoupeLesNomsLongs) {
    RegimentRegion r{};
    bool lu = false;
    Lire(Fichier("Garde du pont"), &r, &lu);
    ASSERT_TRUE(lu);
    EXPECT_STREQ(r.nom, "Garde du pont");
    EXPECT_EQ(r.mort, 0);
    EXPECT_EQ(r.pointsAction, 4);
    EXPECT_EQ(r.cout[1], 2);
    EXPECT_EQ(r.cout[3], -1);
    EXPECT_EQ(r.cout[4], -1);
    EXPECT_EQ(r.coutBis[2], 9);
    EXPECT_EQ(r.modes[0][MODE_MARCHE_FORCEE], 2);
    EXPECT_EQ(r.modes[2][MODE_ATTAQUER], 2);
    EXPECT_EQ(r.marcheForcee, 2);
    EXPECT_EQ(r.leader, 5);

    // 80 characters: the first 59 kept, and the next line still read (CR LF line ends too).
    std::string texte = Fichier(std::string(80, 'n'), 7);
    for (size_t p = 0; (p = texte.find('\n', p)) != std::string::npos; p += 2) texte.replace(p, 1, "\r\n");
    Lire(texte, &r, &lu);
    ASSERT_TRUE(lu);
    EXPECT_EQ(std::string(r.nom), std::string(59, 'n'));
    EXPECT_EQ(r.pointsAction, 7);

    // A dead regiment keeps nothing but its death.
    Lire("Regiment__mort 1\n", &r, &lu);
    ASSERT_TRUE(lu);
    EXPECT_EQ(r.mort, 1);
    EXPECT_EQ(r.pointsAction, 0);
    EXPECT_STREQ(r.nom, "");
}

TEST(LecteurRegimentRegion, UneLigneFausseNommeSaCle) {
    const std::string bon = Fichier("R");
    struct Cas {
        const char* avant;
        const char* apres;
        const char* message;
    };
    for (const Cas& c : {Cas{"Regiment__mort 0", "Regiment__mort x", "Format non respecté (Regiment__mort ...)"},
                         Cas{"Regiment__nom =", "Regiment__nom ", "Format non respecté (Regiment__nom =)"},
                         Cas{"Regiment__pointsAction 4", "Regiment__points 4", "Format non respecté (Regiment__pointsAction ...)"},
                         Cas{"Regiment__foret 2 8", "Regiment__foret 2", "Format non respecté (Regiment__foret ...)"},
                         Cas{"Regiment__riviere -1 6", "Regiment__riviere -1 6 3", "Format non respecté (Regiment__riviere ...)"},
                         Cas{"Regiment__rompre 1 0 1 0 1 0", "Regiment__rompre 1 0 1 0 1", "Format non respecté (Regiment__rompre ...)"},
                         Cas{"Regiment__defense", "Regiment__defence", "Format non respecté (Regiment__defense ...)"},
                         Cas{"Regiment__leader 5\n", "", "Format non respecté (Regiment__leader ...)"}}) {
        SCOPED_TRACE(c.avant);
        std::string texte = bon;
        texte.replace(texte.find(c.avant), std::strlen(c.avant), c.apres);
        RegimentRegion r{};
        bool lu = true;
        EXPECT_EQ(Lire(texte, &r, &lu), c.message);
        EXPECT_FALSE(lu);
    }
}

// A region world: the sample masters and a battle world's grids, a region record of our own.
class RegimentsRegionEssai : public Scene {
  protected:
    CarteRegion carte{};

    void SetUp() override {
        Scene::SetUp();
        ASSERT_TRUE(Creer()) << Rapport();
        carte.terrain.fill(0);
        carte.departs.fill(0);
        CarteRegionCourante = &carte;
        for (int i = 0; i < REGIMENTS_REGION; ++i) RegimentRegion__init(i);
        NbRegimentsRegion = 0;
        NbRegimentsNmi = 0;
        RegimentsEnMouvement = 0;
        RepereX = RepereY = 0;
        std::filesystem::create_directories(arbre.Racine() / "armees/Joueur0");
        std::filesystem::create_directories(arbre.Racine() / "tmp/Joueur0");
    }
    void TearDown() override {
        CarteRegionCourante = nullptr;
        EcritureSure__avantRenommage = nullptr;
        NbRegimentsRegion = 0;
        Scene::TearDown();
    }
    void Depart(int x, int y) { carte.departs[static_cast<size_t>(x * REGION_HAUTEUR + y)] = 1; }
    void Terrain(int x, int y, int t) { carte.terrain[static_cast<size_t>(x * REGION_HAUTEUR + y)] = t; }
    void Armee(const std::string& dossier, const std::vector<std::string>& fichiers) {
        arbre.Ecrire(dossier + "/entete_armee.txt", "nbRegiments " + std::to_string(fichiers.size()) + "\n");
        for (size_t i = 0; i < fichiers.size(); ++i)
            arbre.Ecrire(dossier + "/regiment" + std::to_string(i) + ".txt", fichiers[i]);
    }
    // The regiment tokens on the region, "index@x,y" each, in the live list's order.
    static std::vector<std::string> Jetons() {
        std::vector<std::string> j;
        for (NoeudEntier* n = ListeObjetsVivants; n && n->suivant; n = n->suivant) {
            const Objet& o = TableObjets[static_cast<size_t>(n->valeur)];
            if (o.famille == FAMILLE_REGIMENT && o.x < REGION_LARGEUR && o.y < REGION_HAUTEUR)
                j.push_back(std::to_string(o.sorts[0]) + "@" + std::to_string(o.x) + "," + std::to_string(o.y));
        }
        std::sort(j.begin(), j.end());
        return j;
    }
    static Objet* Jeton(int i) {
        for (NoeudEntier* n = ListeObjetsVivants; n && n->suivant; n = n->suivant) {
            Objet& o = TableObjets[static_cast<size_t>(n->valeur)];
            if (o.famille == FAMILLE_REGIMENT && o.sorts[0] == i) return &o;
        }
        return nullptr;
    }
    bool Appel(void (*f)()) {
        try {
            f();
            return true;
        } catch (const FinProgramme&) {
            return false;
        }
    }
};

// The start cells are taken row by row, going on at the start of the next row; a dead regiment
// takes none. One living regiment more than the cells stops the region.
TEST_F(RegimentsRegionEssai, LesRegimentsPrennentLesCasesDeDepart) {
    Depart(50, 2);
    Depart(51, 2);
    Depart(0, 3);
    Armee("armees/Joueur0", {Fichier("A"), Fichier("B", 4, 1), Fichier("C"), Fichier("D")});
    ASSERT_TRUE(Appel(RegionInitialisationArmee)) << Rapport();
    EXPECT_EQ(NbRegimentsRegion, 4);
    EXPECT_EQ(Jetons(), (std::vector<std::string>{"0@50,2", "2@51,2", "3@0,3"}));
    EXPECT_EQ(RegimentsRegion[1].mort, 1);
    EXPECT_EQ(RegimentsRegion[1].surCarte, 0);
    EXPECT_EQ(RegimentsRegion[3].surCarte, 1);
    EXPECT_EQ(RegimentsRegion[3].pointsCourants, 4);
    EXPECT_EQ(RegimentsRegion[3].nbPoints, -1);
    EXPECT_EQ(RegimentsRegion[3].vue, 5);
    EXPECT_FALSE(RegionArmeePerdue());

    Armee("armees/Joueur0", {Fichier("A"), Fichier("B"), Fichier("C"), Fichier("D")});
    EXPECT_FALSE(Appel(RegionInitialisationArmee));
    EXPECT_NE(Rapport().find("RegionInitialisationArmee(): Pas assez de positions de départ pour les régiments"),
              std::string::npos)
        << Rapport();
}

TEST_F(RegimentsRegionEssai, UnEnteteHorsDeLaTableEstRefuse) {
    Depart(0, 0);
    for (const char* entete : {"nbRegiments 13\n", "nbRegiments -1\n", "nb 1\n"}) {
        SCOPED_TRACE(entete);
        arbre.Ecrire("armees/Joueur0/entete_armee.txt", entete);
        EXPECT_FALSE(Appel(RegionInitialisationArmee));
    }
    std::filesystem::remove(arbre.Racine() / "armees/Joueur0/entete_armee.txt");
    EXPECT_FALSE(Appel(RegionInitialisationArmee));
    EXPECT_NE(Rapport().find("Fichier armée non trouvé"), std::string::npos);
    // An army of no regiment is lost.
    arbre.Ecrire("armees/Joueur0/entete_armee.txt", "nbRegiments 0\n");
    ASSERT_TRUE(Appel(RegionInitialisationArmee));
    EXPECT_TRUE(RegionArmeePerdue());
}

// On the return, the dead middle regiment is squeezed out of both folders and the records follow;
// a regiment already on the map keeps its cell and its state, a new one takes the first free start
// cell column by column.
TEST_F(RegimentsRegionEssai, LeRetourRetireLesMortsDesDeuxDossiers) {
    Depart(3, 0);
    Depart(3, 1);
    Depart(3, 2);
    Depart(2, 5);
    Armee("armees/Joueur0", {Fichier("A"), Fichier("B"), Fichier("C")});
    ASSERT_TRUE(Appel(RegionInitialisationArmee)) << Rapport();
    EXPECT_EQ(Jetons(), (std::vector<std::string>{"0@3,0", "1@3,1", "2@3,2"}));
    RegimentsRegion[0].x = 2;   // A has moved onto (2, 5), C camps
    RegimentsRegion[0].y = 5;
    RegimentsRegion[2].etat = -4;
    RegimentsRegion[2].campe = 1;
    RegionDetruireGroupesRegiments();
    EXPECT_TRUE(Jetons().empty());
    Armee("tmp/Joueur0", {Fichier("A"), Fichier("B", 4, 1), Fichier("C")});
    ChargeRegion__armee();
    EXPECT_EQ(NbRegimentsRegion, 2);
    for (const char* dossier : {"armees/Joueur0/", "tmp/Joueur0/"}) {
        EXPECT_EQ(arbre.Lire(std::string(dossier) + "entete_armee.txt"), "nbRegiments 2\n");
        EXPECT_EQ(arbre.Lire(std::string(dossier) + "regiment1.txt"), Fichier("C"));
        EXPECT_EQ(arbre.Lire(std::string(dossier) + "regiment0.txt"), Fichier("A"));
    }
    ASSERT_TRUE(Appel(Region__JetonsArmee)) << Rapport();
    EXPECT_EQ(Jetons(), (std::vector<std::string>{"0@2,5", "1@3,2"}));
    EXPECT_STREQ(RegimentsRegion[1].nom, "C");
    EXPECT_EQ(RegimentsRegion[1].etat, -4);
    EXPECT_EQ(RegimentsRegion[1].campe, 1);

    // C new to the region (from the formation screen): the first free start cell, column by
    // column: (2, 5) holds A, so (3, 0); its turn state starts afresh.
    RegionDetruireGroupesRegiments();
    RegimentsRegion[1].surCarte = 0;
    ASSERT_TRUE(Appel(Region__JetonsArmee)) << Rapport();
    EXPECT_EQ(Jetons(), (std::vector<std::string>{"0@2,5", "1@3,0"}));
    EXPECT_EQ(RegimentsRegion[1].etat, 0);
    EXPECT_EQ(RegimentsRegion[1].campe, 0);
}

// The renumbering fails on its way: every file of both folders stays as it was.
TEST_F(RegimentsRegionEssai, UnRenumerotageInterrompuNeMelangeRien) {
    Armee("armees/Joueur0", {Fichier("A"), Fichier("B"), Fichier("C")});
    Armee("tmp/Joueur0", {Fichier("A"), Fichier("B", 4, 1), Fichier("C")});
    NbRegimentsRegion = 3;
    static int renommages;
    renommages = 0;
    EcritureSure__avantRenommage = [](const char*) { return ++renommages < 4; };
    ChargeRegion__armee();
    EXPECT_EQ(NbRegimentsRegion, 3);
    EXPECT_EQ(arbre.Lire("tmp/Joueur0/regiment1.txt"), Fichier("B", 4, 1));
    EXPECT_EQ(arbre.Lire("armees/Joueur0/regiment1.txt"), Fichier("B"));
    EXPECT_EQ(arbre.Lire("armees/Joueur0/entete_armee.txt"), "nbRegiments 3\n");
    EXPECT_EQ(arbre.Lire("tmp/Joueur0/entete_armee.txt"), "nbRegiments 3\n");
    for (const auto& e : std::filesystem::recursive_directory_iterator(arbre.Racine()))
        EXPECT_NE(e.path().extension(), ".tmp") << e.path();
}

// The points each end of turn gives the moves, and the state after it: a forced march gives its
// bonus once, then two turns without points; a camp rests -5, -4, -3 then -1 until cancelled.
TEST_F(RegimentsRegionEssai, MarcheForceeEtCampement) {
    NbRegimentsRegion = 1;
    RegimentRegion& r = RegimentsRegion[0];
    bool lu = false;
    Lire(Fichier("A", 4, 0, 2), &r, &lu);
    ASSERT_TRUE(lu);
    r.pointsCourants = 4;
    const auto tour = [&r]() {
        RegimentsEnMouvement = 1;
        RegionRegimentsReinitialiserDrapeau();
        RegionRegimentsRecupererPoints();
        const int points = r.pointsCourants;
        Region__replacerRegiments();
        RegionEtatsFinTour();
        RegimentsEnMouvement = 0;
        r.enMouvement = 0;
        RegionPointsMouvementDebutTour();
        return std::to_string(points) + "/" + std::to_string(r.etat);
    };
    RegionOrdreMarcheForcee(&r);
    EXPECT_EQ(r.pointsCourants, 6);
    EXPECT_EQ(r.etat, 1);
    std::vector<std::string> tours;
    for (int i = 0; i < 4; ++i) tours.push_back(tour());
    EXPECT_EQ(tours, (std::vector<std::string>{"6/-2", "0/-1", "0/0", "4/0"}));

    RegionOrdreCamper(&r);
    EXPECT_EQ(r.etat, -5);
    EXPECT_EQ(r.campe, 1);
    RegionOrdreCamper(&r);   // already camping
    EXPECT_EQ(r.etat, -5);
    tours.clear();
    for (int i = 0; i < 5; ++i) tours.push_back(tour());
    EXPECT_EQ(tours, (std::vector<std::string>{"0/-4", "0/-3", "0/-1", "0/-1", "0/-1"}));
    ToucheEchap = 1;
    RegionOrdreAnnuler(&r);
    EXPECT_EQ(r.etat, 0);
    EXPECT_EQ(r.campe, 0);
    EXPECT_EQ(r.pointsCourants, 4);
    EXPECT_EQ(ToucheEchap, 0);
    EXPECT_EQ(tour(), "4/0");

    // From a fresh camp the march may start; with no bonus it may not.
    RegionOrdreCamper(&r);
    RegionOrdreMarcheForcee(&r);
    EXPECT_EQ(r.etat, 1);
    EXPECT_EQ(r.campe, 0);
    r = RegimentRegion{};
    r.modes[0][MODE_MARCHE_FORCEE] = 0;
    RegionOrdreMarcheForcee(&r);
    EXPECT_EQ(r.etat, 0);
}

TEST_F(RegimentsRegionEssai, RompreCouteEtAnnuleLesEngagements) {
    NbRegimentsRegion = 3;
    for (int i = 0; i < 3; ++i) {
        RegimentsRegion[i].engagement = 3;
        RegimentsRegion[i].toursNecessaires = 2;
        RegimentsRegion[i].modes[0][MODE_ROMPRE] = 2;
        RegimentsRegion[i].pointsCourants = 3;
    }
    RegimentsRegion[0].mort = 1;
    RegimentsRegion[1].modes[0][MODE_ROMPRE] = -1;   // may not break off
    EXPECT_EQ(RegionRegimentRompre(), 1);
    EXPECT_EQ(RegimentsRegion[2].pointsCourants, 1);
    EXPECT_EQ(RegimentsRegion[1].pointsCourants, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(RegimentsRegion[i].engagement, 0);
        EXPECT_EQ(RegimentsRegion[i].toursNecessaires, 0);
    }
    EXPECT_EQ(RegionRegimentRompre(), 0);   // nobody engaged any more
    RegimentsRegion[2].engagement = 3;
    RegimentsRegion[2].pointsCourants = 1;   // too few points
    EXPECT_EQ(RegionRegimentRompre(), 0);
    EXPECT_EQ(RegimentsRegion[2].engagement, 3);
}

// The search on plain ground with regiment 0's costs (plain 1, forest 2, mountain 3, river closed).
class CheminRegion : public RegimentsRegionEssai {
  protected:
    void SetUp() override {
        RegimentsRegionEssai::SetUp();
        NbRegimentsRegion = 1;
        bool lu = false;
        Lire(Fichier("A"), &RegimentsRegion[0], &lu);
        ASSERT_TRUE(lu);
    }
    std::vector<std::string> Chemin(int x0, int y0, int x1, int y1, int* resultat = nullptr) {
        int32_t n = -1;
        const int res = RegionRechercheChemin(x0, y0, x1, y1, &n, TrajetLisse, 0);
        if (resultat) *resultat = res;
        std::vector<std::string> c;
        for (int i = 0; i < n; ++i) c.push_back(std::to_string(TrajetLisse[i].x) + "," + std::to_string(TrajetLisse[i].y));
        return c;
    }
};

TEST_F(CheminRegion, LeButFermeReculeVersLeDepart) {
    for (int y = 0; y < REGION_HAUTEUR; ++y) Terrain(10, y, 3);   // a river the regiment cannot cross
    // On the river itself: the goal moves back along the line to the first open cell.
    auto c = Chemin(4, 6, 10, 6);
    EXPECT_EQ(c.front(), "4,6");
    EXPECT_EQ(c.back(), "9,6");
    EXPECT_EQ(c.size(), 6u);
    c = Chemin(4, 2, 10, 8);
    EXPECT_EQ(c.back(), "9,7");
}

// A search with the goal out of reach runs dry: no path at all, never a jump to the goal.
TEST_F(CheminRegion, UneRechercheEpuiseeNeDonneRien) {
    carte.terrain.fill(4);
    for (int x = 2; x < 8; ++x) Terrain(x, 5, 0);
    Terrain(12, 5, 0);
    int resultat = 0;
    EXPECT_TRUE(Chemin(2, 5, 12, 5, &resultat).empty());
    EXPECT_EQ(resultat, 1);
}

TEST_F(CheminRegion, ChaquePasCouteUn) {
    // A forest band on the straight way: crossed, not gone round (a step costs 1 on any terrain).
    for (int y = 0; y < REGION_HAUTEUR; ++y) Terrain(7, y, 1);
    auto c = Chemin(2, 10, 12, 10);
    EXPECT_EQ(c.size(), 11u);
    EXPECT_EQ(c.back(), "12,10");
    // Diagonal steps cost as much as straight ones.
    c = Chemin(0, 0, 6, 3);
    EXPECT_EQ(c.size(), 7u);
    // A wall with an opening: the way through it.
    for (int y = 0; y < REGION_HAUTEUR; ++y) Terrain(20, y, y == 30 ? 0 : 4);
    c = Chemin(15, 30, 25, 30);
    EXPECT_EQ(c.size(), 11u);
    // Start on the goal: one point, which is no path.
    c = Chemin(5, 5, 5, 5);
    EXPECT_EQ(c.size(), 1u);
    RegionRegimentFixerChemin(0, static_cast<int>(c.size()));
    EXPECT_EQ(RegimentsRegion[0].nbPoints, -1);
}

TEST_F(CheminRegion, LeCheminGardeAuPlus500Points) {
    for (int i = 0; i < 700; ++i) TrajetLisse[i] = PointTrajet{i % 52, i / 52};
    RegionRegimentFixerChemin(0, 700);
    EXPECT_EQ(RegimentsRegion[0].nbPoints, 500);
    EXPECT_EQ(RegimentsRegion[0].chemin[499].x, 499 % 52);
    RegionRegimentFixerChemin(0, 2);
    EXPECT_EQ(RegimentsRegion[0].nbPoints, 2);
}

// The token's path: the other regiments of the side block their cells during the search only,
// and the terrain is the same after it, whether a path was found or not.
TEST_F(CheminRegion, LesAutresRegimentsBloquentLeTempsDeLaRecherche) {
    Depart(5, 5);
    Depart(6, 5);
    Armee("armees/Joueur0", {Fichier("A"), Fichier("B")});
    ASSERT_TRUE(Appel(RegionInitialisationArmee)) << Rapport();
    Objet* a = Jeton(0);
    ASSERT_NE(a, nullptr);
    const GrilleRegion avant = carte.terrain;
    ObjetCourant = a;
    const int n = Region__calculerChemin(5, 5, 8, 5, 0);
    EXPECT_EQ(n, 4);   // round the other token at (6, 5)
    EXPECT_NE(TrajetLisse[1].x * 100 + TrajetLisse[1].y, 605);
    EXPECT_EQ(carte.terrain, avant);
    const Groupe& g = TableGroupes[static_cast<size_t>(a->groupe)];
    EXPECT_EQ(g.nbPointsTrajet, 4);
    EXPECT_EQ(g.pointCourant, 0);
    EXPECT_EQ(RegimentsRegion[0].coutChemin, 4);
    EXPECT_EQ(RegimentsRegion[0].compteurTour, -1);
    // Out of reach: no path, the grid restored all the same.
    for (int y = 0; y < REGION_HAUTEUR; ++y) Terrain(30, y, 3);
    const GrilleRegion riviere = carte.terrain;
    EXPECT_EQ(Region__calculerChemin(5, 5, 40, 5, 0), 0);
    EXPECT_EQ(carte.terrain, riviere);
    RegionRegimentFixerChemin(0, 0);
    EXPECT_EQ(RegimentsRegion[0].nbPoints, -1);
    ObjetCourant = nullptr;
}

// The arrows turn from 842 to 1356 at the first point the turn's points do not cover.
TEST_F(CheminRegion, LesFlechesChangentOuLesPointsManquent) {
    Terrain(3, 1, 1);   // forest: 2 points
    Groupe g{};
    std::vector<PointTrajet> points = {{1, 1}, {2, 1}, {3, 1}, {3, 1}, {4, 2}, {4, 3}, {3, 4}};
    g.tampon = points.data();
    g.nbPointsTrajet = static_cast<int32_t>(points.size());
    RegimentRegion r = RegimentsRegion[0];
    r.pointsCourants = 4;
    RepereX = 1;
    const auto f = RegionFlechesChemin(g, r);
    ASSERT_EQ(f.size(), 5u);
    const int attendus[5][4] = {{842, 2, 1 * 24 + 10, 24 + 8},   // (+1, 0), 3 left
                                {842, 2, 2 * 24 + 10, 24 + 8},   // forest, 1 left
                                {842, 3, 3 * 24 + 6, 48 + 0},    // (+1, +1), 0 left
                                {1356, 4, 3 * 24 + 14, 72 + 4},  // (0, +1): beyond the points
                                {1356, 5, 2 * 24 + 14, 96 + 0}};
    for (size_t i = 0; i < f.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(f[i].objet, attendus[i][0]);
        EXPECT_EQ(f[i].image, attendus[i][1]);
        EXPECT_EQ(f[i].x, attendus[i][2]);
        EXPECT_EQ(f[i].y, attendus[i][3]);
    }
    // From the point the token stands on.
    g.pointCourant = 5;
    EXPECT_EQ(RegionFlechesChemin(g, r).size(), 2u);
    g.tampon = nullptr;
}

// A mountain hides itself and what lies behind it; forest and river do not.
TEST_F(CheminRegion, LaMontagneCacheCeQuiEstDerriere) {
    Depart(10, 10);
    Armee("armees/Joueur0", {Fichier("A")});
    ASSERT_TRUE(Appel(RegionInitialisationArmee)) << Rapport();
    Terrain(13, 10, 2);
    Terrain(10, 13, 1);
    Terrain(7, 10, 3);
    RegionZoneAccessible__miseAJour();
    EXPECT_TRUE(ZoneAccessible__Case(10, 10));
    EXPECT_TRUE(ZoneAccessible__Case(12, 10));
    EXPECT_FALSE(ZoneAccessible__Case(13, 10));
    EXPECT_FALSE(ZoneAccessible__Case(14, 10));
    EXPECT_FALSE(ZoneAccessible__Case(15, 10));
    EXPECT_TRUE(ZoneAccessible__Case(10, 13));
    EXPECT_TRUE(ZoneAccessible__Case(10, 14));
    EXPECT_TRUE(ZoneAccessible__Case(7, 10));
    EXPECT_TRUE(ZoneAccessible__Case(6, 10));
    EXPECT_TRUE(ZoneAccessible__Case(12, 12));
    EXPECT_FALSE(ZoneAccessible__Case(10, 16));   // beyond its sight of 5
    EXPECT_FALSE(ZoneAccessible__Case(17, 10));
    // Without sight, only its own cell.
    RegimentsRegion[0].vue = 0;
    RegionZoneAccessible__miseAJour();
    int vues = 0;
    for (int v : ZoneAccessible) vues += v;
    EXPECT_EQ(vues, 1);
}

// The moves planned again from each token's cell to the end of its path, and the cells kept.
TEST_F(CheminRegion, LesCheminsSontReplanifiesDepuisLaCaseDuJeton) {
    Depart(2, 2);
    Armee("armees/Joueur0", {Fichier("A")});
    ASSERT_TRUE(Appel(RegionInitialisationArmee)) << Rapport();
    Objet* a = Jeton(0);
    ASSERT_NE(a, nullptr);
    RegimentRegion& r = RegimentsRegion[0];
    r.nbPoints = 3;
    r.chemin[2].x = 9;
    r.chemin[2].y = 2;
    r.indicePas = 2;
    RegionDeplacerRegiments();
    EXPECT_EQ(r.nbPoints, 8);
    EXPECT_EQ(r.chemin[0].x, 2);
    EXPECT_EQ(r.chemin[7].x, 9);
    EXPECT_EQ(r.indicePas, 0);
    r.x = r.y = 0;
    RegionMemoriserCases();
    EXPECT_EQ(r.x, 2);
    EXPECT_EQ(r.y, 2);
}

// The region map screen: a right click plans the selected regiment's path to the cursor cell.
TEST_F(CheminRegion, UnClicDroitDonneUnCheminAuRegimentChoisi) {
    Depart(2, 2);
    Armee("armees/Joueur0", {Fichier("A")});
    ASSERT_TRUE(Appel(RegionInitialisationArmee)) << Rapport();
    Objet* a = Jeton(0);
    ASSERT_NE(a, nullptr);
    CarteRegion__RemiseAZero();
    SourisX = SourisY = 300;
    FinTourEnCours = 0;
    const auto clic = [](int x, int y) {
        CurseurCaseX = x - RepereX;
        CurseurCaseY = y - RepereY;
        BoutonDroit = 1;
        CarteRegion__Trame();
    };
    GroupeEnSelection = -1;
    clic(20, 2);
    EXPECT_EQ(RegimentsRegion[0].nbPoints, -1);   // nothing selected
    GroupeEnSelection = a->groupe;
    clic(20, 2);
    EXPECT_EQ(RegimentsRegion[0].nbPoints, 19);
    EXPECT_EQ(LongueurCheminEnCours, 19);
    EXPECT_EQ(RegimentsRegion[0].chemin[18].x, 20);
    EXPECT_EQ(TableGroupes[static_cast<size_t>(a->groupe)].nbPointsTrajet, 19);
    // On a terrain closed to it, a regiment is given no new path.
    Terrain(2, 2, 3);
    clic(2, 9);
    EXPECT_EQ(RegimentsRegion[0].chemin[18].x, 20);
    Terrain(2, 2, 0);
    RegimentsRegion[0].attente = 2;   // waiting
    clic(2, 9);
    EXPECT_EQ(RegimentsRegion[0].chemin[18].x, 20);
    GroupeEnSelection = -1;
}

// A tap, pressed and released between two passes of the map (a quick click in a real window),
// counts: the left one selects the token under the mouse, the right one gives it its path; the
// buttons are not left held after the pass.
TEST_F(CheminRegion, UnClicBrefEntreDeuxPassagesCompte) {
    Depart(2, 2);
    Armee("armees/Joueur0", {Fichier("A")});
    ASSERT_TRUE(Appel(RegionInitialisationArmee)) << Rapport();
    Objet* a = Jeton(0);
    ASSERT_NE(a, nullptr);
    CarteRegion__RemiseAZero();
    FinTourEnCours = 0;
    GroupeEnSelection = -1;
    RepereX = RepereY = 0;
    SourisX = 2 * 24 + 5;
    SourisY = 2 * 24 + 5;
    ClicGauche = 1;   // pressed and already released
    BoutonGauche = 0;
    CarteRegion__Trame();
    EXPECT_EQ(BoutonGauche, 0);
    CarteRegion__Trame();
    EXPECT_EQ(GroupeEnSelection, a->groupe);
    CurseurCaseX = 20;
    CurseurCaseY = 2;
    ClicDroitEtat = 1;
    BoutonDroit = 0;
    CarteRegion__Trame();
    EXPECT_EQ(BoutonDroit, 0);
    EXPECT_EQ(RegimentsRegion[0].nbPoints, 19);
    EXPECT_EQ(RegimentsRegion[0].chemin[18].x, 20);
    GroupeEnSelection = -1;
}

// The light stamp of a token in the view's first cell is clipped at the grid's edge: nothing is
// written before the grid or wrapped onto the end of the row above.
TEST_F(CheminRegion, LaTacheDeLumiereSArreteAuBordDeLaGrille) {
    Depart(0, 0);
    Armee("armees/Joueur0", {Fichier("A")});
    ASSERT_TRUE(Appel(RegionInitialisationArmee)) << Rapport();
    Ecran__Geometrie(640, 480);
    SourisX = 600;
    SourisY = 460;
    RegionTerrain__Affichage();
    const size_t pas = static_cast<size_t>(CasesVisiblesX) + 1;
    ASSERT_GE(GrilleLumiere.size(), 4 * pas);
    // The region's weights: 4 at the centre, 2 a diagonal step away, 1 at (+2, -1), 0 at the corners.
    EXPECT_EQ(GrilleLumiere[0], 2 * 40);
    EXPECT_EQ(GrilleLumiere[pas + 1], 4 * 40);
    EXPECT_EQ(GrilleLumiere[3], 1 * 40);
    EXPECT_EQ(GrilleLumiere[3 * pas + 3], 17);
    EXPECT_EQ(GrilleLumiere[pas - 1], 17);        // the row's end untouched
    EXPECT_EQ(GrilleLumiere[2 * pas - 1], 17);
    EXPECT_EQ(GrilleLumiere[4], 17);
}

// A locked site's message is shown once per press of the button, however long it is held.
TEST_F(CheminRegion, LeMessageDUnLieuVerrouilleUneFoisParAppui) {
    LieuUnique lieu{};
    lieu.x = lieu.y = 3;
    lieu.lock = 1;
    lieu.messager = 857;
    std::snprintf(lieu.message, sizeof lieu.message, "..\\absent.txt");
    carte.lieuxUniques = &lieu;
    carte.nbLieuxUniques = 1;
    CarteRegion__RemiseAZero();
    SourisX = 3 * 24 + 5;
    SourisY = 3 * 24 + 5;
    std::string sortie;
    const auto montres = [&sortie]() {
        sortie += testing::internal::GetCapturedStderr();
        testing::internal::CaptureStderr();
        int n = 0;
        for (size_t p = 0; (p = sortie.find("absent.txt", p)) != std::string::npos; ++p) ++n;
        return n;
    };
    testing::internal::CaptureStderr();
    BoutonGauche = 1;
    for (int i = 0; i < 3; ++i) CarteRegion__Trame();
    EXPECT_EQ(montres(), 1);
    BoutonGauche = 0;
    CarteRegion__Trame();
    BoutonGauche = 1;
    CarteRegion__Trame();
    CarteRegion__Trame();
    EXPECT_EQ(montres(), 2);
    BoutonGauche = 0;
    CarteRegion__Trame();
    testing::internal::GetCapturedStderr();
    carte.lieuxUniques = nullptr;
    carte.nbLieuxUniques = 0;
}

}  // namespace

// The placement screen of a battle's regiments: a slot per entry side, a click on a slot chooses
// or leaves out that side's regiments (never a dead one, nor one not taking part), the middle
// square confirms, Escape breaks off when a regiment can pay for it and confirms otherwise; while
// it is open the map under it takes no click.
TEST_F(RegimentsRegionEssai, LEcranDePlacementChoisitLesCotes) {
    Depart(2, 2);
    Depart(3, 2);
    Depart(4, 2);
    Depart(5, 2);
    Depart(6, 2);
    Armee("armees/Joueur0", {Fichier("A"), Fichier("B"), Fichier("C"), Fichier("D"), Fichier("E")});
    ASSERT_TRUE(Appel(RegionInitialisationArmee)) << Rapport();
    ASSERT_EQ(NbRegimentsRegion, 5);
    struct Place {
        int cote, engagement, mort;
    };
    const Place places[5] = {{3, 1, 0}, {3, 1, 0}, {0, 2, 0}, {4, 1, 1}, {5, 0, 0}};
    for (int i = 0; i < 5; ++i) {
        RegimentsRegion[i].directionEntree = places[i].cote;
        RegimentsRegion[i].engagement = places[i].engagement;
        RegimentsRegion[i].mort = places[i].mort;
    }
    CampParJoueur[0] = 0;   // the sample army's sections and reserve are the Empire's
    ASSERT_TRUE(Appel(Regiments__OuvrirPlacement)) << Rapport();
    EXPECT_EQ(PlacementRegimentsOuvert, 1);
    // Slots row by row: sides 3, 4, 5 / 2, 8, 6 / 1, 0, 7; the first regiment of a side takes it.
    EXPECT_EQ(IdsFormation, (std::array<std::array<int32_t, 3>, 3>{{{0, -1, -1}, {-1, -1, -1}, {-1, 2, -1}}}));
    ASSERT_NE(RegimentsFormation[0][0], nullptr);
    ASSERT_TRUE(Appel(Regiments__Affichage)) << Rapport();

    const int choix = DemandeChateauRegion;
    auto clic = [](int x, int y) {
        SourisX = x;
        SourisY = y;
        ClicGauche = 1;
        BoutonGauche = 0;
        CarteRegion__Trame();
    };
    GroupeEnSelection = Jeton(0)->groupe;
    clic(50, 50);   // side 3's slot
    EXPECT_EQ(RegimentsRegion[0].engagement, 2);
    EXPECT_EQ(RegimentsRegion[1].engagement, 2);
    EXPECT_EQ(GroupeEnSelection, Jeton(0)->groupe);   // the map under the screen took nothing
    clic(50, 50);
    EXPECT_EQ(RegimentsRegion[0].engagement, 1);
    clic(200, 200);   // the centre slot (side 8): nothing
    clic(143, 50);    // on the border between two slots: nothing
    clic(200, 400);   // side 0
    clic(200, 50);    // side 4: its regiment is dead
    clic(360, 50);    // side 5: its regiment takes no part
    EXPECT_EQ(RegimentsRegion[0].engagement, 1);
    EXPECT_EQ(RegimentsRegion[2].engagement, 1);
    EXPECT_EQ(RegimentsRegion[3].engagement, 1);
    EXPECT_EQ(RegimentsRegion[4].engagement, 0);
    EXPECT_EQ(PlacementRegimentsOuvert, 1);
    EXPECT_EQ(PlacementConfirme, 0);

    clic(190, 255);   // the confirmation square
    EXPECT_EQ(PlacementRegimentsOuvert, 0);
    EXPECT_EQ(PlacementConfirme, 1);
    EXPECT_NE(DemandeChateauRegion, choix);

    // Escape: a regiment that may break off pays for it, and nothing is confirmed.
    PlacementConfirme = 0;
    PlacementRegimentsOuvert = 1;
    RegimentsRegion[2].engagement = 3;
    RegimentsRegion[2].modes[0][MODE_ROMPRE] = 1;
    RegimentsRegion[2].pointsCourants = 4;
    ToucheEchap = 1;
    CarteRegion__Trame();
    EXPECT_EQ(PlacementRegimentsOuvert, 0);
    EXPECT_EQ(PlacementConfirme, 0);
    EXPECT_EQ(RegimentsRegion[2].pointsCourants, 3);
    EXPECT_EQ(RegimentsRegion[0].engagement, 0);   // every engagement cancelled
    // With nobody to pay Escape confirms as the square does.
    PlacementRegimentsOuvert = 1;
    ToucheEchap = 1;
    CarteRegion__Trame();
    EXPECT_EQ(PlacementRegimentsOuvert, 0);
    EXPECT_EQ(PlacementConfirme, 1);
    EXPECT_EQ(DemandeChateauRegion, choix);
    PlacementConfirme = 0;
    GroupeEnSelection = -1;
}
