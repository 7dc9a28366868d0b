// The ADPCM codec: "TESK_APC" streams (IMA ADPCM, 4 bits a sample, mono or interleaved stereo)
// to 16-bit PCM, and the encoder the movie writer uses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr uint32_t ADPCM_VERSION = 170;
constexpr size_t APC_TAILLE_ENTETE = 32;

struct APCDecoder {
    uint32_t stereo = 0;
    const uint8_t* data = nullptr;   // the next ADPCM byte; repoint it at each new block
    uint32_t phase = 0;              // 1: the held byte's low nibble is next (mono)
    uint32_t rate = 0;
    uint32_t total = 0;
    int32_t remaining = 0;
    int32_t predictor[2] = {0, 0};
    int32_t index[2] = {0, 0};
    int32_t step[2] = {7, 7};
    uint8_t held = 0;
};

// 0, or 1 for a version other than 170.
int32_t Adpcm_Init(uint32_t version);
// Tests: back to not initialised.
void Adpcm_RAZ();
// 0, 2 not initialised, 10 no header, 12 no decoder, 13 not "TESK_APC", 14 not version "1.20".
int32_t APC_ReadHeader(const uint8_t* entete, APCDecoder* decodeur);
// Decodes min(count, remaining) frames at *sortie and moves it past them; *manque := the frames
// not given. 0, 2 not initialised, 4 no output pointer, 10 no decoder.
int32_t APC_Decode(int16_t** sortie, APCDecoder* decodeur, uint32_t count, uint32_t* manque);
// The same, never reading at or past `fin`: frames whose bytes lie beyond it are not decoded
// and count in *manque.
int32_t APC_DecodeBorne(int16_t** sortie, APCDecoder* decodeur, uint32_t count, uint32_t* manque,
                        const uint8_t* fin);
// The library's text for a result code; 15's text for an unknown one.
const char* Adpcm_Texte(int32_t code);

// A whole APC stream (header and data) from 16-bit PCM frames, interleaved in stereo. The codes
// are chosen so that the decoder's unclamped sum stays within 16 bits.
std::vector<uint8_t> APC_Encoder(const int16_t* pcm, uint32_t trames, bool stereo, uint32_t frequence);
