#include "media/tmcadence.h"

double TM_CibleImage(int32_t compteur, float frameRate, double debut) {
    return static_cast<double>(compteur) * 1000.0 / static_cast<double>(frameRate) + debut;
}

bool TM_ImageAMontrer(int32_t dropLate, double maintenant, double cible) { return dropLate == 0 || maintenant <= cible; }

double TM_PeriodeImage(float frameRate) { return 1000.0 / static_cast<double>(frameRate); }

bool TM_DimensionsSon(int32_t P, int32_t canaux, int32_t frequence, TMSonDimensions* d) {
    if (d == nullptr || canaux < 1 || canaux > 2 || frequence <= 0 || P < 32) return false;
    d->SoundBlockBytes = canaux * 2 * P;
    d->SoundFrameRate = static_cast<float>((canaux * 2.0 * frequence) / ((P / 32) * 4.0));
    d->echantillons = 2 * P / canaux;
    return true;
}
