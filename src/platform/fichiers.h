// Files under the game's own paths: "..\INI\Configuration.ini" relative to the working directory,
// '\' as the separator, every component matched without regard to case (the data spells one folder
// several ways). A write to a file that exists under another case replaces it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// The path on this system: the existing spelling of each component where one matches,
// the given spelling for the components that do not exist yet.
std::string Chemin_Resoudre(const char* cheminJeu);

// fopen over a game path. Modes as the C library's; "t" is accepted: a text stream read in
// text mode reads CR LF line ends as LF.
FILE* Fichier_Ouvrir(const char* cheminJeu, const char* mode);
bool Fichier_Existe(const char* cheminJeu);
bool Repertoire_Existe(const char* cheminJeu);
// Size in bytes, or -1 when the file does not exist.
int64_t Fichier_TailleChemin(const char* cheminJeu);

// Names (without folder) of the entries matching a pattern such as "..\Sauvegarde\*.txt"
// ('*' and '?' in the last component, compared without regard to case), sorted by name.
std::vector<std::string> Repertoire_Lister(const char* motif);
bool Fichier_Copier(const char* source, const char* destination, bool ecraser);
bool Fichier_Supprimer(const char* cheminJeu);
bool Repertoire_Creer(const char* cheminJeu);

// Whole-file read into a string; false when the file cannot be read.
bool Fichier_LireTout(const char* cheminJeu, std::string* contenu);
