// The command input reached through the game frame on the sample battle: the mouse at the edges
// scrolls once per logic pass, a box drawn with the mouse selects, Control + 1 stores the
// selection, Alt + 1 recalls it and centres the view, W centres on the hero.
#include "partie_fixture.h"

#include <vector>

#include "foundation/fenetre.h"
#include "foundation/polices.h"
#include "../foundation/entrees_injectees.h"
#include "platform/plateforme.h"
#include "shell/demarrage.h"
#include "shell/saisie.h"
#include "shell/selection.h"

namespace {

// A window at 640 x 480 whose procedure takes the mouse and the keys as the player gives them.
class SaisieTrame : public Partie, protected EntreesInjectees {
  protected:
    void SetUp() override {
        Partie::SetUp();
        if (HasFatalFailure()) return;
        ResolutionLargeur = 640;
        ResolutionHauteur = 480;
        ASSERT_EQ(Fenetre_Creation(nullptr), 1);
        ASSERT_EQ(Polices_Creation(nullptr), 1);
        Pomper();
    }
    static void Pomper() { PomperMessages(); }
    static void Maintenir(uint32_t vk, bool enfonce) { ToucheTenue(vk, enfonce); }
    static void Bouton(bool enfonce) { EntreesInjectees::Bouton(true, enfonce); }
    void Chiffre(uint32_t modificateur, char chiffre) { ChiffreAvec(modificateur, chiffre, [this] { Appel(); }); }
    std::vector<int> Selection() const {
        return std::vector<int>(GroupesSelectionnes.begin(), GroupesSelectionnes.begin() + NombreGroupesSelectionnes);
    }
};

TEST_F(SaisieTrame, BordsCadreEtGroupeNumeroteParLaTrame) {
    const int nous = GroupesDe(20)[0];   // at (50, 50)
    RepereX = 40;
    RepereY = 40;
    // The mouse at the right edge: two cells per logic pass, none between passes.
    Souris(636, 200);
    Appel();
    ASSERT_EQ(LargeurEcran, 640);
    EXPECT_EQ(RepereX, 42);
    Appel(10);
    EXPECT_EQ(RepereX, 42);
    Appel();
    EXPECT_EQ(RepereX, 44);
    Souris(300, 200);
    Appel();
    EXPECT_EQ(RepereX, 44);

    // A box from cell (45, 45) to (60, 58).
    Souris((45 - 44) * 24 + 4, (45 - 40) * 24 + 4);
    Bouton(true);
    Appel(5);
    EXPECT_EQ(DemandeSelection, 1);
    Souris((60 - 44) * 24 + 4, (58 - 40) * 24 + 4);
    Bouton(false);
    Appel(5);
    ASSERT_EQ(Selection(), std::vector<int>{nous});

    // Control + 1 stores it; Escape deselects; Alt + 1 brings it back and centres on it.
    Chiffre(TOUCHE_CTRL, '1');
    ASSERT_EQ(TailleGroupesSelection[1], 1);
    Maintenir(TOUCHE_ECHAP, true);
    Maintenir(TOUCHE_ECHAP, false);
    Appel();
    ASSERT_EQ(Selection(), std::vector<int>{});
    RepereX = RepereY = 0;
    Chiffre(TOUCHE_ALT, '1');
    EXPECT_EQ(Selection(), std::vector<int>{nous});
    const Objet& premier = TableObjets[TableGroupes[nous].membres[0]];
    EXPECT_EQ(RepereX, (premier.x - CasesVisiblesX / 2) & ~1);
    EXPECT_EQ(RepereY, (premier.y - CasesVisiblesY / 2) & ~1);
}

TEST_F(SaisieTrame, WCentreSurLeHeros) {
    const int heros = Unite(5, 0, 90, 70);
    ASSERT_GT(heros, 0);
    Touche(ToucheW);
    ASSERT_EQ(CasesVisiblesX, 26);
    EXPECT_EQ(RepereX, 76);   // 90 - 13, kept even
    EXPECT_EQ(RepereY, 60);
    EXPECT_EQ(Selection(), std::vector<int>{TableObjets[heros].groupe});
    EXPECT_EQ(TypeChefSuivant, 5);
}

// A quick hand: Control (or Alt) is let go before the frame reads the digit typed with it. The
// digit keeps its modifier: the group is stored and recalled, no spell is armed.
TEST_F(SaisieTrame, ControleRapideAvecUnChiffre) {
    const int nous = GroupesDe(20)[0];
    Groupe__Selection(nous);
    auto rapide = [](uint32_t modificateur, char chiffre) {
        Maintenir(modificateur, true);
        Maintenir(static_cast<uint32_t>(chiffre), true);
        Maintenir(static_cast<uint32_t>(chiffre), false);
        Maintenir(modificateur, false);
    };
    rapide(TOUCHE_CTRL, '1');
    Appel();
    ASSERT_EQ(TailleGroupesSelection[1], 1);
    EXPECT_EQ(SortArme, -1);
    EXPECT_EQ(ToucheCaractere, 0);
    Groupe__DeselectionTout();
    NombreGroupesSelectionnes = 0;
    GroupeEnSelection = -1;
    rapide(TOUCHE_ALT, '1');
    Appel();
    EXPECT_EQ(Selection(), std::vector<int>{nous});
}

}  // namespace
