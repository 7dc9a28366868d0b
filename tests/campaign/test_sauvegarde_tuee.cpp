// The halves of scripts/tuer_sauvegardes.sh, which kills a program that saves without end and
// checks the slot after each kill. They run only when asked for (--gtest_also_run_disabled_tests),
// in the game tree MORVANE_TUER_ARBRE: Preparer makes it and a first save, Ecrire saves two games
// in turn into slot 1 until it is killed, Verifier finds the slot whole, one game or the other,
// and restores it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "campaign/armee.h"
#include "campaign/campagne.h"
#include "campaign/region.h"
#include "campaign/sauvegarde_region.h"
#include "dossier_temporaire.h"
#include "platform/plateforme.h"
#include "shell/demarrage.h"

namespace {

namespace fs = std::filesystem;

// The two games: their gold, the regiments of their army, a file the other has not.
struct Partie {
    char lettre;
    int32_t orJoueur;
    int regiments;
    const char* propre;
};
constexpr Partie PARTIES[2] = {{'A', 1111, 1, "seulement_a.txt"}, {'B', 2222, 3, "seulement_b.txt"}};

fs::path Arbre() {
    const char* a = std::getenv("MORVANE_TUER_ARBRE");
    return a ? fs::path(a) : fs::path();
}

void Entrer() {
    ASSERT_FALSE(Arbre().empty()) << "MORVANE_TUER_ARBRE n'est pas donné";
    fs::create_directories(Arbre() / "run");
    fs::current_path(Arbre() / "run");
    ::setenv("MORVANE_UTILISATEUR", "", 1);
    ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
}

void Ecrire(const std::string& relatif, const std::string& contenu) {
    fs::create_directories((Arbre() / relatif).parent_path());
    std::ofstream(Arbre() / relatif, std::ios::binary) << contenu;
}

// The working folder and the game's values of game p.
void Jouer(const Partie& p) {
    RegionViderTmp();
    const std::string l(1, p.lettre);
    Ecrire("tmp/Joueur0/entete_armee.txt", "nbRegiments " + std::to_string(p.regiments) + "\n");
    for (int i = 0; i < p.regiments; ++i)
        Ecrire("tmp/Joueur0/regiment" + std::to_string(i) + ".txt", std::string(2000 + 100 * i, p.lettre));
    Ecrire("tmp/Joueur0/uniques.txt", l);
    Ecrire(std::string("tmp/Joueur0/") + p.propre, l);
    Ecrire("Armees/reserve.txt", l);
    OrJoueur = p.orJoueur;
    NbRegimentsRegion = p.regiments;
    CarteRegionCourante = nullptr;
    NbRegimentsNmi = 0;
    CampagneCourante = 0;
    EtapeCampagne = 0;
}

TEST(TuerSauvegardes, DISABLED_Preparer) {
    Entrer();
    fs::remove_all(Arbre() / "sauvegarde");
    Ecrire("ini/variables.txt", LireFichier(fs::path(MORVANE_SOURCE_DIR) / "data" / "ini" / "variables.txt"));
    Jouer(PARTIES[0]);
    ASSERT_TRUE(SauvegardeRegion(0));
}

TEST(TuerSauvegardes, DISABLED_Ecrire) {
    Entrer();
    for (unsigned n = 0;; ++n) {
        Jouer(PARTIES[n % 2]);
        ASSERT_TRUE(SauvegardeRegion(0));
    }
}

TEST(TuerSauvegardes, DISABLED_Verifier) {
    Entrer();
    std::string erreur;
    ASSERT_TRUE(Emplacement__Verifier(0, &erreur)) << erreur;
    const fs::path slot = Arbre() / "sauvegarde" / "sauvegarde01";
    std::map<std::string, std::string> fichiers;
    for (const auto& e : fs::directory_iterator(slot)) fichiers[e.path().filename().string()] = LireFichier(e.path());
    const std::string uniques = fichiers["uniques.txt"];
    ASSERT_EQ(uniques.size(), 1u);
    const Partie& p = uniques == "A" ? PARTIES[0] : PARTIES[1];
    ASSERT_EQ(uniques[0], p.lettre);
    // Every file of the slot is of that game, and no file of the other is there.
    const Partie& autre = &p == &PARTIES[0] ? PARTIES[1] : PARTIES[0];
    EXPECT_EQ(fichiers.count(autre.propre), 0u);
    EXPECT_EQ(fichiers.count("regiment" + std::to_string(p.regiments) + ".txt"), 0u);
    EXPECT_EQ(fichiers[p.propre], uniques);
    EXPECT_EQ(fichiers["reserve.txt"], uniques);
    for (int i = 0; i < p.regiments; ++i)
        EXPECT_EQ(fichiers["regiment" + std::to_string(i) + ".txt"], std::string(2000 + 100 * i, p.lettre)) << i;
    ASSERT_TRUE(ChargementPartie(0));
    EXPECT_EQ(OrJoueur, p.orJoueur);
    EXPECT_EQ(NbRegimentsRegion, p.regiments);
}

}  // namespace
