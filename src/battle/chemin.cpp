#include "battle/chemin.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <new>
#include <utility>
#include <vector>

#include "battle/astar.h"
#include "battle/occupation.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/objets.h"

PointTrajet* TrajetBrut = nullptr;
int32_t TrajetBrutNombre = 0;
PointTrajet* TrajetTrigo = nullptr;
int32_t TrajetTrigoNombre = 0;
PointTrajet* TrajetTrigoInverse = nullptr;
int32_t TrajetTrigoInverseNombre = 0;
PointTrajet* TrajetLisse = nullptr;
int32_t TrajetLisseNombre = 0;
int32_t TrajetEmpriseLargeur = 1;
int32_t TrajetEmpriseHauteur = 1;
int32_t ContourPas = 0;

void Trajet__LibereTampons() {
    for (PointTrajet** p : {&TrajetBrut, &TrajetTrigo, &TrajetTrigoInverse, &TrajetLisse}) {
        delete[] *p;
        *p = nullptr;
    }
    delete[] AstarOuverts;
    delete[] AstarFermes;
    AstarOuverts = AstarFermes = nullptr;
    TrajetBrutNombre = TrajetTrigoNombre = TrajetTrigoInverseNombre = TrajetLisseNombre = 0;
    AstarOuvertsNombre = AstarFermesNombre = 0;
}

int Trajet__AlloueTampons() {
    Trajet__LibereTampons();
    for (PointTrajet** p : {&TrajetBrut, &TrajetTrigo, &TrajetTrigoInverse, &TrajetLisse}) {
        *p = new (std::nothrow) PointTrajet[POINTS_TAMPON_TRAJET]();
        if (!*p) {
            Trajet__LibereTampons();
            return 0;
        }
    }
    AstarOuverts = new (std::nothrow) NoeudAstar[NOEUDS_ASTAR]();
    AstarFermes = new (std::nothrow) NoeudAstar[NOEUDS_ASTAR]();
    if (!AstarOuverts || !AstarFermes) {
        Trajet__LibereTampons();
        return 0;
    }
    return 1;
}

namespace {

bool SurCarte(int x, int y) { return x >= 0 && x < COTE_CARTE && y >= 0 && y < COTE_CARTE; }
// (d + n) mod 8, in 0..7 for negative sums too (two's complement).
int Tourne(int d, int n) { return (d + n) & 7; }

// The group whose formation is planned, or null for a single unit.
const Groupe* GroupePlanifie(int groupe) {
    if (!Groupe__Actif(groupe)) return nullptr;
    const Groupe& g = TableGroupes[groupe];
    if (g.nbMembres < 1 || !g.membres) return nullptr;
    const int chef = g.membres[0];
    if (chef < 1 || chef >= NOMBRE_OBJETS) return nullptr;
    return &g;
}

// Where the rectangle lies relative to its path cell: by the group's orientation, for a group of
// more than one member.
void Decalage(const Groupe* g, int* dx, int* dy) {
    *dx = *dy = 0;
    if (!g || g->nbMembres <= 1) return;
    const int w = TrajetEmpriseLargeur, h = TrajetEmpriseHauteur;
    switch (g->orientation) {
        case 0: *dx = 1 - w, *dy = 1 - h; break;
        case 1: *dx = 1 - w; break;
        case 2: *dy = 1 - h; break;
        default: break;
    }
}

// The positions (x, y) of the rectangle placed by (ox, oy) that lie near a target cell (the
// rectangle covers it after one step at most) or that cover it, worked out once per target: a box
// of positions tested by two unsigned compares, in 64 bits (exact wherever the plain sums do not
// overflow). An empty rectangle (w or h below 1) covers nothing.
struct Zone {
    int64_t x0 = 0, y0 = 0;
    uint64_t lx = 0, ly = 0;
    // Positions x0 .. x0 + lx and y0 .. y0 + ly; none when a length is negative.
    static Zone Boite(int64_t x0, int64_t y0, int64_t lx, int64_t ly) {
        if (lx < 0 || ly < 0) return {INT64_MIN / 2, INT64_MIN / 2, 0, 0};
        return {x0, y0, static_cast<uint64_t>(lx), static_cast<uint64_t>(ly)};
    }
    // cx - (x + ox) in -1 .. w, and the same for y.
    static Zone Pres(int w, int h, int ox, int oy, int cx, int cy) {
        return Boite(int64_t{cx} - ox - w, int64_t{cy} - oy - h, int64_t{w} + 1, int64_t{h} + 1);
    }
    // x + ox <= cx < x + ox + w, and the same for y.
    static Zone Sur(int w, int h, int ox, int oy, int cx, int cy) {
        return Boite(int64_t{cx} - ox - w + 1, int64_t{cy} - oy - h + 1, int64_t{w} - 1, int64_t{h} - 1);
    }
    // Both compares made, without a branch between them.
    bool Dans(int x, int y) const {
        return (static_cast<uint64_t>(x - x0) <= lx) & (static_cast<uint64_t>(y - y0) <= ly);
    }
};

int DirectionDuPas(int dx, int dy) {
    for (int k = 0; k < 8; ++k)
        if (DirectionDx[k] == dx && DirectionDy[k] == dy) return k;
    return 0;
}

// The line from (x, y) to (tx, ty), one of the eight neighbours per step.
struct Ligne {
    int x, y, dx, dy, sx, sy, err, reste;
    bool raide;

