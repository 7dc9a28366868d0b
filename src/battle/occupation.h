// Occupancy maps and collision. For now only the per-object buffers given at birth and taken
// back at destruction.
#pragma once

constexpr int TAILLE_LISTE_CIBLES = 40;

// The unit's path buffer and its two target lists (-1 empty), the path fields cleared.
// The sight and attack ranges are left as the birth set them.
void Objet__AlloueTrajet(int objet);
// Frees the three buffers; safe on an object that has none.
void Objet__LibereTrajet(int objet);
