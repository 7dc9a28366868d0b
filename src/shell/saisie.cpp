#include "shell/saisie.h"

#include <algorithm>
#include <cstddef>

#include "foundation/entrees.h"
#include "platform/plateforme.h"
#include "shell/trame.h"
#include "world/batiments.h"
#include "world/groupes.h"
#include "world/objets.h"
#include "world/univers.h"

int32_t DemandeSelection = 0;
int32_t DebutSelectionIcone = 0;
int32_t CadreDebutX = 0, CadreDebutY = 0;
int32_t CadreFinX = 0, CadreFinY = 0;
int32_t CtrlEnfonce = 0, AltEnfonce = 0;
int32_t SortArme = -1;
int32_t CapaciteArmee = -1, CapaciteSurvolee = -1, SortCiblable = 0;
int32_t ApparenceSouris = 0, SourisAccumul = 0;
int32_t MarqueurOrdre = 0, MarqueurOrdreType = 0, MarqueurOrdreX = -1, MarqueurOrdreY = -1;

// Adds to the selection the visible groups of the first selected group's type. There are no
// groups to select yet, so there is nothing to add.
void Selection__MemeTypeVisibles() {}

// Until mouse commands exist: only the held modifiers are sampled.
void Saisie__Commandes() {
    CtrlEnfonce = Clavier_Enfoncee(TOUCHE_CTRL) ? 1 : 0;
    AltEnfonce = Clavier_Enfoncee(TOUCHE_ALT) ? 1 : 0;
}

void Saisie__MiniCarte() { Saisie__Commandes(); }

void Defilement__Bornage() {
    RepereX = std::clamp(RepereX & ~1, 0, std::max(0, DefilementMaxX) & ~1);
    RepereY = std::clamp(RepereY & ~1, 0, std::max(0, DefilementMaxY) & ~1);
    ReperePixelX = RepereX * 24;
    ReperePixelY = RepereY * 24;
}

namespace {
void Defiler(int32_t* touche, int dx, int dy) {
    if (!*touche) return;
    *touche = 0;
    RepereX += dx;
    RepereY += dy;
    Defilement__Bornage();
}
}  // namespace

void Defilement__Droite() { Defiler(&ToucheDroite, 2, 0); }
void Defilement__Gauche() { Defiler(&ToucheGauche, -2, 0); }
void Defilement__Bas() { Defiler(&ToucheBas, 0, 2); }
void Defilement__Haut() { Defiler(&ToucheHaut, 0, -2); }

void Vue__CentrageSelection() {
    if (NombreGroupesSelectionnes <= 0) return;
    const int g = GroupesSelectionnes[0];
    if (!Groupe__Actif(g) || TableGroupes[static_cast<size_t>(g)].nbMembres <= 0) return;
    const Objet& o = TableObjets[static_cast<size_t>(TableGroupes[static_cast<size_t>(g)].membres[0])];
    RepereX = o.x - CasesVisiblesX / 2;
    RepereY = o.y - CasesVisiblesY / 2;
    Defilement__Bornage();
}

// The leaders are not cycled yet.
void Unite__Suivante() {}

int Objet__RechercheRayonFamille1(int x, int y, int r) {
    if (GrilleSelection == nullptr) return 0;
    for (int j = y - r; j <= y + r; ++j)
        for (int i = x - r; i <= x + r; ++i) {
            if (i < 0 || j < 0 || i > 127 || j > 127) continue;
            const int o = GrilleSelection[j * 128 + i];
            if (o > 0 && o < NOMBRE_OBJETS && TableObjets[static_cast<size_t>(o)].famille == 1) return o;
        }
    return 0;
}
