#include "shell/curseur.h"

#include "foundation/entrees.h"
#include "foundation/objetsgfx.h"
#include "platform/affichage.h"

void Curseur__Masquer() { Affichage_CacherCurseur(); }

void Curseur__Ombre(int16_t sprite, int16_t image) {
    Sprite__AfficheOmbre(sprite, static_cast<int16_t>(SourisX + OMBRE_CURSEUR_X), static_cast<int16_t>(SourisY + OMBRE_CURSEUR_Y),
                         image);
}
