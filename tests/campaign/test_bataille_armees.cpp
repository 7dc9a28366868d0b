// A region battle on the sample level with the player's working army and a sample enemy regiment:
// both deployed by the scene start, fought headless, then written back by the end of the battle.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "battle/deplacement.h"
#include "battle/ia.h"
#include "battle/impacts.h"
#include "battle/projectiles.h"
#include "battle/simulation.h"
#include "campaign/armee_fichiers.h"
#include "campaign/campagne.h"
#include "campaign/catalogue.h"
#include "campaign/chargement_armees.h"
#include "campaign/region.h"
#include "platform/temps.h"
#include "scene/eclairs.h"
#include "shell/cycles.h"
#include "shell/trame.h"
#include "world/gestion_objets.h"
#include "world/scene_fixture.h"
#include "../battle/passe_bataille.h"

namespace {

class BatailleArmees : public Scene {
  protected:
    void AvantChargement() override {
        // The enemy regiment's file goes into the working copy, as the region start puts it there.
        arbre.Ecrire("tmp/Joueur0/nmi100.txt", arbre.Lire("Armees/Regimentsnmi/nmi100.txt"));
        // Both sample regiments are the Empire's: both players read its catalogue.
        CampParJoueur[0] = CampParJoueur[1] = 0;
    }
    void TearDown() override {
        NbRegimentsRegion = NbRegimentsNmi = 0;
        RegimentsRegion = {};
        RegimentsNmi = {};
        Scene::TearDown();
    }
    // The player's regiment 0 from side `joueur`, the enemy regiment 100 from side `ennemi`.
    static void EnBataille(int joueur, int ennemi) {
        NbRegimentsRegion = 1;
        RegimentsRegion[0].enBataille = 1;
        RegimentsRegion[0].directionEntree = joueur;
        NbRegimentsNmi = 1;
        RegimentNmi& n = RegimentsNmi[0];
        std::snprintf(n.fichier, sizeof n.fichier, "nmi100.txt");
        n.id = 100;
        n.joueur = 1;
        n.camp = 1;
        n.enBataille = 1;
        n.directionEntree = ennemi;
    }
    // The live members of the groups of regiment `id`, of army `armee`.
    static int Membres(int id, int armee) {
        int n = 0;
        for (NoeudEntier* l = ListeGroupesActifs; l && l->suivant; l = l->suivant) {
            const Groupe& g = TableGroupes[l->valeur];
            if (g.groupeCible != id) continue;
            for (int i = 0; i < g.nbMembres; ++i) n += TableObjets[g.membres[i]].armee == armee;
        }
        return n;
    }
    static void Passe() { PasseBataille(); }
    // A regiment file of the tree read back with the catalogue of player `joueur`; none when dead.
    std::unique_ptr<Regiment> Relire(const std::string& relatif, int joueur) {
        Catalogue__charger(joueur);
        FILE* f = std::fopen((arbre.Racine() / relatif).c_str(), "r");
        EXPECT_NE(f, nullptr) << relatif;
        if (f == nullptr) return nullptr;
        std::unique_ptr<Regiment> r(chargerRegiment(f));
        std::fclose(f);
        Catalogue__liberer();
        return r;
    }
};

}  // namespace

TEST_F(BatailleArmees, DeployeesCombattentEtReecrites) {
    // Regiment 3 fought the last battle, not this one: its file is left alone.
    arbre.Ecrire("tmp/Joueur0/regiment3.txt", arbre.Lire("tmp/Joueur0/regiment0.txt"));
    RegimentsCharges[0] = 3;
    NombreRegimentsCharges = 1;
    EnBataille(2, 8);
    ASSERT_TRUE(Demarrer()) << Rapport();
    EXPECT_EQ(Rapport(), "");
    // Six men of the player's company from the west, nine of the enemy's holding the centre.
    const int joueur = Membres(0, 0), ennemi = Membres(100, 1);
    EXPECT_EQ(joueur, 6);
    EXPECT_EQ(ennemi, 9);
    EXPECT_EQ(Armee__regimentDejaCharge(0), 1);
    EXPECT_EQ(RepereX, 0);
    EXPECT_EQ(RepereY, 54);
    for (NoeudEntier* l = ListeGroupesActifs; l && l->suivant; l = l->suivant) {
        const Groupe& g = TableGroupes[l->valeur];
        if (g.groupeCible != 0 && g.groupeCible != 100) continue;
        const Objet& o = TableObjets[g.membres[0]];
        EXPECT_EQ(o.x < 32, g.groupeCible == 0) << o.x;
    }

    SimulationCompteur = 0;
    SimulationInitialisee = 0;
    IAActive = 1;
    TricheIAJoueur = 1;
    for (int i = 0; i < 3000; ++i) Passe();
    // The enemy's company loses men; the player's may lose none when others of army 0 share the fight.
    const int joueurFin = Membres(0, 0), ennemiFin = Membres(100, 1);
    EXPECT_LE(joueurFin, joueur);
    EXPECT_LT(ennemiFin, ennemi);

    Trame__ResultatVictoire(1);
    Region__Quitte();

    // Each file whole, no temporary left beside it, the survivors counted as on the map.
    for (const char* f : {"tmp/Joueur0/regiment0.txt.tmp", "tmp/Joueur0/nmi100.txt.tmp"})
        EXPECT_FALSE(std::filesystem::exists(arbre.Racine() / f)) << f;
    const std::unique_ptr<Regiment> r = Relire("tmp/Joueur0/regiment0.txt", 0);
    const std::unique_ptr<Regiment> n = Relire("tmp/Joueur0/nmi100.txt", 1);
    EXPECT_EQ(r ? r->nbUnites : 0, joueurFin);
    EXPECT_EQ(n ? n->nbUnites : 0, ennemiFin);
    if (r) {
        EXPECT_EQ(r->nom, "Première compagnie");
    }
    if (n) {
        EXPECT_EQ(n->id, 100);
    }
    EXPECT_EQ(arbre.Lire("tmp/Joueur0/regiment3.txt"), arbre.Lire("Armees/joueur0/regiment0.txt"));
    if (joueurFin == 0) {
        EXPECT_EQ(arbre.Lire("tmp/Joueur0/regiment0.txt"), "Regiment__mort 1\n");
    }
    EXPECT_EQ(Rapport(), "");
}

TEST_F(BatailleArmees, RienDesRegionsDansUneEscarmouche) {
    EnBataille(2, 8);
    ASSERT_TRUE(Creer());
    EscarmoucheEnCours = 3;
    RegionChargerArmeesEnnemies();
    EscarmoucheEnCours = 0;
    EXPECT_EQ(Membres(0, 0) + Membres(100, 1), 0);
    EXPECT_EQ(NombreRegimentsCharges, 0);
}
