#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/blitter.h"
#include "platform/octets.h"
#include "sprite_essai.h"

namespace {

using essai::Rvb;

template <class T>
T Routine(const char* nom) {
    size_t n = 0;
    const ExportBibliotheque* e = Blitter_Exports(&n);
    for (size_t i = 0; i < n; ++i)
        if (std::strcmp(e[i].nom, nom) == 0) return reinterpret_cast<T>(e[i].routine);
    return nullptr;
}

constexpr uint16_t FOND = Rvb(10, 10, 10);

// A target of w x h pixels, pitch `pas`, clipped to the w x h rectangle, filled with FOND.
struct Cible {
    std::vector<uint16_t> pixels;
    CibleBlitter c;
    Cible(int w, int h, int pas) : pixels(static_cast<size_t>(pas) * h, FOND) {
        c.pixels = pixels.data();
        c.pas = pas;
        c.clipBas = h;
        c.clipDroite = w;
        c.hauteur = h;
    }
    uint16_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * c.pas + x]; }
};

class Blitter : public ::testing::Test {
  protected:
    std::vector<uint8_t> sprite = essai::EnMemoire(essai::FichierIndexe());
    BlitAff aff = Routine<BlitAff>("AFF_SPR");
    BlitAffTrs trs = Routine<BlitAffTrs>("AFF_SPRTRS");
    BlitAff trs50 = Routine<BlitAff>("AFF_SPRTRS50");
    BlitAff alpha = Routine<BlitAff>("AFF_SPRALPHA");
    BlitAffRgb ecl = Routine<BlitAffRgb>("AFF_SPRECL");
    BlitAffRgb omb = Routine<BlitAffRgb>("AFF_SPROMB");
    BlitRepal repal = Routine<BlitRepal>("SPR_REPAL");
    BlitOmbrePal ombrePal = Routine<BlitOmbrePal>("SPR_OMBREPAL");
};

TEST_F(Blitter, TwentyExportsAndTheEncodedSpritePasses) {
    size_t n = 0;
    Blitter_Exports(&n);
    EXPECT_EQ(n, 20u);
    EXPECT_TRUE(Blitter_Verifier(sprite.data(), sprite.size()));
    EXPECT_EQ(Routine<BlitGetNb>("GET_NBSPR")(sprite.data()), 2);
}

TEST_F(Blitter, PlainDrawsAtTheHotSpotAndKeepsTransparentPixels) {
    Cible t(6, 4, 9);   // pitch wider than the clip: rows must be 9 apart
    ASSERT_EQ(aff(sprite.data(), &t.c, 2, 2, 0), 1);
    // Top-left lands at (1, 1).
    EXPECT_EQ(t.At(1, 1), Rvb(31, 31, 31));
    EXPECT_EQ(t.At(2, 1), FOND);
    EXPECT_EQ(t.At(3, 1), Rvb(31, 0, 0));
    EXPECT_EQ(t.At(1, 2), Rvb(20, 20, 20));
    EXPECT_EQ(t.At(2, 2), Rvb(0, 0, 31));
    EXPECT_EQ(t.At(3, 2), Rvb(10, 10, 10));
    int change = 0;
    for (uint16_t p : t.pixels) change += p != FOND;
    EXPECT_EQ(change, 4);   // (3, 2) is FOND-coloured already
}

TEST_F(Blitter, ClipsToTheViewEdgeAndTheTop) {
    // A 640-pitch target whose view stops at 624, as on the game screen.
    Cible t(624, 3, 640);
    aff(sprite.data(), &t.c, 623, 1, 0);   // columns 622, 623, 624
    EXPECT_EQ(t.At(622, 0), Rvb(31, 31, 31));
    EXPECT_EQ(t.At(624, 0), FOND);
    EXPECT_EQ(t.At(624, 1), FOND);
    EXPECT_EQ(t.At(623, 1), Rvb(0, 0, 31));
    // Above and left of the target.
    Cible u(4, 4, 4);
    aff(sprite.data(), &u.c, 0, 0, 0);   // top-left at (-1, -1): only (0, 0) and (1, 0) of row 1 show
    EXPECT_EQ(u.At(0, 0), Rvb(0, 0, 31));
    EXPECT_EQ(u.At(1, 0), Rvb(10, 10, 10));
    EXPECT_EQ(u.At(0, 1), FOND);
    // Wholly outside: nothing, and still success.
    EXPECT_EQ(aff(sprite.data(), &u.c, 100, -50, 0), 1);
}

