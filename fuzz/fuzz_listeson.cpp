// The sound list "..\Son\SoundList.ini" with the sound cache.
#include "cible.h"
#include "foundation/son.h"
#include "platform/plateforme.h"

namespace {
intptr_t ProcedureVide(HandleFenetre, uint32_t, ParamMot, ParamLong) { return 0; }
HandleFenetre fenetre = nullptr;
}

void Cible_Preparer() {
    Fenetre_EnregistrerClasse("MORVANE", ProcedureVide);
    fenetre = Fenetre_Creer("MORVANE", "Morvane", 0, 0, 640, 480);
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("Son/SoundList.ini", donnees, taille);
    struct Fin {
        ~Fin() {
            Ressource__Fin();
            Son__Fin();
        }
    } fin;
    Ressource__Initialisation();
    Son__Initialisation(fenetre);
    Son__LectureListe("..\\Son\\SoundList.ini");
}
