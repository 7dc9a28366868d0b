// The sound service: a sound device with a primary buffer and secondary buffers (PCM data,
// lock and write, play once or looping, stop, volume in hundredths of a decibel, pan, frequency,
// play position, status), 3D buffers placed around one listener (inverse-distance law, pan from
// the listener's frame), position notifications, and two auxiliary volume devices that scale
// the music and the sounds. Our own mixer (sonmixeur.h) does the work: in the SDL2 audio
// callback, or, headless, on the manual clock with no device at all.
//
// MORVANE_AUDIO_CAPTURE=<file.wav> writes everything the mixer produced to a 16-bit stereo WAV.
#pragma once

#include <cstdint>

#include "platform/plateforme.h"
#include "platform/sonriff.h"

struct SonObjet;     // an opened sound device
struct TamponSon;    // a buffer of it (the primary buffer or a secondary one)
struct EcouteurSon;  // the listener, reached through a 3D primary buffer

// Results: 0 on success, a negative code otherwise.
enum : int32_t {
    SON_OK = 0,
    SON_ERREUR_PARAMETRE = -1,
    SON_ERREUR_PERIPHERIQUE = -2,   // no device, or it could not be opened
    SON_ERREUR_MEMOIRE = -3,
    SON_ERREUR_FORMAT = -4,         // a format the mixer cannot play
    SON_ERREUR_INTERDIT = -5,       // the operation does not apply to this buffer
};

// Buffer creation flags.
enum : uint32_t {
    TAMPON_PRIMAIRE = 0x1,
    TAMPON_STATIQUE = 0x2,
    TAMPON_CTRL_3D = 0x10,
    TAMPON_CTRL_FREQUENCE = 0x20,
    TAMPON_CTRL_PAN = 0x40,
    TAMPON_CTRL_VOLUME = 0x80,
    TAMPON_CTRL_NOTIFICATION = 0x100,
    TAMPON_POSITION2 = 0x10000,
    TAMPON_MUET_DISTANCE_MAX = 0x20000,
};

// Status bits; lock flag; play flag; the notification offset that means "when it stops".
enum : uint32_t { ETAT_JOUE = 1, ETAT_PERDU = 2, ETAT_BOUCLE = 4 };
enum : uint32_t { VERROU_TOUT = 2 };
enum : uint32_t { JOUER_BOUCLE = 1 };
constexpr uint32_t NOTIFICATION_ARRET = 0xFFFFFFFFu;

// Levels: pan and volume bounds, in hundredths of a decibel; frequency bounds in Hz.
constexpr int32_t VOLUME_MIN = -10000, VOLUME_MAX = 0, PAN_GAUCHE = -10000, PAN_DROITE = 10000;
constexpr uint32_t FREQUENCE_MIN = 100, FREQUENCE_MAX = 100000;

// Placement of a 3D buffer.
struct PlacementSon3D {
    float position[3] = {0, 0, 0};
    float vitesse[3] = {0, 0, 0};
    uint32_t angleConeInterieur = 360;
    uint32_t angleConeExterieur = 360;
    float orientationCone[3] = {0, 0, 1};
    int32_t volumeExterieurCone = 0;
    float distanceMin = 1.0f;
    float distanceMax = 1e9f;
    uint32_t mode = 0;   // 0 normal, 1 relative to the listener's head, 2 no 3D processing
};

// The listener: position, facing (front and top) and factors.
struct ParametresEcouteurSon {
    float position[3] = {0, 0, 0};
    float vitesse[3] = {0, 0, 0};
    float avant[3] = {0, 0, 1};
    float haut[3] = {0, 1, 0};
    float facteurDistance = 1.0f;
    float facteurAttenuation = 1.0f;
    float facteurDoppler = 1.0f;
};

// What a device says of itself.
struct DescriptionPeripheriqueSon {
    char description[64] = {};
    char module[32] = {};
};
struct CapacitesSon {
    uint32_t drapeaux = 0;
    uint32_t frequenceMin = FREQUENCE_MIN;
    uint32_t frequenceMax = FREQUENCE_MAX;
    uint32_t voixMax = 0;   // 0: no limit
};
constexpr uint32_t HAUT_PARLEURS_STEREO = 4;

// Devices. There is one ("the default device") unless sound is absent.
int SonPeripheriques_Nombre();
bool SonPeripherique_Description(int index, DescriptionPeripheriqueSon* description);

// Opens device `index` (a device object). When not headless this starts SDL's audio.
int32_t SonObjet_Creer(int index, SonObjet** objet);
void SonObjet_Liberer(SonObjet* objet);
int32_t SonObjet_Capacites(SonObjet* objet, CapacitesSon* capacites);
int32_t SonObjet_HautParleurs(SonObjet* objet, uint32_t* configuration);
int32_t SonObjet_NiveauCooperation(SonObjet* objet, HandleFenetre fenetre, uint32_t niveau);
// A primary buffer (TAMPON_PRIMAIRE, no format, no size) or a secondary one. A secondary buffer
// must be PCM of 8 or 16 bits, mono or stereo, FREQUENCE_MIN..FREQUENCE_MAX Hz.
int32_t SonObjet_CreerTampon(SonObjet* objet, uint32_t drapeaux, uint32_t octets, const FormatOnde* format,
                             TamponSon** tampon);

