// Spawners, corpses and damage over time.
#include "battle/cadavres.h"
#include "battle/generateurs.h"
#include "evenements_fixture.h"
#include "shell/cycles.h"
#include "world/descriptions.h"
#include "world/mort.h"

namespace {

class Generateurs : public Bataille {};

TEST_F(Generateurs, DamageOverTimeEveryOtherFrame) {
    Objet& o = Nouveau(M_SOLDAT, 1, 10, 10);
    o.pointsDeVie = 100;
    o.degatsContinus = 3;
    for (int f = 0; f < 20; ++f) {
        CompteurCycle20 = f;
        ObjetCourant = &o;
        EXPECT_EQ(Objet__DegatsContinus(), 0);
    }
    EXPECT_EQ(o.pointsDeVie, 70);
    // The frame that takes the last hit points tells it; none is stored below 0.
    o.pointsDeVie = 2;
    CompteurCycle20 = 0;
    ObjetCourant = &o;
    EXPECT_EQ(Objet__DegatsContinus(), 1);
    EXPECT_EQ(o.pointsDeVie, 0);
    // The death it brings ends it: the dying body's death is not started again every other frame.
    EXPECT_EQ(o.degatsContinus, 0);
    o.degatsContinus = 3;
    o.pointsDeVie = 50;
    o.ordreSecondaire = 3;
    ObjetCourant = &o;
    EXPECT_EQ(Objet__DegatsContinus(), 0);
    EXPECT_EQ(o.pointsDeVie, 50);
    o.ordreSecondaire = 2;

    // An immune object is neither hurt, poisoned nor cured.
    o.pointsDeVie = 100;
    o.degatsContinus = 254;
    ObjetCourant = &o;
    EXPECT_EQ(Objet__DegatsContinus(), 0);
    Objet__DegatsContinusFixe(1, o.indice);
    Objet__DegatsContinusAnnule(o.indice);
    EXPECT_EQ(o.degatsContinus, 254);
    EXPECT_EQ(o.pointsDeVie, 100);
}

TEST_F(Generateurs, PoisonDoseByUpgradeLevel) {
    struct Cas {
        int v, niveau, dose;
    };
    // 1 + 1 x 50 / 100 = 1; 10 + 5; a dose past a byte is kept below the immune mark.
    const Cas cas[] = {{1, 0, 1}, {1, 5, 1}, {10, 5, 15}, {10, 10, 20}, {200, 10, 253}, {250, 0, 250}};
    Objet& o = Nouveau(M_SOLDAT, 1, 10, 10);
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.v * 100 + c.niveau);
        NiveauPoisonArmes = c.niveau;
        Objet__DegatsContinusFixe(c.v, o.indice);
        EXPECT_EQ(o.degatsContinus, c.dose);
        Objet__DegatsContinusAnnule(o.indice);
        EXPECT_EQ(o.degatsContinus, 0);
    }
}

TEST_F(Generateurs, SpawnerTakesItsMasterFromTheBuildingDescription) {
    Objet& b = Nouveau(M_SOLDAT, 1, 10, 10);
    DescriptionBatiment d{};
    d.nbCodesObjets = 1;
    d.codeObjet[0] = 2;
    d.codeX[0] = 1;
    d.codeY[0] = 2;
    d.codeParam1[0] = M_ARCHER;
    DescriptionBatimentCourante = &d;
    Objet& g = TableObjets[ObjetNaissance(M_GENERATEUR, 1, 11, 12, -1, b.indice)];
    EXPECT_EQ(g.generateurMaitre(), M_ARCHER);
    EXPECT_EQ(g.generateurReste(), 10);
    EXPECT_EQ(g.generateurTaille(), 1);
    EXPECT_EQ(g.generateurPeriode(), 50);
    EXPECT_EQ(g.generateurDelai(), 50);
    // No code at its offset, or a master that is not loaded: it brings forth nothing.
    Objet& perdu = TableObjets[ObjetNaissance(M_GENERATEUR, 1, 12, 12, -1, b.indice)];
    EXPECT_EQ(perdu.generateurMaitre(), -1);
    d.codeParam1[0] = 200;
    Objet& vide = TableObjets[ObjetNaissance(M_GENERATEUR, 1, 11, 12, -1, b.indice)];
    EXPECT_EQ(vide.generateurMaitre(), -1);
    DescriptionBatimentCourante = nullptr;
    for (int i = 0; i < 200; ++i) {
        ObjetCourant = &vide;
        Generateur__Gestion();
    }
    EXPECT_EQ(Population(200), 0);
    EXPECT_EQ(vide.ordreSecondaire, 2);
}

