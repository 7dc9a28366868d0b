#include "battle/chemin.h"

#include <initializer_list>
#include <new>

#include "battle/astar.h"

PointTrajet* TrajetBrut = nullptr;
int32_t TrajetBrutNombre = 0;
PointTrajet* TrajetTrigo = nullptr;
int32_t TrajetTrigoNombre = 0;
PointTrajet* TrajetTrigoInverse = nullptr;
int32_t TrajetTrigoInverseNombre = 0;
PointTrajet* TrajetLisse = nullptr;
int32_t TrajetLisseNombre = 0;
int32_t TrajetEmpriseLargeur = 1;
int32_t TrajetEmpriseHauteur = 1;
int32_t ContourPas = 0;

void Trajet__LibereTampons() {
    for (PointTrajet** p : {&TrajetBrut, &TrajetTrigo, &TrajetTrigoInverse, &TrajetLisse}) {
        delete[] *p;
        *p = nullptr;
    }
    delete[] AstarOuverts;
    delete[] AstarFermes;
    AstarOuverts = AstarFermes = nullptr;
    TrajetBrutNombre = TrajetTrigoNombre = TrajetTrigoInverseNombre = TrajetLisseNombre = 0;
    AstarOuvertsNombre = AstarFermesNombre = 0;
}

int Trajet__AlloueTampons() {
    Trajet__LibereTampons();
    for (PointTrajet** p : {&TrajetBrut, &TrajetTrigo, &TrajetTrigoInverse, &TrajetLisse}) {
        *p = new (std::nothrow) PointTrajet[POINTS_TAMPON_TRAJET]();
        if (!*p) {
            Trajet__LibereTampons();
            return 0;
        }
    }
    AstarOuverts = new (std::nothrow) NoeudAstar[NOEUDS_ASTAR]();
    AstarFermes = new (std::nothrow) NoeudAstar[NOEUDS_ASTAR]();
    if (!AstarOuverts || !AstarFermes) {
        Trajet__LibereTampons();
        return 0;
    }
    return 1;
}

int Trajet__Calcul(int, int, int, int, int32_t* nombre, PointTrajet*, const uint32_t*, int, int) {
    if (nombre) *nombre = 0;
    return 1;
}
