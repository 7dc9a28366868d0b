// The sample cast in "sprite/figures": a foot soldier, an archer, a mage and a hero seen from a
// three-quarter view, each walking, resting and attacking in 8 directions of 12 frames, dying in
// 4 directions of 12 frames (the mage also casts a spell in 8 x 12); an oak and a rock.
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

// Palette: 0..31 the player colour ramp, then ramps of 8.
enum : int32_t {
    JOUEUR = 0, CONTOUR = 32, PEAU = 33, METAL = 41, CUIR = 49, BOIS = 57, FEUILLE = 65, ROUGE = 73,
    PIERRE = 81, OR = 89, MAGIE = 97, BLANC = 105, ECORCE = 113, OMBRE = 121
};

std::vector<uint16_t> Palette() {
    std::vector<uint16_t> pal = PaletteRampes({
        {31, 23, 17},   // skin
        {26, 27, 29},   // metal
        {20, 13, 7},    // leather
        {24, 16, 8},    // wood
        {9, 24, 7},     // leaves
        {31, 5, 4},     // red
        {23, 22, 20},   // stone
        {31, 26, 6},    // gold
        {16, 26, 31},   // magic light
        {31, 31, 30},   // white
        {16, 10, 6},    // bark
    });
    pal.push_back(static_cast<uint16_t>(Rvb(3, 4, 2)));   // ground shadow
    return pal;
}

// A point of the figure's own space: u forward, v to its right, h up from the feet.
struct P3 {
    double u, v, h;
};
P3 operator+(P3 a, P3 b) { return {a.u + b.u, a.v + b.v, a.h + b.h}; }
P3 operator*(double k, P3 a) { return {k * a.u, k * a.v, k * a.h}; }

// The screen point and its depth (larger is nearer the viewer).
struct P2 {
    double x, y, z;
};

// Projection of a figure facing direction a (0 up the screen, clockwise), its feet at (cx, sol),
// fallen backwards by the angle chute round its feet, scaled by echelle.
struct Vue {
    double fx, fy, rx, ry, cx, sol, chute, echelle;
    Vue(double a, double cx_, double sol_, double chute_ = 0, double echelle_ = 1)
        : fx(std::sin(a)), fy(-std::cos(a)), rx(std::cos(a)), ry(std::sin(a)), cx(cx_), sol(sol_), chute(chute_),
          echelle(echelle_) {}
    P2 operator()(P3 p) const {
        const double c = std::cos(chute), s = std::sin(chute);
        // Falling backwards: the body turns round the feet, then slides so it lies centred.
        const double u = (p.u * c - p.h * s + 15 * s) * echelle, h = (p.u * s + p.h * c) * echelle, v = p.v * echelle;
        const double gx = u * fx + v * rx, gy = u * fy + v * ry;
        return {cx + gx, sol + gy * 0.55 - h, gy};
    }
};

using Scene = FileProfondeur;

// A limb or a shaft: a dark edge and a lit core.
void Cylindre(Scene& s, const Vue& vue, P3 a, P3 b, double ep, int32_t base, int pas, double biais = 0) {
    const P2 pa = vue(a), pb = vue(b);
    const double e = ep * vue.echelle;
    s.Ajouter((pa.z + pb.z) / 2 + biais, [=](Toile& t) {
        t.Trait(pa.x, pa.y, pb.x, pb.y, e, Rampe(base, pas, 0.35));
        if (e >= 1.8) t.Trait(pa.x - e * 0.18, pa.y - e * 0.18, pb.x - e * 0.18, pb.y - e * 0.18, e * 0.45, Rampe(base, pas, 0.8));
    });
}

// A ball lit from the top left.
void Boule(Scene& s, const Vue& vue, P3 c, double r, int32_t base, int pas, double biais = 0) {
    const P2 p = vue(c);
    const double rr = r * vue.echelle;
    s.Ajouter(p.z + biais, [=](Toile& t) {
        t.Forme([=](double x, double y) { return (x - p.x) * (x - p.x) + (y - p.y) * (y - p.y) <= rr * rr; },
                [=](double x, double y) {
                    return Rampe(base, pas, std::clamp(0.8 - 0.5 * ((x - p.x) + (y - p.y)) / (rr * 1.41), 0.0, 1.0));
                });
    });
}

