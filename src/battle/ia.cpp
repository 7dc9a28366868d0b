#include "battle/ia.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <vector>

#include "battle/ordres.h"
#include "battle/cibles.h"
#include "shell/conditions.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/objets.h"

int32_t IACompteur = 0;
int32_t TricheIAJoueur = 0;

const std::array<std::array<float, 5>, 5> TableFormationIA = {{
    {5, 4, 3, 2, 1},
    {7, 5, 4, 3, 2},
    {9, 7, 5, 4, 3},
    {11, 9, 7, 5, 4},
    {15, 11, 9, 7, 5},
}};

namespace {

bool Valide(int n) { return n >= 1 && n < NOMBRE_OBJETS; }

// The group's leader, or null when the group has no valid first member.
Objet* Chef(const Groupe& g) {
    if (!g.membres || g.nbMembres <= 0 || !Valide(g.membres[0])) return nullptr;
    return &TableObjets[g.membres[0]];
}

bool Ciblable(int armee, int autre) {
    if (armee < 0 || armee > 5 || autre < 0 || autre > 5) return false;
    return TableCiblage[static_cast<size_t>(armee)][static_cast<size_t>(autre)] != 0;
}

// IA__Distance, read from a table of the truncated roots for the distances on the map.
// Built at start-up rather than at the first call: the scan calls Distance millions of times, and
// a function's own static is checked at each call.
constexpr int RACINES_MAX = 2 * (TAILLE_UNIVERS - 1) * (TAILLE_UNIVERS - 1);
const std::vector<uint8_t> Racines = [] {
    std::vector<uint8_t> r(RACINES_MAX + 1);
    for (int d = 0; d <= RACINES_MAX; ++d) r[static_cast<size_t>(d)] = static_cast<uint8_t>(static_cast<int>(std::sqrt(static_cast<double>(d))));
    return r;
}();

inline int Distance(int x1, int y1, int x2, int y2) {
    const int64_t dx = int64_t{x2} - x1, dy = int64_t{y2} - y1, d = dx * dx + dy * dy;
    if (d > RACINES_MAX) return IA__Distance(x1, y1, x2, y2);
    return Racines[static_cast<size_t>(d)];
}

int Mode(const Groupe& g) { return g.modeFormation >= 1 && g.modeFormation <= 5 ? g.modeFormation : 1; }

// The formation factors as the scores take them, cut to ints.
const std::array<std::array<int, 5>, 5> FormationEntiere = [] {
    std::array<std::array<int, 5>, 5> f{};
    for (size_t a = 0; a < 5; ++a)
        for (size_t b = 0; b < 5; ++b) f[a][b] = static_cast<int>(TableFormationIA[a][b]);
    return f;
}();

// The smallest formation factor over a set of modes (bit m - 1 for mode m), for each mode of the
// group choosing; 9999 for the empty set.
const std::array<std::array<int, 5>, 32> FormationMin = [] {
    std::array<std::array<int, 5>, 32> f{};
    for (int masque = 0; masque < 32; ++masque)
        for (int m = 0; m < 5; ++m) {
            int v = 9999;
            for (int mode = 0; mode < 5; ++mode)
                if (masque & (1 << mode))
                    v = std::min(v, static_cast<int>(TableFormationIA[static_cast<size_t>(mode)][static_cast<size_t>(m)]));
            f[static_cast<size_t>(masque)][static_cast<size_t>(m)] = v;
        }
    return f;
}();

// The largest factor of the formation table.
const int FormationMax = [] {
    int v = 0;
    for (const auto& ligne : TableFormationIA)
        for (const float f : ligne) v = std::max(v, static_cast<int>(f));
    return v;
}();

// What bounds the score factors of a set of candidates from below: their modes, fewest members
// and fewest hit points.
struct Minima {
    int32_t modes = 0, membres = INT32_MAX, pv = INT32_MAX;
    void Ajoute(int mode, int32_t m, int32_t p) {
        modes |= 1 << (mode - 1);
        membres = std::min(membres, m);
        pv = std::min(pv, p);
    }
    void Fusionne(const Minima& m) {
        modes |= m.modes;
        membres = std::min(membres, m.membres);
        pv = std::min(pv, m.pv);
    }
};

}  // namespace

