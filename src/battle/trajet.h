// Paths: the points of a unit's or a group's path, in cells.
#pragma once

#include <cstdint>

struct PointTrajet {
    int32_t x, y;
};

constexpr int POINTS_TRAJET_UNITE = 2000;
constexpr int POINTS_TRAJET_GROUPE = 1000;
