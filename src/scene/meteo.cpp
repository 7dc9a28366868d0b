#include "scene/meteo.h"

#include "foundation/ecran.h"
#include "foundation/objetsgfx.h"
#include "platform/hasard.h"
#include "scene/particules.h"
#include "scene/particules_effets.h"
#include "shell/routeur.h"
#include "shell/trame.h"
#include "world/gestion_objets.h"
#include "world/niveau.h"
#include "world/univers.h"

int32_t VentForce = 2;
int32_t VentDirection = 0;
int32_t VentOscillation = 0;
int32_t VentTourCumul = 0;
uint32_t VentTourMaintenant = 0;
uint32_t VentTourDernier = 0;
int32_t VentOscillationCumul = 0;
uint32_t VentOscillationMaintenant = 0;
uint32_t VentOscillationDernier = 0;

std::array<int32_t, NOMBRE_NUAGES> NuagesX{};
std::array<int32_t, NOMBRE_NUAGES> NuagesY{};
int32_t NuagesNombre = 0;

int32_t HeureDuJour = 0;
int32_t HeureCompteur = 0;
int32_t DureeHeure = 20;
int32_t IntensiteLumineuse = 0;
int32_t CasesNeige = 0;

void Vent__Evolution() {
    VentDirection = (VentDirection % 8 + 8) % 8;
    if (Chrono__Pas(2, 60, &VentTourCumul, &VentTourMaintenant, &VentTourDernier))
        VentDirection = (VentDirection + (Hasard_Visuel() % 2 ? 2 : -2) + 8) % 8;
    if (Chrono__Pas(3, 1, &VentOscillationCumul, &VentOscillationMaintenant, &VentOscillationDernier)) {
        if (VentOscillation == 0) {
            VentDirection = (VentDirection + 1) % 8;
            VentOscillation = 1;
        } else {
            VentDirection = (VentDirection + 7) % 8;
            VentOscillation = 0;
        }
    }
    VentForce = VentDirection >= 3 && VentDirection <= 5 ? 1 : 2;
}

void Vent__RazChronos() {
    VentTourCumul = VentOscillationCumul = 0;
    VentTourMaintenant = VentTourDernier = VentOscillationMaintenant = VentOscillationDernier = HorlogeJeu;
}

void Heure__Evolution() {
    if (ModeSceneCourant == 1) return;
    // At or past the hour: the count lives for the whole run, and a skirmish shortens the hour
    // while it may already be past the new length.
    if (++HeureCompteur < DureeHeure) return;
    HeureCompteur = 0;
    HeureDuJour = (HeureDuJour + 1) % 24;
    if (HeureDuJour < 0) HeureDuJour = 0;
    IntensiteLumineuse = TableIntensite[static_cast<size_t>(HeureDuJour)];
}

void Nuages__Initialisation() {
    for (int i = 0; i < NOMBRE_NUAGES; ++i) {
        if (LargeurEcran + 200 > 0) NuagesX[i] += Hasard_Visuel() % (LargeurEcran + 200) - 100;
        if (HauteurEcran + 200 > 0) NuagesY[i] += Hasard_Visuel() % (HauteurEcran + 200) - 100;
    }
    NuagesNombre = 9;
}

namespace {

int32_t R2() { return Hasard_Visuel() % 2; }
int32_t R4() { return Hasard_Visuel() % 4; }

// The fewest clouds a wind of strength f keeps in use.
int32_t PlancherNuages(int32_t f) {
    switch (f) {
        case 0: return 0;
        case 1: return 6;
        case 2: return 9;
        default: return NOMBRE_NUAGES;
    }
}

void Enroulement() {
    if (NuagesNombre > PlancherNuages(VentForce)) --NuagesNombre;
}

}  // namespace

void Nuages__Deplacement() {
    const int32_t s = VentForce >= 0 && VentForce <= 2 ? 1 : VentForce == 3 ? 2 : 0;
    // The count may drop during the walk: the bound is read again for each cloud.
    for (int i = 0; i < NuagesNombre / 3 && i < NOMBRE_NUAGES; ++i) {
        int32_t& x = NuagesX[i];
        int32_t& y = NuagesY[i];
        switch (VentDirection) {
            case 0: x += R2() + s; y -= R4() + s; break;
            case 1:
            case 2: x += R4() + s; y -= R2() + s; break;
            case 3: x += R4() + s; y += R2() + s; break;
            case 4: x -= R2() + s; y += R4() + s; break;
            case 5:
            case 6: x -= R4() + s; y += R2() + s; break;
            case 7: x -= R4() + s; y -= R2() + s; break;
            default: break;
        }
        if (x > LargeurEcran + 400) {
            x = -400;
            Enroulement();
        }
        if (x < -400) {
            x = LargeurEcran + 400;
            Enroulement();
        }
        if (y > HauteurEcran + 160) {
            y = -160;
            Enroulement();
        }
        if (y < -160) {
            y = HauteurEcran + 160;
            Enroulement();
        }
    }
}

void Nuages__Decalage(int32_t dx, int32_t dy) {
    for (int i = 0; i < NuagesNombre && i < NOMBRE_NUAGES; ++i) {
        NuagesX[i] -= dx;
        NuagesY[i] -= dy;
    }
}

void Nuages__Affichage() {
    for (int i = 0; i < NuagesNombre / 3 && i < NOMBRE_NUAGES; ++i)
        Sprite__AfficheOmbre(OBJET_GFX_NUAGE, static_cast<int16_t>(NuagesX[i]), static_cast<int16_t>(NuagesY[i]), 0);
}

void Neige__CompteCases() {
    CasesNeige = 0;
    for (int32_t r = 0; r < CasesVisiblesY; ++r)
        for (int32_t c = 0; c < CasesVisiblesX; ++c) {
            const int32_t x = RepereX + c, y = RepereY + r;
            if (x >= 0 && x < 128 && y >= 0 && y < 128 && GrilleMatieres[y * 128 + x] == 'N') ++CasesNeige;
        }
}

void Neige__Emission() {
    if (LargeurEcran <= 0 || HauteurEcran <= 0) return;
    // Both points are drawn before either effect starts: an emission leaves the visual stream
    // seeded from the second, which would put every second effect of that second on one point.
    int points[2][2];
    for (auto& p : points) {
        p[1] = Hasard_Visuel() % HauteurEcran;
        p[0] = Hasard_Visuel() % LargeurEcran;
    }
    EffetParticule* const effets[2] = {EffetNeige, EffetNeige2};
    for (int i = 0; i < 2; ++i)
        Particules_Emission(effets[i], PlanParticules2.data(), CAPACITE_PLAN_PARTICULES, &NombreParticules2,
                            points[i][0], points[i][1], 2, 0, 1, -1);
}
