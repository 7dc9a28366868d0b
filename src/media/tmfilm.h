// The movie player: one movie object plays one RVF6 movie at a time. Its feeder thread reads the
// file block by block, queues the image blocks and decodes the sound; its sound sender streams
// the sound to the sound device in notified segments; its image sender decodes each frame, paces
// it by the library clock (at the sound's rate when there is sound) and shows it, or hands it to
// the caller's window procedure (on the main thread, see tmnotification.h). This module holds the object and its control; tmthreads.cpp
// holds the threads and the feeder's states.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "media/adpcm.h"
#include "media/ddmgr.h"
#include "media/rvf6.h"
#include "media/tmanneau.h"
#include "media/tmson.h"
#include "media/tmreglages.h"
#include "media/tmsync.h"
#include "platform/plateforme.h"

struct TMMovie;
using TMEtatFonction = int32_t (*)(TMMovie*);

// Feeder state codes: go on, end of file, error.
enum : int32_t { TM_CODE_CONTINUE = 0, TM_CODE_FIN = 2, TM_CODE_ERREUR = 5 };

// A thread of the movie: its stop event and its done flag (set by the thread as its last act;
// a thread that was never started counts as done). Several threads may be in a position to start
// one (the image sender: the caller, the feeder or the sound sender): the first to take `pris`
// owns it, starting it or, when the movie ends first, marking it done; nobody else touches
// `thread` until every done flag is set.
struct TMArretThread {
    std::unique_ptr<TMEvenement> arret;
    std::atomic<int32_t> fini{1};
    std::atomic<bool> pris{false};
    std::thread thread;
};

// What a thread of the movie is doing, for runs on the manual clock.
enum : int32_t { TM_ACTIF = 0, TM_ATTEND = 1, TM_ATTEND_HORLOGE = 2, TM_TERMINE = 3 };
enum { TM_FEED = 0, TM_ISEND = 1, TM_SSEND = 2 };

struct TMMovie {
    HandleFenetre fenetre = nullptr;
    ProcedureFenetre procedure = nullptr;
    SurfaceImage* primaire = nullptr;
    SurfaceImage* arriere = nullptr;
    SurfaceImage* primairePropre = nullptr;   // the player's own display, when no window is given
    SonObjet* son = nullptr;                  // the sound device the stream plays on
    void* instance = nullptr;
    TMSettings reglages;
    TMEtatFonction etat = nullptr;
    std::atomic<int32_t> codeEtat{0};
    std::unique_ptr<TMEvenement> fin;
    RVFReader lecteur;
    bool ouvert = false;
    bool codecCharge = false;
    int32_t cadre[4] = {0, 0, 0, 0};
    int32_t message = -1;
    int32_t bltFlags = 0;
    int32_t imagesMontrees = 0;
    std::atomic<int32_t> enPause{0};
    std::atomic<int32_t> figeMaintenant{0};
    std::unique_ptr<TMEvenement> pas;
    std::vector<uint8_t> blocSon;   // the sound block being read
    int32_t longueurBlocSon = 0;
    // Sound: the APC stream, the decoded sound ring (feeder to sound sender), the stream.
    int32_t BSC_firstready = 0;
    APCDecoder apc;
    int32_t SoundBlockBytes = 0;
    int32_t SoundBlockBytes32 = 0;
    int32_t tailleFlux = 0;
    int32_t tailleSegment = 0;
    TMBlockRing sons;
    TMSoundOut sortieSon;
    TMSoundSegmentRing segmentsSon;
    // The stream is made by the feeder and played or stopped by the other threads and the caller.
    std::mutex verrouFlux;
    std::atomic<bool> fluxJoue{false};   // the image sender has started the stream
    // Image block ring (feeder to image sender) and surface ring (current and previous frames).
    TMBlockRing images;
    DDMgr ecran;
    TMSurfaceRing surfaces;
    TMArretThread ssend, isend, feed;

