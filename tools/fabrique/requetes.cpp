// The sample sprites of the requesters and of the results screen: the requester's box, a
// speaker's portrait, the results panel with its OK button and five gauges, and the mark of a
// leader lost.
#include <cmath>
#include <string>
#include <vector>

#include "fabrique.h"
#include "sprite_dessin.h"

namespace {

// A framed panel of l x h, dark inside, its hot spot at its centre.
Toile Panneau(int l, int h, int32_t fond, int32_t cadre) {
    Toile t(l, h);
    t.Forme([=](double x, double y) { return x > 2 && y > 2 && x < l - 2 && y < h - 2; },
            [=](double x, double y) {
                // A light grain so the panel does not look flat.
                const int g = static_cast<int>(std::lround(std::sin(x * 0.9) * std::cos(y * 0.7) * 1.5));
                return fond + g * 0x421;
            });
    for (int i = 0; i < 6; ++i) {
        const int32_t c = i == 0 || i == 5 ? Rvb(4, 3, 1) : cadre;
        t.Rectangle(i, i, l - 2 * i, 1, c);
        t.Rectangle(i, h - 1 - i, l - 2 * i, 1, c);
        t.Rectangle(i, i, 1, h - 2 * i, c);
        t.Rectangle(l - 1 - i, i, 1, h - 2 * i, c);
    }
    return t;
}

// The requester's box (453 x 314): the text on the right, a niche for the portrait on the left,
// the speaker's name band below it.
ImageBlitter Boite() {
    Toile t = Panneau(453, 314, Rvb(5, 4, 3), Rvb(20, 15, 6));
    t.Rectangle(30, 60, 140, 180, Rvb(2, 2, 1));
    t.Rectangle(24, 236, 150, 24, Rvb(8, 6, 3));
    return t.Image(226, 157);
}

// A speaker: a head and shoulders in a hood, 130 x 170.
ImageBlitter Portrait() {
    Toile t(130, 170);
    t.Rectangle(0, 0, 130, 170, Rvb(6, 8, 12));
    t.Polygone({{10, 170}, {25, 105}, {65, 88}, {105, 105}, {120, 170}}, [](double, double y) {
        return Rvb(6 + static_cast<int>(y / 40), 3, 3);
    });
    t.Disque(65, 65, 30, Rvb(12, 9, 6));   // the hood
    t.Forme([](double x, double y) { return std::hypot((x - 65) / 20, (y - 70) / 25) <= 1; },
            [](double x, double) { return Rvb(26 - static_cast<int>(std::abs(x - 60) / 4), 19, 13); });
    t.Disque(57, 65, 2.5, Rvb(3, 3, 5));
    t.Disque(73, 65, 2.5, Rvb(3, 3, 5));
    t.Trait(58, 82, 72, 82, 2, Rvb(14, 6, 5));
    t.Rectangle(0, 0, 130, 3, Rvb(20, 15, 6));
    t.Rectangle(0, 167, 130, 3, Rvb(20, 15, 6));
    return t.Image(65, 85);
}

// The results: frame 0 the panel, 1 and 2 the OK button (2 lit), then five gauges of 21 frames
// each (a bar of 0 to 20 steps). A gauge's hot spot is at its left, below the bar: its value's
// text, written 2 pixels higher and lower, stands under the bar. The panel labels the gold won
// and the experience gained, whose numbers the screen writes at x 93 under the battle's length.
std::vector<ImageBlitter> Bilan() {
    std::vector<ImageBlitter> images;
    Toile panneau = Panneau(620, 460, Rvb(4, 4, 5), Rvb(18, 16, 8));
    const int32_t texte = Rvb(28, 27, 22), ombre = Rvb(1, 1, 1);
    // Panel coordinates are the screen's less (10, 10).
    Toile_Texte(panneau, 30, 409, "OR :", 2, texte, ombre);
    Toile_Texte(panneau, 30, 434, "XP :", 2, texte, ombre);
    images.push_back(panneau.Image(310, 230));
    for (bool allume : {false, true}) {
        Toile b(44, 44);
        b.Disque(22, 22, 20, allume ? Rvb(28, 24, 8) : Rvb(16, 13, 5));
        b.Trait(12, 23, 19, 30, 4, Rvb(4, 20, 4));
        b.Trait(19, 30, 32, 14, 4, Rvb(4, 20, 4));
        b.Contour(Rvb(2, 2, 1));
        images.push_back(b.Image(22, 22));
    }
    const int32_t couleurs[5] = {Rvb(26, 6, 4), Rvb(6, 22, 6), Rvb(28, 24, 6), Rvb(8, 12, 28), Rvb(20, 8, 26)};
    for (int32_t c : couleurs)
        for (int pas = 0; pas <= 20; ++pas) {
            Toile g(204, 14);
            g.Rectangle(0, 0, 204, 14, Rvb(2, 2, 2));
            g.Rectangle(2, 2, pas * 10, 10, c);
            images.push_back(g.Image(0, 17));
        }
    return images;
}

ImageBlitter Marque() {
    Toile t(20, 20);
    t.Trait(3, 3, 17, 17, 4, Rvb(28, 3, 2));
    t.Trait(17, 3, 3, 17, 4, Rvb(28, 3, 2));
    t.Contour(Rvb(2, 1, 1));
    return t.Image(10, 10);
}

bool FabriquerRequetes(const std::string& racine) {
    bool ok = true;
    ok &= Sprite_Ecrire(racine, "requester", {Boite()});
    ok &= Sprite_Ecrire(racine, "portrait", {Portrait()});
    ok &= Sprite_Ecrire(racine, "bilan", Bilan());
    ok &= Sprite_Ecrire(racine, "marque_bilan", {Marque()});
    return ok;
}

}  // namespace

FABRIQUE_ETAPE("requetes", FabriquerRequetes);
