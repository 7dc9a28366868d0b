#include "battle/sorts_auto.h"

#include <cstddef>

#include "battle/engagement.h"
#include "platform/hasard.h"
#include "shell/conditions.h"
#include "shell/trame.h"
#include "world/codes.h"
#include "world/grilles.h"
#include "world/maitres.h"
#include "world/objets.h"

namespace {

constexpr int BENI = 5;
constexpr int PORTEE_MAX2 = 225;   // 15 cells, squared
constexpr int TAILLE_LISTE = 40;

struct Ligne {
    int32_t code;
    DonneesSort donnees;
};

// The codes that are cast, with cost, cool-down and action.
constexpr Ligne TableSorts[] = {
    {33, {20, 75, 2}},   {34, {70, 225, 8}},  {35, {30, 90, 9}},   {36, {80, 240, 13}},   {38, {40, 225, 7}},
    {41, {75, 450, 15}}, {42, {80, 900, 20}}, {43, {80, 225, 21}}, {44, {15, 60, 3}},     {45, {60, 300, 5}},
    {47, {30, 150, 12}}, {48, {20, 90, 18}},  {51, {90, 45, 19}},  {53, {30, 150, 4}},    {55, {20, 90, 6}},
    {57, {15, 90, 16}},  {61, {20, 150, 24}}, {1052, {10, 45, 11}},
};

const Ligne* Chercher(int code) {
    for (const Ligne& l : TableSorts)
        if (l.code == code) return &l;
    return nullptr;
}

bool SlotValide(int slot) { return slot >= 0 && slot < 9; }

// A live object of the table (in the live list, dying ones included).
Objet* ObjetVivant(int n) {
    if (n < 1 || n >= NOMBRE_OBJETS) return nullptr;
    Objet& o = TableObjets[static_cast<size_t>(n)];
    return o.noeudListe ? &o : nullptr;
}

int Distance2(int x1, int y1, int x2, int y2) { return (x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2); }
int Distance2(const Objet& a, const Objet& b) { return Distance2(a.x, a.y, b.x, b.y); }

bool SurCarte(int x, int y) { return x >= 0 && x < TAILLE_UNIVERS && y >= 0 && y < TAILLE_UNIVERS; }

bool Vivant(const Objet* c) { return c && c->ordreSecondaire < 3; }
bool Beni(const Objet* c) { return c && c->etatSort == BENI; }
bool Mourant(const Objet* c) { return c && (c->ordreSecondaire == 3 || c->famille == FAMILLE_CADAVRE); }

// Masters that no spell transforms or raises.
bool Special(int t) { return t == 5 || (t >= 120 && t <= 125) || t == 374 || t == 376; }

// The object of the grid at a cell of the map, or null.
Objet* Case(const int32_t* grille, int x, int y) {
    if (grille == nullptr || !SurCarte(x, y)) return nullptr;
    return ObjetVivant(grille[x + TAILLE_UNIVERS * y]);
}

bool ArbreAutour(const Objet& o) {
    for (int y = o.y - 5; y < o.y + 5; ++y)
        for (int x = o.x - 5; x < o.x + 5; ++x) {
            const Objet* t = Case(GrilleUnites, x, y);
            if (t && t->famille == FAMILLE_ARBRES) return true;
        }
    return false;
}

int Lance(Objet* o, Objet* t, int slot) { return Sort__Lancement(o, t, slot) == 1; }

}  // namespace

DonneesSort Sort__Donnees(int code) {
    const Ligne* l = Chercher(code);
    return l ? l->donnees : DonneesSort{0, 0, 0};
}

int Sort__EstActif(int code) { return Chercher(code) != nullptr; }

int Joueur__Relation(int a, int b) {
    if (a < 0 || a > 5 || b < 0 || b > 5) return 0;
    return TableAttaque[static_cast<size_t>(a)][static_cast<size_t>(b)];
}

int Sort__Lancable(Objet* o, int slot) {
    if (o == nullptr || !SlotValide(slot)) return 0;
    if (o->ordreSecondaire >= 3 || o->enIncantation > 0 || o->typeMaitre == 18 || o->famille == FAMILLE_MACHINES)
        return 0;
    const int c = o->sorts[slot];
    if (!Sort__EstActif(c) || c == 40) return 0;
    const DonneesSort d = Sort__Donnees(c);
    if (o->mana < d.cout) return 0;
    return static_cast<uint32_t>(CompteurTours) - static_cast<uint32_t>(o->dernierSort[slot]) >=
           static_cast<uint32_t>(d.recharge);
}

int Sort__Lancement(Objet* o, Objet* cible, int slot) {
    if (o == nullptr || !SlotValide(slot) || o->ordreSecondaire == 3 || o->ordreSecondaire == 4 || !o->actif) return 0;
    o->ordreSecondaire = 1;
    o->dernierSort[slot] = CompteurTours;
    o->action = Sort__Donnees(o->sorts[slot]).action;
    o->enIncantation = 2;
    if (cible) o->cible = cible->indice;
    o->cibleSort = o->cible;
    return 1;
}

