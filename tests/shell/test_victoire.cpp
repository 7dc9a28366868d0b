// The victory and defeat test over its tables: each condition kind, ties, the hold and countdown
// timers with the pause shift, the events before the battle, the consequences, and the alliance
// and defection matrices. Played in the castle, where the outcome opens no screen.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "campaign/armee.h"
#include "foundation/ecran_fixture.h"   // FinProgramme
#include "platform/plateforme.h"
#include "platform/temps.h"
#include "shell/conditions.h"
#include "shell/routeur.h"
#include "shell/scenario.h"
#include "shell/trame.h"
#include "shell/victoire.h"
#include "world/objets.h"

namespace {

constexpr RelationJoueurs Guerre = {{
    {0, 1, 1, 1, 0, 0},
    {1, 0, 1, 1, 0, 1},
    {1, 1, 0, 1, 0, 1},
    {1, 1, 1, 0, 0, 1},
    {0, 0, 0, 0, 0, 0},
    {0, 1, 1, 1, 0, 0},
}};

class Victoire : public ::testing::Test {
  protected:
    void SetUp() override {
        Plateforme_Initialiser(OptionsPlateforme{});
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        Conditions_Initialisation();
        ModeSceneCourant = 0;   // the castle: a decided test opens no screen
        EscarmoucheEnCours = 0;
        VerificationArmee = 1;
        TableAttaque = TableCiblage = Guerre;
        AlliancesEnAttente.fill(-1);
        DefectionsEnAttente.fill(-1);
        for (Chronometre& c : TableChronometres) c = Chronometre{-1, -1};
        ChronometresActifs = 0;
        NbUnitesAmies = 5;
        NbUnitesEnnemies = 5;
        NbUnitesAlliees = NbUnitesNeutres = 3;
        NbUnitesAmiesPrecedent = NbUnitesEnnemiesPrecedent = 5;
        HorlogeJeu = 1000000;
        Temps_Fixer(HorlogeJeu);
    }

