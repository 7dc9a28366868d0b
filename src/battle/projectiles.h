// Projectiles in flight: arrows, fireballs, heal traces, polymorph and electric bolts, boulders.
// For now they are only queued: none flies or lands yet.
#pragma once

#include <cstdint>

struct Objet;

struct Projectile {
    int32_t genre;       // 0 arrow, 2 fireball, 3 heal trace, 7 polymorph, 9 electricity, 18 boulder
    int32_t variante;    // arrows: 0 plain, 1 poisoned, 5 burning
    int32_t couche;      // 2 at a flyer
    int32_t pas;
    int32_t image;
    int32_t budget;
    int32_t nbImages;
    int32_t imageBase;
    float pente;
    float cumul;
    int32_t degats;
    int32_t objetGfx;
    int32_t directionImage;
    int32_t arriveeX, arriveeY;
    int32_t positionX, positionY;
    int32_t ecartX, ecartY;
    int32_t nbPas;
    int32_t erreur;
    int32_t incrementAxial, incrementDiagonal;
    int32_t pasAxialX, pasAxialY, pasDiagonalX, pasDiagonalY;
    Projectile* precedent;
    Projectile* suivant;
    Objet* objetLie;
    int32_t degatsParNiveau, niveau;
    int32_t tireur;
    int32_t armee;
};

extern Projectile* ProjectileTete;
extern Projectile* ProjectileQueue;

// Appends a projectile from (departX, departY) to (cibleX, cibleY), map pixels; the caller fills
// the shooter's fields on ProjectileQueue.
void ProjectileLancer(int departX, int departY, int cibleX, int cibleY, int inutilise, int couche, int genre, int degats,
                      int variante);
// Destroys every projectile (battle exit).
void ProjectileViderListe();
// Forgets the last projectile queued (scene start).
void ProjectileRazQueue();

// Moves the projectiles once per logic pass.
void ProjectileGestion();
