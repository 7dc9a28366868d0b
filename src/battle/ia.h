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
int IA__Distance(int x1, int y1, int x2, int y2);
int IA__EvaluationCibles();
void IA__Ordres(int quart);