// A flat polygon of points of the figure's space, shaded by its screen height.
void Plaque(Scene& s, const Vue& vue, const std::vector<P3>& points, int32_t base, int pas, double lumiere, double biais = 0) {
    std::vector<std::pair<double, double>> sommets;
    double z = 0;
    for (P3 p : points) {
        P2 q = vue(p);
        sommets.emplace_back(q.x, q.y);
        z += q.z;
    }
    z /= static_cast<double>(points.size());
    s.Ajouter(z + biais, [=](Toile& t) {
        t.Polygone(sommets, [=](double x, double) {
            return Rampe(base, pas, std::clamp(lumiere - 0.02 * (x - sommets[0].first), 0.1, 1.0));
        });
        // An edge-on plate still shows as a line.
        for (size_t i = 0; i + 1 < sommets.size(); ++i)
            t.Trait(sommets[i].first, sommets[i].second, sommets[i + 1].first, sommets[i + 1].second, 1.2, Rampe(base, pas, lumiere * 0.8));
    });
}

// A disc of radius r round c in the plane of the vectors a and b (a shield).
void Disque3(Scene& s, const Vue& vue, P3 c, P3 a, P3 b, double r, int32_t base, int pas, double biais = 0) {
    std::vector<P3> points;
    for (int k = 0; k < 16; ++k) {
        const double t = k * PI / 8;
        points.push_back(c + (r * std::cos(t)) * a + (r * std::sin(t)) * b);
    }
    Plaque(s, vue, points, base, pas, 0.7, biais);
}

enum class Genre { Soldat, Archer, Magicien, Heros };
enum class Anim { Marche, Repos, Attaque, Sort, Mort };

