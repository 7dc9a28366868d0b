// The campaign's globals read by the battle world. For now only those the births read.
#pragma once

#include <cstdint>

extern int32_t CampagneCourante;      // 0..4, 0 the tutorial
extern int32_t ExperienceHeros;       // the hero's experience, given to master 5 at birth
extern int32_t NumeroJetonRegiment;   // the region token being placed (first sorts word of a REGIMENT)
extern int32_t DeploiementEnCours;    // 1 while the campaign deploys a regiment

// The faction of each player number: entry 0 is the faction of the files (the player's own
// faction in the campaign), entry 4 the faction chosen for the player. Factions 0 "Empire",
// 1 "Justice", 2 "Lumiere", 3 "Morvane".
extern int32_t CampParJoueur[5];
extern int32_t& CampFichiers;
extern int32_t& CampDuJoueur;

// The battle set-up read by the deployment of regiments.
extern int32_t EtapeCampagne;            // the step of the campaign: enemy regiments enter one level above it
extern int32_t VerificationArmee;        // set while an army is only being checked: enemies enter at level 1
extern int32_t MissionSpecialeEnCours;   // set while a special mission is played: enemies enter at level 1
// The buildings zone of the battle map, where no section is set down.
extern int32_t ZoneBatimentsPresente, ZoneBatimentsX, ZoneBatimentsY, ZoneBatimentsLargeur, ZoneBatimentsHauteur;

// The gold shown by the gold panel.
extern int32_t OrAffiche;
