#include "battle/projectiles.h"

Projectile* ProjectileTete = nullptr;
Projectile* ProjectileQueue = nullptr;

void ProjectileLancer(int departX, int departY, int cibleX, int cibleY, int, int couche, int genre, int degats,
                      int variante) {
    auto* p = new Projectile{};
    p->positionX = departX;
    p->positionY = departY;
    p->arriveeX = cibleX;
    p->arriveeY = cibleY;
    p->couche = couche;
    p->genre = genre;
    p->degats = degats;
    p->variante = variante;
    p->precedent = ProjectileQueue;
    if (ProjectileQueue) ProjectileQueue->suivant = p;
    else ProjectileTete = p;
    ProjectileQueue = p;
}

void ProjectileViderListe() {
    while (ProjectileTete) {
        Projectile* suivant = ProjectileTete->suivant;
        delete ProjectileTete;
        ProjectileTete = suivant;
    }
    ProjectileQueue = nullptr;
}

void ProjectileRazQueue() { ProjectileQueue = nullptr; }
void ProjectileGestion() {}
