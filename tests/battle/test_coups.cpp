// Hits, heals and death: the three damage rules and their armour tables, the direct hit's
// modifiers, the death steps with the conversion of killed men, sweeping blows, the heal event.
#include "battle/coups.h"
#include "battle/generateurs.h"
#include "battle/joueur_evenements.h"
#include "evenements_fixture.h"
#include "shell/scenario.h"
#include "world/mort.h"

namespace {

class Coups : public Bataille {
  protected:
    // An attacker of army 0 at level 3 (hit value 10 + 2 x 2 = 14) and a target of army 1 facing
    // another way, both soldiers.
    void SetUp() override {
        Bataille::SetUp();
        a = &Nouveau(M_SOLDAT, 0, 10, 10, 2);
        a->niveau = 3;
        t = &Nouveau(M_SOLDAT, 1, 11, 10, 6);
        t->pointsDeVie = t->pointsDeVieMaximum = 1000;
    }
    Objet* a = nullptr;
    Objet* t = nullptr;
};

TEST_F(Coups, ArmourTablePerRule) {
    struct Cas {
        int armure, melee, impact, direct;
    };
    const Cas cas[] = {{0, 14, 7, 14}, {1, 7, 4, 14}, {2, 0, 0, 14}, {3, 42, 28, 14}};
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.armure);
        t->modeArmure = c.armure;
        t->pointsDeVie = 1000;
        EvenementCoupDegats(t, a);
        EXPECT_EQ(1000 - t->pointsDeVie, c.melee);
        t->pointsDeVie = 1000;
        EffetImpactDegats(t, a);
        EXPECT_EQ(1000 - t->pointsDeVie, c.impact);
        t->pointsDeVie = 1000;
        EvenementDegats(t->indice, a, 0);
        EXPECT_EQ(1000 - t->pointsDeVie, c.direct);
    }
    // Melee and direct hits record what was lost; the impact rule does not.
    EXPECT_EQ(t->degatsRecus, 14 + 7 + 0 + 42 + 4 * 14);
}

TEST_F(Coups, SameArmyAndInertTargets) {
    t->armee = 0;
    t->taille = 2;
    EvenementCoupDegats(t, a);
    EXPECT_EQ(t->pointsDeVie, 1000);   // never by melee
    EvenementDegats(t->indice, a, 0);
    EXPECT_EQ(t->pointsDeVie, 986);    // a direct hit unless the sizes match too
    t->pointsDeVie = 1000;
    t->taille = 1;
    EvenementDegats(t->indice, a, 0);
    EXPECT_EQ(t->pointsDeVie, 1000);

    // A dying target, an inactive one, and an unknown index take nothing.
    t->armee = 1;
    t->ordreSecondaire = 3;
    EvenementCoupDegats(t, a);
    EvenementDegats(t->indice, a, 0);
    t->ordreSecondaire = 2;
    t->actif = 0;
    EvenementDegats(t->indice, a, 0);
    EXPECT_EQ(t->pointsDeVie, 1000);
    EvenementDegats(0, a, 0);
    EvenementDegats(5000, a, 0);
    EvenementDegats(-3, a, 0);
}

