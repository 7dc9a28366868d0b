// Command input: picking with its ring search, box selection, orders, the minimap, scrolling and
// its bounds, centring on the selection and on the leaders, spells armed from the ability bar.
#include <gtest/gtest.h>

#include "foundation/ecran.h"
#include "saisie_fixture.h"
#include "scene/panneau.h"
#include "world/batiments.h"
#include "world/gestion_objets.h"

namespace {

using Saisie = SaisieEssai;
using V = std::vector<int>;

TEST_F(Saisie, ClicSelectionneLeGroupeParLaRechercheEnAnneaux) {
    struct Cas {
        int dx, dy;
        bool trouve;
    };
    // A unit of one cell at each offset from the clicked cell (20, 10).
    const Cas cas[] = {{0, 0, true}, {1, 1, true}, {-1, 0, true}, {-2, 2, true}, {2, -1, true},
                       {3, -3, true}, {-3, 1, true}, {0, 3, true}, {4, 0, false}, {0, -4, false}};
    for (const Cas& c : cas) {
        Troupe(5, 1, 1, 20 + c.dx, 10 + c.dy, 0);
        Clic(20, 10);
        EXPECT_EQ(Selection(), c.trouve ? V{5} : V{}) << c.dx << "," << c.dy;
        GrilleUnites[20 + c.dx + 128 * (10 + c.dy)] = 0;
        Groupe__DeselectionTout();
    }
}

TEST_F(Saisie, AnneauxDansLeurOrdre) {
    struct Cas {
        int ax, ay, bx, by;   // a is found first
    };
    const Cas cas[] = {
        {1, -1, -1, 0},   // ring 1 row by row
        {-1, 1, 2, 2},    // ring 1 before ring 2
        {2, -1, -2, 0},   // ring 2: the sides after the top row, left before right
        {-2, 1, 0, 2},    // ring 2: the bottom row last
        {2, 2, -3, -3},   // ring 2 before ring 3
        {3, 3, -3, -2},   // ring 3: both rows before the sides
        {3, -2, -3, -1},
    };
    for (const Cas& c : cas) {
        Troupe(5, 1, 1, 20 + c.ax, 10 + c.ay, 0);
        Troupe(6, 2, 1, 20 + c.bx, 10 + c.by, 0);
        Clic(20, 10);
        EXPECT_EQ(Selection(), V{5}) << c.ax << "," << c.ay;
        GrilleUnites[20 + c.ax + 128 * (10 + c.ay)] = GrilleUnites[20 + c.bx + 128 * (10 + c.by)] = 0;
        Groupe__DeselectionTout();
    }
}

TEST_F(Saisie, ClicAcoteQuandUnGroupeEstSousCommandeDeselectionneSeulement) {
    Troupe(5, 1, 1, 20, 10, 0);
    Troupe(6, 2, 1, 40, 10, 0);
    Clic(40, 10);
    ASSERT_EQ(Selection(), V{6});
    Clic(21, 10);   // next to group 5, but a group was under command
    EXPECT_EQ(Selection(), V{});
    EXPECT_EQ(GroupeEnSelection, -1);
}

TEST_F(Saisie, MajAjouteALaSelection) {
    Troupe(5, 1, 1, 20, 10, 0);
    Troupe(6, 2, 1, 10, 5, 0);
    Clic(20, 10);
    Touche(TOUCHE_MAJ, true);
    Clic(10, 5);
    EXPECT_EQ(Selection(), (V{5, 6}));
    EXPECT_EQ(TableObjets[1].selectionne, 1);
    Touche(TOUCHE_MAJ, false);
    Clic(10, 5);
    EXPECT_EQ(Selection(), V{6});
    EXPECT_EQ(TableObjets[1].selectionne, 0);
}

TEST_F(Saisie, ClicSurUnEnnemiOuUnNeutreNeSelectionneRien) {
    Troupe(5, 1, 1, 20, 10, 1);
    Troupe(6, 2, 1, 21, 10, 2);
    Clic(20, 10);
    Clic(21, 10);
    EXPECT_EQ(Selection(), V{});
}

TEST_F(Saisie, CadreDansLesDeuxSensMemesGroupesSansDerniereLigneNiColonne) {
    // Rows top to bottom, each from the left: 7 (row 4), then 5 and 6 (row 6).
    Troupe(5, 1, 1, 3, 6, 0);
    Troupe(6, 2, 1, 8, 6, 0);
    Troupe(7, 3, 1, 9, 4, 0);
    Troupe(8, 4, 1, 10, 6, 0);   // last column: out
    Troupe(9, 5, 1, 5, 8, 0);    // last row: out
    Troupe(10, 6, 1, 4, 5, 1);   // an enemy: out
    Troupe(11, 7, 1, 2, 5, 0);   // left of the box
    const auto px = [](int c) { return c * 24 + 3; };
    Glisser(px(3), px(4), px(10), px(8));
    EXPECT_EQ(Selection(), (V{7, 5, 6}));
    EXPECT_EQ(CadreDebutX, 3);
    EXPECT_EQ(CadreFinY, 8);
    Groupe__DeselectionTout();
    Glisser(px(10), px(8), px(3), px(4));
    EXPECT_EQ(Selection(), (V{7, 5, 6}));
    Groupe__DeselectionTout();
    Glisser(px(10), px(4), px(3), px(8));
    EXPECT_EQ(Selection(), (V{7, 5, 6}));
}

TEST_F(Saisie, CadreHorsDuChateauEtAuDelaDeLaCarte) {
    Troupe(5, 1, 1, 4, 4, 0);
    ModeSceneCourant = 0;   // the castle has no box selection
    Glisser(24, 24, 200, 200);
    EXPECT_EQ(Selection(), V{});
    ModeSceneCourant = 2;
    // The view reaches past the map's right edge: cells beyond 127 are skipped.
    Troupe(6, 2, 1, 126, 30, 0);
    RepereX = 120;
    RepereY = 20;
    Glisser(2 * 24, 9 * 24, 25 * 24 + 20, 19 * 24 + 20);
    EXPECT_EQ(Selection(), V{6});
    Groupe__DeselectionTout();
    Clic(25, 19);   // an off-map cell and its rings: nothing, no fault
    EXPECT_EQ(Selection(), V{});
}

TEST_F(Saisie, ClicSurUnPortraitNeGardeQueCeGroupe) {
    Troupe(5, 1, 1, 20, 10, 0);
    Troupe(6, 2, 1, 22, 10, 0);
    Glisser(19 * 24, 9 * 24, 24 * 24, 12 * 24);
    ASSERT_EQ(Selection(), (V{5, 6}));
    // The second portrait spans x 78..148 at the top of the view.
    Glisser(100, 20, 100, 20);
    EXPECT_EQ(Selection(), V{6});
    EXPECT_EQ(PortraitSurvole, 6);
    // With one group selected its portrait changes nothing.
    Glisser(30, 20, 30, 20);
    EXPECT_EQ(Selection(), V{6});

    // Only seven portraits are drawn: past them the top strip is no portrait.
    for (int g = 10; g < 18; ++g) {
        Troupe(g, g, 1, 2 * g, 40, 0);
        Groupe__Selection(g);
    }
    ASSERT_EQ(NombreGroupesSelectionnes, 9);
    Souris(8 + 70 * 6 + 30, 20);
    Saisie__Commandes();
    EXPECT_EQ(PortraitSurvole, GroupesSelectionnes[6]);
    Souris(8 + 70 * 7 + 30, 20);
    Saisie__Commandes();
    EXPECT_EQ(PortraitSurvole, -1);
}

TEST_F(Saisie, ClicDroitAttaqueDansLesNeufCasesSinonDeplacement) {
    JeuEnPause = 1;   // the order marker tells attack (2) from move (0)
    Groupe& g = Troupe(5, 1, 2, 10, 10, 0);
    Clic(10, 10);
    ASSERT_EQ(Selection(), V{5});
    struct Cas {
        int armee, dx, dy;
        int type;   // -1 no order
    };
    const Cas cas[] = {
        {1, 0, 0, 2}, {1, 1, 1, 2}, {1, -1, 0, 2},   // an enemy in the 3 x 3 square
        {1, 2, 0, 0},                                // two cells away: a move to the cursor cell
        {2, 0, 0, 0},                                // a neutral the player does not attack: a move
        {0, 0, 0, 0},                                // one's own
    };
    for (const Cas& c : cas) {
        Troupe(8, 50, 1, 40 + c.dx, 20 + c.dy, c.armee);
        MarqueurOrdre = 0;
        MarqueurOrdreType = -1;
        g.destinationOrdreX = g.destinationOrdreY = 0;
        ClicDroit(40, 20);
        EXPECT_EQ(MarqueurOrdre, 1) << c.armee << " " << c.dx;
        EXPECT_EQ(MarqueurOrdreType, c.type) << c.armee << " " << c.dx;
        EXPECT_EQ(g.destinationOrdreX, 40);   // the order point is the cursor cell
        EXPECT_EQ(g.destinationOrdreY, 20);
        EXPECT_EQ(MarqueurOrdreX, 40 * 24 + 5);
        EXPECT_EQ(BoutonDroit, 0);
        GrilleUnites[40 + c.dx + 128 * (20 + c.dy)] = 0;
    }
    // An attack names the enemy's group.
    Troupe(8, 50, 1, 41, 21, 1);
    ClicDroit(40, 20);
    EXPECT_EQ(g.groupeCibleIA, 8);
    EXPECT_EQ(g.ordreAttaque, 1);
}

TEST_F(Saisie, ClicDroitSansGroupeSousCommandeNeFaitRien) {
    JeuEnPause = 1;
    Groupe& g = Troupe(5, 1, 1, 10, 10, 0);
    ClicDroit(40, 20);
    EXPECT_EQ(MarqueurOrdre, 0);
    EXPECT_EQ(g.destinationOrdreX, 0);
    // Attack searches off the map give nothing, whatever the view.
    EXPECT_EQ(Saisie__OrdreAttaque(GrilleUnites, -1, 5), 0);
    EXPECT_EQ(Saisie__OrdreAttaque(GrilleUnites, 128, 5), 0);
    EXPECT_EQ(Saisie__OrdreAttaque(GrilleUnites, 5, 128), 0);
}

TEST_F(Saisie, DefilementEtSesBornes) {
    struct Cas {
        int mode;
        int x0, y0;
        int sx, sy;
        int32_t* fleche;   // arrow key instead of the mouse, or null
        int x1, y1;
    };
    // 640 x 480: up to 100 across and 106 down in battle; the region map stops at 26 and 20.
    const Cas cas[] = {
        {2, 40, 40, 630, 200, nullptr, 42, 40},  {2, 98, 40, 630, 200, nullptr, 100, 40},
        {2, 100, 40, 630, 200, nullptr, 100, 40}, {2, 40, 40, 5, 200, nullptr, 38, 40},
        {2, 0, 40, 5, 200, nullptr, 0, 40},       {2, 40, 104, 300, 470, nullptr, 40, 106},
        {2, 40, 106, 300, 470, nullptr, 40, 106}, {2, 40, 40, 300, 10, nullptr, 40, 38},
        {2, 40, 0, 300, 10, nullptr, 40, 0},      {2, 5, 9, 300, 200, &ToucheDroite, 6, 8},
        {2, 40, 40, 300, 200, &ToucheGauche, 38, 40}, {2, 40, 40, 300, 200, &ToucheBas, 40, 42},
        {2, 40, 40, 300, 200, &ToucheHaut, 40, 38}, {2, 40, 40, 300, 200, nullptr, 40, 40},
        {0, 98, 104, 630, 470, nullptr, 100, 106}, {1, 24, 18, 630, 200, nullptr, 26, 18},
        {1, 26, 18, 630, 200, nullptr, 26, 18},    {1, 24, 18, 630, 400, nullptr, 24, 18},
        {1, 24, 18, 300, 470, nullptr, 24, 20},    {1, 24, 20, 300, 470, nullptr, 24, 20},
        {1, 24, 18, 560, 470, nullptr, 24, 18},
    };
    for (const Cas& c : cas) {
        ModeSceneCourant = c.mode;
        RepereX = c.x0;
        RepereY = c.y0;
        SourisX = c.sx;
        SourisY = c.sy;
        if (c.fleche) *c.fleche = 1;
        Defilement__Droite();
        Defilement__Gauche();
        Defilement__Bas();
        Defilement__Haut();
        EXPECT_EQ(RepereX, c.x1) << c.mode << " " << c.x0 << "," << c.y0 << " " << c.sx << "," << c.sy;
        EXPECT_EQ(RepereY, c.y1) << c.mode << " " << c.x0 << "," << c.y0 << " " << c.sx << "," << c.sy;
        if (c.fleche) {
            EXPECT_EQ(*c.fleche, 0);
        }
    }
}

TEST_F(Saisie, HautDeLEcranSurUnPortrait) {
    Troupe(5, 1, 1, 50, 50, 0);
    Clic(50, 50);
    RepereY = 40;
    Souris(30, 10);   // over the portrait: the top strip is 6 pixels high
    Saisie__Commandes();
    ASSERT_EQ(PortraitSurvole, 5);
    Defilement__Haut();
    EXPECT_EQ(RepereY, 40);
    SourisY = 5;
    Defilement__Haut();
    EXPECT_EQ(RepereY, 38);
}

TEST_F(Saisie, BornageDuRepere) {
    const int cas[][4] = {{-3, -8, 0, 0}, {7, 9, 6, 8}, {131, 200, 126, 126}, {127, 126, 126, 126}};
    for (const auto& c : cas) {
        RepereX = c[0];
        RepereY = c[1];
        Defilement__Bornage();
        EXPECT_EQ(RepereX, c[2]);
        EXPECT_EQ(RepereY, c[3]);
        EXPECT_EQ(ReperePixelX, c[2] * 24);
    }
}

TEST_F(Saisie, CentrageSurLaSelection) {
    Troupe(5, 1, 1, 61, 47, 0);
    Vue__CentrageSelection();   // nothing selected: the view stays
    EXPECT_EQ(RepereX, 0);
    Groupe__Selection(5);
    Vue__CentrageSelection();
    EXPECT_EQ(RepereX, 48);   // 61 - 13, lowered to even
    EXPECT_EQ(RepereY, 36);   // 47 - 10, lowered to even
    Troupe(6, 2, 1, 3, 4, 0);
    Groupe__DeselectionTout();
    Groupe__Selection(6);
    Vue__CentrageSelection();
    EXPECT_EQ(RepereX, 0);
    EXPECT_EQ(RepereY, 0);
    ModeSceneCourant = 1;   // not on the region map
    Groupe__DeselectionTout();
    Groupe__Selection(5);
    Vue__CentrageSelection();
    EXPECT_EQ(RepereX, 0);
}

TEST_F(Saisie, ChefSuivant) {
    Troupe(9, 9, 1, 70, 70, 0);
    Unite__Suivante();   // no leader on the map
    EXPECT_EQ(RepereX, 0);
    EXPECT_EQ(TypeChefSuivant, -1);

    Troupe(5, 1, 1, 40, 30, 0, 121);
    for (int i = 0; i < 2; ++i) {   // one leader: the view comes back to it each time
        RepereX = RepereY = 0;
        Unite__Suivante();
        EXPECT_EQ(RepereX, 26);
        EXPECT_EQ(RepereY, 20);
        EXPECT_EQ(Selection(), V{5});
        EXPECT_EQ(TypeChefSuivant, 121);
    }
    // An enemy hero comes first in the cycle; it is shown but not selected. A dead one is passed.
    Troupe(6, 2, 1, 90, 90, 1, 5);
    Troupe(7, 3, 1, 20, 20, 0, 376);
    TableObjets[3].ordreSecondaire = 4;
    Unite__Suivante();
    EXPECT_EQ(TypeChefSuivant, 5);
    EXPECT_EQ(RepereX, 76);
    EXPECT_EQ(Selection(), V{5});
    Unite__Suivante();
    EXPECT_EQ(TypeChefSuivant, 121);
}

TEST_F(Saisie, DoubleClicSelectionneLesVisiblesDuMemeType) {
    Troupe(5, 1, 1, 10, 10, 0, 7);
    Troupe(6, 2, 2, 20, 15, 0, 7);
    Troupe(7, 4, 1, 30, 10, 0, 7);   // out of view
    Troupe(8, 5, 1, 12, 12, 1, 7);   // an enemy
    Troupe(9, 6, 1, 14, 12, 0, 8);   // another master
    Troupe(10, 7, 1, 16, 12, 0, 7);
    TableObjets[7].famille = 1;      // a building of that master stays out
    Objet& volant = Soldat(8, 3, 3, 0, 11);
    volant.typeMaitre = 7;
    volant.couche = 2;
    GrilleUnites[3 + 128 * 3] = 0;
    GrilleAir[3 + 128 * 3] = 8;
    Liste__Empiler(&ListeObjetsVivants, 8);
    GroupeAvec(11, {8}, 4);
    Selection__MemeTypeVisibles();   // no selection: nothing
    EXPECT_EQ(Selection(), V{});
    Groupe__Selection(5);
    Selection__MemeTypeVisibles();
    EXPECT_EQ(Selection(), (V{5, 11, 6}));
}

TEST_F(Saisie, RechercheDesFamillesDansUnCarre) {
    Fixe(20, 10, 10);
    TableObjets[20].famille = 3;
    Fixe(21, 12, 9);
    TableObjets[21].famille = 3;
    Fixe(22, 0, 0);
    TableObjets[22].famille = 3;
    EXPECT_EQ(Objet__RechercheRayonFamille3(11, 10, 1), 21);   // row 9 comes first
    EXPECT_EQ(Objet__RechercheRayonFamille3(11, 11, 1), 20);
    EXPECT_EQ(Objet__RechercheRayonFamille3(5, 5, 2), 0);
    EXPECT_EQ(Objet__RechercheRayonFamille3(1, 1, 3), 22);     // cells off the map skipped
    EXPECT_EQ(Objet__RechercheRayonFamille3(127, 127, 4), 0);
    EXPECT_EQ(Objet__RechercheRayonFamille1(10, 10, 2), 0);    // no building grid in this world
    // Buildings are found on the selection grid, not on the unit grid.
    std::vector<int32_t> selection(128 * 128, 0);
    GrilleSelection = selection.data();
    TableObjets[21].famille = 1;
    EXPECT_EQ(Objet__RechercheRayonFamille1(11, 10, 1), 0);
    selection[126 + 128 * 1] = 21;
    selection[127 + 128 * 0] = 20;   // a tree there does not count
    EXPECT_EQ(Objet__RechercheRayonFamille1(127, 0, 2), 21);
    EXPECT_EQ(Objet__RechercheRayonFamille1(127, 0, 0), 0);
    GrilleSelection = nullptr;
}

TEST_F(Saisie, MiniCarteDeplaceLaVueEtDonneDesOrdres) {
    Groupe& a = Troupe(5, 1, 1, 10, 10, 0);
    Groupe& b = Troupe(6, 2, 1, 12, 10, 0);
    CarteReduiteSurvolee = 1;
    struct Cas {
        int cx, cy, x, y;
    };
    // Centred on the hovered cell, kept even and inside 0 .. 127 - visible cells.
    for (const Cas& c : {Cas{64, 64, 50, 54}, Cas{3, 5, 0, 0}, Cas{127, 127, 100, 106}, Cas{61, 33, 48, 22}}) {
        CarteReduiteSurvolX = c.cx;
        CarteReduiteSurvolY = c.cy;
        BoutonGauche = 1;
        ClicGauche = 1;
        Saisie__MiniCarte();
        EXPECT_EQ(RepereX, c.x) << c.cx;
        EXPECT_EQ(RepereY, c.y) << c.cx;
        EXPECT_EQ(ReperePixelX, c.x * 24);
        EXPECT_EQ(Glissement, 1);
        EXPECT_EQ(ClicGauche, 0);
    }
    BoutonGauche = 0;
    // Right button: the selected groups go to the hovered cell.
    Groupe__Selection(5);
    Groupe__Selection(6);
    CarteReduiteSurvolX = 90;
    CarteReduiteSurvolY = 80;
    BoutonDroit = 1;
    Saisie__MiniCarte();
    EXPECT_EQ(a.destinationOrdreX, 90);
    EXPECT_EQ(b.destinationOrdreY, 80);
    // A cell off the map (the frame's edge) moves nothing.
    CarteReduiteSurvolX = 128;
    Saisie__MiniCarte();
    EXPECT_EQ(a.destinationOrdreX, 90);
}

TEST_F(Saisie, BarreDeCapacites) {
    EcranDestination.clipBas = 480;
    Troupe(5, 1, 1, 10, 10, 0);
    TableObjets[1].sorts[0] = 35;
    TableObjets[1].sorts[1] = 41;
    CapacitesNombre = 2;
    CapacitesObjets = {1, 1};
    CapacitesIndex = {0, 1};
    CapacitesActives = {1, 0};
    Groupe__Selection(5);
    // Hover: slot 1 spans 51 < x < 87; beyond the last slot nothing is hovered.
    Souris(60, 430);
    Saisie__Commandes();
    EXPECT_EQ(CapaciteSurvolee, 1);
    Souris(12 + 39 * 5 + 5, 430);
    Saisie__Commandes();
    EXPECT_EQ(CapaciteSurvolee, -1);

    // A digit picks a slot; a usable one is armed and the cursor starts its animation.
    Souris(300, 200);
    ToucheCaractere = '2';
    Saisie__Commandes();
    EXPECT_EQ(SortArme, -1);   // slot 2 cannot be cast now
    ToucheCaractere = '1';
    Saisie__Commandes();
    EXPECT_EQ(SortArme, 35);
    EXPECT_EQ(CapaciteArmee, 0);
    EXPECT_EQ(ApparenceSouris, 2);
    EXPECT_EQ(SourisAccumul, 1);
    EXPECT_EQ(ToucheCaractere, 0);
    for (int i = 0; i < 20; ++i) Saisie__Commandes();
    EXPECT_EQ(SourisAccumul, 9);   // held while armed
    ToucheCaractere = '9';         // past the bar: nothing
    Saisie__Commandes();
    EXPECT_EQ(SortArme, 35);

    // Escape disarms; so does a left press on no valid target, which starts no box.
    ToucheEchap = 1;
    Saisie__Commandes();
    EXPECT_EQ(SortArme, -1);
    EXPECT_EQ(ToucheEchap, 0);
    ToucheCaractere = '1';
    Saisie__Commandes();
    ASSERT_EQ(SortArme, 35);
    ClicGauche = BoutonGauche = 1;
    Saisie__Commandes();
    EXPECT_EQ(SortArme, -1);
    EXPECT_EQ(DemandeSelection, 0);
    EXPECT_EQ(ClicGauche, 0);
}

}  // namespace
