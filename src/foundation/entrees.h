// The input state written by the window procedure and polled by the game: mouse, keys, text entry.
#pragma once

#include <cstdint>

#include "platform/plateforme.h"

// Mouse.
extern int32_t SourisX;
extern int32_t SourisY;
extern int32_t BoutonGauche;
extern int32_t BoutonGaucheEtat;
extern int32_t ClicGauche;
extern int32_t BoutonDroit;
extern int32_t ClicDroitEtat;
extern int32_t Glissement;

// Keys: 1 after a key-down, cleared by the reader or by Entrees_RAZ.
extern int32_t ToucheRetourArriere, ToucheTab, ToucheEntree, ToucheMaj, ToucheCtrl, ToucheEchap, ToucheEspace;
extern int32_t TouchePageHaut, TouchePageBas, ToucheFin, ToucheDebut, ToucheGauche, ToucheHaut, ToucheDroite,
    ToucheBas, ToucheInser, ToucheSuppr;
extern int32_t Touche0, Touche1, Touche2, Touche3, Touche4, Touche5, Touche6, Touche7, Touche8, Touche9;
extern int32_t ToucheA, ToucheB, ToucheC, ToucheD, ToucheE, ToucheF, ToucheG, ToucheH, ToucheI, ToucheJ, ToucheK,
    ToucheL, ToucheM, ToucheN, ToucheO, ToucheP, ToucheQ, ToucheR, ToucheS, ToucheT, ToucheU, ToucheV, ToucheW,
    ToucheX, ToucheY, ToucheZ;
extern int32_t ToucheEtoile, TouchePlus, ToucheMoins, ToucheSlash;
extern int32_t ToucheF1, ToucheF2, ToucheF3, ToucheF4, ToucheF5, ToucheF6, ToucheF7, ToucheF8, ToucheF9, ToucheF10;
extern int32_t ToucheCaractere;

// Text entry.
extern int32_t SaisieEnCours;
extern int32_t SaisieValidee;
extern int32_t ToucheEntreeTexte;

// Flags that only resets touch.
extern int32_t ToucheF11, ToucheF12, ToucheReserve1, ToucheReserve2, ToucheCtrlEtat;
extern int32_t ToucheAMarque;

// Set when the quit message has been seen.
extern int32_t QuitterJeu;

void Clavier_Touche(uint32_t toucheVirtuelle);
void Entrees_RAZ();
// The input half of the window procedure; false when the message is not an input message.
bool Entrees_Message(HandleFenetre fenetre, uint32_t message, ParamMot w, ParamLong l, intptr_t* resultat);
