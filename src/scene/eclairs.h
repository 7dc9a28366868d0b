// Lightning: a jagged, glowing bolt from a caster to its target, rebuilt every 100 ms so that it
// flickers and follows the target, with sparks and thunder; it strikes half a second after it was
// first made. Bolts live in a doubly linked list; their times are on the game clock.
#pragma once

#include <array>
#include <cstdint>

struct Objet;

constexpr int POINTS_ECLAIR = 17;   // the start, 15 jags, the end

struct Eclair {
    std::array<std::array<int32_t, 2>, POINTS_ECLAIR> points{};   // (x, y) in map pixels
    int32_t departX = 0, departY = 0;
    int32_t arriveeX = 0, arriveeY = 0;
    uint32_t instantCourant = 0;
    uint32_t dernierTrace = 0;
    uint32_t derniereEtincelle = 0;
    uint32_t instantControle = 0;
    uint32_t naissance = 0;
    Eclair* precedent = nullptr;
    Eclair* suivant = nullptr;
    int32_t cible = 0;       // object index of the target
    int32_t lanceur = 0;     // object index of the caster
    int32_t modeDegats = 0;
};

extern Eclair* ListeEclairs;   // the first bolt, null when there is none
extern double EclairNombrePoints;
constexpr int32_t SON_TONNERRE = 663;
constexpr uint32_t DUREE_ECLAIR = 500;        // ms from the first making to the strike
constexpr uint32_t PERIODE_TRACE_ECLAIR = 100;
constexpr uint32_t PERIODE_ETINCELLES = 500;
// The hit a bolt applies when it strikes (EvenementDegats; a test may record it instead).
extern void (*Eclair__Degats)(int32_t cible, Objet* attaquant, int32_t mode);

// A zeroed bolt appended after the last of the list (a lone bolt for an empty list); null when
// there is no memory for it.
Eclair* EclairAjout(Eclair* liste);
// A bolt from map pixel (x, y) to the centre of object cible; n has no effect. Null when either
// object is not on the map or there is no memory.
Eclair* Eclair__Creation(int32_t x, int32_t y, int32_t n, int32_t cible, int32_t lanceur);
// Unlinks and frees the bolt; the next bolt, else the previous one, else null.
Eclair* Eclair__Suppression(Eclair* eclair);
// The hit, then the bolt is removed; what Eclair__Suppression returns.
Eclair* Eclair__Impact(Eclair* eclair);
void Eclair__Gestion();
// Draws every bolt of the list (by default all of them).
void Eclair__Affichage(Eclair* liste = ListeEclairs);
// One segment in map pixels, lit into the back buffer.
void Eclair__Ligne(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void Eclair__Liberation();
