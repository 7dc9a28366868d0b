#include "campaign/campagne.h"

int32_t CampagneCourante = 0;
int32_t ExperienceHeros = 0;
int32_t NumeroJetonRegiment = 0;
int32_t DeploiementEnCours = 0;
int32_t OrJoueur = 0;
