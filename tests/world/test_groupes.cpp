// The group table: creation in formation, limits, selection, destruction, shared speed, sums.
#include "monde_fixture.h"
#include "campaign/campagne.h"
#include "world/groupes.h"
#include "battle/cibles.h"

namespace {

class Groupes : public Monde {
  protected:
    // 0 size 2 speed 3, 1 size 1 speed 5, 2 size 1 speed 4.
    void SetUp() override {
        Monde::SetUp();
        MondeAvec({{"lourd", Remplacer(FicheMaitre("HUMAIN", "2"), "VITESSE 2", "VITESSE 3")},
                   {"rapide", Remplacer(Remplacer(FicheMaitre(), "VITESSE 2", "VITESSE 5"), "MANA 0", "MANA 7")},
                   {"moyen", Remplacer(FicheMaitre(), "VITESSE 2", "VITESSE 4")}});
    }
    int Creer(int t, int x, int y, int c, int r) {
        try {
            return Groupe___Creation(t, 0, x, y, c, r, 0);
        } catch (const FinProgramme&) {
            return -1;
        }
    }
};

TEST_F(Groupes, MembresEnFormation) {
    int g = Creer(0, 10, 20, 4, 3);
    ASSERT_EQ(g, 1);
    const Groupe& groupe = TableGroupes[g];
    ASSERT_EQ(groupe.nbMembres, 12);
    EXPECT_EQ(groupe.colonnes, 4);
    EXPECT_EQ(groupe.lignes, 3);
    EXPECT_EQ(groupe.capacite, 17);
    for (int i = 0; i < 12; ++i) {
        const Objet& o = TableObjets[groupe.membres[i]];
        EXPECT_EQ(o.x, 10 + 2 * (i % 4)) << i;   // edge to edge, rows outermost
        EXPECT_EQ(o.y, 20 + 2 * (i / 4)) << i;
        EXPECT_EQ(o.groupe, g);
    }
    EXPECT_EQ(groupe.groupeCible, -1);
    EXPECT_EQ(groupe.groupeCibleIA, -1);
    EXPECT_EQ(groupe.placee, 1);
    EXPECT_EQ(groupe.modeFormation, 4);
    EXPECT_NE(groupe.tampon, nullptr);
    EXPECT_EQ(NombreGroupes, 1);
    EXPECT_EQ(Liste__Valeur(ListeGroupesActifs), g);
    EXPECT_EQ(Univers__CaseUnites(17, 25), groupe.membres[11]);
}

TEST_F(Groupes, LignesEtCapaciteQuandDesMembresRejoignent) {
    int g = Creer(1, 0, 0, 1, 1);
    Groupe__Formation(g, 3, 0);
    std::vector<int> lignes;
    for (int n = 0; n < 7; ++n) {
        ObjetNaissance(1, 0, 10 + n, 0, g, 0);
        lignes.push_back(TableGroupes[g].lignes);
    }
    // Members 4 and 7 (of 1..8) start a new row; member 1 was born while colonnes was 0.
    EXPECT_EQ(lignes, (std::vector<int>{0, 0, 1, 1, 1, 2, 2}));
    EXPECT_EQ(TableGroupes[g].nbMembres, 8);
    EXPECT_EQ(TableGroupes[g].capacite, 11);   // 1 + 5, grown by 5
}

TEST_F(Groupes, LimiteDuNombreDeGroupes) {
    for (int n = 0; n < 1498; ++n) ASSERT_GT(Creer(1, n % 128, n / 128, 1, 1), 0) << n;
    EXPECT_EQ(NombreGroupes, 1498);
    EXPECT_EQ(Creer(1, 0, 0, 1, 1), -1);
    EXPECT_EQ(Rapport(), "Groupe___Creation: le nombre de groupe maximal est bientôt atteint : 1500");
    EXPECT_EQ(Creer(1, 0, 0, 0, 3), -1);
}

TEST_F(Groupes, GroupeSansMembreRefuse) {
    EXPECT_EQ(Creer(1, 0, 0, 0, 3), -1);
    EXPECT_EQ(Rapport(), "Groupe___Creation: Groupe sans membre : 0 x 3 (objet m 1)");
    EXPECT_EQ(NombreGroupes, 0);
}

TEST_F(Groupes, GroupePlusGrandQueLaTableRefuse) {
    EXPECT_EQ(Creer(1, 0, 0, 100000, 100000), -1);
    EXPECT_EQ(Rapport(), "Objet__Création(): le nombre maximum d'objets est atteint : 0");
    EXPECT_EQ(NombreGroupes, 0);
    EXPECT_EQ(NombreObjets, 0);
}

TEST_F(Groupes, DestructionLibereLesMembresEtLesLiens) {
    int a = Creer(0, 10, 10, 2, 2);
    int b = Creer(1, 40, 40, 3, 1);
    int c = Creer(2, 60, 60, 1, 1);
    TableGroupes[c].groupeCibleIA = a;
    TableGroupes[c].groupeCibleIAPropose = a;
    TableGroupes[c].attaqueLancee = 1;
    Groupe__Selection(b);
    Groupe__Selection(a);
    EXPECT_EQ(GroupeEnSelection, a);
    int membreDeA = TableGroupes[a].membres[0];

    Groupe__Destruction(a);
    EXPECT_EQ(NombreGroupes, 2);
    EXPECT_EQ(NombreObjets, 4);
    EXPECT_EQ(TableGroupes[a].membres, nullptr);
    EXPECT_EQ(TableGroupes[a].noeudListe, nullptr);
    EXPECT_EQ(TableObjets[membreDeA].trajet, nullptr);
    EXPECT_EQ(TableObjets[membreDeA].noeudListe, nullptr);
    EXPECT_TRUE(Univers__ZoneLibreUnites(10, 10, 4, 4));
    EXPECT_EQ(TableGroupes[c].groupeCibleIA, -1);
    EXPECT_EQ(TableGroupes[c].groupeCibleIAPropose, -1);
    EXPECT_EQ(TableGroupes[c].attaqueLancee, 0);
    EXPECT_EQ(NombreGroupesSelectionnes, 1);
    EXPECT_EQ(GroupeEnSelection, b);   // the first remaining selected group takes command
    std::vector<int> actifs;
    for (NoeudEntier* n = ListeGroupesActifs; n->suivant; n = n->suivant) actifs.push_back(n->valeur);
    EXPECT_EQ(actifs, (std::vector<int>{c, b}));

    // The slot and the members' slots come back first.
    int d = Creer(1, 0, 0, 1, 1);
    EXPECT_EQ(d, a);
    EXPECT_EQ(TableGroupes[d].membres[0], membreDeA);

    // A group not in use is refused instead of being freed twice.
    Groupe__Destruction(b);
    Groupe__Destruction(b);
    EXPECT_EQ(Rapport(), "groupe destruction: le groupe 2 n'existe pas");
    EXPECT_EQ(NombreGroupes, 2);
    EXPECT_EQ(Creer(1, 0, 0, 1, 1), b);
    EXPECT_EQ(Creer(1, 0, 0, 1, 1), 4);
    try {
        Groupe__Destruction(-2);
        FAIL();
    } catch (const FinProgramme& f) {
        EXPECT_EQ(f.code, 1);
    }
    EXPECT_EQ(Rapport(), "groupe destruction: le numéro de groupe est inférieur à 0 : -2");
}

TEST_F(Groupes, SelectionSansDoublonEtRefus) {
    int a = Creer(1, 0, 0, 2, 1);
    int b = Creer(1, 5, 5, 1, 1);
    Groupe__Selection(a);
    Groupe__Selection(a);
    EXPECT_EQ(NombreGroupesSelectionnes, 1);
    EXPECT_EQ(TableObjets[TableGroupes[a].membres[1]].selectionne, 1);
    EXPECT_EQ(GroupeCourant, &TableGroupes[a]);
    TableGroupes[b].enDeroute = 1;
    Groupe__Selection(b);   // a routed group takes no selection
    EXPECT_EQ(NombreGroupesSelectionnes, 1);
    EXPECT_EQ(GroupeEnSelection, a);
    Groupe__DeselectionTout();
    EXPECT_EQ(GroupeEnSelection, -1);
    EXPECT_EQ(NombreGroupesSelectionnes, 0);
    EXPECT_EQ(TableObjets[TableGroupes[a].membres[0]].selectionne, 0);
}

TEST_F(Groupes, VitesseCommune) {
    int g = Creer(0, 0, 0, 1, 1);   // speed 3
    ObjetNaissance(1, 0, 10, 0, g, 0);   // 5
    ObjetNaissance(2, 0, 20, 0, g, 0);   // 4
    Groupe__VitesseCommune(g, 0);
    const Groupe& groupe = TableGroupes[g];
    EXPECT_EQ(TableObjets[groupe.membres[0]].vitesse, 3);
    EXPECT_EQ(TableObjets[groupe.membres[1]].vitesse, 5);
    EXPECT_EQ(TableObjets[groupe.membres[2]].vitesse, 5);
    Groupe__VitesseCommune(g, -10);
    EXPECT_EQ(TableObjets[groupe.membres[2]].vitesse, 1);
}

// A member slot naming no object of the table (as a stale or damaged slot would) is passed over
// by the sums, the shared speed and the selection instead of being read out of bounds.
TEST_F(Groupes, UnMembreHorsDeLaTableEstIgnore) {
    int g = Creer(1, 0, 0, 3, 1);
    Groupe& groupe = TableGroupes[g];
    const int vrai = groupe.membres[1];
    for (const int faux : {-5, NOMBRE_OBJETS, NOMBRE_OBJETS + 1000}) {
        groupe.membres[1] = faux;
        EXPECT_EQ(GroupePointsDeVie(g), 200) << faux;
        EXPECT_EQ(GroupeMana(g), 14) << faux;
        EXPECT_EQ(GroupeMoral(g), 2) << faux;   // the sum of two members over the three slots
        Groupe__VitesseCommune(g, 0);
        EXPECT_EQ(TableObjets[groupe.membres[2]].vitesse, 5) << faux;
        Groupe__Selection(g);
        EXPECT_EQ(TableObjets[groupe.membres[2]].selectionne, 1) << faux;
        Groupe__DeselectionTout();
    }
    groupe.membres[1] = vrai;
    EXPECT_EQ(GroupePointsDeVie(g), 300);
    EXPECT_FALSE(Unite__CombatADistance(-1));
    EXPECT_FALSE(Unite__CombatADistance(NOMBRE_OBJETS));
    EXPECT_TRUE(Objet__MourantOuMort(-1));
    EXPECT_TRUE(Objet__MourantOuMort(NOMBRE_OBJETS));
}

// Members' values that pass an int together: the sums stop at the int's ends, the averages are
// taken over the whole sum.
TEST_F(Groupes, DesSommesTropGrandesPourUnEntier) {
    int g = Creer(1, 0, 0, 3, 1);
    std::vector<Objet> avant;
    for (int i = 0; i < 3; ++i) {
        Objet& o = TableObjets[TableGroupes[g].membres[i]];
        avant.push_back(o);
        o.pointsDeVie = o.pointsDeVieMaximum = o.moral = 2'000'000'000;
        o.mana = -2'000'000'000;
    }
    EXPECT_EQ(GroupePointsDeVie(g), INT_MAX);
    EXPECT_EQ(GroupePointsDeVieMaximum(g), INT_MAX);
    EXPECT_EQ(GroupeMana(g), INT_MIN);
    EXPECT_EQ(GroupeMoral(g), 2'000'000'000);
    for (int i = 0; i < 3; ++i) TableObjets[TableGroupes[g].membres[i]] = avant[static_cast<size_t>(i)];
}

TEST_F(Groupes, SommesMoyennesRemplacementNomCible) {
    int g = Creer(1, 0, 0, 3, 1);
    EXPECT_EQ(GroupePointsDeVie(g), 300);
    EXPECT_EQ(GroupePointsDeVieMaximum(g), 300);
    EXPECT_EQ(GroupeMana(g), 21);
    EXPECT_EQ(GroupeManaMaximum(g), 21);
    EXPECT_EQ(GroupeMoral(g), 3);
    EXPECT_EQ(GroupeNiveau(g), 1);
    EXPECT_EQ(GroupeManaMaximum(-1), 101);
    EXPECT_EQ(Rapport(), "GroupeManaMaximum(): Groupe == -1");

    Groupe__RemplacementMembre(g, TableGroupes[g].membres[1], 77);
    EXPECT_EQ(TableGroupes[g].membres[1], 77);
    try {
        Groupe__RemplacementMembre(g, 1234, 5);   // the scan stops at the members
        FAIL();
    } catch (const FinProgramme&) {
    }
    EXPECT_EQ(Rapport(), "ERREUR ERREUR: i ==3");

    Groupe__Nom(g, "Lanciers");
    EXPECT_STREQ(TableGroupes[g].nom, "Lanciers");
    DeploiementEnCours = 1;
    Groupe__Cible(g, 7);
    EXPECT_EQ(TableGroupes[g].groupeCible, 7);
    EXPECT_EQ(TableGroupes[g].cibleDeploiement, 1);
}

}  // namespace
