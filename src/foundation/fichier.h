// Whole-file access and the keyword reader shared by the loaders.
#pragma once

#include <cstdint>
#include <cstdio>

using HandleFichier = FILE*;

extern uint32_t LectureOctets;   // bytes read by the last Fichier_Lecture

HandleFichier Fichier_Ouverture(const char* nom);
uint32_t Fichier_Taille(HandleFichier fichier);
void Fichier_Lecture(HandleFichier fichier, void* tampon, uint32_t n);
void Fichier_Fermeture(HandleFichier fichier);
uint32_t Fichier_TailleNom(const char* nom);

// The blanks of the C locale's isspace, which the game's text readers keep whatever the locale.
inline bool Fichier_Blanc(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Opens a text file and reads whitespace-separated tokens until one equals the marker exactly;
// the stream is left just after it, for the caller to read on and close. A file without the
// marker is reported, its stream closed first and *flux left null.
void Configuration_Position(const char* nomFichier, const char* marque, FILE** flux);
// The same search in a stream already open on nomFichier (named in the reports), from its start.
void Configuration_PositionFlux(FILE* flux, const char* nomFichier, const char* marque);
