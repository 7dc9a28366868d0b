// The editors reached from the program with the developer option MORVANE_EDITEUR, until the debug
// pages open them.
#pragma once

// With MORVANE_EDITEUR=particules, evenements or batiment, runs that editor and returns true once it is
// left; false (the game goes on) without the option or with another value (said on stderr).
bool Editeurs__OptionDeveloppeur();

// One row of an editor or debug page menu whose top is at y: the row under the mouse in the sprite
// font, the others in the current font, both within the 16-pixel row.
void Editeurs__LigneMenu(int x, int y, bool survolee, const char* texte);
