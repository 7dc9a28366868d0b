// The in-game menu, opened by Escape over a running scene.
#pragma once

// -1 closed (the scene goes on), 1 a saved game is being restored, 2 leave to the main menu.
int MenuJeu();
