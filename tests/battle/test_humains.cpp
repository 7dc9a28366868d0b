// Human behaviour on the sample battle level: the poses by secondary order, death at the end of
// the dying animation, the neutral army's wandering, archers on fortifications, facing.
#include <map>

#include "world/scene_fixture.h"
#include "battle/cibles.h"
#include "battle/humains.h"
#include "battle/occupation.h"
#include "world/batiments.h"
#include "world/gestion_objets.h"

namespace {

constexpr int SOLDAT = 20;

class Humains : public Scene {
  protected:
    void SetUp() override {
        Scene::SetUp();
        ASSERT_TRUE(Creer()) << Rapport();
        s = TableGroupes[GroupesDe(SOLDAT)[0]].membres[0];
    }
    Objet& O() { return TableObjets[s]; }
    void Gerer(int n = s0) {
        ObjetCourant = &TableObjets[n == s0 ? s : n];
        HumainGestion();
    }
    // The animation is on its last frame: the next step ends the cycle.
    void FinDeCycle(int animation) {
        O().animation = animation;
        O().compteurEvenement = O().animations[animation].images - 1;
        O().image = O().compteurEvenement;
    }
    static constexpr int s0 = -1;
    int s = 0;
};

TEST_F(Humains, LesOrdresSecondairesChoisissentLaPose) {
    struct Cas {
        const char* nom;
        int ordre, animation, arret, incantation;
        bool fin;
        int animationAttendue, reposAttendu, arretAttendu, incantationAttendue;
    };
    const Cas cas[] = {
        {"marche finie, arret demande: repos", 2, 0, 1, 0, true, 5, 4, 0, 0},
        {"marche finie sans arret: marche encore", 2, 0, 0, 0, true, 0, 0, 0, 0},
        {"coup fini: repos", 1, 2, 0, 0, true, 5, 0, 0, 0},
        {"incantation finie: tenue, sans nouvelle pose", 1, 13, 0, 2, true, 13, 0, 0, 1},
        {"incantation en marche finie", 2, 13, 1, 2, true, 13, 3, 1, 1},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        O().ordreSecondaire = c.ordre;
        O().cible = s;   // a fighter keeps its order through the move step
        O().arretFinCycle = c.arret;
        O().enIncantation = c.incantation;
        O().compteurRepos = 3;
        FinDeCycle(c.animation);
        Gerer();
        EXPECT_EQ(O().animation, c.animationAttendue);
        EXPECT_EQ(O().compteurRepos, c.reposAttendu);
        EXPECT_EQ(O().arretFinCycle, c.arretAttendu);
        EXPECT_EQ(O().enIncantation, c.incantationAttendue);
    }
}

TEST_F(Humains, UnCombattantAuReposPrendUnePoseDAttaque) {
    std::map<int, int> poses;
    for (int i = 0; i < 400; ++i) {
        O().ordreSecondaire = 1;
        O().cible = s;
        O().animation = 5;
        O().compteurEvenement = -1;
        O().compteurRepos = 7;
        Gerer();
        ++poses[O().animation];
        EXPECT_EQ(O().compteurRepos, 0);
    }
    ASSERT_EQ(poses.size(), 4u);
    EXPECT_EQ(poses.begin()->first, 1);
    EXPECT_EQ(poses.rbegin()->first, 4);
    // Pose 2 is drawn half the time, 4 a quarter, 1 and 3 an eighth each.
    EXPECT_GT(poses[2], poses[4]);
    EXPECT_GT(poses[4], poses[1]);
    EXPECT_GT(poses[4], poses[3]);
}

TEST_F(Humains, LeMourantMeurtALaFinDeSonAnimation) {
    O().ordreSecondaire = 3;
    O().animation = 18;
    O().image = 0;
    O().compteurEvenement = -1;
    O().enIncantation = 2;
    const int images = O().animations[18].images;
    int appels = 0;
    while (O().ordreSecondaire == 3 && appels < 100) {
        Gerer();
        ++appels;
        EXPECT_EQ(O().actif, 0);
        EXPECT_EQ(O().enIncantation, 0);
    }
    EXPECT_EQ(O().ordreSecondaire, 4);
    // Every frame of the animation is shown before the death.
    EXPECT_EQ(appels, images + 1);
}

TEST_F(Humains, UnConvertiSansVieRepartMourir) {
    O().typeMaitre = 18;
    O().pointsDeVie = 0;
    O().ordreSecondaire = 2;
    Gerer();
    EXPECT_EQ(O().ordreSecondaire, 3);
    EXPECT_EQ(O().animation, 18);
    // Another master at 0 is left to the hits that killed it.
    O().typeMaitre = SOLDAT;
    O().ordreSecondaire = 2;
    Gerer();
    EXPECT_EQ(O().ordreSecondaire, 2);
}

TEST_F(Humains, UnOrdreInconnuEstFatal) {
    O().ordreSecondaire = 7;
    EXPECT_THROW(Gerer(), FinProgramme);
    EXPECT_EQ(Rapport(), "HumainGestion(): L'odre secondaire de l'objet courant est inconnu : 7");
}

TEST_F(Humains, LeNeutreErreAutourDeSaNaissanceTousLes150Tours) {
    const int g = Groupe___Creation(SOLDAT, 4, 50, 60, 1, 1, 0);
    const int n = TableGroupes[g].membres[0];
    Objet& o = TableObjets[n];
    ASSERT_EQ(o.origineX, 50);
    o.aleaAffichage = 0;
    for (int ordre = 0; ordre < 6; ++ordre) {
        TableGroupes[g].butPrecedentX = TableGroupes[g].butPrecedentY = -1;
        for (int t = 0; t < 149; ++t) {
            o.ordreSecondaire = 2;
            Gerer(n);
        }
        EXPECT_EQ(TableGroupes[g].butPrecedentX, -1) << "no order before the 150th frame";
        o.ordreSecondaire = 2;
        Gerer(n);
        EXPECT_GE(TableGroupes[g].butPrecedentX, 54);
        EXPECT_LE(TableGroupes[g].butPrecedentX, 58);
        EXPECT_GE(TableGroupes[g].butPrecedentY, 64);
        EXPECT_LE(TableGroupes[g].butPrecedentY, 68);
    }
    // Born by the map's edge, the goal stays on the map.
    o.origineX = 125;
    o.origineY = 124;
    o.aleaAffichage = 149;
    Gerer(n);
    EXPECT_LE(TableGroupes[g].butPrecedentX, 127);
    EXPECT_LE(TableGroupes[g].butPrecedentY, 127);
}

TEST_F(Humains, UnArcherSurUneFortificationVoitEtTirePlusLoin) {
    const int g = Groupe___Creation(13, 1, 30, 30, 1, 1, 0);
    const int a = TableGroupes[g].membres[0];
    ASSERT_EQ(TableObjets[a].classe, CLASSE_ARCHER);
    const int fort = 1999;
    TableObjets[fort].classe = CLASSE_FORTIFICATION;
    NiveauArcDistance = 2;
    ASSERT_NE(GrilleSelection, nullptr);
    GrilleSelection[30 + 128 * 30] = fort;
    Gerer(a);
    EXPECT_EQ(TableObjets[a].porteeVue, 14);
    EXPECT_EQ(TableObjets[a].porteeAttaque, 12);
    GrilleSelection[30 + 128 * 30] = 0;
    Gerer(a);
    EXPECT_EQ(TableObjets[a].porteeVue, 11);
    EXPECT_EQ(TableObjets[a].porteeAttaque, 9);
    TableObjets[fort].classe = 0;
    NiveauArcDistance = 0;
}

TEST_F(Humains, LOrientationSuitLaProchaineCaseOuLaCible) {
    Objet& o = O();
    o.x = 40;
    o.y = 40;
    o.taille = 1;
    o.ordreSecondaire = 2;
    o.groupeCible = -1;
    // dx, dy of the next cell -> facing (0 up, clockwise); the own cell keeps the facing.
    const int attendus[3][3] = {{7, 6, 5}, {0, -1, 4}, {1, 2, 3}};
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
            o.direction = 9;
            o.prochaineCaseX = 40 + 3 * dx;
            o.prochaineCaseY = 40 + 3 * dy;
            ObjetCourant = &o;
            Objet__OrientationCible();
            const int a = attendus[dx + 1][dy + 1];
            EXPECT_EQ(o.direction, a == -1 ? 9 : a) << dx << "," << dy;
        }

