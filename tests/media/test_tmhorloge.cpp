#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "../arbre_temporaire.h"
#include "media/rvfpi.h"
#include "media/tmhorloge.h"
#include "platform/bibliotheques.h"
#include "platform/temps.h"

namespace {

std::vector<uint8_t> Entete(int largeur, int hauteur, int bits = 15) {
    std::vector<uint8_t> e(64, 0);
    std::memcpy(e.data(), "RVF6", 4);
    e[7] = static_cast<uint8_t>(bits);
    e[8] = static_cast<uint8_t>(largeur), e[9] = static_cast<uint8_t>(largeur >> 8);
    e[10] = static_cast<uint8_t>(hauteur), e[11] = static_cast<uint8_t>(hauteur >> 8);
    return e;
}

class Codec : public ::testing::Test {
  protected:
    void TearDown() override {
        TM_FreeCodec();
        Bibliotheque_SimulationRAZ();
    }
};

}  // namespace

TEST(HorlogeFilm, StandsStillWhilePaused) {
    Temps_Fixer(10000);
    TM_ClockRAZ();
    EXPECT_DOUBLE_EQ(TM_Now(), 10000.0);
    TM_ClockPause();
    Temps_Avancer(500);
    TM_ClockResume();
    EXPECT_DOUBLE_EQ(TM_Now(), 10000.0);
    Temps_Avancer(20);
    EXPECT_DOUBLE_EQ(TM_Now(), 10020.0);
    // Across the tick count's wrap the pause still counts its true length.
    Temps_Fixer(0xFFFFFF00u);
    TM_ClockRAZ();
    TM_ClockPause();
    Temps_Avancer(0x200);
    TM_ClockResume();
    EXPECT_DOUBLE_EQ(TM_Now(), 0x100 - 0x200 + 0.0);
}

TEST(JournalFilm, WritesOnlyWhileAMovieRuns) {
    ArbreTemporaire arbre;
    TM_LogRAZ();
    ASSERT_TRUE(TM_LogFile("journal.txt"));
    TM_Log("avant %d", 1);
    TM_MovieStarted();
    TM_Log("pendant %d", 2);
    TM_LogRaw("a");
    TM_LogRaw("b");
    TM_Log("%s", "");
    TM_MovieEnded();
    TM_Log("apres");
    TM_LogRAZ();
    std::ifstream in("journal.txt");
    std::stringstream s;
    s << in.rdbuf();
    EXPECT_EQ(s.str(), "pendant 2\nab\n");
    EXPECT_FALSE(TM_LogEnabled());
}

TEST_F(Codec, LoaderCodes) {
    auto e640 = Entete(640, 480), e800 = Entete(800, 600), e700 = Entete(700, 480);
    EXPECT_EQ(TM_LoadCodec(e700.data(), 15, true), -14);
    EXPECT_EQ(TM_FreeCodec(), -22);
    EXPECT_EQ(TM_LoadCodec(e800.data(), 15, true), 0);   // the codec takes 800; the reader will not
    EXPECT_EQ(TM_LoadCodec(e640.data(), 15, true), -20);
    EXPECT_TRUE(TM_CodecLoaded());
    {
        // Kept, but set up for the new movie's size: a 640 x 480 frame fills 640 x 480 pixels.
        std::vector<uint16_t> image(640 * 480, 0x1234), precedent(640 * 480), courant(640 * 480);
        auto charge = RVFPI_EncoderBrut(image.data(), image.size());
        ASSERT_TRUE(TM_DecodeFrame(charge.data(), precedent.data(), courant.data()));
        EXPECT_EQ(courant, image);
    }
    EXPECT_EQ(TM_LoadCodec(e640.data(), 16, true), 0);   // other bits: freed and loaded again
    EXPECT_EQ(TM_FreeCodec(), 0);
    EXPECT_EQ(TM_FreeCodec(), -22);
    EXPECT_EQ(Bibliotheque_NombreChargees(), 0);

    Bibliotheque_SimulerAbsente("TM6_640x16.DLL");
    Bibliotheque_SimulerAbsente("TM6_640.DLL");
    EXPECT_EQ(TM_LoadCodec(e640.data(), 15, true), -19);
    Bibliotheque_SimulationRAZ();
    Bibliotheque_SimulerRoutineAbsente("RVFPI_Cleanup");
    EXPECT_EQ(TM_LoadCodec(e640.data(), 15, true), -21);
    EXPECT_EQ(Bibliotheque_NombreChargees(), 0);
    Bibliotheque_SimulationRAZ();

    // A movie the codec refuses leaves nothing loaded: the next load starts afresh.
    auto e24 = Entete(640, 480, 24);
    EXPECT_EQ(TM_LoadCodec(e24.data(), 15, true), -46);
    EXPECT_FALSE(TM_CodecLoaded());
    EXPECT_EQ(TM_LoadCodec(e640.data(), 15, true), 0);
}

