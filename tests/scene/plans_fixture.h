// A 640 x 480 back buffer filled with FOND over an empty battle world, graphic objects made of
// plain-coloured rectangles (hot spot at their top-left), and objects set straight into the table
// and the grids. What is drawn on top is read back as the colour of a pixel.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "../world/monde_fixture.h"
#include "foundation/ecran.h"
#include "foundation/listes.h"
#include "foundation/objetsgfx.h"
#include "foundation/sprites.h"
#include "platform/blitter.h"
#include "scene/plans.h"
#include "scene/terrain.h"
#include "shell/trame.h"
#include "world/batiments.h"
#include "world/descriptions.h"
#include "world/grilles.h"
#include "world/maitres.h"
#include "world/objets.h"
#include "world/univers.h"

constexpr uint16_t Couleur(int r, int g, int b) { return static_cast<uint16_t>((r << 10) | (g << 5) | b); }

// One frame of a graphic object: a w x h rectangle of one colour at (dx, dy) from the hot spot.
struct Rectangle {
    int w, h;
    uint16_t couleur;
};

class PlansEcran : public Monde {
  protected:
    static constexpr uint16_t FOND = Couleur(1, 2, 3);
    std::vector<uint16_t> ecran = std::vector<uint16_t>(640 * 480, FOND);
    std::vector<std::vector<uint8_t>> sprites;

    void SetUp() override {
        Monde::SetUp();
        ASSERT_EQ(SprDll_Init(12, BLITTER_FORMAT_555, nullptr), 0);
        EcranTampon = ecran.data();
        Ecran__Geometrie(640, 480);
        Univers__AlloueGrilles();
        Univers__AlloueGrillesBatiments();
        Liste__Creation1(&ListeObjetsVivants, 1);
        RepereX = RepereY = 0;
        Lumiere__Dimensionner();
        // Graphic objects that a test does not make draw nothing.
        NbObjetsGfx = 1400;
        for (ObjetGfx& g : TableObjetsGfx) g.chargementEchoue = 1;
        sprites.reserve(64);
    }
    void TearDown() override {
        for (ObjetGfx& g : TableObjetsGfx) {
            g.sprite = nullptr;
            g.chargementEchoue = 0;
        }
        NbObjetsGfx = 0;
        Liste__Liberer(&ListeObjetsVivants);
        Univers__LibereGrillesBatiments();
        EcranTampon = nullptr;
        SprDll_Free();
        Monde::TearDown();
    }

    // Graphic object n with these frames.
    void Graphique(int n, std::initializer_list<Rectangle> images) {
        std::vector<ImageBlitter> v;
        for (const Rectangle& r : images) {
            ImageBlitter i;
            i.largeur = r.w;
            i.hauteur = r.h;
            i.pixels.assign(static_cast<size_t>(r.w) * r.h, r.couleur);
            v.push_back(i);
        }
        const auto fichier = Blitter_EncoderFichier(v, nullptr);
        sprites.emplace_back(fichier.begin() + 8, fichier.end());
        TableObjetsGfx[static_cast<size_t>(n)].sprite = sprites.back().data();
        TableObjetsGfx[static_cast<size_t>(n)].niveauOmbre = 31;
        TableObjetsGfx[static_cast<size_t>(n)].chargementEchoue = 0;
    }

    // Object i of family f and master t on cell (x, y) of a grid, alive.
    Objet& Poser(int i, int famille, int type, int x, int y, int direction = 0, int32_t* grille = nullptr) {
        Objet& o = TableObjets[static_cast<size_t>(i)];
        o = Objet{};
        o.famille = famille;
        o.typeMaitre = type;
        o.x = x;
        o.y = y;
        o.direction = direction;
        o.indice = i;
        o.actif = 1;
        o.aleaAffichage = 31;
        o.noeudListe = Liste__Empiler(&ListeObjetsVivants, i);
        (grille ? grille : GrilleUnites)[y * 128 + x] = i;
        return o;
    }

    // Building i of master t (orientation 1, the "t" table), its footprint stamped with its index.
    Objet& Batiment(int i, int type, int x, int y) {
        Objet& o = Poser(i, 1, type, x, y, 1);
        const DescriptionBatiment& d = *Batiment__Description(type, 1);
        for (int r = 0; r < d.hauteur; ++r)
            for (int c = 0; c < d.largeur; ++c) GrilleUnites[(y + r) * 128 + x + c] = i;
        for (int s = 0; s < 9; ++s) o.sorts[s] = s < 3 ? s : -1;
        return o;
    }

    uint16_t Pixel(int x, int y) const { return ecran[static_cast<size_t>(y) * 640 + x]; }

    // The whole frame's object passes.
    static void Objets() {
        PlanObjet__RazAffiche();
        PlanObjet__MarquageVisible();
        MoteurAffichage__PlansObjets();
        PlanObjet__FileAffichage();
        PlanObjet__AffichageHaut();
    }
};
