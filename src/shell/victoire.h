// The victory and defeat test's state that the scenario reader and the scene start fill: the
// side counts at the last recount, the countdowns, the pending alliances and defections. The
// test itself, the consequences and the events come later; these calls do nothing yet but the
// recount.
#pragma once

#include <array>
#include <cstdint>

extern int32_t NbUnitesAmiesPrecedent, NbUnitesEnnemiesPrecedent;
extern int32_t ResultatBataille;   // -1 undecided, 0 defeat, 1 victory

struct Chronometre {
    int32_t debut;
    int32_t duree;
};
constexpr int NOMBRE_CHRONOMETRES = 20;
extern std::array<Chronometre, NOMBRE_CHRONOMETRES> TableChronometres;
// Set once a timed condition has started its countdown; cleared at scene start.
extern int32_t ChronometresActifs;

// Per army 0..4: 1 pending, -1 none.
extern std::array<int32_t, 5> AlliancesEnAttente, DefectionsEnAttente;

// Counts the living units of every side into the side counters.
void Unites_Comptage();
void EvenementsAvantBataille_Verification(int enCours);
void Alliances_Application();
void Defections_Application();

// The router's name for the last result.
extern int32_t& ResultatBatailleCourant;
// The tick count when the battle started.
extern uint32_t DebutBataille;

// Whether the battle (or the castle's scenario) is decided: -1 undecided, 0 defeat, 1 victory.
int Conditions_Verification();
// Takes a pause of `millisecondes` out of the scenario's timers.
void Conditions_DecalageTemps(uint32_t millisecondes);
