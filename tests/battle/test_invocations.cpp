// What impact effects and projectiles bring into the world: creatures summoned round a place,
// the dead raised, foes turned into pigs; with master files loaded and objects born for real.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "../world/monde_fixture.h"
#include "battle/impacts.h"
#include "battle/projectiles.h"
#include "battle/sorts_actions.h"
#include "foundation/journal.h"
#include "world/groupes.h"
#include "world/maitres.h"
#include "world/mort.h"
#include "shell/conditions.h"

namespace {

constexpr int SOLDAT = 0, COCHON = 300, CADAVRE = 308;

class Invocations : public Monde {
  protected:
    void SetUp() override {
        Monde::SetUp();
        std::vector<std::pair<std::string, std::string>> maitres(342, {"-", ""});
        maitres[SOLDAT] = {"soldat", FicheMaitre()};
        maitres[COCHON] = {"cochon", FicheMaitre()};
        maitres[CADAVRE] = {"cadavre", FicheMaitre("CADAVRE")};
        for (int m : {262, 264, 265, 266, 267, 341}) maitres[static_cast<size_t>(m)] = {"mort" + std::to_string(m), FicheMaitre()};
        MondeAvec(maitres);
        EffetImpactViderTable();
        CreaturesInvoqueesJoueur = 0;
        Messages_Initialisation();
        JournalActif = 1;
    }
    void TearDown() override {
        ProjectileViderListe();
        Messages_Liberation();
        Monde::TearDown();
    }
    static int Nouveau(int maitre, int armee, int x, int y) {
        const int g = Groupe___Creation(maitre, armee, x, y, 1, 1, 0);
        return TableGroupes[static_cast<size_t>(g)].membres[0];
    }
    static int Passes(int n) {
        for (int k = 0; k < n; ++k) EffetImpactGestion();
        return n;
    }
};

TEST_F(Invocations, RaisedCreaturesServeThePlayerThroughArmyFive) {
    const int necromant = Nouveau(SOLDAT, 0, 60, 60);
    TableObjets[necromant].categorie = 2;
    const int avant = NombreObjets;
    ASSERT_EQ(EffetImpactAjouter(&TableObjets[necromant], 4, 0, 0, necromant, 30), 1);
    Passes(1);
    const int nes = NombreObjets - avant;
    EXPECT_GE(nes, 1);
    EXPECT_LE(nes, 5);
    EXPECT_EQ(CreaturesInvoqueesJoueur, nes);
    EXPECT_EQ(EffetsImpact[0].parametre, -1);
    EXPECT_EQ(EffetsImpact[0].x, 60);
    int trouves = 0;
    for (int j = -2; j <= 2; ++j)
        for (int i = -2; i <= 2; ++i) {
            const int o = GrilleUnites[(60 + i) + 128 * (60 + j)];
            if (o == 0 || o == necromant) continue;
            ++trouves;
            EXPECT_EQ(TableObjets[o].armee, 5);
            EXPECT_EQ(TableObjets[o].categorie, 2) << "the caster's";
            const int m = TableObjets[o].typeMaitre;
            EXPECT_TRUE(m == 267 || m == 265 || m == 266 || m == 341 || m == 262) << m;
        }
    EXPECT_EQ(trouves, nes);
}

// With the object table (or the group table) full, the summoning is skipped, not fatal.
TEST_F(Invocations, FullTablesSkipTheSummoning) {
    const int necromant = Nouveau(SOLDAT, 0, 60, 60);
    const int sauve = NombreObjets;
    NombreObjets = NOMBRE_OBJETS - 1;
    EffetImpactAjouter(&TableObjets[necromant], 4, 60, 60, -1, 30);
    EffetsImpact[0].parametre = necromant;
    EXPECT_NO_THROW(Passes(1));
    EXPECT_EQ(NombreObjets, NOMBRE_OBJETS - 1);
    EXPECT_EQ(CreaturesInvoqueesJoueur, 0);
    NombreObjets = sauve;
    const int groupes = NombreGroupes;
    NombreGroupes = 1498;
    EXPECT_EQ(Creature__Creation(SOLDAT, 1, 70, 70, 0), 0);
    NombreGroupes = groupes;
    EXPECT_EQ(Creature__Creation(999, 1, 70, 70, 0), 0) << "no such master";
    EXPECT_EQ(Creature__Creation(5, 1, 70, 70, 0), 0) << "an empty slot of the master list";
    EXPECT_NE(Creature__Creation(SOLDAT, 1, 70, 70, 0), 0);
}

// Every 40th pass the dead round the place rise for the caster, at the level they died with.
TEST_F(Invocations, RaiseTheDeadBringsBackTheCorpsesMaster) {
    const int pretre = Nouveau(SOLDAT, 0, 30, 30);
    const int corps = Nouveau(CADAVRE, 4, 28, 31);
    Objet& c = TableObjets[corps];
    c.maitreCadavre() = SOLDAT;
    c.niveauCadavre() = 3;
    GrilleUnites[28 + 128 * 31] = 0;
    GrilleSol[28 + 128 * 31] = corps;
    // A corpse of a master that does not exist stays down.
    const int faux = Nouveau(CADAVRE, 4, 31, 29);
    TableObjets[faux].maitreCadavre() = 5000;
    GrilleUnites[31 + 128 * 29] = 0;
    GrilleSol[31 + 128 * 29] = faux;

    EffetImpactAjouter(&TableObjets[pretre], 12, 0, 0, pretre, 41);
    Passes(1);
    EXPECT_EQ(GrilleUnites[28 + 128 * 31], 0) << "not on the 41st pass";
    Passes(1);
    const int leve = GrilleUnites[28 + 128 * 31];
    ASSERT_NE(leve, 0);
    EXPECT_EQ(TableObjets[leve].typeMaitre, SOLDAT);
    EXPECT_EQ(TableObjets[leve].armee, 5);
    EXPECT_EQ(TableObjets[leve].niveau, 3);
    EXPECT_EQ(TableObjets[leve].regenerationVie, -1);
    EXPECT_EQ(GrilleSol[28 + 128 * 31], 0);
    EXPECT_EQ(GrilleSol[31 + 128 * 29], faux);
    EXPECT_EQ(GrilleUnites[31 + 128 * 29], 0);
    EXPECT_EQ(CreaturesInvoqueesJoueur, 0) << "the raised are not counted";
    ASSERT_NE(ListeMessages, nullptr);
    const char* texte = TextesMessages[static_cast<size_t>(Liste__Valeur(ListeMessages))];
    EXPECT_NE(std::strstr(texte, NomsMaitres[SOLDAT]), nullptr) << texte;
}

// The polymorph bolt turns the small foes round its cell into pigs of army 4, never the
// player's units nor casters.
TEST_F(Invocations, PolymorphTurnsFoesIntoPigs) {
    const int ennemi = Nouveau(SOLDAT, 1, 20, 10);
    const int joueur = Nouveau(SOLDAT, 0, 21, 10);
    const int mage = Nouveau(SOLDAT, 1, 19, 10);
    TableObjets[mage].classe = 0;
    ProjectileLancer(10 * 24 + 12, 10 * 24 + 12, 20 * 24 + 12, 10 * 24 + 12, 0, 0, PROJECTILE_POLYMORPHE, 1, 0);
    for (int k = 0; k < 10 && ProjectileTete; ++k) ProjectileGestion();
    EXPECT_EQ(TableObjets[ennemi].ordreSecondaire, 4);
    const int cochon = GrilleUnites[20 + 128 * 10];
    ASSERT_NE(cochon, 0);
    EXPECT_EQ(TableObjets[cochon].typeMaitre, COCHON);
    EXPECT_EQ(TableObjets[cochon].armee, 4);
    EXPECT_EQ(GrilleUnites[21 + 128 * 10], joueur);
    EXPECT_EQ(GrilleUnites[19 + 128 * 10], mage);
    EXPECT_EQ(EffetsImpact[0].genre, 7);
}

// A pig that cannot be made (tables full) leaves the victim's cell free, not holding the dead.
TEST_F(Invocations, PolymorphWithoutAPigFreesTheVictimsCell) {
    const int ennemi = Nouveau(SOLDAT, 1, 20, 10);
    const int sauve = NombreObjets;
    NombreObjets = NOMBRE_OBJETS - 1;
    ProjectileLancer(10 * 24 + 12, 10 * 24 + 12, 20 * 24 + 12, 10 * 24 + 12, 0, 0, PROJECTILE_POLYMORPHE, 1, 0);
    for (int k = 0; k < 10 && ProjectileTete; ++k) ProjectileGestion();
    NombreObjets = sauve;
    EXPECT_EQ(TableObjets[ennemi].ordreSecondaire, 4);
    EXPECT_EQ(GrilleUnites[20 + 128 * 10], 0);
}

// An effect whose caster is released acts for nobody, even once its slot holds a newborn of
// another army: the earthquake then only shakes.
TEST_F(Invocations, AReleasedCastersSlotTakesNoEffectOver) {
    for (auto& ligne : TableAttaque) ligne.fill(0);
    TableAttaque[0][1] = TableAttaque[1][0] = 1;
    const int sorcier = Nouveau(SOLDAT, 0, 40, 40);
    const int ami = Nouveau(SOLDAT, 0, 42, 42);
    const int ennemi = Nouveau(SOLDAT, 1, 44, 40);
    ASSERT_EQ(EffetImpactAjouter(&TableObjets[sorcier], 15, 40, 40, -1, 10), 1);
    Passes(1);
    EXPECT_LT(TableObjets[ennemi].pointsDeVie, 100) << "the caster's enemy is struck";
    Objet__LiberationComplete(sorcier);
    const int nouveau = Nouveau(SOLDAT, 1, 70, 70);
    ASSERT_EQ(nouveau, sorcier) << "the freed slot is taken at once";
    EXPECT_EQ(EffetsImpact[0].proprietaire, nullptr);
    Passes(10);
    EXPECT_EQ(TableObjets[ami].pointsDeVie, 100);
    EXPECT_EQ(TableObjets[ami].touche, 0);
}

}  // namespace
