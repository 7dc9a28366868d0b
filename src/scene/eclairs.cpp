#include "scene/eclairs.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>
#include <vector>

#include "battle/coups.h"
#include "foundation/ecran.h"
#include "foundation/erreurs.h"
#include "foundation/son.h"
#include "foundation/tuiles.h"
#include "platform/hasard.h"
#include "scene/particules.h"
#include "scene/particules_effets.h"
#include "shell/trame.h"
#include "world/objets.h"

Eclair* ListeEclairs = nullptr;
double EclairNombrePoints = 0.0;
void (*Eclair__Degats)(int32_t cible, Objet* attaquant, int32_t mode) = EvenementDegats;

namespace {

constexpr int32_t ACTION_MODE_7 = 21;

// An object that is on the map: a slot in use.
Objet* Present(int32_t indice) {
    if (indice <= 0 || indice >= NOMBRE_OBJETS) return nullptr;
    Objet* o = &TableObjets[static_cast<size_t>(indice)];
    return o->noeudListe ? o : nullptr;
}

bool MourantOuMort(int32_t indice) {
    const Objet* o = Present(indice);
    return o == nullptr || o->ordreSecondaire == 3 || o->ordreSecondaire == 4;
}

int32_t Tronquer(double v) {
    if (!(v == v)) return 0;
    return static_cast<int32_t>(std::clamp(std::trunc(v), double{std::numeric_limits<int32_t>::min()},
                                           double{std::numeric_limits<int32_t>::max()}));
}

Eclair* Tete(Eclair* e) {
    while (e && e->precedent) e = e->precedent;
    return e;
}

// The jags between the two ends, the random draws in the visual stream.
void Chemin(Eclair* e) {
    const int32_t x = e->departX, y = e->departY, ex = e->arriveeX, ey = e->arriveeY;
    e->points[0] = {x, y};
    e->points[POINTS_ECLAIR - 1] = {ex, ey};
    const float pasX = static_cast<float>(x - ex) / 17.0f;
    const float pasY = static_cast<float>(y - ey) / 17.0f;
    float m = 0.0f, b = 0.0f, px = 0.0f, py = 0.0f;
    if (x != ex) {
        m = static_cast<float>(ey - y) / static_cast<float>(ex - x);
        b = static_cast<float>(y) - static_cast<float>(x) * m;
    }
    if (x != ex && ey != y) {
        // 20 pixels across the bolt.
        const float p = -1.0f / m;
        const float q = static_cast<float>(y) - static_cast<float>(x) * p;
        const int32_t x1 = x + 20;
        const int32_t y1 = Tronquer(p * static_cast<float>(x1) + q);
        const float dx = 20.0f, dy = static_cast<float>(y1 - y);
        const float longueur = std::sqrt(dx * dx + dy * dy);
        px = dx * 20.0f / longueur;
        py = dy * 20.0f / longueur;
    }
    for (int i = 1; i < POINTS_ECLAIR - 1; ++i) {
        const auto& avant = e->points[i - 1];
        auto& pt = e->points[i];
        if (x == ex && y != ey) {
            pt[1] = Tronquer(static_cast<float>(avant[1]) - pasY);
            pt[0] = x + 6 - Hasard_Visuel() % 12;
        } else if (y == ey && x != ex) {
            pt[0] = Tronquer(static_cast<float>(avant[0]) - pasX);
            pt[1] = y + 6 - Hasard_Visuel() % 12;
        } else if (x == ex) {
            pt = {x, y};
        } else {
            if (std::abs(int64_t{x} - ex) > std::abs(int64_t{y} - ey)) {
                pt[0] = Tronquer(static_cast<float>(x) - static_cast<float>(i) * pasX);
                pt[1] = Tronquer(static_cast<float>(pt[0]) * m + b);
            } else {
                pt[1] = Tronquer(static_cast<float>(y) - static_cast<float>(i) * pasY);
                pt[0] = Tronquer((static_cast<float>(pt[1]) - b) / m);
            }
            const float r = static_cast<float>(3 - Hasard_Visuel() % 5) / 10.0f;
            pt[0] += Tronquer(r * px);
            pt[1] += Tronquer(r * py);
        }
    }
}

void Etincelles(Eclair* e) {
    for (const auto& pt : e->points)
        Particules_Emission(EffetEclair, PlanParticules2.data(), CAPACITE_PLAN_PARTICULES, &NombreParticules2,
                            pt[0] - ReperePixelX, pt[1] - ReperePixelY, 0, 0, 0, -1);
}

void Point(int64_t x, int64_t y) {
    const int64_t sx = x - ReperePixelX, sy = y - ReperePixelY;
    if (!(sy - 1 > 0 && sy + 1 < HauteurEcran && sx - 1 > 8 && sx + 1 < LargeurEcran - 8)) return;
    const int32_t px = static_cast<int32_t>(sx), py = static_cast<int32_t>(sy);
    Pixel_AjoutRGB(EcranTampon, px, py, 15, 25, 31);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (dx || dy) Pixel_AjoutRGB(EcranTampon, px + dx, py + dy, 5, 5, 15);
}

}  // namespace

Eclair* EclairAjout(Eclair* liste) {
    auto* e = new (std::nothrow) Eclair();
    if (e == nullptr) {
        if (liste == nullptr) Erreur_Question("Eclair Ajout", "Not enough memory");
        return nullptr;
    }
    if (liste) {
        while (liste->suivant) liste = liste->suivant;
        liste->suivant = e;
        e->precedent = liste;
    }
    return e;
}

