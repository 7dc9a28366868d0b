#include "foundation/image.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>

#include "foundation/ecran.h"
#include "foundation/erreurs.h"
#include "platform/fichiers.h"

namespace {

// A format this code can read and write: 16, 24 or 32 bits per pixel, channels of 1 to 8 bits
// lying inside the pixel (so that 256-entry tables cover every channel value).
bool FormatValide(const FormatImage& f) {
    if (f.bitsParPixel != 16 && f.bitsParPixel != 24 && f.bitsParPixel != 32) return false;
    const int32_t canaux[3][2] = {{f.bitsBleu, f.decalageBleu}, {f.bitsVert, f.decalageVert}, {f.bitsRouge, f.decalageRouge}};
    for (const auto& c : canaux)
        if (c[0] < 1 || c[0] > 8 || c[1] < 0 || c[0] + c[1] > f.bitsParPixel) return false;
    return true;
}

// Row size in bytes, padded to 4.
int64_t OctetsParLigne(int64_t largeur, int64_t bitsParPixel) {
    return ((largeur * bitsParPixel + 31) & ~int64_t{31}) / 8;
}

// Sizes whose byte count fits the 32-bit fields.
bool TailleAcceptable(int64_t largeur, int64_t hauteur, int64_t bitsParPixel) {
    if (largeur <= 0 || hauteur <= 0) return false;
    return OctetsParLigne(largeur, bitsParPixel) * hauteur <= std::numeric_limits<int32_t>::max();
}

uint8_t* AllouerPixels(size_t taille) {
    uint8_t* pixels = new (std::nothrow) uint8_t[taille];
    if (pixels == nullptr) Erreur_Fatale("Erreur", "Mémoire insuffisante");
    return pixels;
}

// A new record of the given format and size with its (uninitialised) pixels.
Image* ImageNouvelle(const FormatImage& format, int32_t largeur, int32_t hauteur) {
    Image* image = new (std::nothrow) Image{};
    if (image == nullptr) Erreur_Fatale("Erreur", "Mémoire insuffisante");
    static_cast<FormatImage&>(*image) = format;
    image->largeur = largeur;
    image->hauteur = hauteur;
    image->octetsParLigne = static_cast<int32_t>(OctetsParLigne(largeur, format.bitsParPixel));
    image->remplissage = image->octetsParLigne - largeur * (format.bitsParPixel / 8);
    const size_t taille = static_cast<size_t>(image->octetsParLigne) * static_cast<size_t>(hauteur);
    image->pixels = AllouerPixels(taille);
    std::memset(image->pixels, 0, taille);
    return image;
}

inline uint32_t LirePixel(const uint8_t* p, int32_t bitsParPixel) {
    switch (bitsParPixel) {
        case 16: return p[0] | uint32_t{p[1]} << 8;
        case 24: return p[0] | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16;
        default: return p[0] | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
    }
}

inline void EcrirePixel(uint8_t* p, int32_t bitsParPixel, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    if (bitsParPixel >= 24) p[2] = static_cast<uint8_t>(v >> 16);
    if (bitsParPixel == 32) p[3] = static_cast<uint8_t>(v >> 24);
}

// One channel's move from a source to a destination format: keeps the channel's top bits.
struct Canal {
    int32_t decalage = 0;   // > 0: right shift, < 0: left shift
    uint32_t masque = 0;
    uint32_t Convertir(uint32_t p) const {
        return (decalage > 0 ? p >> decalage : p << -decalage) & masque;
    }
};

Canal CanalConversion(int32_t bitsSource, int32_t decalageSource, int32_t bitsDestination, int32_t decalageDestination) {
    Canal c;
    c.masque = ((uint32_t{1} << bitsDestination) - 1) << decalageDestination;
    c.decalage = (bitsSource + decalageSource) - (bitsDestination + decalageDestination);
    return c;
}

}  // namespace

