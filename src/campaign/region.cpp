#include "campaign/region.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "campaign/armee_fichiers.h"
#include "campaign/catalogue.h"
#include "campaign/chargement_armees.h"
#include "campaign/deploiement.h"
#include "campaign/ennemis.h"
#include "campaign/lieux_uniques.h"
#include "shell/demarrage.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "foundation/listes.h"
#include "platform/fichiers.h"
#include "platform/son.h"
#include "shell/routeur.h"
#include "shell/trame.h"
#include "world/groupes.h"
#include "world/objets.h"
#include "world/univers.h"

int32_t ChargementSauvegarde = 0;
int32_t SauvegardeACharger = 0;
int32_t TexteRegionAffiche = 0;
int32_t OrigineBataille = 0;
int32_t ConditionsDepuisFichierVbat = 0;
char FichierVbat[512] = {};
std::array<RegimentRegion, REGIMENTS_REGION> RegimentsRegion{};
int32_t NbRegimentsRegion = 0;
std::array<RegimentNmi, REGIMENTS_NMI> RegimentsNmi{};
int32_t NbRegimentsNmi = 0;
CarteRegion* CarteRegionCourante = nullptr;
int32_t RegimentsEnMouvement = 0;

namespace {

const char* const OU_REGION = "ChargeRegion()";

// "Regiment__mort %d" anywhere in a regiment file's text, read word by word.
bool LireMort(const std::string& contenu, int* mort) {
    const char* p = contenu.c_str();
    char mot[256];
    int lu = 0;
    while (std::sscanf(p, "%255s%n", mot, &lu) == 1) {
        p += lu;
        if (std::strcmp(mot, "Regiment__mort") == 0) return std::sscanf(p, "%d", mort) == 1;
    }
    return false;
}

}  // namespace

bool RegionArmee__lireEntete(const char* chemin, int* nombre) {
    FILE* f = Fichier_Ouvrir(chemin, "rt");
    if (f == nullptr) return false;
    const bool lu = std::fscanf(f, " nbRegiments %d", nombre) == 1;
    std::fclose(f);
    return lu;
}

bool RegionArmee__lireVivants(const char* dossier, int n, std::vector<std::pair<int, std::string>>* vivants,
                              std::string* illisible) {
    char chemin[128];
    for (int i = 0; i < n; ++i) {
        std::snprintf(chemin, sizeof chemin, "%sregiment%d.txt", dossier, i);
        int mort = 0;
        std::string contenu;
        if (!Fichier_LireTout(chemin, &contenu) || !LireMort(contenu, &mort)) {
            *illisible = chemin;
            return false;
        }
        if (mort == 0) vivants->emplace_back(i, std::move(contenu));
    }
    return true;
}

bool RegionArmee__ecrireVivants(const std::vector<std::pair<int, std::string>>& vivants) {
    const int k = static_cast<int>(vivants.size());
    // Both folders renumbered as one set: every file replaced, or none.
    EcritureGroupee ensemble;
    bool ok = true;
    const auto ecrire = [&](const char* chemin, const std::string& contenu) {
        FILE* f = ensemble.Ouvrir(chemin);
        if (f == nullptr || std::fwrite(contenu.data(), 1, contenu.size(), f) != contenu.size()) ok = false;
    };
    char destination[128];
    for (int j = 0; j < k && ok; ++j)
        for (const char* dossier : {"..\\armees\\Joueur0\\", "..\\tmp\\Joueur0\\"}) {
            std::snprintf(destination, sizeof destination, "%sregiment%d.txt", dossier, j);
            ecrire(destination, vivants[static_cast<size_t>(j)].second);
        }
    const std::string entete = "nbRegiments " + std::to_string(k) + "\n";
    ecrire("..\\armees\\Joueur0\\entete_armee.txt", entete);
    ecrire("..\\tmp\\Joueur0\\entete_armee.txt", entete);
    if (!ok || !ensemble.Valider()) {
        // The army stays as it was, dead regiments and all.
        Erreur_Question(OU_REGION, "Ecriture impossible : %s", "..\\armees\\Joueur0\\entete_armee.txt");
        return false;
    }
    // The region records follow their files.
    for (int j = 0; j < k; ++j) {
        const int i = vivants[static_cast<size_t>(j)].first;
        if (i != j) RegimentsRegion[static_cast<size_t>(j)] = RegimentsRegion[static_cast<size_t>(i)];
        RegimentsRegion[static_cast<size_t>(j)].mort = 0;
    }
    NbRegimentsRegion = k;
    return true;
}

