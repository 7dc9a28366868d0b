#include <gtest/gtest.h>

#include <vector>

#include "battle/impacts.h"
#include "battle/projectiles.h"
#include "campaign/variables.h"
#include "combat_fixture.h"
#include "platform/hasard.h"
#include "scene/particules.h"
#include "shell/scenario.h"
#include "shell/trame.h"
#include "world/experience.h"
#include "world/gestion_objets.h"
#include "world/mort.h"

namespace {

// Launches and gives the record to fill, as a caller finds it (null when nothing flies).
template <typename... Args>
Projectile* Lancer(Args... args) {
    ProjectileLancer(args...);
    return ProjectileQueue;
}

class Projectiles : public CombatEssai {
  protected:
    void SetUp() override {
        CombatEssai::SetUp();
        Hasard_Graine(3);
        NiveauArcPrecision = 7;   // no scatter
        FacteurTemps = 1;
        ReperePixelX = ReperePixelY = 0;
        Particules_Initialisation();
        EffetImpactViderTable();
        effetFleches = EffetParticule{};
        effetFleches.nombre = 1;
        effetFleches.typeVie = 1;
        effetFleches.dureeDeVie = 10;
        EffetFleches = &effetFleches;
    }
    void TearDown() override {
        ProjectileViderListe();
        EffetFleches = nullptr;
        NiveauArcPrecision = 0;
        CombatEssai::TearDown();
    }
    // A live unit (listed) of the army with hit points, damage and armour.
    Objet& Cible(int n, int x, int y, int armee, int pv = 100, int armure = 0, int couche = 1) {
        Objet& o = Unite(n, x, y, 1, couche);
        o.noeudListe = &noeud;
        o.armee = armee;
        o.pointsDeVie = o.pointsDeVieMaximum = pv;
        o.modeArmure = armure;
        o.typeMaitre = 20;
        o.famille = 0;
        return o;
    }
    // Flies every projectile to its end; the passes it took.
    static int Voler(int maximum = 100) {
        int passes = 0;
        while (ProjectileTete && passes < maximum) {
            ProjectileGestion();
            ++passes;
        }
        return passes;
    }
    static int Nombre() {
        int n = 0;
        for (Projectile* p = ProjectileTete; p; p = p->suivant) ++n;
        return n;
    }
    // Cell centre in map pixels.
    static int C(int cellule) { return cellule * 24 + 12; }

    NoeudEntier noeud{};
    EffetParticule effetFleches{};
};

TEST_F(Projectiles, LaunchFacesItsTargetWithTheGenresSprite) {
    struct Cas {
        const char* nom;
        int genre, dx, dy, couche, variante;
        int direction, gfx, nbImages, image, coucheFinale;
    };
    const Cas cas[] = {
        {"arrow up", PROJECTILE_FLECHE, 0, -100, 0, 0, 0, 659, 12, 0, 0},
        {"arrow right", PROJECTILE_FLECHE, 100, 0, 0, 0, 8, 659, 12, 96, 0},
        {"arrow down", PROJECTILE_FLECHE, 0, 100, 0, 0, 16, 659, 12, 192, 0},
        {"arrow left", PROJECTILE_FLECHE, -100, 0, 0, 0, 24, 659, 12, 288, 0},
        {"arrow up-right", PROJECTILE_FLECHE, 100, -100, 0, 0, 4, 659, 12, 48, 0},
        {"burning arrow at a flyer", PROJECTILE_FLECHE, 100, 0, 2, 5, 8, 663, 6, 96, 2},
        {"boulder right", PROJECTILE_BOULET, 100, 0, 1, 0, 4, 1216, 6, 24, 0},
        {"boulder down-left", PROJECTILE_BOULET, -100, 100, 0, 0, 10, 1216, 6, 60, 0},
        {"fireball", PROJECTILE_BOULE_FEU, 100, 0, 0, 0, 0, 661, 12, 0, 0},
        {"heal trace", PROJECTILE_TRACE_SOINS, 100, 0, 0, 0, 0, 712, 12, 0, 0},
        {"electricity", PROJECTILE_ELECTRICITE, 100, 0, 0, 0, 0, 712, 12, 0, 0},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Projectile* p = Lancer(500, 500, 500 + c.dx, 500 + c.dy, 0, c.couche, c.genre, 7, c.variante);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p, ProjectileQueue);
        EXPECT_EQ(p->directionImage, c.direction);
        EXPECT_EQ(p->objetGfx, c.gfx);
        EXPECT_EQ(p->nbImages, c.nbImages);
        EXPECT_EQ(p->image, c.image);
        EXPECT_EQ(p->couche, c.coucheFinale);
        EXPECT_EQ(p->nbPas, 101);
        EXPECT_FLOAT_EQ(p->pente, c.nbImages / 101.0f);
        EXPECT_EQ(p->degats, 7);
    }
    EXPECT_EQ(Lancer(0, 0, 10, 10, 0, 0, 4, 1, 0), nullptr) << "genre that does not fly";
    EXPECT_EQ(Nombre(), 11);
    // The next launch still goes at the end of the list.
    Projectile* p = Lancer(0, 0, 10, 10, 0, 0, PROJECTILE_BOULET, 1, 0);
    EXPECT_EQ(Nombre(), 12);
    EXPECT_EQ(p->suivant, nullptr);
    EXPECT_NE(p->precedent, nullptr);
    EXPECT_EQ(p->precedent->suivant, p);
}

