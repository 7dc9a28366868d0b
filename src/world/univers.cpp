#include "world/univers.h"

#include <algorithm>
#include <iterator>

#include "foundation/ecran.h"
#include "platform/blitter.h"

int32_t PasEcranOctets = 0;
int32_t PasEcranDemi = 0;
int32_t PasEcranQuart = 0;
int32_t TuilesVisiblesX = 0;
int32_t TuilesVisiblesY = 0;
int32_t CasesVisiblesX = 0;
int32_t CasesVisiblesY = 0;
int32_t DefilementMaxX = 0;
int32_t DefilementMaxY = 0;
int32_t NombreCasesVisibles = 0;
int32_t LargeurLigneEcran = 0;
std::array<int32_t, 128> DecalageLignes{};
char CheminTampon[1024] = {};

void Ecran__Geometrie(int largeur, int hauteur) {
    LargeurEcran = largeur;
    HauteurEcran = hauteur;
    PasEcranOctets = largeur * 2;
    PasEcranDemi = PasEcranOctets / 2;
    PasEcranQuart = PasEcranOctets / 4;
    TuilesVisiblesX = largeur / 48;
    TuilesVisiblesY = hauteur / 48;
    CasesVisiblesX = TuilesVisiblesX * 2;
    CasesVisiblesY = TuilesVisiblesY * 2;
    EcranDestination.clipGauche = 0;
    EcranDestination.clipHaut = 0;
    EcranDestination.clipDroite = CasesVisiblesX * 24;
    EcranDestination.clipBas = CasesVisiblesY * 24;
    DefilementMaxX = 128 - CasesVisiblesX;
    DefilementMaxY = 128 - CasesVisiblesY;
    NombreCasesVisibles = CasesVisiblesX * CasesVisiblesY;
    LargeurLigneEcran = largeur;
    EcranDestination.pixels = EcranTampon;
    EcranDestination.pasPixels = largeur;
    EcranDestination.hauteurPixels = hauteur;
    std::copy(std::begin(BLITTER_FORMAT_555), std::end(BLITTER_FORMAT_555), EcranDestination.format);
    for (int y = 0; y < 128; ++y) DecalageLignes[y] = 128 * y;
}
