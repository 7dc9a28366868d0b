// Formation layout, corner units, rectangles and the rectangle counts.
#include <gtest/gtest.h>

#include <algorithm>

#include "battle/formations.h"
#include "battle/occupation_fixture.h"
#include "battle/ordres.h"

namespace {

class Formations : public CarteEssai {
  protected:
    // A square of c x c units of the given taille with its top-left at (x, y), members 1.. in
    // row order, in group 5.
    Groupe& Carre(int c, int x, int y, int taille = 1) {
        std::vector<int> membres;
        int n = 1;
        for (int j = 0; j < c; ++j)
            for (int i = 0; i < c; ++i, ++n) {
                Unite(n, x + i * taille, y + j * taille, taille, 1, 5);
                membres.push_back(n);
            }
        Groupe& g = GroupeAvec(5, membres);
        g.colonnes = g.lignes = c;
        return g;
    }
    static void Bornes(const Groupe& g, int* x0, int* y0, int* x1, int* y1) {
        *x0 = std::min(g.rectangle[0], g.rectangle[2]);
        *x1 = std::max(g.rectangle[0], g.rectangle[2]);
        *y0 = std::min(g.rectangle[1], g.rectangle[3]);
        *y1 = std::max(g.rectangle[1], g.rectangle[3]);
    }
};

TEST_F(Formations, CoinsTrouvesParPosition) {
    Groupe& g = Carre(2, 10, 10);
    Formation__Coins(5);
    EXPECT_EQ(g.coins[0], 3);   // bottom-right
    EXPECT_EQ(g.coins[1], 1);   // top-right
    EXPECT_EQ(g.coins[2], 2);   // bottom-left
    EXPECT_EQ(g.coins[3], 0);   // top-left
}

TEST_F(Formations, PlacementSelonLaPositionDuBut) {
    struct Cas {
        int taille, butX, butY, orientation, libreX, libreY, destX, destY;
    };
    const Cas cas[] = {
        {1, 5, 5, 3, 5, 5, 6, 6},          // rectangle right of and below the goal
        {1, 5, 30, 2, 5, 29, 6, 29},       // right, above
        {1, 30, 5, 1, 29, 5, 29, 6},       // left, below
        {1, 30, 30, 0, 29, 29, 29, 29},    // left, above
        {1, 11, 11, 3, 11, 11, 12, 12},    // on the group's own far corner
        // Slots of 2: x compares with the width in columns (10 + 2 - 1), y with cells (10 + 4 - 1).
        {2, 11, 13, 3, 11, 13, 14, 16},
        {2, 12, 13, 1, 9, 13, 9, 16},
        {2, 11, 14, 2, 11, 11, 14, 11},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(testing::Message() << "taille " << c.taille << " but " << c.butX << "," << c.butY);
        Groupe& g = Carre(2, 10, 10, c.taille);
        Formation__Place(5, 0, 0, c.butX, c.butY, 2, 2, c.taille, c.taille);
        EXPECT_EQ(g.orientation, c.orientation);
        EXPECT_EQ(g.butLibreX, c.libreX);
        EXPECT_EQ(g.butLibreY, c.libreY);
        EXPECT_EQ(g.destinationX, c.destX);
        EXPECT_EQ(g.destinationY, c.destY);
        EXPECT_EQ(g.destinationOrdreX, c.butX);
        EXPECT_EQ(g.destinationOrdreY, c.butY);
        EXPECT_EQ(g.butX, 10);
        EXPECT_EQ(g.butY, 10);
        EXPECT_EQ(g.largeurFormation, 2);
        EXPECT_EQ(g.hauteurFormation, 2);
    }
}

TEST_F(Formations, RectangleSelonOrientation) {
    struct Cas {
        int orientation, x0, y0, x1, y1;
    };
    const Cas cas[] = {{0, 18, 17, 20, 20}, {1, 18, 20, 20, 23}, {2, 20, 17, 22, 20}, {3, 20, 20, 22, 23}};
    for (const Cas& c : cas) {
        Groupe& g = Carre(3, 40, 40);
        g.largeurFormation = 3;
        g.hauteurFormation = 4;
        g.butX = g.butY = 20;
        g.orientation = c.orientation;
        Formation__Rectangle(5);
        int x0, y0, x1, y1;
        Bornes(g, &x0, &y0, &x1, &y1);
        EXPECT_EQ(g.ancreX, 20);
        EXPECT_EQ(g.ancreY, 20);
        EXPECT_EQ((std::vector<int>{x0, y0, x1, y1}), (std::vector<int>{c.x0, c.y0, c.x1, c.y1}))
            << "orientation " << c.orientation;
    }
}

TEST_F(Formations, UnSeulMembreOccupeSonEmpreinte) {
    for (int orientation = 0; orientation < 4; ++orientation) {
        Unite(1, 30, 31, 3, 1, 5);
        Groupe& g = GroupeAvec(5, {1});
        g.largeurFormation = g.hauteurFormation = 4;
        g.butX = g.butY = 2;
        g.orientation = orientation;
        Formation__Rectangle(5);
        int x0, y0, x1, y1;
        Bornes(g, &x0, &y0, &x1, &y1);
        EXPECT_EQ((std::vector<int>{x0, y0, x1, y1}), (std::vector<int>{30, 31, 32, 33})) << orientation;
    }
}

TEST_F(Formations, InitialisationPlaceLeChefEtLesEcarts) {
    Groupe& g = Carre(3, 20, 20);
    g.modeFormation = g.modeFormationMaitre = 4;
    TableObjets[1].pointsDeVie = 5;
    TableObjets[9].pointsDeVie = 7;
    Groupe__Initialise(5);
    EXPECT_EQ(g.pointsDeVieInitiaux, 12);
    EXPECT_EQ(g.orientation, 3);
    EXPECT_EQ(g.chef, 0);
    EXPECT_EQ(g.chefInitialX, 20);
    EXPECT_EQ(g.largeurFormation, 3);
    EXPECT_EQ(TableObjets[9].ecartChefX, -2);
    EXPECT_EQ(TableObjets[9].ecartChefY, -2);
    EXPECT_EQ(TableObjets[9].modeDeplacement, 4);
    EXPECT_EQ(TableObjets[9].numeroObjet, 9);
    int x0, y0, x1, y1;
    Bornes(g, &x0, &y0, &x1, &y1);
    EXPECT_EQ((std::vector<int>{x0, y0, x1, y1}), (std::vector<int>{20, 20, 22, 22}));
    EXPECT_EQ(g.enFuite, 0);
}

TEST_F(Formations, ComptesDuRectangle) {
    Groupe& g = Carre(2, 10, 10);
    g.largeurFormation = g.hauteurFormation = 2;
    g.butX = g.butY = 10;
    g.orientation = 3;
    Formation__Rectangle(5);
    Occupation__Reconstruit();
    for (int n = 1; n <= 4; ++n) Occupation__Pose(1, 1, TableObjets[n].x, TableObjets[n].y, CarteOccupationSol, n);
    EXPECT_EQ(Formation__Etablie(5), 0);
    EXPECT_EQ(Formation__CasesEtrangeres(5), 0);
    EXPECT_EQ(Formation__CasesLibres(5), 0);

    // One member steps out, a stranger takes its place.
    Occupation__Pose(1, 1, 11, 11, CarteOccupationSol, 0);
    TableObjets[4].x = 12;
    Unite(7, 11, 11, 1, 1, 6);
    Occupation__Pose(1, 1, 11, 11, CarteOccupationSol, 7);
    EXPECT_EQ(Formation__Etablie(5), -1);
    EXPECT_EQ(Formation__CasesEtrangeres(5), 1);
    EXPECT_EQ(Formation__CasesLibres(5), 1);
    EXPECT_EQ(Formation__ObstaclesAuPas(5, 1, 0), 1);   // member 3 at (10,11) would enter (11,11)

    g.enDeroute = 1;
    EXPECT_EQ(Formation__Etablie(5), 1);
}

TEST_F(Formations, PasDuGroupeLeLongDuTrajet) {
    PointTrajet tampon[POINTS_TRAJET_GROUPE]{};
    Groupe& g = Carre(2, 10, 10);
    g.tampon = tampon;
    g.modeFormation = 4;
    g.largeurFormation = g.hauteurFormation = 2;
    g.orientation = 3;
    g.ancreX = g.ancreY = 10;
    g.destinationOrdreX = g.destinationOrdreY = 40;
    tampon[0] = {11, 10};
    tampon[1] = {12, 10};
    g.nbPointsTrajet = 2;
    Occupation__Reconstruit();
    for (int n = 1; n <= 4; ++n) Occupation__Pose(1, 1, TableObjets[n].x, TableObjets[n].y, CarteOccupationSol, n);

    Groupe__SuitTrajet(5);
    EXPECT_EQ(g.pointCourant, 1);
    EXPECT_EQ(g.pasX, 1);
    EXPECT_EQ(g.pasY, 0);
    EXPECT_EQ(g.ancreX, 11);
    int x0, y0, x1, y1;
    Bornes(g, &x0, &y0, &x1, &y1);
    EXPECT_EQ((std::vector<int>{x0, y0, x1, y1}), (std::vector<int>{11, 10, 12, 11}));

    // A stranger in the way: the group plans again from where it stands, the step is cleared.
    Unite(20, 13, 10, 1, 1, 9);
    Occupation__Pose(1, 1, 13, 10, CarteOccupationSol, 20);
    TableObjets[2].x = 12;   // the right-hand column has moved up to the stranger
    TableObjets[4].x = 12;
    Groupe__SuitTrajet(5);
    EXPECT_EQ(g.pasX, 0);
    EXPECT_EQ(g.pasY, 0);
    EXPECT_EQ(g.butPrecedentX, 40);
    EXPECT_EQ(g.pointCourant, 0);
    EXPECT_GT(g.nbPointsTrajet, 0);

    // Out of path: nothing moves.
    g.pointCourant = g.nbPointsTrajet;
    const int ancre = g.ancreX;
    Groupe__SuitTrajet(5);
    EXPECT_EQ(g.ancreX, ancre);

    // Free movement: the rectangle hangs from butLibre, top-left.
    g.modeFormation = 5;
    g.butLibreX = 30;
    g.butLibreY = 31;
    g.orientation = 0;
    Groupe__SuitTrajet(5);
    EXPECT_EQ(g.orientation, 3);
    Bornes(g, &x0, &y0, &x1, &y1);
    EXPECT_EQ((std::vector<int>{x0, y0, x1, y1}), (std::vector<int>{30, 31, 31, 32}));
}

TEST_F(Formations, GroupeSansChefValideIgnore) {
    Unite(1, 10, 10, 1, 1, 5);
    Groupe& g = GroupeAvec(5, {1});
    g.membres[0] = 0;   // a slot holding no object
    g.colonnes = g.lignes = 1;
    g.rectangle[0] = 77;
    Groupe__Initialise(5);
    Groupe__OrdreDeplacement(5, 40, 40);
    Groupe__OrdreAttaque(5, 40, 40);
    Groupe__SuitTrajet(5);
    Formation__Reorganise(5);
    EXPECT_EQ(g.rectangle[0], 77);
    EXPECT_EQ(g.nouvelOrdre, 0);
    EXPECT_EQ(Formation__Etablie(5), 0);

    g.membres[0] = 1;
    g.chef = 99;   // a leader index past the members
    Groupe__SuitTrajet(5);
    Formation__Coins(5);
    EXPECT_EQ(g.chef, 0);

    Groupe& vide = GroupeAvec(6, {});
    vide.colonnes = vide.lignes = 1;
    Groupe__Initialise(6);
    Groupe__OrdreDeplacement(6, 1, 1);
    EXPECT_EQ(vide.nouvelOrdre, 0);
}

}  // namespace
