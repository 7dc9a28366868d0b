#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "media/adpcm.h"

namespace {

std::vector<uint8_t> Flux(uint32_t trames, int32_t gauche, int32_t droite, bool stereo, std::vector<uint8_t> data) {
    std::vector<uint8_t> v(32, 0);
    std::memcpy(v.data(), "TESK_APC1.20", 12);
    auto e32 = [&](size_t o, uint32_t x) {
        for (int i = 0; i < 4; ++i) v[o + i] = static_cast<uint8_t>(x >> (8 * i));
    };
    e32(12, trames);
    e32(16, 22050);
    e32(20, static_cast<uint32_t>(gauche));
    e32(24, static_cast<uint32_t>(droite));
    e32(28, stereo ? 1 : 0);
    v.insert(v.end(), data.begin(), data.end());
    return v;
}

std::vector<int16_t> Decoder(const std::vector<uint8_t>& flux, std::vector<uint32_t> appels) {
    APCDecoder d;
    EXPECT_EQ(APC_ReadHeader(flux.data(), &d), 0);
    std::vector<int16_t> sortie(4096);
    int16_t* o = sortie.data();
    for (uint32_t n : appels) {
        uint32_t manque = 0;
        EXPECT_EQ(APC_Decode(&o, &d, n, &manque), 0);
    }
    sortie.resize(static_cast<size_t>(o - sortie.data()));
    return sortie;
}

class Adpcm : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(Adpcm_Init(ADPCM_VERSION), 0); }
};

}  // namespace

TEST(AdpcmInit, VersionAndOrder) {
    Adpcm_RAZ();
    auto flux = Flux(2, 0, 0, false, {0});
    APCDecoder d;
    int16_t* o = nullptr;
    EXPECT_EQ(APC_ReadHeader(flux.data(), &d), 2);
    EXPECT_EQ(APC_Decode(&o, &d, 1, nullptr), 2);
    EXPECT_EQ(Adpcm_Init(169), 1);
    EXPECT_EQ(Adpcm_Init(170), 0);
    EXPECT_EQ(Adpcm_Init(170), 0);
    EXPECT_STREQ(Adpcm_Texte(13), "File is not a valid APC file.");
    EXPECT_STREQ(Adpcm_Texte(99), "Unknown ErrorCode parameter");
}

TEST_F(Adpcm, HeaderChecks) {
    APCDecoder d;
    d.rate = 1234;
    EXPECT_EQ(APC_ReadHeader(nullptr, &d), 10);
    auto flux = Flux(2, 0, 0, false, {0});
    EXPECT_EQ(APC_ReadHeader(flux.data(), nullptr), 12);
    for (size_t i = 0; i < 12; ++i) {
        auto faux = flux;
        faux[i] ^= 0x20;
        EXPECT_EQ(APC_ReadHeader(faux.data(), &d), i < 8 ? 13 : 14) << i;
        EXPECT_EQ(d.rate, 1234u);   // untouched
    }
    int16_t s[2];
    int16_t* o = s;
    EXPECT_EQ(APC_Decode(nullptr, &d, 1, nullptr), 4);
    EXPECT_EQ(APC_Decode(&o, nullptr, 1, nullptr), 10);
}

TEST_F(Adpcm, HandComputedNibbles) {
    // Code 0 at step 7: +0 (7 >> 3). Code 7: 0 + 7 + 3 + 1 = 11, index 0 + 8. Code 0xF at step 16
    // (index 8): -(2 + 16 + 8 + 4) = -30.
    auto mono = Decoder(Flux(3, 100, 0, false, {0x07, 0xF0}), {3});
    EXPECT_EQ(mono, (std::vector<int16_t>{100, 111, 81}));
    // Stereo: a byte a frame, left in the high nibble.
    auto st = Decoder(Flux(2, 10, -10, true, {0x70, 0x07}), {2});
    EXPECT_EQ(st, (std::vector<int16_t>{21, -10, 23, 1}));   // left code 0 at step 16: +2
}

TEST_F(Adpcm, OddCallsMatchOneCallAndShortfallIsReported) {
    std::vector<uint8_t> data;
    for (int i = 0; i < 50; ++i) data.push_back(static_cast<uint8_t>(i * 37 + 11));
    auto flux = Flux(99, 0, 0, false, data);
    auto entier = Decoder(flux, {99});
    EXPECT_EQ(entier.size(), 99u);
    EXPECT_EQ(Decoder(flux, {1, 3, 5, 2, 7, 81}), entier);
    APCDecoder d;
    ASSERT_EQ(APC_ReadHeader(flux.data(), &d), 0);
    std::vector<int16_t> s(200);
    int16_t* o = s.data();
    uint32_t manque = 0;
    APC_Decode(&o, &d, 120, &manque);
    EXPECT_EQ(manque, 21u);
    APC_Decode(&o, &d, 5, &manque);
    EXPECT_EQ(manque, 5u);
    EXPECT_EQ(o - s.data(), 99);
}

TEST_F(Adpcm, WrapsPast32767WithoutSaturation) {
    // Code 7 repeated climbs fast; from 32760 the first +11 already leaves the 16-bit range.
    auto s = Decoder(Flux(2, 32760, 0, false, {0x77}), {2});
    EXPECT_EQ(s[0], static_cast<int16_t>(32771 - 65536));
}

TEST_F(Adpcm, BoundedDecodeStopsAtTheBlockEnd) {
    auto flux = Flux(10, 0, 0, false, {0x11, 0x22, 0x33, 0x44, 0x55});
    APCDecoder d;
    ASSERT_EQ(APC_ReadHeader(flux.data(), &d), 0);
    std::vector<int16_t> s(10);
    int16_t* o = s.data();
    uint32_t manque = 0;
    APC_DecodeBorne(&o, &d, 10, &manque, flux.data() + 32 + 2);   // a block of two bytes
    EXPECT_EQ(manque, 6u);
    EXPECT_EQ(d.remaining, 6);
    const uint8_t suite[] = {0x33, 0x44, 0x55};
    APC_DecodeBorne(&o, &d, 10, &manque, (d.data = suite, suite + 3));
    EXPECT_EQ(manque, 4u);
    EXPECT_EQ(std::vector<int16_t>(s.begin(), s.end()), Decoder(flux, {10}));
}

TEST_F(Adpcm, EncodedToneDecodesWithinABound) {
    for (bool stereo : {false, true}) {
        const uint32_t n = 2205;
        std::vector<int16_t> pcm;
        for (uint32_t i = 0; i < n; ++i) {
            pcm.push_back(static_cast<int16_t>(30000 * std::sin(i * 2 * M_PI * 440 / 22050)));
            if (stereo) pcm.push_back(static_cast<int16_t>(-12000 * std::sin(i * 2 * M_PI * 220 / 22050)));
        }
        auto flux = APC_Encoder(pcm.data(), n, stereo, 22050);
        EXPECT_EQ(flux.size(), 32 + (stereo ? n : (n + 1) / 2));
        APCDecoder d;
        ASSERT_EQ(APC_ReadHeader(flux.data(), &d), 0);
        EXPECT_EQ(d.stereo, stereo ? 1u : 0u);
        std::vector<int16_t> sortie(pcm.size());
        int16_t* o = sortie.data();
        uint32_t manque = 0;
        APC_Decode(&o, &d, n, &manque);
        ASSERT_EQ(manque, 0u);
        double erreur = 0;
        for (size_t i = 100; i < pcm.size(); ++i) erreur = std::max(erreur, std::fabs(pcm[i] - double(sortie[i])));
        EXPECT_LT(erreur, 2500.0) << stereo;
    }
}
