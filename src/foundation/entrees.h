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
// The modifiers (MODIF_MAJ, MODIF_CTRL, MODIF_ALT) held when the key of ToucheCaractere went down.
extern uint32_t ToucheCaractereModificateurs;

// Text entry. While SaisieEnCours is set, keys go to the text only: the character, Backspace,
// Return and Escape; no other key flag is set and no key acts on the game.
extern int32_t SaisieEnCours;
extern int32_t SaisieValidee;
extern int32_t ToucheEntreeTexte;

// A text entry open for the life of the object; it leaves SaisieEnCours and SaisieValidee as
// it found them.
class SaisieTexteOuverte {
  public:
    SaisieTexteOuverte() : encours_(SaisieEnCours), validee_(SaisieValidee) { SaisieEnCours = 1; }
    ~SaisieTexteOuverte() {
        SaisieEnCours = encours_;
        SaisieValidee = validee_;
    }
    SaisieTexteOuverte(const SaisieTexteOuverte&) = delete;
    SaisieTexteOuverte& operator=(const SaisieTexteOuverte&) = delete;

  private:
    int32_t encours_, validee_;
};

// Flags that only resets touch.
extern int32_t ToucheF11, ToucheF12, ToucheReserve1, ToucheReserve2, ToucheCtrlEtat;
extern int32_t ToucheAMarque;

// Set when the quit message has been seen.
extern int32_t QuitterJeu;

// A key-down with the modifiers held at that moment (Shift makes a letter's character a capital).
void Clavier_Touche(uint32_t toucheVirtuelle, uint32_t modificateurs = 0);
// The modifier is held for the command input. A pending digit (whose command the modifiers choose)
// is read with the modifiers of its own key-down; otherwise as the key messages taken so far
// leave them.
bool Clavier_Modificateur(uint32_t modificateur);
void Entrees_RAZ();
// The input half of the window procedure; false when the message is not an input message.
bool Entrees_Message(HandleFenetre fenetre, uint32_t message, ParamMot w, ParamLong l, intptr_t* resultat);
