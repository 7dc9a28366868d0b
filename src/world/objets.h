// The object record and the current object cursor (what the sprites need of it so far).
#pragma once

#include <cstdint>

struct Objet {
    char couleur[4] = {' ', 0, 0, 0};   // player colour R, V, B; a first byte ' ' means no tint
};

extern Objet* ObjetCourant;
