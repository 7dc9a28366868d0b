#include "scene/panneau.h"

#include <bitset>
#include <cstdio>
#include <cstring>

#include "battle/humains.h"      // Chiffres__Affiche
#include "battle/sorts_auto.h"   // Sort__EstActif, Sort__Lancable
#include "campaign/armee.h"      // AfficherNombre, TracerLigneHorizontale
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "foundation/objetsgfx.h"
#include "foundation/polices.h"
#include "foundation/texte.h"
#include "frontend/localisation.h"
#include "scene/survol.h"
#include "shell/routeur.h"
#include "shell/saisie.h"
#include "world/groupes.h"
#include "world/maitres.h"
#include "world/objets.h"

int32_t CapacitesNombre = 0;
std::array<int32_t, CAPACITES_MAXIMUM> CapacitesObjets{};
std::array<int32_t, CAPACITES_MAXIMUM> CapacitesIndex{};
std::array<int32_t, CAPACITES_MAXIMUM> CapacitesActives{};
int32_t FicheUniteType = -1;

namespace {

constexpr int OBJET_CADRE_PORTRAIT = 478;
constexpr int OBJET_ETAT = 32;
constexpr int OBJET_CLASSE = 693;
constexpr int OBJET_FORTIFICATION = 941;
constexpr int OBJET_ICONES_SPECIALES = 819;
constexpr int PORTRAITS_MAXIMUM = 7;

constexpr int FAMILLE_BATIMENT = 1, FAMILLE_ARBRES = 3, FAMILLE_MACHINE = 5, FAMILLE_CADAVRE = 13;
constexpr int CLASSE_FORTIFICATION = 25;

struct Icone {
    int16_t type, objet, image;
};
// Master type: graphic object and frame of its icon.
constexpr Icone ICONES[] = {
    {5, 820, 1},    {6, 822, 9},    {7, 822, 7},    {8, 822, 0},    {9, 822, 1},    {10, 822, 2},   {11, 822, 8},
    {12, 822, 3},   {13, 818, 0},   {14, 818, 9},   {15, 818, 7},   {16, 818, 3},   {17, 818, 4},   {19, 818, 8},
    {20, 818, 5},   {21, 815, 1},   {22, 815, 7},   {23, 815, 6},   {24, 815, 2},   {25, 815, 3},   {26, 815, 8},
    {27, 819, 9},   {28, 821, 0},   {29, 821, 8},   {30, 821, 1},   {31, 821, 2},   {32, 821, 3},   {33, 821, 4},
    {34, 821, 5},   {35, 819, 8},   {36, 816, 0},   {37, 816, 1},   {38, 816, 2},   {39, 971, 3},   {41, 971, 2},
    {43, 971, 1},   {44, 824, 3},   {45, 824, 4},   {46, 824, 2},   {47, 824, 1},   {120, 820, 2},  {121, 820, 0},
    {122, 815, 5},  {123, 821, 7},  {124, 822, 5},  {125, 822, 4},  {129, 821, 6},  {132, 819, 2},  {133, 818, 1},
    {134, 818, 1},  {135, 817, 3},  {136, 817, 0},  {137, 817, 1},  {138, 817, 2},  {139, 819, 0},  {140, 819, 12},
    {141, 819, 1},  {142, 819, 11}, {143, 971, 4},  {193, 971, 0},  {194, 815, 4},  {195, 819, 3},  {196, 818, 6},
    {197, 819, 6},  {202, 819, 4},  {262, 823, 4},  {263, 823, 2},  {264, 823, 1},  {265, 823, 0},  {266, 823, 6},
    {267, 823, 3},  {300, 819, 7},  {339, 822, 6},  {340, 815, 0},  {341, 823, 5},  {373, 819, 10}, {374, 818, 2},
    {375, 819, 5},  {376, 820, 3},  {391, 817, 2},
};

// The graphic objects the panels asked for that the table does not hold, each reported once.
std::bitset<4096> ObjetsAbsentsSignales;

// A panel sprite; a number past the graphic object table draws nothing and is reported once.
bool Present(int n) {
    if (n >= 0 && n < NbObjetsGfx) return true;
    if (n >= 0 && n < static_cast<int>(ObjetsAbsentsSignales.size()) && !ObjetsAbsentsSignales[static_cast<size_t>(n)]) {
        ObjetsAbsentsSignales.set(static_cast<size_t>(n));
        Erreur_Question("Panneau__Affichage()", "Objet graphique absent de la liste : %d", n);
    }
    return false;
}
void Dessiner(int n, int x, int y, int image) {
    if (Present(n)) Sprite__Affiche(n, x, y, image);
}

bool EstPorte(int type) { return type == 433 || type == 473 || type == 512 || type == 551 || type == 590; }

bool ObjetValide(int indice) { return indice > 0 && indice < NOMBRE_OBJETS && TableObjets[indice].noeudListe != nullptr; }

// A member watched over by a blessing. The impact effects keep no per-unit record of it yet.
bool SousBenediction(int) { return false; }

// The class sign's frame, -1 for none.
int SigneClasse(const Objet& o) {
    switch (o.typeMaitre) {
        case 8: case 12: return 7;
        case 25: case 32: return 5;
        case 44: return 0;
        case 139: return 1;
        case 140: case 141: return 2;
        default: break;
    }
    switch (o.classe) {
        case 0: case 1: case 2: return 6;
        case 3: return 3;
        case 4: return 4;
        case 8: return 7;
        case 21: return o.typeMaitre == 36 ? 7 : o.typeMaitre == 340 ? 5 : -1;
        default: return -1;
    }
}

// The portrait's caption from interface line 129 (with mana) or 130 (without).
void Legende(const char* nom, int vie, int vieMaximum, int mana, int manaMaximum, int experience) {
    char texte[256];
    if (manaMaximum == 0)
        std::snprintf(texte, sizeof texte, TexteInterface(130), nom, vie, vieMaximum, experience);
    else
        std::snprintf(texte, sizeof texte, TexteInterface(129), nom, vie, vieMaximum, mana, manaMaximum, experience);
    Texte__SortieGrise(242, EcranDestination.clipBas - 14, texte);
}

}  // namespace

