// The results screen as drawn with the sample pictures: every figure it writes stays inside its
// panel, and the gold and experience figures, which have no caption of their own, are labelled.
#include "../scene/interface_fixture.h"

#include <string>

#include "campaign/armee.h"
#include "frontend/escarmouche.h"
#include "platform/temps.h"
#include "shell/resultats.h"
#include "shell/routeur.h"
#include "shell/scenario.h"
#include "shell/victoire.h"
#include "world/experience.h"

namespace {

class EcranResultats : public Interface {
  protected:
    void AvantChargement() override {
        // Each showing of the screen is drawn from the pointer's move on, and ends on the Escape.
        std::string script;
        for (int i = 0; i < 4; ++i) script += std::to_string(500 + 1000 * i) + " move 300 300\n" + std::to_string(1000 + 1000 * i) + " key ESCAPE\n";
        arbre.Ecrire("script.txt", script);
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

// The title says how the battle ended: a battle decided by the victory test shows its result on
// the screen the test opens, and a victory, a defeat and an undecided result read differently.
TEST_F(EcranResultats, LeTitreDitLaVictoireOuLaDefaite) {
    EXPECT_STREQ(Bilan__Issue(1), "Victoire");
    EXPECT_STREQ(Bilan__Issue(0), "D\xe9" "faite");
    EXPECT_STREQ(Bilan__Issue(-1), "");
    // The title's band, clear of the gauges.
    auto titre = [] {
        std::vector<uint16_t> t;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 640; ++x) t.push_back(Pixel(x, y));
        return t;
    };
    ModeSceneCourant = 2;
    EscarmoucheEnCours = 3;
    CampEscarmoucheJoueur = -1;
    Conditions_Initialisation();
    ConditionBataille& c = TableVictoire[0];
    std::fill(&c.actif, &c.actif + sizeof(ConditionBataille) / sizeof(int32_t), -1);
    c.actif = 1;
    c.type = 0;   // no enemy left
    NbConditionsVictoire = 1;
    NbConditionsDefaite = 0;
    NbUnitesAmies = 5;
    NbUnitesEnnemies = 0;
    VerificationArmee = 1;
    ResultatBatailleCourant = -1;
    ASSERT_EQ(Conditions_Verification(), 1);
    const std::vector<uint16_t> decidee = titre();
    Capturer("resultats_victoire");

    std::vector<std::vector<uint16_t>> titres;
    for (const int32_t resultat : {1, 0, -1}) {
        ResultatBatailleCourant = resultat;
        BilanBataille();
        titres.push_back(titre());
    }
    EXPECT_EQ(decidee, titres[0]) << "the screen opened by a victory is not titled as one";
    EXPECT_NE(titres[0], titres[1]);
    EXPECT_NE(titres[0], titres[2]);
    EXPECT_NE(titres[1], titres[2]);
}

}  // namespace
