// The sound library: one SndManager opens a sound device in 3D or 2D mode, keeps the device
// list, loads WAV files into caller-owned SndSound records and plays them through a pool of
// buffer instances that it creates, reuses and never shrinks. Operations return 1 on success
// and 0 on failure, and keep a negative error code and a detail as the manager's last error.
// Every record handed in carries its size in its first word and is refused when it is wrong.
#pragma once

#include <cstdint>

#include "platform/plateforme.h"
#include "platform/son.h"

// Size words of the records.
constexpr uint32_t TAILLE_SND_DEVICE = 24;
constexpr uint32_t TAILLE_SND_SOUND = 44;
constexpr uint32_t TAILLE_SND_BUFFER = 52;
constexpr uint32_t TAILLE_SND_3DPARAMS = 68;
constexpr uint32_t TAILLE_SND_3DLISTENER = 88;
constexpr uint32_t TAILLE_SND_DESCRIPTION = 20;
constexpr uint32_t TAILLE_SND_3DBUFFER = 64;
constexpr uint32_t TAILLE_SND_LISTENER = 64;
constexpr uint32_t TAILLE_SND_CAPS = 96;

// Last-error codes.
enum : int32_t {
    SND_ERR_DEJA_OUVERT = -1010,
    SND_ERR_PAS_OUVERT_FERMETURE = -1020,
    SND_ERR_CREATION = -1030,
    SND_ERR_COOPERATION = -1040,
    SND_ERR_FORMAT_PRIMAIRE = -1050,
    SND_ERR_PAS_OUVERT = -1060,
    SND_ERR_PAS_DE_PRIMAIRE = -1070,
    SND_ERR_ENUMERATION = -1080,
    SND_ERR_PRIMAIRE = -1090,
    SND_ERR_OUVERTURE_FICHIER = -1100,
    SND_ERR_LECTURE_FICHIER = -1110,
    SND_ERR_MEMOIRE_SON = -1120,
    SND_ERR_FATALE = -1130,
    SND_ERR_VERROU = -1140,
    SND_ERR_DEVERROU = -1150,
    SND_ERR_ETAT = -1160,
    SND_ERR_PERDU = -1170,
    SND_ERR_ALLOCATION_TAMPON = -1180,
    SND_ERR_JOUER = -1190,
    SND_ERR_DIALOGUE = -1200,
    SND_ERR_ARRET = -1210,
    SND_ERR_VOLUME = -1220,
    SND_ERR_PAN = -1230,
    SND_ERR_FREQUENCE = -1240,
    SND_ERR_POSITION = -1250,
    SND_ERR_POSITION2 = -1260,
    SND_ERR_CAPACITES = -1270,
    SND_ERR_HAUT_PARLEURS = -1280,
    SND_ERR_INTERFACE_3D = -1290,
    SND_ERR_PROPRIETES = -1300,
    SND_ERR_PROPRIETES2 = -1310,
    SND_ERR_PAS_3D = -1320,
    SND_ERR_NOTIFICATION = -1330,
    SND_ERR_POSITIONS_NOTIFICATION = -1340,
    SND_ERR_NON_INITIALISE = -1350,
    SND_ERR_ARGUMENT = -1360,
    SND_ERR_UTILISATEUR_INFO = -1370,
    SND_ERR_UTILISATEUR_LECTURE = -1380,
    SND_ERR_PAS_D_ECOUTEUR = -1390,
};

// Buffer description flags of a loaded sound: static, frequency, pan, volume and
// position-notification control, current position 2.
constexpr uint32_t SND_DRAPEAUX_SON = 0x101E2;
constexpr uint32_t SND_MODE_3D = 1;
constexpr uint32_t SND_MODE_2D = 2;

struct SndGuid {
    uint8_t octets[16];
};

// The PCM wave format of a sound (18 bytes in files and records).
struct SndFormat {
    uint16_t format;
    uint16_t canaux;
    uint32_t frequence;
    uint32_t octetsParSeconde;
    uint16_t alignement;
    uint16_t bits;
    uint16_t supplement;
};

struct SndDescription {
    uint32_t taille;   // 20
    uint32_t drapeaux;
    uint32_t octets;
    uint32_t reserve;
    SndFormat* format;
};

struct SndCaps {
    uint32_t taille;   // 96
    CapacitesSon capacites;
};

struct SndDevice {
    uint32_t taille;   // 24
    SndGuid* guid;     // null for the default device
    char* description;
    char* module;
    SndCaps* capacites;
    uint32_t hautParleurs;
};

struct SndSound {
    uint32_t taille;   // 44 once loaded
    char* nom;
    uint8_t* donnees;
    SndDescription description;
    int32_t capaciteInstances;
    int32_t nombreInstances;
    int32_t* instances;   // buffer indexes, -1 = free slot
};

struct SndBuffer {
    uint32_t taille;   // 52
    TamponSon* tampon;
    uint32_t inutilise;
    SndSound* proprietaire;
    TamponSon* interface3D;
    TamponSon* jeuProprietes;
    void* notification;
    uint32_t compteurs[2];
    void* tables[2];
};

struct Snd3DBuffer {
    uint32_t taille;   // 64
    float position[3];
    float vitesse[3];
    uint32_t angleConeInterieur;
    uint32_t angleConeExterieur;
    float orientationCone[3];
    int32_t volumeExterieurCone;
    float distanceMin;
    float distanceMax;
    uint32_t mode;
};

struct Snd3DParams {
    uint32_t taille;   // 68
    Snd3DBuffer tampon3D;
};

