// The enemy regiments on a small region: each behaviour's plan for the turn, the greedy path,
// the token's walk and slide, the contact with a player regiment, and the drawing of the tokens.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "../battle/creatures_fixture.h"
#include "battle/trajet.h"
#include "campaign/ennemis.h"
#include "platform/hasard.h"

namespace {

constexpr int REGIMENT = 23, REGIMENT_NMI = 25, JETON = 338, JETON_NMI = 339, GFX_NMI = 900;

class Comportements : public CreaturesEssai {
  protected:
    CarteRegion carte{};
    std::array<LieuUnique, 1> lieux{};
    std::array<PointTrajet, POINTS_TRAJET_GROUPE> chemin{};
    std::vector<NoeudEntier> noeuds;
    std::vector<int> vivants;

    void SetUp() override {
        CreaturesEssai::SetUp();
        arbre.Ecrire("tmp/Joueur0/.garde", "");
        carte.terrain.fill(0);
        lieux[0].x = lieux[0].y = -1;
        carte.lieuxUniques = lieux.data();
        carte.nbLieuxUniques = 1;
        CarteRegionCourante = &carte;
        RegimentsNmi = {};
        NbRegimentsNmi = 0;
        ObjetsRegimentsNmi.fill(nullptr);
        OrigineBataille = -1;
        ObjetGfx_ANIM__DPL[JETON_NMI] = GFX_NMI;
    }
    void TearDown() override {
        for (auto& g : TableGroupes) g.tampon = nullptr;
        ObjetGfx_ANIM__DPL[JETON_NMI] = -1;
        CarteRegionCourante = nullptr;
        RegimentsNmi = {};
        NbRegimentsNmi = 0;
        ObjetsRegimentsNmi.fill(nullptr);
        ListeObjetsVivants = nullptr;
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
    // Enemy record i (object 10 + i) of behaviour c at (x, y).
    RegimentNmi& Ennemi(int i, int c, int x, int y, int nbPA = 3, int distVue = 8) {
        Objet& o = Vivant(10 + i, REGIMENT_NMI, JETON_NMI, x, y);
        o.sorts[0] = i;
        o.animation = 5;
        RegimentNmi& r = RegimentsNmi[static_cast<size_t>(i)];
        r = RegimentNmi{};
        r.id = 100 + i;
        r.x = x;
        r.y = y;
        r.comportement = c;
        r.nbPA = nbPA;
        r.distVue = distVue;
        r.chemin[0] = {x, y};
        ObjetsRegimentsNmi[static_cast<size_t>(i)] = &o;
        NbRegimentsNmi = std::max(NbRegimentsNmi, i + 1);
        vivants.push_back(10 + i);
        Lister();
        return r;
    }
    // A player regiment's token (object n) at (x, y), in group n.
    Objet& Joueur(int n, int x, int y) {
        Objet& o = Vivant(n, REGIMENT, JETON, x, y);
        o.sorts[0] = 0;
        GroupeAvec(n, {n});
        vivants.push_back(n);
        Lister();
        return o;
    }
    static Objet& Jeton(int i) { return *ObjetsRegimentsNmi[static_cast<size_t>(i)]; }
    // Ticks of token i until it stands still on a cell; the cells it stood on, in order.
    static std::vector<std::string> Marche(int i, int passes = 80) {
        Objet& o = Jeton(i);
        std::vector<std::string> cases{std::to_string(o.x) + "," + std::to_string(o.y)};
        for (int k = 0; k < passes; ++k) {
            ObjetCourant = &o;
            RegimentNmi_Animation();
            const std::string c = std::to_string(o.x) + "," + std::to_string(o.y);
            if (cases.empty() || cases.back() != c) cases.push_back(c);
        }
        return cases;
    }
    static std::vector<std::string> Chemin(int i) {
        const RegimentNmi& r = RegimentsNmi[static_cast<size_t>(i)];
        std::vector<std::string> v;
        for (int k = 0; k <= r.nbPas; ++k) v.push_back(std::to_string(r.chemin[k].x) + "," + std::to_string(r.chemin[k].y));
        return v;
    }
};

}  // namespace

TEST_F(Comportements, CeluiQuiResteNeBougeJamais) {
    RegimentNmi& r = Ennemi(0, 0, 10, 10);
    Joueur(1, 11, 10);   // a player regiment right beside it
    RegimentNmi_Deplacement(0);
    EXPECT_EQ(r.nbPas, 0);
    // Even a stale move left in its record is not walked, and no battle opens.
    r.nbPas = 2;
    r.chemin[1] = {11, 10};
    r.chemin[2] = {12, 10};
    EXPECT_EQ(Marche(0), std::vector<std::string>{"10,10"});
    EXPECT_EQ(r.enMouvement, 0);
    EXPECT_EQ(r.enBataille, 0);
    EXPECT_EQ(OrigineBataille, -1);
}

TEST_F(Comportements, LeChasseurVaVersLeRegimentLePlusProche) {
    RegimentNmi& r = Ennemi(0, 1, 10, 10, 3, 8);
    Joueur(1, 17, 10);   // distance 7: in sight
    Joueur(2, 10, 3);    // distance 7 too: the later one in the list is chased
    RegimentNmi_Deplacement(0);
    EXPECT_EQ(Chemin(0), (std::vector<std::string>{"10,10", "10,9", "10,8", "10,7"}));
    EXPECT_EQ(Marche(0), (std::vector<std::string>{"10,10", "10,9", "10,8", "10,7"}));
    EXPECT_EQ(r.nbPas, 0);
    EXPECT_EQ(r.enMouvement, 0);   // arrived and slid back onto its cell
    EXPECT_FALSE(RegimentNmi_EnMouvement());
    EXPECT_EQ(r.x, 10);
    EXPECT_EQ(r.y, 7);
    EXPECT_EQ(GrilleUnites[10 + 128 * 7], 10);
    EXPECT_EQ(GrilleUnites[10 + 128 * 10], 0);
    EXPECT_EQ(Jeton(0).decalageY, 0);

    // Out of sight: nothing to chase.
    r.distVue = 2;
    RegimentNmi_Deplacement(0);
    EXPECT_EQ(r.nbPas, 0);
}

TEST_F(Comportements, LeGuetteurAttendQueLeJoueurSoitEnVue) {
    // distVue 3: a regiment 4 cells away is not seen, one 3 cells away is, and the guard then
    // marches to its destination, seen or not, turn after turn.
    RegimentNmi& r = Ennemi(0, 2, 10, 10, 2, 3);
    r.destinationX = 14;
    r.destinationY = 10;
    r.pourAttaqueNbPA = 5;
    r.pourAttaqueDistVue = 12;
    Objet& p = Joueur(1, 10, 14);
    RegimentNmi_Deplacement(0);
    EXPECT_EQ(r.detection, 0);
    EXPECT_EQ(r.nbPas, 0);
    Univers__LiberationUnites(1);
    p.y = 13;
    Univers__OccupationUnites(1);
    RegimentNmi_Deplacement(0);
    EXPECT_EQ(r.detection, 1);
    EXPECT_EQ(Chemin(0), (std::vector<std::string>{"10,10", "11,10", "12,10"}));
    Marche(0);
    Univers__LiberationUnites(1);
    p.y = 30;   // gone: it goes on all the same
    Univers__OccupationUnites(1);
    RegimentNmi_Deplacement(0);
    EXPECT_EQ(r.nbPas, 2);
    Marche(0);
    EXPECT_EQ(r.x, 14);
    // On its destination it turns hunter with its attack values.
    RegimentNmi_Deplacement(0);
    EXPECT_EQ(r.comportement, 1);
    EXPECT_EQ(r.nbPA, 5);
    EXPECT_EQ(r.distVue, 12);

    // distVue 0 sees only its own cell.
    RegimentNmi& g = Ennemi(1, 2, 30, 30, 2, 0);
    g.destinationX = 35;
    Joueur(2, 31, 30);
    RegimentNmi_Deplacement(1);
    EXPECT_EQ(g.detection, 0);
}

TEST_F(Comportements, LaSentinelleSurveilleSaZone) {
    // Cells 20..22 x 5..6, bounds included; any live object there starts the march.
    RegimentNmi& r = Ennemi(0, 4, 10, 10, 2, 3);
    r.zoneX = 20, r.zoneY = 5, r.zoneLargeur = 2, r.zoneHauteur = 1;
    r.destinationX = 10, r.destinationY = 5;
    Objet& p = Joueur(1, 23, 6);
    RegimentNmi_Deplacement(0);
    EXPECT_EQ(r.detection, 0);
    EXPECT_EQ(r.nbPas, 0);
    Univers__LiberationUnites(1);
    p.x = 22;
    Univers__OccupationUnites(1);
    p.famille = REGIMENT_NMI;   // its family is not asked
    p.sorts[0] = 29;
    RegimentNmi_Deplacement(0);
    EXPECT_EQ(r.detection, 1);
    EXPECT_EQ(Chemin(0), (std::vector<std::string>{"10,10", "10,9", "10,8"}));
}

TEST_F(Comportements, LeCheminGloutonEviteCeQuiEstFerme) {
    RegimentNmi& r = Ennemi(0, 1, 10, 10, 4, 20);
    // Closed cell and unique site on the straight line east; another enemy token further on.
    carte.terrain[static_cast<size_t>(11 * REGION_HAUTEUR + 10)] = 4;
    lieux[0].x = 12;
    lieux[0].y = 11;
    EXPECT_EQ(RegimentNmi_CalculerChemin(0, 16, 10), 4);
    EXPECT_EQ(Chemin(0).size(), 1u);   // nbPas is the planner's caller's
    r.nbPas = 4;
    EXPECT_EQ(Chemin(0), (std::vector<std::string>{"10,10", "11,11", "12,10", "13,10", "14,10"}));
    Ennemi(1, 0, 13, 9);
    Ennemi(2, 0, 13, 10);
    Ennemi(3, 0, 13, 11);
    EXPECT_EQ(RegimentNmi_CalculerChemin(0, 16, 10), 4);
    EXPECT_EQ(Chemin(0), (std::vector<std::string>{"10,10", "11,11", "12,10", "12,10", "12,10"}));
    // Already there: no step. The goal reached early ends the path.
    EXPECT_EQ(RegimentNmi_CalculerChemin(0, 10, 10), 0);
    EXPECT_EQ(RegimentNmi_CalculerChemin(0, 9, 8), 2);
    // In a corner, the cells off the region are never steps (nor read).
    RegimentNmi& c = Ennemi(4, 1, 0, 0, 3, 20);
    EXPECT_EQ(RegimentNmi_CalculerChemin(4, -5, -5), 3);
    c.nbPas = 3;
    EXPECT_EQ(Chemin(4), (std::vector<std::string>{"0,0", "0,0", "0,0", "0,0"}));
    RegimentNmi& d = Ennemi(5, 1, 51, 39, 2, 20);
    EXPECT_EQ(RegimentNmi_CalculerChemin(5, 60, 45), 2);
    d.nbPas = 2;
    EXPECT_EQ(Chemin(5), (std::vector<std::string>{"51,39", "51,39", "51,39"}));
}

TEST_F(Comportements, LeRodeurResteSurLaRegion) {
    // With no prey it roams up to 10 cells away, its goal kept in columns 1..51 and rows 1..38.
    int colonne1 = 0, ligne38 = 0;
    for (uint32_t graine = 1; graine <= 60; ++graine) {
        for (int coin = 0; coin < 2; ++coin) {
            RegimentsNmi = {};
            vivants.clear();
            const int x = coin ? 50 : 2, y = coin ? 37 : 2;
            RegimentNmi& r = Ennemi(0, 5, x, y, NBPA_MAXIMUM, 6);
            Hasard_Graine(graine);
            RegimentNmi_Deplacement(0);
            const int gx = r.chemin[r.nbPas].x, gy = r.chemin[r.nbPas].y;
            EXPECT_GE(gx, 1);
            EXPECT_LE(gx, 51);
            EXPECT_GE(gy, 1);
            EXPECT_LE(gy, 38);
            EXPECT_LE(std::abs(gx - x), 10);
            colonne1 += gx == 1;
            ligne38 += gy == 38;
            Univers__LiberationUnites(10);
        }
    }
    EXPECT_GT(colonne1, 0);
    EXPECT_GT(ligne38, 0);
}

TEST_F(Comportements, UnContactDemandeLaBataille) {
    // The hunter's next cell holds a player regiment: the battle is asked for, the token stays.
    RegimentNmi& r = Ennemi(0, 1, 10, 10, 3, 8);
    Joueur(1, 12, 12);
    RegimentNmi_Deplacement(0);
    EXPECT_EQ(Chemin(0), (std::vector<std::string>{"10,10", "11,11", "12,12"}));
    const auto cases = Marche(0);
    EXPECT_EQ(cases, (std::vector<std::string>{"10,10", "11,11"}));
    EXPECT_EQ(r.enBataille, 1);
    EXPECT_EQ(OrigineBataille, 0);
    EXPECT_EQ(r.nbPas, 0);
    EXPECT_EQ(r.enMouvement, 0);
    EXPECT_EQ(GrilleUnites[12 + 128 * 12], 1);
    // Another enemy token in the way only stops it.
    RegimentNmi& s = Ennemi(1, 1, 20, 20, 3, 8);
    Ennemi(2, 0, 21, 20);
    s.nbPas = 1;
    s.chemin[1] = {21, 20};
    EXPECT_EQ(Marche(1), std::vector<std::string>{"20,20"});
    EXPECT_EQ(s.enBataille, 0);
    EXPECT_EQ(s.nbPas, 0);
}

TEST_F(Comportements, LesJetonsSontDessinesOuCaches) {
    Ecran();
    Sprite(GFX_NMI, 13);
    for (int c : {1, 3}) {
        Effacer();
        Ennemi(0, c, 2, 3);
        Jeton(0).image = 4;
        Jeton(0).decalageX = -5;
        PointeurCase = &GrilleUnites[2 + 128 * 3];
        RegimentNmi_Affichage();
        const std::vector<std::string> plein = Dessines();
        const uint16_t couleurPleine = At(63, 88);
        Effacer();
        RegimentNmi_AffichageOmbre();
        const std::vector<std::string> ombre = Dessines();
        if (c == 3) {
            // An ambush is never drawn, in sight or not.
            EXPECT_TRUE(plein.empty());
            EXPECT_TRUE(ombre.empty());
            continue;
        }
        // At the cell's place plus (20, 16), frame `image`; see-through outside the view zone.
        EXPECT_EQ(plein, std::vector<std::string>{"63,88"});
        EXPECT_EQ(couleurPleine, Couleur(4));
        EXPECT_EQ(ombre, std::vector<std::string>{"63,88"});
        EXPECT_NE(At(63, 88), Couleur(4));
    }
    // An animation the token does not have: reported once, nothing drawn.
    Ennemi(0, 1, 2, 3);
    Jeton(0).animation = 7;
    PointeurCase = &GrilleUnites[2 + 128 * 3];
    Effacer();
    testing::internal::CaptureStderr();
    for (int k = 0; k < 5; ++k) RegimentNmi_Affichage();
    const std::string erreurs = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(Dessines().empty());
    size_t n = 0;
    for (size_t p = erreurs.find("Animation inconnue : 7"); p != std::string::npos; p = erreurs.find("Animation inconnue", p + 1)) ++n;
    EXPECT_EQ(n, 1u) << erreurs;
}
