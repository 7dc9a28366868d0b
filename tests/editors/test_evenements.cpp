// The animation event files of the masters: reading into the event tables, writing back.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "arbre_temporaire.h"
#include "editors/evenements.h"
#include "foundation/ecran_fixture.h"   // FinProgramme
#include "platform/plateforme.h"
#include "scene/particules_effets.h"
#include "world/maitres.h"

namespace {

namespace fs = std::filesystem;

constexpr int N = 3;   // the master under test

// Frame f of position p of animation a of the master under test.
EvenementsImage& Image(int a, int p, int f) { return TableMaitres[N].evenements->animations[a][p][f]; }

// The same, null when the table has no such frame.
const EvenementsImage* ImageLue(int a, int p, int f) {
    const TableEvenements* t = TableMaitres[N].evenements;
    if (t == nullptr || t->animations[a] == nullptr || t->animations[a][p] == nullptr) return nullptr;
    return &t->animations[a][p][f];
}

template <typename E>
int Longueur(const E* e) {
    int n = 0;
    for (; e; e = e->suivant) ++n;
    return n;
}

class Evenements : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;

    void SetUp() override {
        Plateforme_Initialiser(OptionsPlateforme{});
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        for (const char* nom : {"feu", "sang", "benediction"}) {
            ListeEffets = Effet_NouveauNoeud(ListeEffets);
            std::snprintf(ListeEffets->nomEffet, sizeof ListeEffets->nomEffet, "%s", nom);
            ListeEffets->effet = new EffetParticule{};
        }
        // Two animations of 2 directions x 3 frames, one of none, the others 1 x 1.
        Dimensions({{1, 1}});
        arbre.Ecrire("ini/mv.ini", "//liste_des_objets_maîtres.\r\n#define M_2 2 // autre\r\n#define M_3 3 // essai\r\n//.\r\n");
    }
    void TearDown() override {
        AnimationLibererEvenements(N);
        delete[] TableMaitres[N].animations;
        TableMaitres[N].animations = nullptr;
        Effets_Liberation();
    }

    // Every animation with the given (directions, images), the first ones as listed; animation 1
    // has 2 x 3 and animation 2 none, unless listed.
    void Dimensions(std::vector<std::pair<int, int>> premieres) {
        delete[] TableMaitres[N].animations;
        auto* anims = new AnimationInfo[NOMBRE_ANIMATIONS]();
        for (int a = 0; a < NOMBRE_ANIMATIONS; ++a) anims[a] = {1, 1};
        anims[1] = {3, 2};
        anims[2] = {-1, -1};
        for (size_t a = 0; a < premieres.size(); ++a)
            anims[a] = {premieres[a].second, premieres[a].first};
        TableMaitres[N].animations = anims;
    }

    void Charger(const std::string& cfg) {
        arbre.Ecrire("maitres/essai.cfg", cfg);
        AnimationChargerEvenements(N, "..\\maitres\\essai.txt");
        ASSERT_NE(TableMaitres[N].evenements, nullptr);
    }
    std::string Rapport() const { return arbre.Lire("Erreur.txt"); }
};

// The layout of a file for the dimensions of the fixture, with each frame's two lines given:
// animation 1's six frames (position by position), then one frame for each other animation but 2.
std::string Fichier(const std::vector<std::string>& anim1, const std::vector<std::string>& autres = {}) {
    std::string s;
    size_t k = 0;
    for (int a = 0; a < NOMBRE_ANIMATIONS; ++a) {
        s += " Anime " + std::to_string(a) + "\n";
        if (a == 2) {
            s += "-\n";
        } else if (a == 1) {
            for (int p = 0; p < 2; ++p) {
                s += " Position " + std::to_string(p) + "\n";
                for (int f = 0; f < 3; ++f) {
                    s += " Frame " + std::to_string(f) + "\n";
                    size_t i = static_cast<size_t>(p * 3 + f);
                    s += i < anim1.size() ? anim1[i] : "-\n-\n";
                }
            }
        } else {
            s += " Position 0\n Frame 0\n";
            s += k < autres.size() ? autres[k] : "-\n-\n";
            ++k;
        }
    }
    return s;
}

