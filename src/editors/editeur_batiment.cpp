#include "editors/editeur_batiment.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "battle/pulsations.h"
#include "campaign/armee_fichiers.h"
#include "campaign/gestion_armee.h"
#include "editors/editeur_batiment_interne.h"
#include "editors/editeur_evenements.h"
#include "editors/editeurs.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "foundation/objetsgfx.h"
#include "foundation/texte.h"
#include "platform/fichiers.h"
#include "platform/plateforme.h"
#include "platform/temps.h"
#include "scene/elements.h"
#include "shell/cycles.h"
#include "world/affichage_batiments.h"
#include "world/descriptions.h"
#include "world/maitres.h"
#include "world/objets.h"

int32_t BatimentEdite = EDITEUR_BATIMENT_DEFAUT;
int32_t OrientationEditee = 1;
int32_t ModeEditeur = 0;
int32_t MenuEditeurActif = 0;
int32_t FermetureEditeur = 0;
int32_t RepereEditeurX = 0, RepereEditeurY = 0;
int32_t DeplacementRepere = 0;
int32_t NumeroElementEditeur = 0;
int32_t PasDeCalageX = 1, PasDeCalageY = 1;
int32_t CouchesEditeur[7] = {1, 1, 1, 1, 1, 1, 1};
int32_t FiguresTestEditeur = 1;
int32_t MarquesOccupationEditeur = 1;

namespace {

const char* const CHEMIN_EDBAT = "..\\ini\\edbat.txt";
bool BatimentOuvert = false;

struct LigneMenu {
    const char* libelle;
    int code;
};
const LigneMenu MENU[24] = {
    {"Calage global", 22},
    {"Calage image 1", 0},
    {"Calage image 2", 1},
    {"Calage ombre", 2},
    {"Calage braise", 4},
    {"Calage lumière", 3},
    {"Calage cristal", 5},
    {"Calage lueurs rouges", 16},
    {"Calage lumière bleue", 17},
    {"Calage porte", 21},
    {"Calage éléments", 20},
    {"Eléments", 18},
    {"Codes Objets", 23},
    {"Occupation au sol", 6},
    {"Occupation aérienne", 7},
    {"Priorité d'affichage au sol", 8},
    {"Priorité d'affichage aérienne", 11},
    {"Information de sélection", 10},
    {"Elimination des cases pleines", 9},
    {"Zone de passage pour les déplacements", 12},
    {"Sélection du bâtiment", 15},
    {"Sauvegarde tout en TGA", 13},
    {"Sauvegarde en TGA", 26},
    {"Calage du Pt Chaud du Sprite", 25},
};

// The calage pair (0-based) a mode moves, -1 for the other modes.
int PaireDuMode(int mode) {
    if (mode >= 0 && mode <= 5) return mode;
    if (mode == 16) return 6;
    if (mode == 17) return 7;
    if (mode == 21) return 8;
    return -1;
}

// Consumes a key flag.
bool Appui(int32_t& touche) {
    if (!touche) return false;
    touche = 0;
    return true;
}

// The arrows pressed this turn, each once: (-1, 0) left, (1, 0) right, (0, -1) up, (0, 1) down.
struct Fleches {
    int dx = 0, dy = 0;
    bool Aucune() const { return dx == 0 && dy == 0; }
};
Fleches LireFleches() {
    Fleches f;
    if (Appui(ToucheGauche)) --f.dx;
    if (Appui(ToucheDroite)) ++f.dx;
    if (Appui(ToucheHaut)) --f.dy;
    if (Appui(ToucheBas)) ++f.dy;
    return f;
}

int16_t Court(int v) { return static_cast<int16_t>(std::clamp(v, -32768, 32767)); }

// The cell of the footprint under the mouse; false outside it.
bool CaseSouris(const DescriptionBatiment& d, int* indice) {
    if (SourisX < 0 || SourisY < 0) return false;
    const int colonne = SourisX / 24 + RepereEditeurX, ligne = SourisY / 24 + RepereEditeurY;
    if (colonne >= d.largeur || ligne >= d.hauteur) return false;
    *indice = colonne + ligne * d.largeur;
    return true;
}

void Peindre(int32_t* grille, const DescriptionBatiment& d, bool gauche, bool droite, int32_t valeurGauche,
             int32_t valeurDroite) {
    int i;
    if (grille == nullptr || !CaseSouris(d, &i)) return;
    if (gauche) grille[i] = valeurGauche;
    else if (droite) grille[i] = valeurDroite;
}

void Dimensions(DescriptionBatiment& d, const Fleches& f, int largeurMax, int hauteurMax) {
    d.largeur = static_cast<int16_t>(std::clamp(d.largeur + f.dx, 1, largeurMax));
    d.hauteur = static_cast<int16_t>(std::clamp(d.hauteur + f.dy, 1, hauteurMax));
}

// The frame of a layer (0 image 1 .. 8 door) for the orientation, -1 when not drawn.
int ImageCouche(const int32_t* s, int orientation, int couche) {
    if (orientation == 1) {
        static const int SLOT[9] = {0, 1, 2, 3, 4, 5, 6, 8, 7};
        return s[SLOT[couche]];
    }
    const bool coupe = s[0] != -1 && s[1] != -1;
    static const int SIMPLE[9] = {0, 1, 2, 3, 4, 5, 6, 8, 8};
    static const int COUPE[9] = {-1, 0, 1, 2, 3, 4, 5, 7, 7};
    const int slot = coupe ? COUPE[couche] : SIMPLE[couche];
    return slot < 0 ? -1 : s[slot];
}

std::vector<bool>& GfxSignales() {
    static auto* signales = new std::vector<bool>(3 * NOMBRE_TYPES_MAITRES, false);
    return *signales;
}

}  // namespace

