// A still frame that shows the picture and tile code at work: the intro picture, and over it a
// row of brick tiles lit by different corner lights (opaque ones, then round transparent ones).
#include "foundation/demo_images.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>

#include "foundation/ecran.h"
#include "foundation/erreurs.h"
#include "foundation/image.h"
#include "foundation/tuiles.h"

namespace {

// Brick pattern: mortar (grey indices below 128), bricks (reddish indices from 128 on).
void TuileBriques(std::array<uint8_t, 48 * 48>& texels, bool ronde) {
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) {
            const int decale = (y / 12) % 2 ? 8 : 0;
            const bool mortier = y % 12 == 11 || (x + decale) % 16 == 15;
            uint8_t t = mortier ? static_cast<uint8_t>(60 + (x * 5 + y * 3) % 20)
                                : static_cast<uint8_t>(140 + (x * 7 + y * 13) % 40 + (y % 12) * 4);
            const int dx = 2 * x - 47, dy = 2 * y - 47;
            if (ronde && dx * dx + dy * dy > 46 * 46) t = 0;
            texels[y * 48 + x] = t;
        }
}

// 128 light steps x 256 indices: step 96 is the palette colour, brighter above, darker below.
void TableOmbrageDemo(std::array<uint16_t, 128 * 256>& table) {
    for (int i = 0; i < 256; ++i) {
        int r, g, b;
        if (i < 128) r = g = b = i * 2;
        else r = 150 + (i - 128) / 2, g = 70 + (i - 128) / 3, b = 45;
        for (int pas = 0; pas < 128; ++pas) {
            const auto canal = [pas](int c) { return std::min(31, (c >> 3) * pas / 96); };
            table[pas * 256 + i] = static_cast<uint16_t>(canal(r) << 10 | canal(g) << 5 | canal(b));
        }
    }
}

struct LibererImage {
    void operator()(Image* image) const { Image_Liberation(image); }
};

// The frame is drawn again every frame: the picture is read (or reported missing) once.
std::unique_ptr<Image, LibererImage> intro;   // in the back buffer's format
bool introLue = false;

}  // namespace

void Demo_ImagesLiberer() {
    intro.reset();
    introLue = false;
}

void Demo_ImagesEtTuiles() {
    if (EcranTampon == nullptr) return;
    if (!introLue) {
        introLue = true;
        Image* tga = Image_ChargementTga("..\\images\\Intro.tga");
        if (tga == nullptr) Avertissement("Image", "Chargement impossible");
        else intro.reset(Image_Conversion(tga, FormatEcran555));
        Image_Liberation(tga);
    }
    Image_Copie((LargeurEcran - 640) / 2, (HauteurEcran - 480) / 2, nullptr, intro.get());

    static std::array<uint8_t, 48 * 48> pleine, ronde;
    static std::array<uint16_t, 128 * 256> table;
    static bool construites = false;
    if (!construites) {
        TuileBriques(pleine, false);
        TuileBriques(ronde, true);
        TableOmbrageDemo(table);
        construites = true;
    }
    // Corner lights: top-left, top-right, bottom-left, bottom-right.
    static constexpr int32_t lumieres[12][4] = {
        {96, 96, 96, 96}, {0, 127, 0, 127}, {127, 0, 127, 0}, {0, 0, 127, 127}, {127, 127, 0, 0}, {127, 0, 0, 127},
        {20, 20, 20, 20}, {127, 127, 127, 127}, {0, 96, 96, 0}, {60, 120, 10, 60}, {10, 60, 120, 60}, {96, 40, 40, 96},
    };
    TuileLargeurEcran = LargeurEcran;
    TuileTableOmbrage = table.data();
    TuileY = HauteurEcran - 48 - 24;
    for (int i = 0; i < 12; ++i) {
        TuileX = (LargeurEcran - 12 * 52 + 4) / 2 + i * 52;
        TuileIntensiteHautGauche = lumieres[i][0];
        TuileIntensiteHautDroite = lumieres[i][1];
        TuileIntensiteBasGauche = lumieres[i][2];
        TuileIntensiteBasDroite = lumieres[i][3];
        if (i < 6) {
            TuileTexels = pleine.data();
            Tuile_AffichageGouraud();
        } else {
            TuileTexels = ronde.data();
            Tuile_AffichageGouraud2();
        }
    }
}
