// The building editor's pieces without its loop: "edbat.txt", opening a building, the edits of
// the modes, the object-code slots, saving, the TGA export and the hot-spot calibration.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "arbre_temporaire.h"
#include "editors/editeur_batiment.h"
#include "foundation/entrees.h"
#include "foundation/objetsgfx.h"
#include "platform/octets.h"
#include "platform/plateforme.h"
#include "sprite_essai.h"
#include "world/descriptions.h"
#include "world/maitres.h"

namespace {

const char* const OCP_2x3 =
    "LARGEURHAUTEUR\n2 3\n"
    "OCCUPATIONSOL\n1 0 \n1 1 \n0 1 \n\n"
    "OCCUPATIONAIR\n0 0 \n5 0 \n0 0 \n\n"
    "PRIORITE\n1 2 \n3 4 \n5 6 \n\n"
    "AIR\n0 0 \n0 0 \n0 7 \n\n"
    "ZONE\n9 9 \n9 9 \n9 9 \n\n"
    "SELECTION\n1 1 \n1 1 \n1 1 \n\n"
    "OPTIMISATION\n0 0 \n0 0 \n0 0 \n\n"
    "ELEMENTS 1\n"
    "1 40 10 -5 1 0 \n0 0 0 0 0 0 \n0 0 0 0 0 0 \n0 0 0 0 0 0 \n0 0 0 0 0 0 \n0 0 0 0 0 0 \n"
    "0 0 0 0 0 0 \n0 0 0 0 0 0 \n0 0 0 0 0 0 \n0 0 0 0 0 0 \n0 0 0 0 0 0 \n\n"
    "CODESOBJETS 3\n3 1 2 0 0 \n4 0 1 20 6 \n2 1 1 7 0 \n";

// A description file of largeur x hauteur cells, every grid 0, no element nor code.
std::string Ocp(int largeur, int hauteur) {
    std::string s = "LARGEURHAUTEUR\n" + std::to_string(largeur) + " " + std::to_string(hauteur) + "\n";
    for (const char* g : {"OCCUPATIONSOL", "OCCUPATIONAIR", "PRIORITE", "AIR", "ZONE", "SELECTION", "OPTIMISATION"}) {
        s += std::string(g) + "\n";
        for (int i = 0; i < largeur * hauteur; ++i) s += "0 ";
        s += "\n";
    }
    s += "ELEMENTS 0\n";
    for (int e = 0; e < 11; ++e) s += "0 0 0 0 0 0\n";
    s += "CODESOBJETS 0\n";
    return s;
}

class EditeurBatimentEssai : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    void SetUp() override {
        Plateforme_Initialiser(OptionsPlateforme{});
        Entrees_RAZ();
        ModeEditeur = 0;
        RepereEditeurX = RepereEditeurY = 0;
        DeplacementRepere = 0;
        PasDeCalageX = PasDeCalageY = 1;
        NumeroElementEditeur = 0;
        SourisX = SourisY = 0;
        BoutonGauche = BoutonDroit = ClicGauche = ClicDroitEtat = 0;
    }
    void TearDown() override {
        for (int o = 0; o < 3; ++o) {
            Batiment__LibereGrilles(Batiment__Description(42, o));
            Batiment__LibereGrilles(Batiment__Description(52, o));
        }
        EditeurBatiment__FinCalibration();
        Entrees_RAZ();
    }
    DescriptionBatiment& Ouvrir(const std::string& ocp, int maitre = 42) {
        arbre.Ecrire("Batiment/00" + std::to_string(maitre) + "t.ocp", ocp);
        arbre.Ecrire("Batiment/00" + std::to_string(maitre) + "t.txt", "1 5 6\n2 7 8\n");
        BatimentEdite = maitre;
        EditeurBatiment__Ouvrir(1);
        return *DescriptionBatimentCourante;
    }
    // One turn of the mode's input.
    void Tour(int32_t& touche) {
        touche = 1;
        EditeurBatiment__Touches();
        EditeurBatiment__Edition();
    }
};

