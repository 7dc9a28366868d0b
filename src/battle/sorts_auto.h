// The spells of units: the automatic casts and the tables the player's casting shares.
#pragma once

// 1 when the player may aim spell `code` of object `objet` at object `cible`.
int Sort__CibleAutorisee(int objet, int cible, int code);
