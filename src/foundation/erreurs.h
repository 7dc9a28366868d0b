// The error reporter and the game's message boxes.
#pragma once

#include <cstdint>

extern int32_t BoiteMessageFermee;

[[noreturn]] void Erreur_Fatale(const char* ou, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Erreur_Question(const char* ou, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Avertissement(const char* ou, const char* format, ...) __attribute__((format(printf, 2, 3)));
int Question_Formatee(const char* ou, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Message_Afficher(const char* ou, const char* texte);
int Message_Question(const char* ou, const char* texte);
