#include "battle/occupation.h"

#include <algorithm>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cstdlib>
#include <initializer_list>
#include <new>
#if defined(__linux__)
#include <sys/mman.h>
#endif

#include "battle/chemin.h"
#include "battle/simulation.h"
#include "battle/trajet.h"
#include "shell/scenario.h"
#include "world/batiments.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/niveau.h"
#include "world/objets.h"
#include "world/codes.h"

uint32_t* CarteOccupationSol = nullptr;
uint32_t* CarteOccupationAir = nullptr;
uint32_t* CarteOccupationSolBase = nullptr;
uint32_t* CarteOccupationAirBase = nullptr;
int32_t ObstaclesListe[TAILLE_OBSTACLES_LISTE] = {};
int32_t ObstaclesNombre = 0;


namespace {

constexpr int MAITRE_SANS_PORTEE = 135;

bool SurCarte(int x, int y) { return x >= 0 && x < COTE_CARTE && y >= 0 && y < COTE_CARTE; }
// An object index; as a cell value, neither free nor the static mark.
bool ObjetValide(long v) { return v >= 1 && v < NOMBRE_OBJETS; }

bool Volant(const Objet& o) { return o.couche == 2; }
uint32_t* CarteDeCouche(const Objet& o) { return Volant(o) ? CarteOccupationAir : CarteOccupationSol; }
uint32_t* BaseDeCouche(const Objet& o) { return Volant(o) ? CarteOccupationAirBase : CarteOccupationSolBase; }

bool MourantOuMort(const Objet& o) { return o.mourant || o.ordreSecondaire == 3 || o.ordreSecondaire == 4; }

void LibereCarte(uint32_t*& c) {
    delete[] c;
    c = nullptr;
}

void LibereCartes() {
    for (uint32_t** c : {&CarteOccupationSol, &CarteOccupationAir, &CarteOccupationSolBase, &CarteOccupationAirBase})
        LibereCarte(*c);
}

// The grid copied, live objects' cells freed and everything else made static; the base map, when
// given, gets the same values. Most of a grid is empty: a block of cells is read as whole words,
// and when they are all zero the block is freed without looking at each cell.
constexpr int BLOC = 16;

// Whether the BLOC cells from p are all zero.
bool BlocVide(const int32_t* p) {
#if defined(__SSE2__)
    __m128i t = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    for (int k = 4; k < BLOC; k += 4) t = _mm_or_si128(t, _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + k)));
    return _mm_movemask_epi8(_mm_cmpeq_epi32(t, _mm_setzero_si128())) == 0xFFFF;
#else
    uint64_t m[BLOC / 2];
    std::memcpy(m, p, sizeof m);
    uint64_t pris = 0;
    for (const uint64_t w : m) pris |= w;
    return pris == 0;
#endif
}

// Frees the BLOC cells from p, writing them only when one is taken.
void Libere(uint32_t* p) {
    if (!BlocVide(reinterpret_cast<const int32_t*>(p))) std::memset(p, 0, BLOC * sizeof(uint32_t));
}

template <bool AvecBase>
void Balaye(const int32_t* grille, uint32_t* carte, uint32_t* base) {
    static_assert(CASES_CARTE % BLOC == 0);
    for (int i = 0; i < CASES_CARTE; i += BLOC) {
        if (BlocVide(grille + i)) {
            // A block of a map already free is left as it is, not written again.
            Libere(carte + i);
            if constexpr (AvecBase) Libere(base + i);
            continue;
        }
        for (int k = i; k < i + BLOC; ++k) {
            const int32_t v = grille[k];
            const uint32_t c = v == 0 || (ObjetValide(v) && TableObjets[v].actif == 1) ? 0 : OBSTACLE_FIXE;
            carte[k] = c;
            if constexpr (AvecBase) base[k] = c;
        }
    }
}

void Reconstruit(const int32_t* grille, uint32_t* carte, uint32_t* base) {
    if (!carte) return;
    if (!grille) {
        std::fill(carte, carte + CASES_CARTE, 0u);
        if (base) std::fill(base, base + CASES_CARTE, 0u);
    } else if (base) {
        Balaye<true>(grille, carte, base);
    } else {
        Balaye<false>(grille, carte, nullptr);
    }
}

