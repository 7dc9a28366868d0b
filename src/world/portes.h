// The gate of a building (family PORTE, born from its building's object code 3 with the
// building's index as direction): battered a little every frame, and its parts killed when it
// falls.
#pragma once

// The gate's frame for ObjetCourant. When it falls, every gate part of its building dies and
// that building stops drawing its door; the shared description keeps its codes for later scenes.
// A gate whose building's slot now holds another object leaves that object alone.
void Porte__Gestion();

// Whether the gate of the building in slot `batiment` has fallen: its door is no longer drawn.
// The door frame stays in the building's sorts[7], where layer 9 of the d and g views takes its
// frame. A building's birth stands its door up again.
bool Porte__Tombee(int batiment);
void Porte__Relever(int batiment);
