// The battle interface over the sample battle played by the game frame: the selection's portraits
// and ability bar, the hovered enemy in the lower panel, the minimap with the view box, the
// selection box and the cursor. With MORVANE_CAPTURES set to a folder, each frame is also
// written there as a PNG.
#include "interface_fixture.h"
#include "battle/ordres.h"
#include "platform/temps.h"
#include "scene/carte_reduite.h"
#include "scene/panneau.h"
#include "scene/survol.h"
#include "shell/routeur.h"
#include "shell/saisie.h"
#include "shell/trame.h"
#include "world/maitres.h"

namespace {

class VitrineInterface : public Interface {
  protected:
    int soldats = 0, mages = 0, ennemis = 0;
    void SetUp() override {
        Interface::SetUp();
        if (HasFatalFailure()) return;
        Temps_Fixer(1000000);
        RoutageOn = 0;
        Scene__Demarrage();
        ASSERT_FALSE(arbre.Existe("Erreur.txt")) << Rapport();
        ASSERT_NE(CarteReduiteImage, nullptr);
        CarteReduiteVisible = 1;
        soldats = GroupesArmee(0).at(0);
        ennemis = GroupesArmee(1).at(0);
        mages = Groupe___Creation(17, 0, 56, 44, 2, 2, 4);   // four of the sample mages beside the soldiers
        ASSERT_GT(mages, 0);
        Groupe__DeselectionTout();
        Groupe__Selection(soldats);
        Groupe__Selection(mages);
        // At their first level the mages may cast only their first spell: give them the whole
        // list of their master, as later levels would.
        for (int m = 0; m < TableGroupes[static_cast<size_t>(mages)].nbMembres; ++m) {
            Objet& o = TableObjets[static_cast<size_t>(TableGroupes[static_cast<size_t>(mages)].membres[m])];
            std::copy(std::begin(TableMaitres[17].sorts), std::end(TableMaitres[17].sorts), std::begin(o.sorts));
        }
        RepereX = 46;
        RepereY = 38;
    }
    int32_t Appel(uint32_t ms = PERIODE_TRAME) {
        Temps_Avancer(ms);
        return TrameJeu();
    }
    // The mouse over the first member of a group.
    void SourisSur(int g) {
        const Objet& o = Premier(g);
        SourisX = (o.x - RepereX) * 24 + 12;
        SourisY = (o.y - RepereY) * 24 + 12;
    }
    static int NonNoirs(int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += Pixel(x, y) != 0;
        return n;
    }
};

TEST_F(VitrineInterface, SelectionHoverMinimapAndBox) {
    // The selection walks east; the enemy comes within the view.
    Groupe__OrdreDeplacement(soldats, 58, 50);
    Groupe__OrdreDeplacement(ennemis, 62, 50);
    for (int i = 0; i < 110; ++i) Appel();
    SourisSur(ennemis);
    CapaciteSurvolee = 0;
    Appel();
    Appel();
    EXPECT_EQ(SourisSurvolUnite != 0 ? TableObjets[static_cast<size_t>(SourisSurvolUnite)].armee : -1, 1) << "the enemy is under the mouse";
    Capturer("interface_bataille");
    CapturerLoupe("interface_carte", 504, 360);
    // Two portraits along the top, the hovered enemy's below them, the bar over the panel.
    EXPECT_GT(NonNoirs(8, 0, 148, 44), 5000);
    EXPECT_EQ(CapacitesNombre, 5);
    EXPECT_EQ(Survol__Objet(), SourisSurvolUnite);
    // The minimap: the view box in white on its overlay.
    EXPECT_EQ(CarteReduiteCadreX, 46 * 3 / 4);
    EXPECT_EQ(Pixel(509 + CarteReduiteCadreX, 365 + CarteReduiteCadreY + 5) & 0x7FFF, 0x7FFF);

    // A box dragged from the top-left of the view to the mouse.
    DemandeSelection = 1;
    CadreDebutX = RepereX + 3;
    CadreDebutY = RepereY + 2;
    SourisX = 400;
    SourisY = 300;
    Appel();
    Capturer("interface_cadre");
    DemandeSelection = 0;

    // The scene starting again: the busy frame.
    CurseurAttenteImage = 10;
    SourisX = 300;
    SourisY = 220;
    Curseur__Affichage();
    CurseurAttenteImage = -1;
    Capturer("interface_attente");
    EXPECT_EQ(NonNoirs(0, 0, 640, 200), 0);
}

}  // namespace
