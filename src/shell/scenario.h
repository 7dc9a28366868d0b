// The scenario of a battle: its conditions file (".VBat") read into fixed tables, the gate and
// fortification flags that the world model writes.
#pragma once

#include <array>
#include <cstdint>

#include "shell/selection.h"

extern int32_t EtatGrille;              // portcullis: 0 intact, -1 being opened, 1 destroyed
extern int32_t BrecheOuverte;           // a fortification piece is down
extern int32_t FortificationDetruite;
// "[OUVERTURE_PORTE]": the player may open and close the gate.
extern int32_t PorteManoeuvrable;
extern int32_t& GrillePresente;
// "[FUITE]": one flag per army 0..4; a set flag routs that army once.
extern std::array<int32_t, 5> FuiteArmees;
extern std::array<int32_t, 5>& FuiteArmeeDemandee;
// "[BATIMENT_DE_JOUEUR]": the army the buildings are given to, -1 none.
extern int32_t ArmeeBatiments;
extern int32_t& JoueurBatiments;
// "[PORTE_OUVERTE_AU_DEBUT]".
extern int32_t PorteOuverte;
// Milliseconds before the computer's armies act.
extern int32_t DelaiDeclenchementIA;

constexpr int NOMBRE_CONDITIONS = 20;

// A victory or defeat condition, or an event before the battle. Every field -1 when empty.
struct ConditionBataille {
    int32_t actif;        // 1 used
    int32_t type;
    int32_t evenement;    // index into TableEvenementsBataille, -1 none
    int32_t etat;         // -1 not met, 1 met
    int32_t maitre;       // a master type (an army for the events before the battle)
    int32_t nombre;       // a count or a percentage
    int32_t zoneX, zoneY, zoneLargeur, zoneHauteur;
    int32_t debut;        // the timer's start on the game clock
    int32_t courant;
    int32_t duree;        // milliseconds
};

// 0 REQUESTER, 1 JOUER_CINEMATIQUE, 2 IMAGE, 3 DEFECTION, -1 empty.
struct EvenementBataille {
    int32_t genre;
    char* fichier;        // heap, null for none
    int32_t valeur;       // the requester's kind, or the army of a defection
    int32_t reserve[3];
};

struct Consequence {
    int32_t genre;
    int32_t reserve1;
    int32_t valeur;
    int32_t reserve[3];
};

struct TexteBataille {
    int32_t valeur;       // -1 empty
    char* texte;          // heap
};

extern std::array<ConditionBataille, NOMBRE_CONDITIONS> TableVictoire, TableDefaite, TableAvantBataille;
extern int32_t NbConditionsVictoire, NbConditionsDefaite, NbEvenementsAvantBataille;
extern std::array<EvenementBataille, NOMBRE_CONDITIONS> TableEvenementsBataille;
extern int32_t NbEvenementsBataille;
// Victory: 0 GAINS_OR, 1 GAINS_OBJET, 2 ALLIANCE, 3 SOIN. Defeat: 0 PERTES_OR, 1 DEFECTION, 2 SOIN.
extern std::array<Consequence, NOMBRE_CONDITIONS> TableConsequencesVictoire, TableConsequencesDefaite;
extern int32_t NbConsequencesVictoire, NbConsequencesDefaite;
extern std::array<TexteBataille, NOMBRE_CONDITIONS> TableTextesBataille;
extern int32_t NbTextesBataille;
// Preference weights of the strategic AI, row = acting army.
extern std::array<std::array<int32_t, 6>, 6> TableCiblesFavorites;
extern std::array<int32_t, 5> AlliancesSauvees, DefectionsSauvees;

// Reads the conditions of the level `fichier` (its name with ".VBat"); returns 0.
int ConditionsChargement(const char* fichier);
void Conditions_Initialisation();
void Conditions_Liberation();
void Alliances__Sauvegarde();
void Alliances__Restauration();


// The gate found on the map at scene start, and where.
extern int32_t PorteTrouvee, PorteX, PorteY;
// The gate object found by the scan, 0 none.
extern int32_t ObjetPorte;
// The scene start's scan of the map for the gate (shell/missions.cpp).
void Scene__InitialisationVariables();
