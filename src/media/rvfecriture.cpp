#include "media/rvfecriture.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

#include "media/adpcm.h"
#include "media/rvfpi.h"

namespace {

void Mot32(std::vector<uint8_t>& v, uint32_t x) {
    for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}
void Mot16(std::vector<uint8_t>& v, uint16_t x) {
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}

// A block with its padding to a multiple of 4: after the length without "V B3", counted in it
// (and in the align byte) with it.
void Bloc(std::vector<uint8_t>& sortie, const char* id, const uint8_t* charge, size_t n, bool vb3) {
    const size_t bourrage = (4 - n % 4) % 4;
    Mot32(sortie, static_cast<uint32_t>(8 + n + (vb3 ? bourrage : 0)));
    sortie.push_back(static_cast<uint8_t>(id[0]));
    sortie.push_back(static_cast<uint8_t>(id[1]));
    sortie.push_back(0);
    sortie.push_back(static_cast<uint8_t>(vb3 ? bourrage : 0));
    sortie.insert(sortie.end(), charge, charge + n);
    sortie.insert(sortie.end(), bourrage, 0);
}

}  // namespace

std::vector<uint8_t> RVF_EcrireFilm(const FilmSource& s) {
    if ((s.largeur != 512 && s.largeur != 640) || s.hauteur < 1 || s.hauteur > 1024) return {};
    if ((s.bits != 15 && s.bits != 16) || s.images.empty() || s.imagesParSeconde <= 0) return {};
    const size_t pixels = static_cast<size_t>(s.largeur) * static_cast<size_t>(s.hauteur);
    for (const auto& im : s.images)
        if (im.size() != pixels) return {};
    const bool son = !s.pcm.empty();
    if (son && s.frequence != 22050 && s.frequence != 44100) return {};
    const uint32_t canaux = s.stereo ? 2 : 1;
    const uint32_t trames = static_cast<uint32_t>(s.pcm.size() / canaux);

    std::vector<uint8_t> apc;
    if (son) apc = APC_Encoder(s.pcm.data(), trames, s.stereo, s.frequence);
    // The ADPCM bytes of each image: whole bytes of sample frames (pairs in mono).
    const double tramesParImage = s.frequence / s.imagesParSeconde;
    auto octetsJusqua = [&](double image) {
        uint64_t t = static_cast<uint64_t>(std::llround(image * tramesParImage));
        t = std::min<uint64_t>(t, trames);
        const uint64_t octets = s.stereo ? t : (t + 1) / 2;
        return std::min<size_t>(APC_TAILLE_ENTETE + octets, apc.size());
    };

    std::vector<uint8_t> corps;
    uint32_t plusGrande = 0;
    size_t sonEcrit = 0;
    for (size_t k = 0; k < s.images.size(); ++k) {
        std::vector<uint8_t> ensemble;
        if (son) {
            // The first set carries the header and the sound ahead; the last one what is left.
            const bool derniere = k + 1 == s.images.size();
            const size_t jusqua = derniere ? apc.size() : octetsJusqua(static_cast<double>(k) + s.avanceSon);
            if (jusqua > sonEcrit) {
                Bloc(ensemble, "AA", apc.data() + sonEcrit, jusqua - sonEcrit, s.vb3);
                sonEcrit = jusqua;
            }
        }
        const auto charge = RVFPI_Encoder(s.images[k].data(), k == 0 ? nullptr : s.images[k - 1].data(), pixels);
        plusGrande = std::max(plusGrande, static_cast<uint32_t>(charge.size()));
        Bloc(ensemble, "IV", charge.data(), charge.size(), s.vb3);
        Mot32(corps, static_cast<uint32_t>(4 + ensemble.size()));
        corps.insert(corps.end(), ensemble.begin(), ensemble.end());
    }

    std::vector<uint8_t> e = {'R', 'V', 'F', '6', 0, 0};
    uint8_t sndflag = 0;
    if (son) sndflag = static_cast<uint8_t>((s.frequence / 11025) << 4 & 0x60) | (s.stereo ? 0x80 : 0);
    e.push_back(sndflag);
    e.push_back(static_cast<uint8_t>(s.bits));
    Mot16(e, static_cast<uint16_t>(s.largeur));
    Mot16(e, static_cast<uint16_t>(s.hauteur));
    Mot32(e, static_cast<uint32_t>(64 + corps.size()));
    Mot32(e, static_cast<uint32_t>(s.images.size()));
    for (char c : std::string(s.vb3 ? "V B3" : "    ")) e.push_back(static_cast<uint8_t>(c));
    Mot16(e, static_cast<uint16_t>(std::lround(s.imagesParSeconde)));   // speed
    Mot16(e, 0);
    Mot32(e, plusGrande);
    e.resize(64, 0);
    e.insert(e.end(), corps.begin(), corps.end());
    return e;
}

bool RVF_EcrireFichier(const std::string& chemin, const FilmSource& source) {
    const auto octets = RVF_EcrireFilm(source);
    if (octets.empty()) return false;
    std::ofstream f(chemin, std::ios::binary);
    f.write(reinterpret_cast<const char*>(octets.data()), static_cast<std::streamsize>(octets.size()));
    return static_cast<bool>(f);
}
