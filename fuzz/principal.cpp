// libFuzzer's entry for one target.
#include "cible.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    static const bool prepare = (cible::Environnement(Cible_Preparer), true);
    (void)prepare;
    cible::Executer(Cible_Lire, donnees, taille);
    return 0;
}
