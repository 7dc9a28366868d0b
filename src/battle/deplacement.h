// Unit movement in formation: the next cell a unit takes towards its slot or along its own path,
// pushes and side-steps, the block slide, and the per-frame pixel movement.
#pragma once

#include <cstdint>

// 1 when a group tick ran this frame.
extern int32_t GroupesGeres;

// 0 when the footprint at (x, y) lies inside the group's rectangle and on its slot grid, else 1.
int Formation__UniteDansRectangle(int objet, int x, int y, int groupe);
// Chooses the unit's slot target and, when needed, orders its own path.
void Formation__PasUnite(int objet, int groupe);
// The per-unit move step of the group tick.
void Unite__DeplacementRappel(int objet, int groupe);
// One step along the unit's path (direction -1) or in a direction, with pushes and side-steps.
// 1 when the step was decided, 0 when the unit was not eligible or only stamped on its cell.
int Unite__Pas(int objet, int inutilise1, int inutilise2, int direction, int groupe);
// Slides a unit by the group's step: 0 done or nothing to do, 1 refused.
int Unite__Glisse(int objet, int groupe);
// Plans the unit's own path to (x, y).
void Unite__OrdreDeplacement(int objet, int x, int y);
// Per-frame movement of ObjetCourant.
void Objet__Deplacement();