TEST_F(Evenements, SansFichierUneTableVideALaMesureDesAnimations) {
    AnimationChargerEvenements(N, "..\\maitres\\essai.txt");
    const TableEvenements* t = TableMaitres[N].evenements;
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->animations[2], nullptr);   // -1 directions
    for (int p = 0; p < 2; ++p)
        for (int f = 0; f < 3; ++f) {
            ASSERT_NE(t->animations[1][p], nullptr);
            EXPECT_EQ(Image(1, p, f).visuels, nullptr);
            EXPECT_EQ(Image(1, p, f).concrets, nullptr);
        }
    EXPECT_FALSE(arbre.Existe("Erreur.txt"));
}

TEST_F(Evenements, LectureDesDeuxListes) {
    Charger(Fichier({"-\n-\n",
                     " feu 7 -3 4 1 -1 0 sang 0 5 6 0 0 2 //\n-\n",
                     "-\n 6 1 0 8 11 12 13 14 -1 2 0 0 0 //\n"}));
    EXPECT_FALSE(arbre.Existe("Erreur.txt")) << Rapport();
    // Two visual events in their order, no concrete one.
    const EvenementVisuel* v = Image(1, 0, 1).visuels;
    ASSERT_EQ(Longueur(v), 2);
    EXPECT_STREQ(v->nom, "feu");
    EXPECT_EQ(v->marqueur, 7);
    EXPECT_EQ(v->ecartX, -3);
    EXPECT_EQ(v->ecartY, 4);
    EXPECT_EQ(v->directionX, 1);
    EXPECT_EQ(v->directionY, -1);
    EXPECT_EQ(v->plan, 0);
    EXPECT_NE(v->effet, nullptr);
    EXPECT_EQ(v->precedent, nullptr);
    EXPECT_STREQ(v->suivant->nom, "sang");
    EXPECT_EQ(v->suivant->plan, 2);
    EXPECT_EQ(v->suivant->precedent, v);
    EXPECT_EQ(Image(1, 0, 1).concrets, nullptr);
    // Kind 8 takes four sounds, the others only their cell.
    const EvenementConcret* c = Image(1, 0, 2).concrets;
    ASSERT_EQ(Longueur(c), 3);
    EXPECT_EQ(c->type, 6);
    EXPECT_EQ(c->caseX, 1);
    EXPECT_EQ(c->caseY, 0);
    c = c->suivant;
    EXPECT_EQ(c->type, 8);
    EXPECT_EQ(c->sons[0], 11);
    EXPECT_EQ(c->sons[3], 14);
    EXPECT_EQ(c->caseX, -1);
    EXPECT_EQ(c->caseY, 2);
    EXPECT_EQ(c->suivant->type, 0);
    EXPECT_EQ(TableMaitres[N].evenements->animations[2], nullptr);
}

TEST_F(Evenements, AnimationEtPositionSansEvenementsRestentNulles) {
    // Animation 0 written as "-", the first position of animation 1 as "-", header numbers anyhow.
    std::string s = Fichier({"-\n-\n", "-\n-\n", "-\n-\n", "-\n-\n", "-\n-\n", "-\n 5 0 1 //\n"});
    s.replace(s.find(" Position 0\n Frame 0\n-\n-\n"), std::strlen(" Position 0\n Frame 0\n-\n-\n"), "-\n");
    auto p = s.find(" Position 0\n Frame 0\n-\n-\n Frame 1");
    s.replace(p, s.find(" Position 1") - p, " Position 99\n-\n");
    s.replace(s.find(" Frame 2\n-\n 5"), 9, " Frame -4\n");
    Charger(s);
    EXPECT_FALSE(arbre.Existe("Erreur.txt")) << Rapport();
    EXPECT_EQ(TableMaitres[N].evenements->animations[0], nullptr);
    EXPECT_EQ(TableMaitres[N].evenements->animations[1][0], nullptr);
    ASSERT_NE(Image(1, 1, 2).concrets, nullptr);
    EXPECT_EQ(Image(1, 1, 2).concrets->type, 5);
    EXPECT_EQ(Image(1, 1, 2).concrets->caseY, 1);
}