void Image_FormatPixel(Image* image, int32_t bitsBleu, int32_t decalageBleu, int32_t bitsVert,
                       int32_t decalageVert, int32_t bitsRouge, int32_t decalageRouge, int32_t bitsParPixel) {
    if (image == nullptr) return;
    image->bitsBleu = bitsBleu;
    image->decalageBleu = decalageBleu;
    image->bitsVert = bitsVert;
    image->decalageVert = decalageVert;
    image->bitsRouge = bitsRouge;
    image->decalageRouge = decalageRouge;
    image->bitsParPixel = bitsParPixel;
}

void Image_Liberation(Image* image) {
    if (image == nullptr) return;
    delete[] image->pixels;
    delete image;
}

Image* Image_ChargementTga(const char* chemin) {
    FILE* f = Fichier_Ouvrir(chemin, "rb");
    if (f == nullptr) return nullptr;
    uint8_t entete[18];
    if (std::fread(entete, 1, sizeof entete, f) != sizeof entete) {
        std::fclose(f);
        return nullptr;
    }
    // Uncompressed true colour without a colour map, 16, 24 or 32 bits, blue first.
    const int32_t profondeur = entete[16];
    const bool accepte = entete[1] == 0 && entete[2] == 2 && entete[3] == 0 && entete[4] == 0 && entete[5] == 0 &&
                         entete[6] == 0 && entete[7] == 0 &&
                         (profondeur == 16 || profondeur == 24 || profondeur == 32);
    const int32_t largeur = entete[12] | entete[13] << 8;
    const int32_t hauteur = entete[14] | entete[15] << 8;
    if (!accepte || !TailleAcceptable(largeur, hauteur, profondeur) || std::fseek(f, entete[0], SEEK_CUR) != 0) {
        std::fclose(f);
        return nullptr;
    }
    // A file shorter than its rows is refused before anything is allocated for them.
    const int32_t octetsFichier = largeur * (profondeur / 8);
    const long debut = std::ftell(f);
    if (debut < 0 || std::fseek(f, 0, SEEK_END) != 0) {
        std::fclose(f);
        return nullptr;
    }
    const long fin = std::ftell(f);
    if (fin < 0 || fin - debut < static_cast<int64_t>(octetsFichier) * hauteur || std::fseek(f, debut, SEEK_SET) != 0) {
        std::fclose(f);
        return nullptr;
    }
    // 16-bit files hold 5-5-5 pixels; 24- and 32-bit ones 8 bits per channel (alpha ignored).
    const FormatImage format = profondeur == 16 ? FormatImage{5, 0, 5, 5, 5, 10, 16}
                                                : FormatImage{8, 0, 8, 8, 8, 16, profondeur};
    Image* image = ImageNouvelle(format, largeur, hauteur);
    // Rows are stored bottom-up.
    for (int32_t ligne = hauteur - 1; ligne >= 0; --ligne) {
        uint8_t* rangee = image->pixels + static_cast<size_t>(ligne) * image->octetsParLigne;
        if (std::fread(rangee, 1, octetsFichier, f) != static_cast<size_t>(octetsFichier)) {
            Image_Liberation(image);
            std::fclose(f);
            return nullptr;
        }
    }
    std::fclose(f);
    return image;
}

