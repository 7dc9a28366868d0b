#include "scene/particules.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "foundation/objetsgfx.h"
#include "platform/hasard.h"
#include "platform/temps.h"
#include "scene/meteo.h"
#include "shell/trame.h"

std::array<Particule, CAPACITE_PLAN_PARTICULES> PlanParticules0{};
std::array<Particule, CAPACITE_PLAN_PARTICULES> PlanParticules1{};
std::array<Particule, CAPACITE_PLAN_PARTICULES> PlanParticules2{};
int16_t NombreParticules0 = 0;
int16_t NombreParticules1 = 0;
int16_t NombreParticules2 = 0;
int16_t NombreParticulesTotal = 0;

std::array<double, 360> SinusDegres{};
std::array<double, 360> CosinusDegres{};

int32_t EmissionTest = 0;

namespace {

// Ring of "CIRCULAIRE FIXE" and lanes of "FLUX".
constexpr int16_t Anneau[12][2] = {{0, 2},  {1, 2},   {2, 1},   {2, 0},   {2, -1},  {1, -2},
                                   {0, -2}, {-1, -2}, {-2, -1}, {-2, 0},  {-2, 1},  {-1, 2}};
constexpr int16_t Couloirs[5][2] = {{-2, -6}, {-1, -6}, {0, -6}, {1, -6}, {2, -6}};

// Wind pushes by direction 0..7: up, then clockwise.
constexpr int8_t PousseeVent[8][2] = {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};

int Hasard() { return Hasard_Visuel(); }

// Any angle in degrees, 360 and negative ones included, to its table entry.
int Degre(int a) { return ((a % 360) + 360) % 360; }
double Sin(int a) { return SinusDegres[static_cast<size_t>(Degre(a))]; }
double Cos(int a) { return CosinusDegres[static_cast<size_t>(Degre(a))]; }

// Toward zero, then kept to 32 bits; values past that range (or none) are held at its ends.
int32_t Tronque(double v) {
    if (!(v == v)) return 0;
    v = std::clamp(v, static_cast<double>(INT32_MIN), static_cast<double>(INT32_MAX));
    return static_cast<int32_t>(v);
}
// Toward zero to a 16-bit integer.
int32_t Tronque16(double v) { return static_cast<int16_t>(Tronque(v)); }

int16_t I16(int64_t v) { return static_cast<int16_t>(v); }
int32_t I32(int64_t v) { return static_cast<int32_t>(v); }

// The whole displacement turned by the particle's angle about its origin.
void PositionTournee(Particule& p) {
    const int a = p.angle;
    const double x = p.deplacementX, y = p.deplacementY;
    p.positionX = I32(int64_t{Tronque16(x * Cos(a) + y * Sin(a))} + p.ecartX + p.origineX);
    p.positionY = I32(int64_t{Tronque16(-x * Sin(a) + y * Cos(a))} + p.ecartY + p.origineY);
}

void PositionDroite(Particule& p) {
    p.positionX = I32(int64_t{p.deplacementX} + p.ecartX + p.origineX);
    p.positionY = I32(int64_t{p.deplacementY} + p.ecartY + p.origineY);
}

void Animer(Particule& p, int32_t n) {
    switch (p.animation) {
        case 0:   // BOUCLE
            p.frameCourante = I16(int64_t{p.frameCourante} + n);
            if (p.frameCourante >= p.nombreFrames) p.frameCourante = 0;
            break;
        case 1:   // PING-PONG
            if (p.sensPingPong == 0) {
                p.frameCourante = I16(int64_t{p.frameCourante} + n);
                if (p.frameCourante >= p.nombreFrames) {
                    p.frameCourante = I16(p.nombreFrames - 1);
                    p.sensPingPong = 1;
                }
            } else {
                p.frameCourante = I16(int64_t{p.frameCourante} - n);
                if (p.frameCourante < 0) {
                    p.frameCourante = 0;
                    p.sensPingPong = 0;
                }
            }
            break;
        case 2:   // FIXE
            p.frameCourante = 0;
            break;
        case 3:   // ECHELONNEE
            p.cumulAnimation += static_cast<float>(n) * p.vitesseAnimation;
            if (!(p.cumulAnimation == p.cumulAnimation) || p.cumulAnimation > 32767.0f) p.cumulAnimation = 0.0f;
            if (p.cumulAnimation >= 1.0f) {
                const float entier = std::floor(p.cumulAnimation);
                p.frameCourante = I16(int64_t{p.frameCourante} + static_cast<int64_t>(entier));
                if (p.frameCourante >= p.nombreFrames) p.frameCourante = 0;
                p.cumulAnimation -= entier;
            }
            break;
        case 4:   // TRACE PROJECTILE
            break;
        case 5:   // RESTE FRAME
            p.frameCourante = I16(int64_t{p.frameCourante} + n);
            if (p.frameCourante >= p.nombreFrames) p.frameCourante = I16(p.nombreFrames - 1);
            break;
        default:
            break;
    }
}

void Avancer(Particule& p, int32_t n) {
    switch (p.trajet) {
        case 0:   // CHAOS
            p.deplacementX = I32(p.deplacementX + (int64_t{p.vitesseX} + 1 - Hasard() % 3) * n);
            p.deplacementY = I32(p.deplacementY + (int64_t{p.vitesseY} + 1 - Hasard() % 3) * n);
            PositionDroite(p);
            break;
        case 1:   // SPIRALE
        case 2:   // CERCLE
            p.deplacementX = I32(p.deplacementX + int64_t{p.vitesseX} * n);
            p.deplacementY = I32(p.deplacementY + int64_t{p.vitesseY} * n);
            p.angle = I16(p.angle + int64_t{p.pasAngle} * n);
            if (p.angle > 359) p.angle = 0;
            if (p.trajet == 1) {
                PositionTournee(p);
            } else {
                const int a = p.angle;
                const double x = p.ecartX, y = p.ecartY;
                p.positionX = I32(int64_t{p.deplacementX} + Tronque16(x * Cos(a) + y * Sin(a)) + p.origineX);
                p.positionY = I32(int64_t{p.deplacementY} + Tronque16(-x * Sin(a) + y * Cos(a)) + p.origineY);
            }
            break;
        case 3:   // UNIFORME
            p.deplacementX = I32(p.deplacementX + int64_t{p.vitesseX} * n);
            p.deplacementY = I32(p.deplacementY + int64_t{p.vitesseY} * n);
            PositionDroite(p);
            break;
        case 4:   // UNSPIRALE: back along the path run ahead at emission
            p.deplacementX = I32(p.deplacementX - int64_t{p.vitesseX} * n);
            p.deplacementY = I32(p.deplacementY - int64_t{p.vitesseY} * n);
            p.angle = I16(p.angle - int64_t{p.pasAngle} * n);
            if (p.angle < 0) p.angle = 360;
            PositionTournee(p);
            break;
        default:
            break;
    }
}

void Gerer(Particule* plan, int16_t* nombre, int32_t n) {
    int i = 0;
    while (i < *nombre) {
        Particule& p = plan[i];
        if (p.repere == 1) {
            p.origineX = I16(int64_t{ReperePixelX} + p.pointEmissionX);
            p.origineY = I16(int64_t{ReperePixelY} + p.pointEmissionY);
        }
        // Held at 0: a pass of several frames must not leave it below, where it would never show.
        if (p.naissanceDifferee > 0) p.naissanceDifferee = I16(std::max<int64_t>(0, int64_t{p.naissanceDifferee} - n));
        if (p.vie <= -31) {
            p = plan[*nombre - 1];
            --*nombre;
            --NombreParticulesTotal;
            continue;
        }
        if (p.vie >= 0)
            p.vie = I16(int64_t{p.vie} - n);
        else
            p.vie = I16(std::max<int64_t>(-31, int64_t{p.vie} - int64_t{3} * n));
        Animer(p, n);
        Avancer(p, n);
        if (p.vent && VentDirection >= 0 && VentDirection < 8) {
            p.deplacementX = I32(p.deplacementX + int64_t{VentForce} * n * PousseeVent[VentDirection][0]);
            p.deplacementY = I32(p.deplacementY + int64_t{VentForce} * n * PousseeVent[VentDirection][1]);
        }
        ++i;
    }
}

}  // namespace

