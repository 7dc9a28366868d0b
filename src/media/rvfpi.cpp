#include "media/rvfpi.h"

#include <algorithm>
#include <cstring>

#include "platform/bibliotheques.h"

namespace {

struct Etat {
    int32_t largeur = 0, hauteur = 0;
    int32_t bitsFilm = 0, bitsRvb = 0;
};
Etat etat;

uint16_t Lu16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Lu32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
void Ecrit16(std::vector<uint8_t>& v, uint16_t x) {
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}

int OctetsParPixel(int32_t bits) { return bits == 24 ? 3 : 2; }

// One movie pixel to the display's format at `d`.
void Poser(uint8_t* d, uint16_t px) {
    uint32_t r, v, b;   // 8 bits each
    if (etat.bitsFilm == 16) {
        r = (px >> 11) & 31, v = (px >> 5) & 63, b = px & 31;
        r = r << 3 | r >> 2, v = v << 2 | v >> 4, b = b << 3 | b >> 2;
    } else {
        r = (px >> 10) & 31, v = (px >> 5) & 31, b = px & 31;
        r = r << 3 | r >> 2, v = v << 3 | v >> 2, b = b << 3 | b >> 2;
    }
    uint16_t sortie;
    switch (etat.bitsRvb) {
        case 24:
            d[0] = static_cast<uint8_t>(b), d[1] = static_cast<uint8_t>(v), d[2] = static_cast<uint8_t>(r);
            return;
        case 16:
            sortie = etat.bitsFilm == 16 ? px : static_cast<uint16_t>((r >> 3) << 11 | (v >> 2) << 5 | b >> 3);
            break;
        default:
            sortie = etat.bitsFilm == 15 ? px : static_cast<uint16_t>((r >> 3) << 10 | (v >> 3) << 5 | b >> 3);
            break;
    }
    std::memcpy(d, &sortie, 2);
}

const ExportBibliotheque exportsCodec[] = {
    {"RVFPI_Init", reinterpret_cast<RoutineBibliotheque>(&RVFPI_Init)},
    {"RVFPI_DecodeFrame", reinterpret_cast<RoutineBibliotheque>(&RVFPI_DecodeFrame)},
    {"RVFPI_Cleanup", reinterpret_cast<RoutineBibliotheque>(&RVFPI_Cleanup)},
};

}  // namespace

void RVFPI_Enregistrer() {
    for (const char* nom : {"TM6_512x16.DLL", "TM6_640x16.DLL", "TM6_800x16.DLL", "TM6_1024x16.DLL"})
        Bibliotheque_Enregistrer(nom, exportsCodec, 3);
}

extern "C" int32_t RVFPI_Init(int32_t bitsRvb, int32_t hauteur, int32_t largeur, const uint8_t* entete) {
    etat = Etat{};
    if (entete == nullptr || largeur <= 0 || hauteur <= 0 || largeur > 4096 || hauteur > 4096) return 0;
    if (bitsRvb != 15 && bitsRvb != 16 && bitsRvb != 24) return 0;
    if (entete[7] != 15 && entete[7] != 16) return 0;
    etat = Etat{largeur, hauteur, entete[7], bitsRvb};
    return 1;
}

extern "C" void RVFPI_Cleanup() { etat = Etat{}; }

extern "C" int32_t RVFPI_DecodeFrame(const uint8_t* donnees, const void* precedent, void* courant) {
    // Without the block's length, the payload's own body length bounds the reading.
    size_t longueur = 0;
    if (donnees != nullptr && std::memcmp(donnees, "FRM1", 4) == 0) longueur = 12 + Lu32(donnees + 8);
    return RVFPI_DecoderBorne(donnees, longueur, precedent, courant,
                              static_cast<size_t>(etat.largeur) * OctetsParPixel(etat.bitsRvb));
}

