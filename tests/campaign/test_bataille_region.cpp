// Battles opened from the region map: who takes part and from which side, the leaders' entry
// points, the fort, the level and title chosen, the pending battle, and the hand-over to the router.
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "campaign/bataille_region.h"
#include "campaign/campagne.h"
#include "campaign/region.h"
#include "frontend/localisation.h"
#include "shell/chefs.h"
#include "shell/demarrage.h"
#include "shell/routeur.h"
#include "world/niveau.h"
#include "../battle/creatures_fixture.h"

namespace {

constexpr int REGIMENT = 23, REGIMENT_NMI = 25, JETON = 338, JETON_NMI = 339;

class BatailleRegion : public CreaturesEssai {
  protected:
    CarteRegion carte{};
    std::array<LieuUnique, 2> lieux{};
    std::vector<NoeudEntier> noeuds;
    std::vector<int> vivants;
    int suivant = 1;

    void SetUp() override {
        CreaturesEssai::SetUp();
        arbre.Ecrire("tmp/Joueur0/.garde", "");
        carte.terrain.fill(0);
        for (auto& l : lieux) {
            l = LieuUnique{};
            l.x = l.y = -1;
            l.nbrFrame = 1;
        }
        carte.lieuxUniques = lieux.data();
        carte.nbLieuxUniques = 2;
        CarteRegionCourante = &carte;
        CampagneCourante = 0;
        EtapeCampagne = 0;
        EtatPassageBataille = 2;
        for (auto& r : RegimentsRegion) r = RegimentRegion{};
        NbRegimentsRegion = REGIMENTS_REGION;
        for (auto& r : RegimentsNmi) r = RegimentNmi{};
        NbRegimentsNmi = 0;
        for (Chef& c : TableChefs) c = Chef{};
        OrigineBataille = -1;
        MorvaneCode = 0;
        RoutageOn = 0;
        ModeSceneCourant = 2;
        BatailleFort = 0;
        ConditionsDepuisFichierVbat = 0;
        FichierVbat[0] = 0;
        TitreBataille[0] = 0;
        DeploiementEnCours = 1;
    }
    void TearDown() override {
        CarteRegionCourante = nullptr;
        NbRegimentsRegion = NbRegimentsNmi = 0;
        ListeObjetsVivants = nullptr;
        RoutageOn = 1;
        MorvaneCode = 1;
        ModeSceneCourant = 2;
        for (Chef& c : TableChefs) c = Chef{};
        CreaturesEssai::TearDown();
    }
    void Lister() {
        noeuds.assign(vivants.size() + 1, NoeudEntier{});
        for (size_t i = 0; i < vivants.size(); ++i) {
            noeuds[i].valeur = vivants[i];
            noeuds[i].suivant = &noeuds[i + 1];
        }
        ListeObjetsVivants = noeuds.data();
    }
    // The token of the player's regiment `r` at (x, y).
    Objet& Regiment(int r, int x, int y) {
        const int n = suivant++;
        Objet& o = Vivant(n, REGIMENT, JETON, x, y);
        o.sorts[0] = r;
        o.prochaineCaseX = x;
        o.prochaineCaseY = y;
        RegimentsRegion[static_cast<size_t>(r)].x = x;
        RegimentsRegion[static_cast<size_t>(r)].y = y;
        vivants.push_back(n);
        Lister();
        return o;
    }
    // Enemy regiment `i` (id 100 + i) at (x, y), stepping towards (nx, ny).
    Objet& Ennemi(int i, int x, int y, int nx, int ny) {
        const int n = suivant++;
        Objet& o = Vivant(n, REGIMENT_NMI, JETON_NMI, x, y);
        o.sorts[0] = i;
        o.prochaineCaseX = nx;
        o.prochaineCaseY = ny;
        RegimentNmi& r = RegimentsNmi[static_cast<size_t>(i)];
        std::snprintf(r.fichier, sizeof r.fichier, "nmi%d.txt", 100 + i);
        std::snprintf(r.vbat, sizeof r.vbat, "..\\Niveau\\Ennemi%d.Vbat", i);
        r.id = 100 + i;
        r.x = x;
        r.y = y;
        r.comportement = 1;
        NbRegimentsNmi = std::max(NbRegimentsNmi, i + 1);
        vivants.push_back(n);
        Lister();
        return o;
    }
    static std::vector<int> Cotes() {
        std::vector<int> v;
        for (const RegimentRegion& r : RegimentsRegion) v.push_back(r.enBataille ? r.directionEntree : -1);
        return v;
    }
    void ExpectPassation(int origine) {
        EXPECT_EQ(OrigineBataille, origine);
        EXPECT_EQ(ModeSceneCourant, 1);
        EXPECT_EQ(MorvaneCode, 2);
        EXPECT_EQ(RoutageOn, 1);
        EXPECT_EQ(DeploiementEnCours, 0);
    }
};

}  // namespace

