// The battle conditions file read into its tables: the sample file, clamps, counts beyond the
// tables, "-" events, the optional tail sections and the reports of malformed files.
#include <gtest/gtest.h>

#include "arbre_temporaire.h"
#include "foundation/ecran_fixture.h"   // FinProgramme
#include "platform/plateforme.h"
#include "shell/chefs.h"
#include "shell/conditions.h"
#include "shell/routeur.h"
#include "shell/scenario.h"
#include "shell/victoire.h"

namespace {

const char* const Debut =
    "[IA_DECLENCHEMENT] 3\n"
    "[ATTAQUE_NEUTRE]\n0 1 1 1 0\n1 0 1 1 0\n1 1 0 1 0\n1 1 1 0 0\n0 0 0 0 0\n"
    "[CIBLAGE_NEUTRE]\n0 0 0 0 1\n1 0 1 1 0\n1 1 0 1 0\n1 1 1 0 0\n0 0 0 0 0\n"
    "[CIBLES_FAVORITES]\n0 2 2 2 0\n1 0 1 1 0\n1 1 0 1 0\n1 1 1 0 0\n0 0 0 0 0\n"
    "[PRESENCE]\nA 1 B 0 C 0 D 0 E 0 F 0 G 0 H 0 I 1\n"
    "[TEXTE] 1 Gue 7\n";

const char* const Fin =
    "[EVENEMENTS] 2\n- REQUESTER intro.txt 2\n"
    "[CONSEQUENCESVICTOIRE] 2 GAINS_OR 200 ALLIANCE 3\n"
    "[CONSEQUENCESDEFAITE] 1 PERTES_OR 100\n"
    "[EVENEMENTS_AVANT_BATAILLE] 2 DEFECTION 1 2 4 NEUTRALISATION 3\n"
    "[OUVERTURE_PORTE] 1\n";

class Vbat : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    void SetUp() override {
        Plateforme_Initialiser(OptionsPlateforme{});
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        ModeSceneCourant = 2;
        EscarmoucheEnCours = 0;
        Conditions_Initialisation();
    }
    void TearDown() override { Conditions_Liberation(); }
    std::string Rapport() const { return arbre.Lire("Erreur.txt"); }
    // Writes "niveau/essai.VBat" and reads it through the level's name.
    void Lire(const std::string& contenu) {
        arbre.Ecrire("niveau/essai.VBat", contenu);
        EXPECT_EQ(ConditionsChargement("..\\niveau\\essai.mv"), 0);
    }
};

