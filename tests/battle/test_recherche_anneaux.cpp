#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "battle/cibles.h"
#include "battle/engagement.h"
#include "combat_fixture.h"
#include "world/mort.h"

namespace {

// Random crowds on the map (near its edges too): the ring searches must answer as the plain walk
// of every cell, ring after ring in its order, with the same effect on the searching unit.
class RechercheAnneaux : public CombatEssai {
  protected:
    uint32_t graine = 777;
    int Hasard(int n) {
        graine = graine * 1103515245u + 12345u;
        return static_cast<int>((graine >> 16) % static_cast<uint32_t>(n));
    }

    // Cells (i, j) of ring r round the footprint of side s at (x, y), in the walk's order.
    template <typename F>
    static int PourLAnneau(int x, int y, int r, int s, F&& f) {
        const int d = x + r + s - 1, b = y + r + s - 1;
        for (int i = x - r; i <= d; ++i)
            if (const int n = f(i, y - r)) return n;
        for (int j = y - r + 1; j <= b - 1; ++j)
            if (const int n = f(d, j)) return n;
        for (int i = d; i >= x - r; --i)
            if (const int n = f(i, b)) return n;
        for (int j = b - 1; j >= y - r + 1; --j)
            if (const int n = f(x - r, j)) return n;
        return 0;
    }

    static int ChercherParToutesLesCases(int objet, int portee, int filtre) {
        const Objet& u = TableObjets[objet];
        const Groupe* g = u.groupe >= 1 && u.groupe < NOMBRE_GROUPES && TableGroupes[u.groupe].membres
                              ? &TableGroupes[u.groupe]
                              : nullptr;
        if (u.sorts[0] != -1 && (!g || g->ordreAttaque == 0)) filtre = -1;
        const int r0 = u.famille == FAMILLE_DRAGON ? 4 : 1;
        const int s = u.taille > 0 ? u.taille : 1;
        const bool loin = u.classe == CLASSE_ARCHER || u.couche == 2 || u.sorts[0] != -1 || u.famille == FAMILLE_MACHINES;
        for (const int couche : {2, 1}) {
            if (couche == 2 && !loin) continue;
            for (int r = r0; r <= portee; ++r)
                if (const int n = PourLAnneau(u.x, u.y, r, s, [&](int i, int j) {
                        return Case__ContientCible(objet, filtre, i, j, couche);
                    }))
                    return n;
        }
        return 0;
    }

    // The lists as the plain walk of every cell fills them: each cell of each ring offered, and a
    // full enemy list ending the search after a side.
    static int ListesParToutesLesCases(int objet, int filtre) {
        Objet& o = TableObjets[objet];
        const bool groupe = o.groupe >= 1 && o.groupe < NOMBRE_GROUPES;
        if (o.sorts[0] != -1 && (!groupe || TableGroupes[o.groupe].ordreAttaque == 0)) filtre = -1;
        o.dernierEnnemi = o.dernierAllie = -1;
        const int r0 = o.famille == FAMILLE_DRAGON ? 4 : 1;
        const int s = o.taille > 0 ? o.taille : 1;
        const int p = o.porteeAttaque;
        auto pleine = [&] { return o.dernierEnnemi >= TAILLE_LISTE_CIBLES - 1; };
        for (const int mode : {2, 1}) {
            if (mode == 2 && !Unite__CombatADistance(objet)) continue;
            for (int r = r0; r <= p; ++r) {
                const int g = o.x - r, h = o.y - r, d = o.x + r + s - 1, b = o.y + r + s - 1;
                auto offre = [&](int i, int j) { Objet__AjouteCible(objet, filtre, i, j, mode); };
                for (int i = g; i <= d; ++i) offre(i, h);
                if (pleine()) return 1;
                for (int j = h + 1; j <= b - 1; ++j) offre(d, j);
                if (pleine()) return 1;
                for (int i = d; i >= g; --i) offre(i, b);
                if (pleine()) return 1;
                for (int j = b - 1; j >= h + 1; --j) offre(g, j);
                if (pleine()) return 1;
            }
        }
        return o.dernierEnnemi >= 0 ? 1 : 0;
    }

    static std::vector<int32_t> Liste(const int32_t* l, int dernier) { return {l, l + dernier + 1}; }

