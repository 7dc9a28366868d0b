// The sample battle played through the window as the player plays it, the interface drawn by the
// game frame: a box around the foot soldiers, a move order, Control + 1, an attack onto the enemy,
// a click on the minimap and Alt + 1. With MORVANE_CAPTURES set to a folder, a frame of each step
// is written there as a PNG.
#include "interface_fixture.h"
#include "platform/plateforme.h"
#include "platform/temps.h"
#include "scene/carte_reduite.h"
#include "scene/panneau.h"
#include "scene/survol.h"
#include "shell/routeur.h"
#include "shell/saisie.h"
#include "shell/selection.h"
#include "shell/trame.h"

namespace {

class PartieInterface : public Interface, protected EntreesInjectees {
  protected:
    uint64_t imagesChargement = 0;   // frames presented by the scene start
    void SetUp() override {
        Interface::SetUp();
        if (HasFatalFailure()) return;
        Temps_Fixer(1000000);
        RoutageOn = 0;
        const uint64_t avant = Affichage_NombrePresentations();
        Scene__Demarrage();
        imagesChargement = Affichage_NombrePresentations() - avant;
        ASSERT_FALSE(arbre.Existe("Erreur.txt")) << Rapport();
        CarteReduiteVisible = 1;
    }
    int32_t Appel(uint32_t ms = PERIODE_TRAME) {
        Temps_Avancer(ms);
        return TrameJeu();
    }
    void Appels(int n) {
        for (int i = 0; i < n; ++i) Appel();
    }
    // The mouse over map cell (x, y) of the view.
    static void SourisCase(int x, int y) { Souris((x - RepereX) * 24 + 6, (y - RepereY) * 24 + 6); }
    static void Touche(uint32_t vk, bool enfonce) { ToucheTenue(vk, enfonce); }
    void Chiffre(uint32_t modificateur, char chiffre) { ChiffreAvec(modificateur, chiffre, [this] { Appel(); }); }
    std::vector<int> Selection() const {
        return std::vector<int>(GroupesSelectionnes.begin(), GroupesSelectionnes.begin() + NombreGroupesSelectionnes);
    }
    static double Distance(const Objet& a, const Objet& b) { return std::hypot(a.x - b.x, a.y - b.y); }
};

// The scene start shows a busy frame between its loading steps, and the arrow once loaded.
TEST_F(PartieInterface, SceneStartShowsBusyFramesThenTheArrow) {
    EXPECT_GE(imagesChargement, 4u);
    EXPECT_EQ(CurseurAttenteImage, -1);
    const std::vector<uint16_t> image = [] {
        int l = 0, h = 0;
        return Affichage_DerniereImage(&l, &h);
    }();
    ASSERT_EQ(image.size(), 640u * 480u);
    int allumes = 0;
    for (uint16_t p : image) allumes += p != 0;
    EXPECT_GT(allumes, 20) << "the beads";
    EXPECT_LT(allumes, 2000) << "on a black screen";
}

TEST_F(PartieInterface, BoxOrdersStoreMinimapAndRecall) {
    const int nous = GroupesArmee(0).at(0), archers = GroupesArmee(1).at(0);
    RepereX = 40;
    RepereY = 40;
    Appel();

    // The box, drawn while the button is held, then the selection.
    SourisCase(44, 44);
    Bouton(true, true);
    Appel();
    SourisCase(62, 58);
    Appel();
    EXPECT_EQ(DemandeSelection, 1);
    Capturer("partie_1_cadre");
    Bouton(true, false);
    Appel();
    ASSERT_EQ(Selection(), std::vector<int>{nous});
    Appel();
    Capturer("partie_2_selection");
    // The soldiers' portrait along the top.
    EXPECT_NE(Pixel(8 + 35, 2), Pixel(8 + 35, 60));

    // A move to an empty point (the frame takes the cursor's cell on its next pass).
    SourisCase(58, 44);
    Appel();
    Bouton(false, true);
    Appel();
    Bouton(false, false);
    Appel();
    EXPECT_EQ(TableGroupes[static_cast<size_t>(nous)].destinationOrdreX, 58);
    Appels(40);
    Capturer("partie_3_deplacement");

    // Stored as group 1; then onto the archers.
    Chiffre(TOUCHE_CTRL, '1');
    const Objet& cible = Premier(archers);
    RepereX = std::min(cible.x - 14, 100) & ~1;
    SourisCase(cible.x, cible.y);
    Appel();
    Bouton(false, true);
    Appel();
    Bouton(false, false);
    Appel();
    EXPECT_EQ(TableGroupes[static_cast<size_t>(nous)].ordreAttaque, 1);
    const double loin = Distance(Premier(nous), cible);
    Appels(90);
    EXPECT_LT(Distance(Premier(nous), Premier(archers)), loin);
    RepereX = (Premier(nous).x - 10) & ~1;
    RepereY = (Premier(nous).y - 10) & ~1;
    Appels(9);   // the minimap's overlay follows within 500 ms
    Capturer("partie_4_combat");
    CapturerLoupe("partie_4_carte", 504, 360);

    // A click on the minimap's top-left quarter moves the view there.
    Souris(509 + 20, 365 + 20);
    Appel();
    Bouton(true, true);
    Appel();
    Bouton(true, false);
    Appel();
    EXPECT_LT(RepereX, 30);
    EXPECT_LT(RepereY, 30);
    Souris(300, 200);
    Appels(9);
    Capturer("partie_5_minicarte");

    // Alt + 1 brings the soldiers back under command and the view onto them.
    Touche(TOUCHE_ECHAP, true);
    Touche(TOUCHE_ECHAP, false);
    Appel();
    Chiffre(TOUCHE_ALT, '1');
    EXPECT_EQ(Selection(), std::vector<int>{nous});
    Appels(9);
    Capturer("partie_6_rappel");
}

}  // namespace
