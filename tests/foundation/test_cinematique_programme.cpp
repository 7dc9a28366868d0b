// The program plays the sample movies headless from its start-up: the logo, the intro picture,
// the intro movie with its music, then the menu's movie looping; Escape skips the intro; two runs
// give the same frames and the same sound.
#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "jeu_temporaire.h"

namespace {

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
    JeuTemporaire jeu;
    const std::string script = "700 capture logo\n2500 capture image\n4500 key RETURN\n8000 capture intro\n"
                               "14000 capture menu\n16000 capture menu2\n17000 key ESCAPE\n18000 quit\n";
    ASSERT_EQ(jeu.Lancer(script, "un"), 0) << jeu.Lire("un/stderr.txt");
    ASSERT_EQ(jeu.Lancer(script, "deux"), 0);
    for (const char* f : {"logo.png", "image.png", "intro.png", "menu.png", "menu2.png", "son.wav"}) {
        const std::string a = jeu.Lire(std::string("un/") + f);
        EXPECT_GT(a.size(), 100u) << f;
        EXPECT_TRUE(a == jeu.Lire(std::string("deux/") + f)) << f;
    }
    EXPECT_TRUE(jeu.Lire("un/logo.png") != jeu.Lire("un/image.png"));
    EXPECT_TRUE(jeu.Lire("un/image.png") != jeu.Lire("un/intro.png"));
    EXPECT_TRUE(jeu.Lire("un/intro.png") != jeu.Lire("un/menu.png"));
    // The logo and the intro picture are silent; music under the intro text (passed with Return)
    // from about 4 s to 6 s, the intro's from 6 s to 12 s, then the menu's, which goes on without
    // a gap where the movie starts again, until Escape.
    const auto niveaux = Niveaux(jeu.Lire("un/son.wav"));
    ASSERT_GE(niveaux.size(), 34u);
    for (size_t d = 1; d < 7; ++d) EXPECT_LT(niveaux[d], 10.0) << d * 0.5 << " s";
    for (size_t d = 9; d < 34; ++d) EXPECT_GT(niveaux[d], 500.0) << d * 0.5 << " s";
}

TEST(CinematiquesDuJeu, EchapPasseLIntro) {
    JeuTemporaire jeu;
    ASSERT_EQ(jeu.Lancer("4500 key RETURN\n7000 key ESCAPE\n8500 capture apres\n9000 quit\n", "a"), 0);
    ASSERT_EQ(jeu.Lancer("4500 key RETURN\n8500 capture apres\n9000 quit\n", "c"), 0);
    // After Escape the menu's movie plays; without Escape the intro still does.
    const std::string a = jeu.Lire("a/apres.png");
    EXPECT_GT(a.size(), 100u);
    EXPECT_TRUE(a != jeu.Lire("c/apres.png"));
    // The menu's music, not the intro's: the two captures part at Escape.
    const auto na = Niveaux(jeu.Lire("a/son.wav")), nc = Niveaux(jeu.Lire("c/son.wav"));
    ASSERT_GE(na.size(), 17u);
    ASSERT_GE(nc.size(), 17u);
    EXPECT_GT(na[16], 500.0);
    EXPECT_NE(static_cast<int>(na[16]), static_cast<int>(nc[16]));
}

// Pixels of the frame-rate text (pure red) in the top-left corner of a capture, -1 when it
// cannot be read.
int PixelsRougesDuCoin(const std::string& png) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) return -1;
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rvb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rvb.data(), 0, nullptr)) return -1;
    int n = 0;
    for (uint32_t y = 0; y < 36 && y < image.height; ++y)
        for (uint32_t x = 0; x < 80 && x < image.width; ++x) {
            const uint8_t* p = &rvb[(static_cast<size_t>(y) * image.width + x) * 3];
            n += p[0] >= 240 && p[1] < 16 && p[2] < 16;
        }
    return n;
}

// F2 during the intro movie: the frame-rate figures in the top-left corner of what is shown.
TEST(CinematiquesDuJeu, F2AfficheLeTauxPendantLIntro) {
    JeuTemporaire jeu;
    ASSERT_EQ(jeu.Lancer("4500 key RETURN\n7000 key F2\n8000 capture intro\n8500 quit\n", "f2"), 0)
        << jeu.Lire("f2/stderr.txt");
    ASSERT_EQ(jeu.Lancer("4500 key RETURN\n8000 capture intro\n8500 quit\n", "sans"), 0);
    EXPECT_GT(PixelsRougesDuCoin(jeu.Lire("f2/intro.png")), 20);
    EXPECT_EQ(PixelsRougesDuCoin(jeu.Lire("sans/intro.png")), 0);
}

}  // namespace
