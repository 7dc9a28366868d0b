#include "shell/images.h"

#include <cstdarg>
#include <cstdio>

#include "foundation/erreurs.h"
#include "foundation/image.h"

namespace {

Image* Charger(const char* fichier) {
    Image* brute = Image_ChargementTga(fichier);
    if (brute == nullptr) return nullptr;
    Image* image = Image_Conversion(brute, FormatEcran555);
    Image_Liberation(brute);
    return image;
}

}  // namespace

void Image__Affichage(const char* format, ...) {
    char fichier[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(fichier, sizeof fichier, format, arguments);
    va_end(arguments);
    Image* image = Charger(fichier);
    if (image == nullptr) Erreur_Fatale(fichier, "Chargement impossible");
    Image_Copie(0, 0, nullptr, image);
    Image_Liberation(image);
}

// Until the fades exist: the picture at once.
void chargerBitmap(const char* fichier, int32_t) {
    Image* image = Charger(fichier);
    if (image == nullptr) Erreur_Fatale("chargerBitmap()", "chargement impossible");
    Image_Copie(0, 0, nullptr, image);
    Image_Liberation(image);
}
