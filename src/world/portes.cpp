#include "world/portes.h"

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/hasard.h"
#include "world/descriptions.h"
#include "world/grilles.h"
#include "world/mort.h"
#include "world/objets.h"

namespace {

std::array<uint8_t, NOMBRE_OBJETS> PortesTombees{};

bool IndiceValide(int b) { return b >= 1 && b < NOMBRE_OBJETS; }

// Whether a code 3 of the description puts a gate on the gate's cell.
bool PorteDe(const DescriptionBatiment* d, const Objet& batiment, const Objet& porte) {
    const int codes = Batiment__NombreCodes(d);
    for (int c = 0; c < codes; ++c)
        if (d->codeObjet[c] == 3 && batiment.x + d->codeX[c] == porte.x && batiment.y + d->codeY[c] == porte.y)
            return true;
    return false;
}

// The slot still holds the live building this gate was born of: a building whose description
// (its own orientation's, or the t one) puts a gate where this one stands.
bool BatimentDeLaPorte(int b, const Objet& porte) {
    if (!IndiceValide(b)) return false;
    const Objet& batiment = TableObjets[static_cast<std::size_t>(b)];
    if (batiment.noeudListe == nullptr || batiment.famille != 1) return false;
    return PorteDe(Batiment__Description(batiment.typeMaitre, batiment.direction), batiment, porte) ||
           PorteDe(Batiment__Description(batiment.typeMaitre, 1), batiment, porte);
}

}  // namespace

bool Porte__Tombee(int batiment) { return IndiceValide(batiment) && PortesTombees[static_cast<std::size_t>(batiment)] != 0; }

void Porte__Relever(int batiment) {
    if (IndiceValide(batiment)) PortesTombees[static_cast<std::size_t>(batiment)] = 0;
}

void Porte__Gestion() {
    Objet* porte = ObjetCourant;
    if (porte == nullptr) return;
    if (Hasard_Regles() % 10 >= 8) {
        porte->pointsDeVie -= 20;
        porte->touche = 1;
    } else {
        porte->touche = 0;
    }
    if (porte->pointsDeVie > 0) return;

    const int b = porte->direction;
    if (!BatimentDeLaPorte(b, *porte)) return;
    Objet& batiment = TableObjets[static_cast<std::size_t>(b)];
    DescriptionBatiment* d = Batiment__Description(batiment.typeMaitre, 1);
    if (d == nullptr) return;
    DescriptionBatimentCourante = d;
    PortesTombees[static_cast<std::size_t>(b)] = 1;   // the door of this building only
    const int codes = Batiment__NombreCodes(d);
    for (int c = 0; c < codes; ++c) {
        if (d->codeObjet[c] != 3) continue;
        const int victime = Univers__CaseUnites(batiment.x + d->codeX[c], batiment.y + d->codeY[c]);
        // An empty cell has no part to kill, and a door never takes its building down.
        if (victime != 0 && victime != b) Objet__Mort(victime, 2);
    }
    ObjetCourant = porte;
}
