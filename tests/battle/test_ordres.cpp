// Group orders: the move order's path and leader, the attack order's target and re-squaring.
#include <gtest/gtest.h>

#include "battle/formations.h"
#include "battle/occupation_fixture.h"
#include "battle/ordres.h"
#include "shell/conditions.h"

namespace {

class Ordres : public CarteEssai {
  protected:
    void SetUp() override {
        CarteEssai::SetUp();
        ciblage = TableCiblage;
        attaque = TableAttaque;
    }
    void TearDown() override {
        TableCiblage = ciblage;
        TableAttaque = attaque;
        CarteEssai::TearDown();
    }
    // n units of army 0 in a row from (x, y), group g laid out c x l, formation mode 4.
    Groupe& Ligne(int g, int premier, int n, int x, int y, int c, int l) {
        std::vector<int> membres;
        for (int i = 0; i < n; ++i) {
            Unite(premier + i, x + i, y, 1, 1, g);
            membres.push_back(premier + i);
        }
        Groupe& gr = GroupeAvec(g, membres, 4);
        gr.modeFormationMaitre = 4;
        gr.colonnes = c;
        gr.lignes = l;
        gr.tampon = tampons[g % 2];
        return gr;
    }
    PointTrajet tampons[2][POINTS_TRAJET_GROUPE]{};
    RelationJoueurs ciblage{}, attaque{};
};

TEST_F(Ordres, DeplacementPlanifieLeTrajetDuGroupe) {
    for (int y = 0; y < 60; ++y) Fixe(100, 40, y);
    Occupation__Reconstruit();
    Groupe& g = Ligne(5, 1, 4, 20, 20, 2, 2);
    g.groupeCibleIAPropose = -1;
    g.bloque = g.attaqueLancee = g.compteurPoursuite = 1;
    Groupe__OrdreDeplacement(5, 60, 20);
    EXPECT_EQ(g.resultatTrajet, 0);
    ASSERT_GT(g.nbPointsTrajet, 0);
    ASSERT_LE(g.nbPointsTrajet, POINTS_TRAJET_GROUPE);
    EXPECT_EQ(g.pointCourant, 0);
    EXPECT_EQ(TrajetLisseNombre, 0);
    EXPECT_EQ(g.bloque + g.attaqueLancee + g.compteurPoursuite, 0);
    EXPECT_EQ(g.butPrecedentX, 60);
    EXPECT_EQ(g.destinationOrdreX, 60);
    EXPECT_EQ(g.orientation, 1);   // the goal lies right, on the top row
    for (int i = 0; i < g.nbPointsTrajet; ++i) {
        const PointTrajet p = g.tampon[i];
        ASSERT_TRUE(p.x >= 0 && p.x < 128 && p.y >= 0 && p.y < 128);
        EXPECT_NE(CarteOccupationSol[p.x + 128 * p.y], OBSTACLE_FIXE);
    }
}

TEST_F(Ordres, DeplacementRefuseEnDerouteOuBloque) {
    Groupe& g = Ligne(5, 1, 4, 20, 20, 2, 2);
    g.enDeroute = 1;
    Groupe__OrdreDeplacement(5, 60, 20);
    EXPECT_EQ(g.destinationOrdreX, 0);
    g.enDeroute = 0;
    g.ordresRefuses = 1;
    Groupe__OrdreAttaque(5, 60, 20);
    Groupe__OrdreDeplacement(5, 60, 20);
    EXPECT_EQ(g.destinationOrdreX, 0);
}

TEST_F(Ordres, ChefMortRemplaceParLePremierVivant) {
    Occupation__Reconstruit();
    Groupe& g = Ligne(5, 1, 4, 20, 20, 4, 1);
    // Goal to the right: the leader takes the right-hand corner, member 3.
    TableObjets[4].ordreSecondaire = 4;
    TableObjets[1].ordreSecondaire = 3;
    Groupe__OrdreDeplacement(5, 60, 20);
    EXPECT_EQ(g.chef, 1);
    EXPECT_GT(g.nbPointsTrajet, 0);

    Groupe& morts = Ligne(7, 11, 3, 20, 30, 3, 1);
    for (int n = 11; n <= 13; ++n) TableObjets[n].ordreSecondaire = 4;
    Groupe__OrdreDeplacement(7, 60, 30);
    EXPECT_EQ(morts.nbPointsTrajet, 0);
    EXPECT_EQ(morts.resultatTrajet, 0);
    Groupe__OrdreAttaque(7, 60, 30);
    EXPECT_EQ(morts.nbPointsTrajet, 0);
}

TEST_F(Ordres, AttaqueRemetLeGroupeAuCarre) {
    struct Cas {
        int membres, colonnes, lignes, attenduC, attenduL;
        bool change;
    };
    const Cas cas[] = {{10, 10, 1, 4, 3, true}, {9, 3, 3, 3, 3, false}, {1, 1, 1, 1, 1, false},
                       {2, 2, 1, 1, 2, true}};
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.membres);
        Occupation__Reconstruit();
        Groupe& g = Ligne(5, 1, c.membres, 20, 20, c.colonnes, c.lignes);
        g.nbPointsTrajet = 7;
        g.pointCourant = 2;
        Groupe__OrdreAttaque(5, 60, 60);
        EXPECT_EQ(g.ordreAttaque, 0);
        EXPECT_EQ(g.groupeCibleIA, -1);
        EXPECT_EQ(g.colonnes, c.attenduC);
        EXPECT_EQ(g.lignes, c.attenduL);
        EXPECT_EQ(g.largeurFormation, c.attenduC);
        EXPECT_EQ(g.modeFormation, c.change ? 1 : 4);
        EXPECT_EQ(g.enFuite, c.change ? 1 : 0);
        EXPECT_EQ(g.nouvelOrdre, 1);
        EXPECT_EQ(g.destinationOrdreX, 60);
        EXPECT_EQ(TableObjets[g.membres[g.chef]].chefGroupe, -1);
        EXPECT_EQ(TableObjets[g.membres[g.chef]].modeDeplacement, 1);
    }
}

TEST_F(Ordres, AttaqueChoisitUnGroupeHostile) {
    Groupe& g = Ligne(5, 1, 4, 20, 20, 2, 2);
    Unite(20, 61, 60, 1, 1, 8).armee = 1;
    GroupeAvec(8, {20});
    TableCiblage[0][1] = 1;
    Occupation__Reconstruit();

    Groupe__OrdreAttaque(5, 60, 60);   // the enemy stands one cell away
    EXPECT_EQ(g.groupeCibleIA, 8);
    EXPECT_EQ(g.ordreAttaque, 1);
    EXPECT_EQ(g.colonnes, 2);

    Groupe__OrdreAttaque(5, 90, 90, 0, 1);   // keep the target: an empty cell changes nothing
    EXPECT_EQ(g.groupeCibleIA, 8);
    EXPECT_EQ(g.ordreAttaque, 1);

    Groupe__OrdreAttaque(5, 90, 90);   // an empty cell: a go-to order
    EXPECT_EQ(g.groupeCibleIA, -1);
    EXPECT_EQ(g.ordreAttaque, 0);

    TableCiblage[0][1] = 0;   // not hostile
    Groupe__OrdreAttaque(5, 60, 60);
    EXPECT_EQ(g.groupeCibleIA, -1);

    TableCiblage[0][1] = 1;
    TableObjets[20].actif = 0;
    Groupe__OrdreAttaque(5, 60, 60);
    EXPECT_EQ(g.groupeCibleIA, -1);
}

}  // namespace
