// Pictures of the sample game: uncompressed 24-bit TGA files (rows bottom-up, blue first).
// "images/Intro.tga": the title picture shown at start-up, a castle at sunset under the title;
// "images/Ima_0016.tga": the same castle under "MISSIONS", before the special missions.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fabrique.h"

namespace {

struct Couleur {
    int r, g, b;
};

Couleur Melange(Couleur a, Couleur b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {static_cast<int>(a.r + (b.r - a.r) * t), static_cast<int>(a.g + (b.g - a.g) * t),
            static_cast<int>(a.b + (b.b - a.b) * t)};
}

struct Toile {
    int largeur, hauteur;
    std::vector<Couleur> pixels;
    Toile(int l, int h) : largeur(l), hauteur(h), pixels(static_cast<size_t>(l) * h, Couleur{0, 0, 0}) {}
    void Point(int x, int y, Couleur c) {
        if (x >= 0 && y >= 0 && x < largeur && y < hauteur) pixels[static_cast<size_t>(y) * largeur + x] = c;
    }
    Couleur Lire(int x, int y) const { return pixels[static_cast<size_t>(y) * largeur + x]; }
    void Rectangle(int x0, int y0, int x1, int y1, Couleur c) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) Point(x, y, c);
    }
};

bool EcrireTga(const std::string& chemin, const Toile& toile) {
    FILE* f = std::fopen(chemin.c_str(), "wb");
    if (f == nullptr) return false;
    uint8_t entete[18] = {};
    entete[2] = 2;   // uncompressed true colour
    entete[12] = static_cast<uint8_t>(toile.largeur & 0xFF);
    entete[13] = static_cast<uint8_t>(toile.largeur >> 8);
    entete[14] = static_cast<uint8_t>(toile.hauteur & 0xFF);
    entete[15] = static_cast<uint8_t>(toile.hauteur >> 8);
    entete[16] = 24;
    bool ok = std::fwrite(entete, 1, sizeof entete, f) == sizeof entete;
    std::vector<uint8_t> rangee(static_cast<size_t>(toile.largeur) * 3);
    for (int y = toile.hauteur - 1; ok && y >= 0; --y) {
        for (int x = 0; x < toile.largeur; ++x) {
            Couleur c = toile.Lire(x, y);
            rangee[x * 3 + 0] = static_cast<uint8_t>(std::clamp(c.b, 0, 255));
            rangee[x * 3 + 1] = static_cast<uint8_t>(std::clamp(c.g, 0, 255));
            rangee[x * 3 + 2] = static_cast<uint8_t>(std::clamp(c.r, 0, 255));
        }
        ok = std::fwrite(rangee.data(), 1, rangee.size(), f) == rangee.size();
    }
    return std::fclose(f) == 0 && ok;
}

// 5 x 7 block letters of the title.
const char* Lettre(char c) {
    switch (c) {
        case 'M': return "10001110111010110001100011000110001";
        case 'O': return "01110100011000110001100011000101110";
        case 'R': return "11110100011000111110101001001010001";
        case 'V': return "10001100011000110001100010101000100";
        case 'A': return "01110100011000111111100011000110001";
        case 'N': return "10001110011010110011100011000110001";
        case 'E': return "11111100001000011110100001000011111";
        case 'I': return "01110001000010000100001000010001110";
        case 'S': return "01111100001000001110000010000111110";
        default: return "00000000000000000000000000000000000";
    }
}

void Titre(Toile& t, const char* texte, int x, int y, int echelle) {
    for (const char* c = texte; *c; ++c, x += 6 * echelle) {
        const char* motif = Lettre(*c);
        for (int ligne = 0; ligne < 7; ++ligne)
            for (int col = 0; col < 5; ++col) {
                if (motif[ligne * 5 + col] != '1') continue;
                int px = x + col * echelle, py = y + ligne * echelle;
                t.Rectangle(px + 4, py + 4, px + echelle + 4, py + echelle + 4, Couleur{20, 10, 10});   // shadow
                for (int dy = 0; dy < echelle; ++dy)
                    t.Rectangle(px, py + dy, px + echelle, py + dy + 1,
                                Melange(Couleur{255, 230, 120}, Couleur{200, 120, 30}, dy / double(echelle)));
            }
    }
}

