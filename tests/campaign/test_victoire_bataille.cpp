// A battle map's victory file: its name from the level's, the reading and its faults (an unknown
// keyword or label reported, not ending a test), and the test over zones, masters and the other
// conditions on a small map.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "arbre_temporaire.h"
#include "campaign/region.h"
#include "campaign/victoire_bataille.h"
#include "foundation/ecran_fixture.h"
#include "world/grilles.h"
#include "world/objets.h"

namespace {

const std::string BON =
    "Nombre de zones a visiter : 2\r\n"
    "\r\n\t\tx : 10\r\n\t\ty : 20\r\n\t\tl : 4\r\n\t\th : 3\r\n"
    "\r\n\t\tx : 120\r\n\t\ty : -5\r\n\t\tl : 40\r\n\t\th : 200\r\n"
    "\r\nObjets Maitres Tues : 2\r\n\t\tEMPIRE___SOLDAT\r\n\t\tDRAGON\r\n"
    "\r\nAutres conditions : 2\r\n\t\tREGION_VICTOIRE_LIEU_UNIQUE_1_VISITE\r\n\t\tBATAILLE_TOUT_ENNEMI_TUE\r\n";

class VictoireCarteBataille : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    CarteRegion carte{};
    LieuUnique lieux[2]{};
    void SetUp() override {
        ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        carte.nbLieuxUniques = 2;
        carte.lieuxUniques = lieux;
        CarteRegionCourante = &carte;
        VictoireBatailleLiberation();
    }
    void TearDown() override {
        VictoireBatailleLiberation();
        CarteRegionCourante = nullptr;
        Univers__LibereGrilles();
        TableObjets[7] = Objet{};
        PopulationParType[20] = PopulationParType[132] = 0;
        NbUnitesEnnemies = 0;
        Plateforme_Fermer();
    }
    // Reads the victory file of the level; the fatal report's text, "" when it was read.
    std::string Lire(const char* niveau = "..\\niveau\\plaine\\plaine001.mv") {
        std::filesystem::remove(arbre.Racine() / "Erreur.txt");
        testing::internal::CaptureStderr();
        try {
            VictoireBatailleInitialisation(niveau);
        } catch (const FinProgramme&) {
            testing::internal::GetCapturedStderr();
            return arbre.Lire("Erreur.txt");
        }
        testing::internal::GetCapturedStderr();
        return "";
    }
};

TEST_F(VictoireCarteBataille, LeNomDuFichier) {
    // The level's two-letter extension and its dot give way to "txt".
    EXPECT_EQ(VictoireBataille__NomFichier("..\\niveau\\niveau1.mv"), "..\\niveau\\niveau1txt");
    EXPECT_EQ(VictoireBataille__NomFichier("..\\niveau\\essai.map"), "..\\niveau\\essai.txt");
    EXPECT_EQ(VictoireBataille__NomFichier("abc"), "txt");
    EXPECT_EQ(VictoireBataille__NomFichier("ab"), "");
    EXPECT_EQ(VictoireBataille__NomFichier(nullptr), "");
}

// A good file is read whole (zones clipped to the map); a missing one and each fault stop the
// program with their own words and leave the lists empty.
TEST_F(VictoireCarteBataille, LeFichier) {
    const std::string fichier = "niveau/plaine/plaine001txt";
    const std::string absent = Lire();
    EXPECT_NE(absent.find("VictoireBatailleInitialisation()"), std::string::npos) << absent;
    EXPECT_NE(absent.find("Fichier non trouvé : ..\\niveau\\plaine\\plaine001txt"), std::string::npos) << absent;

    arbre.Ecrire(fichier, BON);
    ASSERT_EQ(Lire(), "");
    const VictoireBataille& v = VictoireBatailleCourante;
    ASSERT_EQ(v.nbZones, 2);
    EXPECT_EQ(v.zones[0].x, 10);
    EXPECT_EQ(v.zones[0].y, 20);
    EXPECT_EQ(v.zones[0].largeur, 4);
    EXPECT_EQ(v.zones[0].hauteur, 3);
    EXPECT_EQ(v.zones[1].x, 120);
    EXPECT_EQ(v.zones[1].y, 0);
    EXPECT_EQ(v.zones[1].largeur, 8);
    EXPECT_EQ(v.zones[1].hauteur, 128);
    ASSERT_EQ(v.nbMaitres, 2);
    EXPECT_EQ(v.maitres[0], 20);
    EXPECT_EQ(v.maitres[1], 132);
    ASSERT_EQ(v.nbConditions, 2);
    EXPECT_EQ(v.conditions[0], 2);
    EXPECT_EQ(v.conditions[1], 0);

    // Empty lists.
    arbre.Ecrire(fichier, "Nombre de zones a visiter : 0\n\nObjets Maitres Tues : 0\n\nAutres conditions : 0\n");
    ASSERT_EQ(Lire(), "");
    EXPECT_EQ(v.nbZones + v.nbMaitres + v.nbConditions, 0);

    struct Cas { std::string texte; const char* mots; };
    const std::string zones = "Nombre de zones a visiter : 0\n";
    const std::string maitres = zones + "\nObjets Maitres Tues : 0\n";
    for (const Cas& c : {Cas{"Zones : 1\n", "Format non respecté : Nombre de zones a visiter : ..."},
                         Cas{"Nombre de zones a visiter : 33\n", "Format non respecté : Nombre de zones a visiter : ..."},
                         Cas{"Nombre de zones a visiter : -1\n", "Format non respecté : Nombre de zones a visiter : ..."},
                         Cas{"Nombre de zones a visiter : 1\n\n\t\tx : 1\n\t\ty : 2\n\t\tl : 3\n",
                             "Format non respecté : zone 0 : x, y, l, h ..."},
                         Cas{zones, "Format non respecté : Objets Maitres Tues : ..."},
                         Cas{zones + "\nObjets Maitres Tues : 99\n", "Format non respecté : Objets Maitres Tues : ..."},
                         Cas{zones + "\nObjets Maitres Tues : 2\n\t\tORV\n", "Format non respecté : Objets Maitres Tues : 1 ..."},
                         Cas{zones + "\nObjets Maitres Tues : 1\n\t\t" + std::string(200, 'O') + "\n",
                             "Format non respecté : Objets Maitres Tues : 0 ..."},
                         Cas{zones + "\nObjets Maitres Tues : 1\n\t\tGOBELIN\n",
                             "Il faut ajouter ce label : GOBELIN dans la fonction RegionDonneMaitre()"},
                         Cas{maitres, "Format non respecté : Autres conditions : ..."},
                         Cas{maitres + "\nAutres conditions : 1\n", "Label_de_condition_de_victoire"},
                         Cas{maitres + "\nAutres conditions : 1\n\t\tREGION_VICTOIRE_DRAGON\n",
                             "Il faut ajouter ce label : REGION_VICTOIRE_DRAGON dans la fonction "
                             "RegionDonneLabelAssocieConditionVictoire()"}}) {
        arbre.Ecrire(fichier, BON);
        ASSERT_EQ(Lire(), "");
        arbre.Ecrire(fichier, c.texte);
        const std::string rapport = Lire();
        EXPECT_NE(rapport.find(c.mots), std::string::npos) << c.texte << "\n" << rapport;
        EXPECT_NE(rapport.find("(..\\niveau\\plaine\\plaine001txt)"), std::string::npos) << rapport;
        EXPECT_EQ(v.nbZones + v.nbMaitres + v.nbConditions, 0) << c.texte;
    }
}

