// Per-frame cost of the liquids and the lightning: one animation step of a liquid tile, and five
// bolts drawn at 640 x 480.
#include <benchmark/benchmark.h>

#include <vector>

#include "foundation/ecran.h"
#include "scene/eau.h"
#include "scene/eclairs.h"
#include "shell/trame.h"
#include "world/objets.h"
#include "world/univers.h"

namespace {

void BM_LiquideAnimation(benchmark::State& state) {
    SurfaceLiquide s;
    s.pasTexture = s.pasDeformation = 1;
    for (size_t i = 0; i < s.texture.size(); ++i) {
        s.texture[i] = static_cast<uint8_t>(i * 7 % 32);
        s.deformation[i] = static_cast<uint8_t>(i * 13 % 32);
    }
    for (auto _ : state) {
        Liquide__Animation(&s);
        benchmark::DoNotOptimize(s.tuile.data());
    }
}
BENCHMARK(BM_LiquideAnimation)->Unit(benchmark::kMicrosecond);

void BM_EclairAffichage(benchmark::State& state) {
    std::vector<uint16_t> tampon(640 * 480);
    EcranTampon = tampon.data();
    Ecran__Geometrie(640, 480);
    static NoeudEntier noeud;
    for (int i : {5, 6}) {
        TableObjets[i] = Objet{};
        TableObjets[i].noeudListe = &noeud;
    }
    TableObjets[5].x = 20;
    TableObjets[5].y = 15;
    for (int k = 0; k < 5; ++k) Eclair__Creation(40 + 100 * k, 30 + 20 * k, 4, 5, 6);
    for (auto _ : state) {
        Eclair__Affichage(ListeEclairs);
        benchmark::DoNotOptimize(tampon.data());
    }
    Eclair__Liberation();
    EcranTampon = nullptr;
}
BENCHMARK(BM_EclairAffichage)->Unit(benchmark::kMicrosecond);

}  // namespace
