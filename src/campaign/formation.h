// The formation screen: the regiments about a meeting shown in a 3 x 3 grid of slots, one per map
// cell round it; the player drags sections between regiments or into an empty slot, which founds
// a new regiment there. Escape writes the army.
#pragma once

#include <array>
#include <cstdint>

#include "campaign/armee.h"

// Each slot's regiment id by row and column: -1 an empty slot that may receive a new regiment,
// -2 a slot that is not available.
extern std::array<std::array<int32_t, 3>, 3> IdsFormation;
extern std::array<std::array<Regiment*, 3>, 3> RegimentsFormation;
// The slots where a regiment was founded since the screen opened.
extern std::array<std::array<bool, 3>, 3> NouveauxFormation;

// The drag: 0 idle, 1 a section is dragged, 2 it was dropped.
struct GlissementFormation {
    int32_t etat = 0;
    Regiment* source = nullptr;
    int32_t section = -1;
    int32_t ligne = -1, colonne = -1;   // the slot under the drop, -1 none
};
extern GlissementFormation FormationGlissement;

// The drag state and the key flags reset, the catalogue and the army loaded (any previous ones
// freed), every slot's regiment resolved from its id.
void Formation__init(int32_t numeroJoueur);
// The same for the region map, without touching the key flags.
void Formation__initRegion(int32_t numeroJoueur);
// Slot (0, 0) shows the army's regiment `id` (nothing for a negative id).
void Formation__choisirRegiment(int32_t id);
void Formation__afficher();
// One slot's regiment at (x, y): the frame and its sections; mode 1 or 2 adds the shield.
void Formation__afficherRegiment(int ligne, int colonne, int x, int y, int mode);
// The drag step, once a frame after the drawing: 1 when Escape ended the screen (the army was
// written and freed with the catalogue), else 0.
int Formation__deplacerSection();

// The slot under screen point (x, y), and the section of its regiment there (-1 none).
bool Formation__caseSous(int x, int y, int* ligne, int* colonne, int* section);
// Section `section` of `source` dropped on slot (ligne, colonne): 1 when it moved, 0 when the
// drop was refused (or the name box was left by a quit).
int Formation__deposer(Regiment* source, int32_t section, int ligne, int colonne);
// Writes the army of player `numeroJoueur` to its folder and, for player 0, to the working copy
// "..\tmp\Joueur0\" as well, all files as one set. False (a warning) when nothing was written.
bool Formation__sauvegarder(int32_t numeroJoueur);

// The region map's side. The slots filled from the 3 x 3 region cells round (x, y), the centre
// being region regiment `indice`: a cell with one of the player's tokens takes its regiment, a
// cell with another object or closed terrain is unavailable, the others are empty. False (nothing
// filled) on the region's border.
bool Formation__remplirAutour(int x, int y, int indice);
// The screen opened on the region map round the selected token; false when it cannot be.
bool Formation__ouvrirRegion();
// After Escape: the tokens made again from the army as written, the new regiments on their
// slots' cells.
void Formation__fermerRegion();
// The army the region map's hover shows: loaded once per region-map scene.
void Formation__armeeRegion();
void Formation__oublierRegion();
