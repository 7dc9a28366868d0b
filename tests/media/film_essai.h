// Small RVF6 movies for the player's tests: one block set per image, frames in the player's
// frame format ("FRM1"), each frame a plain colour or a change of one band of rows, optional
// sound blocks (read and dropped), an unknown block or a cut-off end on request.
#pragma once

#include <algorithm>
#include <cstdint>
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
    bool bandes = false;        // frame k copies the previous one and paints rows k*4..k*4+3
    int blocInconnu = -1;       // before this image, a "ZZ" block
    size_t couper = 0;          // keep only this many bytes (0: all)
    const char* magie = "RVF6";
};

// The colour of frame k (5-5-5, never 0).
inline uint16_t Couleur(int k) { return static_cast<uint16_t>(0x0421 * ((k % 30) + 1)); }

inline void Mot32(std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}
inline void Mot16(std::string& s, uint16_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}

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
    for (int k = 0; k < o.images; ++k) {
        std::string ensemble;
        if (k == o.blocInconnu) ensemble += Bloc("ZZ", std::string(12, 'z'));
        if (o.sons) ensemble += Bloc("AA", std::string(35, '\x11'));
        std::string image = Image(o, k);
        plusGrande = std::max(plusGrande, image.size());
        ensemble += Bloc("IV", image);
        std::string s;
        Mot32(s, static_cast<uint32_t>(4 + ensemble.size()));
        corps += s + ensemble;
    }
    std::string e(o.magie, 4);
    e += '\0';
    e += '\0';
    e += '\0';
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
