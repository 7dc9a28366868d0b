#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "../media/film_essai.h"
#include "boite_fixture.h"
#include "foundation/cinematique.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "media/tmfilm.h"
#include "shell/demarrage.h"

namespace {

struct Image {
    uint16_t pixel;
    uint32_t temps;
    bool principal;
};
std::vector<Image> images;
int32_t (*reponse)(int32_t etat, size_t n) = nullptr;

int32_t Rappel(int32_t etat) {
    images.push_back(Image{EcranTampon[0], Temps_Ticks(), Plateforme_ThreadPrincipal()});
    Ecran_Affichage();
    return reponse ? reponse(etat, images.size()) : 1;
}

class Cinematique : public BoiteJeu {
  protected:
    void SetUp() override {
        BoiteJeu::SetUp();
        images.clear();
        reponse = nullptr;
        ASSERT_NE(FilmCourant, nullptr);
        unsetenv("MORVANE_CD");
    }
    void TearDown() override {
        Ecran_FinCinematique();
        unsetenv("MORVANE_CD");
        BoiteJeu::TearDown();
    }
    void Film(const std::string& relatif, int n, int hauteur = 48) {
        film_essai::Options o;
        o.images = n;
        o.hauteur = hauteur;
        arbre.Ecrire(relatif, film_essai::Film(o));
    }
};

}  // namespace

TEST_F(Cinematique, ChaqueImageAuRappelSurLeThreadPrincipal) {
    Film("Rvf/Tesk.rvs", 10);
    Cinematique_Jouer("Rvf\\Tesk.rvs", 1, Rappel);
    ASSERT_EQ(images.size(), 10u);
    for (size_t k = 0; k < images.size(); ++k) {
        EXPECT_EQ(images[k].pixel, film_essai::Couleur(static_cast<int>(k))) << k;
        EXPECT_TRUE(images[k].principal);
    }
    // Paced at 15 frames a second on the manual clock.
    EXPECT_GE(images.back().temps - images.front().temps, 600u);
    EXPECT_LE(images.back().temps - images.front().temps, 610u);
    EXPECT_EQ(EtatCinematique, 0);
    EXPECT_EQ(RappelCinematique, nullptr);
    EXPECT_EQ(QuitterJeu, 0);
}

TEST_F(Cinematique, MemeFilmMemesImagesAuxMemesMoments) {
    Film("rvf/intro.rvs", 12);
    std::vector<uint32_t> fois[2];
    for (auto& f : fois) {
        images.clear();
        const uint32_t debut = Temps_Ticks();
        Cinematique_Jouer("Rvf\\Intro.rvs", 1, Rappel);
        for (auto& i : images) f.push_back(i.temps - debut);
    }
    EXPECT_EQ(fois[0].size(), 12u);
    EXPECT_EQ(fois[0], fois[1]);
}

TEST_F(Cinematique, EchapOuClicDroitPassentUnFilmPassable) {
    Film("rvf/intro.rvs", 30);
    struct Cas {
        bool touche;
        int passable;
    };
    for (Cas c : {Cas{true, 1}, Cas{false, 1}, Cas{true, 0}, Cas{false, 0}}) {
        images.clear();
        if (c.touche) {
            Plateforme_InjecterTouche(TOUCHE_ECHAP, true);
            Plateforme_InjecterTouche(TOUCHE_ECHAP, false);
        } else {
            Plateforme_InjecterBouton(false, true);
        }
        Cinematique_Jouer("rvf\\intro.rvs", c.passable, Rappel);
        if (c.passable) {
            EXPECT_LT(images.size(), 3u) << c.touche;
            EXPECT_EQ(ToucheEchap, 0);
            EXPECT_EQ(BoutonDroit, 0);
        } else {
            EXPECT_EQ(images.size(), 30u) << c.touche;
        }
        Plateforme_InjecterBouton(false, false);
        ToucheEchap = 0;
        BoutonDroit = 0;
    }
}