Eclair* Eclair__Creation(int32_t x, int32_t y, int32_t, int32_t cible, int32_t lanceur) {
    EclairNombrePoints = 2.0;
    const Objet* t = Present(cible);
    const Objet* l = Present(lanceur);
    if (t == nullptr || l == nullptr) return nullptr;
    Eclair* e = EclairAjout(ListeEclairs);
    if (e == nullptr) return nullptr;
    if (ListeEclairs == nullptr) ListeEclairs = e;
    e->cible = cible;
    e->lanceur = lanceur;
    e->modeDegats = l->action == ACTION_MODE_7 ? 7 : 6;
    // The centre of the target's footprint, whatever its size.
    const int32_t s = std::clamp(t->taille, 0, 6);
    e->arriveeX = t->x * 24 + t->decalageX + 8 + 12 * s;
    e->arriveeY = (t->y - 1) * 24 + t->decalageY + 12 * s;
    e->departX = x;
    e->departY = y;
    e->instantCourant = e->dernierTrace = e->derniereEtincelle = e->instantControle = e->naissance = HorlogeJeu;
    EclairNombrePoints += 1.0 + 2.0 + 4.0 + 8.0;
    Chemin(e);
    Son__Joue(SON_TONNERRE);
    ListeEclairs = Tete(ListeEclairs);
    return e;
}

Eclair* Eclair__Suppression(Eclair* e) {
    if (e == nullptr) return nullptr;
    Eclair* suivant = e->suivant;
    Eclair* precedent = e->precedent;
    if (precedent) precedent->suivant = suivant;
    if (suivant) suivant->precedent = precedent;
    if (ListeEclairs == e) ListeEclairs = suivant ? suivant : nullptr;
    delete e;
    return suivant ? suivant : precedent;
}

Eclair* Eclair__Impact(Eclair* e) {
    if (e == nullptr) return nullptr;
    if (Eclair__Degats && Present(e->cible) && Present(e->lanceur))
        Eclair__Degats(e->cible, &TableObjets[static_cast<size_t>(e->lanceur)], e->modeDegats);
    return Eclair__Suppression(e);
}

void Eclair__Gestion() {
    // The bolts of the list as the pass starts: those remade during it are not walked again.
    std::vector<Eclair*> bolts;
    for (Eclair* e = ListeEclairs; e; e = e->suivant) bolts.push_back(e);
    for (Eclair* e : bolts) {
        const uint32_t maintenant = HorlogeJeu;
        e->instantCourant = maintenant;
        if (static_cast<int32_t>(e->dernierTrace - maintenant) > 0) e->dernierTrace = maintenant;
        e->instantControle = maintenant;
        if (static_cast<int32_t>(e->derniereEtincelle - maintenant) > 0) e->derniereEtincelle = maintenant;

        if (MourantOuMort(e->cible) || MourantOuMort(e->lanceur)) {
            Eclair__Suppression(e);
            continue;
        }
        if (maintenant - e->naissance >= DUREE_ECLAIR) {
            Eclair__Impact(e);
            continue;
        }
        if (maintenant - e->dernierTrace > PERIODE_TRACE_ECLAIR) {
            Eclair* nouveau = Eclair__Creation(e->departX, e->departY, 4, e->cible, e->lanceur);
            if (nouveau) {
                nouveau->instantControle = e->instantControle;
                nouveau->derniereEtincelle = e->derniereEtincelle;
                nouveau->naissance = e->naissance;
                Eclair__Suppression(e);
                e = nouveau;
            }
        }
        if (maintenant - e->derniereEtincelle > PERIODE_ETINCELLES || e->derniereEtincelle == maintenant) {
            e->derniereEtincelle = e->instantControle = maintenant;
            Etincelles(e);
        }
    }
    ListeEclairs = Tete(ListeEclairs);
}

void Eclair__Affichage(Eclair* liste) {
    if (EcranTampon == nullptr) return;
    for (Eclair* e = liste; e; e = e->suivant)
        for (int i = 0; i + 1 < POINTS_ECLAIR; ++i)
            Eclair__Ligne(e->points[i][0], e->points[i][1], e->points[i + 1][0], e->points[i + 1][1]);
}

void Eclair__Ligne(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (EcranTampon == nullptr) return;
    const int64_t dx = int64_t{x2} - x1, dy = int64_t{y2} - y1;
    const int64_t sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    const int64_t adx = std::abs(dx), ady = std::abs(dy);
    const bool selonX = adx >= ady;
    const int64_t grand = selonX ? adx : ady, petit = selonX ? ady : adx;
    int64_t erreur = 2 * petit - grand;
    int64_t x = x1, y = y1;
    for (int64_t k = 0; k <= grand; ++k) {
        Point(x, y);
        if (erreur < 0) {
            if (selonX) x += sx;
            else y += sy;
            erreur += 2 * petit;
        } else {
            x += sx;
            y += sy;
            erreur += 2 * (petit - grand);
        }
    }
}

void Eclair__Liberation() {
    Eclair* e = Tete(ListeEclairs);
    while (e) {
        Eclair* suivant = e->suivant;
        delete e;
        e = suivant;
    }
    ListeEclairs = nullptr;
}