TEST_F(Projectiles, ArrowScatterFollowsTheArchersTraining) {
    struct Cas {
        int niveau, ecart;   // the target point moves by at most ecart on each axis
    };
    for (const Cas c : {Cas{0, 12}, Cas{1, 6}, Cas{3, 2}, Cas{7, 0}, Cas{13, 0}, Cas{40, 0}}) {
        SCOPED_TRACE(c.niveau);
        NiveauArcPrecision = c.niveau;
        bool bouge = false;
        for (int k = 0; k < 50; ++k) {
            Projectile* p = Lancer(100, 100, 600, 600, 0, 0, PROJECTILE_FLECHE, 1, 0);
            ASSERT_NE(p, nullptr);
            EXPECT_LE(std::abs(p->arriveeX - 600), c.ecart);
            EXPECT_LE(std::abs(p->arriveeY - 600), c.ecart);
            bouge |= p->arriveeX != 600 || p->arriveeY != 600;
        }
        EXPECT_EQ(bouge, c.ecart > 0);
        ProjectileViderListe();
    }
}

TEST_F(Projectiles, LineSteppingReachesTheTargetPointExactly) {
    const int cibles[][2] = {{0, 0}, {37, 5}, {-5, 37}, {-40, -40}, {3, -90}, {1, 0}};
    for (const auto& c : cibles) {
        Projectile* p = Lancer(300, 300, 300 + c[0], 300 + c[1], 0, 0, PROJECTILE_BOULE_FEU, 1, 0);
        ASSERT_NE(p, nullptr);
        for (int k = 1; k < p->nbPas; ++k) {
            const int x = p->positionX, y = p->positionY;
            ProjectileAvancer(p);
            EXPECT_LE(std::abs(p->positionX - x), 1);
            EXPECT_LE(std::abs(p->positionY - y), 1);
        }
        EXPECT_EQ(p->positionX, 300 + c[0]);
        EXPECT_EQ(p->positionY, 300 + c[1]);
        ProjectileViderListe();
    }
}

// A shot at its own point has no direction to take (no NaN) and lands in the first pass.
TEST_F(Projectiles, ZeroLengthShotLandsAtOnce) {
    Objet& t = Cible(5, 10, 10, 1);
    Projectile* p = Lancer(C(10), C(10), C(10), C(10), 0, 0, PROJECTILE_FLECHE, 9, 0);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->directionImage, 0);
    EXPECT_EQ(p->image, 0);
    ProjectileGestion();
    EXPECT_EQ(ProjectileTete, nullptr);
    EXPECT_EQ(ProjectileQueue, nullptr);
    EXPECT_EQ(t.pointsDeVie, 91);
}

