// Files under the game's own paths: "..\INI\Configuration.ini" relative to the working directory,
// '\' as the separator, every component matched without regard to case (the data spells one folder
// several ways). A write to a file that exists under another case replaces it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// The player's own folder: every file the game writes goes there, under the same names as in the
// game tree ("..\INI\x" is <folder>/INI/x); a file is read from there first, then from the game
// tree, which is never changed. MORVANE_UTILISATEUR chooses it (empty: the game tree is its own
// user folder), else $XDG_DATA_HOME/morvane, else ~/.local/share/morvane. Absolute paths, and paths
// that leave the game's root, are taken as they are.
std::string Dossier_Utilisateur();

// Where a file is to be written: its place in the user folder, whose missing folders are made
// (the game tree's place, as it is, when the game tree is its own user folder).
std::string Chemin_Ecriture(const char* cheminJeu);

// The path on this system to read: the existing spelling of each component where one matches,
// the given spelling for the components that do not exist yet; the user folder's copy first.
std::string Chemin_Resoudre(const char* cheminJeu);

// fopen over a game path. Modes as the C library's; "t" is accepted: a text stream read in
// text mode reads CR LF line ends as LF. Writing modes ("w", "a", "+") open the user folder's copy
// (one changed in place starts as the game tree's).
FILE* Fichier_Ouvrir(const char* cheminJeu, const char* mode);
bool Fichier_Existe(const char* cheminJeu);
bool Repertoire_Existe(const char* cheminJeu);
// Size in bytes, or -1 when the file does not exist.
int64_t Fichier_TailleChemin(const char* cheminJeu);

// Names (without folder) of the entries matching a pattern such as "..\Sauvegarde\*.txt" ('*' and
// '?' in the last component, compared without regard to case), in the user folder and the game tree
// together, sorted by name.
std::vector<std::string> Repertoire_Lister(const char* motif);
bool Fichier_Copier(const char* source, const char* destination, bool ecraser);
// Removes the user folder's copy; a copy in the game tree is hidden from then on.
bool Fichier_Supprimer(const char* cheminJeu);
bool Repertoire_Creer(const char* cheminJeu);

// Whole-file read into a string; false when the file cannot be read.
bool Fichier_LireTout(const char* cheminJeu, std::string* contenu);
