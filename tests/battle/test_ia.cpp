#include <gtest/gtest.h>

#include <algorithm>
#include <string>
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
        gr.force = static_cast<int32_t>(int64_t{n} * pv / 3);
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

TEST_F(IA, DesPointsDeVieEnormesNeFontPasUneMeilleureCible) {
    // Against a group of three soldiers of 1 hit point, two near groups with hit points past what
    // a score can hold: one soldier of 2e9 (its score would pass INT32_MAX) and three of 1.5e9
    // (their sum passes it too). They score the worst, and the far group of ordinary soldiers is
    // chosen; with them alone nothing is.
    Armee(1, 0, 40, 52, 1, 2'000'000'000);
    Armee(2, 0, 40, 54, 3, 1'500'000'000);
    Groupe& a = Armee(3, 1, 40, 50, 3, 1);
    IA__EvaluationCibles();
    EXPECT_EQ(a.groupeCibleIAPropose, -1);
    Armee(4, 0, 40, 90, 3);
    IA__EvaluationCibles();
    EXPECT_EQ(a.groupeCibleIAPropose, 4);
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

// The division by a multiply against the plain one, round the divisors' multiples and at the ends
// of the range, where a rounding of its factor would first show.
TEST(IADiviseur, CommeLaDivision) {
    std::vector<uint32_t> diviseurs = {1, 2, 3, 5, 7, 30, 60, 100, 641, 65535, 65536, 65537, 6700417,
                                       0x7FFFFFFFu, 0x80000000u, 0x80000001u, 0xFFFFFFFEu, 0xFFFFFFFFu};
    for (uint32_t b = 1; b < 32; ++b) diviseurs.push_back((1u << b) - 1), diviseurs.push_back((1u << b) + 1);
    for (const uint32_t d : diviseurs) {
        const Diviseur div(d);
        std::vector<uint32_t> nombres = {0, 1, 2, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFEu, 0xFFFFFFFFu};
        for (const uint64_t k : {1ull, 2ull, 3ull, 1000ull, 0xFFFFFFFFull / d - 1, 0xFFFFFFFFull / d})
            for (const int64_t e : {-1, 0, 1}) {
                const uint64_t n = k * d + static_cast<uint64_t>(e);
                if (n <= 0xFFFFFFFFull) nombres.push_back(static_cast<uint32_t>(n));
            }
        for (const uint32_t n : nombres) ASSERT_EQ(div(n), n / d) << n << " / " << d;
    }
}

// Every group's choice by the plain scan of all pairs (same score and tie rule), and the engaged
// strengths it leaves, read from the tables without changing them.
struct ChoixDesPaires {
    std::vector<int32_t> propose, engagee;
};
ChoixDesPaires ParToutesLesPaires() {
    ChoixDesPaires r{std::vector<int32_t>(NOMBRE_GROUPES), std::vector<int32_t>(NOMBRE_GROUPES)};
    std::vector<int> ordre;
    std::vector<int32_t> pv(NOMBRE_GROUPES), precedent(NOMBRE_GROUPES);
    for (int g = 0; g < NOMBRE_GROUPES; ++g) {
        r.propose[g] = TableGroupes[g].groupeCibleIAPropose;
        r.engagee[g] = TableGroupes[g].forceEngagee;
        precedent[g] = TableGroupes[g].groupeCibleIAPrecedent;
    }
    for (const NoeudEntier* n = ListeGroupesActifs; n && n->suivant; n = n->suivant) {
        ordre.push_back(n->valeur);
        const Groupe& g = TableGroupes[n->valeur];
        pv[n->valeur] = 0;
        for (int i = 0; i < g.nbMembres; ++i) pv[n->valeur] += TableObjets[g.membres[i]].pointsDeVie;
    }
    auto chef = [](int g) -> const Objet& { return TableObjets[TableGroupes[g].membres[0]]; };
    auto mode = [](int g) { const int m = TableGroupes[g].modeFormation; return m >= 1 && m <= 5 ? m : 1; };
    std::vector<int> candidats;
    for (const int g : ordre)
        if (TableGroupes[g].geree && chef(g).actif == 1) candidats.push_back(g);
    for (const int gi : ordre) {
        const Groupe& g = TableGroupes[gi];
        const Objet& cg = chef(gi);
        if (cg.taille > 1 && g.groupeCibleIA != -1 && cg.compteurRepos > 4) precedent[gi] = g.groupeCibleIA;
        if (!g.geree) continue;
        const int hpG = pv[gi] != 0 ? pv[gi] : 1;
        const bool partout = cg.classe == CLASSE_ARCHER || cg.couche == 2 || cg.sorts[0] != -1;
        int meilleur = 9999999, choix = -1;
        for (const int oi : candidats) {
            const Groupe& o = TableGroupes[oi];
            const Objet& co = chef(oi);
            if (TableCiblage[cg.armee][co.armee] == 0 || (!partout && co.couche != cg.couche)) continue;
            if (r.engagee[oi] >= o.force || oi == precedent[gi]) continue;
            const int hpO = pv[oi] != 0 ? pv[oi] : 1;
            const int score = static_cast<int>(TableFormationIA[mode(oi) - 1][mode(gi) - 1]) *
                              FacteurEffectifIA(g.nbMembres, o.nbMembres) * (hpO / hpG + 1) *
                              IA__Distance(o.butX, o.butY, g.butX, g.butY);
            if (score <= meilleur) meilleur = score, choix = oi;
        }
        if (choix != -1) {
            r.engagee[choix] += g.nbMembres * cg.degats;
            r.propose[gi] = choix;
        }
    }
    return r;
}

// Random armies, hostilities, goals (a few off the map), modes, sizes, hit points, strengths and
// engagements, a flyer or an archer now and then: the search by squares of the map gives every
// group the choice of the scan of all pairs, as do the other searches (a group with huge hit
// points, one with none, a group listed twice).
TEST_F(IA, LaRechercheParCarresChoisitCommeLeBalayageDeToutesLesPaires) {
    uint32_t graine = 2024;
    auto Hasard = [&](int n) {
        graine = graine * 1103515245u + 12345u;
        return static_cast<int>((graine >> 16) % static_cast<uint32_t>(n));
    };
    for (int tour = 0; tour < 40; ++tour) {
        Liste__Liberer(&ListeGroupesActifs);
        Liste__Creation1(&ListeGroupesActifs, 1);
        premier = 1;
        const int armees = 2 + Hasard(3);
        for (int a = 0; a < 6; ++a)
            for (int b = 0; b < 6; ++b) TableCiblage[a][b] = a != b && Hasard(5) != 0;
        const int groupes = 50 + Hasard(350);
        // The armies gather round a few points, so that near targets fill up.
        const int cx = 10 + Hasard(108), cy = 10 + Hasard(108);
        for (int gi = 1; gi <= groupes; ++gi) {
            const int n = 1 + Hasard(3);
            const int x = std::clamp(cx + Hasard(61) - 30, 0, 124), y = std::clamp(cy + Hasard(61) - 30, 0, 127);
            Groupe& g = Armee(gi, Hasard(armees), x, y, n, 1 + Hasard(120));
            for (int i = 0; i < n; ++i) TableObjets[g.membres[i]].degats = Hasard(4) == 0 ? -3 : 1 + Hasard(20);
            Objet& chef = TableObjets[g.membres[0]];
            if (Hasard(10) == 0) chef.couche = 2;
            if (Hasard(10) == 0) chef.classe = CLASSE_ARCHER;
            if (Hasard(8) == 0) chef.actif = 0;
            if (Hasard(12) == 0) g.geree = 0;
            g.modeFormation = Hasard(7);
            g.force = Hasard(60);
            g.forceEngagee = Hasard(3) == 0 ? Hasard(60) : 0;
            if (Hasard(15) == 0 && tour % 4 != 1) g.butX = Hasard(2) ? -1 - Hasard(50) : 128 + Hasard(50);
            if (Hasard(10) == 0) g.groupeCibleIAPrecedent = 1 + Hasard(groupes);
            if (Hasard(10) == 0) chef.taille = 2, chef.compteurRepos = 5, g.groupeCibleIA = 1 + Hasard(groupes);
        }
        Groupe& un = TableGroupes[1 + Hasard(groupes)];
        // Enough hit points that a score might pass an int, though none does here (no goal off the map).
        if (tour % 4 == 1) TableObjets[un.membres[0]].pointsDeVie = 300000;
        if (tour % 4 == 2) for (int i = 0; i < un.nbMembres; ++i) TableObjets[un.membres[i]].pointsDeVie = -1;
        if (tour % 4 == 3) Liste__Empiler(&ListeGroupesActifs, un.indice);
        const ChoixDesPaires attendu = ParToutesLesPaires();
        IA__EvaluationCibles();
        for (int gi = 1; gi <= groupes; ++gi) {
            ASSERT_EQ(TableGroupes[gi].groupeCibleIAPropose, attendu.propose[gi]) << "tour " << tour << " groupe " << gi;
            ASSERT_EQ(TableGroupes[gi].forceEngagee, attendu.engagee[gi]) << "tour " << tour << " groupe " << gi;
        }
    }
}

// Two armies far apart, as at a battle's start: every attacker fills its target, so that the later
// groups in the list search further and further, past rows and squares that empty as the scan goes
// on, with soldiers, archers and wounded of both sizes (each square's and each army's bound follow
// the engagements); some attackers with negative damage open their targets again.
TEST_F(IA, DesArmeesEloigneesChoisissentCommeLeBalayageDeToutesLesPaires) {
    uint32_t graine = 77;
    auto Hasard = [&](int n) {
        graine = graine * 1103515245u + 12345u;
        return static_cast<int>((graine >> 16) % static_cast<uint32_t>(n));
    };
    for (int a = 0; a < 6; ++a)
        for (int b = 0; b < 6; ++b) TableCiblage[a][b] = a != b;
    for (int monde = 0; monde < 16; ++monde) {
        SCOPED_TRACE("monde " + std::to_string(monde));
        Liste__Liberer(&ListeGroupesActifs);
        Liste__Creation1(&ListeGroupesActifs, 1);
        premier = 1;
        const int groupes = 150 + Hasard(350);
        for (int gi = 1; gi <= groupes && premier + 4 < NOMBRE_OBJETS; ++gi) {
            const int armee = gi % 2, n = Hasard(4) == 0 ? 4 : 1;
            const int x = armee == 0 ? Hasard(40) : 84 + Hasard(41), y = Hasard(128);
            const int pv = Hasard(3) == 0 ? 1 + Hasard(100) : Hasard(3) == 0 ? 60 : 100;
            Groupe& g = Armee(gi, armee, x, y, n, pv);
            g.modeFormation = n == 4 && Hasard(4) != 0 ? 4 : 1;
            g.tampon = nullptr;
            for (int i = 0; i < n; ++i) TableObjets[g.membres[i]].degats = monde % 4 == 3 && Hasard(6) == 0 ? -20 : 40;
            if (Hasard(12) == 0) TableObjets[g.membres[0]].classe = CLASSE_ARCHER;
        }
        const ChoixDesPaires attendu = ParToutesLesPaires();
        IA__EvaluationCibles();
        for (int gi = 1; gi <= groupes; ++gi) {
            ASSERT_EQ(TableGroupes[gi].groupeCibleIAPropose, attendu.propose[gi]) << "groupe " << gi;
            ASSERT_EQ(TableGroupes[gi].forceEngagee, attendu.engagee[gi]) << "groupe " << gi;
        }
        for (int gi = 1; gi <= groupes; ++gi) TableGroupes[gi].noeudListe = nullptr;
    }
    // Small worlds of like groups, where scores tie often: a candidate on the edge of what a
    // row or square allows still wins its ties.
    for (int monde = 0; monde < 3000; ++monde) {
        SCOPED_TRACE("petit monde " + std::to_string(monde));
        Liste__Liberer(&ListeGroupesActifs);
        Liste__Creation1(&ListeGroupesActifs, 1);
        premier = 1;
        const int groupes = 3 + Hasard(6), x0 = Hasard(100), y0 = Hasard(100);
        for (int gi = 1; gi <= groupes; ++gi) {
            Groupe& g = Armee(gi, gi == 1 ? 0 : 1, x0 + Hasard(24), y0 + Hasard(24), 1, 30);
            g.tampon = nullptr;
            TableObjets[g.membres[0]].degats = 40;
        }
        const ChoixDesPaires attendu = ParToutesLesPaires();
        IA__EvaluationCibles();
        ASSERT_EQ(TableGroupes[1].groupeCibleIAPropose, attendu.propose[1]);
        for (int gi = 1; gi <= groupes; ++gi) TableGroupes[gi].noeudListe = nullptr;
    }
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

// The choice made with the candidates searched by square and bounded is the one the plain scan of
// every pair makes, in list order: the best score, the later candidate on a tie, each choice adding
// to its target's engaged force before the next group chooses. Random worlds of a few hundred
// groups: goals on and off the map, wounded and untouched groups, every formation mode, flyers,
// archers, big groups at rest, former targets, three armies of which two are allies.
TEST_F(IA, DesMondesAuHasardChoisissentCommeLeBalayageDeToutesLesPaires) {
    uint32_t graine = 4242;
    auto Hasard = [&](int n) {
        graine = graine * 1103515245u + 12345u;
        return static_cast<int>((graine >> 16) % static_cast<uint32_t>(n));
    };
    for (int a = 0; a < 6; ++a)
        for (int b = 0; b < 6; ++b) TableCiblage[a][b] = a != b && !(a == 0 && b == 2) && !(a == 2 && b == 0);
    struct Choix {
        int propose, cible, precedent, engagee;
    };
    for (int monde = 0; monde < 12; ++monde) {
        SCOPED_TRACE("monde " + std::to_string(monde));
        Liste__Liberer(&ListeGroupesActifs);
        Liste__Creation1(&ListeGroupesActifs, 1);
        premier = 1;
        const int groupes = 100 + Hasard(300);
        std::vector<int> indices;
        for (int g = 1; g <= groupes && premier + 4 < NOMBRE_OBJETS; ++g) {
            const int n = 1 + Hasard(4);
            Groupe& gr = Armee(g, Hasard(3), Hasard(124), Hasard(128), n, Hasard(8) == 0 ? 1 : 1 + Hasard(60));
            gr.tampon = nullptr;
            gr.butX = Hasard(10) == 0 ? -1 - Hasard(5) : Hasard(20) == 0 ? 128 + Hasard(5) : Hasard(128);
            gr.butY = Hasard(128);
            gr.modeFormation = 1 + Hasard(5);
            gr.geree = Hasard(10) != 0;
            gr.force = Hasard(80);
            gr.forceEngagee = Hasard(40);
            gr.groupeCibleIA = Hasard(3) == 0 ? 1 + Hasard(groupes) : -1;
            gr.groupeCibleIAPrecedent = Hasard(6) == 0 ? 1 + Hasard(groupes) : -1;
            gr.groupeCibleIAPropose = -1;
            for (int i = 0; i < n; ++i) {
                Objet& o = TableObjets[gr.membres[i]];
                o.degats = Hasard(20);
                o.couche = Hasard(6) == 0 ? 2 : 1;
                o.classe = Hasard(5) == 0 ? CLASSE_ARCHER : 0;
                o.taille = Hasard(5) == 0 ? 2 : 1;
                o.compteurRepos = Hasard(8);
                o.actif = Hasard(15) == 0 ? 0 : 1;
            }
            indices.push_back(g);
        }
        // The plain scan on a copy of what the choice changes.
        std::vector<Choix> attendu(NOMBRE_GROUPES);
        for (int g : indices) {
            const Groupe& gr = TableGroupes[g];
            attendu[g] = {gr.groupeCibleIAPropose, gr.groupeCibleIA, gr.groupeCibleIAPrecedent, gr.forceEngagee};
        }
        std::vector<int> ordre;
        for (const NoeudEntier* n = ListeGroupesActifs; n && n->suivant; n = n->suivant) ordre.push_back(n->valeur);
        auto pv = [](const Groupe& gr) {
            int s = 0;
            for (int i = 0; i < gr.nbMembres; ++i) s += TableObjets[gr.membres[i]].pointsDeVie;
            return s != 0 ? s : 1;
        };
        auto mode = [](const Groupe& gr) { return gr.modeFormation >= 1 && gr.modeFormation <= 5 ? gr.modeFormation : 1; };
        int dernier = -1;
        for (int gi : ordre) {
            const Groupe& g = TableGroupes[gi];
            const Objet& cg = TableObjets[g.membres[0]];
            Choix& c = attendu[gi];
            if (cg.taille > 1 && c.cible != -1 && cg.compteurRepos > 4) {
                c.precedent = c.cible;
                c.cible = -1;
            }
            if (!g.geree) continue;
            const bool partout = cg.classe == CLASSE_ARCHER || cg.couche == 2 || cg.sorts[0] != -1;
            int meilleur = 9999999, choix = -1;
            for (int oi : ordre) {
                const Groupe& o = TableGroupes[oi];
                const Objet& co = TableObjets[o.membres[0]];
                if (!o.geree || co.actif != 1) continue;
                if (!TableCiblage[cg.armee][co.armee]) continue;
                if (!partout && co.couche != cg.couche) continue;
                if (attendu[oi].engagee >= o.force) continue;
                if (c.precedent != -1 && oi == c.precedent) continue;
                int score = static_cast<int>(TableFormationIA[mode(o) - 1][mode(g) - 1]);
                score *= FacteurEffectifIA(g.nbMembres, o.nbMembres);
                score *= pv(o) / pv(g) + 1;
                score *= IA__Distance(o.butX, o.butY, g.butX, g.butY);
                if (score <= meilleur) {
                    choix = oi;
                    meilleur = score;
                }
            }
            dernier = choix;
            if (choix != -1) {
                attendu[choix].engagee += g.nbMembres * cg.degats;
                c.propose = choix;
            }
        }
        EXPECT_EQ(IA__EvaluationCibles(), dernier);
        int differences = 0;
        for (int g : indices) {
            const Groupe& gr = TableGroupes[g];
            const Choix& a = attendu[g];
            if (gr.groupeCibleIAPropose != a.propose || gr.groupeCibleIA != a.cible ||
                gr.groupeCibleIAPrecedent != a.precedent || gr.forceEngagee != a.engagee) {
                ADD_FAILURE() << "group " << g << ": proposed " << gr.groupeCibleIAPropose << " instead of " << a.propose;
                if (++differences > 5) break;
            }
        }
        for (int g : indices) TableGroupes[g].noeudListe = nullptr;
    }
}

}  // namespace
