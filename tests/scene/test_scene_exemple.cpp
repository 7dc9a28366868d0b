// The sample battle (niveau/essai.mv of the sample game) drawn whole at 640 x 480. With
// MORVANE_CAPTURES set to a folder, the frames are also written there as PNG images.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "scene_ecran_fixture.h"
#include "battle/deplacement.h"
#include "campaign/campagne.h"
#include "campaign/chateau.h"
#include "campaign/variables.h"
#include "battle/ia.h"
#include "battle/simulation.h"
#include "foundation/ecran.h"
#include "foundation/objetsgfx.h"
#include "foundation/sprites.h"
#include "platform/blitter.h"
#include "platform/affichage.h"
#include "scene/affichage.h"
#include "scene/palettes.h"
#include "scene/plans.h"
#include "scene/terrain.h"
#include "shell/cycles.h"
#include "shell/trame.h"
#include "world/gestion_objets.h"
#include "world/mort.h"
#include "platform/temps.h"
#include "battle/impacts.h"
#include "battle/projectiles.h"

namespace {

class SceneExemple : public SceneEcran {
  protected:
    // The frame at view origin (x, y), and how many of its pixels the objects changed over the
    // terrain alone.
    int Image(int x, int y) {
        RepereX = x;
        RepereY = y;
        std::fill(ecran.begin(), ecran.end(), FOND);
        Terrain__Affichage();
        const std::vector<uint16_t> terrain = ecran;
        std::fill(ecran.begin(), ecran.end(), FOND);
        PlanObjet__RazAffiche();
        Scene__Affichage();
        int changes = 0;
        for (size_t i = 0; i < ecran.size(); ++i) changes += ecran[i] != terrain[i];
        return changes;
    }
    // n logic passes of the battle with every army led by the computer.
    static void Jouer(int n) {
        SimulationCompteur = 0;
        SimulationInitialisee = 0;
        IAActive = 1;
        TricheIAJoueur = 1;
        for (int i = 0; i < n; ++i) {
            CompteurCycle20 = (CompteurCycle20 + 1) % 20;
            GroupesGeres = 0;
            Simulation__Tour();
            Objets__GestionTour();
            TemporisationMort__Tick();
            ObjetsMorts__Liberation();
            Temps_Avancer(66);
            HorlogeJeu = Temps_Ticks();
        }
    }
    // The view origin centred on the units of every army (even, as the view keeps it).
    static void CentrerSurLesArmees(int* x, int* y) {
        long sx = 0, sy = 0, n = 0;
        for (NoeudEntier* e = ListeObjetsVivants; e && e->suivant; e = e->suivant) {
            const Objet& o = TableObjets[static_cast<size_t>(e->valeur)];
            if (o.famille != 0) continue;
            sx += o.x;
            sy += o.y;
            ++n;
        }
        *x = n ? (static_cast<int>(sx / n) - 13) & ~1 : 0;
        *y = n ? (static_cast<int>(sy / n) - 10) & ~1 : 0;
    }
    // Every pixel of the view drawn; the liquids' squares show their own surfaces.
    bool VueCouverte() const {
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 624; ++x) {
                const char m = GrilleMatieres[static_cast<size_t>((RepereY + y / 24) * 128 + RepereX + x / 24)];
                if (m != 'E' && m != 'L' && ecran[static_cast<size_t>(y) * 640 + x] == FOND) return false;
            }
        return true;
    }
    bool MargeIntacte() const {
        for (int y = 0; y < 480; ++y)
            for (int x = 624; x < 640; ++x)
                if (ecran[static_cast<size_t>(y) * 640 + x] != FOND) return false;
        return true;
    }
};

// The terrain set loads with the scene; over the armies and over the barracks every pixel of the
// view is drawn, the objects show over the ground, and nothing passes the view's right edge.
TEST_F(SceneExemple, TheSampleBattleIsDrawnWhole) {
    ASSERT_TRUE(Demarrer()) << Rapport();
    ASSERT_NE(TerrainTableOmbrage, nullptr);
    LumiereActive = 1;
    struct Vue {
        const char* nom;
        int x, y, objets;
    };
    int armeesX = 0, armeesY = 0;
    for (const Vue& v : {Vue{"essai_caserne", 22, 22, 2000}, Vue{"essai_armees", -1, -1, 4000}, Vue{"essai_bataille", 50, 38, 4000}}) {
        SCOPED_TRACE(v.nom);
        int x = v.x, y = v.y;
        if (x < 0) {
            Jouer(150);
            CentrerSurLesArmees(&x, &y);
            armeesX = x;
            armeesY = y;
        }
        const int changes = Image(x, y);
        Capturer(v.nom);
        EXPECT_TRUE(VueCouverte());
        EXPECT_TRUE(MargeIntacte());
        EXPECT_GT(changes, v.objets);
    }
    // With nothing moving, the next frame of a view without flags or water is the same, pixel for
    // pixel.
    Image(armeesX, armeesY);
    const std::vector<uint16_t> avant = ecran;
    Image(armeesX, armeesY);
    EXPECT_TRUE(avant == ecran);
}

