#include "shell/chefs.h"

std::array<Chef, NOMBRE_CHEFS> TableChefs{{{5, 0, 0, 0}, {120, 0, 0, 0}, {121, 0, 0, 0}, {376, 0, 0, 0},
                                           {122, 0, 0, 0}, {123, 0, 0, 0}, {124, 0, 0, 0}, {125, 0, 0, 0},
                                           {374, 0, 0, 0}}};
int32_t EtatFinPartie = -1;

int Chef_Placement(int, int, int, int) { return -1; }
void Renforts_Importation() {}

// No reinforcement is kept yet, so there is nothing to empty.
void Renforts_RemiseAZero() {}
