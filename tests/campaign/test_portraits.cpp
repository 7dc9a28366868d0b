#include <gtest/gtest.h>

#include <vector>

#include "campaign/armee.h"
#include "foundation/ecran.h"
#include "foundation/ecran_fixture.h"

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
