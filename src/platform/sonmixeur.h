// The mixer: a pure function that fills a stereo 16-bit buffer with the next frames of a set of
// voices. The sound service calls it from the audio device's callback (or, headless, on the
// manual clock); tests call it directly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct VoixMixeur {
    // The source: PCM, 8-bit unsigned or 16-bit signed, mono or stereo.
    const uint8_t* donnees = nullptr;
    uint32_t octets = 0;
    uint16_t canaux = 1;
    uint16_t bits = 16;
    uint32_t frequence = 22050;   // the rate it is played at (resampled to the output's)
    // Gains of the left and right output channels (volume, pan, distance, levels already applied).
    float gainGauche = 1.0f;
    float gainDroite = 1.0f;
    bool mono = false;   // mixed down to one channel before the gains (3D voices)
    // Play state.
    bool joue = false;
    bool boucle = false;
    uint64_t position = 0;   // in source frames, 32.32 fixed point
    // Set by the mixer: the voice played out to its end (not looping) during the last fill.
    bool finie = false;
    // Byte offsets whose crossing by the play cursor is reported in `atteintes` (indexes).
    std::vector<uint32_t> notifications;
    std::vector<uint32_t> atteintes;

    uint32_t Alignement() const { return static_cast<uint32_t>(canaux) * (bits / 8u); }
    uint32_t Trames() const { return Alignement() ? octets / Alignement() : 0; }
    uint32_t PositionOctets() const { return static_cast<uint32_t>(position >> 32) * Alignement(); }
};

// Adds `trames` frames of every playing voice into `sortie` (interleaved left, right), which it
// first clears; sums are clipped to 16 bits. Voices advance, stop at their end or wrap.
void Mixeur_Remplir(VoixMixeur* const* voix, size_t nombre, uint32_t frequenceSortie, int16_t* sortie,
                    size_t trames);

// Hundredths of a decibel (-10000..0) to a linear gain; -10000 and below is silence.
float Mixeur_GainDb(int32_t centiemes);