// Writes the number over every on-map cell of the footprint.
void Ecrit(int largeur, int hauteur, int x, int y, uint32_t* carte, uint32_t numero) {
    if (!carte) return;
    if (largeur == 1 && hauteur == 1) {   // a unit's cell, the usual footprint
        if (SurCarte(x, y)) carte[x + COTE_CARTE * y] = numero;
        return;
    }
    for (int i = x; i < x + largeur; ++i)
        for (int j = y; j < y + hauteur; ++j)
            if (SurCarte(i, j)) carte[i + COTE_CARTE * j] = numero;
}

// Stamps one on-map cell unless another object holds it; a large unit's cell turns static on
// the base map.
void PoseCase(uint32_t* carte, uint32_t* base, bool grand, int i, uint32_t numero) {
    uint32_t& c = carte[i];
    if (c != 0 && c != numero) return;
    c = numero;
    if (grand && base) base[i] = OBSTACLE_FIXE;
}

// Out of line, so that the single cell's stamp saves no registers.
[[gnu::noinline]] void PoseEmprise(int largeur, int hauteur, int x, int y, uint32_t* carte, uint32_t* base, bool grand,
                                   uint32_t numero) {
    for (int i = x; i < x + largeur; ++i)
        for (int j = y; j < y + hauteur; ++j)
            if (SurCarte(i, j)) PoseCase(carte, base, grand, i + COTE_CARTE * j, numero);
}

[[gnu::noinline]] int TesteEmprise(int largeur, int hauteur, int x, int y, const uint32_t* carte, uint32_t numero) {
    for (int i = x; i < x + largeur; ++i)
        for (int j = y; j < y + hauteur; ++j) {
            if (!SurCarte(i, j) || !carte) return -1;
            const uint32_t c = carte[i + COTE_CARTE * j];
            if (c != numero) return static_cast<int>(c);
        }
    return 0;
}

// The priority rule: a unit that wants the cell of another with priority (a smaller number, or a
// waiting one) heading for the same next cell gives way.
bool CedeA(const Objet& unite, int o) {
    if (!ObjetValide(o)) return false;
    const Objet& autre = TableObjets[o];
    return (autre.numeroObjet < unite.numeroObjet || autre.attenteCase == 1) &&
           autre.prochaineCaseX == unite.prochaineCaseX && autre.prochaineCaseY == unite.prochaineCaseY;
}

void AjouteObstacle(int32_t v) {
    if (ObstaclesNombre > 0 && ObstaclesListe[ObstaclesNombre - 1] == v) return;
    if (ObstaclesNombre >= TAILLE_OBSTACLES_LISTE) return;
    ObstaclesListe[ObstaclesNombre++] = v;
}

bool EnBloc(const Objet& o) {
    if (o.groupe < 1 || o.groupe >= NOMBRE_GROUPES) return false;
    const Groupe& g = TableGroupes[o.groupe];
    return g.modeFormation == 4 && g.enFuite == 0;
}

struct Balayage {
    int x, y, dx, dy, n;   // n cells from (x, y) by (dx, dy)
};

// TestDeplacement for a footprint of one cell tested where it stands (no move): the same tests of
// the one cell, without the frame of the general walk.
int TestCase(int objet, int x, int y, int groupe) {
    ObstaclesNombre = 0;
    if (!ObjetValide(objet)) return -1;
    const Objet& u = TableObjets[objet];
    const uint32_t* carte = CarteDeCouche(u);
    if (!carte || !SurCarte(x, y)) return -1;
    const uint32_t v = carte[x + COTE_CARTE * y];
    if (v == 0) return 0;
    if (!ObjetValide(v)) return -1;
    const Objet& o = TableObjets[v];
    if (groupe < 0 ? static_cast<int>(v) == u.numeroObjet : o.groupe == groupe) return 0;
    if (EnBloc(o)) return Volant(u) ? -1 : 1;
    AjouteObstacle(static_cast<int32_t>(v));
    return 1;
}

