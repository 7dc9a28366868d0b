#include "foundation/ecran.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "foundation/cinematique.h"
#include "foundation/erreurs.h"
#include "foundation/son.h"
#include "media/tminterface.h"
#include "platform/hasard.h"
#include "shell/trame.h"
#include "world/univers.h"

int32_t LargeurEcran = 0;
int32_t HauteurEcran = 0;
uint16_t* EcranTampon = nullptr;
EcranSprite EcranDestination;
ContexteTexte* EcranDC = nullptr;
HandleFenetre FenetrePrincipale = nullptr;
void* InstanceApplication = nullptr;

std::array<std::array<int32_t, 32>, 256> TableTexteFondu{};
int32_t FonduNiveau = 0;
int32_t TremblementAmplitude = 0;
int32_t MargeDroiteEfface = 0;
int32_t ApplicationActive = 0;

bool DirectDrawObjet = false;
SurfaceImage* SurfacePrimaire = nullptr;
SurfaceImage* SurfaceHorsEcran = nullptr;
FormatPixel FormatPixel555;
int32_t ResultatDirectX = 0;

namespace {
std::vector<uint16_t> tamponEcran;   // owns EcranTampon
}

void TableTexteFondu_Construction() {
    for (int n = 0; n < 256; ++n)
        for (int c = 0; c < 32; ++c) TableTexteFondu[n][c] = ((255 - n) * c + n * 31) / 255;
}

int Erreur_InitDirectX(HandleFenetre fenetre, const char* texte) {
    Plateforme_BoiteSysteme("Erreur d'initialisation DIRECT X", texte);
    Fenetre_Detruire(fenetre);
    return 0;
}

void Ecran_LiberationSurfaces() {
    if (SurfaceHorsEcran) {
        Surface_Liberer(SurfaceHorsEcran);
        SurfaceHorsEcran = nullptr;
    }
    if (SurfacePrimaire) {
        Surface_Liberer(SurfacePrimaire);
        SurfacePrimaire = nullptr;
    }
}

int Ecran_ModeVideo(int largeur, int hauteur) {
    // Nothing to rebuild only when a buffer of that size already exists.
    if (EcranTampon != nullptr && LargeurEcran == largeur && HauteurEcran == hauteur) return 1;
    Ecran_LiberationSurfaces();
    if (EcranDC == nullptr) return 0;
    if (largeur <= 0 || hauteur <= 0) return Erreur_InitDirectX(FenetrePrincipale, "CreateDIBSection");
    // A size beyond the display's limit is refused before its buffer is allocated.
    if (!Affichage_ModePossible(largeur, hauteur)) {
        Erreur_Question("Direct Draw", "impossible d'obtenir le mode vidéo");
        return Erreur_InitDirectX(FenetrePrincipale, "setdisplaymode");
    }
    std::vector<uint16_t> nouveau;
    try {
        nouveau.assign(static_cast<size_t>(largeur) * static_cast<size_t>(hauteur), 0);
    } catch (const std::bad_alloc&) {
        return Erreur_InitDirectX(FenetrePrincipale, "CreateDIBSection");
    }
    DirectDrawObjet = true;
    if (!Affichage_ModeVideo(largeur, hauteur)) {
        Erreur_Question("Direct Draw", "impossible d'obtenir le mode vidéo");
        return Erreur_InitDirectX(FenetrePrincipale, "setdisplaymode");
    }
    // The size is committed only now that the mode is set.
    tamponEcran.swap(nouveau);
    EcranTampon = tamponEcran.data();
    ContexteTexte_Cible(EcranDC, EcranTampon, largeur, hauteur, largeur);
    Ecran__Geometrie(largeur, hauteur);
    FormatPixel555 = FormatPixel{};
    FormatPixel555.taille = 32;
    FormatPixel555.drapeaux = 0x40;   // RGB
    FormatPixel555.bitsParPixel = 16;
    FormatPixel555.masqueRouge = 0x7C00;
    FormatPixel555.masqueVert = 0x03E0;
    FormatPixel555.masqueBleu = 0x001F;
    SurfacePrimaire = Surface_Creer(largeur, hauteur);
    if (SurfacePrimaire == nullptr) return Erreur_InitDirectX(FenetrePrincipale, "create surface");
    SurfaceHorsEcran = Surface_Creer(largeur, hauteur);
    if (SurfaceHorsEcran == nullptr) return Erreur_InitDirectX(FenetrePrincipale, "create offscreen surface");
    Son__EcouteurRAZ();
    Ecran_InitCinematique(InstanceApplication);
    return 1;
}

