// The sample sprites: units, creatures, machines and a building in 8 (or 16) directions, the
// sprite font, the mouse cursor, the message boxes and their buttons, the tooltip bubble, and a
// neutral placeholder for the graphic objects whose pictures do not matter yet.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>

#include "fabrique.h"
#include "sprite_dessin.h"

bool Sprite_Ecrire(const std::string& racine, const std::string& nom, const std::vector<ImageBlitter>& images,
                   const std::vector<uint16_t>* palette) {
    // The name may hold a sub-folder ("figures/x").
    const std::filesystem::path fichier = std::filesystem::path(racine) / "sprite" / (nom + ".spr");
    std::error_code e;
    std::filesystem::create_directories(fichier.parent_path(), e);
    const std::vector<uint8_t> octets = Blitter_EncoderFichier(images, palette);
    const std::string chemin = fichier.string();
    FILE* f = std::fopen(chemin.c_str(), "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(octets.data(), 1, octets.size(), f) == octets.size();
    return std::fclose(f) == 0 && ok;
}

namespace {

constexpr double PI = std::numbers::pi;

// Palette of the indexed sprites: 0..31 the player colour ramp (steel blue until tinted), then
// ramps of 8 for the outline, skin, metal, wood, green, red, stone and gold.
enum : int32_t { JOUEUR = 0, CONTOUR = 32, PEAU = 33, METAL = 41, BOIS = 49, VERT = 57, ROUGE = 65, PIERRE = 73, OR = 81 };

std::vector<uint16_t> Palette() {
    return PaletteRampes({
        {31, 24, 18},   // skin
        {26, 27, 29},   // metal
        {22, 14, 7},    // wood
        {10, 28, 8},    // green
        {31, 6, 4},     // red
        {22, 21, 19},   // stone
        {31, 26, 6},    // gold
    });
}

// Light of a round shape at (x, y) around (cx, cy) of radius r.
double Lumiere(double x, double y, double cx, double cy, double r) {
    return std::clamp(0.75 - 0.45 * ((x - cx) + (y - cy)) / (r * 1.41), 0.0, 1.0);
}

void Ellipse(Toile& t, double cx, double cy, double ra, double rb, double angle, int32_t base, int pas) {
    const double c = std::cos(angle), s = std::sin(angle);
    t.Forme(
        [=](double x, double y) {
            double u = (x - cx) * c + (y - cy) * s, v = -(x - cx) * s + (y - cy) * c;
            return (u * u) / (ra * ra) + (v * v) / (rb * rb) <= 1;
        },
        [=](double x, double y) { return Rampe(base, pas, Lumiere(x, y, cx, cy, std::max(ra, rb))); });
}

void Boule(Toile& t, double cx, double cy, double r, int32_t base, int pas) { Ellipse(t, cx, cy, r, r, 0, base, pas); }

enum class Genre { Soldat, Archer, Cavalier, Creature };

// A figure seen from above facing direction d (0 up, clockwise by 45 degrees) at step i of 12.
Toile Figure(Genre genre, int d, int i) {
    const int taille = genre == Genre::Creature ? 64 : 48;
    Toile t(taille, taille);
    const double a = d * PI / 4, fx = std::sin(a), fy = -std::cos(a), rx = std::cos(a), ry = std::sin(a);
    const double cx = taille / 2.0, cy = taille / 2.0 + 2;
    const double phase = std::sin(i * 2 * PI / 12);
    if (genre == Genre::Cavalier) {
        // The horse under the rider, legs striding.
        for (int k : {-1, 1})
            for (int avant : {-1, 1})
                Boule(t, cx + fx * avant * 9 + rx * k * 5 + fx * phase * 2 * k * avant, cy + fy * avant * 9 + ry * k * 5 + fy * phase * 2 * k * avant, 2.2, BOIS, 3);
        Ellipse(t, cx, cy, 6.5, 14, a, BOIS + 1, 6);
        Boule(t, cx + fx * 14, cy + fy * 14, 4, BOIS + 2, 5);
    } else if (genre != Genre::Creature) {
        // Feet stepping in turn.
        for (int k : {-1, 1}) Boule(t, cx + rx * k * 4 + fx * phase * 4 * k, cy + ry * k * 4 + fy * phase * 4 * k, 2.6, BOIS, 4);
    }
    if (genre == Genre::Creature) {
        for (int k : {-1, 1}) Boule(t, cx + rx * k * 11 + fx * phase * 5 * k, cy + ry * k * 11 + fy * phase * 5 * k, 5, VERT, 5);
        Ellipse(t, cx, cy, 15, 13, a, VERT + 1, 7);
        Ellipse(t, cx - fx * 2, cy - fy * 2, 11, 4, a, JOUEUR + 6, 24);   // the player's colour: a sash
        Boule(t, cx + fx * 12, cy + fy * 12, 7, VERT + 2, 6);
        for (int k : {-1, 1}) t.Trait(cx + fx * 14 + rx * k * 4, cy + fy * 14 + ry * k * 4, cx + fx * 20 + rx * k * 8, cy + fy * 20 + ry * k * 8, 2.5, OR + 6);
        return (t.Contour(CONTOUR), t);
    }
    // Shoulders across the facing, in the player's colour; the head in front.
    Ellipse(t, cx, cy, 12, 7.5, a, JOUEUR + 4, 28);
    Boule(t, cx + fx * 1.5, cy + fy * 1.5, 5.2, PEAU + 1, 7);
    Boule(t, cx + fx * 0.5, cy + fy * 0.5, 3.4, METAL + 3, 5);   // helmet top
    if (genre == Genre::Archer) {
        // A bow held in front, drawn back and forth.
        const double tir = 3 + 3 * phase;
        for (int k = -6; k <= 6; ++k) {
            double b = k / 6.0;
            t.Disque(cx + fx * (12 - 4 * b * b) + rx * k * 1.6 + rx * 2, cy + fy * (12 - 4 * b * b) + ry * k * 1.6 + ry * 2, 1.1, BOIS + 6);
        }
        t.Trait(cx + fx * 8 + rx * -7.6, cy + fy * 8 + ry * -7.6, cx + fx * (8 - tir) + rx * 2, cy + fy * (8 - tir) + ry * 2, 1, METAL + 7);
        t.Trait(cx + fx * 8 + rx * 11.6, cy + fy * 8 + ry * 11.6, cx + fx * (8 - tir) + rx * 2, cy + fy * (8 - tir) + ry * 2, 1, METAL + 7);
    } else {
        // A sword swinging on the right, a shield on the left.
        const double b = a + phase * 0.7;
        const double hx = cx + rx * 11, hy = cy + ry * 11;
        t.Trait(hx, hy, hx + std::sin(b) * 17, hy - std::cos(b) * 17, 2.6, METAL + 7);
        t.Trait(hx - std::sin(b) * 1, hy + std::cos(b) * 1, hx + std::sin(b) * 3 + std::cos(b) * 0.1, hy - std::cos(b) * 3, 3.2, OR + 4);
        Ellipse(t, cx - rx * 11 + fx * 4, cy - ry * 11 + fy * 4, 3, 7, a + PI / 2, ROUGE + 3, 5);
    }
    t.Contour(CONTOUR);
    return t;
}

std::vector<ImageBlitter> Animation(Genre genre) {
    std::vector<ImageBlitter> images;
    for (int d = 0; d < 8; ++d)
        for (int i = 0; i < 12; ++i) images.push_back(Figure(genre, d, i).Image());
    return images;
}

// A catapult seen from above: 16 directions of 22.5 degrees, 6 frames each (the arm throws).
std::vector<ImageBlitter> Machine() {
    std::vector<ImageBlitter> images;
    for (int d = 0; d < 16; ++d)
        for (int i = 0; i < 6; ++i) {
            Toile t(56, 56);
            const double a = d * PI / 8, fx = std::sin(a), fy = -std::cos(a), rx = std::cos(a), ry = std::sin(a);
            const double cx = 28, cy = 28;
            for (int k : {-1, 1})
                for (int avant : {-1, 1}) Ellipse(t, cx + rx * k * 12 + fx * avant * 10, cy + ry * k * 12 + fy * avant * 10, 2, 5, a, BOIS, 3);
            for (int k : {-1, 1}) t.Trait(cx + rx * k * 9 - fx * 14, cy + ry * k * 9 - fy * 14, cx + rx * k * 9 + fx * 14, cy + ry * k * 9 + fy * 14, 3, BOIS + 5);
            t.Trait(cx - rx * 9, cy - ry * 9, cx + rx * 9, cy + ry * 9, 3, BOIS + 4);
            const double bras = 14 - i * 5.0;   // from behind to in front
            t.Trait(cx, cy, cx + fx * bras, cy + fy * bras, 3, BOIS + 7);
            Boule(t, cx + fx * bras, cy + fy * bras, 3.5, PIERRE + 2, 6);
            Ellipse(t, cx - fx * 6, cy - fy * 6, 6, 2, a, JOUEUR + 8, 20);
            t.Contour(CONTOUR);
            images.push_back(t.Image());
        }
    return images;
}

// A building from above: stone walls, a roof in the player's colour, a door. Frames: whole,
// damaged, ruined, and its ground layer.
std::vector<ImageBlitter> Batiment() {
    std::vector<ImageBlitter> images;
    for (int etat = 0; etat < 4; ++etat) {
        Toile t(96, 96);
        if (etat == 3) {
            t.Rectangle(6, 6, 84, 84, PIERRE + 1);
        } else {
            t.Rectangle(10, 14, 76, 70, PIERRE + 3);
            t.Rectangle(14, 10, 68, 10, PIERRE + 5);
            const int creux = etat * 12;
            t.Forme([=](double x, double y) { return x > 14 && x < 82 && y > 18 && y < 76 - creux; },
                    [=](double x, double y) {
                        const double d = std::abs(x - 48) / 34;   // the ridge runs down the middle
                        return Rampe(JOUEUR + 4, 26, 1 - d * 0.8 - (x > 48 ? 0.15 : 0) - (static_cast<int>(y) % 6 == 0 ? 0.12 : 0));
                    });
            t.Rectangle(42, 76, 12, 10, BOIS + 2);
            if (etat == 2)
                for (int k = 0; k < 5; ++k) t.Disque(24 + k * 13, 60 + (k % 2) * 8, 6, PIERRE);
        }
        t.Contour(CONTOUR);
        images.push_back(t.Image());
    }
    return images;
}

// The neutral placeholder: a grey diamond with a mark turning with the frame (96 frames, so
// that any direction and step shows it).
std::vector<ImageBlitter> Neutre() {
    std::vector<ImageBlitter> images;
    for (int i = 0; i < 96; ++i) {
        Toile t(24, 24);
        t.Forme([](double x, double y) { return std::abs(x - 12) + std::abs(y - 12) <= 10; },
                [](double x, double y) { return Rampe(PIERRE, 8, Lumiere(x, y, 12, 12, 10)); });
        const double a = (i % 12) * PI / 6;
        t.Trait(12, 12, 12 + std::sin(a) * 6, 12 - std::cos(a) * 6, 2, JOUEUR + 28);
        t.Contour(CONTOUR);
        images.push_back(t.Image());
    }
    return images;
}

// 5 x 7 glyphs, one row a byte (bit 4 the left column).
struct Glyphe {
    char c;
    uint8_t lignes[7];
};
const Glyphe GLYPHES[] = {
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}}, {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}}, {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}}, {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}}, {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}}, {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'A', {0x0E, 0x11, 0x11, 0x11, 0x1F, 0x11, 0x11}}, {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}}, {'D', {0x1C, 0x12, 0x11, 0x11, 0x11, 0x12, 0x1C}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}}, {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}}, {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}}, {'J', {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C}},
    {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}}, {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}}, {'N', {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'Q', {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D}}, {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}}, {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}}, {'X', {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11}},
    {'Y', {0x11, 0x11, 0x11, 0x0A, 0x04, 0x04, 0x04}}, {'Z', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F}},
    {'!', {0x04, 0x04, 0x04, 0x04, 0x00, 0x00, 0x04}}, {'"', {0x0A, 0x0A, 0x0A, 0x00, 0x00, 0x00, 0x00}},
    {'#', {0x0A, 0x0A, 0x1F, 0x0A, 0x1F, 0x0A, 0x0A}}, {'$', {0x04, 0x0F, 0x14, 0x0E, 0x05, 0x1E, 0x04}},
    {'%', {0x18, 0x19, 0x02, 0x04, 0x08, 0x13, 0x03}}, {'&', {0x0C, 0x12, 0x14, 0x08, 0x15, 0x12, 0x0D}},
    {'\'', {0x0C, 0x04, 0x08, 0x00, 0x00, 0x00, 0x00}}, {'(', {0x02, 0x04, 0x08, 0x08, 0x08, 0x04, 0x02}},
    {')', {0x08, 0x04, 0x02, 0x02, 0x02, 0x04, 0x08}}, {'*', {0x00, 0x04, 0x15, 0x0E, 0x15, 0x04, 0x00}},
    {'+', {0x00, 0x04, 0x04, 0x1F, 0x04, 0x04, 0x00}}, {',', {0x00, 0x00, 0x00, 0x00, 0x0C, 0x04, 0x08}},
    {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}}, {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
    {'/', {0x00, 0x01, 0x02, 0x04, 0x08, 0x10, 0x00}}, {':', {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x0C, 0x00}},
    {';', {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x04, 0x08}}, {'<', {0x02, 0x04, 0x08, 0x10, 0x08, 0x04, 0x02}},
    {'=', {0x00, 0x00, 0x1F, 0x00, 0x1F, 0x00, 0x00}}, {'>', {0x08, 0x04, 0x02, 0x01, 0x02, 0x04, 0x08}},
    {'?', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x00, 0x04}}, {'@', {0x0E, 0x11, 0x01, 0x0D, 0x15, 0x15, 0x0E}},
    {'[', {0x0E, 0x08, 0x08, 0x08, 0x08, 0x08, 0x0E}}, {']', {0x0E, 0x02, 0x02, 0x02, 0x02, 0x02, 0x0E}},
    {'_', {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1F}},
};

