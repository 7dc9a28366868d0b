// The sample battle interface in "sprite/interface": the lower panel, the portrait frame, unit
// icons, status, class and relation signs, the ability icons, the gold plaque, the minimap's frame,
// corner shade and markers, the grids' cell frame, the busy animation, the region map's hourglass
// and the small digits. Direct-colour sprites in one style: dark oak and bronze, lit from the top
// left.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "fabrique.h"
#include "sprite_dessin.h"

namespace {

constexpr double PI = std::numbers::pi;

int32_t Bronze(double l) {
    const double v = std::clamp(l, 0.0, 1.0);
    return Rvb(static_cast<int>(10 + 21 * v), static_cast<int>(7 + 17 * v), static_cast<int>(3 + 8 * v));
}
int32_t Chene(double l) {
    const double v = std::clamp(l, 0.0, 1.0);
    return Rvb(static_cast<int>(3 + 7 * v), static_cast<int>(2 + 5 * v), static_cast<int>(1 + 3 * v));
}
int32_t Melange(int32_t a, int32_t b, double t) {
    const auto c = [&](int s) {
        return static_cast<int>(std::lround(((a >> s) & 31) * (1 - t) + ((b >> s) & 31) * t));
    };
    return Rvb(c(10), c(5), c(0));
}
int32_t Eclaircir(int32_t a, double t) { return Melange(a, Rvb(31, 31, 31), t); }
int32_t Assombrir(int32_t a, double t) { return Melange(a, Rvb(0, 0, 0), t); }

// A rounded rectangle's inside test.
bool Arrondi(double x, double y, double x0, double y0, double l, double h, double r) {
    const double cx = std::clamp(x, x0 + r, x0 + l - r), cy = std::clamp(y, y0 + r, y0 + h - r);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r && x >= x0 && y >= y0 && x <= x0 + l && y <= y0 + h;
}

// A bronze border of width e round the rectangle, lit on its top and left.
void Bordure(Toile& t, int x0, int y0, int l, int h, int e, double eclat) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + l; ++x) {
            const int d = std::min({x - x0, y - y0, x0 + l - 1 - x, y0 + h - 1 - y});
            if (d >= e) continue;
            const bool haut = (x - x0) + (y - y0) < (x0 + l - 1 - x) + (y0 + h - 1 - y);
            const double lum = (haut ? 0.75 : 0.35) + (d == 0 ? -0.2 : d == e - 1 ? -0.1 : 0.1) + eclat;
            t.Point(x, y, Bronze(lum));
        }
}

// The lower panel: an oak board across the view with a bronze rim on top; hot spot bottom-left.
ImageBlitter Panneau() {
    Toile t(624, 70);
    t.Forme([](double, double) { return true; },
            [](double x, double y) {
                const double grain = 0.5 + 0.25 * std::sin(x * 0.045 + std::sin(y * 0.35) * 2.2) + 0.1 * std::sin(x * 0.31);
                return Chene(grain * (0.6 + y / 140));
            });
    for (int x = 0; x < 624; ++x) {
        t.Point(x, 0, Bronze(0.3));
        t.Point(x, 1, Bronze(0.95));
        t.Point(x, 2, Bronze(0.7));
        t.Point(x, 3, Bronze(0.35));
    }
    for (int x = 20; x < 624; x += 96) {
        t.Disque(x, 9, 2.2, Bronze(0.85));
        t.Point(x - 1, 8, Eclaircir(Bronze(1), 0.5));
    }
    return t.Image(0, 70);
}

// The portrait frame, 70 x 44: an icon well on the left, three bar troughs on the right; frame 1
// lit for the portrait under the mouse.
std::vector<ImageBlitter> CadrePortrait() {
    std::vector<ImageBlitter> images;
    for (int eclaire = 0; eclaire < 2; ++eclaire) {
        Toile t(70, 44);
        t.Forme([](double, double) { return true; }, [](double x, double y) { return Chene(0.55 + 0.2 * std::sin(x * 0.2 + y * 0.05)); });
        t.Rectangle(4, 3, 32, 38, Rvb(2, 2, 3));
        t.Rectangle(38, 5, 28, 11, Rvb(2, 2, 2));
        Bordure(t, 0, 0, 70, 44, 3, eclaire ? 0.35 : 0);
        images.push_back(t.Image());
    }
    return images;
}

