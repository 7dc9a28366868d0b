// The siege engines in "sprite/figures", seen from the same three-quarter view as the cast: the
// catapult and the ballista rolling (16 directions of 6 frames, the wheels turning), firing
// (16 x 6: the arm throws its stone, the bow looses its bolt), at rest loaded (16 x 1), and their
// wrecks (16 x 1), also shown while they fall; and the ballista's bow alone (16). Directions turn
// clockwise by 22.5 degrees from up.
// The hot spot lies where the machine's footprint of 2 x 2 cells is drawn from.
// Indexed sprites: palette entries 0..31 are the player's colour, tinted through Spr_Repal.
#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

#include "fabrique.h"
#include "profondeur.h"
#include "sprite_dessin.h"

namespace {

constexpr double PI = std::numbers::pi;

enum : int32_t { JOUEUR = 0, CONTOUR = 32, BOIS = 33, METAL = 41, PIERRE = 49, CORDE = 57, BOIS_SOMBRE = 65, OMBRE = 73 };

std::vector<uint16_t> Palette() {
    std::vector<uint16_t> pal = PaletteRampes({
        {24, 16, 8},    // wood
        {26, 27, 29},   // iron
        {23, 22, 20},   // stone
        {27, 23, 14},   // rope
        {13, 9, 6},     // charred wood
    });
    pal.push_back(static_cast<uint16_t>(Rvb(3, 4, 2)));   // ground shadow
    return pal;
}

constexpr int LARGEUR = 112, HAUTEUR = 84;
constexpr double CX = 56, SOL = 62;                   // the footprint's centre on the canvas
constexpr int CHAUD_X = 64, CHAUD_Y = 50;             // the draw point, 8 right of and 12 above it
constexpr double ECHELLE = 1.3;                       // the machine's own units to pixels

// A point of the machine's own space: u forward, v to its right, h up from the ground.
struct P3 {
    double u, v, h;
};
P3 operator+(P3 a, P3 b) { return {a.u + b.u, a.v + b.v, a.h + b.h}; }

struct P2 {
    double x, y, z;   // z: larger is nearer the viewer
};

struct Vue {
    double fx, fy, rx, ry;
    explicit Vue(double a) : fx(std::sin(a)), fy(-std::cos(a)), rx(std::cos(a)), ry(std::sin(a)) {}
    P2 operator()(P3 p) const {
        const double gx = (p.u * fx + p.v * rx) * ECHELLE, gy = (p.u * fy + p.v * ry) * ECHELLE;
        return {CX + gx, SOL + gy * 0.55 - p.h * ECHELLE, gy + p.h * 0.05};
    }
};

// Shapes queued with their depth and drawn far to near.
class Scene : public FileProfondeur {
  public:
    Scene(Toile& t, const Vue& vue) : FileProfondeur(t), vue_(vue) {}
    // A beam: a dark edge and a lit core.
    void Poutre(P3 a, P3 b, double epaisseur, int32_t base, double biais = 0) {
        const P2 pa = vue_(a), pb = vue_(b);
        const double ep = epaisseur * ECHELLE;
        Ajouter((pa.z + pb.z) / 2 + biais, [=](Toile& t) {
            t.Trait(pa.x, pa.y, pb.x, pb.y, ep, Rampe(base, 8, 0.3));
            if (ep >= 1.8) t.Trait(pa.x - ep * 0.15, pa.y - ep * 0.2, pb.x - ep * 0.15, pb.y - ep * 0.2, ep * 0.45, Rampe(base, 8, 0.75));
        });
    }
    void Boule(P3 c, double rayon, int32_t base, int pas = 8, double biais = 0) {
        const P2 p = vue_(c);
        const double r = rayon * ECHELLE;
        Ajouter(p.z + biais, [=](Toile& t) {
            t.Forme([=](double x, double y) { return (x - p.x) * (x - p.x) + (y - p.y) * (y - p.y) <= r * r; },
                    [=](double x, double y) {
                        return Rampe(base, pas, std::clamp(0.85 - 0.5 * ((x - p.x) + (y - p.y)) / (r * 1.41), 0.0, 1.0));
                    });
        });
    }
    void Plaque(const std::vector<P3>& points, int32_t base, int pas, double lumiere, double biais = 0) {
        std::vector<std::pair<double, double>> sommets;
        double z = 0;
        for (P3 p : points) {
            const P2 q = vue_(p);
            sommets.emplace_back(q.x, q.y);
            z += q.z;
        }
        z /= static_cast<double>(points.size());
        Ajouter(z + biais, [=](Toile& t) {
            t.Polygone(sommets, [=](double, double) { return Rampe(base, pas, lumiere); });
            for (size_t i = 0; i < sommets.size(); ++i) {
                const auto& a = sommets[i];
                const auto& b = sommets[(i + 1) % sommets.size()];
                t.Trait(a.first, a.second, b.first, b.second, 1.1, Rampe(base, pas, lumiere * 0.7));
            }
        });
    }
    // A wheel of radius r standing across v at c, turned by the angle tour.
    void Roue(P3 c, double r, double tour) {
        std::vector<P3> jante;
        for (int k = 0; k < 14; ++k) {
            const double t = k * 2 * PI / 14;
            jante.push_back(c + P3{r * std::cos(t), 0, r * std::sin(t)});
        }
        Plaque(jante, BOIS, 8, 0.35);
        for (int k = 0; k < 3; ++k) {
            const double t = tour + k * PI / 3;
            Poutre(c + P3{r * 0.85 * std::cos(t), 0, r * 0.85 * std::sin(t)}, c + P3{-r * 0.85 * std::cos(t), 0, -r * 0.85 * std::sin(t)}, 1.2, BOIS + 0, 0.01);
        }
        Boule(c, 1.3, METAL, 8, 0.02);
    }
    void Ombre(double a, double b) {
        const double ra = a * ECHELLE, rb = b * ECHELLE;
        Ajouter(-1e9, [=](Toile& t) {
            t.Forme([=](double x, double y) { return (x - CX - 3) * (x - CX - 3) / (ra * ra) + (y - SOL - 1) * (y - SOL - 1) / (rb * rb) <= 1; },
                    [](double, double) { return OMBRE; });
        });
    }

