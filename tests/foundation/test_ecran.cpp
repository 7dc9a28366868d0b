#include <cstring>
#include <thread>
#include <vector>

#include "arbre_temporaire.h"
#include "ecran_fixture.h"
#include "foundation/cinematique.h"
#include "foundation/entrees.h"
#include "platform/hasard.h"
#include "shell/trame.h"
#include "world/univers.h"

namespace {

std::vector<uint16_t> Presente() {
    int l = 0, h = 0;
    return Affichage_DerniereImage(&l, &h);
}

void Remplir(uint16_t valeur) { std::fill(EcranTampon, EcranTampon + LargeurEcran * HauteurEcran, valeur); }

TEST_F(FenetreJeu, TableDeFonduEtGeometrie) {
    EXPECT_EQ(TableTexteFondu[0][17], 17);
    EXPECT_EQ(TableTexteFondu[255][0], 31);
    EXPECT_EQ(TableTexteFondu[128][0], 15);
    EXPECT_EQ(TableTexteFondu[128][31], 31);
    // The view is a whole number of 48-pixel squares: 624 wide on a 640 screen.
    EXPECT_EQ(EcranDestination.clipDroite, 624);
    EXPECT_EQ(EcranDestination.clipBas, 480);
    EXPECT_EQ(CasesVisiblesX, 26);
    EXPECT_EQ(CasesVisiblesY, 20);
    EXPECT_EQ(DefilementMaxX, 102);
    EXPECT_EQ(LargeurLigneEcran, 640);
    EXPECT_EQ(DecalageLignes[3], 384);
    EXPECT_EQ(EcranDestination.pixels, EcranTampon);
    const uint8_t format[7] = {1, 10, 3, 5, 3, 0, 3};
    EXPECT_EQ(std::memcmp(EcranDestination.format, format, 7), 0);
}

TEST_F(FenetreJeu, FonduSurLaVueSeulement) {
    Remplir(0x1234 & 0x7FFF);
    FonduNiveau = 0;
    Ecran_Affichage();
    EXPECT_EQ(Pixel(10, 10), 0x1234);
    FonduNiveau = 255;
    Ecran_Affichage();
    EXPECT_EQ(Pixel(0, 0), 0x7FFF);
    EXPECT_EQ(Pixel(623, 479), 0x7FFF);
    EXPECT_EQ(Pixel(624, 0), 0x1234);   // the right margin is never faded
    EXPECT_EQ(Presente()[0], 0x7FFF);
    // Out-of-range levels are clamped, not used as indices.
    Remplir(0);
    FonduNiveau = 9999;
    Ecran_Affichage();
    EXPECT_EQ(Pixel(5, 5), 0x7FFF);
    FonduNiveau = -4;
    Remplir(0x0421);
    Ecran_Affichage();
    EXPECT_EQ(Pixel(5, 5), 0x0421);
}

TEST_F(FenetreJeu, MargeDroiteEffaceeSurToutesLesLignes) {
    Remplir(0x7FFF);
    MargeDroiteEfface = 1;
    Ecran_Affichage();
    EXPECT_EQ(Pixel(623, 0), 0x7FFF);
    for (int y : {0, 240, 479}) {
        EXPECT_EQ(Pixel(624, y), 0);
        EXPECT_EQ(Pixel(639, y), 0);
    }
}

TEST_F(FenetreJeu, TremblementDeuxTiragesSaufEnPause) {
    for (int y = 0; y < HauteurEcran; ++y)
        for (int x = 0; x < LargeurEcran; ++x) Pixel(x, y) = static_cast<uint16_t>((x + 7 * y) & 0x7FFF);
    std::vector<uint16_t> original(EcranTampon, EcranTampon + 640 * 480);

    TremblementAmplitude = 1;
    Ecran_Affichage();
    EXPECT_EQ(Presente(), original);

    TremblementAmplitude = 4;
    Hasard_GraineVisuel(99);
    int dx = Hasard_Visuel() % 4, dy = Hasard_Visuel() % 4;
    Hasard_GraineVisuel(99);
    Ecran_Affichage();
    std::vector<uint16_t> image = Presente();
    EXPECT_EQ(image[(dy + 100) * 640 + dx + 100], original[100 * 640 + 100]);
    if (dx > 0 || dy > 0) {
        EXPECT_EQ(image[0], 0);   // the uncovered strip is black
    }
    int suivant = Hasard_Visuel();

    // Paused: no shake and no draw from the stream.
    Hasard_GraineVisuel(99);
    Hasard_Visuel();
    Hasard_Visuel();
    JeuEnPause = 1;
    Ecran_Affichage();
    EXPECT_EQ(Presente(), original);
    EXPECT_EQ(Hasard_Visuel(), suivant);
}

TEST_F(FenetreJeu, InactiveFonduMaisRienNEstCopie) {
    Message_Envoyer(FenetrePrincipale, MSG_ACTIVATION_APP, 0, 0);
    EXPECT_EQ(ApplicationActive, 0);
    uint64_t avant = Affichage_NombrePresentations();
    Remplir(0);
    FonduNiveau = 255;
    MargeDroiteEfface = 1;
    Ecran_Affichage();
    EXPECT_EQ(Affichage_NombrePresentations(), avant);
    EXPECT_EQ(Pixel(0, 0), 0x7FFF);
}

TEST_F(FenetreJeu, ChangementDeModeMemeTailleNeReconstruitRien) {
    uint16_t* tampon = EcranTampon;
    SurfaceImage* surface = SurfacePrimaire;
    EXPECT_EQ(Ecran_ModeVideo(640, 480), 1);
    EXPECT_EQ(EcranTampon, tampon);
    EXPECT_EQ(SurfacePrimaire, surface);

    EXPECT_EQ(Ecran_ModeVideo(800, 600), 1);
    EXPECT_EQ(LargeurEcran, 800);
    EXPECT_EQ(EcranDestination.clipDroite, 768);
    EXPECT_EQ(EcranDestination.clipBas, 576);
    EXPECT_EQ(Affichage_Largeur(), 800);
    Pixel(799, 599) = 1;   // the buffer is the new size
}

TEST_F(FenetreJeu, ModeRefuseGardeLAncienneTaille) {
    ArbreTemporaire arbre;
    uint16_t* tampon = EcranTampon;
    Affichage_SimulerEchec(true);
    Plateforme_InjecterTouche(13, true);   // answers the question the failure asks
    EXPECT_EQ(Ecran_ModeVideo(1024, 768), 0);
    EXPECT_EQ(LargeurEcran, 640);
    EXPECT_EQ(HauteurEcran, 480);
    EXPECT_EQ(EcranTampon, tampon);
    EXPECT_EQ(arbre.Lire("Erreur.txt"), "Direct Draw: impossible d'obtenir le mode vidéo");
    Affichage_SimulerEchec(false);
}

#if defined(__SANITIZE_ADDRESS__)
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void*, size_t),
                                                         void (*)(const volatile void*));
