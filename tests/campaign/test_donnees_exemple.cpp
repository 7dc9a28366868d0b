#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "arbre_temporaire.h"
#include "campaign/armee_fichiers.h"
#include "campaign/campagne.h"
#include "campaign/catalogue.h"
#include "campaign/variables.h"
#include "foundation/ecran_fixture.h"

namespace fs = std::filesystem;

namespace {

// The sample tree's catalogues, armies and variables, copied into a temporary tree.
class DonneesExemple : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    void SetUp() override {
        ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        const fs::path source = fs::path(MORVANE_SOURCE_DIR) / "data";
        for (const char* d : {"ini", "sections", "Armees", "Campagnes", "Skirmish", "tmp"})
            fs::copy(source / d, arbre.Racine() / d, fs::copy_options::recursive);
        Variables__charger();
    }
    void TearDown() override {
        Catalogue__liberer();
        for (int i = 0; i < 5; ++i) CampParJoueur[i] = i == 2 ? 0 : i == 3 ? 2 : 1;
        Plateforme_Fermer();
    }
};

}  // namespace

TEST_F(DonneesExemple, CatalogueDeChaqueFaction) {
    for (int camp = 0; camp < 5; ++camp) {
        CampParJoueur[1] = camp % 4;
        Catalogue__charger(camp == 4 ? 4 : 1);
        ASSERT_EQ(Catalogue->nombreTypesUnites, 4) << camp;
        ASSERT_EQ(Catalogue->nombreTypesSections, 3) << camp;
        for (int u = 0; u < 4; ++u) EXPECT_GE(Catalogue->typesUnites[u].numeroMaitre, 0);
        EXPECT_EQ(Catalogue->typesUnites[0].categorie, 2);
        for (int niveau = 1; niveau <= 3; ++niveau)
            for (int s = 0; s < 3; ++s) EXPECT_GT(Catalogue__disposition(niveau, s)->nombreUnites, 0);
        Catalogue__liberer();
    }
}

TEST_F(DonneesExemple, ArmeesLuesEtReecritesALIdentique) {
    CampParJoueur[0] = 0;
    Catalogue__charger(0);
    int fichiers = 0;
    for (const auto& e : fs::recursive_directory_iterator(arbre.Racine())) {
        const std::string nom = e.path().filename().string();
        if (nom.rfind("regiment", 0) != 0) continue;
        FILE* f = std::fopen(e.path().c_str(), "r");
        std::unique_ptr<Regiment> r(chargerRegiment(f));
        std::fclose(f);
        ASSERT_TRUE(r) << e.path();
        EXPECT_GT(r->sections.nombre, 0);
        std::string ecrit;
        {
            char* tampon = nullptr;
            size_t taille = 0;
            FILE* m = open_memstream(&tampon, &taille);
            Regiment__sauvegarder(r.get(), m);
            std::fclose(m);
            ecrit.assign(tampon, taille);
            std::free(tampon);
        }
        EXPECT_EQ(arbre.Lire(fs::relative(e.path(), arbre.Racine()).string()), ecrit) << e.path();
        ++fichiers;
    }
    EXPECT_GE(fichiers, 14);
    ListeReserves__charger();
    EXPECT_EQ(OrJoueur, 2500);
    EXPECT_EQ(ListeReservesJoueur->nombre, 3);
    ListeReserves__liberer();
}
