#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../arbre_temporaire.h"
#include "media/fetcher.h"

namespace {

std::string Contenu(size_t n) {
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>(i * 31 + i / 256);
    return s;
}

}  // namespace

TEST(FileFetcher, ReadsTheWholeFileInPiecesOfAnySize) {
    ArbreTemporaire arbre;
    const std::string c = Contenu(10000);
    arbre.Ecrire("f.bin", c);
    // With its thread, and filled by the reads themselves.
    for (bool sansThread : {false, true})
    for (int32_t morceau : {1, 7, 100, 256, 4096}) {
        FileFetcher f;
        f.sansThread = sansThread;
        ASSERT_EQ(f.Open((arbre.Racine() / "f.bin").c_str(), 4, 256, 0), 0);
        std::string lu;
        std::vector<char> t(static_cast<size_t>(morceau));
        int32_t r = 0;
        while (r == 0) {
            const int64_t avant = f.Delivered();
            r = f.Read(t.data(), morceau);
            lu.append(t.data(), static_cast<size_t>(f.Delivered() - avant));
        }
        EXPECT_EQ(r, -11);
        EXPECT_EQ(lu, c) << morceau << (sansThread ? " sans thread" : "");
        EXPECT_EQ(f.Close(), 0);
    }
}

TEST(FileFetcher, ShortFileOffsetsAndErrors) {
    ArbreTemporaire arbre;
    arbre.Ecrire("petit.bin", "abcde");
    const std::string chemin = (arbre.Racine() / "petit.bin").string();
    FileFetcher f;
    EXPECT_EQ(f.Open((arbre.Racine() / "absent").c_str(), 4, 256, 0), -7);
    EXPECT_EQ(f.Open(chemin.c_str(), 4, 256, 5), -34);
    EXPECT_EQ(f.Open(chemin.c_str(), 4, 256, -1), -34);
    EXPECT_EQ(f.Open(chemin.c_str(), 0, 256, 0), -5);
    // Shorter than one buffer, asked for more than it holds: all of it and -11.
    ASSERT_EQ(f.Open(chemin.c_str(), 4, 256, 1), 0);
    char t[16] = {};
    EXPECT_EQ(f.Read(t, 16), -11);
    EXPECT_EQ(std::string(t), "bcde");
    EXPECT_EQ(f.Read(t, 1), -11);
    EXPECT_EQ(f.SetPriority(3), -28);
    EXPECT_EQ(f.SetPriority(-2), 0);
    // The last bytes delivered in full by this very call also give -11.
    ASSERT_EQ(f.Open(chemin.c_str(), 2, 2, 0), 0);
    EXPECT_EQ(f.Read(t, 3), 0);
    EXPECT_EQ(f.Read(t, 2), -11);
    EXPECT_EQ(f.Close(), 0);
}

TEST(FileFetcher, StopsWhileWaitingAndWhileSuspended) {
    ArbreTemporaire arbre;
    arbre.Ecrire("f.bin", Contenu(100000));
    const std::string chemin = (arbre.Racine() / "f.bin").string();
    {
        FileFetcher f;   // the ring fills and the thread waits for a free buffer
        ASSERT_EQ(f.Open(chemin.c_str(), 2, 64, 0), 0);
        char t[10];
        EXPECT_EQ(f.Read(t, 10), 0);
        EXPECT_EQ(f.Close(), 0);
        EXPECT_TRUE(f.ThreadDone());
    }
    {
        FileFetcher f;
        ASSERT_EQ(f.Open(chemin.c_str(), 2, 64, 0), 0);
        f.Suspend();
        EXPECT_EQ(f.Close(), 0);   // resumed to see the stop
    }
    {
        FileFetcher f;
        ASSERT_EQ(f.Open(chemin.c_str(), 4, 64, 0), 0);
        char t[100];
        f.Suspend();
        f.Resume();
        EXPECT_EQ(f.Read(t, 100), 0);
        EXPECT_EQ(f.Delivered(), 100);
    }   // the destructor closes
}
