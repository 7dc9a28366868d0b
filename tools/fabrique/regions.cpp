// The sample campaigns' regions, made from a short description each: the region's seed draws its
// terrain (plain, forest, mountains, a river), its start cells and its picture cut in tiles
// ("sprite/region/Carte<n>"); the sites, the victory file, the enemy file, the region-map level and
// its conditions are written for every region of every campaign. Also the campaign map, its
// flags, the region map's background, buttons, panel and site pictures, and the campaign's texts.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fabrique.h"
#include "niveaux_bataille.h"
#include "sprite_dessin.h"

namespace {

namespace fs = std::filesystem;

constexpr int L = 52, H = 40;
enum Terrain { Plaine = 0, Foret = 1, Montagne = 2, Riviere = 3 };

struct Site {
    int x, y;
    const char* nom;
    const char* texte;
    int objet, frames, lock, nouvelEtat;
    std::vector<int> unlock;
    const char* message;   // shown while it is locked
};

struct Description {
    int campagne, numero;
    std::vector<Site> sites;
    const char* victoire;   // the ".Vreg" file
    int ennemis;            // enemy regiments placed
};

const char* const DOSSIERS[5] = {"Tutorial", "Morvane", "Justice", "Empire", "Lumiere"};
// The seed of each region number (1..9): the same region has the same land in every campaign.
constexpr uint32_t GRAINES[10] = {0, 1101, 2202, 3303, 4404, 5505, 6606, 7707, 8808, 9909};

const char* const VICTOIRE_SITE0 = "Nb lieux uniques a visiter : 1\n0 \nNb Nmi a tuer : 0\nVisu :0\n";
const char* const VICTOIRE_ENNEMIS = "Nb lieux uniques a visiter : 0\nNb Nmi a tuer : -1\nVisu :0\n";
// The same, won with a movie: the Morvane campaign's second region.
const char* const VICTOIRE_ENNEMIS_FILM = "Nb lieux uniques a visiter : 0\nNb Nmi a tuer : -1\nVisu :1\nrvf\\FinRegion.rvs\n";

std::string Fin(const char* campagne) {
    return std::string("Nb lieux uniques a visiter : 0\nNb Nmi a tuer : -1\nVisu :3\n..\\Texte\\") + campagne +
           "\\Fin.txt\nMessager :857\n";
}

std::vector<Description> Descriptions() {
    const Site ferme{8, 30, "Ferme", "La ferme des Aubiers, où les paysans attendent de l'aide.", 705, 1, 0, 1, {}, ""};
    const Site village{20, 22, "Village", "Le village de Brumeval et son vieux puits.", 843, 1, 0, 1, {}, ""};
    const Site cimetiere{34, 12, "Cimetiere", "Un cimetière que nul n'ose plus traverser la nuit.", 709, 1, 1, 3, {0, 1},
                         "..\\Texte\\Generiques\\Regions\\Verrou.txt"};
    const Site chateau{44, 8, "Chateau", "Le château du seigneur de la région.", 706, 1, 1, 1, {2},
                       "..\\Texte\\Generiques\\Regions\\Verrou.txt"};
    const Site drapeau{26, 34, "Gue", "Un gué gardé par une bannière neutre.", 703, 1, 2, 1, {}, ""};
    std::vector<Description> d;
    d.push_back({0, 9, {ferme, village, cimetiere, drapeau},
                 "Nb lieux uniques a visiter : 1\n0 \nNb Nmi a tuer : 1\n100 \nVisu :3\n..\\Texte\\Tutorial\\Fin.txt\nMessager :857\n", 1});
    for (int c = 1; c <= 4; ++c) {
        int etapes = c == 4 ? 4 : 5;
        static const int REGIONS[5][5] = {{9}, {5, 6, 8, 2, 3}, {4, 5, 8, 1, 3}, {5, 4, 8, 3, 2}, {7, 6, 2, 3}};
        for (int e = 0; e < etapes; ++e) {
            const int n = REGIONS[c][e];
            if (e == 0) d.push_back({c, n, {ferme, village, cimetiere, chateau}, VICTOIRE_SITE0, 2});
            else if (e == etapes - 1) d.push_back({c, n, {village}, nullptr, 1});
            else d.push_back({c, n, {ferme}, c == 1 && e == 1 ? VICTOIRE_ENNEMIS_FILM : VICTOIRE_ENNEMIS, 1});
        }
    }
    return d;
}

struct Grilles {
    int terrain[L][H];
    int departs[L][H];
};

Grilles Generer(int numero, const std::vector<Site>& sites) {
    Grilles g{};
    const uint32_t graine = GRAINES[numero];
    for (int x = 0; x < L; ++x)
        for (int y = 0; y < H; ++y) {
            const double relief = BruitLisse(x, y, 9, graine), bois = BruitLisse(x, y, 6, graine + 7);
            g.terrain[x][y] = relief > 0.78 ? Montagne : bois > 0.62 ? Foret : Plaine;
        }
    // A river across the region, from top to bottom, wandering by the seed.
    double rx = 12 + graine % 28;
    for (int y = 0; y < H; ++y) {
        rx += (BruitLisse(0, y, 5, graine + 3) - 0.5) * 1.6;
        rx = std::clamp(rx, 2.0, L - 3.0);
        g.terrain[static_cast<int>(rx)][y] = Riviere;
    }
    // The start cells at the lower left and the sites' cells stay open.
    for (int x = 2; x <= 6; ++x)
        for (int y = 34; y <= 37; ++y) g.terrain[x][y] = Plaine;
    for (int x = 3; x <= 5; ++x)
        for (int y = 35; y <= 36; ++y) g.departs[x][y] = 1;
    for (const Site& s : sites)
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy) {
                const int x = s.x + dx, y = s.y + dy;
                if (x >= 0 && x < L && y >= 0 && y < H && g.terrain[x][y] == Montagne) g.terrain[x][y] = Plaine;
            }
    return g;
}