int Sort__CibleValide(Objet* o, Objet* cible, int code) {
    if (o == nullptr) return 0;
    int d2 = 0;
    if (cible) {
        if (cible->typeMaitre == 147 || cible->typeMaitre == 154) {
            if (code != 53 && code != 57) return 0;
            d2 = Distance2(o->x, o->y, cible->x + 10, cible->y + 5);
        } else {
            switch (cible->famille) {
                case 1: case 2: case 3: case 4: case 10: case 11: case 12: case 20: case 24: case 26: return 0;
                default: break;
            }
            switch (cible->classe) {
                case 5: case 6: case 14: case 15: case 16: case 20: case 22: case 24: case 25: return 0;
                default: break;
            }
            d2 = Distance2(*o, *cible);
        }
    }
    if (d2 > PORTEE_MAX2) return 0;

    const bool vivant = Vivant(cible);
    const bool hostile = cible && Joueur__Relation(cible->armee, o->armee) == 1;
    const bool desarme = cible && (cible->sorts[0] < 1 || cible->famille == FAMILLE_MACHINES);
    auto transformable = [&] {
        return vivant && !Beni(cible) && hostile && cible->taille == 1 && cible->famille == FAMILLE_HUMAIN &&
               cible->typeMaitre != 5 && cible->typeMaitre != 121 && cible->typeMaitre != 124 &&
               cible->typeMaitre != 376 && cible->sorts[0] < 1;
    };
    switch (code) {
        case 1052: case 42: case 43: case 51: return 1;
        case 33: case 36: case 41: case 61: return vivant && hostile && desarme;
        case 34:
            if (o->categorie == TableMaitres[39].categorie) return ArbreAutour(*o);
            return 1;
        case 35: return transformable();
        case 38: return transformable() && cible->categorie != 9 && cible->categorie != 6;
        case 40: return vivant && hostile;
        case 44: case 45: return vivant && !Beni(cible) && !hostile;
        case 47: return Mourant(cible) && !Special(cible->typeMaitre);
        case 48: return vivant && hostile && cible->classe == CLASSE_DEMON;
        case 53: return Mourant(cible) || (cible && cible->typeMaitre == 147);
        case 55: return vivant && hostile && !Beni(cible);
        case 57: return cible && (cible->typeMaitre == 147 || cible->typeMaitre == 154);
        default: return 0;
    }
}

int Sort__CibleValideSlot(Objet* o, Objet* cible, int slot) {
    if (o == nullptr || cible == nullptr || !SlotValide(slot)) return 0;
    return Sort__CibleValide(o, cible, o->sorts[slot]);
}

int Sort__Portee(Objet* o, Objet* cible, int slot) {
    if (o == nullptr || !SlotValide(slot)) return 0;
    const int d2 = cible ? Distance2(*o, *cible) : 0;
    switch (o->sorts[slot]) {
        case 1052: {
            if (o->dernierEnnemi == -1 || o->listeEnnemis == nullptr) return 0;
            const Objet* e = ObjetVivant(o->listeEnnemis[0]);
            if (e == nullptr) return 0;
            const int e2 = Distance2(*o, *e);
            if (o->typeMaitre == 38) return e2 < 9;
            if (o->typeMaitre == 262) return e2 >= 64;
            return 0;
        }
        case 61: return cible != nullptr;
        case 33: return cible && cible->modeArmure != 2 && d2 >= 8;
        case 36: return d2 >= 26;
        case 44: return cible && cible->pointsDeVie < cible->pointsDeVieMaximum / 2;
        case 45: return cible && !Beni(cible);
        case 34: case 35: case 38: case 40: case 41: case 42: case 43: case 47: case 48: case 53: case 55: case 57:
            return 1;
        default: return 0;
    }
}

