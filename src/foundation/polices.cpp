#include "foundation/polices.h"

#include "foundation/ecran.h"

void Polices_Ajout() {}
void Polices_Retrait() {}

int Polices_Creation(void* instance) {
    InstanceApplication = instance;
    Polices_Ajout();
    if (EcranDC == nullptr) EcranDC = ContexteTexte_Creer();
    if (EcranDC == nullptr) return 0;
    EcranDC->fondTransparent = true;
    EcranDC->couleur = 145u << 16 | 166u << 8 | 170u;
    return Ecran_ModeVideo(640, 480);
}
