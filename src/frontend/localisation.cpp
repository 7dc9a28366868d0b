#include "frontend/localisation.h"

char TextesCriMort[4][256] = {"%s : Aaargh !", "%s : Je meurs...", "%s : Vengez-moi !", "%s : Adieu..."};
char TextePanique[256] = "%s : Sauve qui peut !";
char TextesNiveau[3][256] = {"%s passe au niveau %d.", "%s gagne en expérience : niveau %d.",
                             "%s atteint le niveau %d !"};
