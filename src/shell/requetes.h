// Requesters: boxes of text read from files, with answers and the events they run.
#pragma once

#include <cstdint>

// Lays text out in the box (gauche, haut)-(droite, bas) in the current font, wrapped on blanks,
// the text ending at "//". With dessin set each line is drawn in black one pixel right and down,
// then in the current colour; with 0 it only measures. Returns -1 when the text fits, else the
// offset in the text where the next page starts.
// The requester of the special missions: the file's text and answers in a box of the given kind,
// its events run by the missions' runner. For now it shows nothing and returns -1 (no answer).
int RequesterFichierMission(int genre, const char* fichier);

int Texte__Paragraphe(const char* texte, int gauche, int haut, int droite, int bas, int dessin);

// 1 while a requester box is open.
extern int32_t RequesterOuvert;
// Shows the text file `fichier` in the battle requester of kind `genre` (the speaker's portrait),
// then runs the events of the answer.
void RequesterFichier(int genre, const char* fichier);
