// The master objects: the prototype of every kind of object, read once at start-up from the
// list of "..\ini\mv.ini" and one "..\maitres\%s.txt" per master.
#pragma once

#include <array>
#include <cstdint>

#include "world/objets.h"

// One animation's frame and direction counts; a master's block holds 21 of them, in the order
// of the ANIM__ keywords.
struct AnimationInfo {
    int32_t images;
    int32_t directions;
};

constexpr int NOMBRE_ANIMATIONS = 21;

using TableParMaitre = std::array<int32_t, NOMBRE_TYPES_MAITRES>;

extern std::array<Objet, NOMBRE_TYPES_MAITRES> TableMaitres;
extern int32_t NombreMaitres;
extern std::array<char*, NOMBRE_TYPES_MAITRES> NomsMaitres;

// Graphic object number of each master's animation, -1 for none.
extern TableParMaitre ObjetGfx_ANIM__DPL, ObjetGfx_ANIM__ARA, ObjetGfx_ANIM__ARE, ObjetGfx_ANIM__DRA,
    ObjetGfx_ANIM__DRE, ObjetGfx_ANIM__SPL, ObjetGfx_ANIM__ASP, ObjetGfx_ANIM__VOL, ObjetGfx_ANIM__DEC,
    ObjetGfx_ANIM__ATT, ObjetGfx_ANIM__ECR, ObjetGfx_ANIM__SSP, ObjetGfx_ANIM__SIN, ObjetGfx_ANIM__SPJ,
    ObjetGfx_ANIM__APU, ObjetGfx_ANIM__CCA, ObjetGfx_ANIM__CCH, ObjetGfx_ANIM__VOR, ObjetGfx_ANIM__MOR,
    ObjetGfx_ANIM__MOV, ObjetGfx_ANIM__APP;
// The same 21 tables by animation number.
extern const std::array<TableParMaitre*, NOMBRE_ANIMATIONS> TablesObjetGfxAnimations;
extern const std::array<const char*, NOMBRE_ANIMATIONS> MotsClesAnimations;

using VoixParMaitre = std::array<std::array<int32_t, 4>, NOMBRE_TYPES_MAITRES>;
extern VoixParMaitre VoixSelection, VoixDeplacement, VoixAttaque;

int Maitres__Liste__Creation();
int Sort__Numero(const char* motCle, const char* nomFichier);
void Chaine__SoulignesEnBlancs(char* texte);
