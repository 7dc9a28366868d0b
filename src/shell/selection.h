// The ten numbered selection groups: Control + digit stores the selection, Alt + digit recalls it.
#pragma once

#include <array>
#include <cstdint>

constexpr int NOMBRE_GROUPES_SELECTION = 10;
constexpr int MEMBRES_GROUPE_SELECTION = 128;

// Per selection group 0..9: its member count and its group indices in selection order.
extern std::array<int32_t, NOMBRE_GROUPES_SELECTION> TailleGroupesSelection;
extern std::array<std::array<int32_t, MEMBRES_GROUPE_SELECTION>, NOMBRE_GROUPES_SELECTION> MembresGroupesSelection;

// Empties the ten selection groups (scene start).
void GroupesSelection__RAZ();
// Stores the current selection (its first 128 groups) as selection group n.
void GroupesSelection__Memoriser(int n);
// Makes selection group n the current selection; 1 when it selected something.
int GroupesSelection__Rappeler(int n);
// The numbers of the stored selection groups on the minimap.
void GroupesSelection__AffichageMiniCarte();
// Removes a group from every selection group (the group is gone).
void GroupesSelection__Retirer(int groupe);
