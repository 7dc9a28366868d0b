#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "campaign/armee_fichiers.h"
#include "campaign/campagne.h"
#include "frontend/localisation.h"
#include "catalogue_fixture.h"

namespace {

class FichiersArmee : public CatalogueFixture {
  protected:
    void SetUp() override {
        CatalogueFixture::SetUp();
        CampParJoueur[1] = 0;
        Catalogue__charger(1);
        OrJoueur = 0;
        EspaceLibreReserves = 10000;
        ListeReserves__creer();
        Armee__creer();
        std::filesystem::create_directories(arbre.Racine() / "Armees/joueur1");
    }
    void TearDown() override {
        EcritureSure__avantRenommage = nullptr;
        Armee__liberer();
        ListeReserves__liberer();
        CampParJoueur[1] = 1;
        CatalogueFixture::TearDown();
    }
    Regiment* Nouveau(const char* nom, int id, int sections) {
        ListeExtensible<Section> l;
        for (int i = 0; i < sections; ++i) {
            Section* s = creerSection("Section " + std::to_string(i), i % 2, 2, nullptr);
            Section__ajouterUnite(s, creerUnite(i % 2 ? 2 : 0, 2500 + i, 400, 500, 90, 100, 8, 7, 9));
            Section__ajouterUnite(s, creerUniteNeuve(i % 2 ? 2 : 1));
            l.ajouter(s);
        }
        Regiment* r = creerRegiment(nom, id, &l);
        ArmeeJoueur->ajouter(r);
        return r;
    }
};

const char* const REGIMENT_COMPLET =
    "Regiment__mort 0\nRegiment__nom =La Garde\nRegiment__pointsAction 99\nRegiment__siegeSeul 1\n"
    "Regiment__plaine 9 9\nRegiment__foret 9 9\nRegiment__montagne 9 9\nRegiment__riviere 9 9\n"
    "Regiment__attaquer 9 9 9 9 9 9\nRegiment__rompre 9 9 9 9 9 9\nRegiment__embuscade 9 9 9 9 9 9\n"
    "Regiment__marcheForcee 9 9 9 9 9 9\nRegiment__defense 9 9 9 9 9 9\nRegiment__leader 5\nRegiment__id 7\n"
    "Regiment__nbSections 1\n\tSection__nom =Soldats\n\tSection__numeroObjetMaitre 400\n"
    "\tSection__niveauChateau 1\n\tSection__nbUnites 2\n\t\t5 10 20 30 40 50 6 0 0\n\t\t20 0 500 500 100 100 10 0 0\n";

}  // namespace

TEST_F(FichiersArmee, AllerRetourAvecIdsEtRegimentVide) {
    Nouveau("Premier régiment de la Garde", 1, 2);
    Nouveau("Second", 2, 1);
    Nouveau("Vide", 4, 0);
    Armee__sauvegarder();
    EXPECT_EQ(arbre.Lire("Armees/joueur1/entete_armee.txt"), "nbRegiments 5\n");
    EXPECT_EQ(arbre.Lire("Armees/joueur1/regiment0.txt"), "Regiment__mort 1\n");
    EXPECT_EQ(arbre.Lire("Armees/joueur1/regiment4.txt"), "Regiment__mort 1\n");
    const std::string texte = arbre.Lire("Armees/joueur1/regiment1.txt");
    EXPECT_NE(texte.find("Regiment__nom =Premier régiment de la Garde\n"), std::string::npos);
    EXPECT_NE(texte.find("\t\t5 2500 400 500 90 100 8 7 9\n"), std::string::npos);
    EXPECT_NE(texte.find("Regiment__leader 5\n"), std::string::npos);

    Armee__liberer();
    Armee__charger();
    ASSERT_EQ(ArmeeJoueur->nombre, 2);
    const Regiment* r = (*ArmeeJoueur)[0];
    EXPECT_EQ(r->id, 1);
    EXPECT_EQ((*ArmeeJoueur)[1]->id, 2);
    EXPECT_EQ(r->nom, "Premier régiment de la Garde");
    ASSERT_EQ(r->sections.nombre, 2);
    EXPECT_EQ(r->sections[1]->nom, "Section 1");
    EXPECT_EQ(r->sections[1]->typeSection, 1);
    EXPECT_EQ(r->sections[0]->niveauChateau, 2);
    EXPECT_EQ(r->nbUnites, 4);
    const Unite* u = r->sections[0]->unites[0];
    EXPECT_EQ(u->typeUnite, 0);
    EXPECT_EQ(u->valeur7, 7);
    EXPECT_EQ(u->valeur8, 9);
    EXPECT_EQ(r->sommes.experience, 2500 + 2501);
    // Written again, the files are the same.
    const std::string avant = arbre.Lire("Armees/joueur1/regiment1.txt");
    Armee__sauvegarder();
    EXPECT_EQ(arbre.Lire("Armees/joueur1/regiment1.txt"), avant);
}