double Lisse(double t) {
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// One frame of a figure: direction d (0..7 clockwise from up; 0..3 for the death, by quarter
// turns), image i of 12.
Toile Figure(Genre genre, Anim anim, int d, int i) {
    Toile t(48, 48);
    const double angle = anim == Anim::Mort ? d * PI / 2 : d * PI / 4;
    const double phase = i * 2 * PI / 12, avance = i / 11.0;
    const double chute = anim == Anim::Mort ? Lisse(i / 7.0) * PI / 2 * 0.97 : 0;
    const double echelle = genre == Genre::Heros ? 1.1 : 1.0;
    const Vue vue(angle, 24, 41, chute, echelle);
    Scene s(t);

    // Walking: legs and arms swing; the body bobs.
    const bool marche = anim == Anim::Marche;
    const double pas = marche ? std::sin(phase) : 0;
    const double saut = marche ? 0.7 * std::abs(std::cos(phase)) : anim == Anim::Repos ? 0.35 * std::sin(phase) : 0;
    const bool robe = genre == Genre::Magicien;

    // The ground shadow, under everything.
    if (anim != Anim::Mort || i < 6) {
        P2 o = vue({0, 0, 0});
        s.Ajouter(-1000, [=](Toile& tt) {
            tt.Forme([=](double x, double y) { return (x - o.x) * (x - o.x) / 64 + (y - o.y) * (y - o.y) / 9 <= 1; },
                     [](double, double) { return OMBRE; });
        });
    }
    if (anim == Anim::Mort && i >= 7) {
        // A pool spreading beside the body.
        P2 o = vue({-2, 0, 12});
        const double r = 2 + (i - 7) * 1.3;
        s.Ajouter(-999, [=](Toile& tt) { tt.Disque(o.x + 2, o.y + 2, r, ROUGE + 1); });
    }

    // Legs (hidden under the mage's robe).
    const double hanche = 14 + saut;
    for (int cote : {-1, 1}) {
        const double u = pas * 5 * cote * (marche ? 1 : 0);
        const double leve = marche ? std::max(0.0, -std::cos(phase) * cote) * 2.2 : 0;
        const double ecart = anim == Anim::Attaque && genre != Genre::Magicien ? 1.6 * cote : 0;
        P3 h{0, 2.5 * cote, hanche}, g{u * 0.45 + 0.8 + ecart * 0.3, 2.7 * cote, 7.5 + leve}, p{u + ecart, 2.9 * cote, leve};
        if (!robe) {
            Cylindre(s, vue, h, g, 3.2, genre == Genre::Heros ? METAL : CUIR, 8);
            Cylindre(s, vue, g, p, 2.8, genre == Genre::Heros ? METAL : CUIR, 8);
        }
        Boule(s, vue, p + P3{0.9, 0, 0.6}, 1.8, CUIR, 4, 0.1);   // boot
    }

    // Body.
    const double epaule = 24.5 + saut;
    const int32_t habit = genre == Genre::Heros ? METAL : JOUEUR;
    const int pasHabit = genre == Genre::Heros ? 8 : 32;
    if (robe) {
        const double flot = marche ? std::sin(phase) * 1.2 : 0;
        Plaque(s, vue, {{0, -4.2, epaule}, {0, 4.2, epaule}, {flot, 7.2, 0.3}, {flot, -7.2, 0.3}}, JOUEUR, 32, 0.75);
        Cylindre(s, vue, {0, 0, 2}, {0, 0, epaule - 1}, 9, JOUEUR, 32, -0.2);
        Cylindre(s, vue, {2.2, -4.2, hanche}, {2.2, 4.2, hanche}, 1.4, OR, 8, 0.3);   // belt
    } else {
        Plaque(s, vue, {{0, -3.6, hanche - 1}, {0, 3.6, hanche - 1}, {0, 5.6, epaule}, {0, -5.6, epaule}}, habit, pasHabit, 0.75);
        Cylindre(s, vue, {0, 0, hanche}, {0, 0, epaule - 0.5}, 7.5, habit, pasHabit, -0.2);
        if (genre == Genre::Heros) {
            // The player's colour on a tabard over the armour, a gold belt.
            Plaque(s, vue, {{0.9, -2.2, hanche - 3}, {0.9, 2.2, hanche - 3}, {0.9, 2.6, epaule - 2}, {0.9, -2.6, epaule - 2}}, JOUEUR, 32, 0.8, 0.2);
            Cylindre(s, vue, {1.6, -3.6, hanche + 0.5}, {1.6, 3.6, hanche + 0.5}, 1.6, OR, 8, 0.3);
        } else {
            Cylindre(s, vue, {1.6, -3.6, hanche + 0.5}, {1.6, 3.6, hanche + 0.5}, 1.6, CUIR, 8, 0.3);
        }
    }
    if (genre == Genre::Heros) {
        // A cape down the back, waving when walking.
        const double vent = marche ? 1.5 + std::sin(phase * 2) * 0.8 : 0.8;
        Plaque(s, vue, {{-1.5, -5, epaule}, {-1.5, 5, epaule}, {-2.5 - vent, 6.5, 3}, {-2.5 - vent, -6.5, 3}}, JOUEUR, 32, 0.45, -0.5);
    }
    if (genre == Genre::Archer)
        // A quiver on the back, feathers out.
        for (int k = 0; k < 3; ++k) {
            Cylindre(s, vue, {-2.8, 1.5, 15}, {-3.2, 2.5 + k * 0.4, 26 + k * 0.3}, k == 0 ? 3 : 1, k == 0 ? CUIR : BOIS, 8, -0.4);
            if (k > 0) Boule(s, vue, {-3.3, 2.5 + k * 0.4, 27 + k * 0.3}, 1, BLANC, 8, -0.4);
        }

    // Head.
    const double tete = 29.8 + saut;
    const double regard = anim == Anim::Repos ? std::sin(phase) * 0.9 : 0;
    Boule(s, vue, {0, 0, tete}, 3.8, PEAU, 8);
    // Eyes, when the face is turned to the viewer.
    for (int cote : {-1, 1}) Boule(s, vue, {3.3, 1.3 * cote + regard, tete + 0.5}, 0.55, CONTOUR, 1, 0.5);
    switch (genre) {
        case Genre::Soldat:
            Boule(s, vue, {-0.6, 0, tete + 1.1}, 4.0, METAL, 8, 0.2);   // helmet
            Cylindre(s, vue, {2.9, 0, tete + 3}, {3.2, 0, tete - 0.5}, 1.2, METAL, 8, 0.8);   // nose guard
            break;
        case Genre::Archer:
            Boule(s, vue, {-0.9, 0, tete + 0.8}, 4.1, FEUILLE, 8, 0.2);   // hood
            Cylindre(s, vue, {-2, 0, tete}, {-3.5, 0, tete - 5}, 3, FEUILLE, 8, -0.3);
            break;
        case Genre::Magicien:
            Boule(s, vue, {2.6, 0, tete - 2.3}, 2.6, BLANC, 8, 0.6);   // beard
            Cylindre(s, vue, {2.8, 0, tete - 3}, {2.4, 0, tete - 7}, 2.2, BLANC, 8, 0.6);
            Plaque(s, vue, {{0, -5.5, tete + 2.2}, {0, 5.5, tete + 2.2}, {-1.6, 0, tete + 11}}, JOUEUR, 32, 0.55, 0.6);   // pointed hat
            Disque3(s, vue, {0, 0, tete + 2.2}, {1, 0, 0}, {0, 1, 0}, 5.5, JOUEUR, 32, 0.55);   // its brim
            break;
        case Genre::Heros:
            Boule(s, vue, {-0.5, 0, tete + 1.2}, 4.2, OR, 8, 0.2);   // golden helmet
            Cylindre(s, vue, {-0.8, 0, tete + 5}, {-4.5, 0, tete + 3}, 2.4, ROUGE, 8, 0.25);   // plume
            break;
    }

    // Arms and what the hands hold: the right hand r, the left hand l.
    const P3 epD{0, 5.6, epaule - 0.8}, epG{0, -5.6, epaule - 0.8};
    P3 mainD{3.5 * pas * -1 + 0.5, 6.2, hanche + 1}, mainG{3.5 * pas + 0.5, -6.2, hanche + 1};
    P3 lame{0.9, 0, 0.45};   // the sword's direction from the hand
    if (anim == Anim::Repos) mainD.h += 0.4 * std::sin(phase);
    if (anim == Anim::Mort) {
        // Arms opening as the body goes down, lying beside it at the end.
        mainD = {1.5 - chute * 2, 7 + chute * 2.5, epaule - 8 + chute * 2};
        mainG = {1.5 - chute * 2, -7 - chute * 2.5, epaule - 8 + chute * 2};
    }
    if (anim == Anim::Attaque && (genre == Genre::Soldat || genre == Genre::Heros)) {
        // Raised behind the head, struck forward and down, then back on guard.
        // th: the sword's angle from straight up, towards the front.
        const double th = avance < 0.4    ? -0.4 - avance / 0.4 * 0.6
                          : avance < 0.65 ? -1.0 + (avance - 0.4) / 0.25 * 3.0
                                          : 2.0 - (avance - 0.65) / 0.35 * 1.1;
        const double up = std::cos(th), fw = std::sin(th);
        mainD = {fw * 7 + 1, 5, epaule - 2 + up * 5};
        lame = {fw, -0.1, up};
    }
    if (genre == Genre::Soldat || genre == Genre::Heros) {
        const double longueur = genre == Genre::Heros ? 15 : 12;
        if (anim != Anim::Attaque && anim != Anim::Mort) lame = {0.75, 0, 0.65};
        if (anim == Anim::Mort) lame = {0.6, 0.75, 0.3};
        Cylindre(s, vue, mainD, mainD + longueur * lame, 2.1, METAL, 8, 0.4);
        Cylindre(s, vue, mainD + P3{0, -1.6, 0}, mainD + P3{0, 1.6, 0}, 1.6, OR, 8, 0.45);   // cross-guard
    }
    if (genre == Genre::Soldat) {
        // A round shield on the left arm, the player's colour with a metal boss.
        mainG = anim == Anim::Attaque ? P3{4, -5, epaule - 4} : anim == Anim::Mort ? mainG : P3{2.5 + pas, -6.5, hanche + 4};
        const P3 centre = mainG + P3{1.2, 0, 0};
        Disque3(s, vue, centre, {0.3, 0.95, 0}, {0, 0, 1}, 5.2, JOUEUR, 32, 0.9);
        Boule(s, vue, centre + P3{0.6, 0, 0}, 1.2, METAL, 8, 1.0);
    }
    if (genre == Genre::Archer) {
        // The bow in the left hand; in the attack the string is drawn back, then loosed.
        const double tirage = anim == Anim::Attaque ? (avance < 0.6 ? avance / 0.6 : std::max(0.0, 1 - (avance - 0.6) / 0.1)) : 0;
        const bool vise = anim == Anim::Attaque;
        mainG = vise ? P3{8, -1.5, epaule - 1} : anim == Anim::Mort ? mainG : P3{3 + pas * 2, -6.5, hanche + 3};
        const P3 axe = vise ? P3{0, 0, 1} : P3{0.55, 0, 0.85};
        const P3 arc = vise ? P3{1, 0, 0} : P3{0.85, 0, -0.5};
        std::vector<P3> courbe;
        for (int k = -4; k <= 4; ++k) {
            const double b = k / 4.0;
            courbe.push_back(mainG + (8 * b) * axe + (2.2 * (1 - b * b)) * arc);
        }
        for (size_t k = 0; k + 1 < courbe.size(); ++k) Cylindre(s, vue, courbe[k], courbe[k + 1], 1.5, BOIS, 8, 0.5);
        const P3 corde = mainG + (-2.0 - 6 * tirage) * arc;
        Cylindre(s, vue, courbe.front(), corde, 0.8, BLANC, 8, 0.45);
        Cylindre(s, vue, corde, courbe.back(), 0.8, BLANC, 8, 0.45);
        if (vise) {
            mainD = corde;
            if (avance < 0.65) Cylindre(s, vue, corde, mainG + P3{3, 0, 0}, 0.9, BOIS, 8, 0.55);   // arrow nocked
            else {
                // The arrow flies off in front.
                const double vol = (avance - 0.65) / 0.35 * 14;
                Cylindre(s, vue, mainG + P3{vol, 0, 0}, mainG + P3{vol + 7, 0, 0}, 0.9, BOIS, 8, 0.55);
                Boule(s, vue, mainG + P3{vol + 7, 0, 0}, 0.8, METAL, 8, 0.56);
            }
        }
    }
    if (genre == Genre::Magicien) {
        // The staff in the right hand, its orb glowing; the spell raises both arms and sends
        // sparks round the mage.
        double eclat = 0.4;
        P3 bout{0, 0, 1};
        if (anim == Anim::Attaque) {
            const double poussee = std::sin(avance * PI);
            mainD = {2 + poussee * 5, 5.5, epaule - 4 + poussee * 2};
            bout = {0.5 + poussee * 0.5, 0, 0.9 - poussee * 0.4};
            eclat = 0.4 + poussee * 0.6;
        } else if (anim == Anim::Sort) {
            const double leve = Lisse(avance / 0.4);
            mainD = {2, 6 - leve, epaule - 3 + leve * 9};
            mainG = {2 + leve * 1.5, -6 + leve, epaule - 3 + leve * 9};
            bout = {0.1, 0, 1};
            eclat = avance < 0.75 ? 0.4 + avance : 1.0;
        } else if (anim == Anim::Mort) {
            bout = {0.2, 1, 0.1};
        }
        const double norme = std::sqrt(bout.u * bout.u + bout.v * bout.v + bout.h * bout.h);
        bout = (1 / norme) * bout;
        const P3 bas = mainD + (-10) * bout, haut = mainD + 9 * bout;
        Cylindre(s, vue, bas, haut, 1.6, BOIS, 8, 0.4);
        const double rayon = 1.8 + eclat * (anim == Anim::Sort && avance > 0.6 ? 2.6 : 1.0);
        Boule(s, vue, haut + P3{0, 0, 1}, rayon, MAGIE, 8, 0.45);
        if (anim == Anim::Sort && i >= 3) {
            // Sparks turning round the figure, rising; a flash at the top at the end.
            const int n = std::min(8, (i - 2) * 2);
            for (int k = 0; k < n; ++k) {
                const double a = k * 2 * PI / 8 + i * 0.5;
                const double h = 6 + k * 2.2 + i * 0.8;
                Boule(s, vue, {std::cos(a) * 10, std::sin(a) * 10, h}, 1.1, MAGIE, 8);
            }
            if (i >= 9) Boule(s, vue, haut + P3{0, 0, 2}, 3.5 + (i - 9) * 1.5, BLANC, 8, 0.6);
        }
        if (anim == Anim::Attaque && avance > 0.35 && avance < 0.9) {
            // A bolt shot ahead of the staff.
            const double loin = (avance - 0.35) / 0.55 * 14;
            Boule(s, vue, haut + P3{2 + loin, 0, 0}, 1.6, MAGIE, 8, 0.7);
        }
    }
    for (int cote : {-1, 1}) {
        const P3 ep = cote > 0 ? epD : epG, main = cote > 0 ? mainD : mainG;
        const P3 coude = 0.5 * (ep + main) + P3{-0.8, 1.4 * cote, -0.6};
        const int32_t manche = robe ? JOUEUR : genre == Genre::Heros ? METAL : JOUEUR;
        const int pasManche = manche == JOUEUR ? 32 : 8;
        Cylindre(s, vue, ep, coude, 3, manche, pasManche, 0.3);
        Cylindre(s, vue, coude, main, 2.6, robe || genre == Genre::Heros ? manche : PEAU, robe || genre == Genre::Heros ? pasManche : 8, 0.35);
        Boule(s, vue, main, 1.5, PEAU, 8, 0.42);
    }
    s.Dessiner();
    t.Contour(CONTOUR);
    return t;
}

// A figure's frames; the hot spot is where the feet stand, at the middle of the cell drawn at.
std::vector<ImageBlitter> Animation(Genre genre, Anim anim) {
    std::vector<ImageBlitter> images;
    const int directions = anim == Anim::Mort ? 4 : 8;
    for (int d = 0; d < directions; ++d)
        for (int i = 0; i < 12; ++i) images.push_back(Figure(genre, anim, d, i).Image(12, 29));
    return images;
}

// A small deterministic noise in 0..1.
double Bruit(int x, int y, int graine) {
    uint32_t h = static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u ^ static_cast<uint32_t>(graine) * 83492791u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h & 0xFFFF) / 65535.0;
}

