// The bestiary: its three files (entries by camp, unlocked flags, description files), the format
// faults that stop the program, and the screen's paging through each camp of the sample list.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "frontend/bestiaire.h"
#include "arbre_temporaire.h"
#include "foundation/ecran_fixture.h"
#include "menu_fixture.h"
#include "platform/affichage.h"
#include "platform/fichiers.h"
#include "world/maitres.h"

namespace {

// The files, with no window: a fatal error is reported on standard error and in Erreur.txt.
class BestiaireFichiers : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    void SetUp() override {
        ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        namespace fs = std::filesystem;
        fs::copy(fs::path(MORVANE_SOURCE_DIR) / "data", arbre.Racine(), fs::copy_options::recursive);
        CreationDeLalIsteDesObjetsGfx();
        ASSERT_GT(Maitres__Liste__Creation(), 0);
    }
    void TearDown() override {
        BestiaireLiberer();
        ObjetsGfx_Liberation();
        Plateforme_Fermer();
    }
    std::string Rapport() const { return arbre.Existe("Erreur.txt") ? arbre.Lire("Erreur.txt") : ""; }
    // The message of the fatal error the call ends on, "" when it returns.
    template <typename F>
    std::string Fatale(F appel) {
        std::filesystem::remove(arbre.Racine() / "Erreur.txt");
        testing::internal::CaptureStderr();
        try {
            appel();
        } catch (const FinProgramme&) {
            testing::internal::GetCapturedStderr();
            return Rapport();
        }
        testing::internal::GetCapturedStderr();
        return "";
    }
    // A description read from the text.
    EntreeBestiaire Description(const std::string& texte) {
        arbre.Ecrire("maitres/essai.txt", texte);
        FILE* f = Fichier_Ouvrir("..\\maitres\\essai.txt", "rt");
        EXPECT_NE(f, nullptr);
        EntreeBestiaire e{};
        if (f) {
            BestiaireLectureDescription(f, &e);
            std::fclose(f);
        }
        return e;
    }
};

// The screen in a headless window over the sample data.
class Bestiaire : public MenuEcran {
  protected:
    void SetUp() override {
        MenuEcran::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_GT(Maitres__Liste__Creation(), 0);
    }
    void TearDown() override {
        BestiaireLiberer();
        MenuEcran::TearDown();
    }
    std::string Rapport() const { return arbre.Existe("Erreur.txt") ? arbre.Lire("Erreur.txt") : ""; }
    static void Capturer(const std::string& nom) {
        if (const char* dossier = std::getenv("MORVANE_CAPTURES"))
            Image_EcrirePng555(std::string(dossier) + "/" + nom + ".png", EcranTampon, 640, 480);
    }
    static std::vector<std::string> Noms() {
        std::vector<std::string> v;
        for (const EntreeBestiaire& e : TableBestiaire) v.push_back(e.fichier);
        return v;
    }
};

// The sample list opens with its camps in the tabs' order, and paging with the keys visits each
// camp's entries in turn; the previous and next buttons stop at the camp's ends; Up and Down wrap
// round the ten tabs; a camp with no entry shows the last entry. Every page reads and draws.
TEST_F(Bestiaire, SampleListPagedThroughEachCamp) {
    BestiaireOuverture();
    ASSERT_TRUE(BestiaireAEntrees());
    EXPECT_EQ(Rapport(), "");
    const std::vector<std::vector<std::string>> camps = {
        {"fiche_soldat", "fiche_archer", "fiche_magicien", "fiche_dragon"},
        {"fiche_justice_soldat", "fiche_justice_archer", "fiche_justice_magicien", "fiche_archange"},
        {"fiche_lumiere_soldat", "fiche_lumiere_archer", "fiche_lumiere_magicien"},
        {"fiche_morvane_soldat", "fiche_morvane_archer", "fiche_morvane_magicien"},
        {},
        {},
        {},
        {},
        {"fiche_neutre_soldat", "fiche_catapulte", "fiche_baliste"},
        {"fiche_heros"},
    };
    for (int onglet = 0; onglet < BESTIAIRE_ONGLETS; ++onglet) {
        SCOPED_TRACE(BestiaireCamps[onglet]);
        if (onglet > 0) {
            ToucheBas = 1;
            EXPECT_EQ(BestiaireTour(), 0);
        }
        ASSERT_EQ(BestiaireOnglet, onglet);
        EXPECT_EQ(BestiaireFond, 682 + onglet);
        std::vector<std::string> vues;
        for (int k = 0; k < 10; ++k) {
            const int32_t i = BestiaireEntreeCourante;
            const EntreeBestiaire& e = TableBestiaire[static_cast<size_t>(i)];
            if (!vues.empty() && vues.back() == e.fichier) break;
            vues.push_back(e.fichier);
            EXPECT_EQ(BestiairePremiereDuCamp(), vues.size() == 1);
            // The turn draws this entry, then takes the key.
            ToucheDroite = 1;
            EXPECT_EQ(BestiaireTour(), 0);
            Capturer(std::string("bestiaire-") + e.fichier);
            // Every field of the sample files is given.
            EXPECT_TRUE(e.chargee);
            EXPECT_GT(e.energie, 0);
            EXPECT_GT(e.pa, 0);
            EXPECT_NE(std::string(e.description), "");
            EXPECT_NE(std::string(e.fortification), "");
            if (BestiaireEntreeCourante == i) break;
        }
        EXPECT_TRUE(BestiaireDerniereDuCamp());
        if (camps[static_cast<size_t>(onglet)].empty()) EXPECT_EQ(vues, std::vector<std::string>{"fiche_heros"});
        else EXPECT_EQ(vues, camps[static_cast<size_t>(onglet)]);
        // Back to the camp's first with Left, no further.
        for (size_t k = 0; k < vues.size() + 2; ++k) {
            ToucheGauche = 1;
            BestiaireTour();
        }
        EXPECT_EQ(TableBestiaire[static_cast<size_t>(BestiaireEntreeCourante)].fichier, vues.front());
    }
    ToucheBas = 1;
    BestiaireTour();
    EXPECT_EQ(BestiaireOnglet, 0);
    ToucheHaut = 1;
    BestiaireTour();
    EXPECT_EQ(BestiaireOnglet, 9);
    // A click on the third tab, then on the leave button.
    SourisX = 20;
    SourisY = 7 + 47 * 2 + 10;
    ClicGauche = 1;
    EXPECT_EQ(BestiaireTour(), 0);
    EXPECT_EQ(BestiaireOnglet, 2);
    SourisX = 300;
    SourisY = 460;
    ClicGauche = 1;
    EXPECT_EQ(BestiaireTour(), 1);
    EXPECT_EQ(Rapport(), "");
}

