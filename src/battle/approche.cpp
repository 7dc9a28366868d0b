#include "battle/approche.h"

#include <cmath>
#include <cstdlib>

#include "battle/engagement.h"
#include "battle/occupation.h"
#include "platform/hasard.h"
#include "world/groupes.h"
#include "world/objets.h"

namespace {

bool Valide(int n) { return n >= 1 && n < NOMBRE_OBJETS; }

uint32_t* Carte(const Objet& u) { return u.couche == 2 ? CarteOccupationAir : CarteOccupationSol; }

bool Ouverte(const Objet& u, int x, int y) {
    const int t = u.taille > 0 ? u.taille : 1;
    if (x < 0 || y < 0 || x + t > COTE_CARTE || y + t > COTE_CARTE) return false;
    const int r = Occupation__Test(t, t, x, y, Carte(u), u.numeroObjet);
    return r == 0 || r == u.numeroObjet;
}

bool Candidate(const Objet& u, int x, int y) {
    return Ouverte(u, x, y) && !(x == u.xPrecedent && y == u.yPrecedent);
}

// The step by the fixed candidate order; false when none is claimed.
bool ChoisitPas(Objet& u, int sx, int sy, int ax, int ay) {
    const int x = u.x, y = u.y;
    auto prend = [&](int cx, int cy) {
        u.prochaineCaseX = cx;
        u.prochaineCaseY = cy;
        return true;
    };
    if (ax <= ay) {
        if (Candidate(u, x, y + sy)) return prend(x, y + sy);
        if (Candidate(u, x + sx, y + sy)) return prend(x + sx, y + sy);
        if (Candidate(u, x - sx, y + sy)) return prend(x - sx, y + sy);
        if (Candidate(u, x + sx, y)) return Ouverte(u, x + 2 * sx, y + sy) && prend(x + sx, y);
        if (Candidate(u, x - sx, y)) return Ouverte(u, x - 2 * sx, y + sy) && prend(x - sx, y);
        return false;
    }
    if (Candidate(u, x + sx, y)) return prend(x + sx, y);
    if (Candidate(u, x + sx, y - sy)) return prend(x + sx, y - sy);
    if (Candidate(u, x + sx, y + sy)) return prend(x + sx, y + sy);
    if (Candidate(u, x, y - sy)) return Ouverte(u, x + sx, y - 2 * sy) && prend(x, y - sy);
    if (Candidate(u, x, y + sy)) return Ouverte(u, x + sx, y + 2 * sy) && prend(x, y + sy);
    return false;
}

}  // namespace

double Case__Distance(int x1, int y1, int x2, int y2) {
    const double dx = x2 - x1, dy = y2 - y1;
    return std::sqrt(dx * dx + dy * dy);
}

int Unite__Engager(int objet, int cible) {
    if (!Valide(objet) || !Valide(cible)) return 0;
    Objet& u = TableObjets[objet];
    const Objet& t = TableObjets[cible];
    if (u.groupe < 1 || u.groupe >= NOMBRE_GROUPES) return 0;
    Groupe& g = TableGroupes[u.groupe];
    const int taille = u.taille > 0 ? u.taille : 1;
    u.prochaineCaseX = u.x;
    u.prochaineCaseY = u.y;

    if ((u.ordreSecondaire == 1 && u.auContact == 1) || (g.toursArrivee > 0 && g.ordreAttaque == 0)) {
        Occupation__Pose(taille, taille, u.x, u.y, Carte(u), 0);
        Occupation__Pose(taille, taille, u.x, u.y, Carte(u), u.numeroObjet);
        return g.toursArrivee > 0 ? 1 : 0;
    }
    if (u.auContact == 0 && g.modeFormation != 1 &&
        static_cast<int>(Case__Distance(u.x, u.y, g.rectangle[0], g.rectangle[1])) > 20) {
        u.ordreSecondaire = 2;
        Unite__FinEngagement(objet);
        return 0;
    }
    if (t.taille < 1) {
        const int r = Occupation__Avance(objet, u.numeroObjet);
        return u.couche == 2 ? r : 0;
    }
    const int lignes = u.couche == 2 ? 1 : t.taille;
    for (int a = 0; a < lignes; ++a)
        for (int b = 0; b < t.taille; ++b) {
            const int tx = t.x + b, ty = t.y + a;
            int sx, sy;
            if (Hasard_Regles() % 2 == 0) {
                sx = u.x < tx ? 1 : -1;
                sy = u.y < ty ? 1 : -1;
            } else {
                sx = tx < u.x ? -1 : 1;
                sy = ty < u.y ? -1 : 1;
            }
            const int portee = u.porteeAttaque - Hasard_Regles() % 3;
            if (std::abs(tx - u.x) <= portee && std::abs(ty - u.y) <= portee) {
                Occupation__Avance(objet, u.numeroObjet);
                return 1;
            }
            const int ax = (tx - u.x) * sx, ay = (ty - u.y) * sy;
            if (!ChoisitPas(u, sx, sy, ax, ay)) Occupation__Avance(objet, u.numeroObjet);
            if (u.prochaineCaseX == u.x && u.prochaineCaseY == u.y) {
                Occupation__Avance(objet, u.numeroObjet);
                continue;
            }
            if (u.prochaineCaseX == u.xPrecedent && u.prochaineCaseY == u.yPrecedent) return 1;
            if (Ouverte(u, u.prochaineCaseX, u.prochaineCaseY)) {
                u.xPrecedent = u.x;
                u.yPrecedent = u.y;
                Occupation__Leve(objet, taille, taille, u.x, u.y, Carte(u), 0, 1);
                Occupation__PoseAvecPoussee2(taille, taille, u.prochaineCaseX, u.prochaineCaseY, Carte(u),
                                             u.numeroObjet, 0);
                if (g.engagementLibre == 0 && g.groupeCibleIA != -1 && t.groupe == g.groupeCibleIA) {
                    g.enFuite = 1;
                    g.pasX = g.pasY = 0;
                    g.pointCourant = g.nbPointsTrajet;
                    g.modeFormation = 1;
                }
            } else {
                Occupation__Avance(objet, u.numeroObjet);
            }
            return 1;
        }
    Occupation__Avance(objet, u.numeroObjet);
    return 0;
}
