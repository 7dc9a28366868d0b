#include "battle/machines.h"

#include <cmath>
#include <cstddef>

#include "battle/deplacement.h"
#include "battle/humains.h"
#include "battle/joueur_evenements.h"
#include "foundation/erreurs.h"
#include "foundation/objetsgfx.h"
#include "shell/trame.h"
#include "world/gestion_objets.h"
#include "world/maitres.h"
#include "world/mort.h"
#include "world/objets.h"

namespace {

constexpr int MAITRE_DEBRIS_CATAPULTE = 158;
constexpr int MAITRE_DEBRIS_BALISTE = 160;
constexpr int GFX_ARC_BALISTE = 137;

const char* const ODRE_INCONNU = "L'odre secondaire de l'objet courant est inconnu : %d";

bool ObjetVivant(int n) { return n >= 1 && n < NOMBRE_OBJETS && TableObjets[static_cast<size_t>(n)].noeudListe; }

bool MaitreValide(int t) { return t >= 0 && t < NOMBRE_TYPES_MAITRES; }

int Gfx(const TableParMaitre& table, int t) { return MaitreValide(t) ? table[static_cast<size_t>(t)] : -1; }

// The wreck the machine leaves: a quarter of its hit points, still, wearing away.
void EnDebris(Objet& o, int debris) {
    if (MaitreValide(o.typeMaitre)) --PopulationParType[static_cast<size_t>(o.typeMaitre)];
    o.typeMaitre = debris;
    ++PopulationParType[static_cast<size_t>(debris)];
    o.ordreSecondaire = 2;
    o.animation = 0;
    o.image = 0;
    o.compteurEvenement = -1;
    o.pointsDeVie = o.pointsDeVieMaximum / 4;
    o.vitesse = 0;
    o.selectionnable = 0;
    o.regenerationVie = -1;
    o.selectionne = 0;
}

void MachineGestion(int debris, const char* ou) {
    Objet* o = ObjetCourant;
    if (o == nullptr) return;
    ++o->compteurTir;
    if (o->pointsDeVie < 1) o->ordreSecondaire = 3;
    switch (o->ordreSecondaire) {
        case 0:
            if (Animation__Avance(1)) {
                o->heureMort = o->heureEtat = static_cast<int32_t>(HorlogeJeu);
                o->image = 0;
                o->compteurEvenement = -1;
            }
            break;
        case 1:
            if (o->compteurTir > 30) {
                // The shot plays from its first frame, whatever frame the rest had reached: taken
                // up mid-cycle it would lose its first frames (the launch among them), or the whole
                // shot when the rest cycle ends on this very frame.
                o->compteurTir = 0;
                o->animation = 2;
                o->image = 0;
                o->compteurEvenement = -1;
            }
            if (Animation__Avance(6)) o->animation = 5;
            Objet__PasPuisCourant(o);
            Objet__EvenementsPuisCourant(o);
            break;
        case 2:
            o->animation = o->arretFinCycle == 1 ? 5 : 0;
            Animation__Avance(6);
            Objet__PasPuisCourant(o);
            Objet__EvenementsPuisCourant(o);
            break;
        case 3:
            // A one-frame animation: it ends on this frame even when the killing shot left the
            // counter before its first frame (nothing else moves it here, and the machine would
            // be removed at 0 hit points without ever becoming a wreck).
            if (o->compteurEvenement < 0) o->compteurEvenement = 0;
            if (Animation__Avance(1)) EnDebris(*o, debris);
            break;
        default: Erreur_Fatale(ou, ODRE_INCONNU, o->ordreSecondaire);
    }
}

void DebrisGestion() {
    Objet* o = ObjetCourant;
    if (o == nullptr) return;
    if (o->pointsDeVie < 1) o->ordreSecondaire = 3;
    switch (o->ordreSecondaire) {
        case 0:
        case 1:
        case 2:
            if (Animation__Avance(1)) {
                o->heureMort = o->heureEtat = static_cast<int32_t>(HorlogeJeu);
                o->image = 0;
                o->compteurEvenement = -1;
            }
            break;
        case 3:
            o->compteurRepos = 0;
            o->actif = 0;
            o->enIncantation = 0;
            if (Animation__Avance(1)) {
                Objet__Mort(o->indice, 2);
                o->animation = 18;
            }
            break;
        default: Erreur_Fatale("Catapulte_debris___gestion()", ODRE_INCONNU, o->ordreSecondaire);
    }
}

enum class Sorte { Machine, Debris };

// Draws ObjetCourant by its animation; an animation it has no picture for is fatal.
void MachineAffichage(Sorte sorte, const char* ou, const char* message) {
    Objet* o = ObjetCourant;
    if (o == nullptr) return;
    if (o->ordreSecondaire == 4) {
        o->ordreSecondaire = 3;
        o->animation = 18;
    }
    const int sx = (o->x - RepereX) * 24 + o->decalageX + 20;
    const int sy = (o->y - RepereY) * 24 + o->decalageY;
    const int t = o->typeMaitre, d = o->direction;
    const bool machine = sorte == Sorte::Machine;
    switch (o->animation) {
        case 0: Unites___affichage(Gfx(ObjetGfx_ANIM__DPL, t), sx, sy, machine ? d * 6 + o->image : d); break;
        case 2: Unites___affichage(Gfx(ObjetGfx_ANIM__ARE, t), sx, sy, machine ? d * 6 + o->image : d + o->image); break;
        case 5: Unites___affichage(Gfx(ObjetGfx_ANIM__SPL, t), sx, sy, d); break;
        case 17:
        case 18:
        case 19: Unites___affichage(Gfx(ObjetGfx_ANIM__MOR, t), sx, sy, d); break;
        default: Erreur_Fatale(ou, message, o->animation);
    }
    ObjetCourant = o;
}

}  // namespace