TEST_F(Projectiles, GroundArrowDamageByVariantAndArmour) {
    struct Cas {
        const char* nom;
        int variante, armure, perte;
        int poison;
    };
    // D = 6 + 2 x (3 - 1) = 10.
    const Cas cas[] = {
        {"plain", 0, 0, 10, 0},          {"plain on heavy armour", 0, 3, 10, 0}, {"poisoned", 1, 0, 10, 1},
        {"burning, armour 0", 5, 0, 20, 0}, {"burning, armour 1", 5, 1, 15, 0},  {"burning, armour 2", 5, 2, 10, 0},
        {"burning, armour 3", 5, 3, 40, 0},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Objet& t = Cible(5, 20, 10, 1, 100, c.armure);
        Projectile* p = Lancer(C(10), C(10), C(20), C(10), 0, 0, PROJECTILE_FLECHE, 6, c.variante);
        p->niveau = 3;
        p->degatsParNiveau = 2;
        Voler();
        EXPECT_EQ(t.pointsDeVie, 100 - c.perte);
        EXPECT_EQ(t.degatsRecus, c.perte);
        EXPECT_EQ(t.touche, 1);
        EXPECT_EQ(t.degatsContinus, c.poison);
    }
}

TEST_F(Projectiles, ArrowAtAFlyerHitsItOrFliesOnToTheGround) {
    // Hit: a burning arrow at a flyer of armour 1 takes 3 D; the shooter shows its icon.
    Objet& tireur = Cible(3, 2, 10, 0);
    Objet& dragon = Cible(5, 20, 10, 1, 100, 1, 2);
    Projectile* p = Lancer(C(10), C(10), C(20), C(10), 0, 2, PROJECTILE_FLECHE, 10, 5);
    p->tireur = 3;
    p->niveau = 1;
    Voler();
    EXPECT_EQ(dragon.pointsDeVie, 70);
    EXPECT_EQ(tireur.icone, 1);

    // Miss: the flyer moved away; the arrow goes on along its line, three times its length, and
    // strikes what stands on the ground where that ends (121 steps, then 243 more: pixel 617).
    GrilleAir[20 + 128 * 10] = 0;
    Objet& loin = Cible(6, 25, 10, 1);
    Objet& tropLoin = Cible(7, 45, 10, 1);
    ProjectileLancer(C(10), C(10), C(15), C(10), 0, 2, PROJECTILE_FLECHE, 10, 0);
    Voler();
    EXPECT_EQ(loin.pointsDeVie, 90);
    EXPECT_EQ(tropLoin.pointsDeVie, 100);

    // Nothing at all on the way: it ends as a stuck arrow at three times the first length.
    GrilleUnites[25 + 128 * 10] = 0;
    ProjectileLancer(C(10), C(10), C(15), C(10), 0, 2, PROJECTILE_FLECHE, 10, 0);
    Voler();
    ASSERT_EQ(NombreParticules0, 1);
    EXPECT_EQ(PlanParticules0[0].pointEmissionX, C(10) + 3 * 121 + 1);
}

// A missed ground arrow stays stuck: its particle shows a frame of its own direction's row.
TEST_F(Projectiles, StuckArrowFrameStaysInItsRow) {
    ProjectileLancer(C(10), C(10), C(10), C(60), 0, 0, PROJECTILE_FLECHE, 1, 0);   // down: row 16
    ProjectileQueue->pente = 3.0f;                                                   // a steep arc
    Voler();
    ASSERT_EQ(NombreParticules0, 1);
    EXPECT_EQ(PlanParticules0[0].frameCourante, 16 * 12 + 11);
}

