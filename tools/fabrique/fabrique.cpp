// The sample asset maker: writes the binary assets of the sample game tree.
#include "fabrique.h"

#include <cstdio>
#include <utility>
#include <vector>

namespace {
std::vector<std::pair<const char*, EtapeFabrique>>& Etapes() {
    static std::vector<std::pair<const char*, EtapeFabrique>> etapes;
    return etapes;
}
}  // namespace

bool Fabrique_Enregistrer(const char* nom, EtapeFabrique etape) {
    Etapes().emplace_back(nom, etape);
    return true;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: morvane_fabrique <game folder>\n");
        return 2;
    }
    std::string racine = argv[1];
    int echecs = 0;
    for (auto& [nom, etape] : Etapes()) {
        if (!etape(racine)) {
            std::fprintf(stderr, "morvane_fabrique: step %s failed\n", nom);
            ++echecs;
        }
    }
    return echecs ? 1 : 0;
}
