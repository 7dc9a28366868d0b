// The menu widgets' slide and drawing, and the shared panels: save list, options, parental code
// box and quit box, driven through their input steps.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "menu_fixture.h"
#include "foundation/erreurs.h"
#include "foundation/son.h"
#include "foundation/texte.h"
#include "platform/son.h"
#include "frontend/sauvegardes.h"
#include "shell/demarrage.h"

namespace {

TEST(BoutonMenu, GlisseEnSixPasMemeHorsDeLEcran) {
    LargeurEcran = 640;
    HauteurEcran = 480;
    struct Cas {
        int x0, y0, x1, y1;
        std::vector<int> xs;
    };
    for (const Cas& c : {Cas{640, 155, 320, 155, {587, 534, 481, 428, 374, 320}},
                         Cas{-468, 83, 91, 83, {-375, -282, -189, -96, -3, 91}},
                         Cas{320, 155, 320, 43, {320, 320, 320, 320, 320, 320}}}) {
        BoutonMenu b{};
        Bouton__Initialisation(&b, c.x0, c.y0, 320, 35, "");
        EXPECT_EQ(b.cibleX, c.x0);
        EXPECT_EQ(b.pas, 0);
        Bouton__Deplacement(&b, c.x1, c.y1, 6);
        std::vector<int> xs;
        for (int i = 0; i < 6; ++i) {
            Bouton__Affichage(&b);
            xs.push_back(b.x);
        }
        EXPECT_EQ(xs, c.xs) << c.x0;
        EXPECT_EQ(b.y, c.y1);
        EXPECT_EQ(b.pas, 0);
        Bouton__Affichage(&b);   // at rest it stays
        EXPECT_EQ(b.x, c.x1);
    }
}

class Widgets : public MenuEcran {
  protected:
    // Whether drawing widget b changes the screen.
    static bool Dessine(BoutonMenu b) {
        std::memset(EcranTampon, 0, static_cast<size_t>(LargeurEcran) * HauteurEcran * 2);
        Bouton__Affichage(&b);
        for (int i = 0; i < LargeurEcran * HauteurEcran; ++i)
            if (EcranTampon[i]) return true;
        return false;
    }
};

TEST_F(Widgets, DessineQuandUnPixelEstALEcran) {
    struct Cas {
        int type, x, y;
        bool dessine;
    };
    for (const Cas& c : {Cas{0, 640, 155, false}, Cas{0, 639, 155, true}, Cas{0, -320, 155, false},
                         Cas{0, -319, 155, true}, Cas{0, 320, 480, false}, Cas{0, 320, -35, false},
                         Cas{0, 320, -34, true}, Cas{1, -458, 83, false}, Cas{1, -457, 83, true},
                         Cas{2, 94, 83, true}, Cas{3, 96, 157, true}, Cas{4, 96, 157, false}, Cas{-1, 96, 157, false}}) {
        const int l = c.type == 0 ? 320 : c.type == 3 ? 448 : 458, h = c.type == 0 ? 35 : c.type == 3 ? 166 : 314;
        BoutonMenu b{c.type, c.x, c.y, l, h, c.x, c.y, 0, "Texte"};
        EXPECT_EQ(Dessine(b), c.dessine) << c.type << " " << c.x << "," << c.y;
    }
}

// The text colour is the caller's again after a widget is drawn; the small box's set-up sets it.
TEST_F(Widgets, CouleurDuTexteRendue) {
    Texte__Couleur(0x123456);
    BoutonMenu b{};
    Bouton__Initialisation(&b, 320, 155, 320, 35, TexteInterface(49));
    SourisX = 330;
    SourisY = 160;
    Bouton__Affichage(&b);
    EXPECT_EQ(Texte__LitCouleur(), 0x123456u);
    Panneau3__Initialisation(&b, 96, 157, 448, 166, "");
    EXPECT_EQ(Texte__LitCouleur(), COULEUR_BOUTON);
}

// Save list.

class ListeSauvegardes : public Widgets {
  protected:
    void SetUp() override {
        Widgets::SetUp();
        if (HasFatalFailure()) return;
        arbre.Ecrire("Sauvegarde/NOMS.TXT", "_101_\r\nPremier\r\n_101_\r\n_101_\r\n_101_\r\n_101_\r\n_101_\r\n_101_\r\n_101_\r\nDernier\r\n");
        ListeSauvegardes__Ouverture(91, 83);
    }
    static void Etat(int selection, int premiere, int ligne) {
        EXPECT_EQ(SauvegardeSelection, selection);
        EXPECT_EQ(SauvegardePremiere, premiere);
        EXPECT_EQ(SauvegardeLigne, ligne);
    }
};

TEST_F(ListeSauvegardes, FlechesBorneesEtLignes) {
    EXPECT_STREQ(NomsSauvegardes[1], "Premier");
    EXPECT_EQ(SauvegardeVide[0], 1);
    for (int i = 0; i < 12; ++i) {
        ToucheBas = 1;
        ListeSauvegardes__Saisie();
        EXPECT_GE(SauvegardePremiere, 0);
        EXPECT_LE(SauvegardePremiere, 6);
    }
    Etat(9, 6, 3);
    ToucheHaut = 1;
    ListeSauvegardes__Saisie();
    Etat(8, 6, 2);
    for (int i = 0; i < 12; ++i) {
        ToucheHaut = 1;
        ListeSauvegardes__Saisie();
    }
    Etat(0, 0, 0);

    // The down arrow held acts on every frame; the button stays held.
    SourisX = 91 + 410;
    SourisY = 83 + 260;
    BoutonGauche = 1;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(ListeSauvegardes__Saisie(), ActionPanneau::Rien);
    EXPECT_EQ(BoutonGauche, 1);
    Etat(5, 2, 3);
    // A row picks the slot shown there.
    SourisX = 91 + 30;
    SourisY = 83 + 55 + 50 + 1;
    ListeSauvegardes__Saisie();
    Etat(3, 2, 1);
    SourisY = 83 + 55 + 50 - 2;   // between two rows
    ListeSauvegardes__Saisie();
    Etat(3, 2, 1);
}

TEST_F(ListeSauvegardes, ValiderEtAnnuler) {
    struct Cas {
        int32_t* touche;
        int x, y;
        ActionPanneau attendu;
    };
    for (const Cas& c : {Cas{&ToucheEntree, 0, 0, ActionPanneau::Valider}, Cas{&ToucheEchap, 0, 0, ActionPanneau::Annuler},
                         Cas{nullptr, 91 + 185, 83 + 249, ActionPanneau::Valider},
                         Cas{nullptr, 91 + 220, 83 + 284, ActionPanneau::Valider},
                         Cas{nullptr, 91 + 228, 83 + 249, ActionPanneau::Annuler},
                         Cas{nullptr, 91 + 264, 83 + 249, ActionPanneau::Rien}}) {
        SourisX = c.x;
        SourisY = c.y;
        BoutonGauche = c.touche == nullptr;
        if (c.touche) *c.touche = 1;
        EXPECT_EQ(ListeSauvegardes__Saisie(), c.attendu) << c.x << "," << c.y;
        // A click that acted is taken.
        if (c.touche == nullptr) {
            EXPECT_EQ(BoutonGauche, c.attendu == ActionPanneau::Rien ? 1 : 0);
        }
        BoutonGauche = 0;
    }
}

// Options.

class Options : public Widgets {
  protected:
    void SetUp() override {
        Widgets::SetUp();
        if (HasFatalFailure()) return;
        ResolutionLargeur = 640;
        ResolutionHauteur = 480;
        ResolutionIndex = 0;
        VolumeMusique = 50;
        VolumeSons = 99;
        ControleParental = 0;
        OptionLigne = 0;
        PanneauOrigine = {94, 83};
        Options__Ouverture();
    }
    static ActionPanneau Appui(int32_t& touche) {
        touche = 1;
        return Options__Saisie();
    }
    // The left button held on (x, y) of the panel for n frames, then released for one.
    static ActionPanneau Tenir(int x, int y, int n = 1) {
        SourisX = 94 + x;
        SourisY = 83 + y;
        ActionPanneau a = ActionPanneau::Rien;
        BoutonGauche = 1;
        for (int i = 0; i < n && a == ActionPanneau::Rien; ++i) a = Options__Saisie();
        BoutonGauche = 0;
        if (a == ActionPanneau::Rien) a = Options__Saisie();
        return a;
    }
};

TEST_F(Options, FlechesChangentLaLigneChoisie) {
    EXPECT_STREQ(TexteResolution, "640 x 480");
    EXPECT_STREQ(TexteParental, TexteInterface(2));
    std::vector<std::string> resolutions;
    for (int i = 0; i < 5; ++i) {
        Appui(ToucheDroite);
        resolutions.push_back(TexteResolution);
    }
    EXPECT_EQ(resolutions, (std::vector<std::string>{"800 x 600", "1024 x 768", "1152 x 864", "640 x 480", "800 x 600"}));
    Appui(ToucheGauche);
    Appui(ToucheGauche);
    EXPECT_EQ(ResolutionLargeur, 1152);
    EXPECT_EQ(ResolutionHauteur, 864);

    Appui(ToucheHaut);
    EXPECT_EQ(OptionLigne, 3);
    Appui(ToucheBas);
    Appui(ToucheBas);
    EXPECT_EQ(OptionLigne, 1);
    for (int i = 0; i < 60; ++i) Appui(ToucheGauche);
    EXPECT_EQ(VolumeMusique, 0);
    EXPECT_STREQ(TexteMusique, "0");
    Appui(ToucheBas);
    for (int i = 0; i < 3; ++i) Appui(ToucheDroite);
    EXPECT_EQ(VolumeSons, 100);
    EXPECT_STREQ(TexteSons, "100");

    // The parental row opens the code box, empty.
    std::strcpy(CodeSaisi, "reste");
    Appui(ToucheBas);
    EXPECT_EQ(Appui(ToucheDroite), ActionPanneau::CodeParental);
    EXPECT_STREQ(CodeSaisi, "");
}

TEST_F(Options, LIndexSuitLaResolutionLue) {
    ResolutionLargeur = 1024;
    ResolutionHauteur = 768;
    Options__Ouverture();
    Appui(ToucheDroite);
    EXPECT_STREQ(TexteResolution, "1152 x 864");
}

TEST_F(Options, Reglages) {
    // Row 1's slider spans x 303 to 395 of the panel.
    struct Cas {
        int x, ligne;
        int32_t attendu;
    };
    for (const Cas& c : {Cas{303, 1, 0}, Cas{395, 1, 98}, Cas{349, 1, 49}, Cas{303, 2, 0}, Cas{395, 2, 98}}) {
        const int y = 55 + 50 * c.ligne + 14;
        // Held for several frames, whether the row was selected before or not.
        for (int n : {1, 4}) {
            EXPECT_EQ(Tenir(c.x, y, n), ActionPanneau::Rien);
            EXPECT_EQ(c.ligne == 1 ? VolumeMusique : VolumeSons, c.attendu) << c.x << " " << n;
            EXPECT_EQ(OptionLigne, c.ligne);
        }
    }
    // Beside the slider the row is selected, or once selected, stepped by one at the release.
    VolumeMusique = 40;
    Tenir(302, 55 + 50 + 14);
    EXPECT_EQ(OptionLigne, 1);
    EXPECT_EQ(VolumeMusique, 40);
    Tenir(396, 55 + 50 + 14);
    EXPECT_EQ(VolumeMusique, 41);
}

TEST_F(Options, TenirSurLaLigneChoisieChangeAuRelachement) {
    // Held two frames on another row: selected, then changed at the release.
    EXPECT_EQ(Tenir(40, 55 + 150 + 10, 2), ActionPanneau::CodeParental);
    OptionLigne = 0;
    SourisX = 94 + 40;
    SourisY = 83 + 55 + 10;
    BoutonGauche = 1;
    for (int i = 0; i < 5; ++i) Options__Saisie();
    EXPECT_EQ(ResolutionLargeur, 640);   // nothing while held
    BoutonGauche = 0;
    Options__Saisie();
    EXPECT_EQ(ResolutionLargeur, 800);   // once, at the release
    Options__Saisie();
    EXPECT_EQ(ResolutionLargeur, 800);
    // A click on the panel outside the rows changes nothing.
    Tenir(200, 20, 3);
    EXPECT_EQ(ResolutionLargeur, 800);
    // A row not selected: one frame selects it and no more.
    Tenir(40, 55 + 50 + 10, 1);
    EXPECT_EQ(OptionLigne, 1);
    EXPECT_EQ(VolumeMusique, 50);
}

// The volumes the devices play at.
uint32_t VolumeAppareil(int32_t aux) {
    uint32_t w = 0;
    Aux_LireVolume(aux, &w);
    return ((w & 0xFFFF) * 100 + 65534) / 65535;
}

TEST_F(Options, EchapEtAnnulerRendentLesValeursDOuverture) {
    AuxCD = 1;
    AuxSons = 0;
    for (bool clic : {false, true}) {
        OptionLigne = 0;
        for (int i = 0; i < 2; ++i) Appui(ToucheDroite);
        Appui(ToucheBas);
        for (int i = 0; i < 7; ++i) Appui(ToucheDroite);
        Appui(ToucheBas);
        Appui(ToucheGauche);
        ControleParental = 1;
        EXPECT_EQ(ResolutionLargeur, 1024);
        EXPECT_EQ(VolumeMusique, 57);
        EXPECT_EQ(VolumeSons, 98);
        EXPECT_EQ(VolumeAppareil(AuxCD), 57u);
        EXPECT_EQ(clic ? Tenir(228, 249) : Appui(ToucheEchap), ActionPanneau::Annuler);
        // Heard as they will be kept.
        EXPECT_EQ(VolumeAppareil(AuxCD), 50u);
        EXPECT_EQ(VolumeAppareil(AuxSons), 99u);
        EXPECT_EQ(ResolutionLargeur, 640);
        EXPECT_EQ(ResolutionHauteur, 480);
        EXPECT_EQ(ResolutionIndex, 0);
        EXPECT_EQ(VolumeMusique, 50);
        EXPECT_EQ(VolumeSons, 99);
        EXPECT_EQ(ControleParental, 0);
        EXPECT_STREQ(TexteResolution, "640 x 480");
        EXPECT_STREQ(TexteMusique, "50");
        EXPECT_STREQ(TexteParental, TexteInterface(2));
    }
    // Return and OK keep them.
    OptionLigne = 1;
    Appui(ToucheDroite);
    EXPECT_EQ(Appui(ToucheEntree), ActionPanneau::Valider);
    EXPECT_EQ(Tenir(190, 260), ActionPanneau::Valider);
    EXPECT_EQ(VolumeMusique, 51);
}

// Parental code box.

class Parental : public Widgets {
  protected:
    static ActionPanneau Taper(const char* texte) {
        for (const char* c = texte; *c; ++c) {
            ToucheCaractere = static_cast<unsigned char>(*c);
            CodeParental__Saisie(true);
        }
        return CodeParental__Saisie(true);
    }
    static void Valider(const char* texte) {
        std::memset(CodeSaisi, 0, sizeof CodeSaisi);
        Taper(texte);
        ToucheEntree = 1;
        ASSERT_EQ(CodeParental__Saisie(true), ActionPanneau::Valider);
        CodeParental__Validation();
    }
};

TEST_F(Parental, PoseEtRetraitDuCode) {
    struct Cas {
        const char* texte;
        int32_t apres;
        bool signale;   // the wrong-code box
    };
    // On with an empty code, only an empty code takes it off; the code is matched case and all.
    ControleParental = 0;
    for (const Cas& c : {Cas{"", 1, false}, Cas{"x", 1, true}, Cas{"", 0, false}, Cas{"abc", 1, false},
                         Cas{"ab", 1, true}, Cas{"abcd", 1, true}, Cas{"ABC", 1, true}, Cas{"abc", 0, false}}) {
        // Return waits in the queue to close a box.
        Plateforme_InjecterTouche(TOUCHE_ENTREE, true);
        Plateforme_InjecterTouche(TOUCHE_ENTREE, false);
        BoiteMessageFermee = 0;
        Valider(c.texte);
        EXPECT_EQ(BoiteMessageFermee == 1, c.signale) << c.texte;
        Pomper();
        ToucheEntree = 0;
        EXPECT_EQ(ControleParental, c.apres) << c.texte;
        EXPECT_STREQ(TexteParental, TexteInterface(c.apres ? 1 : 2));
    }
    EXPECT_STREQ(CodeParental, "abc");
}

TEST_F(Parental, SaisieBorneeEtTouches) {
    std::memset(CodeSaisi, 0, sizeof CodeSaisi);
    for (int i = 0; i < 300; ++i) {
        ToucheCaractere = 'a' + i % 26;
        CodeParental__Saisie(true);
    }
    EXPECT_EQ(std::strlen(CodeSaisi), 259u);
    ToucheRetourArriere = 1;
    CodeParental__Saisie(true);
    EXPECT_EQ(std::strlen(CodeSaisi), 258u);
    std::memset(CodeSaisi, 0, sizeof CodeSaisi);
    ToucheRetourArriere = 1;
    CodeParental__Saisie(true);
    EXPECT_STREQ(CodeSaisi, "");

    const PointMenu coin = CodeParental__Coin();
    EXPECT_EQ(coin.x, 96);
    EXPECT_EQ(coin.y, 157);
    struct Cas {
        bool clics;
        int x, y;
        ActionPanneau attendu;
        int32_t boutonApres;
    };
    for (const Cas& c : {Cas{true, 189, 108, ActionPanneau::Valider, 0}, Cas{true, 226, 143, ActionPanneau::Annuler, 0},
                         Cas{false, 189, 108, ActionPanneau::Rien, 0}, Cas{false, 226, 120, ActionPanneau::Rien, 1}}) {
        SourisX = coin.x + c.x;
        SourisY = coin.y + c.y;
        BoutonGauche = 1;
        EXPECT_EQ(CodeParental__Saisie(c.clics), c.attendu) << c.clics << " " << c.x;
        EXPECT_EQ(BoutonGauche, c.boutonApres) << c.clics << " " << c.x;
    }
    BoutonGauche = 0;
    EXPECT_EQ(Taper(""), ActionPanneau::Rien);
    ToucheEchap = 1;
    EXPECT_EQ(CodeParental__Saisie(false), ActionPanneau::Annuler);
}

TEST_F(Widgets, BoiteQuitter) {
    PanneauOrigine = {96, 157};
    struct Cas {
        int32_t* touche;
        int x, y;
        ActionPanneau attendu;
    };
    for (const Cas& c : {Cas{&ToucheEntree, 0, 0, ActionPanneau::Valider}, Cas{&ToucheEchap, 0, 0, ActionPanneau::Annuler},
                         Cas{nullptr, 96 + 189, 157 + 108, ActionPanneau::Valider},
                         Cas{nullptr, 96 + 261, 157 + 143, ActionPanneau::Annuler},
                         Cas{nullptr, 96 + 262, 157 + 120, ActionPanneau::Rien},
                         Cas{nullptr, 96 + 188, 157 + 120, ActionPanneau::Rien}}) {
        SourisX = c.x;
        SourisY = c.y;
        BoutonGauche = c.touche == nullptr;
        if (c.touche) *c.touche = 1;
        EXPECT_EQ(BoiteQuitter__Saisie(), c.attendu) << c.x << "," << c.y;
        BoutonGauche = 0;
    }
}

}  // namespace