// On a clock of its own the wait takes every waiting message on each turn: a real hand's input
// does not fall behind the frames.
void Temps_ModeManuel(bool actif);
TEST_F(Cinematique, HorlogeReelleChaqueTourPrendTousLesMessages) {
    Film("rvf/intro.rvs", 10);
    Temps_ModeManuel(false);
    for (int i = 0; i < 100; ++i) {
        Plateforme_InjecterTouche('A', true);
        Plateforme_InjecterTouche('A', false);
    }
    Cinematique_Jouer("rvf\\intro.rvs", 0, Rappel);
    Temps_ModeManuel(true);
    EXPECT_GT(images.size(), 0u);   // a real clock may drop frames on a busy machine
    Message m;
    EXPECT_FALSE(Message_Attente(&m));
}

TEST_F(Cinematique, LeRappelRejoueOuArrete) {
    Film("rvf/Menu.rvf", 5);
    // Bit 1 during the first play: once more.
    reponse = [](int32_t, size_t n) { return n <= 5 ? 3 : 1; };
    Cinematique_Jouer("rvf\\Menu.rvf", 0, Rappel);
    EXPECT_EQ(images.size(), 10u);
    // 0 stops at once.
    images.clear();
    reponse = [](int32_t, size_t n) { return n < 3 ? 3 : 0; };
    Cinematique_Jouer("RVF\\menu.RVF", 0, Rappel);
    EXPECT_EQ(images.size(), 3u);
}

TEST_F(Cinematique, QuitterPendantLeFilmFinitAussiLesReprises) {
    Film("rvf/Menu.rvf", 20);
    reponse = [](int32_t, size_t n) {
        if (n == 4) Plateforme_InjecterFermeture();
        return 3;
    };
    Cinematique_Jouer("rvf\\Menu.rvf", 0, Rappel);
    EXPECT_EQ(QuitterJeu, 1);
    EXPECT_LT(images.size(), 20u);
}

TEST_F(Cinematique, FilmDuMenuSeulementPresDuJeu) {
    // The drives hold the menu movie and another one; the game's folder holds neither.
    setenv("MORVANE_CD", "..\\cd", 1);
    Film("cd/rvf/Menu.rvf", 4);
    Film("cd/rvf/Sor0001.rvs", 4);
    Cinematique_Jouer("rvf\\Menu.rvf", 0, Rappel);
    EXPECT_TRUE(images.empty());
    EXPECT_EQ(EtatCinematique, 0);
    Cinematique_Jouer("rvf\\Sor0001.rvs", 1, Rappel);
    EXPECT_EQ(images.size(), 4u);
}

// Mended: a movie found on no drive is not started (it would wait for an end that never comes).
TEST_F(Cinematique, FilmAbsentAvertitEtRevient) {
    Retour();
    Cinematique_Jouer("rvf\\Qui0001.rvs", 1, Rappel);
    EXPECT_TRUE(images.empty());
    EXPECT_EQ(EtatCinematique, 0);
    EXPECT_EQ(BoiteMessageFermee, 1);
    // The next movie plays.
    Film("rvf/Qui0001.rvs", 3);
    Cinematique_Jouer("rvf\\Qui0001.rvs", 1, Rappel);
    EXPECT_EQ(images.size(), 3u);
}

TEST_F(Cinematique, ResolutionDeBatailleRendueApresLeFilm) {
    Film("rvf/Orv0001.rvs", 2);
    ResolutionLargeur = 800;
    ResolutionHauteur = 600;
    ModeSceneCourant = 1;
    Cinematique_Jouer("rvf\\Orv0001.rvs", 1, Rappel);
    EXPECT_EQ(LargeurEcran, 640);
    ModeSceneCourant = 2;
    Cinematique_Jouer("rvf\\Orv0001.rvs", 1, Rappel);
    EXPECT_EQ(images.size(), 4u);
    EXPECT_EQ(LargeurEcran, 800);
    EXPECT_EQ(HauteurEcran, 600);
    EXPECT_NE(FilmCourant, nullptr);
    ModeSceneCourant = 0;
}

TEST_F(Cinematique, DemarrageRefuseFatal) {
    film_essai::Options o;
    o.largeur = 800;
    arbre.Ecrire("rvf/Large.rvs", film_essai::Film(o));
    Retour();
    int code = -1;
    try {
        Cinematique_Jouer("rvf\\Large.rvs", 1, Rappel);
    } catch (const FinProgramme& f) {
        code = f.code;
    }
    EXPECT_EQ(code, 1);
    EXPECT_EQ(arbre.Lire("Erreur.txt"), "TeskMovie: La largeur de la cinématique n'est pas supportée.");
}

