#include "shell/demarrage.h"

int32_t ResolutionLargeur = 640;
int32_t ResolutionHauteur = 480;
int32_t ControleParental = 0;
char CodeParental[TAILLE_CODE_PARENTAL] = "";
int32_t CampagneCommencee = 0;
