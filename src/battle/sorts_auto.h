// Spells and abilities of the units.
#pragma once

#include <cstdint>

struct Objet;

// Starts the cast (the animation and its events carry it out); cible may be null. 1 when started.
int Sort__Lancement(Objet* objet, Objet* cible, int slot);
// 1 when cible (which may be null) suits the spell code, within 15 cells.
int Sort__CibleValide(Objet* objet, Objet* cible, int code);
