// A save slot's "zekinfo.txt".
#include <string>

#include "cible.h"
#include "campaign/sauvegarde_region.h"

void Cible_Preparer() {}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    std::array<int32_t, VALEURS_ZEKINFO> valeurs{};
    Zekinfo__Lire(std::string(reinterpret_cast<const char*>(donnees), taille), &valeurs);
}
