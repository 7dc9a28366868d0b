#include "scene/plans.h"

#include <algorithm>
#include <cstdio>

#include "battle/cadavres.h"
#include "battle/creatures.h"
#include "battle/humains.h"
#include "battle/machines.h"
#include "campaign/carte_region.h"
#include "campaign/region.h"
#include "campaign/zone_region.h"
#include "foundation/erreurs.h"
#include "foundation/objetsgfx.h"
#include "scene/elements.h"
#include "scene/terrain.h"
#include "shell/routeur.h"
#include "shell/scenario.h"
#include "shell/trame.h"
#include "world/affichage_batiments.h"
#include "world/batiments.h"
#include "world/descriptions.h"
#include "world/effondrement.h"
#include "world/grilles.h"
#include "world/maitres.h"
#include "world/objets.h"
#include "world/univers.h"

int32_t MargeGaucheVisible = 0;
std::array<int32_t, TAILLE_FILE_AFFICHAGE> FileAffichage{};
int32_t FileAffichageNombre = 0;

namespace {

enum {
    HUMAIN = 0, BATIMENT = 1, DECORS = 2, ARBRES = 3, PROJECTILE = 4, MACHINES = 5, DRAGON = 6, PORTE = 10,
    CADAVRE = 13, CRENAU = 20, ANGE = 21, REGIMENT = 23, REGIMENT_NMI = 25, GRILLE = 26
};
constexpr int CLASSE_FORTIFICATION = 25;
constexpr int N = TAILLE_UNIVERS;

bool SurCarte(int x, int y) { return x >= 0 && x < N && y >= 0 && y < N; }

// The object of a grid cell, or null for an empty cell, a cell off the map or an index outside
// the table.
Objet* ObjetDe(int32_t* grille, int x, int y) {
    if (grille == nullptr || !SurCarte(x, y)) return nullptr;
    int32_t* c = &grille[y * N + x];
    if (*c <= 0 || *c >= NOMBRE_OBJETS) return nullptr;
    PointeurCase = c;
    return &TableObjets[static_cast<size_t>(*c)];
}

int Gfx(const TableParMaitre& table, int type) {
    return type >= 0 && type < NOMBRE_TYPES_MAITRES ? table[static_cast<size_t>(type)] : -1;
}

int EcranX(int x) { return (x - RepereX) * 24; }
int EcranY(int y) { return (y - RepereY) * 24; }

// The description of a building in its orientation; null for an orientation outside 0..2 (the
// building is then not drawn) or a record that is not loaded.
DescriptionBatiment* DescriptionDe(const Objet& o) {
    if (o.direction < 0 || o.direction > 2) return nullptr;
    return Batiment__Description(o.typeMaitre, o.direction);
}

// Each wrong object is reported once, not on every frame: the slot remembers the family and
// master it was reported for.
std::array<int64_t, NOMBRE_OBJETS> Signale{};

void SignalerUneFois(const Objet& o, const char* texte) {
    const size_t i = static_cast<size_t>(&o - TableObjets.data());
    const int64_t cle = (static_cast<int64_t>(o.famille) << 32) + o.typeMaitre + 1;
    if (Signale[i] == cle) return;
    Signale[i] = cle;
    Erreur_Question("MoteurAffichageV5_PlanObjetAffichage()", "%s", texte);
}

void MachineAffichage(const Objet& o) {
    switch (o.typeMaitre) {
        case 139: BalisteAffichage(); break;
        case 141: CatapulteAffichage(); break;
        case 158: Catapulte_debrisAffichage(); break;
        case 160: Baliste_debrisAffichage(); break;
        default: break;
    }
}

void Arbre(const Objet& o, int x, int y, int image) {
    const int n = Gfx(ObjetGfx_ANIM__SPL, o.typeMaitre);
    ObjetGfx_Ombre(n, 31);
    Sprite__Affiche(n, EcranX(x) + 20, EcranY(y) + 18, image);
}

// The columns of the view from right to left, within the map.
int ColonneDroite() { return std::min(RepereX + CasesVisiblesX - 1, N - 1); }
int ColonneGauche() { return std::max(RepereX, 0); }

void Emprise(int x, int y, int priorite) {
    const DescriptionBatiment* d = DescriptionBatimentCourante;
    if (d == nullptr || GrilleUnites == nullptr) return;
    Objet* const courant = ObjetCourant;
    int32_t* const pointeur = PointeurCase;
    for (int r = y; r < y + d->hauteur; ++r) {
        if (r < RepereY || r > RepereY + CasesVisiblesY) continue;
        for (int c = x; c < x + d->largeur; ++c) {
            if (c < RepereX || c >= RepereX + CasesVisiblesX) continue;
            Objet* o = ObjetDe(GrilleUnites, c, r);
            if (o == nullptr) continue;
            const int p = GrillePriorite ? GrillePriorite[r * N + c] : 0;
            if (p != priorite || o->dejaAffiche) continue;
            o->dejaAffiche = 1;
            ObjetCourant = o;
            MoteurAffichageV5_PlanObjetAffichage();
        }
    }
    ObjetCourant = courant;
    PointeurCase = pointeur;
}

}  // namespace

