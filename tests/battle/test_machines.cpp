// Siege engines: the firing cadence, the fall to debris and the wreck's end, the 16 directions,
// and the four displays.
#include <string>
#include <vector>

#include "battle/deplacement.h"
#include "battle/machines.h"
#include "shell/cycles.h"
#include "world/gestion_objets.h"
#include "creatures_fixture.h"
#include "world/objets.h"

namespace {

constexpr int MACHINES = 5, BALISTE = 139, CATAPULTE = 141, DEBRIS_CATAPULTE = 158, DEBRIS_BALISTE = 160;

class Machines : public CreaturesEssai {
  protected:
    Objet& Machine(int n, int maitre, int x = 20, int y = 20) {
        Objet& o = Vivant(n, MACHINES, maitre, x, y, 2);
        o.selectionnable = o.selectionne = 1;
        return o;
    }
    static void Gerer(Objet& o) {
        ObjetCourant = &o;
        switch (o.typeMaitre) {
            case BALISTE: Baliste___gestion(); break;
            case CATAPULTE: Catapulte___gestion(); break;
            default: Catapulte_debris___gestion(); break;
        }
    }
};

TEST_F(Machines, UnTirToutesLesTrenteEtUnePasses) {
    Objet& o = Machine(1, CATAPULTE);
    Vivant(2, 0, 20, 30, 20);
    o.ordreSecondaire = 1;
    o.cible = o.groupeCible = 2;   // without one the machine goes back to moving
    o.animation = 5;
    std::vector<int> tirs, images;
    for (int passe = 1; passe <= 100; ++passe) {
        Gerer(o);
        if (o.compteurTir == 0) tirs.push_back(passe);
        if (o.animation == 2) images.push_back(o.image);
        if (passe == 37 || passe == 68) {
            EXPECT_EQ(o.animation, 5) << passe;   // back to rest
        }
    }
    EXPECT_EQ(tirs, (std::vector<int>{31, 62, 93}));
    // Each shot plays its six frames from the first, whatever frame the rest had reached (the
    // rest cycle ends on pass 31 here).
    EXPECT_EQ(images, (std::vector<int>{0, 1, 2, 3, 4, 5, 0, 1, 2, 3, 4, 5, 0, 1, 2, 3, 4, 5}));
    // Moving, the counter still runs but no shot starts.
    o.ordreSecondaire = 2;
    o.compteurTir = 40;
    Gerer(o);
    EXPECT_EQ(o.compteurTir, 41);
    EXPECT_NE(o.animation, 2);
}

TEST_F(Machines, LaMachineDetruiteDevientDebris) {
    struct Cas {
        int maitre, debris;
    };
    for (const Cas c : {Cas{CATAPULTE, DEBRIS_CATAPULTE}, Cas{BALISTE, DEBRIS_BALISTE}}) {
        Objet& o = Machine(1, c.maitre);
        PopulationParType[c.maitre] = 3;
        PopulationParType[c.debris] = 0;
        o.pointsDeVieMaximum = 400;
        o.pointsDeVie = 0;
        o.ordreSecondaire = 1;
        o.animation = 18;
        o.compteurEvenement = 0;   // as a killing hit leaves it
        o.regenerationVie = 2;
        Gerer(o);
        EXPECT_EQ(o.typeMaitre, c.debris);
        EXPECT_EQ(o.pointsDeVie, 100);
        EXPECT_EQ(o.vitesse, 0);
        EXPECT_EQ(o.selectionnable, 0);
        EXPECT_EQ(o.selectionne, 0);
        EXPECT_EQ(o.regenerationVie, -1);
        EXPECT_EQ(o.ordreSecondaire, 2);
        EXPECT_EQ(o.animation, 0);
        EXPECT_EQ(o.compteurEvenement, -1);
        EXPECT_EQ(PopulationParType[c.maitre], 2);
        EXPECT_EQ(PopulationParType[c.debris], 1);
    }
}

TEST_F(Machines, LeDebrisUseMeurt) {
    Objet& o = Machine(1, DEBRIS_CATAPULTE);
    o.pointsDeVie = 0;
    o.ordreSecondaire = 2;
    o.compteurEvenement = 0;
    o.actif = 1;
    Gerer(o);
    EXPECT_EQ(o.mourant, 1);
    EXPECT_EQ(o.ordreSecondaire, 4);
    EXPECT_EQ(o.animation, 18);
    EXPECT_EQ(o.actif, 0);
    EXPECT_EQ(GrilleUnites[20 + 128 * 20], 0);   // its footprint is freed
}

// Through the dispatcher: the killing hit leaves the machine dying; its next frame turns it into
// a wreck that outlives the pass, and the wreck, worn down to nothing, dies out of the grid.
TEST_F(Machines, DuCoupFatalAuDebrisPuisALaFin) {
    Objet& o = Machine(1, CATAPULTE);
    o.pointsDeVieMaximum = 8;
    o.pointsDeVie = 0;
    o.ordreSecondaire = 3;
    o.animation = 18;
    o.compteurEvenement = 0;
    CompteurCycle20 = 1;   // no regeneration this pass
    ObjetCourant = &o;
    Objet__Examine();
    EXPECT_EQ(o.typeMaitre, DEBRIS_CATAPULTE);
    EXPECT_EQ(o.pointsDeVie, 2);
    EXPECT_EQ(o.mourant, 0);
    std::vector<int> vie;
    for (int c = 0; c < 12 && o.mourant == 0; ++c) {
        CompteurCycle20 = c;
        ObjetCourant = &o;
        Objet__Examine();
        vie.push_back(o.pointsDeVie);
    }
    EXPECT_EQ(vie, (std::vector<int>{1, 1, 1, 1, 0}));   // one point every fourth pass
    EXPECT_EQ(o.mourant, 1);
    EXPECT_EQ(GrilleUnites[20 + 128 * 20], 0);
}

// A machine brought down by a shot (the landing leaves it dying with its counter before the
// first frame) still becomes a wreck through the dispatcher, instead of being removed.
TEST_F(Machines, AbattueParUnTirElleDevientDebris) {
    for (const int maitre : {CATAPULTE, BALISTE}) {
        Objet& o = Machine(1, maitre);
        o.pointsDeVieMaximum = 400;
        o.pointsDeVie = 0;
        o.ordreSecondaire = 3;
        o.animation = 19;
        o.compteurEvenement = -1;
        CompteurCycle20 = 1;
        ObjetCourant = &o;
        Objet__Examine();
        EXPECT_EQ(o.typeMaitre, maitre == CATAPULTE ? DEBRIS_CATAPULTE : DEBRIS_BALISTE);
        EXPECT_EQ(o.pointsDeVie, 100);
        EXPECT_EQ(o.mourant, 0);
        EXPECT_EQ(GrilleUnites[20 + 128 * 20], 1);
    }
}

TEST_F(Machines, OrdreInconnuFatal) {
    for (int maitre : {CATAPULTE, BALISTE, DEBRIS_BALISTE}) {
        Objet& o = Machine(1, maitre);
        o.ordreSecondaire = 7;
        EXPECT_THROW(Gerer(o), FinProgramme) << maitre;
        const char* ou = maitre == CATAPULTE ? "Catapulte___gestion()"
                         : maitre == BALISTE ? "Baliste___gestion()"
                                             : "Catapulte_debris___gestion()";
        EXPECT_NE(Rapport().find(std::string(ou) + ": L'odre secondaire de l'objet courant est inconnu : 7"),
                  std::string::npos)
            << Rapport();
    }
}

TEST_F(Machines, DirectionDeTir) {
    struct Cas {
        int dx, dy, direction;
    };
    // Straight up, down, right, left; a target 11.3 degrees past a step rounds up, 9.5 down.
    const Cas cas[] = {{0, -3, 0},  {0, 3, 8},  {3, 0, 4},   {-3, 0, 12}, {1, -5, 1},  {1, -6, 0},
                       {2, 2, 6},   {-2, 2, 10}, {-2, -2, 14}, {5, -1, 3},  {-1, -5, 15}, {-1, -6, 0}};
    for (const Cas& c : cas) {
        Objet& o = Machine(1, CATAPULTE, 40, 40);
        Objet& cible = Vivant(2, 0, 20, 40 + c.dx, 40 + c.dy);
        o.ordreSecondaire = 1;
        o.cible = o.groupeCible = 2;
        o.direction = 9;
        o.sorts[0] = 7;
        ObjetCourant = &o;
        Objet__DirectionMachine();
        EXPECT_EQ(o.direction, c.direction) << c.dx << "," << c.dy;
        EXPECT_EQ(o.sorts[1], 9);
        EXPECT_EQ(o.sorts[0], 7);   // the firing direction is not recorded when aiming
        (void)cible;
    }
}

TEST_F(Machines, DirectionSansCibleDebout) {
    Objet& o = Machine(1, CATAPULTE, 40, 40);
    Objet& cible = Vivant(2, 0, 20, 40, 44);
    o.ordreSecondaire = 1;
    o.cible = o.groupeCible = 2;
    o.prochaineCaseX = 43;   // to the right
    o.prochaineCaseY = 40;
    o.direction = 9;
    ObjetCourant = &o;
    Objet__DirectionMachine();
    EXPECT_EQ(o.direction, 8);
    // The target gone, the next cell (taken from the machine's cell) gives the aim.
    cible.noeudListe = nullptr;
    Objet__DirectionMachine();
    EXPECT_EQ(o.direction, 4);
    // Aiming at its own cell, it keeps its direction.
    o.prochaineCaseX = 40;
    Objet__DirectionMachine();
    EXPECT_EQ(o.direction, 4);
}

TEST_F(Machines, DirectionEnMarche) {
    struct Cas {
        int dx, dy, direction;
    };
    const Cas cas[] = {{1, 1, 6}, {1, 0, 4},  {1, -1, 2},  {0, 1, 8},
                       {0, -1, 0}, {-1, 1, 10}, {-1, 0, 12}, {-1, -1, 14}, {0, 0, 5}};
    for (const Cas& c : cas) {
        Objet& o = Machine(1, BALISTE, 40, 40);
        o.ordreSecondaire = 2;
        o.direction = 5;
        o.prochaineCaseX = 40 + c.dx;
        o.prochaineCaseY = 40 + c.dy;
        ObjetCourant = &o;
        Objet__DirectionMachine();
        EXPECT_EQ(o.direction, c.direction) << c.dx << "," << c.dy;
        EXPECT_EQ(o.sorts[0], c.direction);
        EXPECT_EQ(o.sorts[1], 5);
    }
}

TEST_F(Machines, LaMachineSeTourneEnAvancant) {
    Objet& o = Machine(1, CATAPULTE, 40, 40);
    o.famille = MACHINES;
    o.ordreSecondaire = 2;
    o.prochaineCaseX = 39;
    o.prochaineCaseY = 41;
    GroupesGeres = 1;
    ObjetCourant = &o;
    Objet__Deplacement();
    GroupesGeres = 0;
    EXPECT_EQ(o.direction, 10);
    EXPECT_EQ(o.sorts[0], 10);
    EXPECT_EQ(o.x, 39);
    EXPECT_EQ(o.y, 41);
}

// Display: (x - RepereX) x 24 + 20 + offset, plus the size offset of a 2-cell machine (32, 24).
TEST_F(Machines, ImagesParAnimation) {
    Ecran();
    for (int g : {10, 11, 12, 13, 20, 21, 22, 23}) Sprite(g);
    ObjetGfx_ANIM__DPL[CATAPULTE] = 10;
    ObjetGfx_ANIM__ARE[CATAPULTE] = 11;
    ObjetGfx_ANIM__SPL[CATAPULTE] = 12;
    ObjetGfx_ANIM__MOR[CATAPULTE] = 13;
    ObjetGfx_ANIM__DPL[DEBRIS_CATAPULTE] = 20;
    ObjetGfx_ANIM__ARE[DEBRIS_CATAPULTE] = 21;
    ObjetGfx_ANIM__SPL[DEBRIS_CATAPULTE] = 22;
    ObjetGfx_ANIM__MOR[DEBRIS_CATAPULTE] = 23;
    struct Cas {
        int maitre, animation, image;
    };
    // Direction 3, image 4: machines walk and fire on 6 frames a direction; a wreck has one.
    const Cas cas[] = {{CATAPULTE, 0, 22}, {CATAPULTE, 2, 22}, {CATAPULTE, 5, 3},       {CATAPULTE, 18, 3},
                       {CATAPULTE, 19, 3}, {DEBRIS_CATAPULTE, 0, 3}, {DEBRIS_CATAPULTE, 2, 7}, {DEBRIS_CATAPULTE, 5, 3},
                       {DEBRIS_CATAPULTE, 17, 3}};
    RepereX = 2;
    RepereY = 4;
    for (const Cas& c : cas) {
        Effacer();
        Objet& o = Machine(1, c.maitre, 5, 6);
        o.animation = c.animation;
        o.direction = 3;
        o.image = 4;
        o.decalageX = -5;
        o.touche = 1;
        if (c.maitre == CATAPULTE) CatapulteAffichage();
        else Catapulte_debrisAffichage();
        // The frame shows in green and blue; red carries the tint of the hit mark.
        EXPECT_EQ(At(3 * 24 + 20 - 5 + 32, 2 * 24 + 24) & 0x3FF, Couleur(c.image) & 0x3FF)
            << c.maitre << " " << c.animation;
        EXPECT_EQ(Dessines().size(), 1u);
        EXPECT_EQ(o.touche, 0);
    }
}

TEST_F(Machines, AffichageMachineMorteEtInconnue) {
    Ecran();
    Objet& o = Machine(1, CATAPULTE);
    o.ordreSecondaire = 4;
    o.animation = 0;
    CatapulteAffichage();
    EXPECT_EQ(o.ordreSecondaire, 3);   // a dead machine that is drawn starts dying again
    EXPECT_EQ(o.animation, 18);
    struct Cas {
        int maitre;
        const char* texte;
    };
    const Cas cas[] = {{CATAPULTE, "Objet__Affiche: L'objet catapulte à reçu une animation inconnue : 7"},
                       {BALISTE, "BalisteAffichage(): L'objet baliste à reçu une animation inconnue : 7"},
                       {DEBRIS_CATAPULTE, "Objet__Affiche: Le debris de catapulte à reçu une animation inconnue : 7"},
                       {DEBRIS_BALISTE, "Objet__Affiche: Le  debris de baliste à reçu une animation inconnue : 7"}};
    for (const Cas& c : cas) {
        Objet& m = Machine(1, c.maitre);
        m.animation = 7;
        auto dessiner = c.maitre == CATAPULTE ? CatapulteAffichage
                        : c.maitre == BALISTE ? BalisteAffichage
                        : c.maitre == DEBRIS_CATAPULTE ? Catapulte_debrisAffichage
                                                       : Baliste_debrisAffichage;
        EXPECT_THROW(dessiner(), FinProgramme);
        EXPECT_NE(Rapport().find(c.texte), std::string::npos) << Rapport();
    }
}

TEST_F(Machines, LaBalisteToucheeAfficheSonArcEnRouge) {
    Ecran();
    Sprite(137);
    Objet& o = Machine(1, BALISTE, 1, 1);
    o.animation = 5;
    o.sorts[0] = 6;
    o.touche = 1;
    BalisteAffichage();
    const uint16_t arc = At(24 + 20 + 44, 24 + 36);
    EXPECT_NE(arc, FOND);
    EXPECT_GT(arc >> 10 & 31, 16);   // lit red over the grey
    EXPECT_EQ(arc >> 5 & 31, 16);
    EXPECT_EQ(arc & 31, 16);
    EXPECT_EQ(o.touche, 0);
    Effacer();
    BalisteAffichage();
    EXPECT_EQ(At(24 + 20 + 44, 24 + 36), FOND);   // not hit: no red bow
}

}  // namespace