int32_t RVFPI_DecoderBorne(const uint8_t* donnees, size_t longueur, const void* precedent, void* courant,
                           size_t pas) {
    if (etat.largeur <= 0 || courant == nullptr) return 0;
    const size_t l = static_cast<size_t>(etat.largeur), total = l * static_cast<size_t>(etat.hauteur);
    const int opp = OctetsParPixel(etat.bitsRvb);
    auto* dest = static_cast<uint8_t*>(courant);
    const auto* avant = static_cast<const uint8_t*>(precedent);
    auto adresse = [&](uint8_t* base, size_t i) { return base + (i / l) * pas + (i % l) * opp; };
    auto copier = [&](size_t i) {
        uint8_t* d = adresse(dest, i);
        if (avant != nullptr) std::memcpy(d, avant + (d - dest), opp);
    };
    size_t fait = 0;
    if (donnees != nullptr && longueur >= 12 && std::memcmp(donnees, "FRM1", 4) == 0) {
        const uint8_t genre = donnees[4];
        const size_t corps = std::min<size_t>(Lu32(donnees + 8), longueur - 12);
        const uint8_t* p = donnees + 12;
        const uint8_t* fin = p + corps;
        if (genre == 0) {
            const size_t n = std::min(total, corps / 2);
            for (; fait < n; ++fait) Poser(adresse(dest, fait), Lu16(p + fait * 2));
        } else if (genre == 1) {
            while (fait < total && fin - p >= 2) {
                const uint16_t op = Lu16(p);
                p += 2;
                const size_t n = op & 0x3FFF;
                if (n == 0 || n > total - fait) break;
                const uint16_t sorte = op & 0xC000;
                if (sorte == 0x0000) {
                    for (size_t i = 0; i < n; ++i) copier(fait++);
                } else if (sorte == 0x4000) {
                    if (static_cast<size_t>(fin - p) < n * 2) break;
                    for (size_t i = 0; i < n; ++i, p += 2) Poser(adresse(dest, fait++), Lu16(p));
                } else if (sorte == 0x8000) {
                    if (fin - p < 2) break;
                    const uint16_t px = Lu16(p);
                    p += 2;
                    for (size_t i = 0; i < n; ++i) Poser(adresse(dest, fait++), px);
                } else {
                    break;
                }
            }
        }
    }
    // What the payload did not give stays as in the previous frame.
    while (fait < total) copier(fait++);
    return 1;
}

std::vector<uint8_t> RVFPI_EncoderBrut(const uint16_t* image, size_t pixels) {
    std::vector<uint8_t> v = {'F', 'R', 'M', '1', 0, 0, 0, 0};
    const uint32_t corps = static_cast<uint32_t>(pixels * 2);
    for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(corps >> (8 * i)));
    for (size_t i = 0; i < pixels; ++i) Ecrit16(v, image[i]);
    return v;
}

std::vector<uint8_t> RVFPI_Encoder(const uint16_t* image, const uint16_t* precedent, size_t pixels) {
    std::vector<uint8_t> corps;
    size_t i = 0;
    std::vector<uint16_t> litteraux;
    auto viderLitteraux = [&] {
        for (size_t k = 0; k < litteraux.size();) {
            const size_t n = std::min<size_t>(litteraux.size() - k, 0x3FFF);
            Ecrit16(corps, static_cast<uint16_t>(0x4000 | n));
            for (size_t j = 0; j < n; ++j) Ecrit16(corps, litteraux[k + j]);
            k += n;
        }
        litteraux.clear();
    };
    while (i < pixels) {
        size_t n = 0;
        if (precedent != nullptr) {
            while (i + n < pixels && n < 0x3FFF && image[i + n] == precedent[i + n]) ++n;
            if (n >= 2) {
                viderLitteraux();
                Ecrit16(corps, static_cast<uint16_t>(n));
                i += n;
                continue;
            }
        }
        n = 0;
        while (i + n < pixels && n < 0x3FFF && image[i + n] == image[i]) ++n;
        if (n >= 3) {
            viderLitteraux();
            Ecrit16(corps, static_cast<uint16_t>(0x8000 | n));
            Ecrit16(corps, image[i]);
            i += n;
            continue;
        }
        litteraux.push_back(image[i++]);
    }
    viderLitteraux();
    if (corps.size() >= pixels * 2) return RVFPI_EncoderBrut(image, pixels);
    std::vector<uint8_t> v = {'F', 'R', 'M', '1', 1, 0, 0, 0};
    const uint32_t t = static_cast<uint32_t>(corps.size());
    for (int k = 0; k < 4; ++k) v.push_back(static_cast<uint8_t>(t >> (8 * k)));
    v.insert(v.end(), corps.begin(), corps.end());
    return v;
}
