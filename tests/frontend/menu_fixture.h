// The menus in a headless 640 x 480 window over a copy of the sample game's text data, with the
// sprites the asset maker drew and the interface texts read. Frames are run by calling the main
// menu's callback as the menu movie would, 66 ms of manual clock apart.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "arbre_temporaire.h"
#include "foundation/ecran_fixture.h"
#include "foundation/entrees.h"
#include "foundation/objetsgfx.h"
#include "foundation/sprites.h"
#include "frontend/localisation.h"
#include "frontend/menu_principal.h"
#include "frontend/widgets.h"
#include "platform/blitter.h"
#include "platform/temps.h"
#include "shell/routeur.h"

class MenuEcran : public FenetreJeu {
  protected:
    ArbreTemporaire arbre;

    void SetUp() override {
        namespace fs = std::filesystem;
        fs::copy(fs::path(MORVANE_SOURCE_DIR) / "data", arbre.Racine(), fs::copy_options::recursive);
        fs::create_directory_symlink(fs::path(MORVANE_JEU_DIR) / "sprite", arbre.Racine() / "sprite");
        FenetreJeu::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_EQ(SprDll_Init(12, BLITTER_FORMAT_555, nullptr), 0);
        CreationDeLalIsteDesObjetsGfx();
        LocalisationInitialisation();
        Temps_Fixer(1000000);
        ModeJeuCourant = -1;
        EcranDestination.clipGauche = EcranDestination.clipHaut = 0;
        EcranDestination.clipDroite = LargeurEcran;
        EcranDestination.clipBas = HauteurEcran;
    }
    void TearDown() override {
        ObjetsGfx_Liberation();
        FenetreJeu::TearDown();
    }

    // One frame of the menu: the callback's status (0 once the menu ends).
    static int32_t Image() {
        Temps_Avancer(66);
        return CallbackMenuPrincipal(3);
    }
    // Frames until the state is reached (at most n); false if it never was.
    static bool Jusqua(int32_t etat, int n = 100) {
        for (int i = 0; i < n && MenuEtat != etat; ++i)
            if (Image() == 0) return MenuEtat == etat;
        return MenuEtat == etat;
    }
    // Frames until the menu ends; false if it goes on after n.
    static bool JusquaFin(int n = 100) {
        for (int i = 0; i < n; ++i)
            if (Image() == 0) return true;
        return false;
    }
    // A click on the centre of widget i (the button held for one frame, then released).
    static int32_t ClicBouton(int i) {
        const BoutonMenu& b = BoutonsMenu[static_cast<size_t>(i)];
        return Clic(b.x + b.largeur / 2, b.y + b.hauteur / 2);
    }
    static int32_t Clic(int x, int y) {
        SourisX = x;
        SourisY = y;
        BoutonGauche = 1;
        const int32_t r = Image();
        BoutonGauche = 0;
        return r;
    }
    static int32_t Touche(int32_t& drapeau) {
        drapeau = 1;
        return Image();
    }
    // The menu laid out and run to its idle state.
    static void MenuAuRepos(int32_t delai = 30000) {
        MenuPrincipal__Preparation(delai);
        ASSERT_TRUE(Jusqua(0));
    }
};
