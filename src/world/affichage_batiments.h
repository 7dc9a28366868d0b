// Building display: up to nine image layers of the building's orientation sprite stacked at its
// description's calage offsets, the upper ones lit by pulsing colours, and its door.
#pragma once

// Draws ObjetCourant (a building) for pass 1, 2 or 3; the scene draws units between the passes.
// DescriptionBatimentCourante becomes the building's record.
void BatimentAffichage(int passe);
// The door of the current description (its first object code 3) at the building's anchor.
void Batiment__AffichagePorte(int sx, int sy);
// The building editor's preview of the person pre-placed by object code 4 at offset (cx, cy):
// 1 when the current description has one, else 0.
int AfficherPersonnagePrePlace(int cx, int cy, int sx, int sy, int base);
