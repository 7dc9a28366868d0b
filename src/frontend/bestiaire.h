// The bestiary screen (what the sprites need of it so far): leaving it frees the graphic
// objects' sprites and gives the view its clip rectangle back.
#pragma once

#include <cstdint>

// The clip rectangle of EcranDestination as the bestiary found it: top, bottom, left, right.
extern int32_t BestiaireClipSauve[4];
extern int32_t BestiaireClipSauvegarde;   // 1 once saved

// Keeps the clip rectangle, for the bestiary's set-up before it draws full screen.
void BestiaireSauverClip();
void BestiaireLiberer();

// The bestiary screen, opened with B over a running scene.
void BestiaireEcran();