void Chateau(Toile& t, int sol) {
    const Couleur pierre{35, 25, 40};
    t.Rectangle(220, sol - 110, 420, sol, pierre);                                       // curtain wall
    for (int x = 220; x < 420; x += 20) t.Rectangle(x, sol - 122, x + 10, sol - 110, pierre);   // merlons
    const int tours[][3] = {{190, 50, 170}, {400, 50, 170}, {295, 50, 215}};
    for (const auto& tour : tours) {
        int x = tour[0], l = tour[1], h = tour[2];
        t.Rectangle(x, sol - h, x + l, sol, pierre);
        for (int m = x; m < x + l; m += 14) t.Rectangle(m, sol - h - 12, m + 8, sol - h, pierre);
        t.Rectangle(x + l / 2 - 4, sol - h + 30, x + l / 2 + 4, sol - h + 48, Couleur{255, 200, 90});   // lit window
    }
    // Gate: a dark arch.
    for (int y = sol - 60; y < sol; ++y)
        for (int x = 300; x < 340; ++x) {
            double dx = x - 320, dy = y - (sol - 40);
            if (y >= sol - 40 || dx * dx + dy * dy <= 400) t.Point(x, y, Couleur{10, 5, 10});
        }
}

// The castle at sunset under a title, in a thin gold frame.
bool Paysage(const std::string& chemin, const char* titre, int xTitre) {
    const int largeur = 640, hauteur = 480, horizon = 330;
    Toile t(largeur, hauteur);
    // Sky from night blue to sunset orange, and the sun with its glow.
    for (int y = 0; y < horizon; ++y)
        t.Rectangle(0, y, largeur, y + 1, Melange(Couleur{15, 15, 60}, Couleur{245, 140, 60}, y / double(horizon)));
    const int sx = 470, sy = 250;
    for (int y = 0; y < horizon; ++y)
        for (int x = 0; x < largeur; ++x) {
            double d = std::hypot(x - sx, y - sy);
            if (d < 45) t.Point(x, y, Couleur{255, 235, 150});
            else if (d < 140) t.Point(x, y, Melange(Couleur{255, 200, 110}, t.Lire(x, y), (d - 45) / 95));
        }
    // Two mountain ranges.
    for (int x = 0; x < largeur; ++x) {
        int loin = static_cast<int>(230 + 30 * std::sin(x / 55.0) + 18 * std::sin(x / 17.0 + 1));
        int pres = static_cast<int>(280 + 22 * std::sin(x / 80.0 + 2) + 9 * std::sin(x / 23.0));
        for (int y = loin; y < horizon; ++y) t.Point(x, y, Couleur{110, 60, 100});
        for (int y = pres; y < horizon; ++y) t.Point(x, y, Couleur{70, 40, 70});
    }
    // Ground.
    for (int y = horizon; y < hauteur; ++y)
        t.Rectangle(0, y, largeur, y + 1, Melange(Couleur{40, 70, 30}, Couleur{5, 15, 5}, (y - horizon) / 150.0));
    Chateau(t, horizon + 20);
    Titre(t, titre, xTitre, 40, 10);
    // A thin gold frame.
    for (int i = 0; i < 3; ++i) {
        t.Rectangle(i, i, largeur - i, i + 1, Couleur{200, 160, 60});
        t.Rectangle(i, hauteur - i - 1, largeur - i, hauteur - i, Couleur{200, 160, 60});
        t.Rectangle(i, i, i + 1, hauteur - i, Couleur{200, 160, 60});
        t.Rectangle(largeur - i - 1, i, largeur - i, hauteur - i, Couleur{200, 160, 60});
    }
    return EcrireTga(chemin, t);
}

// "images/Intro.tga" at start-up; "images/Ima_0016.tga" before the special missions.
bool Intro(const std::string& racine) {
    std::error_code erreur;
    std::filesystem::create_directories(racine + "/images", erreur);
    return Paysage(racine + "/images/Intro.tga", "MORVANE", 110) &&
           Paysage(racine + "/images/Ima_0016.tga", "MISSIONS", 80);
}

}  // namespace

FABRIQUE_ETAPE("images", Intro);
