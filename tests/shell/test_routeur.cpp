// The router's codes and the dispatcher's idle turns: the first turn routes, scenes start and end
// through the teardown's next code, special missions and a finished campaign leave the loop
// with nothing left built, and the skirmish start runs its scene inside the router.
#include "partie_fixture.h"

#include <cstring>

#include "battle/ia.h"
#include "campaign/armee.h"
#include "campaign/campagne.h"
#include "frontend/escarmouche.h"
#include "scene/carte_reduite.h"
#include "shell/chefs.h"
#include "shell/victoire.h"
#include "world/experience.h"

namespace {

class Aiguillage : public Partie {
  protected:
    bool Demarre() override { return false; }
    void SetUp() override {
        Partie::SetUp();
        RoutageOn = 1;
        TricheIAJoueur = 1;
    }
    static bool SceneConstruite() { return ListeObjetsVivants != nullptr; }
};

TEST_F(Aiguillage, LesCodes) {
    struct Cas {
        int code, resultat;
    };
    for (Cas c : {Cas{2, 0}, Cas{4, 0}, Cas{5, 0}, Cas{6, 1}, Cas{7, 0}, Cas{8, 0}, Cas{9, 0}, Cas{0, 0}, Cas{11, 0},
                  Cas{-2, 0}}) {
        SCOPED_TRACE(c.code);
        MorvaneCode = c.code;
        ModeSceneCourant = 2;
        EXPECT_EQ(Morvane_Routeur(), static_cast<uint32_t>(c.resultat));
        EXPECT_EQ(ModeSceneCourant, 2);
        EXPECT_FALSE(SceneConstruite());
    }
    // A negative code is reported (the player chose to go on); the others are not.
    EXPECT_EQ(Rapport(), "Morvane_Routeur(): MorvaneCode == -2");
    CarteOperation(3);
    EXPECT_EQ(Rapport(), "CarteOperation(): PVue inconnu : 3");

    // 1: the scene and the game's state reset; a skirmish being set up keeps its scene mode.
    for (int escarmouche : {0, 1}) {
        SCOPED_TRACE(escarmouche);
        TableChefs[3].present = 1;
        AlliancesEnAttente[2] = 1;
        DefectionsEnAttente[4] = 0;
        CampagneCourante = 2;
        ModeSceneCourant = escarmouche ? 3 : 2;
        MorvaneCode = 1;
        EXPECT_EQ(Morvane_Routeur(), 0u);
        EXPECT_EQ(ModeSceneCourant, escarmouche ? 3 : 0);
        EXPECT_EQ(TableChefs[3].present, 0);
        EXPECT_EQ(TableChefs[3].maitre, 0);
        EXPECT_EQ(AlliancesEnAttente[2], -1);
        EXPECT_EQ(DefectionsEnAttente[4], -1);
        EXPECT_EQ(CampagneCourante, 0);
    }

    // 3: the battle's counters start from the current counts.
    NbUnitesAmies = 7;
    NbUnitesEnnemies = 9;
    OrJoueur = 1234;
    ExperienceBatailleJoueur = 50;
    MorvaneCode = 3;
    EXPECT_EQ(Morvane_Routeur(), 0u);
    EXPECT_EQ(TotalUnitesAmies, 7);
    EXPECT_EQ(NbUnitesAmiesPrecedent, 7);
    EXPECT_EQ(TotalUnitesEnnemies, 9);
    EXPECT_EQ(NbUnitesEnnemiesPrecedent, 9);
    EXPECT_EQ(OrDebutBataille, 1234);
    EXPECT_EQ(ExperienceBatailleJoueur, 0);
    EXPECT_EQ(DebutBataille, Temps_Ticks());
}

TEST_F(Aiguillage, LePremierTourRouteEtLeCode6RendLaMainSansScene) {
    MorvaneCode = 6;
    EtatBoucleJeu = 1;
    EXPECT_EQ(TrameAiguillage(), 1u);
    EXPECT_EQ(RoutageOn, 0);
    EXPECT_EQ(EtatBoucleJeu, 0);
    EXPECT_EQ(TricheIAJoueur, 0);
    EXPECT_FALSE(SceneConstruite());
}

// A battle: started on the first turn, framed on the next ones, ended by its end request; the
// teardown gives the next code.
TEST_F(Aiguillage, UneBatailleDuDebutALaFin) {
    struct Cas {
        int escarmouche, code, mode;
    };
    for (Cas c : {Cas{3, 6, 2}, Cas{0, 2, 1}}) {
        SCOPED_TRACE(c.code);
        ModeSceneCourant = 2;
        MorvaneCode = 3;
        RoutageOn = 1;
        BatailleDecidee = 1;
        MessageDebutScene = 1;
        Temps_Avancer(1000);
        EXPECT_EQ(TrameAiguillage(), 0u);
        ASSERT_TRUE(SceneConstruite()) << Rapport();
        EXPECT_EQ(BatailleDecidee, 0);   // a won skirmish does not stop the next battle's tests
        EXPECT_EQ(MessageDebutScene, 0);
        EXPECT_EQ(DebutScene, Temps_Ticks());

        // Turns while the scene asks for a choice run no frame.
        EtatBoucleJeu = 1;
        const uint32_t derniere = DerniereTrame;
        Temps_Avancer(PERIODE_TRAME);
        EXPECT_EQ(TrameAiguillage(), 0u);
        EXPECT_EQ(DerniereTrame, derniere);
        EtatBoucleJeu = 0;
        Temps_Avancer(PERIODE_TRAME);
        EXPECT_EQ(TrameAiguillage(), 0u);
        EXPECT_EQ(DerniereTrame, Temps_Ticks());
        EXPECT_EQ(MessageDebutScene, 1);

        EscarmoucheEnCours = c.escarmouche;
        SaisieValidee = 1;
        Temps_Avancer(PERIODE_TRAME);
        EXPECT_EQ(TrameAiguillage(), 0u);
        EXPECT_FALSE(SceneConstruite());
        EXPECT_EQ(RoutageOn, 1);
        EXPECT_EQ(MorvaneCode, c.code);
        EXPECT_EQ(ModeSceneCourant, c.mode);
        SaisieValidee = 0;
    }
    // Code 6 on the next turn leaves the loop.
    MorvaneCode = 6;
    EXPECT_EQ(TrameAiguillage(), 1u);
}

// A special mission ends with its first decided result, and a finished campaign leaves the loop:
// either way the scene is torn down before the loop is left.
TEST_F(Aiguillage, QuitterLaBoucleDefaitLaScene) {
    struct Cas {
        int mission, resultat, boucle;
    };
    for (Cas c : {Cas{1, 3, 0}, Cas{0, 3, 2}, Cas{1, -1, 0}}) {
        SCOPED_TRACE(c.boucle);
        ModeSceneCourant = 2;
        MorvaneCode = 3;
        RoutageOn = 1;
        ASSERT_EQ(TrameAiguillage(), 0u);
        ASSERT_TRUE(SceneConstruite());
        MissionSpecialeEnCours = c.mission;
        ResultatBatailleCourant = c.resultat;
        EtatBoucleJeu = c.boucle;
        Temps_Avancer(PERIODE_TRAME);
        const bool quitte = c.resultat != -1;
        EXPECT_EQ(TrameAiguillage(), quitte ? 1u : 0u);
        EXPECT_EQ(SceneConstruite(), !quitte);
        if (!quitte) Region__Quitte();
        MissionSpecialeEnCours = 0;
        EtatBoucleJeu = 0;
    }
}

TEST_F(Aiguillage, LEscarmoucheDemarreDansLeRouteur) {
    Ecran__Geometrie(640, 480);
    arbre.Ecrire("Skirmish/Escarmouche.VBat", arbre.Lire("niveau/essai.VBat"));
    auto preparer = [](int confirmee) {
        CarteEscarmouche = new char[32];
        std::strcpy(CarteEscarmouche, "..\\niveau\\essai.mv");
        EscarmoucheConfirmee = confirmee;
        EscarmoucheEnCours = confirmee ? 3 : -1;
        ModeSceneCourant = 3;
        MorvaneCode = 10;
        RoutageOn = 1;
    };

    // Left without confirming: back to the main menu, no scene.
    preparer(0);
    EXPECT_EQ(TrameAiguillage(), 1u);
    EXPECT_FALSE(SceneConstruite());
    EXPECT_EQ(ModeJeuCourant, -1);
    delete[] CarteEscarmouche;
    CarteEscarmouche = nullptr;

    preparer(1);
    EXPECT_EQ(TrameAiguillage(), 0u);
    ASSERT_TRUE(SceneConstruite()) << Rapport();
    EXPECT_EQ(ModeSceneCourant, 2);
    EXPECT_EQ(ModeJeuCourant, -1);   // the dispatcher starts no second scene
    EXPECT_EQ(MorvaneCode, 10);
    EXPECT_EQ(CarteReduiteX, 624 - 120);
    EXPECT_EQ(CarteReduiteY, 480 - 120);
    EXPECT_EQ(TotalUnitesAmies, NbUnitesAmies);
    EXPECT_GT(NbUnitesAmies, 0);
    // The view opens on the player's army: the middle of its units is in the view's middle part.
    int sx = 0, sy = 0, n = 0;
    for (NoeudEntier* l = ListeObjetsVivants; l && l->suivant; l = l->suivant) {
        const Objet& o = TableObjets[static_cast<size_t>(l->valeur)];
        if (o.armee != 0 || !o.selectionnable) continue;
        sx += o.x;
        sy += o.y;
        ++n;
    }
    ASSERT_GT(n, 0);
    EXPECT_GE(sx / n, RepereX + 4);
    EXPECT_LT(sx / n, RepereX + CasesVisiblesX - 4);
    EXPECT_GE(sy / n, RepereY + 4);
    EXPECT_LT(sy / n, RepereY + CasesVisiblesY - 4);

    // The battle runs; its end leads back to the main menu.
    Temps_Avancer(PERIODE_TRAME);
    EXPECT_EQ(TrameAiguillage(), 0u);
    SaisieValidee = 1;
    Temps_Avancer(PERIODE_TRAME);
    EXPECT_EQ(TrameAiguillage(), 0u);
    EXPECT_FALSE(SceneConstruite());
    EXPECT_EQ(MorvaneCode, 6);
    EXPECT_EQ(TrameAiguillage(), 1u);
}

}  // namespace
