// A building's place in the world: its birth over the grids from its description
// (world/descriptions.h), the objects its description attaches to it, and the two building
// grids of the map.
#pragma once

#include <cstdint>

// 128 x 128 object indices stamped from the descriptions: the building that a cell selects, and
// the drawing priority of the objects standing there.
extern int32_t* GrilleSelection;
extern int32_t* GrillePriorite;

// The two blocks, zero-filled; made and freed with the world's other grids.
void Univers__AlloueGrillesBatiments();
// The selection and priority grids emptied, kept (none made when there are none).
void Univers__EffaceGrillesBatiments();
void Univers__LibereGrillesBatiments();

// Stamps building object `objet` into the unit, air, selection and priority grids from
// DescriptionBatimentCourante, which the caller has pointed at its record, clipped to the map,
// and creates its attached objects (codes 1 to 4). DescriptionBatimentCourante is left as given.
void Batiment__Naissance(int objet);
// Clears the building's description footprint on the same four grids, where a cell still holds
// its index.
void Batiment__Liberation(int objet);
