#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "arbre_temporaire.h"
#include "foundation/ecran_fixture.h"
#include "foundation/erreurs.h"
#include "frontend/localisation.h"

namespace {

class TextesMenus : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    void SetUp() override {
        ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        std::memset(TextesInterface, 'x', sizeof TextesInterface);   // what was there before the file
    }
    void TearDown() override { Plateforme_Fermer(); }

    // Line n is Defaut(n) unless given; `fin` ends the file.
    static std::string Fichier(int nbLignes, const std::vector<std::pair<int, std::string>>& autres = {},
                               const char* fin = "\r\n") {
        std::string s;
        for (int n = 1; n <= nbLignes; ++n) {
            std::string t = Defaut(n);
            for (const auto& [ligne, texte] : autres)
                if (ligne == n) t = texte;
            s += t + (n < nbLignes ? "\r\n" : fin);
        }
        return s;
    }
    // "T<n>", followed by the conversions of a format line.
    static std::string Defaut(int n) {
        std::string t = "T" + std::to_string(n);
        for (const char* c = ConversionsTexteInterface(n); c && *c; ++c) t += *c == 's' ? " %s" : " %d";
        return t;
    }
    // Reads the file; returns what the program reported on stderr.
    std::string Lire(const std::string& contenu) {
        arbre.Ecrire("Localisation/MENUS.TXT", contenu);
        testing::internal::CaptureStderr();
        LocalisationInitialisation();
        return testing::internal::GetCapturedStderr();
    }
};

}  // namespace

TEST_F(TextesMenus, CentQuaranteSeptLignesDansLeurOrdre) {
    std::string contenu = Fichier(147, {{78, ""}, {20, "Vide"}, {74, "Il manque %d \xE9\x63us."}});
    contenu += "\r\nen trop\r\n";   // lines past 147 are ignored
    EXPECT_EQ(Lire(contenu), "");
    EXPECT_STREQ(TexteInterface(1), "T1");
    EXPECT_STREQ(TexteInterface(20), "Vide");
    EXPECT_STREQ(TexteInterface(74), "Il manque %d \xE9\x63us.");   // bytes kept as read
    EXPECT_STREQ(TexteInterface(78), "");
    EXPECT_STREQ(TexteInterface(147), "T147");
    // the world model's log texts follow the file
    EXPECT_STREQ(TextesCriMort[0], "T109 %s");
    EXPECT_STREQ(TextesCriMort[3], "T112 %s");
    EXPECT_STREQ(TextePanique, "T113 %s");
    EXPECT_STREQ(TextesNiveau[2], "T123 %s %d");
    EXPECT_STREQ(TexteInterface(129), "T129 %s %d %d %d %d %d");
    for (int hors : {0, -1, 148, 1000}) {
        EXPECT_STREQ(TexteInterface(hors), "") << hors;
        EXPECT_EQ(ConversionsTexteInterface(hors), nullptr) << hors;
    }
}

TEST_F(TextesMenus, FichierCourtLaisseLesTextesManquantsVides) {
    // the last line has no line feed: it keeps all its characters
    EXPECT_EQ(Lire(Fichier(20, {{20, "Emplacement libre"}}, "")), "");
    EXPECT_STREQ(TexteInterface(19), "T19");
    EXPECT_STREQ(TexteInterface(20), "Emplacement libre");
    for (int n : {21, 100, 147}) EXPECT_STREQ(TexteInterface(n), "") << n;
    EXPECT_STREQ(TextesCriMort[1], "");
}

TEST_F(TextesMenus, FichierVideEtLignesLF) {
    EXPECT_EQ(Lire(""), "");
    EXPECT_STREQ(TexteInterface(1), "");
    EXPECT_EQ(Lire("ON\nOFF\n\nTitre\n"), "");
    EXPECT_STREQ(TexteInterface(2), "OFF");
    EXPECT_STREQ(TexteInterface(3), "");
    EXPECT_STREQ(TexteInterface(4), "Titre");
}

TEST_F(TextesMenus, TexteTropLongCoupeSansDecalerLesSuivants) {
    const std::string long16(40, 'a'), long255(600, 'b'), long10 = "Lumiere-et-ombre";
    const std::string rapport = Lire(Fichier(147, {{1, long16}, {2, std::string(14, 'c')}, {136, long255},
                                                   {144, long10}, {143, std::string(8, 'd')}}));
    EXPECT_EQ(std::string(TexteInterface(1)), std::string(14, 'a'));   // 16-byte buffer: 14 characters
    EXPECT_EQ(std::string(TexteInterface(2)), std::string(14, 'c'));   // at the limit: whole
    EXPECT_STREQ(TexteInterface(3), "T3");
    EXPECT_EQ(std::string(TexteInterface(136)), std::string(253, 'b'));
    EXPECT_STREQ(TexteInterface(137), "T137 %d");
    EXPECT_EQ(std::string(TexteInterface(143)), std::string(8, 'd'));
    EXPECT_STREQ(TexteInterface(144), "Lumiere-");
    EXPECT_STREQ(TexteInterface(145), "T145");
    for (int n = 1; n <= NB_TEXTES_INTERFACE; ++n)
        EXPECT_LE(std::strlen(TexteInterface(n)) + 2, TaillesTextesInterface[n]) << n;
    // one report for the whole file, naming the lines
    EXPECT_NE(rapport.find("menus.txt : texte trop long, coup\xC3\xA9 (lignes 1, 136, 144)"), std::string::npos)
        << rapport;
}

