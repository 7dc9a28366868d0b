#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "arbre_temporaire.h"
#include "platform/hasard.h"
#include "platform/plateforme.h"
#include "world/descriptions.h"

namespace {

struct FinProgramme : std::runtime_error {
    int code;
    explicit FinProgramme(int c) : std::runtime_error("fin"), code(c) {}
};

const char* const OCP_2x3 =
    "LARGEURHAUTEUR\n2 3\n"
    "OCCUPATIONSOL\n1 0 \n1 1 \n0 1 \n\n"
    "OCCUPATIONAIR\n0 0 \n5 0 \n0 0 \n\n"
    "PRIORITE\n1 2 \n3 4 \n5 6 \n\n"
    "AIR\n0 0 \n0 0 \n0 7 \n\n"
    "ZONE\n9 9 \n9 9 \n9 9 \n\n"
    "SELECTION\n1 1 \n1 1 \n1 1 \n\n"
    "OPTIMISATION\n0 0 \n0 0 \n0 0 \n\n"
    "ELEMENTS 2\n"
    "2 40 10 -5 1 99 \n2 40 20 -5 1 99 \n0 0 0 0 0 0 \n0 0 0 0 0 0 \n0 0 0 0 0 0 \n0 0 0 0 0 0 \n"
    "0 0 0 0 0 0 \n0 0 0 0 0 0 \n0 0 0 0 0 0 \n0 0 0 0 0 0 \n0 0 0 0 0 0 \n\n"
    "CODESOBJETS 2\n3 1 2 0 0 \n4 0 1 20 6 \n7 7 7 7 7 \n";

class Descriptions : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    void SetUp() override {
        Plateforme_Initialiser(OptionsPlateforme{});
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
    }
    // Runs an operation expected to end the program; returns the exit code.
    template <class F>
    int Fin(F f) {
        try {
            f();
        } catch (const FinProgramme& fin) {
            return fin.code;
        }
        return -1;
    }
};

TEST_F(Descriptions, LectureDesChampsEtDesCodes) {
    arbre.Ecrire("Batiment/0042d.ocp", OCP_2x3);
    arbre.Ecrire("Batiment/0042d.txt", "1 5 6\n2 7 8\n8 30 31\n9 40 41\n");
    Batiment___operation(0, 42, 0);
    DescriptionBatiment* d = DescriptionBatimentCourante;
    ASSERT_EQ(d, &DescriptionsBatimentD[42]);
    EXPECT_TRUE(Batiment__Chargee(d));
    EXPECT_EQ(d->largeur, 2);
    EXPECT_EQ(d->hauteur, 3);
    EXPECT_EQ(d->occupationSol[2], 1);
    EXPECT_EQ(d->occupationAir[2], 5);
    EXPECT_EQ(d->priorite[5], 6);
    EXPECT_EQ(d->air[5], 7);
    EXPECT_EQ(d->zone[0], 9);
    EXPECT_EQ(d->calage[0][0], 5);
    EXPECT_EQ(d->calage[1][1], 8);
    EXPECT_EQ(d->calage[8][0], 30);   // layer 8, the door, is the ninth pair
    EXPECT_EQ(d->calage[7][0], 40);   // layer 9 the eighth
    EXPECT_EQ(d->nbElements, 2);
    EXPECT_EQ(d->elementDirection[0], 1);
    // Nature-2 elements start at staggered phases: slot 0 in 0..5, slot 1 in 6..11.
    EXPECT_GE(d->elementPhase[0], 0);
    EXPECT_LE(d->elementPhase[0], 5);
    EXPECT_GE(d->elementPhase[1], 6);
    EXPECT_LE(d->elementPhase[1], 11);
    EXPECT_EQ(d->nbCodesObjets, 2);
    EXPECT_EQ(d->codeParam1[1], 20);
    for (int c = 2; c < 12; ++c) EXPECT_EQ(d->codeObjet[c], 0) << c;
    int p1 = 0, p2 = 0;
    Batiment__ChercheCodeObjet(4, 0, 1, &p1, &p2);
    EXPECT_EQ(p1, 20);
    EXPECT_EQ(p2, 6);
    EXPECT_EQ(Fin([] { Batiment__ChercheCodeObjet(7, 7, 7, nullptr, nullptr); }), 1);
    EXPECT_EQ(arbre.Lire("Erreur.txt"), "Erreur: Code Objet (code:7,x:7,y:7) non trouvé dans la liste");
}

