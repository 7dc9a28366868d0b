#include "campaign/armee.h"
#include "foundation/ecran.h"
#include "foundation/objetsgfx.h"
#include "foundation/texte.h"

namespace {

constexpr int OBJET_CHIFFRES = 645;
constexpr int OBJET_PORTRAITS = 646;
constexpr int OBJET_CADRE = 692;
constexpr int OBJET_SYMBOLES = 693;

int32_t Barre(int64_t valeur, int64_t diviseur) {
    if (diviseur < 1) return 0;
    int64_t b = valeur * 24 / diviseur;
    return static_cast<int32_t>(b < 0 ? 0 : b > 24 ? 24 : b);
}

void Portrait(int32_t x, int32_t y, int32_t frame, int32_t symbole, const SommesUnites& s, int32_t nombre) {
    Sprite__Affiche(OBJET_PORTRAITS, x, y, frame);
    Sprite__Affiche(OBJET_CADRE, x + 32, y, 0);
    Sprite__Affiche(OBJET_SYMBOLES, x + 32, y + 14, symbole);
    AfficherNombre(x + 63, y + 14, nombre > 0 ? s.experience / nombre : 0);
    AfficherNombreGauche(x + 1, y + 24, nombre);
    TracerLigneHorizontale(x + 36, y + 4, Barre(s.sante, s.santeMaximum), 0x7C00);
    TracerLigneHorizontale(x + 36, y + 7, Barre(s.mana, s.manaMaximum), 0x03E0);
    TracerLigneHorizontale(x + 36, y + 10, Barre(s.moral, int64_t{nombre} * 10), 0x001F);
}

}  // namespace

void Section__afficherPortrait(const Section* section, int32_t x, int32_t y) {
    if (section == nullptr) return;
    const TypeSection* t = Catalogue && section->typeSection >= 0 && section->typeSection < Catalogue->nombreTypesSections
                               ? &Catalogue->typesSections[section->typeSection]
                               : nullptr;
    Portrait(x, y, t ? t->frame : 0, t ? t->symbole : 0, section->sommes, section->unites.nombre);
}

void Section__afficher(const Section* section, int32_t x, int32_t y) {
    if (section == nullptr) return;
    Section__afficherPortrait(section, x, y);
    Texte__AfficheAligne16(x + 74, y + 17, 255, 255, 255, 0, 2, section->nom.c_str());
}

void Regiment__afficher(const Regiment* regiment, int32_t x, int32_t y) {
    if (regiment == nullptr || regiment->sections.nombre == 0) return;
    Portrait(x, y, regiment->frame, regiment->symbole, regiment->sommes, regiment->nbUnites);
}

void Reserve__afficher(const Reserve* reserve, int32_t x, int32_t y) {
    if (reserve == nullptr) return;
    const TypeUnite* t = Catalogue && reserve->typeUnite >= 0 && reserve->typeUnite < Catalogue->nombreTypesUnites
                             ? &Catalogue->typesUnites[reserve->typeUnite]
                             : nullptr;
    Portrait(x, y, t ? t->frame : 0, t ? t->symbole : 0, reserve->sommes, reserve->unites.nombre);
}

void AfficherNombre(int32_t x, int32_t y, int32_t n) {
    int64_t reste = n < 0 ? -int64_t{n} : n;
    do {
        Sprite__Affiche(OBJET_CHIFFRES, x - 5, y, static_cast<int>(reste % 10));
        x -= 4;
        reste /= 10;
    } while (reste != 0);
}

void AfficherNombreGauche(int32_t x, int32_t y, int32_t n) {
    int64_t reste = n < 0 ? -int64_t{n} : n;
    do {
        x += 4;
        reste /= 10;
    } while (reste != 0);
    AfficherNombre(x, y, n);
}

void TracerLigneHorizontale(int32_t x, int32_t y, int32_t longueur, uint16_t couleur) {
    // Clipped to the back buffer.
    if (EcranTampon == nullptr || longueur <= 0 || y < 0 || y >= HauteurEcran) return;
    int32_t debut = x < 0 ? 0 : x;
    int32_t fin = x + longueur > LargeurEcran ? LargeurEcran : x + longueur;
    for (int32_t i = debut; i < fin; ++i) EcranTampon[static_cast<int64_t>(y) * LargeurEcran + i] = couleur;
}
