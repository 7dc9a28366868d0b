// The object record and the object table: everything on the battle map is one slot of
// TableObjets, born as a copy of its master.
#pragma once

#include <array>
#include <cstdint>

#include "foundation/listes.h"

struct AnimationInfo;
struct TableEvenements;
struct PointTrajet;

// A master (TableMaitres) has the same layout. Every field is a signed 32-bit word unless said.
// The fields are laid out by how often a pass reads them, so that a unit's pass touches few of
// its lines: the first cache line holds what the tests of a cell's occupant and the per-unit loops
// of the group tick read; the second the movement, engagement and animation state every unit's
// behaviour reads; the third the buffers and the path and step state; the fourth the spells and
// the rest of what a pass reads of many units; the fifth the fight's lists and the drawing's
// marks; the rest follows.
struct alignas(64) Objet {
    int32_t famille;
    int32_t taille;                 // side of the square footprint in cells, 0..6
    int32_t actif;
    int32_t couche;                 // 0 ground, 1 units, 2 air, 3 none
    int32_t armee;                  // 0..5; the placeholder of a battle has 1000
    int32_t typeMaitre;
    int32_t mourant;
    int32_t ordreSecondaire;        // 1 acting, 2 moving, 3 dying, 4 dead
    int32_t groupe;                 // -1 none
    int32_t numeroObjet;
    int32_t enIncantation;
    int32_t gel;
    int32_t decalageX, decalageY;
    int32_t x, y;                   // top-left cell of the footprint

    int32_t prochaineCaseX, prochaineCaseY;
    int32_t attenteCase;
    int32_t classe;
    int32_t modeDeplacement;
    int32_t finCycle;
    int32_t cible;
    int32_t groupeCible;
    int32_t pointsDeVie;
    int32_t porteeVue, porteeAttaque;
    int32_t animation;              // 0..20
    int32_t image;
    int32_t direction;
    int32_t compteurEvenement;
    int32_t auContact;

    PointTrajet* trajet;
    NoeudEntier* noeudListe;        // node in ListeObjetsVivants, null while the slot is free
    AnimationInfo* animations;      // the master's 21 pairs, shared, never freed by an object
    int32_t nbPointsTrajetUnite;
    int32_t pointCourantUnite;
    int32_t contourne;
    int32_t vitesse;
    int32_t arretFinCycle;
    int32_t empreinteUnites;        // cell index of the footprint last stamped in GrilleUnites, -1 none
    int32_t regenerationVie;
    int32_t butUniteX, butUniteY;
    uint8_t degatsContinus;         // 254 = immune
    uint8_t remplissage[3];

    int32_t sorts[9];               // spell codes; per family, other values (see the accessors below)
    int32_t mana;
    int32_t manaMaximum;
    int32_t compteurRepos;
    int32_t chefGroupe;
    int32_t resultatTrajet;
    int32_t destinationX;
    int32_t dernierEnnemi;

    int32_t degats;
    int32_t capaciteEngagement;
    int32_t totalEngage;
    int32_t dernierAllie;
    int32_t* listeAllies;
    int32_t* listeEnnemis;
    TableEvenements* evenements;
    int32_t touche;
    int32_t dejaAffiche;            // drawn this frame
    int32_t reposAnime;
    int32_t etatSort;
    int32_t action;
    int32_t selectionne;

    int32_t categorie;
    int32_t selectionnable;
    int32_t moral;                  // 1..5 (letters E..A)
    int32_t pointsDeVieMaximum;
    int32_t pointsDeVieParNiveau;
    int32_t degatsParNiveau;
    char couleur[4];                // team tint R, V, B (0..31); a first byte ' ' means no tint
    int32_t destinationY;
    int32_t imageCadavre;
    int32_t typeLiberation;         // grid freed at destruction: 0 none, 1 air, 2 units, 3 ground
    int32_t niveau;
    int32_t experience;
    int32_t indice;
    int32_t heureEtat, heureMort;
    int32_t aleaAffichage;
    int32_t origineX, origineY;
    int32_t ecartChefX, ecartChefY;
    int32_t xPrecedent, yPrecedent;
    int32_t formation;              // 4 "TOUJOURS", 1 "JAMAIS"
    int32_t animationParDefaut;
    int32_t pixelX, pixelY;
    int32_t projectileLie;
    int32_t modeArmure;
    int32_t cibleSort;
    int32_t dernierSort[9];
    int32_t compteurTir;
    int32_t etatFuite;
    int32_t ageNombre, degatsRecus;
    int32_t ageIcone, icone;

    // The words of sorts as some families use them.
    int32_t& delaiMort() { return sorts[8]; }
    int32_t& generateurMaitre() { return sorts[0]; }
    int32_t& generateurReste() { return sorts[1]; }
    int32_t& generateurTaille() { return sorts[2]; }
    int32_t& generateurPeriode() { return sorts[3]; }
    int32_t& generateurDelai() { return sorts[4]; }
    int32_t& maitreCadavre() { return sorts[0]; }
    int32_t& niveauCadavre() { return sorts[1]; }
    int32_t& dureeCadavre() { return sorts[2]; }
};

constexpr int NOMBRE_OBJETS = 2000;   // slot 0 is never handed out
constexpr int NOMBRE_TYPES_MAITRES = 600;

extern std::array<Objet, NOMBRE_OBJETS> TableObjets;
extern NoeudEntier* ListeObjetsLibres;
extern NoeudEntier* ListeObjetsVivants;   // live and dying objects, newest first
extern NoeudEntier* ListeObjetsMorts;
extern int32_t NombreObjets;
extern Objet* ObjetCourant;

// The side counter (NbUnitesAmies, ...) an army is counted in at birth; null for one counted nowhere.
int32_t* CompteurCamp(int armee);
extern std::array<int32_t, NOMBRE_TYPES_MAITRES> PopulationParType;
extern int32_t NbUnitesAmies, NbUnitesEnnemies, NbUnitesNeutres, NbUnitesAlliees;
extern int32_t TotalUnitesAmies, TotalUnitesEnnemies;

int ObjetNaissance(int typeMaitre, int armee, int x, int y, int groupe, int direction);
void Objet__Liberation(int indice);
void Objet__LiberationComplete(int indice);
void ObjetsGroupes__Initialisation();
