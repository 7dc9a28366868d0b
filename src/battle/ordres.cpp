#include "battle/ordres.h"

#include <cmath>
#include <cstdint>

#include "battle/chemin.h"
#include "battle/deplacement.h"
#include "battle/formations.h"
#include "battle/occupation.h"
#include "shell/conditions.h"
#include "world/gestion_objets.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/objets.h"

namespace {

bool ObjetValide(int o) { return o > 0 && o < NOMBRE_OBJETS; }

Objet* Membre(const Groupe& g, int i) {
    if (!g.membres || i < 0 || i >= g.nbMembres || i >= g.capacite) return nullptr;
    return ObjetValide(g.membres[i]) ? &TableObjets[g.membres[i]] : nullptr;
}

bool MortOuMourant(const Objet& o) { return o.mourant || o.ordreSecondaire == 3 || o.ordreSecondaire == 4; }

bool ArmeeValide(int a) { return a >= 0 && a < 6; }

// A group whose member 0 is a real object; any other is skipped.
Groupe* GroupeValide(int groupe) {
    if (!Groupe__Actif(groupe)) return nullptr;
    Groupe& g = TableGroupes[groupe];
    return g.nbMembres > 0 && Membre(g, 0) ? &g : nullptr;
}

// The leader after a layout: the corner unit of the orientation, else the first member neither
// dying nor dead. False when no member lives.
bool ChoisitChef(Groupe& g) {
    g.chef = g.coins[g.orientation & 3];
    const Objet* chef = Membre(g, g.chef);
    if (chef && !MortOuMourant(*chef)) return true;
    for (int i = 0; i < g.nbMembres; ++i) {
        const Objet* o = Membre(g, i);
        if (o && !MortOuMourant(*o)) {
            g.chef = i;
            return true;
        }
    }
    g.chef = 0;
    return false;
}

// The group path from the leader to (x, y) on the leader's layer map, into tampon.
void PlanifieGroupe(int groupe, int x, int y) {
    Groupe& g = TableGroupes[groupe];
    const Objet& chef = *Membre(g, g.chef);
    const uint32_t* carte = chef.couche == 2 ? CarteOccupationAir : CarteOccupationSol;
    int r = 1;
    if (carte && TrajetLisse) r = Trajet__Calcul(chef.x, chef.y, x, y, &TrajetLisseNombre, TrajetLisse, carte, 0, groupe);
    g.resultatTrajet = r;
    if (r != 0 || !g.tampon) {
        g.nbPointsTrajet = 0;
    } else {
        int n = TrajetLisseNombre;
        if (n < 0) n = 0;
        if (n > POINTS_TRAJET_GROUPE) n = POINTS_TRAJET_GROUPE;
        for (int i = 0; i < n; ++i) g.tampon[i] = TrajetLisse[i];
        g.nbPointsTrajet = n;
    }
    TrajetLisseNombre = 0;
    g.pointCourant = 0;
}

}  // namespace

void Groupe__OrdreDeplacement(int groupe, int x, int y, int, int) {
    Groupe* pg = GroupeValide(groupe);
    if (!pg) return;
    Groupe& g = *pg;
    if (g.enDeroute == 1 || g.ordresRefuses == 1) return;
    g.bloque = 0;
    g.attaqueLancee = 0;
    g.compteurPoursuite = 0;
    if (g.groupeCibleIAPropose == -1) Formation__Reorganise(groupe);

    g.chef = 0;
    Carte__RameneDansZone(groupe, 0, &x, &y);
    const Objet& premier = *Membre(g, 0);
    const int t = premier.taille > 0 ? premier.taille : 1;
    Formation__Place(groupe, premier.x, premier.y, x, y, g.colonnes, g.lignes, t, t);
    g.butPrecedentX = x;
    g.butPrecedentY = y;
    g.toursArrivee = 0;
    if (!ChoisitChef(g)) return;

    PlanifieGroupe(groupe, x, y);
    Formation__AncreCoin(g);
    if (g.modeFormation == 4) Formation__PoseRectangle(g, g.butX, g.butY);
    if (g.modeFormation == 1 || g.enFuite == 1) {
        for (int i = 0; i < g.nbMembres; ++i) {
            Objet* o = Membre(g, i);
            if (!o) continue;
            o->modeDeplacement = 4;
            Formation__PasUnite(g.membres[i], groupe);
        }
    }
}

