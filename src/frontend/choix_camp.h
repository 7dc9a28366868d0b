// The faction choice of a new campaign: a full-screen picture of the four factions; clicking a
// figure chooses its faction and campaign, and unlocks the faction campaigns for good.
#pragma once

#include <cstdint>
#include <vector>

struct ZoneCamp {
    int32_t x0, x1, y0, y1;   // last values excluded
    const char* image;
    int32_t camp;             // CampDuJoueur
    int32_t fichiers[4];      // CampFichiers entries 0 to 3
    int32_t campagne;         // returned
};
// In the order they are tested: the first containing the pointer wins.
extern const ZoneCamp ZonesCamps[4];

// The screen: the chosen campaign 1..4.
int ChoixCamp();
// The area under (x, y), -1 none.
int ChoixCamp__Zone(int32_t x, int32_t y);
// Sets the player's faction and the faction table from area z; its campaign.
int ChoixCamp__Appliquer(int z);
// The screen with area z's picture over the base picture: drawn the first time, kept after.
const std::vector<uint16_t>& ChoixCamp__Vue(int z, const std::vector<uint16_t>& base);
// Frees the kept pictures.
void ChoixCamp__Liberation();
