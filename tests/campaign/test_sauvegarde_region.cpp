// Save slots: the working folder saved into a slot and restored from it, damaged slots refused
// before anything is changed, and the three files of the working folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "arbre_temporaire.h"
#include "foundation/ecran_fixture.h"
#include "campaign/armee.h"
#include "campaign/campagne.h"
#include "campaign/ennemis.h"
#include "campaign/region.h"
#include "campaign/sauvegarde_region.h"
#include "platform/plateforme.h"
#include "shell/chefs.h"
#include "shell/demarrage.h"
#include "shell/victoire.h"

namespace {

namespace fs = std::filesystem;

// Every file of a folder with its content.
std::map<std::string, std::string> Contenu(const fs::path& dossier) {
    std::map<std::string, std::string> c;
    for (const auto& e : fs::directory_iterator(dossier))
        if (e.is_regular_file()) c[e.path().filename().string()] = LireFichier(e.path());
    return c;
}

// Line n (from 0) of a text.
std::string Ligne(const std::string& texte, int n) {
    size_t debut = 0;
    for (int i = 0; i < n && debut != std::string::npos; ++i) debut = texte.find('\n', debut) + 1;
    return texte.substr(debut, texte.find('\n', debut) - debut);
}

class Sauvegarde_ : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    void SetUp() override {
        ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        arbre.Ecrire("ini/variables.txt", LireFichier(std::string(MORVANE_SOURCE_DIR) + "/data/ini/variables.txt"));
        arbre.Ecrire("Armees/reserve.txt", "reserve du joueur\n");
        arbre.Ecrire("tmp/Joueur0/entete_armee.txt", "nbRegiments 2\n");
        arbre.Ecrire("tmp/Joueur0/regiment0.txt", "premier\n");
        arbre.Ecrire("tmp/Joueur0/regiment1.txt", "second\n");
        arbre.Ecrire("tmp/Joueur0/uniques.txt", "sites\n");
        arbre.Ecrire("tmp/Joueur0/Ennemis.txt", "REGIMENTSNMI\nNombre de regiments ennemi : 0\n");
        arbre.Ecrire("tmp/Joueur0/nmi100.txt", "ennemi\n");
        CarteRegionCourante = nullptr;
        NbRegimentsNmi = 0;
        CampagneCourante = 0;
        EtapeCampagne = 0;
        NumeroRegion = 1;
        CampParJoueur[0] = 1;
        CampDuJoueur = 1;
        OrJoueur = 1234;
        ExperienceHeros = 77;
        AlliancesEnAttente.fill(-1);
        DefectionsEnAttente.fill(-1);
        AlliancesEnAttente[2] = 3;
        for (int i = 0; i < NOMBRE_CHEFS; ++i) TableChefs[static_cast<size_t>(i)] = Chef{i == 0 ? 5 : 0, i, i % 2, i % 9};
        NbRenforts = 1;
        for (DemandeRenfort& r : TableRenforts) r = DemandeRenfort{-1, -1, -1};
        TableRenforts[0] = DemandeRenfort{12, 2, 3};
        NbRegimentsRegion = 2;
        for (int i = 0; i < 2; ++i) {
            RegimentRegion& r = RegimentsRegion[static_cast<size_t>(i)];
            r = RegimentRegion{};
            r.x = 10 + i;   // no token: saved at (0, 0)
            r.y = 20 + i;
            r.vue = 4;
            r.pointsCourants = 7 - i;
            r.pointsAction = 9;
            r.etat = i == 1 ? -3 : 0;
            r.nbPoints = 5;
            r.indicePas = 2;
        }
    }
    void TearDown() override { Plateforme_Fermer(); }
};

TEST(Emplacements, DixDossiersNumerotesDeUn) {
    EXPECT_EQ(Emplacement__Dossier(0), "..\\sauvegarde\\sauvegarde01");
    EXPECT_EQ(Emplacement__Dossier(8), "..\\sauvegarde\\sauvegarde09");
    EXPECT_EQ(Emplacement__Dossier(9), "..\\sauvegarde\\sauvegarde10");
}

