#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "battle/coups.h"
#include "foundation/ecran.h"
#include "platform/hasard.h"
#include "scene/eclairs.h"
#include "scene/particules.h"
#include "scene/particules_effets.h"
#include "shell/trame.h"
#include "sprite_essai.h"
#include "world/objets.h"
#include "world/univers.h"

namespace {

using essai::Rvb;

struct Coup {
    int32_t cible;
    Objet* attaquant;
    int32_t mode;
};
std::vector<Coup> Coups;
void Enregistrer(int32_t cible, Objet* attaquant, int32_t mode) { Coups.push_back({cible, attaquant, mode}); }

// Object 5 the target, 6 the caster, both on the map; the game clock at 1000.
class Eclairs : public ::testing::Test {
  protected:
    static constexpr uint16_t FOND = Rvb(1, 2, 3);
    std::vector<uint16_t> ecran = std::vector<uint16_t>(640 * 480, FOND);
    NoeudEntier noeud;
    EffetParticule etincelle{};

    void SetUp() override {
        EcranTampon = ecran.data();
        Ecran__Geometrie(640, 480);
        ReperePixelX = ReperePixelY = 0;
        HorlogeJeu = 1000;
        Hasard_Graine(7);
        Coups.clear();
        Eclair__Degats = Enregistrer;
        for (int i : {5, 6, 7}) {
            TableObjets[i] = Objet{};
            TableObjets[i].noeudListe = &noeud;
            TableObjets[i].ordreSecondaire = 1;
        }
        Placer(5, 10, 3, 0, 22, 2);   // centred at (270, 50)
        etincelle.nombre = 1;
        etincelle.typePosition = 1;
        etincelle.typeVie = 1;
        etincelle.dureeDeVie = 20;
        etincelle.trajet = 3;
        etincelle.nombreFrames = 1;
        etincelle.vitesse = 1.0f;
        EffetEclair = &etincelle;
        Particules_Initialisation();
    }
    void TearDown() override {
        Eclair__Liberation();
        Eclair__Degats = EvenementDegats;
        EffetEclair = nullptr;
        for (int i : {5, 6, 7}) TableObjets[i] = Objet{};
        EcranTampon = nullptr;
    }
    static void Placer(int i, int x, int y, int taille, int dx = 0, int dy = 0) {
        TableObjets[i].x = x;
        TableObjets[i].y = y;
        TableObjets[i].taille = taille;
        TableObjets[i].decalageX = dx;
        TableObjets[i].decalageY = dy;
    }
    static int Nombre() {
        int n = 0;
        for (Eclair* e = ListeEclairs; e; e = e->suivant) ++n;
        return n;
    }
    uint16_t Pixel(int x, int y) const { return ecran[static_cast<size_t>(y) * 640 + x]; }
};

TEST_F(Eclairs, HorizontalBoltJagsAcrossItsLine) {
    for (uint32_t graine : {1u, 2u, 3u, 99u}) {
        Hasard_Graine(graine);
        Eclair* e = Eclair__Creation(100, 50, 4, 5, 6);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(EclairNombrePoints, 17.0);
        EXPECT_EQ(e->points[0], (std::array<int32_t, 2>{100, 50}));
        EXPECT_EQ(e->points[16], (std::array<int32_t, 2>{270, 50}));
        std::set<int> ys;
        for (int i = 1; i <= 15; ++i) {
            EXPECT_EQ(e->points[i][0], 100 + 10 * i) << i;
            EXPECT_GE(e->points[i][1], 45) << i;
            EXPECT_LE(e->points[i][1], 56) << i;
            ys.insert(e->points[i][1]);
        }
        EXPECT_GT(ys.size(), 1u);   // jagged, not straight
        Eclair__Suppression(e);
    }
    EXPECT_EQ(ListeEclairs, nullptr);
}

TEST_F(Eclairs, VerticalSlopedAndPointBolts) {
    // Vertical: from (270, 390) up to the target's centre (270, 50), 20 pixels a step.
    Eclair* v = Eclair__Creation(270, 390, 4, 5, 6);
    for (int i = 1; i <= 15; ++i) {
        EXPECT_EQ(v->points[i][1], 390 - 20 * i) << i;
        EXPECT_GE(v->points[i][0], 265) << i;
        EXPECT_LE(v->points[i][0], 276) << i;
    }
    // Sloped: every jag stands within 6 pixels of the straight line, and within its span.
    for (auto [x, y] : {std::pair{0, 0}, std::pair{500, 300}, std::pair{260, 400}, std::pair{100, 60}}) {
        Eclair* s = Eclair__Creation(x, y, 4, 5, 6);
        const double lx = 270 - x, ly = 50 - y, l = std::hypot(lx, ly);
        for (int i = 1; i <= 15; ++i) {
            const double px = s->points[i][0] - x, py = s->points[i][1] - y;
            EXPECT_LE(std::abs(px * ly - py * lx) / l, 7.5) << x << "," << y << " point " << i;
            const double t = (px * lx + py * ly) / (l * l);
            EXPECT_GT(t, 0.0);
            EXPECT_LT(t, 1.0);
        }
    }
    // Start and end together: every point is that one.
    Eclair* p = Eclair__Creation(270, 50, 4, 5, 6);
    for (const auto& pt : p->points) EXPECT_EQ(pt, (std::array<int32_t, 2>{270, 50}));
    EXPECT_EQ(Nombre(), 6);
    EXPECT_EQ(ListeEclairs, v);   // appended in order, the list kept at its head
    EXPECT_EQ(ListeEclairs->precedent, nullptr);
}

// The end point is the centre of the target's footprint for every size, 5 and 6 included.
TEST_F(Eclairs, AimsAtTheCentreOfTheTarget) {
    struct Cas { int x, y, taille, dx, dy, ax, ay; };
    for (const Cas& c : {Cas{10, 20, 2, 0, 0, 272, 480}, Cas{0, 1, 0, 0, 0, 8, 0}, Cas{0, 1, 1, 0, 0, 20, 12},
                         Cas{0, 1, 4, 0, 0, 56, 48}, Cas{0, 1, 5, 0, 0, 68, 60}, Cas{0, 1, 6, 0, 0, 80, 72},
                         Cas{3, 4, 1, -5, 7, 87, 91}}) {
        Placer(5, c.x, c.y, c.taille, c.dx, c.dy);
        Eclair* e = Eclair__Creation(0, 0, 4, 5, 6);
        EXPECT_EQ(e->arriveeX, c.ax) << c.taille;
        EXPECT_EQ(e->arriveeY, c.ay) << c.taille;
    }
}

TEST_F(Eclairs, ModeAndObjectsThatAreNotThere) {
    EXPECT_EQ(Eclair__Creation(0, 0, 4, 5, 6)->modeDegats, 6);
    TableObjets[6].action = 21;
    EXPECT_EQ(Eclair__Creation(0, 0, 4, 5, 6)->modeDegats, 7);
    // No bolt to or from a free slot or an index off the table.
    TableObjets[7].noeudListe = nullptr;
    for (auto [cible, lanceur] : {std::pair{7, 6}, std::pair{5, 7}, std::pair{0, 6}, std::pair{5, 2000}, std::pair{-1, 6}})
        EXPECT_EQ(Eclair__Creation(0, 0, 4, cible, lanceur), nullptr) << cible << "," << lanceur;
    EXPECT_EQ(Nombre(), 2);
}

// A bolt strikes at the first update 500 ms or more after it was first made, however often it was
// remade meanwhile; it follows its target while it lives.
TEST_F(Eclairs, StrikesHalfASecondAfterBirthWhateverTheRebuilds) {
    Eclair__Creation(100, 50, 4, 5, 6);
    Eclair__Gestion();
    EXPECT_EQ(NombreParticules2, 17);   // sparks at every point in the tick it was made
    const Eclair* avant = ListeEclairs;
    for (uint32_t t : {1050u, 1100u}) {
        HorlogeJeu = t;
        Eclair__Gestion();
        EXPECT_EQ(ListeEclairs, avant) << t;   // not yet remade: 100 ms is not past
    }
    Placer(5, 20, 3, 0, 22, 2);
    HorlogeJeu = 1101;
    Eclair__Gestion();
    ASSERT_EQ(Nombre(), 1);
    EXPECT_EQ(ListeEclairs->arriveeX, 510);   // remade towards where the target now stands
    EXPECT_EQ(ListeEclairs->naissance, 1000u);
    EXPECT_EQ(ListeEclairs->dernierTrace, 1101u);
    EXPECT_EQ(NombreParticules2, 17);   // no new sparks within 500 ms
    for (uint32_t t = 1150; t < 1500; t += 50) {
        HorlogeJeu = t;
        Eclair__Gestion();
        ASSERT_EQ(Nombre(), 1) << t;
    }
    EXPECT_TRUE(Coups.empty());
    HorlogeJeu = 1500;
    Eclair__Gestion();
    EXPECT_EQ(ListeEclairs, nullptr);
    ASSERT_EQ(Coups.size(), 1u);
    EXPECT_EQ(Coups[0].cible, 5);
    EXPECT_EQ(Coups[0].attaquant, &TableObjets[6]);
    EXPECT_EQ(Coups[0].mode, 6);
}

TEST_F(Eclairs, ADyingOrGoneObjectEndsTheBoltWithoutAHit) {
    struct Cas { int objet; int ordre; bool libre; };
    for (const Cas& c : {Cas{5, 3, false}, Cas{5, 4, false}, Cas{6, 3, false}, Cas{6, 4, false}, Cas{5, 1, true},
                         Cas{6, 1, true}}) {
        Eclair__Creation(100, 50, 4, 5, 6);
        TableObjets[c.objet].ordreSecondaire = c.ordre;
        if (c.libre) TableObjets[c.objet].noeudListe = nullptr;
        HorlogeJeu += 600;   // due to strike, but it ends first
        Eclair__Gestion();
        EXPECT_EQ(ListeEclairs, nullptr) << c.objet << " " << c.ordre;
        TableObjets[c.objet].ordreSecondaire = 1;
        TableObjets[c.objet].noeudListe = &noeud;
    }
    EXPECT_TRUE(Coups.empty());
}

// Each bolt is looked at once per update: remade bolts go to the end of the list and are not
// walked again, and the walk goes on after a removed one.
TEST_F(Eclairs, EveryBoltIsWalkedOncePerUpdate) {
    Placer(7, 30, 10, 0);
    Eclair* a = Eclair__Creation(0, 0, 4, 5, 6);
    Eclair__Creation(0, 0, 4, 7, 6);
    Eclair* c = Eclair__Creation(0, 0, 4, 5, 6);
    Eclair__Gestion();
    const int16_t etincelles = NombreParticules2;
    EXPECT_EQ(etincelles, 3 * 17);
    c->naissance = 500;             // due to strike
    TableObjets[7].ordreSecondaire = 3;   // the middle bolt's target is dying
    HorlogeJeu = 1200;              // the first is due to be remade
    Eclair__Gestion();
    ASSERT_EQ(Nombre(), 1);
    EXPECT_NE(ListeEclairs, a);
    EXPECT_EQ(ListeEclairs->naissance, 1000u);
    EXPECT_EQ(ListeEclairs->dernierTrace, 1200u);
    EXPECT_EQ(NombreParticules2, etincelles);
    ASSERT_EQ(Coups.size(), 1u);
}

TEST_F(Eclairs, PointsLightTheirPixelAndItsNeighbours) {
    ReperePixelX = 480;
    ReperePixelY = 240;
    Eclair__Ligne(480 + 100, 240 + 50, 480 + 100, 240 + 50);
    EXPECT_EQ(Pixel(100, 50), Rvb(16, 27, 31));   // saturated at 31
    for (auto [x, y] : {std::pair{99, 49}, std::pair{101, 50}, std::pair{100, 51}})
        EXPECT_EQ(Pixel(x, y), Rvb(6, 7, 18));
    EXPECT_EQ(Pixel(102, 50), FOND);
    // A second point over the same place adds again.
    Eclair__Ligne(580, 290, 580, 290);
    EXPECT_EQ(Pixel(100, 50), Rvb(31, 31, 31));

    // Within 9 pixels of the sides, or on the top two or the bottom row: nothing at all.
    ecran.assign(ecran.size(), FOND);
    for (auto [x, y] : {std::pair{9, 100}, std::pair{631, 100}, std::pair{300, 1}, std::pair{300, 479},
                        std::pair{-5, 100}, std::pair{300, 900}})
        Eclair__Ligne(480 + x, 240 + y, 480 + x, 240 + y);
    for (uint16_t p : ecran) ASSERT_EQ(p, FOND);
    for (auto [x, y] : {std::pair{10, 100}, std::pair{630, 100}, std::pair{300, 2}, std::pair{300, 478}}) {
        Eclair__Ligne(480 + x, 240 + y, 480 + x, 240 + y);
        EXPECT_EQ(Pixel(x, y), Rvb(16, 27, 31)) << x << "," << y;
    }
}

TEST_F(Eclairs, SegmentsAreBresenhamLinesFromTheFirstEnd) {
    ecran.assign(ecran.size(), 0);
    // Only the points get 25 green or more; a neighbour of up to four points gets 20.
    auto points = [this]() {
        std::set<std::pair<int, int>> s;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                if (((Pixel(x, y) >> 5) & 31) >= 25) s.insert({x, y});
        return s;
    };
    Eclair__Ligne(110, 110, 116, 112);
    EXPECT_EQ(points(), (std::set<std::pair<int, int>>{
                            {110, 110}, {111, 110}, {112, 111}, {113, 111}, {114, 111}, {115, 112}, {116, 112}}));
    ecran.assign(ecran.size(), 0);
    Eclair__Ligne(200, 200, 198, 194);
    EXPECT_EQ(points(), (std::set<std::pair<int, int>>{
                            {200, 200}, {200, 199}, {199, 198}, {199, 197}, {199, 196}, {198, 195}, {198, 194}}));

    // A whole bolt: 16 segments joining its 17 points.
    ecran.assign(ecran.size(), 0);
    Eclair* e = Eclair__Creation(100, 50, 4, 5, 6);
    Eclair__Affichage(ListeEclairs);
    const auto lit = points();
    for (const auto& pt : e->points) EXPECT_TRUE(lit.count({pt[0], pt[1]})) << pt[0] << "," << pt[1];
    EXPECT_GE(lit.size(), 171u);
}

}  // namespace
