#include "shell/scenario.h"

int32_t EtatGrille = 0;
int32_t BrecheOuverte = 0;
int32_t FortificationDetruite = 0;
int32_t GrillePresente = 0;

void GroupesSelection__Retirer(int) {}