TEST_F(Blitter, ClipBottomStopsAtTheTargetsHeight) {
    // A clip rectangle taller than the target, as a stale one would be: the last row is the limit.
    std::vector<uint16_t> pixels(4 * 3, FOND);
    CibleBlitter c;
    c.pixels = pixels.data();
    c.pas = 4;
    c.clipBas = 100;
    c.clipDroite = 4;
    c.hauteur = 3;
    for (int y : {2, 3, 4, 50}) EXPECT_EQ(aff(sprite.data(), &c, 2, y, 0), 1);
    EXPECT_EQ(pixels[2 * 4 + 1], Rvb(31, 31, 31));   // frame 0's top row, drawn at y 3
    c.hauteur = 0;   // a target that does not say its height takes nothing
    std::fill(pixels.begin(), pixels.end(), FOND);
    aff(sprite.data(), &c, 2, 2, 0);
    for (uint16_t p : pixels) EXPECT_EQ(p, FOND);
}

TEST_F(Blitter, TileTargetRespectsItsPitchAndClip) {
    auto fichier = essai::FichierDirect(50, 50, Rvb(1, 2, 3));
    auto grand = essai::EnMemoire(fichier);
    std::vector<uint16_t> tuile(48 * 48 + 16, FOND);   // guard past the tile
    CibleBlitter c{tuile.data(), 48, 0, 48, 0, 48, 48};
    aff(grand.data(), &c, -1, -1, 0);
    for (int i = 0; i < 48 * 48; ++i) ASSERT_EQ(tuile[i], Rvb(1, 2, 3)) << i;
    for (int i = 48 * 48; i < 48 * 48 + 16; ++i) EXPECT_EQ(tuile[i], FOND);
}

TEST_F(Blitter, FramesOutsideTheSpriteAreRefused) {
    Cible t(4, 4, 4);
    int32_t taille[2] = {9, 9};
    for (int image : {-1, -2, 2, 1000}) {
        EXPECT_EQ(aff(sprite.data(), &t.c, 1, 1, image), 0) << image;
        EXPECT_EQ(trs(sprite.data(), &t.c, 1, 1, image, 10), 0);
        EXPECT_EQ(ecl(sprite.data(), &t.c, 1, 1, image, 1, 1, 1), 0);
        Routine<BlitGetZ>("GET_SPRZ")(sprite.data(), &t.c, 0, 0, image, taille);
        EXPECT_EQ(taille[0], 0);
        EXPECT_EQ(taille[1], 0);
        Routine<BlitModOff>("MOD_SPROFF")(sprite.data(), 1, 1, image);   // must not write anywhere
    }
    for (uint16_t p : t.pixels) EXPECT_EQ(p, FOND);
    Routine<BlitGetZ>("GET_SPRZ")(sprite.data(), &t.c, 0, 0, 0, taille);
    EXPECT_EQ(taille[0], 3);
    EXPECT_EQ(taille[1], 2);
}

TEST_F(Blitter, BlendingModesPixelByPixel) {
    // Source pixel (1, 1) of frame 0 is red 31,0,0 over FOND 10,10,10.
    struct Cas {
        const char* nom;
        std::function<void(CibleBlitter*)> dessin;
        uint16_t attendu;
    };
    const Cas cas[] = {
        {"trs 0", [&](CibleBlitter* c) { trs(sprite.data(), c, 1, 1, 0, 0); }, FOND},
        {"trs 31", [&](CibleBlitter* c) { trs(sprite.data(), c, 1, 1, 0, 31); }, Rvb(31, 0, 0)},
        {"trs 200 acts as 31", [&](CibleBlitter* c) { trs(sprite.data(), c, 1, 1, 0, 200); }, Rvb(31, 0, 0)},
        {"trs 10", [&](CibleBlitter* c) { trs(sprite.data(), c, 1, 1, 0, 10); }, Rvb((310 + 210) / 31, 210 / 31, 210 / 31)},
        {"trs50", [&](CibleBlitter* c) { trs50(sprite.data(), c, 1, 1, 0); }, Rvb(20, 5, 5)},
        {"lit 31 clamps", [&](CibleBlitter* c) { ecl(sprite.data(), c, 1, 1, 0, 31, 31, 31); }, Rvb(31, 10, 10)},
        {"lit 0 leaves", [&](CibleBlitter* c) { ecl(sprite.data(), c, 1, 1, 0, 0, 0, 0); }, FOND},
        {"lit 200 acts as 31", [&](CibleBlitter* c) { ecl(sprite.data(), c, 1, 1, 0, 200, 0, 0); }, Rvb(31, 10, 10)},
        {"lit 15", [&](CibleBlitter* c) { ecl(sprite.data(), c, 1, 1, 0, 15, 15, 15); }, Rvb(10 + 15, 10, 10)},
        {"shaded 31 black", [&](CibleBlitter* c) { omb(sprite.data(), c, 1, 1, 0, 31, 31, 31); }, Rvb(0, 0, 0)},
        {"shaded 0 leaves", [&](CibleBlitter* c) { omb(sprite.data(), c, 1, 1, 0, 0, 0, 0); }, FOND},
        {"shaded 14", [&](CibleBlitter* c) { omb(sprite.data(), c, 1, 1, 0, 14, 0, 255); }, Rvb(170 / 31, 10, 0)},
    };
    for (const Cas& k : cas) {
        Cible t(4, 4, 4);
        k.dessin(&t.c);
        EXPECT_EQ(t.At(2, 0), k.attendu) << k.nom;
        EXPECT_EQ(t.At(1, 0), FOND) << k.nom << ": transparent pixel touched";
    }
}

