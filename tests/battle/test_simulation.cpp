// The group tick: which of its scans a formed group runs, and what it does on their answers.
#include <gtest/gtest.h>

#include "battle/simulation.h"
#include "combat_fixture.h"
#include "world/codes.h"

namespace {

class Simulation : public CombatEssai {
  protected:
    // A formed, placed group of one archer at (20, 20) engaging freely, its rectangle one free
    // cell wider than its footprint; an enemy soldier `distance` cells east of it.
    Groupe& ArcherEtEnnemi(int porteeAttaque, int porteeVue, int distance) {
        Univers__EffaceGrilles();
        Objet& a = Soldat(1, 20, 20, 0, 5, porteeAttaque);
        a.classe = CLASSE_ARCHER;
        a.porteeVue = porteeVue;
        a.finCycle = 0;   // no engagement of its own this tick
        Soldat(2, 20 + distance, 20, 1, 6);
        Groupe& g = GroupeAvec(5, {1}, 4);
        g.modeFormationMaitre = 4;
        g.placee = 1;
        g.suiviDemarre = 1;
        g.engagementLibre = 1;
        g.rectangle[0] = 20, g.rectangle[1] = 20, g.rectangle[2] = 21, g.rectangle[3] = 20;
        GroupeAvec(6, {2}, 4);
        Occupation__Reconstruit();
        Occupation__Pose(1, 1, 20, 20, CarteOccupationSol, 1);
        Occupation__Pose(1, 1, 20 + distance, 20, CarteOccupationSol, 2);
        return g;
    }
};

// Nothing in range: the group slides into the free cell of its rectangle. An enemy in range
// keeps it where it is, even out of sight when the range reaches further than the sight.
TEST_F(Simulation, LaPorteeAuDelaDeLaVueEstCherchee) {
    struct Cas {
        int porteeAttaque, porteeVue, distance;
        bool glisse;
    };
    for (const Cas c : {Cas{8, 5, 7, false}, Cas{4, 5, 7, true}, Cas{8, 5, 12, true}, Cas{8, 8, 7, false}}) {
        SCOPED_TRACE(testing::Message() << c.porteeAttaque << " " << c.porteeVue << " " << c.distance);
        Groupe& g = ArcherEtEnnemi(c.porteeAttaque, c.porteeVue, c.distance);
        Groupe__Gestion(5);
        EXPECT_EQ(g.aGlisse, c.glisse ? 1 : 0);
    }
}

}  // namespace
