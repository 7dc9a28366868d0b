// The sample cast loads without a report: from the source data with the list fragments, and
// from the assembled sample tree as the program sees it (working directory at its bin/).
#include <unistd.h>

#include <filesystem>

#include "monde_fixture.h"
#include "world/demo_monde.h"

namespace {

namespace fs = std::filesystem;

std::string LireFichier(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void VerifierDistribution() {
    EXPECT_EQ(NombreMaitres, 202);
    struct Cas {
        int numero;
        const char* nom;
        int famille, classe;
    };
    for (Cas c : {Cas{5, "EMPIRE   HEROS", 0, 3}, Cas{13, "EMPIRE   ARCHER", 0, 4}, Cas{17, "EMPIRE   MAGICIEN", 0, 0},
                  Cas{20, "EMPIRE   SOLDAT", 0, 3}, Cas{130, "OBSTACLE", 2, 24}, Cas{131, "ARBRE CHENE", 3, 22},
                  Cas{150, "DECOR ROCHER", 2, 24}, Cas{200, "EMPIRE   CASERNE", 1, 5},
                  Cas{201, "EMPIRE   CASERNE RUINE", 2, 5}}) {
        ASSERT_NE(NomsMaitres[c.numero], nullptr) << c.numero;
        EXPECT_STREQ(NomsMaitres[c.numero], c.nom);
        EXPECT_EQ(TableMaitres[c.numero].famille, c.famille) << c.numero;
        EXPECT_EQ(TableMaitres[c.numero].classe, c.classe) << c.numero;
    }
    EXPECT_EQ(TableMaitres[130].actif, 0);   // the placeholder that marks water and impassable cells
    EXPECT_EQ(TableMaitres[17].sorts[0], 33);
    EXPECT_EQ(ObjetGfx_ANIM__MOR[200], ObjetGfx_ANIM__ARA[201]);   // the building's ruin
    EXPECT_GT(ObjetGfx_ANIM__DPL[20], 0);
    EXPECT_GT(ObjetGfx_ANIM__SIN[17], 0);
    EXPECT_EQ(VoixSelection[20][0], 2100);
}

TEST_F(Monde, DistributionDExempleSansRapport) {
    const fs::path source = MORVANE_SOURCE_DIR;
    for (const auto& e : fs::directory_iterator(source / "data/maitres"))
        arbre.Ecrire("maitres/" + e.path().filename().string(), LireFichier(e.path()));
    arbre.Ecrire("ini/mv.ini", LireFichier(source / "tools/fabrique/fragments/mv_figures.ini") +
                                   LireFichier(source / "tools/fabrique/fragments/mv_maitres.ini"));
    CreationDeLalIsteDesObjetsGfx();
    EXPECT_TRUE(Demo_ChargerMaitres());
    EXPECT_FALSE(arbre.Existe("Erreur.txt")) << Rapport();
    VerifierDistribution();
}

TEST(DemoMonde, ArbreDuJeuAssembleSansRapport) {
    const fs::path jeu = MORVANE_JEU_DIR;
    if (LireFichier(jeu / "ini/mv.ini").find("//liste_des_objets_ma\xeetres.") == std::string::npos)
        GTEST_SKIP() << "the sample tree's mv.ini has no master list yet";
    Plateforme_Initialiser(OptionsPlateforme{});
    Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
    fs::path ancien = fs::current_path();
    fs::current_path(jeu / "bin");
    std::error_code e;
    fs::remove(jeu / "Erreur.txt", e);
    try {
        CreationDeLalIsteDesObjetsGfx();
        EXPECT_TRUE(Demo_ChargerMaitres());
    } catch (const FinProgramme&) {
        ADD_FAILURE() << LireFichier(jeu / "Erreur.txt");
    }
    fs::current_path(ancien);
    EXPECT_FALSE(fs::exists(jeu / "Erreur.txt")) << LireFichier(jeu / "Erreur.txt");
    VerifierDistribution();
}

}  // namespace
