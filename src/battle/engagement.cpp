#include "battle/engagement.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "battle/anneaux.h"
#include "battle/approche.h"
#include "battle/cibles.h"
#include "battle/occupation.h"
#include "platform/hasard.h"
#include "shell/conditions.h"
#include "shell/scenario.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/maitres.h"
#include "world/objets.h"

namespace {

bool Valide(int n) { return n >= 1 && n < NOMBRE_OBJETS; }
bool GroupeValide(int g) { return g >= 1 && g < NOMBRE_GROUPES && TableGroupes[g].membres; }

int Distance(const Objet& a, const Objet& b) {
    return static_cast<int>(Case__Distance(a.x, a.y, b.x, b.y));
}

bool Sature(int n) { return TableObjets[n].totalEngage >= TableObjets[n].capaciteEngagement; }

// The unit's group accepts the candidate.
bool Accepte(const Objet& u, int c) {
    if (!GroupeValide(u.groupe)) return false;
    const Groupe& g = TableGroupes[u.groupe];
    if (g.engagementLibre == 1) return true;
    return g.groupeCibleIA != -1 && Valide(c) && TableObjets[c].groupe == g.groupeCibleIA;
}

template <typename Cle>
int Passe(int32_t* liste, int dernier, Cle cle) {
    if (!liste || dernier < 0) return -1;
    // A key depends only on the entry, which the pass only moves: each is computed once and moves
    // with its entry.
    int cles[TAILLE_LISTE_CIBLES];
    for (int k = 0, fin = std::min(dernier, TAILLE_LISTE_CIBLES - 1); k <= fin; ++k) cles[k] = cle(liste[k]);
    int i = 0;
    while (i < dernier && i < TAILLE_LISTE_CIBLES - 1) {
        if (cles[i + 1] < cles[i]) {
            std::swap(liste[i], liste[i + 1]);
            std::swap(cles[i], cles[i + 1]);
        } else {
            ++i;
        }
    }
    return 0;
}

bool ADistance(const Objet& u) {
    return u.classe == CLASSE_ARCHER || u.couche == 2 || u.sorts[0] != -1 || u.famille == FAMILLE_MACHINES;
}

// Orders both lists, then pursues.
void OrdonneEtPoursuit(int objet) {
    Objet& u = TableObjets[objet];
    Unite__CibleLaPlusProche(objet, u.listeAllies);
    Unite__TrieCibles(objet);
    Unite__Poursuivre(objet);
}

}  // namespace

int Unite__CibleLaPlusProche(int objet, int32_t* liste) {
    if (!Valide(objet)) return 0;
    Objet& u = TableObjets[objet];
    const int dernier = liste == u.listeEnnemis ? u.dernierEnnemi : u.dernierAllie;
    auto cle = [&](int32_t n) { return Valide(n) ? Distance(u, TableObjets[n]) : 0; };
    if (Passe(liste, dernier, cle) < 0) return 0;
    return cle(liste[0]);
}

int Unite__TrieCibles(int objet) {
    if (!Valide(objet)) return 0;
    Objet& u = TableObjets[objet];
    auto cle = [](int32_t n) { return Valide(n) ? TableObjets[n].capaciteEngagement : 0; };
    return Passe(u.listeEnnemis, u.dernierEnnemi, cle) < 0 ? 0 : 1;
}

void Unite__FinEngagement(int objet) {
    if (!Valide(objet)) return;
    Objet& u = TableObjets[objet];
    u.groupeCible = u.cible;
    if (u.finCycle != 1) return;
    if (u.cible == -1) {
        u.groupeCible = -1;
        return;
    }
    // A target number off the table is dropped like a released one.
    if (!Valide(u.cible)) {
        u.groupeCible = u.cible = -1;
        Objet__RazCibles(objet);
        return;
    }
    Objet& t = TableObjets[u.cible];
    if (t.numeroObjet <= 0) return;
    if (t.totalEngage >= u.degats) t.totalEngage -= u.degats;
    if (t.totalEngage < 0) t.totalEngage = 0;
    u.groupeCible = u.cible = -1;
    Objet__RazCibles(objet);
}

