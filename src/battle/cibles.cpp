#include "battle/cibles.h"

#include <algorithm>
#include <cstdlib>

#include "battle/anneaux.h"
#include "battle/occupation.h"
#include "shell/conditions.h"
#include "shell/scenario.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/maitres.h"
#include "world/objets.h"

namespace {

bool Valide(int n) { return n >= 1 && n < NOMBRE_OBJETS; }
bool SurCarte(int x, int y) { return x >= 0 && x < TAILLE_UNIVERS && y >= 0 && y < TAILLE_UNIVERS; }

void Ajoute(int32_t* liste, int32_t& dernier, int n) {
    if (liste && dernier < TAILLE_LISTE_CIBLES - 1) liste[++dernier] = n;
}

bool Pleine(const Objet& o) { return o.dernierEnnemi >= TAILLE_LISTE_CIBLES - 1; }

bool Prend(const Objet& o, const Objet& t, int filtre, int cx, int cy) {
    if (filtre == -1 || t.groupe == filtre) return true;
    const int r = o.porteeAttaque;
    if (o.groupe >= 1 && o.groupe < NOMBRE_GROUPES && TableGroupes[o.groupe].engagementLibre &&
        std::abs(cy - o.y) <= r && std::abs(cx - o.x) <= r)
        return true;
    return std::abs(cy - o.y) < 2 && std::abs(cx - o.x) < 2;
}

// Objet__AjouteCible on the unit and air grids (mode 2 the air, any other the units), with what it
// reads of the searching unit taken once, for a whole search: adding a cell writes only the two
// lists (allocated apart) and their ends. It takes a cell on the map, of a grid that exists, other
// than the unit's own.
struct Ajout {
    Objet& o;
    int objet, filtre, mode;
    const int32_t* grille;
    const int32_t* hostiles;   // the unit's row of TableAttaque, none for an army off the table

    Ajout(int objet_, int filtre_, int mode_)
        : o(TableObjets[objet_]), objet(objet_), filtre(filtre_), mode(mode_),
          grille(mode_ == 2 ? GrilleAir : GrilleUnites),
          hostiles(o.armee >= 0 && o.armee <= 5 ? TableAttaque[static_cast<size_t>(o.armee)].data() : nullptr) {}

    // A cell of a ring round the unit's footprint, never the unit's own cell.
    void operator()(int cx, int cy) const {
        const int n = grille[cx + TAILLE_UNIVERS * cy];
        if (!Valide(n) || n == objet) return;
        const Objet& t = TableObjets[n];
        const unsigned armee = static_cast<unsigned>(t.armee);
        if (!hostiles || armee > 5 || hostiles[armee] == 0) {
            // A friend (never a siege target) goes to the allies when alive and active; with the
            // list full or missing, adding it would change nothing.
            if (!o.listeAllies || o.dernierAllie >= TAILLE_LISTE_CIBLES - 1) return;
            if (t.actif != 1 || Objet__MourantOuMort(t)) return;
            if (mode != 2 && t.typeMaitre == 18) return;
            Ajoute(o.listeAllies, o.dernierAllie, n);
            return;
        }
        if (mode == 2) {
            if (t.actif != 1 || Objet__MourantOuMort(t)) return;
        } else {
            // Not active, it is taken only as a siege target.
            if (t.actif != 1 && !Objet__CibleDeSiege(o, t)) return;
            if (Objet__MourantOuMort(t) || t.typeMaitre == 18) return;
        }
        if (Prend(o, t, filtre, cx, cy)) Ajoute(o.listeEnnemis, o.dernierEnnemi, n);
    }
};

// The rings r0 to r1 of corpses round the unit's cell; false once the enemy list is full.
bool AnneauxCadavres(int objet, int filtre, int r0, int r1) {
    const Objet& o = TableObjets[objet];
    if (!GrilleSol) return !Pleine(o);
    return Anneaux__Parcours(
               GrilleSol, o.x, o.y, r0, r1, 1, [](int32_t n) { return Valide(n); },
               [&](int i, int j) {
                   Objet__AjouteCible(objet, filtre, i, j, 0);
                   return 0;
               },
               [&] { return Pleine(o) ? 1 : 0; }) == 0;
}

// The rings s to p round the unit's footprint of side t on the unit or air layer (which exists),
// one after the other; false once the enemy list is full.
bool AnneauxListes(int objet, int filtre, int s, int p, int t, int mode) {
    const Ajout ajout(objet, filtre, mode);
    const Objet& o = ajout.o;
    return Anneaux__Parcours(
               ajout.grille, o.x, o.y, s, p, t, [](int32_t n) { return Valide(n); },
               [&](int i, int j) {
                   ajout(i, j);
                   return 0;
               },
               [&] { return Pleine(o) ? 1 : 0; }) == 0;
}

}  // namespace

