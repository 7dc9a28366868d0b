#include "battle/projectiles.h"

void ProjectileViderListe() {}
void ProjectileRazQueue() {}

void ProjectileGestion() {}
