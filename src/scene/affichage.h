// The scene display: one frame of the castle, the battle or the region map into the back buffer.
// It never presents.
#pragma once

#include <cstdint>

// The castle help text was shown once (cleared by the game reset).
extern int32_t AideChateauAffichee;

void Scene__Affichage();
