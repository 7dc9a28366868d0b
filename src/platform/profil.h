// Private-profile files ("INI"): [section] lines and key=value lines. Sections and keys are
// compared without regard to case; a value has its surrounding blanks removed, and one pair of
// surrounding quotes. Lines starting with ';' are comments. The file is a game path (fichiers.h),
// relative or absolute, '\\' or '/' as the separator.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The integer at the start of the value (an optional sign, then digits); `defaut` when the key
// is missing, 0 when the value does not start with a number.
int32_t Profil_LireEntier(const char* section, const char* cle, int32_t defaut, const char* fichier);
// Copies the value (or `defaut` when the key is missing) into `tampon`, cut to `taille` bytes
// with its terminating zero; returns the number of characters copied.
uint32_t Profil_LireTexte(const char* section, const char* cle, const char* defaut, char* tampon, uint32_t taille,
                          const char* fichier);
// Writes key=value in the section, creating the file, the section or the key as needed; a null
// value removes the key, a null key removes the whole section. False when the file cannot be written.
bool Profil_EcrireTexte(const char* section, const char* cle, const char* valeur, const char* fichier);
// The keys of a section, in file order.
std::vector<std::string> Profil_LireCles(const char* section, const char* fichier);
// The key=value entries of a section in file order, each value as Profil_LireTexte gives it: a list
// read whole in one pass rather than key by key (the value of a key given twice is its first).
std::vector<std::pair<std::string, std::string>> Profil_LireSection(const char* section, const char* fichier);