// A crown of leaves: lumps of foliage lit from the top left.
void Feuillage(Toile& t, double cx, double cy, double r, int graine) {
    for (int k = 0; k < 14; ++k) {
        const double a = k * 2.4 + graine, d = r * 0.55 * std::sqrt((k + 1) / 14.0);
        const double bx = cx + std::cos(a) * d, by = cy + std::sin(a) * d * 0.8;
        const double br = r * (0.42 + 0.1 * Bruit(k, graine, 3));
        t.Forme([=](double x, double y) { return (x - bx) * (x - bx) + (y - by) * (y - by) <= br * br; },
                [=](double x, double y) {
                    const double l = 0.85 - 0.55 * ((x - cx) + (y - cy)) / (r * 1.6) - 0.25 * ((x - bx) + (y - by)) / br;
                    const double grain = Bruit(static_cast<int>(x), static_cast<int>(y), graine) * 0.25;
                    return Rampe(FEUILLE, 8, std::clamp(l - grain, 0.05, 1.0));
                });
    }
}

void Tronc(Toile& t, double bx, double by, double haut, double large) {
    t.Polygone({{bx - large, by}, {bx - large * 0.45, by - haut}, {bx + large * 0.45, by - haut}, {bx + large, by}},
               [=](double x, double) { return Rampe(ECORCE, 8, std::clamp(0.75 - (x - bx + large) / (2 * large) * 0.6, 0.0, 1.0)); });
    for (int k : {-1, 1}) t.Trait(bx, by - haut * 0.6, bx + k * large * 2.2, by - haut * 1.15, 2, ECORCE + 2);
}

