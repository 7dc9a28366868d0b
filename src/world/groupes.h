// The group record and the group table: units of one master moving and fighting together,
// or a single building, tree or decor.
#pragma once

#include <array>
#include <cstdint>

#include "foundation/listes.h"

struct PointTrajet;

// The fields are laid out by how often they are read together: the first cache line holds what
// the group tick's loops test of every group, the second the path following state, the third the
// formation's placement; the rest follows.
struct alignas(64) Groupe {
    NoeudEntier* noeudListe;         // node in ListeGroupesActifs, null while the slot is free
    int32_t* membres;                // heap, capacite entries
    int32_t nbMembres;
    int32_t capacite;
    int32_t modeFormation;
    int32_t placee;
    int32_t enDeroute;
    int32_t engagementLibre;
    int32_t ordreAttaque;
    int32_t groupeCibleIA;
    int32_t enFuite;
    int32_t bloque;
    int32_t aGlisse, suiviDemarre;

    int32_t rectangle[4];
    int32_t pasX, pasY;
    int32_t nbPointsTrajet, pointCourant;
    int32_t toursArrivee, etatPas, toursDepuisPas;
    int32_t compteurPoursuite;
    int32_t attaqueLancee;
    int32_t modeFormationMaitre;
    int32_t forceEngagee;
    int32_t force;

    PointTrajet* tampon;             // heap, 1000 points
    int32_t ancreX, ancreY;
    int32_t chef;
    int32_t orientation;
    int32_t destinationOrdreX, destinationOrdreY;
    int32_t butX, butY;
    int32_t largeurFormation, hauteurFormation;
    int32_t nouvelOrdre;
    int32_t etatGroupe;
    int32_t groupeCibleIAPropose;
    int32_t geree;

    int32_t indice;
    char* nom;                       // heap, null when none
    int32_t colonnes, lignes;
    int32_t codeSection, niveauSection;
    int32_t groupeCible;
    int32_t numeroSelection;
    int32_t chefInitialX, chefInitialY, butPrecedentX, butPrecedentY;
    int32_t butLibreX, butLibreY;
    int32_t destinationX, destinationY;
    int32_t coins[4];
    int32_t groupeCibleIAPrecedent;
    int32_t pointsDeVieInitiaux;
    int32_t ordresRefuses;
    int32_t cibleDeploiement;
    int32_t resultatTrajet;
};

constexpr int NOMBRE_GROUPES = 1500;   // slot 0 is never handed out

extern std::array<Groupe, NOMBRE_GROUPES> TableGroupes;
extern NoeudEntier* ListeGroupesLibres;
extern NoeudEntier* ListeGroupesActifs;   // newest first
extern int32_t NombreGroupes;
extern Groupe* GroupeCourant;
extern std::array<int32_t, NOMBRE_GROUPES> GroupesSelectionnes;
extern int32_t NombreGroupesSelectionnes;
extern int32_t GroupeEnSelection;   // the group under command, -1 none

// True for an index of a group in use.
inline bool Groupe__Actif(int g) { return g >= 1 && g < NOMBRE_GROUPES && TableGroupes[g].noeudListe != nullptr; }

int Groupe___Creation(int typeMaitre, int armee, int x, int y, int colonnes, int lignes, int direction);
void Groupe__Destruction(int groupe);
// Gives the slot of an active group back: its name, members and path freed, out of the active
// list onto the free one. The members and the selections are the caller's.
void Groupe__Liberation(int groupe);
void Groupe__Selection(int groupe);
void Groupe__DeselectionTout();
void Groupe__RemplacementMembre(int groupe, int objet, int remplacant);
void Groupe__Formation(int groupe, int colonnes, int lignes);
void Groupe__Nom(int groupe, const char* texte);
void Groupe__Cible(int groupe, int cible);
void Groupe__OubliReferences(int groupe);
void Groupe__VitesseCommune(int groupe, int bonus);

int GroupePointsDeVie(int groupe);
int GroupePointsDeVieMaximum(int groupe);
int GroupeMana(int groupe);
int GroupeManaMaximum(int groupe);
int GroupeMoral(int groupe);
int GroupeNiveau(int groupe);
