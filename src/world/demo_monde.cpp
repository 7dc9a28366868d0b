#include "world/demo_monde.h"

#include "world/maitres.h"

bool Demo_ChargerMaitres() { return Maitres__Liste__Creation() > 0; }