enum class Coiffe { Casque, Capuche, Chapeau, Couronne, Cornes, Aucune, Tour, Tombe, Porte };

// A unit icon, 32 x 36 centred on its hot spot: a bust over a coloured ground.
ImageBlitter Icone(Coiffe coiffe, int32_t fond, int32_t habit) {
    Toile t(32, 36);
    t.Forme([](double x, double y) { return Arrondi(x, y, 0, 0, 32, 36, 5); },
            [=](double x, double y) { return Melange(Eclaircir(fond, 0.25), Assombrir(fond, 0.5), (x + y) / 68); });
    if (coiffe == Coiffe::Tour) {
        t.Rectangle(9, 10, 14, 22, Rvb(20, 19, 17));
        for (int k = 0; k < 3; ++k) t.Rectangle(8 + k * 6, 6, 4, 5, Rvb(22, 21, 19));
        t.Rectangle(14, 22, 4, 10, Rvb(6, 4, 2));
        t.Contour(Rvb(2, 2, 2));
        return t.Image(16, 18);
    }
    if (coiffe == Coiffe::Tombe) {
        t.Forme([](double x, double y) { return Arrondi(x, y, 9, 6, 14, 26, 6); }, [](double x, double y) { return Rvb(18 - static_cast<int>(y / 6), 18 - static_cast<int>(x / 8), 17); });
        t.Rectangle(15, 11, 2, 10, Rvb(6, 6, 6));
        t.Rectangle(12, 14, 8, 2, Rvb(6, 6, 6));
        return t.Image(16, 18);
    }
    if (coiffe == Coiffe::Porte) {
        t.Forme([](double x, double y) { return Arrondi(x, y, 6, 6, 20, 28, 9) && y > 6; }, [](double x, double) { return static_cast<int>(x) % 4 == 0 ? Rvb(8, 5, 2) : Rvb(16, 10, 5); });
        for (int y = 12; y < 34; y += 7) t.Rectangle(6, y, 20, 1, Rvb(6, 6, 7));
        return t.Image(16, 18);
    }
    // Shoulders, neck and face.
    t.Forme([](double x, double y) { return y > 25 && std::abs(x - 16) < 13 - (36 - y) * 0.2; },
            [=](double x, double y) { return Melange(Eclaircir(habit, 0.3), Assombrir(habit, 0.4), (x - 4) / 30 + (y - 26) / 30); });
    t.Forme([](double x, double y) { return std::pow((x - 16) / 7.0, 2) + std::pow((y - 18) / 8.5, 2) <= 1; },
            [](double x, double y) { return Rvb(28 - static_cast<int>((x - 9) / 3), 21 - static_cast<int>((x - 9) / 3 + (y - 10) / 6), 15 - static_cast<int>((y - 10) / 5)); });
    t.Point(13, 18, Rvb(3, 2, 2));
    t.Point(19, 18, Rvb(3, 2, 2));
    t.Rectangle(14, 22, 4, 1, Rvb(16, 8, 6));
    switch (coiffe) {
        case Coiffe::Casque:
            t.Forme([](double x, double y) { return y < 17 && std::pow((x - 16) / 8.5, 2) + std::pow((y - 16) / 9.0, 2) <= 1; },
                    [](double x, double y) { return Rvb(18 + static_cast<int>((24 - x) / 3), 19 + static_cast<int>((24 - x) / 3), 21 + static_cast<int>((20 - y) / 4)); });
            t.Rectangle(15, 14, 2, 7, Rvb(20, 21, 23));
            break;
        case Coiffe::Capuche:
            t.Polygone({{16, 0}, {26, 16}, {25, 27}, {22, 20}, {10, 20}, {7, 27}, {6, 16}},
                       [=](double x, double) { return Melange(Eclaircir(habit, 0.2), Assombrir(habit, 0.5), (x - 6) / 20); });
            t.Disque(16, 4, 1.5, Rvb(31, 28, 10));
            break;
        case Coiffe::Chapeau:
            t.Forme([](double x, double y) { return y < 14 && y > 7 && std::abs(x - 16) < 10 - (14 - y) * 0.4; },
                    [](double x, double) { return Rvb(6 + static_cast<int>(x / 6), 14 + static_cast<int>(x / 5), 5); });
            t.Trait(22, 10, 29, 2, 1.6, Rvb(30, 8, 6));
            break;
        case Coiffe::Couronne:
            t.Rectangle(8, 10, 17, 3, Rvb(31, 25, 6));
            for (int k = 0; k < 4; ++k) t.Polygone({{8.0 + k * 5, 10}, {10.5 + k * 5, 4}, {13.0 + k * 5, 10}}, [](double, double y) { return Rvb(31, 22 + static_cast<int>(y / 3), 4); });
            t.Disque(16.5, 11.5, 1.2, Rvb(29, 4, 6));
            break;
        case Coiffe::Cornes:
            for (int k : {-1, 1}) t.Trait(16 + k * 6, 12, 16 + k * 12, 2, 2.6, Rvb(27, 25, 20));
            break;
        default: break;
    }
    t.Contour(Rvb(2, 2, 2));
    return t.Image(16, 18);
}

