// The per-object dispatcher, building collapse, rout and rally, on the sample battle level.
#include "scene_fixture.h"
#include "battle/cadavres.h"
#include "shell/conditions.h"
#include "shell/cycles.h"
#include "shell/scenario.h"
#include "shell/trame.h"
#include "world/deroute.h"
#include "world/descriptions.h"
#include "world/effondrement.h"
#include "world/experience.h"
#include "world/gestion_objets.h"

namespace {

constexpr int HEROS = 5, SOLDAT = 20, CASERNE = 200, RUINE = 201;

class Gestion : public Scene {
  protected:
    void SetUp() override {
        Scene::SetUp();
        ASSERT_TRUE(Creer()) << Rapport();
    }
    int Premier(int t, int rang = 0) const { return TableGroupes[GroupesDe(t)[rang]].membres[0]; }
    void Examiner(int i) {
        ObjetCourant = &TableObjets[i];
        Objet__Examine();
    }
};

TEST_F(Gestion, LaRegenerationSuitLesCycles) {
    const int s = Premier(SOLDAT);
    Objet& o = TableObjets[s];
    o.pointsDeVieMaximum = 1000;
    o.pointsDeVie = 100;
    o.regenerationVie = 1;
    o.manaMaximum = 1000;
    o.mana = 0;
    TableRegenerationMana[SOLDAT] = 1;
    std::vector<int> vie, mana;
    for (int c = 0; c < 20; ++c) {
        CompteurCycle20 = c;
        const int v = o.pointsDeVie, m = o.mana;
        Examiner(s);
        if (o.pointsDeVie != v) vie.push_back(c);
        if (o.mana != m) mana.push_back(c);
    }
    EXPECT_EQ(vie, (std::vector<int>{0, 4, 8, 12, 16}));
    EXPECT_EQ(mana, (std::vector<int>{0, 16}));

    // Losing life below 1 starts the death; the cap holds the other way.
    o.regenerationVie = -5;
    o.pointsDeVie = 3;
    CompteurCycle20 = 4;
    Examiner(s);
    EXPECT_EQ(o.pointsDeVie, 0);
    EXPECT_EQ(o.ordreSecondaire, 3);
    EXPECT_EQ(o.animation, 18);
    o.regenerationVie = 50;
    o.pointsDeVie = 990;
    o.ordreSecondaire = 2;
    Examiner(s);
    EXPECT_EQ(o.pointsDeVie, 1000);
}

TEST_F(Gestion, UnObjetGeleAttend) {
    const int s = Premier(SOLDAT);
    Objet& o = TableObjets[s];
    o.gel = 3;
    o.pointsDeVie = 10;
    o.pointsDeVieMaximum = 100;
    o.regenerationVie = 1;
    CompteurCycle20 = 0;
    for (int i = 0; i < 3; ++i) Examiner(s);
    EXPECT_EQ(o.gel, 0);
    EXPECT_EQ(o.pointsDeVie, 10);
    Examiner(s);
    EXPECT_EQ(o.pointsDeVie, 11);
}

TEST_F(Gestion, UneFamilleInconnueEstFatale) {
    const int s = Premier(SOLDAT);
    TableObjets[s].famille = 19;
    EXPECT_THROW(Examiner(s), FinProgramme);
    EXPECT_EQ(Rapport(), "Objet__Examine: L'objet courant est : 20");
}

TEST_F(Gestion, UneDerouteQuitteLaCarteParSonBord) {
    const int g = GroupesDe(SOLDAT)[0];
    const int s = TableGroupes[g].membres[0];
    ArmeeEnFuite(0);
    ASSERT_EQ(TableGroupes[g].enDeroute, 1);
    const int cadavres = PopulationParType[308];
    Univers__LiberationUnites(s);
    TableObjets[s].x = 125;
    Examiner(s);
    EXPECT_EQ(TableObjets[s].ordreSecondaire, 4);
    EXPECT_EQ(TableObjets[s].etatFuite, 2);
    EXPECT_EQ(TableGroupes[g].enDeroute, 2);
    EXPECT_EQ(PopulationParType[308], cadavres);
}

TEST_F(Gestion, SeulUnChefAmiRallie) {
    const int g = GroupesDe(SOLDAT)[0];
    const int s = TableGroupes[g].membres[0];   // at (50, 50)
    for (int hostile : {1, 0}) {
        SCOPED_TRACE(hostile);
        const int heros = Groupe___Creation(HEROS, 2, 52, 49, 1, 1, 0);
        TableAttaque[2][0] = hostile;
        ArmeeEnFuite(0);
        ASSERT_EQ(TableGroupes[g].enDeroute, 1);
        Examiner(s);
        EXPECT_EQ(TableGroupes[g].enDeroute, hostile ? 1 : 0);
        EXPECT_EQ(TableObjets[s].etatFuite, hostile ? 1 : 0);
        EXPECT_EQ(TableObjets[s].selectionnable, hostile ? 0 : 1);
        Groupe__Destruction(heros);
    }
}

TEST_F(Gestion, LaSpiraleParcourtLesAnneauxDansLOrdre) {
    const int s = Premier(SOLDAT);   // at (50, 50); its block covers (50..53, 50..52)
    Univers__LiberationUnites(s);
    TableObjets[s].x = 20;
    TableObjets[s].y = 100;
    Univers__OccupationUnites(s);
    // Ring 1 in order: top row left to right, right column, bottom row right to left, left column.
    const int ordre[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}};
    std::vector<int> trouves;
    std::vector<int> chefs;
    for (auto& d : ordre) {
        const int g = Groupe___Creation(HEROS, 0, 20 + d[0], 100 + d[1], 1, 1, 0);
        chefs.push_back(TableGroupes[g].membres[0]);
    }
    for (int i = 0; i < 8; ++i) {
        trouves.push_back(Univers__RechercheSpirale(s, 3, -1));
        Univers__EffaceCaseUnites(20 + ordre[i][0], 100 + ordre[i][1]);
    }
    EXPECT_EQ(trouves, chefs);
    EXPECT_EQ(Univers__RechercheSpirale(s, 3, -1), 0);
    // Ring 3 is the last one searched; the unit's own cell never rallies.
    Univers__PoseCaseUnites(23, 100, chefs[0]);
    EXPECT_EQ(Univers__RechercheSpirale(s, 3, -1), chefs[0]);
    Univers__EffaceCaseUnites(23, 100);
    Univers__PoseCaseUnites(24, 100, chefs[0]);
    EXPECT_EQ(Univers__RechercheSpirale(s, 3, -1), 0);
    EXPECT_EQ(Univers__TestCaseVoisine(s, 0, 20, 100), 0);
}

