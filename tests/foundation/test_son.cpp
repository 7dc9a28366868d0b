#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "foundation/ecran.h"
#include "foundation/son.h"
#include "media/outils_son.h"
#include "platform/cd.h"
#include "platform/profil.h"
#include "platform/son.h"
#include "platform/temps.h"
#include "shell/trame.h"

using namespace outils_son;

namespace {

// A game tree with a few samples and a sound list, the audio started on the main window.
class CoucheAudio : public ArbreSon {
protected:
    void SetUp() override {
        ArbreSon::SetUp();
        FenetrePrincipale = fenetre;
        LargeurEcran = 640;
        HauteurEcran = 480;
        RepereX = 0;
        RepereY = 0;
        Ecrire(racine / "Son" / "bip.wav", Ton(880, 0.15).Octets());
        Ecrire(racine / "Son" / "grave.wav", Ton(220, 0.15).Octets());
        EcrireTexte(racine / "Son" / "SoundList.ini",
                    "[LIST]\r\nMAXNUMBER=20\r\n1=bip\r\n2=grave\r\n3=absent\r\n");
    }
    void TearDown() override {
        Ressource__Fin();
        Son__Fin();
        ArbreSon::TearDown();
    }
    void Demarrer() {
        Ressource__Initialisation();
        Son__Initialisation(FenetrePrincipale);
        Son__LectureListe("..\\Son\\SoundList.ini");
    }
    static EchantillonSon* Echantillon(int32_t id) {
        return static_cast<EchantillonSon*>(Ressource__DonneesId(RESSOURCE_SON, id));
    }
};

}  // namespace

TEST(SonLectureMot, DecoupeEnPlace) {
    struct Cas {
        const char* texte;
        const char* jeton;
        const char* suite;   // null: none
    };
    for (Cas c : {Cas{"bip", "bip", nullptr}, Cas{"bip, 30", "bip", "30"}, Cas{"bip ; 30 ; 80", "bip", "30 ; 80"},
                  Cas{"bip,,80", "bip", "80"}, Cas{"bip ,", "bip", nullptr}, Cas{"a b, c", "a b", "c"}}) {
        std::string t = c.texte;
        char* suite = Son__LectureMot(t.data());
        EXPECT_STREQ(t.c_str(), c.jeton) << c.texte;
        if (c.suite == nullptr) EXPECT_EQ(suite, nullptr) << c.texte;
        else EXPECT_STREQ(suite, c.suite) << c.texte;
    }
    std::string vide = " ,; ";
    EXPECT_EQ(Son__LectureMot(vide.data()), nullptr);
    EXPECT_EQ(Son__LectureMot(nullptr), nullptr);
}

TEST_F(CoucheAudio, RegleDesJetonsDeLaListe) {
    EcrireTexte(racine / "Son" / "SoundList.ini",
                "; the sample list\r\n[Autre]\r\n5=faux\r\n[list]\r\nMAXNUMBER = 15\r\n"
                "10=  bip\r\n11=bip, 30\r\n12=bip ; 30 ; 80\r\n13=bip,,80\r\n14=grave,-1,20\r\n"
                "15=bip, 9999999, 150\r\n007=faux\r\n16=faux\r\n9=\r\n"
                // A second section of the name is read too; a key given twice keeps its first value.
                "[LIST]\r\n10=grave\r\n8=\"grave\"\r\n");
    Demarrer();
    struct Cas {
        int32_t id, delai, volume;
    };
    for (Cas c : {Cas{10, -1, 100}, Cas{11, 30000, 100}, Cas{12, 30000, 80}, Cas{13, 80000, 100}, Cas{14, -1, 100},
                  Cas{15, INT32_MAX, 100}}) {
        Ressource* r = Ressource__Cherche(RESSOURCE_SON, c.id);
        ASSERT_NE(r, nullptr) << c.id;
        EXPECT_EQ(r->delaiInactivite, c.delai) << c.id;
        EXPECT_EQ(Echantillon(c.id)->volume, c.volume) << c.id;
        EXPECT_EQ(r->charge, 0);
    }
    EXPECT_STREQ(Ressource__Cherche(RESSOURCE_SON, 14)->nom, "..\\Son\\grave.wav");
    EXPECT_STREQ(Ressource__Cherche(RESSOURCE_SON, 10)->nom, "..\\Son\\bip.wav");
    EXPECT_STREQ(Ressource__Cherche(RESSOURCE_SON, 8)->nom, "..\\Son\\grave.wav");
    // Keys above MAXNUMBER, empty values, other sections and non-decimal keys are not read.
    for (int32_t id : {16, 9, 7, 5, 1}) EXPECT_EQ(Ressource__Cherche(RESSOURCE_SON, id), nullptr) << id;
    // Registered from the highest down: the lowest is at the head.
    EXPECT_EQ(ListeRessources->id, 8);
    EXPECT_EQ(ProchainIdRessource, 16);
}

