#include "world/descriptions.h"

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <vector>

#include "campaign/armee_fichiers.h"
#include "foundation/erreurs.h"
#include "platform/fichiers.h"
#include "platform/hasard.h"
#include "world/univers.h"

std::array<DescriptionBatiment, NOMBRE_DESCRIPTIONS> DescriptionsBatimentD;
std::array<DescriptionBatiment, NOMBRE_DESCRIPTIONS> DescriptionsBatimentT;
std::array<DescriptionBatiment, NOMBRE_DESCRIPTIONS> DescriptionsBatimentG;
DescriptionBatiment* DescriptionBatimentCourante = nullptr;

namespace {

const char LETTRES[3] = {'d', 't', 'g'};
constexpr int TAILLE_MAX = 128;   // a footprint never exceeds the map

// The seven grids in file order, with their labels.
struct Grille {
    const char* etiquette;
    int32_t* DescriptionBatiment::*champ;
};
const Grille GRILLES[7] = {
    {"OCCUPATIONSOL", &DescriptionBatiment::occupationSol}, {"OCCUPATIONAIR", &DescriptionBatiment::occupationAir},
    {"PRIORITE", &DescriptionBatiment::priorite},           {"AIR", &DescriptionBatiment::air},
    {"ZONE", &DescriptionBatiment::zone},                   {"SELECTION", &DescriptionBatiment::selection},
    {"OPTIMISATION", &DescriptionBatiment::optimisation}};

// Calage pair of a file layer: layers 1..7 are pairs 1..7, layer 8 (the door) pair 9, layer 9 pair 8.
int PaireDeCouche(int couche) { return couche <= 7 ? couche - 1 : couche == 8 ? 8 : 7; }

bool LireEntier(FILE* f, int* v) { return f != nullptr && std::fscanf(f, "%d", v) == 1; }

bool LireMot(FILE* f, char (&mot)[64]) { return f != nullptr && std::fscanf(f, "%63s", mot) == 1; }

// Returns 0, or the first layer number outside 1..9.
int LireCalage(DescriptionBatiment* d, const char* chemin) {
    FILE* f = Fichier_Ouvrir(chemin, "rt");
    if (f == nullptr) {
        Avertissement("Erreur", "Fichier de calage %s absent !", chemin);
        return 0;
    }
    bool couche2 = false;
    int couche, x, y;
    while (std::fscanf(f, "%d %d %d", &couche, &x, &y) == 3) {
        if (couche < 1 || couche > 9) {
            std::fclose(f);
            return couche;
        }
        int paire = PaireDeCouche(couche);
        d->calage[paire][0] = static_cast<int16_t>(x < -4096 ? -4096 : x > 4096 ? 4096 : x);   // pixels near the building
        d->calage[paire][1] = static_cast<int16_t>(y < -4096 ? -4096 : y > 4096 ? 4096 : y);
        if (couche == 2) couche2 = true;
    }
    std::fclose(f);
    // A description without a second layer draws its first layer as the second.
    if (!couche2) {
        d->calage[1][0] = d->calage[0][0];
        d->calage[1][1] = d->calage[0][1];
        d->calage[0][0] = d->calage[0][1] = 0;
    }
    return 0;
}

void CheminCalage(char (&calage)[1024], const char* description) {
    std::snprintf(calage, sizeof calage, "%s", description);
    size_t n = std::strlen(calage);
    if (n >= 3) std::memcpy(calage + n - 3, "txt", 3);
}

// What a description file holds, read whole before anything of the record changes.
struct Lecture {
    int largeur = 0, hauteur = 0;
    std::vector<int32_t> grilles[7];
    int nbElements = 0;
    int elements[11][6] = {};   // nature, sprite, x, y, direction, phase
    int nbCodes = 0;
    int codes[12][5] = {};      // code, x, y, param1, param2
};

bool Court(int v) { return v >= INT16_MIN && v <= INT16_MAX; }

// Reads the whole file; false with the reason in `raison` when it ends early or does not hold
// together (sizes, counts or offsets out of bounds, a value too large for its field).
bool LireDescription(FILE* f, Lecture& l, char (&raison)[128]) {
    char mot[64];
    auto fin = [&](const char* partie) {
        std::snprintf(raison, sizeof raison, "fin de fichier dans %s", partie);
        return false;
    };
    if (!LireMot(f, mot) || !LireEntier(f, &l.largeur) || !LireEntier(f, &l.hauteur)) return fin("LARGEURHAUTEUR");
    if (l.largeur < 0 || l.hauteur < 0 || l.largeur > TAILLE_MAX || l.hauteur > TAILLE_MAX) {
        std::snprintf(raison, sizeof raison, "dimensions %d x %d", l.largeur, l.hauteur);
        return false;
    }
    for (int g = 0; g < 7; ++g) {
        if (!LireMot(f, mot)) return fin(GRILLES[g].etiquette);
        if (g == 0 && std::strcmp(mot, "OCCUPATIONSOL") != 0)
            Avertissement("Batiment___operation()", "Erreur de positionnement sur l'occupation au sol : %s", mot);
        l.grilles[g].resize(static_cast<size_t>(l.largeur) * l.hauteur);
        for (int32_t& v : l.grilles[g]) {
            int lu;
            if (!LireEntier(f, &lu)) return fin(GRILLES[g].etiquette);
            v = lu;
        }
    }
    if (!LireMot(f, mot) || !LireEntier(f, &l.nbElements)) return fin("ELEMENTS");
    if (l.nbElements < 0 || l.nbElements > 11) {
        std::snprintf(raison, sizeof raison, "%d éléments", l.nbElements);
        return false;
    }
    for (auto& e : l.elements)
        for (int& v : e) {
            if (!LireEntier(f, &v)) return fin("ELEMENTS");
            if (!Court(v)) {
                std::snprintf(raison, sizeof raison, "élément %d", v);
                return false;
            }
        }
    if (!LireMot(f, mot) || !LireEntier(f, &l.nbCodes)) return fin("CODESOBJETS");
    if (l.nbCodes < 0 || l.nbCodes > 12) {
        std::snprintf(raison, sizeof raison, "%d codes objets", l.nbCodes);
        return false;
    }
    for (int c = 0; c < l.nbCodes; ++c)
        for (int k = 0; k < 5; ++k) {
            int& v = l.codes[c][k];
            if (!LireEntier(f, &v)) return fin("CODESOBJETS");
            // An attached object lies within a map's reach of the building's cell.
            const bool decalage = k == 1 || k == 2;
            if (!Court(v) || (decalage && (v <= -TAILLE_MAX || v >= TAILLE_MAX))) {
                std::snprintf(raison, sizeof raison, "code objet %d : %d", c, v);
                return false;
            }
        }
    return true;
}

void EcrireCalage(FILE* f, const DescriptionBatiment& d) {
    static const int couches[9] = {1, 2, 3, 4, 5, 6, 7, 9, 8};
    for (int p = 0; p < 9; ++p) std::fprintf(f, "%d %d %d\n", couches[p], d.calage[p][0], d.calage[p][1]);
}

// The description file: its footprint, the seven grids row by row, the elements, the object codes.
void EcrireDescription(FILE* f, const DescriptionBatiment& d) {
    std::fprintf(f, "LARGEURHAUTEUR\n");
    std::fprintf(f, "%d %d\n", d.largeur, d.hauteur);
    for (int g = 0; g < 7; ++g) {
        const int32_t* grille = d.*GRILLES[g].champ;
        std::fprintf(f, "%s\n", GRILLES[g].etiquette);
        for (int r = 0; r < d.hauteur; ++r) {
            for (int c = 0; c < d.largeur; ++c) {
                const int v = grille[r * d.largeur + c];
                if (g == 0) std::fprintf(f, "%s", v == 1 ? "1 " : "0 ");
                else std::fprintf(f, "%d ", v);
            }
            std::fprintf(f, "\n");
        }
        std::fprintf(f, "\n");
    }
    std::fprintf(f, "ELEMENTS %d\n", d.nbElements);
    for (int e = 0; e < 11; ++e) {
        // The last field is the frame an animated element was at: the display moves it, the
        // reader does not use it. Written 0, so that a save depends on the building only.
        const bool fixe = d.elementNature[e] >= 8;
        std::fprintf(f, "%d %d %d %d %d %d \n", d.elementNature[e], d.elementSprite[e], d.elementX[e], d.elementY[e],
                     fixe ? 0 : d.elementDirection[e], 0);
    }
    std::fprintf(f, "\n");
    std::fprintf(f, "CODESOBJETS %d\n", d.nbCodesObjets);
    for (int c = 0; c < 12; ++c)
        std::fprintf(f, "%d %d %d %d %d \n", d.codeObjet[c], d.codeX[c], d.codeY[c], d.codeParam1[c], d.codeParam2[c]);
}

}  // namespace