void PlanObjet__MargeGauche() { MargeGaucheVisible = RepereX >= 4 ? -4 : 0; }

void PlanObjet__RazAffiche() {
    for (NoeudEntier* n = ListeObjetsVivants; n && n->suivant; n = n->suivant)
        if (n->valeur > 0 && n->valeur < NOMBRE_OBJETS) TableObjets[static_cast<size_t>(n->valeur)].dejaAffiche = 0;
    FileAffichageNombre = 0;
}

void PlanObjet__MarquageVisible() {
    const int y0 = std::max(RepereY - 1, 0);
    for (int y = y0; y < y0 + CasesVisiblesY + 2; ++y)
        for (int x = RepereX + MargeGaucheVisible; x <= RepereX + CasesVisiblesX; ++x) {
            Objet* o = ObjetDe(GrilleSol, x, y);
            if (o == nullptr || o->dejaAffiche) continue;
            o->dejaAffiche = 1;
            ObjetCourant = o;
            CadavreAffichage();
        }
}

void Batiment__AffichageSol() {
    for (int y = std::max(RepereY - 3, 0); y <= RepereY + CasesVisiblesY - 1; ++y)
        for (int x = ColonneDroite(); x >= std::max(RepereX - 3, 0); --x) {
            Objet* o = ObjetDe(GrilleUnites, x, y);
            if (o == nullptr || o->classe != CLASSE_FORTIFICATION || o->dejaAffiche) continue;
            o->dejaAffiche = 1;
            const DescriptionBatiment* t = Batiment__Description(o->typeMaitre, 1);
            if (t == nullptr) continue;
            const int n = Gfx(ObjetGfx_ANIM__ARA, o->typeMaitre);
            const int sx = EcranX(o->x) + 8 + t->calage[0][0], sy = EcranY(o->y) + t->calage[0][1];
            Sprite__Affiche(n, sx, sy, o->sorts[1]);
            if (FlashDestruction != 0)
                Sprite__AfficheEclaire(static_cast<int16_t>(n), static_cast<int16_t>(sx), static_cast<int16_t>(sy),
                                       static_cast<int16_t>(o->sorts[1]), FlashDestruction, FlashDestruction,
                                       FlashDestruction);
        }
}

