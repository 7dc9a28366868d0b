#include "media/tmtaux.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>

#include "media/tmfilm.h"
#include "media/tmhorloge.h"
#include "platform/affichage.h"
#include "platform/texte.h"

namespace {

// One movie plays at a time; the lock only keeps two that overlap from tearing the figures.
std::mutex verrouChiffres;
TMChiffresTaux chiffres;

const uint32_t COULEUR_TAUX = 255;

// Renders one line into its own surface (black around the text, the key of the blit).
SurfaceImage* RendreLigne(PoliceSysteme* police, const char* texte) {
    ContexteTexte contexte;
    contexte.police = police;
    contexte.couleur = COULEUR_TAUX;
    contexte.fondTransparent = true;
    int largeur = 0, hauteur = 0;
    Texte_Mesurer(&contexte, texte, -1, &largeur, &hauteur);
    SurfaceImage* s = Surface_Creer(largeur, hauteur);
    if (s == nullptr) return nullptr;
    ContexteTexte_Cible(&contexte, s->pixels.data(), s->largeur, s->hauteur, s->pas);
    Texte_Dessiner(&contexte, 0, 0, texte);
    return s;
}

// Copies the line's non-black pixels to (x, y) of the display, clipped.
void BlitCle(SurfaceImage* ecran, SurfaceImage* ligne, int x, int y) {
    uint16_t* pd = Surface_Verrouiller(ecran);
    if (pd == nullptr) return;
    const uint16_t* ps = ligne->pixels.data();
    for (int j = 0; j < ligne->hauteur && y + j < ecran->hauteur; ++j) {
        if (y + j < 0) continue;
        for (int i = 0; i < ligne->largeur && x + i < ecran->largeur; ++i) {
            if (x + i < 0) continue;
            const uint16_t v = ps[static_cast<size_t>(j) * ligne->pas + i];
            if (v != 0) pd[static_cast<size_t>(y + j) * ecran->pas + x + i] = v;
        }
    }
    Surface_Deverrouiller(ecran);
}

}  // namespace

bool TM_CalculerTaux(int32_t mode, uint32_t images, double maintenant, double debut, double controle, double* taux) {
    double ecoule = 0.0, n = 1.0;
    if (mode == 1) {
        ecoule = maintenant - debut;
        n = static_cast<double>(images) + 1.0;
    } else if (mode == 2) {
        ecoule = maintenant - controle;
    } else {
        return false;
    }
    if (!(ecoule > 0.0)) return false;
    *taux = n * 1000.0 / ecoule;
    return true;
}

void TM_NoterTaux(TMChiffresTaux* c, double taux) {
    c->courant = taux;
    if (taux > c->plusHaut && taux < 60.0) c->plusHaut = taux;
    if (taux < c->plusBas && taux > 9.0) c->plusBas = taux;
}

TMChiffresTaux TM_ChiffresTaux() {
    std::lock_guard<std::mutex> g(verrouChiffres);
    return chiffres;
}

void TM_TauxRAZ() {
    std::lock_guard<std::mutex> g(verrouChiffres);
    chiffres = TMChiffresTaux{};
}

void TM_ShowFrameRate(TMMovie* m, TMAffichageTaux* a, SurfaceImage* ecran, double debut, double controle) {
    const int32_t mode = std::atomic_ref<int32_t>(m->reglages.ShowRate).load();
    if (mode != 1 && mode != 2) return;
    TMChiffresTaux c;
    {
        std::lock_guard<std::mutex> g(verrouChiffres);
        double taux = 0.0;
        if (TM_CalculerTaux(mode, m->lecteur.imagesShown, TM_Now(), debut, controle, &taux)) TM_NoterTaux(&chiffres, taux);
        c = chiffres;
    }
    if (ecran == nullptr) return;
    if (a->police == nullptr) a->police = Police_Creer("Courier New", 12, 700);
    if (a->police == nullptr) return;
    const double valeurs[3] = {c.plusHaut, c.courant, c.plusBas};
    for (int i = 0; i < 3; ++i) {
        char texte[32];
        std::snprintf(texte, sizeof texte, "%6.2f", valeurs[i]);
        Surface_Liberer(a->lignes[i]);
        a->lignes[i] = RendreLigne(a->police, texte);
        if (a->lignes[i] != nullptr) BlitCle(ecran, a->lignes[i], 0, 12 * i);
    }
}

SurfaceImage* TM_ImageAvecTaux(TMMovie* m, TMAffichageTaux* a, SurfaceImage* image, double debut, double controle) {
    const int32_t mode = std::atomic_ref<int32_t>(m->reglages.ShowRate).load();
    if ((mode != 1 && mode != 2) || image == nullptr) return image;
    if (a->copie == nullptr || a->copie->largeur != image->largeur || a->copie->hauteur != image->hauteur) {
        Surface_Liberer(a->copie);
        a->copie = Surface_Creer(image->largeur, image->hauteur);
        if (a->copie == nullptr) return image;
    }
    const uint16_t* source = Surface_Verrouiller(image);
    if (source == nullptr) return image;
    uint16_t* destination = Surface_Verrouiller(a->copie);
    if (destination == nullptr) {
        Surface_Deverrouiller(image);
        return image;
    }
    for (int y = 0; y < image->hauteur; ++y)
        std::copy_n(source + static_cast<size_t>(y) * image->pas, image->largeur,
                    destination + static_cast<size_t>(y) * a->copie->pas);
    Surface_Deverrouiller(a->copie);
    Surface_Deverrouiller(image);
    TM_ShowFrameRate(m, a, a->copie, debut, controle);
    return a->copie;
}

void TM_LibererTaux(TMAffichageTaux* a) {
    for (SurfaceImage*& s : a->lignes) {
        Surface_Liberer(s);
        s = nullptr;
    }
    Surface_Liberer(a->copie);
    a->copie = nullptr;
    Police_Liberer(a->police);
    a->police = nullptr;
}