// The icon frames that show the sample's own units (the panel's table gives each master its
// frame): their headgear and, for the factions' soldiers, archers and mages, a coat in the team
// colour of their masters. A coat of -1 keeps the frame's own hue.
struct IconeUnite {
    int objet, image;
    Coiffe coiffe;
    int32_t habit;
};
const int32_t JUSTICE = Rvb(8, 14, 30), LUMIERE = Rvb(31, 29, 12), MORVANE = Rvb(27, 8, 31);
const IconeUnite ICONES_UNITES[] = {
    {818, 0, Coiffe::Chapeau, -1},   {818, 4, Coiffe::Capuche, -1},   {818, 5, Coiffe::Casque, -1},   // Empire
    {815, 6, Coiffe::Casque, JUSTICE}, {815, 1, Coiffe::Chapeau, JUSTICE}, {815, 2, Coiffe::Capuche, JUSTICE},
    {821, 5, Coiffe::Casque, LUMIERE}, {821, 0, Coiffe::Chapeau, LUMIERE}, {821, 2, Coiffe::Capuche, LUMIERE},
    {822, 2, Coiffe::Casque, MORVANE}, {971, 1, Coiffe::Chapeau, MORVANE}, {822, 8, Coiffe::Capuche, MORVANE},
    {820, 1, Coiffe::Couronne, -1},   // hero
    {819, 13, Coiffe::Tombe, -1},     {819, 14, Coiffe::Porte, -1},
};

// The icons of one graphic object: 15 frames over grounds of turning hue.
std::vector<ImageBlitter> Icones(int objet) {
    std::vector<ImageBlitter> images;
    for (int k = 0; k < 15; ++k) {
        const double h = std::fmod(objet * 0.37 + k * 0.61, 1.0) * 2 * PI;
        const int32_t fond = Rvb(static_cast<int>(10 + 7 * std::cos(h)), static_cast<int>(10 + 7 * std::cos(h - 2.1)), static_cast<int>(10 + 7 * std::cos(h + 2.1)));
        int32_t habit = Rvb(static_cast<int>(14 + 10 * std::cos(h + 1)), static_cast<int>(12 + 8 * std::cos(h - 1.1)), static_cast<int>(12 + 9 * std::cos(h + 3.1)));
        Coiffe c = static_cast<Coiffe>((objet + k) % 6);
        for (const IconeUnite& u : ICONES_UNITES)
            if (u.objet == objet && u.image == k) {
                c = u.coiffe;
                if (u.habit != -1) habit = u.habit;
            }
        if (objet == 941) c = Coiffe::Tour;
        images.push_back(Icone(c, fond, habit));
    }
    return images;
}

