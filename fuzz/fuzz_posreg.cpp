// A save slot's "posreg.txt", for every count of regiments a header may give.
#include <string>

#include "cible.h"
#include "campaign/sauvegarde_region.h"

void Cible_Preparer() {}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    if (taille == 0) return;
    // The first byte chooses the count, out of range ones included.
    const int nombre = static_cast<int>(donnees[0] % 16) - 1;
    std::array<std::array<int32_t, CHAMPS_POSREG>, 12> lignes{};
    Posreg__Lire(std::string(reinterpret_cast<const char*>(donnees) + 1, taille - 1), nombre, &lignes);
}