TEST_F(Vbat, UnFichierCompletRemplitSesTables) {
    Lire(std::string(Debut) +
         "[VICTOIRE] 3\nPLUS_NMI -\nOBJET_MAITRE_DANS_ZONE 1 120 10 20 200\nMORT_OBJET_MAITRE_MINIMUM - 20 5\n"
         "[DEFAITE] 2\nPLUS_AMI -\nTENIR 0 3\n" +
         Fin + "[FUITE] 0 1 0 0 1\n[BATIMENT_DE_JOUEUR] 2\n[PORTE_OUVERTE_AU_DEBUT] 1\n");
    EXPECT_EQ(DelaiDeclenchementIA, 3000);
    EXPECT_EQ(TableAttaque[0][1], 1);
    EXPECT_EQ(TableAttaque[4][0], 0);
    // Army 5 mirrors army 0.
    EXPECT_EQ(TableCiblage[0][4], 1);
    EXPECT_EQ(TableCiblage[5][4], 1);
    EXPECT_EQ(TableCiblage[1][5], TableCiblage[1][0]);
    EXPECT_EQ(TableCiblesFavorites[0][1], 2);
    ASSERT_EQ(NbTextesBataille, 1);
    EXPECT_STREQ(TableTextesBataille[0].texte, "Gue");
    EXPECT_EQ(TableTextesBataille[0].valeur, 7);

    ASSERT_EQ(NbConditionsVictoire, 3);
    EXPECT_EQ(TableVictoire[0].type, 0);
    EXPECT_EQ(TableVictoire[0].evenement, -1);
    EXPECT_EQ(TableVictoire[0].actif, 1);
    EXPECT_EQ(TableVictoire[0].etat, -1);
    // A zone of x 120 and width 20 is cut to width 8; a height past the map too.
    EXPECT_EQ(TableVictoire[1].evenement, 1);
    EXPECT_EQ(TableVictoire[1].zoneX, 120);
    EXPECT_EQ(TableVictoire[1].zoneLargeur, 8);
    EXPECT_EQ(TableVictoire[1].zoneHauteur, 118);
    EXPECT_EQ(TableVictoire[2].maitre, 20);
    EXPECT_EQ(TableVictoire[2].nombre, 5);
    ASSERT_EQ(NbConditionsDefaite, 2);
    EXPECT_EQ(TableDefaite[1].type, 4);
    EXPECT_EQ(TableDefaite[1].evenement, 0);
    EXPECT_EQ(TableDefaite[1].duree, 180000);
    EXPECT_EQ(TableChronometres[0].duree, 180000);

    ASSERT_EQ(NbEvenementsBataille, 2);
    EXPECT_EQ(TableEvenementsBataille[0].genre, -1);
    EXPECT_EQ(TableEvenementsBataille[1].genre, 0);
    EXPECT_STREQ(TableEvenementsBataille[1].fichier, "intro.txt");
    EXPECT_EQ(TableEvenementsBataille[1].valeur, 2);
    EXPECT_EQ(NbConsequencesVictoire, 2);
    EXPECT_EQ(TableConsequencesVictoire[1].genre, 2);
    EXPECT_EQ(TableConsequencesVictoire[1].valeur, 3);
    EXPECT_EQ(TableConsequencesDefaite[0].valeur, 100);
    ASSERT_EQ(NbEvenementsAvantBataille, 2);
    EXPECT_EQ(TableAvantBataille[0].type, 0);
    EXPECT_EQ(TableAvantBataille[0].evenement, 1);
    EXPECT_EQ(TableAvantBataille[0].maitre, 2);
    EXPECT_EQ(TableAvantBataille[0].duree, 240000);
    EXPECT_EQ(TableAvantBataille[1].type, 1);
    EXPECT_EQ(TableAvantBataille[1].maitre, 3);
    EXPECT_EQ(PorteManoeuvrable, 1);
    EXPECT_EQ(GrillePresente, 1);
    EXPECT_EQ(FuiteArmees, (std::array<int32_t, 5>{0, 1, 0, 0, 1}));
    EXPECT_EQ(JoueurBatiments, 2);
    EXPECT_EQ(PorteOuverte, 1);
    EXPECT_FALSE(arbre.Existe("Erreur.txt")) << Rapport();
}

TEST_F(Vbat, UnFichierFiniApresLaPorteLaisseLaFin) {
    FuiteArmees = {1, 1, 1, 1, 1};
    ArmeeBatiments = 3;
    PorteOuverte = 5;
    Lire(std::string(Debut) + "[VICTOIRE] 0 [DEFAITE] 0\n" + Fin);
    EXPECT_EQ(FuiteArmees, (std::array<int32_t, 5>{1, 1, 1, 1, 1}));
    EXPECT_EQ(ArmeeBatiments, 3);
    EXPECT_EQ(PorteOuverte, 5);
    EXPECT_FALSE(arbre.Existe("Erreur.txt")) << Rapport();
}

struct CasRapport {
    const char* nom;
    std::string contenu;
    const char* rapport;   // the last report
};

