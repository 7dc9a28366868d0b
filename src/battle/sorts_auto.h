// The spells of units: the automatic casts, the tables the player's casting shares and the army
// relation they read.
#pragma once

#include <cstdint>

struct Objet;

// 1 when the player may aim spell `code` of object `objet` at object `cible`.
int Sort__CibleAutorisee(int objet, int cible, int code);
// 1 when army a is hostile to army b (TableAttaque), else 0.
int Joueur__Relation(int a, int b);
// Starts the cast (the animation and its events carry it out); cible may be null. 1 when started.
int Sort__Lancement(Objet* objet, Objet* cible, int slot);
// 1 when cible (which may be null) suits the spell code, within 15 cells.
int Sort__CibleValide(Objet* objet, Objet* cible, int code);
