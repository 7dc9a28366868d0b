// The group tick: once per game frame it rebuilds the occupancy maps, settles every unit on its
// cell, runs each group's state machine, and on one frame in six runs the strategic AI instead.
#pragma once

#include <cstdint>

struct NoeudEntier;

extern int32_t SimulationCompteur;
extern int32_t SimulationInitialisee;
extern int32_t IAActive;

void Simulation__Tour();

using OperationGroupe = void (*)(int groupe);
using OperationUnite = void (*)(int objet, int groupe);
void Groupes__PourChaque(const NoeudEntier* liste, OperationGroupe operation);
void Groupes__PourChaqueAvecMembres(const NoeudEntier* liste, OperationGroupe operation);
void Groupe__PourChaqueUnite(int groupe, OperationUnite operation);

void Groupe__PoseUnites(int groupe);
void Groupe__PrepareUnites(int groupe);
void Groupe__PrePas(int groupe);
void Groupe__Gestion(int groupe);
void Groupe__VerifieOccupation(int groupe);
void Groupe__RazSuivi(int groupe);
int Groupe__EnnemiAPortee(int groupe);
int Groupe__EnnemiEnVue(int groupe);
int Groupe__MembreEnTransit(int groupe);

void Unite__Recale(int objet, int groupe);
void Unite__VerifieOccupation(int objet, int groupe);
void Unite__SignaleEngagement(int objet, int groupe);
void Unite__Engagement(int objet, int groupe);
void Unite__Attaque(int objet, int groupe, int groupeCible, int cible);
