#include "battle/formations.h"

void Formation__Coins(int) {}
void Formation__Place(int, int, int, int, int, int, int, int, int) {}
void Formation__Rectangle(int) {}
void Formation__DestinationUnite(int, int) {}
void Formation__Reorganise(int) {}
void Groupe__SuitTrajet(int) {}
int Formation__ObstaclesAuPas(int, int, int) { return 0; }
int Formation__CasesEtrangeres(int) { return 0; }
int Formation__CasesLibres(int) { return 0; }
int Formation__Etablie(int) { return 0; }
int Groupe__Initialise(int) { return 0; }
