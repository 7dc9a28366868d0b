// A sprite file: loaded, then every frame drawn into a small target.
#include <vector>

#include "cible.h"
#include "foundation/ecran.h"
#include "foundation/sprites.h"
#include "platform/blitter.h"

void Cible_Preparer() { SprDll_Init(12, BLITTER_FORMAT_555, nullptr); }

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("sprite/essai.spr", donnees, taille);
    std::vector<uint8_t> sprite(taille ? taille : 1);
    if (Spr_Chargement("..\\sprite\\essai.spr", sprite.data(), static_cast<uint32_t>(taille)) != 0) return;
    std::vector<uint16_t> pixels(64 * 64);
    EcranSprite cible;
    cible.pixels = pixels.data();
    cible.pasPixels = 64;
    cible.clipBas = cible.clipDroite = 64;
    const int32_t n = Spr_GetNb(sprite.data());
    for (int32_t i = 0; i < n && i < 64; ++i) {
        Spr_Aff(sprite.data(), &cible, 10, 10, i);
        Spr_AffTrs(sprite.data(), &cible, -5, 40, i, 12);
    }
}
