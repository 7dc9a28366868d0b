#include "battle/humains.h"

#include <algorithm>
#include <cstddef>

#include "battle/cibles.h"
#include "battle/deplacement.h"
#include "battle/joueur_evenements.h"
#include "battle/occupation.h"
#include "battle/ordres.h"
#include "battle/pulsations.h"
#include "foundation/erreurs.h"
#include "foundation/objetsgfx.h"
#include "platform/hasard.h"
#include "shell/cycles.h"
#include "shell/trame.h"
#include "world/batiments.h"
#include "world/gestion_objets.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/maitres.h"
#include "world/mort.h"
#include "world/objets.h"

int32_t AffichageMarques = 1;

namespace {

constexpr int ARMEE_NEUTRE = 4;
constexpr int MAITRE_CONVERTI = 18;
constexpr int MAITRE_COULEUR_AURA = 42;
constexpr int GFX_CHIFFRES = 9;
constexpr int GFX_MARQUE = 996;
constexpr int GFX_DEROUTE = 966;
constexpr int GFX_ICONES = 951;

bool SurCarte(int x, int y) { return x >= 0 && x < TAILLE_UNIVERS && y >= 0 && y < TAILLE_UNIVERS; }

bool ObjetValide(int n) { return n >= 1 && n < NOMBRE_OBJETS && TableObjets[static_cast<size_t>(n)].noeudListe; }

// The graphic object of animation a of master t, -1 for none.
int Gfx(int a, int t) {
    if (a < 0 || a >= NOMBRE_ANIMATIONS || t < 0 || t >= NOMBRE_TYPES_MAITRES) return -1;
    return (*TablesObjetGfxAnimations[static_cast<size_t>(a)])[static_cast<size_t>(t)];
}

int ValeurPulsation(int32_t compteur) {
    return TablePulsation43[static_cast<size_t>(std::clamp(compteur, 0, 42))];
}

const Groupe* GroupeDe(const Objet& o) {
    return Groupe__Actif(o.groupe) ? &TableGroupes[static_cast<size_t>(o.groupe)] : nullptr;
}

bool SurFortification(const Objet& o) {
    if (GrilleSelection == nullptr || !SurCarte(o.x, o.y)) return false;
    const int b = GrilleSelection[o.x + TAILLE_UNIVERS * o.y];
    return b >= 1 && b < NOMBRE_OBJETS && TableObjets[static_cast<size_t>(b)].classe == CLASSE_FORTIFICATION;
}

// Every few seconds a unit of the neutral army wanders round the cell it was born on.
void Errance(Objet& o) {
    ++o.aleaAffichage;
    if (o.aleaAffichage % 150 != 0 || !Groupe__Actif(o.groupe)) return;
    const int r2 = Hasard_Regles() % 5;
    const int r1 = Hasard_Regles() % 5;
    // The goal is kept on the map.
    const int x = std::clamp(o.origineX + 8 - r1, 0, TAILLE_UNIVERS - 1);
    const int y = std::clamp(o.origineY + 8 - r2, 0, TAILLE_UNIVERS - 1);
    Objet* courant = ObjetCourant;
    Groupe__OrdreDeplacement(o.groupe, x, y);
    ObjetCourant = courant;
}

// The attack pose drawn at random: 2 half the time, then 4, 1 and 3.
int PoseAttaque() {
    static constexpr int poses[8] = {2, 2, 2, 2, 1, 4, 4, 3};
    return poses[Hasard_Regles() % 8];
}

void RegardAlentour(Objet& o) {
    if (JeuEnPause) return;
    if (Hasard_Visuel() % 1200 > 1190) o.direction = Hasard_Visuel() % 8;
}

bool ReposAnime(int t) {
    switch (t) {
        case 10: case 12: case 13: case 17: case 19: case 20: case 21: case 23: case 28: case 30: case 31:
        case 34: case 38: case 44: case 45: case 121: case 195: case 202: case 265: case 375: case 376:
            return true;
        default: return false;
    }
}

bool Aura(int t) { return t == 7 || t == 14 || t == 22 || t == 29; }

// The sprite and frame of the rest pose; the look-around and rest counters are kept here.
void Repos(Objet& o, int sx, int sy) {
    const int t = o.typeMaitre, d = o.direction;
    const int spl = Gfx(5, t), dpl = Gfx(0, t), are = Gfx(2, t);
    auto ombre = [&](int g, int image) {
        if (t == 11) Sprite__AfficheOmbre(static_cast<int16_t>(g), static_cast<int16_t>(sx + 38),
                                          static_cast<int16_t>(sy + 34), static_cast<int16_t>(image));
    };
    if (ReposAnime(t)) {
        if (o.reposAnime || o.compteurRepos % 4 == 0) {
            o.reposAnime = 0;
            if (!JeuEnPause) o.compteurRepos = Hasard_Visuel() % 13;
            if (o.finCycle == 0) o.reposAnime = 1;
            Unites___affichage(spl, sx, sy, d * 12 + o.image);
        } else {
            Unites___affichage(spl, sx, sy, d * 12);
            o.reposAnime = 0;
            RegardAlentour(o);
        }
        return;
    }
    switch (t) {
        case 7: case 14: case 22: case 29: case 122: Unites___affichage(dpl, sx, sy, d * 12 + 5); return;
        case 8: case 140:
            Unites___affichage(are, sx, sy, d * 12 + 11);
            RegardAlentour(o);
            return;
        case 16: case 27: case 264: Unites___affichage(dpl, sx, sy, d * 12 + 9); return;
        case 25: case 32: Unites___affichage(spl, sx, sy, d * 12 + 11); return;
        case 123: case 125: case 143: Unites___affichage(are, sx, sy, d * 12); return;
        case 47: case 301: case 373:
            Unites___affichage(spl, sx, sy, d * 12);
            RegardAlentour(o);
            return;
        default:
            ombre(spl, d * 12 + o.image);
            Unites___affichage(spl, sx, sy, d * 12 + o.image);
            RegardAlentour(o);
            return;
    }
}

void Digits(int x, int y, int n, bool translucide, uint8_t niveau) {
    if (n < 0) return;
    do {
        if (translucide) Sprite__AfficheTrs(GFX_CHIFFRES, x, y, n % 10, niveau);
        else Sprite__Affiche(GFX_CHIFFRES, x, y, n % 10);
        n /= 10;
        x -= 4;
    } while (n > 0);
}

}  // namespace

