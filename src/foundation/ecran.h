// The back buffer, the display mode and the presentation of frames.
#pragma once

#include <array>
#include <cstdint>

#include "platform/affichage.h"
#include "platform/plateforme.h"
#include "platform/texte.h"

// The drawing target handed to every sprite call.
struct EcranSprite {
    uint16_t* pixels = nullptr;
    int32_t pasPixels = 0;
    int32_t clipHaut = 0;
    int32_t clipBas = 0;      // exclusive
    int32_t clipGauche = 0;
    int32_t clipDroite = 0;   // exclusive
    uint8_t marque = 0;       // set by screens after they change the clip rectangle
    uint8_t format[7] = {};   // pixel format descriptor of the target
    int32_t hauteurPixels = 0;   // rows in `pixels`: nothing is drawn below, whatever clipBas says
};

// Pixel format of a surface: 32 bytes, RGB flag, 16 bits, channel masks.
struct FormatPixel {
    uint32_t taille = 32;
    uint32_t drapeaux = 0;
    uint32_t bitsParPixel = 0;
    uint32_t masqueRouge = 0;
    uint32_t masqueVert = 0;
    uint32_t masqueBleu = 0;
    uint32_t masqueAlpha = 0;
    uint32_t reserve = 0;
};

extern int32_t LargeurEcran;
extern int32_t HauteurEcran;
extern uint16_t* EcranTampon;
extern EcranSprite EcranDestination;
extern ContexteTexte* EcranDC;
extern HandleFenetre FenetrePrincipale;
extern void* InstanceApplication;

extern std::array<std::array<int32_t, 32>, 256> TableTexteFondu;
extern int32_t FonduNiveau;
extern int32_t TremblementAmplitude;
extern int32_t MargeDroiteEfface;
extern int32_t ApplicationActive;

// Display objects: the display, and the two surfaces the movie player plays into.
extern bool DirectDrawObjet;
extern SurfaceImage* SurfacePrimaire;
extern SurfaceImage* SurfaceHorsEcran;
extern FormatPixel FormatPixel555;
extern int32_t ResultatDirectX;

void TableTexteFondu_Construction();
int Ecran_ModeVideo(int largeur, int hauteur);
void Ecran_Affichage();
int32_t Ecran_AffichageRappel(int32_t etat);
int Erreur_InitDirectX(HandleFenetre fenetre, const char* texte);
int Processeur_Mmx();
void Ecran_Copie(uint16_t* destination, const uint16_t* source);
void Ecran_CopieCentree(uint16_t* destination, const uint16_t* source, int largeur, int hauteur);
// A largeur x hauteur image of the given pitch, centred on the screen and clipped to it.
void Ecran_CopieImage(uint16_t* destination, const uint16_t* source, int largeur, int hauteur, int pas);
void Ecran_LiberationSurfaces();
int Ecran_InitCinematique(void* instance);
void Ecran_FinCinematique();
void Triche_Enregistrement(const char* code, void (*rappel)());
