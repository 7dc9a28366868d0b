// Per-frame costs of presentation and terrain drawing.
#include <benchmark/benchmark.h>

#include <vector>

#include "foundation/ecran.h"
#include "foundation/fenetre.h"
#include "foundation/polices.h"
#include "foundation/tuiles.h"

namespace {

void Preparer() {
    static bool fait = false;
    if (fait) return;
    Plateforme_Initialiser(OptionsPlateforme{});
    Fenetre_Creation(nullptr);
    Polices_Creation(nullptr);
    ApplicationActive = 1;
    fait = true;
}

void BM_AffichageAvecFondu(benchmark::State& state) {
    Preparer();
    FonduNiveau = static_cast<int32_t>(state.range(0));
    for (auto _ : state) Ecran_Affichage();
    FonduNiveau = 0;
}
BENCHMARK(BM_AffichageAvecFondu)->Arg(0)->Arg(128);

void BM_TuileGouraud(benchmark::State& state) {
    Preparer();
    static std::vector<uint8_t> texels(48 * 48);
    static std::vector<uint16_t> ombrage(128 * 256);
    for (size_t i = 0; i < texels.size(); ++i) texels[i] = static_cast<uint8_t>(i * 7);
    for (size_t i = 0; i < ombrage.size(); ++i) ombrage[i] = static_cast<uint16_t>(i & 0x7FFF);
    TuileTexels = texels.data();
    TuileTableOmbrage = ombrage.data();
    TuileLargeurEcran = LargeurEcran;
    TuileIntensiteHautGauche = 10;
    TuileIntensiteHautDroite = 60;
    TuileIntensiteBasGauche = 90;
    TuileIntensiteBasDroite = 127;
    for (auto _ : state) {
        for (TuileY = 0; TuileY + 48 <= 480; TuileY += 48)
            for (TuileX = 0; TuileX + 48 <= 624; TuileX += 48) Tuile_AffichageGouraud();
    }
    state.SetItemsProcessed(state.iterations() * 130);
}
BENCHMARK(BM_TuileGouraud);

}  // namespace