int Animation__NombreImages(int a) {
    const Objet* o = ObjetCourant;
    if (o == nullptr || o->animations == nullptr || a < 0 || a >= NOMBRE_ANIMATIONS) return 0;
    return std::max(o->animations[a].images, 0);
}

void Objet__PasPuisCourant(Objet* o) {
    Objet__Deplacement();
    ObjetCourant = o;
}

void Objet__EvenementsPuisCourant(Objet* o) {
    PlayerEvenement(o);
    ObjetCourant = o;
}

void Objet__MarcheCycle(Objet* o, int images) {
    if (Animation__Avance(images)) {
        if (o->arretFinCycle == 1) {
            ++o->compteurRepos;
            o->animation = 5;
            o->arretFinCycle = 0;
        } else {
            o->compteurRepos = 0;
            o->animation = 0;
        }
    }
    Objet__PasPuisCourant(o);
    Objet__EvenementsPuisCourant(o);
}

int Animation__NombreDirections(int a) {
    const Objet* o = ObjetCourant;
    if (o == nullptr || o->animations == nullptr || a < 0 || a >= NOMBRE_ANIMATIONS) return 0;
    return std::max(o->animations[a].directions, 0);
}

void HumainGestion() {
    Objet* o = ObjetCourant;
    if (o == nullptr) return;
    if (o->pointsDeVie <= 0 && o->ordreSecondaire != 4 && o->typeMaitre == MAITRE_CONVERTI) {
        o->ordreSecondaire = 3;
        o->animation = 18;
    }
    if (o->armee == ARMEE_NEUTRE) Errance(*o);
    if (o->classe == CLASSE_ARCHER) {
        const bool fort = SurFortification(*o);
        o->porteeVue = fort ? 14 : 11;
        o->porteeAttaque = NiveauArcDistance + (fort ? 10 : 7);
    }

    switch (o->ordreSecondaire) {
        case 1:
            o->compteurRepos = 0;
            if (o->enIncantation) {
                if (Animation__Avance(Animation__NombreImages(o->animation))) o->enIncantation = 1;
                Objet__EvenementsPuisCourant(o);
                break;
            }
            if (o->animation < 1 || o->animation > 4) o->animation = PoseAttaque();
            if (Animation__Avance(Animation__NombreImages(o->animation))) o->animation = 5;
            Objet__PasPuisCourant(o);
            Objet__EvenementsPuisCourant(o);
            break;
        case 2:
            if (o->enIncantation) {
                if (Animation__Avance(Animation__NombreImages(o->animation))) o->enIncantation = 1;
                Objet__EvenementsPuisCourant(o);
                break;
            }
            Objet__MarcheCycle(o, Animation__NombreImages(o->animation));
            break;
        case 3:
            o->compteurRepos = 0;
            o->actif = 0;
            o->enIncantation = 0;
            if (Animation__Avance(Animation__NombreImages(o->animation))) {
                Objet__Mort(o->indice, 2);
                ObjetCourant = o;
            } else {
                Objet__EvenementsPuisCourant(o);
            }
            break;
        default:
            Erreur_Fatale("HumainGestion()", "L'odre secondaire de l'objet courant est inconnu : %d",
                          o->ordreSecondaire);
    }
}

