// Leaders and reinforcements on a small world: the circle search round the entry points with the
// fortification zone, the hero's level, the reinforcement place found past blocked anchors, the
// requests beyond the table, the leaders' deaths, and the results screen's arithmetic.
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "../world/monde_fixture.h"
#include "campaign/armee.h"
#include "campaign/campagne.h"
#include "shell/chefs.h"
#include "shell/resultats.h"
#include "shell/routeur.h"
#include "world/groupes.h"

#include "battle/joueur_evenements.h"

namespace {

class Chefs : public Monde {
  protected:
    void SetUp() override {
        Monde::SetUp();
        // Masters 5 (the hero) and 120 (a companion); the others empty.
        std::vector<std::pair<std::string, std::string>> maitres(121, {"-", ""});
        maitres[5] = {"heros", FicheMaitre()};
        maitres[120] = {"dralmog", FicheMaitre()};
        MondeAvec(maitres);
        ModeSceneCourant = 2;
        ZoneBatimentsPresente = 0;
        EtatFinPartie = -1;
        OrJoueur = 0;
    }
    static Objet& Membre(int groupe) { return TableObjets[static_cast<size_t>(TableGroupes[static_cast<size_t>(groupe)].membres[0])]; }
    static int DernierGroupe() { return ListeGroupesActifs ? ListeGroupesActifs->valeur : 0; }
};

TEST_F(Chefs, LeChefSePoseHorsDeLaZoneFortifieeEtLeHerosPrendSonNiveau) {
    ZoneBatimentsPresente = 1;
    ZoneBatimentsX = 40;
    ZoneBatimentsY = 100;
    ZoneBatimentsLargeur = 50;
    ZoneBatimentsHauteur = 28;
    ExperienceHeros = 25000;
    ASSERT_EQ(Chef_Placement(5, 0, 0, 0), 0);
    const Objet& heros = Membre(DernierGroupe());
    EXPECT_FALSE(heros.x >= 40 && heros.x < 90 && heros.y >= 100);
    EXPECT_EQ(heros.niveau, 20);
    EXPECT_EQ(heros.experience, 20000);
    EXPECT_EQ(TableGroupes[static_cast<size_t>(DernierGroupe())].engagementLibre, 0);

    // In the castle the zone does not count and every leader comes to (46, 60).
    ModeSceneCourant = 0;
    ExperienceHeros = 3500;
    ASSERT_EQ(Chef_Placement(5, 0, 7, 0), 0);
    const Objet& auChateau = Membre(DernierGroupe());
    EXPECT_EQ(auChateau.x, 46);
    EXPECT_EQ(auChateau.y, 60);
    EXPECT_EQ(auChateau.niveau, 4);
    // The next one beside it, on a free cell.
    ASSERT_EQ(Chef_Placement(120, 0, 7, 0), 0);
    const Objet& voisin = Membre(DernierGroupe());
    EXPECT_LE(std::abs(voisin.x - 46) + std::abs(voisin.y - 60), 3);
    EXPECT_FALSE(voisin.x == 46 && voisin.y == 60);

    EXPECT_EQ(Chef_Placement(77, 0, 0, 0), -1);   // no such master
}

TEST_F(Chefs, LesRenfortsCherchentPlaceDePointDEntreeEnPointDEntree) {
    // Every cell taken but a strip in the top-right corner, out of reach of entry points 0 to 2.
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            if (!(x >= 116 && x <= 122 && y >= 6 && y <= 8)) Univers__PoseCaseUnites(x, y, 1);
    TableChefs[0].PointEntree = 0;
    ASSERT_EQ(Renforts_RecherchePlaceCercle(20, 2, 1, 1), 1);
    EXPECT_EQ(RenfortDirection, 3);
    EXPECT_GE(RenfortX, 116);
    EXPECT_LE(RenfortX + 1, 122);
    EXPECT_GE(RenfortY, 6);
    EXPECT_LE(RenfortY, 8);
    // Nowhere for a layout wider than the strip.
    EXPECT_EQ(Renforts_RecherchePlaceCercle(20, 8, 1, 1), 0);
}

TEST_F(Chefs, UneDispositionPlusLongueQueLesCasesAdmisesNeTrouvePasDePlace) {
    // On an empty map the admitted cells run from 6 to 122: 117 of them, in cells of the unit's size.
    struct Cas {
        int largeur, hauteur, taille, trouve;
    };
    for (const Cas& c : {Cas{117, 1, 1, 1}, Cas{118, 1, 1, 0}, Cas{1, 58, 2, 1}, Cas{1, 59, 2, 0}, Cas{19, 19, 6, 1},
                         Cas{20, 1, 6, 0}}) {
        SCOPED_TRACE(std::to_string(c.largeur) + " x " + std::to_string(c.hauteur) + " x " + std::to_string(c.taille));
        EXPECT_EQ(Renforts_RecherchePlaceCercle(20, c.largeur, c.hauteur, c.taille), c.trouve);
        if (!c.trouve) continue;
        EXPECT_GE(RenfortX, 6);
        EXPECT_LE(RenfortX + c.largeur * c.taille - 1, 122);
        EXPECT_GE(RenfortY, 6);
        EXPECT_LE(RenfortY + c.hauteur * c.taille - 1, 122);
    }
}

TEST_F(Chefs, LesDemandesDeRenfortAuDelaDeDixSontRefuseesEtCellesAuDelaDeQuatreAttendent) {
    Renforts_RemiseAZero();
    for (int i = 0; i < 11; ++i) Renforts_Demande(200 + i, 0, 1);   // no copies: nothing to import
    EXPECT_EQ(NbRenforts, 10);
    EXPECT_NE(Rapport().find("section 210"), std::string::npos);
    Renforts_Importation();
    EXPECT_EQ(NbRenforts, 6);
    EXPECT_EQ(TableRenforts[0].section, 204);
    EXPECT_EQ(TableRenforts[6].section, -1);
}

TEST_F(Chefs, LaMortDUnChefCouteUneRanconOuLaCampagne) {
    struct Cas {
        const char* nom;
        bool herosPresent, herosVivant;
        int or_, orApres, etat;
        const char* texte;   // the requester file asked for (reported missing here)
    };
    for (const Cas& c : {Cas{"rançon", false, false, 1500, 500, -1, "MortLeaders\\MortDral.txt"},
                         Cas{"pas assez d'or", false, false, 900, 900, 3, "MortTotale\\Dralmog.txt"},
                         Cas{"le héros d'abord", true, false, 1500, 1500, 2, "Mort_O_Region.txt"},
                         Cas{"héros vivant", true, true, 1500, 500, -1, "MortLeaders\\MortDral.txt"}}) {
        SCOPED_TRACE(c.nom);
        EtatFinPartie = -1;
        OrJoueur = c.or_;
        PopulationParType.fill(0);
        if (c.herosVivant) PopulationParType[5] = 1;
        for (Chef& chef : TableChefs) chef.present = 0;
        TableChefs[0] = Chef{5, 0, c.herosPresent ? 1 : 0, 0};
        TableChefs[1] = Chef{120, 0, 1, 0};
        arbre.Ecrire("Erreur.txt", "");
        MortChef();
        EXPECT_EQ(OrJoueur, c.orApres);
        EXPECT_EQ(EtatFinPartie, c.etat);
        EXPECT_NE(Rapport().find(c.texte), std::string::npos) << Rapport();
    }
}

TEST(Bilan, LesChiffresDeLEcranDesResultats) {
    struct Cas {
        const char* nom;
        int amis, totalAmis, ennemis, totalEnnemis, attaques, avantages;
        uint32_t duree;
        Bilan attendu;
    };
    for (const Cas& c : {
             Cas{"aucune perte, aucune attaque", 10, 10, 0, 20, 0, 0, 0, {0, 100, 50, 0, 50, 0, 0, 0}},
             Cas{"pertes des deux côtés", 3, 10, 5, 20, 10, 4, 3725000, {70, 75, 2, 40, 42, 1, 2, 5}},
             Cas{"sans troupes", 0, 0, 0, 0, 0, 0, 59999, {0, 0, 0, 0, 0, 0, 0, 59}},
             Cas{"score plafonné", 10, 10, 0, 10, 10, 10, 0, {0, 100, 50, 100, 100, 0, 0, 0}},
             Cas{"score plancher", 0, 10, 10, 10, 0, 0, 0, {100, 0, -50, 0, 0, 0, 0, 0}},
             Cas{"renforts: plus de vivants que le total", 12, 10, 0, 10, 0, 0, 0, {0, 100, 50, 0, 50, 0, 0, 0}},
         }) {
        SCOPED_TRACE(c.nom);
        NbUnitesAmies = c.amis;
        TotalUnitesAmies = c.totalAmis;
        NbUnitesEnnemies = c.ennemis;
        TotalUnitesEnnemies = c.totalEnnemis;
        AttaquesJoueur = c.attaques;
        AttaquesAvantageJoueur = c.avantages;
        const Bilan b = Bilan__Calcul(c.duree);
        const Bilan& a = c.attendu;
        EXPECT_EQ(b.pertesAmies, a.pertesAmies);
        EXPECT_EQ(b.pertesEnnemies, a.pertesEnnemies);
        EXPECT_EQ(b.bonus, a.bonus);
        EXPECT_EQ(b.precision, a.precision);
        EXPECT_EQ(b.score, a.score);
        EXPECT_EQ(b.heures, a.heures);
        EXPECT_EQ(b.minutes, a.minutes);
        EXPECT_EQ(b.secondes, a.secondes);
    }
    // The gauges grow to a fifth of their value; the counters stop at 20 past 100.
    EXPECT_EQ(Bilan__Limite(75, false), 15);
    EXPECT_EQ(Bilan__Limite(100, true), 20);
    EXPECT_EQ(Bilan__Limite(250, true), 20);
    EXPECT_EQ(Bilan__Limite(-5, false), 0);
}

}  // namespace
