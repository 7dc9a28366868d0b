// The game frame's logic pass in battle, as the battle runner runs it: the frame counters, the
// tick counter, the group tick, every object's behaviour, the death delay, the impact effects,
// the projectiles and the bolts, the dead released, and 66 ms of manual clock. `avantProjectiles`
// runs just before the projectiles fly (a test counts the shots launched in the pass there).
#pragma once

#include <functional>

#include "battle/deplacement.h"
#include "battle/impacts.h"
#include "battle/projectiles.h"
#include "battle/simulation.h"
#include "platform/temps.h"
#include "scene/eclairs.h"
#include "shell/cycles.h"
#include "shell/trame.h"
#include "world/gestion_objets.h"
#include "world/mort.h"

inline void PasseBataille(const std::function<void()>& avantProjectiles = {}) {
    Cycle__Avance(&CompteurCycle25, 25);
    Cycle__Avance(&CompteurCycle43B, 43);
    Cycle__Avance(&CompteurCycle43, 43);
    Cycle__Avance(&CompteurCycle100, 100);
    Cycle__Avance(&CompteurCycle12, 12);
    if (Cycle__Avance(&CompteurCycle20, 20)) Pulsation = -Pulsation;
    Cycle__Avance(&CompteurCycle32, 32);
    ++CompteurTours;
    GroupesGeres = 0;
    Simulation__Tour();
    Objets__GestionTour();
    TemporisationMort__Tick();
    EffetImpactGestion();
    if (avantProjectiles) avantProjectiles();
    ProjectileGestion();
    Eclair__Gestion();
    ObjetsMorts__Liberation();
    Temps_Avancer(66);
}
