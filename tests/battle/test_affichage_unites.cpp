// Unit display into a small back buffer: size offset, team colour and auras, selection and target
// marks, tints, floating numbers, digits, rest poses; the fatal sizes and animations.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "arbre_temporaire.h"
#include "battle/humains.h"
#include "battle/pulsations.h"
#include "foundation/ecran.h"
#include "foundation/ecran_fixture.h"   // FinProgramme
#include "foundation/objetsgfx.h"
#include "foundation/sprites.h"
#include "platform/plateforme.h"
#include "shell/cycles.h"
#include "shell/trame.h"
#include "sprite_essai.h"
#include "world/groupes.h"
#include "world/maitres.h"
#include "world/objets.h"
#include "world/univers.h"

namespace {

using essai::Rvb;

constexpr int L = 96;
constexpr uint16_t FOND = Rvb(2, 2, 2);
constexpr uint16_t MARQUE = Rvb(31, 31, 31), DEROUTE = Rvb(0, 31, 0), ICONE = Rvb(31, 31, 0);
constexpr int UNITE = 1, SANS_SPRITE = 2;

uint16_t Chiffre(int d) { return Rvb(d + 1, 31, 31 - d); }

// A direct-colour sprite whose frames are single pixels at (dx, 0) from the hot spot.
std::string Points(const std::vector<uint16_t>& couleurs, int dx = 0) {
    std::vector<ImageBlitter> images;
    for (uint16_t c : couleurs) {
        ImageBlitter a;
        a.largeur = dx + 1;
        a.hauteur = 1;
        a.pixels.assign(static_cast<size_t>(dx) + 1, -1);
        a.pixels.back() = c;
        images.push_back(a);
    }
    auto o = Blitter_EncoderFichier(images, nullptr);
    return std::string(o.begin(), o.end());
}

class AffichageUnites : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    std::vector<uint16_t> ecran;
    NoeudEntier noeud{};

    void SetUp() override {
        Plateforme_Initialiser(OptionsPlateforme{});
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        const uint8_t format[7] = {1, 10, 3, 5, 3, 0, 3};
        ASSERT_EQ(SprDll_Init(12, format, nullptr), 0);
        ecran.assign(L * L, FOND);
        EcranTampon = ecran.data();
        Ecran__Geometrie(L, L);
        arbre.Ecrire("sprite/unite.spr", essai::FichierIndexe());
        arbre.Ecrire("sprite/aura.spr", essai::FichierIndexe());
        std::vector<uint16_t> chiffres;
        for (int d = 0; d < 10; ++d) chiffres.push_back(Chiffre(d));
        arbre.Ecrire("sprite/chiffres.spr", Points(chiffres));
        // The mark reaches two pixels right of the unit's hot spot, past the unit's own pixels.
        arbre.Ecrire("sprite/marque.spr", Points({MARQUE}, 2));
        // Graphic objects that draw nothing (a missing sprite file ends the game).
        {
            ImageBlitter rien;
            rien.largeur = rien.hauteur = 1;
            rien.pixels = {-1};
            auto f = Blitter_EncoderFichier({rien}, nullptr);
            arbre.Ecrire("sprite/vide.spr", std::string(f.begin(), f.end()));
        }
        arbre.Ecrire("sprite/deroute.spr", Points({DEROUTE}, 3));
        arbre.Ecrire("sprite/icone.spr", Points({ICONE, ICONE, ICONE, ICONE}, 4));
        std::string ini = "//liste_des_objets.\n";
        for (int n = 0; n < 1000; ++n) {
            const char* f = n == UNITE ? "unite" : n == 9 ? "chiffres" : n >= 888 && n <= 890 ? "aura" : n == 951 ? "icone"
                          : n == 966 ? "deroute" : n == 997 || n == 998 ? "marque" : "vide";
            ini += "#define G_" + std::to_string(n) + " " + std::to_string(n) + " // " + f + "\n";
        }
        arbre.Ecrire("ini/mv.ini", ini + "//.\n");
        ASSERT_EQ(CreationDeLalIsteDesObjetsGfx(), 1000);

        RepereX = RepereY = 0;
        CompteurCycle43 = CompteurCycle43Bis = 0;
        NombreGroupesSelectionnes = 0;
        GroupeEnSelection = -1;
        static AnimationInfo animations[NOMBRE_ANIMATIONS];
        for (auto& a : animations) a = {12, 8};
        Objet& o = U();
        o = Objet{};
        o.indice = 10;
        o.noeudListe = &noeud;
        o.taille = 1;
        o.typeMaitre = 20;
        o.groupe = -1;
        o.ordreSecondaire = 2;
        o.couleur[0] = ' ';
        o.animations = animations;
        for (auto* table : TablesObjetGfxAnimations) (*table)[20] = UNITE;
        ObjetGfx_ANIM__SIN[20] = -1;
        ObjetCourant = &o;
    }
    void TearDown() override {
        ObjetsGfx_Liberation();
        SprDll_Free();
        for (auto& g : TableGroupes) g.noeudListe = nullptr;
        ObjetCourant = nullptr;
    }
    static Objet& U() { return TableObjets[10]; }
    uint16_t At(int x, int y) const { return ecran[static_cast<size_t>(y) * L + x]; }
    void Effacer() { std::fill(ecran.begin(), ecran.end(), FOND); }
    bool Vide() const {
        return std::all_of(ecran.begin(), ecran.end(), [](uint16_t p) { return p == FOND; });
    }
    Groupe& GroupeActif(int g) {
        static NoeudEntier n{};
        TableGroupes[g] = Groupe{};
        TableGroupes[g].noeudListe = &n;
        TableGroupes[g].groupeCibleIA = -1;
        return TableGroupes[g];
    }
    void Dessiner() {
        Effacer();
        ObjetCourant = &U();
        Humain__Affiche();
    }
    static int R(uint16_t p) { return p >> 10 & 31; }
    static int V(uint16_t p) { return p >> 5 & 31; }
    static int B(uint16_t p) { return p & 31; }
};