TEST_F(Coups, DirectHitModifiers) {
    struct Cas {
        const char* nom;
        int maitreA, maitreT, classeT, mode;
        int* niveau;
        int valeur;
        int perte;
    };
    int aucun = 0;
    const Cas cas[] = {
        {"plain", M_SOLDAT, M_SOLDAT, 3, 0, &aucun, 0, 14},
        {"unknown mode acts as 0", M_SOLDAT, M_SOLDAT, 3, 4, &aucun, 0, 14},
        {"half: level bonus + damage / 2", M_SOLDAT, M_SOLDAT, 3, 6, &aucun, 0, 4 + 5},
        {"eleven-fold", M_SOLDAT, M_SOLDAT, 3, 7, &aucun, 0, 14 * 11},
        {"burning twice", M_SOLDAT, M_SOLDAT, 3, 5, &aucun, 0, 28},
        {"phalanx at a rider, level 1", 32, 22, 3, 0, &NiveauPhalange, 1, 28},
        {"phalanx at a rider, level 2", 32, 22, 3, 0, &NiveauPhalange, 2, 14 + 4 + 20},
        {"phalanx at a rider, level 3", 32, 22, 3, 0, &NiveauPhalange, 3, 14 + 4 + 30},
        {"phalanx at foot", 32, M_SOLDAT, 3, 0, &NiveauPhalange, 3, 14},
        {"rider at foot, level 0", 22, M_SOLDAT, 3, 0, &NiveauCavalierLeger, 0, 28},
        {"rider at an archer, level 3", 22, M_SOLDAT, 4, 0, &NiveauCavalierLeger, 3, 14 + 34},
        {"rider at a mage", 22, M_SOLDAT, 0, 0, &NiveauCavalierLeger, 3, 14},
        {"heavy riders at anyone", 22, M_SOLDAT, 0, 0, &NiveauCavalierLourd, 1, 14 + 24},
        {"charge at anyone", 22, M_SOLDAT, 0, 0, &NiveauChargeCavalerie, 1, 28},
        {"backstab when both face the same way", M_SOLDAT, M_SOLDAT, 3, 0, &NiveauAttaqueTraitre, 5, 14 + 5},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        *c.niveau = c.valeur;
        a->typeMaitre = c.maitreA;
        t->typeMaitre = c.maitreT;
        t->classe = c.classeT;
        t->direction = c.niveau == &NiveauAttaqueTraitre ? a->direction : 6;
        t->pointsDeVie = 1000;
        EvenementDegats(t->indice, a, c.mode);
        EXPECT_EQ(1000 - t->pointsDeVie, c.perte);
        *c.niveau = 0;
    }
    // The player's phalanx and riders count their attacks, and those made with the advantage.
    EXPECT_EQ(AttaquesJoueur, 9);
    EXPECT_EQ(AttaquesAvantageJoueur, 5);

    // Berserk: a wounded attacker regains a fifth of its life and strikes 30 % harder.
    a->typeMaitre = 15;
    a->pointsDeVie = 10;
    a->pointsDeVieMaximum = 100;
    t->pointsDeVie = 1000;
    EvenementDegats(t->indice, a, 0);
    EXPECT_EQ(a->pointsDeVie, 30);
    EXPECT_EQ(1000 - t->pointsDeVie, 14 + 3);
    EXPECT_EQ(a->icone, 2);

    // Poison by mode 1, raised by the upgrade.
    a->typeMaitre = M_SOLDAT;
    NiveauPoisonArmes = 10;
    EvenementDegats(t->indice, a, 1);
    EXPECT_EQ(t->degatsContinus, 2);
}

TEST_F(Coups, KilledManIsConvertedAndKillerGainsExperience) {
    ExperienceParType[M_CONVERTI] = 40;   // the victim is already the converted body when the killer gains
    t->pointsDeVie = 5;
    t->modeArmure = 0;
    const int population = PopulationParType[M_SOLDAT];
    Hasard_Graine(3);
    EvenementCoupDegats(t, a);
    EXPECT_EQ(t->typeMaitre, M_CONVERTI);
    EXPECT_EQ(t->delaiMort(), M_SOLDAT);
    EXPECT_EQ(t->pointsDeVie, 50);
    EXPECT_EQ(t->regenerationVie, -1);
    EXPECT_EQ(t->ordreSecondaire, 3);
    EXPECT_TRUE(t->animation == 17 || t->animation == 18 || t->animation == 19);
    EXPECT_EQ(t->degatsRecus, 5);   // what it had, not the converted body's life
    EXPECT_EQ(PopulationParType[M_SOLDAT], population - 1);
    EXPECT_EQ(a->experience, 40);
    EXPECT_EQ(ExperienceBatailleJoueur, 40);

    // Hit again, the converted body dies for good and is never converted twice.
    t->ordreSecondaire = 2;
    t->pointsDeVie = 1;
    EvenementCoupDegats(t, a);
    EXPECT_EQ(t->typeMaitre, M_CONVERTI);
    EXPECT_EQ(t->pointsDeVie, 0);
    EXPECT_EQ(t->animation, 18);
}

