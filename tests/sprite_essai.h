// Small sprites for the tests, in the blitter's format.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/blitter.h"

namespace essai {

constexpr uint16_t Rvb(int r, int g, int b) { return static_cast<uint16_t>((r << 10) | (g << 5) | b); }

// Palette: entries 0..31 a grey ramp (the player colour range), 32 pure red, 33 pure blue.
inline std::vector<uint16_t> Palette() {
    std::vector<uint16_t> p;
    for (int i = 0; i < 32; ++i) p.push_back(Rvb(i, i, i));
    p.push_back(Rvb(31, 0, 0));
    p.push_back(Rvb(0, 0, 31));
    return p;
}

// Frame 0: 3 x 2 with the hot spot at (1, 1); row 0: index 31, transparent, 32; row 1: 20, 33, 10.
// Frame 1: 1 x 1 of index 33.
inline std::vector<ImageBlitter> Images() {
    ImageBlitter a;
    a.largeur = 3;
    a.hauteur = 2;
    a.pointChaudX = 1;
    a.pointChaudY = 1;
    a.pixels = {31, -1, 32, 20, 33, 10};
    ImageBlitter b;
    b.largeur = 1;
    b.hauteur = 1;
    b.pixels = {33};
    return {a, b};
}

// The whole file (magic included) of the indexed test sprite.
inline std::string FichierIndexe() {
    auto p = Palette();
    auto o = Blitter_EncoderFichier(Images(), &p);
    return std::string(o.begin(), o.end());
}

// A direct-colour sprite of one w x h frame of one colour, hot spot (0, 0).
inline std::string FichierDirect(int w, int h, uint16_t couleur) {
    ImageBlitter a;
    a.largeur = w;
    a.hauteur = h;
    a.pixels.assign(static_cast<size_t>(w) * h, couleur);
    auto o = Blitter_EncoderFichier({a}, nullptr);
    return std::string(o.begin(), o.end());
}

// The sprite as held in memory: the file without its magic.
inline std::vector<uint8_t> EnMemoire(const std::string& fichier) {
    return std::vector<uint8_t>(fichier.begin() + 8, fichier.end());
}

}  // namespace essai
