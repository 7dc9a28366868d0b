// Weather and time of day: the wind that turns and wobbles and carries the particles, the cloud
// shadows drifting with it over the view, snow where snow cells are in view, and the 24-hour clock
// whose light level lights the terrain. Only what is seen: the random draws use the visual stream.
#pragma once

#include <array>
#include <cstdint>

extern int32_t VentForce;       // 1 or 2 (the clouds have speeds for 0..3)
extern int32_t VentDirection;   // 0 up, then clockwise in eighths: 2 right, 4 down, 6 left
extern int32_t VentOscillation; // the wobble's side: 0 turns +1 next, 1 turns -1 next
// The two rate timers of the wind: the turn every 30 s and the wobble every 334 ms.
extern int32_t VentTourCumul;
extern uint32_t VentTourMaintenant;
extern uint32_t VentTourDernier;
extern int32_t VentOscillationCumul;
extern uint32_t VentOscillationMaintenant;
extern uint32_t VentOscillationDernier;

constexpr int NOMBRE_NUAGES = 12;
// Cloud shadow positions in screen pixels; the first NuagesNombre / 3 are moved and drawn.
extern std::array<int32_t, NOMBRE_NUAGES> NuagesX;
extern std::array<int32_t, NOMBRE_NUAGES> NuagesY;
extern int32_t NuagesNombre;
constexpr int OBJET_GFX_NUAGE = 14;

extern int32_t HeureDuJour;          // 0..23
extern int32_t HeureCompteur;        // game frames since the last hour step
extern int32_t DureeHeure;           // game frames per hour
// The light level 0..31 of the current hour (TableIntensite of the world holds the 24 levels).
extern int32_t IntensiteLumineuse;
// Snow cells in the visible window, counted by Neige__CompteCases.
extern int32_t CasesNeige;

// The wind's step of a game frame: the turn, the wobble, then the strength from the direction.
void Vent__Evolution();
// Both wind timers start from the game clock now (scene start).
void Vent__RazChronos();
// One game frame of the day; the hour does not move on the region map.
void Heure__Evolution();

void Nuages__Initialisation();
void Nuages__Deplacement();
// The clouds in use move by (-dx, -dy): the view scrolled by (dx, dy) pixels.
void Nuages__Decalage(int32_t dx, int32_t dy);
void Nuages__Affichage();

void Neige__CompteCases();
// Two snow effects at random points of the screen into particle plan 2.
void Neige__Emission();
