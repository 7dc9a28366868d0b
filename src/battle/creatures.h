// Flying creatures (angels, dragons) frame by frame and drawn with their ground shadow; decors
// whose shade follows the light of the ground; fixed sprites placed by a building calage; and the
// regiment tokens of the region map with their banner and state marks.
#pragma once

// The frame of ObjetCourant, an angel (family ANGE) or a dragon (family DRAGON).
void AngeGestion();
void DragonGestion();
// Draw ObjetCourant with its shadow (and a dragon's rider).
void AngeAffichage();
void DragonAffichage();

// A decor's shade steps towards the light of its corner of the light grid (its first spell slot
// holds the shade level), then the decor is drawn.
void Objet__SuiviAltitude();
// ObjetCourant's fixed sprite at the first calage of its master's "t" building description.
void Objet__AffichageDecale();

// The frame of a regiment token (family REGIMENT): its banner turns, and a moving token steps.
void Regiment__Animation();
// Draws the regiment token whose index stands in the grid cell at PointeurCase.
void RegimentAffichage();