TEST_F(CoucheAudio, ListeAbsenteOuSansMaximum) {
    EcrireTexte(racine / "Son" / "SoundList.ini", "[LIST]\r\n1=bip\r\n");
    Demarrer();
    EXPECT_EQ(ListeRessources, nullptr);
    Son__LectureListe("..\\Son\\Rien.ini");
    EXPECT_EQ(ListeRessources, nullptr);
    Son__Joue(1);   // nothing to play
}

TEST_F(CoucheAudio, GardeDeCentMillisecondesParId) {
    Demarrer();
    // The first play comes right at start, at tick 0.
    Temps_Fixer(0);
    Son__Joue(1);
    EXPECT_EQ(Ressource__Cherche(RESSOURCE_SON, 1)->charge, 1);
    EXPECT_EQ(GestionnaireSon->nombreTampons, 1);
    Temps_Avancer(50);
    Son__Joue(1);   // dropped
    Son__Joue(2);   // another id is not affected
    EXPECT_EQ(GestionnaireSon->nombreTampons, 2);
    EXPECT_EQ(Ressource__Cherche(RESSOURCE_SON, 1)->dernierUsage, 0u);
    Temps_Avancer(50);
    Son__Joue(1);   // exactly 100 ms: still dropped
    EXPECT_EQ(Ressource__Cherche(RESSOURCE_SON, 1)->dernierUsage, 0u);
    Temps_Avancer(1);
    Son__Joue(1);
    EXPECT_EQ(Ressource__Cherche(RESSOURCE_SON, 1)->dernierUsage, 101u);
    // Across the tick count's wrap.
    Temps_Fixer(0xFFFFFFF0u);
    Son__Joue(2);
    EXPECT_EQ(Ressource__Cherche(RESSOURCE_SON, 2)->dernierUsage, 0xFFFFFFF0u);
    Temps_Fixer(0x20);
    Son__Joue(2);
    EXPECT_EQ(Ressource__Cherche(RESSOURCE_SON, 2)->dernierUsage, 0xFFFFFFF0u);
    Temps_Fixer(0x60);
    Son__Joue(2);
    EXPECT_EQ(Ressource__Cherche(RESSOURCE_SON, 2)->dernierUsage, 0x60u);
    // The caller's own threshold.
    Temps_Avancer(3000);
    Son__JoueIntervalle(2, 3500);
    EXPECT_EQ(Ressource__Cherche(RESSOURCE_SON, 2)->dernierUsage, 0x60u);
    Temps_Avancer(501);
    Son__JoueIntervalle(2, 3500);
    EXPECT_EQ(Ressource__Cherche(RESSOURCE_SON, 2)->dernierUsage, 0x60u + 3501u);
}

TEST_F(CoucheAudio, CullingALaBorneExacte) {
    Demarrer();
    RepereX = 10;
    RepereY = 20;
    // Centre of the view: (10 + 13, 20 + 10); bounds 53 cells across, 40 down.
    struct Cas {
        int32_t x, y;
        bool joue;
    };
    uint32_t t = 1000;
    for (Cas c : {Cas{23 + 53, 30, true}, Cas{23 + 54, 30, false}, Cas{23 - 53, 30, true}, Cas{23 - 54, 30, false},
                  Cas{23, 30 + 40, true}, Cas{23, 30 + 41, false}, Cas{23, 30 - 41, false}}) {
        t += 1000;
        Temps_Fixer(t);
        Son__JoueEnPosition(1, c.x, c.y);
        bool joue = Ressource__Cherche(RESSOURCE_SON, 1)->dernierUsage == t;
        EXPECT_EQ(joue, c.joue) << c.x << "," << c.y;
    }
    Temps_Fixer(t + 1000);
    Son__JoueEnPosition(1, 23 + 4, 30 - 2);
    EXPECT_FLOAT_EQ(PositionSon[0], 0.4f);
    EXPECT_FLOAT_EQ(PositionSon[1], -0.2f);
    EXPECT_FLOAT_EQ(PositionSon[2], 0.9f);
    EXPECT_FLOAT_EQ(Parametres3DSon.tampon3D.position[0], 0.4f);
}

TEST_F(CoucheAudio, EchecDeChargementNonRetente) {
    Demarrer();
    Son__Joue(3);
    Ressource* r = Ressource__Cherche(RESSOURCE_SON, 3);
    EXPECT_EQ(r->charge, 1);
    EXPECT_NE(Echantillon(3)->son.taille, TAILLE_SND_SOUND);
    // The file appears later: the entry is not loaded again.
    Ecrire(racine / "Son" / "absent.wav", Ton(440, 0.1).Octets());
    Temps_Avancer(500);
    Son__Joue(3);
    EXPECT_NE(Echantillon(3)->son.taille, TAILLE_SND_SOUND);
    EXPECT_EQ(GestionnaireSon->nombreTampons, 0);
}

