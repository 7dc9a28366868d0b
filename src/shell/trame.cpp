#include "shell/trame.h"

int32_t JeuEnPause = 0;
int32_t LumiereActive = 0;
int32_t RepereX = 0;
int32_t RepereY = 0;
int32_t ReperePixelX = 0;
int32_t ReperePixelY = 0;
uint32_t HorlogeJeu = 0;
int32_t CompteurTours = 0;
