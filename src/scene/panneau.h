// The portraits of the selected groups along the top of the battle view, each with its bars,
// signs, level and head count; the bar of the selection's distinct abilities along the bottom;
// the unit icons by master type, shared with the screens that show units.
#pragma once

#include <array>
#include <cstdint>

constexpr int CAPACITES_MAXIMUM = 9;

// The ability bar as last collected: slot i holds ability CapacitesIndex[i] (0..8 in sorts) of
// object CapacitesObjets[i]; CapacitesActives[i] is 1 when it could be cast when last drawn.
extern int32_t CapacitesNombre;
extern std::array<int32_t, CAPACITES_MAXIMUM> CapacitesObjets;
extern std::array<int32_t, CAPACITES_MAXIMUM> CapacitesIndex;
extern std::array<int32_t, CAPACITES_MAXIMUM> CapacitesActives;
// The master type shown by the icon of the skirmish preview, -1 when it has no icon.
extern int32_t FicheUniteType;

// The portraits of the first seven selected groups, then the ability bar. survolAffiche: the
// lower panel shows a hovered object (the single group's caption then gives way to it).
void PanneauSelection__Affichage(int survolAffiche);
// The portrait of ObjetCourant's group at (x, y): in the selection row (enSelection 1) or as the
// hovered object of the lower panel (0).
void Portrait__Affichage(int x, int y, int enSelection, int survolAffiche);
// The distinct abilities of the selection, in order of first appearance, siege engines left out.
void BarreCapacites__Collecte();
// Collects, then draws the bar with its lower-left corner at (x, y).
void BarreCapacites__Affichage(int x, int y);
// The icon of ObjetCourant (or of FicheUniteType in the skirmish preview) for a portrait at (x, y).
void FicheUnite__Affichage(int x, int y);
// The icon of a master type at (x, y); nothing for a type without one.
void Icone__Affichage(int type, int x, int y);
// The icon's graphic object and frame for a master type; false when it has none.
bool Icone__Table(int type, int* objet, int* image);
// The interface text line naming an ability code (the owner's categorie picks between two), 0 none.
int Capacite__LigneNom(int code, int categorie);
// The length in pixels (0..24) of a portrait bar for value out of maximum.
int Portrait__Barre(int valeur, int maximum);
