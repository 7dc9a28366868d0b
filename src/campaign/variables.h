// The game variables of the campaign: the castle's building levels and the upgrades bought in it,
// as plain levels (0 when not bought). Each has a current value and the value it takes when the
// castle is next entered; both are kept in "..\ini\variables.txt".
#pragma once

#include <array>
#include <cstdint>

// The variables held as single integers, in the order of the variables file (the spell research
// levels 1..8 are the arrays below and sit at their place in the table).
#define MORVANE_VARIABLES_DEBUT(X)                                                                                     \
    X(NiveauChateau) X(NiveauDonjon) X(NiveauBaraquement) X(NiveauForge) X(NiveauScierie) X(NiveauEcurie)              \
    X(NiveauSalleArmes) X(NiveauAmbassade) X(NiveauTourMagiciens) X(NiveauLieuCulte) X(NiveauRepaireTenebres)          \
    X(NiveauArcher) X(NiveauBaliste) X(NiveauBelier) X(NiveauCatapulte) X(NiveauCavalierLeger) X(NiveauCavalierLourd)  \
    X(NiveauChevalier) X(NiveauDragonImperial) X(NiveauDragonSimple) X(NiveauGeant) X(NiveauLeviathan)                \
    X(NiveauMagicien) X(NiveauNecromant) X(NiveauOrc) X(NiveauPhalange) X(NiveauPorteDrapeau) X(NiveauPretre)         \
    X(NiveauSoldat) X(NiveauTour) X(NiveauTroll) X(NiveauArcDistance) X(NiveauArcPuissance) X(NiveauArcPrecision)     \
    X(NiveauBois) X(NiveauCommerce) X(NiveauCharisme) X(NiveauCavalerieVitesse) X(NiveauArmes) X(NiveauArmures)       \
    X(NiveauVorpale) X(NiveauFoiChevalier) X(NiveauImmunitePeur) X(NiveauAttaqueTraitre) X(NiveauPoisonArmes)
#define MORVANE_VARIABLES_MILIEU(X) X(NiveauRegenerationTroll) X(NiveauSoin)
#define MORVANE_VARIABLES_FIN(X)                                                                                       \
    X(NiveauRecuperationFoi) X(NiveauRecuperationMana) X(NiveauRecuperationManaMalefique)                              \
    X(NiveauPuissanceManaMalefique) X(NiveauQuantiteManaMalefique) X(NiveauChargeCavalerie)                            \
    X(NiveauProjectilesEnflammes) X(NiveauCohesion) X(NiveauFurieChevalier) X(NiveauPuissanceFoi)                      \
    X(NiveauQuantiteFoi) X(NiveauPuissanceMana) X(NiveauQuantiteMana) X(NiveauImmunitePoison) X(NiveauPeur)

#define MORVANE_VARIABLE_DECLARER(nom) extern int32_t nom, nom##Suivant;
MORVANE_VARIABLES_DEBUT(MORVANE_VARIABLE_DECLARER)
MORVANE_VARIABLES_MILIEU(MORVANE_VARIABLE_DECLARER)
MORVANE_VARIABLES_FIN(MORVANE_VARIABLE_DECLARER)
#undef MORVANE_VARIABLE_DECLARER

// The spell research levels: NiveauMG0 alone, then index 0 of NiveauMG is NiveauMG1 ... index 7 NiveauMG8
// (the same for NE and PR).
extern int32_t NiveauMG0, NiveauNE0, NiveauPR0, NiveauMG0Suivant, NiveauNE0Suivant, NiveauPR0Suivant;
extern std::array<int32_t, 8> NiveauMG, NiveauNE, NiveauPR, NiveauMGSuivant, NiveauNESuivant, NiveauPRSuivant;

struct Variable {
    int32_t masqueCamps;        // bit f: the variable exists for faction f
    const char* nom;
    int32_t* valeur;
    int32_t* valeurSuivante;    // none for the always-available variable
};

constexpr int NOMBRE_VARIABLES = 89;
extern const std::array<Variable, NOMBRE_VARIABLES> TableVariables;

// An empty name gives the always-available variable (value 1); an unknown name gives none.
const Variable* Variables__chercher(const char* nom, int32_t camp);
void Variables__charger();
void Variables__chargerEscarmouche();
void Variables__sauvegarder();
void Variables__appliquer();
