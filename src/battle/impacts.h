// Impact effects: timed actions at a place (explosions, glows, healing zones), queued by spells,
// projectiles, deaths, the level loader and building collapses. For now the queue only counts
// what it is asked for.
#pragma once

#include <cstdint>

#include "foundation/ecran.h"   // FonduNiveau, TremblementAmplitude

struct Objet;

extern int32_t EffetsImpactDemandes;   // effects queued since the table was last emptied

// Queues an effect of kind `genre` at (x, y); 1, or 0 when the table is full.
int EffetImpactAjouter(Objet* proprietaire, int genre, int x, int y, int parametre, int duree);
// One pass of every queued effect.
void EffetImpactGestion();
// Frees every slot (scene start and end, level loading).
void EffetImpactViderTable();

// Runs the live impact effects once per logic pass.
void EffetImpactGestion();
