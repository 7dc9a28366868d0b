#include "world/demo_batiments.h"

#include <cstddef>

#include "foundation/ecran.h"
#include "shell/trame.h"
#include "world/affichage_batiments.h"
#include "world/batiments.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/maitres.h"
#include "world/objets.h"

namespace {

constexpr int CASERNE = 200;
constexpr int PORTE_FERMEE = 2, PORTE_OUVERTE = 3;   // frames of the front view's sprite

int Batiments[6] = {};

bool MondePret() {
    if (GrilleUnites == nullptr) return false;
    for (int i : Batiments)
        if (i < 1 || TableObjets[i].noeudListe == nullptr || TableObjets[i].typeMaitre != CASERNE) return false;
    return true;
}

void Preparer() {
    Univers__AlloueGrilles();
    Univers__AlloueGrillesBatiments();
    ObjetsGroupes__Initialisation();
    for (int k = 0; k < 6; ++k) {
        const int orientation = k % 3, x = 1 + orientation * 8, y = k < 3 ? 2 : 11;
        const int g = Groupe___Creation(CASERNE, 1, x, y, 1, 1, orientation);
        Batiments[k] = TableGroupes[g].membres[0];
        TableObjets[Batiments[k]].sorts[7] = k < 3 ? PORTE_FERMEE : PORTE_OUVERTE;
    }
}

void Fond() {
    for (int y = 0; y < HauteurEcran; ++y)
        for (int x = 0; x < LargeurEcran; ++x) {
            const bool clair = ((x / 24) + (y / 24)) % 2 == 0;
            EcranTampon[static_cast<size_t>(y) * LargeurEcran + x] =
                x >= EcranDestination.clipDroite ? 0 : clair ? (7 << 10 | 15 << 5 | 5) : (6 << 10 | 13 << 5 | 4);
        }
}

}  // namespace

void Demo_Batiments() {
    if (EcranTampon == nullptr || NombreMaitres <= CASERNE || NomsMaitres[CASERNE] == nullptr) return;
    if (!MondePret()) Preparer();
    Fond();
    RepereX = RepereY = 0;
    Objet* ancien = ObjetCourant;
    for (int passe = 1; passe <= 3; ++passe)
        for (int i : Batiments) {
            ObjetCourant = &TableObjets[i];
            BatimentAffichage(passe);
        }
    ObjetCourant = ancien;
}
