// Command input and view control.
#pragma once

#include <cstdint>

// Press state of the left button: a press waiting for its release, whether it began on an icon,
// and the map cells of the press and of the release.
extern int32_t DemandeSelection;
extern int32_t DebutSelectionIcone;
extern int32_t CadreDebutX, CadreDebutY;
extern int32_t CadreFinX, CadreFinY;

void Selection__MemeTypeVisibles();

// Control and Alt held, sampled by the command input on every call.
extern int32_t CtrlEnfonce, AltEnfonce;
// The spell the player has armed, -1 none.
extern int32_t SortArme;
// The ability-bar slot of the armed spell and the slot under the mouse (or picked by a digit key),
// -1 none; whether the armed spell may be cast on what is under the mouse.
extern int32_t CapaciteArmee, CapaciteSurvolee, SortCiblable;
// Cursor appearance and its animation counter.
extern int32_t ApparenceSouris, SourisAccumul;
// The order marker shown while paused: 0 none, else its frame + 1; its kind and world position.
extern int32_t MarqueurOrdre, MarqueurOrdreType, MarqueurOrdreX, MarqueurOrdreY;

// The command input of the castle and the battle, and the input over the shown minimap.
void Saisie__Commandes();
void Saisie__MiniCarte();
// Keeps the view origin even and inside the map.
void Defilement__Bornage();
// Scrolls the view two cells when its arrow key was pressed.
void Defilement__Droite();
void Defilement__Gauche();
void Defilement__Bas();
void Defilement__Haut();
// Centres the view on the first selected group.
void Vue__CentrageSelection();
// Centres the view on the next leader.
void Unite__Suivante();

// The first object of family 1 on GrilleSelection in the square of half-side r round (x, y), rows
// then columns from the top-left, cells off the map skipped; 0 when none.
int Objet__RechercheRayonFamille1(int x, int y, int r);
