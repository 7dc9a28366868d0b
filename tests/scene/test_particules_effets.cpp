#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "arbre_temporaire.h"
#include "foundation/ecran_fixture.h"   // FinProgramme
#include "editors/evenements.h"
#include "platform/plateforme.h"
#include "scene/particules_effets.h"

namespace {

// The 26 values of an effect file, one word each.
std::string Valeurs(int base, const std::string& vitesse = "1.5") {
    std::string s;
    for (int i = 0; i < 20; ++i) s += " " + std::to_string(base + i);
    s += " " + vitesse;
    for (int i = 20; i < 25; ++i) s += " " + std::to_string(base + i);
    return s;
}

class Effets : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;

    void SetUp() override {
        Plateforme_Initialiser(OptionsPlateforme{});
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
    }
    void TearDown() override {
        Effets_Liberation();
        ListeSprite_Liberation();
        Plateforme_Fermer();
    }
    std::string Rapport() const { return arbre.Existe("Erreur.txt") ? arbre.Lire("Erreur.txt") : ""; }
    void OublierRapport() const { std::filesystem::remove(arbre.Racine() / "Erreur.txt"); }

    // A header of the given lines (count first) and an effect file per distinct file name.
    void Entete(const std::string& texte) { arbre.Ecrire("Particules/EnteteInit.txt", texte); }
    void Effet(const std::string& fichier, const std::string& texte) {
        arbre.Ecrire("Particules/" + fichier + ".txt", texte);
    }
    void TroisEffets() {
        Entete(" 3\n 0 sang sang1 ..\\Particules\\ \n 1 feu feu ..\\particules\\ \r\n 2 neige neige ..\\Particules\\ \n");
        Effet("sang1", Valeurs(100));
        Effet("feu", Valeurs(200));
        Effet("neige", Valeurs(300));
    }
};

TEST_F(Effets, HeaderBuildsTheListWithEachEffectReadFromItsFile) {
    TroisEffets();
    Effets_Chargement();
    EXPECT_EQ(Rapport(), "");
    EXPECT_EQ(NombreEffets, 3);
    ASSERT_NE(ListeEffets, nullptr);
    EXPECT_STREQ(ListeEffets->nomEffet, "neige");
    EXPECT_EQ(ListeEffets->suivant, nullptr);
    ASSERT_NE(ListeEffets->precedent, nullptr);
    NoeudEffet* tete = ListeEffets->precedent->precedent;
    ASSERT_NE(tete, nullptr);
    EXPECT_EQ(tete->precedent, nullptr);
    EXPECT_EQ(tete->numero, 0);
    EXPECT_STREQ(tete->nomFichier, "sang1");
    EXPECT_STREQ(tete->repertoire, "..\\Particules\\");
    EXPECT_STREQ(tete->suivant->repertoire, "..\\particules\\");

    // The first and the last values, and the speed, of every record.
    int base = 100;
    for (NoeudEffet* n = tete; n; n = n->suivant, base += 100) {
        ASSERT_NE(n->effet, nullptr);
        EXPECT_EQ(n->effet->positionRelativeX, base);
        EXPECT_EQ(n->effet->positionRelativeY, base + 1);
        EXPECT_EQ(n->effet->directionX, base + 2);
        EXPECT_EQ(n->effet->nombreFrames, base + 19);
        EXPECT_FLOAT_EQ(n->effet->vitesse, 1.5f);
        EXPECT_EQ(n->effet->typeVitesse, base + 20);
        EXPECT_EQ(n->effet->pasAngle, base + 24);
    }

    // The search starts from the head whatever node it is given.
    EXPECT_EQ(AdresseEffet(ListeEffets, "sang"), tete->effet);
    EXPECT_EQ(AdresseEffet(tete, "neige"), ListeEffets->effet);
    EXPECT_EQ(Rapport(), "");
}

TEST_F(Effets, UnknownNameIsReportedWithTheLastNodeAndGivesNone) {
    TroisEffets();
    Effets_Chargement();
    MaitreEvenementsCourant = 42;
    EXPECT_EQ(AdresseEffet(ListeEffets->precedent, "Sang"), nullptr);   // the comparison keeps case
    EXPECT_EQ(Rapport(), "Zek_Particules AdresseEffet(): L'effet n'existe plus :  <Sang> <neige> <..\\Particules\\> <42>");
}

