// The special missions' list and screen, and the scan of the map at scene start.
#include <gtest/gtest.h>

#include <string>

#include "arbre_temporaire.h"
#include "battle/occupation.h"
#include "campaign/armee.h"
#include "campaign/campagne.h"
#include "foundation/ecran_fixture.h"
#include "foundation/entrees.h"
#include "shell/missions.h"
#include "shell/scenario.h"
#include "world/descriptions.h"
#include "world/grilles.h"
#include "world/objets.h"
#include "foundation/objetsgfx.h"
#include "foundation/polices.h"
#include "foundation/sprites.h"
#include "frontend/localisation.h"
#include "jeu_temporaire.h"
#include "platform/blitter.h"
#include "shell/trame.h"
#include "shell/victoire.h"
#include "world/maitres.h"
#include "world/niveau.h"

namespace {

class Missions : public FenetreJeu {
  protected:
    ArbreTemporaire arbre;
    void Liste(const std::string& contenu) { arbre.Ecrire("Campagnes/Specials/ListeDesMissions.txt", contenu); }
    // The fatal report's line, or "" when the call returned.
    std::string Fatale(void (*appel)()) {
        testing::internal::CaptureStderr();
        try {
            appel();
        } catch (const FinProgramme& fin) {
            testing::internal::GetCapturedStderr();
            EXPECT_EQ(fin.code, 1);
            return arbre.Lire("Erreur.txt");
        }
        testing::internal::GetCapturedStderr();
        return "";
    }
};

TEST_F(Missions, DixHuitNomsAcceptesDixNeufFatal) {
    std::string noms;
    for (int i = 0; i < 18; ++i) noms += "Mission" + std::to_string(i) + (i % 3 ? " " : "\r\n\t");
    Liste(noms);
    ASSERT_EQ(MissionsSpeciales__Liste(), 18);
    EXPECT_STREQ(ListeMissionsSpeciales[0], "Mission0");
    EXPECT_STREQ(ListeMissionsSpeciales[17], "Mission17");
    // The scene start reads the chosen one by MissionSpecialeChoisie.
    MissionCourante = 17;
    EXPECT_STREQ(NomMissionSpeciale(), "Mission17");
    Liste(noms + " Mission18\n");
    EXPECT_EQ(Fatale([] { MissionsSpeciales__Liste(); }),
              "MissionsSpeciales(): Le nombre de missions maxi est atteint : 19");
}

TEST_F(Missions, ListeAbsenteFataleNomTropLongCoupe) {
    EXPECT_EQ(Fatale([] { MissionsSpeciales__Liste(); }),
              "MissionsSpeciales(): ..\\Campagnes\\Specials\\ListeDesMissions.txt: fichier non trouvé!");
    Liste(std::string(300, 'n') + " court");
    ASSERT_EQ(MissionsSpeciales__Liste(), 2);
    EXPECT_EQ(std::string(ListeMissionsSpeciales[0]), std::string(255, 'n'));
    EXPECT_STREQ(ListeMissionsSpeciales[1], "court");
}

TEST_F(Missions, ListeVideRevientAuMenu) {
    Liste(" \n");
    MorvaneCode = 2;
    RoutageOn = 0;
    EtatBoucleJeu = 0;
    SaisieValidee = 0;
    testing::internal::CaptureStderr();
    MissionsSpeciales();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("aucune mission"), std::string::npos);
    EXPECT_EQ(MorvaneCode, 6);
    EXPECT_EQ(RoutageOn, 1);
    EXPECT_EQ(EtatBoucleJeu, 1);
    EXPECT_EQ(SaisieValidee, 1);
    EXPECT_EQ(MissionSpecialeEnCours, 0);
    EXPECT_FALSE(arbre.Existe("Erreur.txt"));
}

