// The game variables of the campaign: the upgrades bought in the castle, as plain levels
// (0 when not bought). Read by the birth bonus of the player's units.
#pragma once

#include <array>
#include <cstdint>

extern int32_t NiveauArmures, NiveauArmes, NiveauCavalerieVitesse, NiveauArcPuissance, NiveauBois, NiveauVorpale,
    NiveauRegenerationTroll;
extern int32_t NiveauQuantiteMana, NiveauQuantiteManaMalefique, NiveauQuantiteFoi;
extern int32_t NiveauPuissanceMana, NiveauPuissanceManaMalefique, NiveauPuissanceFoi;
extern int32_t NiveauRecuperationMana, NiveauRecuperationManaMalefique, NiveauRecuperationFoi;
// The spell research levels: index 0 is NiveauMG1 (NiveauNE1, NiveauPR1) ... index 7 NiveauMG8.
extern std::array<int32_t, 8> NiveauMG, NiveauNE, NiveauPR;

// The game variables of a scene start: the skirmish's, or the faction's start values. Not read
// from their files yet: the levels stay as they are.
void Variables__chargerEscarmouche();
void Variables__chargerDebut();
// The upgrades the battle rules read (poison, burning arrows, bow precision, backstab, phalanx and
// cavalry).
extern int32_t NiveauPoisonArmes, NiveauProjectilesEnflammes, NiveauArcPrecision, NiveauAttaqueTraitre, NiveauPhalange,
    NiveauCavalierLeger, NiveauCavalierLourd, NiveauChargeCavalerie;
