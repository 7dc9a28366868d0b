// The gate of a building (family PORTE, born from its building's object code 3 with the
// building's index as direction): battered a little every frame, and its parts killed when it
// falls.
#pragma once

// The gate's frame for ObjetCourant. When it falls, every gate part of its building dies and
// the building stops drawing its door; the shared description keeps its codes for later scenes.
void Porte__Gestion();
