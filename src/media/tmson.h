// The movie's sound output: one looping stream buffer of the sound service cut into segments,
// each with an event set when the play cursor has passed its last byte; and the ring of those
// segments that the sound thread fills in turn.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "media/tmsync.h"
#include "platform/plateforme.h"
#include "platform/son.h"

struct RVFReader;

struct TMSoundOut {
    HandleFenetre fenetre = nullptr;
    SonObjet* objet = nullptr;
    uint32_t drapeauxTampon = 0, octetsTampon = 0;
    TamponSon* flux = nullptr;
    CapacitesSon capacites;
    FormatOnde format;
    int32_t segments = 0;
    std::vector<uint32_t> decalages;
    std::vector<uint32_t> positions;
    std::vector<std::unique_ptr<TMEvenement>> evenements;
    uint32_t flags = 0;      // bit 0 sound object set, bit 1 window set
    uint32_t ownFlags = 0;   // bit 0 the sound object was created here
};

void TMSound_Reset(TMSoundOut* s);
// Takes the caller's sound object, or opens the default device: 0 or -25.
int32_t TMSound_SetDirectSound(TMSoundOut* s, SonObjet* objet);
void TMSound_SetWindow(TMSoundOut* s, HandleFenetre fenetre);
// The stream's format from the movie: 0, -38 no sound object, -24 no window, -25.
int32_t TMSound_SetPrimaryFormat(TMSoundOut* s, const RVFReader* lecteur);
// `nombre` segments of `taille` bytes, all played (events set): 0 or -25.
int32_t TMSound_CreateStream(TMSoundOut* s, int32_t nombre, int32_t taille);
// 0, -27 no stream, -25.
int32_t TMSound_Play(TMSoundOut* s);
int32_t TMSound_Stop(TMSoundOut* s);
int32_t TMSound_Lock(TMSoundOut* s, uint32_t decalage, uint32_t octets, void** p1, uint32_t* n1, void** p2,
                     uint32_t* n2);
int32_t TMSound_Unlock(TMSoundOut* s, void* p1, uint32_t n1, void* p2, uint32_t n2);
// Stops and frees the stream; closes the sound object when it was opened here: 0.
int32_t TMSound_Release(TMSoundOut* s);

struct TMSoundSegment {
    TMSoundOut* sortie = nullptr;
    void* p1 = nullptr;
    uint32_t n1 = 0;
    void* p2 = nullptr;
    uint32_t n2 = 0;
    TMEvenement* evenement = nullptr;
    bool pending = false;   // filled, not played yet
    int32_t taille = 0;
    uint32_t decalage = 0;
    bool verrouille = false;
};

struct TMSoundSegmentRing {
    TMSoundOut* sortie = nullptr;
    int32_t count = 0;
    int32_t current = 0;
    std::vector<TMSoundSegment> segments;
    int32_t total = 0;

    void Bind(TMSoundOut* s) { sortie = s; }
    // 0, -5 (bad count or size), or the stream's error.
    int32_t Create(int32_t nombre, int32_t taille);
    // 0 the current segment has played, 1 stopped.
    int32_t WaitCurrent(const TMEvenement* arret);
    int32_t CurrentSize() const;
    // The first part of the locked bytes (null on failure); only what lies inside the segment.
    uint8_t* LockCurrent(int32_t a, int32_t octets);
    void UnlockCurrent();
    void CompleteCurrent();
    // 0 every segment has played, 1 stopped.
    int32_t WaitAllPlayed(const TMEvenement* arret);
    void Free();
};
