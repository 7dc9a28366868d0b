// The animation event player: the visual events (particles) and the concrete events (hits, shots,
// heals, sounds, spells) of the frame an object has just reached.
#pragma once

#include <cstdint>

struct Objet;

// Statistics of the player's army 0 this battle: spells cast, attacks that may earn a tactical
// advantage (archer shots, phalanx and cavalry hits) and those made with it.
extern int32_t SortsLancesJoueur;
extern int32_t AttaquesJoueur;
extern int32_t AttaquesAvantageJoueur;

// Plays the events of the object's next unplayed frame (one frame per call, catching up when its
// animation skipped frames); always -1.
int PlayerEvenement(Objet* objet);
// Raise the dead: the corpses of the caster's enemy list rise as its own skeletons (event kind 2).
void EvenementAnimationMort(Objet* objet);
