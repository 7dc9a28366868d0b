// Command input and view control.
#pragma once

#include <cstdint>

// Press state of the left button: a press waiting for its release, whether it began on an icon,
// and the map cells of the press and of the release.
extern int32_t DemandeSelection;
extern int32_t DebutSelectionIcone;
extern int32_t CadreDebutX, CadreDebutY;
extern int32_t CadreFinX, CadreFinY;

void Selection__MemeTypeVisibles();

// The order marker shown while paused: 0 none, else its frame + 1; its kind (0 a move, else an
// attack) and its place on the map in pixels.
extern int32_t MarqueurOrdre;
extern int32_t MarqueurOrdreType;
extern int32_t MarqueurOrdreX, MarqueurOrdreY;
