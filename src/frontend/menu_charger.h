// A load screen of its own: the save list in a panel titled "Charger partie", under it
// "Cliquez sur une case". Nothing in the game opens it.
#pragma once

// The slot chosen (0..9): a click on a used slot's row, or Return or OK on a used slot. -1 when
// closed by Escape or Cancel, or by a quit message (QuitterJeu set, the message posted again).
int MenuCharger();

// Its parts, for its tests: the panel laid out and the names read, and one turn (input, then
// drawing); true once it has ended, with its result in *resultat.
void MenuCharger__Preparation();
bool MenuCharger__Tour(int* resultat);
