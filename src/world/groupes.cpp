#include "world/groupes.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "battle/formations.h"
#include "battle/occupation.h"
#include "battle/trajet.h"
#include "campaign/campagne.h"
#include "foundation/erreurs.h"
#include "foundation/son.h"
#include "platform/hasard.h"
#include "shell/selection.h"
#include "world/maitres.h"
#include "world/objets.h"

std::array<Groupe, NOMBRE_GROUPES> TableGroupes{};
NoeudEntier* ListeGroupesLibres = nullptr;
NoeudEntier* ListeGroupesActifs = nullptr;
int32_t NombreGroupes = 0;
Groupe* GroupeCourant = nullptr;
std::array<int32_t, NOMBRE_GROUPES> GroupesSelectionnes{};
int32_t NombreGroupesSelectionnes = 0;
int32_t GroupeEnSelection = -1;

namespace {

bool EstFortification(int typeMaitre) {
    return typeMaitre == 433 || typeMaitre == 473 || typeMaitre == 512 || typeMaitre == 551 || typeMaitre == 590;
}

// The object in member slot i, or null when the slot is off the object table.
Objet* Membre(const Groupe& g, int i) {
    if (!g.membres) return nullptr;
    const int o = g.membres[i];
    return o >= 0 && o < NOMBRE_OBJETS ? &TableObjets[static_cast<size_t>(o)] : nullptr;
}

// Summed in 64 bits: members' values from a master's file can pass an int together.
template <typename F>
int64_t SommeLarge(int g, F valeur) {
    if (!Groupe__Actif(g)) return 0;
    const Groupe& groupe = TableGroupes[g];
    int64_t total = 0;
    for (int i = 0; i < groupe.nbMembres; ++i)
        if (const Objet* o = Membre(groupe, i)) total += valeur(*o);
    return total;
}

// The sum cut to an int's range.
template <typename F>
int Somme(int g, F valeur) {
    return static_cast<int>(std::clamp<int64_t>(SommeLarge(g, valeur), INT_MIN, INT_MAX));
}

// The sum divided by the number of member slots (at least 1): it lies between 0 and the members'
// extreme values, so it fits an int.
template <typename F>
int Moyenne(int g, F valeur) {
    const int64_t n = Groupe__Actif(g) && TableGroupes[g].nbMembres > 0 ? TableGroupes[g].nbMembres : 1;
    return static_cast<int>(SommeLarge(g, valeur) / n);
}

}  // namespace

int Groupe___Creation(int t, int a, int x, int y, int c, int r, int d) {
    if (NombreGroupes >= 1498 || Liste__Vide(ListeGroupesLibres))
        Erreur_Fatale("Groupe___Creation", "le nombre de groupe maximal est bientôt atteint : %d", NOMBRE_GROUPES);
    // A group without members would be read at its first member everywhere.
    if (c <= 0 || r <= 0) Erreur_Fatale("Groupe___Creation", "Groupe sans membre : %d x %d (objet m %d)", c, r, t);
    // More members than the object table holds could never be born (nor their count be sized).
    if (c > (NOMBRE_OBJETS - 1) / r)
        Erreur_Fatale("Objet__Création()", "le nombre maximum d'objets est atteint : %d", NombreObjets);
    if (t < 0 || t >= NombreMaitres)
        Erreur_Fatale("ObjetNaissance()", "Création objet type>supérieur nombre obj maître: %d", t);

    int gi = Liste__Valeur(ListeGroupesLibres);
    Liste__Depiler(&ListeGroupesLibres);
    Groupe& g = TableGroupes[gi];
    g = Groupe{};
    g.noeudListe = Liste__Empiler(&ListeGroupesActifs, gi);
    g.indice = gi;
    g.capacite = c * r + 5;
    g.membres = static_cast<int32_t*>(std::calloc(g.capacite, sizeof(int32_t)));
    if (g.membres == nullptr) Erreur_Fatale("Groupe___Creation", "Mémoire insuffisante");
    g.nbMembres = 0;

    int s = TableMaitres[t].taille;
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j) ObjetNaissance(t, a, x + j * s, y + i * s, gi, d);

    g.etatGroupe = 0;
    g.enFuite = 0;
    g.placee = 1;
    g.colonnes = c;
    g.lignes = r;
    g.modeFormationMaitre = TableMaitres[t].formation;
    g.modeFormation = g.modeFormationMaitre;
    g.groupeCibleIAPropose = -1;
    g.groupeCibleIA = -1;
    g.ordreAttaque = 0;
    g.numeroSelection = 0;
    g.engagementLibre = 0;
    g.tampon = new PointTrajet[POINTS_TRAJET_GROUPE]();
    g.cibleDeploiement = 0;
    g.groupeCible = -1;

    ++NombreGroupes;
    Groupe__Initialise(gi);
    return gi;
}