DescriptionBatiment* Batiment__Description(int numero, int orientation) {
    if (numero < 0 || numero >= NOMBRE_DESCRIPTIONS) return nullptr;
    switch (orientation) {
        case 0: return &DescriptionsBatimentD[numero];
        case 1: return &DescriptionsBatimentT[numero];
        case 2: return &DescriptionsBatimentG[numero];
        default: return nullptr;
    }
}

bool Batiment__Chargee(const DescriptionBatiment* description) {
    return description != nullptr && description->occupationSol != nullptr;
}

// The grids hold largeur x hauteur cells; a larger description than the one they were made for
// gets new grids, never a write past the old ones.
void Batiment__AlloueGrilles(DescriptionBatiment* d) {
    if (d == nullptr) return;
    const int32_t cellules = std::max(static_cast<int32_t>(d->largeur) * d->hauteur, int32_t{1});
    bool complet = d->capaciteGrilles >= cellules;
    for (const Grille& g : GRILLES) complet = complet && d->*g.champ != nullptr;
    if (complet) return;
    for (const Grille& g : GRILLES) {
        int32_t*& grille = d->*g.champ;
        delete[] grille;
        grille = new int32_t[static_cast<size_t>(cellules)]();
    }
    d->capaciteGrilles = cellules;
}

