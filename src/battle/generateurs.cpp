#include "battle/generateurs.h"

#include "world/objets.h"

void Generateur__Naissance() {
    if (ObjetCourant == nullptr) return;
    ObjetCourant->generateurMaitre() = 0;
    ObjetCourant->generateurReste() = 10;
    ObjetCourant->generateurTaille() = 0;
    ObjetCourant->generateurPeriode() = 50;
    ObjetCourant->generateurDelai() = 50;
}

void Generateur__Gestion() {}

int Objet__DegatsContinus() { return 0; }
