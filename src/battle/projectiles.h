// Projectiles in flight: arrows, fireballs, heal traces, polymorph and electric bolts, boulders.
// Each flies one straight line in map pixels from its shooter to a target point and acts on the
// cell where it lands. A doubly linked heap list, walked once per logic pass.
#pragma once

#include <cstdint>

struct Objet;

constexpr int PROJECTILE_FLECHE = 0;
constexpr int PROJECTILE_BOULE_FEU = 2;
constexpr int PROJECTILE_TRACE_SOINS = 3;
constexpr int PROJECTILE_POLYMORPHE = 7;
constexpr int PROJECTILE_ELECTRICITE = 9;
constexpr int PROJECTILE_BOULET = 18;

struct Projectile {
    int32_t genre;
    int32_t variante;            // arrows: 0 plain, 1 poisoned, 5 burning
    int32_t couche;              // 2 aimed at a flyer (air grid), else 0
    int32_t pas;                 // steps done
    int32_t image;
    int32_t budget;              // steps left in this pass
    int32_t nbImages;
    int32_t imageBase;           // first frame of an arrow's or boulder's direction row
    float pente;                 // frames gained per step (arrows)
    float cumul;
    int32_t degats;
    int32_t objetGfx;
    int32_t directionImage;      // 0..31 arrows, 0..15 boulders; 0 points up the screen
    int32_t arriveeX, arriveeY;  // target point, map pixels
    int32_t positionX, positionY;
    int32_t ecartX, ecartY;
    int32_t nbPas;
    int32_t erreur;
    int32_t incrementAxial, incrementDiagonal;
    int32_t pasAxialX, pasAxialY, pasDiagonalX, pasDiagonalY;
    Projectile* precedent;
    Projectile* suivant;
    Objet* objetLie;             // the object the projectile carries (a heal), else null
    int32_t degatsParNiveau, niveau;
    int32_t tireur;              // object index of the shooter
    int32_t armee;               // the caster's army (heal traces)
};

extern Projectile* ProjectileTete;
extern Projectile* ProjectileQueue;
extern int32_t ProjectileRetire;   // set by every removal
// Steps flown by all projectiles of a genre since its last trail particle.
extern int32_t TraineeBouleFeu, TraineeSoins, TraineePolymorphe, TraineeElectricite;

// Appends a projectile flying from (departX, departY) to (cibleX, cibleY); the fifth argument is
// not read. The caller then fills tireur, niveau, degatsParNiveau, armee or objetLie on
// ProjectileQueue, which is null when nothing was launched (a genre that does not fly, no memory).
void ProjectileLancer(int departX, int departY, int cibleX, int cibleY, int inutilise, int couche, int genre,
                      int degats, int variante);
// A zeroed record linked after `apres`, or at the end of the list when it is null; null when
// there is no memory.
Projectile* ProjectileCreer(Projectile* apres);
void ProjectileInitialiserTrajectoire(Projectile* p);
void ProjectileAvancer(Projectile* p);
// Unlinks and frees p; the record that followed it, or null.
Projectile* ProjectileDetruire(Projectile* p);
// Destroys every projectile (battle exit).
void ProjectileViderListe();
// Scene and program start: no projectile is left from before.
void ProjectileRazQueue();
// One logic pass: every projectile flies its steps, those at the end of their path land.
void ProjectileGestion();
// The landing: 0 keep flying, non-zero remove.
int ProjectileArrivee(Projectile* p);
// Arrows and boulders into the back buffer.
void ProjectileAffichage();
