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

// Keeps the view origin RepereX, RepereY even (an odd value is lowered by one) and within 0..127.
void Defilement__Bornage();