// The unit at cell (1, 1) walks, frame 0: its hot spot lands at (24 + 20, 24 + 12).
constexpr int HX = 44, HY = 36;

TEST_F(AffichageUnites, LaPlaceSuitLaCaseLeDecalageEtLaTaille) {
    U().x = U().y = 1;
    Dessiner();
    EXPECT_EQ(At(HX - 1, HY - 1), Rvb(31, 31, 31));   // index 31 of the grey ramp, top-left of the frame
    EXPECT_EQ(At(HX, HY), Rvb(0, 0, 31));             // index 33
    U().decalageX = -5;
    U().decalageY = 3;
    U().taille = 2;   // offset (32, 24)
    Dessiner();
    EXPECT_EQ(At(24 - 5 + 32, 24 + 3 + 24), Rvb(0, 0, 31));
    for (int t = 3; t <= 4; ++t) {
        U().taille = t;
        U().decalageX = U().decalageY = 0;
        Dessiner();
        EXPECT_EQ(At(24 + 8 + 12 * t, 24 + 12 * t), Rvb(0, 0, 31)) << t;
    }
}

TEST_F(AffichageUnites, UneTailleSansCalageEstFatale) {
    U().taille = 5;
    EXPECT_THROW(Dessiner(), FinProgramme);
    EXPECT_EQ(arbre.Lire("Erreur.txt"), "Unites___affichage(): Le calage pour la taille est inconnu : 5");
}

TEST_F(AffichageUnites, AnimationsMasqueesOuInconnues) {
    U().x = U().y = 1;
    for (int a : {7, 12}) {   // hidden; no ANIM__SIN sprite
        U().animation = a;
        Dessiner();
        EXPECT_TRUE(Vide()) << a;
    }
    U().animation = 0;
    U().ordreSecondaire = 4;   // dead
    Dessiner();
    EXPECT_TRUE(Vide());
    U().ordreSecondaire = 2;
    U().animation = 6;
    EXPECT_THROW(Dessiner(), FinProgramme);
    EXPECT_EQ(arbre.Lire("Erreur.txt"), "Humain__Affiche: Animation inconnue : 6");
}