TEST_F(Generateurs, SpawnerCadenceCountAndEnd) {
    Objet& g = TableObjets[ObjetNaissance(M_GENERATEUR, 1, 20, 20, -1, 0)];
    g.generateurMaitre() = M_SOLDAT;
    g.generateurTaille() = 1;
    auto tours = [&](int n) {
        for (int i = 0; i < n; ++i) {
            ObjetCourant = &g;
            Generateur__Gestion();
        }
    };
    tours(50);
    EXPECT_EQ(Population(M_SOLDAT), 0);
    tours(1);   // a try every 51 frames
    EXPECT_EQ(Population(M_SOLDAT), 1);
    EXPECT_EQ(g.generateurReste(), 9);
    const int premier = GrilleUnites[20 + 128 * 20];
    EXPECT_EQ(TableObjets[premier].armee, 1);
    EXPECT_EQ(TableObjets[premier].direction, 1);

    // The newcomer still stands there: the tries wait, the count kept.
    tours(51 * 3);
    EXPECT_EQ(Population(M_SOLDAT), 1);
    EXPECT_EQ(g.generateurReste(), 9);

    // Cleared after each birth, the square gives the nine others; then the spawner dies.
    for (int n = 0; n < 9; ++n) {
        Univers__LiberationUnites(GrilleUnites[20 + 128 * 20]);
        tours(51);
    }
    EXPECT_EQ(Population(M_SOLDAT), 10);
    EXPECT_EQ(g.generateurReste(), 0);
    EXPECT_EQ(g.ordreSecondaire, 4);
}

TEST_F(Generateurs, CorpseFrameFromTheDeathInTheFacing) {
    struct Cas {
        const char* nom;
        int animation, directions, direction, maitre;
        int animationCadavre, image;
    };
    const Cas cas[] = {
        {"4-direction death", 18, 4, 3, M_SOLDAT, 18, 3 * 12 + 11},
        {"8-direction fall", 17, 8, 5, M_SOLDAT, 17, 5 * 12 + 11},
        {"killed in another animation", 9, 8, 2, M_SOLDAT, 18, 2 * 12 + 11},
        {"16 directions", 19, 16, 9, M_SOLDAT, 19, 9},
        {"one direction", 19, 1, 3, M_SOLDAT, 19, 0},
        {"one direction, master 124", 19, 1, 3, 124, 19, 11},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Objet& v = Nouveau(M_SOLDAT, 1, 30, 30, c.direction);
        TableMaitres[M_SOLDAT].animations[c.animation].directions = c.directions;
        v.typeMaitre = c.maitre;
        v.animation = c.animation;
        v.niveau = 4;
        v.decalageX = 7;
        Objet__Mort(v.indice, 2);
        TableMaitres[M_SOLDAT].animations[c.animation].directions = c.animation >= 18 ? 4 : 8;
        ASSERT_NE(ObjetCourant, &v);   // left on the corpse
        Objet& corps = *ObjetCourant;
        EXPECT_EQ(corps.typeMaitre, M_CADAVRE);
        EXPECT_EQ(corps.armee, 4);
        EXPECT_EQ(corps.maitreCadavre(), c.maitre);
        EXPECT_EQ(corps.niveauCadavre(), 4);
        EXPECT_EQ(corps.dureeCadavre(), 168);
        EXPECT_EQ(corps.decalageX, 7);
        EXPECT_EQ(corps.ordreSecondaire, 3);
        EXPECT_EQ(corps.animation, c.animationCadavre);
        EXPECT_EQ(corps.imageCadavre, c.image);
        EXPECT_EQ(GrilleSol[30 + 128 * 30], corps.indice);
        Objet__Mort(corps.indice, 3);
    }
    EXPECT_EQ(arbre.Lire("run/ErreurCadavre.txt"), "");
}

TEST_F(Generateurs, OddDirectionCountLeavesADiagnostic) {
    Objet& v = Nouveau(M_SOLDAT, 1, 30, 30, 2);
    TableMaitres[M_SOLDAT].animations[18].directions = 5;
    v.animation = 18;
    v.categorie = 6;
    Objet__Mort(v.indice, 2);
    TableMaitres[M_SOLDAT].animations[18].directions = 4;
    EXPECT_EQ(ObjetCourant->imageCadavre, 0);
    EXPECT_EQ(arbre.Lire("run/ErreurCadavre.txt"),
              "objet de type 20\nsort9  75\nDirectionNombre  5\nanimation  18\ncamp 6\n");
}

