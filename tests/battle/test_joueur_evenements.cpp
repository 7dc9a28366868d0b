// The animation event player: which frames play, the visual events by plan, the concrete events
// (shots and the events they consume, direct hits by mode, casts, raise the dead), and the spell
// actions with their experience, mana and effects.
#include "battle/cadavres.h"
#include "battle/joueur_evenements.h"
#include "battle/sorts_actions.h"
#include "evenements_fixture.h"
#include "scene/particules.h"
#include "world/mort.h"

#include <cctype>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>

namespace {

constexpr int ATTAQUE = 9;   // an animation with the default 12 frames and 8 directions

class Joueur : public Bataille {
  protected:
    void SetUp() override {
        Bataille::SetUp();
        NiveauArcPrecision = 7;   // arrows land where they are aimed
    }
    // Puts o on frame `image` of its animation, the frames before it played.
    static void SurImage(Objet& o, int animation, int image) {
        o.animation = animation;
        o.compteurEvenement = image - 1;
        o.image = image;
    }
};

TEST_F(Joueur, FramesPlayOncePerCallCatchingUpSkippedOnes) {
    Objet& o = Nouveau(M_SOLDAT, 0, 10, 10, 2);
    Objet& t = Nouveau(M_SOLDAT, 1, 11, 10);
    o.cible = t.indice;
    for (int f : {3, 4, 5}) Ajouter(M_SOLDAT, ATTAQUE, 2, f, 6, 1, 0);
    o.animation = ATTAQUE;
    o.compteurEvenement = o.image = 2;
    PlayerEvenement(&o);   // the frame did not move: nothing
    EXPECT_EQ(t.pointsDeVie, 100);
    o.image = 5;
    for (int attendu : {90, 80, 70, 70}) {
        PlayerEvenement(&o);
        EXPECT_EQ(t.pointsDeVie, attendu);
    }
    EXPECT_EQ(o.compteurEvenement, 5);

    // Another facing has its own lists; a facing the animation does not have plays nothing.
    SurImage(o, ATTAQUE, 3);
    o.direction = 4;
    PlayerEvenement(&o);
    o.direction = 9;
    SurImage(o, ATTAQUE, 3);
    PlayerEvenement(&o);
    EXPECT_EQ(t.pointsDeVie, 70);

    // Without a target only sounds play; a cell off the map is skipped.
    o.direction = 2;
    o.cible = -1;
    SurImage(o, ATTAQUE, 3);
    PlayerEvenement(&o);
    EXPECT_EQ(t.pointsDeVie, 70);
    o.cible = t.indice;
    o.x = 127;
    SurImage(o, ATTAQUE, 3);
    PlayerEvenement(&o);
    EXPECT_EQ(t.pointsDeVie, 70);
}

TEST_F(Joueur, BadAnimationIsReportedOnceAndPlaysNothing) {
    Objet& o = Nouveau(M_SOLDAT, 0, 10, 10, 2);
    o.animation = -1;
    o.image = 3;
    o.compteurEvenement = 0;
    PlayerEvenement(&o);
    EXPECT_NE(Rapport().find("Animation à -1 pour objet de type 20"), std::string::npos);
    o.animation = 21;
    PlayerEvenement(&o);
    EXPECT_EQ(o.compteurEvenement, 0);
}

TEST_F(Joueur, ShotsConsumeTheFollowingEvent) {
    struct Cas {
        const char* nom;
        int suivant;   // kind of the event after the shot, -1 none
        int poison, feu;
        int variante;
    };
    const Cas cas[] = {
        {"alone", -1, 0, 0, 0},
        {"direct hit after it", 6, 0, 0, 0},
        {"poison without the upgrade", 1, 0, 0, 0},
        {"poison", 1, 1, 0, 1},
        {"fire", 5, 0, 1, 5},
        {"fire without the upgrade", 5, 0, 0, 0},
    };
    Objet& o = Nouveau(M_ARCHER, 0, 10, 10, 2);
    Objet& t = Nouveau(M_SOLDAT, 1, 15, 10);
    o.cible = t.indice;
    int image = 0;
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        NiveauPoisonArmes = c.poison;
        NiveauProjectilesEnflammes = c.feu;
        Ajouter(M_ARCHER, ATTAQUE, 2, image, 3);
        if (c.suivant >= 0) Ajouter(M_ARCHER, ATTAQUE, 2, image, c.suivant, 5, 0);
        const int avant = NombreProjectiles();
        SurImage(o, ATTAQUE, image++);
        PlayerEvenement(&o);
        ASSERT_EQ(NombreProjectiles(), avant + 1);
        const Projectile& p = *ProjectileQueue;
        EXPECT_EQ(p.genre, 0);
        EXPECT_EQ(p.variante, c.variante);
        EXPECT_EQ(p.degats, 10);
        EXPECT_EQ(p.tireur, o.indice);
        EXPECT_EQ(p.arriveeX, 15 * 24 + 12);
        EXPECT_EQ(t.pointsDeVie, 100);   // the following event was not played
    }
    // The player's shots count; a shot at a flyer counts as made with the advantage.
    EXPECT_EQ(AttaquesJoueur, 6);
    EXPECT_EQ(AttaquesAvantageJoueur, 0);
    t.couche = 2;
    Univers__LiberationUnites(t.indice);
    GrilleAir[15 + 128 * 10] = t.indice;
    Ajouter(M_ARCHER, ATTAQUE, 2, image, 3);
    SurImage(o, ATTAQUE, image);
    PlayerEvenement(&o);
    EXPECT_EQ(AttaquesAvantageJoueur, 1);
}

