#include "foundation/texte.h"

#include <cstdarg>
#include <cstdio>

#include "foundation/ecran.h"
#include "foundation/majuscules.h"
#include "foundation/objetsgfx.h"
#include "foundation/polices.h"
#include "foundation/sprites.h"
#include "world/univers.h"

int32_t PoliceChoisie = 0;

namespace {

constexpr int OBJET_POLICE_SPRITE = 15;
constexpr int OBJET_BULLE = 1294;

// Texts of at most 255 characters: longer ones are cut.
using TamponTexte = char[256];

void Formater(TamponTexte& tampon, const char* format, va_list args) {
    tampon[0] = 0;
    if (format) std::vsnprintf(tampon, sizeof tampon, format, args);
}

uint32_t Rgb(int r, int g, int b) {
    return static_cast<uint32_t>(r & 0xFF) | static_cast<uint32_t>(g & 0xFF) << 8 | static_cast<uint32_t>(b & 0xFF) << 16;
}

int Largeur(const char* texte) {
    int l = 0;
    Texte_Mesurer(EcranDC, texte, -1, &l, nullptr);
    return l;
}

// Black one pixel right and two down, then the current colour; in the base font.
void Ombre(int x, int y, const char* texte) {
    if (EcranDC == nullptr) return;
    PoliceSysteme* ancienne = ContexteTexte_ChoisirPolice(EcranDC, PoliceBase);
    if (texte[0] != 0) {
        uint32_t couleur = ContexteTexte_Couleur(EcranDC, 0);
        Texte_Dessiner(EcranDC, x + 1, y - 9, texte);
        ContexteTexte_Couleur(EcranDC, couleur);
        Texte_Dessiner(EcranDC, x, y - 11, texte);
    }
    ContexteTexte_ChoisirPolice(EcranDC, ancienne);
}

int Aligne(PoliceSysteme* police, int x, int y, int r, int g, int b, int mode, const char* texte) {
    if (EcranDC == nullptr) return 0;
    if (texte == nullptr) texte = "";
    PoliceSysteme* ancienne = ContexteTexte_ChoisirPolice(EcranDC, police);
    uint32_t couleur = ContexteTexte_Couleur(EcranDC, Rgb(r, g, b));
    int largeur = Largeur(texte);
    switch (mode) {
        case 0: Texte_Dessiner(EcranDC, x - largeur, y - 16, texte); break;
        case 1: Texte_Dessiner(EcranDC, x - largeur / 2, y - 16, texte); break;
        case 2: Texte_Dessiner(EcranDC, x, y - 11, texte); break;
        default: break;
    }
    ContexteTexte_Couleur(EcranDC, couleur);
    ContexteTexte_ChoisirPolice(EcranDC, ancienne);
    return largeur;
}

// Frames of the sprite font, loading it on first use.
int ImagesPoliceSprite() {
    ObjetGfx* o = ObjetGfx_Pret(OBJET_POLICE_SPRITE);
    return o ? Spr_GetNb(o->sprite) : 0;
}

}  // namespace

void Texte__Affiche(int x, int y, const char* format, ...) {
    if (EcranDC == nullptr) return;
    TamponTexte texte;
    va_list args;
    va_start(args, format);
    Formater(texte, format, args);
    va_end(args);
    if (texte[0] != 0) Texte_Dessiner(EcranDC, x, y - 11, texte);
}

void Texte__AfficheOmbre(int x, int y, const char* format, ...) {
    TamponTexte texte;
    va_list args;
    va_start(args, format);
    Formater(texte, format, args);
    va_end(args);
    Ombre(x, y, texte);
}

void Texte__AfficheOmbreBase(int x, int y, const char* format, ...) {
    TamponTexte texte;
    va_list args;
    va_start(args, format);
    Formater(texte, format, args);
    va_end(args);
    Ombre(x, y, texte);
}

void Texte__AfficheOmbreSimple(int x, int y, const char* texte) { Ombre(x, y, texte ? texte : ""); }

void Texte__ChoixFonte(int i) {
    if (EcranDC == nullptr || i < 0 || i >= 7) return;
    PoliceChoisie = i;
    // Slot 6 holds no font: the choice is noted, the font stays.
    if (TablePolices[i] != nullptr) ContexteTexte_ChoisirPolice(EcranDC, TablePolices[i]);
}

int Texte__LitFonte() { return PoliceChoisie; }

void Texte__Couleur(uint32_t couleur) {
    if (EcranDC) ContexteTexte_Couleur(EcranDC, couleur);
}

uint32_t Texte__LitCouleur() { return EcranDC ? EcranDC->couleur : 0xFFFFFFu; }

