#include "media/tmreglages.h"

int32_t lastdxerror = 0;

void TMSettings_GetDefaults(TMSettings* reglages) {
    if (reglages == nullptr) return;
    reglages->ReadBuffers = 64;
    reglages->ReadBufferKB = 8;
    reglages->ReadPriority = 0;
    reglages->FrameRate = 15.0f;
    reglages->SoundFrameRate = 0.0f;
    reglages->SoundSync = 0;
    reglages->WaitVbl = 0;
    reglages->ShowRate = 0;
    reglages->DropLate = 1;
    reglages->Freeze = 0;
    reglages->BltWait = 0;
    reglages->SoundOn = 1;
    reglages->SoundSegments = 8;
    reglages->SoundBufferBlocks = 2;
    reglages->SoundBlocks = 64;
    reglages->ImageBlocks = 64;
    reglages->Surfaces = 2;
}