int EditeurBatiment__GfxOrientation(int maitre, int orientation) {
    if (maitre < 0 || maitre >= NOMBRE_TYPES_MAITRES) return -1;
    const TableParMaitre& t = orientation == 0 ? ObjetGfx_ANIM__ARE : orientation == 1 ? ObjetGfx_ANIM__ARA : ObjetGfx_ANIM__DPL;
    return t[static_cast<size_t>(maitre)];
}

// The graphic object of the building for an orientation; a missing one is said once (a
// warning) and its layers are not drawn.
int EditeurBatiment__GfxAffichable(int maitre, int orientation) {
    const int n = EditeurBatiment__GfxOrientation(maitre, orientation);
    if (n >= 0) return n;
    if (maitre >= 0 && maitre < NOMBRE_TYPES_MAITRES && orientation >= 0 && orientation <= 2) {
        auto signale = GfxSignales()[static_cast<size_t>(orientation * NOMBRE_TYPES_MAITRES + maitre)];
        if (!signale) {
            GfxSignales()[static_cast<size_t>(orientation * NOMBRE_TYPES_MAITRES + maitre)] = true;
            static const char* const OU[3] = {"anim are", "anim ara", "anim dpl"};
            Avertissement(OU[orientation], "fichier rle incorrect %d", maitre);
        }
    }
    return -1;
}

