#include <gtest/gtest.h>

#include <string>

#include "arbre_temporaire.h"
#include "ecran_fixture.h"
#include "foundation/erreurs.h"

namespace {

// Reports raised before the window, the back buffer or the graphic objects exist.
class RapportsSansBoite : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    void SetUp() override {
        ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
    }
    void TearDown() override { Plateforme_Fermer(); }
};

}  // namespace

TEST_F(RapportsSansBoite, DeuxRapportsLaissentLeSecondSeul) {
    testing::internal::CaptureStderr();
    Erreur_Question("Premier()", "un %d", 1);   // nobody can answer: the box's first answer, yes
    Erreur_Question("Second()", "deux %s", "é");
    const std::string sortie = testing::internal::GetCapturedStderr();
    EXPECT_EQ(arbre.Lire("Erreur.txt"), "Second(): deux é");
    EXPECT_NE(sortie.find("Premier(): un 1\n"), std::string::npos);
    EXPECT_NE(sortie.find("Second(): deux \xC3\xA9\n"), std::string::npos);   // UTF-8 on the terminal
    EXPECT_EQ(BoiteMessageFermee, 1);
}

TEST_F(RapportsSansBoite, FataleEcritLeFichierEtFinitPar1) {
    testing::internal::CaptureStderr();
    try {
        Erreur_Fatale("Init Direct X", "problème d'initialisation Direct X");
        FAIL() << "returned";
    } catch (const FinProgramme& fin) {
        EXPECT_EQ(fin.code, 1);
    }
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Init Direct X: probl"), std::string::npos);
    EXPECT_EQ(arbre.Lire("Erreur.txt"), "Init Direct X: problème d'initialisation Direct X");
}

TEST_F(RapportsSansBoite, MessageTropLongCoupeA511) {
    const std::string long_(2000, 'x');
    testing::internal::CaptureStderr();
    Erreur_Question("Long()", "%s%s", long_.c_str(), long_.c_str());
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(arbre.Lire("Erreur.txt"), "Long(): " + std::string(511, 'x'));
}

TEST_F(RapportsSansBoite, AvertissementEtQuestionNEcriventPasLeFichier) {
    testing::internal::CaptureStderr();
    Avertissement("Morvane", "%s not found ! (Insert CD 2)", "rvf\\Intro.rvf");
    EXPECT_EQ(Question_Formatee("Q()", "Continuer ?"), 1);
    const std::string sortie = testing::internal::GetCapturedStderr();
    EXPECT_NE(sortie.find("Morvane: rvf\\Intro.rvf not found ! (Insert CD 2)\n"), std::string::npos);
    EXPECT_FALSE(arbre.Existe("Erreur.txt"));
}
