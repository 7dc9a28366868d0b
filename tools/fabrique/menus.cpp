// The menus' sprites: the title logo, the sliding button, the two large panels (save list with
// its arrows, options with the sliders' grooves), the row marks and the volume bar. Panels carry
// their OK and Cancel buttons where the menus test them; the lit buttons are drawn over them.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "fabrique.h"
#include "sprite_dessin.h"

namespace {

// Stone and gold of the menus.
int32_t Pierre(double t) {
    const int v = static_cast<int>(5 + t * 6);
    return Rvb(v, v + 1, v + 3);
}
const int32_t OR_CLAIR = Rvb(30, 25, 10), OR_SOMBRE = Rvb(17, 12, 4), NOIR = Rvb(1, 1, 2);

// A frame of `epaisseur` pixels round the canvas's edge, gold between two dark lines.
void Cadre(Toile& t, int x0, int y0, int l, int h, int epaisseur) {
    for (int k = 0; k < epaisseur; ++k) {
        const int32_t c = k == 0 || k == epaisseur - 1 ? NOIR : k == 1 ? OR_CLAIR : OR_SOMBRE;
        for (int x = x0 + k; x < x0 + l - k; ++x) t.Point(x, y0 + k, c), t.Point(x, y0 + h - 1 - k, c);
        for (int y = y0 + k; y < y0 + h - k; ++y) t.Point(x0 + k, y, c), t.Point(x0 + l - 1 - k, y, c);
    }
}

// A round stone button with a check (oui) or a cross.
void BoutonRond(Toile& t, int x0, int y0, bool oui) {
    t.Forme([=](double x, double y) { return std::hypot(x - x0 - 18, y - y0 - 18) <= 16.5; },
            [=](double x, double y) {
                const double l = std::clamp(0.75 - 0.45 * ((x - x0 - 18) + (y - y0 - 18)) / 22.6, 0.0, 1.0);
                const int v = static_cast<int>(8 + l * 16);
                return Rvb(v, v - 1, v - 3);
            });
    t.Forme([=](double x, double y) { double d = std::hypot(x - x0 - 18, y - y0 - 18); return d <= 16.5 && d >= 14.5; },
            [](double, double) { return Rvb(14, 11, 6); });
    const int32_t marque = oui ? Rvb(4, 20, 4) : Rvb(22, 4, 3);
    if (oui) {
        t.Trait(x0 + 10, y0 + 19, x0 + 16, y0 + 25, 3.5, marque);
        t.Trait(x0 + 16, y0 + 25, x0 + 27, y0 + 11, 3.5, marque);
    } else {
        t.Trait(x0 + 11, y0 + 11, x0 + 25, y0 + 25, 3.5, marque);
        t.Trait(x0 + 25, y0 + 11, x0 + 11, y0 + 25, 3.5, marque);
    }
}

// The button: a stone bar 320 x 35 with a gold edge and a gem where the text begins.
Toile Bouton() {
    Toile t(320, 35);
    t.Forme([](double x, double y) { return x >= 17.5 || std::hypot(x - 17.5, y - 17.5) <= 17.5; },
            [](double x, double y) { return Pierre(0.8 - std::abs(y - 17.5) / 30 + 0.2 * std::max(0.0, 1 - x / 120)); });
    for (int x = 17; x < 320; ++x) {
        t.Point(x, 1, OR_CLAIR);
        t.Point(x, 33, OR_SOMBRE);
        t.Point(x, 0, NOIR);
        t.Point(x, 34, NOIR);
    }
    t.Polygone({{9, 17.5}, {17, 9.5}, {25, 17.5}, {17, 25.5}},
               [](double x, double y) { return Rvb(18 + static_cast<int>((25 - x) / 2), 4, 6 + static_cast<int>((25 - y) / 3)); });
    t.Contour(NOIR);
    return t;
}

// A large panel 458 x 314: stone in a gold frame, four row wells, OK and Cancel at the bottom.
Toile Panneau(bool liste) {
    Toile t(458, 314);
    t.Forme([](double, double) { return true; },
            [](double x, double y) {
                const int grain = (static_cast<int>(x * 5 + y * 11) * 2654435761u >> 29) & 1;
                return Pierre(0.55 - y / 1400 + grain * 0.06);
            });
    Cadre(t, 0, 0, 458, 314, 5);
    // The title's rule.
    for (int x = 24; x < 434; ++x) t.Point(x, 44, OR_SOMBRE), t.Point(x, 45, NOIR);
    for (int i = 0; i < 4; ++i) {
        const int y0 = 55 + 50 * i;
        t.Rectangle(27, y0 + 2, 392, 32, Pierre(0.25));
        for (int x = 26; x < 420; ++x) t.Point(x, y0 + 1, NOIR), t.Point(x, y0 + 34, Pierre(0.7));
    }
    if (liste) {
        // Arrows up and down at the right of the rows.
        t.Polygone({{405, 43}, {413, 28}, {421, 43}}, [](double, double) { return OR_CLAIR; });
        t.Polygone({{405, 254}, {413, 269}, {421, 254}}, [](double, double) { return OR_CLAIR; });
    } else {
        // The sliders' grooves on rows 1 and 2.
        for (int i = 1; i <= 2; ++i) {
            const int y0 = 55 + 50 * i + 14;
            t.Rectangle(303, y0, 93, 18, NOIR);
            t.Rectangle(304, y0 + 1, 91, 16, Rvb(3, 3, 4));
        }
    }
    BoutonRond(t, 185, 249, true);
    BoutonRond(t, 228, 249, false);
    return t;
}

// The lit OK and Cancel: frame 0 Cancel, frame 1 OK.
std::vector<ImageBlitter> BoutonsAllumes() {
    std::vector<ImageBlitter> images;
    for (bool oui : {false, true}) {
        Toile t(36, 36);
        t.Forme([](double x, double y) { return std::hypot(x - 18, y - 18) <= 16.5; },
                [](double x, double y) {
                    const double l = std::clamp(1.1 - 0.45 * ((x - 18) + (y - 18)) / 22.6, 0.0, 1.4);
                    const int v = static_cast<int>(8 + l * 16);
                    return Rvb(v + 4, v + 2, v - 6);
                });
        t.Forme([](double x, double y) { double d = std::hypot(x - 18, y - 18); return d <= 16.5 && d >= 14.5; },
                [](double, double) { return Rvb(31, 27, 8); });
        const int32_t marque = oui ? Rvb(8, 31, 8) : Rvb(31, 8, 6);
        if (oui) {
            t.Trait(10, 19, 16, 25, 3.5, marque);
            t.Trait(16, 25, 27, 11, 3.5, marque);
        } else {
            t.Trait(11, 11, 25, 25, 3.5, marque);
            t.Trait(25, 11, 11, 25, 3.5, marque);
        }
        images.push_back(t.Image());
    }
    return images;
}

// The mark of the selected row: an outline, the row's inside left as it is.
Toile MarqueLigne(int32_t clair, int32_t sombre) {
    Toile t(396, 36);
    for (int x = 0; x < 396; ++x) t.Point(x, 0, sombre), t.Point(x, 1, clair), t.Point(x, 34, clair), t.Point(x, 35, sombre);
    for (int y = 0; y < 36; ++y) t.Point(0, y, sombre), t.Point(1, y, clair), t.Point(394, y, clair), t.Point(395, y, sombre);
    // A pointer at the left end.
    t.Polygone({{6, 10}, {16, 18}, {6, 26}}, [=](double, double) { return clair; });
    return t;
}

// The volume bar: 93 x 18, darker to lighter.
Toile Barre() {
    Toile t(93, 18);
    t.Forme([](double, double) { return true; },
            [](double x, double y) {
                const double l = x / 93;
                const int haut = y < 9 ? 3 : 0;
                return Rvb(static_cast<int>(10 + l * 20) + haut, static_cast<int>(16 + l * 10) + haut, 4 + haut);
            });
    return t;
}

// The title "MORVANE" in big bevelled gold letters, with a sword under it.
struct Lettre {
    char c;
    uint8_t lignes[7];
};
constexpr Lettre LETTRES[] = {
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}}, {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}}, {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'A', {0x0E, 0x11, 0x11, 0x11, 0x1F, 0x11, 0x11}}, {'N', {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}},
};

