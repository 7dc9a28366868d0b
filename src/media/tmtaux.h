// The movie player's frame-rate display (F2 in its own window cycles it): the average or the
// instantaneous rate, with the highest and lowest seen, three lines drawn over the frame just shown.
// The figures belong to the library and are kept from one movie to the next.
#pragma once

#include <cstdint>

struct PoliceSysteme;
struct SurfaceImage;
struct TMMovie;

struct TMChiffresTaux {
    double courant = 0.0;
    double plusHaut = -9999.0;
    double plusBas = 9999.0;
};

// The rate for a display mode, clock in ms: 1 the average, (images + 1) x 1000 / (maintenant -
// debut); 2 the instantaneous, 1000 / (maintenant - controle). False for any other mode, or when
// no time has passed (no figure then).
bool TM_CalculerTaux(int32_t mode, uint32_t images, double maintenant, double debut, double controle, double* taux);
// A new rate becomes the current one; it raises the highest only when below 60 and lowers the
// lowest only when above 9.
void TM_NoterTaux(TMChiffresTaux* chiffres, double taux);

// The library's figures, and (tests) their start values back.
TMChiffresTaux TM_ChiffresTaux();
void TM_TauxRAZ();

// What the image sender keeps for the display: the font, made on first use, one text surface
// per line, and the copy of the frame that a caller is handed with the figures over it.
struct TMAffichageTaux {
    PoliceSysteme* police = nullptr;
    SurfaceImage* lignes[3] = {nullptr, nullptr, nullptr};
    SurfaceImage* copie = nullptr;
};

// By the movie's ShowRate: works out the rate from `debut` (the clock's start) or `controle` (the
// time read at this frame's pacing check) and draws highest, current and lowest ("%6.2f") at x 0,
// y 0, 12 and 24 over `ecran`, in colour 255. Mode 0 draws nothing.
void TM_ShowFrameRate(TMMovie* m, TMAffichageTaux* affichage, SurfaceImage* ecran, double debut, double controle);
// The frame to hand a caller: with the display on, a copy of `image` with the figures drawn over
// it (the decoded frame stays as it is, the next one is decoded against it), else `image` itself.
SurfaceImage* TM_ImageAvecTaux(TMMovie* m, TMAffichageTaux* affichage, SurfaceImage* image, double debut, double controle);
// Releases the text surfaces, the copy and the font (the image sender's end).
void TM_LibererTaux(TMAffichageTaux* affichage);