// Alpha: the source adds to what lies under it, which shows through by 31 - the source's brightest
// channel: black is invisible, a full channel covers.
TEST_F(Blitter, AlphaGlowsOverTheBackground) {
    struct Cas {
        uint16_t source, attendu;
    };
    const int f = 10 * 23 / 31;   // FOND under a source whose brightest channel is 8
    const Cas cas[] = {
        {Rvb(8, 4, 0), Rvb(8 + f, 4 + f, f)},
        {Rvb(31, 0, 0), Rvb(31, 0, 0)},
        {Rvb(0, 0, 0), FOND},
        {Rvb(31, 31, 31), Rvb(31, 31, 31)},
    };
    for (const Cas& k : cas) {
        std::vector<uint8_t> direct = essai::EnMemoire(essai::FichierDirect(2, 2, k.source));
        Cible t(4, 4, 4);
        EXPECT_EQ(alpha(direct.data(), &t.c, 1, 1, 0), 1);
        EXPECT_EQ(t.At(1, 1), k.attendu) << std::hex << k.source;
        EXPECT_EQ(t.At(3, 3), FOND);
    }
}

TEST_F(Blitter, RecolourAndShadeAreRecomputedNotCompounded) {
    auto couleur = [&]() {
        Cible t(4, 4, 4);
        aff(sprite.data(), &t.c, 1, 1, 0);
        return t.At(0, 0);   // index 31, in the tinted range
    };
    repal(sprite.data(), 0, 32, 31, 0, 15);
    const uint16_t teinte = couleur();
    EXPECT_EQ(teinte, Rvb(31, 0, 15));
    repal(sprite.data(), 0, 32, 200, 0, 15);   // a channel above 31 counts as 31
    EXPECT_EQ(couleur(), teinte);
    // The palette shade is an amount of shade: 0 as drawn, 31 the darkest.
    ombrePal(sprite.data(), 15, 0);
    const uint16_t sombre = couleur();
    EXPECT_EQ(sombre, Rvb(31 * 16 / 31, 0, 15 * 16 / 31));
    ombrePal(sprite.data(), 15, 0);
    repal(sprite.data(), 0, 32, 31, 0, 15);
    EXPECT_EQ(couleur(), sombre);
    ombrePal(sprite.data(), 31, 0);
    EXPECT_EQ(couleur(), Rvb(0, 0, 0));
    ombrePal(sprite.data(), 200, 0);   // above 31 counts as 31
    EXPECT_EQ(couleur(), Rvb(0, 0, 0));
    ombrePal(sprite.data(), 0, 0);
    EXPECT_EQ(couleur(), teinte);
    // Entries outside the range keep their colour: index 32 stays red.
    Cible t(4, 4, 4);
    aff(sprite.data(), &t.c, 1, 1, 0);
    EXPECT_EQ(t.At(2, 0), Rvb(31, 0, 0));
    Routine<BlitPal>("SPR_RESTOPAL")(sprite.data(), 0);
    EXPECT_EQ(couleur(), Rvb(31, 31, 31));
    // A direct-colour sprite is shaded as it is drawn.
    std::vector<uint8_t> direct = essai::EnMemoire(essai::FichierDirect(2, 2, Rvb(31, 20, 10)));
    for (auto [ombre, attendu] : {std::pair{0, Rvb(31, 20, 10)}, {31, Rvb(0, 0, 0)}, {10, Rvb(21, 13, 6)}}) {
        ombrePal(direct.data(), static_cast<uint8_t>(ombre), 0);
        Cible d(2, 2, 2);
        aff(direct.data(), &d.c, 0, 0, 0);
        EXPECT_EQ(d.At(0, 0), attendu) << ombre;
    }
}

