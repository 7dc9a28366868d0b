#include "world/grilles.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>

#include "world/objets.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// The cells a square covers on the map: columns x0 .. x1 - 1, rows y0 .. y1 - 1.
struct Rectangle {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

Rectangle Rogner(int x, int y, int cote) {
    return {x < 0 ? 0 : x, y < 0 ? 0 : y, x + cote > N ? N : x + cote, y + cote > N ? N : y + cote};
}

void PoserRectangle(int32_t* grille, int indice, Rectangle r, bool liberer) {
    if (grille == nullptr) return;
    for (int cy = r.y0; cy < r.y1; ++cy) {
        int32_t* ligne = grille + N * cy;
        for (int cx = r.x0; cx < r.x1; ++cx) {
            if (!liberer) ligne[cx] = indice;
            else if (ligne[cx] == indice) ligne[cx] = 0;
        }
    }
}

// The object's square, clipped to the map: its index written, or, when freeing, cleared where
// it still holds the index.
void Poser(int32_t* grille, int indice, int x, int y, int cote, bool liberer) {
    PoserRectangle(grille, indice, Rogner(x, y, cote), liberer);
}

// The cells each object's last unit-grid stamp wrote, with the cell index it was recorded under:
// a cell index cannot give back a square that stood off the left or top edge.
struct Empreinte {
    int32_t cellule = -1;
    Rectangle cases;
};
std::array<Empreinte, NOMBRE_OBJETS> EmpreintesUnites;

const Empreinte* EmpreinteDe(int indice, int caseIndice) {
    if (indice < 1 || indice >= NOMBRE_OBJETS || caseIndice == -1) return nullptr;
    const Empreinte& e = EmpreintesUnites[static_cast<std::size_t>(indice)];
    return e.cellule == caseIndice ? &e : nullptr;
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
    EmpreintesUnites.fill(Empreinte{});
    GrilleAir = new int32_t[N * N]();
    GrilleUnites = new int32_t[N * N]();
    GrilleSol = new int32_t[N * N]();
}

void Univers__EffaceGrilles() {
    EmpreintesUnites.fill(Empreinte{});
    for (int32_t* g : {GrilleAir, GrilleUnites, GrilleSol})
        if (g) std::fill(g, g + N * N, 0);
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

namespace {

// An object of the table, of an army flagged in `armees` when given.
bool ObjetCompte(int32_t n, const int32_t* armees) {
    if (n < 1 || n >= NOMBRE_OBJETS) return false;
    if (armees == nullptr) return true;
    const int32_t a = TableObjets[static_cast<size_t>(n)].armee;
    return a >= 0 && a <= 5 && armees[a] != 0;
}

#if defined(__SSE2__)
__m128i Quatre(const int32_t* rangee, int x) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(rangee + x)); }
bool Vides(__m128i v) { return _mm_movemask_epi8(_mm_cmpeq_epi32(v, _mm_setzero_si128())) == 0xFFFF; }

// Whether the non-empty cells x0 to x1 (on the map, at least four) of a row hold such an object,
// looked at four cells at a time, the last four read whole even where they overlap the others.
bool PleinsAvecObjet(const int32_t* rangee, int x0, int x1, const int32_t* armees) {
    for (int x = x0; x <= x1; x += 4) {
        const int de = std::min(x, x1 - 3);
        const __m128i vides = _mm_cmpeq_epi32(Quatre(rangee, de), _mm_setzero_si128());
        for (int pleins = ~_mm_movemask_ps(_mm_castsi128_ps(vides)) & 0xF; pleins; pleins &= pleins - 1)
            if (ObjetCompte(rangee[de + std::countr_zero(static_cast<unsigned>(pleins))], armees)) return true;
    }
    return false;
}
#endif

// Whether the cells x0 to x1 (on the map) of a row hold such an object. The answer is the same
// whatever order its cells are looked at in.
bool RangeeAvecObjet(const int32_t* rangee, int x0, int x1, const int32_t* armees) {
#if defined(__SSE2__)
    if (x1 - x0 >= 3) {
        // Most rows of a search hold nothing: they are passed over on a test of all their cells,
        // four at a time, the last four read whole even where they overlap the others.
        __m128i tout = Quatre(rangee, x1 - 3);
        for (int x = x0; x < x1 - 3; x += 4) tout = _mm_or_si128(tout, Quatre(rangee, x));
        return !Vides(tout) && PleinsAvecObjet(rangee, x0, x1, armees);
    }
#endif
    for (int x = x0; x <= x1; ++x)
        if (rangee[x] != 0 && ObjetCompte(rangee[x], armees)) return true;
    return false;
}

}  // namespace

