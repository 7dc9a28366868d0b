// Hits, heals and death: the damage rules of melee blows, impact effects and direct hits, and the
// restart of an animation.
#pragma once

struct Objet;

// A melee blow of `attaquant` on `cible`.
void EvenementCoupDegats(Objet* cible, Objet* attaquant);
// The hit of an impact effect owned by `proprietaire` on `cible`; no experience.
void EffetImpactDegats(Objet* cible, Objet* proprietaire);
// Restarts the object's animation on its first frame; -1.
int Objet__RazAnimation(Objet* o);
