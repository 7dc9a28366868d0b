#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "campaign/armee_fichiers.h"
#include "campaign/chargement_armees.h"

#include "campaign/campagne.h"
#include "campaign/deploiement.h"
#include "catalogue_fixture.h"
#include "world/groupes.h"
#include "world/monde_fixture.h"

namespace {

// A world whose masters are the catalogue's: the hero, the soldier, the archer, the two sections
// and a dragon; the Empire's catalogue loaded over it.
class Deploiement : public Monde {
  protected:
    void SetUp() override {
        Monde::SetUp();
        for (const Variable& v : TableVariables) *v.valeur = *v.valeurSuivante = 0;
        NiveauSoldat = NiveauChateau = 1;
        CampParJoueur[0] = 0;
        MondeAvec({{"-", ""},
                   {"heros", FicheMaitre()},
                   {"soldat", FicheMaitre()},
                   {"archer", FicheMaitre("HUMAIN", "2")},
                   {"sect_soldats", FicheMaitre()},
                   {"sect_archers", FicheMaitre()},
                   {"dragon", FicheMaitre("DRAGON", "1")}});
        std::string liste = arbre.Lire("ini/mv.ini");
        for (auto [avant, apres] : {std::pair{"M_1 1", "EMPIRE___HEROS 1"}, {"M_2 2", "EMPIRE___SOLDAT 2"},
                                    {"M_3 3", "EMPIRE___ARCHER 3"}, {"M_4 4", "SECTION_SOLDATS 4"},
                                    {"M_5 5", "SECTION_ARCHERS 5"}, {"M_6 6", "DRAGON 6"}})
            liste = Remplacer(liste, avant, apres);
        arbre.Ecrire("ini/mv.ini", liste);
        std::string catalogue = CATALOGUE_EMPIRE;
        catalogue = Remplacer(catalogue, "[UNITES] 3", "[UNITES] 4");
        catalogue = Remplacer(catalogue, "[SECTIONS]", "\"Dragon\" \"DRAGON\" \"\" 1 1 0 1 1\n[SECTIONS]");
        arbre.Ecrire("sections/Empire.txt", catalogue);
        arbre.Ecrire("sections/sect_soldats.sct", SCT_SOLDATS);
        arbre.Ecrire("sections/sect_archers.sct", SCT_ARCHERS);
        Catalogue__charger(0);
        EtapeCampagne = VerificationArmee = MissionSpecialeEnCours = ZoneBatimentsPresente = 0;
    }
    void TearDown() override {
        Catalogue__liberer();
        CampParJoueur[0] = 1;
        NiveauChateau = 0;
        Monde::TearDown();
    }
    // A regiment of n soldier sections (castle level 1: hero and two soldiers in a 2 x 2 layout).
    static Regiment* Soldats(int n, int id, int experience = 0) {
        ListeExtensible<Section> l;
        for (int i = 0; i < n; ++i) {
            Section* s = creerSection("Section " + std::to_string(i), 0, 1, nullptr);
            Section__ajouterUnite(s, creerUnite(1, experience, 1, 1, 0, 0, 1, 0, 0));
            Section__ajouterUnite(s, creerUnite(0, experience, 1, 1, 0, 0, 1, 0, 0));
            Section__ajouterUnite(s, creerUnite(1, experience, 1, 1, 0, 0, 1, 0, 0));
            l.ajouter(s);
        }
        return creerRegiment("R", id, &l);
    }
    static std::vector<int> GroupesDe(int id) {
        std::vector<int> g;
        for (const NoeudEntier* n = ListeGroupesActifs; n && n->suivant; n = n->suivant)
            if (TableGroupes[n->valeur].groupeCible == id) g.push_back(n->valeur);
        return g;
    }
};

}  // namespace