void TamponSon_Liberer(TamponSon* tampon);
// The primary buffer's format sets the mixer's output rate.
int32_t TamponSon_FormatPrimaire(TamponSon* primaire, const FormatOnde* format);
int32_t TamponSon_Verrouiller(TamponSon* tampon, uint32_t debut, uint32_t octets, uint32_t drapeaux, void** partie1,
                              uint32_t* octets1, void** partie2, uint32_t* octets2);
int32_t TamponSon_Deverrouiller(TamponSon* tampon, void* partie1, uint32_t octets1, void* partie2, uint32_t octets2);
int32_t TamponSon_Restaurer(TamponSon* tampon);
// Plays from the current position (once, or looping with JOUER_BOUCLE); stop keeps the position.
int32_t TamponSon_Jouer(TamponSon* tampon, uint32_t drapeaux);
int32_t TamponSon_Arreter(TamponSon* tampon);
int32_t TamponSon_Etat(TamponSon* tampon, uint32_t* etat);
int32_t TamponSon_Volume(TamponSon* tampon, int32_t centiemesDb);
int32_t TamponSon_Pan(TamponSon* tampon, int32_t pan);
int32_t TamponSon_Frequence(TamponSon* tampon, uint32_t hertz);   // 0: the data's own rate
int32_t TamponSon_PlacerLecture(TamponSon* tampon, uint32_t octet);
int32_t TamponSon_PositionLecture(TamponSon* tampon, uint32_t* lecture, uint32_t* ecriture);
// 3D: only for buffers created with TAMPON_CTRL_3D.
bool TamponSon_Est3D(const TamponSon* tampon);
int32_t TamponSon_Parametres3D(TamponSon* tampon, const PlacementSon3D* parametres);
// Property sets (reverb extensions): none is supported; *support is 0.
int32_t TamponSon_ProprieteSupport(TamponSon* tampon, const uint8_t ensemble[16], uint32_t propriete,
                                   uint32_t* support);
// Notifications: `rappel` (contexte, index) runs, outside the mixer's lock and possibly on the
// audio thread, when the play cursor reaches positions[index] (NOTIFICATION_ARRET: when the
// buffer stops). Set while the buffer is stopped.
using RappelNotificationSon = void (*)(void* contexte, uint32_t index);
int32_t TamponSon_Notifications(TamponSon* tampon, uint32_t nombre, const uint32_t* positions,
                                RappelNotificationSon rappel, void* contexte);
// Runs once each time the buffer plays out to its end (not on a stop).
using RappelFinSon = void (*)(void* contexte);
int32_t TamponSon_RappelFin(TamponSon* tampon, RappelFinSon rappel, void* contexte);
// Which auxiliary level scales the buffer: 0 the sounds (the default), 1 the music.
int32_t TamponSon_Categorie(TamponSon* tampon, int categorie);

// The listener of a primary buffer created with TAMPON_CTRL_3D (null otherwise).
EcouteurSon* TamponSon_Ecouteur(TamponSon* primaire);
int32_t EcouteurSon_Parametres(EcouteurSon* ecouteur, const ParametresEcouteurSon* parametres);

// Auxiliary volume devices: 0 the sounds (technology AUX_TECHNOLOGIE_SONS), 1 the music of the
// CD (AUX_TECHNOLOGIE_CD). A volume word holds the left level in its low 16 bits and the right
// level in its high 16 bits (0..65535); both start at 0xFFFFFFFF.
enum : uint16_t { AUX_TECHNOLOGIE_CD = 1, AUX_TECHNOLOGIE_SONS = 32 };
struct CapacitesAux {
    uint16_t technologie = 0;
    char nom[32] = {};
};
int Aux_Nombre();
bool Aux_Capacites(int index, CapacitesAux* capacites);
bool Aux_LireVolume(int index, uint32_t* volume);
bool Aux_EcrireVolume(int index, uint32_t volume);

// Headless: mixes everything due up to the current tick (the service does this itself on every
// call; the message pump calls it too, so that ends and notifications arrive on time).
void Son_Rattraper();
// Tests: behave as a machine without any sound device; the gains the mixer applies to a buffer.
void Son_SimulerAbsence(bool absent);
bool TamponSon_Gains(TamponSon* tampon, float* gauche, float* droite);

// The system debugger output: a line for whoever watches (standard error when MORVANE_TRACE is
// set). The last line is kept for tests.
void Trace_Debogueur(const char* texte);
const char* Trace_DerniereLigne();
