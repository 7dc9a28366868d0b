// Per-frame cost of the terrain: the light grid and 13 x 10 lit squares at 640 x 480, each with an
// overlay on one square in three, lighting off and on.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "scene/meteo.h"
#include "scene/palettes.h"
#include "scene/terrain.h"
#include "shell/trame.h"
#include "world/grilles.h"
#include "world/niveau.h"
#include "world/univers.h"

namespace {

void PreparerTerrain() {
    static bool fait = false;
    if (fait) return;
    static std::vector<uint16_t> tampon(640 * 480);
    static std::vector<uint8_t> palette(768), banque(676 * 2304);
    for (size_t i = 0; i < palette.size(); ++i) palette[i] = static_cast<uint8_t>(i * 37);
    for (size_t i = 0; i < banque.size(); ++i) banque[i] = static_cast<uint8_t>(i * 13 % 251);
    EcranTampon = tampon.data();
    Ecran__Geometrie(640, 480);
    TerrainTableOmbrage = TableCouleurs__Creation2(palette.data());
    TerrainTuiles = banque.data();
    TerrainNombreTuiles = 676;
    Univers__AlloueGrilles();
    GrilleMatieres.fill('H');
    std::vector<int32_t> e;
    for (int l = 0; l < LIGNES_TUILES; ++l) {
        DebutLigne[l] = static_cast<int32_t>(e.size());
        for (int c = 0; c < LIGNES_TUILES; ++c) {
            e.push_back(24 + (c + l) % 50);
            if ((c + l) % 3 == 0) e.push_back(-(1 + c % 20));
        }
    }
    TableDebutLigne = new int32_t[e.size()];
    std::copy(e.begin(), e.end(), TableDebutLigne);
    NombreEntreesTuiles = static_cast<int32_t>(e.size());
    RepereX = 40;
    RepereY = 40;
    SourisX = 300;
    SourisY = 200;
    IntensiteLumineuse = 20;
    fait = true;
}

void BM_TerrainAffichage(benchmark::State& state) {
    PreparerTerrain();
    LumiereActive = static_cast<int32_t>(state.range(0));
    for (auto _ : state) Terrain__Affichage();
    LumiereActive = 0;
}
BENCHMARK(BM_TerrainAffichage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