int Portrait__Barre(int valeur, int maximum) {
    if (maximum == 0) return 0;
    const long long b = static_cast<long long>(valeur) * 24 / maximum;
    return b < 0 ? 0 : b > 24 ? 24 : static_cast<int>(b);
}

bool Icone__Table(int type, int* objet, int* image) {
    for (const Icone& i : ICONES)
        if (i.type == type) {
            *objet = i.objet;
            *image = i.image;
            return true;
        }
    return false;
}

void Icone__Affichage(int type, int x, int y) {
    int objet = 0, image = 0;
    if (Icone__Table(type, &objet, &image)) Dessiner(objet, x, y, image);
}

void FicheUnite__Affichage(int x, int y) {
    const bool apercu = ModeSceneCourant == 3;
    int type = FicheUniteType;
    if (!apercu) {
        x += 31;
        y += 20;
        type = ObjetCourant ? ObjetCourant->typeMaitre : -1;
    }
    TexteCouleurBlanc();
    if (!apercu && ObjetCourant) {
        if (ObjetCourant->classe == CLASSE_FORTIFICATION) {
            if (EstPorte(type)) Dessiner(OBJET_ICONES_SPECIALES, x, y, 14);
            else Dessiner(OBJET_FORTIFICATION, x, y, 0);
            return;
        }
        if (ObjetCourant->famille == FAMILLE_CADAVRE || ObjetCourant->famille == 18) {
            Dessiner(OBJET_ICONES_SPECIALES, x, y, 13);
            return;
        }
    }
    int objet = 0, image = 0;
    if (Icone__Table(type, &objet, &image)) {
        Dessiner(objet, x, y, image);
    } else {
        FicheUniteType = -1;
        Dessiner(OBJET_FORTIFICATION, x, y, 0);
    }
}