void EditeurBatiment__DessinerCouches(int maitre, int orientation, int x, int y, bool toutes, bool images12Seules) {
    const DescriptionBatiment* d = DescriptionBatimentCourante;
    if (d == nullptr || maitre < 0 || maitre >= NOMBRE_TYPES_MAITRES) return;
    const int n = EditeurBatiment__GfxAffichable(maitre, orientation);
    if (n < 0) return;
    const int32_t* s = TableMaitres[static_cast<size_t>(maitre)].sorts;
    const int L = TablePulsation43[static_cast<size_t>(CompteurCycle43Bis % 43)];
    const int C = TablePulsation43Decalee[static_cast<size_t>(CompteurCycle43 % 43)];
    const int G = TablePulsation100[static_cast<size_t>(CompteurCycle100 % 100)];
    // Layer c: its calage pair, its toggle (-1 always shown), its light.
    struct Couche {
        int paire, bascule;
        bool eclaire;
        int r, v, b;
    };
    const Couche COUCHES[9] = {
        {0, 0, false, 0, 0, 0},         {1, 1, false, 0, 0, 0},
        {2, 2, false, 0, 0, 0},         {3, 3, true, L, L / 2, 0},
        {4, 4, true, L, 0, 0},          {5, 5, true, 0, C / 3, 0},
        {6, -1, true, static_cast<int>(G / 1.5 + 5), 0, 0}, {7, -1, true, 0, 0, static_cast<int>(G / 1.5)},
        {8, 6, false, 0, 0, 0},
    };
    for (int c = 0; c < 9; ++c) {
        if (images12Seules && c > 1) break;
        const Couche& k = COUCHES[c];
        if (!toutes && k.bascule >= 0 && !CouchesEditeur[k.bascule]) continue;
        const int image = ImageCouche(s, orientation, c);
        if (image < 0) continue;
        const int px = x + d->calage[k.paire][0], py = y + d->calage[k.paire][1];
        if (k.eclaire)
            Sprite__AfficheEclaire(static_cast<int16_t>(n), Court(px), Court(py), static_cast<int16_t>(image), k.r, k.v, k.b);
        else
            Sprite__Affiche(n, px, py, image);
        if (c == 0 && !images12Seules) EditeurBatiment__FiguresTest(0);
    }
}

void EditeurBatiment__FiguresTest(int passe) {
    const DescriptionBatiment* d = DescriptionBatimentCourante;
    if (!FiguresTestEditeur || d == nullptr || d->occupationSol == nullptr) return;
    for (int ligne = 0; ligne < d->hauteur; ++ligne)
        for (int colonne = 0; colonne < d->largeur; ++colonne) {
            const int i = colonne + ligne * d->largeur;
            if (d->occupationSol[i] == 1 || d->priorite[i] != passe) continue;
            const int x = (colonne - RepereEditeurX) * 24 + 12, y = (ligne - RepereEditeurY) * 24 + 20;
            if (AfficherPersonnagePrePlace(colonne, ligne, x, y, CompteurCycle20)) continue;
            const int figure = ObjetGfx_ANIM__SPL[121];
            if (figure < 0) continue;
            Sprite__Affiche(figure, x, y, 48 + CompteurCycle20);
            Sprite__Affiche(figure + 1, x, y, 48 + CompteurCycle20);
        }
}

int EditeurBatiment__Message() {
    int code = 0;
    return EcranModal__Message(&code);
}

// A turn of a modal page: one message taken, the frame presented, paced at 25 turns a second.
bool EditeurBatiment__TourModal() {
    constexpr uint32_t PERIODE = 40;
    static uint32_t derniere = 0;
    Ecran_Affichage();
    const uint32_t echeance = derniere + PERIODE;
    for (;;) {
        Plateforme_Echeance(echeance);   // headless: the clock stops at each frame
        const int lu = EditeurBatiment__Message();
        if (lu < 0 || QuitterJeu) return false;
        const int32_t reste = static_cast<int32_t>(echeance - Temps_Ticks());
        if (reste <= 0 || reste > static_cast<int32_t>(PERIODE)) break;
        if (lu == 0) Message_AttendreJusqua(static_cast<uint32_t>(reste));
    }
    derniere = Temps_Ticks();
    return true;
}

void EditeurBatiment__Remplir(uint8_t octet) {
    if (EcranTampon) std::memset(EcranTampon, octet, static_cast<size_t>(LargeurEcran) * HauteurEcran * 2);
}