void Particules_TablesTrigo() {
    for (int d = 0; d < 360; ++d) {
        const double a = d * 3.1415 / 180;
        SinusDegres[static_cast<size_t>(d)] = std::sin(a);
        CosinusDegres[static_cast<size_t>(d)] = std::cos(a);
    }
}

void Particules_Initialisation() {
    NombreParticulesTotal = 0;
    NombreParticules0 = 0;
    NombreParticules1 = 0;
    NombreParticules2 = 0;
    Particules_TablesTrigo();
}

void Particules_Emission(EffetParticule* effet, Particule* plan, int capacite, int16_t* nombre, int x, int y, int,
                         int dx, int dy, int image) {
    if (!effet || !plan || !nombre || *nombre < 0) return;
    capacite = std::min(capacite, CAPACITE_PLAN_PARTICULES);
    const int debut = *nombre;
    const int fin = debut + effet->nombre;
    if (fin >= capacite) return;   // a plan holds 999 particles at most
    if (effet->nombre == 0) {
        effet->nombre = 1;
        return;
    }
    if (fin <= debut) return;
    NombreParticulesTotal = I16(NombreParticulesTotal + (fin - debut));

    const double pas = 360.0 / effet->nombre;
    double angle = 0.0;
    int indiceAnneau = 0, indiceCouloir = 0;
    if (EmissionTest) {
        dx = effet->directionX;
        dy = effet->directionY;
    }

    for (int i = debut; i < fin; ++i) {
        Particule& p = plan[i];
        p = Particule{};
        p.pointEmissionX = x;
        p.pointEmissionY = y;
        p.origineX = I16(int64_t{ReperePixelX} + x);
        p.origineY = I16(int64_t{ReperePixelY} + y);
        // Reseeded from the whole second for every particle: an emission within the same second
        // draws the same values.
        Hasard_GraineVisuel(Temps_Ticks() / 1000);

        if (effet->typePosition == 0) {
            p.ecartX = 10 - Hasard() % 21;
            p.ecartY = 10 - Hasard() % 21;
        } else {
            p.ecartX = effet->positionRelativeX;
            p.ecartY = effet->positionRelativeY;
        }
        PositionDroite(p);

        switch (effet->emission) {
            case 0:   // HASARD
                p.directionX = I16(int64_t{dx} + 1 - Hasard() % 3);
                p.directionY = I16(int64_t{dy} + 1 - Hasard() % 3);
                break;
            case 1:   // CIRCULAIRE FIXE
                p.directionX = Anneau[indiceAnneau][0];
                p.directionY = Anneau[indiceAnneau][1];
                indiceAnneau = (indiceAnneau + 1) % 12;
                break;
            case 2: {   // CIRCULAIRE VARIABLE: (5, 5) turned by the angle
                const int a = static_cast<int>(angle);
                p.directionX = I16(Tronque(5 * Cos(a) + 5 * Sin(a)));
                p.directionY = I16(Tronque(-5 * Sin(a) + 5 * Cos(a)));
                angle += pas;
                break;
            }
            case 3:   // TRAINEE
                p.directionX = I16(dx);
                p.directionY = I16(dy);
                break;
            case 4: {   // FLUX: five parallel lanes along (dx, dy)
                const int16_t t = I16(int64_t{dy} * -6);
                double longueur = 6 * std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
                if (longueur == 0) longueur = 1.0;
                double a = std::acos(std::clamp(t / longueur, -1.0, 1.0));
                if (dx > 0) a = 6.283 - a;
                const double X = Couloirs[indiceCouloir][0], Y = Couloirs[indiceCouloir][1];
                p.directionX = I16(Tronque(X * std::cos(a) + Y * std::sin(a)));
                p.directionY = I16(Tronque(-X * std::sin(a) + Y * std::cos(a)));
                indiceCouloir = (indiceCouloir + 1) % 5;
                break;
            }
            default:
                break;
        }

        p.pasAngle = effet->pasAngle;
        p.angle = 0;
        p.vent = effet->vent;
        p.rouge = effet->rouge;
        p.vert = effet->vert;
        p.bleu = effet->bleu;
        if (effet->typeVie == 0)
            p.vie = I16(int64_t{effet->dureeDeVie} + 8 - Hasard() % 4);
        else
            p.vie = effet->dureeDeVie;
        p.trajet = effet->trajet;
        p.sprite = effet->sprite;
        p.modeCopie = effet->modeCopie;
        if (image == -1) {
            p.frameCourante = effet->premiereFrame;
            p.nombreFrames = effet->nombreFrames;
        } else {
            p.frameCourante = I16(image);
            p.nombreFrames = 1;
        }
        p.animation = effet->animation;
        p.sensPingPong = 0;
        const int m = std::max({p.rouge, p.vert, p.bleu});
        const int diviseur = p.vie + m;
        // A particle with no life and no colour has nothing to spread its frames over.
        p.vitesseAnimation = diviseur != 0 ? static_cast<float>(p.nombreFrames) / static_cast<float>(diviseur) : 0.0f;
        p.cumulAnimation = 0.0f;
        p.vitesse = effet->typeVitesse == 1 ? static_cast<float>(3 - Hasard() % 3) : effet->vitesse;
        p.naissanceDifferee = effet->naissanceDifferee;
        p.repere = effet->repere;
        p.vitesseX = Tronque(static_cast<double>(p.directionX) * p.vitesse);
        p.vitesseY = Tronque(static_cast<double>(p.directionY) * p.vitesse);

        if (p.trajet == 4) {   // UNSPIRALE: run ahead, to wind back in towards the emission point
            for (int k = 0; k < p.vie + 15; ++k) {
                p.deplacementX = I32(int64_t{p.deplacementX} + p.vitesseX);
                p.deplacementY = I32(int64_t{p.deplacementY} + p.vitesseY);
                p.angle = I16(p.angle + p.pasAngle);
                if (p.angle > 359) p.angle = 0;
            }
            PositionTournee(p);
        }
        ++*nombre;
    }
}

