#include <gtest/gtest.h>

#include "campaign/armee.h"
#include "catalogue_fixture.h"
#include "world/experience.h"
#include "world/maitres.h"

namespace {

class Armees : public CatalogueFixture {
  protected:
    void SetUp() override {
        CatalogueFixture::SetUp();
        Catalogue__charger(0);
        OrJoueur = 0;
        EspaceLibreReserves = 10000;
        RestrictionsCatalogue = 1;
        ListeReserves__creer();
        Armee__creer();
    }
    void TearDown() override {
        Armee__liberer();
        ListeReserves__liberer();
        CatalogueFixture::TearDown();
    }
    TypeSection& Type(int s) { return Catalogue->typesSections[s]; }
    // A regiment of sections of the given types, each with one soldier.
    Regiment* RegimentDe(std::initializer_list<int> types) {
        ListeExtensible<Section> sections;
        for (int t : types) {
            Section* s = creerSection("s", t, 1, nullptr);
            Section__ajouterUnite(s, creerUniteNeuve(1));
            sections.ajouter(s);
        }
        return creerRegiment("R", 0, &sections);
    }
};

}  // namespace

TEST_F(Armees, CoutsDependantDeLOrdreDesSections) {
    for (int s = 0; s < 2; ++s) {
        Type(s).couts = TableCouts{};
        Type(s).gainPointsAction = 4;
        Type(s).siegeSeul = 0;
    }
    Type(0).couts[COUT_FORET][0] = {3, 0};
    Type(1).couts[COUT_FORET][0] = {0, 2};
    Type(1).couts[COUT_MONTAGNE][0] = {0, 5};
    Regiment* r = RegimentDe({0, 1});
    EXPECT_EQ(r->couts[COUT_FORET][0], (PaireCout{0, 2}));
    EXPECT_EQ(r->couts[COUT_MONTAGNE][0], (PaireCout{-1, -1}));   // 5PA with 4 action points
    EXPECT_EQ(r->pointsAction, 4);
    EXPECT_EQ(r->siegeSeul, 0);
    delete r;
    r = RegimentDe({1, 0});
    EXPECT_EQ(r->couts[COUT_FORET][0], (PaireCout{3, 0}));
    delete r;
    Type(1).couts[COUT_ATTAQUER][2] = {-1, -1};
    Type(1).siegeSeul = 1;
    Type(1).gainPointsAction = 2;
    r = RegimentDe({0, 1});
    for (const PaireCout& p : r->couts[COUT_ATTAQUER]) EXPECT_EQ(p, (PaireCout{-1, -1}));
    EXPECT_EQ(r->siegeSeul, 1);
    EXPECT_EQ(r->pointsAction, 2);
    delete r;
}

TEST_F(Armees, BonusDuChefEtPortrait) {
    Regiment* r = RegimentDe({0});
    EXPECT_EQ(Regiment__leader(r), nullptr);
    EXPECT_EQ(r->frame, 10);     // the section type's frame
    EXPECT_EQ(r->couts[COUT_MONTAGNE][0], (PaireCout{-1, -1}));
    EXPECT_EQ(r->couts[COUT_RIVIERE][0], (PaireCout{0, 3}));
    Catalogue->typesUnites[0].numeroMaitre = 121;
    Section__ajouterUnite(r->sections[0], creerUniteNeuve(0));
    EXPECT_EQ(r->nbUnites, 2);
    Regiment__calculerCaracteristiques(r);
    EXPECT_EQ(r->couts[COUT_MONTAGNE][0], (PaireCout{2, 0}));   // opened by the leader
    Catalogue->typesUnites[0].numeroMaitre = 5;
    Regiment__calculerCaracteristiques(r);
    EXPECT_EQ(r->couts[COUT_RIVIERE][0], (PaireCout{0, 2}));
    EXPECT_EQ(r->couts[COUT_PLAINE][0], (PaireCout{0, 1}));
    Section* s = Regiment__retirerSection(r, 0);
    EXPECT_EQ(r->frame, -1);
    EXPECT_EQ(r->nbUnites, 0);
    EXPECT_EQ(r->sommes.sante, 0);
    EXPECT_EQ(s->sommes.sante, 1000);
    delete s;
    delete r;
}

TEST_F(Armees, RetraitDUneReserve) {
    ListeExtensible<Unite> unites;
    for (int e : {100, 300, 200, 300}) unites.ajouter(creerUnite(1, e, 5, 5, 0, 0, 10, 0, 0));
    Reserve* r = creerReserve(1, 7, &unites);
    EXPECT_EQ(r->sommes.experience, 900);
    Unite* u = Reserve__retirerUnite(r, 1, 250);   // the last (300) is the candidate; 200 ties, 300 stays
    EXPECT_EQ(u->experience, 300);
    EXPECT_EQ(r->unites.nombre, 3);
    delete u;
    u = Reserve__retirerUnite(r, 1, 0);
    EXPECT_EQ(u->experience, 100);
    delete u;
    u = Reserve__retirerUnite(r, 0, 0);
    EXPECT_EQ(u->experience, 200);
    delete u;
    EXPECT_EQ(Reserve__retirerUnite(r, 2, 0), nullptr);
    ListeReserves__ajouter(r);
    OrJoueur = 10;
    Reserve__vendreUnite(r, 1, 0);
    EXPECT_EQ(OrJoueur, 17);
    EXPECT_EQ(r->unites.nombre, 0);
    EXPECT_EQ(ListeReservesJoueur->nombre, 1);   // empty, still listed
    EXPECT_EQ(ListeReserves__experienceMaximum(), 0);
}

