// A scene of the sample game drawn into a 640 x 480 back buffer of our own, first filled with
// FOND so that what was not drawn shows; with MORVANE_CAPTURES set to a folder, Capturer writes
// the frame there as a PNG image.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "../battle/passe_bataille.h"
#include "../world/scene_fixture.h"
#include "battle/deplacement.h"
#include "battle/ia.h"
#include "battle/impacts.h"
#include "battle/projectiles.h"
#include "battle/simulation.h"
#include "foundation/ecran.h"
#include "foundation/objetsgfx.h"
#include "foundation/sprites.h"
#include "platform/affichage.h"
#include "platform/blitter.h"
#include "platform/temps.h"
#include "shell/cycles.h"
#include "shell/trame.h"
#include "world/gestion_objets.h"
#include "world/mort.h"

class SceneEcran : public Scene {
  protected:
    static constexpr uint16_t FOND = 0x1234;
    std::vector<uint16_t> ecran = std::vector<uint16_t>(640 * 480, FOND);

    void AvantChargement() override {
        EcranTampon = ecran.data();
        LargeurEcran = 640;
        HauteurEcran = 480;
        ASSERT_EQ(SprDll_Init(12, BLITTER_FORMAT_555, nullptr), 0);
    }
    void TearDown() override {
        Scene::TearDown();
        ObjetsGfx_Liberation();
        SprDll_Free();
        EcranTampon = nullptr;
    }
    void Capturer(const char* nom) const {
        if (const char* dossier = std::getenv("MORVANE_CAPTURES"))
            Image_EcrirePng555(std::string(dossier) + "/" + nom + ".png", ecran.data(), 640, 480);
    }
    // A battle started on `niveau`, lit, with the computer leading every army.
    bool DemarrerBataille(const char* niveau) {
        std::snprintf(NomNiveauBataille, sizeof NomNiveauBataille, "%s", niveau);
        if (!Demarrer()) return false;
        LumiereActive = 1;
        SimulationCompteur = 0;
        SimulationInitialisee = 0;
        IAActive = 1;
        TricheIAJoueur = 1;
        return true;
    }
    // One logic pass of the battle between two drawn frames (as the battle runner runs it), the
    // game clock following the manual one; `avantProjectiles` runs just before the projectiles fly.
    static void PasseDessinee(const std::function<void()>& avantProjectiles = {}) {
        PasseBataille(avantProjectiles);
        HorlogeJeu = Temps_Ticks();
    }
};