TEST_F(Projectiles, KillingArrowConvertsOrFellsItsTarget) {
    struct Cas {
        const char* nom;
        int variante, armure, taille;
        bool converti;
    };
    const Cas cas[] = {
        {"plain arrow fells", 0, 0, 1, false},
        {"burning arrow converts a small human", 5, 0, 1, true},
        {"burning arrow on armour 2 fells", 5, 2, 1, false},
        {"burning arrow on a large one fells", 5, 0, 2, false},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Objet& t = Cible(5, 20, 10, 1, 5, c.armure);
        t.taille = c.taille;
        PopulationParType[20] = 4;
        ProjectileLancer(C(10), C(10), C(20), C(10), 0, 0, PROJECTILE_FLECHE, 50, c.variante);
        Voler();
        EXPECT_EQ(t.compteurEvenement, -1);
        if (c.converti) {
            EXPECT_EQ(t.typeMaitre, 18);
            EXPECT_EQ(t.delaiMort(), 20);
            EXPECT_EQ(t.pointsDeVie, 50);
            EXPECT_EQ(t.regenerationVie, -1);
            EXPECT_EQ(PopulationParType[20], 3);
            EXPECT_NE(t.ordreSecondaire, 3);
        } else {
            EXPECT_EQ(t.typeMaitre, 20);
            EXPECT_EQ(t.pointsDeVie, 0);
            EXPECT_EQ(t.ordreSecondaire, 3);
            EXPECT_EQ(t.animation, 18);
        }
    }
    // A dying target is left alone.
    Objet& t = Cible(5, 20, 10, 1, 40);
    t.ordreSecondaire = 3;
    ProjectileLancer(C(10), C(10), C(20), C(10), 0, 0, PROJECTILE_FLECHE, 50, 0);
    Voler();
    EXPECT_EQ(t.pointsDeVie, 40);
}

TEST_F(Projectiles, FireballBurnsFriendAndFoeAroundItsCell) {
    Objet& ami = Cible(3, 19, 9, 0);
    Objet& ennemi = Cible(4, 21, 11, 1);
    Objet& immunise = Cible(5, 20, 10, 1, 100, 2);
    Objet& lourd = Cible(6, 21, 10, 1, 100, 3);
    Objet& dehors = Cible(7, 22, 10, 1);
    ProjectileLancer(C(10), C(10), C(20), C(10), 0, 0, PROJECTILE_BOULE_FEU, 20, 0);
    EXPECT_EQ(Voler(), 7);   // 241 steps at 35 a pass
    EXPECT_EQ(ami.pointsDeVie, 80);
    EXPECT_EQ(ennemi.pointsDeVie, 80);
    EXPECT_EQ(immunise.pointsDeVie, 100);
    EXPECT_EQ(immunise.touche, 1);
    EXPECT_EQ(lourd.pointsDeVie, 40);
    EXPECT_EQ(dehors.pointsDeVie, 100);
    EXPECT_EQ(EffetsImpact[0].genre, 2);
    EXPECT_EQ(EffetsImpact[0].x, C(20));
    EXPECT_EQ(EffetsImpact[0].y, 10 * 24 - 12);
    EXPECT_EQ(EffetsImpact[0].duree, 3);

    // One that falls below 1 falls with the fire's animation.
    ProjectileLancer(C(10), C(10), C(20), C(10), 0, 0, PROJECTILE_BOULE_FEU, 200, 0);
    Voler();
    EXPECT_EQ(ennemi.ordreSecondaire, 3);
    EXPECT_EQ(ennemi.animation, 19);
}

