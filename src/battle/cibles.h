// Candidate target lists: the hostile objects a unit may strike and the friends it sees, filled
// ring by ring round it, nearest first.
#pragma once

#include <cstddef>

#include "shell/conditions.h"
#include "shell/scenario.h"
#include "world/codes.h"
#include "world/maitres.h"
#include "world/objets.h"

// Empties both lists when the object exists and has no target.
void Objet__RazCibles(int objet);
// Empties and fills both lists; 1 when the enemy list holds an entry.
int Objet__ChercheCibles(int objet, int groupeFiltre);
// One cell: mode 0 corpses on GrilleSol, 1 objects of GrilleUnites, 2 of GrilleAir.
void Objet__AjouteCible(int objet, int groupeFiltre, int x, int y, int mode);

// Whether u may take t, not active, as a siege target: a catapult (type 141) a fortification, or
// any unit a type 433 while EtatGrille is 0, each in its death animation (its kind is tested
// before the animation table is read).
inline bool Objet__CibleDeSiege(const Objet& u, const Objet& t) {
    return ((u.typeMaitre == 141 && t.classe == CLASSE_FORTIFICATION) || (t.typeMaitre == 433 && EtatGrille == 0)) &&
           t.typeMaitre >= 0 && t.typeMaitre < NOMBRE_TYPES_MAITRES &&
           ObjetGfx_ANIM__MOR[static_cast<size_t>(t.typeMaitre)] != -1;
}
// Shared by the target search: fights at a distance (archer, flyer, caster, war machine).
bool Unite__CombatADistance(int objet);
// Dying or dead; an index off the object table counts as dead.
bool Objet__MourantOuMort(int objet);
// The same, for the object at hand.
inline bool Objet__MourantOuMort(const Objet& o) { return o.ordreSecondaire == 3 || o.ordreSecondaire == 4; }
// TableAttaque with both armies bounded; an army off the table is hostile to nobody.
inline bool Armees__Hostiles(int armee, int autre) {
    return armee >= 0 && armee <= 5 && autre >= 0 && autre <= 5 &&
           TableAttaque[static_cast<size_t>(armee)][static_cast<size_t>(autre)] != 0;
}
