// Experience, levels and the upgrades bought in the castle, per master type: experience for a
// kill, unit prices, mana regeneration, the level rule and the birth bonus of the player's units.
#pragma once

#include <array>
#include <cstdint>

extern std::array<int32_t, 600> ExperienceParType;      // experience for a kill, -1 undefined
extern std::array<int32_t, 600> PrixParType;            // price of a unit in the reserves
extern std::array<int32_t, 600> TableRegenerationMana;  // mana gained every 16th frame
extern int32_t ExperienceBatailleJoueur;                 // experience gained by army 0 this battle

// At start-up: the experience and price tables.
void Experience__Initialisation();
// At scene start: the mana regeneration table back to its base values.
void Experience__InitialisationTable2();
// The killer gains `quantite` points, or the victim's table value when 0; every 1000 points a
// level (at most 20), with a text, a sound and the level's hit points and damage.
void ExperienceGain(int tueur, int victime, int quantite);
// Maximum hit points and damage from the level (clamped to 20) and the master's per-level gains.
void Experience__AppliqueNiveau(int objet);
// The player's upgrades applied at birth (army 0).
void Objet__Bonus(int objet);