bool Objet__MourantOuMort(int objet) {
    return objet < 0 || objet >= NOMBRE_OBJETS || Objet__MourantOuMort(TableObjets[static_cast<size_t>(objet)]);
}

bool Unite__CombatADistance(int objet) {
    if (objet < 0 || objet >= NOMBRE_OBJETS) return false;
    const Objet& o = TableObjets[static_cast<size_t>(objet)];
    return o.classe == CLASSE_ARCHER || o.couche == 2 || o.sorts[0] != -1 || o.famille == FAMILLE_MACHINES;
}

void Objet__RazCibles(int objet) {
    if (!Valide(objet)) return;
    Objet& o = TableObjets[objet];
    if (o.cible != -1) return;
    o.dernierEnnemi = o.dernierAllie = -1;
}

void Objet__AjouteCible(int objet, int filtre, int cx, int cy, int mode) {
    if (!Valide(objet) || !SurCarte(cx, cy)) return;
    Objet& o = TableObjets[objet];
    if (cx == o.x && cy == o.y) return;
    const int i = cx + TAILLE_UNIVERS * cy;
    if (mode == 0) {
        if (!GrilleSol) return;
        const int n = GrilleSol[i];
        if (!Valide(n)) return;
        const Objet& c = TableObjets[n];
        if (c.famille == FAMILLE_CADAVRE && c.ordreSecondaire != 4 && c.sorts[0] != 18)
            Ajoute(o.listeEnnemis, o.dernierEnnemi, n);
        return;
    }
    const Ajout ajout(objet, filtre, mode);
    if (ajout.grille) ajout(cx, cy);
}

int Objet__ChercheCibles(int objet, int filtre) {
    if (!Valide(objet)) return 0;
    Objet& o = TableObjets[objet];
    const bool groupe = o.groupe >= 1 && o.groupe < NOMBRE_GROUPES;
    if (o.sorts[0] != -1 && (!groupe || TableGroupes[o.groupe].ordreAttaque == 0)) filtre = -1;
    o.dernierEnnemi = o.dernierAllie = -1;
    if (o.typeMaitre == 9 && !AnneauxCadavres(objet, filtre, 1, 3)) return 1;
    const int s = o.famille == FAMILLE_DRAGON ? 4 : 1;
    const int t = o.taille > 0 ? o.taille : 1;
    // Where the square the rings fill holds no object, they add nothing and are not walked.
    const int p = o.porteeAttaque;
    auto vide = [&](const int32_t* grille) {
        // The unit's own cell lies in the square (p is at least 1 here): an object there answers.
        if (grille && SurCarte(o.x, o.y) && Valide(grille[o.x + TAILLE_UNIVERS * o.y])) return false;
        return Univers__RectangleSansObjet(grille, o.x - p, o.y - p, o.x + p + t - 1, o.y + p + t - 1, nullptr);
    };
    // vide() holds for a grid that does not exist.
    if (Unite__CombatADistance(objet) && p >= s && !vide(GrilleAir) && !AnneauxListes(objet, filtre, s, p, t, 2)) return 1;
    if (p >= s && !vide(GrilleUnites) && !AnneauxListes(objet, filtre, s, p, t, 1)) return 1;
    return o.dernierEnnemi >= 0 ? 1 : 0;
}
