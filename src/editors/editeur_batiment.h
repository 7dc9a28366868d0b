// The building editor.
#pragma once

#include <cstdint>

int EditeurBatiment(int32_t orientation);
