// The main menu: sliding buttons over the looping menu movie, run as the movie's per-frame
// callback, a state machine whose states wait 6 frames while widgets slide. It returns the
// player's choice to the main-menu loop.
#pragma once

#include <cstdint>

// ChoixMenuPrincipal values.
enum : int32_t {
    CHOIX_DELAI = -1,          // nothing done for the time-out: the intro plays again
    CHOIX_CAMPAGNE = 0,        // a new campaign (or a skirmish launch pending)
    CHOIX_ESCARMOUCHE = 1,
    CHOIX_MISSIONS = 2,
    CHOIX_CHARGER = 3,         // a saved game is being restored
    CHOIX_BESTIAIRE = 4,
    CHOIX_QUITTER = 5,
    CHOIX_CREDITS = 6,
};

extern int32_t MenuEtat;          // the state (-2 at the start, 0 idle)
extern int32_t MenuChoix;         // the choice to return
extern int32_t MenuDelai;         // the idle time-out in ms
extern uint32_t MenuHeureRepos;   // tick count when the idle state was last entered
extern int32_t MenuDecompte;      // frames left in a waiting state
extern const char* const TexteVersion;

// The choice. While a skirmish launch is pending it returns 0 at once, showing nothing. A quit
// message during the menu gives CHOIX_QUITTER.
int MenuPrincipal(int32_t delai);
// The menu movie's per-frame callback: the movie's status with bits 0 and 1 set to go on, 0 to
// stop the movie.
int32_t CallbackMenuPrincipal(int32_t etat);

// The start of MenuPrincipal without the movie: input cleared, the 18 widgets laid out, state -2.
void MenuPrincipal__Preparation(int32_t delai);
