// A page of the interim program: the sample barracks in its three orientations, door shut in
// the upper row and open in the lower one, drawn into the back buffer by the building display.
#pragma once

// Needs the graphic objects and the masters loaded. The first call makes a small world (grids,
// tables, the six buildings); later calls draw it again.
void Demo_Batiments();
