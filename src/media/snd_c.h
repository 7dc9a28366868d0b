// The sound library's flat interface: one function per operation of SndManager, the manager
// first. A null manager gives 0 (or null) and does nothing.
#pragma once

#include "media/snd.h"

SndManager* SND_Create();
void SND_Delete(SndManager* m);
int32_t SND_C_CheckVersion(SndManager* m, int32_t version);
int32_t SND_C_GetDeviceCount(SndManager* m);
SndDevice* SND_C_GetDevice(SndManager* m, int32_t index);
int32_t SND_C_Open(SndManager* m, HandleFenetre fenetre, SndDevice* device, uint32_t mode);
int32_t SND_C_Close(SndManager* m);
int32_t SND_C_Default3DParams(SndManager* m, Snd3DParams* parametres);
int32_t SND_C_SetListenerPosition(SndManager* m, const float* vecteur);
int32_t SND_C_LoadWave(SndManager* m, const char* chemin, SndSound* son);
int32_t SND_C_Set3DPosition(SndManager* m, Snd3DParams* parametres, const float* vecteur);
int32_t SND_C_Play3D(SndManager* m, SndSound* son, Snd3DParams* parametres, int32_t boucle);
int32_t SND_C_SetVolume(SndManager* m, SndSound* son, int32_t volume);
int32_t SND_C_Set3DParams(SndManager* m, SndSound* son, Snd3DParams* parametres);
int32_t SND_C_FreeSound(SndManager* m, SndSound* son);
SonObjet* SND_C_GetDirectSound(SndManager* m);
