#include "battle/ia.h"

#include <cmath>
#include <vector>

#include "battle/ordres.h"
#include "battle/cibles.h"
#include "shell/conditions.h"
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
        choix = -1;
        const bool partout = cg->classe == CLASSE_ARCHER || cg->couche == 2 || cg->sorts[0] != -1;
        const int hpG = pv[static_cast<size_t>(gi)] != 0 ? pv[static_cast<size_t>(gi)] : 1;
        const int modeG = Mode(g);
        for (const Candidat& o : candidats) {
            const int oi = o.groupe;
            if (!Ciblable(cg->armee, o.armee)) continue;
            if (!partout && o.couche != cg->couche) continue;
            if (engagee[static_cast<size_t>(oi)] >= o.force) continue;
            if (g.groupeCibleIAPrecedent != -1 && oi == g.groupeCibleIAPrecedent) continue;
            int score = static_cast<int>(TableFormationIA[static_cast<size_t>(o.mode - 1)][static_cast<size_t>(modeG - 1)]);
            score *= FacteurEffectifIA(g.nbMembres, o.nbMembres);
            score *= o.pv / hpG + 1;
            score *= IA__Distance(o.butX, o.butY, g.butX, g.butY);
            if (score <= meilleur) {
                choix = oi;
                meilleur = score;
            }
        }
        if (choix != -1) {
            Groupe& c = TableGroupes[static_cast<size_t>(choix)];
            c.forceEngagee += g.nbMembres * cg->degats;
            engagee[static_cast<size_t>(choix)] = c.forceEngagee;
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