TEST_F(Vbat, LesFautesSontSignaleesEtLaLectureContinue) {
    const std::string d = Debut;
    const CasRapport cas[] = {
        {"inconnue", d + "[VICTOIRE] 2 GAGNER - PLUS_NMI -\n[DEFAITE] 0\n" + Fin,
         "Chargement Victoire: Condition inconnue :GAGNER dans fichier ..\\niveau\\essai.VBat"},
        {"zone", d + "[VICTOIRE] 1 OBJET_MAITRE_DANS_ZONE - -5 3 10 10\n[DEFAITE] 0\n" + Fin,
         "Chargement Victoire: Attention Zone hors champ dans fichier ..\\niveau\\essai.VBat"},
        {"defaite", d + "[VICTOIRE] 0\n[DEFAITES] [OUVERTURE_PORTE] 1\n",
         "Chargement DEFAITE: Fichier corrompu : ..\\niveau\\essai.VBat"},
        {"texte", "[IA_DECLENCHEMENT] 3", "Chargement Victoire: Fichier corrompu : ..\\niveau\\essai.VBat"},
        {"evenement", d + "[VICTOIRE] 0 [DEFAITE] 0 [EVENEMENTS] 1 DANSE [CONSEQUENCESVICTOIRE] 0 "
                          "[CONSEQUENCESDEFAITE] 0 [EVENEMENTS_AVANT_BATAILLE] 0 [OUVERTURE_PORTE] 0",
         "Chargement Evennement: Evennement inconnue :DANSE dans fichier ..\\niveau\\essai.VBat"},
        {"armee", d + "[VICTOIRE] 0 [DEFAITE] 0 [EVENEMENTS] 1 DEFECTION 9 [CONSEQUENCESVICTOIRE] 0 "
                      "[CONSEQUENCESDEFAITE] 0 [EVENEMENTS_AVANT_BATAILLE] 0 [OUVERTURE_PORTE] 0",
         "Chargement Evennement: Armée incorrecte :9 dans fichier ..\\niveau\\essai.VBat"},
        {"porte", d + "[VICTOIRE] 0 [DEFAITE] 0 [EVENEMENTS] 0 [CONSEQUENCESVICTOIRE] 0 [CONSEQUENCESDEFAITE] 0 "
                      "[EVENEMENTS_AVANT_BATAILLE] 0 [OUVERTURE_PORTE] x",
         "Chargement Victoire: Ouverture porte: Fichier corrompu : ..\\niveau\\essai.VBat"},
    };
    for (const CasRapport& c : cas) {
        SCOPED_TRACE(c.nom);
        Conditions_Liberation();
        Conditions_Initialisation();
        std::filesystem::remove(arbre.Racine() / "Erreur.txt");
        Lire(c.contenu);
        EXPECT_EQ(Rapport(), c.rapport);
    }
    // The unknown condition leaves its slot empty; the zone is clamped into the map.
    Conditions_Liberation();
    Conditions_Initialisation();
    Lire(d + "[VICTOIRE] 2 GAGNER - PLUS_NMI -\n[DEFAITE] 0\n" + Fin);
    EXPECT_EQ(NbConditionsVictoire, 2);
    EXPECT_EQ(TableVictoire[0].actif, -1);
    EXPECT_EQ(TableVictoire[1].actif, 1);
    Lire(d + "[VICTOIRE] 1 OBJET_MAITRE_DANS_ZONE - -5 300 10 10\n[DEFAITE] 0\n" + Fin);
    EXPECT_EQ(TableVictoire[0].zoneX, 0);
    EXPECT_EQ(TableVictoire[0].zoneY, 128);
    EXPECT_EQ(TableVictoire[0].zoneHauteur, 0);
}