int TestDeplacement(int objet, int x, int y, int largeur, int hauteur, int dx, int dy, int groupe) {
    ObstaclesNombre = 0;
    if (!ObjetValide(objet)) return -1;
    const Objet& u = TableObjets[objet];
    const uint32_t* carte = CarteDeCouche(u);
    if (!carte) return -1;
    const bool air = Volant(u);
    const int sx = (dx > 0) - (dx < 0), sy = (dy > 0) - (dy < 0);

    Balayage b[2];
    int nb = 0;
    const bool empreinte = sx == 0 && sy == 0;
    if (empreinte) {
        if (!SurCarte(x, y)) return -1;
    } else if (sy == 0) {
        b[nb++] = {sx < 0 ? x - 1 : x + largeur, y, 0, 1, hauteur};
    } else if (sx == 0) {
        b[nb++] = {x, sy < 0 ? y - 1 : y + hauteur, 1, 0, largeur};
    } else if (sx < 0 && sy < 0) {
        b[nb++] = {x - 1, y - 1, 1, 0, largeur};
        b[nb++] = {x - 1, y - 1, 0, 1, hauteur};
    } else if (sx > 0 && sy < 0) {
        b[nb++] = {x + 1, y - 1, 1, 0, largeur};
        b[nb++] = {x + largeur, y - 1, 0, 1, hauteur};
    } else if (sx > 0 && sy > 0) {
        b[nb++] = {x + 1, y + hauteur, 1, 0, largeur};
        b[nb++] = {x + largeur, y + 1, 0, 1, hauteur};
    } else {
        b[nb++] = {x - 1, y + hauteur, 1, 0, largeur};
        b[nb++] = {x - 1, y + 1, 0, 1, hauteur};
    }
    // A move that would leave the map is refused before any cell is read.
    for (int k = 0; k < nb; ++k)
        for (int i = 0; i < b[k].n; ++i)
            if (!SurCarte(b[k].x + i * b[k].dx, b[k].y + i * b[k].dy)) return -1;

    int compte = 0;
    // -1 refuses the move; otherwise counts what stands in the way.
    auto Cellule = [&](int cx, int cy) -> int {
        if (!SurCarte(cx, cy)) return -1;
        const uint32_t v = carte[cx + COTE_CARTE * cy];
        if (v == 0) return 0;
        if (!ObjetValide(v)) return -1;   // the static mark, or a value that is no object
        const Objet& o = TableObjets[v];
        if (groupe < 0 ? static_cast<int>(v) == u.numeroObjet : o.groupe == groupe) return 0;
        if (EnBloc(o)) {
            if (air || (groupe < 0 && !empreinte)) return -1;
            ++compte;
            return 0;
        }
        ++compte;
        AjouteObstacle(static_cast<int32_t>(v));
        return 0;
    };
    if (empreinte) {
        for (int i = x; i < x + largeur; ++i)
            for (int j = y; j < y + hauteur; ++j)
                if (Cellule(i, j) < 0) return -1;
    } else {
        for (int k = 0; k < nb; ++k)
            for (int i = 0; i < b[k].n; ++i)
                if (Cellule(b[k].x + i * b[k].dx, b[k].y + i * b[k].dy) < 0) return -1;
    }
    return compte > 0 ? 1 : 0;
}

}  // namespace

int Univers__AlloueCartes() {
    if (!Trajet__AlloueTampons()) return 0;
    LibereCartes();
    for (uint32_t** c : {&CarteOccupationSol, &CarteOccupationAir, &CarteOccupationSolBase, &CarteOccupationAirBase}) {
        *c = new (std::nothrow) uint32_t[CASES_CARTE]();
        if (!*c) {
            LibereCartes();
            Trajet__LibereTampons();
            return 0;
        }
    }
    ObstaclesNombre = 0;
    SimulationInitialisee = 0;
    return 1;
}

void Univers__LibereCartes() {
    LibereCartes();
    Trajet__LibereTampons();
}

namespace {

// The units' path buffers: one slot of POINTS_TRAJET_UNITE points per object number, in one region
// made once for the program. A 16 KB buffer allocated for each unit put each path on a page of
// its own, and a pass over 2000 units then missed the address cache at most path reads and
// writes. The region is advised for huge pages, and written once when made so that no pass pays
// for its first touch.
PointTrajet* RegionTrajets() {
    static PointTrajet* const region = [] {
        constexpr size_t PAGE = size_t{2} << 20;
        const size_t octets = (sizeof(PointTrajet) * POINTS_TRAJET_UNITE * NOMBRE_OBJETS + PAGE - 1) / PAGE * PAGE;
        void* v = std::aligned_alloc(PAGE, octets);
        if (!v) throw std::bad_alloc();
#if defined(__linux__)
        madvise(v, octets, MADV_HUGEPAGE);
#endif
        std::memset(v, 0, octets);
        return static_cast<PointTrajet*>(v);
    }();
    return region;
}

}  // namespace