int Unite__Poursuivre(int objet) {
    if (!Valide(objet)) return 1;
    Objet& u = TableObjets[objet];
    u.cible = -1;
    if (const int r = Unite__SortsAutomatiques(objet)) return r;
    if (!u.listeEnnemis) return 1;
    int i = 0;
    for (;;) {
        while (i <= u.dernierEnnemi && i < TAILLE_LISTE_CIBLES &&
               (!Valide(u.listeEnnemis[i]) || Sature(u.listeEnnemis[i])))
            ++i;
        if (i > u.dernierEnnemi || i >= TAILLE_LISTE_CIBLES) break;
        const int c = u.listeEnnemis[i];
        Objet& t = TableObjets[c];
        const int cap = t.capaciteEngagement, tot = t.totalEngage, d = u.degats;
        if (d >= cap || d + tot >= cap) {
            if (Unite__Engager(objet, c)) {
                if (Accepte(u, c)) {
                    u.cible = u.groupeCible = c;
                    t.totalEngage += d;
                }
                return 1;
            }
            ++i;
            continue;
        }
        if (u.dernierAllie == -1 || !Unite__Engager(objet, c)) {
            ++i;
            continue;
        }
        int somme = tot + d;
        u.cible = u.groupeCible = c;
        for (int k = 0; k <= u.dernierAllie && k < TAILLE_LISTE_CIBLES && somme < cap; ++k) {
            const int a = u.listeAllies[k];
            if (!Valide(a)) continue;
            Objet& al = TableObjets[a];
            if (al.cible == -1 && (al.ordreSecondaire != 2 || al.groupe == u.groupe) && Unite__Engager(a, c)) {
                al.cible = al.groupeCible = c;
                somme += al.degats;
            }
        }
        t.totalEngage = somme;
        return 1;
    }
    // Every candidate is saturated (or the list is empty).
    Unite__FinEngagement(objet);
    if (u.dernierEnnemi < 0) return 1;
    Unite__CibleLaPlusProche(objet, u.listeEnnemis);
    const int c = u.listeEnnemis[0];
    if (Valide(c) && Accepte(u, c)) {
        u.cible = u.groupeCible = c;
        Unite__Engager(objet, c);
    }
    return 1;
}

