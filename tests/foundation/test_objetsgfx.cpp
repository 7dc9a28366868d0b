#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "arbre_temporaire.h"
#include "foundation/ecran.h"
#include "foundation/objetsgfx.h"
#include "foundation/sprites.h"
#include "frontend/bestiaire.h"
#include "platform/plateforme.h"
#include "sprite_essai.h"
#include "world/objets.h"
#include "world/univers.h"

namespace {

using essai::Rvb;

struct FinProgramme : std::runtime_error {
    int code;
    explicit FinProgramme(int c) : std::runtime_error("fin"), code(c) {}
};

constexpr uint16_t FOND = Rvb(10, 10, 10);

// A mv.ini list: "#define NAME n // file" for each (number, file).
std::string Liste(const std::vector<std::pair<int, std::string>>& entrees, bool fin = true) {
    std::string s = "// objets\n//liste_des_objets.\n";
    for (auto& [n, f] : entrees) s += "#define OBJ_" + std::to_string(n) + " " + std::to_string(n) + " // " + f + "\n";
    if (fin) s += "//.\n";
    return s;
}

class ObjetsGfx : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    std::vector<uint16_t> ecran;
    Objet objet{};

    void SetUp() override {
        Plateforme_Initialiser(OptionsPlateforme{});
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        const uint8_t format[7] = {1, 10, 3, 5, 3, 0, 3};
        ASSERT_EQ(SprDll_Init(12, format, nullptr), 0);
        // A 64 x 48 back buffer: the view is one 48-pixel tile wide.
        ecran.assign(64 * 48, FOND);
        EcranTampon = ecran.data();
        Ecran__Geometrie(64, 48);
        arbre.Ecrire("sprite/test.spr", essai::FichierIndexe());
        arbre.Ecrire("sprite/bleu.spr", essai::FichierDirect(2, 2, Rvb(0, 0, 31)));
        arbre.Ecrire("sprite/faux.spr", "SPRTESK2" + essai::FichierIndexe().substr(8));
        objet.couleur[0] = ' ';   // no team tint
        ObjetCourant = &objet;
    }
    void TearDown() override {
        ObjetsGfx_Liberation();
        ObjetCourant = nullptr;
    }
    int Creer(const std::string& liste) {
        arbre.Ecrire("INI/MV.ini", liste);
        return CreationDeLalIsteDesObjetsGfx();
    }
    uint16_t At(int x, int y) const { return ecran[static_cast<size_t>(y) * 64 + x]; }
    void Effacer() { std::fill(ecran.begin(), ecran.end(), FOND); }
    std::string Rapport() const { return arbre.Existe("Erreur.txt") ? arbre.Lire("Erreur.txt") : ""; }
    void OublierRapport() const { std::remove((arbre.Racine() / "Erreur.txt").c_str()); }
};

TEST_F(ObjetsGfx, ListIsReadInOrder) {
    EXPECT_EQ(Creer(Liste({{0, "test"}, {1, "bleu"}, {2, "test"}})), 3);
    EXPECT_EQ(NbObjetsGfx, 3);
    EXPECT_STREQ(TableObjetsGfx[1].nom, "OBJ_1");
    EXPECT_STREQ(TableObjetsGfx[1].fichierSprite, "bleu");
    EXPECT_EQ(TableObjetsGfx[1].sprite, nullptr);   // loaded on first use only
    EXPECT_EQ(Rapport(), "");
    EXPECT_EQ(DonneNomObjetGraphique("OBJ_2"), 2);
    EXPECT_EQ(DonneNomObjetGraphique("ABSENT"), 0);
}