// The oak: frame 0 its trunk and lower branches, frame 1 its crown, drawn over frame 0 at the
// same point (a figure behind stands between them); frames 2 and 3 whole trees, a young oak and a
// bare one. The hot spot is the foot of the trunk.
std::vector<ImageBlitter> Chene() {
    std::vector<ImageBlitter> images;
    const int L = 64, H = 80, bx = 32, by = 72;
    auto ombre = [&](Toile& t, double r) {
        t.Forme([=](double x, double y) { return (x - bx - 4) * (x - bx - 4) / (r * r) + (y - by) * (y - by) / (r * r * 0.16) <= 1; },
                [](double, double) { return OMBRE; });
    };
    {
        Toile t(L, H);
        ombre(t, 22);
        Tronc(t, bx, by, 34, 5);
        t.Contour(CONTOUR);
        images.push_back(t.Image(bx, by));
    }
    {
        Toile t(L, H);
        Feuillage(t, bx, by - 44, 26, 1);
        t.Contour(CONTOUR);
        images.push_back(t.Image(bx, by));
    }
    {
        Toile t(L, H);
        ombre(t, 15);
        Tronc(t, bx, by, 24, 3.5);
        Feuillage(t, bx, by - 34, 18, 2);
        t.Contour(CONTOUR);
        images.push_back(t.Image(bx, by));
    }
    {
        Toile t(L, H);
        ombre(t, 16);
        Tronc(t, bx, by, 40, 4.5);
        for (int k = 0; k < 7; ++k) {
            const double a = -PI / 2 + (k - 3) * 0.38, l = 14 + 6 * Bruit(k, 0, 5);
            const double x0 = bx + (k - 3) * 0.8, y0 = by - 28 - k % 3 * 4;
            t.Trait(x0, y0, x0 + std::cos(a) * l, y0 + std::sin(a) * l, 2, ECORCE + 1);
            t.Trait(x0 + std::cos(a) * l * 0.6, y0 + std::sin(a) * l * 0.6, x0 + std::cos(a + 0.6) * l, y0 + std::sin(a + 0.6) * l, 1.2, ECORCE + 1);
        }
        t.Contour(CONTOUR);
        images.push_back(t.Image(bx, by));
    }
    return images;
}

