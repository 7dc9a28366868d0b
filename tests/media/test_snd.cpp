#include <gtest/gtest.h>

#include <cstring>

#include "media/snd_c.h"
#include "outils_son.h"
#include "platform/temps.h"

using namespace outils_son;

namespace {

class Bibliotheque : public ArbreSon {
protected:
    SndManager* m = nullptr;
    Snd3DParams p{};

    void SetUp() override {
        ArbreSon::SetUp();
        m = SND_Create();
        ASSERT_NE(m, nullptr);
        ASSERT_EQ(SND_C_CheckVersion(m, 1), 1);
        ASSERT_EQ(SND_C_GetDeviceCount(m), 1);
        ASSERT_EQ(SND_C_Open(m, fenetre, SND_C_GetDevice(m, 0), SND_MODE_3D), 1);
        ASSERT_EQ(SND_C_Default3DParams(m, &p), 1);
    }
    void TearDown() override {
        SND_Delete(m);
        ArbreSon::TearDown();
    }
    // Writes ..\Son\<nom>.wav (0.1 s tone) and loads it.
    void Charger(const char* nom, SndSound* s, double secondes = 0.1) {
        Ecrire(racine / "Son" / (std::string(nom) + ".wav"), Ton(440, secondes).Octets());
        std::string chemin = std::string("..\\Son\\") + nom + ".wav";
        ASSERT_EQ(SND_C_LoadWave(m, chemin.c_str(), s), 1) << m->derniereErreur << " " << m->detailErreur;
    }
};

}  // namespace

TEST(BibliothequeSon, DecibelsDuVolumeEtCentreDuPan) {
    struct Cas {
        int32_t volume, db;
    };
    for (Cas c : {Cas{100, 0}, Cas{0, -10000}, Cas{1, -4000}, Cas{10, -2000}, Cas{50, -602}, Cas{150, 0}, Cas{-3, -10000}})
        EXPECT_EQ(SND_VolumeToDb(0, 100, c.volume), c.db) << c.volume;
    // Pan 0 is the centre (the play start sets it), not hard left.
    EXPECT_EQ(SND_PanToDb(-100, 100, 0), 0);
    EXPECT_EQ(SND_PanToDb(-100, 100, -100), -10000);
    EXPECT_EQ(SND_PanToDb(-100, 100, 100), 10000);
    EXPECT_EQ(SND_PanToDb(-100, 100, -50), -602);
}

TEST(BibliothequeSon, InterfaceSansGestionnaire) {
    SND_Delete(nullptr);
    Snd3DParams p{};
    SndSound s{};
    float v[3] = {0, 0, 0};
    EXPECT_EQ(SND_C_CheckVersion(nullptr, 1), 0);
    EXPECT_EQ(SND_C_GetDevice(nullptr, 0), nullptr);
    EXPECT_EQ(SND_C_Open(nullptr, nullptr, nullptr, 1), 0);
    EXPECT_EQ(SND_C_Play3D(nullptr, &s, &p, 0), 0);
    EXPECT_EQ(SND_C_SetListenerPosition(nullptr, v), 0);
    EXPECT_EQ(SND_C_GetDirectSound(nullptr), nullptr);
}

