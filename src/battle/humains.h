// The behaviour of men (family HUMAIN) frame by frame. For now only the death animation runs to
// its end; moving and fighting come with the animation player.
#pragma once

// The frame of ObjetCourant.
void HumainGestion();
// Turns ObjetCourant towards its next cell, or towards its target while it fights.
void Objet__OrientationCible();
// Frame and direction counts of animation a of ObjetCourant (0 for none).
int Animation__NombreImages(int a);
int Animation__NombreDirections(int a);
// Draws ObjetCourant (a man) at its cell from the view origin.
void Humain__Affiche();

// The decimal digits of n >= 0 with graphic object 9: the last digit at x, each earlier one 4
// pixels further left.
void Chiffres__Affiche(int x, int y, int n);
