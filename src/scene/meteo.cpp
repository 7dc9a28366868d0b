#include "scene/meteo.h"

// Still air until the weather moves it.
int32_t VentForce = 0;
int32_t VentDirection = 0;
