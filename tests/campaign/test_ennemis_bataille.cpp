// After a battle, the files of the enemy regiments that fought are written back from what is left
// of them on the map: with their own faction's catalogue, all of them or none.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "campaign/armee_fichiers.h"
#include "campaign/campagne.h"
#include "campaign/catalogue.h"
#include "campaign/chargement_armees.h"
#include "campaign/ennemis.h"
#include "shell/trame.h"
#include "world/scene_fixture.h"

namespace {

class EnnemisBataille : public Scene {
  protected:
    void AvantChargement() override {
        for (const char* f : {"nmi100.txt", "nmi101.txt"})
            arbre.Ecrire(std::string("tmp/Joueur0/") + f, arbre.Lire(std::string("Armees/Regimentsnmi/") + f));
        // The enemy's units are the Empire's (player 0's catalogue); player 1 reads the Justice's.
        CampParJoueur[0] = 0;
        CampParJoueur[1] = 1;
    }
    void TearDown() override {
        EcritureSure__avantRenommage = nullptr;
        NbRegimentsRegion = NbRegimentsNmi = 0;
        RegimentsNmi = {};
        CampParJoueur[0] = CampParJoueur[1] = 1;
        Scene::TearDown();
    }
    static void Ennemi(int i, const char* fichier, int direction) {
        RegimentNmi& n = RegimentsNmi[static_cast<size_t>(i)];
        n = RegimentNmi{};
        std::snprintf(n.fichier, sizeof n.fichier, "%s", fichier);
        n.id = 100 + i;
        n.joueur = 0;
        n.camp = 1;
        n.enBataille = 1;
        n.directionEntree = direction;
        NbRegimentsNmi = i + 1;
    }
    // The units of a regiment file of the tree read with the Empire's catalogue; -1 when dead.
    int Unites(const std::string& relatif) {
        Catalogue__charger(0);
        FILE* f = std::fopen((arbre.Racine() / relatif).c_str(), "r");
        EXPECT_NE(f, nullptr) << relatif;
        if (f == nullptr) return -2;
        std::unique_ptr<Regiment> r(chargerRegiment(f));
        std::fclose(f);
        Catalogue__liberer();
        return r ? r->nbUnites : -1;
    }
    void Deployer() {
        Ennemi(0, "nmi100.txt", 8);
        Ennemi(1, "nmi101.txt", 2);
        ASSERT_TRUE(Creer()) << Rapport();
        RegionChargerArmeesEnnemies();
    }
};

}  // namespace

TEST_F(EnnemisBataille, LesSurvivantsSontReecritsAvecLeCatalogueDeLeurCamp) {
    Deployer();
    int32_t drapeaux[REGIMENTS_NMI] = {};
    drapeaux[0] = drapeaux[1] = 1;
    drapeaux[7] = 1;   // a battle group numbered 107: no record has it
    testing::internal::CaptureStderr();
    RegimentNmi_EtatFichiers(drapeaux);
    const std::string erreurs = testing::internal::GetCapturedStderr();
    EXPECT_NE(erreurs.find("107"), std::string::npos) << erreurs;
    EXPECT_EQ(Rapport(), "");
    // Nine and six men as deployed, not regiments written dead for want of their unit types.
    EXPECT_EQ(Unites("tmp/Joueur0/nmi100.txt"), 9);
    EXPECT_EQ(Unites("tmp/Joueur0/nmi101.txt"), 6);
    EXPECT_NE(arbre.Lire("tmp/Joueur0/nmi101.txt").find("Regiment__id 101\n"), std::string::npos);
    for (const char* f : {"tmp/Joueur0/nmi100.txt.tmp", "tmp/Joueur0/nmi101.txt.tmp"})
        EXPECT_FALSE(std::filesystem::exists(arbre.Racine() / f)) << f;
    EXPECT_FALSE(std::filesystem::exists(arbre.Racine() / "tmp/Joueur0/fichier non trouvé"));
}

TEST_F(EnnemisBataille, UnEchecLaisseTousLesFichiersCommeIlsEtaient) {
    Deployer();
    // Both regiments lost men since their files were written.
    arbre.Ecrire("tmp/Joueur0/nmi100.txt", arbre.Lire("tmp/Joueur0/nmi100.txt") + "\n");
    const std::string avant100 = arbre.Lire("tmp/Joueur0/nmi100.txt"), avant101 = arbre.Lire("tmp/Joueur0/nmi101.txt");
    EcritureSure__avantRenommage = [](const char* cible) { return std::strstr(cible, "nmi101") == nullptr; };
    int32_t drapeaux[REGIMENTS_NMI] = {};
    drapeaux[0] = drapeaux[1] = 1;
    testing::internal::CaptureStderr();
    EXPECT_THROW(RegimentNmi_EtatFichiers(drapeaux), FinProgramme);
    testing::internal::GetCapturedStderr();
    EXPECT_NE(Rapport().find("Impossible de créer le fichier"), std::string::npos) << Rapport();
    EXPECT_EQ(arbre.Lire("tmp/Joueur0/nmi100.txt"), avant100);
    EXPECT_EQ(arbre.Lire("tmp/Joueur0/nmi101.txt"), avant101);
    EcritureSure__avantRenommage = nullptr;
    RegimentNmi_EtatFichiers(drapeaux);
    EXPECT_NE(arbre.Lire("tmp/Joueur0/nmi100.txt"), avant100);
}
