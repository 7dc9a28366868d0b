#include "scene/carte_reduite.h"

#include <algorithm>
#include <cstring>

#include "foundation/ecran.h"
#include "foundation/objetsgfx.h"
#include "shell/conditions.h"   // TableAttaque
#include "shell/routeur.h"
#include "shell/selection.h"    // GroupesSelection__AffichageMiniCarte
#include "shell/trame.h"
#include "world/grilles.h"
#include "world/niveau.h"
#include "world/objets.h"

uint16_t* CarteReduiteImage = nullptr;
uint16_t* CarteReduiteCalque = nullptr;
int32_t CarteReduiteTaille = 96, CarteReduiteLargeur = 96;
int32_t CarteReduiteX = 504, CarteReduiteY = 360;
int32_t CarteReduiteDecalageX = 0, CarteReduiteDecalageY = 0;
float CarteReduiteEchelleX = 96 / 128.0f, CarteReduiteEchelleY = 96 / 128.0f;
int32_t CarteReduiteCadreLargeur = 19, CarteReduiteCadreHauteur = 15;
int32_t CarteReduiteCadreX = 0, CarteReduiteCadreY = 0;
std::array<MarqueurCarte, MARQUEURS_CARTE> CarteReduiteMarqueurs{};

namespace {

constexpr int COTE = 96;
constexpr int OBJET_CADRE = 903;
constexpr int OBJET_OMBRAGE = 904;
constexpr int OBJET_MARQUEUR = 1346;
constexpr uint16_t BLANC = 0xFFFF;

struct Rvb {
    uint8_t r, g, b;
};

constexpr char MATIERES[] = "EHLNPST";
constexpr Rvb COULEURS_MATIERES[7][4] = {
    {{0, 136, 239}, {10, 141, 240}, {20, 145, 240}, {30, 150, 241}},       // E
    {{63, 88, 15}, {71, 95, 24}, {78, 101, 34}, {86, 108, 43}},            // H
    {{208, 48, 32}, {210, 56, 41}, {212, 64, 49}, {214, 72, 58}},          // L
    {{207, 231, 239}, {209, 232, 240}, {211, 233, 240}, {213, 234, 241}},  // N
    {{111, 88, 79}, {117, 95, 86}, {122, 101, 93}, {128, 108, 100}},       // P
    {{160, 152, 112}, {164, 156, 118}, {167, 160, 123}, {171, 164, 129}},  // S
    {{79, 63, 47}, {86, 71, 55}, {93, 78, 63}, {100, 86, 71}},             // T
};
constexpr Rvb COULEURS_CATEGORIES[10] = {{235, 16, 0},   {41, 178, 235}, {221, 217, 207}, {157, 193, 59}, {194, 177, 96},
                                         {36, 188, 61},  {105, 105, 105}, {194, 32, 32},  {200, 200, 200}, {146, 0, 123}};
constexpr Rvb COULEURS_ARBRES[4] = {{25, 50, 26}, {27, 70, 28}, {57, 82, 57}, {50, 103, 51}};
constexpr Rvb COULEUR_BATIMENT = {9, 9, 9};

uint16_t Couleur(const Rvb& c) { return CarteReduite_Couleur555(c.r, c.g, c.b); }

// The [ALTITUDE] level of a cell, held to the four levels the colours have.
int Altitude(int x, int y) {
    if (GrilleAltitude == nullptr) return 0;
    return std::clamp(GrilleAltitude[(y / 4) * 32 + x / 4], 0, 3);
}

const Objet* ObjetGrille(const int32_t* grille, int x, int y) {
    if (grille == nullptr) return nullptr;
    const int32_t o = grille[y * 128 + x];
    return o > 0 && o < NOMBRE_OBJETS ? &TableObjets[static_cast<size_t>(o)] : nullptr;
}

// The marker slot of a leader's master type, -1 for none.
int SlotMarqueur(int type) {
    switch (type) {
        case 5: return 0;
        case 120: return 1;
        case 121: return 2;
        case 376: return 3;
        case 122: return 4;
        case 123: return 5;
        case 124: return 6;
        case 125: return 7;
        case 374: return 8;
        default: return -1;
    }
}

// The overlay colour of a cell, 0 for none.
uint16_t CouleurCase(int x, int y) {
    uint16_t c = 0;
    const Objet* u = ObjetGrille(GrilleUnites, x, y);
    if (u != nullptr) {
        switch (u->famille) {
            case 0: case 5: case 18: case 19:
                if (u->categorie >= 0 && u->categorie <= 9) c = Couleur(COULEURS_CATEGORIES[u->categorie]);
                if (u->categorie == 9) {
                    const int slot = SlotMarqueur(u->typeMaitre);
                    if (slot >= 0) {
                        MarqueurCarte& m = CarteReduiteMarqueurs[static_cast<size_t>(slot)];
                        m.x = x;
                        m.y = y;
                        m.type = u->armee == 0 && TableAttaque[0][0] == 1 ? 1 : 2;
                    }
                }
                break;
            case 1: c = Couleur(COULEUR_BATIMENT); break;
            case 2:
                if (u->classe == 22) c = Couleur(COULEURS_ARBRES[Altitude(x, y)]);
                else if (u->classe != 24) c = Couleur(COULEUR_BATIMENT);
                break;
            case 3: c = Couleur(COULEURS_ARBRES[Altitude(x, y)]); break;
            default: break;
        }
    }
    const Objet* a = ObjetGrille(GrilleAir, x, y);
    if (a != nullptr) {
        if (a->famille != 6 && a->famille != 21) return 0;
        if (a->categorie >= 0 && a->categorie <= 9) c = Couleur(COULEURS_CATEGORIES[a->categorie]);
    }
    return c;
}

}  // namespace

