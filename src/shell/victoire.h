// The victory and defeat test of a battle (or of the castle's scenario), run once a second by the
// game frame over the tables of the conditions file: the events of the conditions met, the
// consequences of the outcome, the pending alliances and defections, the side counts.
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

// Counts the living units of every side into the side counters; the battle totals grow by
// the change.
void Unites_Comptage();
// The events before the battle: enCours 0 at load (neutralisations, timers started), 1 during it.
void EvenementsAvantBataille_Verification(int enCours);
void Alliances_Application();
void Defections_Application();
// Army 1..4 turns against the human player / becomes its ally; other armies are ignored.
void Joueur_Defection(int armee);
void Joueur_Alliance(int armee);
// Runs the battle event n of TableEvenementsBataille (an empty or unknown one does nothing).
void Evenement_Execution(int n);
void ConsequencesVictoire_Application();
void ConsequencesDefaite_Application();

// The router's name for the last result.
extern int32_t& ResultatBatailleCourant;
// The tick count when the battle started.
extern uint32_t DebutBataille;

// Whether the battle (or the castle's scenario) is decided: -1 undecided, 0 defeat, 1 victory.
int Conditions_Verification();
// Takes a pause of `millisecondes` out of the scenario's timers.
void Conditions_DecalageTemps(uint32_t millisecondes);
// The statistics page of the debug screens: side counts and the zones of the conditions; 0.
int Statistiques_Affichage();