TEST_F(ObjetsGfx, NumberingGapAsksAndGoesOn) {
    // 5 at index 5 is silent; 7 at index 5 asks with 4 and 5.
    EXPECT_EQ(Creer(Liste({{0, "test"}, {1, "test"}, {2, "test"}, {3, "test"}, {4, "test"}, {5, "bleu"}})), 6);
    EXPECT_EQ(Rapport(), "");
    EXPECT_EQ(Creer(Liste({{0, "test"}, {1, "test"}, {2, "test"}, {3, "test"}, {4, "test"}, {7, "bleu"}, {8, "test"}})), 7);
    EXPECT_EQ(Rapport(), "CreationDeLalIsteDesObjetsGfx(): MV.INI: Suite 5 - 6, Erreur de numérotation!");
    OublierRapport();
    EXPECT_EQ(Creer(Liste({{0, "test"}, {1, "test"}, {2, "test"}, {3, "test"}, {4, "test"}, {7, "bleu"}})), 6);
    EXPECT_EQ(Rapport(), "CreationDeLalIsteDesObjetsGfx(): MV.INI: Suite 4 - 5, Erreur de numérotation!");
    EXPECT_STREQ(TableObjetsGfx[5].fichierSprite, "bleu");   // the entry took the next slot
}

TEST_F(ObjetsGfx, MissingTerminatorStopsAtTheEndOfTheFile) {
    EXPECT_EQ(Creer(Liste({{0, "test"}, {1, "bleu"}}, false)), 2);
    EXPECT_EQ(Rapport(), "CreationDeLalIsteDesObjetsGfx(): MV.INI: \"//.\" non trouvé après 2 objets");
    // A last entry cut short.
    OublierRapport();
    EXPECT_EQ(Creer("//liste_des_objets.\n#define A 0 // test\n#define B 1\n"), 1);
    EXPECT_NE(Rapport().find("Format non respecté"), std::string::npos);
}

TEST_F(ObjetsGfx, AWordIsCutAt511CharactersAndItsRestIsTheNextWord) {
    const std::string nom(511, 'N');
    // Whole, then one character longer: that character is the number.
    for (const std::string& ligne : {"#define " + nom + " 0 // test\n", "#define " + nom + "0 // test\n"}) {
        SCOPED_TRACE(ligne.size());
        EXPECT_EQ(Creer("//liste_des_objets.\n" + ligne + "//.\n"), 1);
        EXPECT_EQ(TableObjetsGfx[0].nom, nom);
        EXPECT_STREQ(TableObjetsGfx[0].fichierSprite, "test");
        EXPECT_EQ(Rapport(), "");
    }
}

TEST_F(ObjetsGfx, MoreThanTheTableHoldsIsRefused) {
    std::vector<std::pair<int, std::string>> entrees;
    for (int i = 0; i < NOMBRE_OBJETS_GFX + 3; ++i) entrees.emplace_back(i, "test");
    EXPECT_EQ(Creer(Liste(entrees)), NOMBRE_OBJETS_GFX);
    EXPECT_NE(Rapport().find("plus de 1500 objets graphiques"), std::string::npos);
}

TEST_F(ObjetsGfx, NumbersOutsideTheTableDrawAndLoadNothing) {
    Creer(Liste({{0, "test"}}));
    for (int n : {-1, -2, 1, 1499, 1500, 100000}) {
        Sprite__Affiche(n, 2, 2, 0);
        Sprite__AfficheTrs(n, 2, 2, 0, 31);
        Sprite__AfficheTrs50(n, 2, 2, 0);
        Sprite__AfficheEclaire(static_cast<int16_t>(n), 2, 2, 0, 31, 31, 31);
        Sprite__AfficheOmbreRGB(static_cast<int16_t>(n), 2, 2, 0, 31, 31, 31);
        Sprite__AfficheOmbre(static_cast<int16_t>(n), 2, 2, 0);
        ObjetGfx_Ombre(n, 5);
        ObjetGfx_CouleurJoueur(n, 3);
    }
    for (uint16_t p : ecran) ASSERT_EQ(p, FOND);
    EXPECT_EQ(TableObjetsGfx[0].sprite, nullptr);
}

