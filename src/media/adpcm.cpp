#include "media/adpcm.h"

#include <atomic>
#include <cstring>

namespace {

std::atomic<bool> initialise{false};

constexpr int32_t TablePas[89] = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,    28,
    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,   118,
    130,   143,   157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,   494,
    544,   598,   658,   724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,
    2272,  2499,  2749,  3024,  3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,
    9493,  10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};
constexpr int32_t TableIndice[8] = {-1, -1, -1, -1, 2, 4, 6, 8};

const char* const Textes[17] = {
    "The request completed successfully.",
    "Wrong Adpcm library version.",
    "You must call Adpcm_Init() first.",
    "PcmSize parameter must be even (Pcm samples are 16 bits).",
    "PcmSize parameter must not be 0.",
    "PcmSize parameter must not be NULL.",
    "AdpcmBuf parameter must not be NULL.",
    "Frequency parameter must not be NULL.",
    "AdpcmSize parameter must not be 0.",
    "AdpcmSize parameter must not be NULL.",
    "AdpcmBuf parameter must not be NULL.",
    "fStereo parameter must not be NULL.",
    "StreamDatas parameter must not be NULL.",
    "File is not a valid APC file.",
    "Invalid APC file version.",
    "Unknown ErrorCode parameter",
    "szOutStr parameter must not be NULL.",
};

int32_t Ecart(int32_t code, int32_t pas) {
    int32_t diff = pas >> 3;
    if (code & 4) diff += pas;
    if (code & 2) diff += pas >> 1;
    if (code & 1) diff += pas >> 2;
    return (code & 8) ? -diff : diff;
}

// One code for channel c; the low 16 bits of the unclamped predictor are the sample.
int16_t Decoder(APCDecoder* d, int c, int32_t code) {
    d->predictor[c] = static_cast<int32_t>(static_cast<uint32_t>(d->predictor[c]) +
                                           static_cast<uint32_t>(Ecart(code, d->step[c])));
    int32_t i = d->index[c] + TableIndice[code & 7];
    d->index[c] = i < 0 ? 0 : (i > 88 ? 88 : i);
    d->step[c] = TablePas[d->index[c]];
    return static_cast<int16_t>(static_cast<uint16_t>(d->predictor[c] & 0xFFFF));
}

uint32_t Lu32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

}  // namespace

int32_t Adpcm_Init(uint32_t version) {
    if (version != ADPCM_VERSION) return 1;
    initialise.store(true);
    return 0;
}

void Adpcm_RAZ() { initialise.store(false); }

const char* Adpcm_Texte(int32_t code) { return (code >= 0 && code <= 16) ? Textes[code] : Textes[15]; }

int32_t APC_ReadHeader(const uint8_t* entete, APCDecoder* d) {
    if (!initialise.load()) return 2;
    if (entete == nullptr) return 10;
    if (d == nullptr) return 12;
    if (std::memcmp(entete, "TESK_APC", 8) != 0) return 13;
    if (std::memcmp(entete + 8, "1.20", 4) != 0) return 14;
    *d = APCDecoder{};
    d->stereo = Lu32(entete + 28) & 1;
    d->data = entete + APC_TAILLE_ENTETE;
    d->total = Lu32(entete + 12);
    d->rate = Lu32(entete + 16);
    d->remaining = static_cast<int32_t>(d->total);
    d->predictor[0] = static_cast<int32_t>(Lu32(entete + 20));
    d->predictor[1] = static_cast<int32_t>(Lu32(entete + 24));
    return 0;
}

int32_t APC_DecodeBorne(int16_t** sortie, APCDecoder* d, uint32_t count, uint32_t* manque, const uint8_t* fin) {
    if (!initialise.load()) return 2;
    if (sortie == nullptr) return 4;
    if (d == nullptr) return 10;
    // A remaining count below 0 (a header whose count does not fit) is nothing left.
    const uint32_t reste = d->remaining > 0 ? static_cast<uint32_t>(d->remaining) : 0;
    uint32_t n = count < reste ? count : reste;
    int16_t* o = *sortie;
    uint32_t fait = 0;
    if (o != nullptr) {
        for (; fait < n; ++fait) {
            if (d->stereo) {
                if (fin != nullptr && d->data >= fin) break;
                d->held = *d->data++;
                *o++ = Decoder(d, 0, d->held >> 4);
                *o++ = Decoder(d, 1, d->held & 15);
                d->phase = 0;
            } else if (d->phase == 0) {
                if (fin != nullptr && d->data >= fin) break;
                d->held = *d->data++;
                d->phase = 1;
                *o++ = Decoder(d, 0, d->held >> 4);
            } else {
                d->phase = 0;
                *o++ = Decoder(d, 0, d->held & 15);
            }
        }
    }
    d->remaining -= static_cast<int32_t>(fait);
    if (manque != nullptr) *manque = count - fait;
    *sortie = o;
    return 0;
}

int32_t APC_Decode(int16_t** sortie, APCDecoder* d, uint32_t count, uint32_t* manque) {
    return APC_DecodeBorne(sortie, d, count, manque, nullptr);
}

std::vector<uint8_t> APC_Encoder(const int16_t* pcm, uint32_t trames, bool stereo, uint32_t frequence) {
    std::vector<uint8_t> v(APC_TAILLE_ENTETE, 0);
    std::memcpy(v.data(), "TESK_APC", 8);
    std::memcpy(v.data() + 8, "1.20", 4);
    auto ecrire32 = [&](size_t o, uint32_t x) {
        for (int i = 0; i < 4; ++i) v[o + i] = static_cast<uint8_t>(x >> (8 * i));
    };
    ecrire32(12, trames);
    ecrire32(16, frequence);
    ecrire32(20, static_cast<uint32_t>(trames > 0 ? static_cast<int32_t>(pcm[0]) : 0));
    ecrire32(24, static_cast<uint32_t>(trames > 0 && stereo ? static_cast<int32_t>(pcm[1]) : 0));
    ecrire32(28, stereo ? 1u : 0u);
    // The encoder runs the decoder's own arithmetic, so both sides stay in step.
    APCDecoder d;
    d.predictor[0] = static_cast<int32_t>(Lu32(v.data() + 20));
    d.predictor[1] = static_cast<int32_t>(Lu32(v.data() + 24));
    auto choisir = [&](int c, int32_t cible) {
        int32_t meilleur = 0, erreur = -1;
        for (int32_t code = 0; code < 16; ++code) {
            const int32_t p = d.predictor[c] + Ecart(code, d.step[c]);
            if (p < -32768 || p > 32767) continue;   // the decoder does not saturate
            const int32_t e = p > cible ? p - cible : cible - p;
            if (erreur < 0 || e < erreur) meilleur = code, erreur = e;
        }
        Decoder(&d, c, meilleur);
        return meilleur;
    };
    uint8_t octet = 0;
    for (uint32_t t = 0; t < trames; ++t) {
        if (stereo) {
            const int32_t g = choisir(0, pcm[2 * t]);
            const int32_t dr = choisir(1, pcm[2 * t + 1]);
            v.push_back(static_cast<uint8_t>(g << 4 | dr));
        } else if ((t & 1) == 0) {
            octet = static_cast<uint8_t>(choisir(0, pcm[t]) << 4);
            if (t + 1 == trames) v.push_back(octet);
        } else {
            v.push_back(static_cast<uint8_t>(octet | choisir(0, pcm[t])));
        }
    }
    return v;
}
