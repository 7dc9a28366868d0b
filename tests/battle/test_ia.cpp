#include <gtest/gtest.h>

#include <vector>

#include "battle/cibles.h"
#include "battle/deplacement.h"
#include "battle/ia.h"
#include "battle/simulation.h"
#include "battle/trajet.h"
#include "combat_fixture.h"
#include "shell/routeur.h"

namespace {

class IA : public CombatEssai {
  protected:
    void SetUp() override {
        CombatEssai::SetUp();
        sauve = ListeGroupesActifs;
        ListeGroupesActifs = nullptr;
        Liste__Creation1(&ListeGroupesActifs, 1);
        triche = TricheIAJoueur;
        TricheIAJoueur = 0;
    }
    void TearDown() override {
        Liste__Liberer(&ListeGroupesActifs);
        ListeGroupesActifs = sauve;
        TricheIAJoueur = triche;
        for (auto& g : TableGroupes) g.tampon = nullptr;
        CombatEssai::TearDown();
    }
    // A managed group of n soldiers in a row from (x, y), added at the head of the active list.
    Groupe& Armee(int g, int armee, int x, int y, int n, int pv = 30) {
        std::vector<int> m;
        for (int i = 0; i < n; ++i) m.push_back(premier + i);
        Groupe& gr = GroupeAvec(g, m, 1);
        for (int i = 0; i < n; ++i) Soldat(premier + i, x + i, y, armee, g).pointsDeVie = pv;
        premier += n;
        gr.geree = 1;
        gr.placee = 1;
        gr.modeFormationMaitre = 1;
        gr.groupeCibleIAPropose = gr.groupeCibleIAPrecedent = -1;
        gr.butX = x;
        gr.butY = y;
        gr.force = n * pv / 3;
        gr.tampon = tampons[g % 8];
        gr.noeudListe = Liste__Empiler(&ListeGroupesActifs, g);
        return gr;
    }
    NoeudEntier* sauve = nullptr;
    int32_t triche = 0;
    int premier = 1;
    PointTrajet tampons[8][POINTS_TRAJET_GROUPE]{};
};

TEST(IAFacteur, SelonLeRapportDesEffectifs) {
    struct Cas { int a, b, f; };
    for (const Cas c : {Cas{30, 10, 1}, Cas{20, 10, 2}, Cas{10, 10, 2}, Cas{5, 10, 3}, Cas{5, 0, 1}})
        EXPECT_EQ(FacteurEffectifIA(c.a, c.b), c.f) << c.a << "/" << c.b;
    EXPECT_EQ(IA__Distance(0, 0, 3, 4), 5);
    EXPECT_EQ(IA__Distance(0, 0, 1, 1), 1);
}

TEST_F(IA, AEgaliteLeDernierDeLaListeGagneEtLaForceEngageeSature) {
    Armee(1, 0, 40, 40, 3);
    Armee(2, 0, 40, 60, 3);
    Groupe& a = Armee(3, 1, 40, 50, 3);   // list order: 3, 2, 1
    for (int i = 7; i <= 9; ++i) TableObjets[i].degats = 20;
    IA__EvaluationCibles();
    EXPECT_EQ(a.groupeCibleIAPropose, 1);   // groups 2 and 1 score the same; 1 comes later
    EXPECT_EQ(TableGroupes[1].forceEngagee, 60);
    // A new attacker nearer group 1, evaluated first, matches it; group 3 then takes group 2.
    Groupe& b = Armee(4, 1, 40, 48, 3);
    for (int i = 10; i <= 12; ++i) TableObjets[i].degats = 20;
    TableGroupes[1].forceEngagee = TableGroupes[2].forceEngagee = 0;
    IA__EvaluationCibles();
    EXPECT_EQ(b.groupeCibleIAPropose, 1);
    EXPECT_EQ(a.groupeCibleIAPropose, 2);
}

TEST_F(IA, UnGrandGroupeAuReposLacheSaCibleEtNeLaReprendPas) {
    Armee(1, 0, 40, 52, 3);   // nearer
    Armee(2, 0, 40, 70, 3);
    Groupe& a = Armee(3, 1, 40, 50, 3);
    IA__EvaluationCibles();
    EXPECT_EQ(a.groupeCibleIAPropose, 1);
    TableGroupes[1].forceEngagee = 0;
    Objet& chef = TableObjets[a.membres[0]];
    a.groupeCibleIA = 1;
    chef.taille = 2;
    chef.compteurRepos = 5;
    IA__EvaluationCibles();
    EXPECT_EQ(a.groupeCibleIA, -1);
    EXPECT_EQ(a.groupeCibleIAPrecedent, 1);
    EXPECT_EQ(a.groupeCibleIAPropose, 2);
}

TEST_F(IA, LaMeleeAuSolNeChoisitPasUnVolant) {
    Groupe& v = Armee(1, 0, 40, 40, 2);
    for (int i = 0; i < v.nbMembres; ++i) TableObjets[v.membres[i]].couche = 2;
    Groupe& m = Armee(2, 1, 40, 50, 2);
    IA__EvaluationCibles();
    EXPECT_EQ(m.groupeCibleIAPropose, -1);
    TableObjets[m.membres[0]].classe = CLASSE_ARCHER;
    IA__EvaluationCibles();
    EXPECT_EQ(m.groupeCibleIAPropose, 1);
}

TEST_F(IA, LArmeeZeroEstEvalueeMaisNeRecoitPasDOrdre) {
    Groupe& h = Armee(4, 0, 40, 40, 2);
    Groupe& o = Armee(1, 1, 40, 50, 2);
    for (int i = 1; i <= 4; ++i) TableObjets[i].degats = 50;
    IA__EvaluationCibles();
    EXPECT_EQ(h.groupeCibleIAPropose, 1);
    EXPECT_EQ(o.groupeCibleIAPropose, 4);
    IA__Ordres(0);
    IA__Ordres(1);
    EXPECT_EQ(h.groupeCibleIA, -1);
    EXPECT_EQ(o.groupeCibleIA, 4);
    EXPECT_EQ(o.ordreAttaque, 1);
    // A group whose leader slot is broken is skipped, not read.
    o.membres[0] = NOMBRE_OBJETS + 5;
    o.groupeCibleIA = -1;
    IA__EvaluationCibles();
    IA__Ordres(1);
    EXPECT_EQ(o.groupeCibleIA, -1);
    o.membres[0] = 3;
}

TEST_F(IA, UnTourSurSixApresIAActive) {
    Armee(1, 0, 40, 40, 2);
    Armee(2, 1, 40, 50, 2);
    const int32_t scene = ModeSceneCourant;
    ModeSceneCourant = 2;
    SimulationCompteur = 0;
    SimulationInitialisee = 1;
    IACompteur = 0;
    IAActive = 0;
    int deplacements = 0;
    for (int i = 0; i < 12; ++i) {
        GroupesGeres = 0;
        Simulation__Tour();
        deplacements += GroupesGeres;
    }
    EXPECT_EQ(SimulationCompteur, 0);
    EXPECT_EQ(IACompteur, 0);
    EXPECT_EQ(deplacements, 12);
    IAActive = 1;
    deplacements = 0;
    for (int i = 0; i < 12; ++i) {
        GroupesGeres = 0;
        Simulation__Tour();
        deplacements += GroupesGeres;
    }
    EXPECT_EQ(SimulationCompteur, 12);
    EXPECT_EQ(IACompteur, 2);
    EXPECT_EQ(deplacements, 10);
    // On the region map nothing moves.
    ModeSceneCourant = 1;
    Simulation__Tour();
    EXPECT_EQ(SimulationCompteur, 12);
    ModeSceneCourant = scene;
    IAActive = 0;
    SimulationCompteur = 0;
    IACompteur = 0;
}

}  // namespace
