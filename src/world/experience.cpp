#include "world/experience.h"

#include "world/maitres.h"

std::array<int32_t, 600> ExperienceParType{};
std::array<int32_t, 600> PrixParType{};
std::array<int32_t, 600> TableRegenerationMana{};

void Experience__AppliqueNiveau(int objet) {
    if (objet < 1 || objet >= NOMBRE_OBJETS) return;
    Objet& o = TableObjets[objet];
    if (o.niveau > 20) o.niveau = 20;
    if (o.experience > 20000) o.experience = 20000;
    if (o.typeMaitre < 0 || o.typeMaitre >= NOMBRE_TYPES_MAITRES) return;
    const Objet& m = TableMaitres[o.typeMaitre];
    o.pointsDeVieMaximum = m.pointsDeVieMaximum + (o.niveau - 1) * m.pointsDeVieParNiveau;
    o.degats = m.degats + (o.niveau - 1) * m.degatsParNiveau;
}

void Objet__Bonus(int) {}
