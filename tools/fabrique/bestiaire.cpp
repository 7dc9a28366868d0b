// The bestiary's sample pictures: a background per camp tab (the card's place at the top, the
// picture's frame below it, the page on the right), the ten animated tabs, the loading bar, the
// leave button and the arrows of the previous and next buttons.
#include <cmath>
#include <string>
#include <vector>

#include "fabrique.h"
#include "sprite_dessin.h"

namespace {

// The camps' colours, in the order of the tabs: Empire, Justice, Lumiere, Morvane, Nains, Elfes,
// Mort_vivant, Demons, Neutres, Orv.
constexpr int COULEURS[10][3] = {{26, 6, 4},  {8, 12, 28}, {28, 24, 8}, {20, 6, 24}, {20, 14, 8},
                                 {8, 22, 8},  {14, 16, 14}, {24, 4, 10}, {16, 16, 16}, {28, 18, 6}};
const char* const NOMS[10] = {"EMPIRE", "JUSTICE", "LUMIERE", "MORVANE", "NAINS", "ELFES", "MORTS-VIVANTS",
                              "DEMONS", "NEUTRES", "ORV"};
const int32_t NOIR = Rvb(1, 1, 2), OR = Rvb(26, 21, 9), OR_SOMBRE = Rvb(14, 10, 4);

int32_t Teinte(int camp, double l) {
    const int* c = COULEURS[camp];
    return Rvb(static_cast<int>(c[0] * l), static_cast<int>(c[1] * l), static_cast<int>(c[2] * l));
}

void Cadre(Toile& t, int x, int y, int l, int h, int32_t dedans) {
    t.Rectangle(x, y, l, h, OR);
    t.Rectangle(x + 1, y + 1, l - 2, h - 2, OR_SOMBRE);
    t.Rectangle(x + 3, y + 3, l - 6, h - 6, dedans);
}

Toile Fond(int camp) {
    Toile t(640, 480);
    // A dark ground lit from the top in the camp's colour.
    t.Forme([](double, double) { return true; },
            [camp](double x, double y) { return Teinte(camp, 0.12 + 0.18 * (1 - y / 480) + 0.04 * std::sin(x / 37 + y / 53)); });
    // The tab column's edge.
    t.Rectangle(56, 0, 2, 480, OR_SOMBRE);
    // The card's place at (242, 12) and the picture's frame round (250, 420).
    Cadre(t, 230, 8, 90, 64, Rvb(3, 3, 4));
    Cadre(t, 150, 300, 164, 150, Teinte(camp, 0.08));
    // The page.
    Cadre(t, 318, 2, 320, 450, Rvb(3, 3, 5));
    Toile_Texte(t, 70, 100, NOMS[camp], 2, Teinte(camp, 1.0), NOIR);
    // The buttons' strip along the bottom.
    t.Rectangle(200, 450, 210, 30, Rvb(3, 3, 4));
    t.Rectangle(200, 450, 210, 1, OR_SOMBRE);
    return t;
}

// Tab i, frame k of 13: a shield-shaped tab of the camp's colour with a glint running across it.
ImageBlitter Onglet(int camp, int k) {
    Toile t(60, 40);
    t.Forme([](double x, double y) { return x < 50 || std::hypot(x - 50, y - 20) <= 10 || (x < 60 && y > 10 && y < 30); },
            [camp, k](double x, double y) {
                const double reflet = std::exp(-std::pow((x + y * 0.5 - k * 6.0) / 4.0, 2));
                return Teinte(camp, 0.55 + 0.3 * (1 - y / 40) + 0.4 * reflet);
            });
    t.Contour(OR);
    t.Contour(NOIR);
    return t.Image();
}

// The loading bar after i + 1 of the ten tabs.
ImageBlitter Chargement(int i) {
    Toile t(104, 12);
    t.Rectangle(0, 0, 104, 12, OR_SOMBRE);
    t.Rectangle(1, 1, 102, 10, NOIR);
    for (int k = 0; k <= i; ++k) t.Rectangle(3 + 10 * k, 3, 8, 6, Teinte(k, 1.0));
    return t.Image();
}

// The leave button: a cross on a round stone, lit when hovered.
ImageBlitter Quitter(bool allume) {
    Toile t(32, 30);
    t.Disque(16, 15, 14, allume ? Rvb(14, 12, 8) : Rvb(8, 7, 5));
    t.Trait(9, 8, 23, 22, 3.5, allume ? Rvb(31, 12, 8) : Rvb(20, 6, 4));
    t.Trait(23, 8, 9, 22, 3.5, allume ? Rvb(31, 12, 8) : Rvb(20, 6, 4));
    t.Contour(OR);
    return t.Image();
}

// Arrow k of 8, pointing k eighths of a turn clockwise from the top (2 right, 6 left).
ImageBlitter Fleche(int k) {
    Toile t(55, 30);
    const double a = k * M_PI / 4, dx = std::sin(a), dy = -std::cos(a);
    const double cx = 27.5, cy = 15, r = 12;
    // The point, then the two back corners across the shaft.
    t.Polygone({{cx + dx * r, cy + dy * r}, {cx - dx * r * 0.6 - dy * r * 0.8, cy - dy * r * 0.6 + dx * r * 0.8},
                {cx - dx * r * 0.6 + dy * r * 0.8, cy - dy * r * 0.6 - dx * r * 0.8}},
               [](double, double) { return OR; });
    t.Contour(NOIR);
    return t.Image();
}

bool FabriquerBestiaire(const std::string& racine) {
    bool ok = true;
    for (int camp = 0; camp < 10; ++camp)
        ok &= Sprite_Ecrire(racine, "bestiaire_fond" + std::to_string(camp), {Fond(camp).Image()});
    std::vector<ImageBlitter> onglets, chargement, quitter, fleches;
    for (int camp = 0; camp < 10; ++camp)
        for (int k = 0; k < 13; ++k) onglets.push_back(Onglet(camp, k));
    for (int i = 0; i < 10; ++i) chargement.push_back(Chargement(i));
    for (int k = 0; k < 8; ++k) fleches.push_back(Fleche(k));
    ok &= Sprite_Ecrire(racine, "bestiaire_onglets", onglets);
    ok &= Sprite_Ecrire(racine, "bestiaire_chargement", chargement);
    ok &= Sprite_Ecrire(racine, "bestiaire_quitter", {Quitter(false), Quitter(true)});
    ok &= Sprite_Ecrire(racine, "bestiaire_fleches", fleches);
    return ok;
}

}  // namespace

FABRIQUE_ETAPE("bestiaire", FabriquerBestiaire);