TEST_F(Bibliotheque, OuvertureFermetureEtErreurs) {
    SndDevice* d = SND_C_GetDevice(m, 0);
    EXPECT_STREQ(m->nomLibrairie, "Tesk Sound Library Version 1.0");
    EXPECT_EQ(d->taille, TAILLE_SND_DEVICE);
    ASSERT_NE(d->capacites, nullptr);
    EXPECT_EQ(d->capacites->taille, TAILLE_SND_CAPS);
    EXPECT_EQ(SND_C_GetDevice(m, 1), nullptr);
    EXPECT_EQ(SND_C_GetDevice(m, -1), nullptr);
    SonObjet* premier = SND_C_GetDirectSound(m);
    ASSERT_NE(premier, nullptr);
    // A second open fails and keeps the first.
    EXPECT_EQ(SND_C_Open(m, fenetre, d, SND_MODE_3D), 0);
    EXPECT_EQ(m->derniereErreur, SND_ERR_DEJA_OUVERT);
    EXPECT_EQ(SND_C_GetDirectSound(m), premier);
    char texte[128];
    SND_ErrorText(m, texte, sizeof texte);
    EXPECT_STREQ(texte, "Error -1010\tSound Manager already Opened. Can't open twice.");
    // Wrong size words: the argument's number.
    SndSound s{};
    Snd3DParams faux = p;
    faux.taille = 64;
    EXPECT_EQ(SND_C_Play3D(m, &s, &p, 0), 0);
    EXPECT_EQ(m->derniereErreur, SND_ERR_ARGUMENT);
    EXPECT_EQ(m->detailErreur, 1u);
    Charger("bip", &s);
    EXPECT_EQ(SND_C_Play3D(m, &s, &faux, 0), 0);
    EXPECT_EQ(m->detailErreur, 2u);
    EXPECT_EQ(SND_C_Play3D(m, &s, &p, 2), 0);
    EXPECT_EQ(m->detailErreur, 3u);
    EXPECT_EQ(SND_C_SetVolume(m, &s, 101), 0);
    EXPECT_EQ(m->detailErreur, 2u);
    EXPECT_EQ(SND_C_Close(m), 1);
    EXPECT_EQ(SND_C_Close(m), 0);
    EXPECT_EQ(m->derniereErreur, SND_ERR_PAS_OUVERT_FERMETURE);
    EXPECT_EQ(SND_C_Play3D(m, &s, &p, 0), 0);
    EXPECT_EQ(m->derniereErreur, SND_ERR_PAS_OUVERT);
    // 3D operations on a manager opened in 2D.
    ASSERT_EQ(SND_C_Open(m, fenetre, d, SND_MODE_2D), 1);
    float v[3] = {0, 0, 1};
    EXPECT_EQ(SND_C_SetListenerPosition(m, v), 0);
    EXPECT_EQ(m->derniereErreur, SND_ERR_PAS_3D);
    EXPECT_EQ(SND_C_Play3D(m, &s, &p, 0), 0);
    EXPECT_EQ(m->derniereErreur, SND_ERR_PAS_3D);
    EXPECT_EQ(SND_C_FreeSound(m, &s), 1);
    EXPECT_EQ(s.donnees, nullptr);
    EXPECT_EQ(SND_C_FreeSound(m, &s), 1);   // the size word stays; everything is already freed
}

TEST_F(Bibliotheque, OuvertureSansFenetreOuSansPeripherique) {
    SND_C_Close(m);
    EXPECT_EQ(SND_C_Open(m, nullptr, SND_C_GetDevice(m, 0), SND_MODE_3D), 0);
    EXPECT_EQ(m->derniereErreur, SND_ERR_ARGUMENT);
    EXPECT_EQ(m->detailErreur, 1u);
    EXPECT_EQ(m->ouvert, 0u);
    EXPECT_EQ(SND_C_GetDirectSound(m), nullptr);
    Son_SimulerAbsence(true);
    EXPECT_EQ(SND_C_Open(m, fenetre, SND_C_GetDevice(m, 0), SND_MODE_3D), 0);
    EXPECT_EQ(m->derniereErreur, SND_ERR_CREATION);
    SndManager* autre = SND_Create();
    EXPECT_EQ(SND_C_CheckVersion(autre, 1), 1);
    EXPECT_EQ(SND_C_GetDeviceCount(autre), 0);
    SND_Delete(autre);
    Son_SimulerAbsence(false);
}

