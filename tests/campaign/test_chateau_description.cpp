// The upgrade screen's description cut into lines that fit its box: between words, every word kept
// in order, a word too long for a line cut itself.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../foundation/ecran_fixture.h"
#include "campaign/chateau.h"
#include "foundation/texte.h"

namespace {

using ChateauDescription = FenetreJeu;

int Largeur(const std::string& t) { return Texte__AfficheAligne(0, 0, 0, 0, 0, 3, t.c_str()); }

TEST_F(ChateauDescription, LignesDansLaLargeurSansPerdreDeMot) {
    const std::string texte =
        "Les soldats portent une armure de cuir bouilli qui les protège des flèches et des coups "
        "d'estoc sans trop les alourdir pendant les longues marches //";
    ASSERT_GT(Largeur(texte), 392);
    const std::vector<std::string> lignes = InterfaceUpgradeChateau__lignesDescription(texte, 392);
    ASSERT_GE(lignes.size(), 2u);
    std::string ensemble;
    for (const std::string& l : lignes) {
        EXPECT_LE(Largeur(l), 392) << l;
        EXPECT_FALSE(l.empty());
        EXPECT_NE(l.front(), ' ');
        EXPECT_NE(l.back(), ' ');
        ensemble += (ensemble.empty() ? "" : " ") + l;
    }
    EXPECT_EQ(ensemble, texte);
    // A line is not cut before a word that would still have fitted.
    for (size_t i = 0; i + 1 < lignes.size(); ++i) {
        const std::string suivant = lignes[i + 1].substr(0, lignes[i + 1].find(' '));
        EXPECT_GT(Largeur(lignes[i] + " " + suivant), 392) << i;
    }
}

TEST_F(ChateauDescription, MotTropLongCoupeEtTexteVide) {
    const std::string mot(80, 'W');
    const std::vector<std::string> lignes = InterfaceUpgradeChateau__lignesDescription("a " + mot + " b", 100);
    ASSERT_GE(lignes.size(), 3u);
    std::string ensemble;
    for (const std::string& l : lignes) {
        EXPECT_LE(Largeur(l), 100) << l;
        for (char c : l)
            if (c != ' ') ensemble += c;
    }
    EXPECT_EQ(ensemble, "a" + mot + "b");
    EXPECT_TRUE(InterfaceUpgradeChateau__lignesDescription("", 100).empty());
    EXPECT_TRUE(InterfaceUpgradeChateau__lignesDescription("    ", 100).empty());
    // A box narrower than one letter still ends, one letter a line.
    EXPECT_EQ(InterfaceUpgradeChateau__lignesDescription("abc", 0).size(), 3u);
}

}  // namespace
