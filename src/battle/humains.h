// The behaviour of men (family HUMAIN) frame by frame, and the drawing of one unit sprite with its
// team colour, marks, tints and floating numbers (shared by machines and creatures); the small
// routines of facing, digits and animation counts that the battle code shares.
#pragma once

#include <cstdint>

struct Objet;

// 1 normally; 0 while a display that must get no selection marks calls Unites___affichage.
extern int32_t AffichageMarques;

// The frame of ObjetCourant, a human.
void HumainGestion();
// Draws ObjetCourant, a human, at its place on the screen. Writes the rest counters, the facing
// (looking around) and clears the hit mark: the view is part of the battle.
void Humain__Affiche();
// Draws graphic object g at screen (x, y) with that frame for ObjetCourant, with its size offset,
// team colour, marks, tints, numbers and icon.
void Unites___affichage(int g, int x, int y, int image);
// Graphic object g drawn over ObjetCourant's sprite (a rider on its mount): the same size offset,
// team colour and tints, but no marks, numbers or icon, and nothing of the object changed.
void Unite__AfficheSurcouche(int g, int x, int y, int image);
// Turns ObjetCourant towards its next cell, or its target when it fights one.
void Objet__OrientationCible();
// Recolours graphic object g with ObjetCourant's team colour (not the masters with an aura).
void Unite__CouleurCamp(int g);
// The coloured aura of masters 7, 14, 22 and 29 under the unit.
void Unite__AfficheTeinte(int x, int y, int image);
// The decimal digits of n >= 0 with graphic object 9: the last digit at x, each earlier one 4
// pixels further left.
void Chiffres__Affiche(int x, int y, int n);
// The same digits, translucent at the level n - 12 held to 0..31.
void Unite__NumeroGroupe(int x, int y, int n);
// Frame and direction counts of animation a of ObjetCourant; 0 for an animation it does not have.
int Animation__NombreImages(int a);
int Animation__NombreDirections(int a);
// One step of o (Objet__Deplacement), or the events of its frame (PlayerEvenement), with o the
// current object again afterwards.
void Objet__PasPuisCourant(Objet* o);
void Objet__EvenementsPuisCourant(Objet* o);
// A walking frame of o (ObjetCourant): its animation advanced over `images` frames; at the end of
// the cycle it rests (animation 5, one more rest) when asked to stop there, else walks on
// (animation 0); then its step and its frame's events.
void Objet__MarcheCycle(Objet* o, int images);