    // Pause and freeze hold the threads at their next step, in place of suspending them.
    std::mutex verrouPorte;
    std::condition_variable porte;
    bool suspendus = false;
    std::atomic<int32_t> arretForce{0};   // the caller stops the movie: nothing more is shown
    // Manual clock: what each thread does, and the tick the image sender waits for.
    std::atomic<int32_t> activite[3] = {TM_TERMINE, TM_TERMINE, TM_TERMINE};
    std::atomic<uint32_t> echeance{0};
    std::atomic<double> cible{0.0};
    std::atomic<int32_t> feederEnFin{0};   // 1 in its end state, 2 waiting for the senders to end
    std::atomic<uint32_t> changements{0};
    // The events a waiting thread waits on: while one is set, the thread is about to go on.
    std::atomic<const TMEvenement*> attendus[3][2] = {};

    TMMovie();
    ~TMMovie();
    TMMovie(const TMMovie&) = delete;
    TMMovie& operator=(const TMMovie&) = delete;
};

int32_t TM_SetSettings(TMMovie* m, const TMSettings* reglages);
int32_t TM_GetSettingsInto(TMMovie* m, TMSettings* reglages);
int32_t TM_StartFile(TMMovie* m, const char* chemin, TMPlayParams* pcp);
int32_t TM_Start(TMMovie* m, TMPlayParams* pcp);
int32_t TM_DoStop(TMMovie* m);
int32_t TM_DoPause(TMMovie* m);
int32_t TM_DoResume(TMMovie* m);
int32_t TM_SetFreeze(TMMovie* m, int32_t on);
int32_t TM_IsFrozen(TMMovie* m);
int32_t TM_Step(TMMovie* m);
// F2: the frame-rate display's next mode (none, average, instantaneous, then none again), which
// the playing movie's image sender takes at its next frame. Returns it.
int32_t TM_ChangerAffichageTaux(TMMovie* m);
int32_t TM_End(TMMovie* m);
int32_t TM_Release(TMMovie* m);
void TM_SetState(TMMovie* m, TMEtatFonction etat, int32_t code);
// The procedure of the player's own window: Escape stops, F11 pauses and resumes, F2 cycles the
// frame-rate display, F3 toggles dropping late frames, F4 the freeze, F5 steps one frame.
intptr_t TM_WindowProc(HandleFenetre fenetre, uint32_t message, ParamMot w, ParamLong l);

// The threads and the feeder's states (tmthreads.cpp).
void FEED_THREAD(TMMovie* m);
void SSEND_THREAD(TMMovie* m);
void ISEND_THREAD(TMMovie* m);
int32_t TM_StartSound(TMMovie* m);
int32_t TM_DecodeSoundBlock(TMMovie* m);
int32_t TM_StateBegin(TMMovie* m);
int32_t TM_StateBlockSet(TMMovie* m);
int32_t TM_DispatchBlock(TMMovie* m);
int32_t TM_StateSoundBlock(TMMovie* m);
int32_t TM_StateImageBlock(TMMovie* m);
int32_t TM_StateEnd(TMMovie* m);
double TM_FramePeriod(TMMovie* m);

// Holds the calling thread while the movie is paused or frozen; returns at once on a stop.
void TM_Porte(TMMovie* m, int indice);
void TM_Activite(TMMovie* m, int indice, int32_t etat);
// Waits for `a` or `b` as thread `indice`: 0 for a, 1 for b.
int TM_AttendreThread(TMMovie* m, int indice, const TMEvenement* a, const TMEvenement* b);
// True when no thread of the movie can go on before time passes or the caller acts.
bool TM_AuRepos(TMMovie* m);
// Starts a thread of the movie; false when it could not be started (it then counts as done).
bool TM_Lancer(TMMovie* m, TMArretThread& t, void (*corps)(TMMovie*));
// Takes the ownership of a thread: true for the first caller only.
bool TM_Prendre(TMArretThread& t);
// Starts the thread unless another has taken it (then true, nothing done).
bool TM_LancerSiLibre(TMMovie* m, TMArretThread& t, void (*corps)(TMMovie*));
// The thread will not run: marked done unless another has taken it.
void TM_Abandonner(TMArretThread& t);
// The stream, under its lock: played from its start the first time (the image sender's first
// frame), played again after a pause only once it has been, stopped.
void TM_FluxJouer(TMMovie* m);
void TM_FluxReprendre(TMMovie* m);
void TM_FluxArreter(TMMovie* m);
// Sends a notification to the caller's window procedure (none with message -1).
void TM_Notification(TMMovie* m, uint32_t code, SurfaceImage* image, uint32_t longueur, bool attendre);