TEST_F(Effets, WrittenEffectReadsBackTheSame) {
    EffetParticule e{};
    e.positionRelativeX = -7;
    e.positionRelativeY = 123456;
    e.directionX = -2;
    e.rouge = 31;
    e.nombre = 12;
    e.sprite = 1300;
    e.vitesse = 1.5f;
    e.typeVitesse = 1;
    e.animation = 5;
    e.pasAngle = 360;
    std::filesystem::create_directories(arbre.Racine() / "Particules");
    Effet_Sauvegarde(&e, "essai", "..\\Particules\\");
    EXPECT_EQ(arbre.Lire("Particules/essai.txt"),
              " -7 123456 -2 0 0 31 0 0 0 0 0 0 0 0 12 0 1300 0 0 0 1.500000 1 0 0 5 360");
    EffetParticule relu{};
    Effet_Chargement(&relu, "essai", "..\\Particules\\");
    EXPECT_EQ(relu.positionRelativeY, 123456);
    EXPECT_EQ(relu.pasAngle, 360);
    Effet_Sauvegarde(&relu, "relu", "..\\Particules\\");
    EXPECT_EQ(arbre.Lire("Particules/relu.txt"), arbre.Lire("Particules/essai.txt"));
    EXPECT_EQ(Rapport(), "");
}

TEST_F(Effets, HeaderIsWrittenFromTheHead) {
    TroisEffets();
    Effets_Chargement();
    Effets_SauvegardeEntete(ListeEffets);
    EXPECT_EQ(arbre.Lire("Particules/EnteteInit.txt"),
              " 3\n 0 sang sang1 ..\\Particules\\ \n 1 feu feu ..\\particules\\ \n 2 neige neige ..\\Particules\\ \n");
}

TEST_F(Effets, SecondLoadKeepsTheFirstListsEffectsAlive) {
    TroisEffets();
    Effets_Chargement();
    EffetParticule* ancien = AdresseEffet(ListeEffets, "feu");
    ASSERT_NE(ancien, nullptr);
    Effet("feu", Valeurs(900));
    Effets_Chargement();
    EffetParticule* nouveau = AdresseEffet(ListeEffets, "feu");
    ASSERT_NE(nouveau, nullptr);
    EXPECT_NE(nouveau, ancien);
    Effets_Liberation();   // the current list only
    EXPECT_EQ(ListeEffets, nullptr);
    EXPECT_EQ(ancien->positionRelativeX, 200);   // read under the address sanitizer
}

TEST_F(Effets, SpriteListStopsAtTheMarkerOrTheEndAndAppends) {
    arbre.Ecrire("particules/ListeSprite.txt", "12 4 13 1 // end 99 9\n");
    ChargementSprite();
    ASSERT_NE(ListeSprites, nullptr);
    EXPECT_EQ(ListeSprites->codeGraphique, 13);
    EXPECT_EQ(ListeSprites->nombreFrames, 1);
    ASSERT_NE(ListeSprites->precedent, nullptr);
    EXPECT_EQ(ListeSprites->precedent->codeGraphique, 12);
    EXPECT_EQ(ListeSprites->precedent->nombreFrames, 4);
    EXPECT_EQ(ListeSprites->precedent->precedent, nullptr);

    // No marker: the reader stops at the end of the file; the pairs go after those in place.
    arbre.Ecrire("particules/ListeSprite.txt", "20 2\r\n21 3\r\n22");
    ChargementSprite();
    int n = 0;
    for (NoeudSprite* s = ListeSprites; s; s = s->precedent) ++n;
    EXPECT_EQ(n, 4);
    EXPECT_EQ(ListeSprites->codeGraphique, 21);
    ListeSprite_Liberation();
    EXPECT_EQ(ListeSprites, nullptr);
}

TEST_F(Effets, MissingSpriteListEndsTheProgram) {
    try {
        ChargementSprite();
        FAIL() << "the program went on";
    } catch (const FinProgramme& f) {
        EXPECT_EQ(f.code, 1);
    }
    EXPECT_EQ(Rapport(), "ChargementSprite() (zek part): fichier <particules\\ListeSprite.txt> non trouvé");
}

TEST_F(Effets, MissingHeaderLeavesAnEmptyListAndHarmlessLookUps) {
    Effets_Chargement();
    EXPECT_EQ(Rapport(), "editeur de particules 1: impossible de trouver le fichier : ..\\Particules\\EnteteInit.txt");
    EXPECT_EQ(ListeEffets, nullptr);
    EXPECT_EQ(NombreEffets, 0);
    OublierRapport();
    Effets_AdressesScene();
    EXPECT_EQ(EffetSang1, nullptr);
    EXPECT_EQ(AdresseEffet(nullptr, nullptr), nullptr);
    EXPECT_EQ(Rapport(), "");
}

