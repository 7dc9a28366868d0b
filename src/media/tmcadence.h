// The movie player's pacing: when each frame is due, whether a late one is shown, and the
// frame rate and buffer sizes that the first sound block sets. Pure functions of their inputs.
#pragma once

#include <cstdint>

// The moment (library clock, ms) frame `compteur` is due, counted from the first frame at `debut`.
double TM_CibleImage(int32_t compteur, float frameRate, double debut);
// A frame is shown when late frames are kept, or when it is not late.
bool TM_ImageAMontrer(int32_t dropLate, double maintenant, double cible);
// The frame period in ms.
double TM_PeriodeImage(float frameRate);

// What the first sound block sets, from its length less the 32-byte APC header (P), the
// channels and the rate: the PCM bytes of one block, the frame rate, the samples to decode.
struct TMSonDimensions {
    int32_t SoundBlockBytes = 0;   // C x 2 x P
    float SoundFrameRate = 0.0f;   // (C x 2R) / ((P / 32) x 4)
    int32_t echantillons = 0;      // 2P / C
};
// False when the block is too short to give a frame rate, or channels or rate are not usable.
bool TM_DimensionsSon(int32_t P, int32_t canaux, int32_t frequence, TMSonDimensions* d);