TEST_F(Deploiement, TroisSectionsDepuisLeCoin) {
    Regiment* r = Soldats(3, 4);
    ASSERT_EQ(Regiment__poserSurCarte(r, 3, 0), 0);
    const std::vector<int> groupes = GroupesDe(4);
    ASSERT_EQ(groupes.size(), 3u);
    for (int gi : groupes) {
        const Groupe& g = TableGroupes[gi];
        EXPECT_EQ(g.codeSection, 4);
        EXPECT_EQ(g.niveauSection, 1);
        EXPECT_NE(g.nom, nullptr);
        EXPECT_EQ(g.colonnes, 2);
        EXPECT_EQ(g.lignes, 2);
        ASSERT_EQ(g.nbMembres, 3);
        // Layout: hero soldier / soldier -, so the members stand at (+1,0), (0,0), (0,+1) from the first soldier.
        const Objet& premier = TableObjets[g.membres[0]];
        const Objet& heros = TableObjets[g.membres[1]];
        const Objet& second = TableObjets[g.membres[2]];
        EXPECT_EQ(premier.typeMaitre, 2);
        EXPECT_EQ(heros.typeMaitre, 1);
        EXPECT_EQ(heros.x + 1, premier.x);
        EXPECT_EQ(heros.y, premier.y);
        EXPECT_EQ(second.x, heros.x);
        EXPECT_EQ(second.y, heros.y + 1);
        EXPECT_GE(heros.x, 3);
        EXPECT_GE(heros.y, 3);
        EXPECT_LT(heros.x + heros.y, 20);   // near the corner
        EXPECT_EQ(heros.direction, 3);
    }
    delete r;
}

TEST_F(Deploiement, ChaqueCoteEtCoteBloque) {
    for (int direction : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}) {
        Regiment* r = Soldats(1, 10 + direction);
        ASSERT_EQ(Regiment__poserSurCarte(r, direction, 1), 0) << direction;
        const std::vector<int> g = GroupesDe(10 + direction);
        ASSERT_EQ(g.size(), 1u);
        const Objet& o = TableObjets[TableGroupes[g[0]].membres[0]];
        const AncreEntree a = Deploiement__ancre(direction);
        EXPECT_LT(std::abs(o.x - a.x) + std::abs(o.y - a.y), 16) << direction;
        EXPECT_EQ(o.direction, direction % 8);
        delete r;
    }
    EXPECT_EQ(Deploiement__ancre(9).x, 0);
    // Everything taken: nothing is placed.
    for (int i = 0; i < TAILLE_UNIVERS * TAILLE_UNIVERS; ++i) GrilleUnites[i] = 1;
    Regiment* r = Soldats(2, 30);
    EXPECT_EQ(Regiment__poserSurCarte(r, 0, 0), -1);
    EXPECT_TRUE(GroupesDe(30).empty());
    // A free corner with room for one section: the first is placed, the second reported.
    for (int y = 2; y < 8; ++y)
        for (int x = 2; x < 7; ++x) GrilleUnites[x + TAILLE_UNIVERS * y] = 0;
    EXPECT_EQ(Regiment__poserSurCarte(r, 3, 0), -1);
    EXPECT_EQ(GroupesDe(30).size(), 1u);
    delete r;
}

TEST_F(Deploiement, ZoneDesBatimentsEtCasesPrises) {
    ZoneBatimentsPresente = 1;
    ZoneBatimentsX = ZoneBatimentsY = 0;
    ZoneBatimentsLargeur = ZoneBatimentsHauteur = 20;
    Regiment* r = Soldats(1, 1);
    ASSERT_EQ(Regiment__poserSurCarte(r, 3, 0), 0);
    const Objet& o = TableObjets[TableGroupes[GroupesDe(1)[0]].membres[0]];
    EXPECT_TRUE(o.x - 1 >= 20 || o.y - 1 >= 20);
    delete r;
    ZoneBatimentsPresente = 0;
    // A unit on a taken cell.
    for (int i = 0; i < TAILLE_UNIVERS * TAILLE_UNIVERS; ++i) GrilleUnites[i] = 1;
    Section s;
    s.typeSection = 0;
    s.niveauChateau = 1;
    EXPECT_EQ(Section__essayerPoser(&s, 10, 10), 1);   // no unit
    Section__ajouterUnite(&s, creerUniteNeuve(1));
    EXPECT_EQ(Section__essayerPoser(&s, 10, 10), 0);
}

