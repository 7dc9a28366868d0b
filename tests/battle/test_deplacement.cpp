// Unit movement: slots, steps, side-steps, the block slide, pixel offsets, and a group walking
// round a wall into its rectangle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "battle/deplacement.h"
#include "battle/formations.h"
#include "battle/occupation_fixture.h"
#include "battle/ordres.h"
#include "world/gestion_objets.h"

namespace {

class Deplacement : public CarteEssai {
  protected:
    void TearDown() override {
        ObjetCourant = nullptr;
        GroupesGeres = 0;
        CarteEssai::TearDown();
    }
    Objet& Soldat(int n, int x, int y, int groupe, int taille = 1) {
        Objet& o = Unite(n, x, y, taille, 1, groupe);
        Objet__AlloueTrajet(n);
        o.vitesse = 24;
        return o;
    }
    static void Rectangle(Groupe& g, int x0, int y0, int x1, int y1) {
        g.rectangle[0] = x0;
        g.rectangle[1] = y0;
        g.rectangle[2] = x1;
        g.rectangle[3] = y1;
    }
};

TEST_F(Deplacement, CasesDeLaGrilleDesEmplacements) {
    Soldat(1, 10, 10, 5, 2);
    Groupe& g = GroupeAvec(5, {1});
    Rectangle(g, 15, 13, 10, 10);   // corners in either order
    struct Cas {
        int x, y, attendu;
    };
    const Cas cas[] = {{10, 10, 0}, {12, 10, 0}, {14, 12, 0}, {11, 10, 1}, {10, 11, 1},
                       {15, 10, 1}, {9, 10, 1},  {10, 13, 1}};
    for (const Cas& c : cas)
        EXPECT_EQ(Formation__UniteDansRectangle(1, c.x, c.y, 5), c.attendu) << c.x << "," << c.y;
}

TEST_F(Deplacement, DecalageRameneAZeroParLaVitesse) {
    struct Cas {
        int vitesse;
        std::vector<int> suite;
    };
    const Cas cas[] = {{4, {20, 16, 12, 8, 4, 0, 0}}, {7, {17, 10, 3, 0}}, {0, {24, 24}}};
    for (const Cas& c : cas) {
        Objet& o = Soldat(1, 10, 10, -1);
        o.vitesse = c.vitesse;
        o.decalageX = 24;
        o.decalageY = -24;
        o.animation = 3;
        ObjetCourant = &o;
        for (int attendu : c.suite) {
            Objet__Deplacement();
            EXPECT_EQ(o.decalageX, attendu) << "vitesse " << c.vitesse;
            EXPECT_EQ(o.decalageY, -attendu);
        }
        EXPECT_EQ(o.animation, 0);   // walking while the offset is not 0
    }
}

TEST_F(Deplacement, EntreeDansLaCaseSuivante) {
    Objet& o = Soldat(1, 10, 10, -1);
    o.vitesse = 4;
    o.prochaineCaseX = 9;
    o.prochaineCaseY = 11;
    GroupesGeres = 1;
    ObjetCourant = &o;
    Objet__Deplacement();
    EXPECT_EQ(o.x, 9);
    EXPECT_EQ(o.y, 11);
    EXPECT_EQ(o.decalageX, 20);   // came from the right
    EXPECT_EQ(o.decalageY, -20);  // came from above
    EXPECT_EQ(GrilleUnites[9 + 128 * 11], 1);
    EXPECT_EQ(GrilleUnites[10 + 128 * 10], 0);

    // Standing still two movement frames in a row shows the idle animation.
    Objet& p = Soldat(2, 30, 30, -1);
    ObjetCourant = &p;
    Objet__Deplacement();
    EXPECT_EQ(p.arretFinCycle, 1);
    EXPECT_NE(p.animation, 5);
    Objet__Deplacement();
    EXPECT_EQ(p.animation, 5);

    // A next cell off the map never takes the unit off it.
    Objet& q = Soldat(3, 127, 0, -1);
    q.prochaineCaseX = 128;
    q.prochaineCaseY = -1;
    ObjetCourant = &q;
    Objet__Deplacement();
    EXPECT_EQ(q.x, 127);
    EXPECT_EQ(q.y, 0);
}

TEST_F(Deplacement, ContourneUneFoisPuisAttend) {
    Fixe(100, 11, 10);
    Occupation__Reconstruit();
    Objet& o = Soldat(1, 10, 10, 5);
    Groupe& g = GroupeAvec(5, {1}, 0);
    Rectangle(g, 60, 60, 61, 61);
    const PointTrajet chemin[] = {{11, 10}, {12, 10}, {13, 10}};
    std::copy(std::begin(chemin), std::end(chemin), o.trajet);
    o.nbPointsTrajetUnite = 3;
    o.modeDeplacement = 2;
    Occupation__Pose(1, 1, 10, 10, CarteOccupationSol, 1);

    EXPECT_EQ(Unite__Pas(1, 0, 0, -1, 5), 1);
    EXPECT_EQ(o.contourne, 1);
    EXPECT_EQ(o.attenteCase, 1);
    EXPECT_EQ(o.prochaineCaseX, 11);   // d + 1: north-east
    EXPECT_EQ(o.prochaineCaseY, 9);
    EXPECT_EQ(Sol(11, 9), 1u);

    // Back on its cell, still blocked: no second side-step.
    o.prochaineCaseX = 10;
    o.prochaineCaseY = 10;
    Occupation__Pose(1, 1, 11, 9, CarteOccupationSol, 0);
    Formation__PasUnite(1, 5);
    EXPECT_EQ(Unite__Pas(1, 0, 0, -1, 5), 1);
    EXPECT_EQ(o.contourne, 0);
    EXPECT_EQ(o.modeDeplacement, 4);
    EXPECT_EQ(o.prochaineCaseX, 10);

    // North-east also blocked: the side-step goes the other way (south-east).
    Fixe(101, 11, 9);
    Occupation__Reconstruit();
    Occupation__Pose(1, 1, 10, 10, CarteOccupationSol, 1);
    o.attenteCase = 0;
    EXPECT_EQ(Unite__Pas(1, 0, 0, -1, 5), 1);
    EXPECT_EQ(o.prochaineCaseX, 11);
    EXPECT_EQ(o.prochaineCaseY, 11);
}

TEST_F(Deplacement, PousseUnAmiInoccupe) {
    struct Cas {
        int armee, modeAutre;
        bool pousse;
    };
    // An idle friend in free movement steps aside; a unit of an enemy block never does.
    const Cas cas[] = {{0, 1, true}, {1, 4, false}};
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.armee);
        Occupation__Reconstruit();
        Objet& o = Soldat(1, 10, 10, 5);
        Objet& ami = Soldat(2, 11, 10, 6);
        ami.armee = c.armee;
        ami.modeDeplacement = 4;
        Groupe& g = GroupeAvec(5, {1}, 0);
        Groupe& autre = GroupeAvec(6, {2}, c.modeAutre);
        Rectangle(g, 60, 60, 61, 61);
        Rectangle(autre, 11, 10, 11, 10);
        g.nbPointsTrajet = 9;
        g.pointCourant = 3;
        const PointTrajet chemin[] = {{11, 10}, {12, 10}, {13, 10}};
        std::copy(std::begin(chemin), std::end(chemin), o.trajet);
        o.nbPointsTrajetUnite = 3;
        o.modeDeplacement = 2;
        Occupation__Pose(1, 1, 10, 10, CarteOccupationSol, 1);
        Occupation__Pose(1, 1, 11, 10, CarteOccupationSol, 2);