void Texte__Taille(const char* texte, TailleTexte* taille) {
    if (EcranDC == nullptr || taille == nullptr) return;
    if (texte == nullptr) {
        *taille = TailleTexte{};
        return;
    }
    int l = 0, h = 0;
    Texte_Mesurer(EcranDC, texte, -1, &l, &h);
    taille->largeur = l;
    taille->hauteur = h;
}

int Texte__Largeur20(int, int, int, int, int, int, const char* texte) {
    if (EcranDC == nullptr) return 0;
    PoliceSysteme* ancienne = ContexteTexte_ChoisirPolice(EcranDC, Police20);
    int largeur = Largeur(texte ? texte : "");
    ContexteTexte_ChoisirPolice(EcranDC, ancienne);
    return largeur;
}

int Texte__AfficheAligne(int x, int y, int r, int g, int b, int mode, const char* texte) {
    return Aligne(PoliceBase, x, y, r, g, b, mode, texte);
}

int Texte__AfficheAligne20(int x, int y, int r, int g, int b, int, int mode, const char* texte) {
    return Aligne(Police20, x, y, r, g, b, mode, texte);
}

int Texte__AfficheAligne16(int x, int y, int r, int g, int b, int, int mode, const char* texte) {
    return Aligne(Police16Gras, x, y, r, g, b, mode, texte);
}

int Texte__AfficheAjuste(int x, int y, int r, int g, int b, int mode, const char* texte) {
    if (EcranDC == nullptr) return 0;
    if (texte == nullptr) texte = "";
    PoliceSysteme* ancienne = ContexteTexte_ChoisirPolice(EcranDC, Police35Gras);
    // Not by size: after 27 and 22 bold comes 12 bold, then 35.
    PoliceSysteme* const ordre[7] = {PoliceBase, Police14, Police12, Police35, Police12Gras, Police22Gras, Police27Gras};
    TailleTexte taille;
    Texte__Taille(texte, &taille);
    int indice = 7;
    while (taille.largeur > LargeurEcran && indice >= 1) {
        --indice;
        ContexteTexte_ChoisirPolice(EcranDC, ordre[indice]);
        Texte__Taille(texte, &taille);
    }
    uint32_t couleur = ContexteTexte_Couleur(EcranDC, Rgb(r, g, b));
    const int haut = y - taille.hauteur;
    switch (mode) {
        case 0: Texte_Dessiner(EcranDC, x - taille.largeur, haut, texte); break;
        case 1: Texte_Dessiner(EcranDC, x - taille.largeur / 2, haut, texte); break;
        case 2: Texte_Dessiner(EcranDC, x, haut, texte); break;
        default: break;
    }
    ContexteTexte_Couleur(EcranDC, couleur);
    ContexteTexte_ChoisirPolice(EcranDC, ancienne);
    return 0;
}

int InfoBulle(int x, int y, const char* texte) {
    if (EcranDC == nullptr) return 0;
    if (texte == nullptr) texte = "";
    const int n = (Texte__Largeur20(0, 0, 0, 0, 0, 0, texte) + 4) / 32;
    const int droite = LargeurEcran - (LargeurEcran - CasesVisiblesX * 24) / 2;
    const int demi = n * 16 + 72;
    if (x + demi > droite) x = droite - demi;
    if (x < demi) x = demi;
    if (y < 16) y += 16;
    if (y > HauteurEcran - 24) y -= 24;
    Texte__AfficheAligne20(x - 1, y - 1, 0, 0, 0, 0, 1, texte);
    Texte__AfficheAligne20(x + 1, y + 1, 255, 255, 255, 0, 1, texte);
    const int haut = y - 16;
    if (n > 0) {
        Sprite__Affiche(OBJET_BULLE, x - 32 - (n - 1) * 16, haut, 0);
        Sprite__Affiche(OBJET_BULLE, x + (n - 1) * 16, haut, 2);
    } else {
        Sprite__Affiche(OBJET_BULLE, x - 32, haut, 0);
        Sprite__Affiche(OBJET_BULLE, x, haut, 2);
    }
    for (int i = 1; i <= n - 1; ++i) Sprite__Affiche(OBJET_BULLE, x - (n - 1) * 16 + (i - 1) * 32, haut, 1);
    return Texte__AfficheAligne20(x, y, 0, 0, 0, 0, 1, texte);
}

void Texte__AfficheSprite(int x, int y, const char* format, ...) {
    TamponTexte texte;
    va_list args;
    va_start(args, format);
    Formater(texte, format, args);
    va_end(args);
    // Character codes are frames; codes past the font's last frame are left blank.
    const int images = ImagesPoliceSprite();
    for (const char* p = texte; *p; ++p, x += 8) {
        unsigned c = Texte__CaractereSprite(static_cast<unsigned char>(*p));
        if (c != 0 && static_cast<int>(c) < images) Sprite__Affiche(OBJET_POLICE_SPRITE, x, y, static_cast<int>(c));
    }
}
