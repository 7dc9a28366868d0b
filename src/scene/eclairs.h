// Lightning bolts: from a point of the map to an object, striking it when the bolt ends.
#pragma once

struct Eclair;

// A bolt from the map pixel (x, y) to the centre of object `cible`, cast by object `lanceur`; n
// has no effect (callers pass 4).
Eclair* Eclair__Creation(int x, int y, int n, int cible, int lanceur);
