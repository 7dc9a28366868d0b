// The special missions screen with its own in-game loop, and the scan of the map at scene start
// for the castle gate and the fortification zone.
#pragma once

#include <cstdint>

#include "shell/routeur.h"

constexpr int NOMBRE_MISSIONS_MAXI = 18;
constexpr int TAILLE_NOM_MISSION = 256;   // 255 characters and the 0
// "..\Campagnes\Specials\ListeDesMissions.txt": one name per word.
extern char ListeMissionsSpeciales[NOMBRE_MISSIONS_MAXI + 1][TAILLE_NOM_MISSION];
extern int32_t NbMissionsSpeciales;
// The mission played; the scene start reads it as MissionSpecialeChoisie.
extern int32_t& MissionCourante;

// Reads the mission list into ListeMissionsSpeciales: fatal when the file is missing or holds
// more than 18 names; a name is cut to 255 characters. Returns the count.
int MissionsSpeciales__Liste();
// The special missions: the list, the picture, the missions requester, then the chosen mission's
// battle until it is decided or the program quits; back to the main menu.
void MissionsSpeciales();

// The scan at scene start: the last gate building found on the unit grid (PorteTrouvee, PorteX,
// PorteY, its closed gate ObjetPorte) and the box of the fortification objects
// (ZoneBatiments...), the gate passage closed (PortePassable).
void Scene__InitialisationVariables();
