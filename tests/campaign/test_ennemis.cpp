// The enemy regiments' file "ennemis.txt": written and read back for every behaviour, what the
// reader skips, cuts and refuses, the look-up of a regiment's file and the removal of the
// regiments that fought.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "arbre_temporaire.h"
#include "campaign/ennemis.h"
#include "foundation/ecran_fixture.h"

namespace {

const char* const FICHIER = "..\\tmp\\Joueur0\\ennemis.txt";

class Ennemis : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    void SetUp() override {
        ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        arbre.Ecrire("tmp/Joueur0/.garde", "");
        RegimentsNmi = {};
        NbRegimentsNmi = 0;
    }
    void TearDown() override {
        RegimentsNmi = {};
        NbRegimentsNmi = 0;
        Plateforme_Fermer();
    }
    // Reads `texte` as the working copy; the report when the reading ended the program, else "".
    std::string Lire(const std::string& texte) {
        arbre.Ecrire("tmp/Joueur0/ennemis.txt", texte);
        testing::internal::CaptureStderr();
        try {
            RegimentNmi_Chargement(FICHIER);
        } catch (const FinProgramme&) {
            testing::internal::GetCapturedStderr();
            return arbre.Lire("Erreur.txt");
        }
        testing::internal::GetCapturedStderr();
        return "";
    }
};

// Record i of behaviour i, every value distinct.
RegimentNmi Record(int i) {
    RegimentNmi r{};
    std::snprintf(r.fichier, sizeof r.fichier, "nmi%d.txt", 100 + i);
    r.id = 100 + i;
    r.x = 10 + i;
    r.y = 20 + i;
    r.joueur = 1 + i % 2;
    r.comportement = i;
    r.nbPA = 2 + i;
    r.pourAttaqueNbPA = 30 + i;
    r.distVue = 5 + i;
    r.pourAttaqueDistVue = 40 + i;
    r.objetMaitre = 339;
    r.camp = 1;
    r.zoneX = 1 + i, r.zoneY = 2 + i, r.zoneLargeur = 3 + i, r.zoneHauteur = 4 + i;
    r.detection = i % 2;
    r.destinationX = 7 + i, r.destinationY = 8 + i;
    std::snprintf(r.vbat, sizeof r.vbat, "..\\niveau\\essai%d.VBat", i);
    return r;
}

std::string Regiment(const char* fichier = "nmi100.txt", const char* fin = "Vbat : ..\\niveau\\essai.VBat\n") {
    return std::string("Fichier : ") + fichier + "\nId : 100\nCoordonnees : 4 5\nJoueur : 1\nComportement : 1\n"
           "NbPA : 3\nDistVue : 6\nObjetMaitre : 339\nCamp : 1\n" + fin;
}

std::string Table(int nombre, const std::string& regiment) {
    std::string s = "REGIMENTSNMI\nNombre de regiments ennemi : " + std::to_string(nombre) + "\n";
    for (int i = 0; i < nombre; ++i) s += regiment;
    return s;
}

}  // namespace

