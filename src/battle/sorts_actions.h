// The spell actions of the event player: what a cast does when its animation reaches its spell
// event, by the caster's action code, with the experience and mana it earns and costs.
#pragma once

#include <array>
#include <cstdint>

struct Objet;
struct EvenementConcret;

// Mana cost of each action code 0..24.
extern const std::array<int32_t, 25> CoutActionSort;
// Creatures summoned for the player's army 0 this battle.
extern int32_t CreaturesInvoqueesJoueur;
// The text logged when a creature summoned by the player turns against it.
extern char TexteInvocationRebelle[256];

// The spell event (kind 9) of caster o; dx, dy of the event place the start of its projectiles.
void Sort__ActionEvenement(Objet* lanceur, const EvenementConcret* evenement);
