// Lightning bolts between objects.
#pragma once

// Draws the live bolts.
void Eclair__Affichage();