TEST_F(Joueur, DirectHitTakesItsModeFromTheFollowingEvent) {
    struct Cas {
        int suivant, poison;
        int perte, poisonFixe;
    };
    const Cas cas[] = {{-1, 0, 10, 0}, {1, 0, 10, 0}, {1, 2, 10, 1}, {5, 0, 20, 0}};
    Objet& o = Nouveau(M_SOLDAT, 0, 10, 10, 2);
    o.cible = 1;   // any target makes the events act on the cell
    int image = 0;
    for (const Cas& c : cas) {
        SCOPED_TRACE(image);
        Objet& t = Nouveau(M_SOLDAT, 1, 11, 10);
        o.cible = t.indice;
        NiveauPoisonArmes = c.poison;
        Ajouter(M_SOLDAT, ATTAQUE, 2, image, 6, 1, 0);
        if (c.suivant >= 0) Ajouter(M_SOLDAT, ATTAQUE, 2, image, c.suivant, 1, 0);   // would strike again if played
        SurImage(o, ATTAQUE, image++);
        PlayerEvenement(&o);
        EXPECT_EQ(100 - t.pointsDeVie, c.perte);
        EXPECT_EQ(t.degatsContinus != 0, c.poisonFixe != 0);
        Objet__Mort(t.indice, 2);
    }
}

TEST_F(Joueur, VolleyWrapsRoundTheEnemyList) {
    Objet& o = Nouveau(M_ARCHER, 0, 10, 10, 2);
    o.typeMaitre = 16;   // a volley master, its events read from its own (empty) table...
    TableEvenements* propre = TableMaitres[16].evenements;
    TableMaitres[16].evenements = TableMaitres[M_ARCHER].evenements;   // ...borrowed here
    std::vector<int> cibles;
    for (int i = 0; i < 3; ++i) cibles.push_back(Nouveau(M_SOLDAT, 1, 20 + 3 * i, 30).indice);
    for (int i = 0; i < 3; ++i) o.listeEnnemis[i] = cibles[static_cast<size_t>(i)];
    o.dernierEnnemi = 2;
    o.cible = cibles[0];
    Ajouter(M_ARCHER, ATTAQUE, 2, 0, 3);
    SurImage(o, ATTAQUE, 0);
    PlayerEvenement(&o);
    TableMaitres[16].evenements = propre;
    ASSERT_EQ(NombreProjectiles(), 9);
    int n = 0;
    for (const Projectile* p = ProjectileTete; p; p = p->suivant, ++n) {
        const Objet& t = TableObjets[cibles[static_cast<size_t>(n % 3)]];
        EXPECT_EQ(p->arriveeX, t.x * 24 + 12) << n;
        EXPECT_EQ(p->positionX, 10 * 24 + 12 + 48) << n;   // two cells ahead, facing right
    }
    EXPECT_EQ(AttaquesJoueur, 0);   // a volley is not counted
}