void Portrait__Affichage(int x, int y, int enSelection, int survolAffiche) {
    Objet* o = ObjetCourant;
    if (o == nullptr || o->ordreSecondaire == 4) return;
    if (o->famille >= FAMILLE_BATIMENT && o->famille <= FAMILLE_ARBRES && o->classe != CLASSE_FORTIFICATION) return;
    const int g = o->groupe;
    if (!Groupe__Actif(g)) return;
    const Groupe& groupe = TableGroupes[static_cast<size_t>(g)];

    const bool survole = SourisX > x && SourisX < x + 70 && SourisY > y && SourisY < y + 44 && SourisY < 48 &&
                         NombreGroupesSelectionnes >= 2;
    Dessiner(OBJET_CADRE_PORTRAIT, x, y, survole ? 1 : 0);
    FicheUnite__Affichage(x - 11, y);

    if (!EstPorte(o->typeMaitre)) {
        bool continus = false, beni = false;
        for (int m = 0; m < groupe.nbMembres; ++m) {
            const int i = groupe.membres[m];
            if (!ObjetValide(i)) continue;
            const int d = TableObjets[static_cast<size_t>(i)].degatsContinus;
            continus |= d >= 1 && d <= 253;
            beni |= SousBenediction(i);
        }
        if (continus) {
            Dessiner(OBJET_ETAT, x + 26, y + 26, 0);
            if (beni) Dessiner(OBJET_ETAT, x + 26, y + 16, 1);
        } else if (beni) {
            Dessiner(OBJET_ETAT, x + 26, y + 26, 1);
        } else if (o->gel > 0) {
            Dessiner(OBJET_ETAT, x + 26, y + 6, 2);
        }
    }

    TracerLigneHorizontale(x + 39, y + 7, Portrait__Barre(GroupePointsDeVie(g), groupe.pointsDeVieInitiaux), 0x7C00);
    // The mana bar is held to 24 pixels like the others.
    TracerLigneHorizontale(x + 39, y + 10, Portrait__Barre(GroupeMana(g), GroupeManaMaximum(g)), 0x03E0);
    const int moral = GroupeMoral(g) * 5;
    TracerLigneHorizontale(x + 39, y + 13, moral < 0 ? 0 : moral > 24 ? 24 : moral, 0x001F);

    if (o->classe != 13 && o->classe != CLASSE_FORTIFICATION) {
        const int signe = SigneClasse(*o);
        if (signe >= 0) Dessiner(OBJET_CLASSE, x + 37, y + 18, signe);
        AfficherNombre(x + 67, y + 17, GroupeNiveau(g));
        AfficherNombreGauche(x + 5, y + 29, groupe.nbMembres);
    }

    const char* nom = o->typeMaitre >= 0 && o->typeMaitre < NOMBRE_TYPES_MAITRES ? NomsMaitres[static_cast<size_t>(o->typeMaitre)] : nullptr;
    if (nom == nullptr || std::strcmp(nom, "*") == 0) return;
    if (enSelection) {
        if (NombreGroupesSelectionnes == 1 && !survolAffiche)
            Legende(nom, o->pointsDeVie, o->pointsDeVieMaximum, o->mana, o->manaMaximum, o->experience);
    } else if (NombreGroupesSelectionnes == 1) {
        Legende(nom, o->pointsDeVie, o->pointsDeVieMaximum, o->mana, o->manaMaximum, o->experience);
    } else {
        Legende(nom, GroupePointsDeVie(g), GroupePointsDeVieMaximum(g), GroupeMana(g), GroupeManaMaximum(g), o->experience);
    }
}