struct SndListenerRecord {
    uint32_t taille;   // 64
    float position[3];
    float vitesse[3];
    float avant[3];
    float haut[3];
    float facteurDistance;
    float facteurAttenuation;
    float facteurDoppler;
};

struct SndReverb {
    uint32_t environnement;
    float volume;
    float declin;
    float amortissement;
};

struct Snd3DListener {
    uint32_t taille;   // 88
    EcouteurSon* interface;
    SndListenerRecord ecouteur;
    SndReverb reverb;
};

struct SndManager {
    uint32_t ouvert;
    const char* nomLibrairie;
    uint32_t trace;
    int32_t derniereErreur;
    uint32_t detailErreur;
    uint32_t reserve1;
    uint32_t modeCoordonnees;
    void (*crochetCoordonnees)(float*);
    uint32_t drapeauxReverb;   // bit 0 not probed yet, bit 1 listener set, bit 2 buffer set
    uint32_t mode;             // 1 3D, 2 2D
    uint32_t reverbEnAttente;
    uint32_t ecouteurChange;
    SonObjet* directSound;
    TamponSon* primaire;
    Snd3DListener ecouteur;
    uint32_t reserve2;
    int32_t nombrePeripheriques;
    SndDevice* peripheriques;
    int32_t nombreTampons;
    SndBuffer* tampons;
    int32_t derniereInstance;
    int32_t panDefaut;
    int32_t volumeDefaut;
    int32_t frequenceDefaut;
    int32_t positionDefaut;
};

void SND_Constructor(SndManager* m);
void SND_Destructor(SndManager* m);
int32_t SND_CheckVersion(SndManager* m, int32_t version);
int32_t SND_ListDevices(SndManager* m);
int32_t SND_EnumDevices(SndManager* m, const SndGuid* guid, const char* description, const char* module);
int32_t SND_GetDeviceCount(SndManager* m);
SndDevice* SND_GetDevice(SndManager* m, int32_t index);
int32_t SND_GetDeviceCaps(SndManager* m, SndDevice* device, SonObjet* objet);
int32_t SND_GetSpeakerConfig(SndManager* m, SndDevice* device, SonObjet* objet);
int32_t SND_SelectDevice(SndManager* m, HandleFenetre fenetre, SndDevice* device, uint32_t mode);
int32_t SND_SetCooperativeLevel(SndManager* m, HandleFenetre fenetre, uint32_t niveau);
int32_t SND_CreatePrimaryBuffer(SndManager* m);
int32_t SND_SetPrimaryFormat(SndManager* m, uint16_t canaux, uint32_t frequence, uint16_t bits);
int32_t SND_Close(SndManager* m);
int32_t SND_LoadWave(SndManager* m, const char* chemin, SndSound* son);
int32_t SND_Play3D(SndManager* m, SndSound* son, Snd3DParams* parametres, int32_t boucle);
int32_t SND_SetSoundVolume(SndManager* m, SndSound* son, int32_t volume);
int32_t SND_SetSound3DParams(SndManager* m, SndSound* son, Snd3DParams* parametres);
int32_t SND_FreeSound(SndManager* m, SndSound* son);
int32_t SND_SetListenerPosition(SndManager* m, const float* vecteur);
int32_t SND_Default3DParams(SndManager* m, Snd3DParams* parametres);
int32_t SND_Set3DPosition(SndManager* m, Snd3DParams* parametres, const float* vecteur);
SonObjet* SND_GetDirectSound(SndManager* m);
void SND_SetLastError(SndManager* m, int32_t code, uint32_t detail);
void SND_DebugPrint(SndManager* m, const char* format, ...) __attribute__((format(printf, 2, 3)));
void SND_DefaultListener(SndManager* m);
// The text of the last error: "Error %4d\t" and the code's own text.
void SND_ErrorText(const SndManager* m, char* texte, uint32_t taille);

// Buffer instances, referred to by their index in the pool.
int32_t SND_GetBuffer(SndManager* m, SndSound* son, int32_t genre);
int32_t SND_BufferIsFree(SndManager* m, int32_t instance);
void SND_DetachBuffer(SndManager* m, int32_t instance);
void SND_ReleaseBuffer(SndManager* m, int32_t instance);
int32_t SND_NewBuffer(SndManager* m);
int32_t SND_CreateDSBuffer(SndManager* m, SndSound* son, int32_t instance, int32_t genre);
void SND_ProbeReverbSupport(SndManager* m, int32_t instance);
int32_t SND_FillBuffer(SndManager* m, int32_t instance, SndSound* son);
int32_t SND_AttachBuffer(SndManager* m, int32_t instance, SndSound* son);
int32_t SND_PlayBuffer(SndManager* m, int32_t instance, uint32_t drapeaux);
int32_t SND_SetBufferVolume(SndManager* m, int32_t instance, int32_t volume);
int32_t SND_SetBufferPan(SndManager* m, int32_t instance, int32_t pan);
int32_t SND_SetBufferFrequency(SndManager* m, int32_t instance, uint32_t frequence);
int32_t SND_SetBufferPosition(SndManager* m, int32_t instance, uint32_t position);
int32_t SND_CommitListener(SndManager* m);
int32_t SND_ApplyBuffer3DParams(SndManager* m, int32_t instance, Snd3DParams* parametres);

// Volume 0..100 (between min and max) to hundredths of a decibel; pan -100..100 (0 the centre).
int32_t SND_VolumeToDb(int32_t min, int32_t max, int32_t v);
int32_t SND_PanToDb(int32_t min, int32_t max, int32_t v);

constexpr int32_t SND_GENRE_3D = 1;
constexpr int32_t SND_GENRE_2D = 2;
