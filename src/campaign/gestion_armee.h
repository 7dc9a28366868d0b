// The army management screen's name-entry box.
#pragma once

// Asks a name in a box at (x, y): the title at (titreX, titreY), the text being typed at
// (texteX, texteY), at most `longueurMax` characters, into `texte` (which holds the proposal).
// 1 when validated, or the quit code.
int SaisieNom(int x, int y, int inutilise, int titreX, int titreY, const char* titre, int texteX, int texteY,
              char* texte, int longueurMax);
