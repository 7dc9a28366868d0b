#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "arbre_temporaire.h"
#include "dossier_temporaire.h"
#include "platform/fichiers.h"

namespace {

// A game tree and, beside it, a user folder chosen for the test.
struct Superposition {
    ArbreTemporaire jeu;
    DossierTemporaire utilisateur;
    Superposition() { ::setenv("MORVANE_UTILISATEUR", utilisateur.Racine().c_str(), 1); }
    ~Superposition() { ::setenv("MORVANE_UTILISATEUR", "", 1); }
};

std::string Lire(const char* cheminJeu) {
    std::string s;
    return Fichier_LireTout(cheminJeu, &s) ? s : "<absent>";
}

TEST(DossierUtilisateur, ParDefautSousLesDonneesDuJoueur) {
    ::unsetenv("MORVANE_UTILISATEUR");
    ::setenv("XDG_DATA_HOME", "/d/x", 1);
    EXPECT_EQ(Dossier_Utilisateur(), "/d/x/morvane");
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", "/home/p", 1);
    EXPECT_EQ(Dossier_Utilisateur(), "/home/p/.local/share/morvane");
    ::setenv("MORVANE_UTILISATEUR", "/ailleurs", 1);
    EXPECT_EQ(Dossier_Utilisateur(), "/ailleurs");
    ::setenv("MORVANE_UTILISATEUR", "", 1);
    EXPECT_EQ(Dossier_Utilisateur(), "");
}

TEST(DossierUtilisateur, LuDAbordChezLeJoueurEcritSeulementLa) {
    Superposition s;
    s.jeu.Ecrire("ini/variables.txt", "jeu");
    s.jeu.Ecrire("ini/intensite.txt", "seul");
    s.utilisateur.Ecrire("INI/Variables.txt", "joueur");
    EXPECT_EQ(Lire("..\\ini\\variables.txt"), "joueur");
    EXPECT_EQ(Lire("..\\Ini\\Intensite.txt"), "seul");
    // A new file and a changed one land in the user folder, under its spelling.
    FILE* f = Fichier_Ouvrir("..\\Sauvegarde\\NOMS.TXT", "wt");
    ASSERT_NE(f, nullptr);
    std::fputs("a\n", f);
    std::fclose(f);
    EXPECT_EQ(s.utilisateur.Lire("Sauvegarde/NOMS.TXT"), "a\n");
    ASSERT_TRUE(Fichier_Copier("..\\ini\\intensite.txt", "..\\ini\\intensite.txt", true));
    f = Fichier_Ouvrir("..\\ini\\intensite.txt", "a");
    ASSERT_NE(f, nullptr);
    std::fputs("+", f);
    std::fclose(f);
    EXPECT_EQ(s.utilisateur.Lire("INI/intensite.txt"), "seul+");
    // A file changed in place starts as the game tree's copy.
    f = Fichier_Ouvrir("..\\ini\\variables.txt", "r+");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    // A program-folder file goes to its folder's place.
    f = Fichier_Ouvrir("verrou", "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_TRUE(s.utilisateur.Existe("run/verrou"));
    EXPECT_TRUE(Repertoire_Creer("..\\tmp\\Joueur0"));
    EXPECT_TRUE(std::filesystem::is_directory(s.utilisateur.Racine() / "tmp" / "Joueur0"));
    // The game tree is as it was.
    EXPECT_EQ(s.jeu.Lire("ini/variables.txt"), "jeu");
    EXPECT_EQ(s.jeu.Lire("ini/intensite.txt"), "seul");
    EXPECT_FALSE(s.jeu.Existe("Sauvegarde"));
    EXPECT_FALSE(s.jeu.Existe("tmp"));
    EXPECT_FALSE(s.jeu.Existe("run/verrou"));
    // Paths outside the root are not moved.
    const std::string absolu = (s.jeu.Racine() / "x.txt").string();
    EXPECT_EQ(Chemin_Ecriture(absolu.c_str()), absolu);
}

TEST(DossierUtilisateur, ListerEtSupprimerVoientLesDeux) {
    Superposition s;
    s.jeu.Ecrire("tmp/Joueur0/entete_armee.txt", "jeu");
    s.jeu.Ecrire("tmp/Joueur0/regiment0.txt", "jeu");
    s.utilisateur.Ecrire("tmp/joueur0/Entete_Armee.txt", "joueur");
    s.utilisateur.Ecrire("tmp/joueur0/uniques.txt", "joueur");
    const auto noms = Repertoire_Lister("..\\tmp\\Joueur0\\*.*");
    ASSERT_EQ(noms.size(), 3u);
    EXPECT_EQ(noms[0], "Entete_Armee.txt");
    EXPECT_EQ(noms[1], "regiment0.txt");
    EXPECT_EQ(noms[2], "uniques.txt");
    for (const std::string& nom : noms) EXPECT_TRUE(Fichier_Supprimer(("..\\tmp\\Joueur0\\" + nom).c_str())) << nom;
    EXPECT_TRUE(Repertoire_Lister("..\\tmp\\Joueur0\\*.*").empty());
    EXPECT_FALSE(Fichier_Existe("..\\tmp\\Joueur0\\regiment0.txt"));
    EXPECT_FALSE(Fichier_Supprimer("..\\tmp\\Joueur0\\regiment0.txt"));
    EXPECT_EQ(s.jeu.Lire("tmp/Joueur0/regiment0.txt"), "jeu");
    // Written again, it is back.
    ASSERT_TRUE(Fichier_Copier("..\\tmp\\Joueur0\\absent.txt", "..\\tmp\\Joueur0\\x.txt", true) == false);
    FILE* f = Fichier_Ouvrir("..\\tmp\\Joueur0\\regiment0.txt", "wt");
    ASSERT_NE(f, nullptr);
    std::fputs("neuf", f);
    std::fclose(f);
    EXPECT_EQ(Lire("..\\tmp\\Joueur0\\regiment0.txt"), "neuf");
    EXPECT_EQ(Repertoire_Lister("..\\tmp\\Joueur0\\*.*").size(), 1u);
}

TEST(DossierUtilisateur, ArbreDuJeuEnLectureSeule) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes through read-only modes";
    Superposition s;
    s.jeu.Ecrire("ini/variables.txt", "jeu");
    std::filesystem::permissions(s.jeu.Racine() / "ini", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    FILE* f = Fichier_Ouvrir("..\\ini\\variables.txt", "wt");
    ASSERT_NE(f, nullptr);
    std::fputs("joueur", f);
    std::fclose(f);
    EXPECT_EQ(Lire("..\\ini\\variables.txt"), "joueur");
    EXPECT_TRUE(Fichier_Supprimer("..\\ini\\variables.txt"));
    EXPECT_FALSE(Fichier_Existe("..\\ini\\variables.txt"));
    std::filesystem::permissions(s.jeu.Racine() / "ini", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(s.jeu.Lire("ini/variables.txt"), "jeu");
}

}  // namespace
