#include "battle/creatures.h"

void DragonGestion() {}
void AngeGestion() {}
void Regiment__Animation() {}
void Objet__SuiviAltitude() {}