TEST_F(ObjetsGfx, LazyLoadAndReloadAfterFreeing) {
    Creer(Liste({{0, "test"}, {1, "bleu"}}));
    Sprite__Affiche(0, 2, 2, 0);
    ASSERT_NE(TableObjetsGfx[0].sprite, nullptr);
    EXPECT_EQ(TableObjetsGfx[0].cleCouleur, -1);
    EXPECT_EQ(TableObjetsGfx[0].niveauOmbre, 31);   // the level a sprite is drawn at as loaded
    EXPECT_EQ(At(1, 1), Rvb(31, 31, 31));
    std::memcpy(objet.couleur, "\x1F\x00\x00", 4);
    ObjetGfx_CouleurJoueur(0, 7);
    ObjetGfx_Ombre(0, 10);
    EXPECT_EQ(TableObjetsGfx[0].cleCouleur, 7);
    EXPECT_EQ(TableObjetsGfx[0].niveauOmbre, 10);
    Sprite__Affiche(0, 2, 2, 0);
    EXPECT_EQ(At(1, 1), Rvb(31 * 10 / 31, 0, 0));
    ObjetsGfx_LiberationSprites();
    EXPECT_EQ(TableObjetsGfx[0].sprite, nullptr);
    EXPECT_STREQ(TableObjetsGfx[0].nom, "OBJ_0");   // names stay
    Effacer();
    Sprite__Affiche(0, 2, 2, 0);
    EXPECT_EQ(TableObjetsGfx[0].cleCouleur, -1);
    EXPECT_EQ(TableObjetsGfx[0].niveauOmbre, 31);   // the level a sprite is drawn at as loaded
    EXPECT_EQ(At(1, 1), Rvb(31, 31, 31));   // the palette as in the file
}

TEST_F(ObjetsGfx, ShadeClampsSkipsRepeatsAndSeesAFreshLoad) {
    Creer(Liste({{0, "test"}}));
    ObjetGfx_Ombre(0, 40);
    EXPECT_EQ(TableObjetsGfx[0].niveauOmbre, 31);
    ObjetGfx_Ombre(0, -5);
    EXPECT_EQ(TableObjetsGfx[0].niveauOmbre, 0);
    // A fresh load is drawn as in its file: a first shade of 0 must still darken it.
    ObjetsGfx_LiberationSprites();
    Sprite__Affiche(0, 2, 2, 0);
    ObjetGfx_Ombre(0, 0);
    Effacer();
    Sprite__Affiche(0, 2, 2, 0);
    EXPECT_EQ(At(1, 1), Rvb(0, 0, 0));
    // Shading an object not yet loaded, then back to 31: the colours must come back.
    ObjetsGfx_LiberationSprites();
    ObjetGfx_Ombre(0, 10);
    ObjetGfx_Ombre(0, 31);
    Sprite__Affiche(0, 2, 2, 0);
    EXPECT_EQ(At(1, 1), Rvb(31, 31, 31));
}

TEST_F(ObjetsGfx, ShadeLevel31IsTheFileAndLevel0TheDarkest) {
    // Trees, decors in daylight and regiment tokens are drawn at 31: exactly as in their file.
    Creer(Liste({{0, "test"}, {1, "bleu"}}));
    constexpr uint16_t VIDE = Rvb(3, 17, 9);   // a colour no sprite pixel has
    auto dessin = [&](int n) {
        std::fill(ecran.begin(), ecran.end(), VIDE);
        Sprite__Affiche(n, 2, 2, 0);
    };
    for (int n : {0, 1}) {
        dessin(n);
        const std::vector<uint16_t> fichier = ecran;
        for (int niveau : {31, 0}) {
            ObjetGfx_Ombre(n, niveau);
            dessin(n);
            for (size_t i = 0; i < ecran.size(); ++i) {
                if (niveau == 31) ASSERT_EQ(ecran[i], fichier[i]) << n << " " << i;
                else ASSERT_EQ(ecran[i], fichier[i] == VIDE ? VIDE : Rvb(0, 0, 0)) << n << " " << i;
            }
        }
    }
}

