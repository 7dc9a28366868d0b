#include "scene/eau.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

#include "foundation/ecran.h"
#include "foundation/erreurs.h"
#include "foundation/fichier.h"
#include "foundation/sprites.h"
#include "foundation/tuiles.h"

SurfaceLiquide* EauSurface = nullptr;
SurfaceLiquide* LaveSurface = nullptr;
std::array<uint8_t, COTE_LIQUIDE> OndulationSinus{};
std::array<uint8_t, COTE_LIQUIDE> OndulationCosinus{};
bool OndulationsPretes = false;
const std::array<uint8_t, 32> CourbeDeformation = {0,  1,  1,  1,  2,  2,  2,  4,  4,  4,  6,  6,  8,  9,  12, 14,
                                                   15, 18, 18, 19, 20, 25, 25, 29, 29, 32, 32, 32, 32, 32, 32, 32};

namespace {

constexpr int OCTETS_LIGNE = COTE_LIQUIDE * 3;

// Frame 0 of a sprite file drawn into the liquid's tile, then unpacked into plan.
void ChargerPlan(SurfaceLiquide* s, const char* fichier, const char* ou, uint8_t* plan) {
    const uint32_t taille = Fichier_TailleNom(fichier);
    std::vector<uint8_t> sprite(taille ? taille : 1);
    if (Spr_Chargement(fichier, sprite.data(), taille) != 0) Erreur_Fatale(ou, "Fichier sprite %s non trouvé", fichier);
    // A frame with holes leaves black there, not what the other sprite drew.
    s->tuile.fill(0);
    Spr_Aff(sprite.data(), &EcranDestination, 0, 0, 0);
    Liquide__Decompresser(s->tuile.data(), plan);
}

SurfaceLiquide* Creer(const char* fichierTexture, const char* fichierDeformation) {
    auto* s = new SurfaceLiquide();
    s->pasTexture = 1;
    s->pasDeformation = 1;
    // The sprites are drawn into the tile: 48 x 48, pitch 48.
    const EcranSprite sauve = EcranDestination;
    EcranDestination.pixels = s->tuile.data();
    EcranDestination.pasPixels = COTE_LIQUIDE;
    EcranDestination.hauteurPixels = COTE_LIQUIDE;
    EcranDestination.clipHaut = 0;
    EcranDestination.clipGauche = 0;
    EcranDestination.clipBas = COTE_LIQUIDE;
    EcranDestination.clipDroite = COTE_LIQUIDE;
    struct Restauration {
        const EcranSprite& sauve;
        ~Restauration() {
            EcranDestination = sauve;
            EcranDestination.pixels = EcranTampon;
            EcranDestination.pasPixels = LargeurEcran;
        }
    } restauration{sauve};
    try {
        ChargerPlan(s, fichierTexture ? fichierTexture : "", "EauInit1()", s->texture.data());
        ChargerPlan(s, fichierDeformation ? fichierDeformation : "", "EauInit2()", s->deformation.data());
    } catch (...) {
        delete s;
        throw;
    }
    return s;
}

int32_t Avance(int32_t phase, int32_t pas) {
    phase += pas;
    if (phase > COTE_LIQUIDE) phase -= COTE_LIQUIDE;
    return phase;
}

// Row r of destination is row (r + decalage) mod 48 of source, whatever the sign of decalage.
void Defiler(const uint8_t* source, uint8_t* destination, int32_t decalage) {
    for (int r = 0; r < COTE_LIQUIDE; ++r) {
        const int ligne = ((r + decalage) % COTE_LIQUIDE + COTE_LIQUIDE) % COTE_LIQUIDE;
        std::copy_n(source + ligne * OCTETS_LIGNE, OCTETS_LIGNE, destination + r * OCTETS_LIGNE);
    }
}

void Afficher(const SurfaceLiquide* s, int32_t x, int32_t y) {
    if (s == nullptr || EcranTampon == nullptr) return;
    Tuile_Copie48(s->tuile.data(), EcranTampon, EcranDestination.clipGauche + x, EcranDestination.clipHaut + y);
}

}  // namespace

void Ondulation__Construction() {
    constexpr double Pi = 3.1415;
    for (int i = 0; i < COTE_LIQUIDE; ++i) {
        const double angle = 7.0 * i * Pi / 180.0;
        OndulationSinus[i] = static_cast<uint8_t>(static_cast<int>(5.0 * std::sin(angle)) + 5);
        OndulationCosinus[i] = static_cast<uint8_t>(static_cast<int>(5.0 * std::cos(angle)) + 5);
    }
    OndulationsPretes = true;
}

void Liquide__Decompresser(const uint16_t* tuile, uint8_t* plan) {
    for (int i = 0; i < PIXELS_LIQUIDE; ++i) {
        const uint8_t l = static_cast<uint8_t>(tuile[i] & 0xFF), h = static_cast<uint8_t>(tuile[i] >> 8);
        plan[i * 3] = static_cast<uint8_t>((h & 124) >> 2);
        plan[i * 3 + 1] = static_cast<uint8_t>((l >> 5) | ((h & 3) << 3));
        plan[i * 3 + 2] = static_cast<uint8_t>(l & 31);
    }
}

void Liquide__Animation(SurfaceLiquide* s) {
    if (s == nullptr) return;
    if (!OndulationsPretes) Ondulation__Construction();
    Defiler(s->texture.data(), s->textureTravail.data(), s->phaseTexture);
    Defiler(s->deformation.data(), s->deformationTravail.data(), -s->phaseDeformation);
    Tuile_DecalageLignes(s->deformationTravail.data(), OndulationSinus.data());
    Tuile_DecalageLignes(s->textureTravail.data(), OndulationCosinus.data());
    Tuile_AdditionSaturee(s->textureTravail.data(), s->deformationTravail.data(), CourbeDeformation.data());
    Pixels_Conversion24Vers555(s->textureTravail.data(), s->tuile.data());
    s->phaseDeformation = Avance(s->phaseDeformation, s->pasDeformation);
    s->phaseTexture = Avance(s->phaseTexture, s->pasTexture);
}

void EauInit(const char* fichierTexture, const char* fichierDeformation) {
    delete EauSurface;
    EauSurface = nullptr;
    EauSurface = Creer(fichierTexture, fichierDeformation);
    Ondulation__Construction();
}

void LaveInit(const char* fichierTexture, const char* fichierDeformation) {
    delete LaveSurface;
    LaveSurface = nullptr;
    LaveSurface = Creer(fichierTexture, fichierDeformation);
    // Lava uses the water's ripple: made here when no water came first.
    if (!OndulationsPretes) Ondulation__Construction();
}

void Eau__Animation() { Liquide__Animation(EauSurface); }
void Lave__Animation() { Liquide__Animation(LaveSurface); }
void Eau__AffichageCase(int32_t x, int32_t y) { Afficher(EauSurface, x, y); }
void Lave__AffichageCase(int32_t x, int32_t y) { Afficher(LaveSurface, x, y); }

void Eau__Liberation() {
    delete EauSurface;
    delete LaveSurface;
    EauSurface = nullptr;
    LaveSurface = nullptr;
    OndulationSinus.fill(0);
    OndulationCosinus.fill(0);
    OndulationsPretes = false;
}
