#include "world/objets.h"

#include <cstdlib>

#include "battle/generateurs.h"
#include "battle/impacts.h"
#include "battle/occupation.h"
#include "battle/trajet.h"
#include "campaign/campagne.h"
#include "foundation/erreurs.h"
#include "platform/hasard.h"
#include "shell/conditions.h"
#include "shell/trame.h"
#include "world/batiments.h"
#include "world/descriptions.h"
#include "world/experience.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/maitres.h"
#include "world/codes.h"

std::array<Objet, NOMBRE_OBJETS> TableObjets{};
NoeudEntier* ListeObjetsLibres = nullptr;
NoeudEntier* ListeObjetsVivants = nullptr;
NoeudEntier* ListeObjetsMorts = nullptr;
int32_t NombreObjets = 0;
Objet* ObjetCourant = nullptr;
std::array<int32_t, NOMBRE_TYPES_MAITRES> PopulationParType{};
int32_t NbUnitesAmies = 0, NbUnitesEnnemies = 0, NbUnitesNeutres = 0, NbUnitesAlliees = 0;
int32_t TotalUnitesAmies = 0, TotalUnitesEnnemies = 0;

namespace {

int Borner(int v) { return v < 0 ? 0 : (v >= TAILLE_UNIVERS ? TAILLE_UNIVERS - 1 : v); }

}  // namespace

// The side counter of an army, null for an army that is counted nowhere.
int32_t* CompteurCamp(int a) {
    if (a < 0 || a > 5) return nullptr;
    if (a == 0) return &NbUnitesAmies;
    if (a == 4) return &NbUnitesNeutres;
    if (TableAttaque[a][0]) return &NbUnitesEnnemies;
    bool neutre = true;
    for (int b = 1; b <= 4; ++b)
        if (TableAttaque[a][b]) neutre = false;
    if (neutre) return &NbUnitesNeutres;
    for (int b = 0; b <= 4; ++b)
        if (TableCiblage[a][b]) return &NbUnitesAlliees;
    return &NbUnitesNeutres;
}

int ObjetNaissance(int t, int a, int x, int y, int g, int d) {
    // Every index is checked before it touches a table.
    if (t < 0) Erreur_Fatale("Objet__Création()", "création d'un objet de type inférieur à 0 : %d", t);
    if (t >= NombreMaitres || t >= NOMBRE_TYPES_MAITRES)
        Erreur_Fatale("ObjetNaissance()", "Création objet type>supérieur nombre obj maître: %d", t);
    if (NomsMaitres[t] == nullptr) Erreur_Fatale("ObjetNaissance()", "Création d'un objet de type vide : %d", t);
    if (NombreObjets >= NOMBRE_OBJETS - 1 || Liste__Vide(ListeObjetsLibres))
        Erreur_Fatale("Objet__Création()", "le nombre maximum d'objets est atteint : %d", NombreObjets);
    if (g != -1 && !Groupe__Actif(g)) Erreur_Fatale("ObjetNaissance()", "Groupe inexistant : %d", g);
    if (x != Borner(x) || y != Borner(y)) {
        Erreur_Question("ObjetNaissance()", "Case hors de la carte : %d %d (objet m %d)", x, y, t);
        x = Borner(x);
        y = Borner(y);
    }

    const Objet& maitre = TableMaitres[t];
    if (maitre.actif == 1 && maitre.famille != FAMILLE_CADAVRE && maitre.famille != FAMILLE_GRILLE) {
        if (int32_t* compteur = CompteurCamp(a)) {
            ++*compteur;
            if (compteur == &NbUnitesEnnemies) ++TotalUnitesEnnemies;
            if (compteur == &NbUnitesAmies) ++TotalUnitesAmies;
        }
    }
    ++PopulationParType[t];

    int i = Liste__Valeur(ListeObjetsLibres);
    Liste__Depiler(&ListeObjetsLibres);
    NoeudEntier* noeud = Liste__Empiler(&ListeObjetsVivants, i);
    Objet* o = &TableObjets[i];
    Objet__LibereTrajet(i);   // buffers a previous occupant of the slot may have left
    *o = maitre;
    o->indice = i;
    o->noeudListe = noeud;

    Objet* appelant = ObjetCourant;
    ObjetCourant = o;
    o->typeMaitre = t;
    o->armee = a;
    o->x = x;
    o->y = y;
    o->direction = d;
    o->mourant = 0;
    o->empreinteUnites = -1;
    o->xPrecedent = x;
    o->yPrecedent = y;
    o->capaciteEngagement = o->degats;
    o->totalEngage = 0;
    o->cible = -1;
    o->porteeVue = 3;
    o->porteeAttaque = 1;
    o->finCycle = 0;
    o->groupe = g;

    if (g != -1) {
        Groupe& groupe = TableGroupes[g];
        if (groupe.nbMembres + 1 > groupe.capacite) {
            int capacite = groupe.capacite + 5;
            auto* membres = static_cast<int32_t*>(std::realloc(groupe.membres, sizeof(int32_t) * capacite));
            if (membres == nullptr) Erreur_Fatale("Erreur", "Erreur realloc ObjetNaissance");
            groupe.membres = membres;
            groupe.capacite = capacite;
        }
        if (groupe.colonnes == 0 || groupe.nbMembres % groupe.colonnes == 0) ++groupe.lignes;
        groupe.membres[groupe.nbMembres++] = i;
    }

    o->animation = 5;
    o->image = 0;
    o->ordreSecondaire = 2;
    o->compteurEvenement = -1;
    if (t == 36) {
        o->typeLiberation = 2;
        o->direction = 4;
    }
    o->heureMort = o->heureEtat = static_cast<int32_t>(HorlogeJeu);
    o->mana = o->manaMaximum;
    o->ageIcone = o->icone = 0;
    o->aleaAffichage = Hasard_Regles() % 170;
    o->origineX = x;
    o->origineY = y;
    o->reposAnime = 0;
    o->compteurRepos = Hasard_Regles() % 35;
    o->arretFinCycle = 1;
    for (int32_t& s : o->dernierSort) s = 1500;
    o->gel = 0;

    if (a == 0) Objet__Bonus(i);
    if (t == 5) o->experience = ExperienceHeros;

    switch (o->famille) {
        case FAMILLE_GENERATEUR: case FAMILLE_TELEPORTEUR: case FAMILLE_CADAVRE: o->couche = 0; break;
        case FAMILLE_DRAGON: case FAMILLE_ANGE: o->couche = 2; break;
        case FAMILLE_PROJECTILE: o->couche = 3; break;
        default: o->couche = 1; break;
    }

    Objet__AlloueTrajet(i);

    switch (o->famille) {
        case FAMILLE_BATIMENT:
        case FAMILLE_CRENAU: {
            if (o->famille == FAMILLE_BATIMENT) o->aleaAffichage = 31;
            int orientation = o->famille == FAMILLE_CRENAU ? 1 : o->direction;
            DescriptionBatiment* description = Batiment__Description(t, orientation);
            if (description == nullptr)
                Erreur_Fatale("ObjetNaissance()", "Direction de l'objet incorrect : %d", o->direction);
            if (!Batiment__Chargee(description)) Batiment___operation(0, t, orientation);
            DescriptionBatimentCourante = description;
            Batiment__Naissance(i);
            break;
        }
        case FAMILLE_ARBRES: o->sorts[0] = 15; break;
        case FAMILLE_PROJECTILE: o->animation = 2; break;
        case FAMILLE_MACHINES: o->sorts[0] = Hasard_Regles() & 15; break;
        case FAMILLE_GENERATEUR:
            ObjetCourant = o;
            Generateur__Naissance();
            break;
        case FAMILLE_REGIMENT: o->sorts[0] = NumeroJetonRegiment; break;
        default: break;
    }

    if (o->famille != FAMILLE_BATIMENT) {
        switch (o->couche) {
            case 0: Univers__OccupationSol(i); break;
            case 1: Univers__OccupationUnites(i); break;
            case 2: Univers__OccupationAir(i); break;
            case 3: break;
            default: Erreur_Question("ObjetNaissance()", "Z inconnue (%d) pour l'objet %d", o->couche, i); break;
        }
    }

    if (t == 433 && CampagneCourante != 0) {
        o->pointsDeVie *= 3;
        o->pointsDeVieMaximum *= 3;
    }

    ++NombreObjets;
    ObjetCourant = appelant;
    return i;
}