TEST_F(Descriptions, SauvegardeChargementSauvegardeIdentiques) {
    arbre.Ecrire("Batiment/0042t.ocp", OCP_2x3);
    arbre.Ecrire("Batiment/0042t.txt", "1 5 6\n2 7 8\n");
    Hasard_GraineVisuel(5);
    Batiment___operation(0, 42, 1);
    DescriptionBatimentCourante->occupationSol[0] = 2;   // saved as "0 "
    Batiment___operation(1, 42, 1);
    std::string premier = arbre.Lire("Batiment/0042t.ocp");
    std::string calage = arbre.Lire("Batiment/0042t.txt");
    EXPECT_NE(premier.find("OCCUPATIONSOL\n0 0 \n1 1 \n0 1 \n\n"), std::string::npos);
    EXPECT_EQ(calage, "1 5 6\n2 7 8\n3 0 0\n4 0 0\n5 0 0\n6 0 0\n7 0 0\n9 0 0\n8 0 0\n");
    Hasard_GraineVisuel(5);
    Batiment___operation(0, 42, 1);
    Batiment___operation(1, 42, 1);
    EXPECT_EQ(arbre.Lire("Batiment/0042t.ocp"), premier);
    EXPECT_EQ(arbre.Lire("Batiment/0042t.txt"), calage);
}

TEST_F(Descriptions, CalageSansDeuxiemeCouche) {
    arbre.Ecrire("Batiment/0007g.ocp", OCP_2x3);
    arbre.Ecrire("Batiment/0007g.txt", "1 11 12\n");
    Batiment___operation(0, 7, 2);
    EXPECT_EQ(DescriptionBatimentCourante->calage[1][0], 11);
    EXPECT_EQ(DescriptionBatimentCourante->calage[1][1], 12);
    EXPECT_EQ(DescriptionBatimentCourante->calage[0][0], 0);
    arbre.Ecrire("Batiment/0007g.txt", "1 1 1\n10 0 0\n");
    EXPECT_EQ(Fin([] { Batiment___operation(0, 7, 2); }), 1);
    EXPECT_EQ(arbre.Lire("Erreur.txt"), "Batiment___operation(): La couche est inconnue : 10");
}

TEST_F(Descriptions, FichierAbsentDonneUnEnregistrementVide) {
    Batiment___operation(0, 3, 0);
    EXPECT_EQ(arbre.Lire("Erreur.txt"), "Batiment___operation(): Absence du fichier : ..\\Batiment\\0003d.ocp");
    DescriptionBatiment* d = DescriptionBatimentCourante;
    EXPECT_TRUE(Batiment__Chargee(d));
    EXPECT_EQ(d->largeur, 0);
    EXPECT_EQ(d->nbCodesObjets, 0);
    EXPECT_EQ(Fin([] { Batiment___operation(0, 600, 0); }), 1);
    EXPECT_EQ(Fin([] { Batiment___operation(0, 3, 3); }), 1);
}

