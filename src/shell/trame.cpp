#include "shell/trame.h"

int32_t JeuEnPause = 0;
int32_t LumiereActive = 0;
int32_t RepereX = 0;
int32_t RepereY = 0;
int32_t ReperePixelX = 0;
int32_t ReperePixelY = 0;
uint32_t HorlogeJeu = 0;
int32_t NuagesActifs = 0;
int32_t CarteReduiteSurvolee = -1, CarteReduiteSurvolX = -1, CarteReduiteSurvolY = -1;
int32_t CurseurCaseX = 0, CurseurCaseY = 0;
int32_t SourisSurvol = 0, SourisSurvolAir = 0, SourisSurvolUnite = 0;
