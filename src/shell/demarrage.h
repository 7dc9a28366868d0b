// The program's start-up and the settings it reads. For now only what the movie launcher reads.
#pragma once

#include <cstdint>

// The battle resolution, from "..\INI\Configuration.ini" (640 x 480 by default).
extern int32_t ResolutionLargeur;
extern int32_t ResolutionHauteur;
#include "shell/routeur.h"
// The parental-control setting: no blood, and always the plain death animation.
extern int32_t ControleParental;
// The parental code, kept between runs.
constexpr int TAILLE_CODE_PARENTAL = 260;
extern char CodeParental[TAILLE_CODE_PARENTAL];
// 1 once a faction campaign was begun: the four campaigns are open.
extern int32_t CampagneCommencee;