void Objet__Liberation(int indice) {
    if (indice < 1 || indice >= NOMBRE_OBJETS || TableObjets[indice].noeudListe == nullptr) {
        Erreur_Question("Objet__Liberation()", "Objet %d absent de la liste des vivants", indice);
        return;
    }
    Objet& o = TableObjets[indice];
    EffetImpactOublierProprietaire(&o);
    Liste__Retirer(&ListeObjetsVivants, o.noeudListe);
    o.noeudListe = nullptr;
    Liste__Empiler(&ListeObjetsLibres, indice);
    --NombreObjets;
}

void Objet__LiberationComplete(int indice) {
    if (indice >= 1 && indice < NOMBRE_OBJETS) Univers__LiberationUnites(indice);
    Objet__Liberation(indice);
}

void ObjetsGroupes__Initialisation() {
    // What a previous scene left is released first.
    for (NoeudEntier* n = ListeObjetsVivants; n && n->suivant; n = n->suivant) Objet__LibereTrajet(n->valeur);
    for (NoeudEntier* n = ListeGroupesActifs; n && n->suivant; n = n->suivant) {
        Groupe& g = TableGroupes[n->valeur];
        delete[] g.nom;
        std::free(g.membres);
        delete[] g.tampon;
    }
    for (NoeudEntier** liste : {&ListeGroupesLibres, &ListeGroupesActifs, &ListeObjetsLibres, &ListeObjetsVivants,
                                &ListeObjetsMorts})
        Liste__Liberer(liste);

    NombreGroupes = 0;
    for (int i = 0; i < NOMBRE_GROUPES; ++i) {
        TableGroupes[i].nom = nullptr;
        TableGroupes[i].membres = nullptr;
        TableGroupes[i].tampon = nullptr;
        TableGroupes[i].noeudListe = nullptr;
    }
    NombreObjets = 0;
    for (int i = 0; i < NOMBRE_OBJETS; ++i) {
        TableObjets[i].indice = i;
        TableObjets[i].noeudListe = nullptr;
    }
    Liste__Creation1(&ListeGroupesLibres, NOMBRE_GROUPES);
    Liste__Creation1(&ListeGroupesActifs, 1);
    Liste__Creation1(&ListeObjetsLibres, NOMBRE_OBJETS);
    Liste__Creation1(&ListeObjetsVivants, 1);
    Liste__Creation1(&ListeObjetsMorts, 1);
}
