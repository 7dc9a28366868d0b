// The sound list "..\Son\SoundList.ini" with the sound cache. The sound system is opened once; each
// input's sounds are taken out of the cache after it.
#include "cible.h"
#include "foundation/son.h"
#include "platform/plateforme.h"

namespace {
intptr_t ProcedureVide(HandleFenetre, uint32_t, ParamMot, ParamLong) { return 0; }
}

void Cible_Preparer() {
    Fenetre_EnregistrerClasse("MORVANE", ProcedureVide);
    HandleFenetre fenetre = Fenetre_Creer("MORVANE", "Morvane", 0, 0, 640, 480);
    Ressource__Initialisation();
    Son__Initialisation(fenetre);
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("Son/SoundList.ini", donnees, taille);
    struct Fin {
        ~Fin() { Ressource__Fin(); }
    } fin;
    Son__LectureListe("..\\Son\\SoundList.ini");
}
