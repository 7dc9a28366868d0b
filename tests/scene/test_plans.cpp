#include <cstdio>
#include <filesystem>

#include "plans_fixture.h"
#include "shell/routeur.h"
#include "shell/scenario.h"

namespace {

constexpr uint16_t A = Couleur(31, 0, 0), B = Couleur(0, 31, 0), C = Couleur(0, 0, 31);
constexpr uint16_t T = Couleur(31, 31, 0), X = Couleur(0, 31, 31), Y = Couleur(31, 0, 31), Z = Couleur(16, 16, 16);
constexpr uint16_t E = Couleur(20, 10, 5);

class Plans : public PlansEcran {
  protected:
    // Master 50: a 4 x 4 building whose three layers are 20 x 20 squares of A, B and C side by side
    // 30 pixels apart. Master 52: a tree whose frame 1 is a 90 x 40 band of T.
    void SetUp() override {
        PlansEcran::SetUp();
        DescriptionBatiment& d = *Batiment__Description(50, 1);
        d.largeur = d.hauteur = 4;
        d.calage[0][0] = 20;
        d.calage[1][0] = 50;
        d.calage[2][0] = 80;
        d.calage[0][1] = d.calage[1][1] = d.calage[2][1] = 40;
        Graphique(1, {{20, 20, A}, {20, 20, B}, {20, 20, C}});
        ObjetGfx_ANIM__ARA[50] = 1;
        Graphique(4, {{1, 1, Z}, {90, 40, T}, {1, 1, Z}});
        ObjetGfx_ANIM__SPL[52] = 4;
    }
};

// The layers of a building at (2, 2) are drawn at x 76, 106 and 136, y 88..108; a tree on its
// footprint cell (2, 3) covers all three. Priority 0 puts it over layer 1 only, priority 1 over
// layers 1 and 2; layer 3 always covers it.
TEST_F(Plans, TheFootprintsObjectsComeBetweenTheLayersByPriority) {
    struct Cas {
        int priorite;
        uint16_t couche1, couche2, couche3;
    };
    for (const Cas& c : {Cas{0, T, B, C}, Cas{1, T, T, C}}) {
        SCOPED_TRACE(c.priorite);
        std::fill(ecran.begin(), ecran.end(), FOND);
        Batiment(2, 50, 2, 2);
        Objet& arbre = Poser(3, 3, 52, 2, 3, 1);
        arbre.sorts[0] = 31;
        GrilleLumiere[2 * static_cast<size_t>(CasesVisiblesX + 1) + 2] = 13;   // light 31 there: unshaded
        GrillePriorite[3 * 128 + 2] = c.priorite;
        Objets();
        EXPECT_EQ(Pixel(86, 98), c.couche1);
        EXPECT_EQ(Pixel(116, 98), c.couche2);
        EXPECT_EQ(Pixel(146, 98), c.couche3);
        EXPECT_EQ(FileAffichageNombre, 1);
        Liste__Liberer(&ListeObjetsVivants);
        Liste__Creation1(&ListeObjetsVivants, 1);
    }
}

// Only the footprint cells inside the view are walked: with the view from column 4, the tree on
// column 3 of a building at (2, 2) is left unmarked, the one on column 4 is drawn.
TEST_F(Plans, AFootprintReachingOutOfTheViewDrawsOnlyItsCellsInView) {
    RepereX = 4;
    Batiment(2, 50, 2, 2);
    Poser(3, 3, 52, 3, 3, 1);
    Poser(4, 3, 52, 4, 3, 1);
    Objets();
    EXPECT_EQ(TableObjets[3].dejaAffiche, 0);
    EXPECT_EQ(TableObjets[4].dejaAffiche, 1);
    EXPECT_EQ(TableObjets[2].dejaAffiche, 1);
}

// Tree sprite 2: frame 0 a 30 x 30 square of X, frame 1 a 10 x 10 square of Y, frame 2 30 x 30 of Z,
// drawn at the cell + (20, 18). A tree facing 0 is drawn twice (frame 0, then frame 1 over the
// row's units); any other shows frame 2 once.
TEST_F(Plans, ATreeFacingZeroIsDrawnTwice) {
    Graphique(2, {{30, 30, X}, {10, 10, Y}, {30, 30, Z}});
    ObjetGfx_ANIM__SPL[51] = 2;
    struct Cas {
        int direction;
        uint16_t coin, bas;
    };
    for (const Cas& c : {Cas{0, Y, X}, Cas{1, Z, Z}, Cas{5, Z, Z}}) {
        SCOPED_TRACE(c.direction);
        std::fill(ecran.begin(), ecran.end(), FOND);
        Poser(3, 3, 51, 5, 5, c.direction);
        Objets();
        EXPECT_EQ(Pixel(145, 143), c.coin);
        EXPECT_EQ(Pixel(165, 163), c.bas);
    }
}

// Rows are drawn from the top and each row from the right: of two overlapping trees, the one on
// the lower row, or on the same row further left, ends on top.
TEST_F(Plans, LowerRowsAndLeftColumnsAreDrawnLast) {
    Graphique(5, {{1, 1, Z}, {1, 1, Z}, {30, 30, A}});
    Graphique(6, {{1, 1, Z}, {1, 1, Z}, {30, 30, B}});
    ObjetGfx_ANIM__SPL[53] = 5;
    ObjetGfx_ANIM__SPL[54] = 6;
    struct Cas {
        int ax, ay, bx, by, px, py;
    };
    for (const Cas& c : {Cas{5, 5, 5, 6, 150, 165}, Cas{6, 5, 5, 5, 167, 150}, Cas{5, 6, 5, 5, 150, 165},
                         Cas{5, 5, 6, 5, 167, 150}}) {
        std::fill(ecran.begin(), ecran.end(), FOND);
        std::fill(GrilleUnites, GrilleUnites + 128 * 128, 0);
        Poser(3, 3, 53, c.ax, c.ay, 1);
        Poser(4, 3, 54, c.bx, c.by, 1);
        Objets();
        const bool bDessus = c.by > c.ay || (c.by == c.ay && c.bx < c.ax);
        EXPECT_EQ(Pixel(c.px, c.py), bDessus ? B : A) << c.ax << "," << c.ay << " " << c.bx << "," << c.by;
    }
}

// Master 60: a 1 x 1 building with one fixed-sprite element, a 2 x 2 square of E at its origin.
// 257 of them fill the view's rows from the top, right to left: the 257th is drawn, but its
// element is not.
TEST_F(Plans, The257thBuildingOfAFrameHasNoElements) {
    DescriptionBatiment& d = *Batiment__Description(60, 1);
    d.largeur = d.hauteur = 1;
    d.nbElements = 1;
    d.elementNature[0] = 3;
    d.elementSprite[0] = 61;
    Graphique(7, {{2, 2, E}});
    ObjetGfx_ANIM__DPL[61] = 7;
    Graphique(8, {{1, 1, A}, {1, 1, A}, {1, 1, A}});
    ObjetGfx_ANIM__ARA[60] = 8;
    int n = 0, x = 0, y = 0;
    for (y = 0; n < 257; ++y)
        for (x = CasesVisiblesX - 1; x >= 0 && n < 257; --x) Batiment(++n, 60, x, y);
    --y;
    ++x;   // the 257th
    Objets();
    EXPECT_EQ(FileAffichageNombre, 256);
    EXPECT_EQ(Pixel(x * 24 + 8, y * 24), A);
    EXPECT_EQ(Pixel(x * 24 + 9, y * 24 + 1), FOND);
    EXPECT_EQ(Pixel((x + 1) * 24 + 9, y * 24 + 1), E);
}

// A building whose orientation is not one of the three tables is left out, not a fatal error.
TEST_F(Plans, ABuildingWithAnOrientationOutsideTheTablesIsSkipped) {
    Objet& b = Batiment(2, 50, 2, 2);
    b.direction = 5;
    EXPECT_NO_THROW(Objets());
    EXPECT_EQ(FileAffichageNombre, 0);
    EXPECT_EQ(Pixel(86, 98), FOND);
}

// A dragon, an angel or an unknown family on a footprint is reported once, not on every frame,
// and the frame goes on to the building's last layer.
TEST_F(Plans, AWrongObjectOnAFootprintIsReportedOnce) {
    struct Cas {
        int famille;
        const char* texte;
    };
    for (const Cas& c : {Cas{6, "Pas mettre de dragon en plan objet"}, Cas{21, "Pas mettre ange en plan objet!"},
                         Cas{99, "Fammile inconnu : 99"}}) {
        SCOPED_TRACE(c.famille);
        Batiment(2, 50, 2, 2);
        Poser(3 + c.famille, c.famille, 70, 2, 3);
        Objets();
        EXPECT_EQ(Rapport(), std::string("MoteurAffichageV5_PlanObjetAffichage(): ") + c.texte);
        EXPECT_EQ(Pixel(146, 98), C);
        std::filesystem::remove(arbre.Racine() / "Erreur.txt");
        Objets();
        EXPECT_FALSE(std::filesystem::exists(arbre.Racine() / "Erreur.txt"));
    }
}

// A tree on a footprint takes its shade toward the light of its corner (twice the corner's value
// plus 5): down by 4 when above, up by 2 when below; a hit tree is drawn lit once.
TEST_F(Plans, ATreeOnAFootprintShadesTowardTheLight) {
    Batiment(2, 50, 2, 2);
    Objet& arbre = Poser(3, 3, 52, 2, 3, 1);
    // The corner of cell (2, 3): ((2 / 2) + 1, (3 / 2) + 1) = (2, 2).
    const size_t coin = 2 * static_cast<size_t>(CasesVisiblesX + 1) + 2;
    struct Cas {
        int lumiere, avant, apres;
    };
    for (const Cas& c : {Cas{0, 31, 27}, Cas{0, 5, 5}, Cas{0, 6, 4}, Cas{10, 20, 22}, Cas{10, 25, 25}}) {
        GrilleLumiere[coin] = c.lumiere;
        arbre.sorts[0] = c.avant;
        Objets();
        EXPECT_EQ(arbre.sorts[0], c.apres) << c.lumiere << " " << c.avant;
    }
    arbre.touche = 1;
    Objets();
    EXPECT_EQ(arbre.touche, 0);
}

// The portcullis in a footprint shows sprite 1045 at the gate's cell + (48, 48) while the gate is
// neither open nor broken.
TEST_F(Plans, ThePortcullisShowsWhileTheGateIsClosed) {
    Graphique(1045, {{4, 4, E}});
    struct Cas {
        int ouverte, etat;
        uint16_t attendu;
    };
    for (const Cas& c : {Cas{0, 0, E}, Cas{1, 0, FOND}, Cas{0, -1, FOND}, Cas{0, 1, FOND}}) {
        std::fill(ecran.begin(), ecran.end(), FOND);
        Batiment(2, 50, 2, 2);
        Poser(3, 26, 70, 3, 3);
        Poser(4, 10, 71, 4, 4);
        ObjetPorte = 4;
        PorteOuverte = c.ouverte;
        EtatGrille = c.etat;
        Objets();
        EXPECT_EQ(Pixel(4 * 24 + 48 + 1, 4 * 24 + 48 + 1), c.attendu) << c.ouverte << " " << c.etat;
    }
    ObjetPorte = 0;
    PorteOuverte = EtatGrille = 0;
    EXPECT_NO_THROW(Objets());
}

// Objects on a grid cell off the map or holding an index outside the table are not drawn.
TEST_F(Plans, CellsOutsideTheTableAreSkipped) {
    RepereX = 120;
    RepereY = 120;
    GrilleUnites[127 * 128 + 127] = NOMBRE_OBJETS + 5;
    GrilleSol[126 * 128 + 126] = -3;
    GrilleAir[125 * 128 + 125] = NOMBRE_OBJETS;
    EXPECT_NO_THROW(Objets());
}

// The region map's plane holds regiment tokens only: anything else there is a fatal error.
TEST_F(Plans, TheRegionPlaneHoldsOnlyRegiments) {
    ModeSceneCourant = 1;
    Poser(3, 23, 70, 5, 5);
    Poser(4, 25, 71, 6, 5);
    PlanObjet__RazAffiche();
    EXPECT_NO_THROW(PlanObjet__AffichageRegion());
    EXPECT_EQ(TableObjets[3].dejaAffiche + TableObjets[4].dejaAffiche, 2);
    Poser(5, 0, 72, 7, 6);
    PlanObjet__RazAffiche();
    EXPECT_THROW(PlanObjet__AffichageRegion(), FinProgramme);
    EXPECT_EQ(Rapport(), "MTA_PlanObjet_Affichage(): Fammile inconnu : 0");
}

}  // namespace
