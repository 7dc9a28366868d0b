// Writes RVF6 movies: frames in the player's frame format ("FRM1", run-coded against the previous
// frame) and APC sound, grouped in block sets of one image each with the sound that goes with it.
// Used by the asset maker and the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FilmSource {
    int32_t largeur = 640, hauteur = 480;
    int32_t bits = 15;                      // 15 (5-5-5) or 16 (5-6-5)
    std::vector<std::vector<uint16_t>> images;
    float imagesParSeconde = 15.0f;
    // Sound: 16-bit PCM frames, interleaved in stereo; none when empty.
    std::vector<int16_t> pcm;
    bool stereo = false;
    uint32_t frequence = 22050;             // 22050 or 44100
    int32_t avanceSon = 32;                 // images of sound in the first sound block
    bool vb3 = false;                       // padding counted inside the block (its align byte)
};

// The movie's bytes; empty when the source cannot be written (a size or rate the format lacks).
std::vector<uint8_t> RVF_EcrireFilm(const FilmSource& source);
bool RVF_EcrireFichier(const std::string& chemin, const FilmSource& source);