// The unit grid with objects stamped on their footprints.
class Balayage : public ::testing::Test {
  protected:
    void SetUp() override { Univers__AlloueGrilles(); }
    void TearDown() override {
        Univers__LibereGrilles();
        for (int m : {300, 301, 157, 411, 568}) DescriptionsBatimentG[m].largeur = DescriptionsBatimentG[m].hauteur = 0;
    }
    void Poser(int indice, int maitre, int classe, int x, int y, int l, int h) {
        Objet& o = TableObjets[static_cast<size_t>(indice)];
        o.typeMaitre = maitre;
        o.classe = classe;
        o.x = x;
        o.y = y;
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + l; ++i) GrilleUnites[i + TAILLE_UNIVERS * j] = indice;
    }
};

TEST_F(Balayage, SansFortificationNiPorte) {
    PorteTrouvee = 1;
    PorteX = PorteY = 9;
    ObjetPorte = 9;
    ZoneBatimentsPresente = 1;
    BrecheOuverte = 1;
    Poser(5, 12, 3, 20, 20, 1, 1);   // a plain unit
    GrilleUnites[0] = 1;              // water
    Scene__InitialisationVariables();
    EXPECT_EQ(PorteTrouvee, 0);
    EXPECT_EQ(PorteX, 0);
    EXPECT_EQ(PorteY, 0);
    EXPECT_EQ(ObjetPorte, 0);
    EXPECT_EQ(ZoneBatimentsPresente, 0);
    EXPECT_EQ(ZoneBatimentsX, 127);
    EXPECT_EQ(ZoneBatimentsY, 127);
    EXPECT_EQ(ZoneBatimentsLargeur, 0);
    EXPECT_EQ(ZoneBatimentsHauteur, 0);
    EXPECT_EQ(BrecheOuverte, 0);
}

TEST_F(Balayage, DernierePorteEtZoneDesFortifications) {
    Poser(10, 568, 0, 50, 60, 3, 3);
    Poser(11, 411, 0, 10, 20, 3, 3);
    // Fortifications: the zone reaches the right and bottom of their descriptions' footprints.
    DescriptionsBatimentG[300].largeur = 5;
    DescriptionsBatimentG[300].hauteur = 4;
    DescriptionsBatimentG[301].largeur = 2;
    DescriptionsBatimentG[301].hauteur = 2;
    Poser(20, 300, 25, 40, 30, 5, 4);
    Poser(21, 301, 25, 60, 35, 2, 2);
    Poser(22, 157, 25, 5, 5, 2, 2);   // a fortification master left out of the zone
    Poser(23, 300, 24, 2, 2, 5, 4);   // not a fortification
    Scene__InitialisationVariables();
    // Rows from the top: the gate at row 60 is found last.
    EXPECT_EQ(PorteTrouvee, 1);
    EXPECT_EQ(PorteX, 50);
    EXPECT_EQ(PorteY, 60);
    EXPECT_EQ(ObjetPorte, 11);   // its closed gate, made right after it
    EXPECT_EQ(ZoneBatimentsPresente, 1);
    EXPECT_EQ(ZoneBatimentsX, 40);
    EXPECT_EQ(ZoneBatimentsY, 30);
    EXPECT_EQ(ZoneBatimentsDroite, 61);
    EXPECT_EQ(ZoneBatimentsBas, 36);
    EXPECT_EQ(ZoneBatimentsLargeur, 21);
    EXPECT_EQ(ZoneBatimentsHauteur, 6);
}

}  // namespace

namespace {

// A special mission played on the sample game, in a window: the list names the sample level,
// copied into the missions' folder with the given conditions; the input comes from a script.
class MissionJouee : public ::testing::Test {
  protected:
    JeuTemporaire jeu;
    std::filesystem::path ancien = std::filesystem::current_path();

