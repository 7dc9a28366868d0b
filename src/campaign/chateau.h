// The castle: its level, the faction's building catalogue (three levels of nine kinds, what each
// sets when built, the developments bought in it and the buildings ordered from it), the placement
// of the built buildings on the castle map, and the upgrade screen.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

struct ListeObjetsMaitres;
struct Variable;

extern int32_t NiveauChateau;   // 1..3

constexpr int BATIMENTS_NIVEAUX = 3;
constexpr int BATIMENTS_TYPES = 9;

// A game variable that takes this value when the building is built.
struct Possibilite {
    const Variable* variable = nullptr;
    int32_t valeur = 0;
};

// Acquired once its variable's value is at least `valeur`.
struct Developpement {
    std::string nom;
    int32_t prix = 0;
    const Variable* variable = nullptr;
    int32_t valeur = 0;
    std::array<std::string, 5> description;
};

// Orders the catalogue building (niveauBatiment 0..2, typeBatiment); acquired once that building's
// variable's next value is at least its level + 1.
struct Construction {
    std::string nom;
    int32_t prix = 0;
    int32_t typeBatiment = 0;
    int32_t niveauBatiment = 0;
    std::array<std::string, 5> description;
};

struct Batiment {
    int32_t type = 0;               // kind 0..8
    int32_t niveau = 0;             // 0..2
    int32_t numeroMaitre = -1;      // -1 when the master name is not in the list
    int32_t x = 0, y = 0, direction = 0;
    int32_t place = 0;              // 1 once the level file gave a position
    int32_t estDeBase = 0;          // follows the castle level
    std::string nom;
    const Variable* variable = nullptr;
    std::vector<Possibilite> possibilites;
    std::vector<Developpement> developpements;
    std::vector<Construction> constructions;
    int32_t ligneChoisie = 0;       // the line selected in the upgrade screen
};

using TableBatiments = std::array<std::array<std::unique_ptr<Batiment>, BATIMENTS_TYPES>, BATIMENTS_NIVEAUX>;
// By level (0..2) then kind; none where the faction has no such building.
extern TableBatiments CatalogueBatiments;

// The kind of a building name for faction `camp` (0..3), -1 when unknown.
int Batiment__typeDepuisNom(int32_t camp, const char* nom);
// Reads "..\Localisation\<faction>.txt" for CampFichiers and applies the base buildings.
void Batiments__chargerCatalogue();
// The same with the master list already read (null: read here, as above).
void Batiments__chargerCatalogueAvecMaitres(const ListeObjetsMaitres* maitres);
// Reads the "[BATIMENTS]" block of a level for the catalogue buildings' positions.
void Batiments__chargerPlacement(const char* fichierNiveau);
// Creates a placed building's object on the castle map and marks it ordered.
void Batiment__poser(Batiment* batiment);
// 1 when `maitre` is no catalogue building; else places the highest built building of its kind
// whose level (from 1) is at most niveauChateau, and answers 0.
int Batiment__poserParId(int maitre, int niveauChateau);
// Kind and level of the first catalogue entry (by level, then kind) of that master; false if none.
bool Batiment__chercher(int32_t numeroMaitre, int32_t* type, int32_t* niveau);
// 1 when no building of that castle level (1..3) has a development or construction left.
int Batiments__toutAcquis(int32_t niveauChateau);
void Batiments__preparerNiveauSuivant();
bool Developpement__acquis(const Developpement& d);
bool Construction__acquise(const Construction& c);
// Each answers true when the gold sufficed and the purchase was made.
bool Developpement__acheter(const Developpement& d);
bool Construction__acheter(const Construction& c);

// Reads words until one equals `mot` (1) or the end of the file (0); a word of 2048 characters or
// more ends the search as not found.
int PositionnementFichier(FILE* f, const char* mot);

// Squeezes the dead regiments out of the castle army, in both army folders as one set of files.
void Chateau__tasserArmee();

// The click on the castle building ObjetCourant: 1 when it was handled.
int ChateauBatimentSelection();
// Raises the castle a level when `maitre` is the keep of the castle's level; 1 when raised.
int InterfaceUpgradeChateau(int maitre);
// The upgrade screen of a catalogue building: 0 when `maitre` is none, else 1 once left.
int InterfaceUpgradeChateau__ouvrir(int maitre);
// The screen's modal loop: 1 when the player left it, the quit code when the program quits.
int InterfaceUpgradeChateau__boucle(Batiment* batiment);
// Non-zero when every development and construction of castle level `niveau` is acquired.
int InterfaceUpgradeChateau__init(int niveau);

// The upgrade screen's offered lines: developments then constructions not yet acquired.
struct LigneUpgrade {
    const Developpement* developpement = nullptr;
    const Construction* construction = nullptr;
};
std::vector<LigneUpgrade> InterfaceUpgradeChateau__lignes(const Batiment& batiment);
// Buys the offered line n of the building; true when something was bought.
bool InterfaceUpgradeChateau__acheter(Batiment* batiment, int n);
// The description cut into lines at most `largeur` pixels wide in the screen's text font, between
// words (a word wider than a line is cut itself).
std::vector<std::string> InterfaceUpgradeChateau__lignesDescription(const std::string& texte, int largeur);
