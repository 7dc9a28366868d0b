// A WAV sound loaded by the sound library.
#include <cstdlib>

#include "cible.h"
#include "media/snd_c.h"
#include "platform/plateforme.h"

namespace {
intptr_t ProcedureVide(HandleFenetre, uint32_t, ParamMot, ParamLong) { return 0; }
SndManager* gestionnaire = nullptr;
}

void Cible_Preparer() {
    Fenetre_EnregistrerClasse("MORVANE", ProcedureVide);
    HandleFenetre fenetre = Fenetre_Creer("MORVANE", "Morvane", 0, 0, 640, 480);
    gestionnaire = SND_Create();
    // Only an open device loads sounds.
    if (SND_C_CheckVersion(gestionnaire, 1) != 1 ||
        SND_C_Open(gestionnaire, fenetre, SND_C_GetDevice(gestionnaire, 0), SND_MODE_3D) != 1)
        std::abort();
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("Son/essai.wav", donnees, taille);
    SndSound son{};
    if (SND_C_LoadWave(gestionnaire, "..\\Son\\essai.wav", &son) == 1) SND_C_FreeSound(gestionnaire, &son);
}