TEST_F(Descriptions, FichiersTronquesOuIncoherentsRefuses) {
    // A good load first: a refused file must not leave it half overwritten.
    arbre.Ecrire("Batiment/0009d.ocp", OCP_2x3);
    Batiment___operation(0, 9, 0);
    DescriptionBatiment* d = DescriptionBatimentCourante;
    ASSERT_EQ(d->nbCodesObjets, 2);
    const std::string avantCodes = std::string(OCP_2x3).substr(0, std::string(OCP_2x3).find("CODESOBJETS"));
    const std::string raccourci = std::string(OCP_2x3).substr(0, std::string(OCP_2x3).find("\nPRIORITE"));
    struct Cas {
        std::string contenu, raison;
    };
    for (const Cas& c : {Cas{raccourci, "fin de fichier dans PRIORITE"},
                         Cas{avantCodes + "CODESOBJETS 40\n1 1 1 1 1\n", "40 codes objets"},
                         Cas{avantCodes + "CODESOBJETS 2\n3 1 2 0 0\n", "fin de fichier dans CODESOBJETS"},
                         Cas{avantCodes + "CODESOBJETS 1\n3 500 2 0 0\n", "code objet 0 : 500"},
                         Cas{"LARGEURHAUTEUR 500 2", "dimensions 500 x 2"},
                         Cas{"LARGEURHAUTEUR -1 2", "dimensions -1 x 2"},
                         Cas{"LARGEURHAUTEUR 1 1 OCCUPATIONSOL 1 OCCUPATIONAIR x", "fin de fichier dans OCCUPATIONAIR"},
                         Cas{std::string(OCP_2x3).replace(std::string(OCP_2x3).find("ELEMENTS 2"), 10, "ELEMENTS 12"),
                             "12 éléments"},
                         Cas{std::string(OCP_2x3).replace(std::string(OCP_2x3).find("2 40 10"), 7, "2 99999 10"),
                             "élément 99999"}}) {
        arbre.Ecrire("Batiment/0009d.ocp", c.contenu);
        Batiment___operation(0, 9, 0);
        EXPECT_EQ(arbre.Lire("Erreur.txt"),
                  "Batiment___operation(): Fichier de bâtiment incorrect : ..\\Batiment\\0009d.ocp (" + c.raison + ")");
        // Cleared as for a missing file, at the size it had.
        EXPECT_TRUE(Batiment__Chargee(d));
        EXPECT_EQ(d->largeur, 2);
        EXPECT_EQ(d->hauteur, 3);
        EXPECT_EQ(d->occupationSol[0], 0);
        EXPECT_EQ(d->nbCodesObjets, 0);
        EXPECT_EQ(d->nbElements, 0);
    }
    // A later load with a larger footprint gets grids of its size.
    arbre.Ecrire("Batiment/0009d.ocp", OCP_2x3);
    Batiment___operation(0, 9, 0);
    std::string grand = "LARGEURHAUTEUR\n10 12\n";
    for (const char* g : {"OCCUPATIONSOL", "OCCUPATIONAIR", "PRIORITE", "AIR", "ZONE", "SELECTION", "OPTIMISATION"}) {
        grand += std::string(g) + "\n";
        for (int i = 0; i < 120; ++i) grand += "1 ";
    }
    grand += avantCodes.substr(avantCodes.find("ELEMENTS")) + "CODESOBJETS 0\n";
    arbre.Ecrire("Batiment/0009d.ocp", grand);
    Batiment___operation(0, 9, 0);
    EXPECT_EQ(d->largeur, 10);
    EXPECT_GE(d->capaciteGrilles, 120);
    EXPECT_EQ(d->selection[119], 1);
    // A wrong first grid label is a warning; reading goes on.
    arbre.Ecrire("Batiment/0010d.ocp", "LARGEURHAUTEUR 1 1 OCCUPATION 1 X 2 P 0 A 0 Z 0 S 0 O 0 " + avantCodes.substr(avantCodes.find("ELEMENTS")) +
                                           "CODESOBJETS 0");
    Batiment___operation(0, 10, 0);
    EXPECT_EQ(DescriptionBatimentCourante->occupationSol[0], 1);
    EXPECT_EQ(DescriptionBatimentCourante->occupationAir[0], 2);
}

// Mended: a record counts as loaded while its grids exist, whoever made or freed them; a flag of
// its own, set only by the file operation, used to say loaded after the grids were freed.
TEST_F(Descriptions, ChargeeSuitLesGrilles) {
    arbre.Ecrire("Batiment/0042d.ocp", OCP_2x3);
    Batiment___operation(0, 42, 0);
    DescriptionBatiment* d = &DescriptionsBatimentD[42];
    ASSERT_TRUE(Batiment__Chargee(d));
    for (int32_t** g : {&d->occupationSol, &d->occupationAir, &d->priorite, &d->air, &d->selection, &d->optimisation,
                        &d->zone}) {
        delete[] *g;
        *g = nullptr;
    }
    EXPECT_FALSE(Batiment__Chargee(d));
    Batiment___operation(0, 42, 0);   // loads again, into grids of its own
    EXPECT_TRUE(Batiment__Chargee(d));
    EXPECT_EQ(d->occupationSol[2], 1);
    Batiment__LibereGrilles(d);
    EXPECT_FALSE(Batiment__Chargee(d));
    EXPECT_EQ(d->priorite, nullptr);
    EXPECT_EQ(d->capaciteGrilles, 0);

    // Grids made by the editor are loaded, and a save writes what they hold.
    DescriptionBatiment* e = &DescriptionsBatimentT[43];
    e->largeur = 2;
    e->hauteur = 1;
    Batiment__AlloueGrilles(e);
    ASSERT_TRUE(Batiment__Chargee(e));
    e->occupationSol[0] = e->occupationSol[1] = 1;
    e->priorite[0] = 4;
    e->priorite[1] = 5;
    Batiment___operation(1, 43, 1);
    const std::string ecrit = LireFichier(arbre.Racine() / "Batiment/0043t.ocp");
    EXPECT_EQ(ecrit.substr(0, ecrit.find("OCCUPATIONAIR")), "LARGEURHAUTEUR\n2 1\nOCCUPATIONSOL\n1 1 \n\n");
    EXPECT_NE(ecrit.find("PRIORITE\n4 5 \n"), std::string::npos);
    // A resize by the editor gets grids of the new size.
    e->largeur = 10;
    e->hauteur = 12;
    Batiment__AlloueGrilles(e);
    EXPECT_GE(e->capaciteGrilles, 120);
    for (int32_t* g : {e->occupationSol, e->occupationAir, e->priorite, e->air, e->selection, e->optimisation, e->zone})
        for (int i = 0; i < 120; ++i) g[i] = 1;
    Batiment___operation(1, 43, 1);
    EXPECT_NE(LireFichier(arbre.Racine() / "Batiment/0043t.ocp").find("ZONE\n1 1 1 1 1 1 1 1 1 1 \n"), std::string::npos);
    Batiment__LibereGrilles(e);
}

