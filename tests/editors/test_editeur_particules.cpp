// The particle editor page: its value steps, and its save and delete actions driven by keys
// queued before the entries run.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "arbre_temporaire.h"
#include "editors/editeur_particules.h"
#include "foundation/ecran_fixture.h"
#include "foundation/entrees.h"
#include "scene/particules.h"
#include "scene/particules_effets.h"

namespace {

// The 26 values of an effect file, as the game writes them.
const char* const VALEURS_A = " 0 0 0 -1 1 20 10 5 1 12 0 0 3 1 4 0 601 1 0 4 1.500000 0 0 0 0 10";
const char* const VALEURS_B = " 0 0 1 1 0 31 31 31 0 8 1 0 0 0 6 0 602 2 0 2 1.000000 1 0 2 1 0";
const char* const VALEURS_C = " 3 -4 0 0 1 0 0 0 2 30 3 1 1 1 9 0 603 0 0 3 0.500000 0 1 0 2 45";

class EditeurParticulesPage : public FenetreJeu {
  protected:
    ArbreTemporaire arbre;

    void SetUp() override {
        FenetreJeu::SetUp();
        QuitterJeu = 0;
        Entrees_RAZ();
        EditeurLigne = 0;
        EditeurAction = 0;
        EditeurBloque = 0;
        Particules_Initialisation();
    }
    void TearDown() override {
        Effets_Liberation();
        ListeSprite_Liberation();
        FenetreJeu::TearDown();
    }
    // Three effects; a and b may share their file.
    void Charger(bool fichierPartage = false) {
        const std::string fb = fichierPartage ? "fa" : "fb";
        arbre.Ecrire("Particules/EnteteInit.txt", " 3\n 0 a fa ..\\Particules\\ \n 1 b " + fb +
                                                      " ..\\Particules\\ \n 2 c fc ..\\Particules\\ \n");
        arbre.Ecrire("Particules/fa.txt", VALEURS_A);
        if (!fichierPartage) arbre.Ecrire("Particules/fb.txt", VALEURS_B);
        arbre.Ecrire("Particules/fc.txt", VALEURS_C);
        arbre.Ecrire("particules/ListeSprite.txt", "601 1 602 2 603 4 //\n");
        Effets_Chargement();
        ChargementSprite();
        ASSERT_EQ(NombreEffets, 3);
    }
    static void Touche(uint32_t vk) {
        Plateforme_InjecterTouche(vk, true);
        Plateforme_InjecterTouche(vk, false);
    }
    static void Taper(const std::string& texte) {
        for (char c : texte) Touche(static_cast<uint32_t>(std::toupper(static_cast<unsigned char>(c))));
        Touche(TOUCHE_ENTREE);
    }
    // One frame of the page with the given arrow pressed n times (one press per frame).
    static void Fleche(int32_t& touche, int n = 1) {
        for (int i = 0; i < n; ++i) {
            touche = 1;
            EditeurParticules(ListeEffets->effet);
        }
    }
    static void Action(int16_t action) {
        EditeurAction = action;
        ToucheF7 = 1;
        EditeurParticules(ListeEffets->effet);
    }
    std::string Entete() const { return arbre.Lire("Particules/EnteteInit.txt"); }
};

// Each line moves its value by one step within its bounds.
TEST_F(EditeurParticulesPage, ArrowsStepEachValueWithinItsBounds) {
    Charger();
    EffetParticule& e = *ListeEffets->effet;   // c
    struct Cas {
        int ligne;
        bool droite;
        int fois;
        int16_t EffetParticule::*champ;
        int16_t depart, attendu;
    } cas[] = {
        {0, false, 3, &EffetParticule::nombre, 1, 0},           {0, true, 2, &EffetParticule::nombre, 1, 3},
        {1, false, 2, &EffetParticule::dureeDeVie, 1, 0},       {2, false, 2, &EffetParticule::directionX, 1, -1},
        {4, true, 3, &EffetParticule::typePosition, 0, 1},      {8, true, 9, &EffetParticule::animation, 3, 5},
        {9, false, 9, &EffetParticule::modeCopie, 2, 0},        {10, true, 3, &EffetParticule::rouge, 30, 31},
        {12, false, 2, &EffetParticule::bleu, 1, 0},            {13, true, 9, &EffetParticule::emission, 0, 4},
        {14, true, 9, &EffetParticule::trajet, 3, 4},           {15, true, 2, &EffetParticule::pasAngle, 359, 360},
        {15, false, 2, &EffetParticule::pasAngle, 1, 0},        {16, true, 4, &EffetParticule::typeVitesse, 0, 1},
        {18, true, 5, &EffetParticule::plan, 0, 2},             {18, false, 5, &EffetParticule::plan, 2, 0},
        {19, true, 3, &EffetParticule::repere, 0, 1},           {20, false, 3, &EffetParticule::naissanceDifferee, 2, 0},
        {21, true, 3, &EffetParticule::typeVie, 0, 1},          {7, true, 3, &EffetParticule::vent, 0, 1},
    };
    for (const Cas& c : cas) {
        EditeurLigne = c.ligne;
        e.*c.champ = c.depart;
        Fleche(c.droite ? ToucheDroite : ToucheGauche, c.fois);
        EXPECT_EQ(e.*c.champ, c.attendu) << "ligne " << c.ligne;
    }
    // The relative position moves only while it is "CONSTANT RELATIVE", and is 0 otherwise.
    EditeurLigne = 5;
    e.typePosition = 1;
    e.positionRelativeX = 3;
    Fleche(ToucheDroite, 2);
    EXPECT_EQ(e.positionRelativeX, 5);
    e.typePosition = 0;
    Fleche(ToucheDroite);
    EXPECT_EQ(e.positionRelativeX, 0);
    // The speed moves by tenths, not below 0, and only for "UNIFORME".
    EditeurLigne = 17;
    e.typeVitesse = 0;
    e.vitesse = 0.25f;
    Fleche(ToucheGauche, 4);
    EXPECT_EQ(e.vitesse, 0.0f);
    Fleche(ToucheDroite);
    EXPECT_NEAR(e.vitesse, 0.1f, 1e-6);
    e.typeVitesse = 1;
    Fleche(ToucheDroite);
    EXPECT_NEAR(e.vitesse, 0.1f, 1e-6);
    // Space empties the count on any line; a blocked editor ignores the arrows.
    ToucheEspace = 1;
    EditeurParticules(&e);
    EXPECT_EQ(e.nombre, 0);
    EditeurBloque = 1;
    EditeurLigne = 18;
    e.plan = 1;
    Fleche(ToucheDroite);
    EXPECT_EQ(e.plan, 1);
    // Down has no upper bound; past the last line the arrows change nothing.
    EditeurBloque = 0;
    EditeurLigne = 24;
    Fleche(ToucheBas, 3);
    EXPECT_EQ(EditeurLigne, 27);
    const EffetParticule avant = e;
    Fleche(ToucheDroite);
    EXPECT_EQ(std::memcmp(&avant, &e, sizeof e), 0);
    EditeurLigne = 0;
    Fleche(ToucheHaut);
    EXPECT_EQ(EditeurLigne, 0);
}

// The appearance line walks the list and reads the effect again from its file; the sprite line
// walks the sprite list and applies the node's values, again at an end.
TEST_F(EditeurParticulesPage, EffectAndSpriteLinesWalkTheirLists) {
    Charger();
    ListeEffets->effet->nombre = 77;   // c, not saved
    EditeurLigne = 22;
    Fleche(ToucheGauche);
    EXPECT_STREQ(ListeEffets->nomEffet, "b");
    Fleche(ToucheDroite, 3);
    EXPECT_STREQ(ListeEffets->nomEffet, "c");
    EXPECT_EQ(ListeEffets->effet->nombre, 9);   // read again from fc.txt

    EffetParticule& e = *ListeEffets->effet;
    EditeurLigne = 24;
    Fleche(ToucheDroite);   // already on the last node: its values again
    EXPECT_EQ(e.sprite, 603);
    EXPECT_EQ(e.nombreFrames, 4);
    Fleche(ToucheGauche);
    EXPECT_EQ(e.sprite, 602);
    EXPECT_EQ(e.nombreFrames, 2);
}

// Saving under the current name rewrites its file with the value changed, and only that value.
TEST_F(EditeurParticulesPage, SaveRewritesTheEffectFileWithTheChangedValue) {
    Charger();
    EditeurLigne = 0;
    Fleche(ToucheDroite);   // nombre 9 -> 10
    Taper("c");
    Action(0);
    std::string attendu = VALEURS_C;
    attendu.replace(attendu.find(" 9 0 603"), 8, " 10 0 603");
    EXPECT_EQ(arbre.Lire("Particules/fc.txt"), attendu);
    EXPECT_EQ(Entete(), " 3\n 0 a fa ..\\Particules\\ \n 1 b fb ..\\Particules\\ \n 2 c fc ..\\Particules\\ \n");
    EXPECT_FALSE(arbre.Existe("Particules/fc.txt.tmp"));
    // Read back, the record is the one on the page.
    const EffetParticule page = *ListeEffets->effet;
    EffetParticule lu{};
    Effet_Chargement(&lu, "fc", "..\\Particules\\");
    EXPECT_EQ(std::memcmp(&lu, &page, sizeof lu), 0);
}

// A new name asks for a file name, creates the file and a header line numbered with the old
// count; a name keeps 19 characters.
TEST_F(EditeurParticulesPage, SaveUnderANewNameAddsAnEffect) {
    Charger();
    ListeEffets->effet->dureeDeVie = 44;
    Taper("nouveau");
    Taper(std::string(25, 'f'));
    Action(0);
    EXPECT_EQ(NombreEffets, 4);
    ASSERT_NE(ListeEffets, nullptr);
    EXPECT_STREQ(ListeEffets->nomEffet, "nouveau");
    EXPECT_EQ(ListeEffets->numero, 3);
    EXPECT_EQ(ListeEffets->suivant, nullptr);
    EXPECT_EQ(ListeEffets->effet->dureeDeVie, 44);
    const std::string fichier = std::string(19, 'f');
    EXPECT_STREQ(ListeEffets->nomFichier, fichier.c_str());
    EXPECT_TRUE(arbre.Existe("Particules/" + fichier + ".txt"));
    EXPECT_NE(Entete().find(" 3 nouveau " + fichier + " ..\\Particules\\ \n"), std::string::npos) << Entete();
    EXPECT_EQ(Entete().rfind(" 4\n", 0), 0u);
}

// Saving under the name of another effect puts the page's values into that effect.
TEST_F(EditeurParticulesPage, SaveUnderAnotherEffectsNameWritesThePageIntoIt) {
    Charger();
    ListeEffets->effet->dureeDeVie = 55;   // c on the page
    Taper("a");
    Action(0);
    EXPECT_STREQ(ListeEffets->nomEffet, "a");
    EXPECT_EQ(ListeEffets->effet->dureeDeVie, 55);
    EffetParticule lu{};
    Effet_Chargement(&lu, "fa", "..\\Particules\\");
    EXPECT_EQ(lu.dureeDeVie, 55);
}

TEST_F(EditeurParticulesPage, NamesThatAreNotOneWordAreRefused) {
    Charger();
    const std::string entete = Entete();
    for (const char* nom : {"", "a b", "x/y"}) {
        for (const char* c = nom; *c; ++c)
            Touche(*c == ' ' ? TOUCHE_ESPACE : *c == '/' ? TOUCHE_PAVE_SLASH : static_cast<uint32_t>(std::toupper(*c)));
        Touche(TOUCHE_ENTREE);
        testing::internal::CaptureStderr();
        Action(0);
        EXPECT_NE(testing::internal::GetCapturedStderr().find("Nom incorrect"), std::string::npos) << nom;
    }
    EXPECT_EQ(NombreEffets, 3);
    EXPECT_EQ(Entete(), entete);
}

// Deleting the second of three: its file goes, the third is renumbered 1 and the cursor is on
// the last; the deleted record stays readable for the handles that hold it.
TEST_F(EditeurParticulesPage, DeleteRenumbersAndKeepsTheRecordForItsHandles) {
    Charger();
    ListeEffets = ListeEffets->precedent;   // b
    EffetParticule* poignee = ListeEffets->effet;
    Taper("o");
    Action(1);
    EXPECT_EQ(NombreEffets, 2);
    EXPECT_FALSE(arbre.Existe("Particules/fb.txt"));
    EXPECT_STREQ(ListeEffets->nomEffet, "c");
    EXPECT_EQ(ListeEffets->numero, 1);
    EXPECT_EQ(Entete(), " 2\n 0 a fa ..\\Particules\\ \n 1 c fc ..\\Particules\\ \n");
    EXPECT_EQ(poignee->sprite, 602);   // still alive
    EXPECT_EQ(AdresseEffet(ListeEffets, "a"), ListeEffets->precedent->effet);
}

// An answer "n" keeps the effect; a file another effect reads is kept; the last effect stays.
TEST_F(EditeurParticulesPage, DeleteGuards) {
    Charger(true);
    ListeEffets = ListeEffets->precedent;   // b, which reads fa.txt as a does
    Taper("N");
    Action(1);
    EXPECT_EQ(NombreEffets, 3);
    Taper("o");
    Action(1);
    EXPECT_EQ(NombreEffets, 2);
    EXPECT_TRUE(arbre.Existe("Particules/fa.txt"));
    Taper("o");
    Action(1);   // c
    EXPECT_EQ(NombreEffets, 1);
    EXPECT_FALSE(arbre.Existe("Particules/fc.txt"));
    Taper("o");
    testing::internal::CaptureStderr();
    Action(1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("impossible de supprimer l'effet car c'est le dernier"),
              std::string::npos);
    EXPECT_EQ(NombreEffets, 1);
    EXPECT_STREQ(ListeEffets->nomEffet, "a");
    EXPECT_TRUE(arbre.Existe("Particules/fa.txt"));
}

// F8 on the page emits the current effect at the mouse into the effect's plan.
TEST_F(EditeurParticulesPage, F8EmitsTheCurrentEffectIntoItsPlan) {
    Charger();
    SourisX = 300;
    SourisY = 200;
    ToucheF8 = 1;
    EditeurParticules__Trame(1);   // c: 9 particles into plan 2
    EXPECT_EQ(NombreParticules2, 9);
    EXPECT_EQ(PlanParticules2[0].pointEmissionX, 300);
    EXPECT_EQ(EmissionTest, 0);
    ListeEffets->effet->plan = 7;   // no such plan: nothing
    ToucheF8 = 1;
    EditeurParticules__Trame(1);
    EXPECT_EQ(NombreParticules0 + NombreParticules1 + NombreParticules2, 9);
}

}  // namespace
