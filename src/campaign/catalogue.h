// The catalogue of one faction: the unit types a player can own, the section types formed from
// them, and each section type's layout on the battle map for the castle levels 1..3.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

struct Variable;

constexpr int CATALOGUE_MAX_TYPES = 90;
constexpr int CATALOGUE_MAX_COTE = 32;
constexpr int NOMBRE_MAITRES_LISTE = 600;

// The rows of movement and combat costs.
enum RangCout { COUT_PLAINE, COUT_FORET, COUT_MONTAGNE, COUT_RIVIERE, COUT_ATTAQUER, COUT_ROMPRE, COUT_EMBUSCADE,
                COUT_MARCHE_FORCEE, COUT_DEFENSE, NOMBRE_RANGS_COUT };

// {-1, -1}: not possible.
struct PaireCout {
    int32_t T = 0;
    int32_t PA = 0;
    bool operator==(const PaireCout&) const = default;
};
using TableCouts = std::array<std::array<PaireCout, 3>, NOMBRE_RANGS_COUT>;

struct TypeUnite {
    std::string nom;
    int32_t numeroMaitre = -1;
    const Variable* variable = nullptr;
    int32_t frame = 0;
    int32_t symbole = 0;
    int32_t typeSection = -1;
    int32_t categorie = -1;   // 2 leader, 1 can be bought, 0 unavailable
};

struct TypeSection {
    std::string nom;
    int32_t numeroMaitre = -1;
    const Variable* variable = nullptr;
    uint8_t frame = 0;
    uint8_t symbole = 0;
    int32_t gainPointsAction = 0;
    TableCouts couts{};
    int32_t siegeSeul = 0;
};

struct DispositionSection {
    int32_t largeur = 0;
    int32_t hauteur = 0;
    int32_t nombreUnites = 0;
    std::array<uint8_t, CATALOGUE_MAX_TYPES> composition{};
    std::array<std::array<int16_t, CATALOGUE_MAX_COTE>, CATALOGUE_MAX_COTE> disposition{};   // [ligne][colonne]
};

struct CatalogueDonnees {
    int32_t nombreTypesUnites = 0;
    int32_t nombreTypesSections = 0;
    std::array<TypeUnite, CATALOGUE_MAX_TYPES> typesUnites{};
    std::array<TypeSection, CATALOGUE_MAX_TYPES> typesSections{};
    // Index 1..3 the castle levels (room for four).
    std::array<std::array<DispositionSection, CATALOGUE_MAX_TYPES>, 4> dispositions{};
};

// The loaded catalogue, none between loads.
extern std::unique_ptr<CatalogueDonnees> Catalogue;
extern int32_t NumeroJoueur;
extern int32_t CampCatalogue;

void Catalogue__charger(int32_t numeroJoueur);
void Catalogue__liberer();
int32_t Catalogue__typeDepuisMaitre(int32_t numeroMaitre);
int32_t Catalogue__sectionDepuisMaitre(int32_t numeroMaitre);
// The layout of section type s at castle level n (1..3); none outside the tables.
const DispositionSection* Catalogue__disposition(int32_t niveauChateau, int32_t typeSection);

struct ObjetMaitreNom {
    std::string nom;
    std::string commentaire;
    bool defini = false;
};
struct ListeObjetsMaitres {
    std::array<ObjetMaitreNom, NOMBRE_MAITRES_LISTE> entrees;
};
ListeObjetsMaitres* ObjetsMaitres__charger();
int32_t ObjetsMaitres__numero(const ListeObjetsMaitres* liste, const char* nom);
void ObjetsMaitres__liberer(ListeObjetsMaitres* liste);
// Catalogue__charger with the master list already read (Catalogue__charger reads it, then calls this).
void Catalogue__chargerAvecMaitres(int32_t numeroJoueur, const ListeObjetsMaitres& maitres);
