// The game's fonts and the text context on the back buffer.
#pragma once

#include <array>
#include <cstdint>

#include "platform/texte.h"

extern PoliceSysteme* Police12;
extern PoliceSysteme* Police12Gras;
extern PoliceSysteme* PoliceBase;
extern PoliceSysteme* Police22Gras;
extern PoliceSysteme* Police35;
extern PoliceSysteme* Police35Gras;
extern PoliceSysteme* Police14;
extern PoliceSysteme* Police27Gras;
extern PoliceSysteme* Police16Gras;
extern PoliceSysteme* Police20;
extern int32_t HauteurPolice14;
// Fonts chosen by number; slot 6 is never filled.
extern std::array<PoliceSysteme*, 7> TablePolices;

int Polices_Creation(void* instance);
void Polices_Ajout();     // makes the game's own font file known
void Polices_Retrait();   // and forgets it
