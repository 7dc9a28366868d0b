#include "platform/hasard.h"

namespace {
// A linear congruential generator giving 15-bit results, one state per stream.
struct Flux {
    uint32_t etat;
    int suivant() {
        etat = etat * 214013u + 2531011u;
        return static_cast<int>((etat >> 16) & 0x7FFF);
    }
};
Flux regles{1};
Flux visuel{1};
}  // namespace

int Hasard_Regles() { return regles.suivant(); }
int Hasard_Visuel() { return visuel.suivant(); }
void Hasard_Graine(uint32_t graine) {
    regles.etat = graine;
    visuel.etat = graine;
}
void Hasard_GraineRegles(uint32_t graine) { regles.etat = graine; }
void Hasard_GraineVisuel(uint32_t graine) { visuel.etat = graine; }
