// The arrows of a regiment's path on the region map: graphic objects 842 (within the turn's
// movement points) and 1356 (beyond them), one frame per step direction.
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "fabrique.h"
#include "sprite_dessin.h"

namespace {

// Frames 0..7: the steps (0, -1), (1, -1), (1, 0), (1, 1), (0, 1), (-1, 1), (-1, 0), (-1, -1).
std::vector<ImageBlitter> Fleches(int32_t couleur) {
    static constexpr int PAS[8][2] = {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
    std::vector<ImageBlitter> images;
    for (const auto& p : PAS) {
        Toile t(12, 12);
        const double n = std::sqrt(static_cast<double>(p[0] * p[0] + p[1] * p[1]));
        const double ux = p[0] / n, uy = p[1] / n, vx = -uy, vy = ux;
        const double cx = 6, cy = 6;
        // A point 5 pixels ahead of the centre and a base 4 pixels behind it, 8 pixels wide.
        t.Polygone({{cx + 5 * ux, cy + 5 * uy}, {cx - 4 * ux + 4 * vx, cy - 4 * uy + 4 * vy},
                    {cx - 1 * ux, cy - 1 * uy}, {cx - 4 * ux - 4 * vx, cy - 4 * uy - 4 * vy}},
                   [=](double, double) { return couleur; });
        t.Contour(Rvb(2, 2, 2));
        images.push_back(t.Image());
    }
    return images;
}

bool FabriquerFlechesRegion(const std::string& racine) {
    bool ok = Sprite_Ecrire(racine, "region/fleche", Fleches(Rvb(28, 26, 8)));
    ok &= Sprite_Ecrire(racine, "region/fleche_epuisee", Fleches(Rvb(28, 6, 4)));
    return ok;
}

}  // namespace

FABRIQUE_ETAPE("fleches_region", FabriquerFlechesRegion);