TEST_F(Gestion, LaFuiteEpargneLesChefsEtRespecteLeFiltre) {
    const int heros = Groupe___Creation(HEROS, 4, 90, 90, 1, 1, 0);
    const int rocher = GroupesDe(150)[0];   // army 4
    const int archers = GroupesDe(13)[0];   // army 1
    // Only live groups rout, as the group tick walks them: not one whose leader is casting or
    // frozen, nor the rock, whose leader is not active.
    const int soldats = Groupe___Creation(SOLDAT, 4, 102, 90, 1, 1, 0);
    const int incantation = Groupe___Creation(SOLDAT, 4, 94, 90, 1, 1, 0);
    const int gele = Groupe___Creation(SOLDAT, 4, 98, 90, 1, 1, 0);
    TableObjets[TableGroupes[incantation].membres[0]].enIncantation = 1;
    TableObjets[TableGroupes[gele].membres[0]].gel = 5;
    ArmeeEnFuite(4);
    EXPECT_EQ(TableGroupes[heros].enDeroute, 0);
    EXPECT_EQ(TableGroupes[soldats].enDeroute, 1);
    EXPECT_EQ(TableGroupes[rocher].enDeroute, 0);
    EXPECT_EQ(TableGroupes[archers].enDeroute, 0);
    EXPECT_EQ(TableGroupes[incantation].enDeroute, 0);
    EXPECT_EQ(TableGroupes[gele].enDeroute, 0);
    EXPECT_EQ(ArmeeEnFuiteFiltre, -1);
    EXPECT_THROW(ArmeeEnFuite(5), FinProgramme);
    EXPECT_EQ(Rapport(), "ArmeeEnFuite(): Armee 5 <0 ou >4!");
}

