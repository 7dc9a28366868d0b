// The ten numbered selection groups: storing, recalling, groups that leave them.
#include <gtest/gtest.h>

#include "saisie_fixture.h"
#include "shell/selection.h"

namespace {

class GroupesNumerotes : public SaisieEssai {
  protected:
    void SetUp() override {
        SaisieEssai::SetUp();
        GroupesSelection__RAZ();
    }
    std::vector<int> Stocke(int n) const {
        const auto& m = MembresGroupesSelection[static_cast<size_t>(n)];
        return std::vector<int>(m.begin(), m.begin() + TailleGroupesSelection[static_cast<size_t>(n)]);
    }
    void Selectionner(const std::vector<int>& groupes) {
        Groupe__DeselectionTout();
        for (int g : groupes) Groupe__Selection(g);
    }
};

using V = std::vector<int>;

TEST_F(GroupesNumerotes, MemoriserPuisRappelerDansLOrdre) {
    for (int g = 5; g <= 8; ++g) Troupe(g, g, 1, 10 + 2 * g, 10, 0);
    Selectionner({7, 5, 8});
    GroupesSelection__Memoriser(1);
    EXPECT_EQ(Stocke(1), (V{7, 5, 8}));
    EXPECT_EQ(TableGroupes[5].numeroSelection, 1);
    Selectionner({6});
    GroupesSelection__Memoriser(2);
    Selectionner({6, 5});
    GroupesSelection__Memoriser(3);

    EXPECT_EQ(GroupesSelection__Rappeler(1), 1);
    EXPECT_EQ(Selection(), (V{7, 5, 8}));
    EXPECT_EQ(GroupeEnSelection, 8);   // the last member
    EXPECT_EQ(TableObjets[7].selectionne, 1);
    EXPECT_EQ(TableObjets[6].selectionne, 0);
    EXPECT_EQ(TableGroupes[5].numeroSelection, 1);

    // Storing again over group 3 clears the number of the groups it held.
    Selectionner({8});
    GroupesSelection__Memoriser(3);
    EXPECT_EQ(TableGroupes[6].numeroSelection, 0);
    EXPECT_EQ(TableGroupes[8].numeroSelection, 3);
    GroupesSelection__Rappeler(2);
    EXPECT_EQ(Selection(), V{6});

    GroupesSelection__RAZ();
    EXPECT_EQ(GroupesSelection__Rappeler(1), 0);
    EXPECT_EQ(Selection(), V{});
}

TEST_F(GroupesNumerotes, SelectionVideViderLeGroupeEtLeRappelDeselectionneSeulement) {
    Troupe(5, 1, 1, 10, 10, 0);
    Selectionner({5});
    GroupesSelection__Memoriser(0);
    Selectionner({});
    GroupesSelection__Memoriser(0);
    EXPECT_EQ(TailleGroupesSelection[0], 0);
    Selectionner({5});
    EXPECT_EQ(GroupesSelection__Rappeler(0), 0);
    EXPECT_EQ(Selection(), V{});
    EXPECT_EQ(GroupeEnSelection, -1);
    EXPECT_EQ(TableObjets[1].selectionne, 0);
    // Numbers off the ten are ignored.
    Selectionner({5});
    GroupesSelection__Memoriser(10);
    GroupesSelection__Memoriser(-1);
    EXPECT_EQ(GroupesSelection__Rappeler(10), 0);
    EXPECT_EQ(Selection(), V{5});
}

TEST_F(GroupesNumerotes, DeuxCentsGroupesGardentLesCentVingtHuitPremiers) {
    for (int g = 1; g <= 200; ++g) {
        GroupeAvec(g, {});
        GroupesSelectionnes[static_cast<size_t>(g - 1)] = g;
    }
    NombreGroupesSelectionnes = 200;
    GroupesSelection__Memoriser(4);
    ASSERT_EQ(TailleGroupesSelection[4], 128);
    EXPECT_EQ(MembresGroupesSelection[4][0], 1);
    EXPECT_EQ(MembresGroupesSelection[4][127], 128);
    EXPECT_EQ(TableGroupes[128].numeroSelection, 4);
    EXPECT_EQ(TableGroupes[129].numeroSelection, 0);
}

TEST_F(GroupesNumerotes, UnGroupeDisparuQuitteLesGroupesNumerotes) {
    for (int g = 5; g <= 8; ++g) Troupe(g, g, 1, 10 + 2 * g, 10, 0);
    Selectionner({5, 6, 7, 8});
    GroupesSelection__Memoriser(1);
    Selectionner({6});
    GroupesSelection__Memoriser(2);
    Selectionner({7, 6});
    GroupesSelection__Memoriser(3);

    GroupesSelection__Retirer(6);
    EXPECT_EQ(Stocke(1), (V{5, 8, 7}));   // the last member takes its place
    EXPECT_EQ(Stocke(2), V{});            // its only member: the group is empty
    EXPECT_EQ(Stocke(3), V{7});
    GroupesSelection__Rappeler(1);
    EXPECT_EQ(Selection(), (V{5, 8, 7}));

    // A slot freed without the removal (its group is not in use) is not selected again.
    TableGroupes[8].noeudListe = nullptr;
    EXPECT_EQ(GroupesSelection__Rappeler(1), 1);
    EXPECT_EQ(Selection(), (V{5, 7}));
    EXPECT_EQ(Stocke(1), (V{5, 7}));
    EXPECT_EQ(GroupeEnSelection, 7);
}

}  // namespace
