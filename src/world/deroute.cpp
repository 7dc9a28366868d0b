#include "world/deroute.h"

#include <cstddef>

#include "battle/ordres.h"
#include "battle/simulation.h"
#include "foundation/erreurs.h"
#include "platform/hasard.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/objets.h"

int32_t ArmeeEnFuiteFiltre = -1;

namespace {

bool Rallieur(int t) { return t == 5 || t == 120 || t == 121 || t == 376; }
bool Exempte(int t) { return t == 5 || (t >= 120 && t <= 125) || t == 374 || t == 376; }

}  // namespace

void ArmeeEnFuite(int armee) {
    if (armee < 0 || armee > 4) Erreur_Fatale("ArmeeEnFuite()", "Armee %d <0 ou >4!", armee);
    const int32_t filtre = ArmeeEnFuiteFiltre;
    ArmeeEnFuiteFiltre = armee;
    // The live groups only, as the group tick walks them: a leader casting or frozen holds its group.
    Groupes__PourChaque(ListeGroupesActifs, [](int g) { ArmeeEnFuite__Groupe(&TableGroupes[static_cast<size_t>(g)]); });
    ArmeeEnFuiteFiltre = filtre;
}

void ArmeeEnFuite__Groupe(Groupe* groupe) {
    if (groupe == nullptr || groupe->nbMembres <= 0 || groupe->membres == nullptr) return;
    const Objet& premier = TableObjets[static_cast<size_t>(groupe->membres[0])];
    if (ArmeeEnFuiteFiltre != -1 && premier.armee != ArmeeEnFuiteFiltre) return;
    if (Exempte(premier.typeMaitre)) return;
    groupe->modeFormation = 1;
    groupe->enFuite = 1;
    const int cote = Hasard_Regles() & 3, r = Hasard_Regles() % 128;
    const int x = cote == 0 ? -10 : cote == 1 ? 138 : r;
    const int y = cote == 2 ? -10 : cote == 3 ? 138 : r;
    Groupe__OrdreDeplacement(groupe->indice, x, y, 0, 0);
    for (int i = 0; i < groupe->nbMembres; ++i) {
        Objet& m = TableObjets[static_cast<size_t>(groupe->membres[i])];
        if (m.ordreSecondaire == 4 || m.ordreSecondaire == 3 || m.mourant || m.pointsDeVie <= 0) continue;
        m.ordreSecondaire = 2;
        m.cible = -1;
        m.selectionnable = 0;
        m.etatFuite = 1;
    }
    groupe->engagementLibre = 0;
    groupe->enDeroute = 1;
}

void Groupe__RemiseAZero(int g) {
    if (!Groupe__Actif(g)) return;
    Groupe& groupe = TableGroupes[static_cast<size_t>(g)];
    groupe.enDeroute = 0;
    groupe.engagementLibre = 1;
    groupe.modeFormation = groupe.modeFormationMaitre;
    groupe.enFuite = 1;
    for (int i = 0; i < groupe.nbMembres; ++i) {
        Objet& m = TableObjets[static_cast<size_t>(groupe.membres[i])];
        m.selectionnable = 1;
        m.etatFuite = 0;
    }
}

int Univers__TestCaseVoisine(int objet, int, int x, int y) {
    if (objet < 1 || objet >= NOMBRE_OBJETS) return 0;
    const Objet& o = TableObjets[static_cast<size_t>(objet)];
    if (x == o.x && y == o.y) return 0;
    const int k = Univers__CaseUnites(x, y);
    if (k <= 0 || k >= NOMBRE_OBJETS || TableObjets[static_cast<size_t>(k)].noeudListe == nullptr) return 0;
    return Rallieur(TableObjets[static_cast<size_t>(k)].typeMaitre) ? k : 0;
}

int Univers__RechercheSpirale(int objet, int, int) {
    if (objet < 1 || objet >= NOMBRE_OBJETS) return 0;
    const int x = TableObjets[static_cast<size_t>(objet)].x, y = TableObjets[static_cast<size_t>(objet)].y;
    for (int r = 1; r <= 3; ++r) {
        int k;
        for (int i = -r; i <= r; ++i)
            if ((k = Univers__TestCaseVoisine(objet, 0, x + i, y - r))) return k;
        for (int j = 1 - r; j <= r - 1; ++j)
            if ((k = Univers__TestCaseVoisine(objet, 0, x + r, y + j))) return k;
        for (int i = r; i >= -r; --i)
            if ((k = Univers__TestCaseVoisine(objet, 0, x + i, y + r))) return k;
        for (int j = r - 1; j >= 1 - r; --j)
            if ((k = Univers__TestCaseVoisine(objet, 0, x - r, y + j))) return k;
    }
    return 0;
}
