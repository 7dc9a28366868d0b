// The event and effect editor: its pages driven by input queued before they run, and the
// placing, copying and tinting they rest on.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "arbre_temporaire.h"
#include "editors/editeur_evenements.h"
#include "editors/evenements.h"
#include "foundation/ecran.h"
#include "foundation/ecran_fixture.h"
#include "foundation/entrees.h"
#include "scene/particules_effets.h"
#include "sprite_essai.h"
#include "world/maitres.h"

namespace {

constexpr int N = 3;        // the master under test, a man of one cell
constexpr int ANIM = 2;     // its animation under test: 2 positions x 3 frames

class EditeurEvenements : public FenetreJeu {
  protected:
    ArbreTemporaire arbre;
    char nom[8] = "essai";

    void SetUp() override {
        FenetreJeu::SetUp();
        QuitterJeu = 0;
        Entrees_RAZ();
        for (const char* effet : {"feu", "sang"}) {
            ListeEffets = Effet_NouveauNoeud(ListeEffets);
            std::snprintf(ListeEffets->nomEffet, sizeof ListeEffets->nomEffet, "%s", effet);
            ListeEffets->effet = new EffetParticule{};
        }
        auto* anims = new AnimationInfo[NOMBRE_ANIMATIONS]();
        for (int a = 0; a < NOMBRE_ANIMATIONS; ++a) anims[a] = {1, 1};
        anims[ANIM] = {3, 2};
        Objet& m = TableMaitres[N];
        m.famille = 0;
        m.taille = 1;
        m.animations = anims;
        m.animationParDefaut = 0;
        NomsMaitres[N] = nom;
        (*TablesObjetGfxAnimations[ANIM])[N] = 7;
        arbre.Ecrire("maitres/essai.txt", "");
        arbre.Ecrire("ini/mv.ini", "//liste_des_objets_maîtres.\r\n#define M_3 3 // essai\r\n//.\r\n");
        AnimationChargerEvenements(N, "..\\maitres\\essai.txt");   // no file: the empty table
        MaitreEdite = N;
        AnimationEditee = ANIM;
        NbImagesEditees = 3;
        NbPositionsEditees = 2;
        ObjetEditeCaseX = 4;
        ObjetEditeCaseY = 5;
        IconeChoisie = -1;
        PlanCourant = 0;
        DirectionXCourante = DirectionYCourante = 0;
    }
    void TearDown() override {
        AnimationLibererEvenements(N);
        delete[] TableMaitres[N].animations;
        TableMaitres[N] = Objet{};
        NomsMaitres[N] = nullptr;
        (*TablesObjetGfxAnimations[ANIM])[N] = 0;
        Effets_Liberation();
        FenetreJeu::TearDown();
    }
    static void Touche(uint32_t vk) {
        Plateforme_InjecterTouche(vk, true);
        Plateforme_InjecterTouche(vk, false);
    }
    static void Clic(int x, int y, bool gauche = true) {
        Plateforme_InjecterSouris(x, y);
        Plateforme_InjecterBouton(gauche, true);
        Plateforme_InjecterBouton(gauche, false);
    }
    static EvenementsImage& Image(int p, int f) { return *EdEvenementImage(N, ANIM, p, f); }
    std::string Cfg() const { return arbre.Lire("maitres/essai.cfg"); }
};

// On the editing page: a visual event of the effect in hand at a pixel, an icon taken and put on
// a free cell, "sauver": the file holds both and reads back the same.
TEST_F(EditeurEvenements, EditingPagePlacesBothKindsAndSavesThem) {
    // The object's footprint centre is (200 + 4 x 24 + 12, 96 + 5 x 24 + 12) = (308, 228).
    Clic(300, 200);              // a visual event of "sang" (the current effect) at (-8, -28)
    Clic(60, 72 + 24 * 6 + 5);   // the sword icon (kind 6)
    Clic(308 + 24, 228 + 48);    // the cell (1, 2) from the object's
    Clic(200, 32);               // "sauver"
    Touche(TOUCHE_ECHAP);
    EXPECT_EQ(EdEvenementEdition(7), -1);
    const EvenementsImage& i = Image(0, 0);
    ASSERT_NE(i.visuels, nullptr);
    EXPECT_STREQ(i.visuels->nom, "sang");
    EXPECT_EQ(i.visuels->ecartX, -8);
    EXPECT_EQ(i.visuels->ecartY, -28);
    EXPECT_EQ(i.visuels->suivant, nullptr);
    ASSERT_NE(i.concrets, nullptr);
    EXPECT_EQ(i.concrets->type, 6);
    EXPECT_EQ(i.concrets->caseX, 1);
    EXPECT_EQ(i.concrets->caseY, 2);
    const std::string cfg = Cfg();
    EXPECT_NE(cfg.find(" Anime 2\n Position 0\n Frame 0\n sang 0 -8 -28 0 0 0 //\n 6 1 2 //\n"), std::string::npos) << cfg;
    // Read back and written again, the same file.
    AnimationChargerEvenements(N, "..\\maitres\\essai.txt");
    ASSERT_EQ(AnimationSauverEvenements(N), 0);
    EXPECT_EQ(Cfg(), cfg);
}

// An icon on the object's own cell adds nothing; on a free cell twice, the second click only
// changes the kind; kind 8 asks its four sounds; a right click takes the event away.
TEST_F(EditeurEvenements, ConcreteEventsOnTheGrid) {
    EvenementsImage& i = Image(1, 2);
    IconeChoisie = 0;
    EdEvenementClicGrille(&i, 308, 228);   // the footprint
    EXPECT_EQ(i.concrets, nullptr);
    EdEvenementClicGrille(&i, 308 - 24, 228);
    for (const char* son : {"300", "301", "302", "70000"}) {
        for (const char* c = son; *c; ++c) Touche(static_cast<uint32_t>(*c));
        Touche(TOUCHE_ENTREE);
    }
    Touche('9');
    Touche(TOUCHE_ENTREE);   // 70000 is out of range: asked again
    IconeChoisie = EVENEMENT_SONS;
    EdEvenementClicGrille(&i, 308 - 24, 228);
    ASSERT_NE(i.concrets, nullptr);
    EXPECT_EQ(i.concrets->suivant, nullptr);
    EXPECT_EQ(i.concrets->type, 8);
    EXPECT_EQ(i.concrets->caseX, -1);
    EXPECT_EQ(i.concrets->caseY, 0);
    EXPECT_EQ(i.concrets->sons[0], 300);
    EXPECT_EQ(i.concrets->sons[3], 9);
    EdEvenementRetirerConcret(&i, 308 - 24 + 5, 228 + 3);
    EXPECT_EQ(i.concrets, nullptr);
    // A visual event of an effect nobody has is not added.
    IconeChoisie = -1;
    std::strcpy(EffetChoisi, "inconnu");
    EdEvenementClicGrille(&i, 300, 300);
    EXPECT_EQ(i.visuels, nullptr);
}

TEST_F(EditeurEvenements, CopyGuardsAndCopy) {
    testing::internal::CaptureStderr();
    EdEvenementCopierEffet(0, 1, N, ANIM, nullptr, 2);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("vous devez placer au moins un effet"), std::string::npos);

