// Machines, creatures and tokens on the bare battle map: live objects written straight into the
// table, the reports of a temporary game tree, and a small back buffer in which numbered sprites
// of 1 x 1 frames draw one pixel whose colour tells the frame.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "arbre_temporaire.h"
#include "foundation/ecran.h"
#include "foundation/ecran_fixture.h"   // FinProgramme
#include "foundation/objetsgfx.h"
#include "foundation/sprites.h"
#include "occupation_fixture.h"
#include "platform/blitter.h"
#include "platform/hasard.h"
#include "platform/plateforme.h"
#include "shell/trame.h"
#include "world/maitres.h"
#include "world/univers.h"

class CreaturesEssai : public CarteEssai {
  protected:
    static constexpr int LARGEUR = 320, HAUTEUR = 240;
    static constexpr uint16_t FOND = (16 << 10) | (16 << 5) | 16;   // mid grey: lit and shaded both show

    ArbreTemporaire arbre;
    std::vector<uint16_t> ecran;
    NoeudEntier noeud{};
    // Every animation of the test objects: six frames in eight directions.
    AnimationInfo animations[NOMBRE_ANIMATIONS] = {};

    void SetUp() override {
        CarteEssai::SetUp();
        Plateforme_Initialiser(OptionsPlateforme{});
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        Hasard_Graine(1);
        RepereX = RepereY = 0;
    }
    void TearDown() override {
        ObjetsGfx_Liberation();
        NbObjetsGfx = 0;
        ObjetCourant = nullptr;
        CarteEssai::TearDown();
    }

    // A live object of the family and master at (x, y), standing still.
    Objet& Vivant(int n, int famille, int maitre, int x, int y, int taille = 1, int couche = 1) {
        Objet& o = Unite(n, x, y, taille, couche);
        o.famille = famille;
        o.typeMaitre = maitre;
        o.indice = n;
        o.noeudListe = &noeud;
        o.cible = o.groupeCible = -1;
        o.compteurEvenement = -1;
        for (AnimationInfo& a : animations) a = {6, 8};
        o.animations = animations;
        o.pointsDeVie = o.pointsDeVieMaximum = 100;
        o.vitesse = 4;
        ObjetCourant = &o;
        return o;
    }

    std::string Rapport() const { return arbre.Existe("Erreur.txt") ? arbre.Lire("Erreur.txt") : ""; }

    // Drawing: the back buffer and the blitter.
    void Ecran() {
        const uint8_t format[7] = {1, 10, 3, 5, 3, 0, 3};
        ASSERT_EQ(SprDll_Init(12, format, nullptr), 0);
        ecran.assign(static_cast<size_t>(LARGEUR) * HAUTEUR, FOND);
        EcranTampon = ecran.data();
        Ecran__Geometrie(LARGEUR, HAUTEUR);
        NbObjetsGfx = NOMBRE_OBJETS_GFX;
        // Only the sprites a test makes are drawn; no other is looked for.
        for (ObjetGfx& objet : TableObjetsGfx) objet.chargementEchoue = 1;
    }
    // The colour of frame f (below 256) of a numbered test sprite: mid channels, so that light
    // added over it still shows.
    static uint16_t Couleur(int f) {
        return static_cast<uint16_t>((((f & 15) + 4) << 10) | ((((f >> 4) & 15) + 4) << 5) | 20);
    }
    // Graphic object g: `images` frames of one pixel each, hot spot on it; frame f has the colour
    // Couleur(f + teinte).
    void Sprite(int g, int images = 200, int teinte = 0) {
        std::vector<ImageBlitter> frames(static_cast<size_t>(images));
        for (int f = 0; f < images; ++f) {
            frames[static_cast<size_t>(f)].largeur = frames[static_cast<size_t>(f)].hauteur = 1;
            frames[static_cast<size_t>(f)].pixels = {Couleur(f + teinte)};
        }
        const auto fichier = Blitter_EncoderFichier(frames, nullptr);
        ObjetGfx& objet = TableObjetsGfx[static_cast<size_t>(g)];
        delete[] objet.sprite;
        objet.sprite = new uint8_t[fichier.size() - 8];
        std::memcpy(objet.sprite, fichier.data() + 8, fichier.size() - 8);
        objet.niveauOmbre = 31;
        objet.chargementEchoue = 0;
    }
    uint16_t At(int x, int y) const { return ecran[static_cast<size_t>(y) * LARGEUR + x]; }
    void Effacer() { std::fill(ecran.begin(), ecran.end(), FOND); }
    // The pixels that are not background, as "x,y" strings.
    std::vector<std::string> Dessines() const {
        std::vector<std::string> v;
        for (int y = 0; y < HAUTEUR; ++y)
            for (int x = 0; x < LARGEUR; ++x)
                if (At(x, y) != FOND) v.push_back(std::to_string(x) + "," + std::to_string(y));
        return v;
    }
};
