// The results screen that closes a battle: its outcome, losses, bonus, precision and score, the
// time and the gold balance, five growing gauges and the leaders lost; its own loop until the OK
// corner is clicked or Escape.
#pragma once

#include <cstdint>

// The figures of the screen, in integer arithmetic.
struct Bilan {
    int32_t pertesAmies, pertesEnnemies;   // percentages 0..100
    int32_t bonus, precision, score;
    int32_t heures, minutes, secondes;
};
// From the side counts and totals, the battle statistics and `duree` ms of battle.
Bilan Bilan__Calcul(uint32_t duree);
// The top of a gauge's growth: value / 5, and for the two counters 20 above a value of 100.
int32_t Bilan__Limite(int32_t valeur, bool compteur);

// The outcome's title, from the interface texts: victory (1) or defeat (0); "" for any other result.
const char* Bilan__Issue(int32_t resultat);

// 1 while the results screen is open.
extern int32_t BilanOuvert;
void BilanBataille();
