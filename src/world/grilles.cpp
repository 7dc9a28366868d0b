#include "world/grilles.h"

#include "world/objets.h"

int32_t* GrilleAir = nullptr;
int32_t* GrilleUnites = nullptr;
int32_t* GrilleSol = nullptr;
int32_t* PointeurCase = nullptr;

namespace {

constexpr int N = TAILLE_UNIVERS;

bool DansCarte(int x, int y) { return x >= 0 && y >= 0 && x < N && y < N; }

int ZoneLibre(int32_t* grille, int x, int y, int largeur, int hauteur) {
    for (int r = 0; r < hauteur; ++r)
        for (int c = 0; c < largeur; ++c) {
            int cx = x + c, cy = y + r;
            if (!DansCarte(cx, cy) || grille == nullptr) return 0;
            int32_t* p = grille + cx + N * cy;
            PointeurCase = p + 1;
            if (*p != 0) return 0;
        }
    return 1;
}

// The object's square, clipped to the map: its index written, or, when freeing, cleared where
// it still holds the index.
void Poser(int32_t* grille, int indice, int x, int y, int cote, bool liberer) {
    if (grille == nullptr) return;
    int x0 = x < 0 ? 0 : x, y0 = y < 0 ? 0 : y;
    int x1 = x + cote > N ? N : x + cote, y1 = y + cote > N ? N : y + cote;
    for (int cy = y0; cy < y1; ++cy) {
        int32_t* ligne = grille + N * cy;
        for (int cx = x0; cx < x1; ++cx) {
            if (!liberer) ligne[cx] = indice;
            else if (ligne[cx] == indice) ligne[cx] = 0;
        }
    }
}

Objet* Courant(int indice) {
    if (indice < 1 || indice >= NOMBRE_OBJETS) return nullptr;
    ObjetCourant = &TableObjets[indice];
    return ObjetCourant;
}

void Occupation(int32_t* grille, int indice, bool liberer) {
    if (Objet* o = Courant(indice)) Poser(grille, indice, o->x, o->y, o->taille, liberer);
}

}  // namespace

void Univers__AlloueGrilles() {
    Univers__LibereGrilles();
    GrilleAir = new int32_t[N * N]();
    GrilleUnites = new int32_t[N * N]();
    GrilleSol = new int32_t[N * N]();
}

void Univers__LibereGrilles() {
    delete[] GrilleAir;
    delete[] GrilleUnites;
    delete[] GrilleSol;
    GrilleAir = GrilleUnites = GrilleSol = nullptr;
    PointeurCase = nullptr;
}

int Univers__ZoneLibreAir(int x, int y, int l, int h) { return ZoneLibre(GrilleAir, x, y, l, h); }
int Univers__ZoneLibreUnites(int x, int y, int l, int h) { return ZoneLibre(GrilleUnites, x, y, l, h); }
int Univers__ZoneLibreSol(int x, int y, int l, int h) { return ZoneLibre(GrilleSol, x, y, l, h); }

int Univers__CaseUnites(int x, int y) { return DansCarte(x, y) && GrilleUnites ? GrilleUnites[x + N * y] : 0; }
int Univers__CaseSol(int x, int y) { return DansCarte(x, y) && GrilleSol ? GrilleSol[x + N * y] : 0; }

void Univers__PoseCaseUnites(int x, int y, int indice) {
    if (DansCarte(x, y) && GrilleUnites) GrilleUnites[x + N * y] = indice;
}

void Univers__EffaceCaseUnites(int x, int y) { Univers__PoseCaseUnites(x, y, 0); }

void Univers__OccupationAir(int indice) { Occupation(GrilleAir, indice, false); }
void Univers__OccupationSol(int indice) { Occupation(GrilleSol, indice, false); }
void Univers__LiberationAir(int indice) { Occupation(GrilleAir, indice, true); }
void Univers__LiberationUnites(int indice) { Occupation(GrilleUnites, indice, true); }
void Univers__LiberationSol(int indice) { Occupation(GrilleSol, indice, true); }

void Univers__OccupationUnites(int indice) {
    Objet* o = Courant(indice);
    if (o == nullptr) return;
    if (o->empreinteUnites != -1) Univers__EffaceEmpreinteUnites(indice, o->empreinteUnites);
    o->empreinteUnites = o->x + N * o->y;
    Poser(GrilleUnites, indice, o->x, o->y, o->taille, false);
}

void Univers__EffaceEmpreinteUnites(int indice, int caseIndice) {
    if (ObjetCourant == nullptr || caseIndice < 0 || caseIndice >= N * N) return;
    Poser(GrilleUnites, indice, caseIndice % N, caseIndice / N, ObjetCourant->taille, true);
}
