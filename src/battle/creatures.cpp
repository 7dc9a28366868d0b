#include "battle/creatures.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "battle/deplacement.h"
#include "battle/humains.h"
#include "battle/joueur_evenements.h"
#include "battle/ordres.h"
#include "battle/pulsations.h"
#include "battle/regiments.h"
#include "campaign/region.h"
#include "foundation/erreurs.h"
#include "foundation/objetsgfx.h"
#include "platform/hasard.h"
#include "scene/meteo.h"
#include "scene/terrain.h"
#include "shell/cycles.h"
#include "shell/saisie.h"
#include "shell/trame.h"
#include "world/descriptions.h"
#include "world/effondrement.h"
#include "world/gestion_objets.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/maitres.h"
#include "world/mort.h"
#include "world/objets.h"
#include "world/univers.h"

namespace {

constexpr int ARMEE_NEUTRE = 4;
constexpr int MAITRE_CONVERTI = 18;
constexpr int ACTION_APPARITION = 16;   // a creature just summoned
constexpr int GFX_MARQUE = 996;         // + taille
constexpr int GFX_CAVALIER_REPOS = 919;
constexpr int GFX_CAVALIER_ATTAQUE = 920;
constexpr int GFX_JETON_SELECTION = 997;
constexpr int GFX_BANNIERE = 704;
constexpr int GFX_BOUCLIER = 621;

const char* const ODRE_INCONNU = "L'odre secondaire de l'objet courant est inconnu : %d";

bool MaitreValide(int t) { return t >= 0 && t < NOMBRE_TYPES_MAITRES; }

// The graphic object of animation a of master t, -1 for none.
int Gfx(int a, int t) {
    if (a < 0 || a >= NOMBRE_ANIMATIONS || !MaitreValide(t)) return -1;
    return (*TablesObjetGfxAnimations[static_cast<size_t>(a)])[static_cast<size_t>(t)];
}

int Pulsation(int32_t compteur) { return TablePulsation43[static_cast<size_t>(std::clamp(compteur, 0, 42))]; }

int16_t C16(int v) { return static_cast<int16_t>(v); }

// The first two steps of a man's frame: a converted man out of hit points dies, and the neutral
// army wanders round the cell it was born on.
void Prologue(Objet& o) {
    if (o.pointsDeVie <= 0 && o.ordreSecondaire != 4 && o.typeMaitre == MAITRE_CONVERTI) {
        o.ordreSecondaire = 3;
        o.animation = 18;
    }
    if (o.armee != ARMEE_NEUTRE) return;
    ++o.aleaAffichage;
    if (o.aleaAffichage % 150 != 0 || !Groupe__Actif(o.groupe)) return;
    const int r2 = Hasard_Regles() % 5;
    const int r1 = Hasard_Regles() % 5;
    const int x = std::clamp(o.origineX + 8 - r1, 0, TAILLE_UNIVERS - 1);
    const int y = std::clamp(o.origineY + 8 - r2, 0, TAILLE_UNIVERS - 1);
    Groupe__OrdreDeplacement(o.groupe, x, y);
    ObjetCourant = &o;
}

// The attack pose drawn at random: 2 half the time, then 4, 1 and 3.
int PoseAttaque() {
    static constexpr int poses[8] = {2, 2, 2, 2, 1, 4, 4, 3};
    return poses[Hasard_Regles() % 8];
}

bool PoseAttaqueEnCours(const Objet& o) { return o.animation >= 1 && o.animation <= 4; }

void Combat(Objet* o, bool tirerPose) {
    o->compteurRepos = 0;
    if (!PoseAttaqueEnCours(*o)) o->animation = tirerPose ? PoseAttaque() : 2;
    if (Animation__Avance(12)) o->animation = 5;
    Objet__PasPuisCourant(o);
    Objet__EvenementsPuisCourant(o);
}

void Marche(Objet* o) { Objet__MarcheCycle(o, 12); }

// The death in the air: the last frames, then the object dies out of the air layer.
void Agonie(Objet* o) {
    o->compteurRepos = 0;
    o->actif = 0;
    o->enIncantation = 0;
    if (Animation__Avance(Animation__NombreImages(o->animation))) Objet__Mort(o->indice, 1);
    else Objet__EvenementsPuisCourant(o);
    ObjetCourant = o;
}

// A summoned creature appears: 24 frames during which it does nothing and plays no event.
void Apparition(Objet* o) {
    o->actif = 0;
    if (Animation__Avance(24)) {
        o->action = 0;
        o->animation = 0;
        o->actif = 1;
    } else {
        ++o->compteurEvenement;
    }
}

// The shadow offset of an angel; a size without one is reported once per master and gets none.
void OmbreAnge(const Objet& o, int animation, int* a, int* b) {
    static constexpr int marche[3][2] = {{76, 68}, {95, 85}, {114, 102}};
    *a = 76;
    *b = 68;
    if (o.taille < 1 || o.taille > 3) {
        static std::array<bool, NOMBRE_TYPES_MAITRES> signale{};
        const size_t t = MaitreValide(o.typeMaitre) ? static_cast<size_t>(o.typeMaitre) : 0;
        if (!signale[t]) {
            signale[t] = true;
            Erreur_Question("AngeAffichage()", "Pourquoi la taille est %d", o.taille);
        }
        *a = *b = 0;
    } else if (animation == 0) {
        *a = marche[o.taille - 1][0];
        *b = marche[o.taille - 1][1];
    }
}

void MarqueSelection(const Objet& o, int x, int y) {
    AffichageMarques = 0;
    Sprite__AfficheEclaire(C16(o.taille + GFX_MARQUE), C16(x), C16(y), 0, 0, 0, Pulsation(CompteurCycle43) + 10);
}

void Ombre(int g, int x, int y, int image) { Sprite__AfficheOmbre(C16(g), C16(x), C16(y), C16(image)); }

void CorpsEtOmbre(int g, int sx, int sy, int ox, int oy, int image, bool ombre) {
    if (ombre) Ombre(g, sx + ox, sy + oy, image);
    Unites___affichage(g, sx, sy, image);
}

}  // namespace