TEST_F(Ennemis, ChaqueComportementRevientTelQuel) {
    for (int i = 0; i <= 5; ++i) RegimentsNmi[static_cast<size_t>(i)] = Record(i);
    NbRegimentsNmi = 6;
    RegimentNmi_Sauvegarde(FICHIER);
    const std::string ecrit = arbre.Lire("tmp/Joueur0/ennemis.txt");
    EXPECT_FALSE(arbre.Existe("tmp/Joueur0/ennemis.txt.tmp"));
    // Behaviour 1: nothing between its behaviour and its points; behaviour 4: its zone, detection,
    // destination and attack values.
    EXPECT_NE(ecrit.find("Fichier : nmi101.txt\nId : 101\nCoordonnees : 11 21\nJoueur : 2\nComportement : 1\nNbPA : 3\n"
                         "DistVue : 6\nObjetMaitre : 339\nCamp : 1\nVbat : ..\\niveau\\essai1.VBat\n"),
              std::string::npos)
        << ecrit;
    EXPECT_NE(ecrit.find("Comportement : 4\nZone : 5 6 7 8\nDetection : 0\nDestination : 11 12\nPour Attaque : 34 44\nNbPA : 6\n"),
              std::string::npos)
        << ecrit;
    EXPECT_NE(ecrit.find("Comportement : 2\nDetection : 0\nDestination : 9 10\nPour Attaque : 32 42\nNbPA : 4\n"), std::string::npos);
    EXPECT_NE(ecrit.find("Comportement : 3\nPour Attaque : 33 43\nNbPA : 5\n"), std::string::npos);
    EXPECT_EQ(ecrit.rfind("REGIMENTSNMI\nNombre de regiments ennemi : 6\nFichier : nmi100.txt\n", 0), 0u);

    RegimentsNmi = {};
    NbRegimentsNmi = 0;
    ASSERT_EQ(Lire(ecrit), "");
    ASSERT_EQ(NbRegimentsNmi, 6);
    for (int i = 0; i <= 5; ++i) {
        const RegimentNmi& r = RegimentsNmi[static_cast<size_t>(i)];
        const RegimentNmi a = Record(i);
        SCOPED_TRACE(i);
        EXPECT_STREQ(r.fichier, a.fichier);
        EXPECT_STREQ(r.vbat, a.vbat);
        EXPECT_EQ(r.id, a.id);
        EXPECT_EQ(r.x, a.x);
        EXPECT_EQ(r.y, a.y);
        EXPECT_EQ(r.joueur, a.joueur);
        EXPECT_EQ(r.comportement, i);
        EXPECT_EQ(r.nbPA, a.nbPA);
        EXPECT_EQ(r.distVue, a.distVue);
        EXPECT_EQ(r.objetMaitre, 339);
        EXPECT_EQ(r.camp, 1);
        const bool attaque = i >= 2 && i <= 4, marche = i == 2 || i == 4;
        EXPECT_EQ(r.pourAttaqueNbPA, attaque ? a.pourAttaqueNbPA : 0);
        EXPECT_EQ(r.pourAttaqueDistVue, attaque ? a.pourAttaqueDistVue : 0);
        EXPECT_EQ(r.detection, marche ? a.detection : 0);
        EXPECT_EQ(r.destinationX, marche ? a.destinationX : 0);
        EXPECT_EQ(r.zoneHauteur, i == 4 ? a.zoneHauteur : 0);
    }
    // Written again, the same file.
    RegimentNmi_Sauvegarde(FICHIER);
    EXPECT_EQ(arbre.Lire("tmp/Joueur0/ennemis.txt"), ecrit);
}

TEST_F(Ennemis, CeQueLeLecteurSauteCoupeOuComplete) {
    // An empty table is the two first lines.
    NbRegimentsNmi = 0;
    RegimentNmi_Sauvegarde(FICHIER);
    EXPECT_EQ(arbre.Lire("tmp/Joueur0/ennemis.txt"), "REGIMENTSNMI\nNombre de regiments ennemi : 0\n");
    NbRegimentsNmi = 3;
    EXPECT_EQ(Lire(arbre.Lire("tmp/Joueur0/ennemis.txt")), "");
    EXPECT_EQ(NbRegimentsNmi, 0);

    // Words before the marker, CR LF line ends, a record without its "Vbat" line.
    EXPECT_EQ(Lire("Ennemis de la region 9\r\nREGIMENTSNMI\r\nNombre de regiments ennemi : 2\r\n" + Regiment("a.txt", "") +
                   Regiment("b.txt")),
              "");
    ASSERT_EQ(NbRegimentsNmi, 2);
    EXPECT_STREQ(RegimentsNmi[0].fichier, "a.txt");
    EXPECT_STREQ(RegimentsNmi[0].vbat, "..\\Niveau\\Generique.Vbat");
    EXPECT_STREQ(RegimentsNmi[1].fichier, "b.txt");
    EXPECT_STREQ(RegimentsNmi[1].vbat, "..\\niveau\\essai.VBat");

    // More than 30 regiments: the first 30 are kept.
    EXPECT_EQ(Lire(Table(45, Regiment())), "");
    EXPECT_EQ(NbRegimentsNmi, 30);

    // Points beyond the 49 steps a move holds are cut, also those it takes to attack.
    std::string r = Regiment();
    r.replace(r.find("Comportement : 1\n"), 17, "Comportement : 3\nPour Attaque : 200 9\n");
    r.replace(r.find("NbPA : 3"), 8, "NbPA : 80");
    EXPECT_EQ(Lire(Table(1, r)), "");
    EXPECT_EQ(RegimentsNmi[0].nbPA, 49);
    EXPECT_EQ(RegimentsNmi[0].pourAttaqueNbPA, 49);
    EXPECT_EQ(RegimentsNmi[0].pourAttaqueDistVue, 9);

    // A conditions file outside the game tree, or too long to hold, is not taken.
    for (const std::string& vbat : std::vector<std::string>{"..\\..\\..\\etc\\passwd", "/etc/passwd", "..\\niveau\\..\\..\\x.VBat", "C:\\x.VBat",
                                   "..\\" + std::string(300, 'v')}) {
        EXPECT_EQ(Lire(Table(1, Regiment("a.txt", ("Vbat : " + vbat + "\n").c_str()))), "") << vbat;
        EXPECT_STREQ(RegimentsNmi[0].vbat, "..\\Niveau\\Generique.Vbat") << vbat;
        EXPECT_EQ(NbRegimentsNmi, 1);
    }
}

