#include "world/objets.h"

Objet* ObjetCourant = nullptr;
