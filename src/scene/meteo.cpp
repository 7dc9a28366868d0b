#include "scene/meteo.h"

#include "shell/trame.h"
#include "world/niveau.h"
#include "world/univers.h"

// Still air until the weather moves it.
int32_t VentForce = 0;
int32_t VentDirection = 0;

// Midnight and full daylight until the hours move them.
int32_t HeureDuJour = 0;
int32_t IntensiteLumineuse = 31;
int32_t CasesNeige = 0;

void Neige__CompteCases() {
    CasesNeige = 0;
    for (int32_t r = 0; r < CasesVisiblesY; ++r)
        for (int32_t c = 0; c < CasesVisiblesX; ++c) {
            const int32_t x = RepereX + c, y = RepereY + r;
            if (x >= 0 && x < 128 && y >= 0 && y < 128 && GrilleMatieres[y * 128 + x] == 'N') ++CasesNeige;
        }
}
