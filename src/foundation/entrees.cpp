#include "foundation/entrees.h"

#include "editors/impression.h"
#include "shell/saisie.h"

int32_t SourisX = 320;
int32_t SourisY = 200;
int32_t BoutonGauche = 0;
int32_t BoutonGaucheEtat = 0;
int32_t ClicGauche = 0;
int32_t BoutonDroit = 0;
int32_t ClicDroitEtat = 0;
int32_t Glissement = 0;

int32_t ToucheRetourArriere, ToucheTab, ToucheEntree, ToucheMaj, ToucheCtrl, ToucheEchap, ToucheEspace;
int32_t TouchePageHaut, TouchePageBas, ToucheFin, ToucheDebut, ToucheGauche, ToucheHaut, ToucheDroite, ToucheBas,
    ToucheInser, ToucheSuppr;
int32_t Touche0, Touche1, Touche2, Touche3, Touche4, Touche5, Touche6, Touche7, Touche8, Touche9;
int32_t ToucheA, ToucheB, ToucheC, ToucheD, ToucheE, ToucheF, ToucheG, ToucheH, ToucheI, ToucheJ, ToucheK, ToucheL,
    ToucheM, ToucheN, ToucheO, ToucheP, ToucheQ, ToucheR, ToucheS, ToucheT, ToucheU, ToucheV, ToucheW, ToucheX,
    ToucheY, ToucheZ;
int32_t ToucheEtoile, TouchePlus, ToucheMoins, ToucheSlash;
int32_t ToucheF1, ToucheF2, ToucheF3, ToucheF4, ToucheF5, ToucheF6, ToucheF7, ToucheF8, ToucheF9, ToucheF10;
int32_t ToucheCaractere = 0;
uint32_t ToucheCaractereModificateurs = 0;

int32_t SaisieEnCours = 0;
int32_t SaisieValidee = 0;
int32_t ToucheEntreeTexte = 0;

int32_t ToucheF11, ToucheF12, ToucheReserve1, ToucheReserve2, ToucheCtrlEtat;
int32_t ToucheAMarque = 0;
int32_t QuitterJeu = 0;

namespace {

struct Correspondance {
    int32_t* drapeau;
    int32_t caractere;   // 0: the key has none
};

// The key map, indexed by virtual key.
struct TableTouches {
    Correspondance t[256] = {};
    TableTouches() {
        t[8] = {&ToucheRetourArriere, 0};
        t[9] = {&ToucheTab, 0};
        t[13] = {&ToucheEntree, 0};
        t[16] = {&ToucheMaj, 0};
        t[17] = {&ToucheCtrl, 0};
        t[27] = {&ToucheEchap, 0};
        t[32] = {&ToucheEspace, ' '};
        t[33] = {&TouchePageHaut, 0};
        t[34] = {&TouchePageBas, 0};
        t[35] = {&ToucheFin, 0};
        t[36] = {&ToucheDebut, 0};
        t[37] = {&ToucheGauche, 0};
        t[38] = {&ToucheHaut, 0};
        t[39] = {&ToucheDroite, 0};
        t[40] = {&ToucheBas, 0};
        t[45] = {&ToucheInser, 0};
        t[46] = {&ToucheSuppr, 0};
        int32_t* chiffres[10] = {&Touche0, &Touche1, &Touche2, &Touche3, &Touche4,
                                 &Touche5, &Touche6, &Touche7, &Touche8, &Touche9};
        for (int i = 0; i < 10; ++i) {
            t[48 + i] = {chiffres[i], '0' + i};
            t[96 + i] = {chiffres[i], '0' + i};
        }
        int32_t* lettres[26] = {&ToucheA, &ToucheB, &ToucheC, &ToucheD, &ToucheE, &ToucheF, &ToucheG,
                                &ToucheH, &ToucheI, &ToucheJ, &ToucheK, &ToucheL, &ToucheM, &ToucheN,
                                &ToucheO, &ToucheP, &ToucheQ, &ToucheR, &ToucheS, &ToucheT, &ToucheU,
                                &ToucheV, &ToucheW, &ToucheX, &ToucheY, &ToucheZ};
        for (int i = 0; i < 26; ++i) t[65 + i] = {lettres[i], 'a' + i};
        t[106] = {&ToucheEtoile, '*'};
        t[107] = {&TouchePlus, '+'};
        t[109] = {&ToucheMoins, '-'};
        t[111] = {&ToucheSlash, '/'};
        int32_t* fonctions[10] = {&ToucheF1, &ToucheF2, &ToucheF3, &ToucheF4, &ToucheF5,
                                  &ToucheF6, &ToucheF7, &ToucheF8, &ToucheF9, &ToucheF10};
        for (int i = 0; i < 10; ++i) t[112 + i] = {fonctions[i], 0};
    }
};

const TableTouches& Table() {
    static const TableTouches table;
    return table;
}

}  // namespace