int EditeurBatiment__Liste(const char* titre, const std::vector<std::string>& lignes, int yMax,
                           const char* (*survolee)(int)) {
    const int nombre = static_cast<int>(lignes.size());
    ClicGauche = 0;
    ClicDroitEtat = 0;
    for (;;) {
        if (Appui(ToucheEchap) || Appui(ClicDroitEtat)) return -2;
        if (SourisY < 49) SourisY = 49;
        if (SourisY > yMax) SourisY = yMax;
        const int rang = std::clamp((SourisY - 48) / 16, 0, nombre - 1);
        if (Appui(ClicGauche)) return rang;
        EditeurBatiment__Remplir(74);
        if (EcranTampon) {
            Texte__AfficheSprite(8, 16, "%s", titre);
            for (int i = 0; i < nombre; ++i) {
                const char* texte = i == rang && survolee ? survolee(i) : nullptr;
                if (texte == nullptr) texte = lignes[static_cast<size_t>(i)].c_str();
                Editeurs__LigneMenu(8, 48 + 16 * i, i == rang, texte);
            }
            Sprite__Affiche(19, SourisX, SourisY, 0);
        }
        if (!EditeurBatiment__TourModal()) return -2;
    }
}

void EditeurBatiment__LireEdbat(int32_t* premiereLigne, int32_t* maitre) {
    int32_t premiere = 0, m = EDITEUR_BATIMENT_DEFAUT;
    if (FILE* f = Fichier_Ouvrir(CHEMIN_EDBAT, "rt")) {
        int a = 0, b = 0;
        const int lus = std::fscanf(f, "%d%d", &a, &b);
        std::fclose(f);
        if (lus >= 1) premiere = a;
        if (lus == 2 && b >= 0 && b < NOMBRE_DESCRIPTIONS && b < NOMBRE_TYPES_MAITRES) m = b;
    }
    if (premiereLigne) *premiereLigne = premiere;
    if (maitre) *maitre = m;
}

bool EditeurBatiment__EcrireEdbat(int32_t maitre) {
    int32_t premiere = 0;
    EditeurBatiment__LireEdbat(&premiere, nullptr);
    EcritureSure ecriture(CHEMIN_EDBAT);
    if (ecriture.Flux()) std::fprintf(ecriture.Flux(), "%d\n%d\n", premiere, maitre);
    if (ecriture.Valider()) return true;
    Avertissement("Editeur de bâtiment", "Ecriture impossible : %s", CHEMIN_EDBAT);
    return false;
}

void EditeurBatiment__Ouvrir(int orientation) {
    if (BatimentOuvert && DescriptionBatimentCourante) Batiment__LibereGrilles(DescriptionBatimentCourante);
    DescriptionBatiment* d = Batiment__Description(BatimentEdite, orientation);
    if (d == nullptr) return;
    OrientationEditee = orientation;
    DescriptionBatimentCourante = d;
    BatimentOuvert = true;
    Batiment__LibereGrilles(d);
    d->largeur = d->hauteur = EDITEUR_TAILLE_GRILLE;
    Batiment__AlloueGrilles(d);
    for (int i = 0; i < EDITEUR_TAILLE_GRILLE * EDITEUR_TAILLE_GRILLE; ++i) d->zone[i] = 1;
    Batiment___operation(0, BatimentEdite, orientation);
    DescriptionBatimentCourante = d;
    if (d->largeur > EDITEUR_TAILLE_GRILLE || d->hauteur > EDITEUR_TAILLE_GRILLE) {
        Avertissement("Editeur de bâtiment", "Bâtiment %d : dimensions %d x %d refusées (100 au plus)", BatimentEdite,
                      d->largeur, d->hauteur);
        Batiment__LibereGrilles(d);
        d->largeur = d->hauteur = EDITEUR_TAILLE_GRILLE;
        Batiment__AlloueGrilles(d);
        Batiment___operation(2, BatimentEdite, orientation);
        for (int i = 0; i < EDITEUR_TAILLE_GRILLE * EDITEUR_TAILLE_GRILLE; ++i) d->zone[i] = 1;
        d->largeur = d->hauteur = 1;
        DescriptionBatimentCourante = d;
    }
}

