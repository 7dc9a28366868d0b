#include "campaign/region.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>

#include "campaign/armee_fichiers.h"
#include "campaign/catalogue.h"
#include "campaign/chargement_armees.h"
#include "campaign/deploiement.h"
#include "campaign/lieux_uniques.h"
#include "shell/demarrage.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "foundation/listes.h"
#include "platform/fichiers.h"
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
char NomNiveauBataille[512] = "..\\niveau\\essai.mv";
std::array<RegimentRegion, REGIMENTS_REGION> RegimentsRegion{};
int32_t NbRegimentsRegion = 0;
std::array<RegimentNmi, REGIMENTS_NMI> RegimentsNmi{};
int32_t NbRegimentsNmi = 0;
CarteRegion* CarteRegionCourante = nullptr;
int32_t RegimentsEnMouvement = 0;

namespace {

const char* const OU_REGION = "ChargeRegion()";

// "nbRegiments %d" of an army header; false when the file is missing or does not hold it.
bool LireEntete(const char* chemin, int* nombre) {
    FILE* f = Fichier_Ouvrir(chemin, "rt");
    if (f == nullptr) return false;
    const bool lu = std::fscanf(f, " nbRegiments %d", nombre) == 1;
    std::fclose(f);
    return lu;
}

bool EcrireEntete(const char* chemin, int nombre) {
    FILE* f = Fichier_Ouvrir(chemin, "wt");
    if (f == nullptr) return false;
    std::fprintf(f, "nbRegiments %d\n", nombre);
    return std::fclose(f) == 0;
}

// "Regiment__mort %d" anywhere in a regiment file.
bool LireMort(const char* chemin, int* mort) {
    FILE* f = Fichier_Ouvrir(chemin, "rt");
    if (f == nullptr) return false;
    char mot[256];
    bool lu = false;
    while (std::fscanf(f, "%255s", mot) == 1)
        if (std::strcmp(mot, "Regiment__mort") == 0) {
            lu = std::fscanf(f, "%d", mort) == 1;
            break;
        }
    std::fclose(f);
    return lu;
}

void Copier(const char* source, const char* destination) {
    if (!Fichier_Copier(source, destination, true))
        Erreur_Question(OU_REGION, "Copie impossible : %s vers %s", source, destination);
}

}  // namespace

const char* RegionNomFichierNiveau() { return NomNiveauBataille; }
void RegionChargerArmeesEnnemies() {
    // A skirmish brings its own armies; region records left from a campaign stay out of it.
    if (ModeJeuCourant == 3 || EscarmoucheEnCours == 3) return;
    // Only the regiments loaded now are written back after this battle.
    Armee__viderRegimentsCharges();
    char chemin[300];
    for (int i = 0; i < NbRegimentsNmi && i < REGIMENTS_NMI; ++i) {
        const RegimentNmi& r = RegimentsNmi[static_cast<size_t>(i)];
        if (r.enBataille != 1) continue;
        std::snprintf(chemin, sizeof chemin, "..\\tmp\\Joueur0\\%s", r.fichier);
        Armee__chargerEnnemi(r.camp, chemin, r.directionEntree, r.joueur);
    }
    for (int i = 0; i < NbRegimentsRegion && i < REGIMENTS_REGION; ++i) {
        const RegimentRegion& r = RegimentsRegion[static_cast<size_t>(i)];
        if (r.enBataille != 1) continue;
        Armee__chargerRegimentJoueur(0, i, r.directionEntree);
        const int32_t droite = 128 - 2 * TuilesVisiblesX, bas = 126 - 2 * TuilesVisiblesY;
        switch (r.directionEntree) {
            case 0: RepereX = 54, RepereY = bas; break;
            case 1: RepereX = 0, RepereY = bas; break;
            case 2: RepereX = 0, RepereY = 54; break;
            case 3: RepereX = 0, RepereY = 0; break;
            case 4: RepereX = 54, RepereY = 0; break;
            case 5: RepereX = droite, RepereY = 0; break;
            case 6: RepereX = droite, RepereY = 54; break;
            case 7: RepereX = droite, RepereY = bas; break;
            case 8: RepereX = 54, RepereY = 54; break;
            default: break;
        }
    }
}
void RegimentNmi_Animation() {}
// Not drawn yet.
void RegimentNmi_Affichage() {}
void RegimentNmi_AffichageOmbre() {}

