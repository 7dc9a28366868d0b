// The liquids and the sky: the water and lava textures with their deformations (one opaque 48 x 48
// frame each, tiling on every side, so that the scrolls and ripples show no seam) and the cloud
// shadow (only its shape matters: the shaded blit darkens what lies under it).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "fabrique.h"
#include "sprite_dessin.h"

namespace {

constexpr int COTE = 48;
constexpr double PI = std::numbers::pi;

// A smooth wave pattern of period 48 in both directions, 0..1.
double Vague(double x, double y, double phase) {
    const double a = std::sin(2 * PI * (x + 6 * std::sin(2 * PI * y / COTE + phase)) / COTE * 2);
    const double b = std::sin(2 * PI * (y + 5 * std::sin(2 * PI * x / COTE)) / COTE * 3 + phase);
    return (a * b + 1) / 2;
}

// Bright crests where two wave trains meet: mostly 0, up to 1 along thin lines.
double Crete(double x, double y) {
    const double c = std::cos(2 * PI * (x + y) / COTE * 2 + std::sin(2 * PI * y / COTE) * 1.5);
    const double d = std::cos(2 * PI * (x - 2 * y) / COTE + std::sin(2 * PI * x / COTE) * 2);
    return std::pow(std::max(0.0, (c + d) / 2), 3);
}

ImageBlitter Carre(int32_t (*couleur)(double, double)) {
    Toile t(COTE, COTE);
    for (int y = 0; y < COTE; ++y)
        for (int x = 0; x < COTE; ++x) t.Point(x, y, couleur(x, y));
    return t.Image();
}

int Niveau(double v, int bas, int haut) { return bas + static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * (haut - bas))); }

int32_t Eau(double x, double y) {
    const double v = Vague(x, y, 0);
    return Rvb(Niveau(v, 1, 4), Niveau(v, 7, 13), Niveau(v, 15, 22));
}
int32_t EauDeformation(double x, double y) {
    const int v = Niveau(Crete(x, y), 0, 19);
    return Rvb(v * 8 / 10, v * 9 / 10, v);
}
int32_t Lave(double x, double y) {
    const double v = Vague(x * 0.5 + 7, y, 1.3);
    return Rvb(Niveau(v, 16, 26), Niveau(v * v, 2, 9), 0);
}
int32_t LaveDeformation(double x, double y) {
    const double v = Crete(y, x);
    return Rvb(Niveau(v, 0, 22), Niveau(v, 0, 17), Niveau(v, 0, 5));
}

// A cloud: overlapping round puffs with a ragged edge; hot spot at the top-left corner.
ImageBlitter Nuage() {
    constexpr int L = 280, H = 170;
    Toile t(L, H);
    const double puffs[][3] = {{70, 95, 52}, {125, 70, 60}, {185, 85, 55}, {225, 110, 42}, {110, 120, 45},
                               {165, 125, 40}, {55, 125, 30}, {140, 40, 34}};
    t.Forme(
        [&](double x, double y) {
            const double bord = 4 * std::sin(x * 0.21) + 3 * std::sin(y * 0.17 + 1);
            for (const auto& p : puffs)
                if (std::hypot(x - p[0], y - p[1]) <= p[2] + bord) return true;
            return false;
        },
        [](double, double) { return Rvb(20, 20, 22); });
    return t.Image(0, 0);
}

bool FabriquerMeteo(const std::string& racine) {
    bool ok = true;
    ok &= Sprite_Ecrire(racine, "Eau", {Carre(Eau)});
    ok &= Sprite_Ecrire(racine, "EauDeformation", {Carre(EauDeformation)});
    ok &= Sprite_Ecrire(racine, "Lave", {Carre(Lave)});
    ok &= Sprite_Ecrire(racine, "LaveDeformation", {Carre(LaveDeformation)});
    ok &= Sprite_Ecrire(racine, "nuage", {Nuage()});
    return ok;
}

}  // namespace

FABRIQUE_ETAPE("meteo", FabriquerMeteo);
