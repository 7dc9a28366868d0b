// The approach step: one tick of a unit closing on its target.
#pragma once

// Euclidean distance between two cells.
double Case__Distance(int x1, int y1, int x2, int y2);
// 1 = the unit can strike, holds its place or has claimed a step; 0 = it gives up or is stuck.
int Unite__Engager(int objet, int cible);