int FacteurEffectifIA(int membres, int membresAutre) {
    if (membresAutre <= 0) return 1;
    const int q = membres / membresAutre;
    return q >= 3 ? 1 : q >= 1 ? 2 : 3;
}

int IA__Distance(int x1, int y1, int x2, int y2) {
    const double dx = x2 - x1, dy = y2 - y1;
    return static_cast<int>(std::sqrt(dx * dx + dy * dy));
}

int IA__EvaluationCibles() {
    // What the pair scan reads of each group that can be a target, gathered once per evaluation in
    // list order: the scan then walks a small array instead of two large tables. Only forceEngagee
    // changes during the scan; it is mirrored in engagee, indexed by group.
    struct Candidat {
        int32_t groupe, armee, couche, mode, nbMembres, pv, butX, butY, force;
    };
    static std::vector<int32_t> pv(NOMBRE_GROUPES);
    static std::vector<int32_t> engagee(NOMBRE_GROUPES);
    static std::vector<int32_t> ordre(NOMBRE_GROUPES);
    static std::vector<Candidat> candidats(NOMBRE_GROUPES);
    ordre.clear();
    candidats.clear();
    for (const NoeudEntier* n = ListeGroupesActifs; n && n->suivant; n = n->suivant) {
        const int g = n->valeur;
        if (g < 1 || g >= NOMBRE_GROUPES) continue;
        ordre.push_back(g);
        const Groupe& gr = TableGroupes[static_cast<size_t>(g)];
        // Summed wide and cut to +-INT32_MAX: huge hit points from a master's file neither wrap
        // round nor give INT32_MIN, whose division by -1 would not fit.
        int64_t s = 0;
        for (int i = 0; gr.membres && i < gr.nbMembres; ++i)
            if (Valide(gr.membres[i])) s += TableObjets[gr.membres[i]].pointsDeVie;
        pv[static_cast<size_t>(g)] = static_cast<int32_t>(std::clamp<int64_t>(s, -INT32_MAX, INT32_MAX));
        engagee[static_cast<size_t>(g)] = gr.forceEngagee;
    }
    for (const int oi : ordre) {
        const Groupe& o = TableGroupes[static_cast<size_t>(oi)];
        const Objet* co = Chef(o);
        if (!co || !o.geree || co->actif != 1) continue;
        const int32_t hpO = pv[static_cast<size_t>(oi)] != 0 ? pv[static_cast<size_t>(oi)] : 1;
        candidats.push_back({oi, co->armee, co->couche, Mode(o), o.nbMembres, hpO, o.butX, o.butY, o.force});
    }

    // Whether every score is at least the distance: then a candidate further than the best score
    // found so far cannot win, nor tie. Not when a candidate has no hit points, nor when a group
    // is listed twice (two candidates sharing one engagement).
    bool elagage = true;
    static std::vector<uint32_t> vu(NOMBRE_GROUPES, 0);
    static uint32_t evaluation = 0;
    ++evaluation;
    // Per army, how many of its candidates on the map are still open (engaged below their
    // strength), and what bounds their score factors from below (kept with the squares').
    Minima bornes[6];
    int32_t ouvertsArmee[6] = {};
    int32_t pvMax = 0;
    auto ouvert = [&](const Candidat& c) { return engagee[static_cast<size_t>(c.groupe)] < c.force; };
    auto surCarte = [](int x, int y) { return x >= 0 && y >= 0 && x < TAILLE_UNIVERS && y < TAILLE_UNIVERS; };
    for (const Candidat& c : candidats) {
        if (c.pv < 1) elagage = false;
        if (vu[static_cast<size_t>(c.groupe)] == evaluation) elagage = false;
        vu[static_cast<size_t>(c.groupe)] = evaluation;
        pvMax = std::max(pvMax, c.pv);
        if (c.armee < 0 || c.armee > 5) continue;
        if (surCarte(c.butX, c.butY) && ouvert(c)) ++ouvertsArmee[c.armee];
    }
    // Whether no score of a candidate on the map can pass INT32_MAX (each factor at its largest:
    // formation, members 3, hit points pvMax / 1 + 1, the distance across the map). Then the
    // candidates are searched by squares of the map; else every candidate is scored.
    const bool sansDebordement =
        int64_t{FormationMax} * 3 * (int64_t{pvMax} + 1) * Racines[static_cast<size_t>(RACINES_MAX)] <= INT32_MAX;
    const bool parCarres = elagage && sansDebordement;
    // Candidates whose goal is off the map (or whose army is off the table) are always looked at.
    static std::vector<int32_t> horsCarte(NOMBRE_GROUPES);
    horsCarte.clear();

    // The open candidates by army and square of the map (of their goals), each square's in a
    // span of `liste` (any order: the choice does not depend on the order of the tries) with
    // what the scan reads of them, and what bounds the score factors of those candidates from
    // below. Per army, the squares holding open candidates as a bit mask per row of squares, so
    // that a row's empty squares cost nothing.
    constexpr int CARRE = 8, CARRES = TAILLE_UNIVERS / CARRE;
    static_assert(CARRES * CARRE == TAILLE_UNIVERS && CARRES <= 32);
    struct Entree {
        int32_t rang, groupe, couche, mode, nbMembres, pv, butX, butY;
    };
    auto entree = [&](int32_t k) {
        const Candidat& c = candidats[static_cast<size_t>(k)];
        return Entree{k, c.groupe, c.couche, c.mode, c.nbMembres, c.pv, c.butX, c.butY};
    };
    static std::vector<int32_t> debutCarre(6 * CARRES * CARRES + 1), ouvertsCarre(6 * CARRES * CARRES);
    static std::vector<Minima> minCarre(6 * CARRES * CARRES);
    static std::vector<int32_t> carreDe, place;   // by candidate: its square (-1 none), its place in liste
    static std::vector<Entree> liste;
    uint32_t masqueLigne[6][CARRES] = {};   // bit i of row j
    auto basculeMasques = [&](int q) { masqueLigne[q / (CARRES * CARRES)][q / CARRES % CARRES] ^= 1u << (q % CARRES); };
    // An army's bound from its open squares'.
    auto recalculeBorne = [&](int armee) {
        Minima b;
        for (int j = 0; j < CARRES; ++j)
            for (uint32_t bits = masqueLigne[armee][j]; bits; bits &= bits - 1)
                b.Fusionne(minCarre[static_cast<size_t>((armee * CARRES + j) * CARRES + __builtin_ctz(bits))]);
        bornes[armee] = b;
    };
    if (parCarres) {
        std::fill(debutCarre.begin(), debutCarre.end(), 0);
        std::fill(ouvertsCarre.begin(), ouvertsCarre.end(), 0);
        std::fill(minCarre.begin(), minCarre.end(), Minima{});
        carreDe.resize(candidats.size());
        liste.resize(candidats.size());
        place.resize(candidats.size());
        for (size_t k = 0; k < candidats.size(); ++k) {
            const Candidat& c = candidats[k];
            if (c.armee < 0 || c.armee > 5 || !surCarte(c.butX, c.butY)) {
                carreDe[k] = -1;
                horsCarte.push_back(static_cast<int32_t>(k));
                continue;
            }
            const int q = (c.armee * CARRES + c.butY / CARRE) * CARRES + c.butX / CARRE;
            carreDe[k] = q;
            ++debutCarre[static_cast<size_t>(q) + 1];
        }
        for (size_t q = 1; q < debutCarre.size(); ++q) debutCarre[q] += debutCarre[q - 1];
        for (size_t k = 0; k < candidats.size(); ++k) {
            const int q = carreDe[k];
            if (q < 0 || !ouvert(candidats[k])) continue;
            if (ouvertsCarre[static_cast<size_t>(q)] == 0) basculeMasques(q);
            const int32_t p = debutCarre[static_cast<size_t>(q)] + ouvertsCarre[static_cast<size_t>(q)]++;
            liste[static_cast<size_t>(p)] = entree(static_cast<int32_t>(k));
            place[k] = p;
            minCarre[static_cast<size_t>(q)].Ajoute(candidats[k].mode, candidats[k].nbMembres, candidats[k].pv);
        }
        for (int armee = 0; armee < 6; ++armee) recalculeBorne(armee);
    }

    int choix = -1;
    for (const int gi : ordre) {
        Groupe& g = TableGroupes[static_cast<size_t>(gi)];
        Objet* cg = Chef(g);
        if (!cg) continue;
        if (cg->taille > 1 && g.groupeCibleIA != -1 && cg->compteurRepos > 4) {
            g.groupeCibleIAPrecedent = g.groupeCibleIA;
            g.groupeCibleIA = -1;
        }
        if (!g.geree) continue;
        int meilleur = 9999999;
        int meilleurRang = -1;   // the candidate's place in list order: the later one wins a tie
        choix = -1;
        const bool partout = cg->classe == CLASSE_ARCHER || cg->couche == 2 || cg->sorts[0] != -1;
        const int hpG = pv[static_cast<size_t>(gi)] != 0 ? pv[static_cast<size_t>(gi)] : 1;
        const int modeG = Mode(g);
        // The score of a candidate of formation mode `mode`, hit points' factor `facteurPv`
        // (its hit points / hpG + 1) at distance d; note keeps it when it beats the best (the later
        // in list order winning a tie). The search by squares, whose scores all fit an int, passes
        // an int factor. The scan of every pair passes a 64-bit one, and its score is cut to an
        // int's range: a score past INT32_MAX (hit points in the hundreds of thousands against a
        // weak group) stays the worst there is instead of wrapping round to a winning one.
        auto calcule = [&](int mode, int effectif, auto facteurPv, int d) {
            using T = decltype(facteurPv);
            const T score = T{FormationEntiere[static_cast<size_t>(mode - 1)][static_cast<size_t>(modeG - 1)]} *
                            effectif * facteurPv * d;
            if constexpr (sizeof(T) > sizeof(int))
                return static_cast<int>(std::clamp<int64_t>(score, INT32_MIN, INT32_MAX));
            else
                return score;
        };
        auto note = [&](int mode, int effectif, int64_t facteurPv, int d, int rang) {
            const int score = calcule(mode, effectif, facteurPv, d);
            if (score < meilleur || (score == meilleur && rang > meilleurRang)) {
                meilleur = score;
                meilleurRang = rang;
            }
        };
        auto essai = [&](int k) {
            const Candidat& o = candidats[static_cast<size_t>(k)];
            const int oi = o.groupe;
            if (!Ciblable(cg->armee, o.armee)) return;
            if (!partout && o.couche != cg->couche) return;
            if (engagee[static_cast<size_t>(oi)] >= o.force) return;
            if (g.groupeCibleIAPrecedent != -1 && oi == g.groupeCibleIAPrecedent) return;
            note(o.mode, FacteurEffectifIA(g.nbMembres, o.nbMembres), int64_t{o.pv} / hpG + 1, Distance(o.butX, o.butY, g.butX, g.butY), k);
        };
        if (!parCarres || hpG < 1 || !surCarte(g.butX, g.butY)) {
            for (size_t k = 0; k < candidats.size(); ++k) essai(static_cast<int>(k));
        } else {
            for (const int32_t k : horsCarte) essai(k);
            const int gx = g.butX, gy = g.butY, cx = gx / CARRE, cy = gy / CARRE;
            const int32_t precedent = g.groupeCibleIAPrecedent, couche = cg->couche;
            const int32_t tiers = g.nbMembres / 3;
            // FacteurEffectifIA(g.nbMembres, m) by compares, for m >= 1 (every group with a
            // leader has members) and g.nbMembres >= 1.
            auto effectif = [&](int32_t m) { return 1 + (m > tiers) + (m > g.nbMembres); };
            // x / hpG for the hit points here, all at least 1, as hpG.
            const Diviseur parPvG(static_cast<uint32_t>(hpG));
            auto facteurPv = [&](int32_t p) { return static_cast<int>(parPvG(static_cast<uint32_t>(p))) + 1; };
            // Every score of a set of candidates is at least this times the distance (each factor
            // is at least 1, and each grows with what it is bounded by here). Like every bound and
            // score here it fits an int: each factor is at most its value for pvMax, and the
            // distance at most the map's diagonal.
            auto facteur = [&](const Minima& m) {
                return FormationMin[static_cast<size_t>(m.modes)][static_cast<size_t>(modeG - 1)] * effectif(m.membres) *
                       facteurPv(m.pv);
            };
            // The bits lo to hi of a mask, none when lo > hi.
            auto plage = [](int lo, int hi) { return lo > hi ? 0u : (~0u >> (31 - hi + lo)) << lo; };
            for (int armee = 0; armee < 6; ++armee) {
                if (!Ciblable(cg->armee, armee) || ouvertsArmee[armee] == 0) continue;
                const int32_t facteurArmee = facteur(bornes[armee]);
                // A square's open candidates, passed over when no goal in the square is near
                // enough to win or tie (the distance, truncated root, to its nearest cell), and
                // each one so far that even its square's bound is above the best.
                auto carreEssai = [&](int i, int j) {
                    const size_t q = static_cast<size_t>((armee * CARRES + j) * CARRES + i);
                    const int x0 = i * CARRE, y0 = j * CARRE;
                    const int dx = std::max({x0 - gx, gx - (x0 + CARRE - 1), 0});
                    const int dy = std::max({y0 - gy, gy - (y0 + CARRE - 1), 0});
                    const int32_t dCarre = Racines[static_cast<size_t>(dx * dx + dy * dy)];
                    if (facteurArmee * dCarre > meilleur) return;
                    const int32_t f = facteur(minCarre[q]);
                    if (f * dCarre > meilleur) return;
                    // Every candidate in the span is open. Each one is scored (the score fits an
                    // int, and is not negative) and kept by a minimum rather than by branches,
                    // which would mostly guess wrong: of the keys score * 2^32 + 2^31 - 1 - rang,
                    // the smallest is the best score's, the latest in list order on a tie (every
                    // rang, and the best's, from -1 to 2^31 - 1). A group is never -1, so no
                    // candidate is passed over for precedent -1.
                    auto cle = [](int32_t score, int32_t rang) {
                        return int64_t{score} << 32 | (int64_t{INT32_MAX} - rang);
                    };
                    int64_t meilleureCle = cle(meilleur, meilleurRang);
                    for (int32_t p = debutCarre[q], fin = p + ouvertsCarre[q]; p < fin; ++p) {
                        const Entree& o = liste[static_cast<size_t>(p)];
                        const int ex = o.butX - gx, ey = o.butY - gy;
                        const int d = Racines[static_cast<size_t>(ex * ex + ey * ey)];
                        const int score = calcule(o.mode, effectif(o.nbMembres), facteurPv(o.pv), d);
                        const bool pris = (partout || o.couche == couche) & (o.groupe != precedent);
                        meilleureCle = std::min(meilleureCle, pris ? cle(score, o.rang) : INT64_MAX);
                    }
                    meilleur = static_cast<int32_t>(meilleureCle >> 32);
                    meilleurRang = static_cast<int32_t>(int64_t{INT32_MAX} - (meilleureCle & UINT32_MAX));
                };
                // The rows of squares by distance from the goal's, alternately above and below,
                // until in each direction the next row's nearest cell is too far even for the
                // army's bound. In each row only the squares whose nearest cell is near enough
                // for that bound (the distance a truncated root: it is at most L = best / bound
                // when the squared distance is below (L + 1)^2), from the goal's column outwards.
                bool versHaut = true, versBas = true;
                for (int t = 0; t < 2 * CARRES && (versHaut || versBas); ++t) {
                    const bool haut = t % 2 == 1;
                    if (t > 0 && !(haut ? versHaut : versBas)) continue;
                    const int j = haut ? cy - (t + 1) / 2 : cy + t / 2;
                    const int dyLigne = t == 0 ? 0 : haut ? gy - (j * CARRE + CARRE - 1) : j * CARRE - gy;
                    if (j < 0 || j >= CARRES || facteurArmee * dyLigne > meilleur) {
                        (haut ? versHaut : versBas) = false;
                        continue;
                    }
                    const int64_t l = meilleur / facteurArmee + 1;
                    const int64_t reste = l * l - 1 - int64_t{dyLigne} * dyLigne;
                    const int dxMax = reste >= int64_t{TAILLE_UNIVERS} * TAILLE_UNIVERS ? TAILLE_UNIVERS : Racines[static_cast<size_t>(reste)];
                    const uint32_t bits = masqueLigne[armee][j] &
                                          plage(std::max(gx - dxMax, 0) / CARRE, std::min(gx + dxMax, TAILLE_UNIVERS - 1) / CARRE);
                    const uint32_t gauche = bits & ((1u << cx) - 1);
                    for (int cote = 0; cote < 2; ++cote)
                        for (uint32_t encore = cote == 0 ? bits & ~gauche : gauche; encore;) {
                            const int i = cote == 0 ? __builtin_ctz(encore) : 31 - __builtin_clz(encore);
                            encore &= ~(1u << i);
                            carreEssai(i, j);
                        }
                }
            }
        }
        if (meilleurRang >= 0) choix = candidats[static_cast<size_t>(meilleurRang)].groupe;
        if (choix != -1) {
            Groupe& c = TableGroupes[static_cast<size_t>(choix)];
            const Candidat& ca = candidats[static_cast<size_t>(meilleurRang)];
            c.forceEngagee += g.nbMembres * cg->degats;
            engagee[static_cast<size_t>(choix)] = c.forceEngagee;
            // Every try passes over a candidate engaged to its strength, so the one chosen was
            // open: when it is no longer, it leaves the open sets (it is its group's only
            // candidate when they are searched).
            if (parCarres && !ouvert(ca) && ca.armee >= 0 && ca.armee <= 5 && surCarte(ca.butX, ca.butY)) {
                --ouvertsArmee[ca.armee];
                const int q = carreDe[static_cast<size_t>(meilleurRang)];
                const size_t uq = static_cast<size_t>(q);
                // Out of the square's span, its last one taking its place.
                const int32_t p = place[static_cast<size_t>(meilleurRang)];
                liste[static_cast<size_t>(p)] = liste[static_cast<size_t>(debutCarre[uq] + --ouvertsCarre[uq])];
                place[static_cast<size_t>(liste[static_cast<size_t>(p)].rang)] = p;
                if (ouvertsCarre[uq] == 0) basculeMasques(q);
                // The square's bound follows its open candidates; the army's stays a bound, worked
                // out again when the one leaving may have been the one reaching it.
                Minima m;
                for (int32_t i = debutCarre[uq], fin = i + ouvertsCarre[uq]; i < fin; ++i) {
                    const Entree& e = liste[static_cast<size_t>(i)];
                    m.Ajoute(e.mode, e.nbMembres, e.pv);
                }
                const Minima ancien = minCarre[uq];
                minCarre[uq] = m;
                const Minima& borne = bornes[ca.armee];
                if ((ancien.modes & ~m.modes) != 0 || (ancien.membres == borne.membres && m.membres != borne.membres) ||
                    (ancien.pv == borne.pv && m.pv != borne.pv))
                    recalculeBorne(ca.armee);
            }
            g.groupeCibleIAPropose = choix;
        }
    }
    return choix;
}

