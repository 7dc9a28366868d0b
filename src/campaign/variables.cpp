#include "campaign/variables.h"

int32_t NiveauArmures = 0, NiveauArmes = 0, NiveauCavalerieVitesse = 0, NiveauArcPuissance = 0, NiveauBois = 0,
        NiveauVorpale = 0, NiveauRegenerationTroll = 0;
int32_t NiveauQuantiteMana = 0, NiveauQuantiteManaMalefique = 0, NiveauQuantiteFoi = 0;
int32_t NiveauPuissanceMana = 0, NiveauPuissanceManaMalefique = 0, NiveauPuissanceFoi = 0;
int32_t NiveauRecuperationMana = 0, NiveauRecuperationManaMalefique = 0, NiveauRecuperationFoi = 0;
std::array<int32_t, 8> NiveauMG{}, NiveauNE{}, NiveauPR{};
int32_t NiveauPoisonArmes = 0, NiveauProjectilesEnflammes = 0, NiveauArcPrecision = 0, NiveauAttaqueTraitre = 0,
        NiveauPhalange = 0, NiveauCavalierLeger = 0, NiveauCavalierLourd = 0, NiveauChargeCavalerie = 0;

void Variables__chargerEscarmouche() {}
void Variables__chargerDebut() {}