namespace {

// sansEnnemi: the caller knows that the unit's list fill (Objet__ChercheCibles) would find no
// enemy if made now, so it returns 0 having set both list ends to -1 and written nothing else
// that is read: the entries of a list past its end are never read. The fill is then made only
// where its allies list outlives this call.
int ChoisirCible(int numero, int filtre, bool sansEnnemi) {
    if (!Valide(numero)) return 1;
    Objet& u = TableObjets[numero];
    if (u.numeroObjet == 0 || u.actif != 1) return 1;
    if (!GroupeValide(u.groupe)) return 1;
    Groupe& g = TableGroupes[u.groupe];

    if (!ADistance(u) && g.modeFormation == 4 && g.engagementLibre) {
        if (sansEnnemi || !Objet__ChercheCibles(numero, filtre)) {
            u.dernierEnnemi = u.dernierAllie = -1;
            return 0;
        }
        Unite__FinEngagement(numero);
        if (Unite__CibleLaPlusProche(numero, u.listeEnnemis) < 2 && Valide(u.listeEnnemis[0])) {
            const int c = u.listeEnnemis[0];
            u.cible = u.groupeCible = c;
            TableObjets[c].totalEngage += u.degats;
        }
        u.dernierEnnemi = u.dernierAllie = -1;
        return 1;
    }

    // The target of the last member of the group that has one, -1 none.
    auto cibleDUnMembre = [&](bool restreint) {
        for (int i = g.nbMembres - 1; i >= 0; --i) {
            const int m = g.membres[i];
            if (!Valide(m) || TableObjets[m].cible == -1 || !Valide(TableObjets[m].cible)) continue;
            if (!restreint) return TableObjets[m].cible;
            const int c = TableObjets[m].cible;
            if ((ADistance(u) && (g.ordreAttaque == 1 || g.engagementLibre == 1)) ||
                (g.engagementLibre == 0 && g.groupeCibleIA != -1 && TableObjets[c].groupe == g.groupeCibleIA))
                return c;
        }
        return -1;
    };

    if (u.cible != -1) {
        if (!Valide(u.cible) || !Unite__Engager(numero, u.cible)) {
            Unite__FinEngagement(numero);
            if (Objet__ChercheCibles(numero, filtre)) {
                OrdonneEtPoursuit(numero);
            } else if (const int c = cibleDUnMembre(false); c != -1) {
                u.cible = u.groupeCible = c;
                Unite__Engager(numero, c);
            }
        }
    } else if (sansEnnemi) {
        // The member's target is looked for first: it reads no list. With none, the lists are
        // emptied below; with one, they are kept, so the fill is made before the engagement.
        if (const int c = cibleDUnMembre(true); c != -1) {
            Objet__ChercheCibles(numero, filtre);
            u.cible = u.groupeCible = c;
            Unite__Engager(numero, c);
        }
    } else {
        if (Objet__ChercheCibles(numero, filtre)) {
            OrdonneEtPoursuit(numero);
        } else if (const int c = cibleDUnMembre(true); c != -1) {
            u.cible = u.groupeCible = c;
            Unite__Engager(numero, c);
        }
    }
    if (u.cible == -1) {
        u.ordreSecondaire = 2;
        u.dernierEnnemi = u.dernierAllie = -1;
        return 0;
    }
    if (u.auContact == 0 && u.dernierEnnemi >= 0) {
        for (int i = 0; i < g.nbMembres; ++i) {
            const int m = g.membres[i];
            if (!Valide(m) || TableObjets[m].cible != -1) continue;
            const Objet& om = TableObjets[m];
            const bool qualifie =
                ((om.classe == CLASSE_ARCHER || om.couche == 2 || u.famille == FAMILLE_MACHINES) &&
                 (g.ordreAttaque == 1 || g.engagementLibre == 1)) ||
                (g.engagementLibre == 0 && g.groupeCibleIA != -1);
            if (!qualifie) continue;
            const int k = u.dernierEnnemi > 0 ? Hasard_Regles() % u.dernierEnnemi + 1 : 0;
            const int c = u.listeEnnemis[k];
            if (Valide(c) && TableObjets[c].groupe == g.groupeCibleIA) {
                TableObjets[m].cible = TableObjets[m].groupeCible = c;
                Unite__Engager(m, c);
            }
        }
    }
    Objet__RazCibles(numero);
    return 1;
}

}  // namespace

int Unite__ChoisirCible(int numero, int filtre) { return ChoisirCible(numero, filtre, false); }
int Unite__ChoisirCibleSansEnnemi(int numero, int filtre) { return ChoisirCible(numero, filtre, true); }

namespace {
// Set by Case__ContientCible whenever it takes a cell, to the index of the object there (a cell
// taken may still answer 0, for an object whose numeroObjet is 0, and the search then goes on).
int CasePrise = 0;
}  // namespace

int Case__ContientCible(int objet, int filtre, int x, int y, int couche) {
    if (!Valide(objet) || x < 0 || y < 0 || x >= TAILLE_UNIVERS || y >= TAILLE_UNIVERS) return 0;
    Objet& u = TableObjets[objet];
    if (x == u.x && y == u.y) return 0;
    const int i = x + TAILLE_UNIVERS * y;
    if (couche == 0) {
        if (!GrilleSol) return 0;
        const int n = GrilleSol[i];
        if (!Valide(n)) return 0;
        const Objet& c = TableObjets[n];
        if (c.famille != FAMILLE_CADAVRE || c.sorts[0] == 18) return 0;
        u.groupeCible = n;
        CasePrise = n;
        return n;
    }
    const int32_t* grille = couche == 2 ? GrilleAir : GrilleUnites;
    if (!grille) return 0;
    const int n = grille[i];
    if (!Valide(n) || n == objet) return 0;
    const Objet& t = TableObjets[n];
    const bool hostile = Armees__Hostiles(u.armee, t.armee);
    if (couche == 2) {
        if (t.actif != 1 || Objet__MourantOuMort(t) || !hostile) return 0;
    } else {
        // An object not active is taken only as a siege target, an enemy.
        if (t.actif != 1 && !(hostile && Objet__CibleDeSiege(u, t))) return 0;
        if (Objet__MourantOuMort(t) || t.typeMaitre == 18 || !hostile) return 0;
    }
    bool pris = filtre == -1 || t.groupe == filtre;
    if (!pris && GroupeValide(u.groupe) && TableGroupes[u.groupe].engagementLibre)
        pris = std::abs(x - u.x) <= u.porteeAttaque && std::abs(y - u.y) <= u.porteeAttaque;
    if (!pris) return 0;
    u.groupeCible = t.numeroObjet;
    CasePrise = n;
    return t.numeroObjet;
}