    Ligne(int x0, int y0, int tx, int ty) : x(x0), y(y0) {
        dx = tx > x0 ? tx - x0 : x0 - tx;
        dy = ty > y0 ? ty - y0 : y0 - ty;
        sx = (tx > x0) - (tx < x0);
        sy = (ty > y0) - (ty < y0);
        raide = dy > dx;
        if (raide) std::swap(dx, dy);
        err = 2 * dy - dx;
        reste = dx;
    }
    // The next cell; false once the target is reached.
    bool Suivante() {
        if (reste <= 0) return false;
        --reste;
        while (err >= 0) {
            if (raide)
                x += sx;
            else
                y += sy;
            err -= 2 * dx;
        }
        if (raide)
            y += sy;
        else
            x += sx;
        err += 2 * dy;
        return true;
    }
};

// A line between two cells of the map stepped as Ligne steps it, by the cells' index (the caller
// counts the steps, l.reste of them, so the longer length dx is at least 1 when it steps). Ligne's
// loop on err then turns once at most: err stays below 2 dy <= 2 dx before each step (it starts at
// 2 dy - dx, and after the loop it is negative), so one subtraction of 2 dx makes it negative. The
// step is written without a branch.
struct LigneIndice {
    int i, err, pasLong, pasCourt, dx2, dy2;
    LigneIndice(const Ligne& l, int x, int y)
        : i(x + COTE_CARTE * y), err(l.err), pasLong(l.raide ? l.sy * COTE_CARTE : l.sx),
          pasCourt(l.raide ? l.sx : l.sy * COTE_CARTE), dx2(2 * l.dx), dy2(2 * l.dy) {}
    void Suivante() {
        const int court = -static_cast<int>(err >= 0);
        i += (pasCourt & court) + pasLong;
        err += dy2 - (dx2 & court);
    }
};

// The blocking tests of the plan being worked out: while Trajet__Calcul runs nothing it reads
// changes, so each cell's answer for the plan's own test is kept once found (by generation, so a
// new plan starts with none). The first test built during the plan names the test kept.
struct MemoPlan {
    bool actif = false, cle = false;
    uint32_t generation = 0;
    const Groupe* g = nullptr;
    const uint32_t* carte = nullptr;
    uint32_t permisA = 0, permisB = 0;
    int groupe = 0, w = 0, h = 0;
    std::vector<uint32_t> cases = std::vector<uint32_t>(static_cast<size_t>(COTE_CARTE) * COTE_CARTE, 0);
    // For a rectangle of more than one cell, the answer for its column of cells starting at each
    // cell, kept the same way.
    std::vector<uint32_t> colonnes = std::vector<uint32_t>(static_cast<size_t>(COTE_CARTE) * COTE_CARTE, 0);
};
MemoPlan Memo;

// The blocking test of one plan, with the planned group, its offset and the map to read resolved
// once: a walk or a sight line tests many cells, and nothing but the cells' contents is read per
// cell. Build it where the walk starts; the group must not change while it is in use.
class Obstacles {
public:
    Obstacles(const uint32_t* carte, int permisA, int permisB, int groupe)
        : g_(GroupePlanifie(groupe)), carte_(carte), permisA_(static_cast<uint32_t>(permisA)),
          permisB_(static_cast<uint32_t>(permisB)), groupe_(groupe), w_(TrajetEmpriseLargeur),
          h_(TrajetEmpriseHauteur) {
        if (g_) {
            Decalage(g_, &ox_, &oy_);
            cible_ = g_->groupeCibleIA;
        } else if (w_ > 1 || h_ > 1) {
            if (permisB > 0 && permisB < NOMBRE_OBJETS && TableObjets[permisB].couche == 2)
                carte_ = reinterpret_cast<const uint32_t*>(GrilleAir);
            else
                carte_ = CarteOccupationSol;
        }
        if (Memo.actif) {
            // The key just written is this test's own: it is not read back (the stores would stall
            // the loads that compare them).
            if (!Memo.cle) {
                Memo.cle = true;
                Memo.g = g_, Memo.carte = carte_, Memo.permisA = permisA_, Memo.permisB = permisB_;
                Memo.groupe = groupe_, Memo.w = w_, Memo.h = h_;
                memo_ = true;
            } else {
                memo_ = Memo.g == g_ && Memo.carte == carte_ && Memo.permisA == permisA_ && Memo.permisB == permisB_ &&
                        Memo.groupe == groupe_ && Memo.w == w_ && Memo.h == h_;
            }
            // The plan's generation does not change while this test is in use.
            cases_ = Memo.cases.data();
            generation_ = Memo.generation;
            // Short columns gain nothing over the cells.
            if (memo_ && w_ >= 1 && h_ >= 3 && w_ <= COTE_CARTE && h_ <= COTE_CARTE) colonnes_ = Memo.colonnes.data();
        }
        unite_ = carte_ && w_ == 1 && h_ == 1;
        carre_ = carte_ && g_ && w_ == 2 && h_ == 2;
    }

    bool operator()(int x, int y) const {
        if (!memo_ || !SurCarte(x, y)) return Teste(x, y);
        return Case(x + COTE_CARTE * y);
    }

    // The rectangle's place relative to its path cell.
    int Ox() const { return ox_; }
    int Oy() const { return oy_; }
    // Whether the answers are kept: then Case may be used for cells on the map.
    bool Memorise() const { return memo_; }
    // The answer for the cell of index i (on the map) read from the plan's memo, found once.
    [[gnu::always_inline]] inline bool Case(int i) const;

    // The memo's cells and this plan's generation (with Memorise()), for a walk that reads many
    // cells and keeps them at hand: an entry is generation << 1 | answer.
    uint32_t* Cases() const { return cases_; }
    uint32_t Generation() const { return generation_; }
    // The answer for the cell of index i (on the map), worked out.
    [[gnu::always_inline]] bool Calcule(int i) const { return TesteIndice(i); }
    // For a single unit of one cell the answer is one compare of the cell's contents, no dearer
    // than the memo's: the map to read then, else null.
    const uint32_t* CarteDirecte() const { return unite_ && !g_ ? carte_ : nullptr; }
    // For a group's rectangle of one cell, the answer is worked out at each reading, without the
    // memo: the map to read then, else null.
    const uint32_t* CarteUnite() const { return unite_ && g_ ? carte_ : nullptr; }
    uint32_t PermisA() const { return permisA_; }
    uint32_t PermisB() const { return permisB_; }

private:
    // Teste for the cell of index i (on the map); a one-cell rectangle (no offset then) is read
    // in line.
    [[gnu::always_inline]] bool TesteIndice(int i) const {
        if (unite_) {
            const uint32_t v = carte_[i];
            return g_ ? v != 0 && !Passe(i) : v != permisA_ && v != permisB_;
        }
        if (carre_) return Carre(i);
        const int x = static_cast<int>(static_cast<unsigned>(i) % COTE_CARTE),
                  y = static_cast<int>(static_cast<unsigned>(i) / COTE_CARTE);
        return colonnes_ ? Rectangle(x + ox_, y + oy_, i, x) : Plein(x, y);
    }

    // Teste for a rectangle at a cell of the map: the map and edge tests done once for the whole
    // rectangle, then its cells read row by row (the answer is the same in any order).
    [[gnu::noinline]] bool Plein(int x, int y) const {
        const int x0 = x + ox_, y0 = y + oy_;
        if (!carte_ || x0 < 0 || y0 < 0 || x0 > COTE_CARTE - w_ || y0 > COTE_CARTE - h_) return true;
        const uint32_t* ligne = carte_ + x0 + COTE_CARTE * y0;
        if (g_) {
            for (int j = 0; j < h_; ++j, ligne += COTE_CARTE)
                for (int i = 0; i < w_; ++i)
                    if (ligne[i] != 0 && !Passe(static_cast<int>(ligne + i - carte_))) return true;
        } else {
            for (int j = 0; j < h_; ++j, ligne += COTE_CARTE)
                for (int i = 0; i < w_; ++i)
                    if (ligne[i] != permisA_ && ligne[i] != permisB_) return true;
        }
        return false;
    }