void Batiment__LibereGrilles(DescriptionBatiment* d) {
    if (d == nullptr) return;
    for (const Grille& g : GRILLES) {
        delete[] (d->*g.champ);
        d->*g.champ = nullptr;
    }
    d->capaciteGrilles = 0;
}

int Batiment__NombreCodes(const DescriptionBatiment* d) {
    if (d == nullptr || d->nbCodesObjets < 0) return 0;
    return d->nbCodesObjets > 12 ? 12 : d->nbCodesObjets;
}

void Batiment___operation(int mode, int numero, int orientation) {
    DescriptionBatiment* d = Batiment__Description(numero, orientation);
    if (d == nullptr) {
        Erreur_Fatale("Batiment___operation()", "Bâtiment %d d'orientation %d hors des tables", numero, orientation);
    }
    std::snprintf(CheminTampon, sizeof CheminTampon, "..\\Batiment\\%04d%c.ocp", numero, LETTRES[orientation]);
    char calage[1024];
    CheminCalage(calage, CheminTampon);

    Lecture lecture;
    if (mode == 0) {
        FILE* f = Fichier_Ouvrir(CheminTampon, "rt");
        if (f == nullptr) {
            Erreur_Question("Batiment___operation()", "Absence du fichier : %s", CheminTampon);
            mode = 2;
        } else {
            // A file that ends early or does not hold together is refused as a whole: the record
            // is cleared as for a missing file, never left half read.
            char raison[128] = "";
            const bool complet = LireDescription(f, lecture, raison);
            std::fclose(f);
            if (!complet) {
                Erreur_Question("Batiment___operation()", "Fichier de bâtiment incorrect : %s (%s)", CheminTampon, raison);
                mode = 2;
            }
        }
    } else if (mode == 1) {
        // The description and its calage file are written as one set, beside their targets.
        DescriptionBatimentCourante = d;
        if (!Batiment__Sauvegarder(numero, orientation))
            Avertissement("Batiment___operation()", "Erreur de sauvegarde à la création du fichier %s", CheminTampon);
        return;
    } else {
        Erreur_Question("Batiment___operation()", "Initialisation  du bâtiment numéro : %d", numero);
    }
    DescriptionBatimentCourante = d;

    if (mode == 0) {
        d->largeur = static_cast<int16_t>(lecture.largeur);
        d->hauteur = static_cast<int16_t>(lecture.hauteur);
    }

    if (int couche = LireCalage(d, calage); couche != 0) {
        Erreur_Fatale("Batiment___operation()", "La couche est inconnue : %d", couche);
    }

    Batiment__AlloueGrilles(d);
    const int cellules = d->largeur * d->hauteur;
    for (int g = 0; g < 7; ++g) {
        int32_t* grille = d->*GRILLES[g].champ;
        if (mode == 0) {
            for (int i = 0; i < cellules; ++i) grille[i] = lecture.grilles[g][i];
        } else {
            for (int i = 0; i < cellules; ++i) grille[i] = 0;
        }
    }

    if (mode == 0) {
        d->nbElements = lecture.nbElements;
        for (int e = 0; e < 11; ++e) {
            const int* v = lecture.elements[e];
            d->elementNature[e] = static_cast<int16_t>(v[0]);
            d->elementSprite[e] = static_cast<int16_t>(v[1]);
            d->elementX[e] = static_cast<int16_t>(v[2]);
            d->elementY[e] = static_cast<int16_t>(v[3]);
            d->elementDirection[e] = static_cast<int16_t>(v[4]);
            // Animated elements start at staggered frames; the phase in the file is not used.
            d->elementPhase[e] = (v[0] == 2 || v[0] == 7) ? static_cast<int16_t>((e * 6 + Hasard_Visuel() % 6) % 12) : 0;
        }
        d->nbCodesObjets = lecture.nbCodes;
        for (int c = 0; c < d->nbCodesObjets; ++c) {
            const int* v = lecture.codes[c];
            d->codeObjet[c] = static_cast<int16_t>(v[0]);
            d->codeX[c] = static_cast<int16_t>(v[1]);
            d->codeY[c] = static_cast<int16_t>(v[2]);
            d->codeParam1[c] = static_cast<int16_t>(v[3]);
            d->codeParam2[c] = static_cast<int16_t>(v[4]);
        }
        for (int c = d->nbCodesObjets; c < 12; ++c) d->codeObjet[c] = 0;
    } else {
        d->nbElements = 0;
        for (int e = 0; e < 11; ++e)
            d->elementNature[e] = d->elementSprite[e] = d->elementX[e] = d->elementY[e] = d->elementPhase[e] =
                d->elementDirection[e] = 0;
        d->nbCodesObjets = 0;
        for (int c = 0; c < 12; ++c)
            d->codeObjet[c] = d->codeX[c] = d->codeY[c] = d->codeParam1[c] = d->codeParam2[c] = 0;
    }
}

