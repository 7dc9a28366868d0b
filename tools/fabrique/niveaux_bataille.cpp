// The battle levels a campaign's region battles are fought on: nine variants of each terrain
// ("niveau/plaine/plaine001.mv" ... "niveau/riviere/riviere009.mv"), the fort variants
// ("niveau/fort/plaine/plaine001..003.mv", and 001 of the forest, the mountain and the river), the
// default level "niveau/niveau1.mv", each with its conditions, and the generic conditions of the
// enemy regiments' battles "niveau/Generique.Vbat". Also the unique sites' own levels (written by
// the regions' step through Niveaux__Lieu). Each level is drawn from its own seed out of a few
// layouts: open field, forest, hills, a river with fords, a fort with walls and a gate.
#include "niveaux_bataille.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fabrique.h"

namespace {

namespace fs = std::filesystem;

constexpr int CASES = 128;     // cells per side
constexpr int CARRES = 64;     // 48-pixel squares per side, 2 x 2 cells each
constexpr int ALTITUDES = 32;  // one altitude per 4 x 4 cells

// Materials of the cells (the letters of [MATIERES]) and the bank tiles drawn for them.
enum Sol : char { Herbe = 'H', Terre = 'T', Pierre = 'P', Sable = 'S', Eau = 'E', Mur = 'I' };

constexpr int MAITRE_ARBRE = 131, MAITRE_ROCHER = 150, CODE_SOLDAT = 20, CODE_ARCHER = 13;

// Where the armies enter (the nine sides' anchors): kept clear of trees, rocks, water and walls.
constexpr int ANCRES[9][2] = {{64, 127}, {0, 127}, {0, 64}, {0, 0}, {64, 0}, {127, 0}, {127, 64}, {127, 127}, {64, 64}};

struct Niveau {
    std::array<char, CARRES * CARRES> sol;   // the material of each square
    std::array<int, ALTITUDES * ALTITUDES> altitude{};
    std::vector<std::array<int, 4>> objets, arbres;
    std::vector<std::array<int, 7>> unites;
    std::vector<bool> pris = std::vector<bool>(CASES * CASES, false);   // cells a tree or a rock stands on
    uint32_t graine;

    explicit Niveau(uint32_t g) : graine(g) { sol.fill(Herbe); }

    char& Carre(int cx, int cy) { return sol[static_cast<size_t>(cy * CARRES + cx)]; }
    char SolCase(int x, int y) const { return sol[static_cast<size_t>((y / 2) * CARRES + x / 2)]; }