// Status signs, 12 x 12: 0 a poison drop, 1 a blessing halo, 2 a frost star.
std::vector<ImageBlitter> Etats() {
    std::vector<ImageBlitter> images;
    Toile goutte(12, 12);
    goutte.Forme([](double x, double y) { return (y > 5 && std::hypot(x - 6, y - 7.5) < 4) || (y <= 5 && std::abs(x - 6) < (y - 1) * 0.8); },
                 [](double x, double y) { return Rvb(6 + static_cast<int>((12 - x - y) / 2), 24 - static_cast<int>(y), 6); });
    goutte.Contour(Rvb(1, 3, 1));
    images.push_back(goutte.Image());
    Toile halo(12, 12);
    halo.Forme([](double x, double y) { double d = std::hypot((x - 6) / 1.0, (y - 6) * 1.8); return d < 5.5 && d > 3.2; },
               [](double x, double) { return Rvb(31, 28 - static_cast<int>(x / 3), 10); });
    halo.Contour(Rvb(8, 6, 1));
    images.push_back(halo.Image());
    Toile gel(12, 12);
    for (int k = 0; k < 3; ++k) {
        const double a = k * PI / 3;
        gel.Trait(6 - 5 * std::cos(a), 6 - 5 * std::sin(a), 6 + 5 * std::cos(a), 6 + 5 * std::sin(a), 1.6, Rvb(20, 28, 31));
    }
    gel.Contour(Rvb(2, 4, 10));
    images.push_back(gel.Image());
    return images;
}

// Class signs, 12 x 12: 0 crossbow, 1 fire, 2 wave, 3 sword, 4 bow, 5 wing, 6 star, 7 claw.
std::vector<ImageBlitter> Classes() {
    std::vector<ImageBlitter> images;
    const int32_t c = Rvb(29, 25, 14);
    for (int k = 0; k < 8; ++k) {
        Toile t(12, 12);
        switch (k) {
            case 0: t.Trait(2, 6, 10, 6, 1.5, c); t.Trait(6, 1, 6, 11, 1.5, c); t.Trait(2, 3, 2, 9, 1.2, c); break;
            case 1: t.Polygone({{6, 0}, {10, 7}, {8, 11}, {4, 11}, {2, 7}, {5, 5}}, [](double, double y) { return Rvb(31, 12 + static_cast<int>(y * 1.5), 3); }); break;
            case 2: for (int x = 0; x < 12; ++x) t.Disque(x + 0.5, 6 + 2.5 * std::sin(x * 0.9), 1, Rvb(8, 20, 31)); break;
            case 3: t.Trait(2, 10, 10, 2, 1.8, Rvb(26, 27, 29)); t.Trait(3, 6, 6, 9, 1.6, c); break;
            case 4:
                for (int y = 1; y < 11; ++y) t.Point(static_cast<int>(3 + 4 * std::sin((y - 1) * PI / 9)), y, c);
                t.Trait(3, 1, 3, 10, 1, Rvb(26, 27, 29));
                t.Trait(3, 6, 10, 6, 1, Rvb(26, 27, 29));
                break;
            case 5: t.Polygone({{1, 10}, {2, 3}, {7, 1}, {11, 2}, {8, 5}, {10, 6}, {6, 8}, {8, 9}}, [](double x, double) { return Rvb(28, 28, 27 - static_cast<int>(x)); }); break;
            case 6:
                t.Polygone({{6, 0}, {7.5, 4.5}, {12, 4.5}, {8.5, 7.2}, {10, 12}, {6, 9}, {2, 12}, {3.5, 7.2}, {0, 4.5}, {4.5, 4.5}},
                           [](double, double y) { return Rvb(20, 22, 31 - static_cast<int>(y)); });
                break;
            default: for (int j = -1; j <= 1; ++j) t.Trait(3 + j * 3, 2, 6 + j * 3, 11, 1.4, Rvb(30, 8, 6)); break;
        }
        t.Contour(Rvb(2, 1, 1));
        images.push_back(t.Image());
    }
    return images;
}