// Mended: a start refused with a code the fatal table does not name ends the play at once.
TEST_F(Cinematique, DemarrageRefuseNonFatalRevient) {
    arbre.Ecrire("rvf/Faux.rvs", std::string(200, 'x'));
    reponse = [](int32_t, size_t) { return 3; };
    Cinematique_Jouer("rvf\\Faux.rvs", 1, Rappel);
    EXPECT_TRUE(images.empty());
    EXPECT_FALSE(arbre.Existe("Erreur.txt"));
}

namespace {
// Pixels of the frame-rate text (colour 255) in the back buffer's corner, where its three lines go.
size_t PixelsDuTaux() {
    size_t n = 0;
    for (int y = 0; y < 36; ++y)
        for (int x = 0; x < 80; ++x) n += EcranTampon[static_cast<size_t>(y) * LargeurEcran + x] == 0x7C00;
    return n;
}
std::vector<size_t> taux;
int32_t RappelTaux(int32_t etat) {
    taux.push_back(PixelsDuTaux());
    Ecran_Affichage();
    return etat;
}
}  // namespace

// F2 released during one of the game's movies cycles its frame-rate display as in the player's own
// window: the figures are over the frames shown from then on, and the mode holds for the replays
// and the next movies until F2 again.
TEST_F(Cinematique, F2AfficheLeTauxDImagesPendantLeFilm) {
    Film("rvf/intro.rvs", 12);
    Film("rvf/Menu.rvf", 6);
    auto F2 = [] {
        Plateforme_InjecterTouche(TOUCHE_F1 + 1, true);
        Plateforme_InjecterTouche(TOUCHE_F1 + 1, false);
    };
    taux.clear();
    Cinematique_Jouer("rvf\\intro.rvs", 1, RappelTaux);
    ASSERT_EQ(taux.size(), 12u);
    for (size_t n : taux) EXPECT_EQ(n, 0u);

    // F2 before the movie: the frames carry the average.
    taux.clear();
    F2();
    Cinematique_Jouer("rvf\\intro.rvs", 1, RappelTaux);
    ASSERT_EQ(taux.size(), 12u);
    for (size_t k = 1; k < taux.size(); ++k) EXPECT_GT(taux[k], 20u) << k;
    EXPECT_EQ(ReglagesFilm.ShowRate, 1);
    EXPECT_EQ(ToucheF2, 1);   // the game's own flag is set as for any key
    ToucheF2 = 0;

    // The menu's movie played twice, F2 during the first play: the instantaneous rate, which the
    // replay keeps.
    taux.clear();
    static int tours;
    tours = 0;
    RappelFilm menu = [](int32_t) -> int32_t {
        taux.push_back(PixelsDuTaux());
        Ecran_Affichage();
        if (++tours == 2) {
            Plateforme_InjecterTouche(TOUCHE_F1 + 1, true);
            Plateforme_InjecterTouche(TOUCHE_F1 + 1, false);
        }
        return tours <= 6 ? 3 : 1;
    };
    Cinematique_Jouer("rvf\\Menu.rvf", 0, menu);
    ASSERT_EQ(taux.size(), 12u);
    for (size_t k = 0; k < taux.size(); ++k) EXPECT_GT(taux[k], 20u) << k;
    EXPECT_EQ(ReglagesFilm.ShowRate, 2);
    TMSettings lus;
    TM_GetSettingsInto(FilmCourant, &lus);
    EXPECT_EQ(lus.ShowRate, 2);

    // A third F2, taken once the movie has begun: none again.
    taux.clear();
    F2();
    Cinematique_Jouer("rvf\\intro.rvs", 1, RappelTaux);
    ASSERT_EQ(taux.size(), 12u);
    for (size_t k = 2; k < taux.size(); ++k) EXPECT_EQ(taux[k], 0u) << k;
    EXPECT_EQ(ReglagesFilm.ShowRate, 0);
}
