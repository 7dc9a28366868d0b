#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "arbre_temporaire.h"
#include "platform/fichiers.h"

namespace {

TEST(Chemins, ChaqueComposantSansEgardALaCasse) {
    ArbreTemporaire arbre;
    arbre.Ecrire("ini/MV.INI", "x");
    arbre.Ecrire("Sprite/Soldat.spr", "y");
    EXPECT_EQ(Chemin_Resoudre("..\\Ini\\mv.ini"), "../ini/MV.INI");
    EXPECT_EQ(Chemin_Resoudre("../INI/Mv.Ini"), "../ini/MV.INI");
    EXPECT_EQ(Chemin_Resoudre("..\\sprite\\soldat.SPR"), "../Sprite/Soldat.spr");
    // Components that do not exist keep their spelling, after the ones that do.
    EXPECT_EQ(Chemin_Resoudre("..\\SPRITE\\Neuf\\a.spr"), "../Sprite/Neuf/a.spr");
    EXPECT_TRUE(Fichier_Existe("..\\INI\\MV.ini"));
    EXPECT_FALSE(Fichier_Existe("..\\INI"));
    EXPECT_TRUE(Repertoire_Existe("..\\INI"));
    EXPECT_EQ(Fichier_TailleChemin("..\\ini\\mv.ini"), 1);
    EXPECT_EQ(Fichier_TailleChemin("..\\ini\\absent.ini"), -1);
}

TEST(Chemins, EcrireSousUneAutreCasseRemplaceLeFichier) {
    ArbreTemporaire arbre;
    arbre.Ecrire("INI/Configuration.ini", "ancien");
    FILE* f = Fichier_Ouvrir("..\\ini\\CONFIGURATION.INI", "wt");
    ASSERT_NE(f, nullptr);
    std::fputs("nouveau", f);
    std::fclose(f);
    EXPECT_EQ(arbre.Lire("INI/Configuration.ini"), "nouveau");
    int fichiers = 0;
    for (auto& e : std::filesystem::directory_iterator(arbre.Racine() / "INI")) fichiers += e.is_regular_file();
    EXPECT_EQ(fichiers, 1);
}

TEST(Chemins, DossierAncienChangeApresUneRecherche) {
    // A folder unchanged for long has its listing kept between look-ups: an entry added, renamed
    // or removed afterwards must still show.
    ArbreTemporaire arbre;
    arbre.Ecrire("Vieux/Autre.txt", "a");
    const auto dossier = arbre.Racine() / "Vieux";
    const auto vieillir = [&] {
        std::filesystem::last_write_time(dossier, std::filesystem::last_write_time(dossier) - std::chrono::hours(1));
    };
    vieillir();
    EXPECT_EQ(Chemin_Resoudre("..\\vieux\\NOUVEAU.TXT"), "../Vieux/NOUVEAU.TXT");
    EXPECT_EQ(Chemin_Resoudre("..\\vieux\\autre.TXT"), "../Vieux/Autre.txt");
    arbre.Ecrire("Vieux/Nouveau.txt", "n");
    EXPECT_EQ(Chemin_Resoudre("..\\vieux\\NOUVEAU.TXT"), "../Vieux/Nouveau.txt");
    vieillir();
    EXPECT_EQ(Chemin_Resoudre("..\\vieux\\nouveau.txt"), "../Vieux/Nouveau.txt");
    std::filesystem::rename(dossier / "Nouveau.txt", dossier / "NOUVEAU.txt");
    EXPECT_EQ(Chemin_Resoudre("..\\vieux\\nouveau.txt"), "../Vieux/NOUVEAU.txt");
    vieillir();
    std::filesystem::remove(dossier / "Autre.txt");
    EXPECT_FALSE(Fichier_Existe("..\\vieux\\autre.TXT"));
}

TEST(Chemins, LectureTexteSansRetoursChariot) {
    ArbreTemporaire arbre;
    arbre.Ecrire("a.txt", "un\r\ndeux\r\n\r");
    FILE* f = Fichier_Ouvrir("..\\A.TXT", "rt");
    ASSERT_NE(f, nullptr);
    char ligne[32];
    ASSERT_NE(std::fgets(ligne, sizeof ligne, f), nullptr);
    EXPECT_STREQ(ligne, "un\n");
    ASSERT_NE(std::fgets(ligne, sizeof ligne, f), nullptr);
    EXPECT_STREQ(ligne, "deux\n");
    std::rewind(f);
    ASSERT_NE(std::fgets(ligne, sizeof ligne, f), nullptr);
    EXPECT_STREQ(ligne, "un\n");
    std::fclose(f);
    std::string brut;
    ASSERT_TRUE(Fichier_LireTout("..\\a.txt", &brut));   // binary reads keep every byte
    EXPECT_EQ(brut.size(), 11u);
}

TEST(Chemins, ListeCopieSuppressionDossier) {
    ArbreTemporaire arbre;
    arbre.Ecrire("Sauvegarde/b.TXT", "b");
    arbre.Ecrire("Sauvegarde/a.txt", "a");
    arbre.Ecrire("Sauvegarde/c.dat", "c");
    EXPECT_EQ(Repertoire_Lister("..\\sauvegarde\\*.txt"), (std::vector<std::string>{"a.txt", "b.TXT"}));
    EXPECT_EQ(Repertoire_Lister("..\\sauvegarde\\?.dat"), (std::vector<std::string>{"c.dat"}));
    EXPECT_TRUE(Repertoire_Lister("..\\absent\\*.*").empty());
    EXPECT_TRUE(Fichier_Copier("..\\Sauvegarde\\a.txt", "..\\sauvegarde\\B.txt", true));
    EXPECT_EQ(arbre.Lire("Sauvegarde/b.TXT"), "a");
    EXPECT_FALSE(Fichier_Copier("..\\Sauvegarde\\c.dat", "..\\sauvegarde\\b.txt", false));
    EXPECT_TRUE(Repertoire_Creer("..\\tmp"));
    EXPECT_TRUE(Repertoire_Creer("..\\TMP"));
    EXPECT_TRUE(Fichier_Copier("..\\Sauvegarde\\c.dat", "..\\Tmp\\c.dat", false));
    EXPECT_TRUE(arbre.Existe("tmp/c.dat"));
    EXPECT_TRUE(Fichier_Supprimer("..\\TMP\\C.DAT"));
    EXPECT_FALSE(arbre.Existe("tmp/c.dat"));
}

}  // namespace
