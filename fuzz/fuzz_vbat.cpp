// A battle's conditions file "..\niveau\essai.VBat".
#include "cible.h"
#include "shell/routeur.h"
#include "shell/scenario.h"

void Cible_Preparer() {}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("niveau/essai.VBat", donnees, taille);
    struct Fin {
        ~Fin() { Conditions_Liberation(); }
    } fin;
    ModeSceneCourant = 2;
    Conditions_Initialisation();
    ConditionsChargement("..\\niveau\\essai.mv");
}