    static ConditionBataille Condition(int type, int maitre = -1, int nombre = -1, int duree = -1) {
        ConditionBataille c{};
        int32_t* mots = &c.actif;
        std::fill(mots, mots + sizeof(ConditionBataille) / sizeof(int32_t), -1);
        c.actif = 1;
        c.type = type;
        c.maitre = maitre;
        c.nombre = nombre;
        c.duree = duree;
        return c;
    }
    static void Victoires(std::vector<ConditionBataille> v) {
        for (size_t i = 0; i < v.size(); ++i) TableVictoire[i] = v[i];
        NbConditionsVictoire = static_cast<int32_t>(v.size());
    }
    static void Defaites(std::vector<ConditionBataille> v) {
        for (size_t i = 0; i < v.size(); ++i) TableDefaite[i] = v[i];
        NbConditionsDefaite = static_cast<int32_t>(v.size());
    }
    // One test `ms` of game clock after the previous one.
    static int Test(uint32_t ms = 1000) {
        HorlogeJeu += ms;
        Temps_Fixer(HorlogeJeu);
        return Conditions_Verification();
    }
};

TEST_F(Victoire, ChaqueGenreDeConditionDecideLaBataille) {
    struct Cas {
        const char* nom;
        std::function<void()> preparer;
        int attendu;
    };
    const ConditionBataille vide = [] {
        ConditionBataille c = Condition(0);
        c.actif = -1;   // an unknown keyword's slot
        return c;
    }();
    const std::vector<Cas> cas = {
        {"plus d'ennemis", [] { Victoires({Condition(0)}); NbUnitesEnnemies = 0; }, 1},
        {"des ennemis restent", [] { Victoires({Condition(0)}); }, -1},
        {"table de victoire vide", [] { NbUnitesEnnemies = 0; }, -1},
        {"emplacement inconnu: imbattable", [&] { Victoires({Condition(0), vide}); NbUnitesEnnemies = 0; }, -1},
        {"maître mort", [] { Victoires({Condition(1, 42)}); }, 1},
        {"maître vivant", [] { Victoires({Condition(1, 42)}); PopulationParType[42] = 1; }, -1},
        {"au moins n du maître", [] { Victoires({Condition(3, 42, 3)}); PopulationParType[42] = 3; }, 1},
        {"moins de n du maître", [] { Victoires({Condition(3, 42, 3)}); PopulationParType[42] = 2; }, -1},
        {"au plus n du maître", [] { Victoires({Condition(7, 42, 2)}); PopulationParType[42] = 2; }, 1},
        {"plus de n du maître", [] { Victoires({Condition(7, 42, 2)}); PopulationParType[42] = 3; }, -1},
        {"50 % de 30 ennemis: 15", [] { Victoires({Condition(6, -1, 50)}); NbUnitesEnnemiesPrecedent = 30; NbUnitesEnnemies = 15; }, 1},
        {"50 % de 30 ennemis: 16", [] { Victoires({Condition(6, -1, 50)}); NbUnitesEnnemiesPrecedent = 30; NbUnitesEnnemies = 16; }, -1},
        {"plus d'amis", [] { Victoires({Condition(0)}); Defaites({Condition(0)}); NbUnitesAmies = 0; }, 0},
        {"victoire et défaite: victoire", [] { Victoires({Condition(0)}); Defaites({Condition(0)}); NbUnitesAmies = NbUnitesEnnemies = 0; }, 1},
        {"défaite: maître mort", [] { Victoires({Condition(0)}); Defaites({Condition(1, 5)}); }, 0},
        {"défaite: moins de n", [] { Victoires({Condition(0)}); Defaites({Condition(3, 42, 2)}); PopulationParType[42] = 1; }, 0},
        {"défaite: alliés réduits", [] { Victoires({Condition(0)}); Defaites({Condition(6, -1, 3)}); }, 0},
        {"défaite: alliés nombreux", [] { Victoires({Condition(0)}); Defaites({Condition(6, -1, 2)}); }, -1},
        {"défaite: neutres réduits", [] { Victoires({Condition(0)}); Defaites({Condition(7, -1, 3)}); }, 0},
        {"défaite: 40 % de 10 amis: 6", [] { Victoires({Condition(0)}); Defaites({Condition(8, -1, 40)}); NbUnitesAmiesPrecedent = 10; NbUnitesAmies = 6; }, 0},
        {"défaite: 40 % de 10 amis: 7", [] { Victoires({Condition(0)}); Defaites({Condition(8, -1, 40)}); NbUnitesAmiesPrecedent = 10; NbUnitesAmies = 7; }, -1},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        SetUp();
        c.preparer();
        EXPECT_EQ(Test(), c.attendu);
    }
}

TEST_F(Victoire, LePremierTestDUneEscarmoucheNeDecideRien) {
    Victoires({Condition(0)});
    NbUnitesEnnemies = 0;
    VerificationArmee = 0;
    EXPECT_EQ(Test(), -1);
    EXPECT_EQ(VerificationArmee, 1);
    EXPECT_EQ(Test(), 1);
}

TEST_F(Victoire, TenirUneMinuteAvecLaPauseRetiree) {
    Victoires({Condition(4, -1, -1, 60000)});
    EXPECT_EQ(Test(0), -1);   // the timer starts here
    EXPECT_EQ(Test(30000), -1);
    Conditions_DecalageTemps(20000);   // a pause of 20 s
    EXPECT_EQ(Test(30000), -1);        // 60 s of clock, 40 s of play
    EXPECT_EQ(Test(20000), -1);        // exactly the minute of play
    EXPECT_EQ(Test(1000), 1);
}

TEST_F(Victoire, TenirEstAtteintPlusTotQuandLesEnnemisDisparaissentMaisPasSansAmis) {
    Victoires({Condition(4, -1, -1, 60000)});
    Test(0);
    NbUnitesEnnemies = 0;
    EXPECT_EQ(Test(), 1);

    SetUp();
    Victoires({Condition(4, -1, -1, 60000)});
    Test(0);
    NbUnitesAmies = 0;
    EXPECT_EQ(Test(70000), -1);
}

TEST_F(Victoire, LHorlogeNEstJugeeQueQuandLesAutresConditionsSontAtteintes) {
    // Slot 1 unmet closes the gate of the timer in slot 0 ...
    Victoires({Condition(4, -1, -1, 60000), Condition(1, 42)});
    PopulationParType[42] = 1;
    Test(0);
    EXPECT_EQ(Test(61000), -1);
    EXPECT_EQ(TableVictoire[0].etat, -1);
    PopulationParType[42] = 0;
    EXPECT_EQ(Test(), -1);   // slot 1 is met after slot 0 was looked at
    EXPECT_EQ(Test(), 1);

    // ... but slot 0 unmet does not close the gate of a timer after it.
    SetUp();
    Victoires({Condition(1, 42), Condition(4, -1, -1, 60000)});
    PopulationParType[42] = 1;
    Test(0);
    EXPECT_EQ(Test(61000), -1);
    EXPECT_EQ(TableVictoire[1].etat, 1);
}

TEST_F(Victoire, LeCompteAReboursPerdAuDelaDeSaDureeEtSeMontre) {
    Victoires({Condition(0)});
    Defaites({Condition(5, -1, -1, 60000)});
    TableChronometres[0].duree = 60000;
    EXPECT_EQ(Test(0), -1);
    EXPECT_EQ(TableChronometres[0].debut, static_cast<int32_t>(HorlogeJeu));
    EXPECT_EQ(ChronometresActifs, 1);
    EXPECT_EQ(Test(60000), -1);
    EXPECT_EQ(Test(1), 0);
}

TEST_F(Victoire, UnChronometreAuTraversDuRebouclageDeLHorloge) {
    HorlogeJeu = 0xFFFFF000u;   // 4 s before the wrap
    Victoires({Condition(0)});
    Defaites({Condition(5, -1, -1, 60000)});
    EXPECT_EQ(Test(0), -1);
    EXPECT_EQ(Test(10000), -1);   // past the wrap: 10 s elapsed, not 4 billion
    EXPECT_EQ(Test(51000), 0);
}

TEST_F(Victoire, UneZoneAvecEvenementNeRetientPasLaVictoire) {
    // Events here are defections: they open no screen.
    TableEvenementsBataille[0] = EvenementBataille{3, nullptr, 2, {-1, -1, -1}};
    TableEvenementsBataille[1] = EvenementBataille{3, nullptr, 3, {-1, -1, -1}};
    ConditionBataille zone = Condition(2);
    zone.zoneX = zone.zoneY = 0;
    zone.zoneLargeur = zone.zoneHauteur = 4;
    zone.evenement = 0;
    Victoires({zone, Condition(0)});
    ConditionBataille zoneDefaite = zone;
    zoneDefaite.evenement = 1;
    Defaites({zoneDefaite});
    // No map: nobody stands in the zones; the victory does not wait for the zone with its event.
    NbUnitesEnnemies = 0;
    EXPECT_EQ(Test(), 1);
    EXPECT_EQ(TableAttaque[2][0], 1);   // the enemies were already hostile: unchanged
}

TEST_F(Victoire, LesEvenementsAvantBatailleNeutralisentEtFontDefectionALHeure) {
    RelationJoueurs paix = Guerre;
    for (int c = 0; c < 5; ++c) paix[2][c] = paix[c][2] = 0;
    paix[2][4] = 1;   // army 2 fights the neutrals only
    TableAttaque = TableCiblage = paix;
    ConditionBataille defection = Condition(0, 2);
    defection.duree = 60000;
    ConditionBataille neutralisation = Condition(1, 3);
    TableAvantBataille[0] = defection;
    TableAvantBataille[1] = neutralisation;
    NbEvenementsAvantBataille = 2;
    AlliancesEnAttente[3] = 1;
    DefectionsEnAttente[3] = 1;

    EvenementsAvantBataille_Verification(0);
    EXPECT_EQ(AlliancesEnAttente[3], -1);
    EXPECT_EQ(DefectionsEnAttente[3], -1);
    HorlogeJeu += 60000;
    EvenementsAvantBataille_Verification(1);
    EXPECT_EQ(TableAttaque[2][0], 0);
    HorlogeJeu += 1;
    EvenementsAvantBataille_Verification(1);
    EXPECT_EQ(TableAttaque[2][0], 1);
    EXPECT_EQ(TableAttaque[0][2], 1);
    EXPECT_EQ(DefectionsEnAttente[2], 1);
    EXPECT_EQ(AlliancesEnAttente[2], -1);
}

TEST_F(Victoire, LesConsequencesSuiventLIssue) {
    OrJoueur = 1000;
    Victoires({Condition(0)});
    TableConsequencesVictoire[0] = Consequence{0, -1, 200, {}};
    TableConsequencesVictoire[1] = Consequence{2, -1, 3, {}};
    TableConsequencesVictoire[2] = Consequence{2, -1, 9, {}};   // no such army: ignored
    NbConsequencesVictoire = 3;
    NbUnitesEnnemies = 0;
    DefectionsEnAttente[3] = 1;
    EXPECT_EQ(Test(), 1);
    EXPECT_EQ(OrJoueur, 1200);
    EXPECT_EQ(AlliancesEnAttente[3], 1);
    EXPECT_EQ(DefectionsEnAttente[3], -1);

    SetUp();
    OrJoueur = 1000;
    Victoires({Condition(0)});
    Defaites({Condition(0)});
    TableConsequencesDefaite[0] = Consequence{0, -1, 100, {}};
    TableConsequencesDefaite[1] = Consequence{1, -1, 1, {}};
    NbConsequencesDefaite = 2;
    NbUnitesAmies = 0;
    AlliancesEnAttente[1] = 1;
    EXPECT_EQ(Test(), 0);
    EXPECT_EQ(OrJoueur, 900);
    EXPECT_EQ(DefectionsEnAttente[1], 1);
    EXPECT_EQ(AlliancesEnAttente[1], -1);
}

// Rows of TableAttaque, armies 0..4, after each change of side of army a from `depart`.
TEST_F(Victoire, MatricesDAllianceEtDeDefection) {
    using Lignes = std::array<std::array<int32_t, 5>, 5>;
    auto lignes = [](const RelationJoueurs& t) {
        Lignes l{};
        for (size_t r = 0; r < 5; ++r)
            for (size_t c = 0; c < 5; ++c) l[r][c] = t[r][c];
        return l;
    };
    // Everybody at peace with the player, and each computer army fighting the neutrals.
    RelationJoueurs paix{};
    for (size_t r = 1; r <= 3; ++r) paix[r][4] = 1;
    struct Cas {
        const char* nom;
        RelationJoueurs depart;
        bool alliance;
        int armee;
        Lignes attendu;
    };
    const std::vector<Cas> cas = {
        {"alliance 1 en guerre", Guerre, true, 1,
         {{{0, 0, 1, 1, 0}, {0, 0, 1, 1, 0}, {1, 1, 0, 1, 0}, {1, 1, 1, 0, 0}, {0, 0, 0, 0, 0}}}},
        {"alliance 2 en guerre", Guerre, true, 2,
         {{{0, 1, 0, 1, 0}, {1, 0, 1, 1, 0}, {0, 1, 0, 1, 0}, {1, 1, 1, 0, 0}, {0, 0, 0, 0, 0}}}},
        {"alliance 3 en guerre", Guerre, true, 3,
         {{{0, 1, 1, 0, 0}, {1, 0, 1, 1, 0}, {1, 1, 0, 1, 0}, {0, 1, 1, 0, 0}, {0, 0, 0, 0, 0}}}},
        // Army 1 is written by the loop, then army 2 clears its own row: the link from 2 to 1 goes.
        {"défection 2 en paix", paix, false, 2,
         {{{0, 0, 1, 0, 0}, {0, 0, 1, 0, 1}, {1, 0, 0, 1, 0}, {0, 0, 1, 0, 1}, {0, 0, 0, 0, 0}}}},
        {"défection 1 en paix", paix, false, 1,
         {{{0, 1, 0, 0, 0}, {1, 0, 1, 1, 0}, {0, 1, 0, 0, 1}, {0, 1, 0, 0, 1}, {0, 0, 0, 0, 0}}}},
        {"défection 3 en paix", paix, false, 3,
         {{{0, 0, 0, 1, 0}, {0, 0, 0, 1, 1}, {0, 0, 0, 1, 1}, {1, 0, 0, 0, 0}, {0, 0, 0, 0, 0}}}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        TableAttaque = TableCiblage = c.depart;
        if (c.alliance) Joueur_Alliance(c.armee);
        else Joueur_Defection(c.armee);
        EXPECT_EQ(lignes(TableAttaque), c.attendu);
    }
    // An army outside 1..4 changes nothing.
    TableAttaque = Guerre;
    Joueur_Defection(0);
    Joueur_Alliance(7);
    Joueur_Defection(-1);
    EXPECT_EQ(TableAttaque, Guerre);
}

TEST_F(Victoire, LesAlliancesEnAttenteSAppliquentEtAnnulentLaDefectionEgale) {
    AlliancesEnAttente[2] = 1;
    DefectionsEnAttente[2] = 1;
    Alliances_Application();
    EXPECT_EQ(TableAttaque[0][2], 0);
    EXPECT_EQ(DefectionsEnAttente[2], -1);
    DefectionsEnAttente[3] = 1;
    AlliancesEnAttente[3] = 1;
    AlliancesEnAttente[2] = -1;
    Defections_Application();
    EXPECT_EQ(TableAttaque[3][0], 1);
    EXPECT_EQ(AlliancesEnAttente[3], -1);
}

}  // namespace