void Groupe__Destruction(int gi) {
    if (gi < 0) Erreur_Fatale("groupe destruction", "le numéro de groupe est inférieur à 0 : %d", gi);
    // A free slot pushed on the free list twice would be handed out twice.
    if (!Groupe__Actif(gi)) {
        Erreur_Question("groupe destruction", "le groupe %d n'existe pas", gi);
        return;
    }
    Groupe__OubliReferences(gi);

    for (int i = 0; i < NombreGroupesSelectionnes; ++i)
        if (GroupesSelectionnes[i] == gi) {
            GroupesSelectionnes[i] = GroupesSelectionnes[NombreGroupesSelectionnes - 1];
            --NombreGroupesSelectionnes;
            break;
        }
    if (GroupeEnSelection == gi) GroupeEnSelection = NombreGroupesSelectionnes > 0 ? GroupesSelectionnes[0] : -1;
    // A stored selection group must not name the slot once it is handed out again.
    GroupesSelection__Retirer(gi);

    Groupe& g = TableGroupes[gi];
    g.groupeCible = -1;
    for (int i = g.nbMembres - 1; i >= 0; --i) {
        int o = g.membres[i];
        if (o < 1 || o >= NOMBRE_OBJETS || TableObjets[o].noeudListe == nullptr) continue;
        Objet__LibereTrajet(o);
        TableObjets[o].groupe = -1;
        Objet__LiberationComplete(o);
    }

    Groupe__Liberation(gi);
}

void Groupe__Liberation(int gi) {
    if (!Groupe__Actif(gi)) return;
    Groupe& g = TableGroupes[gi];
    delete[] g.nom;
    std::free(g.membres);
    delete[] g.tampon;
    g.nom = nullptr;
    g.membres = nullptr;
    g.tampon = nullptr;
    g.nbMembres = 0;
    g.nbPointsTrajet = 0;
    Liste__Retirer(&ListeGroupesActifs, g.noeudListe);
    g.noeudListe = nullptr;
    Liste__Empiler(&ListeGroupesLibres, gi);
    --NombreGroupes;
}

void Groupe__Selection(int gi) {
    if (!Groupe__Actif(gi)) return;
    Groupe& g = TableGroupes[gi];
    if (g.enDeroute || g.nbMembres <= 0) return;
    const Objet* premier = Membre(g, 0);
    if (premier && EstFortification(premier->typeMaitre)) return;
    GroupeCourant = &g;
    for (int i = 0; i < g.nbMembres; ++i)
        if (Objet* o = Membre(g, i)) o->selectionne = 1;
    bool present = false;
    for (int i = 0; i < NombreGroupesSelectionnes; ++i)
        if (GroupesSelectionnes[i] == gi) present = true;
    if (!present && NombreGroupesSelectionnes < NOMBRE_GROUPES) {
        GroupeEnSelection = gi;
        GroupesSelectionnes[NombreGroupesSelectionnes++] = gi;
    }
    const int t = premier ? premier->typeMaitre : -1;
    if (t >= 0 && t < NOMBRE_TYPES_MAITRES && VoixSelection[t][0] != 0)
        Son__JoueEnPosition(VoixSelection[t][Hasard_Visuel() & 3], premier->x, premier->y);
}

