// Presentation: the game draws into a 16-bit 5-5-5 back buffer in main memory; a display mode
// is that buffer's size; presenting copies it to the window, scaled to fit with the aspect ratio
// kept (black bars), at an offset (the screen shake). Headless, the presented frame is kept in
// memory so that a script or a test can capture it.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

// Sets the display mode. False when the mode cannot be set.
bool Affichage_ModeVideo(int largeur, int hauteur);
// False for a size no display mode can have (at most 8192 x 8192), known before anything is built.
bool Affichage_ModePossible(int largeur, int hauteur);
int Affichage_Largeur();
int Affichage_Hauteur();

// Copies a largeur x hauteur frame (pitch in pixels) to the window at (dx, dy). May be called
// from another thread: the frame is then handed to the main thread, which shows it.
void Affichage_Presenter(const uint16_t* pixels, int largeur, int hauteur, int pas, int dx, int dy);

// The window's content as last presented (frame size, 5-5-5), and how many presents so far.
std::vector<uint16_t> Affichage_DerniereImage(int* largeur, int* hauteur);
uint64_t Affichage_NombrePresentations();

// Writes the last presented frame as a 24-bit PNG. False on failure.
bool Affichage_CapturerPng(const std::string& chemin);
bool Image_EcrirePng555(const std::string& chemin, const uint16_t* pixels, int largeur, int hauteur);

// Tests: make the next mode changes fail.
void Affichage_SimulerEchec(bool echec);

// Hides the system mouse cursor over the window (the game draws its own).
void Affichage_CacherCurseur();

// A frame surface the movie player decodes into: 5-5-5 pixels, pitch in pixels, locked while used.
struct SurfaceImage {
    int largeur = 0;
    int hauteur = 0;
    int pas = 0;
    std::vector<uint16_t> pixels;
    std::mutex verrou;
    bool verrouEchoue = false;   // tests: the next lock fails
};
SurfaceImage* Surface_Creer(int largeur, int hauteur);
void Surface_Liberer(SurfaceImage* surface);
uint16_t* Surface_Verrouiller(SurfaceImage* surface);   // null when the lock fails
void Surface_Deverrouiller(SurfaceImage* surface);

// Processor: CPUID function 1, EDX; 0 where there is no CPUID.
uint32_t Processeur_Capacites();
// Processor: CPUID function 1, EAX (family in bits 8..11); 0 where there is no CPUID.
uint32_t Processeur_Signature();