        EXPECT_EQ(Unite__Pas(1, 0, 0, -1, 5), 1);
        if (c.pousse) {
            EXPECT_EQ(ami.prochaineCaseX, 12);
            EXPECT_EQ(ami.attenteCase, 1);
            EXPECT_EQ(autre.modeFormation, 1);
            EXPECT_EQ(autre.enFuite, 1);
            EXPECT_EQ(g.nbPointsTrajet, 3);   // the pusher's group drops the rest of its path
            EXPECT_EQ(Sol(12, 10), 2u);
            EXPECT_EQ(o.prochaineCaseX, 11);
            EXPECT_EQ(Sol(11, 10), 1u);
        } else {
            EXPECT_EQ(ami.prochaineCaseX, 11);
            EXPECT_EQ(autre.modeFormation, 4);
            EXPECT_EQ(Sol(11, 10), 2u);
        }
    }
}

TEST_F(Deplacement, PousseLaFileJusquALaPremiereCaseLibre) {
    struct Cas {
        const char* nom;
        int couche;      // of the mover and its friends
        uint32_t apres;  // the cell beyond the two friends on the path
        int premierX, secondX;   // the friends' next cells after the step
    };
    // Two idle friends stand on the path: both step ahead into the first free cell beyond them,
    // the nearer one into the farther one's cell. A static cell, or the path's end, ends the look
    // with nobody pushed; the mover's own number counts as free but leaves no room for a push.
    const Cas cas[] = {
        {"libre", 1, 0, 12, 13},
        {"fixe", 1, OBSTACLE_FIXE, 11, 12},
        {"soi", 1, 1, 11, 12},
        {"libre en l'air", 2, 0, 12, 13},
        {"fixe en l'air", 2, OBSTACLE_FIXE, 11, 12},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Occupation__Reconstruit();
        Objet& o = Soldat(1, 10, 10, 5);
        Objet& a = Soldat(2, 11, 10, 6);
        Objet& b = Soldat(3, 12, 10, 6);
        for (Objet* u : {&o, &a, &b}) u->couche = c.couche;
        uint32_t* carte = c.couche == 2 ? CarteOccupationAir : CarteOccupationSol;
        std::fill(carte, carte + CASES_CARTE, 0u);
        Groupe& g = GroupeAvec(5, {1}, 0);
        GroupeAvec(6, {2, 3}, 1);
        Rectangle(g, 60, 60, 61, 61);
        const PointTrajet chemin[] = {{11, 10}, {12, 10}, {13, 10}, {14, 10}};
        std::copy(std::begin(chemin), std::end(chemin), o.trajet);
        o.nbPointsTrajetUnite = 4;
        o.modeDeplacement = 2;
        carte[10 + 128 * 10] = 1;
        carte[11 + 128 * 10] = 2;
        carte[12 + 128 * 10] = 3;
        carte[13 + 128 * 10] = c.apres;

        Unite__Pas(1, 0, 0, -1, 5);
        EXPECT_EQ(a.prochaineCaseX, c.premierX);
        EXPECT_EQ(b.prochaineCaseX, c.secondX);
        EXPECT_EQ(a.attenteCase, c.premierX != 11 ? 1 : 0);
    }
}

