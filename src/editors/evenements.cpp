#include "editors/evenements.h"

#include "world/maitres.h"

void AnimationChargerEvenements(int maitre, const char* /*cheminMaitre*/) {
    if (maitre < 0 || maitre >= NOMBRE_TYPES_MAITRES) return;
    Objet& m = TableMaitres[maitre];
    auto* table = new TableEvenements{};
    for (int a = 0; a < NOMBRE_ANIMATIONS; ++a) {
        if (m.animations == nullptr) break;
        int directions = m.animations[a].directions, images = m.animations[a].images;
        if (directions <= 0) continue;
        table->animations[a] = new EvenementsImage*[directions];
        for (int p = 0; p < directions; ++p)
            table->animations[a][p] = images > 0 ? new EvenementsImage[images]() : nullptr;
    }
    m.evenements = table;
}