// The sprite font: frame = character code, 8 x 12, the glyph light with a dark shadow.
std::vector<ImageBlitter> Police() {
    std::vector<ImageBlitter> images;
    for (int code = 0; code < 256; ++code) {
        Toile t(8, 12);
        const char c = static_cast<char>(code >= 'a' && code <= 'z' ? code - 32 : code);
        for (const Glyphe& g : GLYPHES) {
            if (g.c != c) continue;
            for (int passe = 0; passe < 2; ++passe)
                for (int y = 0; y < 7; ++y)
                    for (int x = 0; x < 5; ++x)
                        if (g.lignes[y] & (0x10 >> x))
                            t.Point(1 + x + (passe == 0), 2 + y + (passe == 0), passe == 0 ? Rvb(1, 1, 2) : Rvb(31, 30, 24));
        }
        images.push_back(t.Image());
    }
    return images;
}

// The digits of the floating numbers and of the selection groups, one frame a digit: 3 x 5
// pixels with a shadow, 4 pixels apart when drawn side by side.
std::vector<ImageBlitter> Chiffres() {
    static const uint8_t lignes[10][5] = {{7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 3, 1, 7},
                                          {5, 5, 7, 1, 1}, {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 2, 2, 2},
                                          {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}};
    std::vector<ImageBlitter> images;
    for (const auto& chiffre : lignes) {
        Toile t(4, 6);
        for (int passe = 0; passe < 2; ++passe)
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 3; ++x)
                    if (chiffre[y] & (4 >> x))
                        t.Point(x + (passe == 0), y + (passe == 0), passe == 0 ? Rvb(2, 2, 2) : Rvb(31, 28, 8));
        images.push_back(t.Image());
    }
    return images;
}