TEST_F(Joueur, CastWithoutTargetFallsOnTheCaster) {
    Objet& o = Nouveau(M_MAGE, 0, 10, 10, 2);
    o.mana = 500;
    o.enIncantation = 1;
    o.action = 2;
    o.cibleSort = -1;
    Ajouter(M_MAGE, 13, 2, 0, 9);
    SurImage(o, 5, 0);
    PlayerEvenement(&o);
    EXPECT_EQ(o.cible, o.indice);
    EXPECT_EQ(o.animation, 13);
    EXPECT_EQ(SortsLancesJoueur, 1);
    EXPECT_EQ(o.mana, CoutActionSort[2]);
    ASSERT_EQ(NombreProjectiles(), 1);
    EXPECT_EQ(ProjectileQueue->genre, 2);
    EXPECT_EQ(ProjectileQueue->arriveeX, 10 * 24);
    // The cast ends on the animation's last frame.
    o.image = 11;
    while (o.compteurEvenement < 10) PlayerEvenement(&o);
    EXPECT_EQ(o.enIncantation, 1);
    PlayerEvenement(&o);
    EXPECT_EQ(o.enIncantation, 0);
    EXPECT_EQ(o.action, 0);

    // With a target the caster turns towards it.
    Objet& t = Nouveau(M_SOLDAT, 1, 10, 20);
    o.enIncantation = 1;
    o.cibleSort = t.indice;
    o.prochaineCaseX = 77;
    SurImage(o, 13, 1);
    PlayerEvenement(&o);
    EXPECT_EQ(o.direction, 4);
    EXPECT_EQ(o.prochaineCaseX, 77);
}

TEST_F(Joueur, ParentalControlKeepsTheBloodOnly) {
    Particules_Initialisation();
    EffetParticule sangs[4]{}, lueur{};
    for (EffetParticule* e : {&sangs[0], &sangs[1], &sangs[2], &sangs[3], &lueur}) {
        e->nombre = 2;
        e->dureeDeVie = 10;
        e->typeVie = 1;
    }
    EffetSang1 = &sangs[0];
    EffetSang2 = &sangs[1];
    EffetSang3 = &sangs[2];
    EffetSang4 = &sangs[3];
    Objet& o = Nouveau(M_SOLDAT, 0, 10, 10, 2);
    EvenementVisuel*& liste = TableMaitres[M_SOLDAT].evenements->animations[ATTAQUE][2][0].visuels;
    EvenementVisuel* derniere = nullptr;
    for (int plan : {0, 1, 2}) {
        auto* v = new EvenementVisuel{};
        v->effet = plan == 0 ? &sangs[0] : &lueur;
        v->plan = plan;
        if (derniere) derniere->suivant = v;
        else liste = v;
        derniere = v;
    }
    for (int parental : {1, 0}) {
        SCOPED_TRACE(parental);
        ControleParental = parental;
        NombreParticules0 = NombreParticules1 = NombreParticules2 = 0;
        SurImage(o, ATTAQUE, 0);
        PlayerEvenement(&o);
        EXPECT_EQ(NombreParticules0, parental ? 0 : 2);
        EXPECT_EQ(NombreParticules1, 2);
        EXPECT_EQ(NombreParticules2, 2);
    }
    // The blood drawn is one of the four, kept in the shared event.
    EffetParticule* choisi = liste->effet;
    EXPECT_TRUE(choisi == &sangs[0] || choisi == &sangs[1] || choisi == &sangs[2] || choisi == &sangs[3]);
    // The converted body bleeds no more.
    NombreParticules0 = 0;
    o.typeMaitre = M_CONVERTI;
    TableEvenements* propre = TableMaitres[M_CONVERTI].evenements;
    TableMaitres[M_CONVERTI].evenements = TableMaitres[M_SOLDAT].evenements;
    SurImage(o, ATTAQUE, 0);
    PlayerEvenement(&o);
    TableMaitres[M_CONVERTI].evenements = propre;
    EXPECT_EQ(NombreParticules0, 0);
    EffetSang1 = EffetSang2 = EffetSang3 = EffetSang4 = nullptr;
}

