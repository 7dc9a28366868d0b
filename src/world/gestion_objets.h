// The per-object dispatcher run once per logic pass: every live object's rout and rally, damage
// over time, freeze and per-family behaviour; and the small per-frame routines the behaviours
// share (animation step, modulo counter, timed step, regeneration, neighbour search).
#pragma once

#include <cstdint>

extern int32_t FacteurTemps;   // movement multiplier of the pass

// The object loop over ListeObjetsVivants.
void Objets__GestionTour();
// The dispatcher for ObjetCourant.
void Objet__Examine();
// The next recount of the sides is due five seconds from now.
void Objets__RelanceComptage();

// Steps ObjetCourant's animation of n frames; 1 when the cycle ended.
int Animation__Avance(int n);
// Adds 1 to the counter; 1 (and the counter back to 0) when it reaches n.
int Compteur__Modulo(int n, int32_t* compteur);
// A step of `pas` units at `vitesse` units per second since `dernier` (both clock times in ms,
// HorlogeJeu is now); 1 when a step is due. A step of 0 or below is never due.
int Chrono__Pas(int vitesse, int pas, int32_t* cumul, uint32_t* maintenant, uint32_t* dernier);
// Every live building and portcullis goes to the army JoueurBatiments.
void Batiments__AttributionJoueur();
// The first object of the grid in the (2r + 1)-cell square round (x, y), row by row, that is not
// a building (but master 147), decor or tree; 0 for none.
int Grille__ChercheVoisin(int x, int y, int r, const int32_t* grille);
// The first tree of the unit grid in the (2r + 1)-cell square round (x, y), row by row; 0 for none.
int Objet__RechercheRayonFamille3(int x, int y, int r);

// Mana of ObjetCourant every 16th frame; hit points every 4th (below 1 it starts dying).
void Objet__Regeneration();
void Objet__RegenerationVie();
