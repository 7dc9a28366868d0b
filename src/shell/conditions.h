// A battle's scenario conditions and the relations between the armies.
// For now only the two relation matrices, with their values at start.
#pragma once

#include <array>
#include <cstdint>

// 6 x 6, row = the acting army, column = the other; non-zero = hostile (TableAttaque) or
// may be targeted (TableCiblage).
using RelationJoueurs = std::array<std::array<int32_t, 6>, 6>;
extern RelationJoueurs TableAttaque;
extern RelationJoueurs TableCiblage;
