// State shared by the platform's own sources; nothing of the game includes this.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "platform/plateforme.h"

namespace plateforme {

struct Etat {
    bool initialise = false;
    bool sansTete = true;
    bool fenetre = false;
    std::string dossierCapture;
    SDL_Window* fenetreSdl = nullptr;
    SDL_Renderer* rendu = nullptr;
    SDL_Texture* texture = nullptr;
    int largeur = 0;   // display mode
    int hauteur = 0;
    HandleFenetre principale = nullptr;
};

Etat& etat();

// Presentation side, called by the message pump on the main thread.
void AfficherImageEnAttente();
void LibererAffichage();
// Presents since the last message was taken (a capture waits for the frame that follows input).
uint64_t PresentationsDepuisMessage();
void MessagePris();
// Headless: the sound service mixes what is due up to the current tick (son.cpp).
void SonRattraper();

}  // namespace plateforme

void Temps_ModeManuel(bool actif);
