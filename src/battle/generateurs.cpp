#include "battle/generateurs.h"

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

void Objet__DegatsContinusAnnule(int i) {
    if (i < 1 || i >= NOMBRE_OBJETS) return;
    Objet& o = TableObjets[i];
    if (o.degatsContinus != 254) o.degatsContinus = 0;
}

void Objet__DegatsContinusFixe(int v, Objet* o) {
    if (o == nullptr || o->degatsContinus == 254) return;
    o->degatsContinus = static_cast<uint8_t>(v + v * NiveauPoisonArmes * 10 / 100);
}