namespace {
// The rings r0 to portee round a footprint of side s on a layer (0 corpses, 1 units, 2 air), with
// what they read of the unit taken once: a search writes only on the target it returns. On the
// unit and air layers only an enemy can be a target (a siege target is an enemy too), so only
// their cells are looked at. The first target found, 0 none.
int AnneauxCibles(int objet, int filtre, int x, int y, int r0, int portee, int s, int couche) {
    const int32_t* grille = couche == 0 ? GrilleSol : couche == 2 ? GrilleAir : GrilleUnites;
    if (!grille) return 0;
    auto visite = [&](int i, int j) { return Case__ContientCible(objet, filtre, i, j, couche); };
    auto finCote = [] { return 0; };
    if (couche == 0)
        return Anneaux__Parcours(grille, x, y, r0, portee, s, [](int32_t n) { return Valide(n); }, visite, finCote);
    const int armee = TableObjets[objet].armee;
    // With no army to attack no cell holds a target.
    if (armee < 0 || armee > 5) return 0;
    const int32_t* hostiles = TableAttaque[static_cast<size_t>(armee)].data();
    auto ennemi = [hostiles](int32_t n) {
        if (n < 1 || n >= NOMBRE_OBJETS) return false;
        const unsigned autre = static_cast<unsigned>(TableObjets[n].armee);
        return autre <= 5 && hostiles[autre] != 0;
    };
    return Anneaux__Parcours(grille, x, y, r0, portee, s, ennemi, visite, finCote);
}
}  // namespace

int Unite__ChercherCibleAutour(int objet, int portee, int filtre) {
    if (!Valide(objet)) return 0;
    const Objet& u = TableObjets[objet];
    if (u.sorts[0] != -1 && (!GroupeValide(u.groupe) || TableGroupes[u.groupe].ordreAttaque == 0)) filtre = -1;
    if (u.typeMaitre == 9)
        if (const int n = AnneauxCibles(objet, filtre, u.x, u.y, 1, 3, 1, 0)) return n;
    const int r0 = u.famille == FAMILLE_DRAGON ? 4 : 1;
    const int s = u.taille > 0 ? u.taille : 1;
    // The rings take only enemies: where the square they fill holds none, they are not walked. On
    // the unit layer most searches find a target, and the look over the square would read the
    // cells the walk reads: the walk is made straight away (over a square with no enemy it takes
    // no cell and answers 0 as well).
    const int32_t* hostiles = u.armee >= 0 && u.armee <= 5 ? TableAttaque[static_cast<size_t>(u.armee)].data() : nullptr;
    auto personne = [&](const int32_t* grille) {
        return hostiles && Univers__RectangleSansObjet(grille, u.x - portee, u.y - portee, u.x + portee + s - 1,
                                                        u.y + portee + s - 1, hostiles);
    };
    if (portee < r0) return 0;
    if (ADistance(u) && !personne(GrilleAir))
        if (const int n = AnneauxCibles(objet, filtre, u.x, u.y, r0, portee, s, 2)) return n;
    return AnneauxCibles(objet, filtre, u.x, u.y, r0, portee, s, 1);
}

int Unite__ChercherCibleAutour(int objet, int portee, int filtre, int& prise) {
    CasePrise = 0;
    const int n = Unite__ChercherCibleAutour(objet, portee, filtre);
    prise = CasePrise;
    return n;
}
