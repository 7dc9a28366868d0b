#include "world/demo_monde.h"

#include <cstdint>
#include <cstring>

#include "foundation/ecran.h"
#include "foundation/objetsgfx.h"
#include "world/maitres.h"
#include "world/objets.h"

bool Demo_ChargerMaitres() { return Maitres__Liste__Creation() > 0; }

namespace {

int32_t Etape = 0;   // one per call

void Ecrire(int x, int y, const char* texte) {
    for (size_t i = 0; texte[i]; ++i)
        if (texte[i] != ' ') Sprite__Affiche(15, x + static_cast<int>(i) * 8, y, static_cast<unsigned char>(texte[i]));
}

// A graphic object of master m's animation table, -1 when the master or the animation is missing.
int Gfx(const TableParMaitre& table, int m) { return m < NombreMaitres ? table[static_cast<size_t>(m)] : -1; }

// Draws frame image of graphic object n tinted with the colour of o (a palette belongs to its
// object: it is tinted again before each drawing).
void Dessiner(Objet& o, int n, int x, int y, int image) {
    if (n < 0) return;
    Objet* ancien = ObjetCourant;
    ObjetCourant = &o;
    ObjetGfx_CouleurJoueur(n, 0);
    ObjetCourant = ancien;
    Sprite__Affiche(n, x, y, image);
}

}  // namespace

void Demo_Figures() {
    if (EcranTampon == nullptr) return;
    ++Etape;
    for (int y = 0; y < HauteurEcran; ++y)
        for (int x = 0; x < LargeurEcran; ++x) {
            const bool clair = ((x / 24) + (y / 24)) % 2 == 0;
            EcranTampon[static_cast<size_t>(y) * LargeurEcran + x] = clair ? (9 << 10 | 15 << 5 | 5) : (8 << 10 | 13 << 5 | 4);
        }
    Ecrire(8, 6, "DISTRIBUTION: MARCHE (8 DIRECTIONS), ATTAQUE, MORT, REPOS, SORT");

    struct Rangee {
        int maitre;
        const char* couleur;   // R, V, B of the team, 0..31
    };
    static Objet equipes[4]{};
    const Rangee rangees[4] = {{20, "\x1E\x05\x04"}, {13, "\x06\x0C\x1E"}, {17, "\x12\x06\x1C"}, {5, "\x1E\x19\x04"}};
    const int image = (Etape / 3) % 12;
    for (int r = 0; r < 4; ++r) {
        const int m = rangees[r].maitre;
        Objet& o = equipes[r];
        std::memcpy(o.couleur, rangees[r].couleur, 3);
        const int y = 36 + r * 84;
        if (m < NombreMaitres && NomsMaitres[static_cast<size_t>(m)]) Ecrire(8, y, NomsMaitres[static_cast<size_t>(m)]);
        for (int d = 0; d < 8; ++d) Dessiner(o, Gfx(ObjetGfx_ANIM__DPL, m), 12 + d * 48, y + 36, d * 12 + image);
        const int tour = (Etape / 36) % 8;
        Dessiner(o, Gfx(ObjetGfx_ANIM__ATT, m), 408, y + 36, tour * 12 + image);
        Dessiner(o, Gfx(ObjetGfx_ANIM__MOR, m), 456, y + 36, (tour / 2) * 12 + image);
        Dessiner(o, Gfx(ObjetGfx_ANIM__SPL, m), 504, y + 36, tour * 12 + image);
        Dessiner(o, Gfx(ObjetGfx_ANIM__SIN, m), 552, y + 36, tour * 12 + image);
    }
    // Trees (the oak's trunk and crown, a young oak, a bare one) and rocks.
    Objet neutre{};
    neutre.couleur[0] = ' ';
    const int arbre = Gfx(ObjetGfx_ANIM__SPL, 131), rocher = Gfx(ObjetGfx_ANIM__SPL, 150);
    for (int k = 0; k < 3; ++k) {
        Dessiner(neutre, arbre, 40 + k * 64, 466, k == 0 ? 0 : k + 1);
        if (k == 0) Dessiner(neutre, arbre, 40, 466, 1);
    }
    for (int k = 0; k < 4; ++k) Dessiner(neutre, rocher, 260 + k * 52, 460, k);
}
