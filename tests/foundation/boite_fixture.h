// A headless game with what the message boxes draw with: a small graphic object list whose box,
// buttons, cursor, sprite font and tooltip are plain coloured blocks, the sprite library, the
// fonts and a 640 x 480 back buffer. The main window's procedure is the game's, except that a
// paint message keeps a copy of the last presented frame (what the box showed).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arbre_temporaire.h"
#include "ecran_fixture.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/fenetre.h"
#include "foundation/objetsgfx.h"
#include "foundation/polices.h"
#include "foundation/sprites.h"
#include "platform/affichage.h"
#include "platform/blitter.h"
#include "platform/plateforme.h"
#include "platform/temps.h"

namespace boite {

// Colours of the blocks, 5-5-5.
constexpr uint16_t BOITE = 0x001F;            // 791, blue
constexpr uint16_t QUESTION = 0x0010;         // 793, dark blue
constexpr uint16_t OK = 0x7FE0;               // 792, yellow
constexpr uint16_t NON = 0x7C00;              // 794 frame 0, red
constexpr uint16_t OUI = 0x03E0;              // 794 frame 1, green
constexpr uint16_t CURSEUR = 0x7FFF;          // 19
constexpr int IMAGES_POLICE = 128;            // 15: frame c is an 8 x 8 block of colour c
constexpr uint16_t BULLE[3] = {0x4210, 0x2108, 0x6318};   // 1294 frames 0, 1, 2 (32 x 20)

inline std::vector<uint16_t> Derniere;   // the frame the paint message saw

inline intptr_t Procedure(HandleFenetre f, uint32_t message, ParamMot w, ParamLong l) {
    if (message == MSG_PEINTURE) {
        int largeur = 0, hauteur = 0;
        Derniere = Affichage_DerniereImage(&largeur, &hauteur);
        return 0;
    }
    return Fenetre_Procedure(f, message, w, l);
}

inline ImageBlitter Bloc(int largeur, int hauteur, int32_t couleur) {
    ImageBlitter i;
    i.largeur = largeur;
    i.hauteur = hauteur;
    i.pixels.assign(static_cast<size_t>(largeur) * hauteur, couleur);
    return i;
}

}  // namespace boite

class BoiteJeu : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;

    // Each graphic object of the list and its file; the rest are "vide".
    virtual std::string FichierObjet(int n) {
        switch (n) {
            case 15: return "police";
            case 19: return "curseur";
            case 791: return "boite";
            case 792: return "ok";
            case 793: return "question";
            case 794: return "ouinon";
            case 1294: return "bulle";
            default: return "vide";
        }
    }

    // Tests run with the script's end leaving the queue empty; a fixture may close instead.
    virtual OptionsPlateforme Options() { return {}; }

    void SetUp() override {
        using namespace boite;
        std::string liste = "//liste_des_objets.\n";
        for (int n = 0; n <= 1294; ++n)
            liste += "#define GFX_" + std::to_string(n) + " " + std::to_string(n) + " // " + FichierObjet(n) + "\n";
        arbre.Ecrire("ini/mv.ini", liste + "//.\n");
        Sprite("vide", {Bloc(1, 1, -1)});
        Sprite("boite", {Bloc(448, 166, BOITE)});
        Sprite("question", {Bloc(448, 166, QUESTION)});
        Sprite("ok", {Bloc(36, 36, OK)});
        Sprite("ouinon", {Bloc(36, 36, NON), Bloc(36, 36, OUI)});
        Sprite("curseur", {Bloc(4, 4, CURSEUR)});
        std::vector<ImageBlitter> police;
        for (int c = 0; c < IMAGES_POLICE; ++c) police.push_back(Bloc(8, 8, c == 0 ? -1 : c));
        Sprite("police", police);
        Sprite("bulle", {Bloc(32, 20, BULLE[0]), Bloc(32, 20, BULLE[1]), Bloc(32, 20, BULLE[2])});

        ASSERT_TRUE(Plateforme_Initialiser(Options()));
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        ASSERT_TRUE(Fenetre_EnregistrerClasse("ESSAI", Procedure));
        FenetrePrincipale = Fenetre_Creer("ESSAI", "MORVANE", 0, 0, 640, 480);
        ASSERT_NE(FenetrePrincipale, nullptr);
        TableTexteFondu_Construction();
        ASSERT_EQ(Polices_Creation(nullptr), 1);
        const uint8_t format[7] = {1, 10, 3, 5, 3, 0, 3};
        ASSERT_EQ(SprDll_Init(12, format, nullptr), 0);
        CreationDeLalIsteDesObjetsGfx();
        ASSERT_EQ(NbObjetsGfx, 1295);
        Pomper();   // the activation
        ASSERT_EQ(ApplicationActive, 1);
        Remplir(0x0C63);
    }
    void TearDown() override {
        ObjetsGfx_Liberation();
        SprDll_Free();
        Plateforme_Fermer();
    }

    void Sprite(const std::string& nom, const std::vector<ImageBlitter>& images) {
        auto octets = Blitter_EncoderFichier(images, nullptr);
        arbre.Ecrire("sprite/" + nom + ".spr", std::string(octets.begin(), octets.end()));
    }
    static void Pomper() {
        Message m;
        while (!ApplicationActive && Message_Attente(&m)) {
            if (!Message_Lire(&m)) continue;
            Message_Distribuer(&m);
        }
    }
    static void Remplir(uint16_t c) { std::fill(EcranTampon, EcranTampon + LargeurEcran * HauteurEcran, c); }
    static std::vector<uint16_t> Ecran() { return {EcranTampon, EcranTampon + LargeurEcran * HauteurEcran}; }
    static uint16_t Pixel(int x, int y) { return EcranTampon[y * LargeurEcran + x]; }
    static uint16_t Vu(int x, int y) { return boite::Derniere.at(static_cast<size_t>(y) * LargeurEcran + x); }

    // Input as the player gives it, queued before the box runs.
    static void Clic(int x, int y) {
        Plateforme_InjecterSouris(x, y);
        Plateforme_InjecterBouton(true, true);
        Plateforme_InjecterBouton(true, false);
    }
    static void Retour() {
        Plateforme_InjecterTouche(TOUCHE_ENTREE, true);
        Plateforme_InjecterTouche(TOUCHE_ENTREE, false);
    }
    // The box presents once per message: a paint after the input looks at what it showed.
    static void Regarder() { Message_Poster(FenetrePrincipale, MSG_PEINTURE, 0, 0); }
    // Takes what is left in the queue, undispatched. A marker goes in first: peeking at an empty
    // headless queue would let the platform post the close.
    static std::vector<uint32_t> Restants() {
        constexpr uint32_t MARQUE = MSG_APPLICATION + 77;
        Message_Poster(FenetrePrincipale, MARQUE, 0, 0);
        std::vector<uint32_t> r;
        Message m;
        while (Message_Lire(&m) && m.message != MARQUE) r.push_back(m.message);
        return r;
    }
    static bool FileVide() { return Restants().empty(); }
};
