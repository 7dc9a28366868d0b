// Experience: the tables, level-ups and their cap, and the birth bonus of the player's units.
#include "campaign/variables.h"
#include "foundation/journal.h"
#include "monde_fixture.h"
#include "world/experience.h"

namespace {

class Experience : public Monde {
  protected:
    void SetUp() override {
        Monde::SetUp();
        std::vector<std::pair<std::string, std::string>> maitres(21, {"-", ""});
        maitres[5] = {"heros", FicheMaitre()};
        maitres[10] = {"paysan", FicheMaitre()};
        maitres[13] = {"archer", Remplacer(FicheMaitre(), "CLASSE GUERRIER", "CLASSE ARCHER")};
        maitres[14] = {"batiment", FicheMaitre("BATIMENT")};
        maitres[17] = {"mage", Remplacer(FicheMaitre(), "CLASSE GUERRIER", "CLASSE MAGICIEN")};
        maitres[19] = {"pretre", Remplacer(FicheMaitre(), "CLASSE GUERRIER", "CLASSE PRETRE")};
        maitres[20] = {"machine", FicheMaitre("MACHINES__DE__GUERRE")};
        MondeAvec(maitres);
        Experience__Initialisation();
        Experience__InitialisationTable2();
        ExperienceBatailleJoueur = 0;
        Messages_Initialisation();
        JournalActif = 1;
    }
    void TearDown() override {
        Messages_Liberation();
        NiveauArmures = NiveauArmes = NiveauBois = NiveauVorpale = NiveauRecuperationFoi = NiveauQuantiteMana = 0;
        NiveauMG.fill(0);
        Monde::TearDown();
    }
    static int Naitre(int t, int armee = 2, int x = 10) { return ObjetNaissance(t, armee, x, 10, -1, 0); }
};

TEST_F(Experience, Tables) {
    EXPECT_EQ(ExperienceParType[10], 12);
    EXPECT_EQ(ExperienceParType[122], 1250);
    EXPECT_EQ(ExperienceParType[140], 37);
    EXPECT_EQ(ExperienceParType[40], -1);
    EXPECT_EQ(PrixParType[134], 2000);
    EXPECT_EQ(PrixParType[18], 0);
    EXPECT_EQ(TableRegenerationMana[136], 6);
    EXPECT_EQ(TableRegenerationMana[20], 0);
}

TEST_F(Experience, NiveauAuSeuilEtPlafond) {
    const int k = Naitre(20, 0), v = Naitre(10, 2, 20);
    Objet& tueur = TableObjets[k];
    tueur.experience = 990;
    tueur.niveau = 1;
    tueur.pointsDeVie = 50;
    const int maximum = tueur.pointsDeVieMaximum;
    ExperienceGain(k, v, 0);
    EXPECT_EQ(tueur.experience, 1002);
    EXPECT_EQ(tueur.niveau, 2);
    EXPECT_EQ(tueur.pointsDeVieMaximum, TableMaitres[20].pointsDeVieMaximum + 10);
    EXPECT_GE(tueur.pointsDeVieMaximum, maximum);
    EXPECT_EQ(tueur.degats, TableMaitres[20].degats + 2);
    EXPECT_EQ(tueur.pointsDeVie, 50);   // current hit points are not raised
    EXPECT_EQ(ExperienceBatailleJoueur, 12);
    EXPECT_EQ(NombreMessages, 1);
    // Just below a threshold, nothing changes but the points.
    ExperienceGain(k, v, 997);
    EXPECT_EQ(tueur.niveau, 2);
    ExperienceGain(k, v, 1);
    EXPECT_EQ(tueur.niveau, 3);

    // Kills of master 5 stop at level 20 and 20000 points; then no more gain.
    const int heros = Naitre(5, 2, 30), veteran = Naitre(20, 0, 40);
    for (int i = 0; i < 25; ++i) ExperienceGain(veteran, heros, 0);
    EXPECT_EQ(TableObjets[veteran].niveau, 20);
    EXPECT_EQ(TableObjets[veteran].experience, 20000);
    EXPECT_EQ(TableObjets[veteran].pointsDeVieMaximum, TableMaitres[20].pointsDeVieMaximum + 19 * 10);
    const int total = ExperienceBatailleJoueur;
    ExperienceGain(veteran, heros, 0);
    EXPECT_EQ(ExperienceBatailleJoueur, total);
}

TEST_F(Experience, ArcherVictimesSansValeurEtTueursInvalides) {
    const int archer = Naitre(13, 1), v = Naitre(10, 2, 20);
    ExperienceGain(archer, v, 0);
    EXPECT_EQ(TableObjets[archer].experience, 6);
    // No gain from a building or for an army other than 0 in the battle total.
    ExperienceGain(archer, Naitre(14, 2, 40), 0);
    EXPECT_EQ(TableObjets[archer].experience, 6);
    EXPECT_EQ(ExperienceBatailleJoueur, 0);
    // An undefined value is asked about and takes nothing away.
    ExperienceParType[10] = -1;
    ExperienceGain(archer, v, 0);
    EXPECT_EQ(Rapport(), "ExperienceGain(): Gain Xp non défini (objm 10)");
    EXPECT_EQ(TableObjets[archer].experience, 6);
    // A dying or invalid killer gains nothing.
    TableObjets[archer].mourant = 1;
    ExperienceGain(archer, v, 500);
    ExperienceGain(0, v, 500);
    ExperienceGain(archer, 1999, 500);
    EXPECT_EQ(TableObjets[archer].experience, 6);
}

TEST_F(Experience, BonusDesAmeliorations) {
    NiveauArmures = 3;
    NiveauArmes = 5;
    NiveauVorpale = 2;
    const int soldat = Naitre(10, 0);
    EXPECT_EQ(TableObjets[soldat].pointsDeVieMaximum, 130);
    EXPECT_EQ(TableObjets[soldat].pointsDeVie, 130);
    EXPECT_EQ(TableObjets[soldat].degats, 18);   // 10 + 50 %, then + 20 % for a warrior
    EXPECT_EQ(TableObjets[Naitre(10, 1, 20)].pointsDeVieMaximum, 100);   // only army 0
    NiveauBois = 2;
    const int machine = Naitre(20, 0, 30);
    EXPECT_EQ(TableObjets[machine].pointsDeVieMaximum, 140);
    EXPECT_EQ(TableObjets[machine].pointsDeVie, 140);
}

TEST_F(Experience, SortsDuMageEtRegeneration) {
    for (int k = 0; k < 9; ++k) TableMaitres[17].sorts[k] = 100 + k;
    TableMaitres[17].manaMaximum = 50;
    NiveauMG = {0, 1, 0, 0, 0, 0, 0, 0};
    NiveauQuantiteMana = 2;
    const int mage = Naitre(17, 0);
    const Objet& o = TableObjets[mage];
    // Slot 1 (word 4) is removed, slot 2 takes word 3 and moves up; nothing valid after a -1.
    EXPECT_EQ(o.sorts[0], 100);
    EXPECT_EQ(o.sorts[1], 103);
    for (int k = 2; k < 9; ++k) EXPECT_EQ(o.sorts[k], -1) << k;
    EXPECT_EQ(o.manaMaximum, 70);
    EXPECT_EQ(o.mana, 70);

    NiveauMG = {1, 1, 1, 1, 1, 0, 1, 1};
    const int complet = Naitre(17, 0, 20);
    const int attendus[9] = {100, 104, 103, 101, 102, 105, 107, 108, -1};
    for (int k = 0; k < 9; ++k) EXPECT_EQ(TableObjets[complet].sorts[k], attendus[k]) << k;

    // Each birth of a player's priest raises its master's regeneration again; a new scene resets it.
    NiveauRecuperationFoi = 5;
    Naitre(19, 0, 30);
    EXPECT_EQ(TableRegenerationMana[19], 9);
    Naitre(19, 0, 40);
    EXPECT_EQ(TableRegenerationMana[19], 13);
    Naitre(19, 1, 50);
    EXPECT_EQ(TableRegenerationMana[19], 13);
    Experience__InitialisationTable2();
    EXPECT_EQ(TableRegenerationMana[19], 6);
}

}  // namespace