TEST_F(EditeurBatimentEssai, EdbatLuEtReecritAvecLaPremiereLigneGardee) {
    int32_t premiere = -1, maitre = -1;
    EditeurBatiment__LireEdbat(&premiere, &maitre);   // missing: the default, never a fatal report
    EXPECT_EQ(premiere, 0);
    EXPECT_EQ(maitre, EDITEUR_BATIMENT_DEFAUT);
    arbre.Ecrire("ini/edbat.txt", "3\n120\n");
    EditeurBatiment__LireEdbat(&premiere, &maitre);
    EXPECT_EQ(premiere, 3);
    EXPECT_EQ(maitre, 120);
    ASSERT_TRUE(EditeurBatiment__EcrireEdbat(77));
    EXPECT_EQ(arbre.Lire("ini/edbat.txt"), "3\n77\n");
    EXPECT_FALSE(arbre.Existe("ini/edbat.txt.tmp"));
    // A master outside the tables opens the default one.
    arbre.Ecrire("ini/edbat.txt", "4\n60000\n");
    EditeurBatiment__LireEdbat(&premiere, &maitre);
    EXPECT_EQ(premiere, 4);
    EXPECT_EQ(maitre, EDITEUR_BATIMENT_DEFAUT);
}

TEST_F(EditeurBatimentEssai, OuvertureDansLesGrillesDeCentSurCent) {
    DescriptionBatiment& d = Ouvrir(OCP_2x3);
    EXPECT_EQ(&d, Batiment__Description(42, 1));
    EXPECT_EQ(d.largeur, 2);
    EXPECT_EQ(d.hauteur, 3);
    EXPECT_GE(d.capaciteGrilles, 100 * 100);
    EXPECT_EQ(d.calage[0][0], 5);
    EXPECT_EQ(d.codeObjet[1], 4);
    // Past the footprint: the zone grid 1, every other grid 0.
    for (int i = 6; i < 100 * 100; ++i) {
        ASSERT_EQ(d.zone[i], 1) << i;
        ASSERT_EQ(d.occupationSol[i] | d.priorite[i] | d.selection[i] | d.optimisation[i], 0) << i;
    }
    EXPECT_EQ(d.zone[0], 9);
}

// The grids hold 100 x 100 cells: a larger footprint is refused, never edited past them.
TEST_F(EditeurBatimentEssai, LargeurAuDelaDeCentRefusee) {
    DescriptionBatiment& d = Ouvrir(Ocp(120, 2));
    EXPECT_EQ(d.largeur, 1);
    EXPECT_EQ(d.hauteur, 1);
    EXPECT_GE(d.capaciteGrilles, 100 * 100);
    DescriptionBatiment& e = Ouvrir(Ocp(100, 3));
    EXPECT_EQ(e.largeur, 100);
    EXPECT_EQ(e.hauteur, 3);
}

TEST_F(EditeurBatimentEssai, TouchesCommunes) {
    Ouvrir(OCP_2x3);
    Tour(ToucheP);
    EXPECT_EQ(PasDeCalageX, 50);
    EXPECT_EQ(PasDeCalageY, 50);
    Tour(ToucheP);
    EXPECT_EQ(PasDeCalageX, 1);
    EXPECT_EQ(PasDeCalageY, 1);
    const int32_t image2 = CouchesEditeur[1];
    Tour(ToucheF3);
    EXPECT_EQ(CouchesEditeur[1], !image2);
    Tour(ToucheF3);
    Tour(Touche7);
    EXPECT_EQ(NumeroElementEditeur, 7);
    // Ctrl: the arrows move the view and edit nothing.
    ModeEditeur = 0;
    Tour(ToucheCtrl);
    Tour(ToucheDroite);
    EXPECT_EQ(RepereEditeurX, 1);
    EXPECT_EQ(DescriptionBatimentCourante->calage[0][0], 5);
    Tour(ToucheCtrl);
    Tour(ToucheGauche);
    EXPECT_EQ(RepereEditeurX, 1);
    EXPECT_EQ(DescriptionBatimentCourante->calage[0][0], 4);
}

