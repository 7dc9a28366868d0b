// The program: the platform starts, then the game.
#include <cstdio>
#include <string>

#include "platform/plateforme.h"
#include "shell/demarrage.h"

int main() {
    std::string erreur;
    if (!Plateforme_Initialiser(Plateforme_OptionsEnvironnement(), &erreur)) {
        std::fprintf(stderr, "morvane: %s\n", erreur.c_str());
        return 2;
    }
    const int code = Winmain(nullptr, nullptr, "", 1);
    Plateforme_Fermer();
    if (!Plateforme_EchecFenetre().empty()) {
        std::fprintf(stderr, "morvane: %s\n", Plateforme_EchecFenetre().c_str());
        return 2;
    }
    return code;
}
