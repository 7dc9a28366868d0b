// The formation screen's slot: a panel of 141 x 152 with the eight places of its sections. Frame 0
// the slot of the screen, frame 4 the one the region map's hover shows.
#include <string>
#include <vector>

#include "fabrique.h"
#include "sprite_dessin.h"

namespace {

constexpr int LARGEUR = 141, HAUTEUR = 152;
constexpr int PLACES[8][2] = {{5, 5}, {5, 42}, {5, 79}, {5, 116}, {73, 5}, {73, 42}, {73, 79}, {73, 116}};

ImageBlitter Case(int32_t bord, int32_t fond, int32_t place) {
    Toile t(LARGEUR, HAUTEUR);
    t.Rectangle(0, 0, LARGEUR, HAUTEUR, bord);
    t.Rectangle(2, 2, LARGEUR - 4, HAUTEUR - 4, fond);
    for (const auto& p : PLACES) {
        t.Rectangle(p[0], p[1], 63, 32, place);
        t.Rectangle(p[0] + 1, p[1] + 1, 61, 30, fond);
    }
    return t.Image();
}

bool FabriquerFormation(const std::string& racine) {
    std::vector<ImageBlitter> images;
    for (int f = 0; f < 5; ++f)
        images.push_back(f == 4 ? Case(Rvb(28, 24, 10), Rvb(4, 4, 6), Rvb(10, 9, 6))
                                : Case(Rvb(20, 16, 8), Rvb(3, 3, 4), Rvb(8, 7, 5)));
    return Sprite_Ecrire(racine, "region/formation", images);
}

}  // namespace

FABRIQUE_ETAPE("formation", FabriquerFormation);
