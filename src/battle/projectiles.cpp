#include "battle/projectiles.h"

void ProjectileViderListe() {}
void ProjectileRazQueue() {}

// Nothing flies yet.
void ProjectileGestion() {}