TEST_F(Projectiles, HealTraceHealsTheFriendsOfItsArmyUpToTheirMaximum) {
    TableAttaque[0][1] = TableAttaque[1][0] = 1;
    Objet& blesse = Cible(3, 20, 10, 0);
    blesse.pointsDeVie = 50;
    blesse.degatsContinus = 3;
    Objet& presque = Cible(4, 21, 10, 0);
    presque.pointsDeVie = 95;
    Objet& ennemi = Cible(5, 19, 10, 1);
    ennemi.pointsDeVie = 50;
    Objet& soigneur = Cible(6, 2, 2, 0);
    Projectile* p = Lancer(C(20), C(10), C(20), C(10), 0, 0, PROJECTILE_TRACE_SOINS, 30, 1);
    p->armee = 0;
    p->tireur = 6;
    ExperienceBatailleJoueur = 0;
    Voler();
    EXPECT_EQ(blesse.pointsDeVie, 80);
    EXPECT_EQ(blesse.degatsContinus, 0);
    EXPECT_EQ(presque.pointsDeVie, 100);
    EXPECT_EQ(ennemi.pointsDeVie, 50);
    EXPECT_EQ(soigneur.experience, 150);   // 50 for each occupied cell, healed or not
    EXPECT_EQ(ExperienceBatailleJoueur, 150);
    int lueurs = 0;
    for (const EffetImpact& e : EffetsImpact) lueurs += e.genre == 3;
    EXPECT_EQ(lueurs, 2);
}

TEST_F(Projectiles, ElectricityStrikesDownWhatStandsOnItsCell) {
    Objet& t = Cible(5, 20, 10, 1);
    ProjectileLancer(C(10), C(10), C(20), C(10), 0, 0, PROJECTILE_ELECTRICITE, 1, 0);
    Voler();
    EXPECT_EQ(t.pointsDeVie, 0);
    EXPECT_EQ(t.ordreSecondaire, 3);
    EXPECT_EQ(t.animation, 19);
    EXPECT_EQ(EffetsImpact[0].genre, 9);
    EXPECT_EQ(EffetsImpact[0].duree, 5);
}

TEST_F(Projectiles, BoulderBreaksThePortcullisAndFellsUnits) {
    // A portcullis (famille 26) that falls opens the breach and shakes the ground.
    Objet& grille = Cible(5, 20, 10, 1, 30);
    grille.famille = 26;
    grille.noeudListe = nullptr;   // its death is the world's business
    EtatGrille = -1;
    BrecheOuverte = 0;
    GrillePresente = 1;
    ProjectileLancer(C(10), C(10), C(20), C(10), 0, 0, PROJECTILE_BOULET, 40, 0);
    Voler();
    EXPECT_LE(grille.pointsDeVie, 0);
    EXPECT_EQ(EtatGrille, 1);
    EXPECT_EQ(BrecheOuverte, 1);
    EXPECT_EQ(GrillePresente, 0);
    EXPECT_EQ(EffetsImpact[0].genre, 15);
    EXPECT_EQ(EffetsImpact[0].x, 21);

    // A unit falls; an empty cell lets the boulder go.
    Objet& u = Cible(6, 30, 10, 1, 30);
    ProjectileLancer(C(10), C(10), C(30), C(10), 0, 0, PROJECTILE_BOULET, 40, 0);
    ProjectileLancer(C(10), C(10), C(40), C(10), 0, 0, PROJECTILE_BOULET, 40, 0);
    Voler();
    EXPECT_EQ(u.ordreSecondaire, 3);
    EXPECT_EQ(u.animation, 19);
    EXPECT_EQ(ProjectileTete, nullptr);
}

TEST_F(Projectiles, BoulderFrameTurnsWithinItsRow) {
    ProjectileLancer(C(10), C(10), C(100), C(10), 0, 0, PROJECTILE_BOULET, 1, 0);   // right: row 4
    std::vector<int> images;
    for (int k = 0; k < 8; ++k) {
        ProjectileGestion();
        images.push_back(ProjectileQueue->image);
    }
    EXPECT_EQ(images, (std::vector<int>{25, 26, 27, 28, 29, 24, 25, 26}));
}

TEST_F(Projectiles, ArrivalOffTheMapRemovesTheProjectileAndItsLoad) {
    Objet& charge = Unite(8, 5, 5);
    charge.projectileLie = 1;
    Projectile* p = Lancer(C(1), C(1), -200, C(1), 0, 0, PROJECTILE_TRACE_SOINS, 1, 1);
    p->objetLie = &charge;
    Voler();
    EXPECT_EQ(ProjectileTete, nullptr);
    EXPECT_EQ(charge.projectileLie, 0);
}