uint16_t CarteReduite_Couleur555(int r, int g, int b) {
    const auto canal = [](int c) { return std::min(std::max(c, 0) / 8, 31); };
    return static_cast<uint16_t>(canal(r) << 10 | canal(g) << 5 | canal(b));
}

uint16_t CarteReduite_CouleurMatiere(uint8_t matiere, int altitude) {
    const char* p = matiere != 0 ? std::strchr(MATIERES, matiere) : nullptr;
    if (p == nullptr) return 0;
    return Couleur(COULEURS_MATIERES[p - MATIERES][std::clamp(altitude, 0, 3)]);
}

void CarteReduite_Creation() {
    if (ModeSceneCourant == 3) {
        CarteReduiteX = 267;
        CarteReduiteY = 305;
    } else {
        CarteReduiteX = EcranDestination.clipDroite - 120;
        CarteReduiteY = EcranDestination.clipBas - 120;
    }
    CarteReduiteTaille = COTE;
    CarteReduiteLargeur = COTE;
    CarteReduiteEchelleX = CarteReduiteEchelleY = COTE / 128.0f;
    CarteReduiteDecalageX = CarteReduiteDecalageY = 0;
    if (CarteReduiteImage == nullptr) CarteReduiteImage = new uint16_t[COTE * COTE]();
    if (CarteReduiteCalque == nullptr) CarteReduiteCalque = new uint16_t[COTE * COTE]();

    float fy = 0;
    for (int y = 0; y < 128; ++y, fy += CarteReduiteEchelleY) {
        float fx = 0;
        for (int x = 0; x < 128; ++x, fx += CarteReduiteEchelleX) {
            const int px = static_cast<int>(fx) + CarteReduiteDecalageX, py = static_cast<int>(fy) + CarteReduiteDecalageY;
            if (px < 0 || py < 0 || px >= COTE || py >= COTE) continue;
            CarteReduiteImage[py * COTE + px] = CarteReduite_CouleurMatiere(GrilleMatieres[static_cast<size_t>(y * 128 + x)], Altitude(x, y));
        }
    }

    // Shaded through its sprite, using the top-left of the back buffer as scratch.
    if (EcranTampon != nullptr && LargeurEcran >= 20 + COTE && HauteurEcran >= COTE) {
        for (int y = 0; y < COTE; ++y)
            std::memcpy(EcranTampon + static_cast<size_t>(y) * LargeurEcran + 20, CarteReduiteImage + y * COTE, COTE * 2);
        Sprite__AfficheOmbreRGB(OBJET_OMBRAGE, 20, 0, 0, 31, 31, 31);
        for (int y = 0; y < COTE; ++y)
            std::memcpy(CarteReduiteImage + y * COTE, EcranTampon + static_cast<size_t>(y) * LargeurEcran + 20, COTE * 2);
    }

    CarteReduiteCadreLargeur = static_cast<int32_t>((LargeurEcran / 24) * 0.75f);
    CarteReduiteCadreHauteur = static_cast<int32_t>((HauteurEcran / 24) * 0.75f);
}

