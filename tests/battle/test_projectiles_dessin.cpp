// Arrows and boulders drawn with the sample sprites: each faces the way it flies. The frame is
// written as a PNG into the folder MORVANE_CAPTURE names, when it is set.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "arbre_temporaire.h"
#include "battle/projectiles.h"
#include "campaign/variables.h"
#include "foundation/ecran.h"
#include "foundation/ecran_fixture.h"   // FinProgramme
#include "foundation/objetsgfx.h"
#include "foundation/sprites.h"
#include "platform/affichage.h"
#include "platform/plateforme.h"
#include "shell/trame.h"
#include "sprite_essai.h"
#include "world/gestion_objets.h"
#include "world/univers.h"

namespace {

// Launches and gives the record to fill, as a caller finds it (null when nothing flies).
template <typename... Args>
Projectile* Lancer(Args... args) {
    ProjectileLancer(args...);
    return ProjectileQueue;
}

using essai::Rvb;

class DessinProjectiles : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    std::vector<uint16_t> ecran;
    static constexpr uint16_t FOND = Rvb(6, 10, 5);
    static constexpr uint16_t FER = Rvb(22, 23, 25);      // the arrow's head
    static constexpr uint16_t FLAMME = Rvb(31, 29, 12);   // the heart of a burning arrow's flame

    void SetUp() override {
        Plateforme_Initialiser(OptionsPlateforme{});
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        const uint8_t format[7] = {1, 10, 3, 5, 3, 0, 3};
        ASSERT_EQ(SprDll_Init(12, format, nullptr), 0);
        ecran.assign(640 * 480, FOND);
        EcranTampon = ecran.data();
        Ecran__Geometrie(640, 480);
        ReperePixelX = ReperePixelY = 0;
        NiveauArcPrecision = 7;
        FacteurTemps = 1;
        std::string liste = "//liste_des_objets.\n";
        for (int n = 0; n <= 1216; ++n) {
            const char* f = n == 659 ? "projectile_fleche" : n == 663 ? "projectile_fleche_feu" : n == 1216 ? "projectile_boulet" : "-";
            liste += "#define GFX_" + std::to_string(n) + " " + std::to_string(n) + " // " + f + "\n";
        }
        arbre.Ecrire("ini/mv.ini", liste + "//.\n");
        std::filesystem::create_directories(arbre.Racine() / "sprite");
        for (const char* f : {"projectile_fleche", "projectile_fleche_feu", "projectile_boulet"})
            std::filesystem::copy_file(std::filesystem::path(MORVANE_JEU_DIR) / "sprite" / (std::string(f) + ".spr"),
                                       arbre.Racine() / "sprite" / (std::string(f) + ".spr"));
        ASSERT_EQ(CreationDeLalIsteDesObjetsGfx(), 1217);
    }
    void TearDown() override {
        ProjectileViderListe();
        ObjetsGfx_Liberation();
        SprDll_Free();
        EcranTampon = nullptr;
        NiveauArcPrecision = 0;
        Plateforme_Fermer();
    }
};

TEST_F(DessinProjectiles, EachFacesTheWayItFlies) {
    // A ring of 32 arrows (burning ones on odd rows) round the left half, 16 boulders round the
    // right half, each a few steps into its flight.
    struct Vol {
        Projectile* p;
        double ux, uy;
    };
    std::vector<Vol> fleches;
    for (int d = 0; d < 32; ++d) {
        const double a = d * 11.25 * 3.14159265358979 / 180;
        const double ux = std::sin(a), uy = -std::cos(a);
        const int x = 160 + static_cast<int>(std::lround(ux * 110)), y = 240 + static_cast<int>(std::lround(uy * 110));
        Projectile* p = Lancer(x, y, x + static_cast<int>(std::lround(ux * 1000)),
                                         y + static_cast<int>(std::lround(uy * 1000)), 0, 0, PROJECTILE_FLECHE, 1,
                                         d % 2 ? 5 : 0);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->directionImage, d);
        fleches.push_back({p, ux, uy});
    }
    for (int d = 0; d < 16; ++d) {
        const double a = d * 22.5 * 3.14159265358979 / 180;
        const int x = 480 + static_cast<int>(std::lround(std::sin(a) * 100));
        const int y = 240 - static_cast<int>(std::lround(std::cos(a) * 100));
        Projectile* p = Lancer(x, y, x + static_cast<int>(std::lround(std::sin(a) * 1000)),
                                         y - static_cast<int>(std::lround(std::cos(a) * 1000)), 0, 0, PROJECTILE_BOULET, 1, 0);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->directionImage, d);
    }
    // Off the view: not drawn (nor does it wrap round).
    ProjectileLancer(-100, 240, -200, 240, 0, 0, PROJECTILE_FLECHE, 1, 0);
    for (Projectile* p = ProjectileTete; p; p = p->suivant) {
        for (int k = 0; k < 3; ++k) ProjectileAvancer(p);
        p->image = p->imageBase + 5;   // mid-arc
    }
    ProjectileAffichage();
    if (const char* dossier = std::getenv("MORVANE_CAPTURE")) {
        EXPECT_TRUE(Image_EcrirePng555(std::string(dossier) + "/projectiles.png", ecran.data(), 640, 480));
    }

    for (const Vol& v : fleches) {
        // The iron head (the flame of a burning one) lies ahead of the arrow's point, the way it flies.
        const uint16_t tete = v.p->variante == 5 ? FLAMME : FER;
        double sx = 0, sy = 0;
        int n = 0;
        for (int y = -14; y <= 14; ++y)
            for (int x = -14; x <= 14; ++x) {
                const int px = v.p->positionX + x, py = v.p->positionY + y;
                if (ecran[static_cast<size_t>(py) * 640 + px] == tete) {
                    sx += x;
                    sy += y;
                    ++n;
                }
            }
        ASSERT_GT(n, 0) << v.p->directionImage;
        EXPECT_GT((sx * v.ux + sy * v.uy) / n, 5.0) << v.p->directionImage;
    }
    // Boulders cast a shadow down and right of the stone.
    const Projectile* b = ProjectileTete;
    while (b && b->genre != PROJECTILE_BOULET) b = b->suivant;
    ASSERT_NE(b, nullptr);
    EXPECT_NE(ecran[static_cast<size_t>(b->positionY) * 640 + b->positionX], FOND);
    EXPECT_NE(ecran[static_cast<size_t>(b->positionY + 7) * 640 + b->positionX + 7], FOND);
    EXPECT_EQ(ecran[static_cast<size_t>(b->positionY - 7) * 640 + b->positionX - 7], FOND);

}

}  // namespace