// Saved, the working folder dirtied, restored: the folder is as it was, byte for byte.
TEST_F(Sauvegarde_, RestaurerRedonneLeDossierDeTravailExact) {
    ASSERT_TRUE(SauvegardeRegion(9));
    ASSERT_TRUE(arbre.Existe("sauvegarde/sauvegarde10/zekinfo.txt"));
    EXPECT_FALSE(arbre.Existe("sauvegarde/sauvegarde10.tmp"));
    const auto attendu = Contenu(arbre.Racine() / "tmp" / "Joueur0");
    const auto slot = Contenu(arbre.Racine() / "sauvegarde" / "sauvegarde10");
    EXPECT_EQ(slot.at("reserve.txt"), "reserve du joueur\n");
    EXPECT_EQ(slot.size(), attendu.size() + 2);
    // A regiment without a token is at (0, 0); every regiment has its line.
    EXPECT_EQ(attendu.at("posreg.txt"), "0,0,4,0,0,0,7,9,0,0,0,0,0,0,0,0,5,2\n0,0,4,0,0,0,6,9,0,0,0,0,0,0,-3,0,5,2\n");
    EXPECT_EQ(attendu.at("nomcarte.txt").substr(attendu.at("nomcarte.txt").find('\n') + 1), "0 0 1 1\n");

    arbre.Ecrire("tmp/Joueur0/etranger.txt", "d'une autre partie");
    arbre.Ecrire("tmp/Joueur0/regiment0.txt", "change");
    fs::remove(arbre.Racine() / "tmp" / "Joueur0" / "uniques.txt");
    arbre.Ecrire("Armees/reserve.txt", "autre");
    OrJoueur = 1;
    TableChefs[3].maitre = 99;
    NbRenforts = 0;
    RegimentsRegion[1].etat = 0;
    NbRegimentsRegion = 5;

    ASSERT_TRUE(ChargementPartie(9));
    EXPECT_EQ(Contenu(arbre.Racine() / "tmp" / "Joueur0"), attendu);
    EXPECT_EQ(arbre.Lire("Armees/reserve.txt"), "reserve du joueur\n");
    EXPECT_EQ(arbre.Lire("Armees/Joueur0/regiment1.txt"), "second\n");
    EXPECT_EQ(arbre.Lire("Armees/Joueur0/entete_armee.txt"), "nbRegiments 2\n");
    EXPECT_EQ(OrJoueur, 1234);
    EXPECT_EQ(ExperienceHeros, 77);
    EXPECT_EQ(AlliancesEnAttente[2], 3);
    EXPECT_EQ(TableChefs[3].maitre, 0);
    EXPECT_EQ(TableChefs[3].reserve, 3);
    EXPECT_EQ(NbRenforts, 1);
    EXPECT_EQ(TableRenforts[0].copies, 2);
    EXPECT_EQ(NbRegimentsRegion, 2);
    EXPECT_EQ(RegimentsRegion[1].etat, -3);
    EXPECT_EQ(RegimentsRegion[1].surCarte, 1);
    // The path was not kept: none is left to follow.
    EXPECT_EQ(RegimentsRegion[0].nbPoints, -1);
    EXPECT_EQ(TexteRegionAffiche, 1);
    EXPECT_EQ(CampFichiers, 1);
}

