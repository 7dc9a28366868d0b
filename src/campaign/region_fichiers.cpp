// The region record, the campaign's table of regions, the per-region file names and the region
// file.
#include <cctype>
#include <cstring>

#include "campaign/lieux_uniques.h"
#include "campaign/region.h"
#include "foundation/erreurs.h"
#include "platform/fichiers.h"
#include "shell/scenario.h"

const int32_t TableRegionsCampagne[NB_CAMPAGNES][NB_ETAPES] = {
    {9, 0, 0, 0, 0, 0, 0, 0},
    {5, 6, 8, 2, 3, 0, 0, 0},
    {4, 5, 8, 1, 3, 0, 0, 0},
    {5, 4, 8, 3, 2, 0, 0, 0},
    {7, 6, 2, 3, 0, 0, 0, 0},
};
int32_t NumeroRegion = 1;
char ChaineTravail2[1024] = {};
char ChaineTravail3[1024] = {};

namespace {

const char* const DOSSIERS[NB_CAMPAGNES] = {"Tutorial", "Morvane", "Justice", "Empire", "Lumiere"};

const char* Construire(const char* racine, const char* suffixe) {
    if (CampagneCourante >= 0 && CampagneCourante < NB_CAMPAGNES)
        std::snprintf(ChaineTravail2, sizeof ChaineTravail2, "%s%s\\Region%d%s", racine, DOSSIERS[CampagneCourante],
                      Region__Courante(), suffixe);
    std::memcpy(ChaineTravail3, ChaineTravail2, sizeof ChaineTravail3);
    return ChaineTravail3;
}

const char* const CAMPAGNES = "..\\Campagnes\\";

// A number of the region file: blanks, then digits with an optional sign.
bool Nombre(FILE* f, int32_t* v) {
    int c;
    do c = std::fgetc(f);
    while (c != EOF && std::isspace(c));
    if (c == EOF) return false;
    std::ungetc(c, f);
    long n = 0;
    if (std::fscanf(f, "%ld", &n) != 1 || n < INT32_MIN || n > INT32_MAX) return false;
    *v = static_cast<int32_t>(n);
    return true;
}

}  // namespace

int32_t Campagne__Region(int32_t campagne, int32_t etape) {
    if (campagne < 0 || campagne >= NB_CAMPAGNES || etape < 0 || etape >= NB_ETAPES) return 0;
    return TableRegionsCampagne[campagne][etape];
}

int32_t Region__Courante() { return Campagne__Region(CampagneCourante, EtapeCampagne); }

bool Campagne__DerniereEtape() { return Campagne__Region(CampagneCourante, EtapeCampagne + 1) == 0; }

const char* Chemin__Region() { return Construire(CAMPAGNES, "\\Region"); }
const char* Chemin__Ennemis() { return Construire(CAMPAGNES, "\\Ennemis"); }
const char* Chemin__NiveauLieuUnique() { return Construire(CAMPAGNES, "\\"); }
const char* Chemin__Uniques() { return Construire("..\\Texte\\", "\\Uniques"); }
const char* Chemin__VictoireRegion() { return Construire(CAMPAGNES, "\\region"); }

int32_t Region__CoutTerrain(const RegimentRegion& r, int32_t terrain) {
    if (terrain < 0 || terrain > 4) return -1;
    return r.cout[terrain];
}

int32_t Region__Terrain(int32_t x, int32_t y) {
    if (CarteRegionCourante == nullptr || x < 0 || x >= REGION_LARGEUR || y < 0 || y >= REGION_HAUTEUR) return 4;
    return CarteRegionCourante->terrain[static_cast<size_t>(x * REGION_HAUTEUR + y)];
}

bool Region__LireFichier(FILE* f, CarteRegion* carte, std::string* erreur) {
    for (GrilleRegion* g : {&carte->terrain, &carte->departs})
        for (int y = 0; y < REGION_HAUTEUR; ++y)
            for (int x = 0; x < REGION_LARGEUR; ++x)
                if (!Nombre(f, &(*g)[static_cast<size_t>(x * REGION_HAUTEUR + y)])) {
                    char t[96];
                    std::snprintf(t, sizeof t, "Fichier region incomplet : %s, ligne %d, colonne %d",
                                  g == &carte->terrain ? "terrain" : "departs", y + 1, x + 1);
                    *erreur = t;
                    return false;
                }
    return true;
}

bool Region__LireNomCarte(FILE* f, std::string* fichier, int32_t* campagne, int32_t* etape, int32_t* numero) {
    fichier->clear();
    int c = std::fgetc(f);
    while (c != EOF && c != '\n') {
        if (c != '\r') fichier->push_back(static_cast<char>(c));
        c = std::fgetc(f);
    }
    while (!fichier->empty() && std::isspace(static_cast<unsigned char>(fichier->back()))) fichier->pop_back();
    if (fichier->empty() || fichier->size() >= 1000) return false;
    if (std::fscanf(f, "%d %d %d", campagne, etape, numero) != 3) return false;
    return *campagne >= 0 && *campagne < NB_CAMPAGNES && *etape >= 0 && *etape < NB_ETAPES &&
           Campagne__Region(*campagne, *etape) != 0;
}

void RegionInitialisation() {
    if (CarteRegionCourante) Region__liberer();
    CarteRegionCourante = new CarteRegion{};
    std::memset(NomNiveauBataille, 0, sizeof NomNiveauBataille);
    std::string fichier;
    if (ChargementSauvegarde) {
        FILE* f = Fichier_Ouvrir("..\\tmp\\Joueur0\\nomcarte.txt", "rt");
        if (f == nullptr) Erreur_Fatale("SauvegardeRegion()", "fichier de positions non trouvé");
        int32_t campagne = 0, etape = 0, numero = 0;
        const bool ok = Region__LireNomCarte(f, &fichier, &campagne, &etape, &numero);
        std::fclose(f);
        if (!ok) Erreur_Fatale("RegionInitialisation()", "Format non respecté : %s", "..\\tmp\\Joueur0\\nomcarte.txt");
        CampagneCourante = campagne;
        EtapeCampagne = etape;
        NumeroRegion = numero;
    } else {
        fichier = std::string(Chemin__Region()) + ".txt";
    }
    FILE* f = Fichier_Ouvrir(fichier.c_str(), "rt");
    if (f == nullptr) Erreur_Fatale("RegionInitialisation()", "%s non trouvé", fichier.c_str());
    std::string erreur;
    const bool ok = Region__LireFichier(f, CarteRegionCourante, &erreur);
    std::fclose(f);
    if (!ok) Erreur_Fatale("RegionInitialisation()", "%s (%s)", erreur.c_str(), fichier.c_str());
    CarteRegionCourante->nom = new char[128];
    std::snprintf(CarteRegionCourante->nom, 128, "Region numéro %d", NumeroRegion);
    const std::string niveau = std::string(Chemin__Region()) + ".mv";
    Conditions_Initialisation();
    ConditionsChargement(niveau.c_str());
    InitLieuxUniques((std::string(Chemin__Uniques()) + ".txt").c_str());
    CarteRegionCourante->tourEnCours = 0;
}

void Region__liberer() {
    CarteRegion* c = CarteRegionCourante;
    if (c == nullptr) return;
    delete[] c->lieuxUniques;
    delete[] c->nom;
    delete c;
    CarteRegionCourante = nullptr;
}

void Region__Liberation() {
    Region__liberer();
    std::memset(NomNiveauBataille, 0, sizeof NomNiveauBataille);
}
