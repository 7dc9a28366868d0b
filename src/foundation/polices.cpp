#include "foundation/polices.h"

#include "foundation/ecran.h"

PoliceSysteme* Police12 = nullptr;
PoliceSysteme* Police12Gras = nullptr;
PoliceSysteme* PoliceBase = nullptr;
PoliceSysteme* Police22Gras = nullptr;
PoliceSysteme* Police35 = nullptr;
PoliceSysteme* Police35Gras = nullptr;
PoliceSysteme* Police14 = nullptr;
PoliceSysteme* Police27Gras = nullptr;
PoliceSysteme* Police16Gras = nullptr;
PoliceSysteme* Police20 = nullptr;
int32_t HauteurPolice14 = 14;
std::array<PoliceSysteme*, 7> TablePolices{};

namespace {
const char* const FICHIER_POLICE = "..\\Lydian.ttf";
const char* const FACE = "Lydian MT";
}  // namespace

// The game's font file beside the game; without it the face comes from the system's fonts.
void Polices_Ajout() { Police_AjouterFichier(FICHIER_POLICE, FACE); }

void Polices_Retrait() { Police_RetirerFichier(FICHIER_POLICE); }

int Polices_Creation(void* instance) {
    InstanceApplication = instance;
    Polices_Ajout();
    if (EcranDC == nullptr) EcranDC = ContexteTexte_Creer();
    if (EcranDC == nullptr) return 0;
    struct Definition {
        PoliceSysteme** police;
        int hauteur;
        int graisse;
    };
    const Definition polices[] = {
        {&Police12, 12, 300}, {&Police12Gras, 12, 900}, {&PoliceBase, 22, 300}, {&Police22Gras, 22, 900},
        {&Police35, 35, 300}, {&Police35Gras, 35, 900}, {&Police14, HauteurPolice14, 400},
        {&Police27Gras, 27, 900}, {&Police16Gras, 16, 900}, {&Police20, 20, 300},
    };
    ContexteTexte_ChoisirPolice(EcranDC, nullptr);
    for (const Definition& d : polices) {
        Police_Liberer(*d.police);
        *d.police = Police_Creer(FACE, d.hauteur, d.graisse);
        if (*d.police == nullptr) return 0;
    }
    TablePolices = {Police12, Police12Gras, PoliceBase, Police22Gras, Police35, Police35Gras, nullptr};
    ContexteTexte_ChoisirPolice(EcranDC, Police35);
    EcranDC->fondTransparent = true;
    ContexteTexte_Couleur(EcranDC, 145u << 16 | 166u << 8 | 170u);
    ContexteTexte_ChoisirPolice(EcranDC, PoliceBase);
    return Ecran_ModeVideo(640, 480);
}
