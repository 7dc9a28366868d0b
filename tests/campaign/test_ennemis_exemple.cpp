// The sample campaigns' enemy regiments: every region's file reads, names a regiment file of
// "Armees/Regimentsnmi" numbered as the record, whose units are in the catalogue the campaign
// gives the enemy; the tutorial shows every kind of behaviour but the ambush, which a
// campaign's first region has.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <array>
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

TEST(EnnemisExemple, ChaqueRegionASesEnnemisEtLeursFichiers) {
    ArbreTemporaire arbre;
    ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
    Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
    const fs::path donnees = fs::path(MORVANE_SOURCE_DIR) / "data", jeu = MORVANE_JEU_DIR;
    for (const char* d : {"ini", "sections", "Armees", "maitres"})
        fs::copy(donnees / d, arbre.Racine() / d, fs::copy_options::recursive);
    Variables__charger();
    EXPECT_NE(arbre.Lire("ini/mv.ini").find("#define REGION___REGIMENT_NMI 339 // jeton_nmi\n"), std::string::npos);
    EXPECT_NE(LireFichier(donnees / "maitres/jeton_nmi.txt").find("FAMILLE REGIMENT_NMI"), std::string::npos);

    // The enemy's faction in each campaign (player 1 of the main menu's table).
    const struct {
        const char* dossier;
        int camp;
    } campagnes[] = {{"Tutorial", 2}, {"Morvane", 2}, {"Justice", 2}, {"Empire", 2}, {"Lumiere", 1}};
    std::set<int> tutoriel, premieres;
    int regions = 0;
    for (const auto& c : campagnes) {
        for (const auto& s : fs::directory_iterator(donnees / "Campagnes" / c.dossier / "sections"))
            fs::copy_file(s.path(), arbre.Racine() / "sections" / s.path().filename(), fs::copy_options::overwrite_existing);
        CampParJoueur[1] = c.camp;
        for (const auto& r : fs::directory_iterator(jeu / "Campagnes" / c.dossier)) {
            if (r.path().filename().string().rfind("Region", 0) != 0) continue;
            SCOPED_TRACE(r.path());
            FILE* f = std::fopen((r.path() / "Ennemis.txt").c_str(), "r");
            ASSERT_NE(f, nullptr);
            std::array<RegimentNmi, REGIMENTS_NMI> table{};
            int32_t n = 0;
            std::string erreur;
            EXPECT_TRUE(RegimentsNmi__Lire(f, table.data(), &n, &erreur)) << erreur;
            std::fclose(f);
            EXPECT_GE(n, 1);
            ++regions;
            for (int i = 0; i < n; ++i) {
                const RegimentNmi& e = table[static_cast<size_t>(i)];
                EXPECT_EQ(e.id, 100 + i);
                EXPECT_EQ(e.objetMaitre, 339);
                EXPECT_EQ(e.joueur, 1);
                // Fought on the terrain's levels, whose zones the sample level's conditions do not fit.
                EXPECT_STREQ(e.vbat, "..\\niveau\\Generique.Vbat");
                (std::string(c.dossier) == "Tutorial" ? tutoriel : premieres).insert(e.comportement);
                const std::string nmi = arbre.Lire(std::string("Armees/Regimentsnmi/") + e.fichier);
                EXPECT_NE(nmi.find("Regiment__id " + std::to_string(e.id) + "\n"), std::string::npos) << e.fichier;
                Catalogue__charger(e.joueur);
                int32_t unites = 0;
                EXPECT_TRUE(Regiment__verifierFichier((std::string("..\\Armees\\Regimentsnmi\\") + e.fichier).c_str(), &unites))
                    << e.fichier;
                EXPECT_GT(unites, 0);
                Catalogue__liberer();
            }
        }
    }
    EXPECT_EQ(regions, 20);
    EXPECT_EQ(tutoriel, (std::set<int>{0, 1, 2, 4, 5}));
    EXPECT_TRUE(premieres.count(3));
    CampParJoueur[1] = 1;
    Plateforme_Fermer();
}
