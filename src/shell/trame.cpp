#include "shell/trame.h"

int32_t JeuEnPause = 0;