TEST_F(Evenements, EcritureLectureEcritureALIdentique) {
    std::string s = Fichier({"-\n-\n", " feu 7 -3 4 1 -1 0 sang 0 5 6 0 0 2 //\n 1 0 0 //\n", "-\n-\n", "-\n-\n",
                             "-\n 8 1 2 3 4 0 1 6 -1 -1 //\n",
                             // Plans outside the three particle planes are kept too.
                             " benediction 0 0 -20 0 -1 1 feu 0 1 2 0 0 3 sang 0 0 0 0 0 -1 //\n 9 0 0 //\n"},
                            {"-\n-\n", "-\n 10 2 2 //\n"});
    std::string sansTete = s;
    const std::string anime0 = " Anime 0\n Position 0\n Frame 0\n-\n-\n";
    sansTete.replace(sansTete.find(anime0), anime0.size(), " Anime 0\n-\n");
    for (const std::string& cfg : {s, sansTete}) {
        Charger(cfg);
        ASSERT_EQ(AnimationSauverEvenements(N), 0);
        EXPECT_EQ(arbre.Lire("maitres/essai.cfg"), cfg);
        AnimationChargerEvenements(N, "..\\maitres\\essai.txt");
        ASSERT_EQ(AnimationSauverEvenements(N), 0);
        EXPECT_EQ(arbre.Lire("maitres/essai.cfg"), cfg);
    }
    EXPECT_FALSE(arbre.Existe("maitres/essai.cfg.tmp"));
    EXPECT_FALSE(arbre.Existe("Erreur.txt")) << Rapport();
}

TEST_F(Evenements, TableVideEcriteEtRelue) {
    arbre.Ecrire("maitres/essai.txt", "");
    AnimationChargerEvenements(N, "..\\maitres\\essai.txt");
    ASSERT_EQ(AnimationSauverEvenements(N), 0);
    EXPECT_EQ(arbre.Lire("maitres/essai.cfg"), Fichier({}));
}

TEST_F(Evenements, MaitreAbsentDeLaListeSauvegardeRefusee) {
    arbre.Ecrire("ini/mv.ini", "//liste_des_objets_maîtres.\r\n#define M_2 2 // autre\r\n//.\r\n#define M_3 3 // essai\r\n");
    Charger(Fichier({"-\n 6 1 0 //\n"}));
    arbre.Ecrire("maitres/essai.cfg", "ancien");
    EXPECT_EQ(AnimationSauverEvenements(N), -1);
    EXPECT_EQ(arbre.Lire("maitres/essai.cfg"), "ancien");
    EXPECT_FALSE(arbre.Existe("maitres/essai.cfg.tmp"));
}

TEST_F(Evenements, EffetInconnuLaisseLEvenementDeCote) {
    Charger(Fichier({" feu 1 1 1 1 1 1 fantome 2 2 2 2 2 2 sang 3 3 3 3 3 2 //\n 4 0 1 //\n"}));
    EXPECT_NE(Rapport().find("L'effet n'existe plus :  <fantome>"), std::string::npos) << Rapport();
    const EvenementVisuel* v = Image(1, 0, 0).visuels;
    ASSERT_EQ(Longueur(v), 2);
    EXPECT_STREQ(v->suivant->nom, "sang");
    EXPECT_EQ(v->suivant->ecartX, 3);
    EXPECT_EQ(Image(1, 0, 0).concrets->type, 4);
}

