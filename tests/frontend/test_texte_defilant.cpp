// The scrolling texts: one screen's layout of the mark-up at a scroll offset, the animated
// images, and the scroll itself on the manual clock.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/texte.h"
#include "frontend/texte_defilant.h"
#include "frontend/texte_defilant_disposition.h"
#include "menu_fixture.h"
#include "platform/temps.h"

namespace {

class TexteDefilantEcran : public MenuEcran {
  protected:
    std::vector<ElementTexte> elements;

    int Disposer(const std::string& texte, int32_t decalage = 0, int32_t avancer = 0) {
        elements.clear();
        return TexteDefilant__Disposition(texte.c_str(), decalage, avancer, &elements);
    }
    static TailleTexte Taille(const char* texte, int police) {
        const int avant = Texte__LitFonte();
        Texte__ChoixFonte(police);
        TailleTexte t;
        Texte__Taille(texte, &t);
        Texte__ChoixFonte(avant);
        return t;
    }
};

// Each tag at a scroll offset of 40: the alignments, the fonts (9 ignored), the colours in both
// forms and either case, the empty line's 25 pixels, and lines ending in CR LF or LF.
TEST_F(TexteDefilantEcran, MarkUpLaidOutAtAnOffset) {
    const std::string texte =
        "<CENTERED><FONT 3><COLOR 255 0 0>Titre\r\n"
        "\r\n"
        "<left><color 0xFF0000>gauche\n"
        "<RIGHT><FONT 9><COLOR 0x00FF00>droite<BIDULE 1 2>\n"
        "<Centered><Color 0 0 255>fin\n";
    ASSERT_EQ(Disposer(texte, 40), 0);
    ASSERT_EQ(elements.size(), 4u);
    const TailleTexte titre = Taille("Titre", 3), gauche = Taille("gauche", 3), droite = Taille("droite", 3),
                      fin = Taille("fin", 3);
    struct Attendu {
        const char* texte;
        int32_t x, y;
        uint32_t couleur;
        int32_t police;
    } attendus[] = {
        {"Titre", (640 - titre.largeur) / 2, 10 - 40, 0x0000FF, 3},
        {"gauche", 10, 10 + titre.hauteur + 5 + 25 - 40, 0x0000FF, 3},
        {"droite", 640 - (droite.largeur + 10), 10 + titre.hauteur + 5 + 25 + gauche.hauteur + 5 - 40, 0x00FF00, 3},
        {"fin", (640 - fin.largeur) / 2, 10 + titre.hauteur + 5 + 25 + gauche.hauteur + 5 + droite.hauteur + 5 - 40,
         0xFF0000, 3},
    };
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(attendus[i].texte);
        EXPECT_EQ(elements[i].genre, ElementTexte::LIGNE);
        EXPECT_EQ(elements[i].texte, attendus[i].texte);
        EXPECT_EQ(elements[i].x, attendus[i].x);
        EXPECT_EQ(elements[i].y, attendus[i].y);
        EXPECT_EQ(elements[i].couleur, attendus[i].couleur);
        EXPECT_EQ(elements[i].police, attendus[i].police);
    }
}

// The result says whether the end is still at or below the bottom: 1 until y + 25 - offset
// falls under the screen's 480 lines. Twenty empty lines end at y 510.
TEST_F(TexteDefilantEcran, EndOfTheTextAgainstTheBottom) {
    const std::string vide(20, '\n');
    EXPECT_EQ(Disposer(vide, 0), 1);
    EXPECT_EQ(Disposer(vide, 55), 1);   // 510 + 25 - 55 = 480
    EXPECT_EQ(Disposer(vide, 56), 0);
    EXPECT_EQ(Disposer("", 0), 0);
    // A last line with no line end is still shown.
    Disposer("<LEFT>sans fin de ligne");
    ASSERT_EQ(elements.size(), 1u);
    EXPECT_EQ(elements[0].texte, "sans fin de ligne");
}

// An image sets the step of the line after it to its height + 5 when taller than 25; it is
// aligned like text; an unknown name, or an unclosed tag, draws nothing and does not crash.
TEST_F(TexteDefilantEcran, ImagesAndTheLineStep) {
    // The logo (graphic object EMPIRE___LEVIATHAN) is far taller than 25 pixels.
    ASSERT_EQ(Disposer("<CENTERED><IMG EMPIRE___LEVIATHAN>\n\n<LEFT>a\n"), 0);
    ASSERT_EQ(elements.size(), 2u);
    ASSERT_EQ(elements[0].genre, ElementTexte::IMAGE);
    EXPECT_EQ(elements[0].y, 10);
    EXPECT_EQ(elements[0].image, 0);
    ObjetGfx* logo = ObjetGfx_Pret(elements[0].objet);
    ASSERT_NE(logo, nullptr);
    int32_t taille[2] = {};
    Spr_Getz(logo->sprite, &EcranDestination, 0, 0, 0, taille);
    ASSERT_GT(taille[1], 25);
    EXPECT_EQ(elements[0].x, (640 - taille[0]) / 2);
    // The image's line end moves y by its height + 5; the empty line after it by 25 again.
    EXPECT_EQ(elements[1].y, 10 + taille[1] + 5 + 25);

    EXPECT_EQ(Disposer("<IMG PAS_UN_OBJET 3>\n<IMG>\n<FONT 2"), 0);
    EXPECT_TRUE(elements.empty());
}

