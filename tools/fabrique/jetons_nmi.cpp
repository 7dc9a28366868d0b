// The enemy regiments' token on the region map: a black pennant with a pale mark on a spear,
// waving over 13 frames ("sprite/figures/jeton_nmi", the animation of the master "jeton_nmi").
#include <cmath>
#include <string>
#include <vector>

#include "fabrique.h"
#include "sprite_dessin.h"

namespace {

std::vector<ImageBlitter> JetonNmi() {
    std::vector<ImageBlitter> images;
    for (int i = 0; i < 13; ++i) {
        Toile t(22, 26);
        const double o = std::sin(i * 2 * 3.14159 / 13) * 2;
        // The spear, its head, and the pennant cut in two tails.
        t.Rectangle(2, 3, 2, 23, Rvb(12, 12, 12));
        t.Polygone({{1.0, 4.0}, {3.0, 0.0}, {5.0, 4.0}}, [](double, double) { return Rvb(24, 24, 26); });
        t.Polygone({{4.0, 4.0}, {20.0, 5.0 + o}, {14.0, 10.0 + o}, {20.0, 15.0 + o}, {4.0, 15.0}},
                   [](double, double y) { return Rvb(6 + static_cast<int>(y / 5), 2, 8 + static_cast<int>(y / 4)); });
        // The mark: a pale eye.
        t.Disque(10, 9.5 + o / 2, 2.6, Rvb(28, 26, 20));
        t.Disque(10, 9.5 + o / 2, 1.1, Rvb(20, 2, 2));
        t.Contour(Rvb(2, 2, 2));
        images.push_back(t.Image(18, 18));
    }
    return images;
}

bool FabriquerJetonsNmi(const std::string& racine) { return Sprite_Ecrire(racine, "figures/jeton_nmi", JetonNmi()); }

}  // namespace

FABRIQUE_ETAPE("jetons_nmi", FabriquerJetonsNmi);