// Damaged files: the report, nothing read past, what comes before (and after, once the next
// animation is found) kept.
TEST_F(Evenements, FichiersDefectueux) {
    const std::string bon = Fichier({"-\n 6 1 0 //\n"}, {"-\n-\n", "-\n-\n", "-\n 7 0 0 //\n"});
    struct Cas {
        const char* nom;
        std::string cfg;
        bool premierGarde;   // the event of animation 1 kept
        bool suivantGarde;   // the event of animation 4 kept
    };
    auto remplacer = [&](const std::string& avant, const std::string& apres) {
        std::string s = bon;
        s.replace(s.find(avant), avant.size(), apres);
        return s;
    };
    const std::vector<Cas> cas = {
        {"coupe dans une liste", bon.substr(0, bon.find(" 6 1 0 //") + 6), false, false},
        {"coupe avant la fin", bon.substr(0, bon.find(" Anime 9")), true, true},
        {"mot inattendu au lieu de Anime", remplacer(" Anime 3", " Animer 3"), true, true},
        {"plus de positions", remplacer(" Anime 3\n Position 0\n Frame 0\n-\n-\n",
                                        " Anime 3\n Position 0\n Frame 0\n-\n-\n Position 1\n Frame 0\n-\n-\n"),
         true, true},
        {"moins d'images", remplacer(" Frame 2\n-\n-\n Position 1", " Position 1"), true, true},
        {"positions pour une animation sans directions", remplacer(" Anime 2\n-\n", " Anime 2\n Position 0\n-\n"),
         true, true},
        {"nombre illisible", remplacer(" 6 1 0 //", " 6 un 0 //"), false, true},
        {"type inconnu", remplacer(" 6 1 0 //", " 11 1 0 6 1 0 //"), true, true},
        {"liste sans fin", remplacer(" 6 1 0 //", " 6 1 0"), false, true},
        {"vide", "", false, false},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        std::error_code e;
        fs::remove(arbre.Racine() / "Erreur.txt", e);
        Charger(c.cfg);
        EXPECT_NE(Rapport().find("Chargement Player: Attention Fichier defectueux de type 3"), std::string::npos)
            << Rapport();
        const EvenementsImage* premier = ImageLue(1, 0, 0);
        if (c.premierGarde) {
            ASSERT_NE(premier, nullptr);
            ASSERT_EQ(Longueur(premier->concrets), 1);
            EXPECT_EQ(premier->concrets->type, 6);
            EXPECT_EQ(premier->concrets->caseX, 1);
        }
        if (premier) {
            EXPECT_EQ(premier->visuels, nullptr);
        }
        const EvenementsImage* anim4 = ImageLue(4, 0, 0);
        const bool suivant = anim4 && anim4->concrets && anim4->concrets->type == 7;
        EXPECT_EQ(suivant, c.suivantGarde);
        AnimationLibererEvenements(N);
    }
}

TEST_F(Evenements, NomTropLongBorne) {
    std::string nom(300, 'x');
    Charger(Fichier({" " + nom + " 1 2 3 4 5 1 //\n 6 0 0 //\n"}));
    EXPECT_NE(Rapport().find("<" + std::string(51, 'x') + ">"), std::string::npos);
    EXPECT_EQ(Image(1, 0, 0).visuels, nullptr);
    ASSERT_NE(Image(1, 0, 0).concrets, nullptr);
}

TEST_F(Evenements, AjoutEnQueue) {
    EvenementConcret* c = EvenementConcret_Ajouter(nullptr, 3);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(EvenementConcret_Ajouter(c, 8), c);
    EXPECT_EQ(EvenementConcret_Ajouter(c, 11), c);   // no such kind
    EXPECT_EQ(EvenementConcret_Ajouter(c, -1), c);
    ASSERT_EQ(Longueur(c), 2);
    EXPECT_EQ(c->suivant->type, 8);
    EXPECT_EQ(c->suivant->precedent, c);
    EvenementVisuel* v = EvenementVisuel_Ajouter(nullptr, "inconnu");
    EXPECT_EQ(v, nullptr);
    v = EvenementVisuel_Ajouter(v, "feu");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(EvenementVisuel_Ajouter(v, "sang"), v);
    EXPECT_EQ(Longueur(v), 2);
    for (auto* e = c; e;) {
        auto* s = e->suivant;
        delete e;
        e = s;
    }
    for (auto* e = v; e;) {
        auto* s = e->suivant;
        delete e;
        e = s;
    }
}

