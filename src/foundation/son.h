// The game's audio layer: sound ids, the sound cache, CD music, volumes.
#pragma once

#include <cstdint>

extern int32_t VolumeMusique;
extern int32_t VolumeSons;
extern void* ObjetDirectSound;   // the sound device handed to the movie player; null when sound is off

void CD__Arrete();
void CD__Pause();
void CD__Reprise();
void CD__Redemarre();
void Son__EcouteurRAZ();