// Projectiles that land are unlinked in the middle of the walk; the others fly on untouched
// (the sanitizers watch the freed records).
TEST_F(Projectiles, RemovalDuringTheWalkKeepsTheOthers) {
    Projectile* loin1 = Lancer(C(10), C(10), C(100), C(10), 0, 0, PROJECTILE_BOULE_FEU, 1, 0);
    ProjectileLancer(C(10), C(10), C(10), C(10), 0, 0, PROJECTILE_FLECHE, 1, 0);
    Projectile* loin2 = Lancer(C(10), C(10), C(10), C(100), 0, 0, PROJECTILE_BOULE_FEU, 1, 0);
    ProjectileLancer(C(10), C(10), C(10), C(11), 0, 0, PROJECTILE_ELECTRICITE, 1, 0);
    ProjectileGestion();
    EXPECT_EQ(Nombre(), 2);
    EXPECT_EQ(ProjectileTete, loin1);
    EXPECT_EQ(ProjectileQueue, loin2);
    EXPECT_EQ(loin1->suivant, loin2);
    EXPECT_EQ(loin2->precedent, loin1);
    EXPECT_EQ(loin1->pas, 35);
    EXPECT_EQ(loin2->pas, 35);
    EXPECT_EQ(ProjectileRetire, 0);

    // Removing by hand: the successor comes back; the only one left empties head and tail.
    EXPECT_EQ(ProjectileDetruire(loin1), loin2);
    EXPECT_EQ(ProjectileRetire, 1);
    EXPECT_EQ(ProjectileDetruire(loin2), nullptr);
    EXPECT_EQ(ProjectileTete, nullptr);
    EXPECT_EQ(ProjectileQueue, nullptr);
}

// A new scene starts without the projectiles of the last one (none is cut off the list).
TEST_F(Projectiles, SceneStartEmptiesTheList) {
    ProjectileLancer(C(10), C(10), C(100), C(10), 0, 0, PROJECTILE_BOULE_FEU, 1, 0);
    ProjectileLancer(C(10), C(10), C(100), C(10), 0, 0, PROJECTILE_BOULE_FEU, 1, 0);
    ProjectileRazQueue();
    EXPECT_EQ(ProjectileTete, nullptr);
    EXPECT_EQ(ProjectileQueue, nullptr);
    Projectile* p = Lancer(C(10), C(10), C(100), C(10), 0, 0, PROJECTILE_BOULE_FEU, 1, 0);
    EXPECT_EQ(ProjectileTete, p);
    EXPECT_EQ(Nombre(), 1);
}

}  // namespace

namespace {

// Particles are only seen: a battle with every trail, stuck arrow and explosion emitted, aged and
// drawn runs the same as one with no particle effect at all.
TEST_F(Projectiles, BattleIsTheSameWithOrWithoutParticles) {
    struct Etat {
        int pv[3];
        int suivant;
    };
    auto bataille = [this](bool particules) {
        Hasard_Graine(11);
        NiveauArcPrecision = 0;   // scattered arrows: draws of the rules stream
        Objet* cibles[3] = {&Cible(4, 20, 10, 1), &Cible(5, 21, 11, 1), &Cible(6, 12, 30, 1)};
        EffetParticule e = effetFleches;
        e.nombre = 5;
        for (EffetParticule** h : {&EffetFleches, &EffetFlechesOmbre, &EffetBouleFeu2, &EffetBouleFeuExplo})
            *h = particules ? &e : nullptr;
        Particules_Initialisation();
        EffetImpactViderTable();
        for (int k = 0; k < 6; ++k) ProjectileLancer(C(10), C(10), C(20), C(10), 0, 0, PROJECTILE_FLECHE, 3, 0);
        ProjectileLancer(C(10), C(10), C(20), C(10), 0, 0, PROJECTILE_BOULE_FEU, 9, 0);
        ProjectileLancer(C(10), C(10), C(12), C(30), 0, 0, PROJECTILE_FLECHE, 3, 0);
        for (int k = 0; k < 20; ++k) {
            EffetImpactGestion();
            if (particules) Particules_Gestion(FacteurTemps);
            ProjectileGestion();
        }
        if (particules) {
            EXPECT_GT(NombreParticulesTotal, 0);
        }
        for (EffetParticule** h : {&EffetFleches, &EffetFlechesOmbre, &EffetBouleFeu2, &EffetBouleFeuExplo}) *h = nullptr;
        return Etat{{cibles[0]->pointsDeVie, cibles[1]->pointsDeVie, cibles[2]->pointsDeVie}, Hasard_Regles()};
    };
    const Etat sans = bataille(false);
    const Etat avec = bataille(true);
    EXPECT_LT(sans.pv[0], 100);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(avec.pv[i], sans.pv[i]) << i;
    EXPECT_EQ(avec.suivant, sans.suivant);
}

}  // namespace