    EvenementsImage& source = Image(0, 1);
    source.concrets = EvenementConcret_Ajouter(source.concrets, 8);
    source.concrets->caseX = 2;
    source.concrets->sons[2] = 55;
    EvenementsImage& autre = Image(1, 1);
    autre.concrets = EvenementConcret_Ajouter(autre.concrets, 3);
    testing::internal::CaptureStderr();
    EdEvenementCopierEffet(0, 1, N, ANIM, source.concrets, 2);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Attention Position 1 Phase 1 il ya un effet"), std::string::npos);
    EXPECT_EQ(autre.concrets->suivant, nullptr);   // nothing copied

    delete autre.concrets;
    autre.concrets = nullptr;
    testing::internal::CaptureStderr();
    EdEvenementCopierEffet(0, 1, N, ANIM, source.concrets, 2);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Verification OK"), std::string::npos);
    ASSERT_NE(autre.concrets, nullptr);
    EXPECT_EQ(autre.concrets->type, 8);
    EXPECT_EQ(autre.concrets->caseX, 2);
    EXPECT_EQ(autre.concrets->sons[2], 55);
    EXPECT_EQ(Image(1, 0).concrets, nullptr);   // only that frame
}

// The plan of new visual events and of a placed one never leaves 0..2.
TEST_F(EditeurEvenements, PlanStaysWithinItsRange) {
    Plateforme_InjecterSouris(150, 445);   // the plan's row of the settings
    for (int k = 0; k < 5; ++k) Touche(TOUCHE_DROITE);
    Touche(TOUCHE_ECHAP);
    EdEvenementEdition(7);
    EXPECT_EQ(PlanCourant, 2);
    EXPECT_EQ(DirectionXCourante, 0);

    EvenementsImage& i = Image(0, 0);
    std::strcpy(EffetChoisi, "feu");
    EdEvenementClicGrille(&i, 250, 150);
    ASSERT_NE(i.visuels, nullptr);
    EXPECT_EQ(i.visuels->plan, 2);
    Touche(TOUCHE_BAS);
    Touche(TOUCHE_BAS);
    for (int k = 0; k < 4; ++k) Touche(TOUCHE_GAUCHE);
    Touche(TOUCHE_HAUT);
    Touche(TOUCHE_GAUCHE);   // DirectionY
    Touche(TOUCHE_ECHAP);
    EdEvenementPlacerEmetteur(i.visuels, 0);
    EXPECT_EQ(i.visuels->plan, 0);
    EXPECT_EQ(i.visuels->directionY, -1);
}

