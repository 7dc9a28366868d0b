// Spells and abilities of the units: the table of codes with their cost, cool-down and action,
// the rules a target must meet, and the automatic casting of a unit that pursues its targets.
// The player's casting and the spell panel use the same rules.
#pragma once

#include <cstdint>

struct Objet;

// Cost in mana, cool-down in game ticks (CompteurTours) and the action code given at the cast of
// a spell code; zeros for a code that is never cast.
struct DonneesSort {
    int32_t cout;
    int32_t recharge;
    int32_t action;
};
DonneesSort Sort__Donnees(int code);

// 1 for a code that is ever cast automatically or by the player, else 0.
int Sort__EstActif(int code);
// TableAttaque[a][b]: 1 when army a is hostile to army b; 0 for an army off the table.
int Joueur__Relation(int a, int b);
// 1 when the unit may cast the spell of that slot now (mana, cool-down, state).
int Sort__Lancable(Objet* objet, int slot);
// Starts the cast (the animation and its events carry it out); cible may be null. 1 when started.
int Sort__Lancement(Objet* objet, Objet* cible, int slot);
// 1 when cible (which may be null) suits the spell code, within 15 cells.
int Sort__CibleValide(Objet* objet, Objet* cible, int code);
// The same for the code of a slot; 0 when either object is null.
int Sort__CibleValideSlot(Objet* objet, Objet* cible, int slot);
// 1 when the distance and state conditions of the slot's spell hold (cible may be null).
int Sort__Portee(Objet* objet, Objet* cible, int slot);
// 1 when the slot's spell was cast on a target found round the unit (area and self spells).
int Sort__Zone(Objet* objet, int slot);
// 1 when the unit is busy with a spell (its caller does nothing else this frame), else 0.
int Unite__SortsAutomatiques(int objet);
// 1 when the player may aim the spell at cible.
int Sort__CibleAutorisee(Objet* objet, Objet* cible, int code);
// The same by object numbers (cible -1 for none); 0 for a number outside the table.
int Sort__CibleAutorisee(int objet, int cible, int code);
