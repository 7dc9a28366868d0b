// One whole scene frame (PlanObjet__RazAffiche + Scene__Affichage, no present) at 640 x 480 on the
// sample game assembled beside this program (game/): the sample battle's view over its armies, and
// the densest view: every free cell of the view given a soldier, four oaks and the barracks, with
// lighting on. The first frame of each is written as bench_<name>.png beside the program.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "campaign/region.h"
#include "foundation/ecran.h"
#include "foundation/objetsgfx.h"
#include "foundation/sprites.h"
#include "platform/affichage.h"
#include "platform/blitter.h"
#include "platform/hasard.h"
#include "platform/plateforme.h"
#include "scene/affichage.h"
#include "scene/plans.h"
#include "shell/routeur.h"
#include "shell/trame.h"
#include "world/grilles.h"
#include "world/maitres.h"
#include "world/objets.h"
#include "world/univers.h"

namespace {

std::filesystem::path Dossier() {
    char chemin[PATH_MAX] = {};
    const ssize_t n = readlink("/proc/self/exe", chemin, sizeof chemin - 1);
    return n > 0 ? std::filesystem::path(std::string(chemin, static_cast<size_t>(n))).parent_path()
                 : std::filesystem::current_path();
}

std::vector<uint16_t> Tampon(640 * 480);
bool Pret = false;

// The sample battle started from the game tree; false when there is none.
bool Demarrer() {
    static bool tente = false;
    if (tente) return Pret;
    tente = true;
    std::error_code e;
    std::filesystem::current_path(Dossier() / "game" / "bin", e);
    if (e) return false;
    OptionsPlateforme options;
    options.sansTete = true;
    if (!Plateforme_Initialiser(options)) return false;
    Hasard_Graine(1);
    CreationDeLalIsteDesObjetsGfx();
    if (Maitres__Liste__Creation() <= 0 || SprDll_Init(12, BLITTER_FORMAT_555, nullptr) != 0) return false;
    EcranTampon = Tampon.data();
    LargeurEcran = 640;
    HauteurEcran = 480;
    ModeSceneCourant = 2;
    ModeJeuCourant = -1;
    std::snprintf(NomNiveauBataille, sizeof NomNiveauBataille, "..\\niveau\\essai.mv");
    ChargeRegion();
    LumiereActive = 1;
    Pret = true;
    return true;
}

void Image() {
    PlanObjet__RazAffiche();
    Scene__Affichage();
}

void Mesurer(benchmark::State& state, const char* nom, int x, int y) {
    if (!Demarrer()) {
        state.SkipWithError("no sample game tree beside the program (build the arbre_jeu target)");
        return;
    }
    RepereX = x;
    RepereY = y;
    Image();
    Image_EcrirePng555((Dossier() / (std::string("bench_") + nom + ".png")).string(), Tampon.data(), 640, 480);
    for (auto _ : state) Image();
}

// The view over both armies of the sample battle.
void BM_SceneBataille(benchmark::State& state) { Mesurer(state, "bataille", 50, 38); }
BENCHMARK(BM_SceneBataille)->Unit(benchmark::kMillisecond);

// The same level with the view over the barracks filled: a soldier on every free cell.
void BM_SceneDense(benchmark::State& state) {
    if (!Demarrer()) {
        state.SkipWithError("no sample game tree beside the program (build the arbre_jeu target)");
        return;
    }
    static bool rempli = false;
    if (!rempli) {
        rempli = true;
        for (int y = 22; y < 22 + CasesVisiblesY; ++y)
            for (int x = 22; x < 22 + CasesVisiblesX; ++x)
                if (GrilleUnites[y * 128 + x] == 0 && NombreObjets < NOMBRE_OBJETS - 2)
                    ObjetNaissance(20, (x + y) % 2 ? 1 : 2, x, y, -1, (x * 3 + y) % 8);
    }
    Mesurer(state, "dense", 22, 22);
}
BENCHMARK(BM_SceneDense)->Unit(benchmark::kMillisecond);

}  // namespace
