#include "shell/saisie.h"

#include <algorithm>

#include "shell/trame.h"

int32_t DemandeSelection = 0;
int32_t DebutSelectionIcone = 0;
int32_t CadreDebutX = 0, CadreDebutY = 0;
int32_t CadreFinX = 0, CadreFinY = 0;

// Adds to the selection the visible groups of the first selected group's type. There are no
// groups to select yet, so there is nothing to add.
void Selection__MemeTypeVisibles() {}

void Defilement__Bornage() {
    RepereX = std::clamp(RepereX - (RepereX & 1), 0, 127);
    RepereY = std::clamp(RepereY - (RepereY & 1), 0, 127);
}
