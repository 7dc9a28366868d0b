// The movie's sound stream: one looping buffer of the sound device, cut into notified segments.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "media/tmreglages.h"
#include "media/tmsync.h"

// Each segment's event is set when the play cursor has passed its last byte (all are set at
// creation: nothing to play yet).
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
