// The skirmish set-up and the faction choice, as the scene start and teardown use them.
#pragma once

#include <cstdint>

extern char* CarteEscarmouche;        // heap name of the chosen skirmish map, null none
extern int32_t EscarmoucheConfirmee;

// Frees the skirmish set-up lists at the end of a skirmish.
void Escarmouche__Liberation();
// The faction choice screen of a new campaign: the campaign 0..4.
int ChoixCamp();
// The skirmish set-up screen. For now it picks the sample map and confirms at once: the preview
// is built and the next main menu call starts the battle.
void Escarmouche();

// The player's faction in the skirmish set-up, 0..4.
extern int32_t CampEscarmoucheJoueur;
// Loads the two chosen skirmish armies onto the battle map.
void Escarmouche__ArmeesVersSections();
