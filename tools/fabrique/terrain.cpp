// The terrain set of the castle and battle scenes: "spredit/moteur/matiere1.pal" (256 colours) and
// "spredit/moteur/matiere1.spr" (676 raw tiles of 48 x 48 palette indices). The palette holds eight
// materials of 32 shades each (index material * 32 + shade; index 0 stays the transparent black).
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fabrique.h"

namespace {

enum Materiau { Herbe, Terre, Roche, Sable, Neige, EauClaire, EauProfonde, Lave, NombreMateriaux };

constexpr int TUILES = 676;
constexpr int COTE = 48;

// Each material's colour at its brightest shade.
constexpr uint8_t Couleurs[NombreMateriaux][3] = {
    {84, 160, 60}, {150, 104, 62}, {140, 140, 134}, {222, 200, 130},
    {236, 240, 250}, {70, 160, 200}, {30, 70, 160}, {250, 90, 20},
};


// The material of tile n and whether its pixels cover only part of it (the tiles drawn with index
// 0 transparent hold patches and edges).
struct Genre { Materiau materiau; bool partiel; };

Genre GenreTuile(int n) {
    if (n <= 5) return {Herbe, false};                 // the plain ground of the sample levels
    if (n <= 23) return {n % 2 ? Roche : Terre, true};
    if (n <= 75) return {static_cast<Materiau>(Terre + (n - 24) / 13), false};
    if (n <= 80) return {Neige, true};
    if (n <= 82) return {EauClaire, false};
    if (n <= 93) return {Sable, true};
    if (n <= 97) return {EauProfonde, false};          // never drawn: the liquids show there
    if (n <= 127) return {n % 3 ? Terre : Herbe, true};
    if (n <= 283) return {static_cast<Materiau>((n - 128) % 5), false};
    if (n <= 335) return {n % 2 ? Sable : Neige, true};
    if (n <= 387) return {n < 362 ? Lave : EauProfonde, false};
    return {n % 4 ? Herbe : Terre, false};
}

// A patch of tile n: a round blot or a diagonal half, by tile number.
bool DansMotif(int n, int x, int y) {
    switch (n % 4) {
        case 0: return (x - 24) * (x - 24) + (y - 24) * (y - 24) < 18 * 18;
        case 1: return x + y < COTE;
        case 2: return x > y;
        default: return y < COTE / 2 + static_cast<int>(BruitCase(x / 6, 0, n) % 8);
    }
}

std::vector<uint8_t> Palette() {
    std::vector<uint8_t> p(768, 0);
    for (int m = 0; m < NombreMateriaux; ++m)
        for (int k = 0; k < 32; ++k) {
            const int i = m * 32 + k;
            if (i == 0) continue;
            for (int c = 0; c < 3; ++c) p[i * 3 + c] = static_cast<uint8_t>(Couleurs[m][c] * (48 + k) / 79);
        }
    return p;
}

std::vector<uint8_t> Banque() {
    std::vector<uint8_t> b(static_cast<size_t>(TUILES) * COTE * COTE, 0);
    for (int n = 0; n < TUILES; ++n) {
        const Genre g = GenreTuile(n);
        for (int y = 0; y < COTE; ++y)
            for (int x = 0; x < COTE; ++x) {
                if (g.partiel && !DansMotif(n, x, y)) continue;
                // Grain of two sizes; the pixel and its neighbours wrap, so that tiles meet smoothly.
                const int grain = static_cast<int>(BruitCase(x, y, n) % 7) + static_cast<int>(BruitCase(x / 4, y / 4, n / 6) % 9);
                const int teinte = 14 + grain;   // 14..28
                b[(static_cast<size_t>(n) * COTE + y) * COTE + x] = static_cast<uint8_t>(g.materiau * 32 + teinte);
            }
    }
    return b;
}

bool Ecrire(const std::filesystem::path& chemin, const std::vector<uint8_t>& octets) {
    std::error_code e;
    std::filesystem::create_directories(chemin.parent_path(), e);
    FILE* f = std::fopen(chemin.string().c_str(), "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(octets.data(), 1, octets.size(), f) == octets.size();
    return std::fclose(f) == 0 && ok;
}

bool FabriquerTerrain(const std::string& racine) {
    const std::filesystem::path dossier = std::filesystem::path(racine) / "spredit" / "moteur";
    return Ecrire(dossier / "matiere1.pal", Palette()) && Ecrire(dossier / "matiere1.spr", Banque());
}

}  // namespace

uint32_t BruitCase(uint32_t x, uint32_t y, uint32_t graine) {
    uint32_t h = x * 374761393u + y * 668265263u + graine * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

double BruitLisse(double x, double y, double pas, uint32_t graine) {
    const double fx = x / pas, fy = y / pas;
    const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    const double tx = fx - ix, ty = fy - iy;
    auto v = [&](int a, int b) {
        return (BruitCase(static_cast<uint32_t>(a + 1000), static_cast<uint32_t>(b + 1000), graine) % 1000) / 999.0;
    };
    const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
    return (v(ix, iy) * (1 - sx) + v(ix + 1, iy) * sx) * (1 - sy) + (v(ix, iy + 1) * (1 - sx) + v(ix + 1, iy + 1) * sx) * sy;
}

FABRIQUE_ETAPE("terrain", FabriquerTerrain);
