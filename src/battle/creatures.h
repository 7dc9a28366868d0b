// Creatures, decor and regiment tokens frame by frame. For now they stand still.
#pragma once

void DragonGestion();
void AngeGestion();
void Regiment__Animation();
// A decor follows the altitude of its cell.
void Objet__SuiviAltitude();
