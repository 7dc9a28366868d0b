// Sample sounds: short WAV samples under Son\ (tones, noise bursts, a chord) in the formats the
// library reads (8 and 16 bits, mono and stereo, several rates), and track 2 of the virtual CD
// under Musique\.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "fabrique.h"
#include "synthese.h"

namespace {

using namespace synthese;

bool Sons(const std::string& racine) {
    std::filesystem::path son = std::filesystem::path(racine) / "Son";
    bool ok = true;
    // A short high tick (16-bit mono, 22050 Hz).
    ok &= EcrireWav(son / "tic.wav", {1, 16, 22050}, 0.08, [](double t, double* g, double* d) {
        *g = *d = 0.6 * Sinus(1760, t) * Enveloppe(t, 0.002, 0.08);
    });
    // A click of noise (8-bit mono, 11025 Hz).
    Bruit b1;
    ok &= EcrireWav(son / "clic.wav", {1, 8, 11025}, 0.05, [&](double t, double* g, double* d) {
        *g = *d = 0.7 * b1() * Enveloppe(t, 0.001, 0.05);
    });
    // A major chord (16-bit stereo, 44100 Hz), the third on the left and the fifth on the right.
    ok &= EcrireWav(son / "accord.wav", {2, 16, 44100}, 0.6, [](double t, double* g, double* d) {
        double e = 0.25 * Enveloppe(t, 0.01, 0.6);
        *g = e * (Sinus(261.63, t) + Sinus(329.63, t));
        *d = e * (Sinus(261.63, t) + Sinus(392.0, t));
    });
    // Gold: a rising arpeggio of bell-like tones (16-bit mono, 22050 Hz).
    ok &= EcrireWav(son / "or.wav", {1, 16, 22050}, 0.45, [](double t, double* g, double* d) {
        static const double notes[3] = {1046.5, 1318.5, 1568.0};
        int i = std::min(2, static_cast<int>(t / 0.15));
        double u = t - i * 0.15;
        *g = *d = 0.5 * Sinus(notes[i], u) * std::exp(-u * 12);
    });
    // The gate: a low rumble of noise (16-bit mono, 22050 Hz).
    Bruit b2;
    double filtre = 0;
    ok &= EcrireWav(son / "grille.wav", {1, 16, 22050}, 0.7, [&](double t, double* g, double* d) {
        filtre += 0.05 * (b2() - filtre);
        *g = *d = 3.0 * filtre * Enveloppe(t, 0.05, 0.7);
    });
    // A soft low tone (8-bit stereo, 22050 Hz).
    ok &= EcrireWav(son / "grave.wav", {2, 8, 22050}, 0.3, [](double t, double* g, double* d) {
        *g = *d = 0.5 * Sinus(196.0, t) * Enveloppe(t, 0.02, 0.3);
    });
    return ok;
}

// Track 2 of the virtual CD: twelve seconds of a slow tune over a bass (16-bit stereo, 22050 Hz).
bool Musique(const std::string& racine) {
    std::filesystem::path piste = std::filesystem::path(racine) / "Musique" / "Piste02.wav";
    static const double melodie[16] = {440.0, 523.25, 659.25, 587.33, 523.25, 493.88, 440.0, 392.0,
                                       349.23, 440.0, 523.25, 493.88, 440.0, 415.30, 440.0, 0.0};
    static const double basse[4] = {110.0, 87.31, 98.0, 110.0};
    return EcrireWav(piste, {2, 16, 22050}, 12.0, [](double t, double* g, double* d) {
        int n = static_cast<int>(t / 0.75) % 16;
        double u = std::fmod(t, 0.75);
        double m = melodie[n] > 0 ? 0.3 * Sinus(melodie[n], t) * std::exp(-u * 2.5) : 0.0;
        double b = 0.25 * Sinus(basse[static_cast<int>(t / 3.0) % 4], t);
        *g = m + 0.8 * b;
        *d = 0.8 * m + b;
    });
}

}  // namespace

FABRIQUE_ETAPE("sons", Sons);
FABRIQUE_ETAPE("musique", Musique);
