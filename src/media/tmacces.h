// What the movie player reads and plays through: the RVF6 file (header, block sets, blocks and
// their payloads) and the sound stream. One place, so that the player's threads do not depend
// on how each is done.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "media/tmreglages.h"
#include "media/tmsync.h"

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

// ---- sound ---------------------------------------------------------------------------------------

bool Acces_Stereo(const TMAcces* a);
int32_t Acces_Canaux(const TMAcces* a);
int32_t Acces_Frequence(const TMAcces* a);

// The movie's sound stream: one looping buffer cut into segments; each segment's event is set
// when the play cursor has passed its last byte (all are set at creation: nothing to play yet).
struct SonObjet;
struct TamponSon;
struct TMFlux {
    TamponSon* tampon = nullptr;
    int32_t segments = 0;
    int32_t tailleSegment = 0;
    std::vector<std::unique_ptr<TMEvenement>> joues;
};
int32_t Acces_FluxCreer(TMFlux* f, SonObjet* son, int32_t canaux, int32_t frequence, int32_t segments,
                        int32_t tailleSegment);
// Writes n bytes at `decalage` inside segment `segment`.
int32_t Acces_FluxEcrire(TMFlux* f, int32_t segment, int32_t decalage, const uint8_t* octets, int32_t n);
int32_t Acces_FluxJouer(TMFlux* f);
int32_t Acces_FluxArreter(TMFlux* f);
void Acces_FluxLiberer(TMFlux* f);