// The reader alone reports an unknown keyword in words and leaves the lists empty: the program goes on.
TEST_F(VictoireCarteBataille, UnMotInconnuNArretePasLeLecteur) {
    const std::string chemin = (arbre.Racine() / "v.txt").string();
    arbre.Ecrire("v.txt", "Nombre de zones a visiter : 0\n\nObjets Maitres Tues : 1\n\t\tLICORNE\n");
    FILE* f = std::fopen(chemin.c_str(), "rt");
    ASSERT_NE(f, nullptr);
    VictoireBataille v{};
    v.nbZones = 3;
    std::string erreur;
    EXPECT_FALSE(VictoireBataille__Lire(f, &v, &erreur));
    std::fclose(f);
    EXPECT_EQ(erreur, "Il faut ajouter ce label : LICORNE dans la fonction RegionDonneMaitre()");
    EXPECT_EQ(v.nbZones, 0);
}

// Won once a player unit has stood in every zone (a zone left stays visited), every listed master
// is gone and the other conditions hold.
TEST_F(VictoireCarteBataille, LaVictoire) {
    arbre.Ecrire("niveau/plaine/plaine001txt",
                 "Nombre de zones a visiter : 1\n\n\t\tx : 10\n\t\ty : 20\n\t\tl : 4\n\t\th : 3\n"
                 "\nObjets Maitres Tues : 1\n\t\tEMPIRE___SOLDAT\n"
                 "\nAutres conditions : 2\n\t\tREGION_VICTOIRE_LIEU_UNIQUE_2_VISITE\n\t\tREGION_VICTOIRE_ENNEMIS_TUES\n");
    ASSERT_EQ(Lire(), "");
    Univers__AlloueGrilles();
    PopulationParType[20] = 1;
    NbUnitesEnnemies = 1;
    std::string erreur;
    EXPECT_EQ(VictoireBatailleAtteinte(&erreur), 0);

    // An enemy (army 1) in the zone does not visit it; a player's unit (army 0) does.
    Objet& o = TableObjets[7];
    o.actif = 1;
    o.armee = 1;
    Univers__PoseCaseUnites(13, 22, 7);
    EXPECT_EQ(VictoireBatailleAtteinte(&erreur), 0);
    EXPECT_EQ(VictoireBatailleCourante.zones[0].visitee, 0);
    o.armee = 0;
    EXPECT_EQ(VictoireBatailleAtteinte(&erreur), 0);
    EXPECT_EQ(VictoireBatailleCourante.zones[0].visitee, 1);
    Univers__EffaceCaseUnites(13, 22);
    Univers__PoseCaseUnites(14, 22, 7);   // just outside: still visited
    PopulationParType[20] = 0;
    NbUnitesEnnemies = 0;
    EXPECT_EQ(VictoireBatailleAtteinte(&erreur), 0);   // site 2 not visited
    lieux[1].visite = 1;
    EXPECT_EQ(VictoireBatailleAtteinte(&erreur), 1);
    EXPECT_EQ(erreur, "");
    NbUnitesEnnemies = 2;
    EXPECT_EQ(VictoireBatailleAtteinte(&erreur), 0);

    // An undefined code never holds and says so; a released file has nothing left to win.
    NbUnitesEnnemies = 0;
    VictoireBatailleCourante.conditions[0] = 15;
    EXPECT_EQ(VictoireBatailleAtteinte(&erreur), 0);
    EXPECT_EQ(erreur, "Cette condition de victoire n'est pas définie");
    VictoireBatailleLiberation();
    EXPECT_EQ(VictoireBatailleCourante.nbZones + VictoireBatailleCourante.nbMaitres + VictoireBatailleCourante.nbConditions, 0);
    EXPECT_EQ(VictoireBatailleAtteinte(&erreur), 1);
}

}  // namespace
