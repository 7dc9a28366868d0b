// The path planner on a crowded map with walls: plans per second, for single units on the base
// map and for 5 x 5 formations on the live map.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "battle/chemin.h"
#include "battle/occupation.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/objets.h"

namespace {

struct Trajet {
    int x0, y0, x1, y1;
};

uint32_t Graine = 2024;
int Hasard(int n) {
    Graine = Graine * 1103515245u + 12345u;
    return static_cast<int>((Graine >> 16) % static_cast<uint32_t>(n));
}

void Obstacle(int x0, int y0, int x1, int y1) {
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y)
            if (x >= 0 && x < 128 && y >= 0 && y < 128)
                CarteOccupationSolBase[x + 128 * y] = CarteOccupationSol[x + 128 * y] = OBSTACLE_FIXE;
}

bool Libre(int x, int y, int cote) {
    for (int i = x; i < x + cote; ++i)
        for (int j = y; j < y + cote; ++j)
            if (i > 127 || j > 127 || CarteOccupationSol[i + 128 * j]) return false;
    return true;
}

// Four long walls with gaps, rows of houses and about 900 cells of standing crowd.
const std::vector<Trajet>& Carte(int cote) {
    static bool faite = false;
    static std::vector<Trajet> trajets[2];
    if (!faite) {
        Univers__AlloueGrilles();
        Univers__AlloueCartes();
        for (int w = 0; w < 4; ++w) {
            const int x = 24 + 26 * w;
            Obstacle(x, 0, x, 127);
            for (int k = 0; k < 3; ++k) {
                const int y = 10 + Hasard(110);
                for (int j = y; j < y + 6; ++j) CarteOccupationSolBase[x + 128 * j] = CarteOccupationSol[x + 128 * j] = 0;
            }
        }
        for (int h = 0; h < 60; ++h) {
            const int x = Hasard(124), y = Hasard(124);
            Obstacle(x, y, x + 1 + Hasard(3), y + 1 + Hasard(3));
        }
        for (int c = 0; c < 900; ++c) {
            const int x = Hasard(128), y = Hasard(128);
            CarteOccupationSolBase[x + 128 * y] = CarteOccupationSol[x + 128 * y] = OBSTACLE_FIXE;
        }
        for (int t = 0; t < 2; ++t) {
            const int c = t == 0 ? 1 : 5;
            while (trajets[t].size() < 256) {
                Trajet p{Hasard(128), Hasard(128), Hasard(128), Hasard(128)};
                if (Libre(p.x0, p.y0, c) && Libre(p.x1, p.y1, c)) trajets[t].push_back(p);
            }
        }
        faite = true;
    }
    return trajets[cote == 1 ? 0 : 1];
}

void BM_PlanUnite(benchmark::State& state) {
    const auto& trajets = Carte(1);
    Objet& u = TableObjets[5];
    u.numeroObjet = 5;
    u.taille = 1;
    u.couche = 1;
    size_t i = 0;
    int64_t points = 0;
    for (auto _ : state) {
        const Trajet& p = trajets[i++ % trajets.size()];
        benchmark::DoNotOptimize(
            Trajet__Calcul(p.x0, p.y0, p.x1, p.y1, &TrajetLisseNombre, TrajetLisse, CarteOccupationSolBase, 5, -1));
        points += TrajetLisseNombre;
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["points"] = benchmark::Counter(static_cast<double>(points) / state.iterations());
}
BENCHMARK(BM_PlanUnite);

void BM_PlanFormation5x5(benchmark::State& state) {
    const auto& trajets = Carte(5);
    static NoeudEntier noeud{};
    static int32_t membres[2] = {6, 7};
    for (int n : {6, 7}) {
        TableObjets[n].numeroObjet = n;
        TableObjets[n].taille = 1;
        TableObjets[n].groupe = 2;
    }
    Groupe& g = TableGroupes[2];
    g.noeudListe = &noeud;
    g.membres = membres;
    g.nbMembres = 2;
    g.largeurFormation = g.hauteurFormation = 5;
    g.orientation = 3;
    g.groupeCibleIA = -1;
    size_t i = 0;
    for (auto _ : state) {
        const Trajet& p = trajets[i++ % trajets.size()];
        g.modeFormation = 4;
        g.enFuite = 0;
        benchmark::DoNotOptimize(
            Trajet__Calcul(p.x0, p.y0, p.x1, p.y1, &TrajetLisseNombre, TrajetLisse, CarteOccupationSol, 0, 2));
    }
    state.SetItemsProcessed(state.iterations());
    // The member array is this benchmark's own: the group gives it back before others use the table.
    g = Groupe{};
}
BENCHMARK(BM_PlanFormation5x5);

}  // namespace
