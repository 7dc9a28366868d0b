// The scene router's state: which scene runs, the router code that leads to the next, and the
// game modes the scene start reads.
#pragma once

#include <array>
#include <cstdint>

extern int32_t ModeSceneCourant;     // 0 castle, 1 region map, 2 battle, 3 skirmish preview
extern int32_t MorvaneCode;          // router code 1..10
extern int32_t RoutageOn;            // run the router at the next frame
extern int32_t EtatBoucleJeu;        // 2 leaves the in-game loop
extern int32_t ModeJeuCourant;       // -1 none, 3 a skirmish starting
extern int32_t EscarmoucheEnCours;   // 3 during a skirmish battle
extern int32_t VerificationArmee;
extern int32_t MissionSpecialeEnCours;
extern int32_t MissionSpecialeChoisie;
extern std::array<char*, 32> NomsMissionsSpeciales;

// One idle turn of the in-game loop: the router when RoutageOn is set, else one game frame and
// the scene's teardown when it ends. 1 = back to the main menu, 0 = go on.
uint32_t TrameAiguillage();
// The router on MorvaneCode: 1 = back to the main menu (code 6), else 0.
uint32_t Morvane_Routeur();

// The chosen special mission's name, "" when none.
const char* NomMissionSpeciale();