// The arrow: tip at the hot spot (0, 0).
void Fleche(Toile& t) {
    t.Polygone({{0, 0}, {0, 19}, {4.5, 15}, {8, 23}, {11, 21.5}, {7.5, 14}, {13.5, 14}},
               [](double x, double y) { return Rvb(31 - static_cast<int>(y / 5), 30 - static_cast<int>(y / 4), 20 - static_cast<int>(x)); });
}

// The cursor: frame 0 at rest, then a ring that grows round the tip (22 more frames).
std::vector<ImageBlitter> Curseur() {
    std::vector<ImageBlitter> images;
    for (int i = 0; i < 23; ++i) {
        Toile t(32, 32);
        if (i > 0) {
            const double r = 4 + (i % 11) * 0.8;
            t.Forme([=](double x, double y) { double d = std::hypot(x - 7, y - 9); return d <= r && d >= r - 1.5; },
                    [=](double, double) { return Rvb(31, 22 - i % 11, 4); });
        }
        Fleche(t);
        t.Contour(Rvb(1, 1, 1));
        images.push_back(t.Image());
    }
    return images;
}

// A round stone button, lit or not, with a check (oui), a cross (non) or a check in gold (ok).
Toile Bouton(bool allume, bool oui) {
    Toile t(36, 36);
    t.Forme([](double x, double y) { return std::hypot(x - 18, y - 18) <= 16.5; },
            [=](double x, double y) {
                double l = Lumiere(x, y, 18, 18, 16) + (allume ? 0.35 : 0);
                int v = static_cast<int>(8 + l * 16);
                return allume ? Rvb(v + 4, v + 2, v - 6) : Rvb(v, v - 1, v - 3);
            });
    t.Forme([](double x, double y) { double d = std::hypot(x - 18, y - 18); return d <= 16.5 && d >= 14.5; },
            [=](double, double) { return allume ? Rvb(31, 27, 8) : Rvb(14, 11, 6); });
    const int32_t marque = oui ? (allume ? Rvb(8, 31, 8) : Rvb(4, 20, 4)) : (allume ? Rvb(31, 8, 6) : Rvb(22, 4, 3));
    if (oui) {
        t.Trait(10, 19, 16, 25, 3.5, marque);
        t.Trait(16, 25, 27, 11, 3.5, marque);
    } else {
        t.Trait(11, 11, 25, 25, 3.5, marque);
        t.Trait(25, 11, 11, 25, 3.5, marque);
    }
    return t;
}

