#include "battle/occupation.h"

#include "battle/chemin.h"
#include "battle/trajet.h"
#include "world/objets.h"

uint32_t* CarteOccupationSol = nullptr;
uint32_t* CarteOccupationAir = nullptr;
uint32_t* CarteOccupationSolBase = nullptr;
uint32_t* CarteOccupationAirBase = nullptr;
int32_t ObstaclesListe[TAILLE_OBSTACLES_LISTE] = {};
int32_t ObstaclesNombre = 0;

// Until the scene start and the game variables define them.
int32_t __attribute__((weak)) ZoneBatimentsPresente = 0;
int32_t __attribute__((weak)) ZoneBatimentsX = 127;
int32_t __attribute__((weak)) ZoneBatimentsY = 127;
int32_t __attribute__((weak)) ZoneBatimentsDroite = 0;
int32_t __attribute__((weak)) ZoneBatimentsBas = 0;
int32_t __attribute__((weak)) NiveauArcDistance = 0;

int Univers__AlloueCartes() { return Trajet__AlloueTampons(); }
void Univers__LibereCartes() { Trajet__LibereTampons(); }

void Objet__AlloueTrajet(int objet) {
    if (objet < 1 || objet >= NOMBRE_OBJETS) return;
    Objet& o = TableObjets[objet];
    Objet__LibereTrajet(objet);
    o.trajet = new PointTrajet[POINTS_TRAJET_UNITE]();
    o.listeAllies = new int32_t[TAILLE_LISTE_CIBLES];
    o.listeEnnemis = new int32_t[TAILLE_LISTE_CIBLES];
    for (int i = 0; i < TAILLE_LISTE_CIBLES; ++i) o.listeAllies[i] = o.listeEnnemis[i] = -1;
    o.dernierAllie = o.dernierEnnemi = -1;
    o.cible = -1;
    o.groupeCible = -1;
    o.auContact = 0;
    o.nbPointsTrajetUnite = 0;
    o.pointCourantUnite = 0;
}

void Objet__LibereTrajet(int objet) {
    if (objet < 1 || objet >= NOMBRE_OBJETS) return;
    Objet& o = TableObjets[objet];
    delete[] o.trajet;
    delete[] o.listeAllies;
    delete[] o.listeEnnemis;
    o.trajet = nullptr;
    o.listeAllies = o.listeEnnemis = nullptr;
}

void Occupation__Reconstruit() {}
void Occupation__Pose(int, int, int, int, uint32_t*, int) {}
int Occupation__Test(int, int, int, int, uint32_t*, int) { return 0; }
void Occupation__Leve(int, int, int, int, int, uint32_t*, int, int) {}
void Occupation__PoseAvecPoussee2(int, int, int, int, uint32_t*, int, int) {}
int Occupation__Avance(int, int, int) { return 0; }
int Collision__TestDeplacement(int, int, int, int, int, int, int) { return 0; }
int Collision__TestDeplacementGroupe(int, int, int, int, int, int, int, int) { return 0; }
int Carte__DansZoneMurs(int, int) { return 0; }
void Carte__RameneDansZone(int, int, int*, int*) {}
