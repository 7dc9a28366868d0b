// The game's audio layer: the cache of sound samples named by "..\Son\SoundList.ini", plays by
// sound id at the listener or at a map cell, CD music, and the two auxiliary volumes.
#pragma once

#include <cstdint>

#include "media/snd_c.h"
#include "platform/plateforme.h"

// One entry of the sound cache.
struct Ressource {
    int32_t id;
    int32_t charge;            // 0/1
    int32_t type;              // 1 sound sample, 2 entry without data
    int32_t delaiInactivite;   // ms, -1 none (kept, never acted on)
    uint32_t dernierUsage;     // tick of the last take, 0 at creation
    char* nom;
    Ressource* precedent;
    Ressource* suivant;
    void* donnees;             // type 1: EchantillonSon
};

// The data of a type-1 entry: its volume and the library's sound record.
struct EchantillonSon {
    int32_t volume;
    SndSound son;
};

constexpr int32_t RESSOURCE_SON = 1;
constexpr int32_t RESSOURCE_VIDE = 2;

extern Ressource* ListeRessources;
extern int32_t ProchainIdRessource;

extern SndManager* GestionnaireSon;
extern SndDevice* PeripheriqueSon;
extern Snd3DParams Parametres3DSon;
extern float PositionSon[3];

extern uint32_t PeripheriqueCD;
extern int32_t PisteCD;
extern int32_t PisteCDDemandee;
extern int32_t AuxCD;
extern int32_t AuxSons;
extern uint32_t VolumeAuxCDInitial;
extern uint32_t VolumeAuxSonsInitial;
extern int32_t VolumeMusique;
extern int32_t VolumeSons;
extern void* ObjetDirectSound;   // the sound device handed to the movie player; null when sound is off

// Sound cache.
void Ressource__Initialisation();
int32_t Ressource__Ajoute(int32_t type, int32_t delai, const char* nom, int32_t id);
Ressource* Ressource__Cherche(int32_t type, int32_t id);
void* Ressource__Prend(Ressource* entree);
void* Ressource__PrendId(int32_t type, int32_t id);
uint32_t Ressource__Age(Ressource* entree);   // unsigned tick difference; 0xFFFFFFFF for none
uint32_t Ressource__AgeId(int32_t type, int32_t id);
void* Ressource__Donnees(Ressource* entree);
void* Ressource__DonneesId(int32_t type, int32_t id);
void Ressource__Decharge(Ressource* entree);
void Ressource__Retire(Ressource* entree);
void Ressource__RetireType(int32_t type);
void Ressource__Fin();

// Samples.
EchantillonSon* Son__NouvelEchantillon();
void Son__ChargeEchantillon(const char* nom, EchantillonSon* echantillon);
void Son__LibereEchantillon(EchantillonSon* echantillon);
int32_t Son__Enregistre(const char* chemin, int32_t id, int32_t delai, int32_t volume);

// Plays.
void Son__Joue(int32_t id);
void Son__JoueIntervalle(int32_t id, int32_t millisecondes);
void Son__JoueEnPosition(int32_t id, int32_t x, int32_t y);
void Son__EcouteurRAZ();

// Start, end, the sound list.
void Son__Initialisation(HandleFenetre fenetre);
void Son__Fin();
void Son__LectureListe(const char* fichier);
char* Son__LectureMot(char* texte);

// CD audio and volumes.
void CD__Joue(int32_t piste);
void CD__Arrete();
void CD__Pause();
void CD__Reprise();
void CD__Redemarre();
void CD__Volume(int32_t pourcent);
void Son__VolumeAux(int32_t pourcent);
SonObjet* Son__DirectSound();