namespace {

// Water and walls are marked by one shared placeholder object: no landing ever strikes it.
TEST_F(Projectiles, LandingsNeverStrikeTheWaterMarker) {
    Objet& repere = Cible(1, 1, 1, 0);
    repere.armee = ARMEE_REPERE;
    for (int j = 8; j <= 12; ++j)
        for (int i = 18; i <= 22; ++i) GrilleUnites[i + 128 * j] = 1;
    for (int genre : {PROJECTILE_FLECHE, PROJECTILE_BOULE_FEU, PROJECTILE_ELECTRICITE, PROJECTILE_BOULET,
                      PROJECTILE_TRACE_SOINS})
        ProjectileLancer(C(10), C(10), C(20), C(10), 0, 0, genre, 500, 5);
    Voler();
    EXPECT_EQ(repere.pointsDeVie, 100);
    EXPECT_EQ(repere.ordreSecondaire, 2);
    EXPECT_EQ(repere.touche, 0);
}

}  // namespace

namespace {

// Magic projectiles leave a trail particle in plan 2 every 16 steps (21 for electricity), the
// count shared by all projectiles of a genre.
TEST_F(Projectiles, TrailsEveryFewSteps) {
    EffetParticule trace = effetFleches;
    for (EffetParticule** h : {&EffetBouleFeu2, &EffetTraceSoins, &EffetCochon, &EffetElectricite}) *h = &trace;
    struct Cas {
        int genre, longueur, trainees, reste;
        int32_t* compteur;
    };
    const Cas cas[] = {
        {PROJECTILE_BOULE_FEU, 100, 6, 5, &TraineeBouleFeu},       // 101 steps
        {PROJECTILE_TRACE_SOINS, 31, 2, 0, &TraineeSoins},         // 32 steps
        {PROJECTILE_POLYMORPHE, 14, 0, 15, &TraineePolymorphe},    // 15 steps
        {PROJECTILE_ELECTRICITE, 100, 4, 17, &TraineeElectricite}, // 101 steps
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.genre);
        Particules_Initialisation();
        ProjectileLancer(C(40), C(40), C(40) + c.longueur, C(40), 0, 0, c.genre, 1, 0);
        Voler();
        EXPECT_EQ(NombreParticules2, c.trainees);
        EXPECT_EQ(*c.compteur, c.reste);
    }
    // A second fireball goes on with the first one's count: 5 + 11 steps make a trail.
    Particules_Initialisation();
    ProjectileLancer(C(40), C(40), C(40) + 10, C(40), 0, 0, PROJECTILE_BOULE_FEU, 1, 0);
    Voler();
    EXPECT_EQ(NombreParticules2, 1);
    for (EffetParticule** h : {&EffetBouleFeu2, &EffetTraceSoins, &EffetCochon, &EffetElectricite}) *h = nullptr;
}

}  // namespace