    // Plein for a group's square of two by two cells placed at the cell of index i (on the map):
    // its corner's coordinates tested against the map as unsigned numbers, its four cells in line.
    [[gnu::noinline]] bool Carre(int i) const {
        const int x0 = static_cast<int>(static_cast<unsigned>(i) % COTE_CARTE) + ox_,
                  y0 = static_cast<int>(static_cast<unsigned>(i) / COTE_CARTE) + oy_;
        if (static_cast<unsigned>(x0) > COTE_CARTE - 2u || static_cast<unsigned>(y0) > COTE_CARTE - 2u) return true;
        const int k = x0 + COTE_CARTE * y0;
        auto B = [&](int c) { return carte_[c] != 0 && !Passe(c); };
        return B(k) || B(k + 1) || B(k + COTE_CARTE) || B(k + COTE_CARTE + 1);
    }

    // Teste with the answers kept, for the rectangle of the path cell of index i, column x, whose
    // corner (x0, y0) is given, placed by the offset: it is blocked when it leaves the map (with
    // the columns kept it is at most the map's size, so its corner is tested as unsigned numbers),
    // or when one of its columns is, each column's answer found once in the plan. The rectangle
    // of the cell beside it on its row, when already found free (so on the map), covers all its
    // columns but one, which alone is then read.
    [[gnu::noinline]] bool Rectangle(int x0, int y0, int i, int x) const {
        if (!carte_ || static_cast<unsigned>(x0) > static_cast<unsigned>(COTE_CARTE - w_) ||
            static_cast<unsigned>(y0) > static_cast<unsigned>(COTE_CARTE - h_))
            return true;
        const int debut = x0 + COTE_CARTE * y0;
        uint32_t* const e = colonnes_ + debut;
        auto Bloquee = [&](int c) {
            if (e[c] >> 1 != generation_) e[c] = generation_ << 1 | (Colonne(debut + c) ? 1u : 0u);
            return (e[c] & 1) != 0;
        };
        const uint32_t libre = generation_ << 1;
        if (x > 0 && cases_[i - 1] == libre) return Bloquee(w_ - 1);
        if (x < COTE_CARTE - 1 && cases_[i + 1] == libre) return Bloquee(0);
        for (int c = 0; c < w_; ++c)
            if (Bloquee(c)) return true;
        return false;
    }

    // Whether one of the h cells from the cell of index i downwards (on the map) blocks. A column
    // one row up or down already found free leaves one cell to test: the one it does not cover.
    // (An answer kept for a column was worked out for a rectangle on the map, so its cells are.)
    bool Colonne(int i) const {
        const uint32_t libre = generation_ << 1;
        if (i >= COTE_CARTE && colonnes_[i - COTE_CARTE] == libre) return Cellule(i + COTE_CARTE * (h_ - 1));
        if (colonnes_[i + COTE_CARTE] == libre) return Cellule(i);
        const int fin = i + COTE_CARTE * h_;
        if (g_) {
            for (; i < fin; i += COTE_CARTE)
                if (carte_[i] != 0 && !Passe(i)) return true;
        } else {
            for (; i < fin; i += COTE_CARTE)
                if (carte_[i] != permisA_ && carte_[i] != permisB_) return true;
        }
        return false;
    }

    // Whether the cell of index i (on the map) blocks a cell of the rectangle.
    bool Cellule(int i) const {
        return g_ ? carte_[i] != 0 && !Passe(i) : carte_[i] != permisA_ && carte_[i] != permisB_;
    }

    // Out of line: with the answers kept it runs once per cell of a plan.
    [[gnu::noinline]] bool Teste(int x, int y) const {
        if (!g_) {
            for (int i = x; i < x + w_; ++i)
                for (int j = y; j < y + h_; ++j) {
                    if (!SurCarte(i, j) || !carte_) return true;
                    const uint32_t v = carte_[i + COTE_CARTE * j];
                    if (v != permisA_ && v != permisB_) return true;
                }
            return false;
        }
        for (int i = x + ox_; i < x + ox_ + w_; ++i)
            for (int j = y + oy_; j < y + oy_ + h_; ++j) {
                if (!SurCarte(i, j) || !carte_) return true;
                if (carte_[i + COTE_CARTE * j] == 0) continue;
                if (!Passe(i + COTE_CARTE * j)) return true;
            }
        return false;
    }

    // For a group, whether its rectangle may cover the taken cell of index i (on the map): a cell
    // holding one of the group's own units or of its target's lets it through; a cell with no unit
    // (a static obstacle) is blocked.
    bool Passe(int i) const {
        const int32_t u = GrilleUnites ? GrilleUnites[i] : 0;
        if (u < 1 || u >= NOMBRE_OBJETS) return false;
        const int32_t gu = TableObjets[u].groupe;
        return gu == groupe_ || (cible_ != -1 && gu == cible_);
    }

