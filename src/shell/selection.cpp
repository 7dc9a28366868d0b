#include "shell/selection.h"

#include <cstddef>

#include "campaign/armee.h"
#include "foundation/ecran.h"
#include "world/groupes.h"
#include "world/objets.h"

std::array<int32_t, NOMBRE_GROUPES_SELECTION> TailleGroupesSelection{};
std::array<std::array<int32_t, MEMBRES_GROUPE_SELECTION>, NOMBRE_GROUPES_SELECTION> MembresGroupesSelection{};

namespace {
bool Numero(int n) { return n >= 0 && n < NOMBRE_GROUPES_SELECTION; }
}  // namespace

void GroupesSelection__RAZ() { TailleGroupesSelection.fill(0); }

void GroupesSelection__Memoriser(int n) {
    if (!Numero(n)) return;
    auto& membres = MembresGroupesSelection[static_cast<size_t>(n)];
    int32_t& taille = TailleGroupesSelection[static_cast<size_t>(n)];
    for (int i = 0; i < taille && i < MEMBRES_GROUPE_SELECTION; ++i)
        if (Groupe__Actif(membres[static_cast<size_t>(i)])) TableGroupes[static_cast<size_t>(membres[static_cast<size_t>(i)])].numeroSelection = 0;
    taille = NombreGroupesSelectionnes < 0 ? 0 : NombreGroupesSelectionnes;
    if (taille > MEMBRES_GROUPE_SELECTION) taille = MEMBRES_GROUPE_SELECTION;
    for (int i = 0; i < taille; ++i) {
        const int g = GroupesSelectionnes[static_cast<size_t>(i)];
        membres[static_cast<size_t>(i)] = g;
        if (Groupe__Actif(g)) TableGroupes[static_cast<size_t>(g)].numeroSelection = n;
    }
}

int GroupesSelection__Rappeler(int n) {
    if (!Numero(n)) return 0;
    auto& membres = MembresGroupesSelection[static_cast<size_t>(n)];
    int32_t& taille = TailleGroupesSelection[static_cast<size_t>(n)];
    Groupe__DeselectionTout();
    // A group freed since it was stored is dropped rather than selected.
    int k = 0;
    for (int i = 0; i < taille && i < MEMBRES_GROUPE_SELECTION; ++i)
        if (Groupe__Actif(membres[static_cast<size_t>(i)])) membres[static_cast<size_t>(k++)] = membres[static_cast<size_t>(i)];
    taille = k;
    NombreGroupesSelectionnes = taille;
    for (int i = 0; i < taille; ++i) {
        const int g = membres[static_cast<size_t>(i)];
        GroupesSelectionnes[static_cast<size_t>(i)] = g;
        Groupe__Selection(g);
    }
    for (int i = 0; i < taille; ++i) {
        const int g = GroupesSelectionnes[static_cast<size_t>(i)];
        membres[static_cast<size_t>(i)] = g;
        TableGroupes[static_cast<size_t>(g)].numeroSelection = n;
    }
    if (taille != 0) GroupeEnSelection = membres[static_cast<size_t>(taille - 1)];
    return taille != 0 ? 1 : 0;
}

void GroupesSelection__AffichageMiniCarte() {
    const int W = EcranDestination.clipDroite, H = EcranDestination.clipBas;
    for (int n = 0; n < NOMBRE_GROUPES_SELECTION; ++n) {
        if (TailleGroupesSelection[static_cast<size_t>(n)] <= 0) continue;
        const int g = MembresGroupesSelection[static_cast<size_t>(n)][0];
        if (!Groupe__Actif(g)) continue;
        const Groupe& gr = TableGroupes[static_cast<size_t>(g)];
        if (gr.nbMembres <= 0 || gr.membres == nullptr) continue;
        const int o = gr.membres[0];
        if (o <= 0 || o >= NOMBRE_OBJETS) continue;
        const Objet& premier = TableObjets[static_cast<size_t>(o)];
        AfficherNombre(W + premier.x * 96 / 128 - 115, H + premier.y * 96 / 128 - 115, n);
    }
}

void GroupesSelection__Retirer(int groupe) {
    for (int n = 0; n < NOMBRE_GROUPES_SELECTION; ++n) {
        auto& membres = MembresGroupesSelection[static_cast<size_t>(n)];
        int32_t& taille = TailleGroupesSelection[static_cast<size_t>(n)];
        for (int i = 0; i < taille;) {
            if (membres[static_cast<size_t>(i)] != groupe) {
                ++i;
                continue;
            }
            if (taille >= 2) membres[static_cast<size_t>(i)] = membres[static_cast<size_t>(taille - 1)];
            --taille;
        }
    }
}