// A bad effect file is reported and leaves its record empty; the others load.
TEST_F(Effets, BadEffectFilesLeaveTheirRecordEmpty) {
    struct Cas {
        const char* nom;
        const char* contenu;   // nullptr: no file
        const char* rapport;
    };
    const Cas cas[] = {
        {"absent", nullptr, "editeur de particules: impossible de trouver fichier d'effet"},
        {"court", " 1 2 3", "editeur de particules: Format non respecté : ..\\Particules\\mauvais.txt"},
        {"mot", " 1 2 3 x 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 1.0 1 2 3 4 5",
         "editeur de particules: Format non respecté : ..\\Particules\\mauvais.txt"},
        {"trop grand", " 1 2 3 40000 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 1.0 1 2 3 4 5",
         "editeur de particules: Format non respecté : ..\\Particules\\mauvais.txt"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        OublierRapport();
        std::filesystem::remove(arbre.Racine() / "Particules/mauvais.txt");
        Entete(" 2\n 0 mauvais mauvais ..\\Particules\\ \n 1 bon bon ..\\Particules\\ \n");
        Effet("bon", Valeurs(1));
        if (c.contenu) Effet("mauvais", c.contenu);
        Effets_Chargement();
        EXPECT_EQ(Rapport(), c.rapport);
        EffetParticule* mauvais = AdresseEffet(ListeEffets, "mauvais");
        ASSERT_NE(mauvais, nullptr);
        EXPECT_EQ(mauvais->positionRelativeX, 0);
        EXPECT_EQ(mauvais->nombre, 0);
        EffetParticule* bon = AdresseEffet(ListeEffets, "bon");
        ASSERT_NE(bon, nullptr);
        EXPECT_EQ(bon->positionRelativeX, 1);
    }
}

// A header cut short or holding a name longer than 49 characters keeps the lines before.
TEST_F(Effets, BadHeaderKeepsTheLinesBefore) {
    const std::string long50(50, 'a');
    const std::string long49(49, 'b');
    struct Cas {
        std::string entete;
        int16_t nombre;
        std::string rapport;
    };
    const Cas cas[] = {
        {" 3\n 0 un un ..\\Particules\\ \n 1 deux deux ..\\Particules\\ \n", 2,
         "editeur de particules 1: Format non respecté : ..\\Particules\\EnteteInit.txt"},
        {" 2\n 0 un un ..\\Particules\\ \n 1 " + long50 + " deux ..\\Particules\\ \n", 1,
         "editeur de particules 1: Format non respecté : ..\\Particules\\EnteteInit.txt"},
        {" 2\n 0 un un ..\\Particules\\ \n 1 " + long49 + " deux ..\\Particules\\ \n", 2, ""},
        {" -4\n", 0, "editeur de particules 1: Format non respecté : ..\\Particules\\EnteteInit.txt"},
        {"", 0, "editeur de particules 1: Format non respecté : ..\\Particules\\EnteteInit.txt"},
    };
    Effet("un", Valeurs(1));
    Effet("deux", Valeurs(2));
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.entete);
        OublierRapport();
        Entete(c.entete);
        Effets_Chargement();
        EXPECT_EQ(Rapport(), c.rapport);
        EXPECT_EQ(NombreEffets, c.nombre);
        int n = 0;
        for (NoeudEffet* e = ListeEffets; e; e = e->precedent) ++n;
        EXPECT_EQ(n, c.nombre);
        if (c.nombre > 0) {
            EXPECT_NE(AdresseEffet(ListeEffets, "un"), nullptr);
        }
    }
}

// The sample tree's particle files: every fixed effect is found, with no report.
TEST_F(Effets, SampleDataHoldsEveryFixedEffect) {
    std::filesystem::copy(std::filesystem::path(MORVANE_SOURCE_DIR) / "data/particules", arbre.Racine() / "particules",
                          std::filesystem::copy_options::recursive);
    ChargementSprite();
    EXPECT_NE(ListeSprites, nullptr);
    Effets_Chargement();
    Effets_AdressesDemarrage();
    Effets_Chargement();
    Effets_AdressesScene();
    EXPECT_EQ(Rapport(), "");
    for (EffetParticule* e : {EffetNeige, EffetNeige2, EffetFleches, EffetFlechesOmbre, EffetSang1, EffetSang5,
                              EffetBenediction, EffetFumeeMaison, EffetFlammeVasque, EffetOrdreDpl, EffetOrdreAtt,
                              EffetEclair, EffetPluieDeFeu, EffetBouleFeu2, EffetSoins, EffetBoom, EffetSoins2})
        ASSERT_NE(e, nullptr);
    // Each sample effect emits something and draws a sprite of the sprite list.
    for (NoeudEffet* n = ListeEffets; n; n = n->precedent) {
        SCOPED_TRACE(n->nomEffet);
        EXPECT_GT(n->effet->nombre, 0);
        EXPECT_GT(n->effet->nombreFrames, 0);
        bool offert = false;
        for (NoeudSprite* s = ListeSprites; s; s = s->precedent) offert |= s->codeGraphique == n->effet->sprite;
        EXPECT_TRUE(offert);
    }
}

}  // namespace