    const Groupe* g_;
    const uint32_t* carte_;
    uint32_t permisA_, permisB_;
    int groupe_, w_, h_;
    int ox_ = 0, oy_ = 0, cible_ = -1;
    bool memo_ = false, unite_ = false, carre_ = false;
    uint32_t* cases_ = nullptr;
    uint32_t* colonnes_ = nullptr;
    uint32_t generation_ = 0;
};

// The test of a plan: the object itself is let through.
Obstacles Plan(const uint32_t* carte, int objet, int groupe) { return Obstacles(carte, 0, objet, groupe); }

// Obstacles::Case for a walk that reads many cells (the test's answers kept), with the memo's
// address and generation held here rather than read again from the test at each cell.
class Lecture {
public:
    explicit Lecture(const Obstacles& b) : b_(b), cases_(b.Cases()), generation_(b.Generation()) {}
    [[gnu::always_inline]] bool operator()(int i) const {
        uint32_t& c = cases_[i];
        if (c >> 1 != generation_) c = generation_ << 1 | (b_.Calcule(i) ? 1u : 0u);
        return (c & 1) != 0;
    }

private:
    const Obstacles& b_;
    uint32_t* cases_;
    uint32_t generation_;
};

// Lecture for the plan of a single unit of one cell (Obstacles::CarteDirecte): the map cell read
// and compared, the same answer as the memo's without the memo.
class LectureCarte {
public:
    explicit LectureCarte(const Obstacles& b) : carte_(b.CarteDirecte()), permisA_(b.PermisA()), permisB_(b.PermisB()) {}
    [[gnu::always_inline]] bool operator()(int i) const {
        const uint32_t v = carte_[i];
        return v != permisA_ && v != permisB_;
    }

private:
    const uint32_t* carte_;
    uint32_t permisA_, permisB_;
};

// Lecture for a group's rectangle of one cell (Obstacles::CarteUnite): an empty cell is free, as
// the test answers for it, and the others are worked out, which costs less than the memo's reads
// and stores.
class LectureUnite {
public:
    explicit LectureUnite(const Obstacles& b) : b_(b), carte_(b.CarteUnite()) {}
    [[gnu::always_inline]] bool operator()(int i) const { return carte_[i] != 0 && b_.Calcule(i); }

private:
    const Obstacles& b_;
    const uint32_t* carte_;
};

bool Obstacles::Case(int i) const {
    if (CarteDirecte()) return LectureCarte(*this)(i);
    if (CarteUnite()) return LectureUnite(*this)(i);
    return Lecture(*this)(i);
}

// Whether b is in sight from a; when not, *mur is the first blocked cell met (a itself, or a cell
// of the line before b). With vues, for a line between two cells of the map and the answers kept,
// the index of each cell of the line tested after a, in order, up to the first blocked one.
template <class L>
bool VisibleAvec(const Obstacles& bloquee, int ax, int ay, int bx, int by, PointTrajet* mur, int* vues) {
    if (ax == bx && ay == by) return true;
    *mur = {ax, ay};
    if (bloquee(ax, ay)) return false;
    // The line's last step lands on b, which is not tested.
    Ligne l(ax, ay, bx, by);
    // Between two cells of the map every cell of the line is on the map: with the answers kept,
    // they are read by index without the map test.
    if (bloquee.Memorise() && SurCarte(ax, ay) && SurCarte(bx, by)) {
        const L lue(bloquee);
        LigneIndice li(l, ax, ay);
        for (int k = 0; k < l.reste - 1; ++k) {
            li.Suivante();
            if (vues) vues[k] = li.i;
            if (lue(li.i)) {
                *mur = {li.i % COTE_CARTE, li.i / COTE_CARTE};
                return false;
            }
        }
        return true;
    }
    while (l.reste > 1) {
        l.Suivante();
        if (bloquee(l.x, l.y)) {
            *mur = {l.x, l.y};
            return false;
        }
    }
    return true;
}

// The walks are written once for every way of reading the kept answers, chosen per walk.
bool Visible(const Obstacles& bloquee, int ax, int ay, int bx, int by, PointTrajet* mur, int* vues = nullptr) {
    if (bloquee.CarteDirecte()) return VisibleAvec<LectureCarte>(bloquee, ax, ay, bx, by, mur, vues);
    if (bloquee.CarteUnite()) return VisibleAvec<LectureUnite>(bloquee, ax, ay, bx, by, mur, vues);
    return VisibleAvec<Lecture>(bloquee, ax, ay, bx, by, mur, vues);
}

// The cells Visible(a, b), a != b, tests: a itself, and the line's cells strictly before b. The
// line's k-th cell along its longer axis lies floor((2 d k + D) / 2 D) cells off along the shorter
// one (D, d the two lengths), as Ligne steps.
class CasesVues {
public:
    CasesVues(int ax, int ay, int bx, int by) : ax_(ax), ay_(ay) {
        const int dx = bx > ax ? bx - ax : ax - bx, dy = by > ay ? by - ay : ay - by;
        raide_ = dy > dx;
        D_ = raide_ ? dy : dx;
        d_ = raide_ ? dx : dy;
        sD_ = raide_ ? (by > ay) - (by < ay) : (bx > ax) - (bx < ax);
        sd_ = raide_ ? (bx > ax) - (bx < ax) : (by > ay) - (by < ay);
    }
    bool Contient(PointTrajet c) const {
        if (c.x == ax_ && c.y == ay_) return true;
        const int rD = raide_ ? c.y - ay_ : c.x - ax_, rd = raide_ ? c.x - ax_ : c.y - ay_;
        const int k = rD * sD_;
        if (k < 1 || k >= D_) return false;
        return rd == sd_ * static_cast<int>((2 * static_cast<int64_t>(d_) * k + D_) / (2 * static_cast<int64_t>(D_)));
    }

private:
    int ax_, ay_, D_, d_, sD_, sd_;
    bool raide_;
};

template <class L>
int MarcheAvec(bool enregistre, const Obstacles& bloquee, int x, int y, int xBut, int yBut, int* xLibre, int* yLibre,
               int* xReprise, int* yReprise, int* direction) {
    *xReprise = xBut;
    *yReprise = yBut;
    if (x == xBut && y == yBut) {
        *xLibre = x;
        *yLibre = y;
        return 0;
    }
    Ligne l(x, y, xBut, yBut);
    // The free cells before the first blocked one, appended (the count kept here meanwhile).
    PointTrajet* const brut = enregistre ? TrajetBrut : nullptr;
    int32_t n = TrajetBrutNombre;
    // Between two cells of the map the line stays on the map: with the answers kept, it is
    // stepped as Ligne does by the cells' index, the memo at hand, each cell's coordinates read
    // back from its index. A negative count starts from 0 at the first cell appended (and stays
    // as it was when none is); when the line's l.reste cells cannot fill the buffer, they are
    // appended without a test.
    const int32_t depuis = brut && n < 0 ? 0 : n;
    if (bloquee.Memorise() && SurCarte(x, y) && SurCarte(xBut, yBut) &&
        (!brut || depuis + l.reste < POINTS_TAMPON_TRAJET)) {
        int32_t m = depuis;
        auto Compte = [&] { TrajetBrutNombre = m == depuis ? n : m; };
        const L Bloque(bloquee);
        auto X = [](int i) { return static_cast<int>(static_cast<unsigned>(i) % COTE_CARTE); };
        auto Y = [](int i) { return static_cast<int>(static_cast<unsigned>(i) / COTE_CARTE); };
        LigneIndice li(l, x, y);
        int& i = li.i;
        int precedent = i, reste = l.reste;
        auto Suivante = [&] {
            if (reste <= 0) return false;
            --reste;
            li.Suivante();
            return true;
        };
        for (;;) {
            if (!Suivante()) {
                Compte();
                *xLibre = *xReprise = x;
                *yLibre = *yReprise = y;
                return 0;
            }
            if (Bloque(i)) break;
            if (brut) brut[m++] = {X(i), Y(i)};
            precedent = i;
        }
        Compte();
        *xLibre = X(precedent);
        *yLibre = Y(precedent);
        *direction = DirectionDuPas(X(i) - X(precedent), Y(i) - Y(precedent));
        // The first free cell beyond the obstacle, if any.
        while (Suivante())
            if (!Bloque(i)) {
                *xReprise = X(i);
                *yReprise = Y(i);
                break;
            }
        return 1;
    }
    int px = x, py = y;
    for (;;) {
        if (!l.Suivante()) {
            TrajetBrutNombre = n;
            *xLibre = *xReprise = x;
            *yLibre = *yReprise = y;
            return 0;
        }
        if (bloquee(l.x, l.y)) break;
        if (brut) {
            if (n < 0) n = 0;
            if (n < POINTS_TAMPON_TRAJET) brut[n++] = {l.x, l.y};
            if (n >= POINTS_TAMPON_TRAJET) {
                TrajetBrutNombre = n;
                return 0;
            }
        }
        px = l.x;
        py = l.y;
    }
    TrajetBrutNombre = n;
    *xLibre = px;
    *yLibre = py;
    *direction = DirectionDuPas(l.x - px, l.y - py);
    // The first free cell beyond the obstacle, if any.
    while (l.Suivante())
        if (!bloquee(l.x, l.y)) {
            *xReprise = l.x;
            *yReprise = l.y;
            break;
        }
    return 1;
}

int Marche(bool enregistre, const Obstacles& bloquee, int x, int y, int xBut, int yBut, int* xLibre, int* yLibre,
           int* xReprise, int* yReprise, int* direction) {
    if (bloquee.CarteDirecte())
        return MarcheAvec<LectureCarte>(enregistre, bloquee, x, y, xBut, yBut, xLibre, yLibre, xReprise, yReprise,
                                        direction);
    if (bloquee.CarteUnite())
        return MarcheAvec<LectureUnite>(enregistre, bloquee, x, y, xBut, yBut, xLibre, yLibre, xReprise, yReprise,
                                        direction);
    return MarcheAvec<Lecture>(enregistre, bloquee, x, y, xBut, yBut, xLibre, yLibre, xReprise, yReprise, direction);
}

// Every contour walk of one plan together never takes more steps than this; a walk that keeps
// closing its loop short of the goal gives up as one that took too long.
constexpr int PAS_CONTOURS_TOTAL_MAX = 128 * (PAS_CONTOUR_MAX + 1);

// The states (cell, direction) met by the walk in progress, each with the step count it was met
// at: a small open-addressing table keyed by the state, which stays in the first-level cache. An
// entry is the walk's number (high 32 bits), the state (17 bits) and the step count (9 bits, at
// most PAS_CONTOUR_MAX + 1); an entry of another walk is free. A walk records a state once at
// most (meeting it again ends the walk), and at most once per step up to step PAS_CONTOUR_MAX + 1
// before it ends or restarts under a new number, so the table is never more than a third full.
struct EtatsContour {
    static constexpr int BITS_PAS = 9;
    static_assert(PAS_CONTOUR_MAX + 1 < (1 << BITS_PAS));
    static_assert(static_cast<int64_t>(COTE_CARTE) * COTE_CARTE * 8 <= (int64_t{1} << (32 - BITS_PAS)));
    static constexpr int BITS_TABLE = 10;
    static constexpr uint32_t TAILLE = 1u << BITS_TABLE;
    static_assert(3 * (PAS_CONTOUR_MAX + 1) <= static_cast<int>(TAILLE));
    uint32_t marche = 0;
    std::vector<uint64_t> table = std::vector<uint64_t>(TAILLE, 0);
    // A new walk (or a walk restarted from a new resume cell): no state met yet.
    void Nouvelle() {
        if (++marche == 0) {
            std::fill(table.begin(), table.end(), 0);
            marche = 1;
        }
    }
    // The slot of state etat (a cell's index * 8 + direction) under the walk's number: the one
    // holding it, or the free one it goes in.
    [[gnu::always_inline]] uint64_t* Place(uint32_t etat) {
        const uint64_t numero = uint64_t{marche} << 32;
        uint32_t h = (etat * 0x9E3779B1u) >> (32 - BITS_TABLE);
        for (;; h = (h + 1) & (TAILLE - 1)) {
            uint64_t* const e = &table[h];
            if ((*e & ~uint64_t{0xFFFFFFFF}) != numero || static_cast<uint32_t>(*e) >> BITS_PAS == etat) return e;
        }
    }
    // Whether the slot holds a state of the walk in progress.
    bool Pris(const uint64_t* e) const { return *e >> 32 == marche; }
    static int Pas(const uint64_t* e) { return static_cast<int>(*e & ((1u << BITS_PAS) - 1)); }
    void Note(uint64_t* e, uint32_t etat, int pas) {
        *e = uint64_t{marche} << 32 | etat << BITS_PAS | static_cast<uint32_t>(pas);
    }
};
EtatsContour Etats;

// sens +1 follows the obstacle counter-clockwise, -1 clockwise.
template <class L>
CodeContour ContourAvec(int sens, const Obstacles& bloquee, int xDepart, int yDepart, int xReprise, int yReprise,
                        int d, int xBut, int yBut, int* xFin, int* yFin) {
    PointTrajet* tampon = sens > 0 ? TrajetTrigo : TrajetTrigoInverse;
    int32_t& nombreTampon = sens > 0 ? TrajetTrigoNombre : TrajetTrigoInverseNombre;
    if (!tampon) return CONTOUR_SORTIE;
    if (nombreTampon < 0 || nombreTampon >= POINTS_TAMPON_TRAJET) nombreTampon = 0;
    // The point count, the step count and the end cell are kept here during the walk and stored
    // on return.
    int32_t nombre = nombreTampon;
    int pasContour = 0;
    int fx = xDepart, fy = yDepart;
    auto Fin = [&](CodeContour code) {
        nombreTampon = nombre;
        ContourPas = pasContour;
        *xFin = fx;
        *yFin = fy;
        return code;
    };
    d = Tourne(d, 0);
    int cx = xDepart, cy = yDepart;
    ContourPas = 0;
    const int ox = bloquee.Ox(), oy = bloquee.Oy();
    const int w = TrajetEmpriseLargeur, h = TrajetEmpriseHauteur;
    const bool grand = w > 1 || h > 1;
    const int m = grand ? 3 : 0;
    // Away from the map's edge every neighbour is on the map: with the answers kept, a neighbour's
    // is read by its index, without the map test.
    static constexpr int VOISIN[8] = {1, 1 - COTE_CARTE, -COTE_CARTE, -1 - COTE_CARTE,
                                      -1, COTE_CARTE - 1, COTE_CARTE, COTE_CARTE + 1};
    static_assert([] {
        for (int k = 0; k < 8; ++k)
            if (VOISIN[k] != DirectionDx[k] + COTE_CARTE * DirectionDy[k]) return false;
        return true;
    }());
    bool interieur = false, surCarte = false;
    int indice = 0;
    const bool memorise = bloquee.Memorise();
    auto Place = [&] {
        // 0 <= c < COTE_CARTE, and 1 <= c < COTE_CARTE - 1, as one unsigned compare each.
        const unsigned ux = static_cast<unsigned>(cx), uy = static_cast<unsigned>(cy);
        surCarte = ux < COTE_CARTE && uy < COTE_CARTE;
        interieur = memorise && ux - 1u < COTE_CARTE - 2u && uy - 1u < COTE_CARTE - 2u;
        indice = cx + COTE_CARTE * cy;
    };
    Place();
    const L Lue(bloquee);
    auto B = [&](int dir) {
        return interieur ? Lue(indice + VOISIN[dir]) : bloquee(cx + DirectionDx[dir], cy + DirectionDy[dir]);
    };

    for (int essai = 0; essai < 8; ++essai) {
        const bool trouve = !B(Tourne(d, sens)) && B(d);
        d = Tourne(d, sens);
        if (trouve) break;
    }

    // Past its first steps (its step count above both thresholds below), a step depends only on the
    // cell, the direction it starts from and the resume cell: a walk back in a state it met since
    // the walk (re)started loops through the same steps until it gives up, and those steps are
    // copied from the loop's first turn instead of being worked out again.
    const int seuilBoucle = std::max(m, w + 4);
    // The tests against the resume cell and the start, as boxes of positions (w, h >= 1).
    Zone presReprise = Zone::Pres(w, h, ox, oy, xReprise, yReprise),
         surReprise = Zone::Sur(w, h, ox, oy, xReprise, yReprise);
    const Zone presDepart = Zone::Pres(w, h, ox, oy, xDepart, yDepart),
               surDepart = Zone::Sur(w, h, ox, oy, xDepart, yDepart);
    Etats.Nouvelle();

    int pasTotal = 0;
    for (;;) {
        ++pasContour;
        if (++pasTotal > PAS_CONTOURS_TOTAL_MAX) return Fin(CONTOUR_TROP_LONG);
        if (pasContour > seuilBoucle && surCarte) {
            const uint32_t etat = static_cast<uint32_t>(indice * 8 + d);
            uint64_t* const vu = Etats.Place(etat);
            if (Etats.Pris(vu)) {
                // This step and the next ones each append the point one loop back, until the
                // first of: the buffer full (SORTIE, checked first), the step count past
                // PAS_CONTOUR_MAX, then the total count past its bound, checked once the step is
                // done (its point then ends the walk).
                const int periode = pasContour - EtatsContour::Pas(vu);
                const int pleins = POINTS_TAMPON_TRAJET - nombre, longs = PAS_CONTOUR_MAX + 2 - pasContour,
                          total = PAS_CONTOURS_TOTAL_MAX - pasTotal + 1;
                const int pas = std::min({pleins, longs, total});
                // The points from one loop back repeat with the loop's period: each copy takes
                // as many whole periods as are already in place, and does not overlap them.
                for (int fait = 0; fait < pas;) {
                    const int enPlace = periode * (1 + fait / periode);
                    const int n = std::min(pas - fait, enPlace);
                    std::memcpy(tampon + nombre, tampon + nombre - enPlace, sizeof(PointTrajet) * static_cast<size_t>(n));
                    nombre += n;
                    fait += n;
                }
                const int finis = pas < pleins && pas < longs ? pas : pas - 1;
                pasContour += finis;
                if (finis > 0) {
                    fx = tampon[nombre - pas + finis - 1].x;
                    fy = tampon[nombre - pas + finis - 1].y;
                }
                return Fin(pas == pleins ? CONTOUR_SORTIE : CONTOUR_TROP_LONG);
            }
            Etats.Note(vu, etat, pasContour);
        }
        // From d, turning against the sense, the first free direction whose next one that way is
        // blocked; back at the start's axis after turning, the search starts again from d with the
        // sense; eight tries at most.
        // Written once for each way of reading a neighbour, chosen per step.
        auto Cherche = [&](auto&& Voisin) {
            int tour = -sens;
            const int d0 = d;
            bool tourne = false;
            bool bD = Voisin(d), bN = Voisin(Tourne(d, tour));
            for (int k = 0; k < 8; ++k) {
                if (!bD && bN) {
                    // d0 is in 0..7: d0 % 4 as a mask.
                    if (d != (d0 & 3) || !tourne) break;
                    d = d0;
                    tour = sens;
                    bD = Voisin(d);
                    bN = Voisin(Tourne(d, tour));
                }
                tourne = true;
                d = Tourne(d, tour);
                bD = bN;
                bN = Voisin(Tourne(d, tour));
            }
        };
        if (interieur)
            Cherche([&](int k) { return Lue(indice + VOISIN[k]); });
        else
            Cherche([&](int k) { return bloquee(cx + DirectionDx[k], cy + DirectionDy[k]); });
        // A neighbour covering the resume cell is taken instead: a diagonal one when both cells
        // beside it are free, a straight one for a one-cell rectangle.
        if (pasContour > m && presReprise.Dans(cx, cy)) {
            for (int k = 0; k < 8; ++k) {
                if (!surReprise.Dans(cx + DirectionDx[k], cy + DirectionDy[k])) continue;
                if (k % 2 == 1 ? !B(Tourne(k, -1)) && !B(Tourne(k, 1)) : !grand) {
                    d = k;
                    break;
                }
            }
        }

        const bool pres = pasContour > w + 4 && presDepart.Dans(cx, cy);
        for (int j = 0; pres && j < 8; ++j) {
            if (surDepart.Dans(cx + DirectionDx[j], cy + DirectionDy[j])) {
                int lx, ly, rx, ry, dir;
                if (Marche(false, bloquee, xReprise, yReprise, xBut, yBut, &lx, &ly, &rx, &ry, &dir) == 0)
                    return Fin(CONTOUR_BOUCLE);
                xReprise = rx;
                yReprise = ry;
                presReprise = Zone::Pres(w, h, ox, oy, xReprise, yReprise);
                surReprise = Zone::Sur(w, h, ox, oy, xReprise, yReprise);
                fx = rx;
                fy = ry;
                nombre = 0;
                pasContour = 0;
                Etats.Nouvelle();
                break;
            }
        }

        const int nx = cx + DirectionDx[d], ny = cy + DirectionDy[d];
        if (!SurCarte(nx, ny)) return Fin(CONTOUR_SORTIE);
        tampon[nombre++] = {nx, ny};
        if (nombre >= POINTS_TAMPON_TRAJET) return Fin(CONTOUR_SORTIE);
        cx = nx;
        cy = ny;
        Place();
        if (pasContour > PAS_CONTOUR_MAX) return Fin(CONTOUR_TROP_LONG);
        fx = cx;
        fy = cy;
        if (pasContour > m && surReprise.Dans(cx, cy)) return Fin(CONTOUR_ATTEINT);
    }
}

CodeContour Contour(int sens, const Obstacles& bloquee, int xDepart, int yDepart, int xReprise, int yReprise, int d,
                    int xBut, int yBut, int* xFin, int* yFin) {
    if (bloquee.CarteDirecte())
        return ContourAvec<LectureCarte>(sens, bloquee, xDepart, yDepart, xReprise, yReprise, d, xBut, yBut, xFin, yFin);
    if (bloquee.CarteUnite())
        return ContourAvec<LectureUnite>(sens, bloquee, xDepart, yDepart, xReprise, yReprise, d, xBut, yBut, xFin, yFin);
    return ContourAvec<Lecture>(sens, bloquee, xDepart, yDepart, xReprise, yReprise, d, xBut, yBut, xFin, yFin);
}

// Appends a whole contour to the raw path; false when it would fill it.
bool AjouteContour(const PointTrajet* contour, int32_t nombre) {
    if (TrajetBrutNombre + nombre >= POINTS_TAMPON_TRAJET) return false;
    for (int32_t i = 0; i < nombre; ++i) TrajetBrut[TrajetBrutNombre++] = contour[i];
    return true;
}

void ButLibre(const Obstacles& bloquee, int xBut, int yBut, int xDepart, int yDepart, int* xNouveau, int* yNouveau,
              int* direction) {
    *xNouveau = xDepart;
    *yNouveau = yDepart;
    Ligne l(xBut, yBut, xDepart, yDepart);
    int px = xBut, py = yBut;
    while (l.Suivante()) {
        if (direction) *direction = DirectionDuPas(l.x - px, l.y - py);
        px = l.x;
        py = l.y;
        if (l.x == xDepart && l.y == yDepart) break;
        if (!bloquee(l.x, l.y)) {
            *xNouveau = l.x;
            *yNouveau = l.y;
            return;
        }
    }
}

// Trajet__Segment(a, b) for a line between two cells of the map whose cells after a were just
// tested in sight, their indices in vues: the same points, read back from them.
void SegmentVu(PointTrajet a, PointTrajet b, const int* vues) {
    if (!TrajetLisse) return;
    if (TrajetLisseNombre < 0) TrajetLisseNombre = 0;
    if (a.x == b.x && a.y == b.y) return;
    if (TrajetLisseNombre >= POINTS_TAMPON_TRAJET) return;
    TrajetLisse[TrajetLisseNombre++] = a;
    const int reste = std::max(a.x > b.x ? a.x - b.x : b.x - a.x, a.y > b.y ? a.y - b.y : b.y - a.y);
    const int cellules = std::min(reste - 1, POINTS_TAMPON_TRAJET - TrajetLisseNombre);
    if (cellules <= 0) return;
    PointTrajet* const sortie = TrajetLisse + TrajetLisseNombre;
    TrajetLisseNombre += cellules;
    for (int k = 0; k < cellules; ++k)
        sortie[k] = {static_cast<int>(static_cast<unsigned>(vues[k]) % COTE_CARTE),
                     static_cast<int>(static_cast<unsigned>(vues[k]) / COTE_CARTE)};
}

// Trajet__Lissage with the plan's blocking test.
void Lisse(const Obstacles& bloquee) {
    if (!TrajetBrut || !TrajetLisse) return;
    if (TrajetLisseNombre < 0) TrajetLisseNombre = 0;
    const int n = TrajetBrutNombre < POINTS_TAMPON_TRAJET ? TrajetBrutNombre : POINTS_TAMPON_TRAJET;
    int i = 0;
    while (i < n && TrajetLisseNombre < POINTS_TAMPON_TRAJET) {
        // The farthest point in sight. A cell found blocked on one line from a blocks every later
        // line that passes it: the last few are kept, and a line through one of them is not walked.
        const PointTrajet a = TrajetBrut[i];
        constexpr int MURS = 8;
        PointTrajet murs[MURS];
        int nMurs = 0, dernier = 0;
        // The cells of the last line walked, for the segment drawn along it when it is in sight.
        int vues[COTE_CARTE];
        bool enVue = false;
        int j = n - 1;
        for (; j > i; --j) {
            const PointTrajet b = TrajetBrut[j];
            if (a.x == b.x && a.y == b.y) break;
            bool coupe = false;
            if (nMurs > 0) {
                const CasesVues vues(a.x, a.y, b.x, b.y);
                for (int k = 0, m = dernier; k < nMurs && !coupe; ++k, m = (m + MURS - 1) % MURS)
                    coupe = vues.Contient(murs[m]);
            }
            if (coupe) continue;
            PointTrajet mur;
            if (Visible(bloquee, a.x, a.y, b.x, b.y, &mur, vues)) {
                enVue = true;
                break;
            }
            dernier = (dernier + 1) % MURS;
            murs[dernier] = mur;
            if (nMurs < MURS) ++nMurs;
        }
        const PointTrajet b = TrajetBrut[j];
        if (enVue && bloquee.Memorise() && SurCarte(a.x, a.y) && SurCarte(b.x, b.y))
            SegmentVu(a, b, vues);
        else
            Trajet__Segment(a.x, a.y, b.x, b.y);
        if (TrajetLisseNombre >= POINTS_TAMPON_TRAJET) break;
        TrajetLisse[TrajetLisseNombre++] = TrajetBrut[j];
        i = j + 1;
    }
}

void LibreFormation(int groupe) {
    if (!Groupe__Actif(groupe)) return;
    TableGroupes[groupe].modeFormation = 1;
    TableGroupes[groupe].enFuite = 1;
}

}  // namespace

