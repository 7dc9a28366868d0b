// Small RVF6 movies for the player's tests: one block set per image, frames in the player's
// frame format ("FRM1"), each frame a plain colour or a change of one band of rows, optional
// sound blocks (read and dropped), an unknown block or a cut-off end on request.
#pragma once

#include <algorithm>
#include <cstdint>
#include <climits>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace film_essai {

struct Options {
    int largeur = 640;
    int hauteur = 48;
    int images = 10;
    int bits = 15;
    bool sons = false;          // an "AA" block before each image
    size_t octetsSons = 35;     // its size
    bool bandes = false;        // frame k copies the previous one and paints rows k*4..k*4+3
    int blocInconnu = -1;       // before this image, a "ZZ" block
    size_t couper = 0;          // keep only this many bytes (0: all)
    const char* magie = "RVF6";
    int canauxSon = 0;          // 1 or 2: APC sound at 22050 Hz, 32 images of it ahead
    int premierSon = 0;         // the image the sound's first block comes with
    bool sansImages = false;    // the block sets hold only their sound
};

inline void Mot32(std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}
inline void Mot16(std::string& s, uint16_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}

// APC: a "TESK_APC" "1.20" header and IMA ADPCM codes chosen so that the decoder's unclamped
// sum stays within 16 bits.
struct Apc {
    int32_t pred[2] = {0, 0}, indice[2] = {0, 0};
    static int32_t Pas(int i) {
        static const int32_t t[89] = {
            7, 8, 9, 10, 11, 12, 13, 14, 16, 17, 19, 21, 23, 25, 28, 31, 34, 37, 41, 45, 50, 55, 60, 66, 73, 80, 88,
            97, 107, 118, 130, 143, 157, 173, 190, 209, 230, 253, 279, 307, 337, 371, 408, 449, 494, 544, 598, 658,
            724, 796, 876, 963, 1060, 1166, 1282, 1411, 1552, 1707, 1878, 2066, 2272, 2499, 2749, 3024, 3327, 3660,
            4026, 4428, 4871, 5358, 5894, 6484, 7132, 7845, 8630, 9493, 10442, 11487, 12635, 13899, 15289, 16818,
            18500, 20350, 22385, 24623, 27086, 29794, 32767};
        return t[i];
    }
    static int32_t Diff(int32_t s, int c) {
        int32_t d = s >> 3;
        if (c & 4) d += s;
        if (c & 2) d += s >> 1;
        if (c & 1) d += s >> 2;
        return (c & 8) ? -d : d;
    }
    uint8_t Coder(int canal, int32_t cible) {
        static const int32_t indices[8] = {-1, -1, -1, -1, 2, 4, 6, 8};
        const int32_t s = Pas(indice[canal]);
        int meilleur = 0;
        int64_t ecart = INT64_MAX;
        for (int c = 0; c < 16; ++c) {
            int64_t p = static_cast<int64_t>(pred[canal]) + Diff(s, c);
            if (p < -32768 || p > 32767) continue;
            int64_t e = p > cible ? p - cible : cible - p;
            if (e < ecart) {
                ecart = e;
                meilleur = c;
            }
        }
        pred[canal] += Diff(s, meilleur);
        indice[canal] = std::clamp(indice[canal] + indices[meilleur & 7], 0, 88);
        return static_cast<uint8_t>(meilleur);
    }
};

// The sample of a 440 Hz tone at frame i on channel c.
inline int16_t Ton(size_t i, int c) {
    return static_cast<int16_t>(8000.0 * std::sin(2.0 * 3.14159265358979 * (440.0 + 110.0 * c) * static_cast<double>(i) / 22050.0));
}

// The APC stream of `trames` frames of the tone: header, then the data.
inline std::string ApcTon(int canaux, size_t trames) {
    std::string s = "TESK_APC1.20";
    Mot32(s, static_cast<uint32_t>(trames));
    Mot32(s, 22050);
    Mot32(s, 0);
    Mot32(s, 0);
    Mot32(s, canaux == 2 ? 1u : 0u);
    Apc a;
    if (canaux == 2) {
        for (size_t i = 0; i < trames; ++i)
            s += static_cast<char>(a.Coder(0, Ton(i, 0)) << 4 | a.Coder(1, Ton(i, 1)));
    } else {
        for (size_t i = 0; i < trames; i += 2) {
            uint8_t haut = a.Coder(0, Ton(i, 0));
            uint8_t bas = i + 1 < trames ? a.Coder(0, Ton(i + 1, 0)) : 0;
            s += static_cast<char>(haut << 4 | bas);
        }
    }
    return s;
}

