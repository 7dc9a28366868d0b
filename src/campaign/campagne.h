// The campaign's globals read by the battle world. For now only those the births read.
#pragma once

#include <cstdint>

extern int32_t CampagneCourante;      // 0..4, 0 the tutorial
extern int32_t ExperienceHeros;       // the hero's experience, given to master 5 at birth
extern int32_t NumeroJetonRegiment;   // the region token being placed (first sorts word of a REGIMENT)
extern int32_t DeploiementEnCours;    // 1 while the campaign deploys a regiment

extern int32_t OrJoueur;   // the player's gold
