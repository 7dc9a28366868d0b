// Live particles: three plans of packed records, drawn at three depths of the scene; emission of
// an effect into a plan, the per-frame update and the drawing. Only what is seen: their random
// draws use the visual stream.
#pragma once

#include <array>
#include <cstdint>

#include "scene/particules_effets.h"

struct Particule {
    int32_t positionX, positionY;              // on the map, in pixels
    int32_t pointEmissionX, pointEmissionY;    // on the screen, as given
    int32_t vitesseX, vitesseY;
    int32_t ecartX, ecartY;                    // offset from the origin, set at emission
    int32_t deplacementX, deplacementY;        // since emission
    int16_t directionX, directionY;
    int16_t vent;
    int16_t rouge, vert, bleu;
    int16_t vie;                               // from 0 down to -31 the particle fades out
    int16_t trajet;
    int16_t sprite;
    int16_t modeCopie;
    int16_t frameCourante;
    int16_t nombreFrames;
    float vitesseAnimation;
    float cumulAnimation;
    float vitesse;
    int16_t repere;                            // 0 the map, 1 the screen
    int16_t origineX, origineY;                // on the map, in pixels
    int16_t naissanceDifferee;
    int16_t animation;
    int16_t angle;                             // degrees
    int16_t pasAngle;
    int16_t sensPingPong;
};

constexpr int CAPACITE_PLAN_PARTICULES = 1000;

extern std::array<Particule, CAPACITE_PLAN_PARTICULES> PlanParticules0;   // above the terrain
extern std::array<Particule, CAPACITE_PLAN_PARTICULES> PlanParticules1;   // above the objects and clouds
extern std::array<Particule, CAPACITE_PLAN_PARTICULES> PlanParticules2;   // above the order marker
extern int16_t NombreParticules0;
extern int16_t NombreParticules1;
extern int16_t NombreParticules2;
extern int16_t NombreParticulesTotal;

extern std::array<double, 360> SinusDegres;
extern std::array<double, 360> CosinusDegres;

// Set while the particle test page emits: the direction comes from the effect.
extern int32_t EmissionTest;

void Particules_TablesTrigo();
void Particules_Initialisation();

// Appends the effect's particles to a plan at screen point (x, y), towards (dx, dy); image -1 for
// the effect's own frames, else that frame alone. A null effect or plan emits nothing.
void Particules_Emission(EffetParticule* effet, Particule* plan, int capacite, int16_t* nombre, int x, int y, int marque,
                         int dx, int dy, int image);

// n frames of life for the three plans, plan 0 first.
void Particules_Gestion(int32_t n);
// Draws the first nombre particles of a plan into the back buffer.
void Particules_Affichage(const Particule* plan, int nombre);
