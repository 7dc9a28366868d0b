// The settings kept between runs (Configuration.ini, DOZOZADO.DAT) and the in-game loop's turn.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "arbre_temporaire.h"
#include "foundation/ecran_fixture.h"
#include "foundation/entrees.h"
#include "foundation/son.h"
#include "shell/demarrage.h"
#include "shell/trame.h"

namespace {

class Reglages : public FenetreJeu {
  protected:
    ArbreTemporaire arbre;
    void SetUp() override {
        FenetreJeu::SetUp();
        Valeurs(0, 640, 480, 100, 100, 0, 0);
    }
    static void Valeurs(int camp, int l, int h, int sons, int musique, int nuages, int lumiere) {
        CampagneCommencee = camp;
        ResolutionLargeur = l;
        ResolutionHauteur = h;
        VolumeSons = sons;
        VolumeMusique = musique;
        NuagesActifs = nuages;
        LumiereActive = lumiere;
    }
};

TEST_F(Reglages, LectureRegleDeResolutionEtBornes) {
    struct Cas {
        const char* fichier;
        int camp, largeur, hauteur, sons, musique, nuages, lumiere;
    };
    const Cas cas[] = {
        {"0\n640\n480\n100\n100\n0\n0\n", 0, 640, 480, 100, 100, 0, 0},
        {"1\n0\n600\n50\n20\n1\n1\n", 1, 800, 600, 50, 20, 1, 1},         // the width comes from the height
        {"0\n1024\n768\n0\n0\n0\n0\n", 0, 1024, 768, 0, 0, 0, 0},
        {"0\n1152\n864\n1\n2\n0\n0\n", 0, 1152, 864, 1, 2, 0, 0},
        {"0\n1280\n720\n1\n2\n0\n0\n", 0, 640, 480, 1, 2, 0, 0},          // any other height: 640 x 480
        {"5\n640\n480\n100\n100\n0\n0\n", 0, 640, 480, 100, 100, 0, 0},    // neither 0 nor 1
        {"-1\n800\n600\n150\n-3\n0\n0\n", 0, 800, 600, 100, 0, 0, 0},     // volumes kept in 0..100
        {"1\r\n640\r\n600\r\n7\r\n8\r\n1\r\n0\r\n", 1, 800, 600, 7, 8, 1, 0},
    };
    for (const Cas& c : cas) {
        Valeurs(9, 9, 9, 9, 9, 9, 9);
        arbre.Ecrire("INI/Configuration.ini", c.fichier);
        Configuration__Lecture();
        EXPECT_EQ(CampagneCommencee, c.camp) << c.fichier;
        EXPECT_EQ(ResolutionLargeur, c.largeur) << c.fichier;
        EXPECT_EQ(ResolutionHauteur, c.hauteur) << c.fichier;
        EXPECT_EQ(VolumeSons, c.sons) << c.fichier;
        EXPECT_EQ(VolumeMusique, c.musique) << c.fichier;
        EXPECT_EQ(NuagesActifs, c.nuages) << c.fichier;
        EXPECT_EQ(LumiereActive, c.lumiere) << c.fichier;
        // Reading leaves the file as it was.
        EXPECT_EQ(arbre.Lire("INI/Configuration.ini"), c.fichier);
    }
}

TEST_F(Reglages, AbsentOuAbimeEstEcritAvecLesValeursCourantes) {
    // No resolution rule on this path: 1000 x 720 is written as it stands.
    Valeurs(1, 1000, 720, 30, 40, 1, 0);
    const char* const abimes[] = {nullptr, "", "0\n640\nabc\n", "1\n2\n3\n"};
    for (const char* abime : abimes) {
        std::filesystem::remove(arbre.Racine() / "INI/Configuration.ini");
        if (abime) arbre.Ecrire("INI/Configuration.ini", abime);
        Configuration__Lecture();
        EXPECT_EQ(arbre.Lire("INI/Configuration.ini"), "1\n1000\n720\n30\n40\n1\n0\n") << (abime ? abime : "absent");
        EXPECT_EQ(ResolutionLargeur, 1000);
        EXPECT_EQ(ResolutionHauteur, 720);
    }
}

TEST_F(Reglages, EcritureEntiereOuRien) {
    arbre.Ecrire("INI/Configuration.ini", "ancien\n");
    Valeurs(1, 800, 600, 10, 20, 0, 1);
    // The temporary file cannot be made: the old file stays whole, and the failure is reported.
    std::filesystem::create_directories(arbre.Racine() / "INI/Configuration.ini.tmp");
    testing::internal::CaptureStderr();
    Configuration__Ecriture();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Ecriture impossible"), std::string::npos);
    EXPECT_EQ(arbre.Lire("INI/Configuration.ini"), "ancien\n");
    std::filesystem::remove(arbre.Racine() / "INI/Configuration.ini.tmp");
    Configuration__Ecriture();
    EXPECT_EQ(arbre.Lire("INI/Configuration.ini"), "1\n800\n600\n10\n20\n0\n1\n");
    EXPECT_FALSE(arbre.Existe("INI/Configuration.ini.tmp"));
}

TEST_F(Reglages, CodeParentalAbsentPuisAllerRetour) {
    std::snprintf(CodeParental, sizeof CodeParental, "reste");
    ControleParental = 7;
    Parental__Lecture();
    EXPECT_STREQ(CodeParental, "");
    EXPECT_EQ(ControleParental, 0);
    // Written at exit, the file's other lines kept.
    arbre.Ecrire("INI/DOZOZADO.DAT", "[AUTRE]\r\ncle=1\r\n");
    std::snprintf(CodeParental, sizeof CodeParental, "mot de passe");
    ControleParental = 1;
    Parental__Ecriture();
    const std::string dat = arbre.Lire("INI/DOZOZADO.DAT");
    EXPECT_NE(dat.find("[AUTRE]\r\ncle=1\r\n"), std::string::npos) << dat;
    EXPECT_NE(dat.find("[TRUC]\r\nDOZOZADO LE GRAND=mot de passe\r\nDOZOZADO LE PETIT=1\r\n"), std::string::npos) << dat;
    EXPECT_FALSE(arbre.Existe("INI/DOZOZADO.DAT.tmp"));
    CodeParental[0] = 0;
    ControleParental = 0;
    Parental__Lecture();
    EXPECT_STREQ(CodeParental, "mot de passe");
    EXPECT_EQ(ControleParental, 1);
    // A code longer than its buffer is cut.
    arbre.Ecrire("INI/DOZOZADO.DAT", "[TRUC]\nDOZOZADO LE GRAND=" + std::string(400, 'c') + "\n");
    Parental__Lecture();
    EXPECT_EQ(std::string(CodeParental), std::string(TAILLE_CODE_PARENTAL - 1, 'c'));
}

// The in-game loop's turns with a dispatch that counts its calls.
class Boucle : public FenetreJeu {
  protected:
    static inline int appels = 0;
    static inline int finAu = 0;   // the call that returns 1, 0 never
    static uint32_t Aiguillage() { return ++appels == finAu ? 1 : 0; }
    void SetUp() override {
        FenetreJeu::SetUp();
        appels = finAu = 0;
        JeuEnPause = 0;
        QuitterJeu = 0;
    }
};

TEST_F(Boucle, LaDistributionQuiRend1FinitLaBoucleAvecLeRoutage) {
    finAu = 5;
    RoutageOn = 0;
    EXPECT_EQ(BoucleJeu(Aiguillage), 1);
    EXPECT_EQ(appels, 5);
    EXPECT_EQ(RoutageOn, 1);
}

TEST_F(Boucle, HorlogeDuJeuArreteeEnPauseEtEtatDUnTourEfface) {
    Temps_Avancer(1000);
    for (int i = 0; i < 4; ++i) BoucleJeu__Tour(Aiguillage);
    EXPECT_EQ(HorlogeJeu, HorlogeJeuCopie);
    EXPECT_GT(appels, 0);
    JeuEnPause = 1;
    const uint32_t arretee = HorlogeJeu;
    Temps_Avancer(5000);
    for (int i = 0; i < 4; ++i) BoucleJeu__Tour(Aiguillage);
    EXPECT_EQ(HorlogeJeu, arretee);
    JeuEnPause = 0;
    EtatBoucleJeu = 1;
    while (appels < 12) BoucleJeu__Tour(Aiguillage);
    EXPECT_EQ(HorlogeJeu, Temps_Ticks());
    EXPECT_EQ(EtatBoucleJeu, 0);
}

TEST_F(Boucle, FenetreInactiveNeJoueAucuneTrame) {
    ApplicationActive = 0;
    // With nothing to wait for, the wait ends on the quit message.
    EXPECT_EQ(BoucleJeu(Aiguillage), 0);
    EXPECT_EQ(appels, 0);
    EXPECT_EQ(QuitterJeu, 1);
}

}  // namespace
