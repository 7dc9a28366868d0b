// Creatures, decor and regiment tokens frame by frame. For now they stand still.
#pragma once

void DragonGestion();
void AngeGestion();
void Regiment__Animation();
// A decor follows the altitude of its cell.
void Objet__SuiviAltitude();
// Draw ObjetCourant by its kind at its cell from the view origin.
void DragonAffichage();
void AngeAffichage();
void RegimentAffichage();
// A battlement piece, drawn at its offset.
void Objet__AffichageDecale();
