#include "media/snd_c.h"

#include <cstdlib>

SndManager* SND_Create() {
    auto* m = static_cast<SndManager*>(std::malloc(sizeof(SndManager)));
    if (m != nullptr) SND_Constructor(m);
    return m;
}

void SND_Delete(SndManager* m) {
    if (m == nullptr) return;
    SND_Destructor(m);
    std::free(m);
}

int32_t SND_C_CheckVersion(SndManager* m, int32_t version) { return m ? SND_CheckVersion(m, version) : 0; }
int32_t SND_C_GetDeviceCount(SndManager* m) { return m ? SND_GetDeviceCount(m) : 0; }
SndDevice* SND_C_GetDevice(SndManager* m, int32_t index) { return m ? SND_GetDevice(m, index) : nullptr; }

int32_t SND_C_Open(SndManager* m, HandleFenetre fenetre, SndDevice* device, uint32_t mode) {
    return m ? SND_SelectDevice(m, fenetre, device, mode) : 0;
}

int32_t SND_C_Close(SndManager* m) { return m ? SND_Close(m) : 0; }
int32_t SND_C_Default3DParams(SndManager* m, Snd3DParams* p) { return m ? SND_Default3DParams(m, p) : 0; }
int32_t SND_C_SetListenerPosition(SndManager* m, const float* v) { return m ? SND_SetListenerPosition(m, v) : 0; }
int32_t SND_C_LoadWave(SndManager* m, const char* chemin, SndSound* s) { return m ? SND_LoadWave(m, chemin, s) : 0; }
int32_t SND_C_Set3DPosition(SndManager* m, Snd3DParams* p, const float* v) { return m ? SND_Set3DPosition(m, p, v) : 0; }

int32_t SND_C_Play3D(SndManager* m, SndSound* s, Snd3DParams* p, int32_t boucle) {
    return m ? SND_Play3D(m, s, p, boucle) : 0;
}

int32_t SND_C_SetVolume(SndManager* m, SndSound* s, int32_t volume) { return m ? SND_SetSoundVolume(m, s, volume) : 0; }
int32_t SND_C_Set3DParams(SndManager* m, SndSound* s, Snd3DParams* p) { return m ? SND_SetSound3DParams(m, s, p) : 0; }
int32_t SND_C_FreeSound(SndManager* m, SndSound* s) { return m ? SND_FreeSound(m, s) : 0; }
SonObjet* SND_C_GetDirectSound(SndManager* m) { return m ? SND_GetDirectSound(m) : nullptr; }
