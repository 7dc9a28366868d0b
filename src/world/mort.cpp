#include "world/mort.h"


#include "battle/cadavres.h"
#include "battle/occupation.h"
#include "battle/ordres.h"
#include "battle/trajet.h"
#include "foundation/erreurs.h"
#include "foundation/journal.h"
#include "foundation/son.h"
#include "frontend/localisation.h"
#include "platform/hasard.h"
#include "shell/conditions.h"
#include "shell/scenario.h"
#include "world/batiments.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/maitres.h"
#include "world/objets.h"
#include "world/codes.h"

std::array<int32_t, TAILLE_TEMPORISATION_MORT> TemporisationMort{};
int32_t TemporisationMortNbr = 0;
int32_t NombreObjetsMorts = 0;

namespace {


bool EstFortification(int t) { return t == 433 || t == 473 || t == 512 || t == 551 || t == 590; }

const char* NomMaitre(const Objet& o) {
    if (o.typeMaitre < 0 || o.typeMaitre >= NOMBRE_TYPES_MAITRES || NomsMaitres[o.typeMaitre] == nullptr) return "";
    return NomsMaitres[o.typeMaitre];
}

void Journal(const char* modele, const Objet& o) {
    char ligne[512];
    Localisation__Texte(ligne, sizeof ligne, modele, NomMaitre(o));
    Messages_Ajout(ligne, 0);
}

// True when the panic test runs to the morale draw and the group breaks; *tire tells whether
// the draw was reached.
bool Panique(Objet& o, bool* tire) {
    *tire = false;
    if (o.categorie == 1 || o.categorie == 6 || o.famille == FAMILLE_BATIMENT || !Groupe__Actif(o.groupe)) return false;
    const Groupe& g = TableGroupes[o.groupe];
    if (g.nbMembres <= 1) return false;
    o.ordreSecondaire = 4;   // the member walks below skip it
    if (g.enDeroute || (GroupePointsDeVie(o.groupe) - o.pointsDeVie) * 3 >= g.pointsDeVieInitiaux) return false;
    *tire = true;
    switch (o.moral) {
        case 2: return Hasard_Regles() % 100 < 80;
        case 3: return Hasard_Regles() % 100 < 60;
        case 4: return Hasard_Regles() % 100 < 40;
        case 5: return false;
        default: return true;
    }
}

void Deroute(Objet& o) {
    Groupe& g = TableGroupes[o.groupe];
    if (o.typeMaitre != 18) Journal(TextePanique, o);
    Son__JoueIntervalle(2012, 3000);
    g.modeFormation = 1;
    g.enFuite = 1;
    const int cote = Hasard_Regles() & 3, r = Hasard_Regles() % 128;
    static const int sortiesX[4] = {-10, 138, 0, 0}, sortiesY[4] = {0, 0, -10, 138};
    const int x = cote < 2 ? sortiesX[cote] : r, y = cote < 2 ? r : sortiesY[cote];
    Groupe__OrdreDeplacement(o.groupe, x, y, 0, 0);
    for (int i = 0; i < g.nbMembres; ++i) {
        Objet& m = TableObjets[g.membres[i]];
        if (m.ordreSecondaire == 4 || m.ordreSecondaire == 3 || m.pointsDeVie <= 0) continue;
        m.ordreSecondaire = 2;
        m.cible = -1;
        m.selectionnable = 0;
        m.etatFuite = 1;
    }
    g.enDeroute = 1;
    g.engagementLibre = 0;
}

int RacineEntiere(int n) {
    int r = 0;
    while ((r + 1) * (r + 1) <= n) ++r;
    return r;
}

// o leaves its group: the last member takes its place, or the group goes when o was the last.
void QuitterGroupe(int indice, Objet& o) {
    const int gi = o.groupe;
    if (!Groupe__Actif(gi)) return;
    Groupe& g = TableGroupes[gi];
    if (g.nbMembres > 1) {
        Groupe__RemplacementMembre(gi, indice, g.membres[g.nbMembres - 1]);
        --g.nbMembres;
        if (g.modeFormation == 1 && g.enFuite == 1) {
            const int c = RacineEntiere(g.nbMembres);
            g.colonnes = c < 1 ? 1 : c;
            const int l = g.nbMembres / g.colonnes;
            g.lignes = l < 1 ? 1 : l;
        }
        return;
    }
    Groupe__OubliReferences(gi);
    if (GroupeEnSelection == gi) GroupeEnSelection = -1;
    Groupe__Liberation(gi);
    for (int i = 0; i < NombreGroupesSelectionnes; ++i)
        if (GroupesSelectionnes[i] == gi) {
            GroupesSelectionnes[i] = GroupesSelectionnes[--NombreGroupesSelectionnes];
            if (NombreGroupesSelectionnes == 0) GroupeEnSelection = -1;
            break;
        }
    GroupesSelection__Retirer(gi);
}

}  // namespace

