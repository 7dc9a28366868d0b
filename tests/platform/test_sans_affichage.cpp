// The program asked for a real window where there is no display: it ends at once and says why,
// rather than running on unseen.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "dossier_temporaire.h"

namespace {

TEST(SansAffichage, LeProgrammeSArreteEtDitPourquoi) {
    DossierTemporaire dossier;
    const auto erreurs = dossier.Racine() / "stderr.txt";
    const std::string commande = std::string("cd '") + MORVANE_JEU_DIR +
                                 "/bin' && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER MORVANE_HEADLESS=0 "
                                 "SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 timeout 60 ./morvane 2>'" +
                                 erreurs.string() + "'";
    const int etat = std::system(commande.c_str());
    ASSERT_TRUE(WIFEXITED(etat));
    EXPECT_EQ(WEXITSTATUS(etat), 2);
    EXPECT_NE(LireFichier(erreurs).find("morvane: no window can be opened"), std::string::npos) << LireFichier(erreurs);
}

}  // namespace