bool Univers__RectangleSansObjet(const int32_t* grille, int x0, int y0, int x1, int y1, const int32_t* armees) {
    if (grille == nullptr) return true;
    x0 = std::max(x0, 0), y0 = std::max(y0, 0), x1 = std::min(x1, N - 1), y1 = std::min(y1, N - 1);
#if defined(__SSE2__)
    if (x1 - x0 >= 3 && x1 - x0 <= 15) {
        // Four to sixteen columns, as in most searches: each row read as four blocks of four cells
        // at fixed places covering them all, blocks repeated or overlapping where fewer are needed.
        const int a = x0, b = std::min(x0 + 4, x1 - 3), c = std::min(x0 + 8, x1 - 3), d = x1 - 3;
        for (int y = y0; y <= y1; ++y) {
            const int32_t* rangee = grille + N * y;
            const __m128i tout = _mm_or_si128(_mm_or_si128(Quatre(rangee, a), Quatre(rangee, b)),
                                              _mm_or_si128(Quatre(rangee, c), Quatre(rangee, d)));
            if (!Vides(tout) && PleinsAvecObjet(rangee, x0, x1, armees)) return false;
        }
        return true;
    }
#endif
    for (int y = y0; y <= y1; ++y)
        if (RangeeAvecObjet(grille + N * y, x0, x1, armees)) return false;
    return true;
}

int Univers__CaseUnites(int x, int y) { return DansCarte(x, y) && GrilleUnites ? GrilleUnites[x + N * y] : 0; }
int Univers__CaseSol(int x, int y) { return DansCarte(x, y) && GrilleSol ? GrilleSol[x + N * y] : 0; }

void Univers__PoseCaseUnites(int x, int y, int indice) {
    if (DansCarte(x, y) && GrilleUnites) GrilleUnites[x + N * y] = indice;
}

void Univers__EffaceCaseUnites(int x, int y) { Univers__PoseCaseUnites(x, y, 0); }

void Univers__OccupationAir(int indice) { Occupation(GrilleAir, indice, false); }
void Univers__OccupationSol(int indice) { Occupation(GrilleSol, indice, false); }
void Univers__LiberationAir(int indice) { Occupation(GrilleAir, indice, true); }
void Univers__LiberationUnites(int indice) {
    Objet* o = Courant(indice);
    if (o == nullptr) return;
    Poser(GrilleUnites, indice, o->x, o->y, o->taille, true);
    // And the last stamp, should the object have moved since.
    if (const Empreinte* e = EmpreinteDe(indice, o->empreinteUnites)) PoserRectangle(GrilleUnites, indice, e->cases, true);
}
void Univers__LiberationSol(int indice) { Occupation(GrilleSol, indice, true); }

void Univers__OccupationUnites(int indice) {
    Objet* o = Courant(indice);
    if (o == nullptr) return;
    if (o->empreinteUnites != -1) Univers__EffaceEmpreinteUnites(indice, o->empreinteUnites);
    o->empreinteUnites = o->x + N * o->y;
    const Rectangle cases = Rogner(o->x, o->y, o->taille);
    EmpreintesUnites[static_cast<std::size_t>(indice)] = {o->empreinteUnites, cases};
    PoserRectangle(GrilleUnites, indice, cases, false);
}

void Univers__EffaceEmpreinteUnites(int indice, int caseIndice) {
    // The cells the stamp recorded under that index, exactly.
    if (const Empreinte* e = EmpreinteDe(indice, caseIndice)) {
        PoserRectangle(GrilleUnites, indice, e->cases, true);
        return;
    }
    if (ObjetCourant == nullptr || caseIndice < 0 || caseIndice >= N * N) return;
    Poser(GrilleUnites, indice, caseIndice % N, caseIndice / N, ObjetCourant->taille, true);
}