void Batiment__SauvegardeCalage() {
    DescriptionBatiment* d = DescriptionBatimentCourante;
    if (d == nullptr) return;
    char chemin[1024];
    CheminCalage(chemin, CheminTampon);
    EcritureSure ecriture(chemin);
    if (ecriture.Flux() != nullptr) EcrireCalage(ecriture.Flux(), *d);
    if (!ecriture.Valider())
        Avertissement("Batiment__SauvegardeCalage()", "Erreur de sauvegarde à la création du fichier %s", chemin);
}

bool Batiment__Sauvegarder(int numero, int orientation) {
    DescriptionBatiment* d = Batiment__Description(numero, orientation);
    if (d == nullptr || !Batiment__Chargee(d)) return false;
    char ocp[1024], calage[1024];
    std::snprintf(ocp, sizeof ocp, "..\\Batiment\\%04d%c.ocp", numero, LETTRES[orientation]);
    CheminCalage(calage, ocp);
    EcritureGroupee ecriture;
    FILE* f = ecriture.Ouvrir(ocp);
    FILE* c = f != nullptr ? ecriture.Ouvrir(calage) : nullptr;
    if (c == nullptr) return false;
    EcrireDescription(f, *d);
    EcrireCalage(c, *d);
    return ecriture.Valider();
}

void Batiment__CompteElements() {
    DescriptionBatiment* d = DescriptionBatimentCourante;
    if (d == nullptr) return;
    d->nbElements = 0;
    for (int e = 0; e < 11; ++e) d->nbElements += d->elementNature[e] != 0;
}

