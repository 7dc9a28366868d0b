// A region battle's start: the player's regiments that take part deployed from their sides, and the
// view put where the last of them (in table order) enters.
#include <gtest/gtest.h>

#include "campaign/chargement_armees.h"
#include "campaign/region.h"
#include "shell/trame.h"
#include "world/scene_fixture.h"
#include "world/univers.h"

namespace {

class BatailleRegionVue : public Scene {
  protected:
    void AvantChargement() override {
        arbre.Ecrire("tmp/Joueur0/regiment1.txt", arbre.Lire("tmp/Joueur0/regiment0.txt"));
        arbre.Ecrire("tmp/Joueur0/regiment2.txt", arbre.Lire("tmp/Joueur0/regiment0.txt"));
        CampParJoueur[0] = 0;
    }
    void TearDown() override {
        NbRegimentsRegion = 0;
        RegimentsRegion = {};
        Scene::TearDown();
    }
};

}  // namespace

TEST_F(BatailleRegionVue, LeDernierRegimentDecideDeLaVue) {
    NbRegimentsRegion = 3;
    const int cotes[3] = {2, 5, 0};
    for (int i = 0; i < 3; ++i) {
        RegimentsRegion[static_cast<size_t>(i)].enBataille = i < 2;
        RegimentsRegion[static_cast<size_t>(i)].directionEntree = cotes[i];
    }
    ASSERT_TRUE(Demarrer()) << Rapport();
    EXPECT_EQ(Rapport(), "");
    // Regiment 2 stays out of the battle: regiment 1, from the north-east corner, decides.
    EXPECT_EQ(RepereX, 128 - 2 * TuilesVisiblesX);
    EXPECT_EQ(RepereY, 0);
    EXPECT_EQ(NombreRegimentsCharges, 2);
    EXPECT_EQ(Armee__regimentDejaCharge(0), 1);
    EXPECT_EQ(Armee__regimentDejaCharge(1), 1);
    EXPECT_EQ(Armee__regimentDejaCharge(2), 0);
}
