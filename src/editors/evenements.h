// Animation events of the masters: per animation, direction and frame, the visual events
// (particles) and the concrete ones (hits, sounds ...), from "..\maitres\%s.cfg".
#pragma once

#include <cstdint>

struct EffetParticule;

struct EvenementVisuel {
    int32_t ecartX, ecartY;
    int32_t marqueur;
    char nom[52];
    int32_t directionX, directionY;
    int32_t plan;   // particle plan 0..2
    EvenementVisuel* precedent;
    EvenementVisuel* suivant;
    EffetParticule* effet;
};

// Kinds of concrete events; kind 8 carries its four sounds.
constexpr int NOMBRE_TYPES_EVENEMENTS = 11;
constexpr int EVENEMENT_SONS = 8;
extern const char* const IconesEvenements[NOMBRE_TYPES_EVENEMENTS];

// The number of the master object whose event file was read last (for the effect look-up's report).
extern int32_t MaitreEvenementsCourant;

struct EvenementConcret {
    int32_t type;
    int32_t caseX, caseY;
    int32_t sons[4];
    EvenementConcret* precedent;
    EvenementConcret* suivant;
};

// The two lists of one frame (heads, null when empty).
struct EvenementsImage {
    EvenementVisuel* visuels;
    EvenementConcret* concrets;
};

// For each of the 21 animations: null, or an array by direction of (null or) arrays by frame.
// The sizes are the master's animation counts at the time the table was built.
struct TableEvenements {
    EvenementsImage** animations[21];
    int32_t directions[21];   // sizes of the arrays above
    int32_t images[21];
};

// Builds the master's event table from the ".cfg" beside its master file (the path less its
// extension) and stores it in its evenements, in place of any table it had. No file: the empty
// table (frames with empty lists for each animation with directions). A damaged file is reported
// ("Chargement Player") and what could be read of it is kept.
void AnimationChargerEvenements(int maitre, const char* cheminMaitre);
// Writes the master's table to "..\maitres\<file>.cfg", the file named by "..\ini\mv.ini". 0 when
// written; -1 when the master has no file name there or the file cannot be written (the old file
// is then left as it was).
int AnimationSauverEvenements(int maitre);
// Frees a master's table (evenements becomes null).
void AnimationLibererEvenements(int maitre);

// Appends a visual event for the named effect; when no effect has that name the list is left as
// it was. Returns the head.
EvenementVisuel* EvenementVisuel_Ajouter(EvenementVisuel* liste, const char* nom);
// Appends a concrete event of the kind (0..10; any other kind adds nothing). Returns the head.
EvenementConcret* EvenementConcret_Ajouter(EvenementConcret* liste, int type);