TEST_F(Joueur, RaiseTheDeadByTheCorpsesClass) {
    Objet& mage = Nouveau(M_MAGE, 0, 10, 10, 2);
    mage.action = 4;
    const int maitres[] = {M_SOLDAT, M_ARCHER, M_MAGE};
    std::vector<int> corps;
    for (int i = 0; i < 3; ++i) {
        Objet& v = Nouveau(maitres[i], 1, 20 + 2 * i, 20);
        v.animation = 18;
        Objet__Mort(v.indice, 2);
        corps.push_back(ObjetCourant->indice);
        ASSERT_EQ(TableObjets[corps.back()].typeMaitre, M_CADAVRE);
        mage.listeEnnemis[i] = corps.back();
    }
    mage.dernierEnnemi = 2;
    EvenementAnimationMort(&mage);
    EXPECT_EQ(Population(M_GUERRIER_MORT), 1);
    EXPECT_EQ(Population(M_ARCHER_MORT), 1);
    for (const Objet& o : TableObjets)
        if (o.noeudListe && (o.typeMaitre == M_GUERRIER_MORT || o.typeMaitre == M_ARCHER_MORT)) {
            EXPECT_EQ(o.armee, 5);
        }
    for (int c : corps) EXPECT_EQ(TableObjets[c].ordreSecondaire, 4);   // every corpse of the list is used up
    EXPECT_NE(Rapport().find("Attention classe non prise en compte : 0"), std::string::npos);
    // Another action raises nothing.
    mage.action = 2;
    EvenementAnimationMort(&mage);
    EXPECT_EQ(Population(M_GUERRIER_MORT), 1);
}

class Sorts : public Joueur {
  protected:
    void SetUp() override {
        Joueur::SetUp();
        o = &Nouveau(M_MAGE, 0, 30, 30, 2);
        t = &Nouveau(M_SOLDAT, 1, 40, 30);
        o->cible = o->cibleSort = t->indice;
    }
    void Lancer(int action, int mana = 500) {
        o->action = action;
        o->mana = mana;
        o->experience = 0;
        ExperienceBatailleJoueur = 0;
        Sort__ActionEvenement(o, &evenement);
    }
    Objet* o = nullptr;
    Objet* t = nullptr;
    EvenementConcret evenement{};
};

TEST_F(Sorts, ExperienceManaAndProjectilePerAction) {
    struct Cas {
        int action, mana, experience, genre;   // genre of the projectile, -1 none
    };
    const Cas cas[] = {
        {2, 20, 25, 2},   {3, 15, 25, 3},   {4, 30, 25, -1},  {5, 60, 25, -1},  {6, 20, 25, -1},
        {7, 40, 25, 7},   {9, 500, 25, 9},  {12, 30, 25, -1}, {13, 80, 25, -1}, {15, 75, 250, -1},
        {19, 410, 25, -1}, {20, 80, 250, -1}, {21, 80, 250, -1}, {0, 500, 0, -1}, {1, 500, 0, -1},
        {10, 500, 0, -1}, {14, 500, 0, -1}, {17, 500, 0, -1}, {22, 500, 0, -1}, {23, 500, 0, -1},
        {25, 500, 0, -1},
    };
    int lances = 0;
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.action);
        t->pointsDeVie = 100;   // the bolts' strikes do not matter here
        const int projectiles = NombreProjectiles();
        Lancer(c.action);
        EXPECT_EQ(SortsLancesJoueur, ++lances);
        EXPECT_EQ(o->mana, c.mana);
        EXPECT_EQ(o->experience, c.experience);
        EXPECT_EQ(ExperienceBatailleJoueur, c.experience);
        EXPECT_EQ(NombreProjectiles(), projectiles + (c.genre >= 0));
        if (c.genre >= 0) {
            EXPECT_EQ(ProjectileQueue->genre, c.genre);
            EXPECT_EQ(ProjectileQueue->tireur, o->indice);
            EXPECT_EQ(ProjectileQueue->arriveeX, 40 * 24);
        }
    }
    // The heal trace favours the caster's side.
    Lancer(3);
    EXPECT_EQ(ProjectileQueue->armee, 0);
    // An enemy caster's experience is its own only; a dying caster casts nothing.
    o->armee = 2;
    Lancer(2);
    EXPECT_EQ(o->experience, 25);
    EXPECT_EQ(ExperienceBatailleJoueur, 0);
    o->ordreSecondaire = 3;
    Lancer(2);
    EXPECT_EQ(o->mana, 500);
    // Rain of fire needs a target; the experience comes all the same.
    o->ordreSecondaire = 2;
    o->cibleSort = -1;
    Lancer(13);
    EXPECT_EQ(o->mana, 500);
    EXPECT_EQ(o->experience, 25);
}