// Relation shields, 16 x 18: 0 orange (fights others), 1 red (the player's enemy), 2 grey
// (at peace), 3 blue (the player's own).
std::vector<ImageBlitter> Relations() {
    std::vector<ImageBlitter> images;
    const int32_t couleurs[4] = {Rvb(31, 17, 2), Rvb(28, 3, 3), Rvb(17, 17, 17), Rvb(5, 12, 30)};
    for (int32_t couleur : couleurs) {
        Toile t(16, 18);
        t.Forme([](double x, double y) { return y < 9 ? x > 1 && x < 15 && y > 1 : std::abs(x - 8) < 7 - (y - 9) * 0.8; },
                [=](double x, double y) { return Melange(Eclaircir(couleur, 0.35), Assombrir(couleur, 0.45), (x + y) / 32); });
        t.Trait(8, 3, 8, 14, 1.2, Eclaircir(couleur, 0.7));
        t.Contour(Bronze(0.6));
        images.push_back(t.Image());
    }
    return images;
}

// The gold plaque: a coin and a slot for the amount.
ImageBlitter Or() {
    Toile t(104, 28);
    t.Forme([](double x, double y) { return Arrondi(x, y, 0, 0, 104, 28, 6); }, [](double x, double y) { return Chene(0.5 + 0.15 * std::sin(x * 0.1) - y / 80); });
    Bordure(t, 0, 0, 104, 28, 2, 0);
    t.Disque(12, 14, 8, Rvb(25, 19, 3));
    t.Forme([](double x, double y) { return std::hypot(x - 12, y - 14) < 6.5; }, [](double x, double y) { return Rvb(31, 27 - static_cast<int>((x + y - 14) / 3), 8); });
    t.Trait(12, 10, 12, 18, 1.2, Rvb(22, 16, 2));
    // Its hot spot lets the amount's text stand inside it.
    return t.Image(0, 4);
}

// The minimap's frame: a bronze square round the 96-pixel map, 5 pixels wide.
ImageBlitter CadreCarte() {
    Toile t(106, 106);
    Bordure(t, 0, 0, 106, 106, 5, 0.05);
    for (int k : {2, 103}) {
        t.Disque(k, 2, 2.5, Bronze(0.95));
        t.Disque(k, 103, 2.5, Bronze(0.6));
    }
    return t.Image();
}

// What darkens the minimap's base image: its rounded corners, and a thin shade along its edges.
ImageBlitter OmbrageCarte() {
    Toile t(96, 96);
    t.Forme([](double x, double y) { return !Arrondi(x, y, 0, 0, 96, 96, 7); }, [](double, double) { return Rvb(31, 31, 31); });
    return t.Image();
}

// The cell frame the editors and the debug pages draw on each cell of their grids: a thin light
// outline of a 24-pixel cell, its inside clear.
ImageBlitter CaseGrille() {
    Toile t(24, 24);
    for (int i = 0; i < 24; ++i) {
        const int32_t c = Rvb(20, 20, 18);
        t.Point(i, 0, c);
        t.Point(0, i, c);
        t.Point(i, 23, Rvb(9, 9, 8));
        t.Point(23, i, Rvb(9, 9, 8));
    }
    return t.Image();
}

// A leader's marker on the minimap: a ring that swells and fades over 30 frames.
std::vector<ImageBlitter> MarqueurCarte() {
    std::vector<ImageBlitter> images;
    for (int i = 0; i < 30; ++i) {
        Toile t(11, 11);
        const double r = 2 + 3 * (i / 29.0), l = 1 - 0.6 * (i / 29.0);
        t.Forme([=](double x, double y) { double d = std::hypot(x - 5.5, y - 5.5); return d <= r && d >= r - 1.4; },
                [=](double, double) { return Rvb(static_cast<int>(31 * l), static_cast<int>(26 * l), static_cast<int>(6 * l)); });
        t.Disque(5.5, 5.5, 1.2, Rvb(31, 30, 20));
        images.push_back(t.Image(5, 5));
    }
    return images;
}

