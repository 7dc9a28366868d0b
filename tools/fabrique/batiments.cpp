// The sample building, a barracks, in its three orientations: stone walls with an open doorway
// (frame 0), a tiled roof (frame 1), and in the front view the door shut (frame 2) and open
// (frame 3); its ruin in the three orientations; the flag on its roof. Direct 5-5-5 colours.
#include <algorithm>
#include <cmath>

#include "fabrique.h"
#include "sprite_dessin.h"

namespace {

const int32_t CONTOUR = Rvb(3, 3, 3);

int32_t Pierre(int x, int y) {
    // Courses of stones: a mortar line every 8 rows, joints staggered per course.
    const int rang = y / 8;
    const bool mortier = y % 8 == 7 || (x + (rang % 2) * 6) % 12 == 11;
    const int nuance = ((x / 12) * 7 + rang * 5) % 4;
    return mortier ? Rvb(11, 11, 10) : Rvb(19 + nuance, 18 + nuance, 16 + nuance);
}

int32_t Tuile(int x, int y, int faitage) {
    // Red tiles in rows, darker away from the ridge.
    const bool joint = y % 6 == 5 || (x + (y / 6 % 2) * 4) % 8 == 7;
    const int ombre = std::min(8, std::abs(y - faitage) / 6);
    return joint ? Rvb(12 - ombre / 2, 3, 2) : Rvb(26 - ombre, 8 - ombre / 2, 5 - ombre / 3);
}

// Walls of a w x h footprint (pixels) with a doorway of 24 x 36 at (px, py) left transparent.
Toile Murs(int w, int h, int px, int py) {
    Toile t(w, h);
    t.Forme([=](double x, double y) { return x > 2 && x < w - 2 && y > 2 && y < h - 2; },
            [](double x, double y) { return Pierre(static_cast<int>(x), static_cast<int>(y)); });
    // Corner towers, a lighter top course and two windows.
    for (int cx : {6, w - 6}) t.Rectangle(cx - 6, 0, 12, h, Rvb(16, 15, 14));
    t.Rectangle(2, 2, w - 4, 5, Rvb(24, 23, 21));
    for (int fx : {w / 4, 3 * w / 4}) t.Rectangle(fx - 4, h - 46, 8, 12, Rvb(4, 4, 8));
    t.Rectangle(px - 3, py - 3, 30, 3, Rvb(13, 12, 10));   // lintel
    t.Rectangle(px, py, 24, 36, -1);
    t.Contour(CONTOUR);
    // The doorway stays open after the outline.
    t.Rectangle(px, py, 24, 36, -1);
    return t;
}

// A roof of w x h pixels, its ridge along the longer side.
Toile Toit(int w, int h) {
    Toile t(w, h);
    const int faitage = h / 2;
    t.Polygone({{0, h * 0.55}, {w * 0.12, 0}, {w * 0.88, 0}, {w, h * 0.55}, {w * 0.88, h}, {w * 0.12, h}},
               [=](double x, double y) { return Tuile(static_cast<int>(x), static_cast<int>(y), faitage); });
    t.Rectangle(static_cast<int>(w * 0.12), faitage - 1, static_cast<int>(w * 0.76), 3, Rvb(30, 24, 8));   // gilded ridge
    t.Contour(CONTOUR);
    return t;
}

Toile PorteFermee() {
    Toile t(24, 36);
    t.Rectangle(0, 0, 24, 36, Rvb(15, 9, 4));
    for (int x = 5; x < 24; x += 6) t.Rectangle(x, 0, 1, 36, Rvb(9, 5, 2));   // planks
    for (int y : {7, 26}) t.Rectangle(0, y, 24, 3, Rvb(10, 10, 11));          // iron bands
    t.Disque(18, 18, 2, Rvb(28, 24, 6));                                     // ring
    return t;
}

Toile PorteOuverte() {
    Toile t(24, 36);
    t.Rectangle(0, 0, 24, 36, Rvb(2, 1, 1));   // the dark hall inside
    t.Rectangle(4, 30, 16, 6, Rvb(7, 5, 3));    // its floor
    t.Rectangle(0, 0, 5, 36, Rvb(15, 9, 4));    // the leaf turned against the jamb
    t.Rectangle(0, 7, 5, 3, Rvb(10, 10, 11));
    t.Rectangle(0, 26, 5, 3, Rvb(10, 10, 11));
    return t;
}

// Broken wall stubs and heaps of stones over a w x h footprint.
Toile Ruine(int w, int h, int graine) {
    Toile t(w, h);
    t.Forme([=](double x, double y) { return x > 4 && x < w - 4 && y > h * 0.35 && y < h - 4; },
            [](double, double) { return Rvb(8, 7, 6); });
    for (int i = 0; i < 5; ++i) {
        const int x = 6 + (i * 37 + graine * 11) % (w - 24), haut = 10 + (i * 13 + graine * 7) % 26;
        t.Forme([=](double px, double py) { return px > x && px < x + 12 && py > h - 8 - haut && py < h - 4; },
                [](double px, double py) { return Pierre(static_cast<int>(px), static_cast<int>(py)); });
    }
    for (int i = 0; i < 9; ++i)
        t.Disque(10 + (i * 29 + graine * 5) % (w - 20), h * 0.45 + (i * 17) % static_cast<int>(h * 0.45), 4 + i % 3,
                 Rvb(16 + i % 4, 15 + i % 4, 13));
    t.Contour(CONTOUR);
    return t;
}

// The barracks' flag on its pole, waving in 12 frames; the hot spot at the foot of the pole.
Toile Drapeau(int image) {
    Toile t(30, 40);
    const double phase = image * 2 * 3.14159265358979 / 12;
    auto onde = [=](double x) { return 2.5 * std::sin(x / 4.5 - phase) * (x - 3) / 26; };
    t.Forme([=](double x, double y) { return x > 3 && x < 29 && y > 1 + onde(x) && y < 15 + onde(x); },
            [=](double x, double y) {
                const double pente = std::cos(x / 4.5 - phase);
                const int l = static_cast<int>(3 * pente);
                const bool bande = y > 6 + onde(x) && y < 10 + onde(x);
                return bande ? Rvb(29 + l, 25 + l, 6) : Rvb(24 + l, 4 + l / 2, 4);
            });
    t.Contour(CONTOUR);
    t.Rectangle(1, 0, 3, 40, Rvb(12, 8, 4));   // the pole
    t.Disque(2.5, 1.5, 1.5, Rvb(30, 26, 8));
    return t;
}

bool FabriquerBatiments(const std::string& racine) {
    bool ok = true;
    // Front view: 5 x 4 cells, door at cell (2, 3); side views: 4 x 5 cells, door at (1, 4) or (2, 4).
    ok &= Sprite_Ecrire(racine, "figures/caserne_t",
                        {Murs(120, 96, 48, 60).Image(), Toit(128, 64).Image(), PorteFermee().Image(),
                         PorteOuverte().Image()});
    ok &= Sprite_Ecrire(racine, "figures/caserne_d", {Murs(96, 120, 24, 84).Image(), Toit(104, 80).Image()});
    ok &= Sprite_Ecrire(racine, "figures/caserne_g", {Murs(96, 120, 48, 84).Image(), Toit(104, 80).Image()});
    ok &= Sprite_Ecrire(racine, "figures/caserne_ruine",
                        {Ruine(120, 96, 1).Image(), Ruine(96, 120, 2).Image(), Ruine(96, 120, 3).Image()});
    std::vector<ImageBlitter> drapeau;
    for (int i = 0; i < 12; ++i) drapeau.push_back(Drapeau(i).Image(2, 39));
    ok &= Sprite_Ecrire(racine, "figures/caserne_drapeau", drapeau);
    return ok;
}

}  // namespace

FABRIQUE_ETAPE("batiments", FabriquerBatiments);
