// A TGA image.
#include "cible.h"
#include "foundation/image.h"

void Cible_Preparer() {}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("images/essai.tga", donnees, taille);
    if (Image* image = Image_ChargementTga("..\\images\\essai.tga")) Image_Liberation(image);
}