void Coller(Toile& dans, const Toile& piece, int x0, int y0) {
    for (int y = 0; y < piece.hauteur; ++y)
        for (int x = 0; x < piece.largeur; ++x)
            if (piece.Lire(x, y) >= 0) dans.Point(x0 + x, y0 + y, piece.Lire(x, y));
}

// A 448 x 166 parchment box with a carved frame; the buttons stand where the game tests them.
Toile Boite(bool question) {
    Toile t(448, 166);
    t.Forme([](double, double) { return true; },
            [](double x, double y) {
                int grain = (static_cast<int>(x * 7 + y * 13) * 2654435761u >> 28) & 1;
                int v = 24 - static_cast<int>(std::abs(y - 83) / 40) + grain;
                return Rvb(v + 3, v, v - 7);
            });
    for (int k = 0; k < 6; ++k) {
        const int32_t c = k < 2 ? Rvb(8, 5, 2) : k < 4 ? Rvb(20, 15, 6) : Rvb(12, 8, 3);
        for (int x = k; x < 448 - k; ++x) t.Point(x, k, c), t.Point(x, 165 - k, c);
        for (int y = k; y < 166 - k; ++y) t.Point(k, y, c), t.Point(447 - k, y, c);
    }
    for (int x = 12; x < 436; ++x) t.Point(x, 96, Rvb(18, 14, 7));
    if (question) {
        Coller(t, Bouton(false, true), 189, 108);
        Coller(t, Bouton(false, false), 226, 108);
    } else {
        Coller(t, Bouton(false, true), 207, 108);
    }
    return t;
}