    // A fighter of size 2 faces its target by the side of its footprint the target lies beyond.
    const int c = TableGroupes[GroupesDe(13)[0]].membres[0];
    o.taille = 2;
    o.ordreSecondaire = 1;
    o.cible = o.groupeCible = c;
    o.prochaineCaseX = o.prochaineCaseY = 0;
    struct Cas { int tx, ty, direction; };
    for (const Cas k : {Cas{39, 39, 7}, Cas{39, 41, 6}, Cas{39, 42, 5}, Cas{40, 39, 0}, Cas{41, 39, 0}, Cas{42, 39, 1},
                        Cas{41, 41, 2}, Cas{42, 40, 2}, Cas{41, 42, 4}, Cas{42, 42, 3}}) {
        TableObjets[c].x = k.tx;
        TableObjets[c].y = k.ty;
        ObjetCourant = &o;
        Objet__OrientationCible();
        EXPECT_EQ(o.direction, k.direction) << k.tx << "," << k.ty;
    }
    // A fight whose target was let go turns to the next cell instead of reading object -1.
    o.taille = 1;
    o.cible = -1;
    o.prochaineCaseX = 41;
    o.prochaineCaseY = 40;
    Objet__OrientationCible();
    EXPECT_EQ(o.direction, 2);
}

}  // namespace
