// Paths: the points of a unit's or a group's path, in cells, and the eight movement directions.
#pragma once

#include <cstdint>

struct PointTrajet {
    int32_t x, y;
};

constexpr int POINTS_TRAJET_UNITE = 2000;    // an object's own path (trajet)
constexpr int POINTS_TRAJET_GROUPE = 1000;   // a group's path (tampon) and the planner's buffers

// Directions 0..7: 0 east, 1 north-east, 2 north, 3 north-west, 4 west, 5 south-west, 6 south,
// 7 south-east; rows grow downwards. +1 turns counter-clockwise on screen, -1 clockwise.
inline constexpr int32_t DirectionDx[8] = {1, 1, 0, -1, -1, -1, 0, 1};
inline constexpr int32_t DirectionDy[8] = {0, -1, -1, -1, 0, 1, 1, 1};
