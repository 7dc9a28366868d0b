#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "foundation/ecran.h"
#include "foundation/son.h"
#include "media/outils_son.h"
#include "platform/cd.h"
#include "platform/son.h"
#include "platform/temps.h"
#include "shell/trame.h"

using namespace outils_son;

namespace {

int notifications = 0;

intptr_t Procedure(HandleFenetre f, uint32_t m, ParamMot w, ParamLong l) {
    if (m == MSG_CD_NOTIFICATION) {
        if (w == 1 && static_cast<uint32_t>(l) == PeripheriqueCD) ++notifications;
        return 0;
    }
    return Fenetre_ProcedureDefaut(f, m, w, l);
}

// One turn of a waiting loop: takes the messages, and when there are none lets the manual clock
// jump to the next moment something is due (the end of the track playing). Stops at the close or
// quit that the empty script sends.
void Pomper() {
    Message m;
    while (Message_Attente(&m)) {
        Message_Lire(&m);
        if (m.message == MSG_FERMER || m.message == MSG_QUITTER) break;
        Message_Distribuer(&m);
    }
}

// A tree with samples, a sound list and a CD folder holding track 2 (0.5 s of a constant level).
class CDEtCapture : public ArbreSon {
protected:
    std::string capture;
    void SetUp() override {
        ArbreSon::SetUp();
        Fenetre_EnregistrerClasse("CD", Procedure);
        FenetrePrincipale = Fenetre_Creer("CD", "CD", 0, 0, 640, 480);
        LargeurEcran = 640;
        HauteurEcran = 480;
        RepereX = RepereY = 0;
        notifications = 0;
        Ecrire(racine / "Son" / "bip.wav", Ton(880, 0.2, 12000).Octets());
        EcrireTexte(racine / "Son" / "SoundList.ini", "[LIST]\r\nMAXNUMBER=2019\r\n2010=bip\r\n");
        Ecrire(racine / "Musique" / "Piste02.wav", Ton(0, 0.5, 4000).Octets());
        capture = (racine / "capture.wav").string();
        setenv("MORVANE_AUDIO_CAPTURE", capture.c_str(), 1);
        Ressource__Initialisation();
        Son__Initialisation(FenetrePrincipale);
        Son__LectureListe("..\\Son\\SoundList.ini");
        CD__Arrete();
        unsetenv("MORVANE_AUDIO_CAPTURE");
    }
    void TearDown() override {
        Ressource__Fin();
        Son__Fin();
        ArbreSon::TearDown();
    }
};

}  // namespace

TEST_F(CDEtCapture, FinNaturelleDUnePisteNotifieeUneFois) {
    ASSERT_NE(PeripheriqueCD, 0u);
    CD__Joue(2);
    EXPECT_EQ(PisteCD, 2);
    EXPECT_EQ(PisteCDDemandee, 2);
    Temps_Avancer(400);
    Son_Rattraper();
    EXPECT_EQ(CD_PisteEnCours(PeripheriqueCD), 2u);
    for (int k = 0; k < 4; ++k) Pomper();   // the clock reaches the end of the track, and beyond
    EXPECT_GE(Temps_Ticks(), 500u);
    EXPECT_EQ(notifications, 1);
    EXPECT_EQ(CD_PisteEnCours(PeripheriqueCD), 0u);
    // What the window procedure does on it: the same track again.
    CD__Redemarre();
    EXPECT_EQ(CD_PisteEnCours(PeripheriqueCD), 2u);
    EXPECT_EQ(PisteCD, 2);
    // A stop posts nothing.
    CD__Arrete();
    EXPECT_EQ(PisteCD, -1);
    Temps_Avancer(1000);
    Pomper();
    EXPECT_EQ(notifications, 1);
}

TEST_F(CDEtCapture, PauseRepriseEtRepriseRateeQuiRecommence) {
    CD__Joue(2);
    Temps_Avancer(100);
    CD__Pause();
    bool pause = false;
    EXPECT_EQ(CD_PisteEnCours(PeripheriqueCD, &pause), 2u);
    EXPECT_TRUE(pause);
    Temps_Avancer(5000);   // paused: the track does not end
    Pomper();
    EXPECT_EQ(notifications, 0);
    CD__Reprise();
    EXPECT_EQ(CD_PisteEnCours(PeripheriqueCD, &pause), 2u);
    EXPECT_FALSE(pause);
    Temps_Avancer(450);
    Son_Rattraper();
    EXPECT_EQ(CD_PisteEnCours(PeripheriqueCD), 0u);
    // The track ended before the window heard of it: resuming fails, so it starts again.
    CD__Reprise();
    EXPECT_EQ(CD_PisteEnCours(PeripheriqueCD, &pause), 2u);
    EXPECT_FALSE(pause);
    // A missing track: nothing plays.
    CD__Joue(7);
    EXPECT_EQ(PisteCD, -1);
    EXPECT_EQ(PisteCDDemandee, 7);
}

TEST_F(CDEtCapture, LaCaptureFaitEntendreSonsEtMusique) {
    // 0..200 ms: sound 2010 at the listener; 300..500 ms: the same at a cell left of the view's
    // centre; 600..1100 ms: track 2.
    Son__Joue(2010);
    Temps_Avancer(300);
    Son__JoueEnPosition(2010, 13 - 3, 10);
    Temps_Avancer(300);
    CD__Joue(2);
    Temps_Avancer(600);
    Son_Rattraper();
    uint32_t frequence = 0;
    std::vector<int16_t> s = LireCapture(capture, &frequence);
    ASSERT_EQ(frequence, 22050u);
    ASSERT_GE(s.size(), size_t(2 * 22050));
    auto trame = [](int ms) { return static_cast<size_t>(ms) * 22050 / 1000; };
    // At the listener: both channels alike, about the tone's RMS (12000 / sqrt 2).
    double g = Rms(s, 0, trame(10), trame(190)), d = Rms(s, 1, trame(10), trame(190));
    EXPECT_NEAR(g, 8485, 300);
    EXPECT_NEAR(d, g, 1);
    // Silence between.
    EXPECT_LT(Rms(s, 0, trame(220), trame(290)), 1);
    // Left of the centre: louder on the left.
    g = Rms(s, 0, trame(310), trame(490));
    d = Rms(s, 1, trame(310), trame(490));
    EXPECT_GT(g, 1000);
    EXPECT_GT(g, 2 * d);
    // The track, at its constant level.
    EXPECT_NEAR(Rms(s, 0, trame(620), trame(1080)), 4000, 10);
    EXPECT_NEAR(Rms(s, 1, trame(620), trame(1080)), 4000, 10);
}

TEST_F(CDEtCapture, LeVolumeDeLaMusiqueNeTouchePasLesSons) {
    CD__Volume(25);
    Son__VolumeAux(100);
    CD__Joue(2);
    Son__Joue(2010);
    Temps_Avancer(400);
    Son_Rattraper();
    std::vector<int16_t> s = LireCapture(capture);
    // 250..400 ms: the track alone, at a quarter of its level.
    EXPECT_NEAR(Rms(s, 0, 22050 / 4, 22050 * 4 / 10), 1000, 10);
}
