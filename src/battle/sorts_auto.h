// The spells of units: the automatic casts, the tables the player's casting shares and the army
// relation they read.
#pragma once

struct Objet;

// 1 when the player may aim spell `code` of object `objet` at object `cible`.
int Sort__CibleAutorisee(int objet, int cible, int code);
// 1 when army a is hostile to army b (TableAttaque), else 0.
int Joueur__Relation(int a, int b);

// 1 for a code that is ever cast automatically or by the player, else 0.
int Sort__EstActif(int code);
// 1 when the unit may cast the spell of that slot now.
int Sort__Lancable(Objet* objet, int slot);
