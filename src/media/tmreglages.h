// The movie player's records that its caller owns: the settings and the play parameters, and
// the library's result codes. Every movie function returns 0 or one of these negative codes.
#pragma once

#include <cstdint>

#include "platform/plateforme.h"

struct SurfaceImage;
struct FormatPixel;
struct SonObjet;

// Result codes of the movie library.
enum : int32_t {
    TM_OK = 0,
    TM_ERR_IMGLENMAX = -2,          // the header's largest image length is 0
    TM_ERR_BLOC_INCONNU = -3,       // unknown block id
    TM_ERR_PAS_RVF6 = -4,           // not an RVF6 file
    TM_ERR_MEMOIRE = -5,
    TM_ERR_SURFACE_NULLE = -6,      // null surface or null output argument
    TM_ERR_PAS_DE_FICHIER = -7,
    TM_ERR_LONGUEUR_NULLE = -11,    // a block or block set of length 0, or nothing left to read
    TM_ERR_BITS = -13,              // bits per pixel not supported, or no usable display depth
    TM_ERR_LARGEUR = -14,
    TM_ERR_ANNEAU_VIDE = -15,       // a ring has no entries yet
    TM_ERR_ARRETE = -16,            // stopped while waiting
    TM_ERR_THREAD = -17,
    TM_ERR_EVENEMENT = -18,
    TM_ERR_PAS_DE_CODEC = -19,
    TM_ERR_CODEC_DEJA_CHARGE = -20, // accepted by the start
    TM_ERR_EXPORT_CODEC = -21,
    TM_ERR_CODEC_NON_CHARGE = -22,
    TM_ERR_DIRECTDRAW = -23,        // the display call's result is left in lastdxerror
    TM_ERR_PAS_DE_FENETRE = -24,
    TM_ERR_DIRECTSOUND = -25,       // the sound call's result is left in lastdxerror
    TM_ERR_PAS_DE_FLUX = -27,       // no sound stream buffer
    TM_ERR_PRIORITE = -28,
    TM_ERR_APC = -29,
    TM_ERR_TAILLE_ABSENTE = -30,
    TM_ERR_PAS_D_INSTANCE = -31,
    TM_ERR_CLASSE = -32,
    TM_ERR_PAS_DE_DIRECTDRAW = -33,
    TM_ERR_DEPLACEMENT = -34,       // seek offset outside the file
    TM_ERR_PCP_NUL = -35,
    TM_ERR_INDEX_FENETRE = -36,
    TM_ERR_MOT_FENETRE = -37,
    TM_ERR_PAS_DE_DIRECTSOUND = -38,
    TM_ERR_INIT_CODEC = -46,
};

// The result of the last checked display or sound call of the library.
extern int32_t lastdxerror;

// Settings: nineteen 32-bit words, copied whole into the movie by TM_Init.
struct TMSettings {
    int32_t ReadBuffers = 0;        // read-ahead buffers of the file fetcher
    int32_t ReadBufferKB = 0;       // size of each, in KB
    int32_t ReadPriority = 0;       // -2..2
    float FrameRate = 0.0f;         // frames per second; the sound's rate replaces it
    float SoundFrameRate = 0.0f;    // worked out from the first sound block
    int32_t SoundSync = 0;
    int32_t WaitVbl = 0;
    int32_t ShowRate = 0;           // 0 none, 1 average, 2 instantaneous
    int32_t DropLate = 0;           // a late frame is not shown
    int32_t Freeze = 0;             // step mode
    int32_t BltWait = 0;
    int32_t FullScreen = 0;         // 0: windowed set-up; else full screen or the caller's surfaces
    int32_t SoundOn = 0;
    int32_t SoundSegments = 0;      // notification segments of the sound stream buffer
    int32_t SoundBufferBlocks = 0;  // stream buffer size in sound blocks
    int32_t SoundBlocks = 0;        // entries of the decoded sound ring
    int32_t ImageBlocks = 0;        // entries of the image block ring
    int32_t Surfaces = 0;           // entries of the surface ring
    int32_t reserve = 0;
};
static_assert(sizeof(TMSettings) == 19 * 4);

// The library's defaults (FullScreen and the reserved word untouched).
void TMSettings_GetDefaults(TMSettings* reglages);

// Play parameters, filled by the caller for each start.
struct TMPlayParams {
    void* instance = nullptr;
    int32_t indexMotFenetre = -21;     // where the window keeps the movie: -21 user data, or 0, 4, ...
    HandleFenetre fenetre = nullptr;   // null: the player shows the movie itself
    int32_t message = -1;              // notification message; -1: none, the start waits for the end
    void* directDraw = nullptr;
    void* directDraw2 = nullptr;
    SurfaceImage* primaire = nullptr;
    SurfaceImage* arriere = nullptr;
    const FormatPixel* formatPixel = nullptr;
    SonObjet* directSound = nullptr;
};

// The codes of the notifications the player sends to its caller's window procedure.
enum : uint32_t { TM_NOTIF_DEBUT_SUITE = 0, TM_NOTIF_DEBUT = 1, TM_NOTIF_IMAGE = 2, TM_NOTIF_FIN = 3 };

// What a notification carries in its second parameter: the movie and the display's surfaces;
// with a frame, the surface that holds it and the image block's data length.
struct NotificationFilm {
    void* film = nullptr;
    SurfaceImage* primaire = nullptr;
    SurfaceImage* arriere = nullptr;
    SurfaceImage* image = nullptr;
    uint32_t longueur = 0;
};
