// The large sample battle (niveau/grande.mv) drawn at 640 x 480: its catapults at rest, firing and
// wrecked, and the two armies at grips. With MORVANE_CAPTURES set to a folder, the frames are also
// written there as PNG images.
#include <cstdlib>
#include <string>
#include <vector>

#include "scene_ecran_fixture.h"
#include "battle/deplacement.h"
#include "battle/ia.h"
#include "battle/impacts.h"
#include "battle/machines.h"
#include "battle/projectiles.h"
#include "battle/simulation.h"
#include "foundation/ecran.h"
#include "foundation/objetsgfx.h"
#include "foundation/sprites.h"
#include "platform/affichage.h"
#include "platform/blitter.h"
#include "platform/temps.h"
#include "scene/affichage.h"
#include "scene/plans.h"
#include "scene/terrain.h"
#include "shell/cycles.h"
#include "shell/trame.h"
#include "world/gestion_objets.h"
#include "world/mort.h"

namespace {

constexpr int CATAPULTE = 141, DEBRIS_CATAPULTE = 158;

class SceneGrande : public SceneEcran {
  protected:
    std::vector<uint16_t> terrain;

    void Demarrer() {
        ASSERT_TRUE(DemarrerBataille("..\\niveau\\grande.mv")) << Rapport();
        EXPECT_EQ(Rapport(), "");
    }
    // The frame centred on cell (x, y) (the view origin even, as the view keeps it); the terrain
    // alone is kept in `terrain`.
    void Image(int x, int y) {
        RepereX = (x - 13) & ~1;
        RepereY = (y - 10) & ~1;
        std::fill(ecran.begin(), ecran.end(), FOND);
        Terrain__Affichage();
        terrain = ecran;
        std::fill(ecran.begin(), ecran.end(), FOND);
        PlanObjet__RazAffiche();
        Scene__Affichage();
    }
    void Image(const Objet& o) { Image(o.x, o.y); }
    // The pixels the objects changed over the terrain in the 80 x 72 box a machine of object o's
    // place is drawn in.
    int ChangesMachine(const Objet& o) const {
        const int px = (o.x - RepereX) * 24 + o.decalageX + 52, py = (o.y - RepereY) * 24 + o.decalageY + 24;
        int n = 0;
        for (int y = std::max(0, py - 36); y < std::min(480, py + 36); ++y)
            for (int x = std::max(0, px - 48); x < std::min(624, px + 32); ++x)
                n += ecran[static_cast<size_t>(y) * 640 + x] != terrain[static_cast<size_t>(y) * 640 + x];
        return n;
    }
    // One logic pass, every army led by the computer; the catapult stones launched in it.
    static int Passe() {
        int pierres = 0;
        PasseDessinee([&pierres] {
            for (const Projectile* p = ProjectileTete; p; p = p->suivant) pierres += p->pas == 0 && p->genre == PROJECTILE_BOULET;
        });
        return pierres;
    }
    static std::vector<int> Objets(int maitre) {
        std::vector<int> liste;
        for (NoeudEntier* e = ListeObjetsVivants; e && e->suivant; e = e->suivant)
            if (TableObjets[static_cast<size_t>(e->valeur)].typeMaitre == maitre) liste.push_back(e->valeur);
        return liste;
    }
};

// Each side's catapult shows at rest before the battle, in its own footprint, away from the men.
TEST_F(SceneGrande, TheCatapultsAreDrawnAtRest) {
    Demarrer();
    const std::vector<int> catapultes = Objets(CATAPULTE);
    ASSERT_EQ(catapultes.size(), 2u);
    for (int n : catapultes) {
        const Objet& o = TableObjets[static_cast<size_t>(n)];
        SCOPED_TRACE(o.armee);
        Image(o);
        EXPECT_GT(ChangesMachine(o), 400);
        Capturer(o.armee == 0 ? "grande_catapulte_joueur" : "grande_catapulte_ennemie");
    }
}

// Once the armies close, a catapult throws its stone, drawn in its firing frames; the battle goes
// on around it. Destroyed, it leaves a wreck that is drawn in its place.
TEST_F(SceneGrande, ACatapultFiresThenFallsToAWreck) {
    Demarrer();
    int pierres = 0, passes = 0;
    for (; passes < 1000 && pierres == 0; ++passes) pierres += Passe();
    ASSERT_GT(pierres, 0) << passes;
    int tireur = -1;
    for (int n : Objets(CATAPULTE))
        if (TableObjets[static_cast<size_t>(n)].animation == 2) tireur = n;
    ASSERT_NE(tireur, -1);
    Objet& o = TableObjets[static_cast<size_t>(tireur)];
    Image(o);
    EXPECT_GT(ChangesMachine(o), 400);
    Capturer("grande_tir");

    // The armies at grips a little later, seen where the men stand thickest.
    for (int i = 0; i < 60; ++i) Passe();
    long sx = 0, sy = 0, n = 0;
    for (NoeudEntier* e = ListeObjetsVivants; e && e->suivant; e = e->suivant) {
        const Objet& u = TableObjets[static_cast<size_t>(e->valeur)];
        if (u.famille != 0 || u.armee < 0 || u.armee > 1) continue;
        sx += u.x, sy += u.y, ++n;
    }
    ASSERT_GT(n, 0);
    Image(static_cast<int>(sx / n), static_cast<int>(sy / n));
    Capturer("grande_bataille");

    // Destroyed in the middle of an animation, it turns into its wreck at its next step.
    o.pointsDeVie = 0;
    o.compteurEvenement = 0;
    ObjetCourant = &o;
    Catapulte___gestion();
    ASSERT_EQ(o.typeMaitre, DEBRIS_CATAPULTE);
    Image(o);
    EXPECT_GT(ChangesMachine(o), 150);
    Capturer("grande_debris");
}

}  // namespace
