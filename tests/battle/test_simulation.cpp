// The group tick: which of its scans a formed group runs, and what it does on their answers.
#include <gtest/gtest.h>

#include <vector>

#include "battle/engagement.h"
#include "battle/simulation.h"
#include "combat_fixture.h"
#include "world/codes.h"

namespace {

class Simulation : public CombatEssai {
  protected:
    // A formed, placed group of one archer at (20, 20) engaging freely, its rectangle one free
    // cell wider than its footprint; an enemy soldier `distance` cells east of it.
    Groupe& ArcherEtEnnemi(int porteeAttaque, int porteeVue, int distance) {
        Univers__EffaceGrilles();
        Objet& a = Soldat(1, 20, 20, 0, 5, porteeAttaque);
        a.classe = CLASSE_ARCHER;
        a.porteeVue = porteeVue;
        a.finCycle = 0;   // no engagement of its own this tick
        Soldat(2, 20 + distance, 20, 1, 6);
        Groupe& g = GroupeAvec(5, {1}, 4);
        g.modeFormationMaitre = 4;
        g.placee = 1;
        g.suiviDemarre = 1;
        g.engagementLibre = 1;
        g.rectangle[0] = 20, g.rectangle[1] = 20, g.rectangle[2] = 21, g.rectangle[3] = 20;
        GroupeAvec(6, {2}, 4);
        Occupation__Reconstruit();
        Occupation__Pose(1, 1, 20, 20, CarteOccupationSol, 1);
        Occupation__Pose(1, 1, 20 + distance, 20, CarteOccupationSol, 2);
        return g;
    }
};

// Nothing in range: the group slides into the free cell of its rectangle. An enemy in range
// keeps it where it is, even out of sight when the range reaches further than the sight.
TEST_F(Simulation, LaPorteeAuDelaDeLaVueEstCherchee) {
    struct Cas {
        int porteeAttaque, porteeVue, distance;
        bool glisse;
    };
    for (const Cas c : {Cas{8, 5, 7, false}, Cas{4, 5, 7, true}, Cas{8, 5, 12, true}, Cas{8, 8, 7, false}}) {
        SCOPED_TRACE(testing::Message() << c.porteeAttaque << " " << c.porteeVue << " " << c.distance);
        Groupe& g = ArcherEtEnnemi(c.porteeAttaque, c.porteeVue, c.distance);
        Groupe__Gestion(5);
        EXPECT_EQ(g.aGlisse, c.glisse ? 1 : 0);
    }
}

// A group in a free formation reads no answer from its range scan, but the scan still marks the
// member that finds a target; the mark stays on a member whose engagement is not ended after (one
// casting a spell), and gives way to the member's target on one whose engagement is.
TEST_F(Simulation, LaMarqueDuBalayageResteSurUnMembreNonEngage) {
    struct Cas {
        int enIncantation, groupeCible;
    };
    for (const Cas c : {Cas{1, 2}, Cas{0, -1}}) {
        SCOPED_TRACE(c.enIncantation);
        Groupe& g = ArcherEtEnnemi(8, 5, 7);
        g.modeFormation = g.modeFormationMaitre = 1;
        Objet& a = TableObjets[1];
        a.cible = a.groupeCible = -1;
        a.enIncantation = c.enIncantation;
        Groupe__Gestion(5);
        EXPECT_EQ(a.groupeCible, c.groupeCible);
    }
}

// A free formation of two archers engaging at the end of their cycle, at (20, 20) and (24, 20)
// with reach 4: an enemy at the edge of either one's reach is found (the member that finds it
// starts its attack), one just beyond both is not,
// whether the group is looked at as a whole or (with a member able to cast) member by member.
TEST_F(Simulation, LEngagementDuGroupeVoitJusquAuBordDeLaPortee) {
    struct Cas {
        int x, y;
        bool sort, trouve;
    };
    const Cas cas[] = {
        {28, 20, false, true}, {29, 20, false, false}, {28, 24, false, true}, {24, 25, false, false},
        {16, 16, false, true}, {15, 16, false, false}, {16, 15, false, false}, {28, 20, true, true},
        {29, 20, true, false},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(testing::Message() << c.x << " " << c.y << " " << c.sort);
        Univers__EffaceGrilles();
        for (int n : {1, 2}) {
            Objet& a = Soldat(n, n == 1 ? 20 : 24, 20, 0, 5, 4);
            a.classe = CLASSE_ARCHER;
            a.finCycle = 1;
        }
        if (c.sort) TableObjets[1].sorts[0] = 0;
        Groupe& g = GroupeAvec(5, {1, 2}, 1);
        g.modeFormationMaitre = 1;
        g.placee = 1;
        g.suiviDemarre = 1;
        g.engagementLibre = 1;
        Soldat(3, c.x, c.y, 1, 6);
        GroupeAvec(6, {3}, 4);
        Occupation__Reconstruit();
        Groupe__Gestion(5);
        // Only a member whose own search finds the enemy starts its attack cycle.
        EXPECT_EQ(TableObjets[1].compteurEvenement == -1 || TableObjets[2].compteurEvenement == -1, c.trouve);
    }
}

// A block of nine, looked at as a whole before any member searches: an enemy just within one
// member's sight is seen, one just beyond every member's is not; flyers only by the archer, and
// only enemies count.
TEST_F(Simulation, LeBlocVoitCeQueVoitChaqueMembre) {
    struct Cas {
        int x, y, couche, armee;
        bool vu;
    };
    const Cas cas[] = {
        {27, 21, 1, 1, true},  {28, 21, 1, 1, false}, {27, 27, 1, 1, true},  {28, 28, 1, 1, false},
        {15, 20, 1, 1, true},  {14, 20, 1, 1, false}, {21, 15, 1, 1, true},  {21, 14, 1, 1, false},
        {27, 22, 2, 1, true},  {27, 16, 2, 1, false}, {28, 22, 2, 1, false}, {27, 21, 1, 0, false},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(testing::Message() << c.x << " " << c.y << " " << c.couche << " " << c.armee);
        Univers__EffaceGrilles();
        std::vector<int> membres;
        for (int n = 1; n <= 9; ++n) {
            Soldat(n, 20 + (n - 1) % 3, 20 + (n - 1) / 3, 0, 5, 3);   // sight 5
            membres.push_back(n);
        }
        TableObjets[9].classe = CLASSE_ARCHER;   // at (22, 22)
        Groupe& g = GroupeAvec(5, membres, 4);
        g.engagementLibre = 1;
        Objet& e = Unite(20, c.x, c.y, 1, c.couche == 2 ? 2 : 1, 6);
        e.armee = c.armee;
        GroupeAvec(6, {20}, 4);
        EXPECT_EQ(Groupe__EnnemiEnVue(5), c.vu ? 1 : 0);
    }
}

// A member that finds nothing round itself takes the target of another member when its group
// lets it, and then keeps the friends its list fill found; with no such target, or in a formed
// melee group, its lists are emptied. An enemy whose numeroObjet is 0 is no answer of the search
// round the unit but still one of its list's. Each answer is the plain target choice's on the same
// world.
TEST_F(Simulation, UnMembreSansEnnemiGardeSesAmisAvecLaCibleDUnAutre) {
    struct Cas {
        bool archer, cibleDuMembre, ennemiSansNumero;
    };
    auto monde = [this](const Cas& c) {
        Univers__EffaceGrilles();
        for (int n : {1, 2}) {
            Objet& a = Soldat(n, 20, 20 + 3 * (n - 1), 0, 5, 2);
            if (c.archer) a.classe = CLASSE_ARCHER;
            a.finCycle = 1;
        }
        Soldat(4, 21, 20, 0, 7);   // a friend next to member 1
        // An enemy far out of reach, or next to member 1 with no number of its own.
        Soldat(3, c.ennemiSansNumero ? 19 : 60, c.ennemiSansNumero ? 20 : 60, 1, 6).numeroObjet =
            c.ennemiSansNumero ? 0 : 3;
        if (c.cibleDuMembre) TableObjets[2].cible = 3;
        Groupe& g = GroupeAvec(5, {1, 2}, 4);
        g.placee = 1;
        g.engagementLibre = 1;
        g.ordreAttaque = 1;
        g.groupeCibleIA = 6;
        GroupeAvec(6, {3}, 4);
        GroupeAvec(7, {4}, 4);
        Occupation__Reconstruit();
    };
    for (const Cas c : {Cas{true, true, false}, Cas{true, false, false}, Cas{false, true, false},
                        Cas{false, false, true}}) {
        SCOPED_TRACE(testing::Message() << c.archer << " " << c.cibleDuMembre << " " << c.ennemiSansNumero);
        monde(c);
        // As the engagement leaves the unit before its choice, having found nothing.
        TableObjets[1].ordreSecondaire = 2;
        TableObjets[1].finCycle = TableObjets[1].auContact = 0;
        Unite__ChoisirCible(1, 6);
        const Objet attendu = TableObjets[1];
        const int ami = TableObjets[1].listeAllies[0];
        monde(c);
        Unite__Engagement(1, 5);
        const Objet& u = TableObjets[1];
        EXPECT_EQ(u.cible, attendu.cible);
        EXPECT_EQ(u.groupeCible, attendu.groupeCible);
        EXPECT_EQ(u.ordreSecondaire, attendu.ordreSecondaire);
        EXPECT_EQ(u.dernierEnnemi, attendu.dernierEnnemi);
        EXPECT_EQ(u.dernierAllie, attendu.dernierAllie);
        if (u.dernierAllie >= 0) {
            EXPECT_EQ(u.listeAllies[0], ami);
        }
        EXPECT_EQ(u.cible, (c.archer && c.cibleDuMembre) || c.ennemiSansNumero ? 3 : -1);
        if (!c.ennemiSansNumero) {
            EXPECT_EQ(u.dernierAllie, c.archer && c.cibleDuMembre ? 0 : -1);
        }
    }
}

}  // namespace

