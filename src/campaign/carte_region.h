// The region map screen: its frame of input, its buttons, its drawing and its panel.
#pragma once

#include <cstdint>

extern int32_t FinTourEnCours;            // the end-of-turn animation runs
extern int32_t PlacementRegimentsOuvert;  // the placement screen is shown
extern int32_t FormationRegionOuverte;    // a section is being moved between regiments
extern int32_t PlacementConfirme;         // the placement screen was closed with a choice
extern int32_t DecalagePanneauBoutons;
extern int32_t AnimBoutonFinTour, AnimBoutonChateau, AnimBoutonOrdre1, AnimBoutonOrdre2, AnimBoutonOrdre3;
extern int32_t DeplacementsRegionAutorises;
// Set when the player's tokens may move (the end of turn gives them their moves).
extern int32_t LongueurCheminEnCours;

// The screen's interface state as the campaign step leaves it at each region-map scene.
void CarteRegion__RemiseAZero();
void CarteRegion__Trame();
void CarteRegion__Saisie();
// Draws the region map scene: its terrain, sites and tokens.
void CarteRegion__Affichage();
void RegionTerrain__Affichage();
// The fixed drawings of region cell (x, y) (sites, marks) at its screen place.
void CarteRegion__Objets(int x, int y);
void CarteRegion__Panneau();
void CarteRegion__Boutons();
// The placement screen of the regiments taking part in a battle, one slot per entry side: its
// drawing (the hovered side's names at the top right), its input (a click on a slot chooses or
// leaves out that side's regiments, the square in the middle confirms, Escape breaks off when a
// regiment can pay for it, else confirms too), and its opening: each slot takes the first regiment
// entering from its side, the army is loaded for their sections, the tokens' paths are emptied.
// Nothing in the game opens it.
void Regiments__Affichage();
void Regiments__Saisie();
void Regiments__OuvrirPlacement();
void Regiments__BasculerCote(int cote);
void Regiment__AfficherNom(int cote);
// The hover labels of the region map: the site and the regiment under the mouse.
void CarteRegion__Bulles();
// The campaign map after a region won: the faction's flags fade in until a click (or quit).
void Campagne__CarteEmpire();
// Milliseconds between two frames of the campaign map.
extern int32_t CampagneCarte__Attente;
