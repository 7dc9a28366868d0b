// Picture tests: a temporary game tree and a TGA writer for fixtures.
#pragma once

#include <gtest/gtest.h>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "arbre_temporaire.h"

struct EnteteTga {
    uint8_t longueurId = 0;
    uint8_t typePalette = 0;
    uint8_t type = 2;
    uint16_t premiereCouleur = 0;
    uint16_t nombreCouleurs = 0;
    uint8_t tailleCouleur = 0;
    uint16_t largeur = 0;
    uint16_t hauteur = 0;
    uint8_t profondeur = 24;
};

// Header, an ID field of longueurId bytes, then the given bytes as they are.
inline std::vector<uint8_t> FichierTga(const EnteteTga& e, const std::vector<uint8_t>& donnees) {
    std::vector<uint8_t> f = {e.longueurId,
                              e.typePalette,
                              e.type,
                              static_cast<uint8_t>(e.premiereCouleur),
                              static_cast<uint8_t>(e.premiereCouleur >> 8),
                              static_cast<uint8_t>(e.nombreCouleurs),
                              static_cast<uint8_t>(e.nombreCouleurs >> 8),
                              e.tailleCouleur,
                              0, 0, 0, 0,
                              static_cast<uint8_t>(e.largeur),
                              static_cast<uint8_t>(e.largeur >> 8),
                              static_cast<uint8_t>(e.hauteur),
                              static_cast<uint8_t>(e.hauteur >> 8),
                              e.profondeur,
                              0};
    f.insert(f.end(), e.longueurId, uint8_t{'#'});
    f.insert(f.end(), donnees.begin(), donnees.end());
    return f;
}

// 24-bit pixels, rows in file order (bottom row first), from a colour function of the picture's (x, y).
template <class F>
std::vector<uint8_t> RangeesTga24(int largeur, int hauteur, F couleur) {
    std::vector<uint8_t> d;
    for (int y = hauteur - 1; y >= 0; --y)
        for (int x = 0; x < largeur; ++x) {
            uint32_t rgb = couleur(x, y);
            d.push_back(static_cast<uint8_t>(rgb));
            d.push_back(static_cast<uint8_t>(rgb >> 8));
            d.push_back(static_cast<uint8_t>(rgb >> 16));
        }
    return d;
}

// A temporary game tree for the picture tests.
class ArbreImages : public ::testing::Test {
protected:
    ArbreTemporaire arbre;
    // Writes a file under the tree ("images/x.tga").
    void Ecrire(const std::string& relatif, const std::vector<uint8_t>& octets) {
        arbre.Ecrire(relatif, std::string(octets.begin(), octets.end()));
    }
};