void MoteurAffichage__PlansObjets() {
    if (GrilleUnites == nullptr) return;
    Batiment__AffichageSol();
    PlanObjet__RazAffiche();
    for (int y = std::max(RepereY, 0); y <= std::min(RepereY + CasesVisiblesY, N - 1); ++y) {
        for (int x = ColonneDroite(); x >= ColonneGauche(); --x) {
            Objet* o = ObjetDe(GrilleUnites, x, y);
            if (o != nullptr && o->famille == ARBRES) Arbre(*o, x, y, o->direction == 0 ? 0 : 2);
        }
        for (int x = ColonneDroite(); x >= ColonneGauche(); --x) {
            Objet* o = ObjetDe(GrilleUnites, x, y);
            if (o == nullptr || o->dejaAffiche) continue;
            o->dejaAffiche = 1;
            ObjetCourant = o;
            switch (o->famille) {
                case HUMAIN: Humain__Affiche(); break;
                case BATIMENT: PlanObjet__BatimentAffichage(o->x, o->y); break;
                case DECORS: Objet__SuiviAltitude(); break;
                case MACHINES: MachineAffichage(*o); break;
                case CRENAU: Objet__AffichageDecale(); break;
                default: break;
            }
        }
        for (int x = ColonneDroite(); x >= ColonneGauche(); --x) {
            Objet* o = ObjetDe(GrilleUnites, x, y);
            if (o != nullptr && o->famille == ARBRES && o->direction == 0) Arbre(*o, x, y, 1);
        }
    }
}

void PlanObjet__BatimentAffichage(int x, int y) {
    Objet* o = ObjetCourant;
    if (o == nullptr) return;
    // An orientation outside the three tables has no description to draw from.
    if (DescriptionDe(*o) == nullptr && o->typeMaitre != 157) return;
    if (FileAffichageNombre < TAILLE_FILE_AFFICHAGE)
        FileAffichage[static_cast<size_t>(FileAffichageNombre++)] = static_cast<int32_t>(o - TableObjets.data());
    BatimentAffichage(1);
    DescriptionBatimentCourante = DescriptionDe(*o);
    PlanObjet__AffichageEmpriseV5(x, y);
    if (o->classe != CLASSE_FORTIFICATION) BatimentAffichage(2);
    DescriptionBatimentCourante = DescriptionDe(*o);
    PlanObjet__AffichageEmpriseV5Priorite(x, y);
    BatimentAffichage(3);
}

void PlanObjet__AffichageEmpriseV5(int x, int y) { Emprise(x, y, 0); }
void PlanObjet__AffichageEmpriseV5Priorite(int x, int y) { Emprise(x, y, 1); }

void MoteurAffichageV5_PlanObjetAffichage() {
    Objet* o = ObjetCourant;
    if (o == nullptr) return;
    switch (o->famille) {
        case HUMAIN: Humain__Affiche(); break;
        case BATIMENT:
        case PROJECTILE:
        case PORTE:
        case CADAVRE:
        case 18: break;
        case DECORS: Objet__SuiviAltitude(); break;
        case ARBRES: Ombre__Affichage(o->x, o->y); break;
        case MACHINES: MachineAffichage(*o); break;
        case DRAGON: SignalerUneFois(*o, "Pas mettre de dragon en plan objet"); break;
        case CRENAU: Objet__AffichageDecale(); break;
        case ANGE: SignalerUneFois(*o, "Pas mettre ange en plan objet!"); break;
        case REGIMENT: RegimentAffichage(); break;
        case GRILLE: {
            if (PorteOuverte || EtatGrille) break;
            if (ObjetPorte <= 0 || ObjetPorte >= NOMBRE_OBJETS) break;
            Objet& porte = TableObjets[static_cast<size_t>(ObjetPorte)];
            const int sx = EcranX(porte.x) + 48, sy = EcranY(porte.y) + 48;
            Sprite__Affiche(1045, sx, sy, 0);
            if (porte.touche) {
                porte.touche = 0;
                Sprite__AfficheEclaire(1045, static_cast<int16_t>(sx), static_cast<int16_t>(sy), 0, 20, 20, 20);
            }
            break;
        }
        default: {
            char texte[64];
            std::snprintf(texte, sizeof texte, "Fammile inconnu : %d", o->famille);
            SignalerUneFois(*o, texte);
            break;
        }
    }
}