int Trajet__CaseBloquee(int x, int y, const uint32_t* carte, int permisA, int permisB, int groupe) {
    return Obstacles(carte, permisA, permisB, groupe)(x, y) ? 1 : 0;
}

int Trajet__LigneDroite(int x, int y, int xBut, int yBut, int* xDernierLibre, int* yDernierLibre, int* xReprise,
                        int* yReprise, int* direction, const uint32_t* carte, int objet, int groupe) {
    return Marche(true, Plan(carte, objet, groupe), x, y, xBut, yBut, xDernierLibre, yDernierLibre, xReprise, yReprise,
                  direction);
}

int Trajet__TesteLigne(int x, int y, int xBut, int yBut, int* xDernierLibre, int* yDernierLibre, int* xReprise,
                       int* yReprise, int* direction, const uint32_t* carte, int objet, int groupe) {
    return Marche(false, Plan(carte, objet, groupe), x, y, xBut, yBut, xDernierLibre, yDernierLibre, xReprise, yReprise,
                  direction);
}

void Trajet__ButLibre(int xBut, int yBut, int xDepart, int yDepart, int* xNouveau, int* yNouveau, int* direction,
                      const uint32_t* carte, int objet, int groupe) {
    ButLibre(Plan(carte, objet, groupe), xBut, yBut, xDepart, yDepart, xNouveau, yNouveau, direction);
}