void Groupe__OrdreAttaque(int groupe, int x, int y, int, int garderCible) {
    Groupe* pg = GroupeValide(groupe);
    if (!pg) return;
    Groupe& g = *pg;
    if (g.ordresRefuses == 1) return;
    Carte__RameneDansZone(groupe, 0, &x, &y);

    if (garderCible != 1) {
        g.attaqueLancee = 0;
        g.ordreAttaque = 0;
        g.groupeCibleIA = -1;
        int trouve = 0;
        if (GrilleAir) {
            for (int r = 0; r <= 1 && !trouve; ++r) {
                trouve = Grille__ChercheVoisin(x, y, r, GrilleAir);
                if (trouve && !(ObjetValide(trouve) && ArmeeValide(TableObjets[trouve].armee) &&
                                TableAttaque[0][TableObjets[trouve].armee] != 0))
                    trouve = 0;
            }
        }
        if (GrilleUnites)
            for (int r = 0; r <= 2 && !trouve; ++r) trouve = Grille__ChercheVoisin(x, y, r, GrilleUnites);
        const int armee = Membre(g, 0)->armee;
        if (ObjetValide(trouve)) {
            const Objet& c = TableObjets[trouve];
            if (ArmeeValide(armee) && ArmeeValide(c.armee) && TableCiblage[armee][c.armee] != 0 && c.actif &&
                Groupe__Actif(c.groupe))
                g.groupeCibleIA = c.groupe;
        }
    }
    g.ordreAttaque = g.groupeCibleIA != -1 ? 1 : 0;

    g.bloque = 0;
    g.compteurPoursuite = 0;
    g.destinationOrdreX = x;
    g.destinationOrdreY = y;

    const int colonnes = g.colonnes, lignes = g.lignes;
    if (g.ordreAttaque == 0) {
        int c = static_cast<int>(std::sqrt(static_cast<double>(g.nbMembres)));
        if (c < 1) c = 1;
        int l = g.nbMembres / c;
        if (l < 1) l = 1;
        g.colonnes = c;
        g.lignes = l;
    }
    if (g.colonnes * g.lignes < g.nbMembres) ++g.colonnes;
    if (g.colonnes != colonnes || g.lignes != lignes) {
        g.modeFormation = 1;
        g.enFuite = 1;
        g.nbPointsTrajet = g.pointCourant;
    }

    g.chef = 0;
    g.largeurFormation = g.colonnes;
    g.hauteurFormation = g.lignes;
    g.nouvelOrdre = 1;
    g.toursArrivee = 0;
    g.butPrecedentX = x;
    g.butPrecedentY = y;
    g.etatGroupe = 1;
    if (g.enFuite != 1) g.enFuite = 0;
    g.placee = 1;
    g.geree = 1;

    const Objet& premier = *Membre(g, 0);
    const int t = premier.taille > 0 ? premier.taille : 1;
    Formation__Place(groupe, premier.x, premier.y, x, y, g.colonnes, g.lignes, t, t);
    if (!ChoisitChef(g)) return;
    const int chefIndice = g.membres[g.chef];
    const Objet& chef = TableObjets[chefIndice];
    for (int i = 0; i < g.nbMembres; ++i) {
        Objet* o = Membre(g, i);
        if (!o || MortOuMourant(*o) || o->ordreSecondaire == 1) continue;
        o->ordreSecondaire = 2;
        o->animation = 0;
        o->chefGroupe = g.chef;
        o->ecartChefX = chef.x - o->x;
        o->ecartChefY = chef.y - o->y;
        o->butUniteX = g.butX;
        o->butUniteY = g.butY;
        o->destinationX = o->butUniteX;
        o->destinationY = o->butUniteY;
        Formation__DestinationUnite(g.membres[i], groupe);
        o->modeDeplacement = 4;
        o->numeroObjet = g.membres[i];
    }
    TableObjets[chefIndice].chefGroupe = -1;
    TableObjets[chefIndice].modeDeplacement = 1;

    PlanifieGroupe(groupe, x, y);
    Formation__AncreCoin(g);
    g.aGlisse = 0;
    g.suiviDemarre = 0;
    if (g.modeFormation != g.modeFormationMaitre && g.enFuite == 0 && Formation__Etablie(groupe) == 0) {
        g.modeFormation = g.modeFormationMaitre;
        Formation__RectangleLibre(g);
    }
    if (g.modeFormation == 1) {
        g.enFuite = 1;
        g.nbPointsTrajet = g.pointCourant;
    }
    Formation__Rectangle(groupe);
}
