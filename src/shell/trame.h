// The game frame: run by the dispatcher on every idle turn of a scene (castle, region map,
// battle). Input on every call; logic, timers, drawing and key commands at most once per 66 ms;
// then the present. Returns RoutageOn: 1 when the scene must end now.
#pragma once

#include <cstdint>

int32_t TrameJeu();

// Acts on a victory test's result (-1 undecided, 0 defeat, 1 victory, 2 and 3 as the scenario
// gives them): the end request, the sound, the army write-back. True when the frame must end at
// once, without a present (the castle was won).
bool Trame__ResultatVictoire(int resultat);

// Milliseconds between two logic passes.
constexpr uint32_t PERIODE_TRAME = 66;

extern int32_t JeuEnPause;
extern uint32_t DebutPause;   // tick count when the pause began

// The view origin on the battle map, in cells (kept even).
extern int32_t RepereX;
extern int32_t RepereY;
extern int32_t ReperePixelX;   // the same in pixels
extern int32_t ReperePixelY;
extern uint32_t HorlogeJeu;    // the game clock in milliseconds, taken from the tick count

// Timers of the frame: the last logic pass (tick count), the last victory test and the last
// minimap rebuild (game clock). The scene start clears the last two.
extern uint32_t DerniereTrame;
extern uint32_t DernierTestVictoire;
extern uint32_t DerniereMajCarteReduite;
// Tick count at the scene start; the AI wakes DelaiDeclenchementIA after it.
extern uint32_t DebutScene;
extern int32_t CompteurTours;      // logic passes run unpaused
extern int32_t MessageDebutScene;  // the opening log line was shown
extern int32_t BatailleDecidee;    // a skirmish was won: no further victory test

// The first member of the first selected group (kept when the selection empties).
extern int32_t ObjetSelectionPremier;
// The minimap cell under the mouse: CarteReduiteSurvolee 1, or all three -1.
extern int32_t CarteReduiteSurvolee, CarteReduiteSurvolX, CarteReduiteSurvolY;
// The visible cell under the mouse.
extern int32_t CurseurCaseX, CurseurCaseY;
// The object picked under the cursor on the ground, air and unit grids (0 none).
extern int32_t SourisSurvol, SourisSurvolAir, SourisSurvolUnite;
// Flash of a destroyed building, 28 down to 0 by 2 per logic pass.
extern int32_t& LueurDestruction;

// Display toggles.
extern int32_t NuagesActifs;
extern int32_t CarteReduiteVisible;
extern int32_t LumiereActive;   // terrain lighting on (1) or off
extern int32_t AffichageDegats;
extern int32_t EngagementLibre;

// The castle gate (Return opens and closes it). PorteEtat: 0 intact, -1 being opened by the
// player, 1 destroyed in combat. PortePassable: units may walk through. ObjetPorte: the closed
// gate's object; PointsDeViePorte: its hit points while it is open.
extern int32_t& PorteEtat;
extern int32_t& PortePassable;
extern int32_t ObjetPorte;
extern int32_t PointsDeViePorte;

// The unsigned tick difference that gates the logic pass: a wrapped counter opens it at once.
inline bool Trame__PassageDu(uint32_t maintenant, uint32_t derniere) {
    return maintenant - derniere >= PERIODE_TRAME;
}
