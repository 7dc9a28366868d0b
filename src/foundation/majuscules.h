// Upper case for the game's texts, which are in code page 1252: the accented letters become
// their accented capitals, and the sprite font, which has no accented capitals, gets the plain
// letter instead.
#pragma once

// The capital of a code page 1252 character: a-z, à..þ (not ÷), š, œ, ž and ÿ; any other
// character comes back as it is (ß has no capital of its own).
char Texte__Majuscule(char c);
// Every character of a zero-ended text, in place.
void Texte__Majuscules(char* texte);
// The sprite font's frame for a character: its capital, an accented one folded to the plain
// letter; 0 for the characters the font leaves blank (space and '_').
unsigned Texte__CaractereSprite(unsigned char c);
