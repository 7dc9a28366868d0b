// Projectile sprites: the arrow and the burning arrow, 32 directions of 12 frames of their arc
// (row d points d x 11.25 degrees clockwise from up the screen; the arrow rises, levels and
// dips, so it looks longest mid-flight), and the boulder, 16 directions of 6 frames turning
// over. The hot spot is the middle of each frame, the point the projectile flies along.
#include <cmath>
#include <string>
#include <vector>

#include "fabrique.h"
#include "sprite_dessin.h"

namespace {

constexpr double PI = 3.14159265358979;

// One arrow: shaft of screen length l along (ux, uy) from the centre c, head at the front.
void Fleche(Toile& t, double c, double ux, double uy, double l, bool feu) {
    const double ax = c - ux * l / 2, ay = c - uy * l / 2;   // tail
    const double bx = c + ux * l / 2, by = c + uy * l / 2;   // tip
    const double nx = -uy, ny = ux;                           // across
    t.Trait(ax, ay, bx, by, 1.1, Rvb(19, 13, 6));
    // Fletching: two feathers swept back from near the tail.
    t.Trait(ax + ux * 3.5, ay + uy * 3.5, ax + nx * 2, ay + ny * 2, 1.0, Rvb(28, 28, 27));
    t.Trait(ax + ux * 3.5, ay + uy * 3.5, ax - nx * 2, ay - ny * 2, 1.0, Rvb(28, 28, 27));
    // Head: a grey iron point.
    t.Polygone({{bx + ux * 4, by + uy * 4}, {bx + nx * 2.2, by + ny * 2.2}, {bx - nx * 2.2, by - ny * 2.2}},
               [](double, double) { return Rvb(22, 23, 25); });
    if (feu) {
        t.Disque(bx + ux * 1.5, by + uy * 1.5, 2.2, Rvb(31, 14, 2));
        t.Disque(bx + ux * 1.5, by + uy * 1.5, 1.1, Rvb(31, 29, 12));
    }
}

std::vector<ImageBlitter> Fleches(bool feu) {
    std::vector<ImageBlitter> images;
    for (int d = 0; d < 32; ++d) {
        const double a = d * 11.25 * PI / 180;
        const double ux = std::sin(a), uy = -std::cos(a);
        for (int f = 0; f < 12; ++f) {
            const double assiette = (f - 5.5) / 5.5 * 0.7;   // pitch: up, level, down
            Toile t(26, 26);
            Fleche(t, 13, ux, uy, 16 * std::cos(assiette), feu);
            images.push_back(t.Image(13, 13));
        }
    }
    return images;
}

std::vector<ImageBlitter> Boulets() {
    std::vector<ImageBlitter> images;
    for (int d = 0; d < 16; ++d)
        for (int f = 0; f < 6; ++f) {
            Toile t(14, 14);
            t.Forme([](double x, double y) { return std::hypot(x - 7, y - 7) <= 5.5; },
                    [](double x, double y) {
                        const double l = std::clamp(1.0 - std::hypot(x - 5.5, y - 5.5) / 8, 0.0, 1.0);
                        const int v = 9 + static_cast<int>(l * 14);
                        return Rvb(v, v - 1, v - 2);
                    });
            // A dark cleft that turns with the frames, so that the stone rolls.
            const double r = f * 2 * PI / 6 + d * PI / 8;
            t.Trait(7 + std::cos(r) * 1.5, 7 + std::sin(r) * 1.5, 7 + std::cos(r) * 4.5, 7 + std::sin(r) * 4.5, 1.0,
                    Rvb(6, 5, 4));
            images.push_back(t.Image(7, 7));
        }
    return images;
}

bool FabriquerProjectiles(const std::string& racine) {
    bool ok = true;
    ok &= Sprite_Ecrire(racine, "projectile_fleche", Fleches(false));
    ok &= Sprite_Ecrire(racine, "projectile_fleche_feu", Fleches(true));
    ok &= Sprite_Ecrire(racine, "projectile_boulet", Boulets());
    return ok;
}

}  // namespace

FABRIQUE_ETAPE("projectiles", FabriquerProjectiles);