TEST_F(CoucheAudio, CacheEtEnregistrement) {
    Demarrer();
    EXPECT_EQ(Son__Enregistre(nullptr, 40, -1, 50), -1);
    EXPECT_EQ(Son__Enregistre("..\\Son\\bip.wav", 40, -1, 150), 40);
    EXPECT_EQ(Echantillon(40)->volume, 100);
    EXPECT_EQ(Son__Enregistre("..\\Son\\bip.wav", -1, -1, -5), 41);
    EXPECT_EQ(Echantillon(41)->volume, 0);
    EXPECT_EQ(Ressource__Ajoute(3, -1, "x", 50), -1);
    EXPECT_EQ(Ressource__Ajoute(RESSOURCE_VIDE, -1, "vide", 7), 7);   // below the next id: it stays
    EXPECT_EQ(ProchainIdRessource, 42);
    EXPECT_EQ(Ressource__PrendId(RESSOURCE_VIDE, 7), nullptr);   // an entry without data
    EXPECT_EQ(Ressource__Cherche(RESSOURCE_VIDE, 7)->charge, 1);
    EXPECT_EQ(Ressource__Cherche(RESSOURCE_SON, -1), nullptr);
    EXPECT_EQ(Ressource__Age(nullptr), 0xFFFFFFFFu);
    // Removing the head, a middle entry, then a type.
    Ressource__Retire(Ressource__Cherche(RESSOURCE_VIDE, 7));
    Ressource__Retire(Ressource__Cherche(RESSOURCE_SON, 40));
    Son__Joue(1);
    Ressource__RetireType(RESSOURCE_SON);
    EXPECT_EQ(ListeRessources, nullptr);
}

TEST_F(CoucheAudio, SansPeripheriqueToutEstSansEffet) {
    Son_SimulerAbsence(true);
    Demarrer();
    Son_SimulerAbsence(false);
    EXPECT_EQ(Son__DirectSound(), nullptr);
    EXPECT_EQ(ObjetDirectSound, nullptr);
    Son__Joue(1);
    Son__JoueEnPosition(2, 5, 5);
    Son__EcouteurRAZ();
    EXPECT_EQ(Ressource__Cherche(RESSOURCE_SON, 1)->charge, 1);
    EXPECT_NE(Echantillon(1)->son.taille, TAILLE_SND_SOUND);
    // No "..\Musique": no CD drive, its error text on the debugger output, every call a no-op.
    EXPECT_EQ(PeripheriqueCD, 0u);
    EXPECT_STREQ(Trace_DerniereLigne(), "There is no CD audio drive.");
    CD__Joue(2);
    EXPECT_EQ(PisteCDDemandee, 2);
    EXPECT_EQ(PisteCD, -1);
    CD__Pause();
    CD__Reprise();
    CD__Redemarre();
    CD__Arrete();
}

TEST_F(CoucheAudio, VolumesAuxiliaires) {
    VolumeMusique = 30;
    VolumeSons = 40;
    Demarrer();
    EXPECT_EQ(AuxCD, 1);
    EXPECT_EQ(AuxSons, 0);
    EXPECT_EQ(VolumeMusique, 100);
    EXPECT_EQ(VolumeSons, 100);
    CD__Volume(50);
    Son__VolumeAux(150);
    uint32_t w = 0;
    Aux_LireVolume(AuxCD, &w);
    EXPECT_EQ(w, 32767u | (32767u << 16));
    Aux_LireVolume(AuxSons, &w);
    EXPECT_EQ(w, 0xFFFFFFFFu);
    Son__VolumeAux(-1);
    Aux_LireVolume(AuxSons, &w);
    EXPECT_EQ(w, 0u);
    Son__Fin();
    Aux_LireVolume(AuxCD, &w);
    EXPECT_EQ(w, 0xFFFFFFFFu);
    Aux_LireVolume(AuxSons, &w);
    EXPECT_EQ(w, 0xFFFFFFFFu);
}

TEST_F(CoucheAudio, ListeDuJeuDExemple) {
    std::filesystem::copy_file(std::filesystem::path(MORVANE_SOURCE_DIR) / "data" / "Son" / "SoundList.ini",
                               racine / "Son" / "SoundList.ini", std::filesystem::copy_options::overwrite_existing);
    Demarrer();
    for (int32_t id : {2010, 2011, 2012, 2017, 2018, 2019}) EXPECT_NE(Ressource__Cherche(RESSOURCE_SON, id), nullptr) << id;
    for (int32_t id = 110; id <= 149; ++id) EXPECT_NE(Ressource__Cherche(RESSOURCE_SON, id), nullptr) << id;
    EXPECT_EQ(Echantillon(2010)->volume, 80);
    EXPECT_STREQ(Ressource__Cherche(RESSOURCE_SON, 2019)->nom, "..\\Son\\or.wav");
}