TEST_F(AffichageUnites, CouleurDeCampEtAuras) {
    U().x = U().y = 1;
    std::memcpy(U().couleur, "\x1F\x00\x00", 3);
    // The converted man keeps the sprite's own colours; the others take their team's.
    for (auto* table : TablesObjetGfxAnimations) (*table)[18] = UNITE;
    U().typeMaitre = 18;
    Dessiner();
    EXPECT_EQ(At(HX - 1, HY - 1), Rvb(31, 31, 31));
    U().typeMaitre = 20;
    Dessiner();
    EXPECT_EQ(At(HX - 1, HY - 1), Rvb(31, 0, 0));
    // Masters with an aura: the aura is drawn under the unit in the master's colour, carried by
    // master 42 (the unit here has no sprite, so the aura shows alone).
    struct Cas { int maitre; uint16_t couleur; };
    for (const Cas c : {Cas{14, Rvb(31, 0, 0)}, Cas{22, Rvb(8, 17, 25)}, Cas{7, Rvb(18, 23, 7)}}) {
        SCOPED_TRACE(c.maitre);
        for (auto* table : TablesObjetGfxAnimations) (*table)[static_cast<size_t>(c.maitre)] = SANS_SPRITE;
        U().typeMaitre = c.maitre;
        Dessiner();
        EXPECT_EQ(At(HX - 1, HY - 1), c.couleur);
        EXPECT_EQ(ObjetCourant, &U());
    }
    EXPECT_EQ(TableMaitres[42].couleur[1], 23);
    // No aura for the animations that have none.
    U().animation = 19;
    Dessiner();
    EXPECT_EQ(At(HX - 1, HY - 1), Rvb(18, 23, 7));
    U().animation = 13;
    ObjetGfx_ANIM__SPJ[7] = SANS_SPRITE;
    Dessiner();
    EXPECT_TRUE(Vide());
}

TEST_F(AffichageUnites, MarquesDeSelectionEtDeCible) {
    U().x = U().y = 1;
    U().selectionne = 1;
    Dessiner();
    EXPECT_EQ(At(HX + 2, HY), FOND) << "no group selected, no mark";
    NombreGroupesSelectionnes = 1;
    Dessiner();
    EXPECT_EQ(At(HX + 2, HY), MARQUE);
    // A dying unit gets no mark.
    U().animation = 18;
    Dessiner();
    EXPECT_EQ(At(HX + 2, HY), FOND);
    EXPECT_EQ(AffichageMarques, 1);
    // A unit of the group that the group under command targets: the mark lit red by the pulse
    // (16 at counter 21) + 8.
    U().animation = 0;
    U().selectionne = 0;
    GroupeActif(3).groupeCibleIA = 7;
    GroupeActif(7);
    U().groupe = 7;
    GroupeEnSelection = 3;
    CompteurCycle43Bis = 21;
    Dessiner();
    EXPECT_EQ(At(HX + 2, HY), Rvb(2 + 24, 2, 2));
    // Master 8's mark is the next sprite.
    GroupeEnSelection = -1;
    U().selectionne = 1;
    U().typeMaitre = 8;
    for (auto* table : TablesObjetGfxAnimations) (*table)[8] = UNITE;
    U().taille = 1;
    Dessiner();
    EXPECT_EQ(At(HX + 2, HY), MARQUE);
}

TEST_F(AffichageUnites, Teintes) {
    U().x = U().y = 1;
    // On the grey 20 pixel of the frame: lit adds sprite x light / 31 (to 31), shaded keeps
    // (31 - k) / 31. The pulse is 1 at counter 0 and 16 at counter 21.
    struct Cas {
        const char* nom;
        int compteur;
        void (*regler)(Objet&);
        uint16_t attendu;
    };
    const Cas cas[] = {
        {"rien", 0, [](Objet&) {}, Rvb(20, 20, 20)},
        {"touche", 0, [](Objet& o) { o.touche = 1; }, Rvb(31, 20, 20)},
        {"beni", 0, [](Objet& o) { o.etatSort = 5; }, Rvb(20, 20, 20 + 20 * 11 / 31)},
        {"teleportation", 0, [](Objet& o) { o.enIncantation = 2, o.action = 11; }, Rvb(24, 24, 24)},
        {"autre incantation", 0, [](Objet& o) { o.enIncantation = 2, o.action = 3; }, Rvb(20, 20, 20)},
        {"gel", 0, [](Objet& o) { o.gel = 4; }, Rvb(20 * 22 / 31, 20 * 22 / 31, 20 * 22 / 31)},
        {"poison", 21, [](Objet& o) { o.degatsContinus = 3; }, Rvb(20, 25, 20)},
        {"immunise", 21, [](Objet& o) { o.degatsContinus = 254; }, Rvb(20, 20, 20)},
        {"poison gele", 21, [](Objet& o) { o.degatsContinus = 3, o.gel = 1; }, Rvb(20 * 7 / 31, 25 * 7 / 31, 20 * 7 / 31)},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        CompteurCycle43 = c.compteur;
        U().touche = U().gel = U().etatSort = U().enIncantation = U().action = 0;
        U().degatsContinus = 0;
        c.regler(U());
        Dessiner();
        EXPECT_EQ(At(HX - 1, HY), c.attendu);
    }
    // Drawing clears the hit mark.
    U().touche = 1;
    Dessiner();
    EXPECT_EQ(U().touche, 0);
}