TEST_F(Armees, CoutDeCreationEtSectionNeuve) {
    int32_t prix = 0;
    EXPECT_EQ(Section__coutCreation(0, 1, &prix), -1);   // no reserves at all
    ListeReserves__ajouter(creerReserve(0, 50, nullptr));
    ListeReserves__ajouter(creerReserve(1, 10, nullptr));
    EXPECT_EQ(Section__coutCreation(0, 1, &prix), -1);   // the leader cannot be bought
    RestrictionsCatalogue = 0;
    OrJoueur = 69;
    EXPECT_EQ(Section__coutCreation(0, 1, &prix), 0);    // one hero and two soldiers: 70
    EXPECT_EQ(prix, 70);
    OrJoueur = 70;
    EXPECT_EQ(Section__coutCreation(0, 1, &prix), 1);
    Reserve__ajouterUnite(ListeReserves__chercherReserve(1), creerUnite(1, 1234, 1, 1, 0, 0, 10, 0, 0));
    Section* s = creerSectionNeuve(0, 1, 1, 0);
    EXPECT_EQ(s->nom, "Soldats de l'Empire");
    EXPECT_EQ(s->unites.nombre, 3);
    EXPECT_EQ(s->sommes.experience, 1234);
    EXPECT_EQ(OrJoueur, 10);
    s->niveauChateau = 2;   // level 2 holds four soldiers
    Section__completer(s, 1, 0);
    EXPECT_EQ(s->unites.nombre, 4);
    EXPECT_EQ(OrJoueur, 0);
    Section__completer(s, 1, 0);   // short of gold: the warning, nothing bought
    EXPECT_EQ(s->unites.nombre, 4);
    delete s;
}

TEST_F(Armees, DissolutionSansPlaceLaisseLaSection) {
    const int32_t ancienneTaille = TableMaitres[20].taille;
    TableMaitres[20].taille = 2;   // a soldier takes 4
    Regiment* r = RegimentDe({0, 0});
    ArmeeJoueur->ajouter(r);
    EXPECT_EQ(r->espace, 8);
    EspaceLibreReserves = 3;
    EXPECT_EQ(Section__dissoudre(r->sections[0]), 0);
    EXPECT_EQ(r->sections.nombre, 2);
    EXPECT_EQ(Regiment__dissoudre(r), 0);
    EspaceLibreReserves = 5;
    EXPECT_EQ(Section__dissoudre(r->sections[1]), 1);
    EXPECT_EQ(r->sections.nombre, 1);
    EXPECT_EQ(r->espace, 4);
    EXPECT_EQ(EspaceLibreReserves, 1);
    ASSERT_NE(ListeReserves__chercherReserve(1), nullptr);
    EXPECT_EQ(ListeReserves__chercherReserve(1)->unites.nombre, 1);
    EXPECT_EQ(ListeReserves__chercherReserve(1)->prix, 0);
    TableMaitres[20].taille = ancienneTaille;
}

TEST_F(Armees, IdentifiantsEtListes) {
    ListeExtensible<Section> vide;
    for (int id : {0, 2}) ArmeeJoueur->ajouter(creerRegiment("R", id, &vide));
    EXPECT_EQ(Armee__nouvelId(), 1);
    EXPECT_EQ(Armee__chercherRegiment(2), (*ArmeeJoueur)[1]);
    ListeExtensible<Unite> l;
    for (int i = 0; i < 20; ++i) l.ajouter(creerUniteNeuve(i));
    EXPECT_EQ(l.capacite, 24);
    Unite* u = l.retirer(3);
    EXPECT_EQ(u->typeUnite, 3);
    EXPECT_EQ(l[3]->typeUnite, 4);
    EXPECT_EQ(l.retirer(19), nullptr);
    delete u;
}

TEST_F(Armees, AmeliorerLesReserves) {
    NiveauCommerce = 2;
    PrixParType[20] = 100;
    ListeReserves__ameliorer();   // the archers' variable is 0, the hero is a leader
    ASSERT_EQ(ListeReservesJoueur->nombre, 1);
    EXPECT_EQ((*ListeReservesJoueur)[0]->typeUnite, 1);
    EXPECT_EQ((*ListeReservesJoueur)[0]->prix, 80);
    RestrictionsCatalogue = 0;
    ListeReserves__ameliorer();
    EXPECT_EQ(ListeReservesJoueur->nombre, 2);
    RestrictionsCatalogue = 1;
    Catalogue->typesUnites[2].categorie = 1;
    ListeReserves__bloquerTypes();
    EXPECT_EQ(Catalogue->typesUnites[2].categorie, 0);
    PrixParType[20] = 0;
}
