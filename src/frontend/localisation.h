// The interface texts: "..\localisation\menus.txt", one text per line, read at start-up. A text is
// addressed by its line number (1 to 147); each line has its own buffer size. Some lines are printf
// formats: those are checked on reading, so that a text that reaches a caller keeps exactly the
// conversions the caller passes.
#pragma once

#include <cstddef>
#include <cstdio>

constexpr int NB_TEXTES_INTERFACE = 147;
constexpr int TAILLE_TEXTE_INTERFACE = 256;   // the largest buffer

// Row n holds line n; row 0 is never filled. A row holds at most TaillesTextesInterface[n] - 2
// characters (the limit a translator keeps to: the line feed and the 0 need the other two bytes).
extern char TextesInterface[NB_TEXTES_INTERFACE + 1][TAILLE_TEXTE_INTERFACE];
extern const unsigned char TaillesTextesInterface[NB_TEXTES_INTERFACE + 1];

// Line n's text, or "" for a number outside 1..147.
const char* TexteInterface(int ligne);

// The conversions line n is given when used as a format, one letter per argument ('s' a text,
// 'd' an integer); "" for a line that is a text only. nullptr for a number outside 1..147.
const char* ConversionsTexteInterface(int ligne);

// Reads the file into TextesInterface (fatal when it cannot be opened). A line longer than its
// buffer is cut; a format line whose conversions differ from its own is refused (left empty).
// Both are reported once for the whole file. Missing lines are left empty.
void LocalisationInitialisation();

// Reads one line into `tampon` (at most taille - 1 characters and a 0), without its line feed.
// The rest of a longer line is skipped, so the following lines keep their numbers. Returns 0, or
// 1 at the end of the file (the buffer is then left as it was). *coupee tells whether the line was cut.
int Localisation__LireLigne(char* tampon, size_t taille, FILE* fichier, bool* coupee = nullptr);

// The log texts of the world model (lines 109 to 112, 113 and 121 to 123), copied there on
// reading. Each takes the master's name ("%s"); the level-up texts then the new level ("%d").
// They keep these defaults until the file is read.
extern char TextesCriMort[4][256];
extern char TextePanique[256];
extern char TextesNiveau[3][256];
extern char TexteRalliement[256];
extern char TextesDestruction[3][256];

// Writes text `modele` into `sortie` (at most taille - 1 bytes and a 0): "%s" takes `nom`, "%d"
// takes `nombre`, "%%" gives "%", and any other '%' stays as written. The texts come from a file
// a player may edit, so they never reach printf as a format.
void Localisation__Texte(char* sortie, size_t taille, const char* modele, const char* nom, int nombre = 0);