void Objet__OrientationCible() {
    Objet* o = ObjetCourant;
    if (o == nullptr) return;
    int tx = o->prochaineCaseX, ty = o->prochaineCaseY;
    // A fight with no valid target object turns towards the next cell.
    if (o->ordreSecondaire == 1 && o->groupeCible != -1 && ObjetValide(o->cible)) {
        const Objet& c = TableObjets[static_cast<size_t>(o->cible)];
        tx = c.x;
        ty = c.y;
    }
    const int x = o->x, y = o->y, t = o->taille;
    if (t >= 2 && o->ordreSecondaire == 1) {
        if (tx < x) o->direction = ty < y ? 7 : (ty >= y + t ? 5 : 6);
        else if (ty < y) o->direction = tx >= x + t ? 1 : 0;
        else if (ty < y + t) o->direction = 2;
        else o->direction = tx >= x + t ? 3 : 4;
        return;
    }
    if (tx > x) o->direction = ty > y ? 3 : (ty == y ? 2 : 1);
    else if (tx < x) o->direction = ty > y ? 5 : (ty == y ? 6 : 7);
    else if (ty > y) o->direction = 4;
    else if (ty < y) o->direction = 0;
}

void Unite__CouleurCamp(int g) {
    const Objet* o = ObjetCourant;
    if (o == nullptr) return;
    const int t = o->typeMaitre;
    if (Aura(t) || t == MAITRE_CONVERTI) return;
    ObjetGfx_CouleurJoueur(g, o->armee);
}

void Unite__AfficheTeinte(int x, int y, int image) {
    Objet* o = ObjetCourant;
    if (o == nullptr) return;
    uint8_t r, v, b;
    switch (o->typeMaitre) {
        case 7: r = 18, v = 23, b = 7; break;
        case 14: r = 31, v = 0, b = 0; break;
        case 22: r = 8, v = 17, b = 25; break;
        case 29: r = 31, v = 31, b = 31; break;
        default: return;
    }
    int aura;
    if (o->animation == 0 || o->animation == 5) aura = 888;
    else if (o->animation >= 1 && o->animation <= 4) aura = 889;
    else if (o->animation >= 17 && o->animation <= 19) aura = 890;
    else return;
    // Master 42 carries the colour: it keeps the last one written.
    Objet& porteur = TableMaitres[MAITRE_COULEUR_AURA];
    porteur.couleur[0] = static_cast<char>(r);
    porteur.couleur[1] = static_cast<char>(v);
    porteur.couleur[2] = static_cast<char>(b);
    ObjetCourant = &porteur;
    ObjetGfx_CouleurJoueur(aura, porteur.armee);
    Sprite__Affiche(aura, x, y, image);
    ObjetCourant = o;
}

void Chiffres__Affiche(int x, int y, int n) { Digits(x, y, n, false, 0); }

void Unite__NumeroGroupe(int x, int y, int n) {
    Digits(x, y, n, true, static_cast<uint8_t>(std::clamp(n - 12, 0, 31)));
}

namespace {

// The screen place of ObjetCourant's sprite for its size.
void Calage(const Objet& o, int& x, int& y) {
    switch (o.taille) {
        case 1: x += 20, y += 12; break;
        case 2: x += 32, y += 24; break;
        case 3: x += 44, y += 36; break;
        case 4: x += 56, y += 48; break;
        default: Erreur_Fatale("Unites___affichage()", "Le calage pour la taille est inconnu : %d", o.taille);
    }
}

// The state tints of the frame just drawn at its place: poison, blessing, casting, frost, hit.
void Teintes(const Objet& o, int16_t gx, int16_t sx, int16_t sy, int16_t si) {
    const int p = ValeurPulsation(CompteurCycle43);
    if (o.degatsContinus != 0 && o.degatsContinus != 254) Sprite__AfficheEclaire(gx, sx, sy, si, 0, p / 2, 0);
    if (o.etatSort == 5) Sprite__AfficheEclaire(gx, sx, sy, si, 0, 0, p + 10);
    if (o.enIncantation && o.action == 11) Sprite__AfficheEclaire(gx, sx, sy, si, p + 6, p + 6, p + 6);
    if (o.gel != 0) Sprite__AfficheOmbreRGB(gx, sx, sy, si, p + 8, p + 8, p + 8);
    if (o.touche) Sprite__AfficheEclaire(gx, sx, sy, si, 20, 0, 0);
}

}  // namespace

