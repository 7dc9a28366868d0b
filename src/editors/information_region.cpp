// The region terrain editor page of the debug pages: terrain classes and start cells painted with
// the mouse on the region map, the region stepped with the numeric pad's + and -, F9 saves.
#include <cstdio>

#include "campaign/armee_fichiers.h"
#include "campaign/region.h"
#include "editors/information.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "foundation/objetsgfx.h"
#include "foundation/texte.h"
#include "platform/fichiers.h"
#include "shell/routeur.h"
#include "shell/trame.h"
#include "world/univers.h"

int32_t ModeEditionRegion = 0;

namespace {

constexpr int MODE_REGION = 1;
constexpr int MODE_DEPARTS = 5;
const char* const OU = "InformationEditeurSurfaceCarteRegion()";

bool Lire(int32_t& drapeau) {
    if (!drapeau) return false;
    drapeau = 0;
    return true;
}

size_t Indice(int x, int y) { return static_cast<size_t>(x * REGION_HAUTEUR + y); }

void Peindre(CarteRegion& carte) {
    const int x = RepereX + SourisX / 24, y = RepereY + SourisY / 24;
    if (x < 0 || x >= REGION_LARGEUR || y < 0 || y >= REGION_HAUTEUR) return;
    if (ModeEditionRegion == MODE_DEPARTS) {
        int32_t& d = carte.departs[Indice(x, y)];
        d = d == 0 ? 1 : 0;
    } else {
        carte.terrain[Indice(x, y)] = ModeEditionRegion;
    }
}

const char* Etiquette(int32_t terrain, bool depart) {
    switch (terrain) {
        case 0: return depart ? "D" : nullptr;
        case 1: return depart ? "FD" : "F";
        case 2: return depart ? "MD" : "M";
        case 3: return depart ? "RD" : "R";
        case 4: return depart ? "ID" : "I";
        default: return nullptr;
    }
}

}  // namespace

void InformationRegion__Ecrire(FILE* f, const CarteRegion& carte) {
    for (const GrilleRegion* g : {&carte.terrain, &carte.departs}) {
        for (int y = 0; y < REGION_HAUTEUR; ++y) {
            for (int x = 0; x < REGION_LARGEUR; ++x) std::fprintf(f, "%d ", (*g)[Indice(x, y)]);
            std::fprintf(f, "\n");
        }
        std::fprintf(f, "\n");
    }
    const int n = carte.lieuxUniques ? carte.nbLieuxUniques : 0;
    std::fprintf(f, "Nombre de lieux uniques : %d\n", n);
    for (int i = 0; i < n; ++i) {
        const LieuUnique& l = carte.lieuxUniques[i];
        std::fprintf(f, "\t\tNom : %s\n", l.nom);
        std::fprintf(f, "\t\tx : %d\n", l.x);
        std::fprintf(f, "\t\ty : %d\n", l.y);
        std::fprintf(f, "\t\tObjet Graphique : %d\n", l.objetGraphique);
        std::fprintf(f, "\t\tNbr Frame : %d\n", l.nbrFrame);
    }
}

bool InformationRegion__Sauver() {
    if (CarteRegionCourante == nullptr) return false;
    char chemin[64];
    std::snprintf(chemin, sizeof chemin, "..\\region\\region%d.txt", NumeroRegion);
    // "No" leaves the file as it is.
    if (Question_Formatee(OU, "Sauvegarde de la carte : %s", chemin) != 1) return false;
    Repertoire_Creer("..\\region");
    EcritureSure ecriture(chemin);
    if (ecriture.Flux() == nullptr) {
        Avertissement(OU, "Ecriture impossible : %s", chemin);
        return false;
    }
    InformationRegion__Ecrire(ecriture.Flux(), *CarteRegionCourante);
    if (!ecriture.Valider()) {
        Avertissement(OU, "Ecriture impossible : %s", chemin);
        return false;
    }
    return true;
}

void InformationEditeurSurfaceCarteRegion() {
    if (ModeSceneCourant != MODE_REGION || CarteRegionCourante == nullptr) {
        Texte__AfficheSprite(16, 16, "Non applicable, on est pas en vue Région");
        return;
    }
    if (Lire(TouchePlus) && NumeroRegion < 9) {
        ++NumeroRegion;
        Region__liberer();
        RegionInitialisation();
    }
    if (Lire(ToucheMoins) && NumeroRegion > 1) {
        --NumeroRegion;
        Region__liberer();
        RegionInitialisation();
    }
    int32_t* const chiffres[6] = {&Touche1, &Touche2, &Touche3, &Touche4, &Touche5, &Touche6};
    for (int i = 0; i < 6; ++i)
        if (Lire(*chiffres[i])) ModeEditionRegion = i;
    if (Lire(ToucheF9)) InformationRegion__Sauver();
    CarteRegion& carte = *CarteRegionCourante;
    if (BoutonGauche) Peindre(carte);

    for (int rangee = 0; rangee < CasesVisiblesY; ++rangee)
        for (int colonne = 0; colonne < CasesVisiblesX; ++colonne) {
            Sprite__Affiche(28, 8 + 24 * colonne, 24 * rangee, 0);
            const int x = RepereX + colonne, y = RepereY + rangee;
            if (x < 0 || x >= REGION_LARGEUR || y < 0 || y >= REGION_HAUTEUR) continue;
            if (const char* e = Etiquette(carte.terrain[Indice(x, y)], carte.departs[Indice(x, y)] != 0))
                Texte__AfficheSprite(16 + 24 * colonne, 24 * rangee + 12, "%s", e);
        }
    static const char* const MODES[6] = {"Mode Plaine",          "Mode Forêt",
                                         "Mode Montagne",        "Mode Rivière",
                                         "Mode Infranchissable", "Mode Placement de position de départ"};
    Texte__AfficheSprite(16, 16, "Editeur d'information de surface");
    if (ModeEditionRegion >= 0 && ModeEditionRegion < 6) Texte__AfficheSprite(16, 32, "%s", MODES[ModeEditionRegion]);
    Texte__AfficheSprite(16, 48, "Carte : %s", carte.nom ? carte.nom : "");
    Texte__AfficheSprite(16, 64, "Press F9 to save");
}