TEST_F(Deploiement, NiveauxDesObjets) {
    struct Cas {
        int camp, chateau, etape, verification, experienceUnite, niveau, experience;
    } cas[] = {
        {0, 1, 0, 0, 2500, 3, 2498}, {0, 3, 0, 0, 0, 3, 3000}, {0, 2, 0, 0, 0, 2, 2000}, {0, 2, 0, 0, 5000, 6, 4995},
        {1, 1, 2, 0, 9000, 3, 3000}, {1, 1, 2, 1, 9000, 1, 1000},
    };
    int id = 100;
    for (const Cas& c : cas) {
        NiveauChateau = c.chateau;
        EtapeCampagne = c.etape;
        VerificationArmee = c.verification;
        Regiment* r = Soldats(1, id, c.experienceUnite);
        ASSERT_EQ(Regiment__poserSurCarte(r, 8, c.camp), 0);
        const Objet& o = TableObjets[TableGroupes[GroupesDe(id)[0]].membres[0]];
        EXPECT_EQ(o.niveau, c.niveau) << c.experienceUnite;
        EXPECT_EQ(o.experience, c.experience) << c.experienceUnite;
        EXPECT_EQ(o.pointsDeVie, o.pointsDeVieMaximum);
        delete r;
        ++id;
    }
}

TEST_F(Deploiement, RetourDepuisLaCarte) {
    Regiment* r = Soldats(2, 5, 1200);
    ASSERT_EQ(Regiment__poserSurCarte(r, 0, 0), 0);
    delete r;
    Regiment* autre = Soldats(1, 6);
    ASSERT_EQ(Regiment__poserSurCarte(autre, 4, 0), 0);
    delete autre;
    const int g = GroupesDe(5)[0];
    TableObjets[TableGroupes[g].membres[2]].armee = 1;   // gone over to the other side
    TableObjets[TableGroupes[g].membres[0]].pointsDeVie = 77;
    Regiment* retour = Regiment__depuisCarte("Retour", 0, 5);
    ASSERT_EQ(retour->sections.nombre, 2);
    EXPECT_EQ(retour->id, 5);
    EXPECT_EQ(retour->nom, "Retour");
    EXPECT_EQ(retour->nbUnites, 5);
    const Section* s = retour->sections[0];   // the newest group first
    EXPECT_EQ(s->typeSection, 0);
    EXPECT_EQ(s->niveauChateau, 1);
    EXPECT_EQ(s->nom, "Section 1");
    EXPECT_EQ(s->unites.nombre, 2);
    EXPECT_EQ(s->unites[0]->sante, 77);
    EXPECT_EQ(s->unites[0]->santeMaximum, 77);
    EXPECT_EQ(s->unites[0]->experience, 1199);
    delete retour;
}

namespace {

class Chargements : public Deploiement {
  protected:
    void SetUp() override {
        Deploiement::SetUp();
        Armee__viderRegimentsCharges();
        RestrictionsCatalogue = 1;
    }
    // Writes a regiment of n soldier sections to a game path under the tree.
    void EcrireRegiment(const std::string& relatif, int n, const char* nom) {
        if (!Catalogue) Catalogue__charger(0);
        std::unique_ptr<Regiment> r(Soldats(n, 0, 1500));
        r->nom = nom;
        arbre.Ecrire(relatif, "");
        FILE* f = std::fopen((arbre.Racine() / relatif).c_str(), "w");
        Regiment__sauvegarder(r.get(), f);
        std::fclose(f);
    }
};

}  // namespace