void DragonGestion() {
    Objet* o = ObjetCourant;
    if (o == nullptr) return;
    Prologue(*o);
    switch (o->ordreSecondaire) {
        case 1: Combat(o, false); break;
        case 2: Marche(o); break;
        case 3: Agonie(o); break;
        default: Erreur_Fatale("HumainGestion()", ODRE_INCONNU, o->ordreSecondaire);
    }
}

void AngeGestion() {
    Objet* o = ObjetCourant;
    if (o == nullptr) return;
    switch (o->ordreSecondaire) {
        case 1:
            o->compteurRepos = 0;
            if (o->action == ACTION_APPARITION) Apparition(o);
            else Combat(o, true);
            break;
        case 2:
            if (o->action == ACTION_APPARITION) Apparition(o);
            else Marche(o);
            break;
        case 3: Agonie(o); break;
        default: Erreur_Fatale("HumainGestion()", ODRE_INCONNU, o->ordreSecondaire);
    }
}

void AngeAffichage() {
    Objet* o = ObjetCourant;
    if (o == nullptr || o->mourant) return;
    const int sx = (o->x - RepereX) * 24 + o->decalageX;
    const int sy = (o->y - RepereY) * 24 + o->decalageY;
    const int t = o->typeMaitre, image = o->direction * 12 + o->image;
    int a = 0, b = 0;
    OmbreAnge(*o, 0, &a, &b);
    if (o->selectionne) MarqueSelection(*o, sx + o->taille * 12, sy + b);
    OmbreAnge(*o, o->animation, &a, &b);
    switch (o->animation) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
        case 5: CorpsEtOmbre(Gfx(o->animation, t), sx, sy, a, b, image, true); break;
        case 13: CorpsEtOmbre(Gfx(13, t), sx, sy, 0, 0, image, false); break;
        case 17:
        case 18:
        case 19: CorpsEtOmbre(Gfx(18, t), sx, sy, a, b, image, true); break;
        case 20: CorpsEtOmbre(Gfx(20, t), sx, sy, a, b, o->image, true); break;
        default: Erreur_Fatale("AngeAffichage()", "L'objet à reçu une animation inconnue : %d", o->animation);
    }
    ObjetCourant = o;
    o->touche = 0;
    AffichageMarques = 1;
}

