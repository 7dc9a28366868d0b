// The debug information pages.
#pragma once

#include <cstdint>

extern int32_t InformationActive;
void InformationAffichage();