TEST_F(Codec, FallsBackToTheShortName) {
    auto e = Entete(512, 384);
    Bibliotheque_SimulerAbsente("TM6_512x16.DLL");
    ASSERT_EQ(TM_LoadCodec(e.data(), 15, false), -19);
    // The short name, registered as our own codec, is found next.
    RVFPI_Enregistrer();
    static const ExportBibliotheque exports[] = {
        {"RVFPI_Init", reinterpret_cast<RoutineBibliotheque>(&RVFPI_Init)},
        {"RVFPI_DecodeFrame", reinterpret_cast<RoutineBibliotheque>(&RVFPI_DecodeFrame)},
        {"RVFPI_Cleanup", reinterpret_cast<RoutineBibliotheque>(&RVFPI_Cleanup)},
    };
    Bibliotheque_Enregistrer("TM6_512.DLL", exports, 3);
    EXPECT_EQ(TM_LoadCodec(e.data(), 15, true), 0);
}

namespace {

constexpr int L = 512, H = 4;
using Image = std::vector<uint16_t>;

Image Motif(int graine) {
    Image im(L * H);
    for (int i = 0; i < L * H; ++i) im[i] = static_cast<uint16_t>(((i / 37 + graine) % 5 == 0) ? i * 7 + graine : 0x1234);
    return im;
}

}  // namespace

TEST_F(Codec, FramesRoundTripAndDroppedFramesStillDecode) {
    auto e = Entete(L, H);
    ASSERT_EQ(TM_LoadCodec(e.data(), 15, true), 0);
    std::vector<Image> source = {Motif(0), Motif(1), Motif(1), Motif(3)};
    source[2][100] = 0x7FFF;
    std::vector<std::vector<uint8_t>> charges;
    for (size_t i = 0; i < source.size(); ++i)
        charges.push_back(RVFPI_Encoder(source[i].data(), i == 0 ? nullptr : source[i - 1].data(), L * H));
    EXPECT_EQ(charges[2][4], 1);   // run-coded against the previous frame
    Image a(L * H, 0xAAAA), b(L * H, 0xAAAA);
    Image* precedent = &a;
    Image* courant = &b;
    for (size_t i = 0; i < source.size(); ++i) {
        ASSERT_TRUE(TM_DecodeFrame(charges[i].data(), precedent->data(), courant->data()));
        EXPECT_EQ(*courant, source[i]) << "frame " << i;
        std::swap(precedent, courant);
    }
}

TEST_F(Codec, BadPayloadsKeepThePreviousFrame) {
    auto e = Entete(L, H);
    ASSERT_EQ(TM_LoadCodec(e.data(), 15, true), 0);
    Image avant = Motif(0), apres = Motif(2);
    auto charge = RVFPI_Encoder(apres.data(), avant.data(), L * H);
    ASSERT_EQ(charge[4], 1);
    // Cut at every length: never reads past it, the rest is the previous frame's.
    for (size_t n = 0; n <= charge.size(); n += 7) {
        std::vector<uint8_t> coupe(charge.begin(), charge.begin() + static_cast<long>(n));
        Image sortie(L * H, 0);
        RVFPI_DecoderBorne(coupe.data(), coupe.size(), avant.data(), sortie.data(), L * 2);
        for (int i = 0; i < L * H; ++i)
            ASSERT_TRUE(sortie[i] == apres[i] || sortie[i] == avant[i]) << n << " " << i;
    }
    // An op running past the frame and an invalid op stop the decoding there.
    std::vector<uint8_t> faux = {'F', 'R', 'M', '1', 1, 0, 0, 0, 6, 0, 0, 0, 0x01, 0x80, 0x55, 0x55, 0xFF, 0xFF};
    Image sortie(L * H, 0);
    RVFPI_DecoderBorne(faux.data(), faux.size(), avant.data(), sortie.data(), L * 2);
    EXPECT_EQ(sortie[0], 0x5555);
    EXPECT_TRUE(std::equal(sortie.begin() + 1, sortie.end(), avant.begin() + 1));
}

TEST_F(Codec, ConvertsToTheDisplayFormat) {
    auto e = Entete(L, H, 16);
    ASSERT_EQ(TM_LoadCodec(e.data(), 24, true), 0);
    Image im(L * H, 0xF800);   // 5-6-5 red
    auto charge = RVFPI_EncoderBrut(im.data(), im.size());
    std::vector<uint8_t> sortie(L * H * 3), precedent(L * H * 3);
    TM_DecodeFrame(charge.data(), precedent.data(), sortie.data());
    EXPECT_EQ(sortie[0], 0);
    EXPECT_EQ(sortie[1], 0);
    EXPECT_EQ(sortie[2], 0xFF);
    ASSERT_EQ(TM_LoadCodec(e.data(), 15, true), 0);
    Image s15(L * H), p15(L * H);
    TM_DecodeFrame(charge.data(), p15.data(), s15.data());
    EXPECT_EQ(s15[5], 0x7C00);
}