TEST_F(AffichageUnites, ChiffresDeDroiteAGauche) {
    Effacer();
    Chiffres__Affiche(50, 20, 1234);
    EXPECT_EQ(At(50, 20), Chiffre(4));
    EXPECT_EQ(At(46, 20), Chiffre(3));
    EXPECT_EQ(At(42, 20), Chiffre(2));
    EXPECT_EQ(At(38, 20), Chiffre(1));
    EXPECT_EQ(At(34, 20), FOND);
    Effacer();
    Chiffres__Affiche(50, 20, 0);
    EXPECT_EQ(At(50, 20), Chiffre(0));
    EXPECT_EQ(At(46, 20), FOND);
    Effacer();
    Chiffres__Affiche(50, 20, -3);
    EXPECT_TRUE(Vide());
}

TEST_F(AffichageUnites, NombresIconeDerouteEtNumeroDeGroupe) {
    U().x = U().y = 1;
    U().degatsRecus = 37;
    U().icone = 2;
    std::vector<int> hauteurs;
    for (int i = 0; i < 24; ++i) {
        Dessiner();
        for (int y = 0; y < L; ++y)
            if (At(HX, y) == Chiffre(7)) hauteurs.push_back(HY - y);
        EXPECT_EQ(At(HX + 4, HY), ICONE);
    }
    // Opaque as it rises 12 pixels, translucent after (a blend, not the digit's colour).
    ASSERT_EQ(hauteurs.size(), 13u);
    for (int i = 0; i <= 12; ++i) EXPECT_EQ(hauteurs[static_cast<size_t>(i)], i);
    EXPECT_EQ(U().degatsRecus, 0);
    EXPECT_EQ(U().ageNombre, 0);
    EXPECT_EQ(U().icone, 0);
    Dessiner();
    EXPECT_EQ(At(HX + 4, HY), FOND);
    // Not shown when turned off.
    U().degatsRecus = 5;
    AffichageDegats = 0;
    Dessiner();
    EXPECT_EQ(U().ageNombre, 0);
    AffichageDegats = 1;

    // A routed group: the mark and the selection dropped; a selection group's number 16 pixels
    // right of the unprefixed x, at the unit's offset y.
    GroupeActif(4).enDeroute = 1;
    TableGroupes[4].numeroSelection = 3;
    U().groupe = 4;
    U().selectionne = 1;
    U().degatsRecus = 0;
    Dessiner();
    EXPECT_EQ(At(HX + 3, HY), DEROUTE);
    EXPECT_EQ(U().selectionne, 0);
    EXPECT_EQ(At(24 + 16, HY), Chiffre(3));
}

TEST_F(AffichageUnites, LeReposAnimeRepartAussitotApresLeCombat) {
    U().x = U().y = 1;
    U().animation = 5;
    U().direction = 0;
    U().image = 1;   // frame 1: a single blue pixel at the hot spot; frame 0 is the full figure
    U().compteurRepos = 0;
    U().finCycle = 0;
    Dessiner();
    EXPECT_EQ(U().reposAnime, 1);
    EXPECT_LE(U().compteurRepos, 12);
    EXPECT_EQ(At(HX - 1, HY - 1), FOND) << "the animated rest plays frame image";
    // Between two animated rests the still pose is frame direction x 12.
    U().reposAnime = 0;
    U().compteurRepos = 5;
    Dessiner();
    EXPECT_EQ(U().reposAnime, 0);
    EXPECT_EQ(U().compteurRepos, 5);
    EXPECT_EQ(At(HX - 1, HY - 1), Rvb(31, 31, 31));
    // Paused, the rest counter is left alone.
    JeuEnPause = 1;
    U().compteurRepos = 8;
    Dessiner();
    EXPECT_EQ(U().compteurRepos, 8);
    JeuEnPause = 0;
}

}  // namespace
