// The "cdaudio" device: a virtual drive whose tracks are sound files in a folder of the game
// tree, "..\Musique\Piste02.wav" for track 2 (RIFF WAVE, PCM 8 or 16 bits, mono or stereo),
// played through the sound service's mixer at the music level (auxiliary device 1). Without
// the folder there is no drive: opening fails as on a machine with no CD drive.
#pragma once

#include <cstdint>

#include "platform/plateforme.h"

constexpr const char* CD_DOSSIER = "..\\Musique";
constexpr const char* CD_MOTIF_PISTE = "..\\Musique\\Piste%02d.wav";

// Results: 0 on success, else an error whose text CD_TexteErreur gives.
enum : int32_t {
    CD_OK = 0,
    CD_ERREUR_PAS_DE_LECTEUR = 1,
    CD_ERREUR_TYPE = 2,
    CD_ERREUR_PERIPHERIQUE = 3,
    CD_ERREUR_PISTE = 4,
    CD_ERREUR_PARAMETRE = 5,
    CD_ERREUR_SON = 6,
    CD_ERREUR_ETAT = 7,
};

// Time formats; positions in tracks-minutes-seconds-frames hold the track in their low byte.
enum : uint32_t { CD_FORMAT_MILLISECONDES = 0, CD_FORMAT_TMSF = 10 };
inline uint32_t CD_Tmsf(uint32_t piste) { return piste & 0xFF; }
// wParam of the notification message MSG_CD_NOTIFICATION (lParam: the device id).
enum : uint32_t { CD_NOTIFICATION_REUSSIE = 1 };

// Opens the device of type "cdaudio"; *id receives its id (never 0).
int32_t CD_Ouvrir(const char* type, uint32_t* id);
int32_t CD_Fermer(uint32_t id);
int32_t CD_FormatTemps(uint32_t id, uint32_t format);
// Plays from the start of track `de` to the start of track `a` (in TMSF); when it plays to its
// end, MSG_CD_NOTIFICATION with CD_NOTIFICATION_REUSSIE is posted to `fenetre` (if not null).
int32_t CD_Jouer(uint32_t id, HandleFenetre fenetre, uint32_t de, uint32_t a);
int32_t CD_Arreter(uint32_t id);
int32_t CD_Pause(uint32_t id);
// Goes on from a pause (a playing track is left as it is); fails when nothing is paused.
int32_t CD_Reprendre(uint32_t id);
// The text of an error, cut to `taille` bytes with its terminating zero; false for an unknown code.
bool CD_TexteErreur(int32_t code, char* texte, uint32_t taille);
// The track playing (0 for none) and whether it is paused.
uint32_t CD_PisteEnCours(uint32_t id, bool* enPause = nullptr);