bool EditeurBatiment__Sauvegarde() {
    static const char LETTRE[3] = {'d', 't', 'g'};
    char chemin[64];
    std::snprintf(chemin, sizeof chemin, "..\\Batiment\\%04d%c.ocp", BatimentEdite, LETTRE[OrientationEditee]);
    if (!Question_Formatee("Sauvegarde de bâtiment", "Sauvegarde du bâtiment : %s", chemin)) return false;
    if (Batiment__Sauvegarder(BatimentEdite, OrientationEditee)) return true;
    Avertissement("Sauvegarde de bâtiment", "Erreur de sauvegarde du bâtiment : %s", chemin);
    return false;
}

void EditeurBatiment__Touches() {
    static int32_t* const F[7] = {&ToucheF2, &ToucheF3, &ToucheF4, &ToucheF5, &ToucheF6, &ToucheF7, &ToucheF8};
    for (int k = 0; k < 7; ++k)
        if (Appui(*F[k])) CouchesEditeur[k] = !CouchesEditeur[k];
    if (Appui(ToucheF9)) EditeurBatiment__Sauvegarde();
    if (Appui(ToucheR)) {
        if (LargeurEcran == 640) Ecran_ModeVideo(800, 600);
        else if (LargeurEcran == 800) Ecran_ModeVideo(1024, 768);
        else Ecran_ModeVideo(640, 480);
    }
    if (Appui(ToucheCtrl)) DeplacementRepere = !DeplacementRepere;
    if (Appui(ToucheEspace)) FiguresTestEditeur = !FiguresTestEditeur;
    if (Appui(ToucheO)) MarquesOccupationEditeur = !MarquesOccupationEditeur;
    if (Appui(ToucheP)) PasDeCalageX = PasDeCalageY = PasDeCalageX == 1 ? 50 : 1;
    static int32_t* const ORIENTATIONS[3] = {&ToucheD, &ToucheT, &ToucheG};
    for (int o = 0; o < 3; ++o)
        if (Appui(*ORIENTATIONS[o])) {
            if (ModeEditeur == 25) EditeurBatiment__FinCalibration();
            EditeurBatiment__Ouvrir(o);
        }
    if (ModeEditeur != 25) {
        static int32_t* const CHIFFRES[10] = {&Touche0, &Touche1, &Touche2, &Touche3, &Touche4,
                                              &Touche5, &Touche6, &Touche7, &Touche8, &Touche9};
        for (int c = 0; c < 10; ++c)
            if (Appui(*CHIFFRES[c])) NumeroElementEditeur = c;
    }
}

void EditeurBatiment__Edition() {
    DescriptionBatiment* d = DescriptionBatimentCourante;
    if (d == nullptr || d->occupationSol == nullptr) return;
    const int mode = ModeEditeur;
    if (mode == 25) return;   // the calibration reads its own keys
    Fleches f = LireFleches();
    if (mode == 20) {
        const int e = NumeroElementEditeur;
        if (e < 11) {
            d->elementX[e] = Court(d->elementX[e] + f.dx);
            d->elementY[e] = Court(d->elementY[e] + f.dy);
            if (Appui(ClicGauche)) {
                d->elementX[e] = Court(24 * RepereEditeurX + SourisX);
                d->elementY[e] = Court(24 * RepereEditeurY + SourisY);
            }
            if (Appui(ClicDroitEtat)) {
                int16_t& dir = d->elementDirection[e];
                if (d->elementNature[e] == 1) dir = static_cast<int16_t>(dir >= 2 || dir < 0 ? 0 : dir + 1);
                else if (d->elementNature[e] == 2) dir = static_cast<int16_t>(dir >= 7 || dir < 0 ? 0 : dir + 1);
            }
        }
        return;
    }
    if (DeplacementRepere) {
        RepereEditeurX = std::clamp(RepereEditeurX + f.dx, 0, EDITEUR_TAILLE_GRILLE);
        RepereEditeurY = std::clamp(RepereEditeurY + f.dy, 0, EDITEUR_TAILLE_GRILLE);
        f = Fleches{};
    }
    if (const int paire = PaireDuMode(mode); paire >= 0) {
        d->calage[paire][0] = Court(d->calage[paire][0] + f.dx * PasDeCalageX);
        d->calage[paire][1] = Court(d->calage[paire][1] + f.dy * PasDeCalageY);
        return;
    }
    const bool tenuG = BoutonGauche != 0, tenuD = BoutonDroit != 0;
    const bool clicG = Appui(ClicGauche), clicD = Appui(ClicDroitEtat);
    switch (mode) {
        case 22:
            if (!f.Aucune()) Batiment__DecalageCalage(f.dx * PasDeCalageX, f.dy * PasDeCalageY);
            break;
        case 6:
            Dimensions(*d, f, EDITEUR_TAILLE_GRILLE, EDITEUR_TAILLE_GRILLE);
            Peindre(d->occupationSol, *d, tenuG, tenuD, 0, 1);
            break;
        case 7:
            Dimensions(*d, f, EDITEUR_TAILLE_GRILLE, EDITEUR_TAILLE_GRILLE);
            Peindre(d->occupationAir, *d, clicG, clicD, 0, 1);
            break;
        case 8: Peindre(d->priorite, *d, tenuG, tenuD, 1, 0); break;
        case 9:
            Dimensions(*d, f, 20, 16);
            Peindre(d->optimisation, *d, clicG, clicD, 1, 0);
            break;
        case 10: Peindre(d->selection, *d, tenuG, tenuD, 1, 0); break;
        case 11: Peindre(d->air, *d, tenuG, tenuD, 1, 0); break;
        case 12: Peindre(d->zone, *d, tenuG, tenuD, NumeroElementEditeur, 0); break;
        default: break;
    }
}

