// Target choice and engagement: picking a unit's target from its candidate lists, sharing the
// work of a group, and the engaged totals that keep an army from piling onto one enemy.
#pragma once

#include <cstdint>

// One ordering pass by distance over the list (listeEnnemis or listeAllies); the distance to
// the candidate left in slot 0, 0 for an empty list.
int Unite__CibleLaPlusProche(int objet, int32_t* liste);
// One ordering pass over listeEnnemis by engagement capacity; 0 for an empty list, else 1.
int Unite__TrieCibles(int objet);
void Unite__FinEngagement(int objet);
int Unite__Poursuivre(int objet);
// 0 = the unit has no target (it is set moving), 1 otherwise.
int Unite__ChoisirCible(int numeroObjet, int groupeFiltre);
// The same, for a unit whose list fill (Objet__ChercheCibles, with any filter) would find no enemy
// if made now: the caller knows that, with nothing it reads written since, the unit's own search at
// its attack reach with no filter took no cell, and a fill takes as enemies a subset of the cells
// that search takes, over the same rings and layers.
int Unite__ChoisirCibleSansEnnemi(int numeroObjet, int groupeFiltre);
// The number of a valid target at the cell of the layer (2 air, 1 units, 0 corpses), 0 when none.
int Case__ContientCible(int objet, int groupeFiltre, int x, int y, int couche);
// The first valid target found ring by ring round the unit, 0 when none.
int Unite__ChercherCibleAutour(int objet, int portee, int groupeFiltre);
// The same, with `prise` set to the index of the object on the last cell the search took, 0 when
// it took none: each cell taken writes the unit's groupeCible, and one taken may answer 0 (an
// object whose numeroObjet is 0).
int Unite__ChercherCibleAutour(int objet, int portee, int groupeFiltre, int& prise);

// The automatic spells of casters; non-zero when a spell was cast.
int Unite__SortsAutomatiques(int objet);