void Ombre__Affichage(int x, int y) {
    Objet* o = ObjetCourant;
    if (o == nullptr) return;
    const int pas = CasesVisiblesX + 1;
    const int i = (x - RepereX) / 2 + 1, j = (y - RepereY) / 2 + 1;
    const size_t k = static_cast<size_t>(j) * static_cast<size_t>(pas) + static_cast<size_t>(i);
    int32_t& ombre = o->sorts[0];
    // A corner outside the grid gives no target: the shade stays.
    if (i >= 0 && j >= 0 && i < pas && k < GrilleLumiere.size()) {
        const int32_t cible = GrilleLumiere[k] * 2 + 5;
        if (ombre > cible) ombre -= 4;
        if (ombre < cible) ombre += 2;
    }
    const int n = Gfx(ObjetGfx_ANIM__SPL, o->typeMaitre);
    ObjetGfx_Ombre(n, ombre);
    const int sx = EcranX(x) + 24, sy = EcranY(y) + 8;
    if (o->touche) {
        o->touche = 0;
        Sprite__AfficheEclaire(static_cast<int16_t>(n), static_cast<int16_t>(sx), static_cast<int16_t>(sy),
                               static_cast<int16_t>(o->direction), 10, 10, 0);
    } else {
        Sprite__Affiche(n, sx, sy, o->direction);
    }
}

void PlanObjet__FileAffichage() {
    Objet* const courant = ObjetCourant;
    for (int i = 0; i < std::min(FileAffichageNombre, TAILLE_FILE_AFFICHAGE); ++i) {
        const int32_t b = FileAffichage[static_cast<size_t>(i)];
        if (b <= 0 || b >= NOMBRE_OBJETS) continue;
        Objet& o = TableObjets[static_cast<size_t>(b)];
        DescriptionBatimentCourante = DescriptionDe(o);
        if (DescriptionBatimentCourante == nullptr) continue;
        ObjetCourant = &o;
        Batiment__AffichageElements(EcranX(o.x) + 8, EcranY(o.y));
    }
    ObjetCourant = courant;
}

void PlanObjet__AffichageHaut() {
    for (int y = std::max(RepereY, 0); y <= std::min(RepereY + CasesVisiblesY, N - 1); ++y)
        for (int x = ColonneDroite(); x >= ColonneGauche(); --x) {
            Objet* o = ObjetDe(GrilleAir, x, y);
            if (o == nullptr || o->dejaAffiche) continue;
            o->dejaAffiche = 1;
            ObjetCourant = o;
            switch (o->famille) {
                case DRAGON: DragonAffichage(); break;
                case ANGE: AngeAffichage(); break;
                case REGIMENT_NMI:
                    if (ZoneAccessible__Case(x, y)) RegimentNmi_Affichage();
                    break;
                default: break;
            }
        }
}

void PlanObjet__AffichageRegion() {
    for (int y = std::max(RepereY, 0); y <= std::min(RepereY + CasesVisiblesY, N - 1); ++y) {
        if (ModeSceneCourant == 1)
            for (int x = ColonneDroite(); x >= ColonneGauche(); --x) CarteRegion__Objets(x, y);
        for (int x = ColonneGauche(); x <= ColonneDroite(); ++x) {
            Objet* o = ObjetDe(GrilleUnites, x, y);
            if (o == nullptr || o->dejaAffiche) continue;
            o->dejaAffiche = 1;
            ObjetCourant = o;
            switch (o->famille) {
                case REGIMENT: RegimentAffichage(); break;
                case REGIMENT_NMI:
                    if (ZoneAccessible__Case(x, y)) RegimentNmi_Affichage();
                    else RegimentNmi_AffichageOmbre();
                    break;
                default: Erreur_Fatale("MTA_PlanObjet_Affichage()", "Fammile inconnu : %d", o->famille);
            }
        }
    }
    if (ModeSceneCourant == 1) CarteRegion__Bulles();
}
