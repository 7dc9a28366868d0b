// Formations: the rectangle of slots a group moves and stands in, its corner units, orientation
// and anchor; the group's step along its path; the counts of a rectangle's cells; the set-up of a
// group's formation state.
#pragma once

// The four corner units: coins[0] bottom-right, [1] top-right, [2] bottom-left, [3] top-left.
void Formation__Coins(int groupe);
// Lays out the target rectangle towards the goal and chooses the orientation. The leader's cell
// is not read.
void Formation__Place(int groupe, int chefX, int chefY, int butX, int butY, int colonnes, int lignes,
                      int largeurCase, int hauteurCase);
// The anchor and the rectangle from butX, butY, the orientation and the size.
void Formation__Rectangle(int groupe);
// Gives an idle member the group's destination.
void Formation__DestinationUnite(int objet, int groupe);
// Re-lays the formation where it stands.
void Formation__Reorganise(int groupe);

// The group's step along its path (block mode), or its free rectangle (free modes).
void Groupe__SuitTrajet(int groupe);
// Cells hit by the rectangle (or the members) moved by (dx, dy): static, or of another group.
int Formation__ObstaclesAuPas(int groupe, int dx, int dy);
// Counts over the rectangle's cells on the map.
int Formation__CasesEtrangeres(int groupe);
int Formation__CasesLibres(int groupe);
// 0 when the formation stands in its rectangle; -1 when members are outside; else a count of
// foreign cells (plus one). 1 at once for a routed group.
int Formation__Etablie(int groupe);

// Shared by the orders: the rectangle laid at an anchor by the orientation; the anchor and butX,
// butY from the corner unit of the orientation; the rectangle from the anchor to anchor + (W-1, H-1).
struct Groupe;
void Formation__PoseRectangle(Groupe& g, int ancreX, int ancreY);
void Formation__AncreCoin(Groupe& g);
void Formation__RectangleLibre(Groupe& g);

// (Re)initialises a group's formation and order state; the result is not used.
int Groupe__Initialise(int groupe);
