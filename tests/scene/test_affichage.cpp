#include <cstring>

#include "campaign/campagne.h"
#include "plans_fixture.h"
#include "scene/affichage.h"
#include "scene/palettes.h"
#include "scene/particules.h"
#include "shell/requetes.h"
#include "shell/routeur.h"
#include "shell/saisie.h"
#include "shell/scenario.h"
#include "world/groupes.h"
#include "world/niveau.h"

namespace {

constexpr uint16_t A = Couleur(31, 0, 0), B = Couleur(0, 31, 0);

// A battle frame over the empty test world: every square holds tile 30 of a bank whose texels
// are all index 7, drawn through a shade table that turns every entry into TERRAIN.
class Affichage : public PlansEcran {
  protected:
    static constexpr uint16_t TERRAIN = Couleur(3, 9, 3);
    std::vector<uint16_t> table = std::vector<uint16_t>(128 * 256, TERRAIN);
    std::vector<uint8_t> banque = std::vector<uint8_t>(676 * 2304, 7);

    void SetUp() override {
        PlansEcran::SetUp();
        TerrainTableOmbrage = table.data();
        TerrainTuiles = banque.data();
        TerrainNombreTuiles = 676;
        std::vector<int32_t> e(LIGNES_TUILES * LIGNES_TUILES, 30);
        for (int l = 0; l < LIGNES_TUILES; ++l) DebutLigne[l] = l * LIGNES_TUILES;
        TableDebutLigne = new int32_t[e.size()];
        std::copy(e.begin(), e.end(), TableDebutLigne);
        NombreEntreesTuiles = static_cast<int32_t>(e.size());
        ModeSceneCourant = 2;
        JeuEnPause = 0;
        AstuceEtat = 2;
        ImagePause = 0;
        MarqueurOrdre = 0;
    }
    void TearDown() override {
        TerrainTableOmbrage = nullptr;
        TerrainTuiles = nullptr;
        TerrainNombreTuiles = 0;
        Niveau__LiberationTuiles();
        PlansEcran::TearDown();
    }
    static void Image() {
        PlanObjet__RazAffiche();
        Scene__Affichage();
    }
};

// With no scene loaded nothing at all is drawn, and no counter moves.
TEST_F(Affichage, NoSceneDrawsNothing) {
    Univers__LibereGrilles();
    Image();
    for (uint16_t p : ecran) ASSERT_EQ(p, FOND);
    EXPECT_EQ(ImagePause, 0);
}

// Castle and battle draw the terrain over the whole view and nothing right of it; the region
// map and the skirmish preview draw their map in place of the terrain and the signs.
TEST_F(Affichage, TheTerrainAndSignsBelongToTheCastleAndTheBattle) {
    struct Cas {
        int mode;
        bool terrain;
    };
    for (const Cas& c : {Cas{0, true}, Cas{2, true}, Cas{1, false}, Cas{3, false}}) {
        SCOPED_TRACE(c.mode);
        std::fill(ecran.begin(), ecran.end(), FOND);
        ModeSceneCourant = c.mode;
        ImagePause = 0;
        Image();
        EXPECT_EQ(Pixel(0, 0) == TERRAIN, c.terrain);
        EXPECT_EQ(Pixel(623, 479) == TERRAIN, c.terrain);
        EXPECT_EQ(Pixel(624, 0), FOND);
        EXPECT_EQ(ImagePause, c.terrain ? 1 : 0);
    }
}

// The passes' depths: particle plan 0 lies under the objects, plan 1 over them but under the
// order marker, plan 2 over the marker.
TEST_F(Affichage, ParticlePlansLieAtTheirDepths) {
    constexpr uint16_t Z = Couleur(16, 16, 16), C = Couleur(0, 0, 31), E = Couleur(20, 10, 4);
    Graphique(2, {{1, 1, Z}, {1, 1, Z}, {30, 30, Z}});
    ObjetGfx_ANIM__SPL[51] = 2;
    Poser(3, 3, 51, 5, 5, 1);   // drawn over (140, 138)-(170, 168)
    Graphique(338, {{6, 6, E}});
    Graphique(1200, {{4, 4, A}});
    Graphique(1201, {{4, 4, B}});
    Graphique(1202, {{4, 4, C}});
    auto particule = [](Particule& p, int sprite, int x, int y) {
        p = Particule{};
        p.sprite = static_cast<int16_t>(sprite);
        p.positionX = x;
        p.positionY = y;
        p.vie = 10;
        p.modeCopie = 3;
    };
    particule(PlanParticules0[0], 1200, 150, 150);
    NombreParticules0 = 1;
    particule(PlanParticules1[0], 1201, 160, 150);
    particule(PlanParticules1[1], 1201, 190, 150);
    NombreParticules1 = 2;
    particule(PlanParticules2[0], 1202, 192, 152);
    NombreParticules2 = 1;
    JeuEnPause = 1;
    MarqueurOrdre = 1;
    MarqueurOrdreX = 190;
    MarqueurOrdreY = 150;
    Image();
    EXPECT_EQ(Pixel(151, 151), Z);
    EXPECT_EQ(Pixel(161, 151), B);
    EXPECT_EQ(Pixel(191, 151), E);
    EXPECT_EQ(Pixel(193, 153), C);
    NombreParticules0 = NombreParticules1 = NombreParticules2 = 0;
}

// The order marker shows only while paused, frame MarqueurOrdre - 1 at its map place, and runs
// +2 per frame until 25 ends it. A marker left at -1 (Escape) is no marker.
TEST_F(Affichage, TheOrderMarkerRunsOutWhilePaused) {
    Graphique(338, {{3, 3, A}});
    Graphique(1295, {{3, 3, B}});
    RepereX = 2;
    MarqueurOrdreX = 2 * 24 + 100;
    MarqueurOrdreY = 50;
    MarqueurOrdre = 1;
    MarqueurOrdreType = 1;
    Image();
    EXPECT_EQ(MarqueurOrdre, 1) << "not paused";
    JeuEnPause = 1;
    Image();
    EXPECT_EQ(Pixel(101, 51), B);
    EXPECT_EQ(MarqueurOrdre, 3);
    for (int i = 0; i < 11; ++i) Image();
    EXPECT_EQ(MarqueurOrdre, 0);
    EXPECT_EQ(MarqueurOrdreType, 0);

    MarqueurOrdre = -1;
    std::fill(ecran.begin(), ecran.end(), FOND);
    Image();
    EXPECT_EQ(MarqueurOrdre, -1);
    EXPECT_NE(Pixel(101, 51), A);
}

// The pause sign's frame moves on every frame, paused or not, and wraps at 33; it is drawn at
// (view right - 32, 62) while paused.
TEST_F(Affichage, ThePauseSignTurnsOnEveryFrame) {
    Graphique(608, {{2, 2, A}, {2, 2, B}});
    ImagePause = 31;
    Image();
    EXPECT_EQ(ImagePause, 32);
    Image();
    EXPECT_EQ(ImagePause, 0);
    EXPECT_EQ(Pixel(593, 63), TERRAIN);
    JeuEnPause = 1;
    Image();
    EXPECT_EQ(Pixel(593, 63), A);
    EXPECT_EQ(ImagePause, 1);
    Image();
    EXPECT_EQ(Pixel(593, 63), B);
}

// The engagement sign over the selected groups: frame 0 when none engages freely, 1 when all do,
// both side by side when they differ; nothing without a selection.
TEST_F(Affichage, TheEngagementSignFollowsTheSelectedGroups) {
    Graphique(88, {{2, 2, A}, {2, 2, B}});
    struct Cas {
        int selection;
        std::vector<int> libres;
        uint16_t droite, gauche;
    };
    const std::vector<Cas> cas = {{-1, {1}, TERRAIN, TERRAIN},
                                  {3, {0, 0}, A, TERRAIN},
                                  {3, {1, 1}, B, TERRAIN},
                                  {3, {1, 0}, A, B}};
    for (const Cas& c : cas) {
        GroupeEnSelection = c.selection;
        NombreGroupesSelectionnes = static_cast<int32_t>(c.libres.size());
        for (size_t i = 0; i < c.libres.size(); ++i) {
            GroupesSelectionnes[i] = static_cast<int32_t>(i + 3);
            TableGroupes[i + 3].engagementLibre = c.libres[i];
        }
        Image();
        EXPECT_EQ(Pixel(593, 25), c.droite) << c.selection << " " << c.libres.size();
        EXPECT_EQ(Pixel(561, 25), c.gauche);
    }
    GroupeEnSelection = -1;
}

// The battle's tip is due in the tutorial and the first region only; the pending texts follow
// on the next frame, or at once when no tip was due, and both wait for an open requester.
TEST_F(Affichage, TheTipComesBeforeThePendingTexts) {
    struct Cas {
        const char* nom;
        int mode, campagne, etape, escarmouche, requete;
        int apres1, apres2;
    };
    for (const Cas& c : {Cas{"tutorial", 2, 0, 0, 0, 0, 1, 2}, Cas{"first region", 2, 1, 0, 0, 0, 1, 2},
                         Cas{"later region", 2, 1, 3, 0, 0, 2, 2}, Cas{"skirmish", 2, 0, 0, 3, 0, 2, 2},
                         Cas{"requester open", 2, 0, 0, 0, 1, 0, 0}, Cas{"castle", 0, 0, 0, 0, 0, 0, 0}}) {
        SCOPED_TRACE(c.nom);
        ModeSceneCourant = c.mode;
        CampagneCourante = c.campagne;
        EtapeCampagne = c.etape;
        EscarmoucheEnCours = c.escarmouche;
        RequesterOuvert = c.requete;
        AstuceEtat = 0;
        Image();
        EXPECT_EQ(AstuceEtat, c.apres1);
        Image();
        EXPECT_EQ(AstuceEtat, c.apres2);
    }
    RequesterOuvert = 0;
    EscarmoucheEnCours = 0;
}

// A gate open from the start is brought down with the pending texts, only while its recorded
// object is there.
TEST_F(Affichage, AGateOpenFromTheStartFallsOnlyIfItIsThere) {
    PorteTrouvee = 1;
    PorteOuverte = 1;
    EscarmoucheEnCours = 3;
    ObjetPorte = 0;
    AstuceEtat = 0;
    EXPECT_NO_THROW(Image());
    EXPECT_EQ(AstuceEtat, 2);
    EXPECT_EQ(EtatGrille, 0);
    ObjetPorte = NOMBRE_OBJETS + 3;
    AstuceEtat = 0;
    EXPECT_NO_THROW(Image());
    EXPECT_EQ(EtatGrille, 0);
    PorteTrouvee = PorteOuverte = 0;
    EscarmoucheEnCours = 0;
}

TEST(Chronometre, TextAndColourOfACountdown) {
    struct Cas {
        int32_t reste, duree;
        const char* texte;
        bool rouge;
    };
    for (const Cas& c : {Cas{125000, 600000, "2 : 05", false}, Cas{130000, 600000, "2 : 10", false},
                         Cas{59999, 600000, "0 : 59", true}, Cas{60000, 600000, "1 : 00", false},
                         Cas{-4000, 600000, "0 : 00", true}, Cas{999, 1000, "0 : 00", false},
                         Cas{0, 2000000000, "0 : 00", true}}) {
        char texte[32];
        bool rouge = false;
        Chronometre__Texte(c.reste, c.duree, texte, sizeof texte, &rouge);
        EXPECT_STREQ(texte, c.texte);
        EXPECT_EQ(rouge, c.rouge) << c.reste << " of " << c.duree;
    }
}

}  // namespace
