// The movie player's flat interface: one function per operation of the movie object. Each
// returns 0 or a negative code of tmreglages.h.
//
// The caller sets up once (TM_Create, TM_GetDefaultSettings), then for each movie: TM_Init,
// TM_StartMovie, its own wait, TM_Stop, TM_Close; TM_Delete at the end. With a notification
// message the start returns at once, and the player calls the caller's window procedure with
// it: code 1 then 0 at start, 2 per frame (the caller presents it), 3 at the end. With -1 the
// start returns only when the movie has ended.
#pragma once

#include "media/tmreglages.h"

struct TMMovie;

TMMovie* TM_Create();
int32_t TM_GetDefaultSettings(TMSettings* reglages);
int32_t TM_Init(TMMovie* film, const TMSettings* reglages);
int32_t TM_StartMovie(TMMovie* film, const char* chemin, TMPlayParams* pcp);
int32_t TM_Stop(TMMovie* film);
int32_t TM_Close(TMMovie* film);
void TM_Delete(TMMovie* film);

// Headless runs on the manual clock: true when no thread of the movie can go on until time
// passes (they wait for the clock, for each other, or have ended). *echeance receives the tick
// at which the image thread shows its next frame, or 0 when it does not wait for one;
// *activite a count that changes whenever a thread of the movie starts or stops waiting.
bool TM_Repos(TMMovie* film, uint32_t* echeance, uint32_t* activite);
