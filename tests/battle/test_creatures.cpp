// Angels and dragons by secondary order and drawn with their shadows and riders; decor shades
// following the light; fixed calage sprites; regiment token banners and state marks.
#include <string>
#include <vector>

#include "battle/creatures.h"
#include "battle/humains.h"
#include "campaign/region.h"
#include "creatures_fixture.h"
#include "scene/meteo.h"
#include "scene/terrain.h"
#include "shell/cycles.h"
#include "shell/trame.h"
#include "world/descriptions.h"
#include "world/univers.h"
#include "world/effondrement.h"
#include "world/grilles.h"

namespace {

constexpr int DECORS = 2, DRAGON = 6, ANGE = 21, REGIMENT = 23;
constexpr int M_ANGE = 60, M_DRAGON = 133;

class Creatures : public CreaturesEssai {
  protected:
    std::array<AnimationInfo, NOMBRE_ANIMATIONS> animations{};

    void SetUp() override {
        CreaturesEssai::SetUp();
        for (auto& a : animations) a = {12, 8};
    }
    void TearDown() override {
        GrilleLumiere.clear();
        CasesVisiblesX = 0;
        CreaturesEssai::TearDown();
    }
    Objet& Volant(int n, int famille, int maitre, int x = 20, int y = 20, int taille = 1) {
        Objet& o = Vivant(n, famille, maitre, x, y, taille, 2);
        o.animations = animations.data();
        o.actif = 1;
        return o;
    }
    static void Gerer(Objet& o) {
        ObjetCourant = &o;
        if (o.famille == DRAGON) DragonGestion();
        else AngeGestion();
    }
};

TEST_F(Creatures, OrdresDuDragonEtDeLAnge) {
    for (int famille : {DRAGON, ANGE}) {
        // Fighting: an attack pose, then rest at the end of its cycle.
        Objet& o = Volant(1, famille, famille == DRAGON ? M_DRAGON : M_ANGE);
        Vivant(2, 0, 20, 21, 20);
        o.ordreSecondaire = 1;
        o.cible = o.groupeCible = 2;
        o.animation = 0;
        o.compteurRepos = 3;
        Gerer(o);
        EXPECT_GE(o.animation, 1) << famille;
        EXPECT_LE(o.animation, 4);
        if (famille == DRAGON) {
            EXPECT_EQ(o.animation, 2);
        }
        EXPECT_EQ(o.compteurRepos, 0);
        for (int i = 0; i < 12 && o.animation != 5; ++i) Gerer(o);
        EXPECT_EQ(o.animation, 5);

        // Moving: a cycle ending with the stop flag rests, otherwise walks on.
        o.ordreSecondaire = 2;
        o.cible = -1;
        o.animation = 0;
        o.compteurEvenement = 11;
        o.arretFinCycle = 1;
        o.compteurRepos = 2;
        Gerer(o);
        EXPECT_EQ(o.animation, 5);
        EXPECT_EQ(o.compteurRepos, 3);
        EXPECT_EQ(o.arretFinCycle, 0);
        o.compteurEvenement = 11;
        Gerer(o);
        EXPECT_EQ(o.animation, 0);
        EXPECT_EQ(o.compteurRepos, 0);

        // Dying: the death frames, then the creature leaves the air layer.
        o.ordreSecondaire = 3;
        o.animation = 18;
        o.compteurEvenement = -1;
        animations[18].images = 3;
        int passes = 0;
        while (o.ordreSecondaire == 3 && passes < 10) {
            Gerer(o);
            ++passes;
        }
        EXPECT_EQ(passes, 4) << famille;
        EXPECT_EQ(o.ordreSecondaire, 4);
        EXPECT_EQ(o.mourant, 1);
        EXPECT_EQ(o.actif, 0);
        EXPECT_EQ(GrilleAir[20 + 128 * 20], 0);
        animations[18].images = 12;

        o.ordreSecondaire = 6;
        o.mourant = 0;
        EXPECT_THROW(Gerer(o), FinProgramme);
        EXPECT_NE(Rapport().find("HumainGestion(): L'odre secondaire de l'objet courant est inconnu : 6"),
                  std::string::npos);
    }
}

TEST_F(Creatures, PosesDeLAngeAuHasard) {
    Objet& o = Volant(1, ANGE, M_ANGE);
    Vivant(2, 0, 20, 21, 20);
    o.ordreSecondaire = 1;
    o.cible = o.groupeCible = 2;
    std::vector<int> vues(5, 0);
    for (int i = 0; i < 400; ++i) {
        o.animation = 5;
        o.compteurEvenement = -1;
        Gerer(o);
        ASSERT_GE(o.animation, 1);
        ASSERT_LE(o.animation, 4);
        ++vues[static_cast<size_t>(o.animation)];
    }
    // 2 half the time, 4 a quarter, 1 and 3 an eighth each.
    EXPECT_GT(vues[2], vues[4]);
    EXPECT_GT(vues[4], vues[1]);
    EXPECT_GT(vues[4], vues[3]);
    EXPECT_GT(vues[1], 0);
    EXPECT_GT(vues[3], 0);
}

TEST_F(Creatures, LAngeInvoqueApparaitSansAgir) {
    for (int ordre : {1, 2}) {
        Objet& o = Volant(1, ANGE, M_ANGE);
        o.ordreSecondaire = ordre;
        o.action = 16;
        o.animation = 20;
        o.x = o.prochaineCaseX = 20;
        o.prochaineCaseX = 25;   // would walk if it could
        int passes = 0;
        while (o.action == 16 && passes < 40) {
            Gerer(o);
            ++passes;
            if (o.action == 16) {
                EXPECT_EQ(o.actif, 0);
                EXPECT_EQ(o.image, passes - 1);
            }
        }
        EXPECT_EQ(passes, 25) << ordre;   // 24 frames, then the creature comes to life
        EXPECT_EQ(o.actif, 1);
        EXPECT_EQ(o.animation, 0);
        EXPECT_EQ(o.x, 20);
    }
}

// Display: shadow first (darkens the grey), then the body through the unit display at its size
// offset (1: 20, 12; 2: 32, 24).
TEST_F(Creatures, OmbresDeLAngeSelonLaTailleEtLaPose) {
    Ecran();
    Sprite(30);
    Sprite(31);
    Sprite(998);
    ObjetGfx_ANIM__DPL[M_ANGE] = 30;
    ObjetGfx_ANIM__ARE[M_ANGE] = 31;
    struct Cas {
        int taille, animation, ox, oy;
    };
    const Cas cas[] = {{2, 0, 95, 85}, {2, 2, 76, 68}, {1, 0, 76, 68}, {3, 0, 114, 102}, {3, 2, 76, 68}};
    for (const Cas& c : cas) {
        Effacer();
        Objet& o = Volant(1, ANGE, M_ANGE, 2, 3, c.taille);
        o.animation = c.animation;
        o.direction = 1;
        o.image = 2;
        AngeAffichage();
        const int sx = 48, sy = 72;
        EXPECT_LT(At(sx + c.ox, sy + c.oy), FOND) << c.taille << " " << c.animation;
        const int bx = c.taille == 1 ? 20 : c.taille == 2 ? 32 : 44, by = c.taille == 1 ? 12 : c.taille == 2 ? 24 : 36;
        EXPECT_EQ(At(sx + bx, sy + by), Couleur(14));
        EXPECT_EQ(Dessines().size(), 2u);
    }
    // Selected: the blue mark of its size, at the walking shadow's height, and no unit marks.
    Effacer();
    Objet& o = Volant(1, ANGE, M_ANGE, 2, 3, 2);
    o.selectionne = 1;
    o.animation = 2;
    CompteurCycle43 = 0;
    AffichageMarques = 1;
    AngeAffichage();
    const uint16_t marque = At(48 + 24, 72 + 85);
    EXPECT_GT(marque & 31, 16);
    EXPECT_EQ(marque >> 10 & 31, 16);
    EXPECT_EQ(AffichageMarques, 1);   // set back after
}

TEST_F(Creatures, AngeDeTailleInconnue) {
    Ecran();
    Sprite(30);
    ObjetGfx_ANIM__DPL[M_ANGE] = 30;
    Objet& o = Volant(1, ANGE, M_ANGE, 2, 3, 5);
    o.animation = 0;
    // The angel asks about its size (a question the report file keeps until the next one), draws
    // its shadow with no offset, then the unit display refuses a size it has no offset for.
    EXPECT_THROW(AngeAffichage(), FinProgramme);
    EXPECT_NE(Rapport().find("Unites___affichage(): Le calage pour la taille est inconnu : 5"), std::string::npos);
    EXPECT_LT(At(48, 72), FOND);
}

TEST_F(Creatures, DragonOmbreEtCavaliers) {
    Ecran();
    Sprite(40);
    Sprite(42);
    for (int g : {41, 43, 919, 920}) Sprite(g, 200, g == 920 || g == 43 ? 120 : 60);   // riders' own colours
    struct Cas {
        int maitre, animation, cavalier;
    };
    const Cas cas[] = {{133, 0, 919}, {134, 5, 919}, {133, 2, 920}, {374, 0, 41}, {374, 3, 43}, {200, 0, -1}, {133, 18, -1}};
    for (const Cas& c : cas) {
        ObjetGfx_ANIM__DPL[c.maitre] = 40;
        ObjetGfx_ANIM__ARE[c.maitre] = 42;
        ObjetGfx_ANIM__DRA[c.maitre] = 42;
        ObjetGfx_ANIM__SPL[c.maitre] = 40;
        ObjetGfx_ANIM__MOR[c.maitre] = 40;
        Effacer();
        Objet& o = Volant(1, DRAGON, c.maitre, 2, 3, 3);
        o.animation = c.animation;
        o.direction = 2;
        o.image = 1;
        DragonAffichage();
        EXPECT_LT(At(48 + 114, 72 + 102), FOND) << c.maitre << " " << c.animation;
        // The rider is drawn over the body, same place and frame.
        const int teinte = c.cavalier == 920 || c.cavalier == 43 ? 120 : c.cavalier == -1 ? 0 : 60;
        EXPECT_EQ(At(48 + 44, 72 + 36), Couleur(25 + teinte));
        EXPECT_EQ(Dessines().size(), 2u);
    }
    Objet& o = Volant(1, DRAGON, 133);
    o.animation = 20;
    EXPECT_THROW(DragonAffichage(), FinProgramme);
    EXPECT_NE(Rapport().find("DragonAffichage(): L'objet à reçu une animation inconnue : 20"), std::string::npos);
    // Dead or dying, nothing is drawn.
    Effacer();
    o.animation = 0;
    o.ordreSecondaire = 4;
    DragonAffichage();
    EXPECT_TRUE(Dessines().empty());
}

// A dragon and its rider are one unit: its damage number and icon age once a frame.
TEST_F(Creatures, LeCavalierNeVieillitPasLesChiffresUneSecondeFois) {
    Ecran();
    Sprite(40);
    Sprite(919, 200, 60);
    ObjetGfx_ANIM__DPL[M_DRAGON] = 40;
    Objet& o = Volant(1, DRAGON, M_DRAGON, 2, 3, 3);
    o.direction = 2;
    o.image = 1;
    AffichageDegats = 1;
    o.degatsRecus = 7;
    o.icone = 1;
    DragonAffichage();
    EXPECT_EQ(o.ageNombre, 1);
    EXPECT_EQ(o.ageIcone, 1);
    EXPECT_EQ(At(48 + 44, 72 + 36), Couleur(25 + 60)) << "the rider is still drawn";
    AffichageDegats = 0;
}

TEST_F(Creatures, LOmbreDuDecorSuitLaLumiere) {
    CasesVisiblesX = 10;
    DefilementMaxX = DefilementMaxY = 100;
    GrilleLumiere.assign(11 * 9, 0);
    RepereX = 4;
    RepereY = 2;
    // Decor at (8, 6): corner ((8 - 4) / 2 + 1, (6 - 2) / 2 + 1) = (3, 3).
    struct Cas {
        int lumiere, ombre;
        std::vector<int> suite;
    };
    const Cas cas[] = {{3, 31, {27, 23, 19, 15, 11, 11}}, {4, 16, {14, 12, 14, 12}}, {13, 31, {31, 31}}};
    for (const Cas& c : cas) {
        GrilleLumiere[3 * 11 + 3] = c.lumiere;
        Objet& o = Vivant(2, DECORS, 50, 8, 6);
        o.sorts[0] = c.ombre;
        std::vector<int> vues;
        for (size_t i = 0; i < c.suite.size(); ++i) {
            ObjetCourant = &o;
            Objet__SuiviAltitude();
            vues.push_back(o.sorts[0]);
        }
        EXPECT_EQ(vues, c.suite) << "lumière " << c.lumiere;
    }
    // Off the view's light grid the shade stays; the view origin is clamped even first.
    Objet& o = Vivant(2, DECORS, 50, 120, 6);
    o.sorts[0] = 20;
    RepereX = 5;
    Objet__SuiviAltitude();
    EXPECT_EQ(o.sorts[0], 20);
    EXPECT_EQ(RepereX, 4);
    // The placeholder and a dying decor are left alone.
    o.x = 8;
    o.indice = 1;
    Objet__SuiviAltitude();
    EXPECT_EQ(o.sorts[0], 20);
    o.indice = 2;
    o.mourant = 1;
    ObjetCourant = &o;
    Objet__SuiviAltitude();
    EXPECT_EQ(o.sorts[0], 20);
}

TEST_F(Creatures, DessinDesDecors) {
    Ecran();
    Sprite(50, 40);
    struct Cas {
        int maitre, taille, dx, dy, image;
    };
    // At (2, 3) with an offset of (-2, 1); 208 and 209 ignore it and show the hour.
    HeureDuJour = 17;
    const Cas cas[] = {{50, 1, 22, 13, 6},   {50, 2, 22, 25, 6},   {50, 3, 46, 37, 6}, {50, 4, 46, 49, 6},
                       {50, 5, 238, 241, 6}, {208, 1, 24, 12, 17}, {209, 3, 24, 12, 17}};
    for (const Cas& c : cas) {
        ObjetGfx_ANIM__SPL[c.maitre] = 50;
        Effacer();
        Objet& o = Vivant(2, DECORS, c.maitre, 2, 3, c.taille);
        o.decalageX = -2;
        o.decalageY = 1;
        o.direction = 6;
        o.sorts[0] = 31;   // full light: drawn as in its file
        Objet__SuiviAltitude();
        const std::vector<std::string> attendu = {std::to_string(48 + c.dx) + "," + std::to_string(72 + c.dy)};
        if (48 + c.dx < LARGEUR && 72 + c.dy < HAUTEUR) {
            EXPECT_EQ(Dessines(), attendu) << c.maitre << " " << c.taille;
            EXPECT_EQ(At(48 + c.dx, 72 + c.dy), Couleur(c.image));
        } else {
            EXPECT_TRUE(Dessines().empty());
        }
    }
    // The turning decor of size 2 steps its frame on every call, round 32.
    ObjetGfx_ANIM__SPL[40] = 50;
    Objet& o = Vivant(2, DECORS, 40, 2, 3, 2);
    o.direction = 30;
    std::vector<int> vues;
    for (int i = 0; i < 3; ++i) {
        Objet__SuiviAltitude();
        vues.push_back(o.direction);
    }
    EXPECT_EQ(vues, (std::vector<int>{31, 0, 1}));
}

TEST_F(Creatures, SpriteCaleSurLeBatiment) {
    Ecran();
    Sprite(60, 2);
    ObjetGfx_ANIM__ARA[70] = 60;
    DescriptionsBatimentT[70].calage[0][0] = 30;
    DescriptionsBatimentT[70].calage[0][1] = 14;
    Objet& o = Vivant(1, 1, 70, 3, 2);
    o.decalageX = 9;   // not used: the sprite stands where the building does
    FlashDestruction = 0;
    Objet__AffichageDecale();
    EXPECT_EQ(Dessines(), (std::vector<std::string>{"110,62"}));
    EXPECT_EQ(At(110, 62), Couleur(0));
    // The collapse's flash lights it again.
    FlashDestruction = 28;
    Objet__AffichageDecale();
    EXPECT_GT(At(110, 62) >> 10 & 31, Couleur(0) >> 10 & 31);
    FlashDestruction = 0;
}

TEST_F(Creatures, LaBanniereDuJetonTourne) {
    Objet& o = Vivant(1, REGIMENT, 338, 5, 5);
    o.ordreSecondaire = 5;   // not moving: no step
    std::vector<int> vues;
    for (int i = 0; i < 15; ++i) {
        Regiment__Animation();
        vues.push_back(o.image);
    }
    EXPECT_EQ(vues, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0, 1, 2}));
}

