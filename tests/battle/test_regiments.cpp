// The regiment token's step on a small region: movement points by terrain, the slide into each
// cell, stops at other regiments, battles at enemies and unique sites.
#include <array>
#include <string>
#include <vector>

#include "battle/creatures.h"
#include "battle/regiments.h"
#include "battle/trajet.h"
#include "campaign/region.h"
#include "creatures_fixture.h"

namespace {

constexpr int REGIMENT = 23, REGIMENT_NMI = 25, JETON = 338;

class Regiments : public CreaturesEssai {
  protected:
    CarteRegion carte{};
    std::array<LieuUnique, 2> lieux{};
    std::array<PointTrajet, POINTS_TRAJET_GROUPE> chemin{};
    std::vector<NoeudEntier> noeuds;

    void SetUp() override {
        CreaturesEssai::SetUp();
        arbre.Ecrire("tmp/Joueur0/.garde", "");   // the working folder, where a meeting writes the sites
        carte.terrain.fill(0);
        for (int y = 0; y < REGION_HAUTEUR; ++y) carte.terrain[static_cast<size_t>(7 * REGION_HAUTEUR + y)] = 1;   // forest
        carte.terrain[static_cast<size_t>(9 * REGION_HAUTEUR + 5)] = 4;   // closed
        for (auto& l : lieux) l.x = l.y = -1;
        carte.lieuxUniques = lieux.data();
        carte.nbLieuxUniques = 2;
        CarteRegionCourante = &carte;
        NbRegimentsRegion = 2;
        for (auto& r : RegimentsRegion) r = RegimentRegion{};
        RegimentRegion& r = RegimentsRegion[0];
        r.cout[0] = 1;
        r.cout[1] = 3;
        r.cout[2] = 5;
        r.cout[3] = 2;
        r.cout[4] = -1;
        r.pointsCourants = 10;
        r.enMouvement = 1;
        RegimentsEnMouvement = 1;
        OrigineBataille = 0;
    }
    void TearDown() override {
        for (auto& g : TableGroupes) g.tampon = nullptr;
        CarteRegionCourante = nullptr;
        RegimentsEnMouvement = 0;
        NbRegimentsRegion = 0;
        ListeObjetsVivants = nullptr;
        CreaturesEssai::TearDown();
    }
    // The token of regiment 0 at (x, y), walking the path of the given cells (its own cell first).
    Objet& Jeton(int n, int x, int y, const std::vector<PointTrajet>& points) {
        Objet& o = Vivant(n, REGIMENT, JETON, x, y);
        o.sorts[0] = 0;
        o.ordreSecondaire = 2;
        o.vitesse = 8;
        Groupe& g = GroupeAvec(3, {n});
        for (size_t i = 0; i < points.size(); ++i) chemin[i] = points[i];
        g.tampon = chemin.data();
        g.nbPointsTrajet = static_cast<int32_t>(points.size());
        g.pointCourant = 0;
        Lister({n});
        return o;
    }
    // The live list, for the regiments' cells kept by the region.
    void Lister(const std::vector<int>& objets) {
        noeuds.assign(objets.size() + 1, NoeudEntier{});
        for (size_t i = 0; i < objets.size(); ++i) {
            noeuds[i].valeur = objets[i];
            noeuds[i].suivant = &noeuds[i + 1];
        }
        ListeObjetsVivants = noeuds.data();
    }
    static void Pas(Objet& o) {
        ObjetCourant = &o;
        Regiment__Animation();
    }
    // Steps until the token stands still on a cell; the cells it stood on, in order.
    static std::vector<std::string> Marche(Objet& o, int passes = 60) {
        std::vector<std::string> cases;
        for (int i = 0; i < passes; ++i) {
            Pas(o);
            const std::string c = std::to_string(o.x) + "," + std::to_string(o.y);
            if (cases.empty() || cases.back() != c) cases.push_back(c);
        }
        return cases;
    }
};

TEST_F(Regiments, LesPointsSePaientParTerrain) {
    // Plain (1), plain (1), forest (3), forest (3), plain (1), plain (1): the 10 points are spent
    // and the token stops with the rest of its path before it.
    Objet& o = Jeton(1, 4, 5, {{4, 5}, {5, 5}, {6, 6}, {7, 6}, {7, 7}, {8, 7}, {8, 8}, {8, 9}});
    EXPECT_EQ(Marche(o), (std::vector<std::string>{"4,5", "5,5", "6,6", "7,6", "7,7", "8,7", "8,8"}));
    EXPECT_EQ(RegimentsRegion[0].pointsCourants, 0);
    EXPECT_EQ(RegimentsRegion[0].enMouvement, 0);
    EXPECT_EQ(RegimentsEnMouvement, 0);   // the region's moves are over
    EXPECT_EQ(TableGroupes[3].pointCourant, 7);
    EXPECT_EQ(o.decalageX, 0);
    EXPECT_EQ(o.decalageY, 0);
    EXPECT_EQ(GrilleUnites[8 + 128 * 8], 1);
    EXPECT_EQ(GrilleUnites[8 + 128 * 7], 0);
}

TEST_F(Regiments, SansPointsOuSansOrdreLeJetonFinitSaGlissade) {
    for (int cas = 0; cas < 3; ++cas) {
        Objet& o = Jeton(1, 4, 5, {{4, 5}, {5, 5}, {6, 5}});
        RegimentsRegion[0].pointsCourants = cas == 0 ? 0 : 10;
        RegimentsRegion[0].enMouvement = cas == 1 ? 0 : 1;
        RegimentsRegion[0].campe = cas == 2 ? 1 : 0;
        RegimentsEnMouvement = 1;
        o.decalageX = 24;   // still sliding in from the left
        o.animation = 5;
        Pas(o);
        EXPECT_EQ(o.decalageX, 16) << cas;
        EXPECT_EQ(o.animation, 0);
        Marche(o, 10);
        EXPECT_EQ(o.x, 4) << cas;
        EXPECT_EQ(o.decalageX, 0);
        EXPECT_EQ(RegimentsRegion[0].enMouvement, 0);
    }
    // Moves not started on the region: only the slide.
    Objet& o = Jeton(1, 4, 5, {{4, 5}, {5, 5}});
    RegimentsEnMouvement = 0;
    o.decalageY = -24;
    Marche(o, 5);
    EXPECT_EQ(o.x, 4);
    EXPECT_EQ(o.decalageY, 0);
}

TEST_F(Regiments, UnAutreRegimentArreteLeJeton) {
    Objet& o = Jeton(1, 4, 5, {{4, 5}, {5, 5}, {6, 5}, {7, 5}});
    Objet& autre = Vivant(2, REGIMENT, JETON, 6, 5);
    autre.sorts[0] = 1;
    Lister({1, 2});
    const auto cases = Marche(o, 20);
    EXPECT_EQ(cases, (std::vector<std::string>{"4,5", "5,5"}));
    EXPECT_EQ(o.prochaineCaseX, 5);
    EXPECT_EQ(TableGroupes[3].nbPointsTrajet, 0);   // the rest of the path is forgotten
    EXPECT_EQ(TableGroupes[3].pointCourant, 0);
    EXPECT_EQ(RegimentsRegion[0].enMouvement, 0);
    EXPECT_EQ(RegimentsRegion[1].x, 6);   // the region keeps the regiments' cells
    EXPECT_EQ(RegimentsRegion[0].x, 5);
    EXPECT_EQ(OrigineBataille, 0);
}

TEST_F(Regiments, UnEnnemiOuvreLaBataille) {
    Objet& o = Jeton(1, 4, 5, {{4, 5}, {5, 5}, {6, 5}, {7, 5}});
    Vivant(2, REGIMENT_NMI, 339, 6, 5);
    Lister({1, 2});
    NbRegimentsNmi = 1;
    RegimentsNmi[0].x = 6;
    RegimentsNmi[0].y = 5;
    OrigineBataille = 0;
    const auto cases = Marche(o, 20);
    EXPECT_EQ(cases, (std::vector<std::string>{"4,5", "5,5"}));
    EXPECT_EQ(OrigineBataille, 1);   // the player's regiment attacked
    EXPECT_EQ(o.prochaineCaseX, 6);   // it meets what stands there: the battle takes over
    EXPECT_EQ(RegimentsRegion[0].x, 5);
}

TEST_F(Regiments, LesLieuxUniques) {
    struct Cas {
        int visite, lock;
        bool bataille;
    };
    const Cas cas[] = {{0, 0, true}, {0, 1, true}, {1, 0, false}, {3, 0, false}, {0, 2, false}};
    for (const Cas& c : cas) {
        lieux[1] = LieuUnique{};
        lieux[1].x = 6;
        lieux[1].y = 5;
        lieux[1].visite = c.visite;
        lieux[1].lock = c.lock;
        RegimentsRegion[0].pointsCourants = 10;
        RegimentsRegion[0].enMouvement = 1;
        RegimentsEnMouvement = 1;
        OrigineBataille = 0;
        Objet& o = Jeton(1, 4, 5, {{4, 5}, {5, 5}, {6, 5}, {7, 5}});
        const auto cases = Marche(o, 30);
        if (c.bataille) {
            EXPECT_EQ(cases, (std::vector<std::string>{"4,5", "5,5"})) << c.visite << " " << c.lock;
            EXPECT_EQ(OrigineBataille, 2);
            EXPECT_EQ(lieux[1].visite, 2);
            EXPECT_EQ(o.prochaineCaseX, 5);
            EXPECT_EQ(TableGroupes[3].nbPointsTrajet, 0);
            EXPECT_EQ(RegimentsRegion[0].enMouvement, 0);
        } else {
            EXPECT_EQ(cases, (std::vector<std::string>{"4,5", "5,5", "6,5", "7,5"})) << c.visite << " " << c.lock;
            EXPECT_EQ(OrigineBataille, 0);
        }
    }
}

TEST_F(Regiments, UneCaseInterditeArreteLaMarche) {
    // Closed terrain (cost -1), then a path that leaves the region.
    Objet& o = Jeton(1, 8, 5, {{8, 5}, {9, 5}, {10, 5}});
    EXPECT_EQ(Marche(o, 20), (std::vector<std::string>{"8,5"}));
    EXPECT_EQ(RegimentsRegion[0].pointsCourants, 10);
    EXPECT_EQ(RegimentsRegion[0].enMouvement, 0);
    RegimentsRegion[0].enMouvement = 1;
    RegimentsEnMouvement = 1;
    Objet& bord = Jeton(1, 51, 5, {{51, 5}, {52, 5}});
    EXPECT_EQ(Marche(bord, 20), (std::vector<std::string>{"51,5"}));
    EXPECT_EQ(RegimentsRegion[0].pointsCourants, 10);
}

}  // namespace