// A locked entry shows only its title and picture: its page is short and cannot scroll; an
// unlocked one scrolls by 5 up to its height - 450 with the pointer at the bottom of the page.
// Unlocking a master's entries and saving them writes the flags file that the next opening reads.
TEST_F(Bestiaire, UnlockedPagesAndScrolling) {
    BestiaireOuverture();
    ASSERT_EQ(Noms()[3], "fiche_dragon");
    ASSERT_EQ(TableBestiaire[3].visible, 0);
    ASSERT_EQ(TableBestiaire[0].visible, 1);
    BestiaireEntreeCourante = 3;
    SourisX = 400;
    SourisY = 430;
    for (int i = 0; i < 5; ++i) BestiaireTour();
    EXPECT_EQ(BestiaireHauteurPage, 0);
    EXPECT_EQ(BestiaireDefilement, 0);

    BestiaireEntreeCourante = 0;
    for (int i = 0; i < 200; ++i) BestiaireTour();
    ASSERT_GT(BestiaireHauteurPage, 450);
    EXPECT_GE(BestiaireDefilement, BestiaireHauteurPage - 450);
    EXPECT_LT(BestiaireDefilement, BestiaireHauteurPage - 450 + 5);
    SourisY = 10;
    for (int i = 0; i < 200; ++i) BestiaireTour();
    EXPECT_EQ(BestiaireDefilement, 0);

    BestiaireRendreVisible(TableBestiaire[3].maitre, 1);
    BestiaireSauverPageVisible();
    BestiaireLiberer();
    BestiaireOuverture();
    EXPECT_EQ(TableBestiaire[3].visible, 1);
    EXPECT_EQ(TableBestiaire[7].visible, 0);   // the angel, another master, stays locked
    EXPECT_EQ(arbre.Lire("ini/Bestiaire_Init.txt").substr(0, 16), "fiche_soldat\t\t1\n");
}

// A description file: keys in their order, "-" as -1, CR LF lines, values cut to their fields,
// a key whose search runs to the end leaving it and every later one at its default, and a key
// with nothing after it taking no value from the next line.
TEST_F(BestiaireFichiers, DescriptionFiles) {
    EntreeBestiaire e = Description(
        "NOM Soldat_impérial\r\nMORAL ABCDE\r\nENERGIE -\r\nFORCE 12\r\nENERGIE_PAR_NIV 3\r\nFORCE_PAR_NIV -\r\n"
        "DESCRIPTION\t" + std::string(2000, 'd') + "\r\nARMES\t" + std::string(300, 'a') + "\r\nPA 4\r\n"
        "DPL_PLAINE\tfacile\r\nDPL_FORET\r\nDPL_MONTAGNE\t" + std::string(100, 'm') + "\r\n");
    EXPECT_STREQ(e.nom, "Soldat_impérial");
    EXPECT_STREQ(e.moral, "ABC");
    EXPECT_EQ(e.energie, -1);
    EXPECT_EQ(e.force, 12);
    EXPECT_EQ(e.energieParNiveau, 3);
    EXPECT_EQ(e.forceParNiveau, -1);
    EXPECT_EQ(std::string(e.description), std::string(511, 'd'));
    EXPECT_EQ(std::string(e.armes), std::string(127, 'a'));
    EXPECT_EQ(e.pa, 4);
    EXPECT_STREQ(e.dplPlaine, "facile");
    EXPECT_STREQ(e.dplForet, "");
    EXPECT_EQ(std::string(e.dplMontagne), std::string(63, 'm'));
    EXPECT_STREQ(e.dplRiviere, "");
    EXPECT_STREQ(e.speciale1, "-");
    EXPECT_TRUE(e.chargee);

    // FORCE before ENERGIE: the search for ENERGIE runs to the end, so all after it stay unset.
    e = Description("NOM Orc\nFORCE 9\nENERGIE 50\nDESCRIPTION\tune brute\nPA 3\n");
    EXPECT_STREQ(e.nom, "Orc");
    EXPECT_STREQ(e.moral, "");
    EXPECT_EQ(e.energie, -1);
    EXPECT_EQ(e.force, -1);
    EXPECT_STREQ(e.description, "");
    EXPECT_EQ(e.pa, -1);

    e = Description("");
    EXPECT_STREQ(e.nom, "");
    EXPECT_EQ(e.pa, -1);
}

