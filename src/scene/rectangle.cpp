#include "scene/rectangle.h"

#include <algorithm>
#include <cstdlib>

#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "shell/cycles.h"
#include "shell/saisie.h"
#include "shell/trame.h"
#include "world/univers.h"

int32_t ClipSauveX = 8, ClipSauveY = 8;

void Ligne__AjoutCouleurVerticale(int x, int y, int largeur, int hauteur, int r, int g, int b) {
    if (EcranTampon == nullptr) return;
    r &= 31;
    g &= 31;
    b &= 31;
    // Strictly inside the view, and never past the back buffer whatever the view says.
    const int gauche = std::max(x, ClipSauveX + 1), haut = std::max(y, ClipSauveY + 1);
    const int droite = std::min({x + largeur, CasesVisiblesX * 24, LargeurEcran});
    const int bas = std::min({y + hauteur, CasesVisiblesY * 24, HauteurEcran});
    for (int j = haut; j < bas; ++j)
        for (int i = gauche; i < droite; ++i) {
            uint16_t& p = EcranTampon[static_cast<size_t>(j) * static_cast<size_t>(LargeurEcran) + static_cast<size_t>(i)];
            const int pr = std::min((p >> 10 & 31) + r, 31), pg = std::min((p >> 5 & 31) + g, 31), pb = std::min((p & 31) + b, 31);
            p = static_cast<uint16_t>(pr << 10 | pg << 5 | pb);
        }
}

void Ligne__AjoutCouleurHorizontale(int y, int x, int hauteur, int largeur, int r, int g, int b) {
    Ligne__AjoutCouleurVerticale(x, y, largeur, hauteur, r, g, b);
}

void CadreSelection__Affichage() {
    if (!DemandeSelection) return;
    const int p = (Pulsation >= 0 ? CompteurCycle20 + 5 : 25 - CompteurCycle20) & 31;
    const int ax = (CadreDebutX - RepereX) * 24, ay = (CadreDebutY - RepereY) * 24;
    const int bx = SourisX, by = SourisY;
    const int largeur = std::abs(ax - bx), hauteur = std::abs(ay - by);
    const int gauche = std::min(ax, bx), haut = std::min(ay, by);
    Ligne__AjoutCouleurVerticale(gauche, ay, largeur, 1, p, p, p);
    Ligne__AjoutCouleurVerticale(gauche, by, largeur, 1, p, p, p);
    Ligne__AjoutCouleurHorizontale(haut, ax, hauteur, 1, p, p, p);
    Ligne__AjoutCouleurHorizontale(haut, bx, hauteur, 1, p, p, p);
}