// The enemy regiments come back with the slot, in place of those of the game being played; the
// region then writes them again over the restored file.
TEST_F(Sauvegarde_, LesEnnemisSontReprisAvecLEmplacement) {
    arbre.Ecrire("tmp/Joueur0/Ennemis.txt",
                 "REGIMENTSNMI\nNombre de regiments ennemi : 1\nFichier : nmi100.txt\nId : 100\nCoordonnees : 15 33\n"
                 "Joueur : 1\nComportement : 1\nNbPA : 2\nDistVue : 16\nObjetMaitre : 339\nCamp : 1\n"
                 "Vbat : ..\\niveau\\essai.VBat\n");
    RegimentNmi_Chargement("..\\tmp\\Joueur0\\Ennemis.txt");
    ASSERT_EQ(NbRegimentsNmi, 1);
    ASSERT_TRUE(SauvegardeRegion(2));
    const std::string sauve = arbre.Lire("tmp/Joueur0/Ennemis.txt");
    NbRegimentsNmi = 0;
    RegimentsNmi[0].x = 1;
    ASSERT_TRUE(ChargementPartie(2));
    ASSERT_EQ(NbRegimentsNmi, 1);
    EXPECT_EQ(RegimentsNmi[0].id, 100);
    EXPECT_EQ(RegimentsNmi[0].x, 15);
    EXPECT_EQ(RegimentsNmi[0].y, 33);
    EXPECT_EQ(RegimentsNmi[0].comportement, 1);
    RegimentNmi_Sauvegarde("..\\tmp\\joueur0\\ennemis.txt");
    EXPECT_EQ(arbre.Lire("tmp/Joueur0/Ennemis.txt"), sauve);
}

// A second save replaces the whole slot: no file of the older game stays in it.
TEST_F(Sauvegarde_, UneNouvelleSauvegardeRemplaceToutLEmplacement) {
    arbre.Ecrire("tmp/Joueur0/ancien.txt", "vieux");
    ASSERT_TRUE(SauvegardeRegion(0));
    fs::remove(arbre.Racine() / "tmp" / "Joueur0" / "ancien.txt");
    OrJoueur = 5;
    ASSERT_TRUE(SauvegardeRegion(0));
    EXPECT_FALSE(arbre.Existe("sauvegarde/sauvegarde01/ancien.txt"));
    EXPECT_FALSE(arbre.Existe("sauvegarde/sauvegarde01.old"));
    EXPECT_EQ(Ligne(arbre.Lire("sauvegarde/sauvegarde01/zekinfo.txt"), 10), "5");
}

// A damaged or partial slot is refused with its reason, and nothing of the game is touched.
TEST_F(Sauvegarde_, UnEmplacementAbimeEstRefuseSansRienToucher) {
    ASSERT_TRUE(SauvegardeRegion(1));
    const fs::path slot = arbre.Racine() / "sauvegarde" / "sauvegarde02";
    const auto sauve = Contenu(slot);
    struct Cas {
        const char* nom;
        const char* fichier;
        const char* contenu;   // nullptr: the file is removed
        const char* raison;
    };
    const Cas cas[] = {
        {"sans nomcarte", "nomcarte.txt", nullptr, "nomcarte.txt manquant"},
        {"zekinfo tronque", "zekinfo.txt", "-1\n-1\n3\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n12", "zekinfo.txt incorrect"},
        {"posreg court", "posreg.txt", "0,0,4,0,0,0,7,9,0,0,0,0,0,0,0,0,5,2\n", "posreg.txt incorrect"},
        {"trop de regiments", "entete_armee.txt", "nbRegiments 13\n", "entete_armee.txt incorrect"},
        {"regiment absent", "regiment1.txt", nullptr, "regiment1.txt manquant"},
        {"nomcarte hors campagne", "nomcarte.txt", "x.txt\n9 0 1 1\n", "nomcarte.txt incorrect"},
        {"sans variables", "variables.txt", nullptr, "variables.txt manquant"},
        {"sans ennemis", "Ennemis.txt", nullptr, "ennemis.txt manquant"},
        {"ennemis illisibles", "Ennemis.txt", "REGIMENTSNMI\nNombre de regiments ennemi : 2\nFichier : nmi100.txt\n", "ennemis.txt incorrect"},
    };
    arbre.Ecrire("tmp/Joueur0/encours.txt", "la partie en cours");
    const auto avant = Contenu(arbre.Racine() / "tmp" / "Joueur0");
    OrJoueur = 42;
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        for (const auto& [nom, contenu] : sauve) arbre.Ecrire("sauvegarde/sauvegarde02/" + nom, contenu);
        if (c.contenu) arbre.Ecrire(std::string("sauvegarde/sauvegarde02/") + c.fichier, c.contenu);
        else fs::remove(slot / c.fichier);
        std::string erreur;
        EXPECT_FALSE(Emplacement__Verifier(1, &erreur));
        EXPECT_EQ(erreur, std::string("sauvegarde02 : ") + c.raison);
        EXPECT_FALSE(ChargementPartie(1));
        EXPECT_EQ(Contenu(arbre.Racine() / "tmp" / "Joueur0"), avant);
        EXPECT_EQ(OrJoueur, 42);
    }
    std::string erreur;
    EXPECT_FALSE(Emplacement__Verifier(4, &erreur));
    EXPECT_EQ(erreur, "sauvegarde05 : sauvegarde absente");
}