Image* Image_Conversion(const Image* source, const FormatImage& format) {
    if (source == nullptr || source->pixels == nullptr || !FormatValide(*source) || !FormatValide(format) ||
        !TailleAcceptable(source->largeur, source->hauteur, format.bitsParPixel))
        return nullptr;
    const Canal bleu = CanalConversion(source->bitsBleu, source->decalageBleu, format.bitsBleu, format.decalageBleu);
    const Canal vert = CanalConversion(source->bitsVert, source->decalageVert, format.bitsVert, format.decalageVert);
    const Canal rouge = CanalConversion(source->bitsRouge, source->decalageRouge, format.bitsRouge, format.decalageRouge);
    Image* image = ImageNouvelle(format, source->largeur, source->hauteur);
    const int32_t pasSource = source->bitsParPixel / 8, pasDestination = format.bitsParPixel / 8;
    for (int32_t y = 0; y < source->hauteur; ++y) {
        const uint8_t* s = source->pixels + static_cast<size_t>(y) * source->octetsParLigne;
        uint8_t* d = image->pixels + static_cast<size_t>(y) * image->octetsParLigne;
        for (int32_t x = 0; x < source->largeur; ++x, s += pasSource, d += pasDestination) {
            const uint32_t p = LirePixel(s, source->bitsParPixel);
            EcrirePixel(d, format.bitsParPixel, bleu.Convertir(p) | vert.Convertir(p) | rouge.Convertir(p));
        }
    }
    return image;
}

Image* Image_ConversionTable(const Image* source, int32_t niveau) {
    if (source == nullptr || source->pixels == nullptr || !FormatValide(*source)) return nullptr;
    niveau = std::clamp(niveau, 0, 256);
    // One table per channel: entry i = min(i x niveau / 256, top of the channel), in place.
    uint32_t tables[3][256];
    const int32_t canaux[3][2] = {{source->bitsBleu, source->decalageBleu},
                                  {source->bitsVert, source->decalageVert},
                                  {source->bitsRouge, source->decalageRouge}};
    uint32_t masques[3];
    for (int c = 0; c < 3; ++c) {
        const uint32_t haut = (uint32_t{1} << canaux[c][0]) - 1;
        masques[c] = haut;
        for (uint32_t i = 0; i < 256; ++i)
            tables[c][i] = std::min((i * static_cast<uint32_t>(niveau)) >> 8, haut) << canaux[c][1];
    }
    Image* image = ImageNouvelle(*source, source->largeur, source->hauteur);
    const int32_t pas = source->bitsParPixel / 8;
    for (int32_t y = 0; y < source->hauteur; ++y) {
        const uint8_t* s = source->pixels + static_cast<size_t>(y) * source->octetsParLigne;
        uint8_t* d = image->pixels + static_cast<size_t>(y) * image->octetsParLigne;
        for (int32_t x = 0; x < source->largeur; ++x, s += pas, d += pas) {
            const uint32_t p = LirePixel(s, source->bitsParPixel);
            EcrirePixel(d, source->bitsParPixel,
                        tables[0][(p >> canaux[0][1]) & masques[0]] | tables[1][(p >> canaux[1][1]) & masques[1]] |
                            tables[2][(p >> canaux[2][1]) & masques[2]]);
        }
    }
    return image;
}

void Image_Copie(int32_t x, int32_t y, const PointImage* point, const Image* image) {
    // Only 16-bit pictures go to the 16-bit back buffer.
    if (image == nullptr || image->pixels == nullptr || image->bitsParPixel != 16 || EcranTampon == nullptr) return;
    int64_t sx = point ? std::max(point->x, 0) : 0;
    int64_t sy = point ? std::max(point->y, 0) : 0;
    int64_t dx = x, dy = y;
    if (dx < 0) {
        sx -= dx;
        dx = 0;
    }
    if (dy < 0) {
        sy -= dy;
        dy = 0;
    }
    // Clipped to the screen and to what the image holds from the source point on.
    const int64_t largeur = std::min<int64_t>(image->largeur - sx, LargeurEcran - dx);
    const int64_t hauteur = std::min<int64_t>(image->hauteur - sy, HauteurEcran - dy);
    if (largeur < 1 || hauteur < 1) return;
    for (int64_t ligne = 0; ligne < hauteur; ++ligne) {
        const uint8_t* s = image->pixels + (sy + ligne) * image->octetsParLigne + sx * 2;
        uint16_t* d = EcranTampon + (dy + ligne) * LargeurEcran + dx;
        std::memcpy(d, s, static_cast<size_t>(largeur) * 2);
    }
}
