// The numbers of the stored selection groups drawn on the minimap of the sample battle.
#include <algorithm>
#include <vector>

#include "../scene/scene_ecran_fixture.h"
#include "foundation/ecran.h"
#include "foundation/objetsgfx.h"
#include "foundation/sprites.h"
#include "platform/blitter.h"
#include "shell/selection.h"

namespace {

class SelectionCarte : public SceneEcran {
  protected:
    // The box of the pixels the numbers changed; empty (x0 > x1) when none.
    struct Boite {
        int x0 = 640, y0 = 480, x1 = -1, y1 = -1;
    };
    Boite Dessin() {
        std::fill(ecran.begin(), ecran.end(), FOND);
        GroupesSelection__AffichageMiniCarte();
        Boite b;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                if (ecran[static_cast<size_t>(y * 640 + x)] != FOND) {
                    b.x0 = std::min(b.x0, x);
                    b.x1 = std::max(b.x1, x);
                    b.y0 = std::min(b.y0, y);
                    b.y1 = std::max(b.y1, y);
                }
        return b;
    }
};

TEST_F(SelectionCarte, LeNumeroSuitLePremierMembreEtDisparaitAvecLeGroupe) {
    ASSERT_TRUE(Demarrer()) << Rapport();
    ASSERT_EQ(EcranDestination.clipDroite, 624);
    EXPECT_GT(Dessin().x0, Dessin().x1);   // nothing stored: nothing drawn

    const int nous = GroupesDe(20)[0];
    const Objet& premier = TableObjets[TableGroupes[nous].membres[0]];
    Groupe__Selection(nous);
    GroupesSelection__Memoriser(7);
    // The digit stands at the map cell's point of the 96-pixel minimap in the view's corner.
    const int x = 624 + premier.x * 96 / 128 - 115, y = 480 + premier.y * 96 / 128 - 115;
    const Boite b = Dessin();
    ASSERT_LE(b.x0, b.x1) << "no number drawn";
    EXPECT_LE(b.x1, x + 24);
    EXPECT_GE(b.x0, x - 24);
    EXPECT_GE(b.y0, y - 24);
    EXPECT_LE(b.y1, y + 24);

    // Its only member gone, selection group 7 is empty and its number no longer drawn.
    GroupesSelection__Retirer(nous);
    EXPECT_EQ(TailleGroupesSelection[7], 0);
    EXPECT_GT(Dessin().x0, Dessin().x1);
}

}  // namespace
