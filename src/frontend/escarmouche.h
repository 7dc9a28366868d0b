// The skirmish set-up: a single battle on a stand-alone map of "..\Skirmish" between two saved
// armies of "..\Armees\Escarmouche\<faction>\<army>\". The screen lists the maps and the armies of
// the faction chosen for each side, previews the map and the armies, sets the starting gold and
// the start positions, creates armies through the army screen or deletes them, and on confirm
// hands the battle to the scene router (code 10).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "frontend/choix_camp.h"

// The skirmish factions: 0 "Lumiere", 1 "Morvane", 2 "Justice", 3 "Empire", 4 "All" (the folder words).
constexpr int NOMBRE_CAMPS_ESCARMOUCHE = 5;
extern const char* const ESCARMOUCHE_CAMPS[NOMBRE_CAMPS_ESCARMOUCHE];
// The game faction of a skirmish faction (0 -> 2, 1 -> 3, 2 -> 1, 3 -> 0); 9 for "All".
int32_t Escarmouche__CampJeu(int32_t campEscarmouche);

extern char* CarteEscarmouche;   // "..\Skirmish\<map>" (256 bytes), null none
extern int32_t EscarmoucheConfirmee;
extern int32_t CampEscarmoucheJoueur;       // 0..4, never equal to the opponent's
extern int32_t CampEscarmoucheAdversaire;
extern int32_t PositionEscarmoucheJoueur;   // 0..8, a cell of the 3 x 3 grid
extern int32_t PositionEscarmoucheAdversaire;
extern int32_t OrEscarmouche;               // 0..10000 by 500
// The skirmish faction of the army being created on the army screen (its folder).
extern int32_t CampEscarmoucheArmee;
// The entry point of each start position.
extern const int32_t PointEntreeEscarmouche[9];

// The three columns: 0 the player's armies, 1 the maps, 2 the opponent's armies.
enum ColonneEscarmouche { COLONNE_JOUEUR = 0, COLONNE_CARTES = 1, COLONNE_ADVERSAIRE = 2 };
extern std::vector<std::string> ListeCartesEscarmouche, ListeArmeesJoueur, ListeArmeesAdversaire;
extern int32_t PremiereLigneEscarmouche[3];   // first row shown of each column
extern int32_t ChoixLigneEscarmouche[3];      // chosen item of each column
constexpr int LIGNES_ESCARMOUCHE = 7;

// The screen; returns when it is left.
void Escarmouche();
// Called by the router for code 10 once the battle world exists: the two chosen armies enter it.
void Escarmouche__ArmeesVersSections();
// Frees the three name lists.
void Escarmouche__Liberation();

// The pieces of the screen, for its loop and its tests.
// Rebuilds the three lists from the folders (the chosen rows kept within them).
void Escarmouche__ListeFichiers();
// Keeps each faction's catalogue from one listing to the next rather than reading it again (off by
// default: for callers whose catalogue files cannot change, such as the fuzz target); off frees them.
void Escarmouche__GarderCatalogues(bool garder);
// Input of one frame: 1 confirmed, -1 cancelled, 0 the screen goes on.
int Escarmouche__Gestion();
// Adds colour (r, g, b per 5-bit channel, saturated) to the rectangle x0..x1, y0..y1 (last excluded).
void Escarmouche__Cadre(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t r, int32_t g, int32_t b);
// Removes every file of the army's folder, then the folder; the lists are rebuilt.
void Escarmouche__SupprimeArmee(int32_t colonne);
// index + 1 kept below count; index - 1 kept at 0 or above.
int32_t Escarmouche__Suivant(int32_t index, int32_t nombre);
int32_t Escarmouche__Precedent(int32_t index);
// The folder of the chosen army of a column ("..\Armees\Escarmouche\<faction>\<name>\"), "" none.
std::string Escarmouche__DossierArmee(int32_t colonne);