TEST_F(Generateurs, CorpseIsRemovedAfter168Frames) {
    Objet& v = Nouveau(M_SOLDAT, 1, 30, 30, 2);
    Objet__Mort(v.indice, 2);
    Objet& corps = *ObjetCourant;
    for (int i = 0; i < 167; ++i) {
        ObjetCourant = &corps;
        Minuterie__Gestion();
    }
    EXPECT_EQ(corps.ordreSecondaire, 3);
    EXPECT_EQ(corps.dureeCadavre(), 1);
    ObjetCourant = &corps;
    Minuterie__Gestion();
    EXPECT_EQ(corps.ordreSecondaire, 4);
    EXPECT_EQ(GrilleSol[30 + 128 * 30], 0);

    // A unit that left the map, or a table without the corpse master, leaves none.
    Objet& parti = Nouveau(M_SOLDAT, 1, 32, 30, 2);
    parti.etatFuite = 2;
    Objet__Mort(parti.indice, 2);
    EXPECT_EQ(Population(M_CADAVRE), 0);
}

TEST_F(Generateurs, CorpseOfAnOddSizeIsNotDrawn) {
    Objet& v = Nouveau(M_SOLDAT, 1, 30, 30, 2);
    Objet__Mort(v.indice, 2);
    ObjetCourant->taille = 6;
    CadavreAffichage();   // would be fatal: nothing drawn, the game goes on
    ObjetCourant->taille = 1;
    CadavreAffichage();
    EXPECT_EQ(Rapport(), "");
}

}  // namespace

#include "../world/scene_fixture.h"
#include "editors/evenements.h"
#include "world/gestion_objets.h"
#include "world/maitres.h"

namespace {

// The sample level's barracks brings forth neutral soldiers through the spawner its description
// places: the Empire's soldier in a colour of their own, with its figures, stats and events.
TEST_F(Scene, SampleBarracksSpawnsNeutralSoldiers) {
    constexpr int SOLDAT = 20, NEUTRE = 51;
    ASSERT_TRUE(Creer()) << Rapport();
    ASSERT_EQ(GroupesDe(307).size(), 1u);
    Objet& g = TableObjets[TableGroupes[GroupesDe(307)[0]].membres[0]];
    EXPECT_EQ(g.generateurMaitre(), NEUTRE);
    EXPECT_EQ(GrilleSol[g.x + 128 * g.y], g.indice);
    const size_t soldats = GroupesDe(NEUTRE).size();
    for (int i = 0; i < 51; ++i) {
        ObjetCourant = &g;
        Objet__Examine();
    }
    ASSERT_EQ(GroupesDe(NEUTRE).size(), soldats + 1);
    const Objet& s = TableObjets[TableGroupes[GroupesDe(NEUTRE).back()].membres[0]];
    EXPECT_EQ(s.x, g.x);
    EXPECT_EQ(s.y, g.y);
    EXPECT_EQ(s.armee, g.armee);
    EXPECT_EQ(Rapport(), "");

    const Objet &n = TableMaitres[NEUTRE], &e = TableMaitres[SOLDAT];
    for (int a = 0; a < NOMBRE_ANIMATIONS; ++a)
        EXPECT_EQ((*TablesObjetGfxAnimations[a])[NEUTRE], (*TablesObjetGfxAnimations[a])[SOLDAT]) << a;
    EXPECT_EQ(n.pointsDeVie, e.pointsDeVie);
    EXPECT_EQ(n.degats, e.degats);
    EXPECT_EQ(n.vitesse, e.vitesse);
    EXPECT_NE(std::string(n.couleur, 3), std::string(e.couleur, 3)) << "not the Empire's red";
    EXPECT_NE(n.categorie, e.categorie) << "nor its colour on the minimap";
    // The same blows at the same frames.
    const auto concrets = [](const Objet& m) {
        std::vector<int> types;
        for (int a = 0; a < NOMBRE_ANIMATIONS; ++a)
            for (int d = 0; m.evenements && m.evenements->animations[a] && d < m.evenements->directions[a]; ++d)
                for (int i = 0; m.evenements->animations[a][d] && i < m.evenements->images[a]; ++i)
                    for (const EvenementConcret* c = m.evenements->animations[a][d][i].concrets; c; c = c->suivant)
                        types.push_back(a * 10000 + d * 1000 + i * 10 + c->type);
        return types;
    };
    EXPECT_FALSE(concrets(e).empty());
    EXPECT_EQ(concrets(n), concrets(e));
}

}  // namespace