// Every sample building description comes back byte for byte after a load and a save.
TEST_F(Descriptions, ExemplesAllerRetourIdentiques) {
    namespace fs = std::filesystem;
    const fs::path source = fs::path(MORVANE_SOURCE_DIR) / "data" / "Batiment";
    int fichiers = 0;
    for (const auto& e : fs::directory_iterator(source)) {
        if (e.path().extension() != ".ocp") continue;
        const std::string nom = e.path().filename().string();
        const std::string calage = e.path().stem().string() + ".txt";
        const std::string ocp = LireFichier(e.path()), txt = LireFichier(source / calage);
        ASSERT_FALSE(txt.empty()) << calage;
        arbre.Ecrire("Batiment/" + nom, ocp);
        arbre.Ecrire("Batiment/" + calage, txt);
        const int numero = std::stoi(nom.substr(0, 4));
        const int orientation = nom[4] == 'd' ? 0 : nom[4] == 't' ? 1 : 2;
        Batiment___operation(2, numero, orientation);   // from a cleared record
        fs::remove(arbre.Racine() / "Erreur.txt");
        Batiment___operation(0, numero, orientation);
        EXPECT_FALSE(arbre.Existe("Erreur.txt")) << nom << ": " << arbre.Lire("Erreur.txt");
        Batiment___operation(1, numero, orientation);
        EXPECT_EQ(arbre.Lire("Batiment/" + nom), ocp) << nom;
        EXPECT_EQ(arbre.Lire("Batiment/" + calage), txt) << calage;
        ++fichiers;
    }
    EXPECT_EQ(fichiers, 9);   // the barracks, its ruin and the castle's barracks, each in three orientations
}

TEST_F(Descriptions, EditionDesElementsEtDesCodes) {
    Batiment___operation(2, 11, 0);
    for (int n = 0; n < 12; ++n) Batiment__EcritCodeObjet(n, n + 1, n, 0, 0, 0);
    Batiment__InsereCodeObjet(1, 99, 5, 5, 1, 2);
    DescriptionBatiment* d = DescriptionBatimentCourante;
    EXPECT_EQ(d->codeObjet[1], 99);
    EXPECT_EQ(d->codeObjet[2], 2);
    EXPECT_EQ(d->codeObjet[11], 11);   // the last slot's content is lost
    Batiment__SupprimeCodeObjet(0);
    EXPECT_EQ(d->codeObjet[0], 99);
    EXPECT_EQ(d->codeObjet[11], 0);
    Batiment__CompteCodesObjets();
    EXPECT_EQ(d->nbCodesObjets, 11);
    Batiment__EcritElement(0, 1, 2, 3, 4, 5, 6);
    Batiment__EcritElement(1, 8, 2, 3, 4, 5, 6);
    Batiment__EcritElement(10, 9, 0, 1, 1, 0, 0);
    Batiment__SupprimeElement(0);
    EXPECT_EQ(d->elementNature[0], 8);
    EXPECT_EQ(d->elementNature[9], 9);
    EXPECT_EQ(d->elementNature[10], 0);
    Batiment__CompteElements();
    EXPECT_EQ(d->nbElements, 2);
    Batiment__DecalageCalage(3, -1);
    EXPECT_EQ(d->calage[8][0], 3);
    EXPECT_EQ(d->elementX[0], 6);
    EXPECT_EQ(d->elementX[9], 1);   // slots 9 and 10 do not move
}

}  // namespace
