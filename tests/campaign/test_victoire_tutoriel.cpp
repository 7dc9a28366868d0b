// The tutorial's list of region victory conditions: its labels, the reading of the file and its
// faults, and the conditions tested on a region map.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "arbre_temporaire.h"
#include "campaign/region.h"
#include "campaign/victoire_tutoriel.h"
#include "foundation/ecran_fixture.h"

namespace {

class VictoireTutoriel : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    CarteRegion carte{};
    LieuUnique lieux[3]{};
    void SetUp() override {
        ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        carte.nbLieuxUniques = 3;
        carte.lieuxUniques = lieux;
        CarteRegionCourante = &carte;
        ConditionsVictoireTutoriel = {};
    }
    void TearDown() override {
        CarteRegionCourante = nullptr;
        Plateforme_Fermer();
    }
    // Reads the tutorial's file; the fatal report's text, "" when it was read.
    std::string Lire() {
        std::filesystem::remove(arbre.Racine() / "Erreur.txt");
        testing::internal::CaptureStderr();
        try {
            RegionInitialisationConditionVictoire();
        } catch (const FinProgramme&) {
            testing::internal::GetCapturedStderr();
            return arbre.Lire("Erreur.txt");
        }
        testing::internal::GetCapturedStderr();
        return "";
    }
};

TEST_F(VictoireTutoriel, LesLabels) {
    struct Cas { const char* label; int code; };
    for (const Cas& c : {Cas{"REGION_AUCUNE_CONDITION_VICTOIRE", 0}, Cas{"REGION_VICTOIRE_ENNEMIS_TUES", 1},
                         Cas{"REGION_VICTOIRE_LIEU_UNIQUE_1_VISITE", 2}, Cas{"REGION_VICTOIRE_LIEU_UNIQUE_12_VISITE", 13},
                         Cas{"REGION_VICTOIRE_TOUT_LIEU_UNIQUE_VISITE", 14}, Cas{"BATAILLE_TOUT_ENNEMI_TUE", 0},
                         Cas{"REGION_VICTOIRE_LIEU_UNIQUE_13_VISITE", -1}, Cas{"region_victoire_ennemis_tues", -1},
                         Cas{"", -1}})
        EXPECT_EQ(RegionDonneLabelAssocieConditionVictoire(c.label), c.code) << c.label;
}

// A good file is read whole; each fault stops the program with its own words and leaves the list
// empty.
TEST_F(VictoireTutoriel, LeFichier) {
    const std::string fichier = "Scenarios/Tutoriel/tutoriel.txt";
    const std::string absent = Lire();
    EXPECT_NE(absent.find("RegionInitialisationConditionVictoire()"), std::string::npos) << absent;
    EXPECT_NE(absent.find("Fichier region non trouvé"), std::string::npos) << absent;

    arbre.Ecrire(fichier, "Nombre de conditions de victoire : 3\r\n\t\tREGION_VICTOIRE_LIEU_UNIQUE_2_VISITE\r\n"
                          "\t\tREGION_VICTOIRE_TOUT_LIEU_UNIQUE_VISITE\r\n\t\tBATAILLE_TOUT_ENNEMI_TUE\r\n");
    ASSERT_EQ(Lire(), "");
    ASSERT_EQ(ConditionsVictoireTutoriel.nb, 3);
    EXPECT_EQ(ConditionsVictoireTutoriel.codes[0], 3);
    EXPECT_EQ(ConditionsVictoireTutoriel.codes[1], 14);
    EXPECT_EQ(ConditionsVictoireTutoriel.codes[2], 0);

    struct Cas { std::string texte; const char* mots; };
    const std::string trop(200, 'R');
    for (const Cas& c : {Cas{"Nombre de conditions de victoire : 1\n\t\tREGION_VICTOIRE_LIEU_SECRET\n",
                             "Il faut ajouter ce label : REGION_VICTOIRE_LIEU_SECRET dans la fonction "
                             "RegionDonneLabelAssocieConditionVictoire()"},
                         Cas{"Nombre de conditions de victoire : 2\n\t\tREGION_VICTOIRE_ENNEMIS_TUES\n",
                             "Label_de_condition_de_victoire"},
                         Cas{"Nombre de conditions de victoire : 1\n\t\t" + trop + "\n", "Label_de_condition_de_victoire"},
                         Cas{"Nombre de conditions de victoire : 33\n", "Format non respecté : Nombre de conditions de victoire : ..."},
                         Cas{"Nombre de conditions de victoire : -1\n", "Format non respecté : Nombre de conditions de victoire : ..."},
                         Cas{"Conditions : 1\n", "Format non respecté : Nombre de conditions de victoire : ..."}}) {
        ConditionsVictoireTutoriel.nb = 5;
        arbre.Ecrire(fichier, c.texte);
        const std::string rapport = Lire();
        EXPECT_NE(rapport.find(c.mots), std::string::npos) << c.texte << "\n" << rapport;
        EXPECT_EQ(ConditionsVictoireTutoriel.nb, 0) << c.texte;
    }
}

TEST_F(VictoireTutoriel, LesConditions) {
    std::string erreur;
    EXPECT_EQ(RegionConditionVictoireAtteinte(3, &erreur), 0);
    EXPECT_EQ(RegionConditionVictoireAtteinte(14, &erreur), 0);
    lieux[1].visite = 3;
    EXPECT_EQ(RegionConditionVictoireAtteinte(3, &erreur), 1);
    EXPECT_EQ(RegionConditionVictoireAtteinte(2, &erreur), 0);
    EXPECT_EQ(RegionConditionVictoireAtteinte(13, &erreur), 0);   // site 12: the map has no such site
    lieux[0].visite = lieux[2].visite = 1;
    EXPECT_EQ(RegionConditionVictoireAtteinte(14, &erreur), 1);
    EXPECT_EQ(erreur, "");
    for (int code : {-1, 0, 1, 15}) {
        erreur.clear();
        EXPECT_EQ(RegionConditionVictoireAtteinte(code, &erreur), 0) << code;
        EXPECT_EQ(erreur, "Cette condition de victoire n'est pas définie") << code;
    }
    CarteRegionCourante = nullptr;
    EXPECT_EQ(RegionConditionVictoireAtteinte(2, &erreur), 0);
}

}  // namespace