void ChargeRegion__armee() {
    int n = 0;
    if (!LireEntete("..\\tmp\\Joueur0\\entete_armee.txt", &n))
        Erreur_Fatale(OU_REGION, "fichier de positions non trouvé");
    if (n < 0 || n > REGIMENTS_REGION) Erreur_Fatale(OU_REGION, "Nombre de régiments incorrect : %d", n);
    char source[128], destination[128];
    int k = 0;
    for (int i = 0; i < n; ++i) {
        std::snprintf(source, sizeof source, "..\\tmp\\Joueur0\\regiment%d.txt", i);
        int mort = 0;
        if (!LireMort(source, &mort)) Erreur_Fatale(OU_REGION, "Fichier régiment illisible : %s", source);
        if (mort == 1) continue;
        RegimentsRegion[static_cast<size_t>(k)] = RegimentsRegion[static_cast<size_t>(i)];
        RegimentsRegion[static_cast<size_t>(k)].mort = 0;
        std::snprintf(destination, sizeof destination, "..\\armees\\Joueur0\\regiment%d.txt", k);
        Copier(source, destination);
        ++k;
    }
    NbRegimentsRegion = k;
    if (!EcrireEntete("..\\armees\\Joueur0\\entete_armee.txt", k))
        Erreur_Question(OU_REGION, "Ecriture impossible : %s", "..\\armees\\Joueur0\\entete_armee.txt");
    Copier("..\\armees\\Joueur0\\entete_armee.txt", "..\\tmp\\Joueur0\\entete_armee.txt");
    int relu = 0;
    if (!LireEntete("..\\tmp\\Joueur0\\entete_armee.txt", &relu))
        Erreur_Fatale(OU_REGION, "fichier de positions non trouvé");
    for (int i = 0; i < k && i < relu; ++i) {
        std::snprintf(source, sizeof source, "..\\armees\\Joueur0\\regiment%d.txt", i);
        std::snprintf(destination, sizeof destination, "..\\tmp\\Joueur0\\regiment%d.txt", i);
        Copier(source, destination);
    }
}

int32_t DemandeChateauRegion = 0;
int32_t PanneauRegionVisible = 1;

void RegimentNmi_Sauvegarde(const char*) {}
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

void RegimentNmi_EtatFichiers(const int32_t* drapeaux) {
    SaisieValidee = 0;
    if (drapeaux == nullptr || std::find(drapeaux, drapeaux + REGIMENTS_NMI, 1) == drapeaux + REGIMENTS_NMI) return;
    Catalogue__charger(1);
    for (int i = 0; i < REGIMENTS_NMI; ++i) {
        if (!drapeaux[i]) continue;
        const RegimentNmi* nmi = nullptr;
        for (int k = 0; k < NbRegimentsNmi && k < REGIMENTS_NMI; ++k)
            if (RegimentsNmi[static_cast<size_t>(k)].id == 100 + i) nmi = &RegimentsNmi[static_cast<size_t>(k)];
        if (nmi == nullptr) continue;
        char chemin[300];
        std::snprintf(chemin, sizeof chemin, "..\\tmp\\joueur0\\%s", nmi->fichier);
        FILE* f = Fichier_Ouvrir(chemin, "rt");
        if (f == nullptr) Erreur_Fatale("Erreur", "fichier %s non trouvé", chemin);
        const std::string nom = Regiment__lireNom(f);
        std::fclose(f);
        std::unique_ptr<Regiment> r(Regiment__depuisCarte(nom, 1, 100 + i));
        Armee__reprendreSectionsNonPosees(r.get());
        EcritureSure ecriture(chemin);
        if (ecriture.Flux() == nullptr) Erreur_Fatale("Erreur", "Impossible de créer le fichier %s", chemin);
        Regiment__sauvegarder(r.get(), ecriture.Flux());
        if (!ecriture.Valider()) Erreur_Fatale("Erreur", "Impossible de créer le fichier %s", chemin);
    }
    Catalogue__liberer();
}
int Region__finMouvements() {
    for (int i = 0; i < NbRegimentsRegion && i < REGIMENTS_REGION; ++i) {
        const RegimentRegion& r = RegimentsRegion[static_cast<size_t>(i)];
        if (r.mort == 0 && r.enMouvement != 0) return 0;
    }
    RegimentsEnMouvement = 0;
    return 1;
}

// Until the region battles land: the site is in visit and the battle's origin noted.
int RegimentNmi_BatailleLieuUnique(int site) {
    if (CarteRegionCourante && CarteRegionCourante->lieuxUniques && site >= 0 &&
        site < CarteRegionCourante->nbLieuxUniques)
        CarteRegionCourante->lieuxUniques[site].visite = 2;
    OrigineBataille = 2;
    return 1;
}

int RegimentNmi_EntreeBataille(int, int) {
    OrigineBataille = 1;
    return 1;
}

