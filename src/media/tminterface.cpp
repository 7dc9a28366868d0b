#include "media/tminterface.h"

#include <new>

#include "media/tmfilm.h"

TMMovie* TM_Create() { return new (std::nothrow) TMMovie; }

int32_t TM_GetDefaultSettings(TMSettings* reglages) {
    TMSettings_GetDefaults(reglages);
    return 0;
}

int32_t TM_Init(TMMovie* film, const TMSettings* reglages) {
    if (film == nullptr) return 0;
    return TM_SetSettings(film, reglages);
}

int32_t TM_StartMovie(TMMovie* film, const char* chemin, TMPlayParams* pcp) {
    if (pcp == nullptr) return TM_ERR_PCP_NUL;
    if (film == nullptr) return TM_ERR_MEMOIRE;
    return TM_StartFile(film, chemin, pcp);
}

int32_t TM_Stop(TMMovie* film) { return film == nullptr ? 0 : TM_DoStop(film); }

int32_t TM_Close(TMMovie* film) { return film == nullptr ? 0 : TM_End(film); }

void TM_Delete(TMMovie* film) { delete film; }

bool TM_Repos(TMMovie* film, uint32_t* echeance, uint32_t* activite) {
    if (echeance) *echeance = 0;
    if (activite) *activite = 0;
    if (film == nullptr) return true;
    if (activite) *activite = film->changements;
    if (!TM_AuRepos(film)) return false;
    if (echeance && film->activite[TM_ISEND] == TM_ATTEND_HORLOGE) *echeance = film->echeance;
    return true;
}
