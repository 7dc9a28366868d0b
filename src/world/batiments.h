// A building's birth over the grids, from its description (world/descriptions.h).
#pragma once

// Stamps building object `objet` into the grids from DescriptionBatimentCourante, which the
// caller has pointed at its record, and creates its attached objects. For now the unit and air
// grids only, clipped to the map, and no attached object.
void Batiment__Naissance(int objet);
