#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "foundation/fichier.h"
#include "foundation/listes.h"
#include "arbre_temporaire.h"
#include "platform/plateforme.h"

namespace {

struct FinProgramme : std::runtime_error {
    int code;
    explicit FinProgramme(int c) : std::runtime_error("fin"), code(c) {}
};

class Fichiers : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    void SetUp() override {
        Plateforme_Initialiser(OptionsPlateforme{});
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
    }
    std::string LireMot(FILE* f) {
        char mot[64] = {};
        if (std::fscanf(f, "%63s", mot) != 1) return "<fin>";
        return mot;
    }
};

TEST_F(Fichiers, MarqueurTrouveUneSeuleFoisExactement) {
    arbre.Ecrire("ini/cles.txt", "//marque.x alpha //marque. beta //marque. gamma\r\n");
    FILE* f = nullptr;
    Configuration_Position("..\\INI\\Cles.txt", "//marque.", &f);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(LireMot(f), "beta");   // the token that merely begins with the marker did not match
    std::fclose(f);
}

TEST_F(Fichiers, MarqueurAbsentFinitParUnRapport) {
    arbre.Ecrire("ini/cles.txt", "rien ici\n");
    FILE* f = nullptr;
    try {
        Configuration_Position("..\\ini\\cles.txt", "//absent.", &f);
        FAIL() << "no report";
    } catch (const FinProgramme& fin) {
        EXPECT_EQ(fin.code, 1);
    }
    // The reader closed the stream: a caller that does not close it on such an end leaks nothing.
    EXPECT_EQ(f, nullptr);
    if (f) std::fclose(f);
    EXPECT_NE(arbre.Lire("Erreur.txt").find("//absent."), std::string::npos);
}

TEST_F(Fichiers, FichierAbsentAvecPourcentDansLeNom) {
    try {
        Fichier_TailleNom("..\\absent%s%n.spr");
        FAIL() << "no report";
    } catch (const FinProgramme& fin) {
        EXPECT_EQ(fin.code, 1);
    }
    EXPECT_EQ(arbre.Lire("Erreur.txt"), "Fichier_Ouverture(): fichier non trouvé : ..\\absent%s%n.spr");
}

TEST_F(Fichiers, FichierDeConfigurationAbsentAvecPourcentDansLeNom) {
    FILE* f = nullptr;
    try {
        Configuration_Position("..\\ini\\absent%s%n.ini", "//m.", &f);
        FAIL() << "no report";
    } catch (const FinProgramme& fin) {
        EXPECT_EQ(fin.code, 1);
    }
    EXPECT_EQ(arbre.Lire("Erreur.txt"), "SCRIPT_C: Configuration_Position() fichier non trouvé :: ..\\ini\\absent%s%n.ini");
}

TEST_F(Fichiers, MotTropLongPoseLaQuestionPuisContinue) {
    arbre.Ecrire("long.txt", std::string(3000, 'x') + " //m. suite");
    FILE* f = nullptr;
    Configuration_Position("..\\long.txt", "//m.", &f);
    EXPECT_EQ(LireMot(f), "suite");
    std::fclose(f);
    EXPECT_EQ(arbre.Lire("Erreur.txt"), "Configuration_Position(): Chaîne > à 0124 !");
}

TEST_F(Fichiers, TailleEtLecture) {
    arbre.Ecrire("vide.bin", "");
    arbre.Ecrire("sept.bin", "abcdefg");
    EXPECT_EQ(Fichier_TailleNom("..\\VIDE.bin"), 0u);
    HandleFichier h = Fichier_Ouverture("..\\sept.bin");
    EXPECT_EQ(Fichier_Taille(h), 7u);
    char tampon[16] = {};
    Fichier_Lecture(h, tampon, 16);
    EXPECT_EQ(LectureOctets, 7u);   // a short read is counted, not hidden
    Fichier_Fermeture(h);
}

TEST(Listes, CreationEmpilerDepilerRetirer) {
    NoeudEntier* tete = nullptr;
    for (int n : {0, 1}) {
        Liste__Creation1(&tete, n);
        EXPECT_TRUE(Liste__Vide(tete));
        Liste__Depiler(&tete);   // the terminal node stays
        ASSERT_NE(tete, nullptr);
        EXPECT_TRUE(Liste__Vide(tete));
        Liste__Liberer(&tete);
        EXPECT_EQ(tete, nullptr);
    }
    Liste__Creation1(&tete, 4);
    std::string valeurs;
    for (NoeudEntier* p = tete; p->suivant; p = p->suivant) valeurs += std::to_string(p->valeur);
    EXPECT_EQ(valeurs, "123");
    NoeudEntier* avant = tete;
    Liste__Empiler(&tete, 9);
    Liste__Depiler(&tete);
    EXPECT_EQ(tete, avant);
    // Remove the node just before the terminal node, then the head.
    NoeudEntier* dernier = tete->suivant->suivant;
    Liste__Retirer(&tete, dernier);
    Liste__Retirer(&tete, tete);
    EXPECT_EQ(Liste__Valeur(tete), 2);
    EXPECT_TRUE(Liste__Vide(tete->suivant));
    Liste__Liberer(&tete);
}

TEST_F(Fichiers, RetirerUnNoeudAbsentLeSignaleSansToucherLaListe) {
    NoeudEntier* tete = nullptr;
    NoeudEntier* autre = nullptr;
    Liste__Creation1(&tete, 3);
    Liste__Creation1(&autre, 3);
    Liste__Retirer(&tete, autre);   // a node of another list
    EXPECT_EQ(arbre.Lire("Erreur.txt"), "Liste__Retirer(): Noeud 1 absent de la liste");
    std::string valeurs;
    for (NoeudEntier* p = tete; p->suivant; p = p->suivant) valeurs += std::to_string(p->valeur);
    EXPECT_EQ(valeurs, "12");
    Liste__Liberer(&tete);
    Liste__Liberer(&autre);
}

}  // namespace
