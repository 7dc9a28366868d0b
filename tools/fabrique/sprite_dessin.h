// Drawing helpers for the sample sprites: a canvas of values (-1 transparent, else a colour or a
// palette index), simple filled shapes, and an outline around what is drawn.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "platform/blitter.h"

struct Toile {
    int largeur, hauteur;
    std::vector<int32_t> p;
    Toile(int l, int h) : largeur(l), hauteur(h), p(static_cast<size_t>(l) * h, -1) {}

    bool Dedans(int x, int y) const { return x >= 0 && y >= 0 && x < largeur && y < hauteur; }
    int32_t Lire(int x, int y) const { return Dedans(x, y) ? p[static_cast<size_t>(y) * largeur + x] : -1; }
    void Point(int x, int y, int32_t v) {
        if (Dedans(x, y)) p[static_cast<size_t>(y) * largeur + x] = v;
    }
    // Fills every pixel where dedans(x + 0.5, y + 0.5) holds with couleur(x, y).
    void Forme(const std::function<bool(double, double)>& dedans, const std::function<int32_t(double, double)>& couleur) {
        for (int y = 0; y < hauteur; ++y)
            for (int x = 0; x < largeur; ++x)
                if (dedans(x + 0.5, y + 0.5)) Point(x, y, couleur(x + 0.5, y + 0.5));
    }
    void Rectangle(int x0, int y0, int l, int h, int32_t v) {
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + l; ++x) Point(x, y, v);
    }
    void Disque(double cx, double cy, double r, int32_t v) {
        Forme([=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; },
              [=](double, double) { return v; });
    }
    // A thick segment.
    void Trait(double x0, double y0, double x1, double y1, double epaisseur, int32_t v) {
        const double dx = x1 - x0, dy = y1 - y0, l2 = std::max(1e-9, dx * dx + dy * dy);
        Forme(
            [=](double x, double y) {
                double t = std::clamp(((x - x0) * dx + (y - y0) * dy) / l2, 0.0, 1.0);
                double px = x0 + t * dx - x, py = y0 + t * dy - y;
                return px * px + py * py <= epaisseur * epaisseur / 4;
            },
            [=](double, double) { return v; });
    }
    // A filled polygon (even-odd rule).
    void Polygone(const std::vector<std::pair<double, double>>& sommets, const std::function<int32_t(double, double)>& couleur) {
        Forme(
            [&](double x, double y) {
                bool dedans = false;
                for (size_t i = 0, j = sommets.size() - 1; i < sommets.size(); j = i++) {
                    auto [xi, yi] = sommets[i];
                    auto [xj, yj] = sommets[j];
                    if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) dedans = !dedans;
                }
                return dedans;
            },
            couleur);
    }
    // Every transparent pixel touching a drawn one (4 neighbours) takes the outline value.
    void Contour(int32_t v) {
        std::vector<int32_t> q = p;
        for (int y = 0; y < hauteur; ++y)
            for (int x = 0; x < largeur; ++x)
                if (Lire(x, y) < 0 &&
                    (Lire(x - 1, y) >= 0 || Lire(x + 1, y) >= 0 || Lire(x, y - 1) >= 0 || Lire(x, y + 1) >= 0))
                    q[static_cast<size_t>(y) * largeur + x] = v;
        p = q;
    }
    ImageBlitter Image(int pointChaudX = 0, int pointChaudY = 0) const {
        ImageBlitter i;
        i.largeur = largeur;
        i.hauteur = hauteur;
        i.pointChaudX = pointChaudX;
        i.pointChaudY = pointChaudY;
        i.pixels = p;
        return i;
    }
};

inline int32_t Rvb(int r, int g, int b) {
    return (std::clamp(r, 0, 31) << 10) | (std::clamp(g, 0, 31) << 5) | std::clamp(b, 0, 31);
}

// The entry of a ramp of `pas` entries from `base` for a light of 0..1.
inline int32_t Rampe(int32_t base, int pas, double lumiere) {
    return base + std::clamp(static_cast<int>(std::lround(lumiere * (pas - 1))), 0, pas - 1);
}

// A palette of the indexed sprites: 0..31 the player colour ramp (steel blue until tinted), 32
// the outline, then a ramp of 8 entries, dark to light, for each colour given.
inline std::vector<uint16_t> PaletteRampes(std::initializer_list<std::array<int, 3>> couleurs) {
    std::vector<uint16_t> pal;
    for (int i = 0; i < 32; ++i) pal.push_back(static_cast<uint16_t>(Rvb(i * 6 / 10, i * 7 / 10, i)));
    pal.push_back(static_cast<uint16_t>(Rvb(2, 2, 3)));
    for (const auto& [r, g, b] : couleurs)
        for (int i = 0; i < 8; ++i)
            pal.push_back(static_cast<uint16_t>(Rvb(r * (i + 3) / 10, g * (i + 3) / 10, b * (i + 3) / 10)));
    return pal;
}

// Writes a line in the 5 x 7 block capitals of the sprite font (lower case drawn as capitals) with
// its top left at (x, y), each dot echelle x echelle, over a shadow one dot down and right.
void Toile_Texte(Toile& t, int x, int y, const std::string& texte, int echelle, int32_t couleur, int32_t ombre);

// Writes a sprite file under the game folder's "sprite" folder. False on failure.
bool Sprite_Ecrire(const std::string& racine, const std::string& nom, const std::vector<ImageBlitter>& images,
                   const std::vector<uint16_t>* palette = nullptr);
