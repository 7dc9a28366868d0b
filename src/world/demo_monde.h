// Start-up of the interim program: the world's data loaded from the sample tree, and a page of
// the sample cast.
#pragma once

// Loads the master list (after the graphic object list); true when at least one master loaded.
bool Demo_ChargerMaitres();

// The cast drawn through the master tables: each figure walking in its 8 directions, attacking,
// dying and resting, one row per figure in a team colour; the mage casting; the trees and rocks.
void Demo_Figures();
