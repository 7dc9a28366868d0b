// Test helpers for sound: a temporary game tree with the platform started, WAV writing, and
// reading a capture back.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "arbre_temporaire.h"
#include "platform/plateforme.h"

namespace outils_son {

inline void Mot16(std::vector<uint8_t>& o, uint32_t v) {
    o.push_back(static_cast<uint8_t>(v));
    o.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Mot32(std::vector<uint8_t>& o, uint32_t v) {
    Mot16(o, v & 0xFFFF);
    Mot16(o, v >> 16);
}
inline void Code(std::vector<uint8_t>& o, const char* c) { o.insert(o.end(), c, c + 4); }

// Bytes of a WAV file; each part can be bent to make a faulty one.
struct Wav {
    uint16_t canaux = 1;
    uint16_t bits = 16;
    uint32_t frequence = 22050;
    std::vector<uint8_t> donnees;
    const char* forme = "WAVE";
    bool avecFmt = true;
    uint32_t tailleFmt = 16;
    bool avecData = true;
    int64_t tailleDataDeclaree = -1;   // -1: the real size

    std::vector<uint8_t> Octets() const {
        std::vector<uint8_t> corps;
        Code(corps, forme);
        if (avecFmt) {
            Code(corps, "fmt ");
            Mot32(corps, tailleFmt);
            std::vector<uint8_t> f;
            Mot16(f, 1);
            Mot16(f, canaux);
            Mot32(f, frequence);
            Mot32(f, frequence * canaux * (bits / 8));
            Mot16(f, canaux * (bits / 8));
            Mot16(f, bits);
            f.resize(tailleFmt, 0);
            corps.insert(corps.end(), f.begin(), f.end());
        }
        if (avecData) {
            Code(corps, "data");
            Mot32(corps, tailleDataDeclaree < 0 ? static_cast<uint32_t>(donnees.size())
                                                : static_cast<uint32_t>(tailleDataDeclaree));
            corps.insert(corps.end(), donnees.begin(), donnees.end());
        }
        std::vector<uint8_t> o;
        Code(o, "RIFF");
        Mot32(o, static_cast<uint32_t>(corps.size()));
        o.insert(o.end(), corps.begin(), corps.end());
        return o;
    }
};

// A 16-bit mono tone (or a constant level when hertz is 0).
inline Wav Ton(double hertz, double secondes, int amplitude = 12000, uint32_t frequence = 22050) {
    Wav w;
    w.frequence = frequence;
    auto n = static_cast<size_t>(secondes * frequence);
    for (size_t i = 0; i < n; ++i) {
        double v = hertz > 0 ? amplitude * std::sin(2 * M_PI * hertz * static_cast<double>(i) / frequence) : amplitude;
        Mot16(w.donnees, static_cast<uint16_t>(static_cast<int16_t>(std::lrint(v))));
    }
    return w;
}

inline void Ecrire(const std::filesystem::path& chemin, const std::vector<uint8_t>& octets) {
    std::filesystem::create_directories(chemin.parent_path());
    FILE* f = std::fopen(chemin.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(octets.data(), 1, octets.size(), f);
    std::fclose(f);
}

inline void EcrireTexte(const std::filesystem::path& chemin, const std::string& texte) {
    Ecrire(chemin, std::vector<uint8_t>(texte.begin(), texte.end()));
}

// Interleaved stereo samples of a 16-bit capture (its header checked).
inline std::vector<int16_t> LireCapture(const std::string& chemin, uint32_t* frequence = nullptr) {
    std::vector<int16_t> s;
    FILE* f = std::fopen(chemin.c_str(), "rb");
    if (f == nullptr) return s;
    uint8_t t[44];
    if (std::fread(t, 1, 44, f) == 44) {
        uint32_t n = t[40] | (t[41] << 8) | (t[42] << 16) | (static_cast<uint32_t>(t[43]) << 24);
        if (frequence) *frequence = t[24] | (t[25] << 8) | (t[26] << 16);
        s.resize(n / 2);
        s.resize(std::fread(s.data(), 2, s.size(), f));
    }
    std::fclose(f);
    return s;
}

// Root mean square of one channel (0 left, 1 right) over frames [debut, fin).
inline double Rms(const std::vector<int16_t>& s, int canal, size_t debut, size_t fin) {
    double somme = 0;
    size_t n = 0;
    for (size_t i = debut; i < fin && 2 * i + 1 < s.size(); ++i, ++n) somme += double(s[2 * i + canal]) * s[2 * i + canal];
    return n ? std::sqrt(somme / n) : 0.0;
}

inline intptr_t ProcedureVide(HandleFenetre f, uint32_t m, ParamMot w, ParamLong l) { return Fenetre_ProcedureDefaut(f, m, w, l); }

// The shared temporary tree (arbre_temporaire.h) with the platform started headless and a main
// window.
class ArbreSon : public ::testing::Test {
protected:
    std::optional<ArbreTemporaire> arbre;
    std::filesystem::path racine;
    HandleFenetre fenetre = nullptr;

    void SetUp() override {
        arbre.emplace();
        racine = arbre->Racine();
        ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
        Fenetre_EnregistrerClasse("MORVANE", ProcedureVide);
        fenetre = Fenetre_Creer("MORVANE", "Morvane", 0, 0, 640, 480);
        ASSERT_NE(fenetre, nullptr);
    }
    void TearDown() override { arbre.reset(); }
};

}  // namespace outils_son
