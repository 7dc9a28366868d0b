// The army's leaders (the hero and eight companions) brought onto the battle map, their deaths at a
// battle's end, and the reinforcement sections that requester events grant for the next battle.
#pragma once

#include <array>
#include <cstdint>

struct Chef {
    int32_t maitre;       // 0 none
    int32_t reserve;
    int32_t present;      // 1 with the army
    int32_t PointEntree;  // 0..8
};
constexpr int NOMBRE_CHEFS = 9;
extern std::array<Chef, NOMBRE_CHEFS> TableChefs;
// -1 while the scenario is read, 2 after the hero's death, 3 after a leader's final death.
extern int32_t EtatFinPartie;

// A pending reinforcement: section code, number of copies, section level; all -1 when empty.
struct DemandeRenfort {
    int32_t section;
    int32_t copies;
    int32_t niveau;
};
constexpr int NOMBRE_RENFORTS = 10;
extern std::array<DemandeRenfort, NOMBRE_RENFORTS> TableRenforts;
extern int32_t NbRenforts;
// The place the last search found: the section's origin cell and its direction 0..7.
extern int32_t RenfortX, RenfortY, RenfortDirection;

// The point k (0..359) of the circle of radius r round (ax, ay): two full turns per radius.
void Cercle__Point(int ax, int ay, int r, int k, int* x, int* y);
// Whether a point of a circle search may be used: not inside the fortification zone in a battle.
bool Cercle__PointAdmis(int x, int y);

// 0 when the leader's group was created, -1 when no place was found.
int Chef_Placement(int maitre, int armee, int pointEntree, int rayon);
// 1 when the taille x taille block from (x, y) lies inside 6..122 and is empty on GrilleUnites.
int Renforts_CaseLibre(int x, int y, int taille);
// 1 when the largeur x hauteur block from (x, y) lies inside 6..122 and is empty.
int Renforts_ZoneLibre(int x, int y, int largeur, int hauteur);
// Empties the reinforcement requests.
void Renforts_RemiseAZero();
// Appends a request (a requester's GAINS_UNITES); one past the tenth is dropped with a report.
void Renforts_Demande(int section, int copies, int niveau);
// Puts the first four requests on the map; the others stay pending.
void Renforts_Importation();
// Searches round the entry points, the hero's first, for largeur x hauteur places of taille
// cells; 1 when found (RenfortX, RenfortY, RenfortDirection), else 0.
int Renforts_RecherchePlaceCercle(int section, int largeur, int hauteur, int taille);
// One reinforcement section of army 0 at a free place, from "..\sections\<name>.sct".
void ImportationSectionRenfort(int section, int niveau, int maitre);

// The leaders' deaths at a battle's end: the hero's ends the campaign; a companion's costs a
// ransom of 1000 gold, or the campaign when the gold is short.
void MortChef();
