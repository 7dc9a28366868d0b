// Particle sprites: small direct-colour blobs of 12 frames, the hot spot at their centre. The lit
// and shaded copy modes weigh the effect's colour by these pixels, so the brightest stand at the
// heart of each blob.
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "fabrique.h"
#include "sprite_dessin.h"

namespace {

constexpr int IMAGES = 12;
constexpr double PI = 3.14159265358979;

// A round blob of radius r, its light falling from the centre to the edge; couleur(l) for l in 0..1.
ImageBlitter Tache(int taille, double r, const std::function<int32_t(double)>& couleur,
                   const std::function<bool(int, int)>& trou = nullptr) {
    Toile t(taille, taille);
    const double c = taille / 2.0;
    t.Forme([=](double x, double y) { return std::hypot(x - c, y - c) <= r; },
            [&](double x, double y) { return couleur(1.0 - std::hypot(x - c, y - c) / std::max(r, 0.5)); });
    if (trou)
        for (int y = 0; y < taille; ++y)
            for (int x = 0; x < taille; ++x)
                if (trou(x, y)) t.Point(x, y, -1);
    return t.Image(taille / 2, taille / 2);
}

int Niveau(double l, int haut) { return static_cast<int>(std::lround(std::clamp(l, 0.0, 1.0) * haut)); }

// Smoke: a grey puff that swells and thins out.
std::vector<ImageBlitter> Fumee() {
    std::vector<ImageBlitter> images;
    for (int i = 0; i < IMAGES; ++i) {
        const double r = 3 + i * 0.6;
        images.push_back(Tache(
            20, r, [](double l) { const int v = 8 + Niveau(l, 14); return Rvb(v, v, v + 1); },
            [=](int x, int y) { return ((x * 7 + y * 3 + i) % 5) == 0 && i > 4; }));
    }
    return images;
}

// Spark: a bright point with a cross that turns.
std::vector<ImageBlitter> Etincelle() {
    std::vector<ImageBlitter> images;
    for (int i = 0; i < IMAGES; ++i) {
        Toile t(9, 9);
        const double a = i * PI / IMAGES;
        t.Trait(4.5 - 4 * std::cos(a), 4.5 - 4 * std::sin(a), 4.5 + 4 * std::cos(a), 4.5 + 4 * std::sin(a), 1.2,
                Rvb(31, 26, 12));
        t.Trait(4.5 + 3 * std::sin(a), 4.5 - 3 * std::cos(a), 4.5 - 3 * std::sin(a), 4.5 + 3 * std::cos(a), 1.2,
                Rvb(31, 22, 6));
        t.Disque(4.5, 4.5, 1.5, Rvb(31, 31, 28));
        images.push_back(t.Image(4, 4));
    }
    return images;
}

// Fire: a flame tongue, yellow at its root and red at its tip, flickering.
std::vector<ImageBlitter> Feu() {
    std::vector<ImageBlitter> images;
    for (int i = 0; i < IMAGES; ++i) {
        Toile t(12, 16);
        const double dx = std::sin(i * 2 * PI / IMAGES) * 1.5;
        t.Forme(
            [=](double x, double y) {
                const double h = (16 - y) / 16;   // 0 at the root, 1 at the tip
                const double largeur = 5 * (1 - h) * std::sqrt(std::max(h, 0.05) * 2);
                return std::abs(x - 6 - dx * h) <= largeur;
            },
            [](double, double y) {
                const double h = (16 - y) / 16;
                return Rvb(31, Niveau(1 - h, 28), Niveau(0.6 - h, 10));
            });
        images.push_back(t.Image(6, 12));
    }
    return images;
}

// Blood: a dark red drop that lands and spreads into a splash.
std::vector<ImageBlitter> Sang() {
    std::vector<ImageBlitter> images;
    for (int i = 0; i < IMAGES; ++i) {
        Toile t(12, 12);
        if (i < 4) {
            t.Disque(6, 6, 1.5 + i * 0.3, Rvb(22, 1, 2));
        } else {
            for (int k = 0; k < 5; ++k) {
                const double a = k * 2 * PI / 5 + 0.4;
                const double d = (i - 3) * 0.6;
                t.Disque(6 + std::cos(a) * d, 6 + std::sin(a) * d, 1.2, Rvb(18, 1, 1));
            }
            t.Disque(6, 6, 2, Rvb(24, 2, 3));
        }
        images.push_back(t.Image(6, 6));
    }
    return images;
}

// Dust: a brown, grainy cloud.
std::vector<ImageBlitter> Poussiere() {
    std::vector<ImageBlitter> images;
    for (int i = 0; i < IMAGES; ++i)
        images.push_back(Tache(
            16, 2.5 + i * 0.45, [](double l) { return Rvb(12 + Niveau(l, 10), 9 + Niveau(l, 7), 4 + Niveau(l, 4)); },
            [=](int x, int y) { return ((x * 5 + y * 11 + i * 3) % 4) == 0; }));
    return images;
}

// Magic glow: a white heart in a soft halo that pulses; the effect's colour tints it.
std::vector<ImageBlitter> Lueur() {
    std::vector<ImageBlitter> images;
    for (int i = 0; i < IMAGES; ++i) {
        const double r = 3.5 + 1.5 * std::sin(i * 2 * PI / IMAGES);
        images.push_back(Tache(12, r + 1, [](double l) { const int v = 6 + Niveau(l * l, 25); return Rvb(v, v, v); }));
    }
    return images;
}

bool FabriquerParticules(const std::string& racine) {
    bool ok = true;
    ok &= Sprite_Ecrire(racine, "particule_fumee", Fumee());
    ok &= Sprite_Ecrire(racine, "particule_etincelle", Etincelle());
    ok &= Sprite_Ecrire(racine, "particule_feu", Feu());
    ok &= Sprite_Ecrire(racine, "particule_sang", Sang());
    ok &= Sprite_Ecrire(racine, "particule_poussiere", Poussiere());
    ok &= Sprite_Ecrire(racine, "particule_lueur", Lueur());
    return ok;
}

}  // namespace

FABRIQUE_ETAPE("particules", FabriquerParticules);