  private:
    Vue vue_;
};

enum class Etat { Route, Tir, Repos, Epave };

// The catapult: a wheeled frame, two posts with a padded stop bar, and an arm on an axle low at
// the back, its cup holding a stone. The arm's angle goes from lying back (0) to upright (PI/2).
Toile Catapulte(Etat etat, int d, int i) {
    Toile t(LARGEUR, HAUTEUR);
    Scene s(t, Vue(d * PI / 8));
    s.Ombre(22, 12);
    if (etat == Etat::Epave) {
        // The frame broken in two and slewed, a wheel fallen flat, the arm snapped on the ground.
        s.Poutre({-16, -9, 2}, {8, -10, 3}, 3, BOIS_SOMBRE);
        s.Poutre({-12, 9, 2}, {14, 5, 1}, 3, BOIS_SOMBRE);
        s.Poutre({-14, -9, 2}, {-13, 9, 2}, 2.6, BOIS_SOMBRE);
        s.Poutre({2, -7, 3}, {4, -6, 12}, 2.6, BOIS_SOMBRE);
        s.Poutre({3, 7, 2}, {12, 12, 3}, 2.6, BOIS_SOMBRE);
        s.Poutre({-20, 2, 1}, {6, 4, 2}, 2.6, BOIS);
        s.Roue({-11, -12, 5}, 5, 0.4);
        s.Plaque({{8, 8, 0.5}, {16, 10, 0.5}, {14, 18, 0.5}, {6, 16, 0.5}}, BOIS, 8, 0.3);
        s.Plaque({{-6, 3, 3}, {2, 5, 2}, {-2, 11, 1.5}}, JOUEUR, 32, 0.45);   // the torn banner
        s.Boule({12, -6, 2}, 2.6, PIERRE, 8);
        s.Boule({-18, 10, 1.5}, 2, PIERRE, 8);
        s.Dessiner();
        t.Contour(CONTOUR);
        return t;
    }
    // The frame, the wheels (turning on the road), the player's colour on the sides.
    const double tour = etat == Etat::Route ? i * PI / 9 : 0;
    for (int k : {-1, 1}) {
        s.Poutre({-17, k * 9.0, 5}, {17, k * 9.0, 5}, 3.2, BOIS);
        s.Plaque({{-10, k * 9.6, 7}, {8, k * 9.6, 7}, {8, k * 9.6, 3}, {-10, k * 9.6, 3}}, JOUEUR, 32, 0.55, 0.05);
        for (int avant : {-1, 1}) s.Roue({avant * 11.0, k * 12.0, 5}, 5, tour);
    }
    for (double u : {-15.0, -6.0, 14.0}) s.Poutre({u, -9, 5}, {u, 9, 5}, 2.8, BOIS);
    // The posts and the stop bar, padded with rope.
    for (int k : {-1, 1}) {
        s.Poutre({4, k * 7.0, 5}, {4, k * 6.0, 25}, 3, BOIS);
        s.Poutre({13, k * 8.0, 5}, {5, k * 6.0, 21}, 2.2, BOIS);
    }
    s.Poutre({4, -7, 25}, {4, 7, 25}, 3.2, BOIS);
    s.Poutre({4.5, -3, 25}, {4.5, 3, 25}, 3.6, CORDE, 0.05);
    // The arm.
    double angle = 0.12;
    bool pierre = true, vol = false;
    if (etat == Etat::Tir) {
        static const double angles[6] = {0.12, 0.55, 1.15, 1.62, 1.45, 0.9};
        angle = angles[i];
        pierre = i < 3;
        vol = i == 3 || i == 4;
    }
    const P3 axe{-8, 0, 8};
    const P3 bout = axe + P3{-23 * std::cos(angle), 0, 23 * std::sin(angle)};
    s.Poutre({-8, -8, 8}, {-8, 8, 8}, 2.6, METAL);
    s.Poutre(axe, bout, 3, BOIS, 0.1);
    s.Boule(bout, 3.4, CORDE, 8, 0.12);
    if (pierre) s.Boule(bout + P3{0, 0, 2}, 3.2, PIERRE, 8, 0.2);
    if (vol) {
        // The stone leaving over the bar.
        const double loin = i == 3 ? 14 : 30;
        s.Boule({4 + loin, 0, 34 + loin * 0.3}, 3.2, PIERRE, 8, 1);
    }
    s.Dessiner();
    t.Contour(CONTOUR);
    return t;
}

// The ballista's bow: its arms bend back with the tension (1 drawn, 0 loosed), the string runs
// from their tips to the slider. Returns how far the tips bend back.
double Arc(Scene& s, double tension) {
    const double bande = 3 + 5 * tension;
    for (int k : {-1, 1}) {
        const P3 racine{15, k * 2.0, 16}, milieu{13 - bande * 0.4, k * 9.0, 16.5}, pointe{12 - bande, k * 15.0, 17};
        s.Poutre(racine, milieu, 2.6, BOIS, 0.3);
        s.Poutre(milieu, pointe, 2, BOIS, 0.3);
        s.Poutre(pointe, {12 - bande - 14 * tension, 0, 17}, 0.9, CORDE, 0.25);
    }
    return bande;
}

// The ballista: a great crossbow on a wheeled trestle. The string is drawn back by the winch
// (tension 1) and looses the bolt (tension 0).
Toile Baliste(Etat etat, int d, int i) {
    Toile t(LARGEUR, HAUTEUR);
    Scene s(t, Vue(d * PI / 8));
    s.Ombre(22, 12);
    if (etat == Etat::Epave) {
        s.Poutre({-14, -4, 2}, {12, 2, 4}, 3.2, BOIS_SOMBRE);
        s.Poutre({8, -14, 1}, {14, 4, 2}, 2.4, BOIS_SOMBRE);
        s.Poutre({14, 4, 2}, {6, 16, 1}, 2.2, BOIS_SOMBRE);
        s.Poutre({-8, 8, 1}, {-14, 16, 1}, 2.4, BOIS_SOMBRE);
        s.Poutre({-4, -10, 1}, {-2, -2, 6}, 2.4, BOIS_SOMBRE);
        s.Roue({-6, 11, 5}, 5, 1.1);
        s.Plaque({{-8, -12, 1}, {0, -14, 1}, {-2, -6, 2}}, JOUEUR, 32, 0.45);
        s.Poutre({2, 10, 0.5}, {18, 14, 0.5}, 1.2, METAL);   // the bolt, fallen
        s.Dessiner();
        t.Contour(CONTOUR);
        return t;
    }
    const double tour = etat == Etat::Route ? i * PI / 9 : 0;
    // The trestle and its wheels.
    for (int k : {-1, 1}) {
        s.Poutre({-12, k * 8.0, 5}, {10, k * 8.0, 5}, 3, BOIS);
        s.Roue({-6, k * 11.0, 5}, 5, tour);
        s.Poutre({6, k * 8.0, 5}, {4, k * 3.0, 14}, 2.4, BOIS);
        s.Poutre({-8, k * 8.0, 5}, {-6, k * 3.0, 14}, 2.4, BOIS);
    }
    s.Poutre({8, -8, 5}, {8, 8, 5}, 2.6, BOIS);
    s.Plaque({{-10, -8.5, 8}, {0, -8.5, 8}, {0, -8.5, 3}, {-10, -8.5, 3}}, JOUEUR, 32, 0.55, 0.05);
    s.Plaque({{-10, 8.5, 8}, {0, 8.5, 8}, {0, 8.5, 3}, {-10, 8.5, 3}}, JOUEUR, 32, 0.55, 0.05);
    // The stock and its winch.
    s.Poutre({-16, 0, 14}, {18, 0, 16}, 3.4, BOIS, 0.1);
    s.Poutre({-15, -4, 14}, {-15, 4, 14}, 2.4, METAL, 0.12);
    // How far back the string is drawn: 1 cocked, 0 loosed.
    double tension = 1;
    bool trait = true, vol = false;
    if (etat == Etat::Tir) {
        static const double tensions[6] = {1, 1, 0.15, 0, 0.35, 0.7};
        tension = tensions[i];
        trait = i < 3 || i == 5;
        vol = i == 3;
    }
    if (etat == Etat::Route) tension = 0.2, trait = false;
    const double bande = Arc(s, tension);
    if (trait) {
        const double recul = (etat == Etat::Tir && i == 5) ? 6 : 0;
        const double queue = 12 - bande - 14 * tension + recul;
        s.Poutre({queue, 0, 18}, {queue + 24, 0, 18}, 1.4, BOIS, 0.4);
        s.Poutre({queue + 24, 0, 18}, {queue + 28, 0, 18}, 1.8, METAL, 0.41);
    }
    if (vol) s.Poutre({28, 0, 19}, {40, 0, 19}, 1.6, METAL, 1);
    s.Dessiner();
    t.Contour(CONTOUR);
    return t;
}

// The bow alone, drawn, in the 16 directions: the game draws it under the ballista's body and
// again, lit, when the ballista is hit.
std::vector<ImageBlitter> ArcBaliste() {
    std::vector<ImageBlitter> liste;
    for (int d = 0; d < 16; ++d) {
        Toile t(LARGEUR, HAUTEUR);
        Scene s(t, Vue(d * PI / 8));
        Arc(s, 1);
        s.Dessiner();
        t.Contour(CONTOUR);
        liste.push_back(t.Image(CHAUD_X, CHAUD_Y));
    }
    return liste;
}

std::vector<ImageBlitter> Images(Toile (*dessin)(Etat, int, int), Etat etat) {
    const int images = etat == Etat::Route || etat == Etat::Tir ? 6 : 1;
    std::vector<ImageBlitter> liste;
    for (int d = 0; d < 16; ++d)
        for (int i = 0; i < images; ++i) liste.push_back(dessin(etat, d, i).Image(CHAUD_X, CHAUD_Y));
    return liste;
}

bool FabriquerEngins(const std::string& racine) {
    const std::vector<uint16_t> palette = Palette();
    struct Engin {
        const char* nom;
        Toile (*dessin)(Etat, int, int);
    };
    bool ok = true;
    for (Engin e : {Engin{"catapulte", Catapulte}, Engin{"baliste", Baliste}}) {
        const std::string base = std::string("figures/") + e.nom;
        ok &= Sprite_Ecrire(racine, base + "_dpl", Images(e.dessin, Etat::Route), &palette);
        ok &= Sprite_Ecrire(racine, base + "_tir", Images(e.dessin, Etat::Tir), &palette);
        ok &= Sprite_Ecrire(racine, base + "_spl", Images(e.dessin, Etat::Repos), &palette);
        ok &= Sprite_Ecrire(racine, base + "_debris", Images(e.dessin, Etat::Epave), &palette);
    }
    ok &= Sprite_Ecrire(racine, "figures/baliste_arc", ArcBaliste(), &palette);
    return ok;
}

}  // namespace

FABRIQUE_ETAPE("engins", FabriquerEngins);