// A condition, or a requester event, whose numbers cannot all be read is reported and left
// empty: it never decides the battle. The reading stops there.
TEST_F(Vbat, UnParametreIllisibleLaisseLEntreeVide) {
    const std::string d = Debut;
    const struct {
        const char* nom;
        std::string contenu;
        bool victoire;
        int place;
    } cas[] = {
        {"compte a rebours", d + "[VICTOIRE] 1 PLUS_NMI -\n[DEFAITE] 2 PLUS_AMI -\nCONTRE_LA_MONTRE - 1O\n" + Fin, false, 1},
        {"tenir", d + "[VICTOIRE] 2 PLUS_NMI -\nTENIR - x3\n[DEFAITE] 0\n" + Fin, true, 1},
        {"zone", d + "[VICTOIRE] 1 OBJET_MAITRE_DANS_ZONE - 10 10 1O 5\n[DEFAITE] 0\n" + Fin, true, 0},
        {"minimum", d + "[VICTOIRE] 1 MORT_OBJET_MAITRE_MINIMUM - 20 cinq\n[DEFAITE] 0\n" + Fin, true, 0},
        {"fin du fichier", d + "[VICTOIRE] 1 PLUS_NMI -\n[DEFAITE] 1 MORT_OBJET_MAITRE -", false, 0},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Conditions_Liberation();
        Conditions_Initialisation();
        TableChronometres[0].duree = 12345;
        std::filesystem::remove(arbre.Racine() / "Erreur.txt");
        Lire(c.contenu);
        EXPECT_EQ(Rapport(), std::string(c.victoire ? "Chargement Victoire" : "Chargement Defaite") +
                                 ": Fichier corrompu : ..\\niveau\\essai.VBat");
        const ConditionBataille& lue = (c.victoire ? TableVictoire : TableDefaite)[static_cast<size_t>(c.place)];
        EXPECT_EQ(lue.actif, -1);
        EXPECT_EQ(lue.type, -1);
        EXPECT_EQ(TableChronometres[0].duree, 12345);
        // What was read before it stays.
        if (c.place == 1) {
            EXPECT_EQ((c.victoire ? TableVictoire : TableDefaite)[0].actif, 1);
        }
    }
    // A requester event without its kind stays empty.
    Conditions_Liberation();
    Conditions_Initialisation();
    std::filesystem::remove(arbre.Racine() / "Erreur.txt");
    Lire(d + "[VICTOIRE] 0 [DEFAITE] 0 [EVENEMENTS] 2 - REQUESTER intro.txt deux [CONSEQUENCESVICTOIRE] 0 "
             "[CONSEQUENCESDEFAITE] 0 [EVENEMENTS_AVANT_BATAILLE] 0 [OUVERTURE_PORTE] 0");
    EXPECT_EQ(Rapport(), "Chargement Evennements: Fichier corrompu : ..\\niveau\\essai.VBat");
    EXPECT_EQ(TableEvenementsBataille[1].genre, -1);
    EXPECT_EQ(TableEvenementsBataille[1].fichier, nullptr);
    // A defection before the battle without its minutes, the same.
    Conditions_Liberation();
    Conditions_Initialisation();
    Lire(d + "[VICTOIRE] 0 [DEFAITE] 0 [EVENEMENTS] 0 [CONSEQUENCESVICTOIRE] 0 [CONSEQUENCESDEFAITE] 0 "
             "[EVENEMENTS_AVANT_BATAILLE] 1 DEFECTION - 2 4O [OUVERTURE_PORTE] 0");
    EXPECT_EQ(TableAvantBataille[0].actif, -1);
}

TEST_F(Vbat, PlusDeVingtEntreesNeGardentQueLesVingtPremieres) {
    std::string v = "[VICTOIRE] 25\n";
    for (int i = 0; i < 25; ++i) v += "MORT_OBJET_MAITRE - " + std::to_string(100 + i) + "\n";
    Lire(std::string(Debut) + v + "[DEFAITE] 0\n" + Fin);
    EXPECT_EQ(NbConditionsVictoire, 20);
    EXPECT_EQ(TableVictoire[19].maitre, 119);
    // The reading kept in step: what follows the table was read.
    EXPECT_EQ(NbConsequencesVictoire, 2);
    EXPECT_EQ(PorteManoeuvrable, 1);
}

TEST_F(Vbat, LeNomVientDuNiveauEtSonAbsenceEstFatale) {
    arbre.Ecrire("niveau/sans.VBat", std::string(Debut) + "[VICTOIRE] 0 [DEFAITE] 0\n" + Fin);
    EXPECT_EQ(ConditionsChargement("..\\niveau\\sans"), 0);   // no extension: the name as it stands
    EXPECT_THROW(ConditionsChargement("..\\niveau\\absent.mv"), FinProgramme);
    EXPECT_EQ(Rapport(), "Victory_c: ConditionsChargement(): ..\\niveau\\absent.VBat non trouvé");
    // A skirmish reads its own file whatever the level.
    EscarmoucheEnCours = 3;
    EXPECT_THROW(ConditionsChargement("..\\niveau\\sans.mv"), FinProgramme);
    EXPECT_EQ(Rapport(), "Victory_c: ConditionsChargement(): ..\\Skirmish\\Escarmouche.VBat non trouvé");
}

}  // namespace

namespace {

TEST_F(Vbat, AuChateauLaPresenceNEstPasLue) {
    ModeSceneCourant = 0;
    TableChefs[8].present = 0;
    Lire(std::string(Debut) + "[VICTOIRE] 0 [DEFAITE] 0\n" + Fin);
    EXPECT_EQ(TableChefs[8].present, 0);
    EXPECT_FALSE(arbre.Existe("Erreur.txt")) << Rapport();
    ModeSceneCourant = 2;
    Lire(std::string(Debut) + "[VICTOIRE] 0 [DEFAITE] 0\n" + Fin);
    EXPECT_EQ(TableChefs[0].present, 1);
    EXPECT_EQ(TableChefs[8].present, 1);
}

}  // namespace
