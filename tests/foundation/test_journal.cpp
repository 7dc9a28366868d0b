#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ecran_fixture.h"
#include "foundation/journal.h"
#include "foundation/texte.h"

namespace {

std::vector<std::string> Lignes() {
    std::vector<std::string> r;
    for (NoeudEntier* n = ListeMessages; n && n->suivant; n = n->suivant) r.emplace_back(TextesMessages[n->valeur]);
    return r;
}

int Libres() {
    int n = 0;
    for (NoeudEntier* p = ListeMessagesLibres; p && p->suivant; p = p->suivant) ++n;
    return n;
}

class Journal : public FenetreJeu {
  protected:
    void SetUp() override {
        FenetreJeu::SetUp();
        Messages_Initialisation();
    }
    void TearDown() override {
        Messages_Liberation();
        FenetreJeu::TearDown();
    }
    // The topmost row drawn.
    static int HautDessine() {
        for (int y = 0; y < HauteurEcran; ++y)
            for (int x = 0; x < LargeurEcran; ++x)
                if (Pixel(x, y) != 0) return y;
        return -1;
    }
};

}  // namespace

TEST_F(Journal, OrdreEtFiltre) {
    struct Cas {
        const char* texte;
        int code;
        int actif;
        bool garde;
    };
    const Cas cas[] = {
        {"*cache", 1, 1, false}, {"*montre", 4, 0, true}, {"ligne", 1, 0, false},
        {"ligne", 1, 1, true},   {"quatre", 4, 1, true},  {"", 0, 1, true},
    };
    std::vector<std::string> attendu;
    for (const Cas& c : cas) {
        JournalActif = c.actif;
        Messages_Ajout(c.texte, c.code);
        if (c.garde) attendu.insert(attendu.begin(), c.texte);   // newest first
        EXPECT_EQ(Lignes(), attendu) << c.texte << " " << c.code;
    }
    EXPECT_EQ(NombreMessages, 4);
    EXPECT_EQ(Libres(), 45);
}

TEST_F(Journal, QuaranteNeufLignesAuPlus) {
    JournalActif = 1;
    for (int i = 1; i <= 50; ++i) Messages_Ajout(std::to_string(i).c_str(), 1);
    EXPECT_EQ(NombreMessages, 49);
    EXPECT_EQ(Lignes().front(), "49");   // the 50th line was dropped
    EXPECT_EQ(Libres(), 0);
    Messages_Ajout("quatre", 4);
    EXPECT_EQ(NombreMessages, 49);
}

TEST_F(Journal, AffichageDesPlusRecentesVersLeHaut) {
    Messages_Ajout("MMMM", 4);
    Messages_Affichage(20, 300, 0);
    const int une = HautDessine();
    ASSERT_GT(une, 0);
    std::fill(EcranTampon, EcranTampon + LargeurEcran * HauteurEcran, uint16_t{0});
    for (int i = 0; i < 9; ++i) Messages_Ajout("MMMM", 4);
    Messages_Affichage(20, 300, 3);
    EXPECT_EQ(HautDessine(), une - 3 * 11);   // max 3: four lines, 11 pixels apart
    EXPECT_EQ(Pixel(20 + 2, 300 - 11 - 3) & 0x7FFF, Pixel(20 + 2, 300 - 11 - 3));
    EXPECT_EQ(EcranDC->police, PoliceBase);
    EXPECT_EQ(Texte__LitCouleur(), 145u << 16 | 166u << 8 | 170u);
}

TEST_F(Journal, VieillissementAjouteDesBlancsPuisVide) {
    JournalActif = 0;
    Messages_Ajout("a", 4);
    Temps_Avancer(5000);
    Messages_Vieillissement(5);
    EXPECT_EQ(NombreMessages, 1);   // not more than 5 s yet
    Temps_Avancer(1);
    Messages_Vieillissement(5);
    EXPECT_EQ(Lignes(), (std::vector<std::string>{"", "a"}));
    Messages_Vieillissement(5);
    EXPECT_EQ(NombreMessages, 2);   // the blank line renewed the date
    while (NombreMessages < 49) Messages_Ajout("x", 4);
    Temps_Avancer(5001);
    Messages_Vieillissement(5);
    // Full: the log starts again, and the texts are freed with it.
    EXPECT_EQ(NombreMessages, 0);
    EXPECT_TRUE(Lignes().empty());
    EXPECT_EQ(Libres(), 49);
    EXPECT_TRUE(std::all_of(TextesMessages.begin(), TextesMessages.end(), [](char* t) { return t == nullptr; }));
}
