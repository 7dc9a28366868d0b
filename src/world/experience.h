// Experience, levels and the upgrades bought in the castle, per master type.
// For now only what the births need: the tables, the level rule and the birth bonus hook.
#pragma once

#include <array>
#include <cstdint>

extern std::array<int32_t, 600> ExperienceParType;      // experience for a kill, -1 undefined
extern std::array<int32_t, 600> PrixParType;            // price of a unit in the reserves
extern std::array<int32_t, 600> TableRegenerationMana;  // mana gained every 16th frame

// Maximum hit points and damage from the level (clamped to 20) and the master's per-level gains.
void Experience__AppliqueNiveau(int objet);
// The player's upgrades applied at birth (army 0). Does nothing yet.
void Objet__Bonus(int objet);
