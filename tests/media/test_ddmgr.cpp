#include <gtest/gtest.h>

#include <algorithm>

#include "media/ddmgr.h"
#include "platform/affichage.h"

TEST(GestionnaireAffichage, OwnSurfacesFullScreenAndFallback) {
    DDMgr m;
    DDMgr_Reset(&m);
    EXPECT_EQ(DDMgr_CreateWindow(&m, nullptr), -30);
    DDMgr_SetSize(&m, 1024, 768, 16);
    EXPECT_EQ(DDMgr_CreateWindow(&m, nullptr), -31);
    DDMgr_SetInstance(&m, &m);
    ASSERT_EQ(DDMgr_CreateWindow(&m, nullptr), 0);
    EXPECT_EQ(DDMgr_CreateSurfaces(&m, true), -33);
    EXPECT_EQ(DDMgr_GetRGBBits(&m), 0);
    ASSERT_EQ(DDMgr_SetDirectDraw(&m, nullptr), 0);
    // A display that refuses 1024 x 768 falls back to 640 x 480.
    Affichage_SimulerEchec(true);
    EXPECT_EQ(DDMgr_CreateSurfaces(&m, true), -23);
    Affichage_SimulerEchec(false);
    ASSERT_EQ(DDMgr_CreateSurfaces(&m, true), 0);
    EXPECT_EQ(Affichage_Largeur(), 1024);
    EXPECT_EQ(DDMgr_GetRGBBits(&m), 15);
    ASSERT_NE(m.arriere, nullptr);

    // A frame blitted centred into the back surface, then flipped to the window.
    SurfaceImage* image = nullptr;
    EXPECT_EQ(DDMgr_CreateOffscreen(&m, 4, 2, nullptr), -6);
    ASSERT_EQ(DDMgr_CreateOffscreen(&m, 4, 2, &image), 0);
    std::fill(image->pixels.begin(), image->pixels.end(), 0x7FFF);
    ASSERT_EQ(DDMgr_BltFrame(&m, image), 0);
    EXPECT_EQ(m.arriere->pixels[static_cast<size_t>(383) * m.arriere->pas + 510], 0x7FFF);
    EXPECT_EQ(m.arriere->pixels[static_cast<size_t>(383) * m.arriere->pas + 509], 0);
    const uint64_t avant = Affichage_NombrePresentations();
    ASSERT_EQ(DDMgr_Flip(&m), 0);
    EXPECT_GT(Affichage_NombrePresentations(), avant);
    EXPECT_EQ(DDMgr_BltFrame(&m, nullptr), -6);
    Surface_Liberer(image);
    EXPECT_EQ(DDMgr_ReleaseSurfaces(&m), 0);
    EXPECT_EQ(m.flags, 0u);
}

TEST(GestionnaireAffichage, CallersSurfacesAreNeitherChangedNorReleased) {
    ASSERT_TRUE(Affichage_ModeVideo(640, 480));
    SurfaceImage* primaire = Surface_Creer(640, 480);
    SurfaceImage* arriere = Surface_Creer(640, 480);
    DDMgr m;
    DDMgr_Reset(&m);
    DDMgr_SetInstance(&m, &m);
    DDMgr_SetSize(&m, 512, 384, 16);
    ASSERT_EQ(DDMgr_CreateWindow(&m, nullptr), 0);
    DDMgr_SetDirectDraw(&m, nullptr);
    DDMgr_SetSurfaces(&m, primaire, arriere);
    DDMgr_SetPrimaryGiven(&m, true);
    ASSERT_EQ(DDMgr_SetPixelFormat(&m, nullptr), 0);
    ASSERT_EQ(DDMgr_CreateSurfaces(&m, true), 0);
    EXPECT_EQ(Affichage_Largeur(), 640);   // no mode change
    EXPECT_EQ(m.arriere, arriere);
    DDMgr_ReleaseSurfaces(&m);
    primaire->pixels[0] = 1;   // still ours (the sanitizer would see a use after free)
    arriere->pixels[0] = 1;
    Surface_Liberer(primaire);
    Surface_Liberer(arriere);
}

TEST(AnneauSurfaces, PreviousAndCurrentGoRound) {
    DDMgr m;
    DDMgr_Reset(&m);
    TMSurfaceRing anneau;
    EXPECT_EQ(anneau.Create(&m, 1, 4, 4), -5);
    EXPECT_EQ(anneau.Create(&m, 3, 0, 4), -23);
    ASSERT_EQ(anneau.Create(&m, 3, 4, 2), 0);
    EXPECT_EQ(anneau.previous, 0);
    EXPECT_EQ(anneau.current, 1);
    uint16_t* c = anneau.LockCurrent();
    ASSERT_NE(c, nullptr);
    c[0] = 42;
    anneau.UnlockCurrent();
    SurfaceImage* montree = anneau.CurrentSurface();
    ASSERT_EQ(anneau.ShowCurrent(&m), 0);   // no back surface: presented
    EXPECT_EQ(anneau.entries[anneau.previous], montree);
    EXPECT_EQ(anneau.current, 2);
    EXPECT_EQ(anneau.LockPrevious()[0], 42);
    anneau.UnlockPrevious();
    anneau.Advance();
    EXPECT_EQ(anneau.current, 0);
}
