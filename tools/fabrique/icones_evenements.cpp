// The event editor's icons, one 24 x 24 picture per kind of concrete event, in
// "sprite/icones/ed_evenement/": a framed square with a mark that tells the kind at a glance.
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>

#include "fabrique.h"
#include "sprite_dessin.h"

namespace {

constexpr int COTE = 24;

Toile Cadre(int32_t fond) {
    Toile t(COTE, COTE);
    t.Rectangle(0, 0, COTE, COTE, Rvb(4, 4, 5));
    t.Rectangle(1, 1, COTE - 2, COTE - 2, fond);
    return t;
}

ImageBlitter Icone(const std::string& nom) {
    const int32_t blanc = Rvb(29, 29, 28), rouge = Rvb(28, 5, 4), vert = Rvb(6, 25, 8), or_ = Rvb(30, 24, 6);
    Toile t = Cadre(Rvb(9, 10, 13));
    if (nom == "soins") {   // a green cross
        t.Rectangle(9, 4, 6, 16, vert);
        t.Rectangle(4, 9, 16, 6, vert);
    } else if (nom == "Poison") {   // a drop
        t.Disque(12, 14.5, 5.5, vert);
        t.Polygone({{12, 3}, {7, 13}, {17, 13}}, [=](double, double) { return vert; });
        t.Disque(10, 15, 1.5, blanc);
    } else if (nom == "creeunite") {   // a figure and a plus
        t.Disque(9, 7, 3, blanc);
        t.Trait(9, 10, 9, 17, 4, blanc);
        t.Trait(9, 17, 5, 21, 2, blanc);
        t.Trait(9, 17, 13, 21, 2, blanc);
        t.Rectangle(16, 12, 6, 2, or_);
        t.Rectangle(18, 10, 2, 6, or_);
    } else if (nom == "projecti") {   // an arrow in flight
        t.Trait(4, 19, 18, 5, 2, blanc);
        t.Polygone({{20, 3}, {13, 6}, {17, 10}}, [=](double, double) { return blanc; });
        t.Trait(4, 19, 3, 15, 2, rouge);
        t.Trait(4, 19, 8, 20, 2, rouge);
    } else if (nom == "transform") {   // one shape turning into another
        t.Disque(7, 12, 4, blanc);
        t.Rectangle(14, 8, 7, 8, or_);
        t.Trait(10, 5, 15, 5, 1.5, blanc);
        t.Trait(9, 19, 15, 19, 1.5, blanc);
    } else if (nom == "boulefeu") {   // a ball of fire
        t.Disque(12, 12, 8, rouge);
        t.Disque(12, 12, 5, or_);
        t.Disque(11, 11, 2, blanc);
    } else if (nom == "epee") {   // a sword
        t.Trait(5, 19, 17, 7, 2.5, blanc);
        t.Trait(4, 14, 10, 20, 2, or_);
        t.Trait(3, 21, 6, 18, 2.5, Rvb(16, 10, 4));
    } else if (nom == "horloge") {   // a clock face
        t.Disque(12, 12, 9, blanc);
        t.Disque(12, 12, 7.5, Rvb(9, 10, 13));
        t.Trait(12, 12, 12, 6, 1.5, blanc);
        t.Trait(12, 12, 16, 13, 1.5, blanc);
    } else if (nom == "hp") {   // a loudspeaker
        t.Rectangle(4, 9, 4, 6, blanc);
        t.Polygone({{8, 9}, {13, 4}, {13, 20}, {8, 15}}, [=](double, double) { return blanc; });
        t.Trait(16, 8, 17, 12, 1.5, or_);
        t.Trait(17, 12, 16, 16, 1.5, or_);
        t.Trait(19, 6, 21, 12, 1.5, or_);
        t.Trait(21, 12, 19, 18, 1.5, or_);
    } else if (nom == "magie") {   // a star
        for (int k = 0; k < 5; ++k) {
            const double a = -std::numbers::pi / 2 + k * 2 * std::numbers::pi / 5;
            t.Trait(12, 12, 12 + 9 * std::cos(a), 12 + 9 * std::sin(a), 2.5, Rvb(18, 14, 31));
        }
        t.Disque(12, 12, 2.5, blanc);
    } else if (nom == "demembre") {   // a broken bone
        t.Trait(4, 18, 10, 12, 3, blanc);
        t.Trait(14, 11, 20, 5, 3, blanc);
        t.Disque(4, 19, 2, blanc);
        t.Disque(20, 4, 2, blanc);
        t.Trait(11, 13, 13, 10, 1.5, rouge);
    }
    return t.Image(0, 0);
}

bool FabriquerIconesEvenements(const std::string& racine) {
    bool ok = true;
    for (const char* nom : {"soins", "Poison", "creeunite", "projecti", "transform", "boulefeu", "epee", "horloge", "hp",
                            "magie", "demembre"})
        ok &= Sprite_Ecrire(racine, std::string("icones/ed_evenement/") + nom, {Icone(nom)});
    return ok;
}

}  // namespace

FABRIQUE_ETAPE("icones de l'editeur d'evenements", FabriquerIconesEvenements);
