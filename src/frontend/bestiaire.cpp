#include "frontend/bestiaire.h"

#include "foundation/ecran.h"
#include "foundation/objetsgfx.h"

int32_t BestiaireClipSauve[4] = {};
int32_t BestiaireClipSauvegarde = 0;

void BestiaireSauverClip() {
    BestiaireClipSauve[0] = EcranDestination.clipHaut;
    BestiaireClipSauve[1] = EcranDestination.clipBas;
    BestiaireClipSauve[2] = EcranDestination.clipGauche;
    BestiaireClipSauve[3] = EcranDestination.clipDroite;
    BestiaireClipSauvegarde = 1;
}

void BestiaireLiberer() {
    // The next drawing of each object loads its sprite again.
    ObjetsGfx_LiberationSprites();
    if (BestiaireClipSauvegarde) {
        EcranDestination.clipHaut = BestiaireClipSauve[0];
        EcranDestination.clipBas = BestiaireClipSauve[1];
        EcranDestination.clipGauche = BestiaireClipSauve[2];
        EcranDestination.clipDroite = BestiaireClipSauve[3];
        BestiaireClipSauvegarde = 0;
    }
}

// The screen is not built yet.
void BestiaireEcran() {}
