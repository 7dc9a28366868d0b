// Building display, headless: the sample barracks in its three orientations with its door shut
// and open, from the sample sprites and descriptions; captures written beside the game tree.
#include <filesystem>

#include "monde_fixture.h"
#include "foundation/ecran.h"
#include "foundation/objetsgfx.h"
#include "foundation/sprites.h"
#include "platform/affichage.h"
#include "foundation/ecran_fixture.h"
#include "world/affichage_batiments.h"
#include "world/batiments.h"
#include "world/demo_batiments.h"
#include "world/descriptions.h"
#include "world/grilles.h"
#include "world/maitres.h"
#include "world/objets.h"
#include "world/portes.h"
#include "world/univers.h"

namespace {

namespace fs = std::filesystem;

class AffichageBatiments : public FenetreJeu {
  protected:
    ArbreTemporaire arbre;
    std::vector<uint16_t> image;

    void SetUp() override {
        FenetreJeu::SetUp();
        const uint8_t format[7] = {1, 10, 3, 5, 3, 0, 3};
        ASSERT_EQ(SprDll_Init(12, format, nullptr), 0);
        const fs::path source = MORVANE_SOURCE_DIR, jeu = MORVANE_JEU_DIR;
        for (const char* f : {"caserne_g", "caserne_t", "caserne_d", "caserne_ruine"})
            arbre.Ecrire(std::string("sprite/figures/") + f + ".spr", LireFichier(jeu / "sprite/figures" / (std::string(f) + ".spr")));
        for (const auto& e : fs::directory_iterator(source / "data/Batiment"))
            arbre.Ecrire("Batiment/" + e.path().filename().string(), LireFichier(e.path()));
        const std::string caserne = LireFichier(source / "data/maitres/caserne.txt");
        arbre.Ecrire("maitres/caserne.txt", caserne);
        std::string porte = Remplacer(caserne, "FAMILLE BATIMENT", "FAMILLE PORTE");
        for (const char* g : {"CASERNE_G", "CASERNE_T", "CASERNE_D", "CASERNE_RUINE"}) porte = Remplacer(porte, g, "-");
        arbre.Ecrire("maitres/porte.txt", Remplacer(porte, "TAILLE 4", "TAILLE 1"));
        std::string ini = "//liste_des_objets.\r\n#define CASERNE_G 0 // figures\\caserne_g\r\n"
                          "#define CASERNE_T 1 // figures\\caserne_t\r\n#define CASERNE_D 2 // figures\\caserne_d\r\n"
                          "#define CASERNE_RUINE 3 // figures\\caserne_ruine\r\n//.\r\n//liste_des_objets_ma\xeetres.\r\n";
        // The barracks' spawner (307) brings forth a master that is not loaded here: it stays idle.
        arbre.Ecrire("maitres/generateur.txt", LireFichier(source / "data/maitres/generateur.txt"));
        for (int n = 0; n < 308; ++n)
            ini += "#define M_" + std::to_string(n) + " " + std::to_string(n) + " // " +
                   (n == 200 ? "caserne" : n == 305 ? "porte" : n == 307 ? "generateur" : "-") + "\r\n";
        arbre.Ecrire("ini/mv.ini", ini + "//.\r\n");
        ASSERT_GT(CreationDeLalIsteDesObjetsGfx(), 0);
        ASSERT_EQ(Maitres__Liste__Creation(), 308);
        for (auto* table : {&DescriptionsBatimentD, &DescriptionsBatimentT, &DescriptionsBatimentG}) Batiment__LibereGrilles(&(*table)[200]);
        Ecran__Geometrie(640, 480);
    }
    void TearDown() override {
        ObjetsGfx_Liberation();
        SprDll_Free();
        Univers__LibereGrillesBatiments();
        Univers__LibereGrilles();
        FenetreJeu::TearDown();
    }
    void Capturer(const std::string& nom) {
        Ecran_Affichage();
        const fs::path dossier = fs::path(MORVANE_JEU_DIR).parent_path() / "captures";
        fs::create_directories(dossier);
        EXPECT_TRUE(Affichage_CapturerPng((dossier / nom).string()));
        int l = 0, h = 0;
        image = Affichage_DerniereImage(&l, &h);
        ASSERT_EQ(l * h, 640 * 480);
    }
    uint16_t At(int x, int y) const { return image[static_cast<size_t>(y) * 640 + x]; }
    static int Rouge(uint16_t p) { return p >> 10 & 31; }
    static int Vert(uint16_t p) { return p >> 5 & 31; }
};

TEST_F(AffichageBatiments, CaserneTroisOrientationsPorteFermeeEtOuverte) {
    Demo_Batiments();
    EXPECT_FALSE(arbre.Existe("Erreur.txt")) << arbre.Lire("Erreur.txt");
    Capturer("batiments.png");
    // Front view at cell (9, 2): anchor (224, 48), door at calage (40, 60), 24 x 36.
    const uint16_t fermee = At(224 + 40 + 12, 48 + 60 + 12), ouverte = At(224 + 40 + 12, 264 + 60 + 12);
    EXPECT_EQ(fermee, (15 << 10) | (9 << 5) | 4);   // the wooden leaf
    EXPECT_EQ(ouverte, (2 << 10) | (1 << 5) | 1);   // the dark hall behind the open door
    // The walls round the door are stone in both rows.
    EXPECT_EQ(At(224 + 10, 48 + 80), At(224 + 10, 264 + 80));
    EXPECT_GT(Vert(At(224 + 10, 48 + 80)), 10);
    // Side views: the walls with the frame of the first slot at pair 2, and the roof with the
    // frame of the second at pair 3 (drawn though the third slot is empty).
    for (int sx : {1 * 24 + 8, 17 * 24 + 8}) {
        const uint16_t toit = At(sx - 12 + 30, 48 - 20 + 20);
        EXPECT_GT(Rouge(toit), Vert(toit) + 6) << sx;
        const uint16_t mur = At(sx - 8 + 76, 48 + 110);
        EXPECT_EQ(Rouge(mur) / 4, Vert(mur) / 4) << sx;
    }
    // The ground shows where no building stands.
    EXPECT_EQ(At(600, 470), (7 << 10) | (15 << 5) | 5);

    // A fallen gate: no door drawn, the ground shows through the doorway.
    Objet& caserne = TableObjets[Univers__CaseUnites(9, 2)];
    ASSERT_EQ(caserne.typeMaitre, 200);
    const DescriptionBatiment& t = DescriptionsBatimentT[200];
    int porte = 0;
    for (int c = 0; c < Batiment__NombreCodes(&t) && porte == 0; ++c)
        if (t.codeObjet[c] == 3) porte = Univers__CaseUnites(caserne.x + t.codeX[c], caserne.y + t.codeY[c]);
    ASSERT_GT(porte, 0);
    TableObjets[porte].pointsDeVie = 0;
    ObjetCourant = &TableObjets[porte];
    Porte__Gestion();
    Demo_Batiments();
    Capturer("batiments_porte_tombee.png");
    const uint16_t seuil = At(224 + 40 + 12, 48 + 60 + 12);
    EXPECT_EQ(Vert(seuil) >= 13, true);
    EXPECT_NE(seuil, (15 << 10) | (9 << 5) | 4);

    ObjetCourant = &caserne;
    EXPECT_THROW(BatimentAffichage(4), FinProgramme);
    EXPECT_EQ(arbre.Lire("Erreur.txt"), "Batiment___affichage(): pCode inconnu : 4");
    caserne.direction = 3;
    EXPECT_THROW(BatimentAffichage(1), FinProgramme);
    EXPECT_EQ(arbre.Lire("Erreur.txt"), "BatimentAffichage(): La direction du bâtiment est incorrect : 3!");
    caserne.direction = 1;
}

}  // namespace
