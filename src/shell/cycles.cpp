#include "shell/cycles.h"

int32_t CompteurTrameRegion = 0;
int32_t CompteurCycle12 = 0;
int32_t CompteurCycle20 = 0;
int32_t CompteurCycle25 = 0;
int32_t CompteurCycle32 = 0;
int32_t CompteurCycle43 = 0;
int32_t CompteurCycle43Bis = 0;
int32_t& CompteurCycle43B = CompteurCycle43Bis;
int32_t CompteurCycle100 = 0;
int32_t Pulsation = 1;
int32_t TopFumee = 0;
int32_t TopFlamme = 0;

bool Cycle__Avance(int32_t* compteur, int32_t cycle) {
    // A counter found out of its range (a stale value) starts over rather than running on.
    if (++*compteur >= cycle || *compteur < 0) {
        *compteur = 0;
        return true;
    }
    return false;
}