TEST_F(EditeurBatimentEssai, CalagesParModeEtCalageGlobal) {
    DescriptionBatiment& d = Ouvrir(OCP_2x3);
    struct Cas {
        int mode, paire;
    };
    for (Cas c : {Cas{0, 0}, Cas{1, 1}, Cas{2, 2}, Cas{3, 3}, Cas{4, 4}, Cas{5, 5}, Cas{16, 6}, Cas{17, 7}, Cas{21, 8}}) {
        ModeEditeur = c.mode;
        const int x = d.calage[c.paire][0], y = d.calage[c.paire][1];
        Tour(ToucheP);   // step 50
        Tour(ToucheDroite);
        Tour(ToucheP);   // step 1
        Tour(ToucheHaut);
        EXPECT_EQ(d.calage[c.paire][0], x + 50) << c.mode;
        EXPECT_EQ(d.calage[c.paire][1], y - 1) << c.mode;
    }
    // Mode 22 moves every pair and elements 0 to 8.
    ModeEditeur = 22;
    const int x0 = d.calage[0][0], x8 = d.calage[8][0], e0 = d.elementX[0];
    Tour(ToucheDroite);
    EXPECT_EQ(d.calage[0][0], x0 + 1);
    EXPECT_EQ(d.calage[8][0], x8 + 1);
    EXPECT_EQ(d.elementX[0], e0 + 1);
}

TEST_F(EditeurBatimentEssai, LargeurBorneeParMode) {
    DescriptionBatiment& d = Ouvrir(OCP_2x3);
    ModeEditeur = 9;
    for (int i = 0; i < 30; ++i) Tour(ToucheDroite);
    EXPECT_EQ(d.largeur, 20);
    for (int i = 0; i < 30; ++i) Tour(ToucheBas);
    EXPECT_EQ(d.hauteur, 16);
    ModeEditeur = 6;
    for (int i = 0; i < 100; ++i) Tour(ToucheDroite);
    EXPECT_EQ(d.largeur, 100);
    for (int i = 0; i < 200; ++i) Tour(ToucheGauche);
    EXPECT_EQ(d.largeur, 1);
}

TEST_F(EditeurBatimentEssai, PeintureTenueOuParClicEtHorsEmprise) {
    DescriptionBatiment& d = Ouvrir(OCP_2x3);
    auto cellule = [&](int32_t* g, int c, int l) { return g[c + l * d.largeur]; };
    // Mode 8: the left button held paints every cell passed over.
    ModeEditeur = 8;
    for (int i = 0; i < 6; ++i) d.priorite[i] = 0;
    BoutonGauche = 1;
    ClicGauche = 1;
    SourisX = 10, SourisY = 10;
    EditeurBatiment__Edition();
    SourisX = 30, SourisY = 58;
    EditeurBatiment__Edition();
    BoutonGauche = 0;
    EXPECT_EQ(cellule(d.priorite, 0, 0), 1);
    EXPECT_EQ(cellule(d.priorite, 1, 2), 1);
    EXPECT_EQ(cellule(d.priorite, 1, 0), 0);
    // Mode 7: only the cell first clicked.
    ModeEditeur = 7;
    BoutonDroit = 1;
    ClicDroitEtat = 1;
    SourisX = 10, SourisY = 10;
    EditeurBatiment__Edition();
    SourisX = 30, SourisY = 10;
    EditeurBatiment__Edition();
    BoutonDroit = 0;
    EXPECT_EQ(cellule(d.occupationAir, 0, 0), 1);
    EXPECT_EQ(cellule(d.occupationAir, 1, 0), 0);
    // Outside the footprint nothing is written, in the grid's spare cells either.
    ModeEditeur = 6;
    BoutonDroit = 1;
    SourisX = 24 * 2 + 5, SourisY = 5;   // column 2 of a building 2 wide
    EditeurBatiment__Edition();
    SourisX = 5, SourisY = 24 * 3 + 5;   // row 3 of 3
    EditeurBatiment__Edition();
    SourisX = -5;
    EditeurBatiment__Edition();
    BoutonDroit = 0;
    for (int i = 6; i < 100 * 100; ++i) ASSERT_EQ(d.occupationSol[i], 0) << i;
    EXPECT_EQ(cellule(d.occupationSol, 1, 0), 0);
}

