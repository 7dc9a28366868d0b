// Fuzz targets: each feeds its bytes to one of the game's readers through a file of a temporary
// game tree (the sample data copied once), with the end of the program turned into a return, so
// that a clean refusal is no finding. A target defines Cible_Preparer (once) and Cible_Lire.
// The same targets are built without libFuzzer into the corpus replay test: there each target's
// two functions are renamed <target>_Preparer and <target>_Lire.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

// Writes a file of the tree (relative path with '/').
void Cible_Ecrire(const std::string& relatif, const uint8_t* donnees, size_t taille);
// Writes a file of the tree back as the sample data has it (removed when the sample has none), so
// that an input written to one of several files does not stay for the next.
void Cible_Remettre(const std::string& relatif);
// The sample data's file ("" when it has none).
std::string Cible_Original(const std::string& relatif);

void Cible_Preparer();
void Cible_Lire(const uint8_t* donnees, size_t taille);

// The files of an input that holds several: each starts at a line "@@ <name>" (at most 40 letters,
// digits, '.', '_' or '-') and runs to the next such line; what comes before the first is left out,
// and so are the files past the sixteenth.
std::vector<std::pair<std::string, std::string>> Cible_Fichiers(const uint8_t* donnees, size_t taille);
// Removes every file of a folder of the tree (relative path with '/'), the folder kept.
void Cible_ViderDossier(const std::string& relatif);

// Writes "ini/mv.ini" from an input spelt as the sample is, in Windows-1252: built with clang, the
// program's markers are UTF-8, and each 'î' of the input is turned into that spelling, as the
// tree's own copy is.
void Cible_EcrireListe(const uint8_t* donnees, size_t taille);

// Once the graphic objects are loaded: cuts "..\ini\mv.ini" to its master list, which the readers
// that look a master up by name scan for each input.
void Cible_ListeMaitresSeule();

// The harness shared by libFuzzer's entry and the replay test.
namespace cible {
using Fonction = void (*)();
using Lecture = void (*)(const uint8_t*, size_t);
// Copies the sample data into a temporary tree (removed at exit), moves into its "run" folder,
// turns the end of the program into an exception and calls the target's preparation. Aborts
// when the preparation ends the program: the sample data must load.
std::filesystem::path Environnement(Fonction preparer);
// One input; a report that ends the program is a clean refusal.
void Executer(Lecture lire, const uint8_t* donnees, size_t taille);
}  // namespace cible

// A battle world's tables for the readers that place units: the graphic objects and the masters
// loaded (the master list cut as Cible_ListeMaitresSeule does), the scene mode set, the grids and
// the object and group tables made.
void Cible_PreparerMonde(int modeScene);
