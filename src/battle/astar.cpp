#include "battle/astar.h"

NoeudAstar* AstarOuverts = nullptr;
int32_t AstarOuvertsNombre = 0;
NoeudAstar* AstarFermes = nullptr;
int32_t AstarFermesNombre = 0;

namespace {

int32_t ChercheCase(const NoeudAstar* liste, int32_t nombre, int32_t x, int32_t y) {
    if (!liste) return -1;
    for (int32_t i = 0; i < nombre && i < NOEUDS_ASTAR; ++i)
        if (liste[i].x == x && liste[i].y == y) return i;
    return -1;
}

int32_t ChercheCle(const NoeudAstar* liste, int32_t nombre, int32_t cle) {
    if (!liste) return -1;
    for (int32_t i = 0; i < nombre && i < NOEUDS_ASTAR; ++i)
        if (liste[i].cle == cle) return i;
    return -1;
}

void Retire(NoeudAstar* liste, int32_t& nombre, int32_t i) {
    if (!liste || nombre > NOEUDS_ASTAR || i < 0 || i >= nombre) return;
    --nombre;
    liste[i] = liste[nombre];
}

}  // namespace

int32_t Astar__AjouteFerme(const NoeudAstar* noeud) {
    if (!AstarFermes || AstarFermesNombre >= NOEUDS_ASTAR) return 1;
    if (AstarFermesNombre < 0) AstarFermesNombre = 0;
    if (noeud) AstarFermes[AstarFermesNombre] = *noeud;
    ++AstarFermesNombre;
    return AstarFermesNombre >= NOEUDS_ASTAR ? 1 : 0;
}

int32_t Astar__ChercheOuvert(int32_t x, int32_t y) { return ChercheCase(AstarOuverts, AstarOuvertsNombre, x, y); }
int32_t Astar__ChercheFerme(int32_t x, int32_t y) { return ChercheCase(AstarFermes, AstarFermesNombre, x, y); }
int32_t Astar__ChercheOuvertCle(int32_t cle) { return ChercheCle(AstarOuverts, AstarOuvertsNombre, cle); }
int32_t Astar__ChercheFermeCle(int32_t cle) { return ChercheCle(AstarFermes, AstarFermesNombre, cle); }

int32_t Astar__MeilleurOuvert() {
    if (!AstarOuverts) return -1;
    const int32_t n = AstarOuvertsNombre < NOEUDS_ASTAR ? AstarOuvertsNombre : NOEUDS_ASTAR;
    int32_t meilleur = -1;
    int64_t somme = 0;
    // From the last node down, replaced only on a strictly smaller sum: the highest index wins a tie.
    for (int32_t i = n - 1; i >= 0; --i) {
        const int64_t s = int64_t{AstarOuverts[i].coutEstime} + AstarOuverts[i].coutParcouru;
        if (meilleur < 0 || s < somme) {
            meilleur = i;
            somme = s;
        }
    }
    return meilleur;
}

void Astar__RetireOuvert(int32_t i) { Retire(AstarOuverts, AstarOuvertsNombre, i); }
void Astar__RetireFerme(int32_t i) { Retire(AstarFermes, AstarFermesNombre, i); }

int32_t Astar__Cout(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const int32_t dx = x2 - x1, dy = y2 - y1;
    return dx * dx + dy * dy;
}