TEST_F(Creatures, MarquesDuJeton) {
    Ecran();
    Sprite(704, 13);
    Sprite(621, 2);
    Sprite(997, 1);
    enum Rendu { Aucun, Normal, Demi };
    struct Cas {
        const char* nom;
        RegimentRegion r;
        Rendu banniere;
        int bouclier;   // frame, -1 none
        Rendu rendu;
    };
    auto R = [](int plein, int eteint, int transparent, int bouclier, int compteur) {
        RegimentRegion r{};
        r.jetonPlein = plein;
        r.jetonEteint = eteint;
        r.jetonTransparent = transparent;
        r.jetonBouclier = bouclier;
        r.compteurBouclier = compteur;
        return r;
    };
    const Cas cas[] = {{"plein", R(1, 1, 1, 1, -9), Normal, 0, Normal},
                       {"éteint", R(0, 1, 1, 1, 0), Normal, 1, Demi},
                       {"transparent", R(0, 0, 1, 1, -9), Demi, 0, Normal},
                       {"bouclier usé", R(0, 0, 0, 1, -4), Normal, 1, Demi},
                       {"bouclier", R(0, 0, 0, 1, -3), Normal, 1, Normal},
                       {"rien", R(0, 0, 0, 0, -9), Normal, -1, Aucun}};
    Objet& o = Vivant(7, REGIMENT, 338, 2, 3);
    o.sorts[0] = 4;
    o.image = 9;
    o.decalageX = 1;
    int32_t cellule = 7;
    PointeurCase = &cellule;
    for (const Cas& c : cas) {
        RegimentsRegion[4] = c.r;
        Effacer();
        ObjetCourant = nullptr;
        RegimentAffichage();
        EXPECT_EQ(ObjetCourant, &o);
        const uint16_t banniere = At(49 + 20, 72 + 13), bouclier = At(49 + 12, 72 + 16);
        EXPECT_EQ(banniere == Couleur(9), c.banniere == Normal) << c.nom;
        EXPECT_EQ(banniere != FOND && banniere != Couleur(9), c.banniere == Demi) << c.nom;
        if (c.bouclier < 0) {
            EXPECT_EQ(bouclier, FOND) << c.nom;
        } else if (c.rendu == Normal) {
            EXPECT_EQ(bouclier, Couleur(c.bouclier)) << c.nom;
        } else {
            EXPECT_NE(bouclier, Couleur(c.bouclier)) << c.nom;
            EXPECT_NE(bouclier, FOND) << c.nom;
        }
    }
    // Selected: the mark, shaded a row lower, then plain.
    RegimentsRegion[4] = RegimentRegion{};
    o.selectionne = 1;
    Effacer();
    RegimentAffichage();
    EXPECT_EQ(At(49 + 20, 72 + 16), Couleur(0));
    EXPECT_LT(At(49 + 20, 72 + 17), FOND);
    // A token with no regiment record shows its banner alone; an unknown pose is reported and
    // nothing but the mark is drawn.
    o.sorts[0] = 40;
    o.selectionne = 0;
    Effacer();
    RegimentAffichage();
    EXPECT_EQ(Dessines().size(), 1u);
    o.animation = 3;
    Effacer();
    RegimentAffichage();
    EXPECT_TRUE(Dessines().empty());
    EXPECT_NE(Rapport().find("RegimentAffichage(): Animation inconnue : 3"), std::string::npos);
    PointeurCase = nullptr;
}

}  // namespace
