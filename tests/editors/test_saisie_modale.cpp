// The modal entries driven by keys queued before they run, as a player types them.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "editors/saisie_modale.h"
#include "foundation/ecran_fixture.h"
#include "foundation/entrees.h"
#include "world/descriptions.h"

namespace {

class SaisieModale : public FenetreJeu {
  protected:
    void SetUp() override {
        FenetreJeu::SetUp();
        QuitterJeu = 0;
        Entrees_RAZ();
    }
    void TearDown() override {
        DescriptionBatimentCourante = nullptr;
        FenetreJeu::TearDown();
    }
    static void Touche(uint32_t vk) {
        Plateforme_InjecterTouche(vk, true);
        Plateforme_InjecterTouche(vk, false);
    }
    // Letters and digits as their keys, then Return.
    static void Taper(const std::string& texte) {
        for (char c : texte) Touche(static_cast<uint32_t>(std::toupper(static_cast<unsigned char>(c))));
        Touche(TOUCHE_ENTREE);
    }
};

TEST_F(SaisieModale, TextIsTypedRubbedOutAndEndsOnReturn) {
    Touche(TOUCHE_RETOUR_ARRIERE);   // on the empty text: nothing
    Taper("ab");
    char texte[TAILLE_SAISIE] = "ancien";
    EXPECT_EQ(Saisie__Texte(10, 10, "Nom", 10, 30, texte), 1);
    EXPECT_STREQ(texte, "ab");
    EXPECT_EQ(SaisieEnCours, 0);

    Touche('A');
    Touche('B');
    Touche(TOUCHE_RETOUR_ARRIERE);
    Taper("c");
    EXPECT_EQ(Saisie__Texte(10, 10, "Nom", 10, 30, texte), 1);
    EXPECT_STREQ(texte, "ac");
}

// The buffer holds 127 characters: the keys typed past them are ignored.
TEST_F(SaisieModale, CharactersPastTheBufferAreIgnored) {
    Taper(std::string(140, 'z'));
    char texte[TAILLE_SAISIE + 8];
    std::memset(texte, '#', sizeof texte);
    EXPECT_EQ(Saisie__Texte(10, 10, "Nom", 10, 30, texte), 1);
    EXPECT_EQ(std::strlen(texte), static_cast<size_t>(TAILLE_SAISIE - 1));
    EXPECT_EQ(texte[TAILLE_SAISIE], '#');
}

TEST(SaisieConversion, LeadingDigitsHeldWithinTheRange) {
    struct Cas {
        const char* texte;
        int32_t valeur;
    } cas[] = {{"12x", 12}, {"", 0}, {"x12", 0}, {" -7", -7}, {"+5", 5}, {"2147483647", INT32_MAX},
               {"99999999999999999999", INT32_MAX}, {"-99999999999", INT32_MIN}};
    for (const Cas& c : cas) EXPECT_EQ(Saisie__Conversion(c.texte), c.valeur) << c.texte;
}

TEST_F(SaisieModale, IntegerFromLeadingDigitsAndEmptyGivesZero) {
    Taper("12x");
    int32_t v = -1;
    Saisie__Entier("Code", &v, 0, 600);
    EXPECT_EQ(v, 12);
    Taper("");
    Saisie__Entier("Code", &v, 0, 600);
    EXPECT_EQ(v, 0);
}

// Out of range: the warning with the value and the range, then the question again.
TEST_F(SaisieModale, ColumnOutOfTheBuildingWarnsAndAsksAgain) {
    DescriptionBatiment d;
    d.largeur = 5;
    d.hauteur = 3;
    DescriptionBatimentCourante = &d;
    Taper("5");
    Taper("4");
    Taper("99999999999");
    Taper("2");
    int32_t colonne = -1, ligne = -1;
    testing::internal::CaptureStderr();
    Saisie__ColonneLigne("Porte", &colonne, &ligne);
    const std::string erreurs = testing::internal::GetCapturedStderr();
    EXPECT_EQ(colonne, 4);
    EXPECT_EQ(ligne, 2);
    // The report is shown in the terminal's encoding: its words around the accent.
    EXPECT_NE(erreurs.find("L'entier lu (5) n'appartient pas "), std::string::npos) << erreurs;
    EXPECT_NE(erreurs.find(" l'intervalle [0,4]"), std::string::npos) << erreurs;
    EXPECT_NE(erreurs.find("L'entier lu (2147483647) n'appartient pas "), std::string::npos) << erreurs;
    EXPECT_NE(erreurs.find(" l'intervalle [0,2]"), std::string::npos) << erreurs;
}

// The window closed during the entry: the value stays within its range and the entry ends.
TEST_F(SaisieModale, QuitEndsTheEntryWithAValueInRange) {
    Touche('9');
    Message_PosterQuitter(3);
    int32_t v = -1;
    Saisie__Entier("Code", &v, 0, 5);
    EXPECT_EQ(QuitterJeu, 1);
    EXPECT_GE(v, 0);
    EXPECT_LE(v, 5);
}

}  // namespace
