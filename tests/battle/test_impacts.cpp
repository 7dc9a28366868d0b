#include <gtest/gtest.h>

#include <vector>

#include "battle/impacts.h"
#include "combat_fixture.h"
#include "foundation/ecran.h"
#include "platform/hasard.h"
#include "scene/particules.h"
#include "shell/trame.h"
#include "world/descriptions.h"
#include "world/maitres.h"
#include "world/univers.h"

namespace {

class Impacts : public CombatEssai {
  protected:
    void SetUp() override {
        CombatEssai::SetUp();
        Hasard_Graine(5);
        EffetImpactViderTable();
        Particules_Initialisation();
        ReperePixelX = ReperePixelY = 0;
        Ecran__Geometrie(640, 480);
        for (auto& ligne : TableAttaque) ligne.fill(0);
        TableAttaque[0][1] = TableAttaque[1][0] = 1;
        effet = EffetParticule{};
        effet.nombre = 1;
        effet.typeVie = 1;
        effet.dureeDeVie = 10;
    }
    void TearDown() override {
        EffetSoins = EffetSoins2 = nullptr;
        EcranTampon = nullptr;
        CombatEssai::TearDown();
    }
    // A live unit (listed) of the army.
    Objet& Vivant(int n, int x, int y, int armee, int pv = 100) {
        Objet& o = Unite(n, x, y);
        o.noeudListe = &noeud;
        o.indice = n;
        o.armee = armee;
        o.pointsDeVie = o.pointsDeVieMaximum = pv;
        return o;
    }
    static int Occupes() {
        int n = 0;
        for (const EffetImpact& e : EffetsImpact) n += e.genre != 0;
        return n;
    }