TEST_F(Deplacement, PasSansDeplacementNeDiviseRien) {
    Occupation__Reconstruit();
    Objet& o = Soldat(1, 10, 10, 5);
    Groupe& g = GroupeAvec(5, {1}, 0);
    Rectangle(g, 60, 60, 61, 61);
    o.butUniteX = 10;
    o.butUniteY = 10;   // a step of (0, 0)
    EXPECT_EQ(Unite__Pas(1, 0, 0, -1, 5), 1);
    EXPECT_EQ(o.x, 10);
    g.pasX = g.pasY = 0;
    EXPECT_EQ(Unite__Glisse(1, 5), 0);
    EXPECT_EQ(o.prochaineCaseX, 10);
}

TEST_F(Deplacement, GlissementDuBloc) {
    Occupation__Reconstruit();
    Objet& a = Soldat(1, 10, 10, 5);
    Soldat(2, 11, 10, 5);
    Soldat(3, 12, 10, 6);
    Groupe& g = GroupeAvec(5, {1, 2}, 4);
    GroupeAvec(6, {3}, 4);
    for (int n = 1; n <= 3; ++n) Occupation__Pose(1, 1, TableObjets[n].x, 10, CarteOccupationSol, n);
    g.pasX = 1;
    g.pasY = 0;
    // Its own group's member ahead does not block it.
    EXPECT_EQ(Unite__Glisse(1, 5), 0);
    EXPECT_EQ(a.prochaineCaseX, 11);
    EXPECT_EQ(a.modeDeplacement, 4);
    // Another group's unit does, and the refused unit keeps its cell.
    EXPECT_EQ(Unite__Glisse(2, 5), 1);
    EXPECT_EQ(Sol(11, 10), 2u);
    // At the map's edge the slide is refused.
    Objet& b = Soldat(4, 127, 50, 5);
    Occupation__Pose(1, 1, 127, 50, CarteOccupationSol, 4);
    EXPECT_EQ(Unite__Glisse(4, 5), 1);
    EXPECT_EQ(b.prochaineCaseX, 127);
}