// A save stopped between its two renames is completed the next time the slot is read; stopped
// before, the old slot is kept.
TEST_F(Sauvegarde_, UnArretEntreLesRenommagesEstRepare) {
    ASSERT_TRUE(SauvegardeRegion(3));
    const fs::path dossier = arbre.Racine() / "sauvegarde";
    OrJoueur = 999;
    ASSERT_TRUE(SauvegardeRegion(4));
    // The old slot moved aside, the new one complete beside it.
    fs::rename(dossier / "sauvegarde04", dossier / "sauvegarde04.old");
    fs::rename(dossier / "sauvegarde05", dossier / "sauvegarde04.tmp");
    EXPECT_TRUE(Emplacement__Verifier(3, nullptr));
    EXPECT_FALSE(fs::exists(dossier / "sauvegarde04.old"));
    EXPECT_EQ(Ligne(LireFichier(dossier / "sauvegarde04" / "zekinfo.txt"), 10), "999");
    // A half-written new slot beside the old one is not taken.
    fs::create_directories(dossier / "sauvegarde04.tmp");
    EXPECT_TRUE(Emplacement__Verifier(3, nullptr));
    ASSERT_TRUE(ChargementPartie(3));
    EXPECT_EQ(OrJoueur, 999);
}

TEST(FichiersDeTravail, ZekinfoSoixanteDixNeufLignes) {
    // Line 47 is the number of reinforcements.
    auto texte = [](int renforts) {
        std::string t;
        for (int i = 0; i < 79; ++i) t += std::to_string(i == 47 ? renforts : i - 20) + "\n";
        return t;
    };
    std::array<int32_t, VALEURS_ZEKINFO> v{};
    ASSERT_TRUE(Zekinfo__Lire(texte(10), &v));
    EXPECT_EQ(v[0], -20);
    EXPECT_EQ(v[78], 58);
    EXPECT_TRUE(Zekinfo__Lire(texte(0) + "\r\n\n", &v));
    EXPECT_FALSE(Zekinfo__Lire(texte(0).substr(0, texte(0).size() - 1), &v));   // the last line cut
    EXPECT_FALSE(Zekinfo__Lire(texte(0) + "80\n", &v));
    EXPECT_FALSE(Zekinfo__Lire("", &v));
    EXPECT_FALSE(Zekinfo__Lire(texte(11), &v));   // more reinforcements than the table holds
    EXPECT_FALSE(Zekinfo__Lire(texte(-1), &v));
}

TEST(FichiersDeTravail, PosregUneLigneDeDixHuitParRegiment) {
    std::array<std::array<int32_t, CHAMPS_POSREG>, 12> l{};
    const std::string ligne = "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18\n";
    EXPECT_TRUE(Posreg__Lire(ligne + ligne, 2, &l));
    EXPECT_EQ(l[1][17], 18);
    EXPECT_TRUE(Posreg__Lire("", 0, &l));
    EXPECT_FALSE(Posreg__Lire(ligne, 2, &l));
    EXPECT_FALSE(Posreg__Lire(ligne + ligne, 1, &l));
    EXPECT_FALSE(Posreg__Lire("1,2,3\n", 1, &l));
    EXPECT_FALSE(Posreg__Lire(ligne, 13, &l));
    std::string douze;
    for (int i = 0; i < 12; ++i) douze += ligne;
    EXPECT_TRUE(Posreg__Lire(douze, 12, &l));
}

}  // namespace