int Sort__Zone(Objet* o, int slot) {
    if (o == nullptr || !SlotValide(slot)) return 0;
    switch (o->sorts[slot]) {
        case 57: {
            const uint32_t ecart = static_cast<uint32_t>(CompteurTours) - static_cast<uint32_t>(o->dernierSort[slot]);
            if (ecart < static_cast<uint32_t>(4 * Sort__Donnees(57).recharge)) return 0;
            for (int y = o->y - 5; y < o->y + 5; ++y)
                for (int x = o->x - 5; x < o->x + 5; ++x) {
                    Objet* t = Case(GrilleUnites, x, y);
                    if (t && t->typeMaitre == 147) return Lance(o, t, slot);
                }
            return 0;
        }
        case 1052:
            for (int essai = 0; essai < 200; ++essai) {
                const int dy = Hasard_Regles() % 16 - 8;
                const int dx = Hasard_Regles() % 16 - 8;
                Objet* t = Case(GrilleUnites, o->x + dx, o->y + dy);
                if (t && Joueur__Relation(t->armee, o->armee) == 1 && Sort__Portee(o, t, slot)) return Lance(o, t, slot);
            }
            return 0;
        case 47: case 53:
            for (int essai = 0; essai < 25; ++essai) {
                const int dy = Hasard_Regles() % 16 - 8;
                const int dx = Hasard_Regles() % 16 - 8;
                Objet* t = Case(GrilleSol, o->x + dx, o->y + dy);
                if (Mourant(t) && Sort__Portee(o, t, slot)) return Lance(o, t, slot);
            }
            return 0;
        case 34: case 42: case 43: return Sort__Portee(o, nullptr, slot) ? Lance(o, o, slot) : 0;
        case 44:
            for (int y = o->y - 10; y < o->y + 10; ++y)
                for (int x = o->x - 10; x < o->x + 10; ++x) {
                    Objet* t = Case(GrilleUnites, x, y);
                    if (t == nullptr || Joueur__Relation(t->armee, o->armee) != 0) continue;
                    const bool blesse = o->armee == 0 ? Sort__Portee(o, t, slot) != 0
                                                      : t->pointsDeVie < t->pointsDeVieMaximum * 4 / 5;
                    if (blesse) return Lance(o, t, slot);
                }
            return 0;
        case 51: return Sort__Portee(o, nullptr, slot) ? Lance(o, o, slot) : 0;
        default: return 0;
    }
}

int Unite__SortsAutomatiques(int objet) {
    Objet* o = ObjetVivant(objet);
    if (o == nullptr) return 0;
    if (o->enIncantation > 0) return 1;
    if (o->sorts[0] != -1) {
        for (int slot = 8; slot >= 0; --slot) {
            if (!Sort__Lancable(o, slot)) continue;
            if (Sort__Zone(o, slot)) return 1;
            auto essaie = [&](const int32_t* liste, int dernier) {
                if (liste == nullptr) return false;
                for (int i = 0; i <= dernier && i < TAILLE_LISTE; ++i) {
                    Objet* t = ObjetVivant(liste[i]);
                    if (t && Sort__CibleValideSlot(o, t, slot) && Sort__Portee(o, t, slot)) return Lance(o, t, slot) != 0;
                }
                return false;
            };
            if (essaie(o->listeAllies, o->dernierAllie) || essaie(o->listeEnnemis, o->dernierEnnemi)) return 1;
        }
    }
    switch (o->typeMaitre) {
        case 31: case 24: case 17: case 11: return 1;
        default: break;
    }
    if (o->sorts[0] < 1) return 0;
    return Unite__ChercherCibleAutour(objet, 1, -1) == 0 ? 1 : 0;
}

int Sort__CibleAutorisee(Objet* o, Objet* cible, int code) {
    if (o == nullptr) return 0;
    switch (code) {
        case 1052: case 34: case 41: case 42: case 43: return 1;
        default: break;
    }
    if (cible == nullptr) return 0;
    const bool hostile = Joueur__Relation(o->armee, cible->armee) == 1;
    const bool beni = Beni(cible);
    switch (code) {
        case 61: case 55: return hostile && !beni;
        case 33: case 36: return hostile && !beni && (cible->sorts[0] <= 0 || cible->famille == FAMILLE_MACHINES);
        case 35: case 38:
            return hostile && !beni && cible->famille == FAMILLE_HUMAIN && cible->taille == 1 &&
                   !Special(cible->typeMaitre);
        case 44: case 45: return !beni && !hostile;
        case 47: case 53: {
            if (cible->famille != FAMILLE_CADAVRE) return 0;
            // The dead unit's master, kept by the corpse, is read only when it is a master.
            const int m = cible->sorts[0];
            if (m < 0 || m == 18 || m >= NombreMaitres || m >= NOMBRE_TYPES_MAITRES) return 0;
            const int c = TableMaitres[static_cast<size_t>(m)].categorie;
            return c != 6 && c != 7;
        }
        case 48: return hostile && cible->classe == CLASSE_DEMON;
        case 51: return !hostile;
        case 57: return cible->typeMaitre == 147 || cible->typeMaitre == 154;
        default: return 0;
    }
}

int Sort__CibleAutorisee(int objet, int cible, int code) {
    auto valide = [](int n) { return n >= 1 && n < NOMBRE_OBJETS ? &TableObjets[static_cast<size_t>(n)] : nullptr; };
    Objet* o = valide(objet);
    Objet* c = valide(cible);
    if (o == nullptr || (c == nullptr && cible != -1)) return 0;
    return Sort__CibleAutorisee(o, c, code);
}