bool Ecrire(const fs::path& chemin, const std::string& texte) {
    std::error_code e;
    fs::create_directories(chemin.parent_path(), e);
    std::ofstream f(chemin, std::ios::binary);
    f << texte;
    return static_cast<bool>(f);
}

std::string FichierRegion(const Grilles& g) {
    std::ostringstream s;
    for (int grille = 0; grille < 2; ++grille) {
        for (int y = 0; y < H; ++y) {
            for (int x = 0; x < L; ++x) s << (grille == 0 ? g.terrain[x][y] : g.departs[x][y]) << ' ';
            s << '\n';
        }
        s << '\n';
    }
    return s.str();
}

std::string FichierLieux(const std::vector<Site>& sites) {
    std::ostringstream s;
    s << "Nombre de lieux uniques : " << sites.size() << '\n';
    for (const Site& l : sites) {
        s << "Nom : " << l.nom << '\n' << l.texte << '\n';
        s << "Entree : 8\nx : " << l.x << "\ny : " << l.y << "\nObjet Graphique : " << l.objet << "\nNbr Frame : " << l.frames
          << "\nLock : " << l.lock << "\nVisite : 0\nNouvel Etat : " << l.nouvelEtat << "\nNbUnlock : " << l.unlock.size() << '\n';
        if (!l.unlock.empty()) {
            for (int u : l.unlock) s << u << ' ';
            s << "\nMessage : " << l.message << "\nMessager : 857\n";
        }
    }
    s << "Rep :0 20\n";
    return s.str();
}

// An enemy regiment of a region: its cell, behaviour (0 stays, 1 hunts, 2 waits for sight then
// marches, 3 hunts unseen, 4 watches a zone then marches, 5 hunts or roams), points and sight, its
// zone, destination and the values it takes to attack. Record i is regiment 100 + i of player 1,
// whose file "<faction>_nmi<id>.txt" (or a file of its own) lies in "Armees/Regimentsnmi": player 1
// reads the catalogue of the campaign's second camp (the Lumiere's, or the Justice's in the
// Lumiere's own campaign), and its regiments field that faction's units ("nmi<id>.txt" are the
// Empire's).
struct Ennemi {
    int x, y, comportement, nbPA, distVue;
    int zone[4] = {0, 0, 0, 0};
    int destination[2] = {0, 0};
    int attaque[2] = {0, 0};
    const char* fichier = nullptr;
};