// Each animated image keeps its frame between screens by its order in the text: the first
// screen shows frame n - 1, each tick moves it on and it wraps to 0 at n.
TEST_F(TexteDefilantEcran, AnimatedImagesByOrder) {
    Texte__AnimationsRAZ();
    const std::string texte = "<IMG EMPIRE___SOLDAT 3><IMG EMPIRE___SOLDAT>\n<IMG EMPIRE___ARCHER 2>\n";
    const auto images = [&](int32_t avancer) {
        Disposer(texte, 0, avancer);
        std::vector<int32_t> v;
        for (const ElementTexte& e : elements) v.push_back(e.image);
        return v;
    };
    EXPECT_EQ(images(0), (std::vector<int32_t>{2, 0, 1}));
    EXPECT_EQ(images(0), (std::vector<int32_t>{2, 0, 1}));
    EXPECT_EQ(images(1), (std::vector<int32_t>{0, 0, 0}));
    EXPECT_EQ(images(1), (std::vector<int32_t>{1, 0, 1}));
    EXPECT_EQ(images(1), (std::vector<int32_t>{2, 0, 0}));
}

// A line keeps 260 characters; the rest is dropped, the tags after them still act.
TEST_F(TexteDefilantEcran, LongLineCut) {
    const std::string longue(1000, 'x');
    Disposer("<LEFT>" + longue + "<COLOR 255 0 0>y\nz\n");
    ASSERT_EQ(elements.size(), 2u);
    EXPECT_EQ(elements[0].texte, std::string(260, 'x'));
    EXPECT_EQ(elements[1].couleur, 0x0000FFu);
}

// Drawing restores the caller's font and colour, and writes the text's pixels in its colour.
TEST_F(TexteDefilantEcran, DrawingKeepsTheCallersFont) {
    Texte__ChoixFonte(4);
    Texte__Couleur(0x123456);
    std::memset(EcranTampon, 0, 640 * 480 * 2);
    EXPECT_EQ(Texte__AffichageBalise("<COLOR 255 0 0>MMMM\n", 0, 0), 0);
    EXPECT_EQ(Texte__LitFonte(), 4);
    EXPECT_EQ(Texte__LitCouleur(), 0x123456u);
    int rouges = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x) rouges += Pixel(x, y) == 0x7C00;
    EXPECT_GT(rouges, 10);
}

// The scroll on the manual clock: a missing file returns at once and draws nothing; a text
// shorter than the screen shows one frame, waits 1 s, and 1 s more at the end.
TEST_F(TexteDefilantEcran, ShortAndMissingTexts) {
    std::memset(EcranTampon, 0x55, 640 * 480 * 2);
    const uint32_t debut = Temps_Ticks();
    TexteDefilant("..\\localisation\\absent.txt", 50);
    EXPECT_EQ(Temps_Ticks(), debut);
    EXPECT_EQ(Pixel(320, 240), 0x5555);

    arbre.Ecrire("localisation/court.txt", "<CENTERED>Court\n");
    TexteDefilant("..\\localisation\\court.txt", 50);
    EXPECT_GE(Temps_Ticks() - debut, 2000u);
    EXPECT_LT(Temps_Ticks() - debut, 2100u);
    EXPECT_EQ(Pixel(320, 240), 0);
}

// A long text scrolls at speed / 50 pixels each 20 ms until its end has risen into view;
// Escape ends it early.
TEST_F(TexteDefilantEcran, ScrollsToItsEndOrEscape) {
    // 100 empty lines end at y 2510: the end is in view from an offset of 2056.
    arbre.Ecrire("localisation/long.txt", std::string(100, '\n'));
    uint32_t debut = Temps_Ticks();
    TexteDefilant("..\\localisation\\long.txt", 50);
    const uint32_t duree = Temps_Ticks() - debut;
    // 2056 steps of 1 pixel, each at least 20 ms apart, and the two seconds of pause.
    EXPECT_GE(duree, 2000u + 2056u * 20u);
    EXPECT_LT(duree, 2000u + 2056u * 22u + 200u);

    debut = Temps_Ticks();
    ToucheEchap = 1;   // a press before the text does not end it
    Plateforme_InjecterTouche(0x1B, true);
    Plateforme_InjecterTouche(0x1B, false);
    TexteDefilant("..\\localisation\\long.txt", 50);
    EXPECT_LT(Temps_Ticks() - debut, 2200u);
    EXPECT_EQ(ToucheEchap, 0);
}

}  // namespace
