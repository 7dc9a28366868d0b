// Impact effects: timed actions at a place (explosion sparks, healing glows, blessings that watch
// over a unit, rains of fire, earthquakes, summonings), queued by spells, projectiles, deaths,
// the level loader and building collapses, and run once per logic pass. The queue also makes the
// frame's fade to white and screen shake.
#pragma once

#include <array>
#include <cstdint>

#include "foundation/ecran.h"   // FonduNiveau, TremblementAmplitude

struct Objet;

struct EffetImpact {
    Objet* proprietaire;   // the caster, or null
    int32_t x, y;          // pixels or cells, by genre
    int32_t genre;         // 2..23; 0 a free slot
    int32_t parametre;     // an object index, or -1
    int32_t duree;         // passes left
};

constexpr int NOMBRE_EFFETS_IMPACT = 100;

extern std::array<EffetImpact, NOMBRE_EFFETS_IMPACT> EffetsImpact;
extern int32_t CompteurTremblement;   // passes with shake

// Queues an effect in the first free slot; 1, or 0 when all slots are in use (nothing changes).
int EffetImpactAjouter(Objet* proprietaire, int genre, int x, int y, int parametre, int duree);
// Frees every slot (scene start and end, level loading, movies).
void EffetImpactViderTable();
// One logic pass over the table.
void EffetImpactGestion();
// The object's slot is being released: every effect it owns goes on for nobody, so that the next
// object born in that slot does not take its place as the caster.
void EffetImpactOublierProprietaire(const Objet* o);

// A group of one object of master `maitre` for `armee` at cell (x, y), initialised, its object
// taking `categorie` unless it is -1. The object's index, or 0 when the master is unknown or the
// object or group table is full (the summoning is then skipped).
int Creature__Creation(int maitre, int armee, int x, int y, int direction, int categorie = -1);
