// The player's commands on the sample battle: a box around the foot soldiers, a move to a point,
// an attack onto the enemy, the selection stored as group 1 and recalled after scrolling away.
#include <cmath>

#include "battle/simulation.h"
#include "foundation/entrees.h"
#include "platform/temps.h"
#include "shell/saisie.h"
#include "shell/selection.h"
#include "shell/trame.h"
#include "world/gestion_objets.h"
#include "world/scene_fixture.h"

namespace {

class SaisieBataille : public Scene {
  protected:
    void Souris(int x, int y) {
        SourisX = x;
        SourisY = y;
        CurseurCaseX = x / 24;
        CurseurCaseY = y / 24;
    }
    // Screen point of a map cell of the view.
    static int Ecran(int cellule, int repere) { return (cellule - repere) * 24 + 5; }
    void Glisser(int x0, int y0, int x1, int y1) {
        Souris(Ecran(x0, RepereX), Ecran(y0, RepereY));
        ClicGauche = BoutonGauche = BoutonGaucheEtat = 1;
        Saisie__Commandes();
        Souris(Ecran(x1, RepereX), Ecran(y1, RepereY));
        BoutonGauche = 0;
        BoutonGaucheEtat = -1;
        Saisie__Commandes();
    }
    void ClicDroit(int x, int y) {
        Souris(Ecran(x, RepereX), Ecran(y, RepereY));
        BoutonDroit = 1;
        Saisie__Commandes();
    }
    void Passes(int n) {
        for (int p = 0; p < n; ++p) {
            Simulation__Tour();
            Objets__GestionTour();
            Temps_Avancer(66);
            HorlogeJeu = Temps_Ticks();
        }
    }
    std::vector<int> Selection() const {
        return std::vector<int>(GroupesSelectionnes.begin(), GroupesSelectionnes.begin() + NombreGroupesSelectionnes);
    }
    // The group's first member's distance to a cell.
    static double Distance(int g, int x, int y) {
        const Objet& o = TableObjets[TableGroupes[g].membres[0]];
        return std::hypot(o.x - x, o.y - y);
    }
};

TEST_F(SaisieBataille, CadreOrdresGroupeUnEtRappel) {
    ASSERT_TRUE(Demarrer()) << Rapport();
    const std::vector<int> soldats = GroupesDe(20);   // ours at (50, 50), then the enemy's at (80, 56)
    const std::vector<int> ennemis = GroupesDe(13);
    ASSERT_EQ(soldats.size(), 2u);
    ASSERT_EQ(ennemis.size(), 1u);
    const int nous = soldats[0];
    ASSERT_EQ(TableObjets[TableGroupes[nous].membres[0]].armee, 0);

    RepereX = 40;
    RepereY = 40;
    Glisser(44, 44, 64, 59);
    ASSERT_EQ(Selection(), std::vector<int>{nous});
    for (int i = 0; i < TableGroupes[nous].nbMembres; ++i) EXPECT_EQ(TableObjets[TableGroupes[nous].membres[i]].selectionne, 1);

    // A move to an empty point, and the soldiers walk there.
    ClicDroit(58, 44);
    EXPECT_EQ(TableGroupes[nous].destinationOrdreX, 58);
    EXPECT_EQ(TableGroupes[nous].ordreAttaque, 0);
    const double avant = Distance(nous, 58, 44);
    Passes(40);
    EXPECT_LT(Distance(nous, 58, 44), avant);

    // Store as group 1, scroll away with the keys, select the enemy's region by box (nothing of
    // ours there), then recall group 1 and send it onto the enemy group.
    GroupesSelection__Memoriser(1);
    for (int i = 0; i < 10; ++i) {
        ToucheDroite = 1;
        Defilement__Droite();
    }
    EXPECT_EQ(RepereX, 60);
    Glisser(70, 45, 85, 59);
    EXPECT_TRUE(Selection().empty());
    ASSERT_EQ(GroupesSelection__Rappeler(1), 1);
    EXPECT_EQ(Selection(), std::vector<int>{nous});
    EXPECT_EQ(GroupeEnSelection, nous);
    Vue__CentrageSelection();
    const Objet& cible = TableObjets[TableGroupes[ennemis[0]].membres[0]];
    RepereX = 60;
    ClicDroit(cible.x, cible.y);
    EXPECT_EQ(TableGroupes[nous].ordreAttaque, 1);
    EXPECT_EQ(TableGroupes[nous].groupeCibleIA, ennemis[0]);
    const double loin = Distance(nous, cible.x, cible.y);
    Passes(60);
    EXPECT_LT(Distance(nous, cible.x, cible.y), loin);
}

// A stored group destroyed whole (not through its members' deaths) leaves the selection groups,
// so the slot handed to the next group is not recalled in its place.
TEST_F(SaisieBataille, UnGroupeDetruitPuisReutiliseNEstPasRappele) {
    ASSERT_TRUE(Demarrer()) << Rapport();
    const int nous = GroupesDe(20)[0];
    Groupe__Selection(nous);
    GroupesSelection__Memoriser(3);
    Groupe__DeselectionTout();
    Groupe__Destruction(nous);
    EXPECT_EQ(TailleGroupesSelection[3], 0);
    const int nouveau = Groupe___Creation(20, 0, 30, 30, 1, 1, 1);
    ASSERT_EQ(nouveau, nous);   // the freed slot is handed out again
    EXPECT_EQ(GroupesSelection__Rappeler(3), 0);
    EXPECT_TRUE(Selection().empty());
}

}  // namespace
