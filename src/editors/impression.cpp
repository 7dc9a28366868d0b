#include "editors/impression.h"

#include <cstdio>
#include <vector>

#include "foundation/ecran.h"
#include "foundation/erreurs.h"
#include "platform/fichiers.h"

void Tga__Conversion555(uint8_t* destination, const uint16_t* source, int largeur, int hauteur) {
    if (destination == nullptr || source == nullptr || largeur <= 0 || hauteur <= 0) return;
    size_t n = static_cast<size_t>(largeur) * static_cast<size_t>(hauteur);
    for (size_t i = 0; i < n; ++i) {
        uint16_t p = source[i];
        uint8_t r = static_cast<uint8_t>(((p >> 10) & 31) * 8);
        uint8_t v = static_cast<uint8_t>(((p >> 5) & 31) * 8);
        uint8_t b = static_cast<uint8_t>((p & 31) * 8);
        destination[i * 4 + 0] = r;
        destination[i * 4 + 1] = v;
        destination[i * 4 + 2] = b;
        destination[i * 4 + 3] = (r | v | b) ? 255 : 0;
    }
}

// The layout of every TGA the program writes: an 18-byte header (uncompressed true colour, 32 bits,
// 8 alpha bits), the rows bottom up in B, G, R, A order, then 3558 zero bytes. `image` holds the
// rows top down in R, G, B, A order, as Tga__Conversion555 leaves them.
void Tga__Ecrire(FILE* f, const uint8_t* image, int largeur, int hauteur) {
    const uint8_t entete[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                static_cast<uint8_t>(largeur & 0xFF), static_cast<uint8_t>(largeur >> 8),
                                static_cast<uint8_t>(hauteur & 0xFF), static_cast<uint8_t>(hauteur >> 8), 32, 8};
    std::fwrite(entete, 1, sizeof entete, f);
    std::vector<uint8_t> ligne(static_cast<size_t>(largeur) * 4);
    for (int y = hauteur - 1; y >= 0; --y) {
        const uint8_t* s = &image[static_cast<size_t>(y) * static_cast<size_t>(largeur) * 4];
        for (int x = 0; x < largeur; ++x) {
            ligne[x * 4 + 0] = s[x * 4 + 2];
            ligne[x * 4 + 1] = s[x * 4 + 1];
            ligne[x * 4 + 2] = s[x * 4 + 0];
            ligne[x * 4 + 3] = s[x * 4 + 3];
        }
        std::fwrite(ligne.data(), 1, ligne.size(), f);
    }
    const std::vector<uint8_t> fin(3558, 0);
    std::fwrite(fin.data(), 1, fin.size(), f);
}

void ImpressionEcran() {
    if (EcranTampon == nullptr) return;
    const uint16_t largeur = static_cast<uint16_t>(LargeurEcran);
    const uint16_t hauteur = static_cast<uint16_t>(HauteurEcran);
    char nom[256];
    bool libre = false;
    for (int n = 1; n <= 999; ++n) {
        std::snprintf(nom, sizeof nom, "%s%03d%s", "..\\ScreenShots\\Morvane_Screen", n, ".tga");
        FILE* f = Fichier_Ouvrir(nom, "rt");
        if (f == nullptr) {
            libre = true;
            break;
        }
        std::fclose(f);
    }
    // All 999 names taken: no screenshot, and nothing is overwritten.
    if (!libre) return;
    std::vector<uint8_t> image(static_cast<size_t>(largeur) * hauteur * 4, 0);
    Tga__Conversion555(image.data(), EcranTampon, largeur, hauteur);
    FILE* f = Fichier_Ouvrir(nom, "wb+");
    if (f == nullptr) {
        // A picture that cannot be written is reported; the game goes on.
        Erreur_Question("ImpressionEcran()", "Erreur creation fichier : %s\n", nom);
        return;
    }
    Tga__Ecrire(f, image.data(), largeur, hauteur);
    std::fclose(f);
}
