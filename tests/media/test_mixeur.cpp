#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/son.h"
#include "platform/sonmixeur.h"
#include "platform/temps.h"

namespace {

// A voice over a constant 16-bit mono level.
struct VoixConstante {
    std::vector<uint8_t> octets;
    VoixMixeur voix;
    VoixConstante(int16_t niveau, uint32_t trames, uint32_t frequence = 22050) {
        for (uint32_t i = 0; i < trames; ++i) {
            octets.push_back(static_cast<uint8_t>(niveau));
            octets.push_back(static_cast<uint8_t>(static_cast<uint16_t>(niveau) >> 8));
        }
        voix.donnees = octets.data();
        voix.octets = static_cast<uint32_t>(octets.size());
        voix.frequence = frequence;
        voix.joue = true;
    }
};

std::vector<int16_t> Remplir(std::vector<VoixMixeur*> voix, size_t trames, uint32_t frequence = 22050) {
    std::vector<int16_t> s(trames * 2, 1234);
    Mixeur_Remplir(voix.data(), voix.size(), frequence, s.data(), trames);
    return s;
}

}  // namespace

TEST(Mixeur, LeVolumeEnDecibelsMultiplieLeSignal) {
    struct Cas {
        int32_t centiemes;
        int attendu;
    };
    for (Cas c : {Cas{0, 10000}, Cas{-602, 5000}, Cas{-2000, 1000}, Cas{-4000, 100}, Cas{-10000, 0}}) {
        VoixConstante v(10000, 64);
        v.voix.gainGauche = v.voix.gainDroite = Mixeur_GainDb(c.centiemes);
        auto s = Remplir({&v.voix}, 16);
        EXPECT_NEAR(s[10], c.attendu, 3) << c.centiemes;
        EXPECT_NEAR(s[11], c.attendu, 3) << c.centiemes;
    }
}

TEST(Mixeur, SommeEcreteeEtSilenceSansVoix) {
    VoixConstante a(30000, 64), b(30000, 64), c(-30000, 64), d(-30000, 64);
    auto s = Remplir({&a.voix, &b.voix}, 8);
    EXPECT_EQ(s[0], 32767);
    s = Remplir({&c.voix, &d.voix}, 8);
    EXPECT_EQ(s[1], -32768);
    s = Remplir({}, 8);
    for (int16_t x : s) EXPECT_EQ(x, 0);
}

TEST(Mixeur, HuitBitsStereoEtMono3D) {
    std::vector<uint8_t> octets = {192, 64, 192, 64, 192, 64, 192, 64};   // left +64, right -64
    VoixMixeur v;
    v.donnees = octets.data();
    v.octets = 8;
    v.canaux = 2;
    v.bits = 8;
    v.joue = true;
    auto s = Remplir({&v}, 2);
    EXPECT_EQ(s[0], 64 * 256);
    EXPECT_EQ(s[1], -64 * 256);
    v.position = 0;
    v.mono = true;   // a 3D voice is mixed down first
    s = Remplir({&v}, 2);
    EXPECT_EQ(s[0], 0);
    EXPECT_EQ(s[1], 0);
}

TEST(Mixeur, RechantillonneEtSArreteALaFin) {
    // 100 frames at 11025 Hz last 200 frames at 22050 Hz.
    VoixConstante v(1000, 100, 11025);
    auto s = Remplir({&v.voix}, 199);
    EXPECT_TRUE(v.voix.joue);
    EXPECT_EQ(s[2 * 198], 1000);
    s = Remplir({&v.voix}, 10);
    EXPECT_FALSE(v.voix.joue);
    EXPECT_TRUE(v.voix.finie);
    EXPECT_EQ(v.voix.position, 0u);
    EXPECT_EQ(s[0], 1000);
    EXPECT_EQ(s[4], 0);
}

TEST(Mixeur, BoucleEtNotificationsDansLOrdre) {
    VoixConstante v(1000, 100);
    v.voix.boucle = true;
    v.voix.notifications = {49 * 2, 99 * 2, NOTIFICATION_ARRET};
    auto s = Remplir({&v.voix}, 60);
    EXPECT_EQ(v.voix.atteintes, (std::vector<uint32_t>{0}));
    v.voix.atteintes.clear();
    s = Remplir({&v.voix}, 250);   // wraps twice: each position once per fill at least
    EXPECT_TRUE(v.voix.joue);
    EXPECT_FALSE(v.voix.finie);
    EXPECT_EQ(s[2 * 249], 1000);
    ASSERT_FALSE(v.voix.atteintes.empty());
    EXPECT_EQ(v.voix.atteintes.front(), 1u);
}