    NoeudEntier noeud{};
    EffetParticule effet{};
};

// The table holds 100 effects; the next is refused and leaves every slot as it was.
TEST_F(Impacts, FullTableRefusesTheNextEffect) {
    for (int i = 0; i < NOMBRE_EFFETS_IMPACT; ++i) ASSERT_EQ(EffetImpactAjouter(nullptr, 6, i, 0, -1, 10), 1);
    const auto avant = EffetsImpact;
    EXPECT_EQ(EffetImpactAjouter(nullptr, 2, 1, 1, -1, 3), 0);
    for (int i = 0; i < NOMBRE_EFFETS_IMPACT; ++i) {
        EXPECT_EQ(EffetsImpact[i].genre, avant[i].genre);
        EXPECT_EQ(EffetsImpact[i].x, avant[i].x);
    }
    // A freed slot is the first taken again.
    EffetsImpact[42].genre = 0;
    EXPECT_EQ(EffetImpactAjouter(nullptr, 2, 7, 7, -1, 3), 1);
    EXPECT_EQ(EffetsImpact[42].genre, 2);
    EXPECT_EQ(EffetsImpact[42].x, 7);
    EffetImpactViderTable();
    EXPECT_EQ(Occupes(), 0);
}

// A duration of d acts in d passes and frees the slot in the next.
TEST_F(Impacts, DurationActsThenFrees) {
    EffetSoins = &effet;
    for (int d : {1, 3}) {
        SCOPED_TRACE(d);
        Particules_Initialisation();
        ASSERT_EQ(EffetImpactAjouter(nullptr, 3, 100, 100, -1, d), 1);
        for (int k = 1; k <= d; ++k) {
            EffetImpactGestion();
            EXPECT_EQ(NombreParticules1, k);
            EXPECT_EQ(EffetsImpact[0].genre, 3);
        }
        EffetImpactGestion();
        EXPECT_EQ(NombreParticules1, d);
        EXPECT_EQ(EffetsImpact[0].genre, 0);
    }
    // The glow is emitted on the screen, 18 pixels in from the place.
    ReperePixelX = 48;
    Particules_Initialisation();
    EffetImpactAjouter(nullptr, 3, 100, 100, -1, 1);
    EffetImpactGestion();
    EXPECT_EQ(PlanParticules1[0].pointEmissionX, 100 + 18 - 48);
    EXPECT_EQ(PlanParticules1[0].pointEmissionY, 118);
}

// Duration 100 is cut to 30 passes: the fade rises by 25 a pass (held at 127), then falls
// with 12 x duration, and the last pass blacks the frame out.
TEST_F(Impacts, FlashFadesThenBlacksOut) {
    std::vector<uint16_t> ecran(640 * 480, 0x7fff);
    EcranTampon = ecran.data();
    ASSERT_EQ(EffetImpactAjouter(nullptr, 20, 50, 50, -1, 100), 1);
    std::vector<int> fondu;
    for (int k = 0; k < 30; ++k) {
        EffetImpactGestion();
        fondu.push_back(FonduNiveau);
        if (k < 29) {
            EXPECT_EQ(ecran[1234], 0x7fff) << k;
        }
    }
    std::vector<int> attendu = {0, 25, 50, 75, 100, 125};
    attendu.insert(attendu.end(), 14, 127);   // durations 24 .. 11
    for (int d = 10; d >= 2; --d) attendu.push_back(d * 12);
    attendu.push_back(0);                     // the black frame
    EXPECT_EQ(fondu, attendu);
    EXPECT_EQ(ecran[0], 0);
    EXPECT_EQ(ecran[640 * 480 - 1], 0);
    EffetImpactGestion();
    EXPECT_EQ(FonduNiveau, 0);
    EXPECT_EQ(Occupes(), 0);
}

// Without an owner the earthquake hurts nobody; it shakes most at the view's centre, capped.
TEST_F(Impacts, OwnerlessEarthquakeOnlyShakes) {
    Objet& u = Vivant(5, 13, 10, 1);
    // The view's centre cell: 0 / 24 + 640 / 48 = 13, 0 / 24 + 480 / 48 = 10.
    struct Cas {
        int x, y, amplitude;
    };
    for (const Cas c : {Cas{13, 10, 10}, Cas{19, 10, 10}, Cas{20, 10, 5}, Cas{13, 25, 1}, Cas{60, 60, 0}}) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EffetImpactViderTable();
        EffetImpactAjouter(nullptr, 15, c.x, c.y, -1, 15);
        EffetImpactGestion();
        EXPECT_EQ(TremblementAmplitude, c.amplitude);
    }
    EffetImpactViderTable();
    for (int k = 0; k < 3; ++k) EffetImpactAjouter(nullptr, 15, 13, 10, -1, 15);
    EffetImpactGestion();
    EXPECT_EQ(TremblementAmplitude, 20);
    EXPECT_EQ(u.pointsDeVie, 100);
    EXPECT_EQ(u.touche, 0);
}

// With an owner it strikes the hostile men around every fifth pass, by a thirtieth of their
// maximum; casters and the owner's friends are spared.
TEST_F(Impacts, EarthquakeStrikesTheOwnersEnemies) {
    Objet& sorcier = Vivant(3, 40, 40, 0);
    Objet& ennemi = Vivant(4, 50, 45, 1, 300);
    ennemi.actif = 1;
    Objet& mage = Vivant(5, 41, 41, 1, 300);
    mage.sorts[0] = 7;
    Objet& ami = Vivant(6, 42, 42, 0, 300);
    Objet& loin = Vivant(7, 60, 40, 1, 300);
    EffetImpactAjouter(&sorcier, 15, 40, 40, -1, 10);
    for (int k = 0; k < 11; ++k) EffetImpactGestion();
    EXPECT_EQ(ennemi.pointsDeVie, 280);   // passes with duration 10 and 5
    EXPECT_EQ(ennemi.touche, 1);
    EXPECT_EQ(mage.pointsDeVie, 300);
    EXPECT_EQ(ami.pointsDeVie, 300);
    EXPECT_EQ(loin.pointsDeVie, 300);
}

