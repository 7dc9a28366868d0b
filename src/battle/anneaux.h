// The walk of the square rings round a footprint, shared by the target searches and the target
// lists.
#pragma once

#include <algorithm>
#include <cstdint>

#include "world/grilles.h"

// The rings r0 to r1 round the footprint of side s whose corner is (x, y), on a grid of the map:
// each ring's top row left to right, its right column downwards, its bottom row right to left,
// then its left column upwards, each clipped to the map. visite(i, j) is called for each cell
// whose content n passes garde(n); its first non-zero answer ends the walk and is returned. After
// each side, finCote() is asked the same way. 0 when the walk ends with neither.
template <typename Garde, typename Visite, typename FinCote>
int Anneaux__Parcours(const int32_t* grille, int x, int y, int r0, int r1, int s, Garde garde, Visite visite,
                      FinCote finCote) {
    constexpr int N = TAILLE_UNIVERS;
    for (int r = r0; r <= r1; ++r) {
        const int g = x - r, h = y - r, d = x + r + s - 1, b = y + r + s - 1;
        if (h >= 0 && h < N) {
            const int32_t* rangee = grille + N * h;
            for (int i = std::max(g, 0), fin = std::min(d, N - 1); i <= fin; ++i)
                if (garde(rangee[i]))
                    if (const int n = visite(i, h)) return n;
        }
        if (const int n = finCote()) return n;
        if (d >= 0 && d < N)
            for (int j = std::max(h + 1, 0), fin = std::min(b - 1, N - 1); j <= fin; ++j)
                if (garde(grille[d + N * j]))
                    if (const int n = visite(d, j)) return n;
        if (const int n = finCote()) return n;
        if (b >= 0 && b < N) {
            const int32_t* rangee = grille + N * b;
            for (int i = std::min(d, N - 1), fin = std::max(g, 0); i >= fin; --i)
                if (garde(rangee[i]))
                    if (const int n = visite(i, b)) return n;
        }
        if (const int n = finCote()) return n;
        if (g >= 0 && g < N)
            for (int j = std::min(b - 1, N - 1), fin = std::max(h + 1, 0); j >= fin; --j)
                if (garde(grille[g + N * j]))
                    if (const int n = visite(g, j)) return n;
        if (const int n = finCote()) return n;
    }
    return 0;
}