// Palettes are kept by tint and light once worked out; a kept one must not outlive the original
// palette it was made from.
TEST_F(Blitter, KeptPalettesFollowTheOriginalPalette) {
    auto couleur = [&]() {
        Cible t(4, 4, 4);
        aff(sprite.data(), &t.c, 1, 1, 0);
        return t.At(0, 0);   // index 31, white in the original palette
    };
    ombrePal(sprite.data(), 15, 0);
    EXPECT_EQ(couleur(), Rvb(16, 16, 16));
    repal(sprite.data(), 0, 32, 31, 0, 0);
    EXPECT_EQ(couleur(), Rvb(16, 0, 0));
    ombrePal(sprite.data(), 15, 0);   // the same tint and light again
    EXPECT_EQ(couleur(), Rvb(16, 0, 0));
    Routine<BlitPal>("SPR_RESTOPAL")(sprite.data(), 0);
    ombrePal(sprite.data(), 15, 0);
    EXPECT_EQ(couleur(), Rvb(16, 16, 16));
    // Saving makes the shaded palette the original: the same light now darkens it further.
    Routine<BlitPal>("SPR_SAVPAL")(sprite.data(), 0);
    ombrePal(sprite.data(), 15, 0);
    EXPECT_EQ(couleur(), Rvb(8, 8, 8));
    ombrePal(sprite.data(), 0, 0);
    EXPECT_EQ(couleur(), Rvb(16, 16, 16));
    // Another sprite of the same palette size and light gets its own colours.
    std::vector<uint8_t> autre = essai::EnMemoire(essai::FichierIndexe());
    ombrePal(autre.data(), 15, 0);
    Cible t(4, 4, 4);
    aff(autre.data(), &t.c, 1, 1, 0);
    EXPECT_EQ(t.At(0, 0), Rvb(16, 16, 16));
}

TEST_F(Blitter, HotSpotChangeIsFromTheFilesHotSpot) {
    auto modoff = Routine<BlitModOff>("MOD_SPROFF");
    modoff(sprite.data(), 1, 0, 0);
    modoff(sprite.data(), 1, 0, 0);   // the same shift again: no drift
    Cible t(4, 4, 4);
    aff(sprite.data(), &t.c, 2, 1, 0);   // hot spot now (2, 1): top-left (0, 0)
    EXPECT_EQ(t.At(0, 0), Rvb(31, 31, 31));
    EXPECT_EQ(Routine<BlitTrois>("GET_SPROFF")(sprite.data(), 0, 0), 2);
}

TEST_F(Blitter, OnlyTheFiveFiveFiveFormatIsAccepted) {
    auto init = Routine<BlitInit>("SprDll_Init");
    const uint8_t f555[7] = {1, 10, 3, 5, 3, 0, 3}, f565[7] = {0, 11, 3, 5, 2, 0, 3};
    EXPECT_EQ(init("i386", f555, nullptr), 0);
    EXPECT_EQ(init("i386", f565, nullptr), 6);
    EXPECT_EQ(init("i386", nullptr, nullptr), 6);
}

TEST_F(Blitter, VerifierRefusesEveryTruncationAndBadIndices) {
    for (size_t n = 0; n < sprite.size(); ++n) EXPECT_FALSE(Blitter_Verifier(sprite.data(), n)) << n;
    // A pixel index past the 34-entry palette.
    auto palette = essai::Palette();
    palette.resize(20);
    auto o = Blitter_EncoderFichier(essai::Images(), &palette);
    std::vector<uint8_t> s(o.begin() + 8, o.end());
    // The encoder clamps indices: write one past the palette by hand, in frame 0's first run.
    auto l32 = [&](size_t o) { return Octets_Lire32(s.data() + o); };
    ASSERT_TRUE(Blitter_Verifier(s.data(), s.size()));
    const size_t image = l32(24 + 4 * 20);
    const size_t ligne = image + l32(image + 12);
    s[ligne + 2 + 4] = 25;   // after the run count and the run's skip and length
    EXPECT_FALSE(Blitter_Verifier(s.data(), s.size()));
    // Flags of other makers' files.
    auto t = sprite;
    t[0] |= 0x04;
    EXPECT_FALSE(Blitter_Verifier(t.data(), t.size()));
}

}  // namespace
