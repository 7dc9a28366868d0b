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
        int s = 0;
        for (int i = 0; gr.membres && i < gr.nbMembres; ++i)
            if (Valide(gr.membres[i])) s += TableObjets[gr.membres[i]].pointsDeVie;
        pv[static_cast<size_t>(g)] = s;
        engagee[static_cast<size_t>(g)] = gr.forceEngagee;
    }
    for (const int oi : ordre) {
        const Groupe& o = TableGroupes[static_cast<size_t>(oi)];
        const Objet* co = Chef(o);
        if (!co || !o.geree || co->actif != 1) continue;
        const int32_t hpO = pv[static_cast<size_t>(oi)] != 0 ? pv[static_cast<size_t>(oi)] : 1;
        candidats.push_back({oi, co->armee, co->couche, Mode(o), o.nbMembres, hpO, o.butX, o.butY, o.force});
    }
    // The candidates by army and by block of the map (of their goals), for the search in rings of
    // blocks round each group's goal; goals off the map are always looked at.
    constexpr int BLOC = 4, BLOCS = (TAILLE_UNIVERS + BLOC - 1) / BLOC;
    static std::vector<int32_t> debutBloc(6 * BLOCS * BLOCS + 1);
    static std::vector<int32_t> parBloc(NOMBRE_GROUPES);
    static std::vector<int32_t> horsCarte(NOMBRE_GROUPES);
    horsCarte.clear();
    std::fill(debutBloc.begin(), debutBloc.end(), 0);
    // Whether every score is at least the distance: then a candidate further than the best score
    // found so far cannot win, nor tie.
    bool elagage = true;
    auto bloc = [](int armee, int x, int y) {
        if (armee < 0 || armee > 5 || x < 0 || y < 0 || x >= TAILLE_UNIVERS || y >= TAILLE_UNIVERS) return -1;
        return (armee * BLOCS + y / BLOC) * BLOCS + x / BLOC;
    };
    // Per army, what bounds the factors of a score from below: the smallest formation factor for
    // each mode of the group choosing, the fewest members and the fewest hit points.
    struct Bornes {
        int formation[5] = {9999, 9999, 9999, 9999, 9999};
        int32_t membres = INT32_MAX, pv = INT32_MAX;
        bool aucun = true;
    };
    Bornes bornes[6];
    // The same bounds for the candidates of each block, so that a block whose every candidate
    // scores above the best found so far is passed over.
    static std::vector<Bornes> bornesBloc(6 * BLOCS * BLOCS);
    std::fill(bornesBloc.begin(), bornesBloc.end(), Bornes{});
    auto borner = [](Bornes& b, const Candidat& c) {
        for (int m = 0; m < 5; ++m)
            b.formation[m] = std::min(b.formation[m], static_cast<int>(TableFormationIA[static_cast<size_t>(c.mode - 1)][static_cast<size_t>(m)]));
        b.membres = std::min(b.membres, c.nbMembres);
        b.pv = std::min(b.pv, c.pv);
        b.aucun = false;
    };
    for (const Candidat& c : candidats) {
        if (c.pv < 1) elagage = false;
        if (c.armee >= 0 && c.armee <= 5) borner(bornes[c.armee], c);
        const int b = bloc(c.armee, c.butX, c.butY);
        if (b >= 0) {
            ++debutBloc[static_cast<size_t>(b) + 1];
            borner(bornesBloc[static_cast<size_t>(b)], c);
        }
    }
    for (size_t b = 1; b < debutBloc.size(); ++b) debutBloc[b] += debutBloc[b - 1];
    parBloc.resize(candidats.size());
    {
        static std::vector<int32_t> place;
        place.assign(debutBloc.begin(), debutBloc.end() - 1);
        for (size_t k = 0; k < candidats.size(); ++k) {
            const int b = bloc(candidats[k].armee, candidats[k].butX, candidats[k].butY);
            if (b >= 0) parBloc[static_cast<size_t>(place[static_cast<size_t>(b)]++)] = static_cast<int32_t>(k);
            else horsCarte.push_back(static_cast<int32_t>(k));
        }
    }

    // Candidates still open (engaged below their strength) per block and per army: blocks and
    // armies with none are passed over.
    static std::vector<int32_t> ouverts(6 * BLOCS * BLOCS);
    // A group listed twice would be two candidates sharing one engagement: then no block is passed over.
    static std::vector<uint32_t> vu(NOMBRE_GROUPES, 0);
    static uint32_t evaluation = 0;
    ++evaluation;
    std::fill(ouverts.begin(), ouverts.end(), 0);
    int32_t ouvertsArmee[6] = {};
    auto ouvert = [&](const Candidat& c) { return engagee[static_cast<size_t>(c.groupe)] < c.force; };
    for (size_t k = 0; k < candidats.size(); ++k) {
        const Candidat& c = candidats[k];
        if (vu[static_cast<size_t>(c.groupe)] == evaluation) elagage = false;
        vu[static_cast<size_t>(c.groupe)] = evaluation;
        const int b = bloc(c.armee, c.butX, c.butY);
        if (b >= 0 && ouvert(c)) ++ouverts[static_cast<size_t>(b)], ++ouvertsArmee[c.armee];
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
        auto essai = [&](int k) {
            const Candidat& o = candidats[static_cast<size_t>(k)];
            const int oi = o.groupe;
            if (!Ciblable(cg->armee, o.armee)) return;
            if (!partout && o.couche != cg->couche) return;
            if (engagee[static_cast<size_t>(oi)] >= o.force) return;
            if (g.groupeCibleIAPrecedent != -1 && oi == g.groupeCibleIAPrecedent) return;
            int score = static_cast<int>(TableFormationIA[static_cast<size_t>(o.mode - 1)][static_cast<size_t>(modeG - 1)]);
            score *= FacteurEffectifIA(g.nbMembres, o.nbMembres);
            score *= o.pv / hpG + 1;
            score *= Distance(o.butX, o.butY, g.butX, g.butY);
            if (score < meilleur || (score == meilleur && k > meilleurRang)) {
                meilleur = score;
                meilleurRang = k;
            }
        };
        const bool surCarte = g.butX >= 0 && g.butY >= 0 && g.butX < TAILLE_UNIVERS && g.butY < TAILLE_UNIVERS;
        if (!elagage || hpG < 1 || !surCarte) {
            for (size_t k = 0; k < candidats.size(); ++k) essai(static_cast<int>(k));
        } else {
            for (const int32_t k : horsCarte) essai(k);
            const int bx = g.butX / BLOC, by = g.butY / BLOC;
            for (int armee = 0; armee < 6; ++armee) {
                if (!Ciblable(cg->armee, armee)) continue;
                // Every score of this army is at least `facteur` times the distance (each factor
                // is at least 1, and each grows with what it is bounded by here).
                const Bornes& bo = bornes[armee];
                if (bo.aucun || ouvertsArmee[armee] == 0) continue;   // no candidate of this army open
                auto facteurDe = [&](const Bornes& b) {
                    return int64_t{b.formation[modeG - 1]} * (b.membres > 0 ? FacteurEffectifIA(g.nbMembres, b.membres) : 1) *
                           (b.pv / hpG + 1);
                };
                const int64_t facteur = facteurDe(bo);
                // Ring r of blocks round the goal's block; past it every goal is at least
                // r * BLOC + 1 away.
                for (int r = 0; r < BLOCS; ++r) {
                    auto blocEssai = [&](int i, int j) {
                        if (i < 0 || i >= BLOCS) return;
                        const size_t b = static_cast<size_t>((armee * BLOCS + j) * BLOCS + i);
                        if (ouverts[b] == 0) return;
                        // No goal of the block is nearer than its rectangle's nearest cell.
                        const int dx = std::max({0, i * BLOC - g.butX, g.butX - (i * BLOC + BLOC - 1)});
                        const int dy = std::max({0, j * BLOC - g.butY, g.butY - (j * BLOC + BLOC - 1)});
                        if (facteurDe(bornesBloc[b]) * Distance(0, 0, dx, dy) > meilleur) return;
                        for (int32_t q = debutBloc[b]; q < debutBloc[b + 1]; ++q) essai(parBloc[static_cast<size_t>(q)]);
                    };
                    for (int j = std::max(by - r, 0); j <= std::min(by + r, BLOCS - 1); ++j) {
                        if (j == by - r || j == by + r) {
                            for (int i = bx - r; i <= bx + r; ++i) blocEssai(i, j);
                        } else {
                            blocEssai(bx - r, j);
                            blocEssai(bx + r, j);
                        }
                    }
                    if (facteur * (r * BLOC + 1) > meilleur) break;
                }
            }
        }
        if (meilleurRang >= 0) choix = candidats[static_cast<size_t>(meilleurRang)].groupe;
        if (choix != -1) {
            Groupe& c = TableGroupes[static_cast<size_t>(choix)];
            const Candidat& ca = candidats[static_cast<size_t>(meilleurRang)];
            const bool avant = ouvert(ca);
            c.forceEngagee += g.nbMembres * cg->degats;
            engagee[static_cast<size_t>(choix)] = c.forceEngagee;
            const int b = bloc(ca.armee, ca.butX, ca.butY);
            if (b >= 0 && avant != ouvert(ca)) {
                const int delta = avant ? -1 : 1;
                ouverts[static_cast<size_t>(b)] += delta;
                ouvertsArmee[ca.armee] += delta;
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
