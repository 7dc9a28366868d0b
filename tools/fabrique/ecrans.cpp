// The sample pictures of the army screen, the skirmish set-up and the faction choice: their
// backgrounds (the places of their lists, buttons and grids drawn in), buttons, marks and coins,
// and the faction choice's full-screen pictures.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fabrique.h"
#include "sprite_dessin.h"

namespace {

const int32_t FOND = Rvb(4, 5, 7), PANNEAU = Rvb(7, 8, 11), BORD = Rvb(18, 16, 10), CLAIR = Rvb(26, 23, 14),
              SOMBRE = Rvb(2, 2, 3), CASE = Rvb(5, 9, 6);

// A framed panel: a light edge, a dark inner edge, the panel colour inside.
void Cadre(Toile& t, int x, int y, int l, int h, int32_t interieur = PANNEAU, int32_t bord = BORD) {
    t.Rectangle(x, y, l, h, bord);
    t.Rectangle(x + 1, y + 1, l - 2, h - 2, SOMBRE);
    t.Rectangle(x + 2, y + 2, l - 4, h - 4, interieur);
}

// A small triangle in the middle of a box, pointing up (haut) or down.
void Fleche(Toile& t, int x, int y, int l, int h, bool haut, int32_t c = CLAIR) {
    const double cx = x + l / 2.0, cy = y + h / 2.0, d = std::min(l, h) * 0.3;
    t.Polygone(haut ? std::vector<std::pair<double, double>>{{cx, cy - d}, {cx - d, cy + d}, {cx + d, cy + d}}
                    : std::vector<std::pair<double, double>>{{cx, cy + d}, {cx - d, cy - d}, {cx + d, cy - d}},
               [=](double, double) { return c; });
}

// The same pointing left or right.
void FlecheCote(Toile& t, int x, int y, int l, int h, bool gauche, int32_t c = CLAIR) {
    const double cx = x + l / 2.0, cy = y + h / 2.0, d = std::min(l, h) * 0.3;
    t.Polygone(gauche ? std::vector<std::pair<double, double>>{{cx - d, cy}, {cx + d, cy - d}, {cx + d, cy + d}}
                      : std::vector<std::pair<double, double>>{{cx + d, cy}, {cx - d, cy - d}, {cx - d, cy + d}},
               [=](double, double) { return c; });
}

void Piece(Toile& t, double cx, double cy, double r) {
    t.Disque(cx, cy, r, Rvb(31, 25, 6));
    t.Disque(cx - r * 0.2, cy - r * 0.2, r * 0.55, Rvb(31, 30, 16));
    t.Contour(Rvb(12, 8, 1));
}

Toile FondArmee() {
    Toile t(640, 480);
    t.Rectangle(0, 0, 640, 480, FOND);
    Cadre(t, 22, 57, 178, 176);      // regiments
    Cadre(t, 196, 57, 22, 176);      // their scroll boxes
    Fleche(t, 198, 61, 16, 83, true);
    Fleche(t, 198, 144, 16, 83, false);
    Cadre(t, 233, 57, 178, 344);     // sections
    Cadre(t, 422, 57, 178, 260);     // reserves
    Cadre(t, 596, 57, 22, 260);
    Fleche(t, 598, 61, 16, 126, true);
    Fleche(t, 598, 187, 16, 126, false);
    Cadre(t, 22, 227, 178, 96);      // the characteristics panel
    Cadre(t, 422, 326, 178, 44);     // the gold
    t.Rectangle(447, 384, 126, 4, BORD);   // the slider's track
    for (int i = 0; i <= 10; ++i) t.Rectangle(447 + i * 126 / 10, 380, 1, 12, CLAIR);
    Cadre(t, 426, 378, 16, 17);
    FlecheCote(t, 426, 378, 16, 17, true);
    Cadre(t, 579, 378, 16, 17);
    FlecheCote(t, 579, 378, 16, 17, false);
    Cadre(t, 40, 405, 560, 52, Rvb(5, 6, 8));   // the buttons' bar
    return t;
}

// The seven buttons: new, dissolve, complete, (unused), buy, sell, leave.
std::vector<ImageBlitter> BoutonsArmee() {
    std::vector<ImageBlitter> images;
    for (int i = 0; i < 7; ++i) {
        Toile t(36, 36);
        Cadre(t, 0, 0, 36, 36, Rvb(9, 8, 6));
        const int32_t c = CLAIR;
        switch (i) {
            case 0: t.Rectangle(10, 16, 16, 4, c); t.Rectangle(16, 10, 4, 16, c); break;               // +
            case 1: t.Trait(10, 10, 26, 26, 4, Rvb(28, 8, 6)); t.Trait(26, 10, 10, 26, 4, Rvb(28, 8, 6)); break;
            case 2: t.Rectangle(9, 9, 18, 18, Rvb(8, 20, 8)); t.Rectangle(13, 13, 10, 10, Rvb(4, 10, 4)); break;
            case 4: Piece(t, 16, 18, 7); t.Rectangle(24, 8, 8, 2, c); t.Rectangle(27, 5, 2, 8, c); break;
            case 5: Piece(t, 16, 18, 7); t.Rectangle(24, 8, 8, 2, c); break;
            case 6: t.Rectangle(11, 7, 14, 23, Rvb(14, 9, 4)); t.Disque(21, 19, 1.5, c); break;          // a door
            default: break;
        }
        images.push_back(t.Image());
    }
    return images;
}

std::vector<ImageBlitter> CadreLigne() {
    std::vector<ImageBlitter> images;
    for (int choisi = 0; choisi < 2; ++choisi) {
        Toile t(170, 42);
        Cadre(t, 0, 0, 170, 42, choisi ? Rvb(10, 10, 16) : Rvb(6, 7, 9), choisi ? Rvb(31, 28, 12) : BORD);
        images.push_back(t.Image());
    }
    return images;
}

std::vector<ImageBlitter> Terrains() {
    // Frames 0 plaine, 1 riviere, 2 foret, 3 montagne.
    std::vector<ImageBlitter> images;
    const int32_t couleurs[4] = {Rvb(12, 22, 6), Rvb(6, 12, 26), Rvb(3, 12, 4), Rvb(16, 15, 14)};
    for (int i = 0; i < 4; ++i) {
        Toile t(16, 16);
        Cadre(t, 0, 0, 16, 16, couleurs[i]);
        if (i == 2) t.Polygone({{8, 3}, {3, 12}, {13, 12}}, [](double, double) { return Rvb(2, 20, 3); });
        if (i == 3) t.Polygone({{8, 3}, {2, 13}, {14, 13}}, [](double, double) { return Rvb(24, 24, 24); });
        images.push_back(t.Image());
    }
    return images;
}

// The factions of the set-up in their order: Lumiere, Morvane, Justice, Empire, then All.
const int32_t COULEURS_CAMPS[5] = {Rvb(31, 29, 12), Rvb(20, 6, 24), Rvb(8, 14, 30), Rvb(28, 6, 4), Rvb(20, 20, 20)};

// A faction's shield of 32 x 29 at (x, y) with its emblem: a sun (Lumiere), a crescent (Morvane),
// a sword (Justice), a crown (Empire), four quarters (All). Dim, it is the choice not taken.
void Bouclier(Toile& t, int x, int y, int camp, bool allume) {
    Toile b(32, 29);
    const int32_t fond = COULEURS_CAMPS[camp];
    const auto teinte = [allume](int32_t c) {
        if (allume) return c;
        return Rvb((c >> 10 & 31) * 4 / 10, (c >> 5 & 31) * 4 / 10, (c & 31) * 4 / 10);
    };
    b.Polygone({{2, 1}, {30, 1}, {30, 19}, {16, 28}, {2, 19}}, [=](double, double) { return teinte(fond); });
    const int32_t embleme = teinte(camp == 0 ? Rvb(31, 16, 2) : camp == 3 ? Rvb(31, 27, 8) : Rvb(31, 31, 28));
    switch (camp) {
        case 0:   // a sun
            for (int k = 0; k < 8; ++k) {
                const double a = k * 3.14159265 / 4;
                b.Trait(16, 12, 16 + 9 * std::cos(a), 12 + 9 * std::sin(a), 1.6, embleme);
            }
            b.Disque(16, 12, 5, embleme);
            break;
        case 1:   // a crescent
            b.Disque(16, 13, 8, embleme);
            b.Disque(19.5, 10.5, 7, teinte(fond));
            break;
        case 2:   // a sword, point down
            b.Trait(16, 4, 16, 21, 2.5, embleme);
            b.Trait(10, 8, 22, 8, 2.5, embleme);
            break;
        case 3:   // a crown
            b.Polygone({{7, 18}, {7, 7}, {11.5, 12}, {16, 5}, {20.5, 12}, {25, 7}, {25, 18}}, [=](double, double) { return embleme; });
            break;
        default:   // all of them: the shield quartered
            b.Rectangle(15, 1, 2, 26, embleme);
            b.Rectangle(2, 11, 29, 2, embleme);
            break;
    }
    b.Contour(allume ? Rvb(31, 31, 31) : Rvb(12, 11, 8));
    for (int v = 0; v < b.hauteur; ++v)
        for (int u = 0; u < b.largeur; ++u)
            if (b.Lire(u, v) >= 0) t.Point(x + u, y + v, b.Lire(u, v));
}

// The lit faction marks, frame = faction. The set-up draws frame c at 35 x c from the panel's
// left while a click picks faction (x - left) / 33: each frame's hot spot moves it onto its click
// zone, where the background has its dim shield.
std::vector<ImageBlitter> Camps() {
    std::vector<ImageBlitter> images;
    for (int c = 0; c < 5; ++c) {
        Toile t(32, 29);
        Bouclier(t, 0, 0, c, true);
        images.push_back(t.Image(c < 4 ? 2 * c : 0, 0));
    }
    return images;
}

Toile FondEscarmouche() {
    Toile t(640, 480);
    t.Rectangle(0, 0, 640, 480, FOND);
    Cadre(t, 55, 84, 145, 37);    // the player's factions
    Cadre(t, 436, 84, 148, 37);   // the opponent's
    // The four shields, dim, each over its click zone; the chosen one is lit over it.
    for (int c = 0; c < 4; ++c) {
        Bouclier(t, 60 + 33 * c, 88, c, false);
        Bouclier(t, 441 + 33 * c, 88, c, false);
    }
    Cadre(t, 226, 84, 190, 37);   // the gold, its two buttons at each end
    Cadre(t, 230, 88, 30, 32, Rvb(12, 6, 5));
    Fleche(t, 230, 88, 30, 32, false);
    Cadre(t, 377, 88, 36, 32, Rvb(5, 12, 6));
    Fleche(t, 377, 88, 36, 32, true);
    const int colonnes[3][2] = {{39, 197}, {231, 389}, {421, 579}};
    const int fleches[3] = {201, 394, 583};
    for (int c = 0; c < 3; ++c) {
        Cadre(t, colonnes[c][0] - 4, 124, colonnes[c][1] - colonnes[c][0] + 8, 172);
        Cadre(t, fleches[c] - 1, 127, 17, 19);
        Fleche(t, fleches[c] - 1, 127, 17, 19, true);
        Cadre(t, fleches[c] - 1, 276, 17, 18);
        Fleche(t, fleches[c] - 1, 276, 17, 18, false);
    }
    Cadre(t, 44, 322, 168, 34, Rvb(8, 9, 5));    // create an army
    Cadre(t, 423, 322, 172, 34, Rvb(8, 9, 5));
    Cadre(t, 269, 307, 102, 102);                 // the start positions
    for (int i = 0; i < 9; ++i) Cadre(t, 273 + 31 * (i % 3), 311 + 31 * (i / 3), 31, 31, CASE);
    Cadre(t, 70, 380, 145, 72);                   // the unit cards of each side
    Cadre(t, 452, 380, 145, 72);
    return t;
}

// Delete (0, 1 and 2, 3), confirm (4, 5), cancel (6, 7); the odd frames lit.
std::vector<ImageBlitter> BoutonsEscarmouche() {
    std::vector<ImageBlitter> images;
    for (int i = 0; i < 8; ++i) {
        const bool allume = i % 2 == 1;
        const int cote = i < 4 ? 28 : 36;
        Toile t(cote, cote);
        Cadre(t, 0, 0, cote, cote, allume ? Rvb(14, 13, 9) : Rvb(8, 7, 5), allume ? Rvb(31, 29, 16) : BORD);
        const int32_t c = allume ? Rvb(31, 31, 24) : CLAIR;
        if (i < 4 || i >= 6) {
            t.Trait(cote * 0.3, cote * 0.3, cote * 0.7, cote * 0.7, 3, i < 4 ? c : Rvb(28, 8, 6));
            t.Trait(cote * 0.7, cote * 0.3, cote * 0.3, cote * 0.7, 3, i < 4 ? c : Rvb(28, 8, 6));
        } else {
            t.Trait(9, 18, 15, 25, 3.5, Rvb(8, 28, 8));
            t.Trait(15, 25, 27, 10, 3.5, Rvb(8, 28, 8));
        }
        images.push_back(t.Image());
    }
    return images;
}

Toile BoiteNom() {
    Toile t(250, 150);
    Cadre(t, 0, 0, 250, 150, Rvb(6, 7, 10));
    Cadre(t, 20, 54, 180, 20, SOMBRE);
    return t;
}

Toile Un(int l, int h, const std::function<void(Toile&)>& dessin) {
    Toile t(l, h);
    dessin(t);
    return t;
}

// The faction choice's pictures: four figures on a field; each faction's picture lights its own.
struct Figure {
    int x0, x1, y0, y1;
    int r, g, b;
};
const Figure FIGURES[4] = {{95, 230, 49, 203, 250, 230, 110}, {417, 531, 49, 217, 220, 50, 40},
                           {119, 200, 290, 408, 70, 110, 240}, {425, 520, 308, 393, 120, 40, 140}};

bool EcrireTga(const std::string& chemin, int largeur, int hauteur, const std::function<uint32_t(int, int)>& pixel) {
    FILE* f = std::fopen(chemin.c_str(), "wb");
    if (f == nullptr) return false;
    uint8_t entete[18] = {};
    entete[2] = 2;
    entete[12] = static_cast<uint8_t>(largeur & 0xFF);
    entete[13] = static_cast<uint8_t>(largeur >> 8);
    entete[14] = static_cast<uint8_t>(hauteur & 0xFF);
    entete[15] = static_cast<uint8_t>(hauteur >> 8);
    entete[16] = 24;
    bool ok = std::fwrite(entete, 1, sizeof entete, f) == sizeof entete;
    std::vector<uint8_t> rangee(static_cast<size_t>(largeur) * 3);
    for (int y = hauteur - 1; ok && y >= 0; --y) {
        for (int x = 0; x < largeur; ++x) {
            const uint32_t c = pixel(x, y);
            rangee[x * 3 + 0] = static_cast<uint8_t>(c & 0xFF);
            rangee[x * 3 + 1] = static_cast<uint8_t>((c >> 8) & 0xFF);
            rangee[x * 3 + 2] = static_cast<uint8_t>((c >> 16) & 0xFF);
        }
        ok = std::fwrite(rangee.data(), 1, rangee.size(), f) == rangee.size();
    }
    return std::fclose(f) == 0 && ok;
}

uint32_t Rgb(int r, int g, int b) { return static_cast<uint32_t>(r) << 16 | static_cast<uint32_t>(g) << 8 | b; }

// Figure i at (x, y): a cloaked silhouette filling its area; lit or dim.
bool DansFigure(const Figure& f, int x, int y) {
    const double cx = (f.x0 + f.x1) / 2.0, l = (f.x1 - f.x0) / 2.0, h = f.y1 - f.y0;
    const double v = (y - f.y0) / h;
    if (v < 0 || v > 1) return false;
    if (v < 0.22) return std::hypot((x - cx) / (l * 0.45), (v - 0.11) / 0.11) <= 1;   // the head
    return std::abs(x - cx) <= l * (0.4 + 0.6 * (v - 0.22) / 0.78);                     // the cloak
}

uint32_t PixelChoix(int x, int y, int allume) {
    for (int i = 0; i < 4; ++i) {
        const Figure& f = FIGURES[i];
        if (!DansFigure(f, x, y)) continue;
        const double k = i == allume ? 1.0 : 0.35;
        return Rgb(static_cast<int>(f.r * k), static_cast<int>(f.g * k), static_cast<int>(f.b * k));
    }
    const double ciel = y / 480.0;
    return Rgb(static_cast<int>(20 + 30 * ciel), static_cast<int>(24 + 40 * ciel), static_cast<int>(40 + 10 * ciel));
}

bool FabriquerEcrans(const std::string& racine) {
    bool ok = true;
    ok &= Sprite_Ecrire(racine, "armee_fond", {FondArmee().Image()});
    ok &= Sprite_Ecrire(racine, "armee_cadre", CadreLigne());
    ok &= Sprite_Ecrire(racine, "armee_boutons", BoutonsArmee());
    ok &= Sprite_Ecrire(racine, "armee_curseur", {Un(5, 28, [](Toile& t) { Cadre(t, 0, 0, 5, 28, CLAIR); }).Image()});
    ok &= Sprite_Ecrire(racine, "boite_nom", {BoiteNom().Image()});
    ok &= Sprite_Ecrire(racine, "bouton_nom_ok", {Un(36, 36, [](Toile& t) {
                                                      Cadre(t, 0, 0, 36, 36, Rvb(6, 12, 6));
                                                      t.Trait(9, 18, 15, 25, 3.5, Rvb(10, 30, 10));
                                                      t.Trait(15, 25, 27, 10, 3.5, Rvb(10, 30, 10));
                                                  }).Image()});
    ok &= Sprite_Ecrire(racine, "piece", {Un(22, 22, [](Toile& t) { Piece(t, 11, 11, 9); }).Image()});
    ok &= Sprite_Ecrire(racine, "piece_petite", {Un(10, 10, [](Toile& t) { Piece(t, 5, 5, 4); }).Image()});
    ok &= Sprite_Ecrire(racine, "terrains", Terrains());
    std::vector<ImageBlitter> fantomes;
    for (int i = 0; i < 32; ++i)
        fantomes.push_back(Un(32, 32, [](Toile& t) {
                               t.Disque(16, 16, 13, Rvb(20, 20, 24));
                               t.Disque(16, 16, 8, Rvb(10, 10, 14));
                           }).Image());
    ok &= Sprite_Ecrire(racine, "fantome", fantomes);
    ok &= Sprite_Ecrire(racine, "escarmouche_fond", {FondEscarmouche().Image()});
    ok &= Sprite_Ecrire(racine, "escarmouche_boutons", BoutonsEscarmouche());
    ok &= Sprite_Ecrire(racine, "escarmouche_camps", Camps());

    const std::filesystem::path images = std::filesystem::path(racine) / "images";
    std::error_code e;
    std::filesystem::create_directories(images, e);
    ok &= EcrireTga((images / "Fond.tga").string(), 640, 480, [](int x, int y) { return PixelChoix(x, y, -1); });
    const char* const noms[4] = {"Lumiere", "Empire", "Justice", "Morvane"};
    for (int i = 0; i < 4; ++i)
        ok &= EcrireTga((images / (std::string(noms[i]) + ".tga")).string(), 640, 480,
                        [i](int x, int y) { return PixelChoix(x, y, i); });
    return ok;
}

}  // namespace

FABRIQUE_ETAPE("ecrans", FabriquerEcrans);
