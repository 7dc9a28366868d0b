// The program itself, run headless with a script: captures, errors, the end of a run, determinism.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "arbre_temporaire.h"

namespace {

struct Execution {
    int code = -1;
    std::string erreurs;
};

Execution Lancer(const std::filesystem::path& script, const std::filesystem::path& captures) {
    std::filesystem::path erreurs = captures / "stderr.txt";
    std::string commande = std::string("cd '") + MORVANE_JEU_DIR + "/bin' && MORVANE_HEADLESS=1 MORVANE_SCRIPT='" +
                           script.string() + "' MORVANE_CAPTURE='" + captures.string() + "' ./morvane 2>'" +
                           erreurs.string() + "'";
    int etat = std::system(commande.c_str());
    Execution e;
    e.code = WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
    std::ifstream in(erreurs);
    std::ostringstream s;
    s << in.rdbuf();
    e.erreurs = s.str();
    return e;
}

std::string Lire(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(SansTete, MemeScriptMemeImage) {
    ArbreTemporaire arbre;
    arbre.Ecrire("script.txt",
                 "# a mouse trip\n\n100 move 200 150\n150 down left\n180 up left\n"
                 "5000 move 17 400\n5100 capture a\n9000 capture b\n");
    auto script = arbre.Racine() / "script.txt";
    for (const char* dossier : {"un", "deux"}) std::filesystem::create_directories(arbre.Racine() / dossier);
    Execution un = Lancer(script, arbre.Racine() / "un");
    Execution deux = Lancer(script, arbre.Racine() / "deux");
    ASSERT_EQ(un.code, 0) << un.erreurs;
    ASSERT_EQ(deux.code, 0) << deux.erreurs;
    std::string a = Lire(arbre.Racine() / "un/a.png");
    ASSERT_GT(a.size(), 100u);
    EXPECT_EQ(a, Lire(arbre.Racine() / "deux/a.png"));
    EXPECT_EQ(Lire(arbre.Racine() / "un/b.png"), Lire(arbre.Racine() / "deux/b.png"));
}

TEST(SansTete, LigneMalFormeeSignaleeAvecSonNumero) {
    ArbreTemporaire arbre;
    const char* mauvaises[] = {"100 move 3\n", "abc move 1 2\n", "10 down middle\n", "10 key NOSUCHKEY\n",
                               "10 capture\n", "10 fly\n", "10 quit now\n"};
    for (const char* ligne : mauvaises) {
        arbre.Ecrire("s.txt", std::string("# comment\n10 move 1 1\n") + ligne);
        Execution e = Lancer(arbre.Racine() / "s.txt", arbre.Racine());
        EXPECT_NE(e.code, 0) << ligne;
        EXPECT_NE(e.erreurs.find("line 3"), std::string::npos) << ligne << e.erreurs;
    }
}

TEST(SansTete, FinSansScriptEtQuitter) {
    ArbreTemporaire arbre;
    arbre.Ecrire("vide.txt", "");
    EXPECT_EQ(Lancer(arbre.Racine() / "vide.txt", arbre.Racine()).code, 0);
    arbre.Ecrire("q.txt", "100 quit\n100000000 move 1 1\n");
    EXPECT_EQ(Lancer(arbre.Racine() / "q.txt", arbre.Racine()).code, 0);
}

}  // namespace
