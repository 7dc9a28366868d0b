// An APC sound stream: its 32-byte header, then the ADPCM data decoded in blocks.
#include <vector>

#include "cible.h"
#include "media/adpcm.h"

void Cible_Preparer() { Adpcm_Init(ADPCM_VERSION); }

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    std::vector<uint8_t> seul(donnees, donnees + taille);
    APCDecoder apc;
    if (seul.size() < 32 || APC_ReadHeader(seul.data(), &apc) != 0) return;
    apc.data = seul.data() + 32;
    std::vector<int16_t> pcm(4096);
    for (int bloc = 0; bloc < 64; ++bloc) {
        int16_t* o = pcm.data();
        uint32_t manque = 0;
        if (APC_DecodeBorne(&o, &apc, static_cast<uint32_t>(pcm.size() / 2), &manque, seul.data() + seul.size()) != 0)
            break;
        if (manque != 0) break;
    }
}