// The tutorial shows every kind: a hunter coming for the start cells, a guard waiting before the
// farm, a watcher of the cemetery, a roamer in the east and a guard that never moves by the ford.
// Its hunter is a weaker band of its own (four soldiers and an archer, new to war), so that the
// tutorial's company of six can beat it.
// A campaign's first region has an ambush and a hunter; the other regions one hunter.
std::vector<Ennemi> Ennemis(const Description& d) {
    if (d.campagne == 0)
        return {{17, 31, 1, 2, 16, {}, {}, {}, "tuto100.txt"},
                {12, 27, 2, 2, 4, {}, {9, 31}, {3, 8}},
                {30, 16, 4, 3, 6, {31, 9, 6, 6}, {33, 14}, {3, 10}},
                {40, 30, 5, 2, 6},
                {19, 37, 0, 0, 0}};
    if (d.ennemis == 2) return {{30, 20, 3, 2, 5, {}, {}, {3, 8}}, {36, 26, 1, 2, 6}};
    return {{30, 18 + (d.numero % 3) * 4, 1, 3, 6}};
}

std::string FichierEnnemis(const std::vector<Ennemi>& ennemis, int campagne) {
    const char* camp = campagne == 4 ? "Justice" : "Lumiere";
    std::ostringstream s;
    s << "REGIMENTSNMI\nNombre de regiments ennemi : " << ennemis.size() << '\n';
    for (size_t i = 0; i < ennemis.size(); ++i) {
        const Ennemi& e = ennemis[i];
        s << "Fichier : ";
        if (e.fichier) s << e.fichier;
        else s << camp << "_nmi" << 100 + i << ".txt";
        s << "\nId : " << 100 + i << "\nCoordonnees : " << e.x << ' ' << e.y
          << "\nJoueur : 1\nComportement : " << e.comportement << '\n';
        if (e.comportement == 4)
            s << "Zone : " << e.zone[0] << ' ' << e.zone[1] << ' ' << e.zone[2] << ' ' << e.zone[3] << '\n';
        if (e.comportement == 2 || e.comportement == 4)
            s << "Detection : 0\nDestination : " << e.destination[0] << ' ' << e.destination[1] << '\n';
        if (e.comportement >= 2 && e.comportement <= 4) s << "Pour Attaque : " << e.attaque[0] << ' ' << e.attaque[1] << '\n';
        s << "NbPA : " << e.nbPA << "\nDistVue : " << e.distVue << "\nObjetMaitre : 339\nCamp : 1\nVbat : ..\\niveau\\Generique.Vbat\n";
    }
    return s.str();
}

