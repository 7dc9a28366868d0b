// The program's start-up, the main-menu loop, the in-game loop and the shutdown, with the settings
// kept between runs: "..\INI\Configuration.ini" and "..\INI\DOZOZADO.DAT".
#pragma once

#include <cstdint>

#include "shell/curseur.h"
#include "shell/routeur.h"

// "..\INI\Configuration.ini", seven lines of "%d", in this order.
extern int32_t CampagneCommencee;   // 0 or 1
extern int32_t ResolutionLargeur;   // the battle resolution (640 x 480 by default)
extern int32_t ResolutionHauteur;
// VolumeSons and VolumeMusique (0..100) are the sound layer's; NuagesActifs and LumiereActive
// the game frame's.

// "..\INI\DOZOZADO.DAT", section "TRUC": the parental-control code and setting.
constexpr int TAILLE_CODE_PARENTAL = 260;
extern char CodeParental[TAILLE_CODE_PARENTAL];
extern int32_t ControleParental;   // the parental control: no blood, always the plain death animation

// The copy of the game clock stamped with it on every turn of the in-game loop.
extern uint32_t HorlogeJeuCopie;
extern int32_t EtatPassageBataille;

// The whole program: start-up, main-menu loop, shutdown. Returns 0 in every case.
int Winmain(void* instance, void* precedente, const char* ligne, int affichage);

// 1 when the working directory was set from the install path, -1 when it stayed as it was.
int CheminInstallation();
// 0 when another copy of the game already runs (or the lock cannot be taken), 1 otherwise.
int InstanceUnique();
// Reads the configuration; a missing or unreadable file is written with the current values.
void Configuration__Lecture();
// Writes the seven values (a temporary file renamed over the old one).
void Configuration__Ecriture();
// The parental-control code and setting; missing values read as "" and 0.
void Parental__Lecture();
// Writes both keys back, the file's other lines kept (a temporary file renamed over the old one).
void Parental__Ecriture();
// Frees the particle effect list and the particle sprite list.
void Particules__Fin();
// The cheat's callback: army 0 hostile to the armies 1 to 4, the AI playing its marked groups.
void ModeTriche__Activation();

// The parts of Winmain. Demarrage returns 0 when there is no window (nothing else was started).
int Demarrage(void* instance);
// The main menu's choices until the player quits.
void BoucleMenuPrincipal();
// The in-game loop: one dispatch per idle turn of the message loop while the window is active,
// until the dispatch returns 1 or the program quits. Returns 1 when the dispatch ended it.
int BoucleJeu(uint32_t (*aiguillage)());
// One turn of that loop: 1 when the dispatch asked to leave.
int BoucleJeu__Tour(uint32_t (*aiguillage)());
void Arret();