void DragonAffichage() {
    Objet* o = ObjetCourant;
    if (o == nullptr || o->mourant || o->ordreSecondaire == 4) return;
    const int sx = (o->x - RepereX) * 24 + o->decalageX;
    const int sy = (o->y - RepereY) * 24 + o->decalageY;
    const int t = o->typeMaitre, image = o->direction * 12 + o->image;
    if (o->selectionne) MarqueSelection(*o, sx + o->taille * 12, sy + 102);
    switch (o->animation) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
        case 5: CorpsEtOmbre(Gfx(o->animation, t), sx, sy, 114, 102, image, true); break;
        case 13:
            if (Gfx(13, t) != -1) CorpsEtOmbre(Gfx(13, t), sx, sy, 0, 0, image, false);
            break;
        case 17:
        case 18:
        case 19: CorpsEtOmbre(Gfx(18, t), sx, sy, 114, 102, image, true); break;
        default: Erreur_Fatale("DragonAffichage()", "L'objet à reçu une animation inconnue : %d", o->animation);
    }
    ObjetCourant = o;
    // The rider over the body, with the same frame.
    const bool repos = o->animation == 0 || o->animation == 5, attaque = PoseAttaqueEnCours(*o);
    if (repos || attaque) {
        int cavalier = -1;
        if (t == 133 || t == 134) cavalier = repos ? GFX_CAVALIER_REPOS : GFX_CAVALIER_ATTAQUE;
        else if (t == 374) {
            const int base = Gfx(repos ? 0 : 2, t);
            if (base != -1) cavalier = base + 1;
        }
        if (cavalier != -1) Unite__AfficheSurcouche(cavalier, sx, sy, image);
        ObjetCourant = o;
    }
    o->touche = 0;
    AffichageMarques = 1;
}

void Objet__SuiviAltitude() {
    Objet* o = ObjetCourant;
    if (o == nullptr || o->mourant || o->indice == 1) return;
    Defilement__Bornage();
    const int t = o->typeMaitre, spl = Gfx(5, t);
    // The light of the decor's corner of the view's light grid; a decor outside the view keeps
    // its shade.
    const int largeur = CasesVisiblesX + 1;
    const int dx = o->x - RepereX, dy = o->y - RepereY;
    const int c = dx / 2 + 1, r = dy / 2 + 1;
    const size_t k = static_cast<size_t>(r) * static_cast<size_t>(largeur) + static_cast<size_t>(c);
    if (dx >= 0 && dy >= 0 && largeur > 0 && c < largeur && k < GrilleLumiere.size()) {
        const int but = 2 * GrilleLumiere[k] + 5;
        int32_t& ombre = o->sorts[0];
        if (ombre > but) ombre -= 4;
        if (ombre < but) ombre += 2;
    }
    ObjetGfx_Ombre(spl, o->sorts[0]);

    const int vx = (o->x - RepereX) * 24, vy = (o->y - RepereY) * 24;
    if (t == 208 || t == 209) {
        Sprite__Affiche(spl, vx + 24, vy + 12, HeureDuJour);
        return;
    }
    const int sx = vx + o->decalageX, sy = vy + o->decalageY;
    switch (o->taille) {
        case 1: Sprite__Affiche(spl, sx + 24, sy + 12, o->direction); break;
        case 2:
            if (t == 40) o->direction = (o->direction + 1) % 32;
            Sprite__Affiche(spl, sx + 24, sy + 24, o->direction);
            break;
        case 3: Sprite__Affiche(spl, sx + 48, sy + 36, o->direction); break;
        case 4: Sprite__Affiche(spl, sx + 48, sy + 48, o->direction); break;
        default:
            if (o->taille > 4) Sprite__Affiche(spl, sx + 48 * o->taille, sy + 48 * o->taille, o->direction);
    }
}

