// One movement frame of two armies of 1000 units in 80 groups of 25, half of them walking freely
// to their slots, half sliding as blocks: the group step, each unit's step and the per-frame
// cell entry, the way the group tick drives them.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "battle/chemin.h"
#include "battle/deplacement.h"
#include "battle/formations.h"
#include "battle/occupation.h"
#include "battle/ordres.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/objets.h"

namespace {

constexpr int GROUPES = 80, COTE = 5;
// The object table holds 1999 units (slot 0 is never used): the last group has one member less.
constexpr int UNITES = std::min(GROUPES * COTE * COTE, NOMBRE_OBJETS - 1);
NoeudEntier Noeud{};
PointTrajet Tampons[GROUPES + 1][POINTS_TRAJET_GROUPE];

// Two armies face to face, a wall with three gaps between them; every group ordered across.
void Monde() {
    Univers__LibereCartes();
    Univers__LibereGrilles();
    Univers__AlloueGrilles();
    Univers__AlloueCartes();
    for (int y = 0; y < 128; ++y)
        if (y % 40 > 8) GrilleUnites[64 + 128 * y] = 1;   // 1 marks impassable cells
    int n = 1;
    for (int g = 1; g <= GROUPES; ++g) {
        const int armee = g <= GROUPES / 2 ? 0 : 1, k = (g - 1) % (GROUPES / 2);
        const int x0 = (armee == 0 ? 2 : 88) + 7 * (k % 5), y0 = 2 + 15 * (k / 5);
        Groupe& gr = TableGroupes[g];
        delete[] gr.membres;
        gr = Groupe{};
        gr.indice = g;
        gr.noeudListe = &Noeud;
        gr.capacite = COTE * COTE;
        gr.membres = new int32_t[gr.capacite];
        gr.nbMembres = std::min(COTE * COTE, UNITES + 1 - n);
        gr.colonnes = gr.lignes = COTE;
        gr.modeFormation = gr.modeFormationMaitre = g % 2 ? 1 : 4;
        gr.groupeCibleIA = gr.groupeCibleIAPropose = -1;
        gr.tampon = Tampons[g];
        for (int i = 0; i < gr.nbMembres; ++i, ++n) {
            Objet__LibereTrajet(n);
            Objet& o = TableObjets[n];
            o = Objet{};
            o.numeroObjet = n;
            o.actif = 1;
            o.taille = 1;
            o.couche = 1;
            o.armee = armee;
            o.vitesse = 4;
            o.groupe = g;
            o.ordreSecondaire = 2;
            o.empreinteUnites = -1;
            o.x = o.prochaineCaseX = x0 + i % COTE;
            o.y = o.prochaineCaseY = y0 + i / COTE;
            GrilleUnites[o.x + 128 * o.y] = n;
            Objet__AlloueTrajet(n);
            o.vitesse = 4;
            gr.membres[i] = n;
        }
    }
    Occupation__Reconstruit();
    for (int g = 1; g <= GROUPES; ++g) Groupe__Initialise(g);
    for (int g = 1; g <= GROUPES; ++g) {
        const Objet& o = TableObjets[TableGroupes[g].membres[0]];
        Groupe__OrdreDeplacement(g, 127 - o.x - 4, o.y + 2);
    }
}

void Image() {
    Occupation__Reconstruit();
    for (int g = 1; g <= GROUPES; ++g) {
        Groupe& gr = TableGroupes[g];
        for (int i = 0; i < gr.nbMembres; ++i) {
            Objet& o = TableObjets[gr.membres[i]];
            Occupation__Pose(1, 1, o.prochaineCaseX, o.prochaineCaseY, CarteOccupationSol, gr.membres[i]);
            o.attenteCase = 0;
        }
    }
    for (int g = 1; g <= GROUPES; ++g) {
        Groupe& gr = TableGroupes[g];
        const int avant = gr.pointCourant;
        Groupe__SuitTrajet(g);
        for (int i = 0; i < gr.nbMembres; ++i) {
            if (gr.modeFormation == 4) {
                if (gr.pointCourant != avant && Unite__Glisse(gr.membres[i], g) != 0) break;
            } else {
                Formation__PasUnite(gr.membres[i], g);
                Unite__DeplacementRappel(gr.membres[i], g);
            }
        }
    }
    GroupesGeres = 1;
    for (int n = 1; n <= UNITES; ++n) {
        ObjetCourant = &TableObjets[n];
        Objet__Deplacement();
    }
    ObjetCourant = nullptr;
}

// Each measured frame starts from the same world, a few frames into the march.
void BM_ImageDeplacement(benchmark::State& etat) {
    int entrees = 0;
    for (auto _ : etat) {
        etat.PauseTiming();
        Monde();
        for (int t = 0; t < 6; ++t) Image();
        std::vector<int32_t> avant(UNITES + 1);
        for (int n = 1; n <= UNITES; ++n) avant[n] = TableObjets[n].x + 128 * TableObjets[n].y;
        etat.ResumeTiming();
        Image();
        etat.PauseTiming();
        entrees = 0;
        for (int n = 1; n <= UNITES; ++n) entrees += avant[n] != TableObjets[n].x + 128 * TableObjets[n].y;
        etat.ResumeTiming();
    }
    etat.counters["unites"] = UNITES;
    etat.counters["changements_case"] = entrees;   // units that entered a new cell in the frame
}
BENCHMARK(BM_ImageDeplacement)->Unit(benchmark::kMillisecond);

}  // namespace
