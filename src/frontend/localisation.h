// The interface texts that the world model writes to the message log. Each takes the master's
// name ("%s"); the level-up texts then the new level ("%d"). They keep these defaults until the
// localisation file is read.
#pragma once

#include <cstddef>

extern char TextesCriMort[4][256];
extern char TextePanique[256];
extern char TextesNiveau[3][256];

// Writes text `modele` into `sortie` (at most taille - 1 bytes and a 0): "%s" takes `nom`, "%d"
// takes `nombre`, "%%" gives "%", and any other '%' stays as written. The texts come from a file
// a player may edit, so they never reach printf as a format.
void Localisation__Texte(char* sortie, size_t taille, const char* modele, const char* nom, int nombre = 0);

// The interface texts of "..\localisation\menus.txt", by line number (1..147); empty until read.
extern char TextesInterface[148][256];