void Catapulte___gestion() { MachineGestion(MAITRE_DEBRIS_CATAPULTE, "Catapulte___gestion()"); }
void Baliste___gestion() { MachineGestion(MAITRE_DEBRIS_BALISTE, "Baliste___gestion()"); }
void Catapulte_debris___gestion() { DebrisGestion(); }
void Baliste_debris___gestion() { DebrisGestion(); }

void CatapulteAffichage() {
    MachineAffichage(Sorte::Machine, "Objet__Affiche", "L'objet catapulte à reçu une animation inconnue : %d");
    if (ObjetCourant) ObjetCourant->touche = 0;
}

void BalisteAffichage() {
    MachineAffichage(Sorte::Machine, "BalisteAffichage()", "L'objet baliste à reçu une animation inconnue : %d");
    Objet* o = ObjetCourant;
    if (o == nullptr) return;
    // A hit shows on the bow, lit red over the body.
    if (o->touche) {
        const int sx = (o->x - RepereX) * 24 + o->decalageX + 20;
        const int sy = (o->y - RepereY) * 24 + o->decalageY;
        Sprite__AfficheEclaire(GFX_ARC_BALISTE, static_cast<int16_t>(sx + 44), static_cast<int16_t>(sy + 36),
                               static_cast<int16_t>(o->sorts[0]), 20, 0, 0);
    }
    o->touche = 0;
}

void Catapulte_debrisAffichage() {
    MachineAffichage(Sorte::Debris, "Objet__Affiche", "Le debris de catapulte à reçu une animation inconnue : %d");
    if (ObjetCourant) ObjetCourant->touche = 0;
}

void Baliste_debrisAffichage() {
    MachineAffichage(Sorte::Debris, "Objet__Affiche", "Le  debris de baliste à reçu une animation inconnue : %d");
    if (ObjetCourant) ObjetCourant->touche = 0;
}

void Objet__DirectionMachine() {
    Objet* o = ObjetCourant;
    if (o == nullptr) return;
    o->sorts[1] = o->direction;
    if (o->ordreSecondaire != 1) {
        const int nx = o->prochaineCaseX, ny = o->prochaineCaseY;
        if (nx > o->x) o->direction = ny > o->y ? 6 : ny == o->y ? 4 : 2;
        else if (nx < o->x) o->direction = ny > o->y ? 10 : ny == o->y ? 12 : 14;
        else if (ny > o->y) o->direction = 8;
        else if (ny < o->y) o->direction = 0;
        o->sorts[0] = o->direction;
        return;
    }
    // The target's cell when it still stands, else the next cell; both taken from the machine's
    // own cell. A target on the machine's cell gives no angle: the machine keeps its direction.
    int dx = o->prochaineCaseX - o->x, dy = o->prochaineCaseY - o->y;
    if (o->groupeCible > 0 && ObjetVivant(o->cible)) {
        const Objet& c = TableObjets[static_cast<size_t>(o->cible)];
        dx = c.x - o->x;
        dy = c.y - o->y;
    }
    if (dx == 0 && dy == 0) return;
    double a = std::acos(dy / std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy)) * 180.0 / 3.1415;
    a = dx > 0 ? 180.0 - a : a + 180.0;
    if (a > 360.0) a -= 360.0;
    int direction = static_cast<int>(a / 22.5);
    if (static_cast<int>(a * 100.0) % 2250 > 1125) ++direction;
    o->direction = direction == 16 ? 0 : direction;
}
