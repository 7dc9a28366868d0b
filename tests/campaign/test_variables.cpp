#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "arbre_temporaire.h"
#include "campaign/campagne.h"
#include "campaign/variables.h"
#include "foundation/ecran_fixture.h"
#include "foundation/erreurs.h"

namespace {

class Variables : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    void SetUp() override {
        ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        for (const Variable& v : TableVariables) *v.valeur = *v.valeurSuivante = 0;
    }
    void TearDown() override { Plateforme_Fermer(); }

    // Runs a load expected to end the program and returns the report written.
    std::string Fatale(void (*charger)()) {
        testing::internal::CaptureStderr();
        try {
            charger();
            ADD_FAILURE() << "returned";
        } catch (const FinProgramme&) {
        }
        testing::internal::GetCapturedStderr();
        return arbre.Lire("Erreur.txt");
    }
};

}  // namespace

TEST_F(Variables, TableDans_LOrdreDuFichier) {
    EXPECT_STREQ(TableVariables[0].nom, "NiveauChateau");
    EXPECT_STREQ(TableVariables[45].nom, "NiveauNE0");
    EXPECT_STREQ(TableVariables[54].nom, "NiveauPR0");
    EXPECT_STREQ(TableVariables[63].nom, "NiveauRegenerationTroll");
    EXPECT_STREQ(TableVariables[65].nom, "NiveauMG0");
    EXPECT_STREQ(TableVariables[88].nom, "NiveauPeur");
    EXPECT_EQ(TableVariables[66].valeur, &NiveauMG[0]);   // NiveauMG1
    for (const Variable& v : TableVariables) {
        ASSERT_NE(v.nom, nullptr);
        EXPECT_EQ(Variables__chercher(v.nom, 3), &v);
    }
}

TEST_F(Variables, RechercheExacteEtVariableToujoursDisponible) {
    EXPECT_EQ(Variables__chercher("niveauchateau", 1), nullptr);
    EXPECT_EQ(Variables__chercher("NiveauChateau", 33), &TableVariables[0]);   // faction taken modulo 32
    const Variable* toujours = Variables__chercher("", 0);
    ASSERT_NE(toujours, nullptr);
    EXPECT_EQ(*toujours->valeur, 1);
    EXPECT_EQ(toujours->valeurSuivante, nullptr);
}

TEST_F(Variables, AllerRetourDes89Paires) {
    int i = 0;
    for (const Variable& v : TableVariables) {
        *v.valeur = i;
        *v.valeurSuivante = 1000 - i;
        ++i;
    }
    std::filesystem::create_directories(arbre.Racine() / "ini");
    Variables__sauvegarder();
    const std::string texte = arbre.Lire("ini/variables.txt");
    EXPECT_EQ(texte.substr(0, 40), "NiveauChateau 0 1000\nNiveauDonjon 1 999\n");
    for (const Variable& v : TableVariables) *v.valeur = *v.valeurSuivante = -5;
    Variables__charger();
    i = 0;
    for (const Variable& v : TableVariables) {
        EXPECT_EQ(*v.valeur, i) << v.nom;
        EXPECT_EQ(*v.valeurSuivante, 1000 - i) << v.nom;
        ++i;
    }
    EXPECT_FALSE(arbre.Existe("ini/variables.txt.tmp"));
}

TEST_F(Variables, FichierPartielEtEscarmouche) {
    NiveauForge = 7;
    arbre.Ecrire("ini/variables.txt", "NiveauSoin 2 3\r\n\r\n  NiveauMG8\t4 5\n\n");
    Variables__charger();
    EXPECT_EQ(NiveauSoin, 2);
    EXPECT_EQ(NiveauSoinSuivant, 3);
    EXPECT_EQ(NiveauMG[7], 4);
    EXPECT_EQ(NiveauMGSuivant[7], 5);
    EXPECT_EQ(NiveauForge, 7);
    arbre.Ecrire("ini/VariablesEscarmouche.txt", "NiveauChateau 3 3\n");
    Variables__chargerEscarmouche();
    EXPECT_EQ(NiveauChateau, 3);
}

TEST_F(Variables, AppliquerBorneLeChateauA3) {
    NiveauChateauSuivant = 4;
    NiveauArmesSuivant = 2;
    Variables__appliquer();
    EXPECT_EQ(NiveauChateauSuivant, 3);
    EXPECT_EQ(NiveauChateau, 3);
    EXPECT_EQ(NiveauArmes, 2);
}

TEST_F(Variables, FichiersFautifs) {
    struct Cas {
        const char* contenu;
        const char* rapport;
    } cas[] = {
        {"", "Chargement: chargement de variable impossible"},
        {"NiveauChateau 1\n", "Chargement: chargement de variable impossible"},
        {"NiveauChateau un deux\n", "Chargement: chargement de variable impossible"},
        {"niveauChateau 1 2\n", "Chargement: La variable niveauChateau est inconnue"},
    };
    for (const Cas& c : cas) {
        arbre.Ecrire("ini/variables.txt", c.contenu);
        EXPECT_EQ(Fatale(Variables__charger), c.rapport) << c.contenu;
    }
    std::filesystem::remove(arbre.Racine() / "ini/variables.txt");
    EXPECT_EQ(Fatale(Variables__charger), "Erreur: Fichier variables.txt non trouvé");
    EXPECT_EQ(Fatale(Variables__chargerEscarmouche), "Erreur: Fichier variables escarmouche.txt non trouvé");
}
