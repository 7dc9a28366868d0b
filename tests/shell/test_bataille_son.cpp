// A battle is heard: the sample special mission (two armies that meet at once) played headless
// with the music turned down, its mixed sound captured; while the armies fight the capture is
// full of blows, shots, cries and voices, not only the click of an order.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "jeu_temporaire.h"

namespace {

// Root mean square of each second of a 16-bit stereo WAV capture.
std::vector<double> RmsParSeconde(const std::string& wav) {
    std::vector<double> rms;
    if (wav.size() < 44) return rms;
    auto mot = [&](size_t i) {
        return static_cast<uint32_t>(static_cast<uint8_t>(wav[i]) | static_cast<uint8_t>(wav[i + 1]) << 8 |
                                     static_cast<uint8_t>(wav[i + 2]) << 16 |
                                     static_cast<uint32_t>(static_cast<uint8_t>(wav[i + 3])) << 24);
    };
    const size_t parSeconde = mot(24) * 2;   // stereo samples per second
    const size_t n = (wav.size() - 44) / 2;
    for (size_t debut = 0; debut < n; debut += parSeconde) {
        double somme = 0;
        const size_t fin = std::min(n, debut + parSeconde);
        for (size_t k = debut; k < fin; ++k) {
            const auto v = static_cast<int16_t>(static_cast<uint8_t>(wav[44 + 2 * k]) |
                                                static_cast<uint8_t>(wav[45 + 2 * k]) << 8);
            somme += static_cast<double>(v) * v;
        }
        rms.push_back(std::sqrt(somme / static_cast<double>(fin - debut)));
    }
    return rms;
}

TEST(BatailleSon, LesArmeesSEntendentQuandEllesSeBattent) {
    JeuTemporaire jeu;
    // Sounds at full volume, music at 0.
    jeu.Ecrire("ini/Configuration.ini", "0\n640\n480\n100\n0\n0\n0\n");
    // Play, Special missions, the mission's requester confirmed: the battle begins at about 16 s.
    // Every group selected, free engagement and the view centred on them: the armies meet on
    // their own in sight. Escape opens the in-game menu and closes it again; the end of the script
    // closes the window.
    ASSERT_EQ(jeu.Lancer("4500 key RETURN\n7000 key ESCAPE\n8500 move 400 172\n8600 down left\n8700 up left\n"
                         "10500 move 400 372\n10600 down left\n10700 up left\n"
                         "14000 key RETURN\n16000 key RETURN\n17000 key A\n17200 key SPACE\n17400 key C\n"
                         "50000 capture bataille\n61000 key ESCAPE\n62000 key RETURN\n65000 key ESCAPE\n"
                         "67000 key RETURN\n",
                         "s"),
              0)
        << jeu.Lire("s/stderr.txt");
    const std::vector<double> rms = RmsParSeconde(jeu.Lire("s/son.wav"));
    ASSERT_GE(rms.size(), 60u);
    std::string releve;
    int entendues = 0;
    // From 20 s to 50 s, after the order's voice: the fight (unheard before the battle had sounds).
    for (size_t s = 20; s < 50; ++s) {
        releve += std::to_string(static_cast<int>(rms[s])) + " ";
        entendues += rms[s] > 500;
    }
    EXPECT_GE(entendues, 15) << "RMS per second from 20 s: " << releve;
}

}  // namespace
