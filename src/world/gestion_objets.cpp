#include "world/gestion_objets.h"

#include <cstddef>
#include <vector>

#include "battle/cadavres.h"
#include "battle/creatures.h"
#include "battle/generateurs.h"
#include "battle/humains.h"
#include "battle/machines.h"
#include "campaign/region.h"
#include "foundation/erreurs.h"
#include "foundation/journal.h"
#include "frontend/localisation.h"
#include "platform/temps.h"
#include "shell/conditions.h"
#include "shell/cycles.h"
#include "shell/scenario.h"
#include "shell/trame.h"
#include "world/deroute.h"
#include "world/effondrement.h"
#include "world/experience.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/maitres.h"
#include "world/mort.h"
#include "world/objets.h"
#include "world/portes.h"
#include "world/codes.h"

int32_t FacteurTemps = 1;

namespace {

uint32_t DernierComptage = 0;

void Recomptage() {
    NbUnitesAmies = NbUnitesEnnemies = NbUnitesNeutres = NbUnitesAlliees = 0;
    for (NoeudEntier* n = ListeObjetsVivants; n && n->suivant; n = n->suivant) {
        const Objet& o = TableObjets[static_cast<size_t>(n->valeur)];
        if (o.actif != 1 || o.famille == FAMILLE_CADAVRE || o.famille == FAMILLE_GRILLE) continue;
        if (int32_t* compteur = CompteurCamp(o.armee)) ++*compteur;
    }
}

bool Hostile(int acteur, int cible) {
    if (acteur < 0 || acteur > 5 || cible < 0 || cible > 5) return false;
    return TableAttaque[static_cast<size_t>(acteur)][static_cast<size_t>(cible)] != 0;
}

// A routed unit: off the map at its edge, or rallied by a leader of a friendly army nearby.
// True when the object left the map.
bool Deroute(Objet& o) {
    if (!Groupe__Actif(o.groupe)) return false;
    Groupe& g = TableGroupes[static_cast<size_t>(o.groupe)];
    if (!g.enDeroute) return false;
    if (o.x == 0 || o.x == 125 || o.y == 0 || o.y == 125) {
        g.enDeroute = 2;
        o.etatFuite = 2;
        Objet__Mort(o.indice, 2);
        return true;
    }
    const int rallieur = Univers__RechercheSpirale(o.indice, 3, -1);
    if (rallieur != 0 && !Hostile(TableObjets[static_cast<size_t>(rallieur)].armee, o.armee)) {
        Groupe__RemiseAZero(o.groupe);
        const int t = o.typeMaitre;
        const char* nom = t >= 0 && t < NOMBRE_TYPES_MAITRES && NomsMaitres[static_cast<size_t>(t)]
                              ? NomsMaitres[static_cast<size_t>(t)]
                              : "";
        char ligne[512];
        Localisation__Texte(ligne, sizeof ligne, TexteRalliement, nom);
        Messages_Ajout(ligne, 0);
    }
    return false;
}

}  // namespace

void Objets__RelanceComptage() { DernierComptage = Temps_Ticks(); }

void Objets__GestionTour() {
    FacteurTemps = 1;
    const uint32_t maintenant = Temps_Ticks();
    if (maintenant - DernierComptage > 5000) {
        Recomptage();
        DernierComptage = Temps_Ticks();
    }
    // The objects alive at the start of the pass, in list order: a birth during the pass waits
    // for the next one, and a slot given back meanwhile is skipped.
    std::vector<int32_t> vivants;
    vivants.reserve(static_cast<size_t>(NombreObjets));
    for (NoeudEntier* n = ListeObjetsVivants; n && n->suivant; n = n->suivant) vivants.push_back(n->valeur);
    for (int32_t i : vivants) {
        Objet& o = TableObjets[static_cast<size_t>(i)];
        if (o.noeudListe == nullptr) continue;
        ObjetCourant = &o;
        if (o.ordreSecondaire != 4) Objet__Examine();
    }
}

void Objet__Examine() {
    Objet* courant = ObjetCourant;
    if (courant == nullptr) return;
    Objet& o = *courant;
    if (Deroute(o)) return;
    ObjetCourant = courant;

    if (Objet__DegatsContinus()) {
        o.ordreSecondaire = 3;
        o.animation = 18;
        o.image = 0;
    }
    ObjetCourant = courant;
    if (o.gel != 0) {
        --o.gel;
        return;
    }

    switch (o.famille) {
        case FAMILLE_HUMAIN:
            HumainGestion();
            ObjetCourant = courant;
            Objet__Regeneration();
            Objet__RegenerationVie();
            break;
        case FAMILLE_BATIMENT:
            if (o.pointsDeVie == 0) BatimentDestruction();
            break;
        case FAMILLE_DECORS: Objet__SuiviAltitude(); break;
        case FAMILLE_ARBRES:
        case FAMILLE_PROJECTILE:
        case FAMILLE_TELEPORTEUR:
        case FAMILLE_CRENAU:
        case FAMILLE_GRILLE: break;
        case FAMILLE_MACHINES:
            switch (o.typeMaitre) {
                case 139: Baliste___gestion(); break;
                case 141: Catapulte___gestion(); break;
                case 158: Catapulte_debris___gestion(); break;
                case 160: Baliste_debris___gestion(); break;
                default: break;
            }
            ObjetCourant = courant;
            Objet__RegenerationVie();
            if (o.pointsDeVie <= 0) Objet__Mort(o.indice, 2);
            break;
        case FAMILLE_DRAGON:
        case FAMILLE_ANGE:
            if (o.famille == FAMILLE_DRAGON) DragonGestion();
            else AngeGestion();
            ObjetCourant = courant;
            Objet__Regeneration();
            Objet__RegenerationVie();
            break;
        case FAMILLE_PORTE: Porte__Gestion(); break;
        case FAMILLE_GENERATEUR: Generateur__Gestion(); break;
        case FAMILLE_CADAVRE: Minuterie__Gestion(); break;
        case FAMILLE_REGIMENT: Regiment__Animation(); break;
        case FAMILLE_REGIMENT_NMI: RegimentNmi_Animation(); break;
        default:
            Erreur_Question("ObjetExamine", "La famille de l'objet courant est inconnu : %d", o.famille);
            Erreur_Fatale("Objet__Examine", "L'objet courant est : %d", o.typeMaitre);
    }
    ObjetCourant = courant;
}