    void Preparer(const std::string& conditions, const std::string& script) {
        jeu.Ecrire("Campagnes/Specials/ListeDesMissions.txt", "essai\n");
        jeu.Ecrire("Campagnes/Specials/essai.mv", jeu.Lire("niveau/essai.mv"));
        jeu.Ecrire("Campagnes/Specials/essai.vbat", conditions);
        jeu.Ecrire("Images/Ima_0016.tga", jeu.Lire("images/Intro.tga"));
        jeu.Ecrire("script.txt", script);
        std::filesystem::current_path(jeu.Racine() / "bin");
        OptionsPlateforme options;
        options.script = (jeu.Racine() / "script.txt").string();
        ASSERT_TRUE(Plateforme_Initialiser(options));
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        ASSERT_EQ(Fenetre_Creation(nullptr), 1);
        ASSERT_EQ(Polices_Creation(nullptr), 1);
        ASSERT_EQ(SprDll_Chargement("spr_p6.dll"), 0);
        ASSERT_EQ(SprDll_Init(12, BLITTER_FORMAT_555, nullptr), 0);
        CreationDeLalIsteDesObjetsGfx();
        ASSERT_GT(Maitres__Liste__Creation(), 0);
        LocalisationInitialisation();
        QuitterJeu = 0;
    }
    void TearDown() override {
        ObjetsGfx_Liberation();
        SprDll_Free();
        Plateforme_Fermer();
        std::filesystem::current_path(ancien);
    }
};

// The window is closed as the mission starts: its scene is torn down all the same.
TEST_F(MissionJouee, QuitterPendantLaMissionDemonteLaScene) {
    Preparer(jeu.Lire("niveau/essai.VBat"), "");
    if (HasFatalFailure()) return;
    ResultatBataille = 1;   // left by an earlier battle
    Plateforme_InjecterFermeture();
    testing::internal::CaptureStderr();
    MissionsSpeciales();
    const std::string sortie = testing::internal::GetCapturedStderr();
    EXPECT_EQ(QuitterJeu, 1);
    EXPECT_EQ(GrilleUnites, nullptr) << sortie;
    EXPECT_EQ(ListeObjetsVivants == nullptr || Liste__Vide(ListeObjetsVivants), true);
    EXPECT_EQ(MorvaneCode, 6);
    EXPECT_EQ(MissionSpecialeEnCours, 0);
    EXPECT_EQ(LargeurEcran, 640);
    EXPECT_FALSE(jeu.Existe("Erreur.txt")) << jeu.Lire("Erreur.txt");
}

// After a skirmish won earlier in the run, a mission starts as any battle does: it is decided
// (its countdown runs out), and its results count from its own start and gold. The script
// closes the missions requester, then the results screen; the window closes at 40 s whatever.
TEST_F(MissionJouee, ApresUneEscarmoucheGagneeLaMissionSeDecide) {
    std::string conditions = jeu.Lire("niveau/essai.VBat");
    const size_t defaite = conditions.find("[DEFAITE]"), evenements = conditions.find("[EVENEMENTS]");
    conditions.replace(defaite, evenements - defaite, "[DEFAITE]\n1\nCONTRE_LA_MONTRE - 0\n");
    std::string script = "3000 key RETURN\n";
    for (int t = 8000; t <= 20000; t += 4000) script += std::to_string(t) + " move 600 450\n" + std::to_string(t + 50) + " click left\n";
    Preparer(conditions, script + "40000 quit\n");
    if (HasFatalFailure()) return;
    // What the skirmish and the menus left.
    BatailleDecidee = 1;
    ResultatBataille = -1;
    EscarmoucheEnCours = -1;
    DebutBataille = 0;
    DebutScene = 0;
    OrDebutBataille = 5;
    OrJoueur = 700;
    testing::internal::CaptureStderr();
    MissionsSpeciales();
    const std::string sortie = testing::internal::GetCapturedStderr();
    EXPECT_EQ(QuitterJeu, 0) << sortie;
    EXPECT_EQ(ResultatBataille, 0);
    EXPECT_EQ(OrDebutBataille, 700);
    EXPECT_GE(DebutBataille, 3000u);
    EXPECT_GE(DebutScene, 3000u);
    EXPECT_EQ(GrilleUnites, nullptr);
    EXPECT_EQ(MorvaneCode, 6);
    EXPECT_FALSE(jeu.Existe("Erreur.txt")) << jeu.Lire("Erreur.txt");
}

}  // namespace