// The rock: four shapes of weathered stone, frame = the decor's direction.
std::vector<ImageBlitter> Rocher() {
    std::vector<ImageBlitter> images;
    for (int f = 0; f < 4; ++f) {
        Toile t(48, 40);
        const double cx = 24, cy = 26;
        t.Forme([=](double x, double y) { return (x - cx - 3) * (x - cx - 3) / 360 + (y - cy - 6) * (y - cy - 6) / 30 <= 1; },
                [](double, double) { return OMBRE; });
        // An outline of random radii round the centre, flattened below.
        std::vector<std::pair<double, double>> bord;
        for (int k = 0; k < 11; ++k) {
            const double a = k * 2 * PI / 11, r = 11 + 6 * Bruit(k, f, 7) + (f == 3 ? 3 : 0);
            bord.emplace_back(cx + std::cos(a) * r * 1.3, cy + std::min(std::sin(a) * r, 5.0) - (std::sin(a) < 0 ? 2 : 0));
        }
        t.Polygone(bord, [=](double x, double y) {
            const double l = 0.9 - 0.035 * ((x - cx) + 1.6 * (y - cy + 6)) - 0.2 * Bruit(static_cast<int>(x / 2), static_cast<int>(y / 2), f);
            return Rampe(PIERRE, 8, std::clamp(l, 0.05, 1.0));
        });
        // Cracks and a tuft of moss.
        t.Trait(cx - 4 + f, cy - 8, cx + 2, cy, 1, PIERRE + 1);
        t.Trait(cx + 2, cy, cx + 6 - f, cy + 3, 1, PIERRE + 1);
        if (f % 2 == 0) t.Disque(cx - 8 + f * 2, cy + 2, 2.2, FEUILLE + 2);
        t.Contour(CONTOUR);
        images.push_back(t.Image(24, 30));
    }
    return images;
}

