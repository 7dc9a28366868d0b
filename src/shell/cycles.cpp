#include "shell/cycles.h"

int32_t CompteurCycle12 = 0;
int32_t CompteurCycle20 = 0;
int32_t CompteurCycle43 = 0;
int32_t CompteurCycle43Bis = 0;
int32_t CompteurCycle100 = 0;