TEST_F(Coups, ConversionRulesPerDamageRule) {
    struct Cas {
        const char* nom;
        int regle;   // 0 melee, 1 impact, 2 direct
        int mode, armure, maitre, taille;
        bool converti;
    };
    const Cas cas[] = {
        {"melee", 0, 0, 0, M_SOLDAT, 1, true},
        {"impact effect", 1, 0, 0, M_SOLDAT, 1, true},
        {"direct hit, plain", 2, 0, 0, M_SOLDAT, 1, false},
        {"direct hit, burning", 2, 5, 0, M_SOLDAT, 1, true},
        {"direct hit, burning an immune armour", 2, 5, 2, M_SOLDAT, 1, false},
        {"a large man", 0, 0, 0, M_SOLDAT, 2, false},
        {"the polymorphed", 0, 0, 0, 300, 1, false},
        {"master 35", 0, 0, 0, 35, 1, false},
        {"master 197", 0, 0, 0, 197, 1, false},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Objet& v = Nouveau(M_SOLDAT, 1, 30, 30 + 3 * static_cast<int>(&c - cas));
        v.typeMaitre = c.maitre;
        v.taille = c.taille;
        v.modeArmure = c.armure;
        v.pointsDeVie = 1;
        if (c.regle == 0) EvenementCoupDegats(&v, a);
        else if (c.regle == 1) EffetImpactDegats(&v, a);
        else EvenementDegats(v.indice, a, c.mode);
        EXPECT_EQ(v.typeMaitre == M_CONVERTI, c.converti);
        EXPECT_EQ(v.pointsDeVie, c.converti ? 50 : 0);   // never below 0
        EXPECT_EQ(v.ordreSecondaire, 3);
    }
    // The impact rule and the eleven-fold hit give no experience.
    ExperienceParType[M_SOLDAT] = 40;
    a->experience = 0;
    Objet& v = Nouveau(M_SOLDAT, 1, 60, 60);
    v.pointsDeVie = 1;
    EffetImpactDegats(&v, a);
    Objet& w = Nouveau(M_SOLDAT, 1, 62, 60);
    w.pointsDeVie = 1;
    EvenementDegats(w.indice, a, 7);
    EXPECT_EQ(a->experience, 0);
}

TEST_F(Coups, DeathAnimationByKillerAndParentalControl) {
    struct Cas {
        int tueur, parental, animation;
    };
    const Cas cas[] = {{8, 0, 19}, {12, 0, 19}, {120, 0, 19}, {41, 0, 17}, {121, 0, 17}, {8, 1, 18}, {41, 1, 18}};
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.tueur);
        ControleParental = c.parental;
        Objet& v = Nouveau(M_SOLDAT, 1, 40, 40);
        a->typeMaitre = c.tueur;
        EvenementMort(&v, a);
        EXPECT_EQ(v.animation, c.animation);
        EXPECT_EQ(v.ordreSecondaire, 3);
        Objet__Mort(v.indice, 2);
    }
    // The death animations have 4 directions: the facing is halved (7 shows row 3).
    ControleParental = 1;
    a->typeMaitre = M_SOLDAT;
    Objet& v = Nouveau(M_SOLDAT, 1, 44, 40, 7);
    v.image = 5;
    EvenementMort(&v, a);
    EXPECT_EQ(v.direction, 3);
    EXPECT_EQ(v.image, 0);
    EXPECT_EQ(v.compteurEvenement, -1);
    // A dying object is not started again; its animation becomes 18.
    ControleParental = 0;
    v.animation = 19;
    EvenementMort(&v, a);
    EXPECT_EQ(v.animation, 18);
}

TEST_F(Coups, PortcullisDeathOpensTheBreachAndHurtsNobody) {
    Objet& g = Nouveau(M_SOLDAT, 1, 50, 50);
    g.famille = 26;
    GrillePresente = 1;
    EtatGrille = 0;
    BrecheOuverte = 0;
    const int vie = t->pointsDeVie;
    EvenementMort(&g, a);
    EXPECT_EQ(g.ordreSecondaire, 4);
    EXPECT_EQ(EtatGrille, 1);
    EXPECT_EQ(BrecheOuverte, 1);
    EXPECT_EQ(GrillePresente, 0);
    EXPECT_EQ(t->pointsDeVie, vie);
}

