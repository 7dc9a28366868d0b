// Scene start and teardown: the screen geometry, the router's next code, repeated battles that
// leave nothing behind, the castle's levels and army copies, and the army hand-over.
#include "scene_fixture.h"
#include "campaign/chateau.h"
#include "foundation/ecran.h"
#include "platform/temps.h"
#include "shell/cycles.h"
#include "shell/scenario.h"
#include "shell/trame.h"
#include "world/batiments.h"
#include "world/gestion_objets.h"
#include "battle/simulation.h"

namespace {

TEST(Geometrie, EcranEtBornesDeDefilement) {
    struct Cas {
        int l, h, tuilesX, tuilesY, clipX, clipY, maxX, maxY;
    };
    for (Cas c : {Cas{640, 480, 13, 10, 624, 480, 102, 108}, Cas{800, 600, 16, 12, 768, 576, 96, 104}}) {
        Ecran__Geometrie(c.l, c.h);
        EXPECT_EQ(TuilesVisiblesX, c.tuilesX);
        EXPECT_EQ(TuilesVisiblesY, c.tuilesY);
        EXPECT_EQ(CasesVisiblesX, 2 * c.tuilesX);
        EXPECT_EQ(CasesVisiblesY, 2 * c.tuilesY);
        EXPECT_EQ(EcranDestination.clipDroite, c.clipX);
        EXPECT_EQ(EcranDestination.clipBas, c.clipY);
        EXPECT_EQ(DefilementMaxX, c.maxX);
        EXPECT_EQ(DefilementMaxY, c.maxY);
        EXPECT_EQ(PasEcranOctets, 2 * c.l);
        EXPECT_EQ(DecalageLignes[127], 127 * 128);
    }
}

TEST(Routeur, LeCodeDeLaSceneQuitteeMeneALaSuivante) {
    struct Cas {
        int code, sauvegarde, boucle, mode, suivant;
    };
    for (Cas c : {Cas{1, 0, 0, 1, 2}, Cas{3, 0, 0, 1, 2}, Cas{5, 0, 0, 1, 2}, Cas{2, 0, 0, 2, 3}, Cas{2, 1, 0, 1, 2},
                  Cas{4, 0, 0, 0, 5}, Cas{7, 0, 0, -1, 1}, Cas{8, 0, 0, -1, 8}, Cas{3, 0, 2, 1, 6}}) {
        SCOPED_TRACE(c.code);
        ModeSceneCourant = -1;
        MorvaneCode = c.code;
        ChargementSauvegarde = c.sauvegarde;
        EtatBoucleJeu = c.boucle;
        RoutageOn = 0;
        EXPECT_EQ(Region__Quitte(), c.suivant);
        EXPECT_EQ(MorvaneCode, c.suivant);
        EXPECT_EQ(ModeSceneCourant, c.mode);
        EXPECT_EQ(RoutageOn, c.boucle == 2 ? 1 : 0);
    }
}

class Scenes : public Scene {
  protected:
    // One logic pass as the game frame runs it, without the group tick.
    void Passe() {
        CompteurCycle20 = (CompteurCycle20 + 1) % 20;
        Objets__GestionTour();
        TemporisationMort__Tick();
        ObjetsMorts__Liberation();
        Temps_Avancer(66);
        HorlogeJeu = Temps_Ticks();
    }
};

// Five battles in a row, each of 300 passes with a few deaths: every list, grid and buffer is
// given back (the leak checker sees the rest), and each start finds the same world.
TEST_F(Scenes, CinqBataillesDeSuiteNeLaissentRien) {
    int objets = -1;
    for (int tour = 0; tour < 5; ++tour) {
        SCOPED_TRACE(tour);
        ASSERT_TRUE(Demarrer()) << Rapport();
        ASSERT_NE(ListeObjetsVivants, nullptr);
        if (objets < 0) objets = NombreObjets;
        EXPECT_EQ(NombreObjets, objets);
        EXPECT_EQ(TableObjets[1].typeMaitre, 130);
        EXPECT_EQ(TotalUnitesAmies, NbUnitesAmies);
        const int soldat = TableGroupes[GroupesDe(20)[0]].membres[1];
        TableObjets[soldat].regenerationVie = -200;
        for (int p = 0; p < 300; ++p) Passe();
        EXPECT_EQ(TableObjets[soldat].noeudListe, nullptr);   // died, its slot given back
        EXPECT_EQ(Region__Quitte(), 2);
        MorvaneCode = 3;
        ModeSceneCourant = 2;
        EXPECT_EQ(ListeObjetsVivants, nullptr);
        EXPECT_EQ(ListeGroupesActifs, nullptr);
        EXPECT_EQ(GrilleUnites, nullptr);
        EXPECT_EQ(GrilleSelection, nullptr);
        EXPECT_EQ(GrilleAltitude, nullptr);
        EXPECT_EQ(TableDebutLigne, nullptr);
        EXPECT_EQ(NombreObjets, 0);
        EXPECT_EQ(NombreGroupes, 0);
    }
}

// A battle left on an AI frame's eve (counter 5 modulo 6) must not make the next battle's first
// ticks skip their movement passes: the scene starts the counter again.
TEST_F(Scenes, LaBatailleSuivanteRepartDuPremierTour) {
    ASSERT_TRUE(Demarrer()) << Rapport();
    Region__Quitte();
    ModeSceneCourant = 2;
    SimulationCompteur = 6 * 7 + 5;
    ASSERT_TRUE(Demarrer()) << Rapport();
    EXPECT_EQ(SimulationCompteur, 0);
    ASSERT_EQ(IAActive, 0);
    Simulation__Tour();
    EXPECT_EQ(SimulationInitialisee, 1);   // the groups were set up on the first tick
}

TEST_F(Scenes, LIntensiteManquanteGardeLaTablePrecedente) {
    arbre.Ecrire("ini/intensite.txt", "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24");
    ASSERT_TRUE(Demarrer()) << Rapport();
    EXPECT_EQ(TableIntensite[23], 24);
    Region__Quitte();
    std::filesystem::remove(arbre.Racine() / "ini/intensite.txt");
    ModeSceneCourant = 2;
    ASSERT_TRUE(Demarrer()) << Rapport();
    EXPECT_EQ(TableIntensite[23], 24);
    arbre.Ecrire("ini/intensite.txt", "9 9 9");
    Region__Quitte();
    ModeSceneCourant = 2;
    ASSERT_TRUE(Demarrer()) << Rapport();
    EXPECT_EQ(TableIntensite[0], 1);
}

TEST_F(Scenes, LeChateauChargeSonNiveauEtGardeSaCopieDesArmees) {
    arbre.Ecrire("tmp/Joueur0/entete_armee.txt", "nbRegiments 1\n");
    arbre.Ecrire("tmp/Joueur0/regiment0.txt", "Regiment__mort 0\n");
    std::filesystem::create_directories(arbre.Racine() / "armees/Joueur0");
    ModeSceneCourant = 0;
    MorvaneCode = 5;
    CampDuJoueur = 0;
    NiveauChateau = 1;
    ASSERT_TRUE(Demarrer()) << Rapport();
    EXPECT_EQ(GroupesDe(200).size(), 1u);
    EXPECT_EQ(RepereX, 36);
    EXPECT_EQ(ReperePixelY, 50 * 24);
    EXPECT_EQ(arbre.Lire("armees/Joueur0/regiment0.txt"), "Regiment__mort 0\n");
    arbre.Ecrire("armees/Joueur0/regiment0.txt", "Regiment__mort 0\nRegiment__nom Garde\n");
    EXPECT_EQ(Region__Quitte(), 2);
    EXPECT_EQ(arbre.Lire("tmp/Joueur0/regiment0.txt"), "Regiment__mort 0\nRegiment__nom Garde\n");

    // Castle levels 0 and 4 load no level: only the placeholder stands.
    for (int niveau : {0, 4}) {
        ModeSceneCourant = 0;
        NiveauChateau = niveau;
        ASSERT_TRUE(Demarrer()) << Rapport();
        EXPECT_EQ(NombreObjets, 1);
        Region__Quitte();
    }
}

TEST_F(Scenes, LaRemiseDeLArmeeRetireLesRegimentsMorts) {
    arbre.Ecrire("tmp/Joueur0/entete_armee.txt", "nbRegiments 3\n");
    for (int i = 0; i < 3; ++i)
        arbre.Ecrire("tmp/Joueur0/regiment" + std::to_string(i) + ".txt",
                     "Regiment__nom R" + std::to_string(i) + "\nRegiment__mort " + (i == 1 ? "1" : "0") + "\n");
    std::filesystem::create_directories(arbre.Racine() / "armees/Joueur0");
    ChargeRegion__armee();
    EXPECT_EQ(NbRegimentsRegion, 2);
    EXPECT_EQ(arbre.Lire("armees/Joueur0/entete_armee.txt"), "nbRegiments 2\n");
    EXPECT_EQ(arbre.Lire("tmp/Joueur0/entete_armee.txt"), "nbRegiments 2\n");
    EXPECT_EQ(arbre.Lire("tmp/Joueur0/regiment1.txt"), "Regiment__nom R2\nRegiment__mort 0\n");
    EXPECT_EQ(arbre.Lire("armees/Joueur0/regiment0.txt"), "Regiment__nom R0\nRegiment__mort 0\n");

    // A regiment file missing, or more regiments than the region holds: refused.
    arbre.Ecrire("tmp/Joueur0/entete_armee.txt", "nbRegiments 13\n");
    EXPECT_THROW(ChargeRegion__armee(), FinProgramme);
    arbre.Ecrire("tmp/Joueur0/entete_armee.txt", "nbRegiments 4\n");
    EXPECT_THROW(ChargeRegion__armee(), FinProgramme);
    EXPECT_NE(Rapport().find("regiment3.txt"), std::string::npos) << Rapport();
    std::filesystem::remove(arbre.Racine() / "tmp/Joueur0/entete_armee.txt");
    EXPECT_THROW(ChargeRegion__armee(), FinProgramme);
    EXPECT_EQ(Rapport(), "ChargeRegion(): fichier de positions non trouvé");
}

}  // namespace