TEST_F(Deplacement, CheminPropreAutourDUnMur) {
    for (int y = 0; y < 40; ++y) Fixe(100, 30, y);
    Occupation__Reconstruit();
    Objet& o = Soldat(1, 20, 20, -1);
    Unite__OrdreDeplacement(1, 40, 20);
    EXPECT_EQ(o.resultatTrajet, 0);
    EXPECT_EQ(o.modeDeplacement, 2);
    ASSERT_GT(o.nbPointsTrajetUnite, 0);
    EXPECT_EQ(o.pointCourantUnite, 0);
    EXPECT_EQ(TrajetLisseNombre, 0);
    for (int i = 0; i < o.nbPointsTrajetUnite; ++i)
        EXPECT_NE(SolBase(o.trajet[i].x, o.trajet[i].y), OBSTACLE_FIXE);

    // Goals off the map or walled in: the planner answers within the map, whatever it finds.
    for (int y = 50; y <= 52; ++y)
        for (int x = 50; x <= 52; ++x)
            if (x != 51 || y != 51) Fixe(101, x, y);
    Occupation__Reconstruit();
    const int buts[][2] = {{500, -3}, {-1, 200}, {51, 51}, {30, 5}};
    for (const auto& b : buts) {
        Unite__OrdreDeplacement(1, b[0], b[1]);
        EXPECT_TRUE(o.modeDeplacement == 2 || o.modeDeplacement == 4);
        ASSERT_LE(o.nbPointsTrajetUnite, POINTS_TRAJET_UNITE);
        for (int i = 0; i < o.nbPointsTrajetUnite; ++i)
            ASSERT_TRUE(o.trajet[i].x >= 0 && o.trajet[i].x < 128 && o.trajet[i].y >= 0 && o.trajet[i].y < 128);
    }
}

// A whole battle-map world: a 3 x 3 group ordered across a wall, moved frame by frame the way
// the group tick drives it.
class Traversee : public Deplacement {
  protected:
    static constexpr int G = 5;
    PointTrajet tampon[POINTS_TRAJET_GROUPE]{};

