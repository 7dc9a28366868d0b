#include "battle/cadavres.h"

#include <cstdio>

#include "battle/coups.h"
#include "battle/humains.h"
#include "foundation/objetsgfx.h"
#include "platform/fichiers.h"
#include "shell/trame.h"
#include "world/maitres.h"
#include "world/mort.h"
#include "world/objets.h"

namespace {

constexpr int MAITRE_CADAVRE = 308, ARMEE_CADAVRES = 4, DUREE_CADAVRE = 168;

}  // namespace

void Cadavre__Creation(int objet) {
    if (objet < 1 || objet >= NOMBRE_OBJETS) return;
    Objet& o = TableObjets[objet];
    const int n = Unite__CreationSeule(MAITRE_CADAVRE, ARMEE_CADAVRES, o.x, o.y, 1);
    if (n == 0) return;
    Objet& c = TableObjets[n];
    c.maitreCadavre() = o.typeMaitre;
    c.niveauCadavre() = o.niveau;
    c.decalageX = o.decalageX;
    c.decalageY = o.decalageY;
    c.taille = o.taille;
    c.dureeCadavre() = DUREE_CADAVRE;
    c.animation = o.animation == 17 || o.animation == 18 || o.animation == 19 ? o.animation : 18;
    c.ordreSecondaire = 3;

    // The counts of the dead object's animations.
    ObjetCourant = &o;
    const int directions = Animation__NombreDirections(o.animation);
    const int imagesMort = Animation__NombreImages(o.animation);
    const int imagesCadavre = Animation__NombreImages(c.animation);
    switch (directions) {
        case 4:
        case 8: c.imageCadavre = o.direction * imagesMort + imagesCadavre - 1; break;   // the last frame of the death
        case 16: c.imageCadavre = o.direction; break;
        case 1:
            if (o.typeMaitre == 124) c.imageCadavre = 11;
            break;
        default:
            c.imageCadavre = 0;
            if (FILE* f = Fichier_Ouvrir("ErreurCadavre.txt", "wt")) {
                std::fprintf(f, "objet de type %d\n", o.typeMaitre);
                std::fprintf(f, "sort9  %d\n", o.delaiMort());
                std::fprintf(f, "DirectionNombre  %d\n", directions);
                std::fprintf(f, "animation  %d\n", o.animation);
                std::fprintf(f, "camp %d\n", o.categorie);
                std::fclose(f);
            }
            break;
    }
    ObjetCourant = &c;
}

void Minuterie__Gestion() {
    Objet* c = ObjetCourant;
    if (c == nullptr) return;
    if (--c->dureeCadavre() <= 0) Objet__Mort(c->indice, 3);
}

void CadavreAffichage() {
    Objet* c = ObjetCourant;
    if (c == nullptr || c->mourant != 0) return;
    // A corpse of a size the picture has no place for is not drawn.
    if (c->taille < 1 || c->taille > 4) return;
    const int k = 12 * c->taille;
    const int px = (c->x - RepereX) * 24 + c->decalageX + 8 + k;
    const int py = (c->y - RepereY) * 24 + c->decalageY + k;
    const int m = c->maitreCadavre();
    if (m < 0 || m >= NOMBRE_TYPES_MAITRES) return;
    const TableParMaitre* table = nullptr;
    switch (c->animation) {
        case 17: table = &ObjetGfx_ANIM__VOR; break;
        case 18: table = &ObjetGfx_ANIM__MOR; break;
        case 19: table = &ObjetGfx_ANIM__MOV; break;
        default: return;
    }
    Sprite__AfficheTrs((*table)[static_cast<size_t>(m)], px, py, c->imageCadavre,
                       static_cast<uint8_t>(c->dureeCadavre() / 8 + 10));
    if (m == 7 || m == 14 || m == 22 || m == 29) Sprite__Affiche((*table)[42], px, py, c->imageCadavre);
}
