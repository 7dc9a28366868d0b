// Tests never write into the player's own folder: unless a test chooses one, the game tree they
// run in is its own user folder (ctest sets this too; this covers running the binary by hand).
#include <cstdlib>

namespace {
const int dossierUtilisateur = ::setenv("MORVANE_UTILISATEUR", "", 0);
}
