// The frame dispatcher and the scene router: which scene runs, the router code that leads to the
// next, and the game modes the scene start reads.
#pragma once

#include <array>
#include <cstdint>

extern int32_t ModeSceneCourant;     // 0 castle, 1 region map, 2 battle, 3 skirmish preview
extern int32_t MorvaneCode;          // router code 1..10
extern int32_t RoutageOn;            // run the router at the next idle turn (1 at start)
extern int32_t EtatBoucleJeu;        // 1 skip the frame this turn, 2 leave the in-game loop
extern int32_t ModeJeuCourant;       // -1 none, 3 a skirmish starting
extern int32_t EscarmoucheEnCours;   // 3 during a skirmish battle
extern int32_t VerificationArmee;
extern int32_t MissionSpecialeEnCours;
extern int32_t MissionSpecialeChoisie;
extern std::array<char*, 32> NomsMissionsSpeciales;
extern int32_t OrDebutBataille;      // the player's gold when the battle started
// The castle upgrade screen has something to show (noted when the castle is entered).
extern int32_t AmeliorationChateauPossible;

// One idle turn of the in-game loop: the router when RoutageOn is set, else one game frame and
// the scene's teardown when it ends. 1 = back to the main menu, 0 = go on.
uint32_t TrameAiguillage();
// The router on MorvaneCode: 1 = back to the main menu (code 6), else 0.
uint32_t Morvane_Routeur();

// The chosen special mission's name, "" when none.
const char* NomMissionSpeciale();

// One idle turn of the in-game loop: the router and a scene start, or one game frame (and the
// teardown when it ends the scene). 1 = leave the in-game loop for the main menu.
uint32_t TrameAiguillage();
// Acts on MorvaneCode; 1 = back to the main menu.
uint32_t Morvane_Routeur();
// Checks a view code (0, 1 or 2).
void CarteOperation(int vue);
// The reset of the scene and of the game variables.
void Scene__RemiseAZero();
// The scene start of ModeSceneCourant, with the frame's own state made new.
void Scene__Demarrage();
// The teardown of the scene when one is built (its result goes to MorvaneCode).
void Scene__Demontage();
// A battle begins: the unit totals, the results screen's statistics, its start time and gold.
void CompteursBataille();