TEST_F(Sorts, ElementalNeedsAFreeBlock) {
    // Every cell round the caster taken: nothing changes.
    for (int y = 15; y < 45; ++y)
        for (int x = 15; x < 45; ++x)
            if (GrilleUnites[x + 128 * y] == 0) GrilleUnites[x + 128 * y] = 1;
    Lancer(8);
    EXPECT_EQ(o->mana, 500);
    EXPECT_EQ(o->experience, 0);
    // A free block is reserved for the elemental.
    for (int y = 15; y < 45; ++y)
        for (int x = 15; x < 45; ++x)
            if (GrilleUnites[x + 128 * y] == 1) GrilleUnites[x + 128 * y] = 0;
    Lancer(8);
    EXPECT_EQ(o->mana, 70);
    EXPECT_EQ(o->experience, 25);
    int reservees = 0;
    for (int y = 15; y < 45; ++y)
        for (int x = 15; x < 45; ++x) reservees += GrilleUnites[x + 128 * y] == 1;
    EXPECT_EQ(reservees, 4);
}

TEST_F(Sorts, TeleportNextToTheTarget) {
    o->typeMaitre = 38;
    o->dernierEnnemi = -1;
    for (int j = -1; j <= 1; ++j)
        for (int i = -1; i <= 1; ++i)
            if (GrilleUnites[40 + i + 128 * (30 + j)] == 0) GrilleUnites[40 + i + 128 * (30 + j)] = 1;
    Lancer(11);
    EXPECT_EQ(o->x, 30);
    EXPECT_EQ(o->mana, 500);
    // One neighbour freed: the caster lands there, fighting its target.
    GrilleUnites[41 + 128 * 31] = 0;
    Lancer(11);
    EXPECT_EQ(o->x, 41);
    EXPECT_EQ(o->y, 31);
    EXPECT_EQ(GrilleUnites[41 + 128 * 31], o->indice);
    EXPECT_EQ(GrilleUnites[30 + 128 * 30], 0);
    EXPECT_EQ(o->mana, 500 - CoutActionSort[11]);
    EXPECT_EQ(o->ordreSecondaire, 1);
    EXPECT_EQ(o->cible, t->indice);
}

TEST_F(Sorts, FreezeStopsWholeHostileGroups) {
    const int g = Groupe___Creation(M_SOLDAT, 1, 41, 31, 2, 1, 0);   // one member in the area, one outside
    Objet& ami = Nouveau(M_SOLDAT, 0, 39, 30);
    Lancer(24);
    EXPECT_EQ(t->gel, 100);
    for (int i = 0; i < TableGroupes[g].nbMembres; ++i) EXPECT_EQ(TableObjets[TableGroupes[g].membres[i]].gel, 100);
    EXPECT_EQ(ami.gel, 0);
    EXPECT_EQ(o->mana, 480);
    EXPECT_EQ(o->experience, 25);
    EXPECT_EQ(ExperienceBatailleJoueur, 0);
}

