// The player's army on the region map, the turn cycle and the enemy regiments, kept to what the
// campaign step and the region map screen need until the regiments' own rules are in.
#include <cstring>
#include <string>

#include "campaign/chargement_armees.h"
#include "campaign/lieux_uniques.h"
#include "campaign/region.h"
#include "foundation/erreurs.h"
#include "foundation/listes.h"
#include "platform/fichiers.h"
#include "shell/demarrage.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/objets.h"

namespace {

constexpr int MAITRE_JETON = 338;

// What the region map reads of a regiment file: alive or dead, its name, its points and costs.
bool LireRegiment(const char* chemin, RegimentRegion* r) {
    FILE* f = Fichier_Ouvrir(chemin, "rt");
    if (f == nullptr) return false;
    char ligne[512];
    const struct { const char* cle; int indice; } COUTS[] = {
        {"Regiment__plaine", 0}, {"Regiment__foret", 1}, {"Regiment__montagne", 2}, {"Regiment__riviere", 3}};
    r->cout[4] = -1;
    while (std::fgets(ligne, sizeof ligne, f)) {
        ligne[std::strcspn(ligne, "\r\n")] = 0;
        int v = 0;
        if (std::sscanf(ligne, "Regiment__mort %d", &v) == 1) r->mort = v;
        else if (std::sscanf(ligne, "Regiment__pointsAction %d", &v) == 1) r->pointsAction = v;
        else if (std::strncmp(ligne, "Regiment__nom =", 15) == 0)
            std::snprintf(r->nom, sizeof r->nom, "%s", ligne + 15);
        for (const auto& c : COUTS) {
            const size_t n = std::strlen(c.cle);
            if (std::strncmp(ligne, c.cle, n) == 0 && ligne[n] == ' ') r->cout[c.indice] = std::atoi(ligne + n + 1);
        }
    }
    std::fclose(f);
    return true;
}

int LireEntete(const char* chemin) {
    FILE* f = Fichier_Ouvrir(chemin, "rt");
    if (f == nullptr) Erreur_Fatale("RegionInitialisation()", "Fichier armée non trouvé");
    int n = 0;
    const bool lu = std::fscanf(f, " nbRegiments %d", &n) == 1;
    std::fclose(f);
    if (!lu || n < 0 || n > REGIMENTS_REGION) Erreur_Fatale("RegionInitialisation()", "Format non respecté (nbRegiments %%d\\n)");
    return n;
}

void Jeton(int i, int x, int y) {
    NumeroJetonRegiment = i;
    Groupe___Creation(MAITRE_JETON, 0, x, y, 1, 1, 4);
    NumeroJetonRegiment = 0;
}

void Preparer(RegimentRegion& r) {
    r.enBataille = 0;
    r.vue = 5;
    r.pointsCourants = r.pointsAction;
    r.campe = 0;
    r.enMouvement = 0;
}

}  // namespace

void RegionInitialisationArmee() {
    const int n = LireEntete("..\\armees\\Joueur0\\entete_armee.txt");
    NbRegimentsRegion = n;
    int suivant = 0;   // the start cells are taken row by row
    char chemin[128];
    for (int i = 0; i < n; ++i) {
        RegimentRegion& r = RegimentsRegion[static_cast<size_t>(i)];
        r = RegimentRegion{};
        std::snprintf(chemin, sizeof chemin, "..\\armees\\Joueur0\\regiment%d.txt", i);
        if (!LireRegiment(chemin, &r)) Erreur_Fatale("RegionInitialisation()", "Fichier regiment non trouvé");
        if (r.mort != 0) continue;
        Preparer(r);
        const CarteRegion* c = CarteRegionCourante;
        int trouve = -1;
        for (int k = suivant; c && k < REGION_LARGEUR * REGION_HAUTEUR; ++k) {
            const int x = k % REGION_LARGEUR, y = k / REGION_LARGEUR;
            if (c->departs[static_cast<size_t>(x * REGION_HAUTEUR + y)] != 0) {
                trouve = k;
                break;
            }
        }
        if (trouve < 0)
            Erreur_Fatale("RegionInitialisationArmee()", "Pas assez de positions de départ pour les régiments");
        suivant = trouve + 1;
        r.x = trouve % REGION_LARGEUR;
        r.y = trouve / REGION_LARGEUR;
        Jeton(i, r.x, r.y);
    }
}

// The tokens of the army at their cells, after the files were brought into step.
void Region__JetonsArmee() {
    const int n = LireEntete("..\\tmp\\Joueur0\\entete_armee.txt");
    NbRegimentsRegion = n;
    char chemin[128];
    for (int i = 0; i < n; ++i) {
        RegimentRegion& r = RegimentsRegion[static_cast<size_t>(i)];
        std::snprintf(chemin, sizeof chemin, "..\\tmp\\Joueur0\\regiment%d.txt", i);
        if (!LireRegiment(chemin, &r)) Erreur_Fatale("RegionInitialisation()", "Fichier regiment non trouvé");
        if (r.mort != 0) continue;
        const CarteRegion* c = CarteRegionCourante;
        if (c && r.x == 0 && r.y == 0)
            for (int k = 0; k < REGION_LARGEUR * REGION_HAUTEUR; ++k) {
                const int x = k / REGION_HAUTEUR, y = k % REGION_HAUTEUR;
                if (c->departs[static_cast<size_t>(k)] != 0 && Univers__CaseUnites(x, y) == 0) {
                    r.x = x;
                    r.y = y;
                    Preparer(r);
                    break;
                }
            }
        Jeton(i, r.x, r.y);
    }
}

bool RegionArmeePerdue() {
    for (int i = 0; i < NbRegimentsRegion && i < REGIMENTS_REGION; ++i)
        if (RegimentsRegion[static_cast<size_t>(i)].mort == 0) return false;
    return true;
}

void RegionRegimentsReinitialiserDrapeau() {}
void RegionRegimentsRecupererPoints() {
    for (int i = 0; i < NbRegimentsRegion && i < REGIMENTS_REGION; ++i) {
        RegimentRegion& r = RegimentsRegion[static_cast<size_t>(i)];
        if (r.mort == 0) r.pointsCourants = r.pointsAction;
    }
}
void Region__replacerRegiments() {}
void RegionEtatsFinTour() {}
void RegionPointsMouvementDebutTour() {}
void RegionDeplacerRegiments() {}

void RegimentNmi_Chargement(const char*) { NbRegimentsNmi = 0; }
void RegimentNmi_Creation() {}
void RegimentNmi_Compactage() {
    int k = 0;
    for (int i = 0; i < NbRegimentsNmi && i < REGIMENTS_NMI; ++i)
        if (RegimentsNmi[static_cast<size_t>(i)].enBataille != 1)
            RegimentsNmi[static_cast<size_t>(k++)] = RegimentsNmi[static_cast<size_t>(i)];
    NbRegimentsNmi = k;
}
