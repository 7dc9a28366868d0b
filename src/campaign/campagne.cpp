#include "campaign/campagne.h"

int32_t CampagneCourante = 0;
int32_t ExperienceHeros = 0;
int32_t NumeroJetonRegiment = 0;
int32_t DeploiementEnCours = 0;

int32_t CampParJoueur[5] = {1, 1, 0, 2, 1};
int32_t& CampFichiers = CampParJoueur[0];
int32_t& CampDuJoueur = CampParJoueur[4];

int32_t EtapeCampagne = 0;
int32_t ZoneBatimentsPresente = 0, ZoneBatimentsX = 0, ZoneBatimentsY = 0, ZoneBatimentsLargeur = 0,
        ZoneBatimentsHauteur = 0, ZoneBatimentsDroite = 0, ZoneBatimentsBas = 0;

int32_t OrAffiche = 0;