// The tooltip bubble, 20 high: left end, a 32-wide middle piece, right end.
std::vector<ImageBlitter> Bulle() {
    std::vector<ImageBlitter> images;
    for (int partie = 0; partie < 3; ++partie) {
        Toile t(32, 20);
        t.Forme(
            [=](double x, double y) {
                if (y < 1 || y > 19) return false;
                if (partie == 0 && x < 10) return std::hypot(x - 10, y - 10) <= 9;
                if (partie == 2 && x > 22) return std::hypot(x - 22, y - 10) <= 9;
                return true;
            },
            [](double, double y) { return Rvb(30, 29 - static_cast<int>(y / 8), 22 - static_cast<int>(y / 5)); });
        // Only the outer edges get an outline: the pieces join without a seam.
        Toile bord = t;
        bord.Contour(Rvb(6, 4, 2));
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 32; ++x)
                if (t.Lire(x, y) < 0 && bord.Lire(x, y) >= 0 && !((partie != 0 && x == 0) || (partie != 2 && x == 31)))
                    t.Point(x, y, bord.Lire(x, y));
        for (int x = 0; x < 32; ++x) t.Point(x, 0, t.Lire(x, 1) >= 0 ? Rvb(6, 4, 2) : t.Lire(x, 0));
        images.push_back(t.Image());
    }
    return images;
}

