// The game's fonts and the text context on the back buffer.
#pragma once

#include <cstdint>

int Polices_Creation(void* instance);
void Polices_Ajout();     // makes the game's own font file known
void Polices_Retrait();   // and forgets it
