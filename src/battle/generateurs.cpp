#include "battle/generateurs.h"

#include <cstddef>

#include "campaign/variables.h"
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

void Objet__DegatsContinusAnnule(int objet) {
    if (objet < 1 || objet >= NOMBRE_OBJETS) return;
    Objet& o = TableObjets[static_cast<size_t>(objet)];
    if (o.degatsContinus != 254) o.degatsContinus = 0;
}

void Objet__DegatsContinusFixe(int v, int objet) {
    if (objet < 1 || objet >= NOMBRE_OBJETS) return;
    Objet& o = TableObjets[static_cast<size_t>(objet)];
    if (o.degatsContinus != 254) o.degatsContinus = static_cast<uint8_t>(v + v * NiveauPoisonArmes * 10 / 100);
}
