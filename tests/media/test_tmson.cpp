#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "../arbre_temporaire.h"
#include "media/rvf6.h"
#include "media/rvfecriture.h"
#include "media/tmreglages.h"
#include "media/tmson.h"
#include "platform/son.h"
#include "platform/temps.h"

namespace {

// A mono 22050 Hz movie, for the stream's format.
void Film(const std::string& chemin) {
    FilmSource s;
    s.largeur = 512, s.hauteur = 1;
    s.images.assign(2, std::vector<uint16_t>(512, 1));
    s.pcm.assign(2 * 1470, 100);
    ASSERT_TRUE(RVF_EcrireFichier(chemin, s));
}

}  // namespace

TEST(SortieSon, RefusesWithoutObjectWindowOrStream) {
    TMSoundOut s;
    TMSound_Reset(&s);
    RVFReader r;
    EXPECT_EQ(TMSound_SetPrimaryFormat(&s, &r), -38);
    EXPECT_EQ(TMSound_Play(&s), -27);
    EXPECT_EQ(TMSound_Stop(&s), -27);
    ASSERT_EQ(TMSound_SetDirectSound(&s, nullptr), 0);
    EXPECT_EQ(s.ownFlags & 1, 1u);
    EXPECT_EQ(TMSound_SetPrimaryFormat(&s, &r), -24);
    EXPECT_EQ(TMSound_Release(&s), 0);
    EXPECT_EQ(s.objet, nullptr);
    Son_SimulerAbsence(true);
    EXPECT_EQ(TMSound_SetDirectSound(&s, nullptr), -25);
    Son_SimulerAbsence(false);
}

TEST(SortieSon, SegmentsPlayInOrderAndAreRefilled) {
    ArbreTemporaire arbre;
    const std::string chemin = (arbre.Racine() / "f.rvf").string();
    Film(chemin);
    TMSettings reglages;
    TMSettings_GetDefaults(&reglages);
    RVFReader r;
    ASSERT_EQ(RVFReader_OpenFile(&r, chemin.c_str(), &reglages), 0);

    Temps_Fixer(1000);
    TMSoundOut s;
    TMSound_Reset(&s);
    ASSERT_EQ(TMSound_SetDirectSound(&s, nullptr), 0);
    TMSound_SetWindow(&s, reinterpret_cast<HandleFenetre>(1));
    ASSERT_EQ(TMSound_SetPrimaryFormat(&s, &r), 0);
    EXPECT_EQ(s.format.octetsParSeconde, 44100u);
    TMSoundSegmentRing anneau;
    anneau.Bind(&s);
    // Four segments of 100 ms each.
    ASSERT_EQ(anneau.Create(4, 4410), 0);
    EXPECT_EQ(anneau.total, 17640);
    TMEvenement arret(false);
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(anneau.WaitCurrent(&arret), 0);   // every segment starts played
        uint8_t* p = anneau.LockCurrent(0, anneau.CurrentSize());
        ASSERT_NE(p, nullptr);
        std::memset(p, i + 1, static_cast<size_t>(anneau.CurrentSize()));
        anneau.CompleteCurrent();
    }
    for (const auto& g : anneau.segments) EXPECT_FALSE(g.evenement->Signale());
    ASSERT_EQ(TMSound_Play(&s), 0);
    // A segment's event is set once the cursor has passed its last byte, one after the other.
    for (int i = 0; i < 4; ++i) {
        Temps_Avancer(110);
        Son_Rattraper();
        for (int k = 0; k < 4; ++k) EXPECT_EQ(anneau.segments[static_cast<size_t>(k)].evenement->Signale(), k <= i) << i << k;
        // The thread refills the one that played (its wait returns at once).
        if (i == 0) {
            EXPECT_EQ(anneau.WaitCurrent(&arret), 0);
        }
    }
    EXPECT_EQ(anneau.WaitAllPlayed(&arret), 0);
    // A lock asked past the segment keeps inside it.
    anneau.current = 3;
    anneau.segments[3].evenement->Effacer();
    ASSERT_NE(anneau.LockCurrent(4000, 1000), nullptr);
    EXPECT_EQ(anneau.segments[3].n1, 410u);
    anneau.UnlockCurrent();
    arret.Signaler();
    EXPECT_EQ(anneau.WaitCurrent(&arret), 1);   // stop set: at once
    EXPECT_EQ(anneau.WaitAllPlayed(&arret), 1);
    anneau.Free();
    EXPECT_EQ(TMSound_Release(&s), 0);
    RVFReader_Close(&r);
}

// Mended: notifications run on the audio thread after it has let go of the mixer; taking them
// away (at every movie's end) returned while one still ran, and its context was then freed.
TEST(SortieSon, TakingNotificationsAwayWaitsForThoseRunning) {
    struct Etat {
        std::atomic<bool> entree{false}, finie{false};
    };
    SonObjet* objet = nullptr;
    ASSERT_EQ(SonObjet_Creer(0, &objet), 0);
    FormatOnde f;
    f.canaux = 1;
    f.frequence = 22050;
    f.bits = 16;
    f.alignement = 2;
    f.octetsParSeconde = 44100;
    for (bool liberer : {false, true}) {
        TamponSon* t = nullptr;
        ASSERT_EQ(SonObjet_CreerTampon(objet, TAMPON_POSITION2 | TAMPON_CTRL_NOTIFICATION, 4410, &f, &t), 0);
        Etat etat;
        const uint32_t position = 99;
        ASSERT_EQ(TamponSon_Notifications(t, 1, &position,
                                          [](void* c, uint32_t) {
                                              auto* e = static_cast<Etat*>(c);
                                              e->entree = true;
                                              std::this_thread::sleep_for(std::chrono::milliseconds(200));
                                              e->finie = true;
                                          },
                                          &etat),
                  0);
        ASSERT_EQ(TamponSon_Jouer(t, JOUER_BOUCLE), 0);
        Temps_Avancer(20);
        // Another thread mixes and runs the notification, as the audio thread does.
        std::thread audio([] { Son_Rattraper(); });
        while (!etat.entree) std::this_thread::yield();
        if (liberer) {
            TamponSon_Liberer(t);
        } else {
            TamponSon_Arreter(t);
            EXPECT_EQ(TamponSon_Notifications(t, 0, nullptr, nullptr, nullptr), 0);
        }
        EXPECT_TRUE(etat.finie) << liberer;
        audio.join();
        if (!liberer) TamponSon_Liberer(t);
    }
    SonObjet_Liberer(objet);
}
