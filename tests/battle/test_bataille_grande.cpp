// The large sample level: two armies of about a hundred men each, with a catapult, fought headless
// by the computer on both sides until one of them has nobody left.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>

#include "battle/coups.h"
#include "battle/deplacement.h"
#include "battle/ia.h"
#include "battle/machines.h"
#include "battle/impacts.h"
#include "battle/projectiles.h"
#include "battle/simulation.h"
#include "platform/temps.h"
#include "scene/eclairs.h"
#include "shell/cycles.h"
#include "shell/scenario.h"
#include "shell/trame.h"
#include "shell/victoire.h"
#include "world/gestion_objets.h"
#include "world/scene_fixture.h"
#include "passe_bataille.h"

namespace {

constexpr int SOLDAT = 20, ARCHER = 13, MAGICIEN = 17, CATAPULTE = 141, BALISTE = 139;

class BatailleGrande : public Scene {
  protected:
    // The game frame's logic pass in battle; counts the catapults' shots launched in it per army.
    void Passe() {
        PasseBataille([this] {
            for (const Projectile* p = ProjectileTete; p; p = p->suivant) {
                if (p->pas != 0 || p->genre != PROJECTILE_BOULET || p->tireur < 1 || p->tireur >= NOMBRE_OBJETS) continue;
                const Objet& tireur = TableObjets[p->tireur];
                if (tireur.typeMaitre == CATAPULTE && tireur.armee >= 0 && tireur.armee < 2) ++boulets[tireur.armee];
            }
        });
    }
    // Live units of army `armee` (of master `maitre`, any when -1).
    static int Unites(int armee, int maitre = -1) {
        int n = 0;
        for (int o = 1; o < NOMBRE_OBJETS; ++o) {
            const Objet& u = TableObjets[o];
            if (u.noeudListe == nullptr || u.armee != armee || u.groupe < 1 || u.actif != 1) continue;
            if (u.ordreSecondaire == 3 || u.ordreSecondaire == 4) continue;
            n += maitre == -1 || u.typeMaitre == maitre;
        }
        return n;
    }

    std::array<int, 2> boulets{};
};

}  // namespace

TEST_F(BatailleGrande, ChargeeSansRapport) {
    std::snprintf(NomNiveauBataille, sizeof NomNiveauBataille, "..\\niveau\\grande.mv");
    ASSERT_TRUE(Demarrer()) << Rapport();
    EXPECT_EQ(Rapport(), "");
    for (int armee : {0, 1}) {
        EXPECT_GE(Unites(armee), 90) << armee;
        EXPECT_LE(Unites(armee), 110) << armee;
        for (int maitre : {SOLDAT, ARCHER, MAGICIEN, CATAPULTE}) EXPECT_GT(Unites(armee, maitre), 0) << armee << " " << maitre;
    }
    EXPECT_EQ(Unites(2) + Unites(3) + Unites(4) + Unites(5), 0);
    // The computer waits a few seconds; won with no enemy left, lost with no friend left.
    EXPECT_GT(DelaiDeclenchementIA, 0);
    EXPECT_LE(DelaiDeclenchementIA, 10000);
    ASSERT_EQ(NbConditionsVictoire, 1);
    ASSERT_EQ(NbConditionsDefaite, 1);
    EXPECT_EQ(TableVictoire[0].type, 0);   // PLUS_NMI
    EXPECT_EQ(TableDefaite[0].type, 0);    // PLUS_AMI
}

TEST_F(BatailleGrande, CombattueJusquAuBoutAvecLaCatapulte) {
    std::snprintf(NomNiveauBataille, sizeof NomNiveauBataille, "..\\niveau\\grande.mv");
    ASSERT_TRUE(Demarrer()) << Rapport();
    const int depart[2] = {Unites(0), Unites(1)};
    SimulationCompteur = 0;
    SimulationInitialisee = 0;
    IAActive = 1;
    TricheIAJoueur = 1;   // the computer plays both sides
    int passes = 0;
    for (; passes < 3000; ++passes) {
        Passe();
        if (passes % 15 == 0) {
            Unites_Comptage();
            if (NbUnitesAmies == 0 || NbUnitesEnnemies == 0) break;
        }
    }
    // Decided: one army has nobody left, both have lost men, and the catapults took part.
    Unites_Comptage();
    EXPECT_LT(passes, 3000);
    EXPECT_TRUE((NbUnitesAmies == 0) != (NbUnitesEnnemies == 0)) << NbUnitesAmies << " " << NbUnitesEnnemies;
    EXPECT_EQ(Unites(0) == 0, NbUnitesAmies == 0);
    EXPECT_EQ(Unites(1) == 0, NbUnitesEnnemies == 0);
    EXPECT_LT(Unites(0), depart[0]);
    EXPECT_LT(Unites(1), depart[1]);
    EXPECT_GT(boulets[0], 0);
    EXPECT_GT(boulets[1], 0);
    EXPECT_EQ(Rapport(), "");
}

// The sample ballista, set to fire at an enemy, looses a bolt at each shot.
TEST_F(BatailleGrande, LaBalisteTireSesCarreaux) {
    std::snprintf(NomNiveauBataille, sizeof NomNiveauBataille, "..\\niveau\\grande.mv");
    ASSERT_TRUE(Demarrer()) << Rapport();
    int cible = 0;
    for (int o = 1; o < NOMBRE_OBJETS && cible == 0; ++o) {
        const Objet& u = TableObjets[o];
        if (u.noeudListe != nullptr && u.actif == 1 && u.armee == 1 && u.typeMaitre == SOLDAT) cible = o;
    }
    ASSERT_NE(cible, 0);
    const Objet& c = TableObjets[cible];
    // A free spot eight cells west of the enemy soldier.
    int b = 0;
    for (int dx = 8; dx < 14 && b == 0; ++dx) b = Unite__CreationSeule(BALISTE, 0, c.x - dx, c.y, 4);
    ASSERT_NE(b, 0);
    Objet& baliste = TableObjets[b];
    baliste.ordreSecondaire = 1;
    baliste.cible = cible;
    baliste.groupeCible = c.groupe;
    int carreaux = 0;
    for (int i = 0; i < 70; ++i) {
        ObjetCourant = &baliste;
        Baliste___gestion();
        for (const Projectile* p = ProjectileTete; p; p = p->suivant) carreaux += p->pas == 0 && p->tireur == b;
        ProjectileGestion();
    }
    EXPECT_GE(carreaux, 2);
}
