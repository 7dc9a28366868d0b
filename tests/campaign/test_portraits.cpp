#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arbre_temporaire.h"
#include "campaign/armee.h"
#include "foundation/ecran.h"
#include "foundation/ecran_fixture.h"
#include "foundation/objetsgfx.h"
#include "foundation/sprites.h"
#include "platform/blitter.h"
#include "sprite_essai.h"
#include "world/univers.h"

namespace {

using Portraits = FenetreJeu;

int Longueur(int x, int y, uint16_t couleur) {
    int n = 0;
    while (x + n < LargeurEcran && EcranTampon[y * LargeurEcran + x + n] == couleur) ++n;
    return n;
}

}  // namespace

TEST_F(Portraits, BarresDeLaSection) {
    Section s;
    s.nom = "Gardes";
    s.typeSection = -1;
    Section__ajouterUnite(&s, creerUnite(0, 0, 250, 500, 100, 100, 5, 0, 0));
    Section__ajouterUnite(&s, creerUnite(0, 0, 250, 500, 0, 100, 5, 0, 0));
    std::fill(EcranTampon, EcranTampon + LargeurEcran * HauteurEcran, 0);
    Section__afficher(&s, 100, 50);
    EXPECT_EQ(Longueur(136, 54, 0x7C00), 12);   // health 500 / 1000
    EXPECT_EQ(Longueur(136, 57, 0x03E0), 12);   // mana 100 / 200
    EXPECT_EQ(Longueur(136, 60, 0x001F), 12);   // morale 10 / 20
    EXPECT_EQ(Pixel(135, 54), 0);
}

TEST_F(Portraits, RegimentVideEtLignesHorsEcran) {
    Regiment r;
    std::fill(EcranTampon, EcranTampon + LargeurEcran * HauteurEcran, 0);
    Regiment__afficher(&r, 10, 10);
    TracerLigneHorizontale(LargeurEcran - 3, 5, 10, 0xFFFF);
    TracerLigneHorizontale(-5, 6, 8, 0xFFFF);
    TracerLigneHorizontale(0, HauteurEcran, 8, 0xFFFF);
    TracerLigneHorizontale(0, 7, 0, 0xFFFF);
    int allumes = 0;
    for (int i = 0; i < LargeurEcran * HauteurEcran; ++i) allumes += EcranTampon[i] != 0;
    EXPECT_EQ(allumes, 3 + 3);
    EXPECT_EQ(Longueur(0, 6, 0xFFFF), 3);
}

namespace {

// The digits as a one-frame sprite: only the digit 0 shows, as a 2 x 2 blue square at its place.
class Chiffres : public FenetreJeu {
  protected:
    ArbreTemporaire arbre;
    void SetUp() override {
        FenetreJeu::SetUp();
        std::string liste = "//liste_des_objets.\n";
        for (int n = 0; n <= 645; ++n) liste += "#define OBJ_" + std::to_string(n) + " " + std::to_string(n) + " // bleu\n";
        arbre.Ecrire("ini/mv.ini", liste + "//.\n");
        arbre.Ecrire("sprite/bleu.spr", essai::FichierDirect(2, 2, BLEU));
        ASSERT_EQ(SprDll_Init(12, BLITTER_FORMAT_555, nullptr), 0);
        ASSERT_EQ(CreationDeLalIsteDesObjetsGfx(), 646);
        Ecran__Geometrie(LargeurEcran, HauteurEcran);
        std::fill(EcranTampon, EcranTampon + LargeurEcran * HauteurEcran, 0);
    }
    void TearDown() override {
        ObjetsGfx_Liberation();
        FenetreJeu::TearDown();
    }
    static constexpr uint16_t BLEU = essai::Rvb(0, 0, 31);
    // The columns of row y where a square starts.
    static std::vector<int> Carres(int y) {
        std::vector<int> x;
        for (int i = 0; i + 1 < LargeurEcran; ++i)
            if (Pixel(i, y) == BLEU && (i == 0 || Pixel(i - 1, y) != BLEU)) x.push_back(i);
        return x;
    }
};

}  // namespace

TEST_F(Chiffres, DepuisLaDroiteEtDepuisLaGauche) {
    AfficherNombre(100, 10, 0);          // one digit even for 0
    AfficherNombre(100, 20, 100);        // 0 at 95, 0 at 91, 1 at 87
    AfficherNombreGauche(100, 30, 100);  // three digits: ends at 112
    AfficherNombreGauche(100, 40, 0);    // one digit: ends at 104
    EXPECT_EQ(Carres(10), std::vector<int>{95});
    EXPECT_EQ(Carres(20), (std::vector<int>{91, 95}));
    EXPECT_EQ(Carres(30), (std::vector<int>{103, 107}));
    EXPECT_EQ(Carres(40), std::vector<int>{99});
}