void Unite__AfficheSurcouche(int g, int x, int y, int image) {
    const Objet* o = ObjetCourant;
    if (o == nullptr) return;
    Calage(*o, x, y);
    ObjetGfx_Pret(g);
    Unite__CouleurCamp(g);
    Sprite__Affiche(g, x, y, image);
    Teintes(*o, static_cast<int16_t>(g), static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<int16_t>(image));
}

void Unites___affichage(int g, int x, int y, int image) {
    Objet* o = ObjetCourant;
    if (o == nullptr) return;
    const int x0 = x;
    Calage(*o, x, y);
    ObjetGfx_Pret(g);
    Unite__CouleurCamp(g);
    const Groupe* groupe = GroupeDe(*o);

    if (NombreGroupesSelectionnes != 0 && AffichageMarques == 1) {
        const int marque = o->taille + (o->typeMaitre == 8 ? GFX_MARQUE + 1 : GFX_MARQUE);
        if (o->selectionne) Sprite__Affiche(marque, x, y, 0);
        if (Groupe__Actif(GroupeEnSelection) && o->groupe != -1 &&
            TableGroupes[static_cast<size_t>(GroupeEnSelection)].groupeCibleIA == o->groupe)
            Sprite__AfficheEclaire(static_cast<int16_t>(marque), static_cast<int16_t>(x), static_cast<int16_t>(y), 0,
                                   ValeurPulsation(CompteurCycle43Bis) + 8, 0, 0);
    }

    const auto gx = static_cast<int16_t>(g), sx = static_cast<int16_t>(x), sy = static_cast<int16_t>(y),
               si = static_cast<int16_t>(image);
    switch (o->typeMaitre) {
        case 7: case 14: case 22: case 29:
            Unite__AfficheTeinte(x, y, image);
            Sprite__Affiche(g, x, y, image);
            break;
        case 16: case 47:
            Sprite__Affiche(g, x, y, image);
            Sprite__Affiche(g + 1, x, y, image);
            break;
        case 136: Sprite__AfficheTrs(g, x, y, image, 20); break;
        case 139:
            Sprite__Affiche(137, x, y, o->sorts[0]);
            Sprite__Affiche(g, x, y, image);
            break;
        default: Sprite__Affiche(g, x, y, image); break;
    }

    Teintes(*o, gx, sx, sy, si);

    if (groupe && groupe->enDeroute) {
        o->selectionne = 0;
        Sprite__Affiche(GFX_DEROUTE, x, y, 0);
    }
    if (AffichageDegats == 1 && o->degatsRecus != 0) {
        if (o->ageNombre <= 12) Chiffres__Affiche(x, y - o->ageNombre, o->degatsRecus);
        else Unite__NumeroGroupe(x, y - o->ageNombre, o->degatsRecus);
        if (++o->ageNombre >= 24) o->ageNombre = o->degatsRecus = 0;
    }
    if (o->icone != 0) {
        Sprite__Affiche(GFX_ICONES, x, y, o->icone - 1);
        if (++o->ageIcone >= 24) o->ageIcone = o->icone = 0;
    }
    if (groupe && groupe->numeroSelection != 0) Chiffres__Affiche(x0 + 16, y, groupe->numeroSelection);
}

void Humain__Affiche() {
    Objet* o = ObjetCourant;
    if (o == nullptr || o->ordreSecondaire == 4) return;
    const int sx = (o->x - RepereX) * 24 + o->decalageX;
    const int sy = (o->y - RepereY) * 24 + o->decalageY;
    const int t = o->typeMaitre, a = o->animation, d = o->direction;
    auto ombre = [&](int g, int image) {
        if (t == 11) Sprite__AfficheOmbre(static_cast<int16_t>(g), static_cast<int16_t>(sx + 38),
                                          static_cast<int16_t>(sy + 34), static_cast<int16_t>(image));
    };
    switch (a) {
        case 0: case 1: case 2: case 3: case 4: {
            const int g = Gfx(a, t), image = d * 12 + o->image;
            ombre(g, image);
            Unites___affichage(g, sx, sy, image);
            break;
        }
        case 5: Repos(*o, sx, sy); break;
        case 7: break;
        case 12: case 13: {
            const int g = Gfx(a, t), image = d * 12 + o->image;
            if (g == -1) break;
            ombre(g, image);
            Unites___affichage(g, sx, sy, image);
            break;
        }
        case 17: case 18: case 19: {
            const int g = Gfx(a, t), image = Animation__NombreImages(a) * d + o->image;
            if (a == 18) ombre(g, image);
            AffichageMarques = 0;
            Unites___affichage(g, sx, sy, image);
            AffichageMarques = 1;
            break;
        }
        default: Erreur_Fatale("Humain__Affiche", "Animation inconnue : %d", a);
    }
    ObjetCourant = o;
    o->touche = 0;
}
