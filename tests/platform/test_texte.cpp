#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "arbre_temporaire.h"
#include "platform/texte.h"

namespace {

// A 200 x 60 target filled with one colour, and a context drawing into it.
struct Cible {
    static constexpr int L = 200, H = 60;
    std::vector<uint16_t> pixels;
    ContexteTexte* contexte = ContexteTexte_Creer();
    explicit Cible(uint16_t fond = 0) : pixels(L * H, fond) {
        ContexteTexte_Cible(contexte, pixels.data(), L, H, L);
        contexte->fondTransparent = true;
    }
    ~Cible() { ContexteTexte_Liberer(contexte); }
    uint16_t P(int x, int y) const { return pixels[y * L + x]; }
};

struct Boite {
    int gauche = 1 << 30, haut = 1 << 30, droite = -1, bas = -1;
    bool vide() const { return droite < 0; }
};

Boite Changes(const Cible& c, uint16_t fond) {
    Boite b;
    for (int y = 0; y < Cible::H; ++y)
        for (int x = 0; x < Cible::L; ++x)
            if (c.P(x, y) != fond) {
                b.gauche = std::min(b.gauche, x);
                b.haut = std::min(b.haut, y);
                b.droite = std::max(b.droite, x);
                b.bas = std::max(b.bas, y);
            }
    return b;
}

int Largeur(PoliceSysteme* p, const char* texte) {
    Cible c;
    ContexteTexte_ChoisirPolice(c.contexte, p);
    int l = 0, h = 0;
    Texte_Mesurer(c.contexte, texte, -1, &l, &h);
    return l;
}

}  // namespace

TEST(TextePlateforme, HauteurDeCelluleCommeDemandee) {
    for (int h : {12, 14, 16, 20, 22, 27, 35}) {
        for (int graisse : {300, 900}) {
            PoliceSysteme* p = Police_Creer("Lydian MT", h, graisse);
            ASSERT_NE(p, nullptr) << h;
            EXPECT_LE(Police_Hauteur(p), h) << h << " " << graisse;
            EXPECT_GE(Police_Hauteur(p), h - 2) << h << " " << graisse;
            Police_Liberer(p);
        }
    }
}

TEST(TextePlateforme, GrasPlusLargeEtCourierAChasseFixe) {
    PoliceSysteme* fin = Police_Creer("Lydian MT", 22, 300);
    PoliceSysteme* gras = Police_Creer("Lydian MT", 22, 700);
    PoliceSysteme* courier = Police_Creer("Courier New", 16, 400);
    EXPECT_GT(Largeur(gras, "Morvane"), Largeur(fin, "Morvane"));
    EXPECT_EQ(Largeur(courier, "iiii"), Largeur(courier, "WWWW"));
    EXPECT_NE(Largeur(fin, "iiii"), Largeur(fin, "WWWW"));
    Police_Liberer(fin);
    Police_Liberer(gras);
    Police_Liberer(courier);
}

TEST(TextePlateforme, MesureEtTexteVide) {
    PoliceSysteme* p = Police_Creer("Lydian MT", 22, 300);
    Cible c;
    int l = -1, h = -1;
    EXPECT_TRUE(Texte_Mesurer(c.contexte, "abc", -1, &l, &h));
    EXPECT_EQ(l, 0);   // no font selected
    ContexteTexte_ChoisirPolice(c.contexte, p);
    Texte_Mesurer(c.contexte, "", -1, &l, &h);
    EXPECT_EQ(l, 0);
    EXPECT_EQ(h, Police_Hauteur(p));
    int ab = 0, a = 0;
    Texte_Mesurer(c.contexte, "abcdef", 2, &ab, nullptr);
    Texte_Mesurer(c.contexte, "ab", -1, &a, nullptr);
    EXPECT_EQ(ab, a);
    // A count past the text's end stops at its end (nothing is read beyond it).
    int auDela = 0;
    Texte_Mesurer(c.contexte, "ab", 40, &auDela, nullptr);
    EXPECT_EQ(auDela, a);
    // Windows-1252 bytes are characters, not broken UTF-8.
    int e = 0, eAigu = 0;
    Texte_Mesurer(c.contexte, "e", -1, &e, nullptr);
    Texte_Mesurer(c.contexte, "\xE9", -1, &eAigu, nullptr);
    EXPECT_EQ(eAigu, e);
    EXPECT_FALSE(Texte_Mesurer(nullptr, "x", -1, &l, &h));
    Police_Liberer(p);
}

