#include "campaign/region.h"

#include <cstddef>
#include <cstdio>
#include <cstring>

#include "foundation/erreurs.h"
#include "foundation/listes.h"
#include "world/objets.h"
#include "platform/fichiers.h"

int32_t ChargementSauvegarde = 0;
int32_t SauvegardeACharger = 0;
int32_t TexteRegionAffiche = 0;
int32_t OrigineBataille = 0;
int32_t ConditionsDepuisFichierVbat = 0;
char FichierVbat[512] = {};
char FichierNiveauRegion[512] = "..\\niveau\\essai.mv";
std::array<RegimentRegion, REGIMENTS_REGION> RegimentsRegion{};
int32_t NbRegimentsRegion = 0;
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

int Campagne__etapeRegion() { return 0; }
void Chemin__Region(char* chemin, int taille) {
    if (chemin && taille > 0) std::snprintf(chemin, static_cast<size_t>(taille), "..\\niveau\\region");
}

const char* RegionNomFichierNiveau() { return FichierNiveauRegion; }
void RegionChargerArmeesEnnemies() {}
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

// The region map's screen and its files are not built yet.
void CarteRegion__Trame() {}
void RegionSauverLieuxUniques(const char*) {}
void RegimentNmi_Sauvegarde(const char*) {}
void RegionMajListeRegiments() {}
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

void RegionMemoriserEtat() {
    for (NoeudEntier* n = ListeObjetsVivants; n && n->suivant; n = n->suivant) {
        if (n->valeur < 1 || n->valeur >= NOMBRE_OBJETS) continue;
        const Objet& o = TableObjets[static_cast<size_t>(n->valeur)];
        if (o.famille != 23 || o.sorts[0] < 0 || o.sorts[0] >= REGIMENTS_REGION) continue;
        RegimentRegion& r = RegimentsRegion[static_cast<size_t>(o.sorts[0])];
        r.x = o.x;
        r.y = o.y;
    }
}