TEST_F(FichiersArmee, LesCoutsEcritsSontIgnoresEtCRLFAccepte) {
    std::string crlf;
    for (char c : std::string(REGIMENT_COMPLET)) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    for (const std::string& contenu : {std::string(REGIMENT_COMPLET), crlf}) {
        arbre.Ecrire("r.txt", contenu);
        FILE* f = std::fopen((arbre.Racine() / "r.txt").c_str(), "r");
        Regiment* r = chargerRegiment(f);
        std::fclose(f);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->nom, "La Garde");
        EXPECT_EQ(r->id, 7);
        EXPECT_EQ(r->pointsAction, 3);
        EXPECT_EQ(r->siegeSeul, 0);
        EXPECT_EQ(r->couts[COUT_PLAINE][0], (PaireCout{0, 1}));
        EXPECT_EQ(r->sections[0]->nom, "Soldats");
        EXPECT_EQ(r->sections[0]->unites[0]->moral, 6);
        delete r;
    }
}

TEST_F(FichiersArmee, FichiersFautifs) {
    struct Cas {
        const char* avant;
        const char* apres;
        const char* rapport;
    } cas[] = {
        {"Regiment__siegeSeul 1\n", "", "Chargement: Regiment__siegeSeul non défini"},
        {"Regiment__rompre 9 9 9 9 9 9", "Regiment__rompre 9 9 9", "Chargement: Regiment__rompre non défini"},
        {"Regiment__nbSections 1", "Regiment__nbSections -1", "Chargement: Regiment__nbSections non défini"},
        {"Regiment__nom =", "Regiment__nom ", "Chargement: Regiment__nom non défini"},
        {"\tSection__numeroObjetMaitre 400", "\tSection__numeroObjetMaitre 20",
         "Chargement: La section d'objet maître n°20 n'est pas dans le camp du joueur"},
        {"\t\t5 10 20", "\t\t6 10 20", "Chargement: L'unité d'objet maître n°6 n'est dans le camp du joueur"},
        {"\t\t5 10 20 30 40 50 6 0 0", "\t\t5 10 20 30", "Chargement: Unite__sante non défini"},
        {"\tSection__nbUnites 2", "\tSection__nbUnites 3", "Chargement: Unite__sante non défini"},
        {"\tSection__niveauChateau 1", "\tSection__niveauChateau 4", "Chargement: Section__niveauChateau non défini"},
        {"\tSection__nbUnites 2", "\tSection__nbUnites 1025", "Chargement: Section__nbUnites non défini"},
    };
    for (const Cas& c : cas) {
        std::string texte = REGIMENT_COMPLET;
        texte.replace(texte.find(c.avant), std::string(c.avant).size(), c.apres);
        arbre.Ecrire("r.txt", texte);
        EXPECT_EQ(Fatale([&] {
                      std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen((arbre.Racine() / "r.txt").c_str(), "r"),
                                                              std::fclose);
                      delete chargerRegiment(f.get());
                  }),
                  c.rapport)
            << c.apres;
    }
    arbre.Ecrire("Armees/joueur1/entete_armee.txt", "nbRegiments 13\n");
    EXPECT_EQ(Fatale([] { Armee__charger(); }), "Chargement: nbRegiments non défini");
    arbre.Ecrire("Armees/joueur1/entete_armee.txt", "nbRegiments 2\n");
    arbre.Ecrire("Armees/joueur1/regiment0.txt", "Regiment__mort 1\n");
    EXPECT_EQ(Fatale([] { Armee__charger(); }), "chargement: fichier ..\\Armees\\joueur1\\regiment1.txt non trouvé");
}

// Unit values outside 0..20000 are brought within on reading: no negative level or hit points,
// and a regiment's sums of many huge values stay exact.
TEST_F(FichiersArmee, LesValeursDesUnitesSontBornees) {
    std::string texte = REGIMENT_COMPLET;
    std::string unites;
    for (int i = 0; i < 200; ++i) unites += "\t\t20 2147483647 2147483647 2147483647 2147483647 2147483647 2147483647 3 4\n";
    texte.replace(texte.find("\tSection__nbUnites 2"), std::string::npos, "\tSection__nbUnites 201\n" + unites +
                  "\t\t20 -5000 -1 -2 -3 -4 -5 -6 -7\n");
    arbre.Ecrire("r.txt", texte);
    FILE* f = std::fopen((arbre.Racine() / "r.txt").c_str(), "r");
    std::unique_ptr<Regiment> r(chargerRegiment(f));
    std::fclose(f);
    ASSERT_TRUE(r);
    const Unite* u = r->sections[0]->unites[0];
    EXPECT_EQ(std::vector<int32_t>({u->experience, u->sante, u->santeMaximum, u->mana, u->manaMaximum, u->moral,
                                    u->valeur7, u->valeur8}),
              std::vector<int32_t>({20000, 20000, 20000, 20000, 20000, 20000, 3, 4}));
    const Unite* v = r->sections[0]->unites[200];
    EXPECT_EQ(std::vector<int32_t>({v->experience, v->sante, v->santeMaximum, v->mana, v->manaMaximum, v->moral}),
              std::vector<int32_t>(6, 0));
    EXPECT_EQ(r->sommes.sante, 200 * 20000);
    EXPECT_EQ(r->sommes.experience, 200 * 20000);
}