TEST_F(ObjetsGfx, PlayerColourOnlyWhenTheObjectHasOne) {
    Creer(Liste({{0, "test"}}));
    ObjetGfx_CouleurJoueur(0, 4);   // a blank first byte: nothing, not even a load
    EXPECT_EQ(TableObjetsGfx[0].sprite, nullptr);
    std::memcpy(objet.couleur, "\x00\x1F\x00", 4);
    ObjetGfx_CouleurJoueur(0, 4);
    ObjetGfx_CouleurJoueur(0, 4);
    EXPECT_EQ(TableObjetsGfx[0].cleCouleur, 4);
    Sprite__Affiche(0, 2, 2, 0);
    EXPECT_EQ(At(1, 1), Rvb(0, 31, 0));
    EXPECT_EQ(At(3, 1), Rvb(31, 0, 0));   // index 32 lies outside the player's range
}

TEST_F(ObjetsGfx, LitAndShadedLevelsAreClamped) {
    Creer(Liste({{0, "test"}}));
    auto dessin = [&](auto appel) {
        Effacer();
        appel();
        return ecran;
    };
    EXPECT_EQ(dessin([] { Sprite__AfficheEclaire(0, 2, 2, 0, 40, 40, 40); }),
              dessin([] { Sprite__AfficheEclaire(0, 2, 2, 0, 31, 31, 31); }));
    EXPECT_EQ(dessin([] { Sprite__AfficheEclaire(0, 2, 2, 0, -3, -3, -31); }), dessin([] {}));
    EXPECT_EQ(dessin([] { Sprite__AfficheOmbreRGB(0, 2, 2, 0, 99, -1, 31); }),
              dessin([] { Sprite__AfficheOmbreRGB(0, 2, 2, 0, 31, 0, 31); }));
    dessin([] { Sprite__AfficheOmbre(0, 2, 2, 0); });
    EXPECT_EQ(At(1, 1), Rvb(170 / 31, 170 / 31, 170 / 31));
    EXPECT_EQ(At(2, 1), FOND);
}

TEST_F(ObjetsGfx, FailedLoadAsksOnceUntilFreed) {
    Creer(Liste({{0, "faux"}}));
    Sprite__Affiche(0, 2, 2, 0);
    EXPECT_EQ(Rapport(), "Spr_Load(): Chargement du fichier sprite ..\\sprite\\faux.spr");
    EXPECT_EQ(TableObjetsGfx[0].sprite, nullptr);
    OublierRapport();
    Sprite__Affiche(0, 2, 2, 0);
    ObjetGfx_Ombre(0, 3);
    EXPECT_EQ(Rapport(), "");   // not asked again
    for (uint16_t p : ecran) ASSERT_EQ(p, FOND);
    ObjetsGfx_LiberationSprites();
    Sprite__Affiche(0, 2, 2, 0);
    EXPECT_NE(Rapport(), "");   // asked again after the sprites were freed
}

TEST_F(ObjetsGfx, MissingSpriteFileEndsTheProgram) {
    Creer(Liste({{0, "absent"}}));
    try {
        Sprite__Affiche(0, 2, 2, 0);
        FAIL() << "no report";
    } catch (const FinProgramme& fin) {
        EXPECT_EQ(fin.code, 1);
    }
    EXPECT_EQ(Rapport(), "Fichier_Ouverture(): fichier non trouvé : ..\\sprite\\absent.spr");
}

TEST_F(ObjetsGfx, DrawingClipsToTheView) {
    Creer(Liste({{0, "bleu"}}));
    Sprite__Affiche(0, 47, 10, 0);   // the view is 48 wide on this 64-wide screen
    EXPECT_EQ(At(47, 10), Rvb(0, 0, 31));
    EXPECT_EQ(At(48, 10), FOND);
}

