#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "media/tmcadence.h"
#include "media/tmnotification.h"

TEST(CadenceFilm, ImagesDuesEtImagesEnRetard) {
    // 15 frames a second from a start at 1000 ms.
    EXPECT_DOUBLE_EQ(TM_CibleImage(0, 15.0f, 1000.0), 1000.0);
    EXPECT_NEAR(TM_CibleImage(1, 15.0f, 1000.0), 1066.667, 0.001);
    EXPECT_DOUBLE_EQ(TM_CibleImage(15, 15.0f, 1000.0), 2000.0);
    struct Cas {
        int32_t dropLate;
        double maintenant, cible;
        bool montre;
    };
    for (Cas c : {Cas{1, 1066.0, 1066.6, true}, Cas{1, 1066.6, 1066.6, true}, Cas{1, 1067.0, 1066.6, false},
                  Cas{0, 5000.0, 1066.6, true}})
        EXPECT_EQ(TM_ImageAMontrer(c.dropLate, c.maintenant, c.cible), c.montre) << c.maintenant << " " << c.dropLate;
}

TEST(CadenceFilm, DimensionsDuPremierBlocSon) {
    // Stereo 22050 Hz, 32 frames of pre-roll at 15 fps: 1470 bytes of ADPCM per frame.
    TMSonDimensions d;
    ASSERT_TRUE(TM_DimensionsSon(32 * 1470, 2, 22050, &d));
    EXPECT_EQ(d.SoundBlockBytes, 2 * 2 * 32 * 1470);
    EXPECT_FLOAT_EQ(d.SoundFrameRate, 15.0f);
    EXPECT_EQ(d.echantillons, 32 * 1470);
    // Mono: 735 bytes a frame.
    ASSERT_TRUE(TM_DimensionsSon(32 * 735, 1, 22050, &d));
    EXPECT_FLOAT_EQ(d.SoundFrameRate, 15.0f);
    EXPECT_EQ(d.echantillons, 2 * 32 * 735);
    // A stereo file at rate 0, or a block shorter than 32 bytes of data, gives no frame rate.
    EXPECT_FALSE(TM_DimensionsSon(32 * 1470, 2, 0, &d));
    EXPECT_FALSE(TM_DimensionsSon(31, 2, 22050, &d));
}

namespace {
std::vector<std::pair<uint32_t, uint32_t>> recus;
intptr_t Procedure(HandleFenetre, uint32_t message, ParamMot w, ParamLong l) {
    const auto* n = reinterpret_cast<const NotificationFilm*>(l);
    recus.emplace_back(message, static_cast<uint32_t>(w) * 1000 + n->longueur);
    return 0;
}
}  // namespace

TEST(NotificationsFilm, DonneesAuThreadPrincipalDansLOrdre) {
    recus.clear();
    NotificationFilm n;
    // On the main thread: at once.
    n.longueur = 7;
    EXPECT_TRUE(TM_Notifier(Procedure, nullptr, 0x8000, 1, n, true, nullptr));
    ASSERT_EQ(recus.size(), 1u);
    // From another thread: a frame waits for its delivery, the end does not.
    std::atomic<int> livre{0};
    std::thread t([&] {
        NotificationFilm image;
        image.longueur = 5;
        if (TM_Notifier(Procedure, nullptr, 0x8000, 2, image, true, nullptr)) livre = 1;
        NotificationFilm fin;
        TM_Notifier(Procedure, nullptr, 0x8000, 3, fin, false, nullptr);
    });
    while (livre == 0) TM_AttendreNotifications(5);
    t.join();
    TM_DistribuerNotifications();
    ASSERT_EQ(recus.size(), 3u);
    EXPECT_EQ(recus[1].second, 2005u);
    EXPECT_EQ(recus[2].second, 3000u);
}

TEST(NotificationsFilm, UnArretLibereLExpediteur) {
    recus.clear();
    std::atomic<int32_t> arret{0};
    std::atomic<int> resultat{-1};
    std::thread t([&] {
        NotificationFilm image;
        resultat = TM_Notifier(Procedure, nullptr, 0x8000, 2, image, true, &arret) ? 1 : 0;
    });
    arret = 1;
    t.join();
    EXPECT_EQ(resultat, 0);
    // What it gave up is never delivered.
    TM_DistribuerNotifications();
    EXPECT_TRUE(recus.empty());
}