TEST_F(EditeurBatimentEssai, ElementPlaceAuClicEtTourne) {
    DescriptionBatiment& d = Ouvrir(OCP_2x3);
    ModeEditeur = 20;
    NumeroElementEditeur = 0;
    RepereEditeurX = 2;
    RepereEditeurY = 1;
    SourisX = 100, SourisY = 50;
    ClicGauche = 1;
    EditeurBatiment__Edition();
    EXPECT_EQ(d.elementX[0], 148);
    EXPECT_EQ(d.elementY[0], 74);
    // Arrows act on the element even while the view moves.
    DeplacementRepere = 1;
    Tour(ToucheGauche);
    EXPECT_EQ(d.elementX[0], 147);
    EXPECT_EQ(RepereEditeurX, 2);
    // Nature 1 turns 1, 2, 0.
    for (int attendu : {2, 0, 1}) {
        ClicDroitEtat = 1;
        EditeurBatiment__Edition();
        EXPECT_EQ(d.elementDirection[0], attendu);
    }
}

TEST_F(EditeurBatimentEssai, CodesObjetsEtTeleporteur) {
    DescriptionBatiment& d = Ouvrir(OCP_2x3);
    auto slot = [&](int s) {
        return std::vector<int>{d.codeObjet[s], d.codeX[s], d.codeY[s], d.codeParam1[s], d.codeParam2[s]};
    };
    // Slot 2 becomes a teleporter (1, 2) to (5, 6): its return link in slot 3, the old slot 2's
    // code moved... the slot itself is written over, the later slots move up one.
    const std::vector<int> ancien3 = slot(3);
    ASSERT_TRUE(CodeObjet__Appliquer(2, 1, 1, 2, 5, 6));
    EXPECT_EQ(slot(2), (std::vector<int>{1, 1, 2, 5, 6}));
    EXPECT_EQ(slot(3), (std::vector<int>{1, 5, 6, 1, 2}));
    EXPECT_EQ(slot(4), ancien3);
    // Full table: the last code is lost.
    for (int s = 0; s < 12; ++s) d.codeObjet[s] = static_cast<int16_t>(3), d.codeX[s] = static_cast<int16_t>(s);
    ASSERT_TRUE(CodeObjet__Appliquer(0, 1, 0, 0, 1, 1));
    EXPECT_EQ(d.codeX[11], 10);   // the old slot 10 moved up, the old slot 11 gone
    // On the last slot there is no room for the link: refused, nothing changed.
    const std::vector<int> dernier = slot(11), avant = slot(10);
    EXPECT_FALSE(CodeObjet__Appliquer(11, 1, 0, 0, 1, 1));
    EXPECT_EQ(slot(11), dernier);
    EXPECT_EQ(slot(10), avant);
    // Code 0 deletes the slot: the later ones move down, the last cleared.
    const std::vector<int> suivant = slot(5);
    ASSERT_TRUE(CodeObjet__Appliquer(4, 0, 0, 0, 0, 0));
    EXPECT_EQ(slot(4), suivant);
    EXPECT_EQ(slot(11), (std::vector<int>{0, 0, 0, 0, 0}));
    // Descriptions.
    char texte[160] = "inchangé";
    d.codeObjet[0] = 4, d.codeX[0] = 1, d.codeY[0] = 2, d.codeParam1[0] = 20, d.codeParam2[0] = 6;
    CodeObjet__Description(0, texte, sizeof texte);
    EXPECT_STREQ(texte, "Préplaceur de persos de type 20 ( direction 6 ) sur la case (1,2)");
    std::snprintf(texte, sizeof texte, "%s", "inchangé");
    d.codeObjet[0] = 9;
    CodeObjet__Description(0, texte, sizeof texte);
    EXPECT_STREQ(texte, "inchangé");
}