// Mended: a clip bottom below the back buffer (a stale or wrong rectangle) stops at the buffer's
// last row, as the right edge stops at the pitch; it used to write past the buffer.
TEST_F(ObjetsGfx, ClipBottomPastTheBufferStopsAtItsLastRow) {
    Creer(Liste({{0, "bleu"}}));
    EcranDestination.clipBas = 480;
    EcranDestination.clipDroite = 640;
    for (int y : {47, 48, 49, 100, 479}) Sprite__Affiche(0, 10, y, 0);
    int bleus = 0;
    for (int x = 0; x < 64; ++x) bleus += At(x, 47) == Rvb(0, 0, 31);
    EXPECT_EQ(bleus, 2);   // the frames at 47 and 48 reach the last row
}

TEST_F(ObjetsGfx, KeywordTable) {
    EXPECT_EQ(ObjetGraphique("MORVANE___PD"), 339);
    EXPECT_EQ(ObjetGraphique("MORVANE___DP"), 339);
    EXPECT_EQ(ObjetGraphique("SORNET"), 123);
    EXPECT_EQ(ObjetGraphique("MACHINE___BELIER"), 140);
    try {
        ObjetGraphique("LICORNE");
        FAIL() << "no report";
    } catch (const FinProgramme& fin) {
        EXPECT_EQ(fin.code, 1);
    }
    EXPECT_EQ(Rapport(), "ObjetGraphique(): Il faut ajouter LICORNE");
}

TEST_F(ObjetsGfx, LineAndColumnFillsAreClipped) {
    Ecran__RemplitLigne(-5, 3, 100, 255);
    for (int x = 0; x < 64; ++x) EXPECT_EQ(At(x, 3), 0xFFFF);
    EXPECT_EQ(At(0, 4), FOND);
    Ecran__RemplitColonne(63, -10, 1000, 0);
    for (int y = 0; y < 48; ++y) EXPECT_EQ(At(63, y), 0);
    Ecran__RemplitLigne(0, 48, 10, 0);
    Ecran__RemplitLigne(0, -1, 10, 0);
    Ecran__RemplitColonne(64, 0, 10, 0);
    Ecran__RemplitColonne(5, 5, -3, 0);
    EXPECT_EQ(At(5, 5), FOND);
}

TEST_F(ObjetsGfx, BestiaryFreesSpritesAndGivesTheClipBack) {
    Creer(Liste({{0, "test"}}));
    Sprite__Affiche(0, 2, 2, 0);
    BestiaireSauverClip();
    EcranDestination.clipDroite = 64;
    EcranDestination.clipBas = 48;
    BestiaireLiberer();
    EXPECT_EQ(EcranDestination.clipDroite, 48);
    EXPECT_EQ(TableObjetsGfx[0].sprite, nullptr);
    // Without a saved rectangle the clip is left as it is.
    EcranDestination.clipDroite = 30;
    BestiaireLiberer();
    EXPECT_EQ(EcranDestination.clipDroite, 30);
}

TEST_F(ObjetsGfx, SampleListNumbersEveryObjectInOrder) {
    std::ifstream in(std::string(MORVANE_SOURCE_DIR) + "/data/ini/mv.ini", std::ios::binary);
    std::string contenu((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(contenu.empty());
    const int n = Creer(contenu);
    EXPECT_GE(n, 1371);
    EXPECT_EQ(Rapport(), "");
    EXPECT_STREQ(TableObjetsGfx[15].fichierSprite, "police");
    EXPECT_STREQ(TableObjetsGfx[19].fichierSprite, "curseur");
    EXPECT_STREQ(TableObjetsGfx[791].fichierSprite, "boite_message");
    EXPECT_STREQ(TableObjetsGfx[794].fichierSprite, "boutons_ouinon");
    EXPECT_STREQ(TableObjetsGfx[1294].fichierSprite, "bulle");
}

}  // namespace