    void Monde(int mode) {
        for (int y = 5; y < 70; ++y) Fixe(200, 40, y);
        std::vector<int> membres;
        for (int i = 0; i < 9; ++i) {
            Soldat(1 + i, 20 + i % 3, 30 + i / 3, G);
            membres.push_back(1 + i);
        }
        Groupe& g = GroupeAvec(G, membres, mode);
        g.modeFormationMaitre = mode;
        g.colonnes = g.lignes = 3;
        g.tampon = tampon;
        g.groupeCibleIAPropose = -1;
        Occupation__Reconstruit();
        Groupe__Initialise(G);
    }
    void Tour() {
        Groupe& g = TableGroupes[G];
        Occupation__Reconstruit();
        for (int i = 0; i < g.nbMembres; ++i) {
            Objet& o = TableObjets[g.membres[i]];
            Occupation__Pose(1, 1, o.prochaineCaseX, o.prochaineCaseY, CarteOccupationSol, g.membres[i]);
            o.attenteCase = 0;
            if (Formation__UniteDansRectangle(g.membres[i], o.x, o.y, G) == 0) o.modeDeplacement = 4;
        }
        const int avant = g.pointCourant;
        Groupe__SuitTrajet(G);
        for (int i = 0; i < g.nbMembres; ++i) {
            if (g.modeFormation == 4) {
                if (g.pointCourant != avant && Unite__Glisse(g.membres[i], G) != 0) break;
            } else {
                Formation__PasUnite(g.membres[i], G);
                Unite__DeplacementRappel(g.membres[i], G);
            }
        }
        GroupesGeres = 1;
        for (int i = 0; i < g.nbMembres; ++i) {
            ObjetCourant = &TableObjets[g.membres[i]];
            Objet__Deplacement();
        }
    }
    bool Arrive() {
        const Groupe& g = TableGroupes[G];
        if (g.modeFormation == 4 && g.pointCourant < g.nbPointsTrajet) return false;
        for (int i = 0; i < g.nbMembres; ++i) {
            const Objet& o = TableObjets[g.membres[i]];
            if (Formation__UniteDansRectangle(g.membres[i], o.x, o.y, G) != 0) return false;
        }
        return true;
    }
    // The state that must come out the same: grids, maps and every member's movement words.
    std::vector<int32_t> Etat() {
        std::vector<int32_t> e(GrilleUnites, GrilleUnites + 128 * 128);
        e.insert(e.end(), CarteOccupationSol, CarteOccupationSol + 128 * 128);
        const Groupe& g = TableGroupes[G];
        for (int i = 0; i < g.nbMembres; ++i) {
            const Objet& o = TableObjets[g.membres[i]];
            e.insert(e.end(), {o.x, o.y, o.prochaineCaseX, o.prochaineCaseY, o.decalageX, o.decalageY,
                               o.modeDeplacement, o.attenteCase, o.contourne, o.pointCourantUnite,
                               o.nbPointsTrajetUnite, o.butUniteX, o.butUniteY});
            e.insert(e.end(), &o.trajet[0].x, &o.trajet[0].x + 2 * o.nbPointsTrajetUnite);
        }
        e.insert(e.end(), {g.ancreX, g.ancreY, g.rectangle[0], g.rectangle[1], g.rectangle[2], g.rectangle[3],
                           g.pointCourant, g.nbPointsTrajet, g.orientation, g.chef});
        return e;
    }
    // Orders the group to (60, 30) and runs frames until it stands in its rectangle; the number
    // of frames it took, or -1.
    int Marche(int mode, int tours) {
        Monde(mode);
        Groupe__OrdreDeplacement(G, 60, 30);
        for (int t = 0; t < tours; ++t) {
            Tour();
            if (Arrive()) return t;
        }
        return -1;
    }
};

TEST_F(Traversee, LeGroupeContourneLeMurEtTientSonRectangle) {
    for (int mode : {1, 4, 5}) {
        SCOPED_TRACE(testing::Message() << "mode " << mode);
        if (mode != 1) {
            TearDown();
            SetUp();
        }
        const int tours = Marche(mode, 1500);
        ASSERT_GE(tours, 0) << "the group never reached its rectangle";
        const Groupe& g = TableGroupes[G];
        EXPECT_GT(std::min(g.rectangle[0], g.rectangle[2]), 40);
        EXPECT_LE(std::max(g.rectangle[0], g.rectangle[2]), 62);
        for (int t = 0; t < 50; ++t) Tour();
        EXPECT_TRUE(Arrive());
        for (int i = 0; i < g.nbMembres; ++i) {
            const Objet& o = TableObjets[g.membres[i]];
            EXPECT_EQ(o.x, o.prochaineCaseX);
            EXPECT_EQ(o.y, o.prochaineCaseY);
            EXPECT_EQ(GrilleUnites[o.x + 128 * o.y], g.membres[i]);
        }
    }
}

TEST_F(Traversee, MemeScriptMemeMonde) {
    for (int mode : {1, 4}) {
        auto essai = [this, mode] {
            TearDown();
            SetUp();
            Marche(mode, 120);   // stopped half-way, while units still walk
            return Etat();
        };
        const std::vector<int32_t> a = essai();
        const std::vector<int32_t> b = essai();
        ASSERT_EQ(a.size(), b.size());
        EXPECT_EQ(std::memcmp(a.data(), b.data(), a.size() * sizeof(int32_t)), 0) << "mode " << mode;
    }
}

