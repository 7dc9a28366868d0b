#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "../arbre_temporaire.h"
#include "foundation/ecran.h"
#include "media/dxdiag.h"
#include "media/tmhorloge.h"
#include "platform/son.h"

TEST(DiagnosticDX, PixelFormats) {
    FormatPixel f555;
    f555.drapeaux = FORMAT_RVB, f555.bitsParPixel = 16;
    f555.masqueRouge = 0x7C00, f555.masqueVert = 0x03E0, f555.masqueBleu = 0x1F;
    AnalyseFormat a;
    ASSERT_TRUE(DX_AnalysePixelFormat(&f555, &a));
    EXPECT_EQ(a.totalBits, 15);   // a 16-bit 5-5-5 display gives 15 RGB bits
    EXPECT_EQ(a.octets, 2);
    EXPECT_EQ(a.decalageRouge, 10);
    EXPECT_EQ(a.bitsVert, 5);
    EXPECT_EQ(DDMgr_RGBBitsOf(&a), 15);

    FormatPixel f8888 = f555;
    f8888.drapeaux = FORMAT_RVB | FORMAT_ALPHA, f8888.bitsParPixel = 32;
    f8888.masqueRouge = 0xFF0000, f8888.masqueVert = 0xFF00, f8888.masqueBleu = 0xFF, f8888.masqueAlpha = 0xFF000000;
    ASSERT_TRUE(DX_AnalysePixelFormat(&f8888, &a));
    EXPECT_EQ(a.totalBits, 32);
    EXPECT_EQ(a.decalageAlpha, 24);
    EXPECT_EQ(DDMgr_RGBBitsOf(&a), 0);

    FormatPixel p8;
    p8.drapeaux = FORMAT_PALETTE8, p8.bitsParPixel = 8;
    ASSERT_TRUE(DX_AnalysePixelFormat(&p8, &a));
    EXPECT_TRUE(a.palette);
    EXPECT_EQ(a.octets, 1);
    FormatPixel p4;
    p4.drapeaux = FORMAT_PALETTE4;
    EXPECT_FALSE(DX_AnalysePixelFormat(&p4, &a));
    EXPECT_TRUE(a.palette);   // untouched
    EXPECT_FALSE(DX_AnalysePixelFormat(nullptr, &a));
}

TEST(DiagnosticDX, DumpAndErrorTexts) {
    ArbreTemporaire arbre;
    TM_LogRAZ();
    ASSERT_TRUE(TM_LogFile("journal.txt"));
    TM_MovieStarted();
    FormatPixel f565;
    f565.drapeaux = FORMAT_RVB, f565.bitsParPixel = 16;
    f565.masqueRouge = 0xF800, f565.masqueVert = 0x07E0, f565.masqueBleu = 0x1F;
    AnalyseFormat a;
    ASSERT_TRUE(DX_AnalysePixelFormat(&f565, &a));
    DX_DumpPixelFormat(&a);
    TM_LogRAZ();
    std::ifstream in("journal.txt");
    std::stringstream s;
    s << in.rdbuf();
    EXPECT_NE(s.str().find("Surface Format :\n\tPalettized                     : no\n\tTotal Bits                     : 16\n"),
              std::string::npos);
    EXPECT_NE(s.str().find("\tGreen\n\t    Bits                       : 6\n\t    Shifts                     : 5\n"
                           "\t    Mask                       :      7e0\n"),
              std::string::npos);
    EXPECT_STREQ(DX_ErrorText("ddmgr", 12, 0x7777), "ddmgr(12): DIRECTX UNKNOWN ERROR!!!\n");
    EXPECT_STREQ(DX_ErrorText("ddmgr", 3, SON_ERREUR_FORMAT), "ddmgr(3): The requested wave format is not supported.\n");
}

TEST(DiagnosticDX, FullScreenModes) {
    struct {
        int l, h, ml, mh;
    } cas[] = {{320, 200, 320, 200}, {320, 201, 320, 240}, {400, 300, 400, 300}, {512, 384, 512, 384},
               {640, 400, 640, 400}, {640, 480, 640, 480}, {800, 600, 800, 600}, {1024, 768, 1024, 768}};
    for (const auto& c : cas) {
        int32_t ml = 0, mh = 0;
        DDMgr_ModeFor(c.l, c.h, &ml, &mh);
        EXPECT_EQ(ml, c.ml);
        EXPECT_EQ(mh, c.mh);
    }
}
