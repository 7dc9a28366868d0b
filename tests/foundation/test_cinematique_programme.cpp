// The program plays the sample movies headless: the logo, the intro with its music, the menu's
// movie looping; Escape skips the intro; two runs give the same frames and the same sound.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "arbre_temporaire.h"

namespace {

std::string Lire(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

int Lancer(const std::filesystem::path& script, const std::filesystem::path& dossier) {
    std::filesystem::create_directories(dossier);
    std::string commande = std::string("cd '") + MORVANE_JEU_DIR + "/bin' && MORVANE_HEADLESS=1 MORVANE_SCRIPT='" +
                           script.string() + "' MORVANE_CAPTURE='" + dossier.string() + "' MORVANE_AUDIO_CAPTURE='" +
                           (dossier / "son.wav").string() + "' ./morvane 2>'" + (dossier / "stderr.txt").string() + "'";
    int etat = std::system(commande.c_str());
    return WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
}

// The loudness of each half second of the capture's left channel (16-bit stereo WAV).
std::vector<double> Niveaux(const std::string& wav) {
    std::vector<double> r;
    size_t i = 12;
    while (i + 8 <= wav.size()) {
        const uint32_t n = static_cast<uint8_t>(wav[i + 4]) | static_cast<uint8_t>(wav[i + 5]) << 8 |
                           static_cast<uint8_t>(wav[i + 6]) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(wav[i + 7])) << 24;
        if (wav.compare(i, 4, "data") == 0) {
            const auto* p = reinterpret_cast<const int16_t*>(wav.data() + i + 8);
            const size_t trames = std::min<size_t>(n, wav.size() - i - 8) / 4, demi = 11025;
            for (size_t d = 0; d + demi <= trames; d += demi) {
                double s = 0;
                for (size_t k = d; k < d + demi; ++k) s += double(p[k * 2]) * p[k * 2];
                r.push_back(std::sqrt(s / demi));
            }
            break;
        }
        i += 8 + n;
    }
    return r;
}

TEST(CinematiquesDuJeu, LogoIntroEtMenuEnBoucle) {
    ArbreTemporaire arbre;
    arbre.Ecrire("s.txt", "100 key V\n1000 capture logo\n3000 capture intro\n9000 capture menu\n"
                          "11000 capture menu2\n12000 key ESCAPE\n13000 quit\n");
    const auto script = arbre.Racine() / "s.txt";
    ASSERT_EQ(Lancer(script, arbre.Racine() / "un"), 0) << Lire(arbre.Racine() / "un/stderr.txt");
    ASSERT_EQ(Lancer(script, arbre.Racine() / "deux"), 0);
    for (const char* f : {"logo.png", "intro.png", "menu.png", "menu2.png", "son.wav"}) {
        const std::string a = Lire(arbre.Racine() / "un" / f);
        EXPECT_GT(a.size(), 100u) << f;
        EXPECT_TRUE(a == Lire(arbre.Racine() / "deux" / f)) << f;
    }
    EXPECT_TRUE(Lire(arbre.Racine() / "un/logo.png") != Lire(arbre.Racine() / "un/intro.png"));
    // The logo is silent; the intro's music from about 1.5 s to 7.5 s, then the menu's, which
    // goes on without a gap where the movie starts again, until Escape.
    const auto niveaux = Niveaux(Lire(arbre.Racine() / "un/son.wav"));
    ASSERT_GE(niveaux.size(), 24u);
    EXPECT_LT(niveaux[1], 10.0);
    for (size_t d = 4; d < 23; ++d) EXPECT_GT(niveaux[d], 500.0) << d * 0.5 << " s";
}

TEST(CinematiquesDuJeu, EchapPasseLIntro) {
    ArbreTemporaire arbre;
    arbre.Ecrire("a.txt", "100 key V\n3000 key ESCAPE\n3500 capture apres\n4000 quit\n");
    arbre.Ecrire("c.txt", "100 key V\n3500 capture apres\n4000 quit\n");
    for (const char* r : {"a", "c"})
        ASSERT_EQ(Lancer(arbre.Racine() / (std::string(r) + ".txt"), arbre.Racine() / r), 0) << r;
    // Half a second after Escape the menu's movie plays; without Escape the intro still did.
    const std::string a = Lire(arbre.Racine() / "a/apres.png");
    EXPECT_GT(a.size(), 100u);
    EXPECT_TRUE(a != Lire(arbre.Racine() / "c/apres.png"));
    // The menu's music, not the intro's: the two captures part at Escape.
    const auto na = Niveaux(Lire(arbre.Racine() / "a/son.wav")), nc = Niveaux(Lire(arbre.Racine() / "c/son.wav"));
    ASSERT_GE(na.size(), 7u);
    ASSERT_GE(nc.size(), 7u);
    EXPECT_GT(na[6], 500.0);
    EXPECT_NE(static_cast<int>(na[6]), static_cast<int>(nc[6]));
}

}  // namespace
