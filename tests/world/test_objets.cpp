// The object table: births, slots, layers, side counters.
#include "monde_fixture.h"
#include "shell/conditions.h"

namespace {

class Objets : public Monde {
  protected:
    // 0 soldier, 1 empty, 2 spawner, 3 dragon, 4 projectile, 5 building, 6 inactive decor.
    void SetUp() override {
        Monde::SetUp();
        MondeAvec({{"soldat", FicheMaitre()}, {"-", ""}, {"generateur", FicheMaitre("GENERATEUR")},
                   {"dragon", FicheMaitre("DRAGON", "2")}, {"projectile", FicheMaitre("PROJECTILE")},
                   {"batiment", FicheMaitre("BATIMENT", "3")},
                   {"decor", Remplacer(FicheMaitre("DECORS"), "ACTIF 1", "ACTIF 0")}});
    }
    int Naissance(int t, int x = 10, int y = 10, int a = 0, int g = -1, int d = 3) {
        try {
            return ObjetNaissance(t, a, x, y, g, d);
        } catch (const FinProgramme&) {
            return -1;
        }
    }
};

TEST_F(Objets, PremiereNaissanceEtEtatInitial) {
    Objet temoin{};
    ObjetCourant = &temoin;
    int i = Naissance(0, 12, 34, 2);
    ASSERT_EQ(i, 1);   // slot 0 is never handed out
    EXPECT_EQ(ObjetCourant, &temoin);
    const Objet& o = TableObjets[1];
    EXPECT_EQ(o.indice, 1);
    EXPECT_EQ(o.typeMaitre, 0);
    EXPECT_EQ(o.armee, 2);
    EXPECT_EQ(o.x, 12);
    EXPECT_EQ(o.y, 34);
    EXPECT_EQ(o.direction, 3);
    EXPECT_EQ(o.xPrecedent, 12);
    EXPECT_EQ(o.origineY, 34);
    EXPECT_EQ(o.groupe, -1);
    EXPECT_EQ(o.cible, -1);
    EXPECT_EQ(o.capaciteEngagement, 10);
    EXPECT_EQ(o.porteeVue, 3);
    EXPECT_EQ(o.porteeAttaque, 1);
    EXPECT_EQ(o.animation, 5);
    EXPECT_EQ(o.ordreSecondaire, 2);
    EXPECT_EQ(o.compteurEvenement, -1);
    EXPECT_EQ(o.arretFinCycle, 1);
    EXPECT_EQ(o.dernierSort[8], 1500);
    EXPECT_LT(o.aleaAffichage, 170);
    EXPECT_LT(o.compteurRepos, 35);
    EXPECT_EQ(o.couche, 1);
    EXPECT_EQ(o.empreinteUnites, 12 + 128 * 34);
    EXPECT_NE(o.trajet, nullptr);
    EXPECT_EQ(o.listeEnnemis[39], -1);
    EXPECT_EQ(Univers__CaseUnites(12, 34), 1);
    EXPECT_EQ(NombreObjets, 1);
    EXPECT_EQ(PopulationParType[0], 1);
    EXPECT_EQ(Liste__Valeur(ListeObjetsVivants), 1);
}

TEST_F(Objets, MilleNeufCentQuatreVingtDixNeufNaissancesPuisLaFin) {
    for (int n = 1; n <= 1999; ++n) ASSERT_EQ(Naissance(0, n % 128, (n / 128) % 128), n);
    EXPECT_EQ(Liste__Valeur(ListeObjetsVivants), 1999);   // newest first
    EXPECT_EQ(Naissance(0), -1);
    EXPECT_EQ(Rapport(), "Objet__Création(): le nombre maximum d'objets est atteint : 1999");
    EXPECT_EQ(NombreObjets, 1999);
}

TEST_F(Objets, OrdreDeReemploiDesCasesLiberees) {
    for (int n = 0; n < 4; ++n) Naissance(0, n, 0);
    Objet__Liberation(2);
    Objet__Liberation(4);
    EXPECT_EQ(NombreObjets, 2);
    EXPECT_EQ(Naissance(0), 4);   // the slot freed last comes back first
    EXPECT_EQ(Naissance(0), 2);
    EXPECT_EQ(Naissance(0), 5);
    std::vector<int> vivants;
    for (NoeudEntier* n = ListeObjetsVivants; n->suivant; n = n->suivant) vivants.push_back(n->valeur);
    EXPECT_EQ(vivants, (std::vector<int>{5, 2, 4, 3, 1}));
    Objet__Liberation(4);
    Objet__Liberation(4);   // a second release is refused, not pushed twice
    EXPECT_EQ(Rapport(), "Objet__Liberation(): Objet 4 absent de la liste des vivants");
    EXPECT_EQ(Naissance(0), 4);
    EXPECT_EQ(Naissance(0), 6);
}

TEST_F(Objets, CoucheSelonLaFamille) {
    int generateur = Naissance(2, 20, 20);
    int dragon = Naissance(3, 30, 30);
    int projectile = Naissance(4, 40, 40);
    int batiment = Naissance(5, 50, 50, 0, -1, 1);
    EXPECT_EQ(TableObjets[generateur].couche, 0);
    EXPECT_EQ(GrilleSol[20 + 128 * 20], generateur);
    EXPECT_EQ(TableObjets[generateur].sorts[1], 10);   // spawner set-up
    EXPECT_EQ(TableObjets[dragon].couche, 2);
    EXPECT_EQ(GrilleAir[31 + 128 * 31], dragon);
    EXPECT_EQ(GrilleUnites[30 + 128 * 30], 0);
    EXPECT_EQ(TableObjets[projectile].couche, 3);
    EXPECT_EQ(TableObjets[projectile].animation, 2);
    EXPECT_EQ(GrilleUnites[40 + 128 * 40], 0);
    EXPECT_EQ(TableObjets[batiment].aleaAffichage, 31);
    EXPECT_EQ(GrilleUnites[50 + 128 * 50], 0);   // a building stamps from its description only
    EXPECT_EQ(Naissance(5, 60, 60, 0, -1, 3), -1);
    EXPECT_EQ(Rapport(), "ObjetNaissance(): Direction de l'objet incorrect : 3");
}

TEST_F(Objets, CompteursDesCamps) {
    Naissance(0, 1, 1, 0);      // friends
    Naissance(0, 2, 1, 1);      // hostile to army 0: enemies
    Naissance(0, 3, 1, 4);      // neutrals
    Naissance(0, 4, 1, 5);      // not hostile to 0, hostile to others, may target: allies
    Naissance(0, 5, 1, 1000);   // the placeholder's army: nowhere
    Naissance(6, 6, 1, 1);      // an inactive master: nowhere
    EXPECT_EQ(NbUnitesAmies, 1);
    EXPECT_EQ(NbUnitesEnnemies, 1);
    EXPECT_EQ(NbUnitesNeutres, 1);
    EXPECT_EQ(NbUnitesAlliees, 1);
    EXPECT_EQ(TotalUnitesAmies, 1);
    EXPECT_EQ(TotalUnitesEnnemies, 1);
    EXPECT_EQ(PopulationParType[0], 5);
}

TEST_F(Objets, IndicesVerifiesAvantLesTables) {
    struct Cas {
        int type;
        int groupe;
        const char* rapport;
    };
    for (Cas c : {Cas{-1, -1, "Objet__Création(): création d'un objet de type inférieur à 0 : -1"},
                  Cas{7, -1, "ObjetNaissance(): Création objet type>supérieur nombre obj maître: 7"},
                  Cas{1, -1, "ObjetNaissance(): Création d'un objet de type vide : 1"},
                  Cas{0, 12, "ObjetNaissance(): Groupe inexistant : 12"}}) {
        EXPECT_EQ(Naissance(c.type, 10, 10, 0, c.groupe), -1);
        EXPECT_EQ(Rapport(), c.rapport);
    }
    EXPECT_EQ(NombreObjets, 0);
    EXPECT_EQ(PopulationParType[0], 0);
    // A cell off the map is asked about and brought onto the map.
    int i = Naissance(0, 140, -3);
    EXPECT_EQ(Rapport(), "ObjetNaissance(): Case hors de la carte : 140 -3 (objet m 0)");
    EXPECT_EQ(TableObjets[i].x, 127);
    EXPECT_EQ(TableObjets[i].y, 0);
}

}  // namespace