void Ecran_Affichage() {
    if (EcranTampon == nullptr) return;
    const int largeur = LargeurEcran, hauteur = HauteurEcran;
    // The view, clamped to the buffer.
    const int bas = std::clamp(EcranDestination.clipBas, 0, hauteur);
    const int droite = std::clamp(EcranDestination.clipDroite, 0, largeur);
    const int niveau = std::clamp(FonduNiveau, 0, 255);
    if (niveau > 0) {
        const auto& table = TableTexteFondu[niveau];
        for (int y = 0; y < bas; ++y) {
            uint16_t* p = EcranTampon + static_cast<size_t>(y) * largeur;
            for (int x = 0; x < droite; ++x) {
                uint16_t v = p[x];
                p[x] = static_cast<uint16_t>((table[(v >> 10) & 31] << 10) | (table[(v >> 5) & 31] << 5) | table[v & 31]);
            }
        }
    }
    if (MargeDroiteEfface) {
        for (int y = 0; y < hauteur; ++y)
            std::fill(EcranTampon + static_cast<size_t>(y) * largeur + droite,
                      EcranTampon + static_cast<size_t>(y + 1) * largeur, uint16_t{0});
    }
    if (ApplicationActive && EcranDC != nullptr) {
        int dx = 0, dy = 0;
        if (JeuEnPause == 0 && TremblementAmplitude >= 1) {
            dx = Hasard_Visuel() % TremblementAmplitude;
            dy = Hasard_Visuel() % TremblementAmplitude;
        }
        Affichage_Presenter(EcranTampon, largeur, hauteur, largeur, dx, dy);
    }
}

int32_t Ecran_AffichageRappel(int32_t) {
    Ecran_Affichage();
    return 1;
}

int Processeur_Mmx() { return (Processeur_Capacites() >> 23) & 1; }

void Ecran_Copie(uint16_t* destination, const uint16_t* source) {
    if (destination == nullptr || source == nullptr) return;
    std::memcpy(destination, source, static_cast<size_t>(LargeurEcran) * static_cast<size_t>(HauteurEcran) * 2);
}

void Ecran_CopieImage(uint16_t* destination, const uint16_t* source, int largeur, int hauteur, int pas) {
    if (destination == nullptr || source == nullptr || largeur <= 0 || hauteur <= 0 || pas < largeur) return;
    int x0 = (LargeurEcran - largeur) / 2;
    int y0 = (HauteurEcran - hauteur) / 2;
    // Clipped to both: an image larger than the screen shows its middle.
    int sx = x0 < 0 ? -x0 : 0, sy = y0 < 0 ? -y0 : 0;
    int dx = std::max(x0, 0), dy = std::max(y0, 0);
    int n = std::min(largeur - sx, LargeurEcran - dx);
    int lignes = std::min(hauteur - sy, HauteurEcran - dy);
    for (int y = 0; y < lignes; ++y)
        std::memcpy(destination + static_cast<size_t>(dy + y) * LargeurEcran + dx,
                    source + static_cast<size_t>(sy + y) * pas + sx, static_cast<size_t>(n) * 2);
}

void Ecran_CopieCentree(uint16_t* destination, const uint16_t* source, int largeur, int hauteur) {
    Ecran_CopieImage(destination, source, largeur, hauteur, largeur);
}

// A new movie object for the new display, with the game's window, surfaces and sound.
int Ecran_InitCinematique(void* instance) {
    if (FilmCourant != nullptr) TM_Delete(FilmCourant);
    FilmCourant = TM_Create();
    ParametresFilm = TMPlayParams{};
    ParametresFilm.instance = instance;
    ParametresFilm.indexMotFenetre = -21;
    ParametresFilm.fenetre = FenetrePrincipale;
    ParametresFilm.message = static_cast<int32_t>(MSG_APPLICATION);
    ParametresFilm.directDraw = DirectDrawObjet ? &DirectDrawObjet : nullptr;
    ParametresFilm.directDraw2 = nullptr;
    ParametresFilm.primaire = SurfacePrimaire;
    ParametresFilm.arriere = SurfaceHorsEcran;
    ParametresFilm.formatPixel = &FormatPixel555;
    ParametresFilm.directSound = static_cast<SonObjet*>(ObjetDirectSound);
    const int32_t affichageTaux = ReglagesFilm.ShowRate;   // F2's choice holds for the session
    TM_GetDefaultSettings(&ReglagesFilm);
    ReglagesFilm.ShowRate = affichageTaux;
    ReglagesFilm.SoundSync = 1;
    ReglagesFilm.DropLate = 1;
    ReglagesFilm.FullScreen = 1;
    ReglagesFilm.SoundOn = ObjetDirectSound != nullptr ? 1 : 0;
    return TM_Init(FilmCourant, &ReglagesFilm);
}

void Ecran_FinCinematique() {
    if (FilmCourant == nullptr) return;
    TM_Delete(FilmCourant);
    FilmCourant = nullptr;
}

void Triche_Enregistrement(const char*, void (*)()) {}