void Objet__AlloueTrajet(int objet) {
    if (!ObjetValide(objet)) return;
    Objet& o = TableObjets[objet];
    Objet__LibereTrajet(objet);
    // The slot keeps what its last unit left: a path is read only below nbPointsTrajetUnite, and
    // every count above 0 is set with the plan of that many points (Unite__OrdreDeplacement).
    o.trajet = RegionTrajets() + static_cast<size_t>(objet) * POINTS_TRAJET_UNITE;
    o.listeAllies = new int32_t[TAILLE_LISTE_CIBLES];
    o.listeEnnemis = new int32_t[TAILLE_LISTE_CIBLES];
    for (int i = 0; i < TAILLE_LISTE_CIBLES; ++i) o.listeAllies[i] = o.listeEnnemis[i] = -1;

    if (o.classe == CLASSE_ARCHER || o.sorts[0] != -1) {
        int h = 0, w = 0;
        if (GrilleAltitude && SurCarte(o.x, o.y)) h = GrilleAltitude[(o.y / 4) * COTE_ALTITUDE + o.x / 4];
        if (GrilleSelection && SurCarte(o.x, o.y)) {
            const int32_t b = GrilleSelection[o.x + COTE_CARTE * o.y];
            if (ObjetValide(b) && TableObjets[b].classe == CLASSE_FORTIFICATION) w = 1;
        }
        o.porteeVue = h + w + 11;
        o.porteeAttaque = NiveauArcDistance + h + 7 + w;
        if (o.porteeAttaque > o.porteeVue) o.porteeVue = o.porteeAttaque;
    }
    if (o.classe == CLASSE_GUERRIER) o.porteeVue = 3, o.porteeAttaque = 1;
    if (o.couche == 2) o.porteeVue = 10, o.porteeAttaque = 6;
    if (o.famille == FAMILLE_MACHINES) o.porteeVue = 14, o.porteeAttaque = 10;
    if (o.typeMaitre == MAITRE_SANS_PORTEE) o.porteeVue = 3, o.porteeAttaque = 1;
    if (o.famille == FAMILLE_DRAGON) o.porteeVue = 10, o.porteeAttaque = 6;

    o.dernierAllie = o.dernierEnnemi = -1;
    o.cible = -1;
    o.groupeCible = -1;
    o.auContact = 0;
    o.nbPointsTrajetUnite = 0;
    o.pointCourantUnite = 0;
}

void Objet__LibereTrajet(int objet) {
    if (!ObjetValide(objet)) return;
    Objet& o = TableObjets[objet];
    delete[] o.listeAllies;
    delete[] o.listeEnnemis;
    o.trajet = nullptr;
    o.listeAllies = o.listeEnnemis = nullptr;
}

void Occupation__Reconstruit() {
    Reconstruit(GrilleUnites, CarteOccupationSol, CarteOccupationSolBase);
    Reconstruit(GrilleAir, CarteOccupationAir, CarteOccupationAirBase);
}

void Occupation__Pose(int largeur, int hauteur, int x, int y, uint32_t* carte, int numero) {
    uint32_t* base = nullptr;
    bool grand = false;
    if (numero != 0 && numero != static_cast<int>(OBSTACLE_FIXE) && ObjetValide(numero)) {
        const Objet& o = TableObjets[numero];
        carte = CarteDeCouche(o);
        base = BaseDeCouche(o);
        grand = o.taille > 1;
    }
    if (!carte) return;
    if (numero == 0) {
        Ecrit(largeur, hauteur, x, y, carte, 0);
        return;
    }
    if (largeur == 1 && hauteur == 1) {   // a unit's cell, the usual footprint
        if (SurCarte(x, y)) PoseCase(carte, base, grand, x + COTE_CARTE * y, static_cast<uint32_t>(numero));
        return;
    }
    PoseEmprise(largeur, hauteur, x, y, carte, base, grand, static_cast<uint32_t>(numero));
}

int Occupation__Test(int largeur, int hauteur, int x, int y, uint32_t* carte, int numero) {
    if (numero != 0 && numero != static_cast<int>(OBSTACLE_FIXE) && ObjetValide(numero))
        carte = CarteDeCouche(TableObjets[numero]);
    if (largeur == 1 && hauteur == 1) {   // a unit's cell, the usual footprint
        if (!SurCarte(x, y) || !carte) return -1;
        const uint32_t c = carte[x + COTE_CARTE * y];
        return c != static_cast<uint32_t>(numero) ? static_cast<int>(c) : 0;
    }
    return TesteEmprise(largeur, hauteur, x, y, carte, static_cast<uint32_t>(numero));
}