void IA__Ordres(int quart) {
    static std::vector<int32_t> ordre(NOMBRE_GROUPES);
    ordre.clear();
    for (const NoeudEntier* n = ListeGroupesActifs; n && n->suivant; n = n->suivant) ordre.push_back(n->valeur);
    for (const int gi : ordre) {
        if (gi < 1 || gi >= NOMBRE_GROUPES || gi % 4 != quart) continue;
        Groupe& g = TableGroupes[static_cast<size_t>(gi)];
        const Objet* cg = Chef(g);
        if (!cg || g.placee != 1 || cg->famille == FAMILLE_CADAVRE || !g.geree) continue;
        const int c = g.groupeCibleIAPropose;
        if (c < 0 || c >= NOMBRE_GROUPES) continue;
        Groupe& gc = TableGroupes[static_cast<size_t>(c)];
        const Objet* cc = Chef(gc);
        if (gc.force > gc.forceEngagee) continue;
        if (cg->armee == 0 && !TricheIAJoueur) continue;
        if (!cc || !Ciblable(cg->armee, cc->armee) || cc->actif != 1) continue;
        g.ordreAttaque = g.groupeCibleIA != -1 ? 1 : 0;
        if (c == g.groupeCibleIA && c != 0 && gc.nbMembres > 0)
            Groupe__OrdreDeplacement(gi, cc->x, cc->y);
        else if (c == 0 || gc.nbMembres <= 0)
            Groupe__OrdreAttaque(gi, g.butPrecedentX, g.butPrecedentY, 0, 1);
        else {
            g.groupeCibleIA = c;
            Groupe__OrdreAttaque(gi, cc->x, cc->y, 0, 1);
        }
    }
}