TEST_F(Chargements, RegimentsDuJoueurChargesPuisRecopies) {
    EcrireRegiment("tmp/Joueur0/regiment2.txt", 2, "Deuxième");
    EcrireRegiment("tmp/Joueur0/regiment3.txt", 1, "Troisième");
    EcrireRegiment("tmp/Joueur0/regiment4.txt", 1, "Resté au camp");
    const std::string reste = arbre.Lire("tmp/Joueur0/regiment4.txt");
    ASSERT_EQ(Armee__chargerRegimentJoueur(0, 2, 0), 0);
    ASSERT_EQ(Armee__chargerRegimentJoueur(0, 3, 4), 0);
    EXPECT_EQ(NombreRegimentsCharges, 2);
    EXPECT_EQ(Armee__regimentDejaCharge(3), 1);
    EXPECT_EQ(Armee__regimentDejaCharge(4), 0);
    EXPECT_EQ(DeploiementEnCours, 0);
    const std::vector<int> groupes = GroupesDe(2);
    ASSERT_EQ(groupes.size(), 2u);
    EXPECT_EQ(TableGroupes[groupes[0]].cibleDeploiement, 1);
    // One member of the newest section changes sides; regiment 3 is wiped out.
    TableObjets[TableGroupes[groupes[0]].membres[1]].armee = 1;
    const int32_t survivants[MAX_REGIMENTS] = {0, 0, 1, 0, 0};
    Armee__copierRegimentTmp(0, survivants);
    EXPECT_EQ(arbre.Lire("tmp/Joueur0/regiment3.txt"), "Regiment__mort 1\n");
    EXPECT_EQ(arbre.Lire("tmp/Joueur0/regiment4.txt"), reste);
    Catalogue__charger(0);
    FILE* f = std::fopen((arbre.Racine() / "tmp/Joueur0/regiment2.txt").c_str(), "r");
    std::unique_ptr<Regiment> r(chargerRegiment(f));
    std::fclose(f);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->nom, "Deuxième");
    EXPECT_EQ(r->id, 2);
    EXPECT_EQ(r->sections.nombre, 2);
    EXPECT_EQ(r->nbUnites, 5);
    EXPECT_EQ(r->sections[1]->unites[0]->experience, 1499);
}

// The battle's regiments are written back as one set: a rename failing at the second file leaves
// both files as they were before the battle.
TEST_F(Chargements, LaRecopieApresBatailleEstEntiereOuNulle) {
    EcrireRegiment("tmp/Joueur0/regiment2.txt", 2, "Deuxième");
    EcrireRegiment("tmp/Joueur0/regiment3.txt", 1, "Troisième");
    const std::string deux = arbre.Lire("tmp/Joueur0/regiment2.txt"), trois = arbre.Lire("tmp/Joueur0/regiment3.txt");
    ASSERT_EQ(Armee__chargerRegimentJoueur(0, 2, 0), 0);
    ASSERT_EQ(Armee__chargerRegimentJoueur(0, 3, 4), 0);
    static int renommages;
    renommages = 0;
    EcritureSure__avantRenommage = [](const char*) { return ++renommages < 2; };
    const int32_t survivants[MAX_REGIMENTS] = {0, 0, 1, 0, 0};   // regiment 3 wiped out
    testing::internal::CaptureStderr();
    Armee__copierRegimentTmp(0, survivants);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Impossible de cr"), std::string::npos);
    EcritureSure__avantRenommage = nullptr;
    EXPECT_EQ(renommages, 2);
    EXPECT_EQ(arbre.Lire("tmp/Joueur0/regiment2.txt"), deux);
    EXPECT_EQ(arbre.Lire("tmp/Joueur0/regiment3.txt"), trois);
    EXPECT_FALSE(arbre.Existe("tmp/Joueur0/regiment2.txt.old"));
    EXPECT_FALSE(arbre.Existe("tmp/Joueur0/regiment3.txt.tmp"));
}

