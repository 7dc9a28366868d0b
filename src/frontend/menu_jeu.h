// The in-game menu, opened by Escape over a running scene: on the region map saving and loading
// the game, in every scene the options and leaving to the main menu.
#pragma once

#include <cstdint>

extern int32_t MenuJeuEtat;
extern int32_t MenuJeuDecompte;

// -1 closed (the scene goes on), 1 a saved game is being restored, 2 leave to the main menu.
// A quit message while it is open ends it at once with -1 (QuitterJeu set).
int MenuJeu();

// The menu's parts, for its tests: the widgets laid out, one turn of its loop (the state's step,
// then the drawing), and whether the menu has ended (its result in *resultat).
void MenuJeu__Preparation();
bool MenuJeu__Tour(int* resultat);
