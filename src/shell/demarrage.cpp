#include "shell/demarrage.h"

int32_t ResolutionLargeur = 640;
int32_t ResolutionHauteur = 480;
int32_t ControleParental = 0;