bool FabriquerFigures(const std::string& racine) {
    const std::vector<uint16_t> palette = Palette();
    struct Personnage {
        const char* nom;
        Genre genre;
    };
    bool ok = true;
    for (Personnage p : {Personnage{"soldat", Genre::Soldat}, Personnage{"archer", Genre::Archer},
                         Personnage{"magicien", Genre::Magicien}, Personnage{"heros", Genre::Heros}}) {
        const std::string base = std::string("figures/empire_") + p.nom;
        ok &= Sprite_Ecrire(racine, base + "_dpl", Animation(p.genre, Anim::Marche), &palette);
        ok &= Sprite_Ecrire(racine, base + "_spl", Animation(p.genre, Anim::Repos), &palette);
        ok &= Sprite_Ecrire(racine, base + "_att", Animation(p.genre, Anim::Attaque), &palette);
        ok &= Sprite_Ecrire(racine, base + "_mor", Animation(p.genre, Anim::Mort), &palette);
        if (p.genre == Genre::Magicien) ok &= Sprite_Ecrire(racine, base + "_sin", Animation(p.genre, Anim::Sort), &palette);
    }
    ok &= Sprite_Ecrire(racine, "figures/arbre_chene", Chene(), &palette);
    ok &= Sprite_Ecrire(racine, "figures/decor_rocher", Rocher(), &palette);
    return ok;
}

}  // namespace

FABRIQUE_ETAPE("figures", FabriquerFigures);
