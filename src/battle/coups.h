// Hits, heals and death: the damage rules of melee blows and impact effects, the first death
// steps shared with the projectiles, and the restart of an animation.
#pragma once

struct Objet;

// The melee rule: the same army is never hurt; armour mode 0 D, 1 D / 2, 2 immune, 3 3 x D.
void EvenementCoupDegats(Objet* cible, Objet* attaquant);
// The impact-effect rule: mode 0 D / 2, 1 D / 3, 2 immune, 3 2 x D; no experience.
void EffetImpactDegats(Objet* cible, Objet* proprietaire);
// Restarts a 4-direction animation on its first frame (8-way facing halved); -1.
int Objet__RazAnimation(Objet* objet);

// The first death steps, shared with the projectiles: clock marks and frame 0; then, when
// `conversion` allows it, a killed human of size 1 becomes master 18 with 50 hit points.
void Mort__Debut(Objet& victime);
// 1 when the victim was converted.
int Mort__Conversion(Objet& victime, bool conversion);

// A group of one object of `maitre` for `armee` at (x, y); the object's index, or 0 when the master
// is not loaded, the cell is off the map or the tables are full (nothing is made then).
int Unite__CreationSeule(int maitre, int armee, int x, int y, int direction);
