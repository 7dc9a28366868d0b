// The A* node lists: append and full list, finds, best node with its tie rule, removal, cost.
#include <gtest/gtest.h>

#include "battle/astar.h"
#include "battle/chemin.h"

namespace {

class Astar : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(Trajet__AlloueTampons(), 1); }
    void TearDown() override { Trajet__LibereTampons(); }
    static void Ouvert(int x, int y, int h, int g, int cle) {
        AstarOuverts[AstarOuvertsNombre++] = NoeudAstar{x, y, h, g, -1, cle};
    }
};

TEST_F(Astar, MeilleurOuvertEtEgalites) {
    EXPECT_EQ(Astar__MeilleurOuvert(), -1);
    Ouvert(1, 1, 10, 5, 53);
    Ouvert(2, 1, 3, 4, 54);
    Ouvert(3, 1, 6, 1, 55);   // same sum as node 1: the higher index wins
    Ouvert(4, 1, 20, 0, 56);
    EXPECT_EQ(Astar__MeilleurOuvert(), 2);
    Ouvert(5, 1, 0, 7, 57);
    EXPECT_EQ(Astar__MeilleurOuvert(), 4);
}

TEST_F(Astar, RechercheEtRetrait) {
    Ouvert(1, 1, 0, 0, 53);
    Ouvert(2, 1, 0, 0, 54);
    Ouvert(2, 1, 0, 0, 99);   // a second node on the same cell
    EXPECT_EQ(Astar__ChercheOuvert(2, 1), 1);
    EXPECT_EQ(Astar__ChercheOuvert(7, 7), -1);
    EXPECT_EQ(Astar__ChercheOuvertCle(99), 2);
    EXPECT_EQ(Astar__ChercheOuvertCle(7), -1);
    Astar__RetireOuvert(0);   // the last node takes its place
    EXPECT_EQ(AstarOuvertsNombre, 2);
    EXPECT_EQ(AstarOuverts[0].cle, 99);
    EXPECT_EQ(Astar__ChercheOuvertCle(53), -1);
    // Out of the list: nothing.
    for (int i : {-1, 2, 800}) Astar__RetireOuvert(i);
    EXPECT_EQ(AstarOuvertsNombre, 2);
    Astar__RetireOuvert(1);
    Astar__RetireOuvert(0);
    EXPECT_EQ(AstarOuvertsNombre, 0);
    Astar__RetireOuvert(0);
    EXPECT_EQ(AstarOuvertsNombre, 0);

    NoeudAstar n{4, 5, 1, 2, 3, 265};
    EXPECT_EQ(Astar__AjouteFerme(&n), 0);
    EXPECT_EQ(Astar__ChercheFerme(4, 5), 0);
    EXPECT_EQ(Astar__ChercheFermeCle(265), 0);
    EXPECT_EQ(AstarFermes[0].cleParent, 3);
    Astar__RetireFerme(0);   // the only node
    EXPECT_EQ(AstarFermesNombre, 0);
    EXPECT_EQ(Astar__ChercheFerme(4, 5), -1);
}

TEST_F(Astar, ListeFermeePleine) {
    NoeudAstar n{0, 0, 0, 0, -1, 0};
    for (int i = 0; i < NOEUDS_ASTAR - 1; ++i) {
        n.cle = i;
        ASSERT_EQ(Astar__AjouteFerme(&n), 0) << i;
    }
    EXPECT_EQ(Astar__AjouteFerme(&n), 1);
    EXPECT_EQ(AstarFermesNombre, NOEUDS_ASTAR);
    EXPECT_EQ(Astar__AjouteFerme(&n), 1);   // full: nothing written past the list
    EXPECT_EQ(AstarFermesNombre, NOEUDS_ASTAR);
}

TEST_F(Astar, Cout) {
    EXPECT_EQ(Astar__Cout(1, 1, 4, 5), 25);
    EXPECT_EQ(Astar__Cout(4, 5, 1, 1), 25);
    EXPECT_EQ(Astar__Cout(7, 7, 7, 7), 0);
}

TEST(AstarSansListes, RienAvantLAllocation) {
    EXPECT_EQ(AstarOuverts, nullptr);
    EXPECT_EQ(Astar__MeilleurOuvert(), -1);
    EXPECT_EQ(Astar__ChercheFerme(0, 0), -1);
    NoeudAstar n{};
    EXPECT_EQ(Astar__AjouteFerme(&n), 1);
    Astar__RetireOuvert(0);
}

}  // namespace
