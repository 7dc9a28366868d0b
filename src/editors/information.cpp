#include "editors/information.h"

int32_t InformationActive = 0;

// No page is drawn yet.
void InformationAffichage() {}
