// The behaviour of men (family HUMAIN) frame by frame. For now only the death animation runs to
// its end; moving and fighting come with the animation player.
#pragma once

// The frame of ObjetCourant.
void HumainGestion();
// Draws ObjetCourant (a man) at its cell from the view origin.
void Humain__Affiche();
