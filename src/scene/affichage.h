// One whole frame of the current scene drawn into the back buffer in a fixed order: terrain,
// particles, objects by plane, clouds, markers, a battle's one-time texts, the castle banner,
// panels, countdowns, minimap, message log, cursor and debug pages. It never presents.
#pragma once

#include <cstddef>
#include <cstdint>

// 0 the battle's tip is still to be shown, 1 shown, 2 the pending texts shown too; 0 at scene start.
extern int32_t AstuceEtat;
// The castle help text was shown once (cleared by the game reset).
extern int32_t AideChateauAffichee;
// The tick count from which the castle banner shows for 3000 ms (scene start, requester opening).
extern uint32_t HeureBanniereChateau;
// The pause sign's frame, 0..32.
extern int32_t ImagePause;

void Scene__Affichage();

// The text of a countdown with `reste` ms left of `duree` ("%d : %d", or "%d : 0%d" under ten
// seconds; nothing below zero), and whether it is shown in red (the last tenth).
void Chronometre__Texte(int32_t reste, int32_t duree, char* texte, size_t taille, bool* rouge);