void Batiment__CompteCodesObjets() {
    DescriptionBatiment* d = DescriptionBatimentCourante;
    if (d == nullptr) return;
    d->nbCodesObjets = 0;
    for (int c = 0; c < 12; ++c) d->nbCodesObjets += d->codeObjet[c] != 0;
}

void Batiment__EcritElement(int n, int nature, int sprite, int x, int y, int phase, int direction) {
    DescriptionBatiment* d = DescriptionBatimentCourante;
    if (d == nullptr || n < 0 || n >= 11) return;
    d->elementNature[n] = static_cast<int16_t>(nature);
    d->elementSprite[n] = static_cast<int16_t>(sprite);
    d->elementX[n] = static_cast<int16_t>(x);
    d->elementY[n] = static_cast<int16_t>(y);
    d->elementPhase[n] = static_cast<int16_t>(phase);
    d->elementDirection[n] = static_cast<int16_t>(direction);
}

void Batiment__SupprimeElement(int n) {
    DescriptionBatiment* d = DescriptionBatimentCourante;
    if (d == nullptr || n < 0 || n >= 11) return;
    for (int e = n; e < 10; ++e)
        Batiment__EcritElement(e, d->elementNature[e + 1], d->elementSprite[e + 1], d->elementX[e + 1],
                               d->elementY[e + 1], d->elementPhase[e + 1], d->elementDirection[e + 1]);
    Batiment__EcritElement(10, 0, 0, 0, 0, 0, 0);
}

void Batiment__EcritCodeObjet(int n, int code, int x, int y, int param1, int param2) {
    DescriptionBatiment* d = DescriptionBatimentCourante;
    if (d == nullptr || n < 0 || n >= 12) return;
    d->codeObjet[n] = static_cast<int16_t>(code);
    d->codeX[n] = static_cast<int16_t>(x);
    d->codeY[n] = static_cast<int16_t>(y);
    d->codeParam1[n] = static_cast<int16_t>(param1);
    d->codeParam2[n] = static_cast<int16_t>(param2);
}

void Batiment__InsereCodeObjet(int n, int code, int x, int y, int param1, int param2) {
    DescriptionBatiment* d = DescriptionBatimentCourante;
    if (d == nullptr || n < 0 || n >= 12) return;
    for (int c = 11; c > n; --c)
        Batiment__EcritCodeObjet(c, d->codeObjet[c - 1], d->codeX[c - 1], d->codeY[c - 1], d->codeParam1[c - 1],
                                 d->codeParam2[c - 1]);
    Batiment__EcritCodeObjet(n, code, x, y, param1, param2);
}

void Batiment__SupprimeCodeObjet(int n) {
    DescriptionBatiment* d = DescriptionBatimentCourante;
    if (d == nullptr || n < 0 || n >= 12) return;
    for (int c = n; c < 11; ++c)
        Batiment__EcritCodeObjet(c, d->codeObjet[c + 1], d->codeX[c + 1], d->codeY[c + 1], d->codeParam1[c + 1],
                                 d->codeParam2[c + 1]);
    Batiment__EcritCodeObjet(11, 0, 0, 0, 0, 0);
}

void Batiment__ChercheCodeObjet(int code, int x, int y, int* param1, int* param2) {
    DescriptionBatiment* d = DescriptionBatimentCourante;
    const int n = Batiment__NombreCodes(d);
    for (int c = 0; c < n; ++c) {
        if (d->codeObjet[c] == code && d->codeX[c] == x && d->codeY[c] == y) {
            if (param1) *param1 = d->codeParam1[c];
            if (param2) *param2 = d->codeParam2[c];
            return;
        }
    }
    Erreur_Fatale("Erreur", "Code Objet (code:%d,x:%d,y:%d) non trouvé dans la liste", code, x, y);
}

void Batiment__DecalageCalage(int dx, int dy) {
    DescriptionBatiment* d = DescriptionBatimentCourante;
    if (d == nullptr) return;
    for (auto& paire : d->calage) {
        paire[0] = static_cast<int16_t>(paire[0] + dx);
        paire[1] = static_cast<int16_t>(paire[1] + dy);
    }
    for (int e = 0; e < 9; ++e) {
        d->elementX[e] = static_cast<int16_t>(d->elementX[e] + dx);
        d->elementY[e] = static_cast<int16_t>(d->elementY[e] + dy);
    }
}
