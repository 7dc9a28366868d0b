// Modal entries from the keyboard, each with its own message loop: a line of text, an integer
// within a range, a building cell (column and line).
#pragma once

#include <cstdint>

constexpr int TAILLE_SAISIE = 128;   // the text buffer of an entry, its end included

// Runs a text entry until Return: the prompt at (inviteX, inviteY), the text typed at (texteX,
// texteY), both shadowed, over the screen as it was. texte (TAILLE_SAISIE bytes) starts empty;
// at most maximum - 1 characters are kept (TAILLE_SAISIE - 1 when maximum is larger), the keys
// typed past that are ignored. Returns 1 on Return, or the quit code when the window's message
// loop ends (QuitterJeu is then set).
int Saisie__Modale(int inviteX, int inviteY, const char* invite, int texteX, int texteY, char* texte, int maximum);
int Saisie__Texte(int inviteX, int inviteY, const char* invite, int texteX, int texteY, char* texte);

// The decimal value of the text's leading digits (blanks and a sign first, as the C library's
// conversion), 0 when there are none; a value past the 32-bit range is held at its end.
int32_t Saisie__Conversion(const char* texte);

// Asks until the value typed is within [minimum, maximum] (a warning box for each value
// outside); *valeur is within the range on return. When the program is asked to quit during the
// entry, the value typed so far is stored, held within the range.
void Saisie__Entier(const char* invite, int32_t* valeur, int32_t minimum, int32_t maximum);

// A cell of DescriptionBatimentCourante: the column within its width, then the line within its
// height. Without a description nothing is asked.
void Saisie__ColonneLigne(const char* libelle, int32_t* colonne, int32_t* ligne);
