// Full-screen pictures: the fades end on the whole picture, the wait ends on a key, a missing
// picture is fatal or a warning by the form used.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/test_image_outils.h"
#include "foundation/ecran_fixture.h"
#include "foundation/entrees.h"
#include "foundation/image.h"
#include "platform/affichage.h"
#include "shell/images.h"

namespace {

class Images : public FenetreJeu {
  protected:
    ArbreTemporaire arbre;
    static constexpr int L = 64, H = 48;
    void SetUp() override {
        FenetreJeu::SetUp();
        const auto tga = FichierTga(EnteteTga{.largeur = L, .hauteur = H},
                                    RangeesTga24(L, H, [](int x, int y) { return uint32_t(0x102030 + x * 0x030000 + y * 0x0300); }));
        arbre.Ecrire("Images/essai.tga", std::string(tga.begin(), tga.end()));
        Image* brute = Image_ChargementTga("..\\Images\\essai.tga");
        ASSERT_NE(brute, nullptr);
        Image* image = Image_Conversion(brute, FormatEcran555);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < L; ++x)
                attendue.push_back(reinterpret_cast<const uint16_t*>(image->pixels + y * image->octetsParLigne)[x]);
        Image_Liberation(brute);
        Image_Liberation(image);
    }
    // The picture as it stands in the back buffer at (x0, y0).
    bool Entiere(int x0, int y0) const {
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < L; ++x)
                if (EcranTampon[(y0 + y) * LargeurEcran + x0 + x] != attendue[static_cast<size_t>(y * L + x)]) return false;
        return true;
    }
    static bool Noir() {
        for (int i = 0; i < LargeurEcran * HauteurEcran; ++i)
            if (EcranTampon[i]) return false;
        return true;
    }
    std::vector<uint16_t> attendue;
};

TEST_F(Images, FonduEntrantFinitSurLImageEntiere) {
    for (int duree : {500, 35, 1, 0}) {
        std::fill(EcranTampon, EcranTampon + LargeurEcran * HauteurEcran, uint16_t{0});
        const uint32_t debut = Temps_Ticks();
        const uint64_t presentations = Affichage_NombrePresentations();
        chargerBitmap("..\\Images\\essai.tga", duree);
        EXPECT_TRUE(Entiere(0, 0)) << duree;
        EXPECT_GE(Temps_Ticks() - debut, static_cast<uint32_t>(duree)) << duree;
        EXPECT_LT(Temps_Ticks() - debut, static_cast<uint32_t>(duree) + 10) << duree;
        // One frame per 10 ms of the fade.
        EXPECT_EQ(Affichage_NombrePresentations() - presentations, static_cast<uint64_t>((duree + 9) / 10)) << duree;
    }
}

TEST_F(Images, EspacePendantLAttenteLanceLeFonduSortant) {
    MargeDroiteEfface = 1;
    ToucheEspace = 1;   // an old press does not count: the flags are cleared first
    Plateforme_InjecterTouche(TOUCHE_ESPACE, true);
    Plateforme_InjecterTouche(TOUCHE_ESPACE, false);
    const uint32_t debut = Temps_Ticks();
    Image__AffichageFondu("..\\Images\\essai.tga", 100);
    // In, a wait of one turn, out: about 200 ms; the screen left black, the flags cleared.
    EXPECT_GE(Temps_Ticks() - debut, 200u);
    EXPECT_LT(Temps_Ticks() - debut, 240u);
    EXPECT_TRUE(Noir());
    EXPECT_EQ(ToucheEspace, 0);
    EXPECT_EQ(MargeDroiteEfface, 1);
    EXPECT_EQ(QuitterJeu, 0);
}

TEST_F(Images, SansAttenteLImageEstCentree) {
    MissionsSpeciales__Image("..\\Images\\essai.tga", 50);
    EXPECT_TRUE(Entiere((LargeurEcran - L) / 2, (HauteurEcran - H) / 2));
}

TEST_F(Images, ImageAbsenteFataleOuAvertissement) {
    testing::internal::CaptureStderr();
    Image__AffichageFondu("..\\Images\\absente.tga", 100);
    MissionsSpeciales__Image("..\\Images\\absente.tga", 100);
    const std::string sortie = testing::internal::GetCapturedStderr();
    EXPECT_NE(sortie.find("Image__AffichageFondu(): Chargement image impossible"), std::string::npos) << sortie;
    EXPECT_NE(sortie.find("MissionsSpeciales__Image(): Chargement image impossible"), std::string::npos) << sortie;
    EXPECT_FALSE(arbre.Existe("Erreur.txt"));
    struct Cas {
        void (*appel)();
        const char* rapport;
    };
    const Cas cas[] = {
        {[] { Image__Affichage("..\\Images\\%s.tga", "absente"); }, "..\\Images\\absente.tga: Chargement impossible"},
        {[] { chargerBitmap("..\\Images\\absente.tga", 100); }, "chargerBitmap(): chargement impossible"},
    };
    for (const Cas& c : cas) {
        testing::internal::CaptureStderr();
        try {
            c.appel();
            ADD_FAILURE() << "returned: " << c.rapport;
        } catch (const FinProgramme& fin) {
            EXPECT_EQ(fin.code, 1);
        }
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(arbre.Lire("Erreur.txt"), c.rapport);
    }
}

}  // namespace
