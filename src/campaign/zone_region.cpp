#include "campaign/zone_region.h"

#include <cstddef>
#include <cstdlib>

#include "campaign/region.h"
#include "foundation/listes.h"
#include "world/objets.h"

// Nothing is seen until the view zone is computed.
std::array<int32_t, LARGEUR_REGION * HAUTEUR_REGION> ZoneAccessible{};

namespace {

constexpr int FAMILLE_REGIMENT = 23;

bool Dedans(int x, int y) { return x >= 0 && x < LARGEUR_REGION && y >= 0 && y < HAUTEUR_REGION; }

void Marquer(int x, int y) {
    if (Dedans(x, y)) ZoneAccessible[static_cast<size_t>(x * HAUTEUR_REGION + y)] = 1;
}

// The eight lines to the points (cx ± i, cy ± r) and (cx ± r, cy ± i).
void Octants(int cx, int cy, int i, int r) {
    const int pts[8][2] = {{cx + i, cy + r}, {cx + i, cy - r}, {cx - i, cy + r}, {cx - i, cy - r},
                           {cx + r, cy + i}, {cx + r, cy - i}, {cx - r, cy + i}, {cx - r, cy - i}};
    for (const auto& p : pts) RegionTracerLigneVue(cx, cy, p[0], p[1]);
}

}  // namespace

int ZoneAccessible__Case(int x, int y) {
    if (!Dedans(x, y)) return 0;
    return ZoneAccessible[static_cast<size_t>(x * HAUTEUR_REGION + y)] != 0;
}

int RegionTracerLigneVue(int x0, int y0, int x1, int y1) {
    const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const int sx = x1 >= x0 ? 1 : -1, sy = y1 >= y0 ? 1 : -1;
    const int pas = dx > dy ? dx : dy;
    int x = x0, y = y0, e = 0;
    for (int k = 0; k < pas; ++k) {
        // One cell per step along the longer axis, the other axis by the error term.
        if (dx >= dy) {
            x += sx;
            e += dy;
            if (2 * e >= dx) {
                y += sy;
                e -= dx;
            }
        } else {
            y += sy;
            e += dx;
            if (2 * e >= dy) {
                x += sx;
                e -= dy;
            }
        }
        if (!Dedans(x, y)) continue;
        const int32_t t = Region__Terrain(x, y);
        if (t == 2 || t == 4) return 1;
        Marquer(x, y);
    }
    return 0;
}

void RegionCalculerZoneAccessible(const Objet* o) {
    if (o == nullptr || o->sorts[0] < 0 || o->sorts[0] >= REGIMENTS_REGION) return;
    const int R = RegimentsRegion[static_cast<size_t>(o->sorts[0])].vue;
    if (R <= 0) return;
    const int cx = o->x, cy = o->y;
    // Two circles, the second one cell inside the first, so that no cell between them is missed.
    for (int passe = 0; passe < 2; ++passe) {
        int i = passe, r = R - passe, d = passe == 0 ? 3 - 2 * R : 5 - 2 * R;
        while (i <= r) {
            Octants(cx, cy, i, r);
            if (d >= 0) {
                d += 4 * (i - r) + 10;
                --r;
            } else {
                d += 4 * i + 6;
            }
            ++i;
        }
    }
}

void RegionZoneAccessible__miseAJour() {
    ZoneAccessible.fill(0);
    for (NoeudEntier* n = ListeObjetsVivants; n && n->suivant; n = n->suivant) {
        if (n->valeur < 1 || n->valeur >= NOMBRE_OBJETS) continue;
        const Objet& o = TableObjets[static_cast<size_t>(n->valeur)];
        if (o.noeudListe == nullptr || o.famille != FAMILLE_REGIMENT || !Dedans(o.x, o.y)) continue;
        Marquer(o.x, o.y);
        RegionCalculerZoneAccessible(&o);
    }
}
