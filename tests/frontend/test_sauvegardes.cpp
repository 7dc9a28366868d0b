#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "arbre_temporaire.h"
#include "foundation/ecran_fixture.h"
#include "frontend/localisation.h"
#include "frontend/sauvegardes.h"

namespace {

class NomsSauvegarde : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    void SetUp() override {
        ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        std::strcpy(TextesInterface[20], "Emplacement vide");
    }
    void TearDown() override { Plateforme_Fermer(); }

    static std::string Lignes(const std::string (&l)[10], const char* fin = "\r\n") {
        std::string s;
        for (const std::string& x : l) s += x + fin;
        return s;
    }
    // Reads the file; returns what the program reported on stderr.
    static std::string Lire() {
        testing::internal::CaptureStderr();
        LireSauvegardes();
        return testing::internal::GetCapturedStderr();
    }
    static int Fin(void (*f)()) {
        testing::internal::CaptureStderr();
        try {
            f();
        } catch (const FinProgramme& fin) {
            testing::internal::GetCapturedStderr();
            return fin.code;
        }
        testing::internal::GetCapturedStderr();
        return -1;
    }
};

const std::string V = "_101_";

}  // namespace

TEST_F(NomsSauvegarde, AllerRetourGardeLesAutresEmplacements) {
    const std::string l[10] = {"Ma partie", V, V, "Ch\xE2teau \xE9t\xE9", V, V, V, V, V, V};
    for (const char* fin : {"\r\n", "\n"}) {
        arbre.Ecrire("sauvegarde/noms.txt", Lignes(l, fin));   // found whatever its case
        EXPECT_EQ(Lire(), "");
        for (int i = 0; i < NB_SAUVEGARDES; ++i) {
            EXPECT_EQ(SauvegardeVide[i], (i == 0 || i == 3) ? 0 : 1) << i;
            EXPECT_EQ(std::string(NomsSauvegardes[i]), (i == 0 || i == 3) ? l[i] : "Emplacement vide") << i;
        }
    }
    // saving into slot 5 rewrites the ten lines, the others as they were
    std::strcpy(NomsSauvegardes[5], "Emplacement vide");   // the empty-slot text as a name
    SauvegardeVide[5] = 0;
    EcrireSauvegardes();
    std::string attendu[10] = {"Ma partie", V, V, "Ch\xE2teau \xE9t\xE9", V, "Emplacement vide", V, V, V, V};
    EXPECT_EQ(arbre.Lire("sauvegarde/noms.txt"), Lignes(attendu));
    EXPECT_FALSE(arbre.Existe("sauvegarde/NOMS.TXT.tmp"));
    EXPECT_EQ(Lire(), "");
    EXPECT_EQ(SauvegardeVide[5], 0);   // a name, not an empty slot
    EXPECT_STREQ(NomsSauvegardes[5], "Emplacement vide");
}

TEST_F(NomsSauvegarde, DixEmplacementsVides) {
    const std::string l[10] = {V, V, V, V, V, V, V, V, V, V};
    arbre.Ecrire("Sauvegarde/NOMS.TXT", Lignes(l));
    EXPECT_EQ(Lire(), "");
    for (int i = 0; i < NB_SAUVEGARDES; ++i) {
        EXPECT_EQ(SauvegardeVide[i], 1);
        EXPECT_STREQ(NomsSauvegardes[i], "Emplacement vide");
    }
}

TEST_F(NomsSauvegarde, FichierAbsentDonneDixVidesEtSeCreeALaSauvegarde) {
    EXPECT_EQ(Lire(), "");
    for (int i = 0; i < NB_SAUVEGARDES; ++i) EXPECT_EQ(SauvegardeVide[i], 1);
    std::strcpy(NomsSauvegardes[9], "Fin");
    SauvegardeVide[9] = 0;
    EcrireSauvegardes();
    const std::string l[10] = {V, V, V, V, V, V, V, V, V, "Fin"};
    EXPECT_EQ(arbre.Lire("Sauvegarde/NOMS.TXT"), Lignes(l));
}

TEST_F(NomsSauvegarde, FichierCourtSignaleEtReecritEntier) {
    arbre.Ecrire("Sauvegarde/NOMS.TXT", "Un\r\n_101_\r\nTrois\r\n_101_\r\n_101_\r\n_101_\r\n_101_\r\n_101_\r\nNeuf");
    const std::string rapport = Lire();
    EXPECT_NE(rapport.find("MenuPrincipal(): Impossible de lire le fichier Sauvegarde\\NOMS.TXT"), std::string::npos)
        << rapport;
    EXPECT_STREQ(NomsSauvegardes[8], "Neuf");   // a last line without a line feed keeps its text
    EXPECT_EQ(SauvegardeVide[9], 1);
    EXPECT_STREQ(NomsSauvegardes[9], "Emplacement vide");
    EcrireSauvegardes();
    const std::string l[10] = {"Un", V, "Trois", V, V, V, V, V, "Neuf", V};
    EXPECT_EQ(arbre.Lire("Sauvegarde/NOMS.TXT"), Lignes(l));
}

TEST_F(NomsSauvegarde, NomTropLongCoupeSansDecalerLesSuivants) {
    const std::string l[10] = {std::string(50, 'a'), "Deux", V, V, V, V, V, V, V, std::string(32, 'z')};
    arbre.Ecrire("Sauvegarde/NOMS.TXT", Lignes(l));
    const std::string rapport = Lire();
    EXPECT_NE(rapport.find("nom trop long, coup\xC3\xA9 (emplacements 0)"), std::string::npos) << rapport;
    EXPECT_EQ(std::string(NomsSauvegardes[0]), std::string(32, 'a'));
    EXPECT_STREQ(NomsSauvegardes[1], "Deux");
    EXPECT_EQ(std::string(NomsSauvegardes[9]), std::string(32, 'z'));
    EXPECT_EQ(SauvegardeVide[2], 1);
}

TEST_F(NomsSauvegarde, EcritureBorneeEtSansFinDeLigneDansUnNom) {
    for (int i = 0; i < NB_SAUVEGARDES; ++i) SauvegardeVide[i] = 1;
    std::strcpy(NomsSauvegardes[1], "deux\nlignes\r");
    SauvegardeVide[1] = 0;
    std::memset(NomsSauvegardes[2], 'q', TAILLE_NOM_SAUVEGARDE);   // no terminating 0
    SauvegardeVide[2] = 0;
    EcrireSauvegardes();
    const std::string l[10] = {V, "deux lignes ", std::string(32, 'q'), V, V, V, V, V, V, V};
    EXPECT_EQ(arbre.Lire("Sauvegarde/NOMS.TXT"), Lignes(l));
}

TEST_F(NomsSauvegarde, FichierInaccessibleEstFatal) {
    arbre.Ecrire("Sauvegarde/NOMS.TXT/x", "");   // a folder where the file should be
    EXPECT_EQ(Fin(LireSauvegardes), 1);
    EXPECT_EQ(arbre.Lire("Erreur.txt"), "LireSauvegardes(): Impossible d'ouvrir le fichier Sauvegarde\\NOMS.TXT");
    EXPECT_EQ(Fin(EcrireSauvegardes), 1);
    EXPECT_TRUE(arbre.Existe("Sauvegarde/NOMS.TXT/x"));
}
