// The game window and its procedure.
#pragma once

#include <cstdint>

#include "platform/plateforme.h"

int Fenetre_Creation(void* instance);
intptr_t Fenetre_Procedure(HandleFenetre fenetre, uint32_t message, ParamMot w, ParamLong l);
