// A building sprite calibrated: its frames' hot spots moved and the file rewritten, then loaded.
#include <vector>

#include "cible.h"
#include "editors/editeur_batiment.h"
#include "foundation/ecran.h"
#include "foundation/sprites.h"
#include "platform/blitter.h"

void Cible_Preparer() { SprDll_Init(12, BLITTER_FORMAT_555, nullptr); }

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("spredit/batiments/essait.SPR", donnees, taille);
    if (!Sprite__Calibrer("..\\spredit\\batiments\\essait.SPR", 3, -2)) return;
    std::vector<uint8_t> sprite(taille ? taille : 1);
    if (Spr_Chargement("..\\spredit\\batiments\\essait.SPR", sprite.data(), static_cast<uint32_t>(taille)) != 0) return;
    std::vector<uint16_t> pixels(64 * 64);
    EcranSprite cible;
    cible.pixels = pixels.data();
    cible.pasPixels = 64;
    cible.clipBas = cible.clipDroite = 64;
    const int32_t n = Spr_GetNb(sprite.data());
    for (int32_t i = 0; i < n && i < 64; ++i) Spr_AffTrs50(sprite.data(), &cible, 10, 10, i);
}