TEST_F(Chargements, SectionsSansPlaceGardees) {
    EcrireRegiment("tmp/Joueur0/regiment1.txt", 2, "Serré");
    for (int i = 0; i < TAILLE_UNIVERS * TAILLE_UNIVERS; ++i) GrilleUnites[i] = 1;
    for (int y = 2; y < 8; ++y)
        for (int x = 2; x < 7; ++x) GrilleUnites[x + TAILLE_UNIVERS * y] = 0;
    testing::internal::CaptureStderr();
    EXPECT_EQ(Armee__chargerRegimentJoueur(0, 1, 3), -1);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(GroupesDe(1).size(), 1u);
    const int32_t survivants[MAX_REGIMENTS] = {0, 1};
    Armee__copierRegimentTmp(0, survivants);
    Catalogue__charger(0);
    FILE* f = std::fopen((arbre.Racine() / "tmp/Joueur0/regiment1.txt").c_str(), "r");
    std::unique_ptr<Regiment> r(chargerRegiment(f));
    std::fclose(f);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->sections.nombre, 2);
    EXPECT_EQ(r->nbUnites, 6);
}

TEST_F(Chargements, EnnemisEtEscarmouche) {
    arbre.Ecrire("Armees/Regimentsnmi/mort.txt", "Regiment__mort 1\n");
    EXPECT_EQ(Armee__chargerEnnemi(1, "..\\Armees\\Regimentsnmi\\mort.txt", 4, 0), -1);
    EXPECT_EQ(RestrictionsCatalogue, 1);
    EcrireRegiment("Armees/Regimentsnmi/nmi7.txt", 1, "Pillards");
    EXPECT_EQ(Armee__chargerEnnemi(1, "..\\Armees\\Regimentsnmi\\nmi7.txt", 4, 0), 0);
    EXPECT_EQ(GroupesDe(0).size(), 1u);
    EXPECT_EQ(TableObjets[TableGroupes[GroupesDe(0)[0]].membres[0]].armee, 1);
    EXPECT_FALSE(Catalogue);
    EcrireRegiment("Armees/Escarmouche/Empire/Essai/regiment0.txt", 1, "Essai");
    EXPECT_EQ(Armee__chargerFichier(0, "..\\Armees\\Escarmouche\\Empire\\Essai\\regiment0.txt", 2, 2), 0);
    testing::internal::CaptureStderr();
    try {
        Armee__chargerEnnemi(1, "..\\Armees\\Regimentsnmi\\absent.txt", 4, 0);
        ADD_FAILURE();
    } catch (const FinProgramme&) {
    }
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(Rapport(), "Erreur: fichier nmi ..\\Armees\\Regimentsnmi\\absent.txt non trouvé");
}

TEST_F(Chargements, UnitesHorsDispositionGardees) {
    // A section of the file holds one soldier more than its layout has cells for.
    std::unique_ptr<Regiment> plein(Soldats(1, 0, 1500));
    plein->nom = "Trop plein";
    Section__ajouterUnite(plein->sections[0], creerUnite(1, 700, 1, 1, 0, 0, 1, 0, 0));
    arbre.Ecrire("tmp/Joueur0/regiment5.txt", "");
    FILE* f = std::fopen((arbre.Racine() / "tmp/Joueur0/regiment5.txt").c_str(), "w");
    Regiment__sauvegarder(plein.get(), f);
    std::fclose(f);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Armee__chargerRegimentJoueur(0, 5, 8), 0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("hors de sa disposition"), std::string::npos);
    ASSERT_EQ(GroupesDe(5).size(), 1u);
    EXPECT_EQ(TableGroupes[GroupesDe(5)[0]].nbMembres, 3);
    const int32_t survivants[MAX_REGIMENTS] = {0, 0, 0, 0, 0, 1};
    Armee__copierRegimentTmp(0, survivants);
    Catalogue__charger(0);
    f = std::fopen((arbre.Racine() / "tmp/Joueur0/regiment5.txt").c_str(), "r");
    std::unique_ptr<Regiment> r(chargerRegiment(f));
    std::fclose(f);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->nbUnites, 4);
    ASSERT_EQ(r->sections.nombre, 2);
    ASSERT_EQ(r->sections[1]->unites.nombre, 1);
    EXPECT_EQ(r->sections[1]->unites[0]->experience, 700);
}