TEST_F(FichiersArmee, EnteteAbsentLaisseLArmeeVide) {
    testing::internal::CaptureStderr();
    Armee__charger();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("chargement des r"), std::string::npos);
    EXPECT_EQ(ArmeeJoueur->nombre, 0);
}

TEST_F(FichiersArmee, ReservesAllerRetour) {
    ListeReserves__charger();   // no file: nothing, no message
    EXPECT_EQ(ListeReservesJoueur->nombre, 0);
    OrJoueur = 2500;
    ListeExtensible<Unite> unites;
    unites.ajouter(creerUnite(1, 12, 400, 500, 0, 0, 10, 0, 0));
    ListeReserves__ajouter(creerReserve(1, 35, &unites));
    ListeReserves__ajouter(creerReserve(2, 40, nullptr));
    ListeReserves__sauvegarder();
    EXPECT_EQ(arbre.Lire("Armees/reserve.txt"),
              "or 2500\nnbReserves 2\nReserve__typeUnite 1\nReserve__prix 35\nReserve__nbUnites 1\n"
              "\t\t20 12 400 500 0 0 10 0 0\nReserve__typeUnite 2\nReserve__prix 40\nReserve__nbUnites 0\n");
    ListeReserves__liberer();
    OrJoueur = 0;
    ListeReserves__charger();
    EXPECT_EQ(OrJoueur, 2500);
    ASSERT_EQ(ListeReservesJoueur->nombre, 2);
    EXPECT_EQ((*ListeReservesJoueur)[0]->sommes.sante, 400);
    EXPECT_EQ((*ListeReservesJoueur)[1]->prix, 40);
    arbre.Ecrire("Armees/reserve.txt", "or 5\nnbReserves 1\nReserve__typeUnite 3\n");
    EXPECT_EQ(Fatale([] { ListeReserves__charger(); }), "Chargement: Reserve__typeUnite non défini");
}

// Every file under "Armees", by its path in the tree.
std::map<std::string, std::string> Fichiers(const ArbreTemporaire& arbre) {
    std::map<std::string, std::string> fichiers;
    for (const auto& e : std::filesystem::recursive_directory_iterator(arbre.Racine() / "Armees"))
        if (e.is_regular_file()) {
            const std::string chemin = std::filesystem::relative(e.path(), arbre.Racine()).string();
            fichiers[chemin] = arbre.Lire(chemin);
        }
    return fichiers;
}

int RenommagesAvantEchec = 0;

// An army and its reserves saved over an older one, a rename failing at each file in turn: the
// files on disk are then exactly the old ones (no new file, no temporary), and without a failure
// exactly the new ones.
TEST_F(FichiersArmee, UneSauvegardeRemplaceTousLesFichiersOuAucun) {
    Nouveau("Ancien", 0, 1);
    Nouveau("Ancien aussi", 1, 2);
    OrJoueur = 100;
    ASSERT_TRUE(Armee__sauvegarderAvecReserves());
    const auto anciens = Fichiers(arbre);
    ASSERT_EQ(anciens.size(), 4u);   // two regiments, the header, the reserves

    Armee__liberer();
    Armee__creer();
    for (int id = 0; id < 4; ++id) Nouveau("Nouveau", id, 1 + id % 2);
    Reserve* r = creerReserve(2, 40, nullptr);
    Reserve__ajouterUnite(r, creerUniteNeuve(2));
    ListeReserves__ajouter(r);
    OrJoueur = 2500;
    EcritureSure__avantRenommage = [](const char*) { return --RenommagesAvantEchec != 0; };
    for (int echec = 1; echec <= 6; ++echec) {
        RenommagesAvantEchec = echec;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(Armee__sauvegarderAvecReserves()) << echec;
        EXPECT_NE(testing::internal::GetCapturedStderr().find("sauvegarde des r"), std::string::npos);
        EXPECT_EQ(Fichiers(arbre), anciens) << "rename " << echec << " failed";
    }
    RenommagesAvantEchec = 7;
    ASSERT_TRUE(Armee__sauvegarderAvecReserves());
    const auto nouveaux = Fichiers(arbre);
    EXPECT_EQ(nouveaux.size(), 6u);
    EXPECT_EQ(nouveaux.at("Armees/joueur1/entete_armee.txt"), "nbRegiments 4\n");
    EXPECT_EQ(nouveaux.at("Armees/reserve.txt").rfind("or 2500\nnbReserves 1\n", 0), 0u);
    EXPECT_EQ(RenommagesAvantEchec, 1);   // six renames

    // And the army read back is the new one.
    Armee__liberer();
    NumeroJoueur = 1;
    Armee__charger();
    ASSERT_EQ(ArmeeJoueur->nombre, 4);
    EXPECT_EQ((*ArmeeJoueur)[3]->nom, "Nouveau");
}
