#include <filesystem>

#include "arbre_temporaire.h"
#include "ecran_fixture.h"
#include "foundation/entrees.h"

namespace {

class Entrees : public FenetreJeu {
  protected:
    static void Touche(uint32_t vk) { Message_Envoyer(FenetrePrincipale, MSG_TOUCHE_ENFONCEE, vk, 1); }
};

TEST_F(Entrees, RetourAvecEtSansSaisie) {
    Touche(13);
    EXPECT_EQ(ToucheEntree, 1);
    EXPECT_EQ(SaisieValidee, 0);
    EXPECT_EQ(ToucheEntreeTexte, 1);
    ToucheEntree = ToucheEntreeTexte = 0;
    SaisieEnCours = 1;
    Touche(13);
    EXPECT_EQ(ToucheEntree, 1);
    EXPECT_EQ(SaisieValidee, 1);
    EXPECT_EQ(ToucheEntreeTexte, 1);
}

TEST_F(Entrees, TableDesTouches) {
    struct Cas {
        uint32_t vk;
        int32_t* drapeau;
        int32_t caractere;
    };
    const Cas cas[] = {
        {53, &Touche5, '5'},     {101, &Touche5, '5'},        {48, &Touche0, '0'},   {105, &Touche9, '9'},
        {65, &ToucheA, 'a'},     {90, &ToucheZ, 'z'},         {32, &ToucheEspace, ' '}, {106, &ToucheEtoile, '*'},
        {107, &TouchePlus, '+'}, {109, &ToucheMoins, '-'},    {111, &ToucheSlash, '/'}, {27, &ToucheEchap, 0},
        {112, &ToucheF1, 0},     {121, &ToucheF10, 0},        {46, &ToucheSuppr, 0},  {8, &ToucheRetourArriere, 0},
    };
    for (const Cas& c : cas) {
        Entrees_RAZ();
        Touche(c.vk);
        EXPECT_EQ(*c.drapeau, 1) << c.vk;
        EXPECT_EQ(ToucheCaractere, c.caractere) << c.vk;
    }
    // F11, F12 and keys outside the table are ignored.
    Entrees_RAZ();
    for (uint32_t vk : {122u, 123u, 189u, 255u, 300u}) Touche(vk);
    EXPECT_EQ(ToucheF11, 0);
    EXPECT_EQ(ToucheF12, 0);
    EXPECT_EQ(ToucheCaractere, 0);
    Touche(65);
    EXPECT_EQ(ToucheAMarque, 1);
}

TEST_F(Entrees, RemiseAZeroLaisseLaSourisEtLaSaisie) {
    Message_Envoyer(FenetrePrincipale, MSG_GAUCHE_ENFONCE, 1, Plateforme_PackPosition(10, 20));
    Touche(65);
    Touche(17);
    SaisieEnCours = SaisieValidee = ToucheEntreeTexte = 1;
    ToucheCtrlEtat = ToucheF11 = ToucheReserve1 = 1;
    Entrees_RAZ();
    EXPECT_EQ(ToucheA, 0);
    EXPECT_EQ(ToucheCtrl, 0);
    EXPECT_EQ(ToucheCaractere, 0);
    EXPECT_EQ(ToucheCtrlEtat, 0);
    EXPECT_EQ(ToucheF11, 0);
    EXPECT_EQ(ToucheReserve1, 0);
    EXPECT_EQ(ToucheAMarque, 1);
    EXPECT_EQ(SaisieEnCours, 1);
    EXPECT_EQ(SaisieValidee, 1);
    EXPECT_EQ(ToucheEntreeTexte, 1);
    EXPECT_EQ(BoutonGauche, 1);
    EXPECT_EQ(ClicGauche, 1);
    EXPECT_EQ(SourisX, 10);
}

TEST_F(Entrees, BoutonsEtEtatDePlacement) {
    EXPECT_EQ(SourisX, 320);
    EXPECT_EQ(SourisY, 200);
    ClicDroitEtat = 2;
    Message_Envoyer(FenetrePrincipale, MSG_DROIT_ENFONCE, 2, Plateforme_PackPosition(1, 1));
    EXPECT_EQ(ClicDroitEtat, 1);
    EXPECT_EQ(BoutonDroit, 1);
    ClicDroitEtat = 2;
    Message_Envoyer(FenetrePrincipale, MSG_GAUCHE_ENFONCE, 1, Plateforme_PackPosition(33, 44));
    EXPECT_EQ(ClicDroitEtat, 0);
    EXPECT_EQ(BoutonGaucheEtat, 1);
    EXPECT_EQ(SourisX, 33);
    EXPECT_EQ(SourisY, 44);
    Glissement = 1;
    Message_Envoyer(FenetrePrincipale, MSG_GAUCHE_RELACHE, 0, 0);
    EXPECT_EQ(BoutonGaucheEtat, -1);
    EXPECT_EQ(BoutonGauche, 0);
    EXPECT_EQ(Glissement, 0);
    Glissement = 1;
    Message_Envoyer(FenetrePrincipale, MSG_DROIT_RELACHE, 0, 0);
    EXPECT_EQ(BoutonDroit, 0);
    EXPECT_EQ(Glissement, 0);
    Message_Envoyer(FenetrePrincipale, MSG_SOURIS_DEPLACEMENT, 0, Plateforme_PackPosition(639, 479));
    EXPECT_EQ(SourisX, 639);
    EXPECT_EQ(SourisY, 479);
}

// Windows' order for a double click: down, up, double-click, up; no second down.
TEST_F(Entrees, OrdreDuDoubleClic) {
    Plateforme_InjecterSouris(100, 100);
    Plateforme_InjecterBouton(true, true);
    Plateforme_InjecterBouton(true, false);
    Plateforme_InjecterBouton(true, true);
    Plateforme_InjecterBouton(true, false);
    Plateforme_InjecterBouton(true, true);   // a third press is a press again
    std::vector<uint32_t> recus;
    Message m;
    while (Message_Attente(&m)) {
        Message_Lire(&m);
        recus.push_back(m.message);
        Message_Distribuer(&m);
    }
    std::vector<uint32_t> attendus = {MSG_SOURIS_DEPLACEMENT, MSG_GAUCHE_ENFONCE, MSG_GAUCHE_RELACHE,
                                      MSG_GAUCHE_DOUBLE,      MSG_GAUCHE_RELACHE, MSG_GAUCHE_ENFONCE};
    EXPECT_EQ(recus, attendus);
}

TEST_F(Entrees, DoubleClicTropLentOuTropLoin) {
    Plateforme_InjecterBouton(false, true);
    Temps_Avancer(501);
    Plateforme_InjecterBouton(false, true);
    Plateforme_InjecterSouris(110, 100);
    Plateforme_InjecterBouton(false, true);
    std::vector<uint32_t> recus;
    Message m;
    while (Message_Attente(&m)) {
        Message_Lire(&m);
        recus.push_back(m.message);
    }
    std::vector<uint32_t> attendus = {MSG_DROIT_ENFONCE, MSG_DROIT_ENFONCE, MSG_SOURIS_DEPLACEMENT, MSG_DROIT_ENFONCE};
    EXPECT_EQ(recus, attendus);
}

TEST_F(Entrees, AltLettreEtAltF4) {
    Plateforme_InjecterTouche(TOUCHE_ALT, true);
    Plateforme_InjecterTouche('S', true);
    Pomper();
    EXPECT_EQ(ToucheS, 1);
    EXPECT_TRUE(Clavier_Enfoncee(TOUCHE_ALT));
    Plateforme_InjecterTouche(TOUCHE_F4, true);   // default handling closes the window
    Message m;
    Message_Lire(&m);
    EXPECT_EQ(m.message, MSG_TOUCHE_SYSTEME);
    Message_Distribuer(&m);
    EXPECT_EQ(ToucheF4, 1);
    EXPECT_EQ(Message_Lire(&m), 0);   // the close posted the quit message
    Plateforme_InjecterTouche(TOUCHE_ALT, false);
    Pomper();
    EXPECT_FALSE(Clavier_Enfoncee(TOUCHE_ALT));
}

TEST_F(Entrees, ToucheIPrendUneCapture) {
    ArbreTemporaire arbre;
    std::filesystem::create_directories(arbre.Racine() / "ScreenShots");
    Touche('I');
    EXPECT_EQ(ToucheI, 1);
    EXPECT_TRUE(arbre.Existe("ScreenShots/Morvane_Screen001.tga"));
}

// While a text entry is open the keys go to the text: no command flag, no screenshot; Return
// still validates. The entry leaves the flags as it found them.
TEST_F(Entrees, SaisieOuverteLesTouchesVontAuTexte) {
    ArbreTemporaire arbre;
    std::filesystem::create_directories(arbre.Racine() / "ScreenShots");
    {
        const SaisieTexteOuverte saisie;
        EXPECT_EQ(SaisieEnCours, 1);
        for (uint32_t vk : {uint32_t{'I'}, uint32_t{'M'}, uint32_t{'N'}, uint32_t{'1'}, uint32_t{TOUCHE_ESPACE}}) {
            Touche(vk);
            EXPECT_NE(ToucheCaractere, 0) << vk;
        }
        EXPECT_EQ(ToucheCaractere, ' ');
        Touche(TOUCHE_GAUCHE);
        Touche(TOUCHE_F1);
        EXPECT_EQ(ToucheI + ToucheM + ToucheN + Touche1 + ToucheEspace + ToucheGauche + ToucheF1, 0);
        EXPECT_FALSE(arbre.Existe("ScreenShots/Morvane_Screen001.tga"));
        Touche(TOUCHE_RETOUR_ARRIERE);
        Touche(TOUCHE_ECHAP);
        Touche(TOUCHE_ENTREE);
        EXPECT_EQ(ToucheRetourArriere, 1);
        EXPECT_EQ(ToucheEchap, 1);
        EXPECT_EQ(ToucheEntree, 1);
        EXPECT_EQ(SaisieValidee, 1);
    }
    EXPECT_EQ(SaisieEnCours, 0);
    EXPECT_EQ(SaisieValidee, 0);
    Touche('M');
    EXPECT_EQ(ToucheM, 1);
}

// A key is read with the modifiers held when it went down, however quickly they were let go:
// a capital with Shift, a digit with Control or Alt. A pending letter does not hide a Control
// held now.
TEST_F(Entrees, ModificateursDeLaTouche) {
    auto rapide = [](uint32_t modificateur, uint32_t vk) {
        Plateforme_InjecterTouche(modificateur, true);
        Plateforme_InjecterTouche(vk, true);
        Plateforme_InjecterTouche(vk, false);
        Plateforme_InjecterTouche(modificateur, false);
        Pomper();
    };
    rapide(TOUCHE_MAJ, 'M');
    EXPECT_EQ(ToucheCaractere, 'M');
    EXPECT_FALSE(Clavier_Enfoncee(TOUCHE_MAJ));
    Touche('M');
    EXPECT_EQ(ToucheCaractere, 'm');

    rapide(TOUCHE_CTRL, '1');
    EXPECT_EQ(ToucheCaractere, '1');
    EXPECT_TRUE(Clavier_Modificateur(MODIF_CTRL));
    EXPECT_FALSE(Clavier_Modificateur(MODIF_ALT));
    rapide(TOUCHE_ALT, '2');
    EXPECT_EQ(ToucheCaractere, '2');
    EXPECT_EQ(Touche2, 1);
    EXPECT_TRUE(Clavier_Modificateur(MODIF_ALT));
    EXPECT_FALSE(Clavier_Modificateur(MODIF_CTRL));
    Plateforme_InjecterTouche('3', true);
    Pomper();
    EXPECT_FALSE(Clavier_Modificateur(MODIF_ALT));

    Plateforme_InjecterTouche('A', true);
    Plateforme_InjecterTouche(TOUCHE_CTRL, true);
    Pomper();
    EXPECT_EQ(ToucheCaractere, 'a');
    EXPECT_TRUE(Clavier_Modificateur(MODIF_CTRL));
    Plateforme_InjecterTouche(TOUCHE_CTRL, false);
    Pomper();
}

}  // namespace
