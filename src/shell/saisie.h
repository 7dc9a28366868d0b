// Command input and view control: the player's mouse and keys in the castle and in battle
// (picking, box selection, orders, spells), the minimap's input and the view's scrolling.
#pragma once

#include <cstdint>

// Press state of the left button: a press waiting for its release, whether it began on an icon,
// and the map cells of the press and of the release.
extern int32_t DemandeSelection;
extern int32_t DebutSelectionIcone;
extern int32_t CadreDebutX, CadreDebutY;
extern int32_t CadreFinX, CadreFinY;

// Control and Alt held, read by the command input on every call (a pending digit with the
// modifiers of its own key).
extern int32_t CtrlEnfonce, AltEnfonce;

// The armed spell's code (-1 none), its ability-bar slot (-1 none), the slot under the mouse or
// picked by a digit key (-1 none), and whether the armed spell may be cast on ObjetVise.
extern int32_t SortArme;
extern int32_t CapaciteArmee;
extern int32_t CapaciteSurvolee;
extern int32_t SortCiblable;

// Cursor appearance and its animation counter.
extern int32_t ApparenceSouris, SourisAccumul;

// The order marker shown while paused: 0 none, else its frame + 1; its kind (0 a move, 2 an
// attack) and its place on the map in pixels.
extern int32_t MarqueurOrdre, MarqueurOrdreType, MarqueurOrdreX, MarqueurOrdreY;

// The object the commands aim at (0 none) and the selected group whose portrait is under the
// mouse (-1 none).
extern int32_t ObjetVise;
extern int32_t PortraitSurvole;

// The leader's master last centred by Unite__Suivante, -1 none.
extern int32_t TypeChefSuivant;

// The command input of the castle and the battle, and the input over the shown minimap.
void Saisie__Commandes();
void Saisie__MiniCarte();

// Attack order on the unit-grid cell (x, y): 1 when a target stood there and the selected groups
// were sent, else 0. The grid argument is not read.
int Saisie__OrdreAttaque(const int32_t* grille, int x, int y);
// Selects the player's groups in the box between the press and the release cells, the last row
// and column left out.
void Saisie__SelectionCadre();
// 1 when the cell (CadreDebutX + dx, CadreDebutY + dy) gave a selection, units first, then air.
int Saisie__CaseSelection(int dx, int dy);
// Acts on the object of the cell PointeurCase points at; 1 when it was selected or handled.
int Saisie__ObjetCase();

// Keeps the view origin even and inside the map.
void Defilement__Bornage();
// One scroll step of two cells each, by the mouse at the screen's edge or the arrow key.
void Defilement__Droite();
void Defilement__Gauche();
void Defilement__Bas();
void Defilement__Haut();
// Centres the view on the first selected group.
void Vue__CentrageSelection();
// Centres the view on the middle of the army's units on the map; nothing when it has none.
void Vue__CentrageArmee(int armee);
// Centres the view on the next leader on the map.
void Unite__Suivante();
// Adds to the selection the player's visible groups of the first selected group's master.
void Selection__MemeTypeVisibles();

// The first object of family 1 on GrilleSelection in the square of half-side r round (x, y), row
// by row; 0 when none. Its twin for trees is Objet__RechercheRayonFamille3 (world/gestion_objets).
int Objet__RechercheRayonFamille1(int x, int y, int r);