TEST(Mixeur, GainsDuServiceEn3D) {
    // The law: full up to the minimum distance, then min / (min + rolloff (d - min)); silent
    // beyond the maximum distance for a buffer muted there.
    ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
    SonObjet* objet = nullptr;
    ASSERT_EQ(SonObjet_Creer(0, &objet), SON_OK);
    TamponSon* primaire = nullptr;
    ASSERT_EQ(SonObjet_CreerTampon(objet, TAMPON_PRIMAIRE | TAMPON_CTRL_3D, 0, nullptr, &primaire), SON_OK);
    ParametresEcouteurSon ecouteur;
    ecouteur.position[2] = 1.0f;
    ASSERT_EQ(EcouteurSon_Parametres(TamponSon_Ecouteur(primaire), &ecouteur), SON_OK);
    FormatOnde f;
    f.canaux = 1;
    f.bits = 16;
    f.frequence = 22050;
    TamponSon* t = nullptr;
    ASSERT_EQ(SonObjet_CreerTampon(objet, TAMPON_CTRL_3D | TAMPON_MUET_DISTANCE_MAX | TAMPON_CTRL_VOLUME, 400, &f, &t),
              SON_OK);
    struct Cas {
        float x, z;
        float gain;
    };
    for (Cas c : {Cas{0, 1.5f, 1.0f}, Cas{0, 3.0f, 0.5f}, Cas{0, 6.3f, 1.0f / 5.3f}, Cas{0, 30.0f, 0.0f}}) {
        PlacementSon3D p;
        p.position[0] = c.x;
        p.position[2] = c.z;
        p.distanceMax = 20.0f;
        ASSERT_EQ(TamponSon_Parametres3D(t, &p), SON_OK);
        float g = 0, d = 0;
        ASSERT_TRUE(TamponSon_Gains(t, &g, &d));
        EXPECT_NEAR(g, c.gain, 1e-4) << c.z;
        EXPECT_NEAR(d, c.gain, 1e-4) << c.z;
    }
    // Left of the listener: the right channel fades.
    PlacementSon3D p;
    p.position[0] = -0.5f;
    p.position[2] = 1.0f;
    ASSERT_EQ(TamponSon_Parametres3D(t, &p), SON_OK);
    float g = 0, d = 0;
    TamponSon_Gains(t, &g, &d);
    EXPECT_FLOAT_EQ(g, 1.0f);
    EXPECT_FLOAT_EQ(d, 0.0f);
    // The music level of the auxiliary device scales only music buffers.
    ASSERT_TRUE(Aux_EcrireVolume(1, 0x7FFF7FFFu));
    p.position[0] = 0;
    TamponSon_Parametres3D(t, &p);
    TamponSon_Gains(t, &g, nullptr);
    EXPECT_FLOAT_EQ(g, 1.0f);
    TamponSon_Categorie(t, 1);
    TamponSon_Gains(t, &g, nullptr);
    EXPECT_NEAR(g, 0.5f, 1e-3);
    TamponSon_Liberer(t);
    TamponSon_Liberer(primaire);
    SonObjet_Liberer(objet);
}

TEST(Mixeur, StopGardeLaPositionEtRefusLesFormatsInjouables) {
    ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
    SonObjet* objet = nullptr;
    ASSERT_EQ(SonObjet_Creer(0, &objet), SON_OK);
    FormatOnde f;
    f.canaux = 1;
    f.bits = 16;
    f.frequence = 1000;
    TamponSon* t = nullptr;
    ASSERT_EQ(SonObjet_CreerTampon(objet, TAMPON_CTRL_VOLUME, 2000, &f, &t), SON_OK);   // one second
    ASSERT_EQ(TamponSon_Jouer(t, JOUER_BOUCLE), SON_OK);
    Temps_Avancer(1500);
    uint32_t etat = 0, lecture = 0;
    TamponSon_Etat(t, &etat);
    EXPECT_EQ(etat, ETAT_JOUE | ETAT_BOUCLE);   // looping goes on past the end
    TamponSon_Arreter(t);
    TamponSon_PositionLecture(t, &lecture, nullptr);
    EXPECT_NEAR(lecture, 1000u, 8u);
    Temps_Avancer(500);
    uint32_t apres = 0;
    TamponSon_PositionLecture(t, &apres, nullptr);
    EXPECT_EQ(apres, lecture);
    TamponSon_Etat(t, &etat);
    EXPECT_EQ(etat, 0u);
    EXPECT_EQ(TamponSon_Volume(t, 1), SON_ERREUR_PARAMETRE);
    EXPECT_EQ(TamponSon_Pan(t, 0), SON_ERREUR_INTERDIT);   // created without pan control
    for (FormatOnde m : {FormatOnde{3, 1, 22050, 0, 0, 32}, FormatOnde{1, 1, 22050, 0, 0, 24},
                         FormatOnde{1, 6, 22050, 0, 0, 16}, FormatOnde{1, 1, 50, 0, 0, 16}}) {
        TamponSon* x = nullptr;
        EXPECT_EQ(SonObjet_CreerTampon(objet, 0, 400, &m, &x), SON_ERREUR_FORMAT);
        EXPECT_EQ(x, nullptr);
    }
    TamponSon_Liberer(t);
    SonObjet_Liberer(objet);
}