TEST_F(Coups, SweepingBlowAreas) {
    // The cells struck round C = (20, 20) by facing; an object on every cell of the 9 x 9 square.
    struct Cas {
        int direction;
        std::vector<std::pair<int, int>> cases;
    };
    const Cas cas[] = {
        {3, {{20, 20}, {20, 21}, {19, 21}, {21, 20}, {21, 19},      // first step at C
             {21, 21}, {21, 22}, {20, 22}, {22, 21}, {22, 20},      // then from (21, 21)
             {22, 22}, {22, 23}, {21, 23}, {23, 22}, {23, 21}}},
        {0, {{20, 20}, {20, 19}, {20, 18}, {20, 17}, {21, 20}, {21, 19}, {21, 18}, {21, 17},
             {19, 20}, {19, 19}, {19, 18}, {19, 17}}},
        {6, {{20, 20}, {19, 20}, {18, 20}, {17, 20}, {20, 21}, {19, 21}, {18, 21}, {17, 21},
             {20, 19}, {19, 19}, {18, 19}, {17, 19}}},
    };
    std::vector<Objet*> cibles;
    for (int y = 16; y <= 24; ++y)
        for (int x = 16; x <= 24; ++x) {
            Objet& o = Nouveau(M_SOLDAT, 1, x, y);
            o.modeArmure = 0;
            cibles.push_back(&o);
        }
    Objet& balayeur = Nouveau(M_SOLDAT, 0, 5, 5);
    balayeur.typeMaitre = 132;   // a sweeping master
    balayeur.x = 19;
    balayeur.y = 19;
    EvenementConcret e{};
    e.caseX = 1;
    e.caseY = 1;
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.direction);
        for (Objet* o : cibles) o->pointsDeVie = 100;
        balayeur.direction = c.direction;
        EvenementCoupMelee(0, &balayeur, &e);
        for (Objet* o : cibles) {
            const bool attendu = std::find(c.cases.begin(), c.cases.end(), std::make_pair(o->x, o->y)) != c.cases.end();
            EXPECT_EQ(o->pointsDeVie < 100, attendu) << o->x << "," << o->y;
        }
    }
    // Others strike the object given, even with an area event.
    balayeur.typeMaitre = M_SOLDAT;
    cibles[0]->pointsDeVie = 100;
    EvenementCoupMelee(cibles[0]->indice, &balayeur, &e);
    EXPECT_EQ(cibles[0]->pointsDeVie, 90);
}

TEST_F(Coups, HealCapsAtMaximumCuresAndSendsTheTrace) {
    Objet& soigneur = Nouveau(M_MAGE, 1, 20, 20);
    Objet& blesse = Nouveau(M_SOLDAT, 1, 22, 20);
    blesse.pointsDeVieMaximum = 100;
    blesse.pointsDeVie = 95;
    blesse.degatsContinus = 3;
    soigneur.cible = blesse.indice;
    EvenementConcret e{};
    e.caseX = 2;
    EvenementAttaqueSpeciale(blesse.indice, &soigneur, &e, 0.5);
    EXPECT_EQ(blesse.pointsDeVie, 100);
    EXPECT_EQ(blesse.degatsContinus, 0);
    EXPECT_EQ(blesse.touche, 1);
    // The carrier and its trace, resolved where it starts, for the healer's side.
    ASSERT_EQ(Population(M_PORTEUR_SOIN), 1);
    ASSERT_EQ(NombreProjectiles(), 1);
    const Projectile& p = *ProjectileQueue;
    EXPECT_EQ(p.genre, 3);
    EXPECT_EQ(p.variante, 1);
    EXPECT_EQ(p.tireur, soigneur.indice);
    EXPECT_EQ(p.armee, 1);
    EXPECT_EQ(p.pas, p.nbPas);
    ASSERT_NE(p.objetLie, nullptr);
    EXPECT_EQ(p.objetLie->typeMaitre, M_PORTEUR_SOIN);
    EXPECT_EQ(p.objetLie->cible, blesse.indice);

    // An enemy is not healed (nor cured), and a life above the maximum is cut down all the same.
    Objet& ennemi = Nouveau(M_SOLDAT, 0, 24, 20);
    ennemi.pointsDeVieMaximum = 100;
    ennemi.pointsDeVie = 150;
    ennemi.degatsContinus = 3;
    EvenementAttaqueSpeciale(ennemi.indice, &soigneur, &e, 0.5);
    EXPECT_EQ(ennemi.pointsDeVie, 100);
    EXPECT_EQ(ennemi.degatsContinus, 3);
    EXPECT_EQ(NombreProjectiles(), 1);
    // An immune body stays immune when healed.
    blesse.pointsDeVie = 50;
    blesse.degatsContinus = 254;
    EvenementAttaqueSpeciale(blesse.indice, &soigneur, &e, 0.5);
    EXPECT_EQ(blesse.degatsContinus, 254);
}

}  // namespace
