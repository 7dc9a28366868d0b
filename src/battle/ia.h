// The strategic AI: scores pairs of groups, piles attackers onto a target until their strength
// matches it, and turns the choices into group orders for the computer players.
#pragma once

#include <array>
#include <cstdint>

extern int32_t IACompteur;
extern int32_t TricheIAJoueur;   // the AI also orders army 0
// [other group's mode - 1][own mode - 1]
extern const std::array<std::array<float, 5>, 5> TableFormationIA;

int FacteurEffectifIA(int membres, int membresAutre);

// The division of the numbers of [0, 2^32) by one divisor d of [1, 2^32), made by a multiply: with
// m = ceil(2^64 / d), the high word of n * m is n / d for every such n (the error of m / 2^64 over
// 1 / d is below 1 / (d 2^32)); d = 1 is kept apart, its m needing 65 bits.
struct Diviseur {
    uint64_t m;
    bool un;
    explicit Diviseur(uint32_t d) : m(d > 1 ? UINT64_MAX / d + 1 : 0), un(d <= 1) {}
    uint32_t operator()(uint32_t n) const {
        return un ? n : static_cast<uint32_t>((static_cast<unsigned __int128>(m) * n) >> 64);
    }
};

int IA__Distance(int x1, int y1, int x2, int y2);
int IA__EvaluationCibles();
void IA__Ordres(int quart);
