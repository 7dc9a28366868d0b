#include "scene/elements.h"

#include <algorithm>

#include "foundation/objetsgfx.h"
#include "scene/particules.h"
#include "scene/particules_effets.h"
#include "shell/cycles.h"
#include "shell/trame.h"
#include "world/descriptions.h"
#include "world/effondrement.h"
#include "world/grilles.h"
#include "world/maitres.h"
#include "world/objets.h"

namespace {

constexpr int FAMILLE_BATIMENT = 1;
constexpr int ELEMENTS = 11;

bool EstPorte(int type) { return type == 411 || type == 451 || type == 490 || type == 529 || type == 568; }

// Someone other than a building stands in the gate's passage: its footprint but the last column
// and the last four rows.
bool PassageOccupe(const Objet& o, const DescriptionBatiment& d) {
    if (GrilleUnites == nullptr) return false;
    for (int r = o.y; r < o.y + d.hauteur - 4; ++r)
        for (int c = o.x; c < o.x + d.largeur - 1; ++c) {
            if (r < 0 || r >= TAILLE_UNIVERS || c < 0 || c >= TAILLE_UNIVERS) continue;
            const int32_t v = GrilleUnites[r * TAILLE_UNIVERS + c];
            if (v == 0 || v == o.indice || v < 0 || v >= NOMBRE_OBJETS) continue;
            if (TableObjets[static_cast<size_t>(v)].famille != FAMILLE_BATIMENT) return true;
        }
    return false;
}

int Gfx(const TableParMaitre& table, int type) {
    return type >= 0 && type < NOMBRE_TYPES_MAITRES ? table[static_cast<size_t>(type)] : -1;
}

// A flag's next frame, on even game frames.
void Avancer(int16_t& image) {
    if (CompteurCycle20 % 2 != 0) return;
    ++image;
    if (image >= 12 || image < 0) image = 0;
}

void Emettre(EffetParticule* effet, int x, int y) {
    Particules_Emission(effet, PlanParticules1.data(), CAPACITE_PLAN_PARTICULES, &NombreParticules1, x, y, 1, 0, -2,
                        -1);
}

}  // namespace

void Batiment__AffichageElements(int x, int y) {
    Objet* o = ObjetCourant;
    DescriptionBatiment* d = DescriptionBatimentCourante;
    if (o == nullptr || d == nullptr) return;

    if (EstPorte(o->typeMaitre) && PassageOccupe(*o, *d)) {
        if (o->aleaAffichage > 15) --o->aleaAffichage;
    } else if (o->aleaAffichage < 31) {
        ++o->aleaAffichage;
    }

    const int nombre = std::clamp(d->nbElements, 0, ELEMENTS);
    for (int i = 0; i < nombre; ++i) {
        const int maitre = d->elementSprite[i];
        const int ex = x + d->elementX[i], ey = y + d->elementY[i];
        int16_t& image = d->elementPhase[i];
        switch (d->elementNature[i]) {
            case 1: {
                const int direction = d->elementDirection[i];
                const int n = direction == 0   ? Gfx(ObjetGfx_ANIM__ARE, maitre)
                              : direction == 1 ? Gfx(ObjetGfx_ANIM__ARA, maitre)
                              : direction == 2 ? Gfx(ObjetGfx_ANIM__DPL, maitre)
                                               : -1;
                Sprite__Affiche(n, ex, ey, image);
                Avancer(image);
                break;
            }
            case 2:
                Sprite__Affiche(Gfx(ObjetGfx_ANIM__DPL, maitre), ex, ey, d->elementDirection[i] * 12 + image);
                Avancer(image);
                break;
            case 3: {
                const int n = Gfx(ObjetGfx_ANIM__DPL, maitre);
                if (o->aleaAffichage >= 31) Sprite__Affiche(n, ex, ey, 0);
                else Sprite__AfficheTrs(n, ex, ey, 0, static_cast<uint8_t>(std::max(o->aleaAffichage, 0)));
                if (FlashDestruction != 0)
                    Sprite__AfficheEclaire(static_cast<int16_t>(n), static_cast<int16_t>(ex), static_cast<int16_t>(ey), 0,
                                           FlashDestruction, FlashDestruction, FlashDestruction);
                break;
            }
            case 7:
                Sprite__Affiche(Gfx(ObjetGfx_ANIM__DPL, maitre), ex, ey, image);
                Avancer(image);
                break;
            case 8:
                if (!JeuEnPause && TopFumee) Emettre(EffetFumeeMaison, ex, ey);
                break;
            case 9:
                if (!JeuEnPause && TopFlamme) Emettre(EffetFlammeVasque, ex, ey);
                break;
            default: break;   // 0 free; 4, 5, 6 show nothing; others are not elements
        }
    }
}