// The trace of the object codes: one report a used slot, an unknown code with no description.
TEST_F(EditeurBatimentEssai, TraceDesCodesObjets) {
    DescriptionBatiment& d = Ouvrir(OCP_2x3);
    d.codeObjet[4] = 9;
    testing::internal::CaptureStderr();
    CodeObjet__Trace();
    const std::string sortie = testing::internal::GetCapturedStderr();
    size_t depuis = 0;
    // The standard error has the reports in UTF-8.
    for (const char* rapport : {"Description du code objet n\xC2\xB0" "0: Porte sur la case (1,2)\n",
                                "Description du code objet n\xC2\xB0" "1: Pr\xC3\xA9placeur de persos de type 20 ( direction 6 ) sur la case (0,1)\n",
                                "Description du code objet n\xC2\xB0" "2: G\xC3\xA9n\xC3\xA9rateur de monstres de type 7\nsur la case (1,1)\n",
                                "Description du code objet n\xC2\xB0" "4: \n"}) {
        const size_t p = sortie.find(rapport, depuis);
        ASSERT_NE(p, std::string::npos) << rapport << "\nin:\n" << sortie;
        depuis = p + 1;
    }
    EXPECT_EQ(sortie.find("n\xC2\xB0" "3"), std::string::npos);   // a free slot is not reported
    EXPECT_EQ(arbre.Lire("Erreur.txt"), "Description du code objet n°4: ");   // the last report
}

// Escape in a nature list is a cancel: -2, never a nature nor a code, and
// the editor stays open.
TEST_F(EditeurBatimentEssai, EchapDansUneListeAnnule) {
    Ouvrir(OCP_2x3);
    FermetureEditeur = 0;
    ToucheEchap = 1;
    EXPECT_EQ(Element__SelectionNature("Sélection de la nature de l'élèment"), -2);
    ToucheEchap = 1;
    EXPECT_EQ(CodeObjet__Liste("Sélection de la nature de l'objet"), -2);
    EXPECT_EQ(FermetureEditeur, 0);
}

// A calage moved and saved changes the calage file only; the description comes back as it was.
TEST_F(EditeurBatimentEssai, SauvegardeDuCalageSeul) {
    const std::filesystem::path source = std::filesystem::path(MORVANE_SOURCE_DIR) / "data" / "Batiment";
    const std::string ocp = LireFichier(source / "0052t.ocp"), txt = LireFichier(source / "0052t.txt");
    arbre.Ecrire("Batiment/0052t.ocp", ocp);
    arbre.Ecrire("Batiment/0052t.txt", txt);
    BatimentEdite = 52;
    EditeurBatiment__Ouvrir(1);
    ModeEditeur = 1;
    Tour(ToucheDroite);
    Tour(ToucheDroite);
    DescriptionBatimentCourante->elementPhase[0] = 5;   // the preview animated the flag
    ASSERT_TRUE(EditeurBatiment__Sauvegarde());
    EXPECT_EQ(arbre.Lire("Batiment/0052t.ocp"), ocp);
    std::string attendu = txt;
    const size_t ligne2 = attendu.find("\n2 ") + 1;
    const size_t fin = attendu.find('\n', ligne2);
    const std::string avant = attendu.substr(ligne2, fin - ligne2);
    int c, x, y;
    ASSERT_EQ(std::sscanf(avant.c_str(), "%d %d %d", &c, &x, &y), 3);
    attendu.replace(ligne2, fin - ligne2, "2 " + std::to_string(x + 2) + " " + std::to_string(y));
    EXPECT_EQ(arbre.Lire("Batiment/0052t.txt"), attendu);
    for (const auto& e : std::filesystem::directory_iterator(arbre.Racine() / "Batiment"))
        EXPECT_EQ(e.path().extension() == ".tmp" || e.path().extension() == ".old", false) << e.path();
}

