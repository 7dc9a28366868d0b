// The campaign step on a small game tree: a new region, the return after a battle, the region won
// and the last region of a campaign.
#include <gtest/gtest.h>

#include <string>

#include "arbre_temporaire.h"
#include "campaign/campagne.h"
#include "campaign/carte_region.h"
#include "campaign/region.h"
#include "foundation/ecran_fixture.h"
#include "foundation/entrees.h"
#include "shell/demarrage.h"
#include "shell/scenario.h"
#include "shell/victoire.h"

namespace {

std::string Grille(int valeur) {
    std::string s;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 52; ++x) s += std::to_string(valeur) + " ";
        s += "\n";
    }
    return s + "\n";
}

const char* const SITES =
    "Nombre de lieux uniques : 2\nNom : Ferme\nUne ferme\nEntree : 8\nx : 4\ny : 4\nObjet Graphique : 705\nNbr Frame : 1\n"
    "Lock : 0\nVisite : 0\nNouvel Etat : 1\nNbUnlock : 0\n"
    "Nom : Cimetiere\nUn cimetière\nEntree : 8\nx : 9\ny : 9\nObjet Graphique : 709\nNbr Frame : 1\n"
    "Lock : 1\nVisite : 0\nNouvel Etat : 1\nNbUnlock : 1\n0 \nMessage : m.txt\nMessager : 857\nRep :0 20\n";

class EtapeCampagne_ : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    void SetUp() override {
        ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        const std::string vbat = LireFichier(std::string(MORVANE_SOURCE_DIR) + "/data/niveau/essai.VBat");
        for (auto [c, n] : {std::pair{"Tutorial", 9}, std::pair{"Lumiere", 7}, std::pair{"Lumiere", 3}}) {
            const std::string d = std::string("Campagnes/") + c + "/Region" + std::to_string(n) + "/";
            arbre.Ecrire(d + "Region.txt", Grille(2) + Grille(0));
            arbre.Ecrire(d + "Region.VBat", vbat);
            arbre.Ecrire(d + "region.Vreg", "Nb lieux uniques a visiter : 0\nNb Nmi a tuer : 0\nVisu :0\n");
            arbre.Ecrire(d + "Ennemis.txt", "REGIMENTSNMI\nNombre de regiments ennemi : 0\n");
            arbre.Ecrire(std::string("Texte/") + c + "/Region" + std::to_string(n) + "/Uniques.txt", SITES);
        }
        arbre.Ecrire("armees/Joueur0/entete_armee.txt", "nbRegiments 1\n");
        arbre.Ecrire("armees/Joueur0/regiment0.txt", "Regiment__mort 0\n");
        arbre.Ecrire("tmp/Joueur0/vieux.txt", "d'une autre région");
        ChargementSauvegarde = 0;
        ResultatBatailleCourant = -1;
        QuitterJeu = 0;
        NbRegimentsNmi = 0;
    }
    void TearDown() override {
        Region__liberer();
        Conditions_Liberation();
        Plateforme_Fermer();
    }
};

}  // namespace

// The tutorial's only region asks for nothing: won as soon as it is prepared, and the tutorial
// is over. The working folder was emptied and given the region's sites and the army.
TEST_F(EtapeCampagne_, UneNouvelleRegionGagneeDAbordFinitLeDidacticiel) {
    CampagneCourante = 0;
    EtapeCampagne = 0;
    EtatPassageBataille = 0;
    TexteRegionAffiche = 1;
    EXPECT_EQ(Campagne__etapeRegion(), 1);
    EXPECT_FALSE(arbre.Existe("tmp/Joueur0/vieux.txt"));
    EXPECT_EQ(arbre.Lire("tmp/Joueur0/uniques.txt"), SITES);
    EXPECT_EQ(arbre.Lire("tmp/Joueur0/regiment0.txt"), "Regiment__mort 0\n");
    EXPECT_EQ(EtatPassageBataille, 2);
    EXPECT_EQ(EtapeCampagne, 1);
    EXPECT_EQ(TexteRegionAffiche, 0);
    EXPECT_EQ(CarteRegionCourante, nullptr);
}

// The last region of a campaign won: no campaign map, the campaign is over.
TEST_F(EtapeCampagne_, LaDerniereRegionFinitLaCampagne) {
    CampagneCourante = 4;
    EtapeCampagne = 3;
    EtatPassageBataille = 0;
    EXPECT_EQ(Campagne__etapeRegion(), 2);
    EXPECT_EQ(EtapeCampagne, 4);
}

