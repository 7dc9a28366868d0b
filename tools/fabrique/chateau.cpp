// The castle's upgrade window (graphic object 953): frame 0 the window, a parchment in a carved
// wooden frame with the list above and the description box below; frames 1 to 6 the close box,
// frame 3 lit for the mouse over it, the others at rest. Direct 5-5-5 colours.
#include <cmath>

#include "fabrique.h"
#include "sprite_dessin.h"

namespace {

Toile Fenetre() {
    const int l = 568, h = 404;
    Toile t(l, h);
    // The wooden frame, its grain darker every few rows.
    t.Forme([](double, double) { return true; },
            [](double x, double y) {
                const int veine = (static_cast<int>(y + 3 * std::sin(x / 23.0)) / 3) % 4;
                return Rvb(12 + veine, 7 + veine / 2, 3);
            });
    // The parchment, lighter in the middle.
    t.Forme([=](double x, double y) { return x > 14 && x < l - 14 && y > 14 && y < h - 14; },
            [=](double x, double y) {
                const double d = std::hypot((x - l / 2.0) / l, (y - h / 2.0) / h);
                const int v = static_cast<int>(6 * d);
                return Rvb(27 - v, 24 - v, 17 - v);
            });
    // The rows of the list and the description box.
    for (int i = 0; i <= 6; ++i) t.Rectangle(40, 70 + 32 * i, l - 80, 1, Rvb(18, 15, 10));
    t.Rectangle(30, 284, l - 60, 2, Rvb(12, 8, 4));
    t.Rectangle(30, 284, 2, 80, Rvb(12, 8, 4));
    t.Rectangle(l - 32, 284, 2, 80, Rvb(12, 8, 4));
    t.Rectangle(30, 362, l - 60, 2, Rvb(12, 8, 4));
    // Gilded studs at the corners.
    for (int cx : {8, l - 8})
        for (int cy : {8, h - 8}) t.Disque(cx, cy, 5, Rvb(29, 24, 6));
    t.Contour(Rvb(3, 2, 1));
    return t;
}

Toile Fermer(bool allume) {
    Toile t(41, 41);
    t.Disque(20.5, 20.5, 19, allume ? Rvb(28, 22, 6) : Rvb(16, 11, 5));
    t.Disque(20.5, 20.5, 15, allume ? Rvb(24, 6, 4) : Rvb(14, 4, 3));
    t.Trait(13, 13, 28, 28, 4, Rvb(30, 28, 22));
    t.Trait(28, 13, 13, 28, 4, Rvb(30, 28, 22));
    t.Contour(Rvb(3, 2, 1));
    return t;
}

bool FabriquerChateau(const std::string& racine) {
    std::vector<ImageBlitter> images{Fenetre().Image()};
    for (int i = 1; i <= 6; ++i) images.push_back(Fermer(i == 3).Image());
    return Sprite_Ecrire(racine, "interface/upgrade", images);
}

}  // namespace

FABRIQUE_ETAPE("chateau", FabriquerChateau);
