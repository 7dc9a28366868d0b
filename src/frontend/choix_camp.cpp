#include "frontend/choix_camp.h"

#include <cstring>
#include <vector>

#include "campaign/campagne.h"
#include "campaign/gestion_armee.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/objetsgfx.h"
#include "shell/demarrage.h"
#include "shell/images.h"

const ZoneCamp ZonesCamps[4] = {
    {95, 230, 49, 203, "..\\Images\\Lumiere.tga", 2, {2, 1, 3, 0}, 4},
    {417, 531, 49, 217, "..\\Images\\Empire.tga", 0, {0, 2, 3, 1}, 3},
    {119, 200, 290, 408, "..\\Images\\Justice.tga", 1, {1, 2, 3, 0}, 2},
    {425, 520, 308, 393, "..\\Images\\Morvane.tga", 3, {3, 2, 1, 0}, 1},
};

namespace {

constexpr int OBJET_POINTEUR = 19;

using Ecran = std::vector<uint16_t>;

Ecran Copie() {
    return EcranTampon ? Ecran(EcranTampon, EcranTampon + static_cast<size_t>(LargeurEcran) * HauteurEcran) : Ecran();
}

void Poser(const Ecran& e) {
    if (EcranTampon && e.size() == static_cast<size_t>(LargeurEcran) * HauteurEcran)
        std::memcpy(EcranTampon, e.data(), e.size() * 2);
}

// The faction pictures, each drawn the first time its figure is hovered and kept until the end.
Ecran vues[4];

}  // namespace

const std::vector<uint16_t>& ChoixCamp__Vue(int z, const std::vector<uint16_t>& base) {
    Ecran& vue = vues[z < 0 || z > 3 ? 3 : z];
    if (vue.empty()) {
        Poser(base);
        Image__Affichage("%s", ZonesCamps[z < 0 || z > 3 ? 3 : z].image);
        vue = Copie();
    }
    return vue;
}

void ChoixCamp__Liberation() {
    for (Ecran& v : vues) Ecran().swap(v);
}

int ChoixCamp__Zone(int32_t x, int32_t y) {
    for (int z = 0; z < 4; ++z)
        if (x >= ZonesCamps[z].x0 && x < ZonesCamps[z].x1 && y >= ZonesCamps[z].y0 && y < ZonesCamps[z].y1) return z;
    return -1;
}

int ChoixCamp__Appliquer(int z) {
    const ZoneCamp& zone = ZonesCamps[z < 0 || z > 3 ? 3 : z];
    CampDuJoueur = zone.camp;
    for (int i = 0; i < 4; ++i) CampParJoueur[i] = zone.fichiers[i];
    return zone.campagne;
}

int ChoixCamp() {
    CampagneCommencee = 1;
    Configuration__Ecriture();
    Ecran_ModeVideo(640, 480);
    chargerBitmap("..\\Images\\Fond.tga", 500);
    const Ecran base = Copie();
    ChoixCamp__Liberation();
    int choix = -1;
    while (choix < 0) {
        int code = 0;
        if (EcranModal__Message(&code) < 0) {
            // The quit message: campaign 1, as Escape, and the quit goes on.
            choix = 3;
            break;
        }
        Poser(base);
        const int z = ChoixCamp__Zone(SourisX, SourisY);
        if (z >= 0) {
            Poser(ChoixCamp__Vue(z, base));
            if (ClicGauche) choix = z;
        }
        ClicGauche = 0;
        // Escape gives campaign 1, with its own faction (not the tutorial's).
        if (ToucheEchap) {
            ToucheEchap = 0;
            choix = 3;
        }
        Sprite__Affiche(OBJET_POINTEUR, SourisX, SourisY, 0);
        Ecran_Affichage();
    }
    ChoixCamp__Liberation();
    return ChoixCamp__Appliquer(choix);
}
