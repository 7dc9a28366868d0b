// The behaviour of men (family HUMAIN) frame by frame. For now only the death animation runs to
// its end; moving and fighting come with the animation player.
#pragma once

// The frame of ObjetCourant.
void HumainGestion();

// The decimal digits of n >= 0 with graphic object 9: the last digit at x, each earlier one 4
// pixels further left.
void Chiffres__Affiche(int x, int y, int n);