void CarteReduite_MiseAJour() {
    for (MarqueurCarte& m : CarteReduiteMarqueurs) m.x = -1;
    if (CarteReduiteCalque == nullptr) return;
    std::fill(CarteReduiteCalque, CarteReduiteCalque + COTE * COTE, uint16_t{0});
    if (GrilleUnites != nullptr) {
        float fy = 0;
        for (int y = 0; y < 128; ++y, fy += CarteReduiteEchelleY) {
            float fx = 0;
            for (int x = 0; x < 128; ++x, fx += CarteReduiteEchelleX) {
                const uint16_t c = CouleurCase(x, y);
                const int px = static_cast<int>(fx), py = static_cast<int>(fy);
                if (c != 0 && px >= 0 && py >= 0 && px < COTE && py < COTE) CarteReduiteCalque[py * COTE + px] = c;
            }
        }
    }
    CarteReduite_Cadre();
}

void CarteReduite_Cadre() {
    if (CarteReduiteCalque == nullptr) return;
    const int l = CarteReduiteCadreLargeur, h = CarteReduiteCadreHauteur;
    CarteReduiteCadreX = static_cast<int32_t>(RepereX * 0.75f);
    CarteReduiteCadreY = static_cast<int32_t>(RepereY * 0.75f);
    if (CarteReduiteCadreX >= COTE - l) CarteReduiteCadreX = COTE - 1 - l;
    if (CarteReduiteCadreY >= COTE - h) CarteReduiteCadreY = COTE - 1 - h;
    const int x0 = CarteReduiteCadreX, y0 = CarteReduiteCadreY;
    const auto point = [](int x, int y) {
        if (x >= 0 && y >= 0 && x < COTE && y < COTE) CarteReduiteCalque[y * COTE + x] = BLANC;
    };
    for (int x = x0; x < x0 + l; ++x) {
        point(x, y0);
        point(x, y0 + h);
    }
    for (int y = y0; y <= y0 + h; ++y) {
        point(x0, y);
        point(x0 + l, y);
    }
}

void CarteReduite_Affichage() {
    if (ModeSceneCourant != 3) {
        CarteReduiteX = EcranDestination.clipDroite - 120;
        CarteReduiteY = EcranDestination.clipBas - 120;
    }
    Sprite__Affiche(OBJET_CADRE, CarteReduiteX, CarteReduiteY, 0);
    if (EcranTampon != nullptr && CarteReduiteImage != nullptr && CarteReduiteCalque != nullptr) {
        const int x0 = CarteReduiteX + 5, y0 = CarteReduiteY + 5;
        for (int y = 0; y < COTE; ++y) {
            if (y0 + y < 0 || y0 + y >= HauteurEcran) continue;
            uint16_t* ligne = EcranTampon + static_cast<size_t>(y0 + y) * LargeurEcran;
            for (int x = 0; x < COTE; ++x) {
                if (x0 + x < 0 || x0 + x >= LargeurEcran) continue;
                uint16_t p = CarteReduiteImage[y * COTE + x];
                const uint16_t c = CarteReduiteCalque[y * COTE + x];
                // Each non-zero byte of the overlay replaces the one below.
                if (c & 0x00FF) p = static_cast<uint16_t>((p & 0xFF00) | (c & 0x00FF));
                if (c & 0xFF00) p = static_cast<uint16_t>((p & 0x00FF) | (c & 0xFF00));
                ligne[x0 + x] = p;
            }
        }
    }
    if (ModeSceneCourant == 3) return;
    GroupesSelection__AffichageMiniCarte();
    for (MarqueurCarte& m : CarteReduiteMarqueurs) {
        if (m.x == -1) continue;
        const int x = CarteReduiteX + 5 + m.x * 96 / 128, y = CarteReduiteY + 5 + m.y * 96 / 128;
        if (m.type == 1) Sprite__Affiche(OBJET_MARQUEUR, x, y, m.image);
        else Sprite__AfficheEclaire(OBJET_MARQUEUR, static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<int16_t>(m.image), 31, 31, 31);
        m.image += 2;
        if (m.image > 29) m.image = 0;
    }
}

void CarteReduite_Liberation() {
    delete[] CarteReduiteImage;
    delete[] CarteReduiteCalque;
    CarteReduiteImage = nullptr;
    CarteReduiteCalque = nullptr;
}