    // A crowd of a few armies in a region of the map, with flyers, large units, the dying, the
    // inactive, off-table armies, a released slot still on the grid, and walls of the placeholder.
    void Foule() {
        std::fill(GrilleUnites, GrilleUnites + 128 * 128, 0);
        std::fill(GrilleAir, GrilleAir + 128 * 128, 0);
        for (int a = 0; a < 6; ++a)
            for (int b = 0; b < 6; ++b) TableAttaque[a][b] = a != b && Hasard(4) != 0;
        Fixe(1, 0, 0);
        TableObjets[1].armee = ARMEE_REPERE;
        const int cote = 20 + Hasard(40);
        const int ox = Hasard(3) == 0 ? 0 : Hasard(3) == 0 ? 128 - cote : Hasard(128 - cote);
        const int oy = Hasard(3) == 0 ? 0 : Hasard(3) == 0 ? 128 - cote : Hasard(128 - cote);
        for (int k = 0; k < cote; ++k) GrilleUnites[(ox + Hasard(cote)) + 128 * (oy + Hasard(cote))] = 1;
        for (int g = 1; g <= 6; ++g) GroupeAvec(g, {}).engagementLibre = Hasard(2);
        nombre = 3 + Hasard(cote * cote / 3);
        for (int n = 2; n < nombre; ++n) {
            const int x = ox + Hasard(cote), y = oy + Hasard(cote);
            const bool volant = Hasard(8) == 0;
            Objet& o = Unite(n, x, y, Hasard(10) == 0 ? 2 : 1, volant ? 2 : 1, 1 + Hasard(6));
            Objet__AlloueTrajet(n);   // its candidate lists
            o.armee = Hasard(12) == 0 ? 6 + Hasard(3) : Hasard(4);
            o.sorts[0] = Hasard(6) == 0 ? 3 : -1;
            o.typeMaitre = Hasard(20) == 0 ? 18 : 1;
            o.classe = Hasard(5) == 0 ? CLASSE_ARCHER : 0;
            o.famille = Hasard(15) == 0 ? FAMILLE_DRAGON : 0;
            o.porteeAttaque = Hasard(12) == 0 ? 28 + Hasard(8) : Hasard(6);   // some beyond 64-cell squares
            o.ordreSecondaire = Hasard(10) == 0 ? 3 : 2;
            if (Hasard(10) == 0) o.actif = 0;
            if (Hasard(30) == 0) o.numeroObjet = 0;   // released, still stamped
        }
    }
    int nombre = 0;
};

TEST_F(RechercheAnneaux, LaCibleTrouveeAutourEstCelleDeLaMarcheDeToutesLesCases) {
    int trouvees = 0;
    for (int tour = 0; tour < 60; ++tour) {
        Foule();
        for (int essai = 0; essai < 40; ++essai) {
            const int objet = 2 + Hasard(nombre - 2);
            const int portee = Hasard(8) == 0 ? 28 + Hasard(8) : Hasard(15);
            const int filtre = Hasard(3) == 0 ? -1 : 1 + Hasard(6);
            Objet& u = TableObjets[objet];
            u.groupeCible = -7;
            const int attendu = ChercherParToutesLesCases(objet, portee, filtre);
            const int groupeCible = u.groupeCible;
            u.groupeCible = -7;
            ASSERT_EQ(Unite__ChercherCibleAutour(objet, portee, filtre), attendu) << "tour " << tour << " objet " << objet;
            ASSERT_EQ(u.groupeCible, groupeCible) << "tour " << tour << " objet " << objet;
            trouvees += attendu != 0;
        }
    }
    EXPECT_GT(trouvees, 300);   // most searches find something, at every distance
}

TEST_F(RechercheAnneaux, LesListesDeCiblesSontCellesDeLaMarcheDeToutesLesCases) {
    int pleines = 0, remplies = 0;
    for (int tour = 0; tour < 60; ++tour) {
        Foule();
        for (int essai = 0; essai < 40; ++essai) {
            const int objet = 2 + Hasard(nombre - 2);
            const int filtre = Hasard(3) == 0 ? -1 : 1 + Hasard(6);
            Objet& u = TableObjets[objet];
            const int attendu = ListesParToutesLesCases(objet, filtre);
            const auto ennemis = Liste(u.listeEnnemis, u.dernierEnnemi), allies = Liste(u.listeAllies, u.dernierAllie);
            ASSERT_EQ(Objet__ChercheCibles(objet, filtre), attendu) << "tour " << tour << " objet " << objet;
            ASSERT_EQ(Liste(u.listeEnnemis, u.dernierEnnemi), ennemis) << "tour " << tour << " objet " << objet;
            ASSERT_EQ(Liste(u.listeAllies, u.dernierAllie), allies) << "tour " << tour << " objet " << objet;
            pleines += u.dernierEnnemi == TAILLE_LISTE_CIBLES - 1;
            remplies += !ennemis.empty() && !allies.empty();
        }
    }
    EXPECT_GT(pleines, 10);     // lists filled up to their end
    EXPECT_GT(remplies, 300);   // and most with both friends and foes
}

}  // namespace
