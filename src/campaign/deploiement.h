// Regiments set down on the battle map, one group per section standing in its layout, and taken
// back from the map after the battle.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "campaign/armee.h"

struct AncreEntree {
    int32_t x, y;
};
// The anchor cell of an entry direction 0..8; (0, 0) for any other value.
AncreEntree Deploiement__ancre(int32_t direction);

// 0 when every section found a place, -1 otherwise (the sections placed stay on the map).
int32_t Regiment__poserSurCarte(Regiment* regiment, int32_t direction, int32_t camp);
// The same, telling how many sections (the first ones of the list) were set down.
int32_t Regiment__poserSurCarte(Regiment* regiment, int32_t direction, int32_t camp, int32_t* posees);
// The indexes of the units that are not set down with their section: no cell of their type is left
// for them in its layout, or their type has no master.
std::vector<int32_t> Section__horsDisposition(const Section* section);
int32_t Section__essayerPoser(const Section* section, int32_t y, int32_t x);
// The group made, or -1 when the section has no unit to set down.
int32_t Section__poserSurCarte(Section* section, int32_t y, int32_t x, int32_t camp, int32_t id, int32_t direction);
int32_t Armee__poserSurCarte(int32_t direction);

Section* Section__depuisGroupe(int32_t groupe, int32_t camp);
Regiment* Regiment__depuisCarte(const std::string& nom, int32_t camp, int32_t id);