void Occupation__Leve(int objet, int largeur, int hauteur, int x, int y, uint32_t* carte, int numero, int drapeau) {
    if (numero != 0 || !ObjetValide(objet)) return;
    Objet& u = TableObjets[objet];
    if (!drapeau && CedeA(u, Occupation__Test(largeur, hauteur, x, y, carte, 0)))
        Occupation__Avance(objet, u.numeroObjet);
    if (u.actif == 1) Ecrit(largeur, hauteur, x, y, CarteDeCouche(u), 0);
}

void Occupation__PoseAvecPoussee2(int largeur, int hauteur, int x, int y, uint32_t*, int numero, int drapeau) {
    if (!ObjetValide(numero)) return;
    Objet& u = TableObjets[numero];
    // A unit that gives way stands on its own cell, stamped there by its fall back; it must not
    // also take the cell from the unit that kept it.
    if (!drapeau && CedeA(u, Occupation__Test(largeur, hauteur, x, y, nullptr, numero))) {
        Occupation__Avance(numero, u.numeroObjet);
        return;
    }
    if (u.actif == 1) Ecrit(largeur, hauteur, x, y, CarteDeCouche(u), static_cast<uint32_t>(numero));
}

int Occupation__Avance(int objet, int origine, int) {
    // Each link stamps one object on its own cell; a chain never needs more links than there are
    // objects, which also ends any cycle.
    for (int liens = 0; liens < NOMBRE_OBJETS && ObjetValide(objet); ++liens) {
        Objet& u = TableObjets[objet];
        if (u.numeroObjet == 0 || u.actif != 1 || MourantOuMort(u)) break;
        u.prochaineCaseX = u.x;
        u.prochaineCaseY = u.y;
        const int t = u.taille;
        const int o = Occupation__Test(t, t, u.x, u.y, nullptr, u.numeroObjet);
        Occupation__PoseAvecPoussee2(t, t, u.x, u.y, nullptr, u.numeroObjet, 1);
        if (!ObjetValide(o) || TableObjets[o].numeroObjet == origine) break;
        origine = u.numeroObjet;
        objet = o;
    }
    return 0;
}

int Collision__TestDeplacement(int objet, int x, int y, int largeur, int hauteur, int dx, int dy) {
    if (largeur == 1 && hauteur == 1 && dx == 0 && dy == 0) return TestCase(objet, x, y, -1);
    return TestDeplacement(objet, x, y, largeur, hauteur, dx, dy, -1);
}

int Collision__TestDeplacementGroupe(int objet, int x, int y, int largeur, int hauteur, int dx, int dy, int groupe) {
    const int g = groupe < 0 ? NOMBRE_GROUPES : groupe;
    if (largeur == 1 && hauteur == 1 && dx == 0 && dy == 0) return TestCase(objet, x, y, g);
    return TestDeplacement(objet, x, y, largeur, hauteur, dx, dy, g);
}

int Carte__DansZoneMurs(int x, int y) {
    return ZoneBatimentsX < x && x < ZoneBatimentsDroite && ZoneBatimentsY < y && y < ZoneBatimentsBas ? 1 : 0;
}

void Carte__RameneDansZone(int groupe, int objet, int* x, int* y) {
    if (!x || !y) return;
    if (ZoneBatimentsPresente != 1 || PorteTrouvee != 1 || BrecheOuverte || FortificationDetruite) return;
    int rx = 0, ry = 0;
    int unite = objet;
    if (ObjetValide(objet)) {
        rx = TableObjets[objet].x;
        ry = TableObjets[objet].y;
    } else if (Groupe__Actif(groupe)) {
        const Groupe& g = TableGroupes[groupe];
        rx = g.butX;
        ry = g.butY;
        unite = g.nbMembres > 0 && g.membres ? g.membres[0] : 0;
    } else {
        return;
    }
    if (ObjetValide(unite) && Volant(TableObjets[unite])) return;
    const bool dedans = Carte__DansZoneMurs(rx, ry), versDedans = Carte__DansZoneMurs(*x, *y);
    if (!dedans && versDedans) {
        *x = PorteX + 6;
        *y = PorteY + 14;
    } else if (dedans && !versDedans) {
        *x = PorteX + 6;
        *y = PorteY;
    }
}
