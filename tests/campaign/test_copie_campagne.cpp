#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "arbre_temporaire.h"
#include "shell/chefs.h"
#include "campaign/armee.h"
#include "campaign/campagne.h"
#include "campaign/chargement_armees.h"
#include "campaign/variables.h"
#include "foundation/ecran_fixture.h"

namespace {

class CopieCampagne : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    void SetUp() override {
        ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        for (const Variable& v : TableVariables) *v.valeur = *v.valeurSuivante = 0;
        for (const char* c : {"Tutorial", "Lumiere"}) {
            const std::string d = std::string("Campagnes/") + c + "/";
            for (const char* f : {"Morvane", "Empire", "Justice", "Lumiere"})
                arbre.Ecrire(d + "sections/" + f + ".txt", std::string(c) + " " + f);
            arbre.Ecrire(d + "armee/entete_armee.txt", std::string(c) + " entete");
            arbre.Ecrire(d + "armee/regiment0.txt", std::string(c) + " regiment");
            arbre.Ecrire(d + "armee/reserve.txt", std::string(c) + " reserve");
        }
        arbre.Ecrire("Ini/VariablesDebutMorvane.txt", "NiveauChateau 1 1\n");
        arbre.Ecrire("Ini/VariablesDebutLumiere.txt", "NiveauChateau 2 2\nNiveauSoldat 1 1\n");
        arbre.Ecrire("Ini/VariablesEscarmouche.txt", "NiveauChateau 3 3\n");
        arbre.Ecrire("Ini/Variables.txt", "NiveauChateau 3 3\n");
        arbre.Ecrire("armees/reserve.txt", "ancienne reserve");
        arbre.Ecrire("armees/Joueur0/regiment1.txt", "autre regiment");
        arbre.Ecrire("tmp/Joueur0/regiment5.txt", "autre regiment");
        arbre.Ecrire("sections/All.txt", "tous");
        arbre.Ecrire("Skirmish/sections/Empire.txt", "escarmouche Empire");
        OrJoueur = 77;
        OrAffiche = 5;
        TableChefs[1].maitre = 0;
    }
    void TearDown() override { Plateforme_Fermer(); }
};

}  // namespace

TEST_F(CopieCampagne, CampagneLumiere) {
    Campagne__CopieFichiers(4);
    EXPECT_EQ(arbre.Lire("sections/Justice.txt"), "Lumiere Justice");
    EXPECT_EQ(arbre.Lire("sections/All.txt"), "tous");
    EXPECT_EQ(arbre.Lire("armees/Joueur0/regiment0.txt"), "Lumiere regiment");
    EXPECT_EQ(arbre.Lire("tmp/Joueur0/entete_armee.txt"), "Lumiere entete");
    EXPECT_EQ(arbre.Lire("armees/Joueur0/regiment1.txt"), "autre regiment");
    EXPECT_EQ(arbre.Lire("tmp/Joueur0/regiment5.txt"), "autre regiment");
    EXPECT_EQ(arbre.Lire("armees/reserve.txt"), "Lumiere reserve");
    EXPECT_EQ(arbre.Lire("Ini/Variables.txt"), "NiveauChateau 2 2\nNiveauSoldat 1 1\n");
    EXPECT_EQ(NiveauChateau, 2);
    EXPECT_EQ(NiveauSoldat, 1);
    EXPECT_EQ(OrJoueur, 2500);
    EXPECT_EQ(OrAffiche, 0);
    EXPECT_EQ(TableChefs[1].maitre, 120);
}

TEST_F(CopieCampagne, TutorielGardeLaReserve) {
    Campagne__CopieFichiers(0);
    EXPECT_EQ(OrJoueur, 0);
    EXPECT_EQ(arbre.Lire("armees/reserve.txt"), "ancienne reserve");
    EXPECT_EQ(arbre.Lire("sections/Morvane.txt"), "Tutorial Morvane");
    EXPECT_EQ(NiveauChateau, 1);
    EXPECT_EQ(TableChefs[1].maitre, 0);
}

TEST_F(CopieCampagne, EscarmoucheEtSectionsSeules) {
    Campagne__CopieFichiers(5);
    EXPECT_EQ(arbre.Lire("sections/Empire.txt"), "escarmouche Empire");
    EXPECT_FALSE(arbre.Existe("armees/Joueur0/regiment0.txt"));
    EXPECT_EQ(OrJoueur, 77);
    EXPECT_EQ(NiveauChateau, 3);   // variables read again
    Campagne__CopieSections(4);
    EXPECT_EQ(arbre.Lire("sections/Empire.txt"), "Lumiere Empire");
    EXPECT_FALSE(arbre.Existe("armees/Joueur0/regiment0.txt"));
    EXPECT_EQ(TableChefs[1].maitre, 120);
}

TEST_F(CopieCampagne, DossiersDeTravailCreesEtCopieManquanteSignalee) {
    std::filesystem::remove_all(arbre.Racine() / "tmp");
    std::filesystem::remove(arbre.Racine() / "Campagnes/Lumiere/armee/reserve.txt");
    testing::internal::CaptureStderr();
    Campagne__CopieFichiers(4);
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_EQ(arbre.Lire("tmp/Joueur0/regiment0.txt"), "Lumiere regiment");
    EXPECT_NE(messages.find("Copie impossible"), std::string::npos);
    EXPECT_NE(messages.find("reserve.txt"), std::string::npos);
    EXPECT_EQ(arbre.Lire("armees/reserve.txt"), "ancienne reserve");
}
