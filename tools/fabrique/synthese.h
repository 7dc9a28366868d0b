// Sound synthesis for the sample sounds and music: a WAV writer, a fixed noise, envelopes and
// a few filters. Everything is deterministic: the same build writes the same files every run.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

namespace synthese {

struct Sortie {
    uint16_t canaux;
    uint16_t bits;
    uint32_t frequence;
};

inline void Mot(std::vector<uint8_t>& o, uint32_t v, int octets) {
    for (int i = 0; i < octets; ++i) o.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// Writes `secondes` of the signal (one value -1..1 per channel and instant) as a RIFF WAVE file.
inline bool EcrireWav(const std::filesystem::path& chemin, Sortie s, double secondes,
                      const std::function<void(double t, double* gauche, double* droite)>& signal) {
    std::vector<uint8_t> data;
    auto n = static_cast<size_t>(secondes * s.frequence);
    for (size_t i = 0; i < n; ++i) {
        double g = 0, d = 0;
        signal(static_cast<double>(i) / s.frequence, &g, &d);
        for (int c = 0; c < s.canaux; ++c) {
            double v = std::fmax(-1.0, std::fmin(1.0, c == 0 ? (s.canaux == 1 ? (g + d) / 2 : g) : d));
            if (s.bits == 8) data.push_back(static_cast<uint8_t>(std::lrint(128 + v * 127)));
            else Mot(data, static_cast<uint16_t>(static_cast<int16_t>(std::lrint(v * 32767))), 2);
        }
    }
    uint32_t alignement = s.canaux * s.bits / 8u;
    std::vector<uint8_t> o;
    o.insert(o.end(), {'R', 'I', 'F', 'F'});
    Mot(o, static_cast<uint32_t>(36 + data.size()), 4);
    o.insert(o.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    Mot(o, 16, 4);
    Mot(o, 1, 2);
    Mot(o, s.canaux, 2);
    Mot(o, s.frequence, 4);
    Mot(o, s.frequence * alignement, 4);
    Mot(o, alignement, 2);
    Mot(o, s.bits, 2);
    o.insert(o.end(), {'d', 'a', 't', 'a'});
    Mot(o, static_cast<uint32_t>(data.size()), 4);
    o.insert(o.end(), data.begin(), data.end());
    std::error_code e;
    std::filesystem::create_directories(chemin.parent_path(), e);
    FILE* f = std::fopen(chemin.c_str(), "wb");
    if (f == nullptr) return false;
    bool ok = std::fwrite(o.data(), 1, o.size(), f) == o.size();
    return std::fclose(f) == 0 && ok;
}

// Mono 16-bit at 22050 Hz: the format of the battle's samples.
inline bool EcrireMono(const std::filesystem::path& chemin, double secondes, const std::function<double(double t)>& signal) {
    return EcrireWav(chemin, {1, 16, 22050}, secondes, [&](double t, double* g, double* d) { *g = *d = signal(t); });
}

// A fixed pseudo-random noise, so that the files are the same on every build.
struct Bruit {
    uint32_t etat = 12345;
    Bruit() = default;
    explicit Bruit(uint32_t graine) : etat(graine * 2654435761u + 12345u) {}
    double operator()() {
        etat = etat * 1664525u + 1013904223u;
        return static_cast<double>(etat >> 8) / 8388608.0 - 1.0;
    }
    // A whole number 0..n-1.
    int Entier(int n) {
        etat = etat * 1664525u + 1013904223u;
        return static_cast<int>((etat >> 16) % static_cast<uint32_t>(n));
    }
};

inline double Enveloppe(double t, double attaque, double duree) {
    if (t < attaque) return t / attaque;
    return std::fmax(0.0, 1.0 - (t - attaque) / (duree - attaque));
}

// A short attack, then an exponential decay of the given rate (per second).
inline double Percussion(double t, double attaque, double taux) {
    if (t < 0) return 0;
    if (t < attaque) return t / attaque;
    return std::exp(-(t - attaque) * taux);
}

inline double Sinus(double hertz, double t) { return std::sin(2 * M_PI * hertz * t); }

// A one-pole low-pass filter; `coupure` in Hz at 22050 Hz unless given.
struct PasseBas {
    double a = 0, y = 0;
    explicit PasseBas(double coupure, double frequence = 22050) { Regler(coupure, frequence); }
    void Regler(double coupure, double frequence = 22050) { a = 1 - std::exp(-2 * M_PI * coupure / frequence); }
    double operator()(double x) { return y += a * (x - y); }
};

// A two-pole resonant band-pass (constant peak gain), for formants and ringing bodies.
struct Resonateur {
    double b0 = 0, a1 = 0, a2 = 0, x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    Resonateur(double centre, double largeur, double frequence = 22050) { Regler(centre, largeur, frequence); }
    void Regler(double centre, double largeur, double frequence = 22050) {
        const double w = 2 * M_PI * centre / frequence;
        const double alpha = std::sin(w) * largeur / (2 * centre);   // Q = centre / largeur
        const double a0 = 1 + alpha;
        b0 = alpha / a0;
        a1 = -2 * std::cos(w) / a0;
        a2 = (1 - alpha) / a0;
    }
    double operator()(double x) {
        const double y = b0 * x - b0 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

// A phase accumulator for tones whose pitch moves.
struct Oscillateur {
    double phase = 0;
    double frequence;
    explicit Oscillateur(double f = 22050) : frequence(f) {}
    // Advances by one sample at `hertz` and returns the phase 0..1.
    double Pas(double hertz) {
        phase += hertz / frequence;
        phase -= std::floor(phase);
        return phase;
    }
};

// A band-limited-enough sawtooth made of its first harmonics.
inline double DentDeScie(double phase, int harmoniques) {
    double v = 0;
    for (int k = 1; k <= harmoniques; ++k) v += std::sin(2 * M_PI * k * phase) / k;
    return v * 0.55;
}

}  // namespace synthese