void Objet__AffichageDecale() {
    Objet* o = ObjetCourant;
    if (o == nullptr || o->mourant || !MaitreValide(o->typeMaitre)) return;
    const DescriptionBatiment& d = DescriptionsBatimentT[static_cast<size_t>(o->typeMaitre)];
    const int g = Gfx(1, o->typeMaitre);
    const int x = (o->x - RepereX) * 24 + d.calage[0][0] + 8;
    const int y = (o->y - RepereY) * 24 + d.calage[0][1];
    Sprite__Affiche(g, x, y, 0);
    if (FlashDestruction != 0)
        Sprite__AfficheEclaire(C16(g), C16(x), C16(y), 0, FlashDestruction, FlashDestruction, FlashDestruction);
}

void Regiment__Animation() {
    Objet* o = ObjetCourant;
    if (o == nullptr) return;
    o->image = (o->image + 1) % 13;
    if (o->image < 0) o->image = 0;
    if (o->ordreSecondaire == 2) Regiment__Pas();
    ObjetCourant = o;
}

void RegimentAffichage() {
    if (PointeurCase == nullptr) return;
    const int n = *PointeurCase;
    if (n < 1 || n >= NOMBRE_OBJETS || TableObjets[static_cast<size_t>(n)].noeudListe == nullptr) return;
    Objet* o = &TableObjets[static_cast<size_t>(n)];
    ObjetCourant = o;
    const int sx = (o->x - RepereX) * 24 + o->decalageX;
    const int sy = (o->y - RepereY) * 24 + o->decalageY;
    if (o->selectionne) {
        Sprite__AfficheOmbreRGB(GFX_JETON_SELECTION, C16(sx + 20), C16(sy + 17), 0, 31, 31, 31);
        Sprite__Affiche(GFX_JETON_SELECTION, sx + 20, sy + 16, 0);
    }
    if (o->animation != 0 && o->animation != 5) {
        Erreur_Question("RegimentAffichage()", "Animation inconnue : %d", o->animation);
        return;
    }
    // Banner and shield by the regiment's state; a token without a regiment shows its banner only.
    bool banniereTransparente = false;
    int bouclier = -1;
    bool bouclierTransparent = false;
    const int k = o->sorts[0];
    if (k >= 0 && k < REGIMENTS_REGION) {
        const RegimentRegion& r = RegimentsRegion[static_cast<size_t>(k)];
        if (r.jetonPlein) {
            bouclier = 0;
        } else if (r.jetonEteint) {
            bouclier = 1;
            bouclierTransparent = true;
        } else if (r.jetonTransparent == 1) {
            banniereTransparente = true;
            bouclier = 0;
        } else if (r.jetonBouclier == 1) {
            bouclier = 1;
            bouclierTransparent = r.compteurBouclier < -3;
        }
    }
    if (banniereTransparente) Sprite__AfficheTrs50(GFX_BANNIERE, sx + 20, sy + 13, o->image);
    else Sprite__Affiche(GFX_BANNIERE, sx + 20, sy + 13, o->image);
    if (bouclier < 0) return;
    if (bouclierTransparent) Sprite__AfficheTrs50(GFX_BOUCLIER, sx + 12, sy + 16, bouclier);
    else Sprite__Affiche(GFX_BOUCLIER, sx + 12, sy + 16, bouclier);
}