namespace {

const char* LibelleMode(int mode) {
    switch (mode) {
        case 0: return "Calage Image 1";
        case 1: return "Calage Image 2";
        case 2: return "Calage Ombre";
        case 3: return "Calage Lumière";
        case 4: return "Calage Braise";
        case 5: return "Calage Cristal";
        case 16: return "Calage lueurs rouges";
        case 17: return "Calage lumière bleue";
        case 21: return "Calage porte";
        case 6: return "Occupation au sol";
        case 7: return "Occupation aérienne";
        case 8: return "Priorité d'affichage";
        case 9: return "Elimination des cases pleines";
        case 10: return "Information de sélection par survol à la souris";
        case 11: return "Priorité d'affichage aérienne";
        case 12: return "Zone de passage dans le bâtiment";
        case 13: return "Sauvegarde en tout TGA";
        case 22: return "Calage global";
        case 25: return "Calage point chaud du sprite";
        case 26: return "Sauvegarde en TGA";
        default: return "";
    }
}

void Marques(const DescriptionBatiment& d) {
    for (int ligne = 0; ligne < d.hauteur; ++ligne)
        for (int colonne = 0; colonne < d.largeur; ++colonne) {
            const int i = colonne + ligne * d.largeur;
            const int x = (colonne - RepereEditeurX) * 24, y = (ligne - RepereEditeurY) * 24;
            const int mode = ModeEditeur;
            if (mode == 9 && d.optimisation[i]) Sprite__Affiche(28, x, y, 0);
            if (mode == 12 && d.zone[i]) {
                Sprite__Affiche(28, x, y, 0);
                Texte__AfficheSprite(x + 8, y + 8, "%d", d.zone[i]);
            }
            if (mode == 10 && d.selection[i]) {
                Sprite__Affiche(28, x, y, 0);
                Texte__AfficheSprite(x + 8, y + 8, "%s", "S");
            }
            if (MarquesOccupationEditeur && d.occupationSol[i] == 1) Sprite__Affiche(28, x, y, 0);
            if (mode == 6 || mode == 8 || mode == 11) {
                if (d.priorite[i]) Texte__Affiche(x, y + 8, "%s", "P");
                if (d.air[i]) Texte__Affiche(x + 16, y + 8, "%s", "A");
            }
            if (mode == 7 && d.occupationAir[i] == 1) Sprite__Affiche(28, x, y, 0);
        }
}

void Textes(const DescriptionBatiment& d) {
    static const char* const AFFICHE[7] = {"F2: IMAGE1", "F3: IMAGE2", "F4: OMBRE", "F5: LUMIERE",
                                           "F6: BRAISE", "F7: CRISTAL", "F8: PORTE"};
    static const char* const CACHE[7] = {"F2: -", "F3: -", "F4: -", "F5: -", "F6: -", "F7: -", "F8: -"};
    for (int k = 0; k < 7; ++k) Texte__AfficheSprite(520, 32 + 16 * k, "%s", CouchesEditeur[k] ? AFFICHE[k] : CACHE[k]);
    Texte__AfficheSprite(520, 32 + 16 * 7, "%s", "F9: SAUVEGARDE");
    const int h = HauteurEcran, mode = ModeEditeur;
    Texte__AfficheSprite(8, h - 48, "%s", LibelleMode(mode));
    const int paire = mode == 22 ? 0 : PaireDuMode(mode);
    if (paire >= 0) {
        Texte__AfficheSprite(8, h - 32, "Calage X :%d", d.calage[paire][0]);
        Texte__AfficheSprite(8, h - 16, "Calage Y :%d", d.calage[paire][1]);
    } else if (mode == 6 || mode == 7) {
        Texte__AfficheSprite(8, h - 32, "Largeur :%d", d.largeur);
        Texte__AfficheSprite(8, h - 16, "Hauteur :%d", d.hauteur);
    } else if (mode == 20 && NumeroElementEditeur < 11) {
        const int e = NumeroElementEditeur;
        Texte__AfficheSprite(8, h - 48, "Calage élèment %d", e);
        Texte__AfficheSprite(8, h - 32, "Calage X :%d", d.elementX[e]);
        Texte__AfficheSprite(8, h - 16, "Calage Y :%d", d.elementY[e]);
    }
    const int px = 24 * RepereEditeurX + SourisX, py = 24 * RepereEditeurY + SourisY;
    Texte__AfficheSprite(400, h - 48, "X,Y :%d,%d", px, py);
    Texte__AfficheSprite(400, h - 16, "Colonne : %d , Ligne : %d", px / 24, py / 24);
    if (DeplacementRepere) {
        Texte__AfficheSprite(400, h - 96, "%s", "Deplacement du repère");
        Texte__AfficheSprite(400, h - 80, "Repère X :%d", RepereEditeurX);
        Texte__AfficheSprite(400, h - 64, "Repère Y :%d", RepereEditeurY);
    }
}

void AvancerCompteurs() {
    CompteurCycle12 = CompteurCycle12 >= 11 ? 0 : CompteurCycle12 + 1;
    CompteurCycle20 = CompteurCycle20 >= 11 ? 0 : CompteurCycle20 + 1;
    CompteurCycle43Bis = CompteurCycle43Bis >= 42 ? 0 : CompteurCycle43Bis + 1;
    CompteurCycle43 = CompteurCycle43 >= 42 ? 0 : CompteurCycle43 + 1;
    CompteurCycle100 = CompteurCycle100 >= 99 ? 0 : CompteurCycle100 + 1;
}

// The elements read the see-through level of the current object; none is current here: a
// stand-in at the full level.
void Elements() {
    static Objet factice;
    factice.typeMaitre = 0;
    factice.aleaAffichage = 31;
    Objet* avant = ObjetCourant;
    ObjetCourant = &factice;
    Batiment__AffichageElements(-24 * RepereEditeurX, -24 * RepereEditeurY);
    ObjetCourant = avant;
}

}  // namespace