// The wait sign, the busy cursor and the sign of a paused battle: two upright bars inside a ring
// of eight beads, the lit bead going round in 33 frames.
std::vector<ImageBlitter> Attente() {
    std::vector<ImageBlitter> images;
    for (int i = 0; i < 33; ++i) {
        Toile t(32, 32);
        const double tete = i * 8.0 / 33;
        for (int k = 0; k < 8; ++k) {
            const double a = k * PI / 4;
            const double retard = std::fmod(tete - k + 8, 8.0);
            const double l = std::max(0.15, 1 - retard / 5);
            t.Disque(16 + 12 * std::sin(a), 16 - 12 * std::cos(a), 1.8 + 1.2 * l, Bronze(0.2 + 0.8 * l));
        }
        for (int gauche : {11, 18})
            t.Forme([=](double x, double y) { return x >= gauche && x < gauche + 4 && y >= 10 && y < 22; },
                    [=](double x, double) { return Bronze(1.0 - (x - gauche) / 6); });
        t.Contour(Rvb(1, 1, 1));
        images.push_back(t.Image());
    }
    return images;
}

// The region map's cursor while regiments move: an hourglass whose sand runs down in 32 frames.
std::vector<ImageBlitter> Sablier() {
    std::vector<ImageBlitter> images;
    for (int i = 0; i < 32; ++i) {
        Toile t(20, 28);
        const double reste = 1 - i / 31.0;
        t.Forme([](double x, double y) { return y > 3 && y < 25 && std::abs(x - 10) < 1.2 + std::abs(y - 14) * 0.68; },
                [](double x, double) { return Rvb(20 + static_cast<int>(x / 3), 24, 28); });
        t.Forme([=](double x, double y) { return y > 14 - 9 * reste && y < 14 && std::abs(x - 10) < 0.9 + std::abs(y - 14) * 0.62; },
                [](double, double) { return Rvb(30, 24, 9); });
        t.Forme([=](double x, double y) { return y > 24 - 9 * (1 - reste) && y < 24 && std::abs(x - 10) < 0.9 + std::abs(y - 14) * 0.62; },
                [](double, double) { return Rvb(30, 24, 9); });
        if (i % 4 < 3) t.Rectangle(10, 14, 1, 9, Rvb(31, 27, 12));
        t.Rectangle(3, 1, 14, 3, Bronze(0.8));
        t.Rectangle(3, 24, 14, 3, Bronze(0.5));
        t.Contour(Rvb(1, 1, 1));
        images.push_back(t.Image());
    }
    return images;
}

// Small digits, 4 x 6: a light 3 x 5 glyph and its shadow.
std::vector<ImageBlitter> Chiffres() {
    static const uint8_t GLYPHES[10][5] = {{7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 3, 1, 7}, {5, 5, 7, 1, 1},
                                           {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}};
    std::vector<ImageBlitter> images;
    for (const auto& g : GLYPHES) {
        Toile t(4, 6);
        for (int passe = 0; passe < 2; ++passe)
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 3; ++x)
                    if (g[y] & (4 >> x)) t.Point(x + (passe == 0), y + (passe == 0), passe == 0 ? Rvb(1, 1, 1) : Rvb(31, 30, 24));
        images.push_back(t.Image());
    }
    return images;
}

