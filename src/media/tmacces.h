// What the movie player reads, decodes and paces through: the RVF6 file (header, block sets,
// blocks and their payloads), the frame decoder and the library clock. One place, so that the
// player's threads do not depend on how each is done.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "media/tmreglages.h"

struct TMAcces {
    FILE* fichier = nullptr;
    uint8_t entete[64] = {};
    uint32_t tailleFichier = 0;
    uint32_t consommes = 0;
    uint32_t nbImages = 0;
    uint32_t imagesMontrees = 0;
    bool fin = false;
    bool vb3 = false;
    int32_t resteEnsemble = 0;
    char id[2] = {0, 0};
    uint8_t align = 0;
    int32_t charge = 0;   // payload of the current block
    int32_t canaux = 0;
    int32_t frequence = 0;
    int32_t sndflag = 0;
};

// Opens and checks the file: 0, or -7 (no file), -4 (not RVF6), -2, -14, -13 (header refused).
int32_t Acces_Ouvrir(TMAcces* a, const char* chemin);
void Acces_Fermer(TMAcces* a);
int32_t Acces_Largeur(const TMAcces* a);
int32_t Acces_Hauteur(const TMAcces* a);
int32_t Acces_Bits(const TMAcces* a);
bool Acces_ASon(const TMAcces* a);
// The next block set: 0, or -11 (length 0, or nothing left). Sets the end flag at the end.
int32_t Acces_EnsembleSuivant(TMAcces* a);
// The next block header: 0, -11, or -3 (unknown id).
int32_t Acces_BlocSuivant(TMAcces* a);
bool Acces_BlocImage(const TMAcces* a);
bool Acces_BlocSon(const TMAcces* a);
int32_t Acces_OctetsALire(const TMAcces* a);
int32_t Acces_OctetsDonnees(const TMAcces* a);
// Reads the current block's payload into `dest` (grown as needed, never shrunk); *longueur gets
// its data bytes. 0, or -11 when the file ends before it (the end flag is then set).
int32_t Acces_LireBloc(TMAcces* a, std::vector<uint8_t>& dest, int32_t* longueur);
bool Acces_FinAtteinte(const TMAcces* a);
bool Acces_EnsembleEpuise(const TMAcces* a);
bool Acces_DerniereImage(const TMAcces* a);
void Acces_CompterImages(TMAcces* a, uint32_t n);

// The frame decoder for the movie's width: 0, -14 (width), -46 (refused header).
int32_t Acces_ChargerCodec(const uint8_t* entete);
void Acces_LibererCodec();
// Decodes one frame payload into `courant` from `precedent` (both largeur x hauteur, 5-5-5).
// A payload that is cut short or malformed leaves the rest of the frame as it was before.
void Acces_DecoderImage(const uint8_t* donnees, int32_t longueur, const uint16_t* precedent, uint16_t* courant,
                        int32_t largeur, int32_t hauteur);

// The library clock in ms: the platform's tick count less the time spent paused.
double Acces_Maintenant();
void Acces_PauseHorloge();
void Acces_RepriseHorloge();