// The level whose armies meet: within 150 passes they fight and the archers shoot; the fight is
// drawn over the terrain.
TEST_F(SceneExemple, TheArmiesOfTheCombatLevelFight) {
    ASSERT_TRUE(DemarrerBataille("..\\niveau\\combat.mv")) << Rapport();
    int engages = 0, fleches = 0;
    for (int i = 0; i < 150; ++i)
        PasseDessinee([&fleches] {
            for (const Projectile* p = ProjectileTete; p; p = p->suivant) fleches += p->pas == 0;
        });
    for (NoeudEntier* e = ListeObjetsVivants; e && e->suivant; e = e->suivant)
        engages += TableObjets[static_cast<size_t>(e->valeur)].cible > 0;
    EXPECT_GT(engages, 4);
    EXPECT_GT(fleches, 0);
    int x = 0, y = 0;
    CentrerSurLesArmees(&x, &y);
    EXPECT_GT(Image(x, y), 4000);
    Capturer("combat");
    EXPECT_TRUE(VueCouverte());
}

// With the poisoned-weapons upgrade the sample archers' arrows poison: a poisoned man is drawn
// lit in green over his usual look.
TEST_F(SceneExemple, APoisonedManOfTheCombatLevelIsTintedGreen) {
    ASSERT_TRUE(DemarrerBataille("..\\niveau\\combat.mv")) << Rapport();
    NiveauPoisonArmes = 1;
    int empoisonne = 0;
    for (int i = 0; i < 600 && empoisonne == 0; ++i) {
        PasseDessinee();
        for (NoeudEntier* e = ListeObjetsVivants; e && e->suivant && empoisonne == 0; e = e->suivant) {
            const Objet& o = TableObjets[static_cast<size_t>(e->valeur)];
            if (o.famille == 0 && o.degatsContinus != 0 && o.degatsContinus != 254 && o.pointsDeVie > 0) empoisonne = e->valeur;
        }
    }
    NiveauPoisonArmes = 0;
    ASSERT_NE(empoisonne, 0) << "no man poisoned in 600 passes";
    Objet& o = TableObjets[static_cast<size_t>(empoisonne)];
    const int x = std::max(0, (o.x - 13) & ~1), y = std::max(0, (o.y - 8) & ~1);
    const uint8_t dose = static_cast<uint8_t>(o.degatsContinus);
    CompteurCycle43 = 21;   // the pulse's brightest step
    o.degatsContinus = 0;
    Image(x, y);
    const std::vector<uint16_t> sain = ecran;
    o.degatsContinus = dose;
    Image(x, y);
    Capturer("poison");
    // Around the man, where the two frames differ, the poisoned one is greener (5-5-5: green in
    // bits 5-9).
    const int px = (o.x - x) * 24, py = (o.y - y) * 24;
    int differents = 0, plusVerts = 0, moinsVerts = 0;
    for (int yy = std::max(0, py - 48); yy < std::min(480, py + 48); ++yy)
        for (int xx = std::max(0, px - 24); xx < std::min(624, px + 48); ++xx) {
            const size_t i = static_cast<size_t>(yy) * 640 + static_cast<size_t>(xx);
            if (ecran[i] == sain[i]) continue;
            ++differents;
            plusVerts += ((ecran[i] >> 5) & 31) > ((sain[i] >> 5) & 31);
            moinsVerts += ((ecran[i] >> 5) & 31) < ((sain[i] >> 5) & 31);
        }
    EXPECT_GT(plusVerts, 100) << differents;
    EXPECT_GT(plusVerts, 3 * moinsVerts) << differents;
}

// A paused battle shows its sign at the top right of the view: two upright bars, the ground
// between them, on every frame of its turn.
TEST_F(SceneExemple, APausedBattleShowsItsSign) {
    ASSERT_TRUE(Demarrer()) << Rapport();
    const int x = EcranDestination.clipDroite - 32, y = 62;
    auto pixel = [](const std::vector<uint16_t>& e, int px, int py) { return e[static_cast<size_t>(py) * 640 + px]; };
    JeuEnPause = 0;
    Image(0, 0);
    const std::vector<uint16_t> enJeu = ecran;
    JeuEnPause = 1;
    for (int image : {0, 16, 32}) {
        SCOPED_TRACE(image);
        ImagePause = image;
        Image(0, 0);
        if (image == 0) Capturer("pause");
        for (int dy : {12, 16, 20}) {
            EXPECT_NE(pixel(ecran, x + 12, y + dy), pixel(enJeu, x + 12, y + dy)) << dy;
            EXPECT_NE(pixel(ecran, x + 20, y + dy), pixel(enJeu, x + 20, y + dy)) << dy;
            EXPECT_EQ(pixel(ecran, x + 16, y + dy), pixel(enJeu, x + 16, y + dy)) << dy;
        }
    }
    JeuEnPause = 0;
}

// The castle of the first level: its barracks drawn whole over the lit ground.
TEST_F(SceneExemple, TheSampleCastleIsDrawnWhole) {
    ModeSceneCourant = 0;
    CampDuJoueur = 0;
    NiveauChateau = 1;
    ASSERT_TRUE(Demarrer()) << Rapport();
    LumiereActive = 1;
    const int changes = Image(44, 30);
    Capturer("chateau");
    EXPECT_TRUE(VueCouverte());
    EXPECT_TRUE(MargeIntacte());
    EXPECT_GT(changes, 4000);
}

// Without its terrain set a scene does not start: the report names the missing palette.
TEST_F(SceneExemple, AMissingTerrainSetIsReported) {
    std::filesystem::remove(arbre.Racine() / "spredit");
    int fin = -1;
    EXPECT_FALSE(Demarrer(&fin));
    EXPECT_EQ(fin, 1);
    EXPECT_NE(Rapport().find("..\\spredit\\moteur\\matiere1.pal"), std::string::npos) << Rapport();
}

}  // namespace
