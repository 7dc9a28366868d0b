#include <gtest/gtest.h>

#include <vector>

#include "battle/cibles.h"
#include "combat_fixture.h"

namespace {

class Cibles : public CombatEssai {};

std::vector<int> Ennemis(const Objet& o) { return {o.listeEnnemis, o.listeEnnemis + o.dernierEnnemi + 1}; }

TEST_F(Cibles, LesAnneauxVontDuPlusPresAuPlusLoinEtLaListeSArreteAQuarante) {
    Soldat(1, 50, 50, 0, -1, 3);
    int n = 2;
    for (int y = 47; y <= 53; ++y)
        for (int x = 47; x <= 53; ++x)
            if (x != 50 || y != 50) Soldat(n++, x, y, 1);
    ASSERT_EQ(n, 50);   // 8 + 16 + 24 enemies round the unit
    EXPECT_EQ(Objet__ChercheCibles(1, -1), 1);
    const Objet& o = TableObjets[1];
    EXPECT_EQ(o.dernierEnnemi, 39);
    const auto l = Ennemis(o);
    // Ring 1 first, walked top row, right column, bottom row back, left column back.
    const std::vector<std::pair<int, int>> anneau1 = {{49, 49}, {50, 49}, {51, 49}, {51, 50},
                                                      {51, 51}, {50, 51}, {49, 51}, {49, 50}};
    for (size_t i = 0; i < anneau1.size(); ++i) {
        EXPECT_EQ(TableObjets[l[i]].x, anneau1[i].first) << i;
        EXPECT_EQ(TableObjets[l[i]].y, anneau1[i].second) << i;
    }
    for (size_t i = 8; i < 24; ++i) EXPECT_EQ(std::max(std::abs(TableObjets[l[i]].x - 50), std::abs(TableObjets[l[i]].y - 50)), 2);
}

TEST_F(Cibles, AmisEtEnnemisSelonLaTableEtPorteeLimitee) {
    Soldat(1, 50, 50, 0, -1, 2);
    Soldat(2, 51, 50, 0);   // ally
    Soldat(3, 52, 52, 1);   // enemy, ring 2
    Soldat(4, 53, 50, 1);   // beyond range
    EXPECT_EQ(Objet__ChercheCibles(1, -1), 1);
    EXPECT_EQ(Ennemis(TableObjets[1]), std::vector<int>{3});
    EXPECT_EQ(TableObjets[1].dernierAllie, 0);
    EXPECT_EQ(TableObjets[1].listeAllies[0], 2);
    // An army off the relation table is nobody's enemy.
    TableObjets[3].armee = 1000;
    EXPECT_EQ(Objet__ChercheCibles(1, -1), 0);
}

TEST_F(Cibles, FiltreDeGroupe) {
    GroupeAvec(5, {1}, 4);
    Soldat(1, 50, 50, 0, 5, 3);
    GroupeAvec(6, {2}, 4);
    Soldat(2, 52, 50, 1, 6);   // in range, other group than the filter
    Soldat(3, 51, 51, 1, 7);   // adjacent
    struct Cas { int engagementLibre, filtre; std::vector<int> attendu; };
    for (const Cas& c : {Cas{0, 7, {3}}, Cas{0, 6, {3, 2}}, Cas{1, 7, {3, 2}}, Cas{0, -1, {3, 2}}}) {
        TableGroupes[5].engagementLibre = c.engagementLibre;
        Objet__ChercheCibles(1, c.filtre);
        EXPECT_EQ(Ennemis(TableObjets[1]), c.attendu) << c.engagementLibre << " " << c.filtre;
    }
}

TEST_F(Cibles, UnDragonCommenceAuRayonQuatre) {
    Objet& d = Soldat(1, 50, 50, 0, -1, 6);
    d.famille = FAMILLE_DRAGON;
    Soldat(2, 52, 50, 1);
    Soldat(3, 54, 50, 1);
    Objet__ChercheCibles(1, -1);
    EXPECT_EQ(Ennemis(d), std::vector<int>{3});
}

TEST_F(Cibles, RazSeulementSansCible) {
    Objet& o = Soldat(1, 50, 50, 0);
    Soldat(2, 51, 50, 1);
    Objet__ChercheCibles(1, -1);
    o.cible = 2;
    Objet__RazCibles(1);
    EXPECT_EQ(o.dernierEnnemi, 0);
    o.cible = -1;
    Objet__RazCibles(1);
    EXPECT_EQ(o.dernierEnnemi, -1);
    Objet__RazCibles(0);
    Objet__RazCibles(NOMBRE_OBJETS);
}

}  // namespace
