// The sample game's texts as a player reads them: French, in Windows-1252 like the rest of the
// data, and the credits written in the scrolling texts' mark-up.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path DONNEES = fs::path(MORVANE_SOURCE_DIR) / "data";

std::string Lire(const fs::path& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

std::string Minuscules(std::string t) {
    for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return t;
}

// The text files of the folders the game shows to the player.
std::vector<fs::path> TextesDuJeu() {
    std::vector<fs::path> fichiers;
    for (const char* dossier : {"Texte", "localisation"})
        for (const auto& e : fs::recursive_directory_iterator(DONNEES / dossier))
            if (e.is_regular_file() && Minuscules(e.path().extension().string()) == ".txt") fichiers.push_back(e.path());
    return fichiers;
}

// True when the bytes hold a UTF-8 sequence of two or more bytes (a file saved in the wrong
// encoding): in Windows-1252 French text a letter above 0x7F stands between plain ones.
bool ContientUtf8(const std::string& t) {
    for (size_t i = 0; i + 1 < t.size(); ++i) {
        const auto c = static_cast<unsigned char>(t[i]), d = static_cast<unsigned char>(t[i + 1]);
        if (c >= 0xC2 && c <= 0xF4 && (d & 0xC0) == 0x80) return true;
    }
    return false;
}

// The graphic objects' names of the master list file (the part before the master objects).
std::set<std::string> ObjetsGraphiques() {
    std::set<std::string> noms;
    std::istringstream f(Lire(DONNEES / "ini" / "mv.ini"));
    std::string ligne;
    while (std::getline(f, ligne)) {
        if (ligne.rfind("// Master objects", 0) == 0) break;
        char nom[128];
        int numero = 0;
        if (std::sscanf(ligne.c_str(), "#define %127s %d", nom, &numero) == 2) noms.insert(nom);
    }
    return noms;
}

}  // namespace

TEST(TextesExemple, TheGameTextsAreFrenchInWindows1252) {
    // Words of an English text that a French one does not use.
    const std::set<std::string> anglais = {"the", "and", "you", "your", "with", "will", "from", "they",
                                           "their", "whether", "send", "ours", "choose", "lead"};
    const std::vector<fs::path> fichiers = TextesDuJeu();
    ASSERT_FALSE(fichiers.empty());
    for (const fs::path& f : fichiers) {
        SCOPED_TRACE(f.string());
        const std::string t = Lire(f);
        EXPECT_FALSE(ContientUtf8(t)) << "not Windows-1252";
        std::string mot;
        for (const char c : t + " ") {
            if (std::isalpha(static_cast<unsigned char>(c))) {
                mot += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                continue;
            }
            EXPECT_EQ(anglais.count(mot), 0u) << "an English word: " << mot;
            mot.clear();
        }
    }
}

// Every tag of the credits is one the scrolling text knows, with arguments it reads: a font of
// the set (0 to 6), a colour as three numbers of 0 to 255 or as 0xRRGGBB, a graphic object of
// the game (with a frame count, or none); and no line of text is longer than the 260 characters
// a line keeps. The credits use each tag.
TEST(TextesExemple, TheCreditsUseTheScrollingTextMarkUp) {
    const std::string t = Lire(DONNEES / "localisation" / "credits.txt");
    ASSERT_GT(t.size(), 200u);
    EXPECT_NE(t.find('\xE9'), std::string::npos) << "French, with its accents in Windows-1252";
    const std::set<std::string> objets = ObjetsGraphiques();
    std::set<std::string> vus;
    size_t longueur = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '\r' || t[i] == '\n') {
            EXPECT_LE(longueur, 260u);
            longueur = 0;
            continue;
        }
        if (t[i] != '<') {
            ++longueur;
            continue;
        }
        const size_t fin = t.find('>', i);
        ASSERT_NE(fin, std::string::npos) << "a tag left open at " << i;
        std::istringstream balise(t.substr(i + 1, fin - i - 1));
        std::string nom;
        balise >> nom;
        nom = Minuscules(nom);
        SCOPED_TRACE(t.substr(i, fin - i + 1));
        vus.insert(nom);
        if (nom == "font") {
            int n = -1;
            EXPECT_TRUE(balise >> n);
            EXPECT_TRUE(n >= 0 && n <= 6);
        } else if (nom == "color") {
            std::string argument;
            std::getline(balise >> std::ws, argument);
            if (argument.rfind("0x", 0) == 0) {
                EXPECT_EQ(argument.size(), 8u);
                EXPECT_EQ(argument.find_first_not_of("0123456789abcdefABCDEF", 2), std::string::npos);
            } else {
                int r = -1, g = -1, b = -1;
                EXPECT_EQ(std::sscanf(argument.c_str(), "%d %d %d", &r, &g, &b), 3);
                for (int v : {r, g, b}) EXPECT_TRUE(v >= 0 && v <= 255);
            }
        } else if (nom == "img") {
            std::string objet;
            balise >> objet;
            EXPECT_EQ(objets.count(objet), 1u) << "no graphic object " << objet;
            int images = 0;
            if (balise >> images) {
                EXPECT_GT(images, 0);
                vus.insert("img anime");
            }
        } else {
            EXPECT_TRUE(nom == "centered" || nom == "left" || nom == "right") << "an unknown tag";
        }
        i = fin;
    }
    for (const char* b : {"font", "color", "centered", "left", "right", "img", "img anime"}) EXPECT_EQ(vus.count(b), 1u) << b;
}
