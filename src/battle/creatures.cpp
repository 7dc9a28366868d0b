#include "battle/creatures.h"

void DragonGestion() {}
void AngeGestion() {}
void Regiment__Animation() {}
void Objet__SuiviAltitude() {}

// Not drawn yet.
void DragonAffichage() {}
void AngeAffichage() {}
void RegimentAffichage() {}
void Objet__AffichageDecale() {}
