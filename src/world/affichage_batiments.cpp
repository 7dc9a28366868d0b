#include "world/affichage_batiments.h"

#include "battle/pulsations.h"
#include "foundation/erreurs.h"
#include "foundation/objetsgfx.h"
#include "shell/cycles.h"
#include "shell/trame.h"
#include "world/descriptions.h"
#include "world/grilles.h"
#include "world/maitres.h"
#include "world/objets.h"
#include "world/portes.h"

namespace {

struct Eclairage {
    bool eclaire;
    int r, v, b;
};
constexpr Eclairage SANS = {false, 0, 0, 0};

// One layer: frame `image` of graphic object n at calage pair `paire` (0-based) of the current record.
void Couche(int n, int sx, int sy, int paire, int image, Eclairage e) {
    if (image == -1) return;
    const DescriptionBatiment& d = *DescriptionBatimentCourante;
    const int x = sx + d.calage[paire][0], y = sy + d.calage[paire][1];
    if (e.eclaire)
        Sprite__AfficheEclaire(static_cast<int16_t>(n), static_cast<int16_t>(x), static_cast<int16_t>(y),
                               static_cast<int16_t>(image), e.r, e.v, e.b);
    else
        Sprite__Affiche(n, x, y, image);
}

int GfxDuMaitre(const TableParMaitre& table, int t) { return t >= 0 && t < NOMBRE_TYPES_MAITRES ? table[t] : -1; }

}  // namespace

void BatimentAffichage(int passe) {
    Objet* o = ObjetCourant;
    if (o == nullptr) return;
    const int t = o->typeMaitre;
    const int sx = (o->x - RepereX) * 24 + 8, sy = (o->y - RepereY) * 24;

    if (t == 157) {
        DescriptionBatimentCourante = Batiment__Description(157, 1);
        Couche(504, sx, sy, 0, CompteurCycle12, SANS);
        return;
    }
    if (o->direction < 0 || o->direction > 2)
        Erreur_Fatale("BatimentAffichage()", "La direction du bâtiment est incorrect : %d!", o->direction);
    if (passe < 1 || passe > 3) Erreur_Fatale("Batiment___affichage()", "pCode inconnu : %d", passe);
    DescriptionBatimentCourante = Batiment__Description(t, o->direction);
    if (DescriptionBatimentCourante == nullptr) return;

    const int orientation = o->direction;
    const int n = GfxDuMaitre(orientation == 0 ? ObjetGfx_ANIM__ARE : orientation == 1 ? ObjetGfx_ANIM__ARA
                                                                                      : ObjetGfx_ANIM__DPL,
                           t);
    const int32_t* s = o->sorts;
    // In d and g, a building with its first two layers draws each layer with the frame of the slot before.
    const bool decale = orientation != 1 && s[0] != -1 && s[1] != -1;
    auto image = [&](int slot) { return decale ? (slot == 0 ? -1 : s[slot - 1]) : s[slot]; };
    const int P = TablePulsation43[CompteurCycle43Bis % 43], Q = TablePulsation43Decalee[CompteurCycle43 % 43],
              T = TablePulsation100[CompteurCycle100 % 100];

    switch (passe) {
        case 1:
            if (s[0] == -1) break;
            Couche(n, sx, sy, 0, image(0), SANS);
            Batiment__AffichagePorte(sx, sy);
            break;
        case 2:
            if (s[1] != -1) Couche(n, sx, sy, 1, image(1), SANS);
            break;
        case 3: {
            Couche(n, sx, sy, 2, image(2), SANS);   // skipped when it has no frame
            if (s[3] != -1) Couche(n, sx, sy, 3, image(3), {true, P, P / 2, 0});
            if (s[4] != -1) Couche(n, sx, sy, 4, image(4), {true, P / 2, 0, 0});
            bool sixieme = s[5] != -1;
            Eclairage e6 = {true, 0, Q / 3, 0};
            if (sixieme && t == 154) {
                // Lit only while a master-11 object stands three cells to the right.
                const int voisin = Univers__CaseUnites(o->x + 3, o->y);
                sixieme = voisin > 0 && TableObjets[voisin].typeMaitre == 11;
                e6 = {true, 0, P, 0};
            }
            if (sixieme) Couche(n, sx, sy, 5, image(5), e6);
            if (s[6] != -1) Couche(n, sx, sy, 6, image(6), {true, 0, static_cast<int>(T / 1.5), 0});
            if (sixieme) Couche(n, sx, sy, 5, image(5), {true, 0, T / 4, 0});
            if (s[8] != -1) Couche(n, sx, sy, orientation == 1 ? 7 : 5, image(8), {true, 0, 0, static_cast<int>(T / 1.5)});
            break;
        }
    }
}

void Batiment__AffichagePorte(int sx, int sy) {
    const DescriptionBatiment* d = DescriptionBatimentCourante;
    const Objet* o = ObjetCourant;
    if (d == nullptr || o == nullptr || Porte__Tombee(o->indice)) return;
    const int codes = Batiment__NombreCodes(d);
    for (int c = 0; c < codes; ++c) {
        if (d->codeObjet[c] != 3) continue;
        const int n = GfxDuMaitre(ObjetGfx_ANIM__ARA, o->typeMaitre);
        const int image = o->sorts[7];
        if (image == -1) return;
        Couche(n, sx, sy, 8, image, SANS);
        const int porte = Univers__CaseUnites(o->x + d->codeX[c], o->y + d->codeY[c]);
        if (porte > 0 && TableObjets[porte].touche) Couche(n, sx, sy, 8, image, {true, 15, 15, 15});
        return;
    }
}

int AfficherPersonnagePrePlace(int cx, int cy, int sx, int sy, int base) {
    const DescriptionBatiment* d = DescriptionBatimentCourante;
    if (d == nullptr) return 0;
    const int codes = Batiment__NombreCodes(d);
    for (int c = 0; c < codes; ++c) {
        if (d->codeObjet[c] != 4 || d->codeX[c] != cx || d->codeY[c] != cy) continue;
        const int m = d->codeParam1[c], dir = d->codeParam2[c];
        if (m >= 0 && m < NOMBRE_TYPES_MAITRES && TableMaitres[m].famille == 20) {
            if (dir == 1) Sprite__Affiche(ObjetGfx_ANIM__ARA[m], sx, sy, 0);
            else if (dir == 0) Erreur_Question("Batiments.c: AfficherPersonnagePrePlace", "Erreur2");
            else if (dir == 2) Erreur_Question("Batiments.c: AfficherPersonnagePrePlace", "Erreur1");
            else Erreur_Question("Batiments.c: AfficherPersonnagePrePlace", "Erreur3");
        } else {
            Sprite__Affiche(GfxDuMaitre(ObjetGfx_ANIM__SPL, m), sx, sy, base + dir * 12);
        }
        return 1;
    }
    return 0;
}