// Random small battles: walls, groups of every mode, orders anywhere (off the map too); each
// frame every unit stays on the map and out of the walls.
TEST_F(Traversee, BataillesAuHasard) {
    std::mt19937 hasard(7);
    auto tirage = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(hasard); };
    static PointTrajet tampons[4][POINTS_TRAJET_GROUPE];
    for (int essai = 0; essai < 25; ++essai) {
        TearDown();
        SetUp();
        for (int m = 0; m < 6; ++m) {
            const int x = tirage(0, 127), y = tirage(0, 127), l = tirage(1, 40);
            const bool vertical = tirage(0, 1);
            for (int i = 0; i < l; ++i) {
                const int cx = vertical ? x : std::min(x + i, 127), cy = vertical ? std::min(y + i, 127) : y;
                if (GrilleUnites[cx + 128 * cy] == 0) Fixe(300 + m, cx, cy);
            }
        }
        int n = 1;
        std::vector<int> groupes;
        for (int k = 0; k < 4; ++k) {
            const int c = tirage(1, 3), l = tirage(1, 3), x0 = tirage(0, 124), y0 = tirage(0, 124);
            std::vector<int> membres;
            for (int j = 0; j < l; ++j)
                for (int i = 0; i < c; ++i)
                    if (GrilleUnites[(x0 + i) + 128 * (y0 + j)] == 0) {
                        Objet& o = Soldat(n, x0 + i, y0 + j, 10 + k);
                        o.armee = k % 2;
                        o.vitesse = tirage(1, 24);
                        membres.push_back(n++);
                    }
            if (membres.empty()) continue;
            const int modes[] = {1, 4, 5};
            Groupe& g = GroupeAvec(10 + k, membres, modes[tirage(0, 2)]);
            g.modeFormationMaitre = g.modeFormation;
            g.colonnes = c;
            g.lignes = l;
            g.tampon = tampons[k];
            g.groupeCibleIAPropose = tirage(0, 1) ? -1 : 0;
            groupes.push_back(10 + k);
        }
        Occupation__Reconstruit();
        for (int g : groupes) Groupe__Initialise(g);
        for (int t = 0; t < 150; ++t) {
            if (t % 50 == 0)
                for (int g : groupes) {
                    if (tirage(0, 3) == 0) Groupe__OrdreAttaque(g, tirage(-20, 150), tirage(-20, 150), 0, tirage(0, 1));
                    else Groupe__OrdreDeplacement(g, tirage(-20, 150), tirage(-20, 150));
                }
            Occupation__Reconstruit();
            for (int g : groupes) {
                Groupe& gr = TableGroupes[g];
                for (int i = 0; i < gr.nbMembres; ++i) {
                    Objet& o = TableObjets[gr.membres[i]];
                    Occupation__Pose(1, 1, o.prochaineCaseX, o.prochaineCaseY, CarteOccupationSol, gr.membres[i]);
                    o.attenteCase = 0;
                }
                const int avant = gr.pointCourant;
                Groupe__SuitTrajet(g);
                for (int i = 0; i < gr.nbMembres; ++i) {
                    if (gr.modeFormation == 4) {
                        if (gr.pointCourant != avant && Unite__Glisse(gr.membres[i], g) != 0) break;
                    } else {
                        Formation__PasUnite(gr.membres[i], g);
                        Unite__DeplacementRappel(gr.membres[i], g);
                    }
                }
            }
            GroupesGeres = t % 3 != 0;
            for (int u = 1; u < n; ++u) {
                ObjetCourant = &TableObjets[u];
                Objet__Deplacement();
                const Objet& o = TableObjets[u];
                ASSERT_TRUE(o.x >= 0 && o.x < 128 && o.y >= 0 && o.y < 128) << "essai " << essai << " tour " << t;
                // Never inside a wall (two walkers may briefly share a cell until the group tick
                // checks the occupation).
                const int v = GrilleUnites[o.x + 128 * o.y];
                ASSERT_TRUE(v >= 1 && v < n) << "essai " << essai << " tour " << t;
            }
        }
    }
}

}  // namespace
