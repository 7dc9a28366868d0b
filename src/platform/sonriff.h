// Buffered reading of RIFF files (WAV sounds): descend into a chunk by its four-character code,
// read inside it, ascend. Sizes are checked against the file, so a file that lies about them
// is refused instead of read past its end.
#pragma once

#include <cstdint>
#include <vector>

struct FichierRiff;

// A chunk found by Riff_Descendre: its code, its form type (for "RIFF" and "LIST"), where its
// data starts in the file and how many bytes it declares.
struct ChunkRiff {
    uint32_t code = 0;
    uint32_t type = 0;
    uint32_t debut = 0;
    uint32_t taille = 0;
};

constexpr uint32_t Riff_Code(char a, char b, char c, char d) {
    return static_cast<uint32_t>(static_cast<uint8_t>(a)) | (static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8) |
           (static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16) | (static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24);
}

// Opens a game path (see fichiers.h); null when it cannot be opened.
FichierRiff* Riff_Ouvrir(const char* cheminJeu);
void Riff_Fermer(FichierRiff* fichier);
uint32_t Riff_TailleFichier(const FichierRiff* fichier);

// Looks, from the current position up to the end of the parent (the whole file when parent is
// null), for a "RIFF" chunk of form type `type` (riff true) or for a chunk of code `code`.
// On success the position is at the start of the found chunk's data (after its form type for a
// "RIFF"). The declared size is given as it is: check it with Riff_Restant before reading.
bool Riff_Descendre(FichierRiff* fichier, ChunkRiff* chunk, const ChunkRiff* parent, uint32_t code, bool riff);
// Moves to the first byte after the chunk (its size rounded up to an even number).
bool Riff_Remonter(FichierRiff* fichier, const ChunkRiff* chunk);
// Reads up to `octets` bytes; the count read.
uint32_t Riff_Lire(FichierRiff* fichier, void* destination, uint32_t octets);
bool Riff_Sauter(FichierRiff* fichier, uint32_t octets);
// Bytes of the file left after the current position.
uint32_t Riff_Restant(const FichierRiff* fichier);

// The standard PCM wave format fields, as a "fmt " chunk stores them.
struct FormatOnde {
    uint16_t format = 1;   // 1 = PCM
    uint16_t canaux = 0;
    uint32_t frequence = 0;
    uint32_t octetsParSeconde = 0;
    uint16_t alignement = 0;
    uint16_t bits = 0;
};

// Reads a WAV file's header up to its data: the format chunk's six standard fields (the rest of
// a longer chunk is skipped) and the data chunk's size, which the file is checked to hold. The
// position is then at the first data byte. 0 on success, else the step that failed: 1 not a
// "WAVE", 2 no "fmt " chunk, 3 a format chunk that cannot be read whole, 4 no "data" chunk,
// 5 an empty data chunk, 6 data longer than what the file holds.
int Wav_LireEntete(FichierRiff* fichier, FormatOnde* format, uint32_t* octetsDonnees);

// Whole WAV file in memory: its format and data. False when the file is missing, not a WAVE,
// has no format or data, or is shorter than it says.
bool Wav_Charger(const char* cheminJeu, FormatOnde* format, std::vector<uint8_t>* donnees);