TEST_F(BatailleRegion, UnEnnemiEnDiagonaleEntreParLeCote3) {
    Regiment(0, 11, 11);   // the defender
    Regiment(1, 12, 11);   // east of it: side 6
    Regiment(2, 10, 12);   // south-west: side 1
    Regiment(3, 14, 11);   // two cells away: stays out
    lieux[0].x = 30;
    lieux[0].y = 30;
    lieux[0].visite = 2;   // a visit under way is cancelled
    RegimentsRegion[1].etat = -1;   // resting: the battle is fought in a fort
    Objet& e = Ennemi(0, 10, 10, 11, 11);
    RegimentNmi& nmi = RegimentsNmi[0];
    nmi.comportement = 3;
    nmi.pourAttaqueNbPA = 7;
    nmi.pourAttaqueDistVue = 9;
    ObjetCourant = &e;
    Hasard_Graine(5);
    ASSERT_EQ(RegimentNmi_AttaqueArmee(11, 11), 1);
    EXPECT_EQ(ObjetCourant, &e);

    EXPECT_EQ(nmi.enBataille, 1);
    EXPECT_EQ(nmi.directionEntree, 3);
    EXPECT_EQ(std::string(FichierVbat), "..\\Niveau\\Ennemi0.Vbat");
    // The hidden regiment shows itself with its attack values.
    EXPECT_EQ(nmi.comportement, 1);
    EXPECT_EQ(nmi.nbPA, 7);
    EXPECT_EQ(nmi.distVue, 9);
    const std::vector<int> attendu = {8, 6, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    EXPECT_EQ(Cotes(), attendu);
    // Leaders: entry points in the order of the cells, reserve and presence reset first.
    EXPECT_EQ(TableChefs[0].reserve, 1);
    EXPECT_EQ(TableChefs[0].PointEntree, 1);
    EXPECT_EQ(TableChefs[1].PointEntree, 6);
    EXPECT_EQ(TableChefs[2].PointEntree, 8);
    EXPECT_EQ(TableChefs[3].reserve, -1);
    for (const Chef& c : TableChefs) EXPECT_EQ(c.present, -1);
    EXPECT_EQ(lieux[0].visite, 0);
    // A plain in a fort: one of its three variants; the choice clears the fort.
    const std::string niveau = NomNiveauBataille;
    EXPECT_EQ(niveau.rfind("..\\niveau\\fort\\plaine\\plaine00", 0), 0u) << niveau;
    EXPECT_EQ(BatailleFort, 0);
    EXPECT_EQ(ConditionsDepuisFichierVbat, 1);
    ExpectPassation(0);
    // The sites were written for the battle, with the cancelled visit.
    EXPECT_NE(arbre.Lire("tmp/Joueur0/uniques.txt").find("Visite : 0"), std::string::npos);
}

TEST_F(BatailleRegion, NeufRegimentsAuPlusUnParCase) {
    // Every cell round a site, the site's own included, holds a regiment; one more stands two
    // cells away.
    for (int d = 0; d < 9; ++d) Regiment(d, 20 + DecalageEntreeX[d], 20 + DecalageEntreeY[d]);
    Regiment(9, 22, 20);
    lieux[0].x = lieux[0].y = 20;
    lieux[0].entree = -1;
    Objet& jeton = TableObjets[static_cast<size_t>(Univers__CaseUnites(19, 20))];
    jeton.prochaineCaseX = jeton.prochaineCaseY = 20;
    ObjetCourant = &jeton;
    ASSERT_EQ(RegimentNmi_BatailleLieuUnique(0), 1);
    const std::vector<int> attendu = {0, 1, 2, 3, 4, 5, 6, 7, 8, -1, -1, -1};
    EXPECT_EQ(Cotes(), attendu);
    for (int k = 0; k < NOMBRE_CHEFS; ++k) EXPECT_EQ(TableChefs[static_cast<size_t>(k)].PointEntree, k);
}

TEST_F(BatailleRegion, LeRassemblementResteSurLaRegion) {
    // An enemy on the region's last row: the row below it is off the region, whatever stands there.
    Ennemi(0, 5, REGION_HAUTEUR - 1, 5, REGION_HAUTEUR - 1);
    int r = 0;
    for (int d = 0; d < 8; ++d) Regiment(r++, 5 + DecalageEntreeX[d], REGION_HAUTEUR - 1 + DecalageEntreeY[d]);
    Objet& jeton = TableObjets[static_cast<size_t>(Univers__CaseUnites(4, REGION_HAUTEUR - 2))];
    jeton.prochaineCaseX = 5;
    jeton.prochaineCaseY = REGION_HAUTEUR - 1;
    ObjetCourant = &jeton;
    ASSERT_EQ(RegimentNmi_EntreeBataille(5, REGION_HAUTEUR - 1), 1);
    EXPECT_EQ(RegimentsNmi[0].enBataille, 1);
    EXPECT_EQ(RegimentsNmi[0].directionEntree, 8);
    const std::vector<int> attendu = {-1, -1, 2, 3, 4, 5, 6, -1, -1, -1, -1, -1};
    EXPECT_EQ(Cotes(), attendu);
    ExpectPassation(1);
}

TEST_F(BatailleRegion, UneBatailleEnAttenteBloqueLesAutres) {
    Regiment(0, 20, 20);
    Objet& premier = Ennemi(0, 19, 20, 20, 20);
    Objet& second = Ennemi(1, 21, 20, 20, 20);
    ObjetCourant = &premier;
    ASSERT_EQ(RegimentNmi_AttaqueArmee(20, 20), 1);
    EXPECT_EQ(RegimentsNmi[0].directionEntree, 2);
    const std::string niveau = NomNiveauBataille;
    // The second enemy of the same tick changes nothing.
    ObjetCourant = &second;
    RegimentsRegion[0].directionEntree = 99;
    EXPECT_EQ(RegimentNmi_AttaqueArmee(20, 20), 0);
    EXPECT_EQ(RegimentsNmi[1].enBataille, 0);
    EXPECT_EQ(RegimentsRegion[0].directionEntree, 99);
    EXPECT_EQ(std::string(NomNiveauBataille), niveau);
    EXPECT_EQ(std::string(FichierVbat), "..\\Niveau\\Ennemi0.Vbat");
    // Nor does the player's regiment walking into one, nor a unique site.
    Objet& jeton = TableObjets[static_cast<size_t>(Univers__CaseUnites(20, 20))];
    jeton.prochaineCaseX = 21;
    ObjetCourant = &jeton;
    EXPECT_EQ(RegimentNmi_EntreeBataille(21, 20), 0);
    lieux[1].x = 21;
    lieux[1].y = 21;
    OrigineBataille = 0;
    EXPECT_EQ(RegimentNmi_BatailleLieuUnique(1), 0);
    EXPECT_EQ(lieux[1].visite, 0);
    EXPECT_EQ(OrigineBataille, 0);
}

TEST_F(BatailleRegion, LeCoteDuLieuUniqueEstImpose) {
    struct Cas {
        int entree;
        std::vector<int> cotes;
    };
    const Cas cas[] = {{2, {2, 2, 2, -1}}, {-1, {8, 4, 0, -1}}};
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.entree);
        for (auto& r : RegimentsRegion) r = RegimentRegion{};
        vivants.clear();
        suivant = 1;
        for (auto& l : lieux) l.visite = 0;
        Objet& jeton = Regiment(0, 15, 15);
        Regiment(1, 15, 14);
        Regiment(2, 15, 16);
        RegimentsRegion[0].etat = -1;   // no fort at a site
        jeton.prochaineCaseX = 15;
        jeton.prochaineCaseY = 15;
        lieux[1] = LieuUnique{};
        lieux[1].x = 15;
        lieux[1].y = 15;
        lieux[1].entree = c.entree;
        std::snprintf(lieux[1].nom, sizeof lieux[1].nom, "Ferme");
        std::snprintf(lieux[1].texte, sizeof lieux[1].texte, "La ferme des Aubiers");
        lieux[0].visite = 2;
        ObjetCourant = &jeton;
        ASSERT_EQ(RegimentNmi_BatailleLieuUnique(1), 1);
        std::vector<int> cotes = Cotes();
        cotes.resize(4);
        EXPECT_EQ(cotes, c.cotes);
        EXPECT_EQ(lieux[1].visite, 2);
        EXPECT_EQ(lieux[0].visite, 0);
        EXPECT_EQ(std::string(NomNiveauBataille), "..\\Campagnes\\Tutorial\\Region9\\Ferme.mv");
        EXPECT_EQ(ConditionsDepuisFichierVbat, 0);
        EXPECT_EQ(std::string(TitreBataille), "- La ferme des Aubiers -");
        EXPECT_EQ(BatailleFort, 0);
        EXPECT_EQ(TableChefs[0].PointEntree, c.entree == -1 ? 0 : 2);
        ExpectPassation(2);
    }
}