bool FabriquerSprites(const std::string& racine) {
    const std::vector<uint16_t> palette = Palette();
    bool ok = true;
    ok &= Sprite_Ecrire(racine, "neutre", Neutre(), &palette);
    ok &= Sprite_Ecrire(racine, "soldat", Animation(Genre::Soldat), &palette);
    ok &= Sprite_Ecrire(racine, "archer", Animation(Genre::Archer), &palette);
    ok &= Sprite_Ecrire(racine, "cavalier", Animation(Genre::Cavalier), &palette);
    ok &= Sprite_Ecrire(racine, "creature", Animation(Genre::Creature), &palette);
    ok &= Sprite_Ecrire(racine, "machine", Machine(), &palette);
    ok &= Sprite_Ecrire(racine, "batiment", Batiment(), &palette);
    ok &= Sprite_Ecrire(racine, "police", Police());
    ok &= Sprite_Ecrire(racine, "chiffres", Chiffres());
    ok &= Sprite_Ecrire(racine, "curseur", Curseur());
    ok &= Sprite_Ecrire(racine, "boite_message", {Boite(false).Image()});
    ok &= Sprite_Ecrire(racine, "boite_question", {Boite(true).Image()});
    ok &= Sprite_Ecrire(racine, "bouton_ok", {Bouton(true, true).Image()});
    ok &= Sprite_Ecrire(racine, "boutons_ouinon", {Bouton(true, false).Image(), Bouton(true, true).Image()});
    ok &= Sprite_Ecrire(racine, "bulle", Bulle());
    return ok;
}

}  // namespace

void Toile_Texte(Toile& t, int x, int y, const std::string& texte, int echelle, int32_t couleur, int32_t ombre) {
    for (size_t k = 0; k < texte.size(); ++k) {
        char c = texte[k];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        for (const Glyphe& g : GLYPHES) {
            if (g.c != c) continue;
            const int x0 = x + static_cast<int>(k) * 6 * echelle;
            for (int passe = 0; passe < 2; ++passe)
                for (int v = 0; v < 7; ++v)
                    for (int u = 0; u < 5; ++u)
                        if (g.lignes[v] & (0x10 >> u))
                            t.Rectangle(x0 + u * echelle + (passe == 0 ? echelle : 0),
                                        y + v * echelle + (passe == 0 ? echelle : 0), echelle, echelle,
                                        passe == 0 ? ombre : couleur);
        }
    }
}

FABRIQUE_ETAPE("sprites", FabriquerSprites);
