// One frame payload of the movie codec, decoded against a previous frame of 512 x 2 pixels.
#include <vector>

#include "cible.h"
#include "media/rvfpi.h"

void Cible_Preparer() {
    static const uint8_t entete[64] = {'R', 'V', 'F', '6', 0, 0, 0, 15};
    RVFPI_Init(15, 2, 512, entete);
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    // The payload alone in its own allocation, so that a read past it is caught.
    std::vector<uint8_t> seul(donnees, donnees + taille);
    std::vector<uint16_t> avant(1024, 7), sortie(1024);
    RVFPI_DecoderBorne(seul.data(), seul.size(), avant.data(), sortie.data(), 1024);
}