TEST_F(Impacts, BlessingWatchesOverFriendsAndTopsThemUp) {
    Objet& pretre = Vivant(3, 20, 20, 0);
    Objet& ami = Vivant(4, 19, 19, 0, 90);
    Objet& ennemi = Vivant(5, 21, 21, 1);
    Objet& horsZone = Vivant(6, 22, 20, 0);
    ASSERT_EQ(EffetImpactAjouter(&pretre, 5, 20, 20, -1, 1), 1);
    EffetImpactGestion();
    EXPECT_EQ(ami.etatSort, 5);
    EXPECT_EQ(pretre.etatSort, 5);
    EXPECT_EQ(ennemi.etatSort, 0);
    EXPECT_EQ(horsZone.etatSort, 0);
    EXPECT_EQ(EffetsImpact[0].genre, 0) << "the cast frees its slot";
    EXPECT_EQ(Occupes(), 2);

    // The watch: at a third of its maximum or below, on a ninth pass, back to two thirds; the
    // sign goes when the watch ends.
    int veille = -1;
    for (int i = 0; i < NOMBRE_EFFETS_IMPACT; ++i)
        if (EffetsImpact[i].parametre == 4) veille = i;
    ASSERT_GE(veille, 0);
    EXPECT_EQ(EffetsImpact[veille].duree, 449) << "the watch ran in the pass that made it";
    ami.pointsDeVie = 30;
    for (int k = 0; k < 8; ++k) EffetImpactGestion();   // duree 449 .. 442
    EXPECT_EQ(ami.pointsDeVie, 30);
    EffetImpactGestion();   // 441 = 9 x 49
    EXPECT_EQ(ami.pointsDeVie, 60);
    EffetsImpact[veille].duree = 1;
    EffetImpactGestion();
    EXPECT_EQ(ami.etatSort, 0);
}

// A unit the full table cannot watch over is not shown blessed (it would stay so for ever).
TEST_F(Impacts, BlessingRefusedByAFullTableLeavesNoSign) {
    Objet& pretre = Vivant(3, 20, 20, 0);
    Objet& ami = Vivant(4, 19, 19, 0);
    EffetImpactAjouter(&pretre, 5, 20, 20, -1, 1);
    // Room for one watch only: the first unit met (row by row) takes it, the priest is refused.
    for (int i = 1; i < NOMBRE_EFFETS_IMPACT - 1; ++i) EffetImpactAjouter(nullptr, 6, 0, 0, -1, 50);
    EffetImpactGestion();
    EXPECT_EQ(ami.etatSort, 5);
    EXPECT_EQ(pretre.etatSort, 0);
    EXPECT_EQ(Occupes(), 99);
}

// The mass blessing reaches every live object of the table, whatever its slot.
TEST_F(Impacts, MassBlessingReachesEveryFriendAndTakesTheCastersLife) {
    Objet& pretre = Vivant(3, 20, 20, 0);
    Objet& proche = Vivant(4, 100, 100, 0);
    Objet& dernier = Vivant(1999, 5, 5, 0);
    Objet& ennemi = Vivant(1500, 6, 6, 1);
    EffetImpactAjouter(&pretre, 19, 20, 20, -1, 1);
    EffetImpactGestion();
    EXPECT_EQ(proche.etatSort, 5);
    EXPECT_EQ(dernier.etatSort, 5);
    EXPECT_EQ(ennemi.etatSort, 0);
    EXPECT_EQ(pretre.etatSort, 0);
    EXPECT_EQ(pretre.ordreSecondaire, 3);
    EXPECT_EQ(Occupes(), 2);
}

