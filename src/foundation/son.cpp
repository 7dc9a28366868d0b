#include "foundation/son.h"

int32_t VolumeMusique = 100;
int32_t VolumeSons = 100;
void* ObjetDirectSound = nullptr;

// No sound device yet: every call is a harmless no-op.
void CD__Arrete() {}
void CD__Pause() {}
void CD__Reprise() {}
void CD__Redemarre() {}
void Son__EcouteurRAZ() {}