void Clavier_Touche(uint32_t toucheVirtuelle, uint32_t modificateurs) {
    if (toucheVirtuelle >= 256) return;
    const Correspondance& c = Table().t[toucheVirtuelle];
    if (c.drapeau == nullptr) return;
    if (c.caractere != 0) {
        ToucheCaractere = c.caractere;
        if (c.caractere >= 'a' && c.caractere <= 'z' && (modificateurs & MODIF_MAJ)) ToucheCaractere = c.caractere - 'a' + 'A';
        ToucheCaractereModificateurs = modificateurs;
    }
    if (SaisieEnCours) {
        // The text takes the key; only the keys a text entry reads keep their flags.
        if (toucheVirtuelle == 8 || toucheVirtuelle == 27) *c.drapeau = 1;
        if (toucheVirtuelle == 13) {
            ToucheEntree = 1;
            SaisieValidee = 1;
            ToucheEntreeTexte = 1;
        }
        return;
    }
    if (toucheVirtuelle == 73) ImpressionEcran();   // I: a screenshot first
    *c.drapeau = 1;
    if (toucheVirtuelle == 13) ToucheEntreeTexte = 1;
    if (toucheVirtuelle == 65) ToucheAMarque = 1;
}

bool Clavier_Modificateur(uint32_t modificateur) {
    if (ToucheCaractere >= '0' && ToucheCaractere <= '9') return (ToucheCaractereModificateurs & modificateur) != 0;
    switch (modificateur) {
        case MODIF_MAJ: return Clavier_Enfoncee(TOUCHE_MAJ);
        case MODIF_CTRL: return Clavier_Enfoncee(TOUCHE_CTRL);
        case MODIF_ALT: return Clavier_Enfoncee(TOUCHE_ALT);
        default: return false;
    }
}

void Entrees_RAZ() {
    ToucheCaractere = 0;
    ToucheCaractereModificateurs = 0;
    for (const Correspondance& c : Table().t)
        if (c.drapeau) *c.drapeau = 0;
    ToucheF11 = ToucheF12 = 0;
    ToucheCtrlEtat = 0;
    ToucheReserve1 = ToucheReserve2 = 0;
}

bool Entrees_Message(HandleFenetre fenetre, uint32_t message, ParamMot w, ParamLong l, intptr_t* resultat) {
    *resultat = 0;
    switch (message) {
        case MSG_SOURIS_DEPLACEMENT:
            SourisX = Plateforme_PositionX(l);
            SourisY = Plateforme_PositionY(l);
            return true;
        case MSG_GAUCHE_ENFONCE:
            BoutonGaucheEtat = 1;
            BoutonGauche = 1;
            ClicGauche = 1;
            ClicDroitEtat = 0;
            SourisX = Plateforme_PositionX(l);
            SourisY = Plateforme_PositionY(l);
            return true;
        case MSG_GAUCHE_RELACHE:
            BoutonGaucheEtat = -1;
            BoutonGauche = 0;
            Glissement = 0;
            return true;
        case MSG_GAUCHE_DOUBLE:
            Selection__MemeTypeVisibles();
            return true;
        case MSG_DROIT_ENFONCE:
            BoutonDroit = 1;
            ClicDroitEtat = 1;
            return true;
        case MSG_DROIT_RELACHE:
            BoutonDroit = 0;
            Glissement = 0;
            return true;
        case MSG_DROIT_DOUBLE:
            return true;
        case MSG_TOUCHE_ENFONCEE:
            Clavier_Touche(static_cast<uint32_t>(w), Plateforme_Modificateurs(l));
            return true;
        case MSG_TOUCHE_SYSTEME:
            Clavier_Touche(static_cast<uint32_t>(w), Plateforme_Modificateurs(l));
            *resultat = Fenetre_ProcedureDefaut(fenetre, message, w, l);
            return true;
        default:
            return false;
    }
}