// The region map's level: the sample battle level without its buildings, objects, trees and units.
std::string NiveauRegion(const fs::path& racine) {
    std::ifstream in(racine / "niveau" / "essai.mv", std::ios::binary);
    std::string texte((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t p = texte.find("[BATIMENTS]");
    if (p == std::string::npos) return texte;
    return texte.substr(0, p) + "[BATIMENTS]\n0\n\n[OBJETS]\n0\n\n[ARBRES]\n0\n\n[UNITES]\n0\n";
}

// Its conditions: the sample battle's, whose victory is never tested on the region map; the
// tutorial's opening text among its battle texts.
std::string ConditionsRegion(const fs::path& racine, bool tutoriel) {
    std::ifstream in(racine / "niveau" / "essai.VBat", std::ios::binary);
    std::string texte((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t p = texte.find("[TEXTE]\n0\n");
    if (tutoriel && p != std::string::npos)
        texte.replace(p, 10, "[TEXTE]\n1\n..\\Texte\\Tutorial\\Bienvenue.txt 857\n");
    return texte;
}

// ---- Pictures ----

// The colour (0..255) of a pixel of the region's picture.
struct Rgb { int r, g, b; };
Rgb CouleurRegion(const Grilles& g, int px, int py, uint32_t graine) {
    const int x = std::clamp(px / 24, 0, L - 1), y = std::clamp(py / 24, 0, H - 1);
    const double grain = (BruitCase(px, py, graine) % 100) / 100.0;
    switch (g.terrain[x][y]) {
        case Foret: {
            // Round tree crowns on a dark ground.
            const int cx = px % 12 - 6, cy = py % 12 - 6;
            const bool cime = cx * cx + cy * cy < 26 + static_cast<int>(BruitCase(px / 12, py / 12, graine) % 10);
            return cime ? Rgb{30 + int(20 * grain), 90 + int(30 * grain), 30} : Rgb{40, 60, 28};
        }
        case Montagne: {
            const int u = px % 24, v = py % 24;
            const bool face = u > v / 2 && u < 24 - v / 2;
            const int l = face ? (u < 12 ? 170 : 120) : 100;
            return {l + int(20 * grain), l + int(15 * grain), l - 10};
        }
        case Riviere: return {50 + int(20 * grain), 100 + int(30 * grain), 190};
        default: return {90 + int(40 * grain), 150 + int(30 * grain), 60};
    }
}

bool Carte(const std::string& racine, int numero, const Grilles& g) {
    // Palette: 256 colours chosen on a 6 x 7 x 6 cube; each pixel its nearest.
    std::vector<uint8_t> pal(768, 0);
    for (int i = 1; i < 252; ++i) {
        pal[i * 3] = static_cast<uint8_t>((i / 42) * 51);
        pal[i * 3 + 1] = static_cast<uint8_t>(((i / 6) % 7) * 42);
        pal[i * 3 + 2] = static_cast<uint8_t>((i % 6) * 51);
    }
    std::vector<uint8_t> tuiles(static_cast<size_t>(520) * 48 * 48);
    for (int t = 0; t < 520; ++t)
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 48; ++x) {
                const int px = (t % 26) * 48 + x, py = (t / 26) * 48 + y;
                const Rgb c = CouleurRegion(g, px, py, GRAINES[numero]);
                const int i = std::clamp((c.r + 25) / 51, 0, 5) * 42 + std::clamp((c.g + 21) / 42, 0, 6) * 6 +
                              std::clamp((c.b + 25) / 51, 0, 5);
                tuiles[(static_cast<size_t>(t) * 48 + y) * 48 + x] = static_cast<uint8_t>(std::clamp(i, 1, 251));
            }
    const fs::path dossier = fs::path(racine) / "sprite" / "region";
    fs::create_directories(dossier);
    const std::string nom = "Carte" + std::to_string(numero);
    return Ecrire(dossier / (nom + ".pal"), std::string(pal.begin(), pal.end())) &&
           Ecrire(dossier / (nom + ".spr"), std::string(tuiles.begin(), tuiles.end()));
}

// Where each region lies on the campaign map (640 x 480).
constexpr int POSITIONS[10][2] = {{0, 0}, {120, 110}, {250, 90}, {420, 100}, {530, 170}, {180, 250},
                                  {330, 220}, {480, 330}, {290, 370}, {90, 400}};

bool CarteEmpire(const std::string& racine) {
    const int W = 640, Hh = 480;
    std::vector<uint8_t> tga(18 + W * Hh * 3, 0);
    tga[2] = 2;
    tga[12] = W & 0xFF;
    tga[13] = W >> 8;
    tga[14] = Hh & 0xFF;
    tga[15] = Hh >> 8;
    tga[16] = 24;
    for (int y = 0; y < Hh; ++y)
        for (int x = 0; x < W; ++x) {
            // Parchment, a coast, and the regions' borders as darker rings.
            const double terre = BruitLisse(x / 8.0, y / 8.0, 7, 42) + (std::hypot(x - 320.0, y - 240.0) < 230 ? 0.35 : -0.2);
            Rgb c = terre > 0.5 ? Rgb{200, 180, 130} : Rgb{120, 150, 170};
            for (int n = 1; n <= 9; ++n) {
                const double d = std::hypot(x - POSITIONS[n][0], y - POSITIONS[n][1]);
                if (terre > 0.5 && d > 44 && d < 47) c = {140, 110, 70};
            }
            const int grain = static_cast<int>(BruitCase(x, y, 5) % 16);
            const size_t k = 18 + (static_cast<size_t>(Hh - 1 - y) * W + x) * 3;
            tga[k] = static_cast<uint8_t>(std::clamp(c.b - grain, 0, 255));
            tga[k + 1] = static_cast<uint8_t>(std::clamp(c.g - grain, 0, 255));
            tga[k + 2] = static_cast<uint8_t>(std::clamp(c.r - grain, 0, 255));
        }
    return Ecrire(fs::path(racine) / "images" / "CarteEmpire.tga", std::string(tga.begin(), tga.end()));
}

// A campaign's flags: frame e is the whole screen with the flag of step e on its region.
std::vector<ImageBlitter> Drapeaux(int campagne, int32_t couleur) {
    static const int REGIONS[5][5] = {{9}, {5, 6, 8, 2, 3}, {4, 5, 8, 1, 3}, {5, 4, 8, 3, 2}, {7, 6, 2, 3}};
    std::vector<ImageBlitter> images;
    for (int e = 0; e < 5; ++e) {
        Toile t(640, 480);
        const int n = REGIONS[campagne][e];
        if (n > 0) {
            const int x = POSITIONS[n][0], y = POSITIONS[n][1];
            t.Rectangle(x - 1, y - 28, 3, 30, Rvb(8, 6, 3));
            t.Polygone({{x + 2.0, y - 28.0}, {x + 22.0, y - 22.0}, {x + 2.0, y - 15.0}}, [=](double, double) { return couleur; });
            t.Contour(Rvb(2, 2, 2));
        }
        images.push_back(t.Image(320, 240));
    }
    return images;
}

// The region map's background: a dark frame round the whole region (1248 x 960), in quarters.
std::vector<ImageBlitter> Fond() {
    std::vector<ImageBlitter> images;
    for (int q = 0; q < 4; ++q) {
        Toile t(624, 480);
        const int ox = (q % 2) * 624, oy = (q / 2) * 480;
        t.Forme(
            [=](double x, double y) {
                const double gx = x + ox, gy = y + oy;
                return std::min({gx, gy, 1248 - gx, 960 - gy}) < 10;
            },
            [=](double x, double y) {
                const double d = std::min({x + ox, y + oy, 1248 - x - ox, 960 - y - oy});
                return Rvb(static_cast<int>(6 + d), static_cast<int>(4 + d * 0.8), 2);
            });
        images.push_back(t.Image());
    }
    return images;
}

// The button column: frame 0 the column, then 11 frames of each button by its counter (0 lit,
// 10 at rest); the end of turn also has its hover frames 56..65.
std::vector<ImageBlitter> Boutons() {
    struct Bouton { int x0, y0, x1, y1; int32_t couleur; };
    const Bouton boutons[5] = {{561, 411, 615, 466, Rvb(24, 20, 8)}, {589, 363, 616, 401, Rvb(20, 20, 24)},
                               {549, 376, 573, 403, Rvb(10, 22, 10)}, {527, 403, 547, 425, Rvb(24, 12, 6)},
                               {526, 441, 543, 457, Rvb(22, 8, 8)}};
    const int ox = 520, oy = 360, hx = 591 - ox, hy = 439 - oy;
    auto image = [&](int b, int compteur) {
        Toile t(100, 110);
        if (b < 0) {
            t.Forme([](double x, double y) { return (x - 60) * (x - 60) / 1600 + (y - 60) * (y - 60) / 2500 < 1; },
                    [](double, double y) { return Rvb(8, 6, static_cast<int>(3 + y / 30)); });
            return t.Image(hx, hy);
        }
        const Bouton& k = boutons[b];
        const double l = 1 - std::clamp(compteur, 0, 10) / 10.0;
        const double cx = (k.x0 + k.x1) / 2.0 - ox, cy = (k.y0 + k.y1) / 2.0 - oy;
        const double rx = (k.x1 - k.x0) / 2.0, ry = (k.y1 - k.y0) / 2.0;
        t.Forme([=](double x, double y) { return (x - cx) * (x - cx) / (rx * rx) + (y - cy) * (y - cy) / (ry * ry) < 1; },
                [=](double, double) {
                    const int r = (k.couleur >> 10) & 31, g = (k.couleur >> 5) & 31, bl = k.couleur & 31;
                    return Rvb(static_cast<int>(r * (0.5 + 0.5 * l)), static_cast<int>(g * (0.5 + 0.5 * l)),
                               static_cast<int>(bl * (0.5 + 0.5 * l)));
                });
        t.Contour(Rvb(3, 2, 1));
        return t.Image(hx, hy);
    };
    std::vector<ImageBlitter> images{image(-1, 0)};
    for (int b = 0; b < 5; ++b)
        for (int c = 0; c <= 10; ++c) images.push_back(image(b, b == 0 ? 10 - c : c));
    // The end of turn's hover frames (counter 56..65 drawn as frames 57..66).
    while (images.size() < 57) images.push_back(image(0, 10));
    for (int c = 56; c <= 65; ++c) images.push_back(image(0, (c - 56) / 2));
    return images;
}

// A site's picture on its cell: a building of the given kind.
ImageBlitter LieuImage(int genre) {
    Toile t(36, 30);
    const int32_t mur = genre == 709 ? Rvb(14, 14, 14) : Rvb(22, 18, 12), toit = genre == 706 ? Rvb(12, 12, 18) : Rvb(20, 6, 4);
    switch (genre) {
        case 706: case 707: case 708: case 710:   // a castle: towers and a wall
            t.Rectangle(4, 10, 28, 18, mur);
            for (int x : {2, 15, 28}) t.Rectangle(x, 4, 7, 24, mur);
            for (int x : {2, 15, 28}) t.Polygone({{x - 1.0, 5.0}, {x + 3.5, -1.0}, {x + 8.0, 5.0}}, [=](double, double) { return toit; });
            break;
        case 709:   // a cemetery: crosses
            for (int x : {6, 16, 26}) {
                t.Rectangle(x, 10, 3, 16, mur);
                t.Rectangle(x - 3, 14, 9, 3, mur);
            }
            break;
        case 703: case 702: case 699:   // a flag
            t.Rectangle(10, 2, 3, 26, Rvb(8, 6, 3));
            t.Polygone({{13.0, 2.0}, {32.0, 8.0}, {13.0, 14.0}}, [=](double, double) { return genre == 699 ? Rvb(30, 28, 10) : Rvb(26, 26, 26); });
            break;
        default:   // a farm or a village: houses with red roofs
            t.Rectangle(4, 16, 14, 12, mur);
            t.Polygone({{2.0, 17.0}, {11.0, 8.0}, {20.0, 17.0}}, [=](double, double) { return toit; });
            if (genre == 843 || genre == 844) {
                t.Rectangle(20, 14, 12, 14, mur);
                t.Polygone({{18.0, 15.0}, {26.0, 6.0}, {34.0, 15.0}}, [=](double, double) { return toit; });
            }
            break;
    }
    t.Contour(Rvb(2, 2, 2));
    return t.Image(26, 24);
}

ImageBlitter Marque(bool verrou) {
    Toile t(12, 12);
    if (verrou) {
        t.Rectangle(2, 5, 8, 7, Rvb(24, 20, 6));
        t.Trait(4, 5, 4, 2, 1.5, Rvb(20, 20, 20));
        t.Trait(8, 5, 8, 2, 1.5, Rvb(20, 20, 20));
        t.Trait(4, 2, 8, 2, 1.5, Rvb(20, 20, 20));
    } else {
        t.Trait(2, 6, 5, 10, 2.2, Rvb(6, 28, 6));
        t.Trait(5, 10, 10, 2, 2.2, Rvb(6, 28, 6));
    }
    t.Contour(Rvb(2, 2, 2));
    return t.Image(14, 14);
}

// The regiment token: a banner that waves (13 frames), a shield (plain, dark) and the selection ring.
std::vector<ImageBlitter> Banniere() {
    std::vector<ImageBlitter> images;
    for (int i = 0; i < 13; ++i) {
        Toile t(20, 26);
        t.Rectangle(2, 0, 2, 26, Rvb(10, 7, 3));
        const double o = std::sin(i * 2 * 3.14159 / 13) * 2;
        t.Polygone({{4.0, 1.0}, {18.0, 3.0 + o}, {18.0, 13.0 + o}, {4.0, 12.0}}, [](double, double) { return Rvb(26, 4, 4); });
        t.Contour(Rvb(2, 2, 2));
        images.push_back(t.Image(18, 17));
    }
    return images;
}
std::vector<ImageBlitter> Bouclier() {
    std::vector<ImageBlitter> images;
    for (int i = 0; i < 2; ++i) {
        Toile t(12, 14);
        t.Polygone({{0.0, 0.0}, {12.0, 0.0}, {12.0, 7.0}, {6.0, 14.0}, {0.0, 7.0}},
                   [=](double, double) { return i == 0 ? Rvb(24, 22, 10) : Rvb(10, 10, 10); });
        t.Contour(Rvb(2, 2, 2));
        images.push_back(t.Image(10, 6));
    }
    return images;
}
ImageBlitter Anneau() {
    Toile t(26, 14);
    t.Forme([](double x, double y) {
                const double d = (x - 13) * (x - 13) / 144 + (y - 7) * (y - 7) / 36;
                return d < 1 && d > 0.55;
            },
            [](double, double) { return Rvb(28, 28, 8); });
    return t.Image(20, 0);
}

// The panel's pieces: slots, terrain icons, digits, action icons, plates and signs.
std::vector<ImageBlitter> Cases() {
    std::vector<ImageBlitter> images;
    for (int f = 0; f < 5; ++f) {
        Toile t(f == 0 ? 44 : 8, f == 0 ? 20 : 10);
        if (f == 0) {
            t.Rectangle(0, 0, 44, 20, Rvb(12, 9, 5));
            t.Rectangle(1, 1, 42, 18, Rvb(5, 4, 3));
        } else {
            t.Rectangle(0, 0, 8, 10, f == 3 ? Rvb(26, 22, 8) : Rvb(6, 5, 4));
        }
        images.push_back(t.Image());
    }
    return images;
}
std::vector<ImageBlitter> IconesTerrain() {
    const int32_t c[4] = {Rvb(12, 22, 8), Rvb(8, 14, 28), Rvb(4, 14, 4), Rvb(18, 18, 18)};
    std::vector<ImageBlitter> images;
    for (int k = 0; k < 4; ++k) {
        Toile t(14, 14);
        t.Disque(7, 7, 6, c[k]);
        images.push_back(t.Image());
    }
    return images;
}
std::vector<ImageBlitter> ChiffresPanneau() {
    static const char* const SEGMENTS[10] = {"1110111", "0010010", "1011101", "1011011", "0111010",
                                             "1101011", "1101111", "1010010", "1111111", "1111011"};
    std::vector<ImageBlitter> images;
    for (int n = 0; n < 10; ++n) {
        Toile t(7, 10);
        const char* s = SEGMENTS[n];
        const int32_t v = Rvb(4, 3, 1);
        if (s[0] == '1') t.Rectangle(1, 0, 5, 1, v);
        if (s[1] == '1') t.Rectangle(0, 1, 1, 4, v);
        if (s[2] == '1') t.Rectangle(6, 1, 1, 4, v);
        if (s[3] == '1') t.Rectangle(1, 4, 5, 1, v);
        if (s[4] == '1') t.Rectangle(0, 5, 1, 4, v);
        if (s[5] == '1') t.Rectangle(6, 5, 1, 4, v);
        if (s[6] == '1') t.Rectangle(1, 9, 5, 1, v);
        images.push_back(t.Image());
    }
    return images;
}
std::vector<ImageBlitter> Plaques() {
    std::vector<ImageBlitter> images;
    for (int f = 0; f < 10; ++f) {
        const int l = f == 6 ? 360 : f == 9 ? 4 : 18, h = f == 6 ? 22 : 20;
        Toile t(l, h);
        t.Rectangle(0, 0, l, h, Rvb(12, 9, 5));
        if (l > 4) t.Rectangle(1, 1, l - 2, h - 2, Rvb(6, 4, 2));
        images.push_back(t.Image());
    }
    return images;
}

bool FabriquerRegions(const std::string& racine) {
    bool ok = true;
    const fs::path r(racine);
    bool cartes[10] = {};
    for (const Description& d : Descriptions()) {
        const Grilles g = Generer(d.numero, d.sites);
        const fs::path region = r / "Campagnes" / DOSSIERS[d.campagne] / ("Region" + std::to_string(d.numero));
        ok &= Ecrire(region / "Region.txt", FichierRegion(g));
        ok &= Ecrire(region / "Region.mv", NiveauRegion(r));
        ok &= Ecrire(region / "Region.VBat", ConditionsRegion(r, d.campagne == 0));
        ok &= Ecrire(region / "region.Vreg", d.victoire ? d.victoire : Fin(DOSSIERS[d.campagne]));
        ok &= Ecrire(region / "Ennemis.txt", FichierEnnemis(Ennemis(d), d.campagne));
        // Each site with a battle of its own has its level.
        for (const Site& s : d.sites)
            if (s.lock != 2) {
                ok &= Ecrire(region / (std::string(s.nom) + ".mv"), Niveaux__Lieu(s.nom));
                ok &= Ecrire(region / (std::string(s.nom) + ".VBat"), Niveaux__ConditionsLieu(s.nom));
            }
        ok &= Ecrire(r / "Texte" / DOSSIERS[d.campagne] / ("Region" + std::to_string(d.numero)) / "Uniques.txt", FichierLieux(d.sites));
        if (!cartes[d.numero]) {
            cartes[d.numero] = true;
            ok &= Carte(racine, d.numero, g);
        }
    }
    ok &= CarteEmpire(racine);
    const int32_t couleurs[5] = {0, Rvb(20, 4, 24), Rvb(28, 28, 28), Rvb(28, 4, 4), Rvb(30, 26, 6)};
    const int objets[5] = {0, 1369, 1367, 1370, 1368};
    for (int c = 1; c <= 4; ++c) ok &= Sprite_Ecrire(racine, "region/drapeaux_" + std::to_string(objets[c]), Drapeaux(c, couleurs[c]));
    ok &= Sprite_Ecrire(racine, "region/fond", Fond());
    ok &= Sprite_Ecrire(racine, "region/boutons", Boutons());
    for (int n : {699, 702, 703, 705, 706, 707, 708, 709, 710, 843, 844})
        ok &= Sprite_Ecrire(racine, "region/lieu_" + std::to_string(n), {LieuImage(n)});
    ok &= Sprite_Ecrire(racine, "region/visite", {Marque(false)});
    ok &= Sprite_Ecrire(racine, "region/verrou", {Marque(true)});
    ok &= Sprite_Ecrire(racine, "region/banniere", Banniere());
    ok &= Sprite_Ecrire(racine, "region/bouclier", Bouclier());
    ok &= Sprite_Ecrire(racine, "region/anneau", {Anneau()});
    ok &= Sprite_Ecrire(racine, "region/cases", Cases());
    ok &= Sprite_Ecrire(racine, "region/terrains", IconesTerrain());
    ok &= Sprite_Ecrire(racine, "region/chiffres", ChiffresPanneau());
    ok &= Sprite_Ecrire(racine, "region/actions", IconesTerrain());
    ok &= Sprite_Ecrire(racine, "region/plaques", Plaques());
    ok &= Sprite_Ecrire(racine, "region/lueur", {Cases()[0]});
    return ok;
}

}  // namespace

FABRIQUE_ETAPE("regions", FabriquerRegions);
