// Spell actions of the event player: what each spell costs and the player's summoning count.
#pragma once

#include <array>
#include <cstdint>

// Mana of each spell action 0..24.
extern const std::array<int32_t, 25> CoutActionSort;
// Creatures summoned for the player this battle.
extern int32_t CreaturesInvoqueesJoueur;