TEST_F(Ennemis, UnFichierFautifEstRefuse) {
    const auto sans = [](const std::string& ligne) {
        std::string r = Regiment();
        r.erase(r.find(ligne), ligne.size());
        return Table(2, Regiment() + r);
    };
    struct Cas {
        std::string texte, message;
    };
    const Cas cas[] = {
        {"rien ici\n", "REGIMENTSNMI non trouvé"},
        {"REGIMENTSNMI\nNombre de regiments ennemi : beaucoup\n", "erreur nb regiment nmi"},
        {"REGIMENTSNMI\nNombre de regiments ennemi : -2\n", "erreur nb regiment nmi"},
        {Table(1, ""), "erreur fichier regiment n° 0"},
        {sans("Id : 100\n"), "erreur id regiment n° 1"},
        {sans("Coordonnees : 4 5\n"), "erreur coordonnee regiment n° 1"},
        {sans("Joueur : 1\n"), "erreur joueur regiment n° 1"},
        {sans("NbPA : 3\n"), "erreur nbpa regiment n° 1"},
        {sans("DistVue : 6\n"), "erreur DistVue regiment n° 1"},
        {sans("ObjetMaitre : 339\n"), "erreur ObjetMaitre regiment n° 1"},
        {sans("Camp : 1\n"), "erreur Camp regiment n° 1"},
        {Table(1, "Fichier : a\nId : 100\nCoordonnees : 4 5\nJoueur : 1\nComportement : 2\nDetection : 0\nPour Attaque : 1 1\n"),
         "erreur Destination regiment n° 0"},
        {Table(1, "Fichier : a\nId : 100\nCoordonnees : 4 5\nJoueur : 1\nComportement : 3\nNbPA : 3\n"),
         "erreur pour attaque regiment n° 0"},
        {Table(1, "Fichier : a\nId : 100\nCoordonnees : 4 5\nJoueur : 1\nComportement : 4\nDetection : 0\n"),
         "erreur format regiment n° 0"},
        // Cells off the region, behaviours that do not exist.
        {Table(1, "Fichier : a\nId : 100\nCoordonnees : 52 5\n"), "erreur coordonnee regiment n° 0"},
        {Table(1, "Fichier : a\nId : 100\nCoordonnees : 4 -1\n"), "erreur coordonnee regiment n° 0"},
        {Table(1, "Fichier : a\nId : 100\nCoordonnees : 4 5\nJoueur : 1\nComportement : 6\n"),
         "erreur comportement regiment n° 0"},
    };
    for (const Cas& c : cas) EXPECT_NE(Lire(c.texte).find(c.message), std::string::npos) << c.texte;
    EXPECT_NE(Lire("REGIMENTSNMI\n").find("regimentnmi.c"), std::string::npos);
    EXPECT_EQ(Lire(Table(1, Regiment())), "");
}

TEST_F(Ennemis, UnNomDeFichierResteDansLeDossierDeTravail) {
    // The regiment file is opened in the working folder: no folder, no way out of it.
    for (const std::string& nom : std::vector<std::string>{"..\\..\\ini\\variables.txt", "..", ".", "a\\b.txt", "a/b.txt", "c:b.txt",
                                  std::string(256, 'n')}) {
        NbRegimentsNmi = 0;
        EXPECT_NE(Lire(Table(1, Regiment(nom.c_str()))).find("erreur fichier regiment n° 0"), std::string::npos) << nom;
    }
    EXPECT_EQ(Lire(Table(1, Regiment(std::string(255, 'n').c_str()))), "");
    EXPECT_EQ(std::strlen(RegimentsNmi[0].fichier), 255u);
}

TEST_F(Ennemis, NomFichierEtCompactage) {
    for (int i = 0; i < 5; ++i) RegimentsNmi[static_cast<size_t>(i)] = Record(i);
    NbRegimentsNmi = 5;
    EXPECT_STREQ(RegimentNmi_NomFichier(102), "nmi102.txt");
    // An id that no record has names no file (and no file named after the failure).
    EXPECT_EQ(RegimentNmi_NomFichier(105), nullptr);
    EXPECT_EQ(RegimentNmi_NomFichier(-1), nullptr);
    NbRegimentsNmi = 2;
    EXPECT_EQ(RegimentNmi_NomFichier(102), nullptr);   // only the records in use

    NbRegimentsNmi = 5;
    RegimentsNmi[0].enBataille = RegimentsNmi[1].enBataille = RegimentsNmi[3].enBataille = 1;
    RegimentNmi_Compactage();
    ASSERT_EQ(NbRegimentsNmi, 2);
    EXPECT_EQ(RegimentsNmi[0].id, 102);
    EXPECT_EQ(RegimentsNmi[1].id, 104);
}