TEST_F(Sorts, SummoningAndDeathRay) {
    for (auto& ligne : TableAttaque) ligne[0] = 0;   // nobody hostile to the player: the creature stays loyal
    Lancer(16);
    EXPECT_EQ(Population(M_BALGATOR), 1);
    EXPECT_EQ(Population(M_SUCCUBE), 1);
    EXPECT_EQ(Population(M_PETIT_DEMON), 5);
    EXPECT_EQ(CreaturesInvoqueesJoueur, 1);
    EXPECT_EQ(o->mana, 500 - CoutActionSort[16]);
    for (const Objet& c : TableObjets) {
        if (!c.noeudListe || (c.typeMaitre != M_BALGATOR && c.typeMaitre != M_SUCCUBE && c.typeMaitre != M_PETIT_DEMON))
            continue;
        EXPECT_EQ(c.armee, 5);
        EXPECT_EQ(c.regenerationVie, c.typeMaitre == M_BALGATOR ? -10 : -5);
        EXPECT_GE(c.x, 50 - 7);   // round the target's cell moved by (10, 5)
        EXPECT_GE(c.y, 35 - 4);
    }

    Lancer(18);
    EXPECT_EQ(t->pointsDeVie, 0);
    EXPECT_EQ(t->ordreSecondaire, 3);
    EXPECT_EQ(t->animation, 18);
    EXPECT_EQ(o->mana, CoutActionSort[18]);
    EXPECT_EQ(o->experience, 25);
}

}  // namespace