void EditeurBatiment__Tour() {
    AvancerCompteurs();
    EditeurBatiment__Remplir(2);
    DescriptionBatiment* d = DescriptionBatimentCourante;
    if (d != nullptr && d->occupationSol != nullptr && EcranTampon != nullptr) {
        EditeurBatiment__DessinerCouches(BatimentEdite, OrientationEditee, -24 * RepereEditeurX, -24 * RepereEditeurY,
                                         false, false);
        EditeurBatiment__FiguresTest(1);
        Marques(*d);
        Sprite__Affiche(19, SourisX, SourisY, 0);
        Elements();
        Textes(*d);
    }
    EditeurBatiment__Touches();
    EditeurBatiment__Edition();
    if (ModeEditeur == 25) EditeurBatiment__Calibration();
    if (Appui(ToucheEchap)) {
        if (ModeEditeur == 25) EditeurBatiment__FinCalibration();
        MenuEditeurActif = 1;
    }
}

namespace {

int Menu(const char* titre) {
    std::vector<std::string> lignes;
    for (const LigneMenu& l : MENU) {
        char texte[96];
        if (l.code == 15) std::snprintf(texte, sizeof texte, "%s : %d", l.libelle, BatimentEdite);
        else std::snprintf(texte, sizeof texte, "%s", l.libelle);
        lignes.emplace_back(texte);
    }
    MenuEditeurActif = 0;
    const int rang = EditeurBatiment__Liste(titre, lignes, 48 + 16 * 24 - 1, nullptr);
    return rang < 0 ? -1 : MENU[rang].code;
}

void ChoixMenu() {
    const int code = Menu("Editeur de Bâtiment v1.0");
    switch (code) {
        case -1:
            ModeEditeur = 0;
            FermetureEditeur = 1;
            break;
        case 15: {
            const int maitre = EdEvenementChoixObjet("SELECTION DU BATIMENT A EDITER");
            ToucheT = 0;
            ModeEditeur = 15;
            // Escape in the picker keeps the building open.
            if (maitre >= 0 && maitre < NOMBRE_DESCRIPTIONS) {
                BatimentEdite = maitre;
                EditeurBatiment__Ouvrir(1);
            }
            break;
        }
        case 18:
            Element__Selection("Sélection de l'élèment");
            MenuEditeurActif = 1;
            Batiment__CompteElements();
            break;
        case 23:
            CodeObjet__Selection("Sélection du code objet");
            MenuEditeurActif = 1;
            Batiment__CompteCodesObjets();
            break;
        case 13:
            ModeEditeur = 13;
            EditeurBatiment__ExportTout();
            MenuEditeurActif = 1;
            break;
        case 26:
            ModeEditeur = 26;
            EditeurBatiment__ExportCourant();
            MenuEditeurActif = 1;
            break;
        default: ModeEditeur = code; break;
    }
}

}  // namespace