TEST_F(Bibliotheque, FichiersWavFautifs) {
    struct Cas {
        const char* nom;
        Wav wav;
        int32_t code;
        uint32_t detail;
    };
    Wav bon = Ton(440, 0.05);
    std::vector<Cas> cas;
    auto ajouter = [&](const char* nom, auto modifier, int32_t code, uint32_t detail) {
        Wav w = bon;
        modifier(w);
        cas.push_back({nom, w, code, detail});
    };
    ajouter("pasWave", [](Wav& w) { w.forme = "AVI "; }, SND_ERR_LECTURE_FICHIER, 1);
    ajouter("sansFmt", [](Wav& w) { w.avecFmt = false; }, SND_ERR_LECTURE_FICHIER, 2);
    ajouter("fmtCourt", [](Wav& w) { w.tailleFmt = 12; }, SND_ERR_LECTURE_FICHIER, 3);
    ajouter("sansData", [](Wav& w) { w.avecData = false; }, SND_ERR_LECTURE_FICHIER, 4);
    ajouter("dataVide", [](Wav& w) { w.donnees.clear(); }, SND_ERR_LECTURE_FICHIER, 5);
    ajouter("dataMenteuse", [](Wav& w) { w.tailleDataDeclaree = 0x7FFFFFF0; }, SND_ERR_LECTURE_FICHIER, 6);
    ajouter("dataCourte", [](Wav& w) { w.tailleDataDeclaree = static_cast<int64_t>(w.donnees.size()) + 1; },
            SND_ERR_LECTURE_FICHIER, 6);
    for (const Cas& c : cas) {
        Ecrire(racine / "Son" / (std::string(c.nom) + ".wav"), c.wav.Octets());
        SndSound s{};
        std::string chemin = std::string("..\\Son\\") + c.nom + ".wav";
        EXPECT_EQ(SND_C_LoadWave(m, chemin.c_str(), &s), 0) << c.nom;
        EXPECT_EQ(m->derniereErreur, c.code) << c.nom;
        EXPECT_EQ(m->detailErreur, c.detail) << c.nom;
        // Nothing allocated, and the record is refused from then on.
        EXPECT_EQ(s.taille, 0u);
        EXPECT_EQ(s.donnees, nullptr);
        EXPECT_EQ(s.nom, nullptr);
        EXPECT_EQ(SND_C_Play3D(m, &s, &p, 0), 0);
    }
    // A truncated file: cut in the middle of the format chunk.
    std::vector<uint8_t> o = bon.Octets();
    o.resize(30);
    Ecrire(racine / "Son" / "tronque.wav", o);
    SndSound s{};
    EXPECT_EQ(SND_C_LoadWave(m, "..\\Son\\tronque.wav", &s), 0);
    EXPECT_EQ(m->derniereErreur, SND_ERR_LECTURE_FICHIER);
    EXPECT_EQ(SND_C_LoadWave(m, "..\\Son\\absent.wav", &s), 0);
    EXPECT_EQ(m->derniereErreur, SND_ERR_OUVERTURE_FICHIER);
    EXPECT_EQ(SND_C_LoadWave(m, nullptr, &s), 0);
    EXPECT_EQ(m->detailErreur, 1u);
    // A long format chunk (extensible header) loads: its six standard fields are kept.
    Wav longue = bon;
    longue.tailleFmt = 40;
    Ecrire(racine / "Son" / "fmtLong.wav", longue.Octets());
    ASSERT_EQ(SND_C_LoadWave(m, "..\\son\\FMTLONG.wav", &s), 1);
    EXPECT_EQ(s.taille, TAILLE_SND_SOUND);
    EXPECT_EQ(s.description.format->frequence, 22050u);
    EXPECT_EQ(s.description.format->supplement, 18u);
    EXPECT_EQ(s.description.drapeaux, SND_DRAPEAUX_SON);
    EXPECT_EQ(s.description.octets, longue.donnees.size());
    EXPECT_STREQ(s.nom, "..\\son\\FMTLONG.wav");
    SND_C_FreeSound(m, &s);
    // A format the mixer cannot play loads, and is refused when a buffer is made for it.
    Wav bits24 = bon;
    bits24.bits = 24;
    bits24.donnees.resize(bits24.donnees.size() / 2 * 3);
    Ecrire(racine / "Son" / "bits24.wav", bits24.Octets());
    ASSERT_EQ(SND_C_LoadWave(m, "..\\Son\\bits24.wav", &s), 1);
    EXPECT_EQ(SND_C_Play3D(m, &s, &p, 0), 0);
    EXPECT_EQ(m->derniereErreur, SND_ERR_ALLOCATION_TAMPON);
    EXPECT_EQ(s.nombreInstances, 0);
    SND_C_FreeSound(m, &s);
}

TEST_F(Bibliotheque, ReserveDInstances) {
    SndSound a{}, b{};
    Charger("a", &a, 0.2);
    Charger("b", &b, 0.2);
    // Three plays while the others still sound: three instances.
    for (int k = 0; k < 3; ++k) ASSERT_EQ(SND_C_Play3D(m, &a, &p, 0), 1);
    EXPECT_EQ(m->nombreTampons, 3);
    EXPECT_EQ(a.nombreInstances, 3);
    EXPECT_EQ(m->derniereInstance, 2);
    // All ended: the fourth reuses the first, creating nothing.
    Temps_Avancer(300);
    TamponSon* premier = m->tampons[0].tampon;
    ASSERT_EQ(SND_C_Play3D(m, &a, &p, 0), 1);
    EXPECT_EQ(m->nombreTampons, 3);
    EXPECT_EQ(m->derniereInstance, 0);
    EXPECT_EQ(m->tampons[0].tampon, premier);
    // b has none: the first free instance of the pool (a's second) is taken from a and rebuilt.
    ASSERT_EQ(SND_C_Play3D(m, &b, &p, 0), 1);
    EXPECT_EQ(m->nombreTampons, 3);
    EXPECT_EQ(m->derniereInstance, 1);
    EXPECT_EQ(a.nombreInstances, 2);
    EXPECT_EQ(a.instances[1], -1);
    EXPECT_EQ(b.nombreInstances, 1);
    EXPECT_EQ(m->tampons[1].proprietaire, &b);
    // No probe found reverb support.
    EXPECT_EQ(m->drapeauxReverb, 0u);
    SND_C_FreeSound(m, &a);
    SND_C_FreeSound(m, &b);
}