// A region won in the middle of a campaign: the campaign map (closed at once by quitting) and the
// next region.
TEST_F(EtapeCampagne_, UneRegionGagneeMeneALaSuivante) {
    arbre.Ecrire("images/CarteEmpire.tga", LireFichier(std::string(MORVANE_JEU_DIR) + "/images/CarteEmpire.tga"));
    ASSERT_TRUE(arbre.Existe("images/CarteEmpire.tga"));
    arbre.Ecrire("Campagnes/Lumiere/Region6/Region.VBat", LireFichier(std::string(MORVANE_SOURCE_DIR) + "/data/niveau/essai.VBat"));
    CampagneCourante = 4;
    EtapeCampagne = 0;
    EtatPassageBataille = 0;
    QuitterJeu = 1;
    EXPECT_EQ(Campagne__etapeRegion(), 3);
    EXPECT_EQ(EtapeCampagne, 1);
}

// Back from a won battle: the site in visit takes its new state and the enemy regiments that fought
// are gone before the victory test, which both can satisfy.
TEST_F(EtapeCampagne_, ApresUneBatailleGagnee) {
    arbre.Ecrire("Campagnes/Lumiere/Region3/region.Vreg", "Nb lieux uniques a visiter : 1\n0 \nNb Nmi a tuer : 1\n104 \nVisu :0\n");
    std::string sites = SITES;
    sites.replace(sites.find("Visite : 0"), 10, "Visite : 2");
    arbre.Ecrire("tmp/Joueur0/uniques.txt", sites);
    CampagneCourante = 4;
    EtapeCampagne = 3;
    EtatPassageBataille = 2;
    NbRegimentsNmi = 2;
    RegimentsNmi[0].id = 104;
    RegimentsNmi[0].enBataille = 1;
    RegimentsNmi[1].id = 105;
    RegimentsNmi[1].enBataille = 0;
    ResultatBatailleCourant = 1;
    EXPECT_EQ(Campagne__etapeRegion(), 2);
    EXPECT_EQ(ResultatBatailleCourant, -1);
    EXPECT_EQ(NbRegimentsNmi, 1);
    EXPECT_EQ(RegimentsNmi[0].id, 105);
}

// A step past the campaign's regions (an edited save) ends the campaign rather than reading
// past the table.
TEST_F(EtapeCampagne_, UneEtapeHorsDeLaTableFinitLaCampagne) {
    CampagneCourante = 2;
    EtapeCampagne = 7;
    EtatPassageBataille = 2;
    EXPECT_EQ(Campagne__etapeRegion(), 2);
    CampagneCourante = 0;
    EtapeCampagne = 1;
    EXPECT_EQ(Campagne__etapeRegion(), 1);
}

#include "campaign/armee.h"
#include "shell/routeur.h"
#include "world/groupes.h"

namespace {

class BoutonsRegion : public ::testing::Test {
  protected:
    CarteRegion carte{};
    void SetUp() override {
        CarteRegionCourante = &carte;
        CarteRegion__RemiseAZero();
        RegimentsEnMouvement = 0;
        DemandeChateauRegion = 0;
        MorvaneCode = 2;
        OrJoueur = 0;
        GroupeEnSelection = -1;
    }
    void TearDown() override { CarteRegionCourante = nullptr; }
    void Clic(int x, int y) {
        SourisX = x;
        SourisY = y;
        BoutonGauche = 1;
        CarteRegion__Saisie();
    }
};

}  // namespace

TEST_F(BoutonsRegion, ChaqueFinDeTourDonneCinqPiecesDOr) {
    for (int tour = 1; tour <= 3; ++tour) {
        Clic(580, 430);
        EXPECT_EQ(OrJoueur, 5 * tour);
        EXPECT_EQ(carte.tourEnCours, tour);
        EXPECT_EQ(RegimentsEnMouvement, 1);
        // While the regiments move the button does nothing.
        Clic(580, 430);
        EXPECT_EQ(OrJoueur, 5 * tour);
        RegimentsEnMouvement = 0;
        for (int i = 0; i < 12; ++i) {
            BoutonGauche = 0;
            CarteRegion__Saisie();
        }
        EXPECT_EQ(FinTourEnCours, 0);
    }
}

TEST_F(BoutonsRegion, LeChateauNeSOuvrePasDansLeDidacticiel) {
    CampagneCourante = 0;
    Clic(600, 380);
    EXPECT_EQ(MorvaneCode, 2);
    EXPECT_EQ(DemandeChateauRegion, 0);
    EXPECT_EQ(BoutonGauche, 0);
    CampagneCourante = 2;
    Clic(600, 380);
    EXPECT_EQ(MorvaneCode, 4);
    EXPECT_EQ(DemandeChateauRegion, 1);
}
