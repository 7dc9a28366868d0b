// Requesters: the paragraph layout, pages and answers driven by a timed headless script, the
// events part of a file (groups, limits, malformed files), the runner with its chained
// requester, and the quit that runs nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "arbre_temporaire.h"
#include "campaign/armee.h"
#include "foundation/ecran.h"
#include "foundation/ecran_fixture.h"
#include "foundation/entrees.h"
#include "foundation/fenetre.h"
#include "foundation/polices.h"
#include "platform/plateforme.h"
#include "platform/temps.h"
#include "shell/chefs.h"
#include "shell/conditions.h"
#include "shell/requetes.h"
#include "shell/victoire.h"

namespace {

class Requete : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    // Each test opens the platform once (the window's class is registered once per process).
    void TearDown() override {
        Evenements__Liberation();
        Plateforme_Fermer();
    }
    // The window, with a headless script of lines "+ms verb ..." after now.
    void Ouvrir(const std::vector<std::string>& script, bool fenetre = true, bool remiseAZero = true) {
        OptionsPlateforme o;
        if (!script.empty()) {
            std::string texte;
            for (const std::string& l : script) {
                const size_t blanc = l.find(' ');
                texte += std::to_string(1000 + std::stoul(l.substr(1, blanc - 1))) + l.substr(blanc) + "\n";
            }
            arbre.Ecrire("script.txt", texte);
            o.script = (arbre.Racine() / "script.txt").string();
        }
        ASSERT_TRUE(Plateforme_Initialiser(o));
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        Temps_Fixer(1000);
        if (!fenetre) return;
        ASSERT_EQ(Fenetre_Creation(nullptr), 1);
        ASSERT_EQ(Polices_Creation(nullptr), 1);
        Message m;
        while (Message_Attente(&m))
            if (Message_Lire(&m)) {
                Message_Traduire(&m);
                Message_Distribuer(&m);
            }
        if (!remiseAZero) return;
        OrJoueur = 1000;
        Renforts_RemiseAZero();
    }
    int HauteurLigne() {
        int h = 0;
        PoliceSysteme* p = ContexteTexte_ChoisirPolice(EcranDC, Police14);
        Texte_Mesurer(EcranDC, "A", 1, nullptr, &h);
        ContexteTexte_ChoisirPolice(EcranDC, p);
        return h;
    }
    // The box's text area: left and top.
    static int Gauche() { return (640 - 453) / 2 + 229 - 56; }
    static int Haut() { return (480 - 314) / 2 + 157 - 123; }
};

TEST_F(Requete, LeParagrapheCoupeAuxBlancsEtPagine) {
    Ouvrir({});
    ContexteTexte_ChoisirPolice(EcranDC, Police14);
    int h = 0, l = 0;
    Texte_Mesurer(EcranDC, "A", 1, nullptr, &h);
    // One line: "//" ends the text, whatever follows.
    EXPECT_EQ(Texte__Paragraphe("Court.//suite", 0, 0, 250, 100, 0), -1);
    // Lines on line breaks: two lines in a box of two, three in a box of two.
    EXPECT_EQ(Texte__Paragraphe("a\nb//", 0, 0, 250, 2 * h, 0), -1);
    EXPECT_EQ(Texte__Paragraphe("a\nb\nc//", 0, 0, 250, 2 * h, 0), 4);
    // A line too wide is cut after its last blank.
    Texte_Mesurer(EcranDC, "mot mot", 7, &l, nullptr);
    EXPECT_EQ(Texte__Paragraphe("mot mot mot//", 0, 0, l + 1, h, 0), 8);
    // A glyph wider than the box still takes one character per line: the pages move on.
    EXPECT_EQ(Texte__Paragraphe("WW//", 0, 0, 1, h, 0), 1);
    // Pages of a long text follow one another to its end.
    std::string long_;
    for (int i = 0; i < 60; ++i) long_ += "mot ";
    long_ += "fin//";
    int page = 0, pages = 1;
    for (int r; (r = Texte__Paragraphe(long_.c_str() + page, 0, 0, 250, 3 * h, 0)) != -1 && pages < 50; ++pages) page += r;
    EXPECT_GT(pages, 1);
    EXPECT_LT(pages, 50);
}

TEST_F(Requete, UnMessageSePagineEtSeFermeSurLaDernierePage) {
    std::string texte = "0\n";
    for (int i = 0; i < 40; ++i) texte += "ligne\n";
    texte += "//";
    // A Return every 100 ms: the box closes at the last page's.
    std::vector<std::string> script;
    for (int i = 1; i <= 40; ++i) script.push_back("+" + std::to_string(100 * i) + " key RETURN");
    Ouvrir(script);
    const int h = HauteurLigne();
    const uint32_t pages = static_cast<uint32_t>((40 + 200 / h - 1) / (200 / h));
    ASSERT_GE(pages, 2u);
    EXPECT_EQ(Requester__Affichage(857, texte.c_str()), 0);
    EXPECT_GE(Temps_Ticks(), 1000u + 100u * pages);
    EXPECT_LT(Temps_Ticks(), 1000u + 100u * (pages + 1));
}

