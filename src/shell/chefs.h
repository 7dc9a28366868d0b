// The army's leaders and the reinforcements of a battle. For now no leader is placed and no
// reinforcement arrives.
#pragma once

#include <array>
#include <cstdint>

struct Chef {
    int32_t maitre;       // 0 none
    int32_t reserve;
    int32_t present;      // 1 with the army
    int32_t PointEntree;  // 0..8
};
constexpr int NOMBRE_CHEFS = 9;
extern std::array<Chef, NOMBRE_CHEFS> TableChefs;
extern int32_t EtatFinPartie;

// 0 when the leader's group was created, -1 when no place was found.
int Chef_Placement(int maitre, int armee, int pointEntree, int rayon);
void Renforts_Importation();

// Empties the reinforcement requests.
void Renforts_RemiseAZero();