int Animation__Avance(int n) {
    Objet* o = ObjetCourant;
    if (o == nullptr) return 0;
    o->image = o->compteurEvenement + 1;
    if (o->compteurEvenement >= n - 1) {
        o->compteurEvenement = -1;
        o->image = 0;
        o->finCycle = 1;
        return 1;
    }
    return 0;
}

int Compteur__Modulo(int n, int32_t* compteur) {
    if (compteur == nullptr) return 0;
    if (++*compteur == n) {
        *compteur = 0;
        return 1;
    }
    return 0;
}

int Chrono__Pas(int vitesse, int pas, int32_t* cumul, uint32_t* maintenant, uint32_t* dernier) {
    if (cumul == nullptr || maintenant == nullptr || dernier == nullptr) return 0;
    *maintenant = HorlogeJeu;
    const int64_t ecart = static_cast<int32_t>(*maintenant - *dernier);
    *cumul = static_cast<int32_t>(ecart * vitesse / 1000);
    if (*cumul < 0) {
        *cumul = 0;
        *dernier = *maintenant;
        return 0;
    }
    // A step of nothing would be due for ever.
    if (pas <= 0) return 0;
    int resultat = 0;
    while (*cumul >= pas) {
        *dernier = *maintenant;
        *cumul -= pas;
        resultat = 1;
    }
    return resultat;
}

void Batiments__AttributionJoueur() {
    for (NoeudEntier* n = ListeObjetsVivants; n && n->suivant; n = n->suivant) {
        Objet& o = TableObjets[static_cast<size_t>(n->valeur)];
        if (o.famille == FAMILLE_BATIMENT || o.famille == FAMILLE_GRILLE) o.armee = JoueurBatiments;
    }
}

int Grille__ChercheVoisin(int x, int y, int r, const int32_t* grille) {
    if (grille == nullptr) return 0;
    for (int j = y - r; j <= y + r; ++j)
        for (int i = x - r; i <= x + r; ++i) {
            if (i < 0 || i >= TAILLE_UNIVERS || j < 0 || j >= TAILLE_UNIVERS) continue;
            const int k = grille[i + TAILLE_UNIVERS * j];
            if (k <= 0 || k >= NOMBRE_OBJETS) continue;
            const Objet& o = TableObjets[static_cast<size_t>(k)];
            if (o.famille == FAMILLE_BATIMENT && o.typeMaitre != 147) continue;
            if (o.famille == FAMILLE_DECORS || o.famille == FAMILLE_ARBRES) continue;
            return k;
        }
    return 0;
}

void Objet__Regeneration() {
    Objet* o = ObjetCourant;
    if (o == nullptr || JeuEnPause || CompteurCycle20 % 16 != 0) return;
    if (o->typeMaitre < 0 || o->typeMaitre >= NOMBRE_TYPES_MAITRES) return;
    o->mana += TableRegenerationMana[static_cast<size_t>(o->typeMaitre)];
    if (o->mana > o->manaMaximum) o->mana = o->manaMaximum;
}

void Objet__RegenerationVie() {
    Objet* o = ObjetCourant;
    if (o == nullptr || JeuEnPause || CompteurCycle20 % 4 != 0) return;
    if (o->pointsDeVie <= 0 || o->regenerationVie == 0) return;
    o->pointsDeVie += o->regenerationVie;
    if (o->pointsDeVie > o->pointsDeVieMaximum) o->pointsDeVie = o->pointsDeVieMaximum;
    if (o->pointsDeVie < 1) {
        o->pointsDeVie = 0;
        o->heureMort = o->heureEtat = static_cast<int32_t>(HorlogeJeu);
        o->image = 0;
        o->compteurEvenement = -1;
        o->animation = 18;
        o->ordreSecondaire = 3;
    }
}

int Objet__RechercheRayonFamille3(int x, int y, int r) {
    if (GrilleUnites == nullptr) return 0;
    for (int j = y - r; j <= y + r; ++j)
        for (int i = x - r; i <= x + r; ++i) {
            if (i < 0 || i >= TAILLE_UNIVERS || j < 0 || j >= TAILLE_UNIVERS) continue;
            const int k = GrilleUnites[i + TAILLE_UNIVERS * j];
            if (k > 0 && k < NOMBRE_OBJETS && TableObjets[static_cast<size_t>(k)].famille == FAMILLE_ARBRES) return k;
        }
    return 0;
}