TEST_F(BatailleRegion, NiveauxParTerrainEtFort) {
    std::snprintf(TextesInterface[90], sizeof TextesInterface[90], "Bataille en plaine");
    std::snprintf(TextesInterface[93], sizeof TextesInterface[93], "Bataille sur la rivière");
    struct Cas {
        int terrain, fort;
        const char* niveau;
        const char* titre;
    };
    // Seed 7, one choice after the other: a draw for every terrain 0..3, fort or not, none beyond.
    const Cas cas[] = {
        {0, 0, "..\\niveau\\plaine\\plaine00", "- Bataille en plaine -"},
        {0, 1, "..\\niveau\\fort\\plaine\\plaine00", "- Bataille en plaine -"},
        {1, 0, "..\\niveau\\foret\\foret00", "-  -"},
        {1, 1, "..\\niveau\\fort\\foret\\foret001.mv", "-  -"},
        {2, 0, "..\\niveau\\montagne\\montagne00", "-  -"},
        {2, 1, "..\\niveau\\fort\\montagne\\montagne001.mv", "-  -"},
        {3, 0, "..\\niveau\\riviere\\riviere00", "- Bataille sur la rivière -"},
        {3, 1, "..\\niveau\\fort\\riviere\\riviere001.mv", "- Bataille sur la rivière -"},
        {4, 0, "..\\niveau\\niveau1.mv", "- T'es en niveau 1 mon grand -"},
        {7, 1, "..\\niveau\\niveau1.mv", "- T'es en niveau 1 mon grand -"},
        {-3, 0, "..\\niveau\\niveau1.mv", "- T'es en niveau 1 mon grand -"},
    };
    Hasard_Graine(7);
    std::vector<int> tirages;
    for (int i = 0; i < 9; ++i) tirages.push_back(Hasard_Regles());
    Hasard_Graine(7);
    size_t tirage = 0;
    for (const Cas& c : cas) {
        SCOPED_TRACE(std::to_string(c.terrain) + " " + std::to_string(c.fort));
        carte.terrain[static_cast<size_t>(4 * REGION_HAUTEUR + 6)] = c.terrain;
        BatailleFort = c.fort;
        RegionChoisirNiveauBataille(4, 6);
        std::string attendu = c.niveau;
        if (c.terrain >= 0 && c.terrain <= 3) {
            const int t = tirages[tirage++];
            if (c.fort == 0) attendu += std::to_string(t % 9 + 1) + ".mv";
            else if (c.terrain == 0) attendu += std::to_string(t % 3 + 1) + ".mv";
        }
        EXPECT_EQ(std::string(NomNiveauBataille), attendu);
        EXPECT_EQ(std::string(TitreBataille), c.titre);
        EXPECT_EQ(ConditionsDepuisFichierVbat, 1);
        EXPECT_EQ(BatailleFort, 0);
    }
    // A draw for each of the eight terrain cases, none for the others.
    EXPECT_EQ(tirage, 8u);
    EXPECT_EQ(Hasard_Regles(), tirages[8]);
    // Off the region: the default level.
    RegionChoisirNiveauBataille(REGION_LARGEUR, 3);
    EXPECT_EQ(std::string(NomNiveauBataille), "..\\niveau\\niveau1.mv");
    TextesInterface[90][0] = TextesInterface[93][0] = 0;
}