// The picker: names sorted; a click on "Cochon" keeps the family, one on "Bâtiment" lists the
// buildings; a click on a name gives its master.
TEST_F(EditeurEvenements, PickerSortsAndChoosesByFamily) {
    char zeta[] = "zeta", alpha[] = "alpha", alphabet[] = "alphabet", maison[] = "maison";
    NomsMaitres[10] = zeta;
    NomsMaitres[11] = alphabet;
    NomsMaitres[12] = alpha;
    NomsMaitres[13] = maison;
    TableMaitres[13].famille = 1;
    NoeudChoixObjet* l = ChoixObjet__CreationListe(0, nullptr);
    ChoixObjet__Tri(l);
    std::string ordre;
    for (NoeudChoixObjet* n = l; n; n = n->suivant) ordre += std::string(n->nom) + " ";
    EXPECT_EQ(ordre, "alpha alphabet essai zeta ");
    ChoixObjet__Liberation(l);

    Clic(400, 16 * 8 + 4);   // "Cochon"
    Clic(20, 20);            // the first row
    EXPECT_EQ(EdEvenementChoixObjet("titre"), 12);
    Clic(400, 16 * 2 + 4);   // "Bâtiment"
    Clic(20, 20);
    EXPECT_EQ(EdEvenementChoixObjet("titre"), 13);
    Touche(TOUCHE_ECHAP);
    EXPECT_EQ(EdEvenementChoixObjet("titre"), -1);
    for (int m : {10, 11, 12, 13}) {
        NomsMaitres[static_cast<size_t>(m)] = nullptr;
        TableMaitres[static_cast<size_t>(m)] = Objet{};
    }
}

// The animation page gives the chosen animation's picture, and refuses a master whose counts
// were never given.
TEST_F(EditeurEvenements, AnimationPageRefusesDefaultCounts) {
    (*TablesObjetGfxAnimations[0])[N] = 9;
    Clic(10, 10);
    EXPECT_EQ(EdEvenementPreparer(N), 9);
    EXPECT_EQ(AnimationEditee, 0);
    EXPECT_EQ(NbImagesEditees, 1);
    TableMaitres[N].animationParDefaut = 1;
    Clic(60, 60);   // elsewhere: not a double click
    testing::internal::CaptureStderr();
    EXPECT_EQ(EdEvenementPreparer(N), -1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Vous devez renseizgner le script sur le nb de frame et position"),
              std::string::npos);
    (*TablesObjetGfxAnimations[0])[N] = 0;
}

// The tint adds to the bytes of the rectangle within the screen, row by row at the screen's pitch.
TEST_F(EditeurEvenements, TintIsClippedAndUsesTheScreensPitch) {
    ASSERT_EQ(Ecran_ModeVideo(800, 600), 1);
    std::memset(EcranTampon, 0, 800 * 600 * 2);
    TeinteRectangle(795, 597, 10, 20, 3);
    TeinteRectangle(-4, -2, 4, 6, 1);
    int changes = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            if (EcranTampon[y * 800 + x]) ++changes;
    EXPECT_EQ(changes, 5 * 3 + 2 * 2);
    EXPECT_EQ(EcranTampon[599 * 800 + 799], 0x0303);
    EXPECT_EQ(EcranTampon[1 * 800 + 1], 0x0101);
    Ecran_ModeVideo(640, 480);
}

// A missing icon is said once and drawn as a square; a readable one is loaded.
TEST_F(EditeurEvenements, MissingIconsAreReportedOnceAndReplaced) {
    arbre.Ecrire("sprite/icones/ed_evenement/epee.spr", essai::FichierIndexe());
    testing::internal::CaptureStderr();
    EdEvenementChargerIcones();
    EdEvenementChargerIcones();
    const std::string erreurs = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(EdEvenementIconeChargee(6));
    EXPECT_FALSE(EdEvenementIconeChargee(0));
    size_t n = 0;
    for (size_t p = erreurs.find("Chargement du fichier sprite"); p != std::string::npos;
         p = erreurs.find("Chargement du fichier sprite", p + 1))
        ++n;
    EXPECT_EQ(n, 10u) << erreurs;
    EXPECT_NE(erreurs.find("soins.spr"), std::string::npos);
    std::memset(EcranTampon, 0, static_cast<size_t>(LargeurEcran) * HauteurEcran * 2);
    EdEvenementAfficheIcone(0, 10, 10);
    EXPECT_NE(EcranTampon[20 * LargeurEcran + 20], 0);
    EdEvenementLibererIcones();
}

}  // namespace