    // A cell that must stay open: near an anchor or on a wall, water or a taken cell.
    bool Libre(int x, int y, int marge) const {
        if (x < 3 || y < 3 || x > CASES - 4 || y > CASES - 4) return false;
        for (const auto& a : ANCRES)
            if (std::abs(a[0] - x) < 14 && std::abs(a[1] - y) < 14) return false;
        for (int j = y - marge; j <= y + marge; ++j)
            for (int i = x - marge; i <= x + marge; ++i) {
                if (i < 0 || j < 0 || i >= CASES || j >= CASES) return false;
                if (pris[static_cast<size_t>(j * CASES + i)]) return false;
                const char s = SolCase(i, j);
                if (s == Eau || s == Mur) return false;
            }
        return true;
    }
    void Poser(std::vector<std::array<int, 4>>& liste, int maitre, int x, int y, int d) {
        liste.push_back({maitre, x, y, d});
        for (int j = y - 1; j <= y + 1; ++j)
            for (int i = x - 1; i <= x + 1; ++i)
                if (i >= 0 && j >= 0 && i < CASES && j < CASES) pris[static_cast<size_t>(j * CASES + i)] = true;
    }
    void Arbre(int x, int y) {
        if (Libre(x, y, 1)) Poser(arbres, MAITRE_ARBRE, x, y, 0);
    }
    void Rocher(int x, int y) {
        if (Libre(x, y, 1)) Poser(objets, MAITRE_ROCHER, x, y, static_cast<int>(BruitCase(x, y, graine) % 2));
    }
};

// Scattered rocks and lone trees on any field.
void Parsemer(Niveau& n, int rochers, int arbres) {
    for (int i = 0; i < rochers; ++i)
        n.Rocher(static_cast<int>(BruitCase(i, 1, n.graine) % CASES), static_cast<int>(BruitCase(i, 2, n.graine) % CASES));
    for (int i = 0; i < arbres; ++i)
        n.Arbre(static_cast<int>(BruitCase(i, 3, n.graine) % CASES), static_cast<int>(BruitCase(i, 4, n.graine) % CASES));
}

// Open field: grass with patches of bare earth and a track across.
void Plaine(Niveau& n) {
    for (int cy = 0; cy < CARRES; ++cy)
        for (int cx = 0; cx < CARRES; ++cx)
            if (BruitLisse(cx, cy, 7, n.graine + 11) > 0.8) n.Carre(cx, cy) = Terre;
    const int y0 = 10 + static_cast<int>(n.graine % 44);
    double y = y0;
    for (int cx = 0; cx < CARRES; ++cx) {
        y += (BruitLisse(cx, 0, 6, n.graine + 5) - 0.5) * 1.4;
        y = std::clamp(y, 4.0, CARRES - 5.0);
        n.Carre(cx, static_cast<int>(y)) = Terre;
    }
    Parsemer(n, 10, 12);
}

// Forest: dense woods in clusters, clearings round the entries, earth under the trees.
void Foret(Niveau& n) {
    for (int cy = 0; cy < CARRES; ++cy)
        for (int cx = 0; cx < CARRES; ++cx)
            if (BruitLisse(cx, cy, 6, n.graine + 21) > 0.55) n.Carre(cx, cy) = Terre;
    for (int y = 4; y < CASES - 4; y += 3)
        for (int x = 4; x < CASES - 4; x += 3) {
            const int jx = x + static_cast<int>(BruitCase(x, y, n.graine) % 3) - 1;
            const int jy = y + static_cast<int>(BruitCase(y, x, n.graine) % 3) - 1;
            if (BruitLisse(x / 2.0, y / 2.0, 6, n.graine + 21) > 0.5) n.Arbre(jx, jy);
        }
    Parsemer(n, 4, 0);
}

// Hills: raised ground in three levels, rock on the tops and boulders on the slopes.
void Collines(Niveau& n) {
    for (int ay = 0; ay < ALTITUDES; ++ay)
        for (int ax = 0; ax < ALTITUDES; ++ax) {
            const double h = BruitLisse(ax, ay, 5, n.graine + 31);
            n.altitude[static_cast<size_t>(ay * ALTITUDES + ax)] = h > 0.75 ? 3 : h > 0.6 ? 2 : h > 0.45 ? 1 : 0;
        }
    for (int cy = 0; cy < CARRES; ++cy)
        for (int cx = 0; cx < CARRES; ++cx) {
            const int h = n.altitude[static_cast<size_t>((cy / 2) * ALTITUDES + cx / 2)];
            if (h == 3) n.Carre(cx, cy) = Pierre;
            else if (h == 2 && BruitCase(cx, cy, n.graine) % 3 == 0) n.Carre(cx, cy) = Terre;
        }
    for (int i = 0; i < 40; ++i) {
        const int x = static_cast<int>(BruitCase(i, 7, n.graine) % CASES), y = static_cast<int>(BruitCase(i, 8, n.graine) % CASES);
        if (n.altitude[static_cast<size_t>((y / 4) * ALTITUDES + x / 4)] >= 2) n.Rocher(x, y);
    }
    Parsemer(n, 0, 6);
}

// A river from north to south between the centre and the east edge, sandy banks, three fords.
void Riviere(Niveau& n) {
    double x = 44 + n.graine % 6;   // in squares: cells 88..110
    const int gues[3] = {8 + static_cast<int>(n.graine % 5), 30 + static_cast<int>(n.graine % 4), 50 + static_cast<int>(n.graine % 6)};
    for (int cy = 0; cy < CARRES; ++cy) {
        x += (BruitLisse(0, cy, 5, n.graine + 41) - 0.5) * 1.2;
        x = std::clamp(x, 44.0, 53.0);
        const int c = static_cast<int>(x);
        const bool gue = std::any_of(std::begin(gues), std::end(gues), [&](int g) { return std::abs(g - cy) <= 1; });
        for (int dx = -2; dx <= 3; ++dx) n.Carre(c + dx, cy) = dx == -2 || dx == 3 || gue ? Sable : Eau;
    }
    Parsemer(n, 6, 10);
}

// A fort round the centre: walls two cells thick, a gate in the south wall, a paved yard.
void Fort(Niveau& n) {
    constexpr int G = 22, D = 41;   // squares 22..41: cells 44..83
    for (int cy = G; cy <= D; ++cy)
        for (int cx = G; cx <= D; ++cx) {
            const bool bord = cx == G || cx == D || cy == G || cy == D;
            const bool porte = cy == D && (cx == 31 || cx == 32);
            n.Carre(cx, cy) = bord && !porte ? Mur : porte ? Terre : Pierre;
        }
    // The road from the gate.
    for (int cy = D + 1; cy < CARRES; ++cy) {
        n.Carre(31, cy) = Terre;
        n.Carre(32, cy) = Terre;
    }
}

// The tiles: a base tile per square by its material (a few variants each), a tuft over some grass.
std::string Tuiles(const Niveau& n) {
    std::vector<std::vector<int>> lignes(CARRES);
    int total = 0;
    for (int cy = 0; cy < CARRES; ++cy)
        for (int cx = 0; cx < CARRES; ++cx) {
            const uint32_t b = BruitCase(cx, cy, n.graine + 97);
            std::vector<int>& l = lignes[static_cast<size_t>(cy)];
            switch (n.sol[static_cast<size_t>(cy * CARRES + cx)]) {
                case Terre: l.push_back(24 + static_cast<int>(b % 13)); break;
                case Pierre: l.push_back(37 + static_cast<int>(b % 13)); break;
                case Mur: l.push_back(37 + static_cast<int>(b % 4)); break;
                case Sable: l.push_back(50 + static_cast<int>(b % 13)); break;
                case Eau: l.push_back(94 + static_cast<int>(b % 4)); break;
                default:
                    l.push_back(1 + static_cast<int>(b % 5));
                    // Now and then a tuft of the grass's own partial tiles.
                    if (b % 7 == 0) l.push_back(-(99 + 3 * static_cast<int>((b >> 8) % 10)));
                    break;
            }
        }
    for (const auto& l : lignes) total += static_cast<int>(l.size());
    std::ostringstream s;
    s << "0 0 TERRAIN " << total << '\n';
    int debut = 0;
    for (const auto& l : lignes) {
        s << debut << '\n';
        for (size_t i = 0; i < l.size(); ++i) s << l[i] << (i + 1 == l.size() || (i + 1) % 32 == 0 ? '\n' : ' ');
        debut += static_cast<int>(l.size());
    }
    return s.str();
}

std::string Texte(const Niveau& n) {
    std::ostringstream s;
    s << Tuiles(n) << "\n[MATIERES]\n";
    for (int y = 0; y < CASES; ++y) {
        for (int x = 0; x < CASES; ++x) s << n.SolCase(x, y);
        s << '\n';
    }
    s << "\n[ALTITUDE]\n";
    for (int y = 0; y < ALTITUDES; ++y) {
        for (int x = 0; x < ALTITUDES; ++x) s << n.altitude[static_cast<size_t>(y * ALTITUDES + x)] << (x + 1 < ALTITUDES ? " " : "\n");
    }
    s << "\n[BATIMENTS]\n0\n\n[OBJETS]\n" << n.objets.size() << '\n';
    for (const auto& o : n.objets) s << o[0] << ' ' << o[1] << ' ' << o[2] << ' ' << o[3] << '\n';
    s << "\n[ARBRES]\n" << n.arbres.size() << '\n';
    for (const auto& o : n.arbres) s << o[0] << ' ' << o[1] << ' ' << o[2] << ' ' << o[3] << '\n';
    s << "\n[UNITES]\n" << n.unites.size() << '\n';
    for (const auto& u : n.unites) s << u[0] << ' ' << u[1] << ' ' << u[2] << ' ' << u[3] << ' ' << u[4] << ' ' << u[5] << ' ' << u[6] << '\n';
    return s.str();
}

enum class Genre { Plaine, Foret, Collines, Riviere };

Niveau Fabriquer(Genre genre, bool fort, uint32_t graine) {
    Niveau n(graine);
    // The fort's walls first: nothing grows on them.
    if (fort) Fort(n);
    switch (genre) {
        case Genre::Plaine: Plaine(n); break;
        case Genre::Foret: Foret(n); break;
        case Genre::Collines: Collines(n); break;
        case Genre::Riviere: Riviere(n); break;
    }
    if (fort) Fort(n);   // and again over what the terrain laid on them
    return n;
}

// The conditions of a battle: won when no enemy is left, lost when no friend is.
std::string Conditions(const char* titre, int gains) {
    std::ostringstream s;
    s << "// " << titre << "\n[IA_DECLENCHEMENT]\n5\n";
    const char* table = "0 1 1 1 0\n1 0 1 1 0\n1 1 0 1 0\n1 1 1 0 0\n0 0 0 0 0\n";
    s << "[ATTAQUE_NEUTRE]\n" << table << "[CIBLAGE_NEUTRE]\n" << table << "[CIBLES_FAVORITES]\n" << table;
    s << "[PRESENCE]\nHEROS 0\nSORNET 0\nVOSKAL 0\nLEADER3 0\nLEADER4 0\nLEADER5 0\nLEADER6 0\nLEADER7 0\nLEADER8 0\n";
    s << "[TEXTE]\n0\n[VICTOIRE]\n1\nPLUS_NMI -\n[DEFAITE]\n1\nPLUS_AMI -\n[EVENEMENTS]\n1\n-\n";
    s << "[CONSEQUENCESVICTOIRE]\n1\nGAINS_OR " << gains << "\n[CONSEQUENCESDEFAITE]\n1\nPERTES_OR 100\n";
    s << "[EVENEMENTS_AVANT_BATAILLE]\n0\n[OUVERTURE_PORTE]\n0\n";
    return s.str();
}

bool Ecrire(const fs::path& chemin, const std::string& texte) {
    std::error_code e;
    fs::create_directories(chemin.parent_path(), e);
    std::ofstream f(chemin, std::ios::binary);
    f << texte;
    return static_cast<bool>(f);
}

uint32_t GraineNom(const std::string& nom) {
    uint32_t h = 2166136261u;
    for (unsigned char c : nom) h = (h ^ c) * 16777619u;
    return h;
}

bool FabriquerNiveaux(const std::string& racine) {
    const fs::path niveau = fs::path(racine) / "niveau";
    static const char* const NOMS[4] = {"plaine", "foret", "montagne", "riviere"};
    static const Genre GENRES[4] = {Genre::Plaine, Genre::Foret, Genre::Collines, Genre::Riviere};
    bool ok = true;
    for (int t = 0; t < 4; ++t) {
        for (int v = 1; v <= 9; ++v) {
            const std::string nom = std::string(NOMS[t]) + "00" + std::to_string(v);
            ok &= Ecrire(niveau / NOMS[t] / (nom + ".mv"), Texte(Fabriquer(GENRES[t], false, 1000u * (t + 1) + v)));
            ok &= Ecrire(niveau / NOMS[t] / (nom + ".VBat"), Conditions(nom.c_str(), 200));
        }
        for (int v = 1; v <= (t == 0 ? 3 : 1); ++v) {
            const std::string nom = std::string(NOMS[t]) + "00" + std::to_string(v);
            ok &= Ecrire(niveau / "fort" / NOMS[t] / (nom + ".mv"), Texte(Fabriquer(GENRES[t], true, 5000u * (t + 1) + v)));
            ok &= Ecrire(niveau / "fort" / NOMS[t] / (nom + ".VBat"), Conditions(("fort " + nom).c_str(), 300));
        }
    }
    ok &= Ecrire(niveau / "niveau1.mv", Texte(Fabriquer(Genre::Plaine, false, 1)));
    ok &= Ecrire(niveau / "niveau1.VBat", Conditions("niveau par defaut", 200));
    ok &= Ecrire(niveau / "Generique.Vbat", Conditions("bataille contre un regiment ennemi", 200));
    return ok;
}

}  // namespace

std::string Niveaux__Lieu(const std::string& nom) {
    const uint32_t graine = GraineNom(nom);
    Niveau n = nom == "Chateau"     ? Fabriquer(Genre::Collines, true, graine)
               : nom == "Cimetiere" ? Fabriquer(Genre::Foret, false, graine)
               : nom == "Village"   ? Fabriquer(Genre::Riviere, false, graine)
                                    : Fabriquer(Genre::Plaine, false, graine);
    // The defenders a few cells east of the centre, where the regiments arrive: a few archers
    // (army 2 of the file), with soldiers at the castle.
    n.unites.push_back({CODE_ARCHER, 72, 62, 6, 2, 0, 1});
    if (nom == "Chateau") n.unites.push_back({CODE_SOLDAT, 70, 50, 4, 2, 0, 2});
    return Texte(n);
}

std::string Niveaux__ConditionsLieu(const std::string& nom) { return Conditions(nom.c_str(), 300); }

FABRIQUE_ETAPE("niveaux_bataille", FabriquerNiveaux);