CodeContour Trajet__ContourTrigo(int xDepart, int yDepart, int xReprise, int yReprise, int direction,
                                 const uint32_t* carte, int xBut, int yBut, int* xFin, int* yFin, int objet,
                                 int groupe) {
    return Contour(1, Plan(carte, objet, groupe), xDepart, yDepart, xReprise, yReprise, direction, xBut, yBut, xFin, yFin);
}

CodeContour Trajet__ContourTrigoInverse(int xDepart, int yDepart, int xReprise, int yReprise, int direction,
                                        const uint32_t* carte, int xBut, int yBut, int* xFin, int* yFin, int objet,
                                        int groupe) {
    return Contour(-1, Plan(carte, objet, groupe), xDepart, yDepart, xReprise, yReprise, direction, xBut, yBut, xFin,
                   yFin);
}

int Trajet__Visibilite(int ax, int ay, int bx, int by, const uint32_t* carte, int objet, int groupe) {
    PointTrajet mur;
    return Visible(Plan(carte, objet, groupe), ax, ay, bx, by, &mur) ? 1 : 0;
}

void Trajet__Segment(int ax, int ay, int bx, int by) {
    if (!TrajetLisse) return;
    if (TrajetLisseNombre < 0) TrajetLisseNombre = 0;
    if (ax == bx && ay == by) return;
    if (TrajetLisseNombre >= POINTS_TAMPON_TRAJET) return;
    TrajetLisse[TrajetLisseNombre++] = {ax, ay};
    Ligne l(ax, ay, bx, by);
    // The line's k-th cell is k steps along its longer axis, so only its last one (of l.reste) is
    // b: the cells before it, as many as the buffer takes.
    const int cellules = std::min(l.reste - 1, POINTS_TAMPON_TRAJET - TrajetLisseNombre);
    if (cellules <= 0) return;
    PointTrajet* const sortie = TrajetLisse + TrajetLisseNombre;
    TrajetLisseNombre += cellules;
    if (SurCarte(ax, ay) && SurCarte(bx, by)) {
        // Between two cells of the map: stepped as Ligne does by the cells' index, each cell's
        // coordinates read back from it.
        LigneIndice li(l, ax, ay);
        for (int k = 0; k < cellules; ++k) {
            li.Suivante();
            sortie[k] = {static_cast<int>(static_cast<unsigned>(li.i) % COTE_CARTE),
                         static_cast<int>(static_cast<unsigned>(li.i) / COTE_CARTE)};
        }
        return;
    }
    for (int k = 0; k < cellules; ++k) {
        l.Suivante();
        sortie[k] = {l.x, l.y};
    }
}

