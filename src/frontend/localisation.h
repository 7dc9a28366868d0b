// The interface texts that the world model writes to the message log. Each takes the master's
// name ("%s"); the level-up texts then the new level ("%d"). They keep these defaults until the
// localisation file is read.
#pragma once

extern char TextesCriMort[4][256];
extern char TextePanique[256];
extern char TextesNiveau[3][256];