void Groupe__DeselectionTout() {
    for (NoeudEntier* n = ListeObjetsVivants; n && n->suivant; n = n->suivant) TableObjets[n->valeur].selectionne = 0;
    GroupeEnSelection = -1;
    NombreGroupesSelectionnes = 0;
}

void Groupe__RemplacementMembre(int gi, int objet, int remplacant) {
    if (!Groupe__Actif(gi)) return;
    Groupe& g = TableGroupes[gi];
    // The scan stops at the member count.
    for (int i = 0; i < g.nbMembres; ++i)
        if (g.membres[i] == objet) {
            g.membres[i] = remplacant;
            return;
        }
    Erreur_Fatale("ERREUR ERREUR", "i ==%d", g.nbMembres);
}

void Groupe__Formation(int gi, int colonnes, int lignes) {
    if (!Groupe__Actif(gi)) return;
    TableGroupes[gi].colonnes = colonnes;
    TableGroupes[gi].lignes = lignes;
}

void Groupe__Nom(int gi, const char* texte) {
    if (!Groupe__Actif(gi)) return;
    Groupe& g = TableGroupes[gi];
    delete[] g.nom;
    g.nom = nullptr;
    if (texte == nullptr) return;
    size_t n = std::strlen(texte);
    g.nom = new char[n + 1];
    std::memcpy(g.nom, texte, n + 1);
}

void Groupe__Cible(int gi, int cible) {
    if (!Groupe__Actif(gi)) return;
    TableGroupes[gi].groupeCible = cible;
    TableGroupes[gi].cibleDeploiement = DeploiementEnCours;
}

void Groupe__OubliReferences(int gi) {
    for (NoeudEntier* n = ListeGroupesActifs; n && n->suivant; n = n->suivant) {
        Groupe& g = TableGroupes[n->valeur];
        if (g.groupeCibleIAPropose == gi || g.groupeCibleIA == gi) {
            g.groupeCibleIAPropose = -1;
            g.groupeCibleIA = -1;
            g.attaqueLancee = 0;
        }
    }
}

void Groupe__VitesseCommune(int gi, int bonus) {
    if (!Groupe__Actif(gi)) return;
    Groupe& g = TableGroupes[gi];
    GroupeCourant = &g;
    if (g.nbMembres <= 0) return;
    // Slots naming no object are passed over, and a type off the master table keeps its speed.
    const Objet* premier = nullptr;
    for (int i = 0; i < g.nbMembres; ++i) {
        Objet* o = Membre(g, i);
        if (!o) continue;
        if (!premier) premier = o;
        if (o->typeMaitre < 0 || o->typeMaitre >= NOMBRE_TYPES_MAITRES) continue;
        int v = TableMaitres[static_cast<size_t>(o->typeMaitre)].vitesse + bonus;
        o->vitesse = v < 1 ? 1 : v;
    }
    if (!premier) return;
    int v = premier->vitesse;
    for (int i = 0; i < g.nbMembres; ++i) {
        Objet* o = Membre(g, i);
        if (!o) continue;
        if (o->vitesse < v) o->vitesse = v;
        else if (o->vitesse > v) v = o->vitesse;
        if (o->vitesse < 1) o->vitesse = 1;
    }
}

int GroupePointsDeVie(int g) { return Somme(g, [](const Objet& o) { return o.pointsDeVie; }); }
int GroupePointsDeVieMaximum(int g) { return Somme(g, [](const Objet& o) { return o.pointsDeVieMaximum; }); }
int GroupeMana(int g) { return Somme(g, [](const Objet& o) { return o.mana; }); }

int GroupeManaMaximum(int g) {
    if (g < 0) {
        Erreur_Question("GroupeManaMaximum()", "Groupe == %d", g);
        return 101;
    }
    return Somme(g, [](const Objet& o) { return o.indice > 0 ? o.manaMaximum : 0; });
}

int GroupeMoral(int g) { return Moyenne(g, [](const Objet& o) { return o.moral; }); }

int GroupeNiveau(int g) { return Moyenne(g, [](const Objet& o) { return o.niveau; }); }
