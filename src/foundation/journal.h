// The message log (JournalMessages): up to 49 recent lines drawn upward from a point, a blank
// line pushed in after each quiet period. Slot 0 is never used.
#pragma once

#include <array>
#include <cstdint>

#include "foundation/listes.h"

constexpr int NOMBRE_SLOTS_MESSAGES = 50;
constexpr int MESSAGES_MAXIMUM = NOMBRE_SLOTS_MESSAGES - 1;

extern std::array<char*, NOMBRE_SLOTS_MESSAGES> TextesMessages;      // heap copies
extern std::array<uint32_t, NOMBRE_SLOTS_MESSAGES> DatesMessages;    // tick count when written
extern std::array<int32_t, NOMBRE_SLOTS_MESSAGES> CodesMessages;     // 0..4
extern NoeudEntier* ListeMessagesLibres;
extern NoeudEntier* ListeMessages;   // shown slots, newest first
extern int32_t NombreMessages;
extern uint32_t DateDernierMessage;
// Set: every line enters the log; 0: only lines of code 4.
extern int32_t JournalActif;

void Messages_Initialisation();
void Messages_Ajout(const char* texte, int code);
void Messages_Affichage(int x, int y, int max);
void Messages_Vieillissement(int secondes);
// Frees both lists and the texts.
void Messages_Liberation();
