// Projectiles in flight. For now the list is always empty: nothing fires yet.
#pragma once

// Destroys every projectile (battle exit).
void ProjectileViderListe();
// Forgets the last projectile queued (scene start).
void ProjectileRazQueue();

// Moves the projectiles once per logic pass.
void ProjectileGestion();
