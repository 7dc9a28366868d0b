// Start-up of the interim program: the world's data loaded from the sample tree.
#pragma once

// Loads the master list (after the graphic object list); true when at least one master loaded.
bool Demo_ChargerMaitres();
