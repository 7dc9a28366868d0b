#include "shell/conditions.h"

namespace {
constexpr RelationJoueurs RelationsInitiales = {{
    {0, 1, 1, 1, 1, 0},
    {1, 0, 1, 1, 1, 1},
    {1, 1, 0, 1, 1, 1},
    {1, 1, 1, 0, 1, 1},
    {1, 1, 1, 1, 0, 1},
    {0, 1, 1, 1, 0, 0},
}};
}  // namespace

RelationJoueurs TableAttaque = RelationsInitiales;
RelationJoueurs TableCiblage = RelationsInitiales;
