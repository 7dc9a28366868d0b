// The movie launcher: plays one full-screen movie and waits for its end.
#pragma once

#include <atomic>
#include <cstdint>

using RappelFilm = int32_t (*)(int32_t etat);

// Bit 0 while the movie plays, bit 1 asks for it to be played again.
extern std::atomic<int32_t> EtatCinematique;
extern RappelFilm RappelCinematique;

// What the movie player hands the window procedure with each frame.
struct SurfaceImage;
struct NotificationFilm {
    void* film = nullptr;
    SurfaceImage* primaire = nullptr;
    SurfaceImage* arriere = nullptr;
    SurfaceImage* image = nullptr;   // the surface that holds the frame
    uint32_t longueur = 0;
};
