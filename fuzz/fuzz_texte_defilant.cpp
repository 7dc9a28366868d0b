// A scrolling text's mark-up, laid out at a few scroll offsets with its images animated.
#include <string>

#include "cible.h"
#include "foundation/objetsgfx.h"
#include "foundation/sprites.h"
#include "frontend/texte_defilant.h"
#include "frontend/texte_defilant_disposition.h"
#include "platform/blitter.h"

void Cible_Preparer() {
    SprDll_Init(12, BLITTER_FORMAT_555, nullptr);
    CreationDeLalIsteDesObjetsGfx();
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    const std::string texte(reinterpret_cast<const char*>(donnees), taille);
    Texte__AnimationsRAZ();
    std::vector<ElementTexte> elements;
    for (int32_t decalage : {0, 300, -50}) {
        elements.clear();
        TexteDefilant__Disposition(texte.c_str(), decalage, decalage == 300, &elements);
    }
}