Toile Logo() {
    constexpr int CASE = 11, LARGEUR = 462, HAUTEUR = 104;
    Toile t(LARGEUR, HAUTEUR);
    const std::string titre = "MORVANE";
    const int pas = 6 * CASE + 4;
    const int x0 = (LARGEUR - (static_cast<int>(titre.size()) * pas - CASE - 4)) / 2;
    for (size_t k = 0; k < titre.size(); ++k)
        for (const Lettre& l : LETTRES) {
            if (l.c != titre[k]) continue;
            for (int y = 0; y < 7; ++y)
                for (int x = 0; x < 5; ++x) {
                    if (!(l.lignes[y] & (0x10 >> x))) continue;
                    const int cx = x0 + static_cast<int>(k) * pas + x * CASE, cy = 4 + y * CASE;
                    // Each cell a bevelled block: light at the top left, dark at the bottom right.
                    for (int v = 0; v < CASE; ++v)
                        for (int u = 0; u < CASE; ++u) {
                            const int32_t c = u + v < 3 ? Rvb(31, 30, 18) : u + v > 2 * CASE - 5 ? Rvb(16, 10, 2)
                                                                                               : Rvb(29 - v, 23 - v, 6);
                            t.Point(cx + u, cy + v, c);
                        }
                }
        }
    // The sword: blade, guard and pommel, across the foot of the letters.
    const int y = 92;
    t.Rectangle(70, y - 2, 320, 5, Rvb(24, 25, 27));
    for (int x = 70; x < 390; ++x) t.Point(x, y - 2, Rvb(30, 30, 31));
    t.Polygone({{390, y - 3}, {404, y}, {390, y + 3}}, [](double, double) { return Rvb(26, 27, 29); });
    t.Rectangle(60, y - 9, 8, 19, OR_CLAIR);
    t.Rectangle(38, y - 2, 22, 5, Rvb(14, 8, 3));
    t.Disque(33, y, 5, OR_CLAIR);
    t.Contour(NOIR);
    t.Contour(Rvb(4, 2, 1));
    return t;
}

bool FabriquerMenus(const std::string& racine) {
    bool ok = true;
    ok &= Sprite_Ecrire(racine, "logo", {Logo().Image()});
    ok &= Sprite_Ecrire(racine, "menu_bouton", {Bouton().Image()});
    ok &= Sprite_Ecrire(racine, "menu_liste", {Panneau(true).Image()});
    ok &= Sprite_Ecrire(racine, "menu_options", {Panneau(false).Image()});
    ok &= Sprite_Ecrire(racine, "menu_boutons", BoutonsAllumes());
    ok &= Sprite_Ecrire(racine, "menu_ligne", {MarqueLigne(OR_CLAIR, NOIR).Image()});
    ok &= Sprite_Ecrire(racine, "menu_ligne_reglage", {MarqueLigne(Rvb(12, 24, 31), NOIR).Image()});
    ok &= Sprite_Ecrire(racine, "menu_barre", {Barre().Image()});
    return ok;
}

}  // namespace

FABRIQUE_ETAPE("menus", FabriquerMenus);