void Trajet__Lissage(const uint32_t* carte, int objet, int groupe) { Lisse(Plan(carte, objet, groupe)); }

void Direction__Tourne(int* d, int sens) {
    if (d) *d = Tourne(*d, sens == 1 ? 1 : -1);
}

void Direction__Voisine(int* sortie, int d, int sens) {
    if (sortie) *sortie = Tourne(d, sens == 1 ? 1 : -1);
}

int Trajet__Calcul(int xDepart, int yDepart, int xBut, int yBut, int32_t* nombre, PointTrajet* points,
                   const uint32_t* carte, int objet, int groupe) {
    // The cells' answers are kept for this plan only.
    struct Session {
        Session() {
            if (++Memo.generation >= (1u << 31)) {
                std::fill(Memo.cases.begin(), Memo.cases.end(), 0);
                std::fill(Memo.colonnes.begin(), Memo.colonnes.end(), 0);
                Memo.generation = 1;
            }
            Memo.actif = true;
            Memo.cle = false;
        }
        ~Session() { Memo.actif = false; }
    } session;
    const Groupe* g = GroupePlanifie(groupe);
    if (!g && groupe > 0) {
        // A group not in use, or whose leader slot is not an object: nothing to plan for.
        if (nombre) *nombre = 0;
        TrajetBrutNombre = TrajetLisseNombre = 0;
        return 1;
    }
    if (g) {
        const int t = TableObjets[g->membres[0]].taille;
        TrajetEmpriseLargeur = g->largeurFormation * t;
        TrajetEmpriseHauteur = g->hauteurFormation * t;
    } else {
        groupe = -1;
        const int t = objet > 0 && objet < NOMBRE_OBJETS ? TableObjets[objet].taille : 1;
        TrajetEmpriseLargeur = TrajetEmpriseHauteur = t;
    }
    // An empty rectangle would be free everywhere, off the map included.
    if (TrajetEmpriseLargeur < 1) TrajetEmpriseLargeur = 1;
    if (TrajetEmpriseHauteur < 1) TrajetEmpriseHauteur = 1;
    if (nombre) *nombre = 0;
    TrajetBrutNombre = 0;
    TrajetLisseNombre = 0;
    if (!TrajetBrut || !TrajetLisse || !TrajetTrigo || !TrajetTrigoInverse || !nombre) return 1;

    // One blocking test for the whole plan: nothing it reads changes while the plan is worked out.
    const Obstacles bloquee = Plan(carte, objet, groupe);
    if (bloquee(xBut, yBut)) {
        int dir = 0;
        ButLibre(bloquee, xBut, yBut, xDepart, yDepart, &xBut, &yBut, &dir);
        LibreFormation(groupe);
    }

    int ret1 = 0, ret2 = 0;
    int cx = xDepart, cy = yDepart;
    // Each turn appends to the raw path or moves nearer the goal; the bound is a safeguard.
    for (int tour = 0; cx != xBut || cy != yBut; ++tour) {
        if (tour >= POINTS_TAMPON_TRAJET) {
            *nombre = 0;
            return 1;
        }
        int lx, ly, rx, ry, dir = 0;
        if (Marche(true, bloquee, cx, cy, xBut, yBut, &lx, &ly, &rx, &ry, &dir) == 0) break;
        TrajetTrigoNombre = TrajetTrigoInverseNombre = 0;
        int fx1, fy1, fx2, fy2;
        ret1 = Contour(1, bloquee, lx, ly, rx, ry, dir, xBut, yBut, &fx1, &fy1);
        ret2 = Contour(-1, bloquee, lx, ly, rx, ry, dir, xBut, yBut, &fx2, &fy2);
        if (ret1 == CONTOUR_SORTIE && ret2 == CONTOUR_SORTIE) {
            *nombre = 0;
            return 1;
        }
        if ((ret1 == CONTOUR_BOUCLE && ret2 == CONTOUR_BOUCLE) || (ret1 == CONTOUR_TROP_LONG && ret2 == CONTOUR_TROP_LONG)) {
            LibreFormation(groupe);
            break;
        }
        if (ret1 >= 0 && (TrajetTrigoNombre < TrajetTrigoInverseNombre || ret2 == CONTOUR_BOUCLE)) {
            if (!AjouteContour(TrajetTrigo, TrajetTrigoNombre)) {
                *nombre = 0;
                return 1;
            }
            cx = fx1;
            cy = fy1;
        } else if (ret2 >= 0) {
            if (!AjouteContour(TrajetTrigoInverse, TrajetTrigoInverseNombre)) {
                *nombre = 0;
                return 1;
            }
            cx = fx2;
            cy = fy2;
        } else {
            cx = rx;
            cy = ry;
        }
    }

    if (ret1 == CONTOUR_BOUCLE || ret2 == CONTOUR_BOUCLE) {
        *nombre = 0;
        if (TrajetBrutNombre >= POINTS_TAMPON_TRAJET) return 1;
    }
    Lisse(bloquee);
    // The output pair is normally TrajetLisse itself.
    if (points != TrajetLisse || nombre != &TrajetLisseNombre) {
        if (points && points != TrajetLisse)
            for (int32_t i = 0; i < TrajetLisseNombre; ++i) points[i] = TrajetLisse[i];
        *nombre = TrajetLisseNombre;
    }
    return 0;
}