// The group tick's stamps of the units' next cells: unit 1 takes (11, 10) first, then a unit
// heading for the same cell, casting (so not prepared after), stamps it with its numeroObjet. A
// numeroObjet of 0 clears the cell, and the preparation stamps unit 1 there again; any other
// number leaves it to unit 1. Groups hold a member in motion, so that they are not managed after.
TEST_F(Simulation, LaPreparationRepriseApresUneCaseEffacee) {
    int32_t* const grille = GrilleUnites;
    for (const int numero : {0, 2}) {
        SCOPED_TRACE(numero);
        Univers__EffaceGrilles();
        Soldat(1, 10, 10, 0, 5).prochaineCaseX = 11;
        Objet& b = Soldat(2, 12, 10, 0, 6);
        b.prochaineCaseX = 11;
        b.numeroObjet = numero;
        b.enIncantation = 1;
        for (const int n : {3, 4}) {
            Objet& m = Soldat(n, 30 + n, 30, 0, n + 2);
            m.actif = 0;
            m.decalageX = 24;
            grille[m.x + COTE_CARTE * m.y] = 0;
        }
        GroupeAvec(5, {1, 3});
        GroupeAvec(6, {2, 4});
        NoeudEntier fin{}, n6{6, &fin}, n5{5, &n6};
        NoeudEntier* const liste = ListeGroupesActifs;
        const int32_t compteur = SimulationCompteur, initialisee = SimulationInitialisee, ia = IAActive;
        ListeGroupesActifs = &n5;
        SimulationCompteur = 0, SimulationInitialisee = 1, IAActive = 0;
        Simulation__Tour();
        ListeGroupesActifs = liste;
        SimulationCompteur = compteur, SimulationInitialisee = initialisee, IAActive = ia;
        EXPECT_EQ(Sol(11, 10), 1u);
        EXPECT_EQ(TableObjets[1].x, 11);
    }
}
