#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <set>
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

// Each faction's catalogue; the four factions field soldiers, archers and mages of their own (the
// hero is shared). From castle level 2 no section needs the leader, whom a skirmish army never has
// in its reserves. A skirmish copies its catalogues over these: they are the same.
TEST_F(DonneesExemple, CatalogueDeChaqueFaction) {
    std::set<int32_t> maitres;
    for (int camp = 0; camp < 5; ++camp) {
        CampParJoueur[1] = camp % 4;
        Catalogue__charger(camp == 4 ? 4 : 1);
        ASSERT_EQ(Catalogue->nombreTypesUnites, 4) << camp;
        ASSERT_EQ(Catalogue->nombreTypesSections, 3) << camp;
        for (int u = 0; u < 4; ++u) EXPECT_GE(Catalogue->typesUnites[u].numeroMaitre, 0);
        EXPECT_EQ(Catalogue->typesUnites[0].categorie, 2);
        EXPECT_EQ(Catalogue->typesUnites[0].numeroMaitre, 5);
        for (int s = 0; s < 3; ++s) {
            EXPECT_EQ(Catalogue->typesSections[s].numeroMaitre, Catalogue->typesUnites[s + 1].numeroMaitre);
            if (camp < 4) maitres.insert(Catalogue->typesSections[s].numeroMaitre);
        }
        for (int niveau = 1; niveau <= 3; ++niveau)
            for (int s = 0; s < 3; ++s) {
                EXPECT_GT(Catalogue__disposition(niveau, s)->nombreUnites, 0);
                if (niveau >= 2) EXPECT_EQ(Catalogue__disposition(niveau, s)->composition[0], 0) << camp << " " << niveau;
            }
        Catalogue__liberer();
    }
    EXPECT_EQ(maitres.size(), 12u);
    for (const char* camp : {"Empire", "Justice", "Lumiere", "Morvane"})
        EXPECT_EQ(arbre.Lire(std::string("Skirmish/sections/") + camp + ".txt"),
                  arbre.Lire(std::string("sections/") + camp + ".txt"))
            << camp;
}

// A faction campaign's own faction is given its own catalogue (the one the skirmish uses), which its
// start army and reserves field (their files are read below with that catalogue).
TEST_F(DonneesExemple, CampagnesDeFactionAvecLeursUnites) {
    for (const char* camp : {"Empire", "Justice", "Lumiere", "Morvane"}) {
        const std::string dossier = std::string("Campagnes/") + camp;
        EXPECT_EQ(arbre.Lire(dossier + "/sections/" + camp + ".txt"), arbre.Lire(std::string("Skirmish/sections/") + camp + ".txt"))
            << camp;
        if (std::string(camp) != "Empire")
            EXPECT_EQ(arbre.Lire(dossier + "/armee/reserve.txt").find("\t\t20 "), std::string::npos) << camp;
    }
    EXPECT_NE(arbre.Lire("Campagnes/Morvane/armee/regiment0.txt").find("Section__numeroObjetMaitre 10\n"), std::string::npos);
    EXPECT_NE(arbre.Lire("Campagnes/Justice/armee/regiment0.txt").find("Section__numeroObjetMaitre 23\n"), std::string::npos);
    EXPECT_NE(arbre.Lire("Campagnes/Lumiere/armee/regiment0.txt").find("Section__numeroObjetMaitre 34\n"), std::string::npos);
}

namespace {

// A skirmish army's faction by its folder (4 for all factions), a faction campaign's start army by
// its campaign, the tutorial's is the Justice's; any other army file is the Empire's.
int CampDuFichier(const fs::path& chemin) {
    static const char* const CAMPS[5] = {"Empire", "Justice", "Lumiere", "Morvane", "All"};
    if (chemin.generic_string().find("/Campagnes/Tutorial/") != std::string::npos) return 1;
    for (int camp = 0; camp < 5; ++camp)
        for (const char* dossier : {"/Escarmouche/", "/Campagnes/"})
            if (chemin.generic_string().find(std::string(dossier) + CAMPS[camp] + "/") != std::string::npos) return camp;
    return 0;
}

}  // namespace

// Each file is read with its own faction's catalogue (a master the catalogue does not know would
// come back as -1) and its units fit their sections' layouts.
TEST_F(DonneesExemple, ArmeesLuesEtReecritesALIdentique) {
    int fichiers = 0;
    for (const auto& e : fs::recursive_directory_iterator(arbre.Racine())) {
        const std::string nom = e.path().filename().string();
        if (nom.rfind("regiment", 0) != 0) continue;
        const int camp = CampDuFichier(e.path());
        if (camp < 4) CampParJoueur[camp] = camp;
        Catalogue__charger(camp);
        FILE* f = std::fopen(e.path().c_str(), "r");
        std::unique_ptr<Regiment> r(chargerRegiment(f));
        std::fclose(f);
        ASSERT_TRUE(r) << e.path();
        EXPECT_GT(r->sections.nombre, 0);
        // Every unit has its cell in its section's layout: none sits a battle out.
        for (const Section* s : r->sections) {
            const DispositionSection* d = Catalogue__disposition(s->niveauChateau, s->typeSection);
            ASSERT_NE(d, nullptr) << e.path();
            std::map<int32_t, int> nombres;
            for (const Unite* u : s->unites) ++nombres[u->typeUnite];
            for (const auto& [type, n] : nombres) EXPECT_LE(n, d->composition[type]) << e.path() << " type " << type;
        }
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
        Catalogue__liberer();
        ++fichiers;
    }
    EXPECT_GE(fichiers, 14);
    CampParJoueur[0] = 0;
    Catalogue__charger(0);
    ListeReserves__charger();
    EXPECT_EQ(OrJoueur, 2500);
    EXPECT_EQ(ListeReservesJoueur->nombre, 3);
    ListeReserves__liberer();
}