void Objet__CriMort() {
    if (ObjetCourant == nullptr) return;
    Journal(TextesCriMort[Hasard_Visuel() & 3], *ObjetCourant);
}

void Objet__Mort(int indice, int liberation) {
    if (indice < 1 || indice >= NOMBRE_OBJETS) {
        Erreur_Question("Objet__Mort()", "Objet inexistant : %d", indice);
        return;
    }
    Objet& o = TableObjets[indice];
    // A free slot has nothing to kill; the placeholder marks water and impassable cells for good.
    if (o.noeudListe == nullptr || o.armee == ARMEE_REPERE) return;
    o.compteurRepos = 0;
    o.actif = 0;
    o.enIncantation = 0;
    if (o.mourant || o.ordreSecondaire == 4) return;

    bool tire = false;
    if (Panique(o, &tire)) {
        Deroute(o);
    } else if (tire) {
        Son__JoueIntervalle(2011, 3000);
        if (o.typeMaitre != 18) {
            // The cry names the dying object, whoever the caller is working on.
            Objet* appelant = ObjetCourant;
            ObjetCourant = &o;
            Objet__CriMort();
            ObjetCourant = appelant;
        }
    }

    if (o.typeMaitre >= 0 && o.typeMaitre < NOMBRE_TYPES_MAITRES) {
        if (TableMaitres[o.typeMaitre].actif == 1 && o.famille != FAMILLE_CADAVRE && o.famille != FAMILLE_GRILLE)
            if (int32_t* compteur = CompteurCamp(o.armee)) --*compteur;
        --PopulationParType[o.typeMaitre];
    }

    o.ordreSecondaire = 4;
    o.typeLiberation = liberation;
    o.delaiMort() = DELAI_MORT;
    if (TemporisationMortNbr < TAILLE_TEMPORISATION_MORT)
        TemporisationMort[TemporisationMortNbr++] = indice;
    else
        Erreur_Question("Erreur de dépassement", "Nombre 'TemporisationMortNbr' depassé, trop de morts par secondes !!!");
    o.mourant = 1;
    ObjetDestruction(indice);
}

void ObjetDestruction(int indice) {
    if (indice < 1 || indice >= NOMBRE_OBJETS) return;
    Objet& o = TableObjets[indice];
    Objet__LibereTrajet(indice);
    switch (o.typeLiberation) {
        case 0: break;
        case 1: Univers__LiberationAir(indice); break;
        case 2: Univers__LiberationUnites(indice); break;
        case 3: Univers__LiberationSol(indice); break;
        default:
            Erreur_Fatale("ObjetDestruction()", "Type de libération d'occupation de l'univers inconnu : %d",
                          o.typeLiberation);
    }
    // A building's cells follow its description, not its size: none may keep its index.
    if (o.famille == FAMILLE_BATIMENT) Batiment__Liberation(indice);

    if (EstFortification(o.typeMaitre)) {
        BrecheOuverte = 1;
        FortificationDetruite = 1;
        if (EtatGrille == 0) {
            EtatGrille = 1;
            GrillePresente = 0;
        } else if (EtatGrille == -1) {
            EtatGrille = 0;
        }
    }

    if (o.cible > 0 && o.cible < NOMBRE_OBJETS && TableObjets[o.cible].noeudListe != nullptr)
        TableObjets[o.cible].totalEngage -= o.degats;

    QuitterGroupe(indice, o);
    o.groupe = -1;

    if ((o.famille == FAMILLE_HUMAIN || o.famille == FAMILLE_MACHINES || o.famille == FAMILLE_DRAGON) &&
        o.etatFuite != 2)
        Cadavre__Creation(indice);
}

void TemporisationMort__Tick() {
    for (int i = 0; i < TemporisationMortNbr; ++i) {
        Objet& o = TableObjets[TemporisationMort[i]];
        if (--o.delaiMort() < 1) {
            Liste__Empiler(&ListeObjetsMorts, TemporisationMort[i]);
            ++NombreObjetsMorts;
            TemporisationMort[i] = TemporisationMort[--TemporisationMortNbr];
        }
    }
}

void TemporisationMort__Vidage() {
    for (int i = 0; i < TemporisationMortNbr; ++i) {
        Liste__Empiler(&ListeObjetsMorts, TemporisationMort[i]);
        ++NombreObjetsMorts;
        TemporisationMort[i] = TemporisationMort[--TemporisationMortNbr];
    }
}

void ObjetsMorts__Liberation() {
    while (!Liste__Vide(ListeObjetsMorts)) {
        const int indice = Liste__Valeur(ListeObjetsMorts);
        Liste__Depiler(&ListeObjetsMorts);
        --NombreObjetsMorts;
        if (indice < 1 || indice >= NOMBRE_OBJETS || TableObjets[indice].noeudListe == nullptr) continue;
        Objet__LibereTrajet(indice);
        Objet__Liberation(indice);
    }
}