int EditeurBatiment(int32_t orientation) {
    const EcranSprite clip = EcranDestination;
    const int largeurAvant = LargeurEcran, hauteurAvant = HauteurEcran;
    Ecran_ModeVideo(640, 480);
    EcranDestination.clipGauche = 0;
    EcranDestination.clipHaut = 0;
    EcranDestination.clipDroite = LargeurEcran;
    EcranDestination.clipBas = HauteurEcran;
    EditeurBatiment__LireEdbat(nullptr, &BatimentEdite);
    BatimentOuvert = false;
    EditeurBatiment__Ouvrir(orientation < 0 || orientation > 2 ? 1 : orientation);
    Entrees_RAZ();
    FermetureEditeur = 0;
    MenuEditeurActif = 1;
    while (!QuitterJeu) {
        if (FermetureEditeur) break;
        if (MenuEditeurActif) {
            ChoixMenu();
            continue;
        }
        EditeurBatiment__Tour();
        if (!EditeurBatiment__TourModal()) break;
    }
    EditeurBatiment__FinCalibration();
    EditeurBatiment__EcrireEdbat(BatimentEdite);
    if (LargeurEcran != largeurAvant || HauteurEcran != hauteurAvant) Ecran_ModeVideo(largeurAvant, hauteurAvant);
    EcranDestination.clipGauche = clip.clipGauche;
    EcranDestination.clipHaut = clip.clipHaut;
    EcranDestination.clipDroite = std::min(clip.clipDroite, LargeurEcran);
    EcranDestination.clipBas = std::min(clip.clipBas, HauteurEcran);
    EditeurBatiment__Remplir(0);
    Entrees_RAZ();
    FermetureEditeur = 0;
    return 1;
}
