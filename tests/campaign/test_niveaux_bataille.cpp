// The sample battle levels of the region battles: every level the hand-over can name exists and
// loads without a report, with its conditions; each terrain has its own layout.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "world/niveau.h"
#include "world/objets.h"
#include "world/scene_fixture.h"

namespace {

namespace fs = std::filesystem;

class NiveauxBataille : public Scene {
  protected:
    void AvantChargement() override {
        // The levels the asset maker wrote into the sample game, over the copied data.
        const fs::path jeu = fs::path(MORVANE_JEU_DIR);
        fs::copy(jeu / "niveau", arbre.Racine() / "niveau",
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        fs::create_directories(arbre.Racine() / "Campagnes" / "Tutorial");
        fs::copy(jeu / "Campagnes" / "Tutorial" / "Region9", arbre.Racine() / "Campagnes" / "Tutorial" / "Region9",
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
    struct Mesure {
        int arbres = 0, eau = 0, murs = 0, hauteurs = 0;
    };
    // Loads the level and measures what sets its layout apart.
    Mesure Charger(const std::string& niveau) {
        Mesure m;
        EXPECT_TRUE(Creer(niveau.c_str())) << niveau << "\n" << Rapport();
        for (const Objet& o : TableObjets)
            if (o.noeudListe != nullptr && o.typeMaitre == 131) ++m.arbres;
        for (uint8_t c : GrilleMatieres) {
            m.eau += c == 'E';
            m.murs += c == 'I';
        }
        for (int i = 0; i < COTE_ALTITUDE * COTE_ALTITUDE; ++i) m.hauteurs += GrilleAltitude[i] > 0;
        // The teardown leads to the next scene: the next level is a battle again.
        Region__Quitte();
        ModeSceneCourant = 2;
        MorvaneCode = 3;
        return m;
    }
};

}  // namespace

TEST_F(NiveauxBataille, ChaqueNiveauNommeSeCharge) {
    const char* const terrains[4] = {"plaine", "foret", "montagne", "riviere"};
    std::vector<std::string> niveaux = {"niveau\\niveau1.mv"};
    for (int t = 0; t < 4; ++t) {
        for (int n = 1; n <= 9; ++n)
            niveaux.push_back(std::string("niveau\\") + terrains[t] + "\\" + terrains[t] + "00" + std::to_string(n) + ".mv");
        for (int n = 1; n <= (t == 0 ? 3 : 1); ++n)
            niveaux.push_back(std::string("niveau\\fort\\") + terrains[t] + "\\" + terrains[t] + "00" + std::to_string(n) + ".mv");
    }
    for (const char* lieu : {"Ferme", "Village", "Cimetiere"})
        niveaux.push_back(std::string("Campagnes\\Tutorial\\Region9\\") + lieu + ".mv");
    std::set<std::string> textes;
    for (const std::string& niveau : niveaux) {
        SCOPED_TRACE(niveau);
        std::string relatif = niveau;
        for (char& c : relatif)
            if (c == '\\') c = '/';
        ASSERT_TRUE(arbre.Existe(relatif));
        EXPECT_TRUE(arbre.Existe(relatif.substr(0, relatif.size() - 3) + ".VBat"));
        textes.insert(arbre.Lire(relatif));
        const Mesure m = Charger("..\\" + niveau);
        const bool fort = niveau.find("fort") != std::string::npos;
        EXPECT_EQ(m.murs > 0, fort);
        if (niveau.find("riviere") != std::string::npos) {
            EXPECT_GT(m.eau, 500);
        } else if (niveau.find("Village") == std::string::npos) {
            EXPECT_EQ(m.eau, 0);
        }
        if (niveau.find("\\foret\\") != std::string::npos || niveau.find("Cimetiere") != std::string::npos) {
            EXPECT_GT(m.arbres, 150);
        } else {
            EXPECT_LT(m.arbres, 40);
        }
        if (niveau.find("montagne") != std::string::npos) {
            EXPECT_GT(m.hauteurs, 100);
        } else {
            EXPECT_EQ(m.hauteurs, 0);
        }
    }
    // No two levels alike.
    EXPECT_EQ(textes.size(), niveaux.size());
    EXPECT_TRUE(arbre.Existe("niveau/Generique.Vbat"));
    EXPECT_EQ(Rapport(), "");
}