size_t PlusGrandeAllocation = 0;
void NoterAllocation(const volatile void*, size_t taille) {
    if (taille > PlusGrandeAllocation) PlusGrandeAllocation = taille;
}
void NoterLiberation(const volatile void*) {}
#endif

// Mended: a size above the display's limit is refused before its buffer is allocated (a damaged
// configuration asking for 60000 x 60000 used to allocate gigabytes first).
TEST_F(FenetreJeu, TailleHorsLimiteRefuseeAvantLAllocation) {
#if defined(__SANITIZE_ADDRESS__)
    ArbreTemporaire arbre;
    uint16_t* tampon = EcranTampon;
    __sanitizer_install_malloc_and_free_hooks(NoterAllocation, NoterLiberation);
    for (auto [l, h] : {std::pair{8193, 8192}, {60000, 60000}}) {
        PlusGrandeAllocation = 0;
        Plateforme_InjecterTouche(13, true);   // answers the question the refusal asks
        EXPECT_EQ(Ecran_ModeVideo(l, h), 0);
        EXPECT_LT(PlusGrandeAllocation, 1000000u) << l << " x " << h;
        EXPECT_EQ(arbre.Lire("Erreur.txt"), "Direct Draw: impossible d'obtenir le mode vidéo");
        EXPECT_EQ(EcranTampon, tampon);
        EXPECT_EQ(LargeurEcran, 640);
    }
#else
    GTEST_SKIP() << "needs the address sanitizer's allocation hooks";
#endif
}

TEST(Ecran, PremierModeConstruitLeTamponMemeSiLaTailleEstDejaLa) {
    ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
    LargeurEcran = 640;
    HauteurEcran = 480;
    ASSERT_EQ(Fenetre_Creation(nullptr), 1);
    ASSERT_EQ(Polices_Creation(nullptr), 1);
    ASSERT_NE(EcranTampon, nullptr);
    EcranTampon[640 * 480 - 1] = 5;
    EXPECT_NE(SurfaceHorsEcran, nullptr);
}

TEST(Ecran, ModeSansContexteEchoue) {
    ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
    EXPECT_EQ(Ecran_ModeVideo(640, 480), 0);
    EXPECT_EQ(EcranTampon, nullptr);
    EXPECT_EQ(LargeurEcran, 0);
}