// A save that cannot be written leaves both files as they were.
TEST_F(EditeurBatimentEssai, SauvegardeImpossibleLaisseLesFichiers) {
    DescriptionBatiment& d = Ouvrir(OCP_2x3);
    d.calage[0][0] = 99;
    std::filesystem::create_directory(arbre.Racine() / "Batiment" / "0042t.txt.tmp");   // the temporary cannot be made
    EXPECT_FALSE(EditeurBatiment__Sauvegarde());
    EXPECT_EQ(arbre.Lire("Batiment/0042t.ocp"), OCP_2x3);
    EXPECT_EQ(arbre.Lire("Batiment/0042t.txt"), "1 5 6\n2 7 8\n");
    EXPECT_FALSE(arbre.Existe("Batiment/0042t.ocp.tmp"));
}

class SpriteBatiment : public EditeurBatimentEssai {
  protected:
    int gfx = 7;
    int32_t ancienGfx = -1;
    char* ancienNom = nullptr;
    std::string nom = "figures\\essai";
    void SetUp() override {
        EditeurBatimentEssai::SetUp();
        ancienGfx = ObjetGfx_ANIM__ARA[52];
        ObjetGfx_ANIM__ARA[52] = gfx;
        ancienNom = TableObjetsGfx[static_cast<size_t>(gfx)].fichierSprite;
        TableObjetsGfx[static_cast<size_t>(gfx)].fichierSprite = nom.data();
    }
    void TearDown() override {
        ObjetGfx_ANIM__ARA[52] = ancienGfx;
        TableObjetsGfx[static_cast<size_t>(gfx)].fichierSprite = ancienNom;
        EditeurBatimentEssai::TearDown();
    }
};

TEST_F(SpriteBatiment, TgaDuBatimentEtTgaImpossible) {
    EXPECT_EQ(Tga__NomBatiment(1, 52), "..\\spredit\\batiments\\figures\\essaiT001.tga");
    const std::vector<uint16_t> pixels(4 * 3, essai::Rvb(31, 0, 0));
    ASSERT_TRUE(Tga__SauvegardeBatiment(pixels.data(), 4, 3, 1, 52));
    const std::string tga = arbre.Lire("spredit/batiments/figures/essaiT001.tga");
    ASSERT_EQ(tga.size(), 18u + 4 * 3 * 4 + 3558);
    EXPECT_EQ(tga[2], 2);
    EXPECT_EQ(tga[16], 32);
    EXPECT_EQ(static_cast<uint8_t>(tga[18 + 2]), 248);   // BGRA: red
    // A folder in the picture's place: skipped with a warning, nothing else.
    std::filesystem::create_directories(arbre.Racine() / "spredit/batiments/figures/essai001D.tga");
    ObjetGfx_ANIM__ARE[52] = gfx;
    EXPECT_FALSE(Tga__SauvegardeBatiment(pixels.data(), 4, 3, 0, 52));
    ObjetGfx_ANIM__ARE[52] = -1;
    // No graphic object: no name, no picture.
    EXPECT_EQ(Tga__NomBatiment(2, 52), "");
}