TEST_F(Impacts, RainOfFireBurnsItsAreaEveryFifthPass) {
    Objet& sorcier = Vivant(3, 10, 10, 0);
    sorcier.degats = 10;
    sorcier.niveau = 1;
    Objet& dedans = Vivant(4, 47, 54, 1);    // (x - 3, y + 4)
    Objet& dehors = Vivant(5, 53, 50, 1);    // x + 3
    EffetImpactAjouter(&sorcier, 13, 50, 50, -1, 6);
    EffetParticule pluie = effet;
    EffetPluieDeFeu = &pluie;
    EffetImpactGestion();   // duree 6
    EXPECT_EQ(NombreParticules1, 8);
    EXPECT_EQ(dedans.pointsDeVie, 100);
    EffetImpactGestion();   // duree 5
    EXPECT_EQ(dedans.pointsDeVie, 90);
    EXPECT_EQ(dehors.pointsDeVie, 100);
    EffetPluieDeFeu = nullptr;
}

// The healing zone tends the men round the sanctuary when its count runs out, then starts again.
TEST_F(Impacts, HealingZoneRenewsItself) {
    DescriptionsBatimentT[157].largeur = 2;
    DescriptionsBatimentT[157].hauteur = 2;
    Objet& blesse = Vivant(4, 35, 35, 0, 200);   // x + W + 3
    blesse.pointsDeVie = 100;
    blesse.manaMaximum = 50;
    Objet& presque = Vivant(5, 26, 26, 0, 200);  // x - 4
    presque.pointsDeVie = 160;
    Objet& dehors = Vivant(6, 36, 30, 0, 200);
    dehors.pointsDeVie = 100;
    EffetImpactAjouter(nullptr, 23, 30, 30, -1, 2);
    EffetImpactGestion();
    EXPECT_EQ(blesse.pointsDeVie, 100);
    EffetImpactGestion();
    EXPECT_EQ(blesse.pointsDeVie, 150);
    EXPECT_EQ(blesse.mana, 20);
    EXPECT_EQ(presque.pointsDeVie, 160);
    EXPECT_EQ(dehors.pointsDeVie, 100);
    EXPECT_EQ(EffetsImpact[1].genre, 23);
    EXPECT_EQ(EffetsImpact[1].duree, 44) << "queued again with 45, and run in the same pass";
    EffetImpactGestion();
    EXPECT_EQ(EffetsImpact[0].genre, 0);
    EXPECT_EQ(Occupes(), 1);
    DescriptionsBatimentT[157] = DescriptionBatiment{};
}

// The elemental's reserved block is given back when the summoning comes due, whatever it makes.
TEST_F(Impacts, ElementalGivesBackItsReservation) {
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 2; ++i) GrilleUnites[(40 + i) + 128 * (40 + j)] = 1;
    EffetImpactAjouter(nullptr, 8, 40, 40, -1, 30);
    EffetImpactGestion();
    EXPECT_EQ(EffetsImpact[0].duree, 11) << "cut to 12 on the first pass";
    for (int k = 0; k < 6; ++k) EffetImpactGestion();
    EXPECT_EQ(EffetsImpact[0].duree, 5);
    EXPECT_EQ(GrilleUnites[40 + 128 * 40], 1);
    EffetImpactGestion();
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 2; ++i) EXPECT_EQ(GrilleUnites[(40 + i) + 128 * (40 + j)], 0);

    // Emptied before the summoning (a movie, the end of the scene): the block is given back too,
    // and the water marks round it stay.
    GrilleUnites[50 + 128 * 50] = GrilleUnites[51 + 128 * 50] = GrilleUnites[50 + 128 * 51] = GrilleUnites[51 + 128 * 51] = 1;
    GrilleUnites[52 + 128 * 50] = 1;
    EffetImpactAjouter(nullptr, 8, 50, 50, -1, 30);
    EffetImpactGestion();
    EffetImpactViderTable();
    EXPECT_EQ(GrilleUnites[50 + 128 * 50], 0);
    EXPECT_EQ(GrilleUnites[51 + 128 * 51], 0);
    EXPECT_EQ(GrilleUnites[52 + 128 * 50], 1);
}

}  // namespace
