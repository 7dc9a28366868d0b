#include "shell/images.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "foundation/image.h"
#include "platform/temps.h"

namespace {

// The picture in the back buffer's format, or null.
Image* Charger(const char* fichier) {
    Image* brute = Image_ChargementTga(fichier);
    if (brute == nullptr) return nullptr;
    Image* image = Image_Conversion(brute, FormatEcran555);
    Image_Liberation(brute);
    return image;
}

void EffacerEcran() {
    if (EcranTampon) std::memset(EcranTampon, 0, static_cast<size_t>(LargeurEcran) * HauteurEcran * 2);
}

int32_t Centre(int32_t ecran, int32_t image) { return (ecran - image) / 2; }

void EffacerTouchesAttente() {
    BoutonGauche = 0;
    ToucheEspace = 0;
    ToucheEntree = 0;
    ToucheEchap = 0;
}

// Messages until Return, Space, Escape or the left button; a quit message ends it at once.
void AttendreTouche() {
    while (!QuitterJeu && !ToucheEntree && !ToucheEspace && !ToucheEchap && BoutonGauche != 1) {
        Message m;
        while (Message_Attente(&m)) {
            if (!Message_Lire(&m)) {
                QuitterJeu = 1;
                return;
            }
            Message_Traduire(&m);
            Message_Distribuer(&m);
        }
        Temps_Dormir(10);
    }
}

}  // namespace

void Image__Fondu(const Image* image, int32_t x, int32_t y, int32_t duree, bool entree) {
    if (image == nullptr) return;
    const uint32_t debut = Temps_Ticks();
    for (;;) {
        const uint32_t e = Temps_Ticks() - debut;
        if (duree <= 0 || e >= static_cast<uint32_t>(duree)) break;
        const int32_t niveau = static_cast<int32_t>(static_cast<int64_t>(e) * 256 / duree);
        if (Image* copie = Image_ConversionTable(image, entree ? niveau : 256 - niveau)) {
            Image_Copie(x, y, nullptr, copie);
            Image_Liberation(copie);
        }
        Ecran_Affichage();
        Temps_Dormir(10);
    }
    if (entree) {
        Image_Copie(x, y, nullptr, image);
    } else if (Image* noire = Image_ConversionTable(image, 0)) {
        Image_Copie(x, y, nullptr, noire);
        Image_Liberation(noire);
    }
}

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

void chargerBitmap(const char* fichier, int32_t duree) {
    Image* image = Charger(fichier);
    if (image == nullptr) Erreur_Fatale("chargerBitmap()", "chargement impossible");
    Image__Fondu(image, 0, 0, duree, true);
    Image_Liberation(image);
}

void Image__AffichageFondu(const char* fichier, int32_t duree) {
    Image* image = Charger(fichier);
    if (image == nullptr) {
        Avertissement("Image__AffichageFondu()", "Chargement image impossible");
        return;
    }
    const int32_t marge = MargeDroiteEfface;
    MargeDroiteEfface = 0;
    EffacerTouchesAttente();
    EffacerEcran();
    const int32_t x = Centre(LargeurEcran, image->largeur), y = Centre(HauteurEcran, image->hauteur);
    Image__Fondu(image, x, y, duree, true);
    Ecran_Affichage();
    AttendreTouche();
    EffacerTouchesAttente();
    if (!QuitterJeu) Image__Fondu(image, x, y, duree, false);
    EffacerEcran();
    Ecran_Affichage();
    Image_Liberation(image);
    MargeDroiteEfface = marge;
}

void MissionsSpeciales__Image(const char* fichier, int32_t duree) {
    Image* image = Charger(fichier);
    if (image == nullptr) {
        Avertissement("MissionsSpeciales__Image()", "Chargement image impossible");
        return;
    }
    const int32_t marge = MargeDroiteEfface;
    MargeDroiteEfface = 0;
    Image__Fondu(image, Centre(LargeurEcran, image->largeur), Centre(HauteurEcran, image->hauteur), duree, true);
    Ecran_Affichage();
    Image_Liberation(image);
    MargeDroiteEfface = marge;
}
