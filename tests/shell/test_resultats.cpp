// The results screen as drawn with the sample pictures: every figure it writes stays inside its
// panel, and the gold and experience figures, which have no caption of their own, are labelled.
#include "../scene/interface_fixture.h"

#include "campaign/armee.h"
#include "platform/temps.h"
#include "shell/resultats.h"
#include "world/experience.h"

namespace {

class EcranResultats : public Interface {
  protected:
    void AvantChargement() override {
        // Each showing of the screen is drawn from the pointer's move on, and ends on the Escape.
        arbre.Ecrire("script.txt", "500 move 300 300\n1000 key ESCAPE\n1500 move 300 300\n2000 key ESCAPE\n");
        OptionsPlateforme options;
        options.script = (arbre.Racine() / "script.txt").string();
        options.dossierCapture = arbre.Racine().string();
        ASSERT_TRUE(Plateforme_Initialiser(options));
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        Interface::AvantChargement();
    }
};

TEST_F(EcranResultats, FiguresStayInsideThePanelAndGoldAndExperienceAreLabelled) {
    ASSERT_LT(Temps_Ticks(), 500u);
    OrDebutBataille = 0;
    OrJoueur = 200;
    ExperienceBatailleJoueur = 1564;
    BilanBataille();
    const std::vector<uint16_t> avant = Copie();
    Capturer("resultats");
    OrJoueur = 88888;
    ExperienceBatailleJoueur = 99999;
    BilanBataille();

    // The pixels that changed are the two figures' digits. The panel (620 x 460, centred) has a
    // frame 6 pixels wide: its inside is x 16..623, y 16..463.
    int changes = 0, bas = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            if (Pixel(x, y) == avant[static_cast<size_t>(y) * 640 + static_cast<size_t>(x)]) continue;
            ++changes;
            bas = std::max(bas, y);
            EXPECT_TRUE(x >= 16 && x <= 623 && y >= 16 && y <= 463) << "a figure on the frame at " << x << "," << y;
        }
    ASSERT_GT(changes, 0);

    // Left of each figure, on its rows, a caption: light pixels on the dark panel.
    for (const int ligne : {416, 441}) {
        int clairs = 0;
        for (int y = ligne; y < ligne + 20; ++y)
            for (int x = 20; x < 90; ++x) clairs += (Pixel(x, y) >> 10 & 31) >= 20;
        EXPECT_GT(clairs, 20) << "no caption left of the figure at y " << ligne;
    }
    EXPECT_LE(bas, 463);
}

}  // namespace