// The sample masters' files read without a report and write back byte for byte.
TEST_F(Evenements, FichiersDExemple) {
    const fs::path source = fs::path(MORVANE_SOURCE_DIR) / "data/maitres";
    struct Exemple {
        const char* nom;
        int anim, position, image, type, caseX, caseY;
    };
    const Exemple exemples[] = {{"soldat", 1, 2, 5, 6, 1, 0},
                                {"heros", 4, 0, 5, 6, 0, -1},
                                {"archer", 3, 5, 6, 3, -1, 1},
                                {"magicien", 12, 7, 6, 9, 0, 0},
                                {"magicien", 13, 2, 6, 9, 0, 0}};
    for (const Exemple& x : exemples) {
        SCOPED_TRACE(x.nom);
        // The sample masters' animations: 8 x 12 but the deaths (4 x 12).
        Dimensions({});
        for (int a = 0; a < NOMBRE_ANIMATIONS; ++a) TableMaitres[N].animations[a] = {12, (a == 18 || a == 19) ? 4 : 8};
        if (std::string(x.nom) == "soldat") TableMaitres[N].animations[0] = {12, 8};
        if (std::string(x.nom) == "magicien") TableMaitres[N].animations[18] = {12, 4};
        const std::string cfg = [&] {
            std::ifstream in(source / (std::string(x.nom) + ".cfg"), std::ios::binary);
            std::ostringstream s;
            s << in.rdbuf();
            return s.str();
        }();
        ASSERT_FALSE(cfg.empty());
        Charger(cfg);
        EXPECT_FALSE(arbre.Existe("Erreur.txt")) << Rapport();
        const EvenementConcret* c = Image(x.anim, x.position, x.image).concrets;
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->type, x.type);
        EXPECT_EQ(c->caseX, x.caseX);
        EXPECT_EQ(c->caseY, x.caseY);
        ASSERT_EQ(AnimationSauverEvenements(N), 0);
        EXPECT_EQ(arbre.Lire("maitres/essai.cfg"), cfg);
    }
}

}  // namespace

namespace {

// Every cut and every one-word change of a small file: read without going past anything, and
// whatever was read writes back and reads again without a report.
TEST_F(Evenements, ChaqueCoupureEtChaqueMotChange) {
    const std::string bon = Fichier({" feu 1 2 3 4 5 1 //\n 6 1 0 //\n", "-\n 8 1 2 3 4 0 1 //\n"},
                                    {"-\n-\n", "-\n 7 0 0 //\n"});
    std::vector<size_t> debuts;
    for (size_t i = 0; i < bon.size(); ++i)
        if (!std::isspace(static_cast<unsigned char>(bon[i])) && (i == 0 || std::isspace(static_cast<unsigned char>(bon[i - 1]))))
            debuts.push_back(i);
    std::vector<std::string> variantes;
    for (size_t d : debuts) variantes.push_back(bon.substr(0, d));
    for (size_t d : debuts) {
        const size_t fin = bon.find_first_of(" \n", d);
        for (const char* mot : {"-", "//", "Anime", "Position", "Frame", "8", "-1", "21", "x", "99999999999"})
            variantes.push_back(bon.substr(0, d) + mot + bon.substr(fin));
    }
    for (const std::string& v : variantes) {
        Charger(v);
        ASSERT_EQ(AnimationSauverEvenements(N), 0);
        std::error_code e;
        fs::remove(arbre.Racine() / "Erreur.txt", e);
        const std::string ecrit = arbre.Lire("maitres/essai.cfg");
        AnimationChargerEvenements(N, "..\\maitres\\essai.txt");
        ASSERT_EQ(AnimationSauverEvenements(N), 0);
        EXPECT_EQ(arbre.Lire("maitres/essai.cfg"), ecrit) << v;
        EXPECT_FALSE(arbre.Existe("Erreur.txt")) << v << Rapport();
    }
}

}  // namespace