// The hot spot of every frame of a calibrated file is moved by exactly the shift; the rest of
// the file is as it was.
TEST_F(SpriteBatiment, CalibrationAllerRetour) {
    const std::string fichier = essai::FichierIndexe();
    const std::string chemin = EditeurBatiment__CheminCalibration(1, 52);
    EXPECT_EQ(chemin, "..\\spredit\\batiments\\figures\\essait.SPR");
    arbre.Ecrire("spredit/batiments/figures/essait.SPR", fichier);
    ASSERT_TRUE(Sprite__Calibrer(chemin.c_str(), 3, -2));
    const std::string apres = arbre.Lire("spredit/batiments/figures/essait.SPR");
    ASSERT_EQ(apres.size(), fichier.size());
    ASSERT_EQ(Octets_Lire16(reinterpret_cast<const uint8_t*>(apres.data()) + 16), 2);
    // The file as it was, with each frame's hot spot and its copy moved.
    std::string attendu = fichier;
    auto* m = reinterpret_cast<uint8_t*>(attendu.data()) + 8;
    const size_t table = 24 + 4 * static_cast<size_t>(Octets_Lire16(m + 10));
    for (int i = 0; i < 2; ++i) {
        uint8_t* f = m + Octets_Lire32(m + table + 4 * i);
        const int x = Octets_LireS16(f + 4), y = Octets_LireS16(f + 6);
        EXPECT_EQ(Octets_LireS16(f + 8), x);
        Octets_Ecrire16(f + 4, static_cast<uint16_t>(x + 3));
        Octets_Ecrire16(f + 8, static_cast<uint16_t>(x + 3));
        Octets_Ecrire16(f + 6, static_cast<uint16_t>(y - 2));
        Octets_Ecrire16(f + 10, static_cast<uint16_t>(y - 2));
    }
    EXPECT_EQ(apres, attendu);
    // Not a sprite file, or a missing one: refused, left as it was.
    arbre.Ecrire("spredit/batiments/figures/essaid.SPR", "SPRTESK1court");
    EXPECT_FALSE(Sprite__Calibrer("..\\spredit\\batiments\\figures\\essaid.SPR", 1, 1));
    EXPECT_EQ(arbre.Lire("spredit/batiments/figures/essaid.SPR"), "SPRTESK1court");
    EXPECT_FALSE(Sprite__Calibrer("..\\spredit\\batiments\\figures\\absent.SPR", 1, 1));
    EXPECT_FALSE(arbre.Existe("spredit/batiments/figures/absent.SPR"));
}

TEST_F(SpriteBatiment, CalibrationFlechesEtPas) {
    arbre.Ecrire("spredit/batiments/figures/essait.SPR", essai::FichierIndexe());
    arbre.Ecrire("Batiment/0052t.ocp", OCP_2x3);
    arbre.Ecrire("Batiment/0052t.txt", "1 0 0\n");
    BatimentEdite = 52;
    EditeurBatiment__Ouvrir(1);
    ModeEditeur = 25;
    EditeurBatiment__Calibration();   // loads
    Touche5 = 1;
    EditeurBatiment__Calibration();
    EXPECT_EQ(CalibrationPas, 5);
    for (int i = 0; i < 2; ++i) {
        ToucheGauche = 1;
        EditeurBatiment__Calibration();
    }
    EXPECT_EQ(CalibrationDx, 10);
    Touche0 = 1;
    EditeurBatiment__Calibration();
    ToucheBas = 1;
    EditeurBatiment__Calibration();
    EXPECT_EQ(CalibrationDy, -10);
    ToucheEntree = 1;
    EditeurBatiment__Calibration();   // saved: the file's frames moved by (10, -10)
    const std::vector<uint8_t> m = essai::EnMemoire(arbre.Lire("spredit/batiments/figures/essait.SPR"));
    const std::vector<uint8_t> o = essai::EnMemoire(essai::FichierIndexe());
    const size_t table = 24 + 4 * static_cast<size_t>(Octets_Lire16(o.data() + 10));
    const uint8_t* fo = o.data() + Octets_Lire32(o.data() + table);
    const uint8_t* fm = m.data() + Octets_Lire32(m.data() + table);
    EXPECT_EQ(Octets_LireS16(fm + 4), Octets_LireS16(fo + 4) + 10);
    EXPECT_EQ(Octets_LireS16(fm + 6), Octets_LireS16(fo + 6) - 10);
    // The next turn loads the file again, from no shift.
    EditeurBatiment__Calibration();
    EXPECT_EQ(CalibrationDx, 0);
}

}  // namespace
