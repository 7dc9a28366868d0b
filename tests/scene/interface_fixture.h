// The battle interface over the sample game: a headless window with its fonts and 640 x 480 back
// buffer, the sample sprites and interface texts, and the masters loaded; a test makes the sample
// level's world (Creer) or starts its battle (Demarrer). With MORVANE_CAPTURES set to a folder, Capturer writes the back buffer there as a PNG.
#pragma once

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "../world/scene_fixture.h"
#include "../foundation/entrees_injectees.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/fenetre.h"
#include "foundation/objetsgfx.h"
#include "foundation/polices.h"
#include "foundation/sprites.h"
#include "frontend/localisation.h"
#include "platform/affichage.h"
#include "platform/blitter.h"
#include "world/groupes.h"
#include "world/objets.h"

class Interface : public Scene {
  protected:
    void AvantChargement() override {
        ASSERT_EQ(Fenetre_Creation(nullptr), 1);
        ASSERT_EQ(Polices_Creation(nullptr), 1);
        ASSERT_EQ(SprDll_Init(12, BLITTER_FORMAT_555, nullptr), 0);
        PomperMessages();   // the activation of the new window, so that frames are presented
        ASSERT_EQ(ApplicationActive, 1);
    }
    void SetUp() override {
        Scene::SetUp();
        if (HasFatalFailure()) return;
        LocalisationInitialisation();
        Remplir(0);
    }
    void TearDown() override {
        Scene::TearDown();
        ObjetsGfx_Liberation();
        SprDll_Free();
        Plateforme_Fermer();
    }

    static void Remplir(uint16_t valeur) { std::fill(EcranTampon, EcranTampon + 640 * 480, valeur); }
    static uint16_t Pixel(int x, int y) { return EcranTampon[static_cast<size_t>(y) * 640 + static_cast<size_t>(x)]; }
    static std::vector<uint16_t> Copie() { return std::vector<uint16_t>(EcranTampon, EcranTampon + 640 * 480); }
    // Pixels of the rectangle that differ from `avant`.
    static int Changes(const std::vector<uint16_t>& avant, int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += Pixel(x, y) != avant[static_cast<size_t>(y) * 640 + static_cast<size_t>(x)];
        return n;
    }
    static void Capturer(const char* nom) {
        if (const char* dossier = std::getenv("MORVANE_CAPTURES")) {
            EXPECT_TRUE(Image_EcrirePng555(std::string(dossier) + "/" + nom + ".png", EcranTampon, 640, 480));
        }
    }
    // The 120 x 120 pixels from (x0, y0) four times as large.
    static void CapturerLoupe(const char* nom, int x0, int y0) {
        if (const char* dossier = std::getenv("MORVANE_CAPTURES")) {
            std::vector<uint16_t> loupe(480 * 480);
            for (int y = 0; y < 480; ++y)
                for (int x = 0; x < 480; ++x) loupe[static_cast<size_t>(y) * 480 + static_cast<size_t>(x)] = Pixel(x0 + x / 4, y0 + y / 4);
            EXPECT_TRUE(Image_EcrirePng555(std::string(dossier) + "/" + nom + ".png", loupe.data(), 480, 480));
        }
    }
    // The groups of army a, oldest first.
    std::vector<int> GroupesArmee(int a) const {
        std::vector<int> g;
        for (NoeudEntier* n = ListeGroupesActifs; n && n->suivant; n = n->suivant) {
            const Groupe& groupe = TableGroupes[static_cast<size_t>(n->valeur)];
            if (groupe.nbMembres > 0 && TableObjets[static_cast<size_t>(groupe.membres[0])].armee == a) g.insert(g.begin(), n->valeur);
        }
        return g;
    }
    static void Selectionner(const std::vector<int>& groupes) {
        NombreGroupesSelectionnes = 0;
        for (int g : groupes) GroupesSelectionnes[static_cast<size_t>(NombreGroupesSelectionnes++)] = g;
        GroupeEnSelection = groupes.empty() ? -1 : groupes[0];
    }
    static Objet& Premier(int g) { return TableObjets[static_cast<size_t>(TableGroupes[static_cast<size_t>(g)].membres[0])]; }
};
