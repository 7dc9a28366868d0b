// The object planes of the castle and battle scenes: corpses, then per row of the view from the
// top, right to left, the trees, every other object by family and the trees' upper halves; a
// building in three layers with the objects on its footprint between them; its elements from the
// queue of drawn buildings; then the flyers. Every object is drawn at most once per frame through
// its dejaAffiche mark.
#pragma once

#include <array>
#include <cstdint>

// -4 when RepereX >= 4, else 0: the corpse pass starts that many columns left of the view.
extern int32_t MargeGaucheVisible;

constexpr int TAILLE_FILE_AFFICHAGE = 256;
// The buildings drawn this frame, in drawing order; one met when the queue is full is drawn but
// not queued (its elements are not drawn).
extern std::array<int32_t, TAILLE_FILE_AFFICHAGE> FileAffichage;
extern int32_t FileAffichageNombre;

void PlanObjet__MargeGauche();
// Clears the mark of every live object and empties the queue.
void PlanObjet__RazAffiche();

// The four passes of a castle or battle frame, in this order.
void PlanObjet__MarquageVisible();
void MoteurAffichage__PlansObjets();
void PlanObjet__FileAffichage();
void PlanObjet__AffichageHaut();

// The object plane of the region map.
void PlanObjet__AffichageRegion();

// The parts of the passes.
void Batiment__AffichageSol();
// ObjetCourant, a building whose footprint starts at cell (x, y).
void PlanObjet__BatimentAffichage(int x, int y);
void PlanObjet__AffichageEmpriseV5(int x, int y);
void PlanObjet__AffichageEmpriseV5Priorite(int x, int y);
void MoteurAffichageV5_PlanObjetAffichage();
// ObjetCourant, a tree on a building's footprint at cell (x, y), shaded towards the light there.
void Ombre__Affichage(int x, int y);
