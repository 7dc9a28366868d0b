// The main menu. For now a stand-in over the looping menu movie: Return starts the sample
// skirmish, Escape quits, thirty seconds without input replay the intro. The keys 0 to 6 choose
// what is drawn over the movie (0 nothing, 1 a test frame with the mouse, 2 the intro picture and
// lit tiles, 3 sprites, 4 text, 5 the sample cast, 6 the barracks); Q asks a question, S plays
// the next feedback sound, M the music, V the intro again.
#pragma once

#include <cstdint>

extern int32_t MenuChoix;        // the choice to return
extern int32_t MenuDelai;        // the idle time-out in ms
extern uint32_t MenuHeureRepos;  // tick count of the last input

// The choice (ChoixMenuPrincipal): -1 idle time-out, 0 play (at once while a skirmish start is
// pending), 1 skirmish, 5 quit.
int MenuPrincipal(int32_t delai);
// The menu movie's per-frame callback: the status to go on with, 0 to stop the movie.
int32_t CallbackMenuPrincipal(int32_t etat);