// The sample's help and leaders' texts are plain messages in the game's 8-bit code page: each
// reads, pages and closes on Return, and runs no event.
TEST_F(Requete, LesTextesDAideEtDesChefsDeLExempleSeLisentEtSeFerment) {
    std::vector<std::string> script;
    for (int i = 1; i <= 18 * 6; ++i) script.push_back("+" + std::to_string(100 * i) + " key RETURN");
    Ouvrir(script);
    const std::filesystem::path source = std::filesystem::path(MORVANE_SOURCE_DIR) / "data/Texte/Generiques";
    std::filesystem::create_directories(arbre.Racine() / "Texte");
    std::filesystem::copy(source, arbre.Racine() / "Texte/Generiques", std::filesystem::copy_options::recursive);
    const char* const fichiers[] = {
        "Aide.txt", "AideRegion.txt", "AideChateau.txt", "Mort_O_Region.txt", "MortTotale\\Dralmog.txt",
        "MortTotale\\Belvor.txt", "MortTotale\\Galvarre.txt", "MortTotale\\Tovrek.txt", "MortTotale\\Welmsgard.txt",
        "MortTotale\\Succube.txt", "MortLeaders\\MortDral.txt", "MortLeaders\\MortBelvor.txt",
        "MortLeaders\\MortGalv.txt", "MortLeaders\\MortSorlane.txt", "MortLeaders\\MortEbr.txt",
        "MortLeaders\\MortTovr.txt", "MortLeaders\\MortEmp.txt", "MortLeaders\\MortSuc.txt"};
    for (const char* f : fichiers) {
        SCOPED_TRACE(f);
        const std::string chemin = std::string("..\\Texte\\Generiques\\") + f;
        std::string texte;
        ASSERT_TRUE(RequesterFichier__Lecture(chemin.c_str(), &texte));
        ASSERT_GT(texte.size(), 4u);
        EXPECT_EQ(texte[0], '0');
        EXPECT_NE(texte.find("//"), std::string::npos);
        EXPECT_EQ(texte.find("\xC3"), std::string::npos);   // not UTF-8
        EXPECT_NE(texte.find_first_of("\xE0\xE2\xE7\xE8\xE9\xEA\xC9"), std::string::npos);   // accents, as bytes
        InitEvennements(chemin.c_str());
        EXPECT_EQ(TableEvennements[0][0].genre, -1);
        const uint32_t debut = Temps_Ticks();
        EXPECT_EQ(Requester__Affichage(857, texte.c_str()), 0);
        EXPECT_LT(Temps_Ticks() - debut, 600u);   // a few pages at most
    }
    EXPECT_FALSE(arbre.Existe("Erreur.txt")) << arbre.Lire("Erreur.txt");
}

TEST_F(Requete, LaReponseChoisieEstRetourneeEtLeTempsSortDesChronometres) {
    // The second answer's band starts 200 pixels below the text's top with two answers; the
    // first's 3 lines above it.
    const int y1 = Haut() + 200 + 5;
    Ouvrir({"+200 move " + std::to_string(Gauche() + 20) + " " + std::to_string(y1), "+300 click left",
            "+500 move " + std::to_string(Gauche() + 20) + " " + std::to_string(Haut() + 200 - 5), "+600 click left"});
    TableChronometres[0] = Chronometre{1000, 60000};
    EXPECT_EQ(Requester__Affichage(857, "2\nQuestion ?//\nOui//\nNon//"), 1);
    EXPECT_GE(TableChronometres[0].debut, 1300);   // the time in the box was taken out
    EXPECT_EQ(Requester__Affichage(857, "2//Oui//Non//"), 0);
}