void Particules_Gestion(int32_t n) {
    Gerer(PlanParticules0.data(), &NombreParticules0, n);
    Gerer(PlanParticules1.data(), &NombreParticules1, n);
    Gerer(PlanParticules2.data(), &NombreParticules2, n);
}

void Particules_Affichage(const Particule* plan, int nombre) {
    if (!plan) return;
    nombre = std::min(nombre, CAPACITE_PLAN_PARTICULES);
    for (int i = 0; i < nombre; ++i) {
        const Particule& p = plan[i];
        if (p.naissanceDifferee > 0) continue;
        const int64_t x = int64_t{p.positionX} - ReperePixelX;
        const int64_t y = int64_t{p.positionY} - ReperePixelY;
        // Far off the screen: a 16-bit drawing point would wrap back onto it.
        if (x < INT16_MIN || x > INT16_MAX || y < INT16_MIN || y > INT16_MAX) continue;
        const auto sx = static_cast<int16_t>(x), sy = static_cast<int16_t>(y);
        if (p.vie > 0) {
            switch (p.modeCopie) {
                case 0: Sprite__AfficheTrs50(p.sprite, sx, sy, p.frameCourante); break;
                case 1: Sprite__AfficheEclaire(p.sprite, sx, sy, p.frameCourante, p.rouge, p.vert, p.bleu); break;
                case 2: Sprite__AfficheOmbreRGB(p.sprite, sx, sy, p.frameCourante, p.rouge, p.vert, p.bleu); break;
                case 3: Sprite__Affiche(p.sprite, sx, sy, p.frameCourante); break;
                default: break;
            }
        } else {
            // Fading: the colour falls with the life, as signed bytes.
            const int r = static_cast<int8_t>(p.rouge + p.vie);
            const int v = static_cast<int8_t>(p.vert + p.vie);
            const int b = static_cast<int8_t>(p.bleu + p.vie);
            switch (p.modeCopie) {
                case 0:
                case 1:
                case 3: Sprite__AfficheEclaire(p.sprite, sx, sy, p.frameCourante, r, v, b); break;
                case 2: Sprite__AfficheOmbreRGB(p.sprite, sx, sy, p.frameCourante, r, v, b); break;
                default: break;
            }
        }
    }
}
