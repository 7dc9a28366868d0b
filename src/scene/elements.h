// The elements of a building (flags, fixed sprites, chimney smoke, fire bowls) drawn over it, and
// the see-through level of a gate with someone standing inside.
#pragma once

// ObjetCourant is the building, DescriptionBatimentCourante its description; (x, y) the screen
// point the building is drawn from.
void Batiment__AffichageElements(int x, int y);