// The faults that stop the program, each with its place and message; the master keywords of the
// region's table and of the master list.
TEST_F(BestiaireFichiers, FormatFaults) {
    const std::string ouverture = "\"Unités\" {\n";
    struct Cas {
        std::string bestiaire, init, attendu;
    } cas[] = {
        {"Unités {\n}\n", "", "BestiaireLectureFichierBestiaire(): Format non respecté \"Unités\""},
        {"\"Unités\" [\n}\n", "", "BestiaireLectureFichierBestiaire(): Format non respecté {"},
        {ouverture + "\"Empire\" \"a\" \"EMPIRE___SOLDAT\" }\n}\n", "", "BestiaireChargementCamp(): Format non respecté {"},
        {ouverture + "\"Empire\" { \"a\" \"EMPIRE___SOLDAT\" \"b\" \"EMPIRE___ARCHER\" }\n}\n", "b 1\na 1\n",
         "BestiaireLectureFichierPageVisible(): a non trouvé"},
        {ouverture + "\"Empire\" { \"a\" \"PAS_UN_MAITRE\" }\n}\n", "",
         "Erreur: Il faut ajouter ce label : PAS_UN_MAITRE dans la fonction RegionDonneMaitre()"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.bestiaire);
        arbre.Ecrire("ini/Bestiaire.txt", c.bestiaire);
        arbre.Ecrire("ini/Bestiaire_Init.txt", c.init);
        EXPECT_EQ(Fatale([] { BestiaireInitialisation(); }), c.attendu);
    }
    std::filesystem::remove(arbre.Racine() / "ini/Bestiaire.txt");
    EXPECT_EQ(Fatale([] { BestiaireInitialisation(); }), "BestiaireLectureFichierBestiaire(): Fichier Bestiaire.txt non trouvé");

    // A missing description file is found out when its page is first shown.
    arbre.Ecrire("ini/Bestiaire.txt", ouverture + "\"Orv\" { \"absent\" \"ORV\" }\n}\n");
    EXPECT_EQ(Fatale([] { BestiaireInitialisation(); }), "");
    EXPECT_EQ(Fatale([] { BestiaireAffichagePage(); }), "BestiaireChargementPageCourante(): Fichier non trouvé : ..\\Maitres\\absent.txt");

    // Keywords: the region's table first ("ORV"), then the master list's names; words at camp
    // level without a quote are skipped, an empty camp gives no entry, an over-long name is cut.
    arbre.Ecrire("ini/Bestiaire.txt", ouverture + "commentaire \"Nains\" { }\n\"Morvane\" {\n\"" + std::string(300, 'n') +
                                          "\" \"MORVANE___ARCHER\"\n\"b\" \"ORV\" }\n}\n");
    std::filesystem::remove(arbre.Racine() / "ini/Bestiaire_Init.txt");
    EXPECT_EQ(Fatale([] { BestiaireInitialisation(); }), "");
    ASSERT_EQ(NbEntreesBestiaire, 2);
    EXPECT_EQ(TableBestiaire[0].maitre, 43);
    EXPECT_EQ(std::string(TableBestiaire[0].fichier), std::string(126, 'n'));
    EXPECT_STREQ(TableBestiaire[1].camp, "Morvane");
    EXPECT_EQ(TableBestiaire[1].maitre, 5);
    // No flags file: everything locked.
    EXPECT_EQ(TableBestiaire[0].visible + TableBestiaire[1].visible, 0);
}

// With no entry at all the screen returns at once, the clip as it was.
TEST_F(BestiaireFichiers, NoEntryReturnsAtOnce) {
    arbre.Ecrire("ini/Bestiaire.txt", "\"Unités\" { \"Empire\" { } }\n");
    EcranDestination.clipDroite = 624;
    const uint32_t debut = Temps_Ticks();
    BestiaireEcran();
    EXPECT_EQ(Temps_Ticks(), debut);
    EXPECT_EQ(EcranDestination.clipDroite, 624);
    EXPECT_EQ(Rapport(), "");
}

}  // namespace