TEST_F(Requete, LesEvenementsSeChargentParGroupeDansLeursLimites) {
    Ouvrir({}, false);   // reports go to the file only
    std::string onze = "1\nTexte//\nOk//\n[EVENEMENTS] 12\n";
    for (int i = 0; i < 11; ++i) onze += "GAINS_OR 1\n";
    onze += "//\nPERTES_OR 7 //\n";
    arbre.Ecrire("onze.txt", onze);
    InitEvennements("..\\onze.txt");
    int n = 0;
    for (const Evennement& e : TableEvennements[0]) n += e.genre == EV_GAINS_OR;
    EXPECT_EQ(n, 10);   // the eleventh is reported and skipped
    EXPECT_EQ(TableEvennements[1][0].genre, EV_PERTES_OR);
    EXPECT_EQ(TableEvennements[1][0].valeur, 7);
    EXPECT_NE(arbre.Lire("Erreur.txt").find("trop d'ev dans un groupe"), std::string::npos);

    std::string groupes = "[EVENEMENTS] 21\n";
    for (int i = 0; i < 21; ++i) groupes += "GAINS_OR 1 //\n";
    arbre.Ecrire("groupes.txt", groupes);
    InitEvennements("..\\groupes.txt");
    EXPECT_EQ(TableEvennements[19][0].genre, EV_GAINS_OR);
    EXPECT_NE(arbre.Lire("Erreur.txt").find("trop de groupe"), std::string::npos);

    // Unknown words are ignored; a file without events, or cut short, loads what it holds.
    arbre.Ecrire("divers.txt", "0\nTexte sans fin\n[EVENEMENTS] 3 BIDULE GAIN_BARON GAINS_UNITES 20 2 1 IMAGE");
    InitEvennements("..\\divers.txt");
    EXPECT_EQ(TableEvennements[0][0].genre, 11);
    EXPECT_EQ(TableEvennements[0][1].genre, EV_GAINS_UNITES);
    EXPECT_EQ(TableEvennements[0][1].nombres[0], 2);
    EXPECT_EQ(TableEvennements[0][1].nombres[1], 20);
    EXPECT_EQ(TableEvennements[0][2].genre, -1);
    arbre.Ecrire("vide.txt", "");
    InitEvennements("..\\vide.txt");
    EXPECT_EQ(TableEvennements[0][0].genre, -1);
}

TEST_F(Requete, LeGroupeDeLaReponseSExecuteEtUnRequesterEnChaineArreteLeGroupe) {
    arbre.Ecrire("premier.txt",
                 "1\nTexte//\nOk//\n[EVENEMENTS] 4\nGAINS_OR 500\nREQUESTER ..\\second.txt 857\nPERTES_OR 300\n"
                 "GAIN_BARON //\n");
    arbre.Ecrire("second.txt", "0\nSuite//\n[EVENEMENTS] 2 ALLIANCE 2 GAINS_UNITES 20 1 2 //\n");
    TableAttaque[0][2] = TableAttaque[2][0] = 1;
    // The chained box closes on Return.
    Ouvrir({"+100 key RETURN"});
    InitEvennements("..\\premier.txt");
    RequesterFichier__Evenements(0);
    EXPECT_EQ(OrJoueur, 1500);               // paid before the chained box
    EXPECT_EQ(TableChefs[7].present, 0);     // the rest of the outer group did not run
    EXPECT_EQ(TableAttaque[0][2], 0);        // the chained group ran
    EXPECT_EQ(AlliancesEnAttente[2], 1);
    ASSERT_EQ(NbRenforts, 1);
    EXPECT_EQ(TableRenforts[0].section, 20);
    EXPECT_EQ(TableRenforts[0].niveau, 2);
    EXPECT_EQ(TableEvennements[0][0].genre, -1);   // emptied after the run

    // GAIN_BARON alone: slot 7 with master 125.
    TableChefs[7] = Chef{0, 0, 0, 0};
    arbre.Ecrire("baron.txt", "[EVENEMENTS] 1 GAIN_BARON //");
    InitEvennements("..\\baron.txt");
    RequesterFichier__Evenements(0);
    EXPECT_EQ(TableChefs[7].present, 1);
    EXPECT_EQ(TableChefs[7].maitre, 125);
}

TEST_F(Requete, UnFichierMalFormeEstMontreSansDanger) {
    // A count of answers the box cannot hold, or none: reported, then shown as a plain message
    // that a Return closes.
    Ouvrir({"+100 key RETURN", "+200 key RETURN", "+300 key RETURN"});
    EXPECT_EQ(Requester__Affichage(857, "7\nSept reponses ?//"), 0);
    EXPECT_EQ(Requester__Affichage(857, ""), 0);
    EXPECT_EQ(Requester__Affichage(857, "0"), 0);   // no "//": the text ends with the file
    EXPECT_GE(Temps_Ticks(), 1300u);
    const std::string rapport = arbre.Lire("Erreur.txt");
    EXPECT_NE(rapport.find("Nombre de réponses incorrect"), std::string::npos) << rapport;
}

TEST_F(Requete, UnFichierAbsentEstSignaleEtRienNeSAffiche) {
    Ouvrir({}, false);
    RequesterFichier(857, "..\\absent.txt");
    EXPECT_NE(arbre.Lire("Erreur.txt").find("Le fichier ..\\absent.txt n'existe pas"), std::string::npos);
}

TEST_F(Requete, QuitterDansLaBoiteNExecuteAucunEvenement) {
    arbre.Ecrire("or.txt", "0\nDe l'or.//\n[EVENEMENTS] 1 GAINS_OR 500 //\n");
    Ouvrir({"+100 quit"});
    RequesterFichier(857, "..\\or.txt");
    EXPECT_EQ(OrJoueur, 1000);
    EXPECT_EQ(QuitterJeu, 1);
}

}  // namespace