TEST_F(Gestion, UnBatimentAZeroSEffondreEnRuine) {
    const int b = Premier(CASERNE);   // at (30, 30), 5 x 4 in its "t" description
    Objet& caserne = TableObjets[b];
    caserne.pointsDeVie = -3;
    Examiner(b);
    EXPECT_NE(caserne.ordreSecondaire, 4);

    // A unit standing on the footprint is kept when the building's speed is 0.
    const int g = Groupe___Creation(SOLDAT, 0, 36, 36, 1, 1, 0);
    const int s = TableGroupes[g].membres[0];
    Univers__LiberationUnites(s);
    TableObjets[s].x = 31;
    TableObjets[s].y = 31;
    Univers__PoseCaseUnites(31, 31, s);
    caserne.pointsDeVie = 0;
    caserne.niveau = 3;
    BrecheOuverte = 0;
    Examiner(b);
    EXPECT_EQ(caserne.ordreSecondaire, 4);
    ASSERT_EQ(GroupesDe(RUINE).size(), 1u);
    const Objet& ruine = TableObjets[Premier(RUINE)];
    EXPECT_EQ(ruine.x, 30);
    EXPECT_EQ(ruine.armee, 4);
    EXPECT_EQ(Univers__CaseUnites(31, 31), s);
    EXPECT_EQ(FlashDestruction, 28);
    EXPECT_EQ(BrecheOuverte, 1);
}

TEST_F(Gestion, UnBatimentTropLargeEstRefuse) {
    const int b = Premier(CASERNE);
    for (int largeur : {39, 40}) {
        SCOPED_TRACE(largeur);
        DescriptionBatiment* d = Batiment__Description(CASERNE, 1);
        const int16_t avant = d->largeur;
        d->largeur = static_cast<int16_t>(largeur);
        TableObjets[b].pointsDeVie = 0;
        TableObjets[b].ordreSecondaire = 2;
        TableObjets[b].mourant = 0;
        if (largeur == 40) {
            EXPECT_THROW(Examiner(b), FinProgramme);
            EXPECT_EQ(Rapport(), "BatimentDestruction(): Largeur>40!");
        } else {
            Examiner(b);
            EXPECT_EQ(TableObjets[b].ordreSecondaire, 4);
        }
        d->largeur = avant;
    }
}

TEST_F(Gestion, LeTourEtLePasChronometre) {
    // Every live object is examined once per pass.
    const int s = Premier(SOLDAT);
    TableObjets[s].regenerationVie = 1;
    TableObjets[s].pointsDeVie = 1;
    TableObjets[s].pointsDeVieMaximum = 100;
    const int avant = NombreObjets;
    CompteurCycle20 = 0;
    Objets__GestionTour();
    EXPECT_EQ(TableObjets[s].pointsDeVie, 2);
    EXPECT_EQ(NombreObjets, avant);
    EXPECT_EQ(Chrono__Pas(10, 0, nullptr, nullptr, nullptr), 0);
    int32_t cumul = 0;
    uint32_t maintenant = 0, dernier = 0;
    HorlogeJeu = 1000;
    EXPECT_EQ(Chrono__Pas(10, 0, &cumul, &maintenant, &dernier), 0);
    EXPECT_EQ(Chrono__Pas(10, 3, &cumul, &maintenant, &dernier), 1);
    EXPECT_EQ(cumul, 1);
    EXPECT_EQ(dernier, 1000u);
}

}  // namespace
