// Animation events of the masters: per animation, direction and frame, the visual events
// (particles) and the concrete ones (hits, sounds ...), from "..\maitres\%s.cfg".
#pragma once

#include <cstdint>

struct EvenementVisuel {
    int32_t ecartX, ecartY;
    int32_t marqueur;
    char nom[52];
    int32_t directionX, directionY;
    int32_t plan;
    EvenementVisuel* precedent;
    EvenementVisuel* suivant;
    void* effet;
};

struct EvenementConcret {
    int32_t type;
    int32_t caseX, caseY;
    int32_t sons[4];
    EvenementConcret* precedent;
    EvenementConcret* suivant;
};

// The two lists of one frame.
struct EvenementsImage {
    EvenementVisuel* visuels;
    EvenementConcret* concrets;
};

// For each of the 21 animations: null, or an array by direction of arrays by frame.
struct TableEvenements {
    EvenementsImage** animations[21];
};

// Builds the master's event table and stores it in its evenements. The ".cfg" file is not read
// yet: the table is the empty one a missing file gives (an array of frames with empty lists per
// direction of every animation whose direction count is not -1).
void AnimationChargerEvenements(int maitre, const char* cheminMaitre);