// The colour of frame k (5-5-5, never 0).
inline uint16_t Couleur(int k) { return static_cast<uint16_t>(0x0421 * ((k % 30) + 1)); }

inline std::string Image(const Options& o, int k) {
    std::string corps;
    const uint32_t total = static_cast<uint32_t>(o.largeur) * static_cast<uint32_t>(o.hauteur);
    auto repeter = [&](uint32_t n, uint16_t v) {
        while (n > 0) {
            uint32_t m = n > 0x3FFF ? 0x3FFF : n;
            Mot16(corps, static_cast<uint16_t>(0x8000 | m));
            Mot16(corps, v);
            n -= m;
        }
    };
    auto copier = [&](uint32_t n) {
        while (n > 0) {
            uint32_t m = n > 0x3FFF ? 0x3FFF : n;
            Mot16(corps, static_cast<uint16_t>(m));
            n -= m;
        }
    };
    if (!o.bandes || k == 0) {
        repeter(total, Couleur(k));
    } else {
        const uint32_t debut = static_cast<uint32_t>((k * 4) % o.hauteur) * o.largeur, n = 4u * o.largeur;
        copier(debut);
        repeter(n, Couleur(k));
        if (debut + n < total) copier(total - debut - n);
    }
    std::string p = "FRM1";
    p += static_cast<char>(1);
    p += '\0';
    Mot16(p, 0);
    Mot32(p, static_cast<uint32_t>(corps.size()));
    return p + corps;
}

inline std::string Bloc(const char* id, const std::string& charge) {
    std::string b;
    Mot32(b, static_cast<uint32_t>(8 + charge.size()));
    b += id[0];
    b += id[1];
    b += '\0';
    b += '\0';
    b += charge;
    while (b.size() % 4) b += '\0';
    return b;
}

inline std::string Film(const Options& o) {
    std::string corps;
    size_t plusGrande = 0;
    // 22050 Hz at 15 images a second: 1470 frames an image, 1470 bytes in stereo, 735 in mono.
    const size_t parImage = o.canauxSon == 2 ? 1470 : 735;
    std::string apc = o.canauxSon ? ApcTon(o.canauxSon, static_cast<size_t>(o.images) * 1470) : std::string();
    for (int k = 0; k < o.images; ++k) {
        std::string ensemble;
        if (k == o.blocInconnu) ensemble += Bloc("ZZ", std::string(12, 'z'));
        if (o.sons) ensemble += Bloc("AA", std::string(o.octetsSons, '\x11'));
        const int j = k - o.premierSon;   // the sound block's index
        if (o.canauxSon && j == 0) ensemble += Bloc("AA", apc.substr(0, 32 + 32 * parImage));
        if (o.canauxSon && j > 0 && 32 + (31 + static_cast<size_t>(j)) * parImage < apc.size())
            ensemble += Bloc("AA", apc.substr(32 + (31 + j) * parImage, parImage));
        std::string image = Image(o, k);
        plusGrande = std::max(plusGrande, image.size());
        if (!o.sansImages) ensemble += Bloc("IV", image);
        std::string s;
        Mot32(s, static_cast<uint32_t>(4 + ensemble.size()));
        corps += s + ensemble;
    }
    std::string e(o.magie, 4);
    e += '\0';
    e += '\0';
    e += static_cast<char>(o.canauxSon == 2 ? 0xA0 : o.canauxSon == 1 ? 0x20 : 0);
    e += static_cast<char>(o.bits);
    Mot16(e, static_cast<uint16_t>(o.largeur));
    Mot16(e, static_cast<uint16_t>(o.hauteur));
    Mot32(e, static_cast<uint32_t>(64 + corps.size()));
    Mot32(e, static_cast<uint32_t>(o.images));
    e += "    ";
    Mot16(e, 0);
    Mot16(e, 0);
    Mot32(e, static_cast<uint32_t>(plusGrande));
    e += std::string(32, '\0');
    std::string f = e + corps;
    if (o.couper != 0 && o.couper < f.size()) f.resize(o.couper);
    return f;
}

}  // namespace film_essai