TEST(TextePlateforme, DessinCouleurFondTransparentEtPosition) {
    PoliceSysteme* p = Police_Creer("Lydian MT", 22, 900);
    const uint16_t fond = 5 << 10 | 6 << 5 | 7;
    Cible c(fond);
    ContexteTexte_ChoisirPolice(c.contexte, p);
    ContexteTexte_Couleur(c.contexte, 0x0000FF);   // red, as a GDI colour value
    Texte_Dessiner(c.contexte, 10, 5, "HI");
    Boite b = Changes(c, fond);
    ASSERT_FALSE(b.vide());
    int l = 0, h = 0;
    Texte_Mesurer(c.contexte, "HI", -1, &l, &h);
    EXPECT_GE(b.gauche, 10);
    EXPECT_GE(b.haut, 5);
    EXPECT_LE(b.droite, 10 + l);
    EXPECT_LT(b.bas, 5 + h);
    // Fully covered pixels take the colour; the rest of the cell keeps the background.
    int pleins = 0;
    for (int y = b.haut; y <= b.bas; ++y)
        for (int x = b.gauche; x <= b.droite; ++x) {
            if (c.P(x, y) == 31 << 10) ++pleins;
            EXPECT_EQ(c.P(x, y) & 0x8000, 0);
        }
    EXPECT_GT(pleins, 20);
    EXPECT_EQ(c.P(10, 5), fond);
    Police_Liberer(p);
}

TEST(TextePlateforme, DessinFondOpaqueEtDecoupe) {
    PoliceSysteme* p = Police_Creer("Lydian MT", 35, 300);
    Cible c;
    ContexteTexte_ChoisirPolice(c.contexte, p);
    c.contexte->fondTransparent = false;
    c.contexte->couleurFond = 0xFFFFFF;
    Texte_Dessiner(c.contexte, 4, 4, "ab");
    EXPECT_EQ(c.P(4, 4), 0x7FFF);
    // Across every edge of the target: clipped, nothing written outside (the sanitizer watches).
    c.contexte->fondTransparent = true;
    for (auto [x, y] : std::vector<std::pair<int, int>>{{-15, -20}, {190, 40}, {-300, 10}, {100, 59}, {0, -59}})
        Texte_Dessiner(c.contexte, x, y, "Morvane");
    Texte_Dessiner(c.contexte, 0, 0, nullptr);
    Texte_Dessiner(nullptr, 0, 0, "x");
    Police_Liberer(p);
}

TEST(TextePlateforme, FichierDuJeuPrendLeNomDeLaFace) {
    ArbreTemporaire arbre;
    EXPECT_FALSE(Police_AjouterFichier("..\\Lydian.ttf", "Lydian MT"));   // absent
    PoliceSysteme* serif = Police_Creer("Lydian MT", 22, 300);
    // The game's own file stands in for the face once it is there (here a sans-serif font).
    std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", arbre.Racine() / "Lydian.ttf");
    ASSERT_TRUE(Police_AjouterFichier("..\\LYDIAN.TTF", "Lydian MT"));
    PoliceSysteme* jeu = Police_Creer("lydian mt", 22, 300);
    PoliceSysteme* sans = Police_Creer("Arial", 22, 300);
    EXPECT_EQ(Largeur(jeu, "Morvane gagne"), Largeur(sans, "Morvane gagne"));
    EXPECT_NE(Largeur(jeu, "Morvane gagne"), Largeur(serif, "Morvane gagne"));
    Police_RetirerFichier("..\\Lydian.ttf");
    PoliceSysteme* apres = Police_Creer("Lydian MT", 22, 300);
    EXPECT_EQ(Largeur(apres, "Morvane gagne"), Largeur(serif, "Morvane gagne"));
    arbre.Ecrire("Faux.ttf", "pas une police");
    EXPECT_FALSE(Police_AjouterFichier("..\\Faux.ttf", "Faux"));
    for (PoliceSysteme* p : {serif, jeu, sans, apres}) Police_Liberer(p);
}
