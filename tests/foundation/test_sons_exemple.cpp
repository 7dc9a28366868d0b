// The sample game's sounds and music as the build assembles them: every sound id the game plays
// is in the sound list and its sample loads, and the virtual CD has every track a battle or the
// castle may ask for.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "foundation/son.h"
#include "media/outils_son.h"
#include "media/snd.h"
#include "dossier_temporaire.h"

using namespace outils_son;

namespace {

class SonsExemple : public ArbreSon {
  protected:
    void SetUp() override {
        ArbreSon::SetUp();
        std::filesystem::create_directory_symlink(std::filesystem::path(MORVANE_JEU_DIR) / "Son", racine / "Son");
        Ressource__Initialisation();
        Son__Initialisation(fenetre);
        Son__LectureListe("..\\Son\\SoundList.ini");
    }
    void TearDown() override {
        Ressource__Fin();
        Son__Fin();
        ArbreSon::TearDown();
    }
};

TEST_F(SonsExemple, ChaqueSonJoueParLeJeuEstListeEtSeCharge) {
    std::vector<int32_t> ids = {
        55, 56, 761, 780, 663,                    // rumbles, the rain of fire, thunder
        150, 160, 161, 162, 164, 526, 5000, 5001, // spells and their impacts
        2000, 2001, 2002,                         // buildings brought down
        2010, 2011, 2012, 2013, 2014,             // pause, victory and deaths, defeat and panic, level-ups
        2017, 2018, 2019,                         // the gate closed and opened, gold
    };
    for (int32_t id = 110; id <= 149; ++id) ids.push_back(id);    // the options' samples
    for (int32_t id = 2100; id <= 2131; ++id) ids.push_back(id);  // the masters' voices
    for (int32_t id = 300; id <= 323; ++id) ids.push_back(id);    // the event files' sounds
    for (int32_t id : ids) {
        SCOPED_TRACE(id);
        Ressource* r = Ressource__Cherche(RESSOURCE_SON, id);
        ASSERT_NE(r, nullptr);
        auto* e = static_cast<EchantillonSon*>(Ressource__Prend(r));
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->son.taille, TAILLE_SND_SOUND) << r->nom;
    }
    // Nothing in the list names a file that is missing.
    for (Ressource* r = ListeRessources; r != nullptr; r = r->suivant) {
        auto* e = static_cast<EchantillonSon*>(Ressource__Prend(r));
        EXPECT_EQ(e->son.taille, TAILLE_SND_SOUND) << r->id << " " << r->nom;
    }
}

// The kinds of sound are told apart by ear: a voice of selection, of move and of attack, and the
// sounds of blows, shots, deaths and spells are different samples.
TEST_F(SonsExemple, LesSortesDeSonsOntChacuneLeurEchantillon) {
    std::set<std::string> noms;
    for (int32_t id : {2100, 2104, 2108, 2120, 2124, 2128, 300, 304, 308, 312, 316, 320, 321, 2017, 2018})
        noms.insert(Ressource__Cherche(RESSOURCE_SON, id)->nom);
    EXPECT_EQ(noms.size(), 15u);
}

// A battle draws its track from 2 to 15 and the castle from 12 to 15: each is a WAV of a few
// seconds, and no two are the same.
TEST(MusiqueExemple, LesPistesDe2A15Existent) {
    std::set<std::string> pistes;
    for (int piste = 2; piste <= 15; ++piste) {
        char nom[32];
        std::snprintf(nom, sizeof nom, "Piste%02d.wav", piste);
        SCOPED_TRACE(nom);
        const std::string octets = LireFichier(std::filesystem::path(MORVANE_JEU_DIR) / "Musique" / nom);
        ASSERT_GT(octets.size(), 44u);
        EXPECT_EQ(octets.substr(0, 4), "RIFF");
        EXPECT_EQ(octets.substr(8, 4), "WAVE");
        auto mot = [&](size_t i) {
            return static_cast<uint32_t>(static_cast<uint8_t>(octets[i]) | static_cast<uint8_t>(octets[i + 1]) << 8 |
                                         static_cast<uint8_t>(octets[i + 2]) << 16 |
                                         static_cast<uint32_t>(static_cast<uint8_t>(octets[i + 3])) << 24);
        };
        const double secondes = static_cast<double>(octets.size() - 44) / mot(28);   // bytes per second
        EXPECT_GE(secondes, 4.0);
        EXPECT_LE(secondes, 15.0);
        pistes.insert(octets);
    }
    EXPECT_EQ(pistes.size(), 14u);
}

}  // namespace