void ChargeRegion__armee() {
    int n = 0;
    if (!RegionArmee__lireEntete("..\\tmp\\Joueur0\\entete_armee.txt", &n))
        Erreur_Fatale(OU_REGION, "fichier de positions non trouvé");
    if (n < 0 || n > REGIMENTS_REGION) Erreur_Fatale(OU_REGION, "Nombre de régiments incorrect : %d", n);
    // The living regiments' files, in order; the dead ones are squeezed out.
    std::vector<std::pair<int, std::string>> vivants;
    std::string illisible;
    if (!RegionArmee__lireVivants("..\\tmp\\Joueur0\\", n, &vivants, &illisible))
        Erreur_Fatale(OU_REGION, "Fichier régiment illisible : %s", illisible.c_str());
    RegionArmee__ecrireVivants(vivants);
}

int32_t DemandeChateauRegion = 0;
int32_t PanneauRegionVisible = 1;

void RegionMajListeRegiments() {
    int32_t drapeaux[REGIMENTS_NMI] = {};
    for (const NoeudEntier* n = ListeGroupesActifs; n && n->suivant; n = n->suivant) {
        const Groupe& g = TableGroupes[static_cast<size_t>(n->valeur)];
        if (g.nbMembres > 0 && g.groupeCible >= 0 && g.groupeCible < REGIMENTS_REGION &&
            Armee__regimentDejaCharge(g.groupeCible))
            drapeaux[g.groupeCible] = 1;
    }
    Armee__copierRegimentTmp(0, drapeaux);
    std::fill(std::begin(drapeaux), std::end(drapeaux), 0);
    for (const NoeudEntier* n = ListeGroupesActifs; n && n->suivant; n = n->suivant) {
        const Groupe& g = TableGroupes[static_cast<size_t>(n->valeur)];
        if (g.nbMembres > 0 && g.groupeCible >= 100 && g.groupeCible < 100 + REGIMENTS_NMI)
            drapeaux[g.groupeCible - 100] = 1;
    }
    RegimentNmi_EtatFichiers(drapeaux);
}

int Region__finMouvements() {
    for (int i = 0; i < NbRegimentsRegion && i < REGIMENTS_REGION; ++i) {
        const RegimentRegion& r = RegimentsRegion[static_cast<size_t>(i)];
        if (r.mort == 0 && r.enMouvement != 0) return 0;
    }
    for (int i = 0; i < NbRegimentsNmi && i < REGIMENTS_NMI; ++i)
        if (RegimentsNmi[static_cast<size_t>(i)].enMouvement != 0) return 0;
    if (RegimentsEnMouvement != 0) {
        // For a debugger: where each token stands once the turn's moves are over.
        for (NoeudEntier* n = ListeObjetsVivants; n && n->suivant; n = n->suivant) {
            if (n->valeur < 1 || n->valeur >= NOMBRE_OBJETS) continue;
            const Objet& o = TableObjets[static_cast<size_t>(n->valeur)];
            if (o.noeudListe == nullptr || o.famille != 23) continue;
            char ligne[96];
            std::snprintf(ligne, sizeof ligne, "Region__finMouvements(): regiment %d en %d,%d", o.sorts[0], o.x, o.y);
            Trace_Debogueur(ligne);
        }
    }
    RegimentsEnMouvement = 0;
    return 1;
}

