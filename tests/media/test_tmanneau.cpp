#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <thread>
#include <vector>

#include "../arbre_temporaire.h"
#include "media/rvf6.h"
#include "media/rvfecriture.h"
#include "media/tmanneau.h"
#include "media/tmreglages.h"

TEST(TamponBloc, GrowsToMultiplesOfFourAndKeepsItsBytes) {
    TMBlockBuffer b;
    ASSERT_EQ(b.Create(6), 0);
    EXPECT_EQ(b.capacity, 8);
    std::memcpy(b.data, "abcdefgh", 8);
    ASSERT_EQ(b.Grow(13), 0);
    EXPECT_EQ(b.capacity, 16);
    EXPECT_EQ(std::memcmp(b.data, "abcdefgh", 8), 0);
    uint8_t* avant = b.data;
    ASSERT_EQ(b.Grow(4), 0);   // smaller: kept
    EXPECT_EQ(b.data, avant);
    EXPECT_EQ(b.capacity, 16);
    EXPECT_EQ(b.Grow(-1), -5);

    // Commit, take, release, and the events that go with them.
    EXPECT_TRUE(b.libre.Signale());
    b.Commit(5);
    EXPECT_FALSE(b.libre.Signale());
    EXPECT_TRUE(b.rempli.Signale());
    char t[8] = {};
    EXPECT_EQ(b.Take(3, t), 3);
    EXPECT_EQ(b.Take(9, t + 3), 2);   // never more than is left
    EXPECT_STREQ(t, "abcde");
    EXPECT_EQ(b.length, 0);
    b.Release();
    EXPECT_TRUE(b.libre.Signale());
    EXPECT_FALSE(b.rempli.Signale());
    TMEvenement arret(true);
    EXPECT_EQ(b.WaitFull(&arret), 1);   // stop set: at once
    EXPECT_EQ(b.WaitFree(nullptr), 0);
}

TEST(AnneauBlocs, HandsBuffersFromOneThreadToAnother) {
    TMBlockRing anneau;
    EXPECT_EQ(anneau.SizeAll(16), -15);
    ASSERT_EQ(anneau.Create(3), 0);
    ASSERT_EQ(anneau.SizeAll(16), 0);
    EXPECT_FALSE(anneau.AnyFull());
    TMEvenement arret(false);
    std::thread ecrivain([&] {
        for (uint8_t i = 0; i < 50; ++i) {
            if (anneau.WaitWriteFree(&arret) != 0) return;
            anneau.GrowWrite(1 + i);
            std::memset(anneau.Write().data, i, static_cast<size_t>(1 + i));
            anneau.CommitWrite(1 + i);
        }
    });
    std::vector<int> lus;
    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(anneau.WaitReadFull(&arret), 0);
        ASSERT_EQ(anneau.ReadLength(), i + 1);
        std::vector<uint8_t> t(static_cast<size_t>(i + 1));
        ASSERT_EQ(anneau.TakeFromRead(i + 1, t.data()), i + 1);
        lus.push_back(t.back());
        anneau.ReleaseRead();
    }
    ecrivain.join();
    for (int i = 0; i < 50; ++i) EXPECT_EQ(lus[i], i);
    EXPECT_FALSE(anneau.AnyFull());
    // A writer waiting on a full ring ends on the stop.
    for (int i = 0; i < 3; ++i) anneau.CommitWrite(4);
    EXPECT_TRUE(anneau.AnyFull());
    std::thread bloque([&] { EXPECT_EQ(anneau.WaitWriteFree(&arret), 1); });
    arret.Signaler();
    bloque.join();
}

TEST(AnneauBlocs, ReadsBlocksOfAMovie) {
    ArbreTemporaire arbre;
    const std::string chemin = (arbre.Racine() / "f.rvf").string();
    FilmSource s;
    s.largeur = 512, s.hauteur = 2;
    s.images.assign(3, std::vector<uint16_t>(1024, 0x1111));
    s.images[1][5] = 3;
    ASSERT_TRUE(RVF_EcrireFichier(chemin, s));
    TMSettings reglages;
    TMSettings_GetDefaults(&reglages);
    RVFReader r;
    ASSERT_EQ(RVFReader_OpenFile(&r, chemin.c_str(), &reglages), 0);
    TMBlockRing anneau;
    ASSERT_EQ(anneau.Create(4), 0);
    ASSERT_EQ(anneau.SizeAll(4), 0);   // smaller than the payloads: grown to them
    std::vector<int32_t> resultats;
    while (RVFReader_NextBlockSet(&r) == 0) {
        ASSERT_EQ(RVFReader_NextBlock(&r), 0);
        resultats.push_back(anneau.ReadBlockIntoWrite(&r));
        EXPECT_EQ(anneau.Write().length, RVFReader_PayloadDataBytes(&r));
        EXPECT_EQ(std::memcmp(anneau.Write().data, "FRM1", 4), 0);
        anneau.AdvanceWrite();
        if (r.end || RVFReader_EndReached(&r)) break;
    }
    EXPECT_EQ(resultats, (std::vector<int32_t>{0, 0, -11}));
    RVFReader_Close(&r);
}