void PanneauSelection__Affichage(int survolAffiche) {
    for (int i = 0; i < NombreGroupesSelectionnes && i < PORTRAITS_MAXIMUM; ++i) {
        const int g = GroupesSelectionnes[static_cast<size_t>(i)];
        // A group that lost its last member has no portrait (its place stays).
        if (!Groupe__Actif(g) || TableGroupes[static_cast<size_t>(g)].nbMembres <= 0) continue;
        const int premier = TableGroupes[static_cast<size_t>(g)].membres[0];
        if (!ObjetValide(premier)) continue;
        ObjetCourant = &TableObjets[static_cast<size_t>(premier)];
        Portrait__Affichage(8 + 70 * i, 0, 1, survolAffiche);
    }
    BarreCapacites__Affichage(8, EcranDestination.clipBas - 34);
}

void BarreCapacites__Collecte() {
    CapacitesNombre = 0;
    for (int i = 0; i < NombreGroupesSelectionnes && i < NOMBRE_GROUPES; ++i) {
        const int g = GroupesSelectionnes[static_cast<size_t>(i)];
        if (!Groupe__Actif(g)) continue;
        const Groupe& groupe = TableGroupes[static_cast<size_t>(g)];
        for (int m = 0; m < groupe.nbMembres; ++m) {
            const int indice = groupe.membres[m];
            if (!ObjetValide(indice)) continue;
            const Objet& o = TableObjets[static_cast<size_t>(indice)];
            if (o.famille == FAMILLE_MACHINE) continue;
            for (int k = 0; k < 9 && o.sorts[k] >= 1; ++k) {
                bool deja = false;
                for (int s = 0; s < CapacitesNombre && !deja; ++s)
                    deja = TableObjets[static_cast<size_t>(CapacitesObjets[static_cast<size_t>(s)])].sorts[CapacitesIndex[static_cast<size_t>(s)]] == o.sorts[k];
                if (deja || CapacitesNombre >= CAPACITES_MAXIMUM) continue;
                CapacitesObjets[static_cast<size_t>(CapacitesNombre)] = indice;
                CapacitesIndex[static_cast<size_t>(CapacitesNombre)] = k;
                ++CapacitesNombre;
            }
        }
    }
}

int Capacite__LigneNom(int code, int categorie) {
    switch (code) {
        case 33: return 53;
        case 34: return 59;
        case 35: return 60;
        case 36: return 63;
        case 38: return 58;
        case 41: return 64;
        case 42: return 68;
        case 43: return 69;
        case 44: return 52;
        case 45: return 55;
        case 47: return 62;
        case 48: return 66;
        case 51: return 67;
        case 53: return 54;
        case 55: return categorie == 1 ? 56 : 57;
        case 57: return 65;
        case 1052: return 61;
        default: return 0;
    }
}

void BarreCapacites__Affichage(int x, int y) {
    BarreCapacites__Collecte();
    for (int i = 0; i < CapacitesNombre; ++i) {
        const size_t s = static_cast<size_t>(i);
        Objet* proprietaire = &TableObjets[static_cast<size_t>(CapacitesObjets[s])];
        const int code = proprietaire->sorts[CapacitesIndex[s]];
        const int ix = x + 12 + 39 * i, iy = y - 28;
        CapacitesActives[s] = 0;
        if (Sort__EstActif(code)) {
            CapacitesActives[s] = Sort__Lancable(proprietaire, CapacitesIndex[s]) ? 1 : 0;
            if (CapacitesActives[s]) {
                Dessiner(code, ix, iy, 0);
                if (i == CapaciteSurvolee && Present(code)) Sprite__AfficheEclaire(static_cast<int16_t>(code), static_cast<int16_t>(ix), static_cast<int16_t>(iy), 0, 15, 15, 15);
                Chiffres__Affiche(x + 41 + 39 * i, y - 1, i + 1);
            } else {
                if (Present(code)) Sprite__AfficheTrs(code, ix, iy, 0, 10);
            }
        }
        if (i == CapaciteSurvolee) {
            const int ligne = Capacite__LigneNom(code, proprietaire->categorie);
            if (ligne > 0) Texte__AfficheOmbre(x + 12, y - 42, "%s", TexteInterface(ligne));
        }
    }
}
