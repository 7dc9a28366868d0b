// The relations between the armies: two matrices that start at the values below and that a
// battle's conditions file, alliances and defections rewrite.
#pragma once

#include <array>
#include <cstdint>

// 6 x 6, row = the acting army, column = the other; non-zero = hostile (TableAttaque) or
// may be targeted (TableCiblage).
using RelationJoueurs = std::array<std::array<int32_t, 6>, 6>;
extern RelationJoueurs TableAttaque;
extern RelationJoueurs TableCiblage;