TEST_F(BatailleRegion, LeNiveauDUnLieuUnique) {
    carte.terrain[static_cast<size_t>(4 * REGION_HAUTEUR + 6)] = 4;   // a locked site's closed cell
    lieux[0].x = 4;
    lieux[0].y = 6;
    std::snprintf(lieux[0].nom, sizeof lieux[0].nom, "Cimetiere");
    struct Cas {
        int lock;
        const char* niveau;
        int conditions;
    };
    const Cas cas[] = {{0, "..\\Campagnes\\Tutorial\\Region9\\Cimetiere.mv", 0},
                       {1, "..\\Campagnes\\Tutorial\\Region9\\Cimetiere.mv", 0},
                       {2, "..\\niveau\\niveau1.mv", 1}};
    for (const Cas& c : cas) {
        lieux[0].lock = c.lock;
        RegionChoisirNiveauBataille(4, 6);
        EXPECT_EQ(std::string(NomNiveauBataille), c.niveau) << c.lock;
        EXPECT_EQ(ConditionsDepuisFichierVbat, c.conditions) << c.lock;
    }
    EXPECT_EQ(Rapport(), "");
    // A name that makes the path too long for the level name is refused: the terrain's level
    // stays, with its own conditions, and the fault is reported.
    lieux[0].lock = 0;
    std::memset(lieux[0].nom, 'N', sizeof lieux[0].nom - 1);
    lieux[0].nom[sizeof lieux[0].nom - 1] = 0;
    RegionChoisirNiveauBataille(4, 6);
    EXPECT_EQ(std::string(NomNiveauBataille), "..\\niveau\\niveau1.mv");
    EXPECT_EQ(ConditionsDepuisFichierVbat, 0);
    EXPECT_NE(Rapport().find("Nom de niveau trop long"), std::string::npos) << Rapport();
    // The longest text of a site still makes a whole title.
    std::memset(lieux[0].texte, 't', sizeof lieux[0].texte - 1);
    lieux[0].texte[sizeof lieux[0].texte - 1] = 0;
    lieux[0].nom[0] = 'F';
    lieux[0].nom[1] = 0;
    Objet& jeton = Regiment(0, 4, 7);
    jeton.prochaineCaseX = 4;
    jeton.prochaineCaseY = 6;
    ObjetCourant = &jeton;
    ASSERT_EQ(RegimentNmi_BatailleLieuUnique(0), 1);
    EXPECT_EQ(std::string(TitreBataille), "- " + std::string(99, 't') + " -");
}