// An ability icon, 36 x 36: a bevelled tile in the colour of its school with its symbol.
ImageBlitter IconeSort(int code) {
    int32_t couleur = Rvb(8, 14, 30);   // arcane
    if (code == 33 || code == 36 || code == 62) couleur = Rvb(30, 10, 3);                                             // fire
    else if ((code >= 41 && code <= 45) || code == 47 || code == 48 || code == 50 || code == 51) couleur = Rvb(30, 25, 8);   // holy
    else if (code == 40 || code == 53 || code == 54 || code == 55 || (code >= 57 && code <= 61)) couleur = Rvb(18, 5, 24); // dark
    Toile t(36, 36);
    t.Forme([](double x, double y) { return Arrondi(x, y, 0, 0, 36, 36, 4); },
            [=](double x, double y) { return Melange(Eclaircir(couleur, 0.15), Assombrir(couleur, 0.65), std::hypot(x - 12, y - 12) / 34); });
    Bordure(t, 0, 0, 36, 36, 2, 0.1);
    const int32_t s = Eclaircir(couleur, 0.75);
    switch (code % 6) {
        case 0:   // a burst
            for (int k = 0; k < 8; ++k) t.Trait(18, 18, 18 + 12 * std::cos(k * PI / 4 + code), 18 + 12 * std::sin(k * PI / 4 + code), 2, s);
            t.Disque(18, 18, 4.5, Rvb(31, 31, 28));
            break;
        case 1:   // a ball with its trail
            t.Trait(8, 28, 20, 16, 5, Assombrir(s, 0.2));
            t.Disque(21, 15, 7, s);
            t.Disque(19, 13, 2.5, Rvb(31, 31, 29));
            break;
        case 2:   // a cross
            t.Rectangle(15, 7, 6, 22, s);
            t.Rectangle(9, 13, 18, 6, s);
            break;
        case 3:   // a bolt
            t.Polygone({{21, 5}, {11, 20}, {17, 20}, {13, 31}, {25, 14}, {19, 14}}, [=](double, double) { return s; });
            break;
        case 4:   // a spiral
            for (double a = 0; a < 4 * PI; a += 0.12) t.Disque(18 + a * 1.0 * std::cos(a + code), 18 + a * 1.0 * std::sin(a + code), 1.3, s);
            break;
        default:   // an eye
            t.Forme([](double x, double y) { return std::abs(y - 18) < 7 * std::cos((x - 18) / 12 * PI / 2) && std::abs(x - 18) < 12; }, [=](double, double) { return s; });
            t.Disque(18, 18, 4, Assombrir(couleur, 0.7));
            t.Disque(17, 17, 1.3, Rvb(31, 31, 31));
            break;
    }
    return t.Image();
}

bool FabriquerInterface(const std::string& racine) {
    bool ok = true;
    ok &= Sprite_Ecrire(racine, "interface/panneau", {Panneau()});
    ok &= Sprite_Ecrire(racine, "interface/cadre_portrait", CadrePortrait());
    for (int objet : {815, 816, 817, 818, 819, 820, 821, 822, 823, 824, 941, 971})
        ok &= Sprite_Ecrire(racine, "interface/icones_" + std::to_string(objet), Icones(objet));
    ok &= Sprite_Ecrire(racine, "interface/etats", Etats());
    ok &= Sprite_Ecrire(racine, "interface/classes", Classes());
    ok &= Sprite_Ecrire(racine, "interface/relations", Relations());
    ok &= Sprite_Ecrire(racine, "interface/or", {Or()});
    ok &= Sprite_Ecrire(racine, "interface/cadre_carte", {CadreCarte()});
    ok &= Sprite_Ecrire(racine, "interface/ombrage_carte", {OmbrageCarte()});
    ok &= Sprite_Ecrire(racine, "interface/marqueur_carte", MarqueurCarte());
    ok &= Sprite_Ecrire(racine, "interface/case_grille", {CaseGrille()});
    ok &= Sprite_Ecrire(racine, "interface/attente", Attente());
    ok &= Sprite_Ecrire(racine, "interface/sablier", Sablier());
    ok &= Sprite_Ecrire(racine, "interface/chiffres", Chiffres());
    for (int code = 33; code <= 62; ++code) ok &= Sprite_Ecrire(racine, "interface/sort_" + std::to_string(code), {IconeSort(code)});
    ok &= Sprite_Ecrire(racine, "interface/sort_1052", {IconeSort(1052)});
    return ok;
}

}  // namespace

FABRIQUE_ETAPE("interface", FabriquerInterface);