TEST_F(FenetreJeu, CopiesCentreesEtBornees) {
    Remplir(0);
    std::vector<uint16_t> petite(320 * 240, 0x001F);
    Ecran_CopieCentree(EcranTampon, petite.data(), 320, 240);
    EXPECT_EQ(Pixel(159, 120), 0);
    EXPECT_EQ(Pixel(160, 120), 0x001F);
    EXPECT_EQ(Pixel(479, 359), 0x001F);
    EXPECT_EQ(Pixel(480, 359), 0);
    EXPECT_EQ(Pixel(160, 119), 0);
    // Larger than the screen: its middle shows, nothing is written outside the buffer.
    std::vector<uint16_t> grande(800 * 600, 0x03E0);
    grande[60 * 800 + 80] = 0x7C00;
    Ecran_CopieCentree(EcranTampon, grande.data(), 800, 600);
    EXPECT_EQ(Pixel(0, 0), 0x7C00);
    EXPECT_EQ(Pixel(639, 479), 0x03E0);
    Ecran_CopieCentree(nullptr, grande.data(), 800, 600);
    std::vector<uint16_t> ecran(640 * 480, 0x1111);
    Ecran_Copie(EcranTampon, ecran.data());
    EXPECT_EQ(Pixel(639, 479), 0x1111);
}

int32_t rappels = 0;
int32_t RappelEssai(int32_t etat) {
    ++rappels;
    return etat | 2;
}

TEST_F(FenetreJeu, ImagesDeFilmParLaProcedure) {
    ArbreTemporaire arbre;
    Remplir(0x7FFF);
    Message_Envoyer(FenetrePrincipale, MSG_APPLICATION, 1, 0);   // start: the buffer is cleared
    EXPECT_EQ(Pixel(320, 240), 0);

    // A 320 x 240 frame in a surface with a wider pitch lands 160 in and 120 down.
    SurfaceImage* s = Surface_Creer(336, 240);
    s->largeur = 320;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 336; ++x) s->pixels[y * 336 + x] = x < 320 ? static_cast<uint16_t>(y + 1) : 0x7C00;
    NotificationFilm n;
    n.image = s;
    RappelCinematique = RappelEssai;
    EtatCinematique = 0;
    Message_Envoyer(FenetrePrincipale, MSG_APPLICATION, 2, reinterpret_cast<ParamLong>(&n));
    EXPECT_EQ(Pixel(160, 120), 0);   // not while the movie is not playing
    EXPECT_EQ(rappels, 0);
    EtatCinematique = 1;
    Message_Envoyer(FenetrePrincipale, MSG_APPLICATION, 2, reinterpret_cast<ParamLong>(&n));
    EXPECT_EQ(Pixel(160, 120), 1);
    EXPECT_EQ(Pixel(479, 359), 240);
    EXPECT_EQ(Pixel(480, 120), 0);   // the pitch's padding is not copied
    EXPECT_EQ(rappels, 1);
    EXPECT_EQ(EtatCinematique, 3);

    // A frame whose surface cannot be locked is logged and dropped.
    s->verrouEchoue = true;
    Message_Envoyer(FenetrePrincipale, MSG_APPLICATION, 2, reinterpret_cast<ParamLong>(&n));
    EXPECT_EQ(arbre.Lire("run/ErreurLock.txt"), "Erreur lockl\n");
    EXPECT_EQ(rappels, 1);

    // End: bit 0 cleared, bit 1 kept.
    Message_Envoyer(FenetrePrincipale, MSG_APPLICATION, 3, 0);
    EXPECT_EQ(EtatCinematique, 2);
    Surface_Liberer(s);

    // A 640-wide frame fills the buffer from the top.
    SurfaceImage* pleine = Surface_Creer(640, 480);
    std::fill(pleine->pixels.begin(), pleine->pixels.end(), uint16_t{0x0042});
    n.image = pleine;
    EtatCinematique = 1;
    RappelCinematique = nullptr;
    Message_Envoyer(FenetrePrincipale, MSG_APPLICATION, 2, reinterpret_cast<ParamLong>(&n));
    EXPECT_EQ(Pixel(0, 0), 0x0042);
    EXPECT_EQ(Pixel(639, 479), 0x0042);
    Surface_Liberer(pleine);
}

TEST_F(FenetreJeu, FermetureEtQuitter) {
    Message_Envoyer(FenetrePrincipale, MSG_FERMER, 0, 0);
    Message m;
    ASSERT_TRUE(Message_Attente(&m));
    EXPECT_EQ(Message_Lire(&m), 0);   // the close posts the quit message
    Message_Envoyer(FenetrePrincipale, MSG_QUITTER, 0, 0);
    EXPECT_EQ(QuitterJeu, 1);
}

TEST(Processeur, MmxSelonLeProcesseur) {
    int mmx = Processeur_Mmx();
    EXPECT_TRUE(mmx == 0 || mmx == 1);
#if defined(__x86_64__)
    EXPECT_EQ(mmx, 1);
#endif
}

}  // namespace

namespace {

// The movie player presents from its own thread: the frame reaches the window through the main thread.
TEST_F(FenetreJeu, PresentationDepuisUnAutreThread) {
    std::fill(EcranTampon, EcranTampon + 640 * 480, uint16_t{0x0123});
    uint64_t avant = Affichage_NombrePresentations();
    std::thread t([] { Ecran_AffichageRappel(1); });
    t.join();
    EXPECT_EQ(Affichage_NombrePresentations(), avant + 1);
    EXPECT_EQ(Presente()[639], 0x0123);
    Pomper();
}

}  // namespace
