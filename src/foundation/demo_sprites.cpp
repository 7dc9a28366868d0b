#include "foundation/demo_sprites.h"

#include <cstdint>
#include <cstring>

#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/objetsgfx.h"
#include "foundation/sprites.h"
#include "world/objets.h"

namespace {

int32_t Etape = 0;   // animation step, one per call

// Text in the sprite font (graphic object 15): upper case, 8 pixels a character.
void Ecrire(int x, int y, const char* texte) {
    for (size_t i = 0; texte[i]; ++i) {
        int c = static_cast<unsigned char>(texte[i]);
        if (c >= 'a' && c <= 'z') c -= 32;
        if (c != ' ') Sprite__Affiche(15, x + static_cast<int>(i) * 8, y, c);
    }
}

void Fond() {
    for (int y = 0; y < HauteurEcran; ++y)
        for (int x = 0; x < LargeurEcran; ++x) {
            const bool clair = ((x / 24) + (y / 24)) % 2 == 0;
            EcranTampon[static_cast<size_t>(y) * LargeurEcran + x] =
                x >= EcranDestination.clipDroite ? 0 : clair ? (5 << 10 | 14 << 5 | 4) : (4 << 10 | 12 << 5 | 3);
        }
}

struct Rangee {
    const char* titre;
    int soldat, archer, cavalier, creature, machine;
};

}  // namespace

void Demo_Sprites() {
    if (EcranTampon == nullptr) return;
    ++Etape;
    Fond();
    Ecrire(8, 10, "SPRITES: PLEIN, TRS, TRS50, ECLAIRE, OMBRE, COULEUR JOUEUR, NUIT, ALPHA");

    // The tinted and darkened rows use graphic objects of their own: a palette belongs to its object.
    static Objet rouge{};
    std::memcpy(rouge.couleur, "\x1E\x06\x04", 4);
    Objet* ancien = ObjetCourant;
    ObjetCourant = &rouge;
    const Rangee rangees[] = {
        {"PLEIN", 20, 13, 14, 36, 141},      {"TRS 12", 20, 13, 14, 36, 141},  {"TRS50", 20, 13, 14, 36, 141},
        {"ECLAIRE", 20, 13, 14, 36, 141},    {"OMBRE", 20, 13, 14, 36, 141},   {"JOUEUR", 34, 21, 22, 37, 139},
        {"NUIT", 267, 28, 29, 38, 140},
    };
    for (int r = 0; r < 7; ++r) {
        const Rangee& g = rangees[r];
        const int y = 32 + r * 60;
        Ecrire(8, y + 24, g.titre);
        const int numeros[5] = {g.soldat, g.archer, g.cavalier, g.creature, g.machine};
        for (int i = 0; i < 5; ++i) {
            const int n = numeros[i];
            const int x = 96 + i * 70, yy = y - (i == 3 ? 8 : 0);
            const int image = i == 4 ? ((Etape / 4 + r) % 16) * 6 + Etape % 6 : ((r + i) % 8) * 12 + Etape % 12;
            if (r == 5) ObjetGfx_CouleurJoueur(n, 1);
            if (r == 6) ObjetGfx_Ombre(n, 13);
            switch (r) {
                case 1: Sprite__AfficheTrs(n, x, yy, image, 12); break;
                case 2: Sprite__AfficheTrs50(n, x, yy, image); break;
                case 3: Sprite__Affiche(n, x, yy, image), Sprite__AfficheEclaire(n, x, yy, image, 6, 20, 31); break;
                case 4:
                    Sprite__AfficheOmbre(n, x, yy, image);
                    Sprite__AfficheOmbreRGB(n, x + 34, yy, image, 0, 24, 24);
                    break;
                default: Sprite__Affiche(n, x, yy, image); break;
            }
        }
    }
    // Buildings: plain, in the player's colour, at night across the view's right edge.
    Sprite__Affiche(61, 470, 40, 0);
    ObjetGfx_CouleurJoueur(62, 1);
    Sprite__Affiche(62, 470, 150, 1);
    ObjetGfx_Ombre(63, 13);
    Sprite__Affiche(63, 560, 260, 2);
    ObjetCourant = ancien;
    // Alpha, which no numbered call uses: the creature as a glow, straight from its sprite.
    if (ObjetGfx* lueur = ObjetGfx_Pret(36))
        Spr_Alpha(lueur->sprite, &EcranDestination, 490, 400, (Etape % 8) * 12 + Etape % 12);
    Ecrire(460, 436, "ALPHA");

    Ecrire(8, 458, "0123456789 ABCDEFGHIJKLMNOPQRSTUVWXYZ !?.,:;-+()/%*=<>'\"#[]@&$");
    Sprite__AfficheOmbre(19, SourisX + 4, SourisY + 5, 0);
    Sprite__Affiche(19, SourisX, SourisY, Etape / 2 % 23);
}
