// Each campaign's enemies field their own faction's units: every region's enemy regiment, read
// with the catalogue the campaign gives player 1, holds only units of that faction's own catalogue
// (the skirmish's); the tutorial's start army is the Justice's, the tutorial's faction.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "arbre_temporaire.h"
#include "campaign/armee_fichiers.h"
#include "campaign/campagne.h"
#include "campaign/catalogue.h"
#include "campaign/ennemis.h"
#include "campaign/variables.h"
#include "foundation/ecran_fixture.h"

namespace fs = std::filesystem;

namespace {

class EnnemisCamps : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    const fs::path donnees = fs::path(MORVANE_SOURCE_DIR) / "data";
    void SetUp() override {
        ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        for (const char* d : {"ini", "sections", "Armees"})
            fs::copy(donnees / d, arbre.Racine() / d, fs::copy_options::recursive);
        Variables__charger();
    }
    void TearDown() override {
        Catalogue__liberer();
        for (int i = 0; i < 5; ++i) CampParJoueur[i] = i == 2 ? 0 : i == 3 ? 2 : 1;
        Plateforme_Fermer();
    }
    // The four catalogues of a folder of data/ in place of the tree's.
    void Catalogues(const fs::path& dossier) {
        for (const auto& s : fs::directory_iterator(donnees / dossier))
            fs::copy_file(s.path(), arbre.Racine() / "sections" / s.path().filename(), fs::copy_options::overwrite_existing);
    }
    // The unit masters of faction `camp`'s own catalogue.
    std::set<int32_t> Maitres(int camp) {
        Catalogues("Skirmish/sections");
        CampParJoueur[1] = camp;
        Catalogue__charger(1);
        std::set<int32_t> m;
        for (int u = 0; u < Catalogue->nombreTypesUnites; ++u) m.insert(Catalogue->typesUnites[u].numeroMaitre);
        Catalogue__liberer();
        return m;
    }
    // The unit masters of a regiment file read with the loaded catalogue; empty when unreadable.
    static std::set<int32_t> MaitresDuRegiment(const fs::path& chemin) {
        std::set<int32_t> m;
        FILE* f = std::fopen(chemin.c_str(), "r");
        if (f == nullptr) return m;
        std::unique_ptr<Regiment> r(chargerRegiment(f));
        std::fclose(f);
        if (!r) return m;
        for (const Section* s : r->sections)
            for (const Unite* u : s->unites) m.insert(Catalogue->typesUnites[u->typeUnite].numeroMaitre);
        return m;
    }
};

}  // namespace

TEST_F(EnnemisCamps, ChaqueCampagneOpposeLesUnitesDuCampEnnemi) {
    // The campaigns' camp tables, entries 0 to 3 (player 1 is the enemy).
    const struct {
        const char* dossier;
        std::array<int, 4> camps;
    } campagnes[] = {{"Tutorial", {1, 2, 3, 0}}, {"Morvane", {3, 2, 1, 0}}, {"Justice", {1, 2, 3, 0}},
                     {"Empire", {0, 2, 3, 1}}, {"Lumiere", {2, 1, 3, 0}}};
    const std::set<int32_t> empire = Maitres(0);
    int regiments = 0;
    for (const auto& c : campagnes) {
        SCOPED_TRACE(c.dossier);
        const std::set<int32_t> siens = Maitres(c.camps[1]);
        Catalogues(fs::path("Campagnes") / c.dossier / "sections");
        for (int i = 0; i < 4; ++i) CampParJoueur[i] = c.camps[static_cast<size_t>(i)];
        for (const auto& r : fs::directory_iterator(fs::path(MORVANE_JEU_DIR) / "Campagnes" / c.dossier)) {
            if (r.path().filename().string().rfind("Region", 0) != 0) continue;
            FILE* f = std::fopen((r.path() / "Ennemis.txt").c_str(), "r");
            ASSERT_NE(f, nullptr) << r.path();
            std::array<RegimentNmi, REGIMENTS_NMI> table{};
            int32_t n = 0;
            std::string erreur;
            ASSERT_TRUE(RegimentsNmi__Lire(f, table.data(), &n, &erreur)) << erreur;
            std::fclose(f);
            for (int i = 0; i < n; ++i) {
                const RegimentNmi& e = table[static_cast<size_t>(i)];
                SCOPED_TRACE(e.fichier);
                Catalogue__charger(e.joueur);
                const std::set<int32_t> m = MaitresDuRegiment(arbre.Racine() / "Armees" / "Regimentsnmi" / e.fichier);
                Catalogue__liberer();
                ASSERT_FALSE(m.empty());
                for (int32_t maitre : m) {
                    EXPECT_TRUE(siens.count(maitre)) << maitre;
                    // Only the hero, whom every camp shares, may be the Empire's.
                    if (maitre != 5) {
                        EXPECT_FALSE(empire.count(maitre)) << maitre;
                    }
                }
                ++regiments;
            }
        }
    }
    EXPECT_GT(regiments, 20);
}

TEST_F(EnnemisCamps, LeTutorielEstJoueAvecLesUnitesDeLaJustice) {
    const std::set<int32_t> justice = Maitres(1);
    Catalogues("Campagnes/Tutorial/sections");
    CampParJoueur[0] = 1;
    Catalogue__charger(0);
    const std::set<int32_t> m = MaitresDuRegiment(donnees / "Campagnes/Tutorial/armee/regiment0.txt");
    ASSERT_FALSE(m.empty());
    for (int32_t maitre : m) EXPECT_TRUE(justice.count(maitre)) << maitre;
    EXPECT_TRUE(m.count(23));   // the paladins
}