namespace {

// The sample cast's own event files: a soldier strikes the cell it faces in each of the 8 facings,
// an archer shoots, a mage's cast fires.
class Exemple : public Monde {
  protected:
    void SetUp() override {
        Monde::SetUp();
        const std::filesystem::path source = MORVANE_SOURCE_DIR;
        for (const auto& e : std::filesystem::directory_iterator(source / "data/maitres"))
            arbre.Ecrire("maitres/" + e.path().filename().string(), LireFichier(e.path()));
        arbre.Ecrire("ini/mv.ini", LireFichier(source / "data/ini/mv.ini"));
        CreationDeLalIsteDesObjetsGfx();
        ASSERT_GT(Maitres__Liste__Creation(), 308);
        Univers__AlloueGrilles();
        ObjetsGroupes__Initialisation();
        ASSERT_EQ(Univers__AlloueCartes(), 1);
        NiveauArcPrecision = 7;
    }
    void TearDown() override {
        ProjectileViderListe();
        NiveauArcPrecision = 0;
        Univers__LibereCartes();
        Monde::TearDown();
    }
    static Objet& Nouveau(int maitre, int armee, int x, int y, int direction) {
        const int g = Groupe___Creation(maitre, armee, x, y, 1, 1, direction);
        return TableObjets[TableGroupes[g].membres[0]];
    }
    // Plays frames 0..11 of the animation, one per call.
    static void Jouer(Objet& o, int animation) {
        o.animation = animation;
        o.compteurEvenement = -1;
        for (o.image = 0; o.image < 12; ++o.image) PlayerEvenement(&o);
    }
};

TEST_F(Exemple, SampleCastStrikesShootsAndCasts) {
    const int dx[8] = {0, 1, 1, 1, 0, -1, -1, -1}, dy[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
    for (int d = 0; d < 8; ++d) {
        SCOPED_TRACE(d);
        Objet& s = Nouveau(20, 0, 20 + 4 * d, 20, d);
        Objet& t = Nouveau(20, 1, s.x + dx[d], s.y + dy[d], 0);
        const int vie = t.pointsDeVie;
        s.cible = t.indice;
        Jouer(s, 1);
        EXPECT_EQ(vie - t.pointsDeVie, s.degats);
    }

    Objet& archer = Nouveau(13, 0, 20, 40, 2);
    Objet& cible = Nouveau(20, 1, 30, 40, 0);
    archer.cible = cible.indice;
    Jouer(archer, 1);
    ASSERT_NE(ProjectileQueue, nullptr);
    EXPECT_EQ(ProjectileQueue->genre, 0);
    EXPECT_EQ(ProjectileQueue->arriveeX, 30 * 24 + 12);

    Objet& mage = Nouveau(17, 0, 20, 50, 2);
    mage.enIncantation = 1;
    mage.action = 2;
    mage.cibleSort = cible.indice;
    Jouer(mage, 13);
    EXPECT_EQ(ProjectileQueue->genre, 2);
    EXPECT_EQ(mage.mana, CoutActionSort[2]);
    EXPECT_EQ(mage.enIncantation, 0);
}

// With the poisoned-weapons upgrade every faction's archers poison their arrows whichever way
// they face, in each of their attack poses.
TEST_F(Exemple, SampleArchersPoisonInEveryFacing) {
    NiveauPoisonArmes = 1;
    Objet& cible = Nouveau(20, 1, 60, 60, 0);
    const int maitres[4] = {13, 21, 28, 43};
    for (int m = 0; m < 4; ++m) {
        const int maitre = maitres[m];
        for (int d = 0; d < 8; ++d) {
            Objet& archer = Nouveau(maitre, 0, 10 + 3 * d, 10 + 6 * m, d);
            archer.cible = cible.indice;
            for (int animation = 1; animation <= 4; ++animation) {
                SCOPED_TRACE(testing::Message() << "master " << maitre << " facing " << d << " pose " << animation);
                const Projectile* avant = ProjectileQueue;
                Jouer(archer, animation);
                ASSERT_NE(ProjectileQueue, avant);
                EXPECT_EQ(ProjectileQueue->variante, 1);
            }
        }
    }
    NiveauPoisonArmes = 0;
}

}  // namespace

namespace {

// The sample cast is heard: every frame that strikes, shoots or casts plays a sound (a shot
// consumes the event after it, so its sound is on the frame before), every death animation of the
// factions' men cries out, and every sound they name is in the sound list.
TEST_F(Exemple, SampleCastSoundsItsBlowsShotsSpellsAndDeaths) {
    std::set<int> liste;
    std::istringstream ini(LireFichier(std::filesystem::path(MORVANE_SOURCE_DIR) / "data/Son/SoundList.ini"));
    for (std::string ligne; std::getline(ini, ligne);)
        if (!ligne.empty() && std::isdigit(static_cast<unsigned char>(ligne[0]))) liste.insert(std::stoi(ligne));
    auto sons = [&](const EvenementsImage& image) {
        int n = 0;
        for (const EvenementConcret* e = image.concrets; e != nullptr; e = e->suivant) {
            if (e->type != 8) continue;
            ++n;
            for (int id : e->sons) EXPECT_TRUE(liste.count(id)) << id;
        }
        return n;
    };
    int actions = 0;
    for (int m = 0; m < NOMBRE_TYPES_MAITRES; ++m) {
        const TableEvenements* table = TableMaitres[m].evenements;
        if (table == nullptr) continue;
        for (int a = 0; a < NOMBRE_ANIMATIONS; ++a) {
            if (table->animations[a] == nullptr) continue;
            for (int p = 0; p < table->directions[a]; ++p) {
                const EvenementsImage* images = table->animations[a][p];
                for (int f = 0; images != nullptr && f < table->images[a]; ++f) {
                    SCOPED_TRACE(testing::Message() << "master " << m << " animation " << a << " position " << p
                                                    << " frame " << f);
                    const EvenementConcret* action = images[f].concrets;
                    while (action != nullptr && action->type != 3 && action->type != 6 && action->type != 9)
                        action = action->suivant;
                    const int ici = sons(images[f]);
                    if (action == nullptr) continue;
                    ++actions;
                    if (action->type == 3) EXPECT_EQ(f > 0 ? sons(images[f - 1]) : 0, 1);
                    else EXPECT_EQ(ici, 1);
                }
            }
        }
    }
    EXPECT_GT(actions, 400);
    // Soldiers, archers and mages of the four factions, and the hero: a cry in each of the death
    // animation's four positions.
    for (int m : {20, 13, 17, 23, 21, 24, 34, 28, 31, 10, 43, 11, 5}) {
        const TableEvenements* table = TableMaitres[m].evenements;
        ASSERT_NE(table, nullptr) << m;
        ASSERT_NE(table->animations[18], nullptr) << m;
        ASSERT_EQ(table->directions[18], 4) << m;
        for (int p = 0; p < 4; ++p) {
            int cris = 0;
            for (int f = 0; f < table->images[18]; ++f)
                for (const EvenementConcret* e = table->animations[18][p][f].concrets; e != nullptr; e = e->suivant)
                    cris += e->type == 8;
            EXPECT_EQ(cris, 1) << "master " << m << " position " << p;
        }
    }
}

}  // namespace
