// The particle editor page: an effect's 26 values changed line by line with the arrow keys,
// tried at the mouse with F8, saved to its effect file and the header with F7, or another effect
// made or one deleted.
#pragma once

#include <cstdint>

struct EffetParticule;

extern int32_t EditeurLigne;    // the selected line, 0..24 (Down has no upper bound)
extern int16_t EditeurAction;   // line 23: 0 save, 1 delete
extern int32_t EditeurBloque;   // when set, Left and Right do nothing

// Draws the page for the record (the current effect's) and applies the keys pressed since the
// last call; one call per frame.
void EditeurParticules(EffetParticule* effet);

// The modal text entry of the editors: at most maximum - 1 characters (maximum at most 128).
// Returns 1 on Return, the quit code when the window's message loop ends.
int Particules_SaisieTexte(int inviteX, int inviteY, const char* invite, int saisieX, int saisieY, char* tampon,
                           int maximum);

// Clears the keyboard flags; the mouse is kept.
void Touches_RAZ();

// One frame of the page: the particles moved on by `trames` frames and drawn, F8 emitting the
// current effect at the mouse into its plan, then the editor.
void EditeurParticules__Trame(int32_t trames);
// The page in a loop of its own at the game's pace, until Escape or the end of the program.
void EditeurParticules__Boucle();