TEST_F(Bibliotheque, SonLibereOuGestionnaireRouvert) {
    SndSound a{}, b{};
    Charger("a", &a);
    Charger("b", &b);
    ASSERT_EQ(SND_C_Play3D(m, &a, &p, 0), 1);
    // Freed while its instance is still in the pool: the instance no longer points at it, so
    // taking it later for b writes nothing into a's freed list.
    SND_C_FreeSound(m, &a);
    EXPECT_EQ(m->tampons[0].proprietaire, nullptr);
    // Its size word stays but its data is gone: a play of it is refused, not attempted.
    EXPECT_EQ(SND_C_Play3D(m, &a, &p, 0), 0);
    EXPECT_EQ(m->derniereErreur, SND_ERR_ARGUMENT);
    EXPECT_EQ(m->detailErreur, 1u);
    Temps_Avancer(200);
    ASSERT_EQ(SND_C_Play3D(m, &b, &p, 0), 1);
    EXPECT_EQ(m->nombreTampons, 1);
    // Closing empties the pool and the sounds' lists; after a reopen the sound plays again.
    ASSERT_EQ(SND_C_Close(m), 1);
    EXPECT_EQ(b.nombreInstances, 0);
    ASSERT_EQ(SND_C_Open(m, fenetre, SND_C_GetDevice(m, 0), SND_MODE_3D), 1);
    ASSERT_EQ(SND_C_Play3D(m, &b, &p, 0), 1);
    EXPECT_EQ(m->nombreTampons, 1);
    EXPECT_EQ(b.nombreInstances, 1);
    SND_C_FreeSound(m, &b);
}

TEST_F(Bibliotheque, EcouteurEtParametresAppliquesATouteInstance) {
    SndSound a{};
    Charger("a", &a, 1.0);
    float droite[3] = {0.5f, 0, 0};
    ASSERT_EQ(SND_C_Set3DPosition(m, &p, droite), 1);
    ASSERT_EQ(SND_C_Play3D(m, &a, &p, 0), 1);
    float g = 0, d = 0;
    TamponSon_Gains(m->tampons[0].tampon, &g, &d);
    EXPECT_LT(g, d);
    // The listener moves to the right of the sound: heard only from the next 3D play.
    float ecouteur[3] = {1.0f, 0, 0};
    ASSERT_EQ(SND_C_SetListenerPosition(m, ecouteur), 1);
    EXPECT_EQ(m->ecouteurChange, 1u);
    TamponSon_Gains(m->tampons[0].tampon, &g, &d);
    EXPECT_LT(g, d);
    ASSERT_EQ(SND_C_Play3D(m, &a, &p, 0), 1);
    EXPECT_EQ(m->ecouteurChange, 0u);
    TamponSon_Gains(m->tampons[0].tampon, &g, &d);
    EXPECT_GT(g, d);
    // Volume and 3D parameters reach every instance of the sound, the first one too.
    ASSERT_EQ(SND_C_SetVolume(m, &a, 50), 1);
    float loin[3] = {1.0f, 0, 3.0f};
    ASSERT_EQ(SND_C_Set3DPosition(m, &p, loin), 1);
    ASSERT_EQ(SND_C_Set3DParams(m, &a, &p), 1);
    for (int i = 0; i < 2; ++i) {
        TamponSon_Gains(m->tampons[i].tampon, &g, &d);
        EXPECT_NEAR(g, 0.5f * 1.0f / 3.0f, 2e-3) << i;
    }
    SND_C_FreeSound(m, &a);
}

TEST_F(Bibliotheque, DeleteFermeUnGestionnaireOuvert) {
    SndSound a{};
    Charger("a", &a);
    ASSERT_EQ(SND_C_Play3D(m, &a, &p, 0), 1);
    SND_Delete(m);
    m = nullptr;
    EXPECT_EQ(a.nombreInstances, 0);
    SndManager* neuf = SND_Create();
    SND_C_FreeSound(neuf, &a);   // works on an unopened manager
    EXPECT_EQ(a.donnees, nullptr);
    SND_Delete(neuf);
}
