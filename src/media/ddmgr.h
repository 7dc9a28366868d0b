// The movie player's display: the window it shows in, the primary and back surfaces (the
// caller's or its own), the display's pixel format, the full-screen mode, off-screen frame
// surfaces, and blits and flips through our presentation. Its surfaces are 5-5-5.
#pragma once

#include <cstdint>

#include "foundation/ecran.h"
#include "media/dxdiag.h"
#include "media/tmsync.h"
#include "platform/affichage.h"
#include "platform/plateforme.h"

struct DDMgr {
    uint32_t flags = 0;      // bit 0 display object, 1 instance, 2 window, 6 primary, 9 cooperation,
                             // 12 back surface, 16 size, 22 pixel format
    uint32_t ownFlags = 0;   // bit 6 primary made here, 9 cooperation changed here, 13 full-screen set-up
    void* directDraw = nullptr;
    void* instance = nullptr;
    HandleFenetre fenetre = nullptr;
    SurfaceImage* primaire = nullptr;
    SurfaceImage* arriere = nullptr;
    int32_t largeur = 0, hauteur = 0, bits = 0;   // the size rectangle and depth
    int32_t clientGauche = 0, clientHaut = 0, clientLargeur = 0, clientHauteur = 0;
    FormatPixel format;
    AnalyseFormat analyse;
};

void DDMgr_Reset(DDMgr* m);
void DDMgr_SetInstance(DDMgr* m, void* instance);
void DDMgr_SetSize(DDMgr* m, int32_t largeur, int32_t hauteur, int32_t bits);
// 0, -30 no size, -31 no instance. Null: the presentation's window.
int32_t DDMgr_CreateWindow(DDMgr* m, HandleFenetre fenetre);
// Takes the caller's display object or makes our own: 0.
int32_t DDMgr_SetDirectDraw(DDMgr* m, void* objet);
void DDMgr_SetSurfaces(DDMgr* m, SurfaceImage* primaire, SurfaceImage* arriere);
void DDMgr_SetPrimaryGiven(DDMgr* m, bool donne);
// With a format: analysed; without: the display's own 5-5-5. 0, or -13 for a format refused.
int32_t DDMgr_SetPixelFormat(DDMgr* m, const FormatPixel* format);
// Windowed set-up: a primary of the window's size unless one was given. 0, -33, -24, -23.
int32_t DDMgr_SetMode(DDMgr* m, bool fenetre);
// Full-screen set-up: the mode for the movie's size (640 x 480 when that fails), a primary and a
// back surface unless given. 0, -33, -24, -23.
int32_t DDMgr_CreateSurfaces(DDMgr* m, bool pleinEcran);
// 15, 16 or 24; 0 without a primary or for any other depth.
int32_t DDMgr_GetRGBBits(const DDMgr* m);
HandleFenetre DDMgr_GetWindow(const DDMgr* m);
int32_t DDMgr_GetWidth(const DDMgr* m);
// An off-screen surface in the display's format: 0, -6 no out pointer, -23.
int32_t DDMgr_CreateOffscreen(DDMgr* m, int32_t largeur, int32_t hauteur, SurfaceImage** surface);
// The whole surface centred in the back surface, or presented at the window's origin. 0, -6, -23.
int32_t DDMgr_BltFrame(DDMgr* m, SurfaceImage* surface);
// The back surface to the window: 0, or -23 without one.
int32_t DDMgr_Flip(DDMgr* m);
// Releases what was made here (never the caller's surfaces) and clears every flag: 0.
int32_t DDMgr_ReleaseSurfaces(DDMgr* m);

// The decoded frames on off-screen surfaces: the codec reads the previous one and fills the current.
struct TMSurfaceRing {
    int32_t count = 0;
    int32_t current = -1;
    int32_t previous = 0;
    SurfaceImage** entries = nullptr;

    // 0, -5, or the surface error.
    int32_t Create(DDMgr* m, int32_t nombre, int32_t largeur, int32_t hauteur);
    uint16_t* LockCurrent();    // null on failure
    uint16_t* LockPrevious();
    void UnlockCurrent();
    void UnlockPrevious();
    SurfaceImage* CurrentSurface() const;
    // Blits the current frame and moves on: 0 or the blit's error.
    int32_t ShowCurrent(DDMgr* m);
    void Advance();
    void Free();
    ~TMSurfaceRing() { Free(); }
};