TEST_F(TextesMenus, FormatsVerifiesContreLesArgumentsDonnes) {
    struct Cas {
        int ligne;
        const char* texte;
        bool accepte;
    };
    const Cas cas[] = {
        {74, "Il manque %d pi\xE8\x63\x65s", true},
        {74, "Il manque %5d pi\xE8\x63\x65s (100%%)", true},
        {74, "Il manque %s", false},          // a text where an integer is given
        {74, "Il manque %d et %d", false},    // one argument more than given
        {74, "Il manque", false},             // the value would be lost
        {74, "%n", false},
        {74, "%*d", false},
        {74, "%ld", false},
        {74, "100 %", false},                 // a lone '%' at the end
        {121, "%s : niveau %d", true},
        {121, "Niveau %d pour %s", false},    // the order is the caller's
        {129, "%s %d/%d %d/%d %d", true},
        {129, "%-10.10s %i/%i %x/%X %u", true},
        {130, "%s %d/%d %d/%d %d", false},
        {142, "%02d:%02d:%02d", true},
        {142, "%d:%d", false},
        {3, "Options %s 100% %n", true},      // a text, never a format: taken as it is
    };
    for (const Cas& c : cas) {
        const std::string rapport = Lire(Fichier(147, {{c.ligne, c.texte}}));
        EXPECT_STREQ(TexteInterface(c.ligne), c.accepte ? c.texte : "") << c.ligne << " " << c.texte;
        EXPECT_EQ(rapport.empty(), c.accepte) << rapport;
    }
    const std::string rapport = Lire(Fichier(147, {{74, "%s"}, {142, "%d"}, {113, "%d"}}));
    EXPECT_NE(rapport.find("format incorrect, texte ignor\xC3\xA9 (lignes 74, 113, 142)"), std::string::npos) << rapport;
    EXPECT_STREQ(TextePanique, "");
}

TEST_F(TextesMenus, FichierAbsentEstFatal) {
    testing::internal::CaptureStderr();
    try {
        LocalisationInitialisation();
        FAIL() << "returned";
    } catch (const FinProgramme& fin) {
        EXPECT_EQ(fin.code, 1);
    }
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(arbre.Lire("Erreur.txt").rfind("LocalisationInitialisation(): ", 0), 0u);
}

TEST_F(TextesMenus, LectureDUneLigneBornee) {
    arbre.Ecrire("f.txt", "abcdef\nxy");
    FILE* f = std::fopen((arbre.Racine() / "f.txt").c_str(), "rb");
    ASSERT_NE(f, nullptr);
    char tampon[4] = "zzz";
    bool coupee = false;
    EXPECT_EQ(Localisation__LireLigne(tampon, sizeof tampon, f, &coupee), 0);
    EXPECT_STREQ(tampon, "abc");
    EXPECT_TRUE(coupee);
    EXPECT_EQ(Localisation__LireLigne(tampon, sizeof tampon, f, &coupee), 0);
    EXPECT_STREQ(tampon, "xy");
    EXPECT_FALSE(coupee);
    std::strcpy(tampon, "kk");
    EXPECT_EQ(Localisation__LireLigne(tampon, sizeof tampon, f, &coupee), 1);
    EXPECT_STREQ(tampon, "kk");   // left as it was at the end of the file
    std::fclose(f);
}

TEST_F(TextesMenus, FichierLivreAccepteSansRapport) {
    std::ifstream in(std::filesystem::path(MORVANE_SOURCE_DIR) / "data/localisation/menus.txt", std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    ASSERT_FALSE(s.str().empty());
    EXPECT_EQ(Lire(s.str()), "");
    for (int n = 1; n <= NB_TEXTES_INTERFACE; ++n) {
        const char* conversions = ConversionsTexteInterface(n);
        if (*conversions) {
            EXPECT_STRNE(TexteInterface(n), "") << n;
        }
    }
    EXPECT_STREQ(TexteInterface(144), "Lumiere");
    EXPECT_STREQ(TexteInterface(145), "Empire");
    EXPECT_STREQ(TexteInterface(146), "Justice");
    EXPECT_STREQ(TexteInterface(147), "Morvane");
    EXPECT_STREQ(TexteInterface(1), "OUI");
}

// The sample texts: the battle's length in h:mm:ss; the log's opening line, shown on every scene,
// speaks of no battle.
TEST_F(TextesMenus, DureeDuBilanEtLigneDOuvertureDuJournal) {
    std::ifstream in(std::filesystem::path(MORVANE_SOURCE_DIR) / "data/localisation/menus.txt", std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    ASSERT_EQ(Lire(s.str()), "");
    char duree[64];
    std::snprintf(duree, sizeof duree, TexteInterface(142), 0, 2, 3);
    EXPECT_STREQ(duree, "Dur\xE9" "e 0:02:03");
    std::snprintf(duree, sizeof duree, TexteInterface(142), 1, 45, 10);
    EXPECT_STREQ(duree, "Dur\xE9" "e 1:45:10");
    ASSERT_STRNE(TexteInterface(96), "");
    EXPECT_EQ(std::string(TexteInterface(96)).find("ataille"), std::string::npos) << TexteInterface(96);
}
