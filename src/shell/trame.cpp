#include "shell/trame.h"

#include <cstdio>

#include "battle/deplacement.h"
#include "battle/simulation.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "platform/son.h"
#include "platform/temps.h"
#include "shell/routeur.h"
#include "world/gestion_objets.h"
#include "world/mort.h"

int32_t JeuEnPause = 0;
int32_t LumiereActive = 0;
int32_t RepereX = 0;
int32_t RepereY = 0;
int32_t ReperePixelX = 0;
int32_t ReperePixelY = 0;
uint32_t HorlogeJeu = 0;

// Until the game frame is built: one logic pass every 66 ms of the clock and a present; Escape
// leaves the battle for the main menu.
int32_t TrameJeu() {
    static uint32_t debut = 0;
    static int32_t passes = 0;
    if (ToucheEchap) {
        ToucheEchap = 0;
        char ligne[64];
        std::snprintf(ligne, sizeof ligne, "TrameJeu() - %d passes\n", passes);
        Trace_Debogueur(ligne);
        passes = 0;
        EtatBoucleJeu = 2;
        return 1;
    }
    const uint32_t maintenant = Temps_Ticks();
    if (maintenant - debut < 66) return 0;
    debut = maintenant;
    ++passes;
    GroupesGeres = 0;
    Simulation__Tour();
    Objets__GestionTour();
    TemporisationMort__Tick();
    ObjetsMorts__Liberation();
    Ecran_Affichage();
    return 0;
}
