// The campaign's side of a scene start: the region map's level and battle level, the campaign
// step, the player's region regiments and the army hand-over after a battle.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "campaign/campagne.h"

extern int32_t ChargementSauvegarde;   // a saved game was just loaded
extern int32_t SauvegardeACharger;     // the save slot 0..9 to restore
extern int32_t TexteRegionAffiche;     // 1 once the region's opening texts were shown
extern int32_t OrigineBataille;        // 0 or 1 a regiment meeting, 2 a unique site
// The battle's conditions come from FichierVbat rather than from the level's own file.
extern int32_t ConditionsDepuisFichierVbat;
extern char FichierVbat[512];

// A regiment of the player on the region map (the fields the scene start reads).
struct RegimentRegion {
    char nom[60];
    int32_t enBataille;
    int32_t mort;
    int32_t pointsAction;
    int32_t vue;
    int32_t reserve;
    int32_t cout[5];              // points to enter a cell, by terrain code; -1 closed
    int32_t pointsCourants;       // movement points left in the turn
    int32_t x, y;                 // its region cell
    int32_t campe;                // the regiment camps: it does not move (its order flag)
    int32_t etat;                 // its turn state: 1 forced march, -5..-1 camping, 0 normal
    int32_t marcheForcee;         // points a forced march adds
    int32_t enMouvement;          // its token is moving
    // What the token shows of its state on the region map.
    int32_t jetonTransparent, jetonBouclier, jetonPlein, jetonEteint;
    int32_t compteurBouclier;     // below -3 the shield is drawn half transparent
    int32_t directionEntree;      // the side 0..8 it enters the battle map from
    // Read from its file and kept: the second terrain values, the combat modes (value k of
    // mode m at modes[k][m], m in the order attaquer, rompre, embuscade, marcheForcee, defense),
    // its siege and leader flags.
    int32_t coutBis[5];
    int32_t modes[6][5];
    int32_t siegeSeul;
    int32_t leader;
    int32_t surCarte;             // 1 once its token stands on this region
    int32_t compteurTour;         // -1 when reset
    // Its planned path: nbPoints points of chemin (point 0 its own cell), -1 none.
    int32_t nbPoints;
    int32_t coutChemin;           // the summed terrain cost of the path
    int32_t casesRestantes;       // path cells still to go
    int32_t indicePas;            // the path point it stands on
    int32_t engagement;           // 1 or 2 switched by the regiment list; 3 it may break off
    int32_t toursNecessaires;     // turns to reach an engagement
    int32_t embuscadePrete, compteurEmbuscade, attente;
    int32_t esquive;
    struct { int32_t x, y; } chemin[500];
};
constexpr int MODE_ATTAQUER = 0, MODE_ROMPRE = 1, MODE_EMBUSCADE = 2, MODE_MARCHE_FORCEE = 3, MODE_DEFENSE = 4;
constexpr int POINTS_CHEMIN_REGION = 500;
constexpr int REGIMENTS_REGION = 12;
extern std::array<RegimentRegion, REGIMENTS_REGION> RegimentsRegion;
extern int32_t NbRegimentsRegion;

// The campaign step at a region-map scene start: 0 the region map goes on, 1 the tutorial is
// over (the faction choice follows), 2 the campaign is over (back to the main menu), 3 the region
// is won and the next one is to be prepared.
int Campagne__etapeRegion();
// Copies the campaign's templates into the working copy "..\tmp\Joueur0\".
void Campagne__CopieFichiers(int32_t campagne);
// The level file of the coming battle (a region battle or a unique site's level).
extern char NomNiveauBataille[128];
const char* RegionNomFichierNiveau();
// At a region battle's start: the enemy regiments and the player's regiments that take part
// (enBataille 1) deployed from their files and entry sides; the view put where the player enters.
void RegionChargerArmeesEnnemies();
// The frame of an enemy regiment token on the region map.
void RegimentNmi_Animation();
// The token of the object under PointeurCase: plain, or see-through outside the view zone.
void RegimentNmi_Affichage();
void RegimentNmi_AffichageOmbre();

// "nbRegiments %d" of an army header; false when the file is missing or does not hold it.
bool RegionArmee__lireEntete(const char* chemin, int* nombre);
// The living regiments of an army folder's n files, as (former number, file text) in order; false,
// with the path of the file that could not be read, when one could not be read.
bool RegionArmee__lireVivants(const char* dossier, int n, std::vector<std::pair<int, std::string>>* vivants,
                              std::string* illisible);
// Writes the living regiments as regiment0.. and their header in both army folders, as one set
// (every file replaced, or none, reported); the region records follow their files. False when
// nothing was written.
bool RegionArmee__ecrireVivants(const std::vector<std::pair<int, std::string>>& vivants);
// After a battle: drops the dead regiments from the working copy, renumbers the survivors'
// files through "..\armees\Joueur0\" and copies them back; then the tokens of the army.
void ChargeRegion__armee();
// The army's tokens at their cells (a regiment at (0, 0) on a free start cell), from the working
// copy.
void Region__JetonsArmee();
// A new region: the army's tokens on the start cells.
void RegionInitialisationArmee();
// True when no regiment of the region is alive.
bool RegionArmeePerdue();
// The turn cycle of the regiments on the region map.
void RegionRegimentsReinitialiserDrapeau();
void RegionRegimentsRecupererPoints();
void Region__replacerRegiments();
void RegionEtatsFinTour();
void RegionPointsMouvementDebutTour();
void RegionDeplacerRegiments();
// A record reset: no path, turn counter -1, entry 4 of the costs closed.
void RegimentRegion__init(int i);
// The region map's reading of a regiment file, from its "Regiment__mort" line to its
// "Regiment__leader" line (the rest is not read): a dead regiment's record is reset and keeps
// mort 1; a name keeps its first 59 characters. False with "Format non respecté (<key> ...)" in
// *erreur at the first line that does not match.
bool Region__LireRegiment(FILE* f, RegimentRegion* r, std::string* erreur);
// The orders given to the selected regiment's record: camp, forced march, cancel.
void RegionOrdreCamper(RegimentRegion* r);
void RegionOrdreMarcheForcee(RegimentRegion* r);
void RegionOrdreAnnuler(RegimentRegion* r);
// The first regiment that may break off a proposed battle pays for it and every engagement is
// cleared: 1; else 0.
int RegionRegimentRompre();
void RegionEngagementsAnnuler();
// Each token's cell kept in its record (before leaving for the castle).
void RegionMemoriserCases();
// The groups of the player's tokens destroyed, tokens and all.
void RegionDetruireGroupesRegiments();
// The working folder emptied (names beginning with "." kept).
void RegionViderTmp();
// Restores save slot `slot` into the working folder; false when it cannot.
bool ChargementPartie(int32_t slot);
// The enemy regiments of the region: read from their file, their tokens made, the ones that
// fought a won battle removed.
void RegimentNmi_Chargement(const char* fichier);
void RegimentNmi_Creation();
void RegimentNmi_Compactage();

// The region map's frame, once per logic pass on the region map.
void CarteRegion__Trame();
// Set by the region map's castle button: leave the map for the castle.
extern int32_t DemandeChateauRegion;
// The regiment panel of the region map, shown with the minimap.
extern int32_t PanneauRegionVisible;
// Writes the unique sites to `fichier`.
void RegionSauverLieuxUniques(const char* fichier);
// Writes the enemy regiments to `fichier`.
void RegimentNmi_Sauvegarde(const char* fichier);
// After a campaign battle: the player's regiments loaded into it and the enemy regiments that
// fought written back from what is left of them on the map.
void RegionMajListeRegiments();

// A computer regiment of the region map (the fields its battles read and write).
struct RegimentNmi {
    char fichier[256];            // its regiment file in "..\tmp\Joueur0\"
    int32_t id;                   // 100..129: the regiment number of its battle groups
    int32_t x, y;
    int32_t joueur;               // the player number whose catalogue its units belong to
    int32_t comportement;
    int32_t nbPA, pourAttaqueNbPA;
    int32_t objetMaitre;
    int32_t camp;                 // its army in battle
    int32_t zoneX, zoneY, zoneLargeur, zoneHauteur;
    int32_t detection;
    struct { int32_t x, y; } chemin[50];
    int32_t nbPas;
    int32_t distVue, pourAttaqueDistVue;
    int32_t enMouvement;
    int32_t enBataille;           // 1: it takes part in the coming battle
    int32_t directionEntree;      // the side 0..8 it enters the battle map from
    int32_t destinationX, destinationY;
    char vbat[256];
};
constexpr int REGIMENTS_NMI = 30;
extern std::array<RegimentNmi, REGIMENTS_NMI> RegimentsNmi;
extern int32_t NbRegimentsNmi;
// flags[i] set: the regiment numbered 100 + i fought; its file is rewritten from its survivors.
void RegimentNmi_EtatFichiers(const int32_t* drapeaux);
// The region map: 52 x 40 cells stored column by column, cell (x, y) at x * 40 + y.
constexpr int REGION_LARGEUR = 52;
constexpr int REGION_HAUTEUR = 40;
using GrilleRegion = std::array<int32_t, REGION_LARGEUR * REGION_HAUTEUR>;

// A unique site of the region.
struct LieuUnique {
    int32_t x, y;
    char nom[128];      // one word; also the file name of its battle level
    char texte[100];
    int32_t objetGraphique;
    int32_t visite;     // 0 not visited, 1 visited, 2 a battle there is under way, 3 visited otherwise
    int32_t entree;
    int32_t nouvelEtat;
    int32_t lock;       // 0 open, 1 locked, 2 no battle level of its own
    int32_t nbUnlock;   // 0..20
    int32_t unlock[20]; // the sites to visit before it opens
    char message[256];  // the requester file shown while it is locked
    int32_t messager;
    int32_t nbrFrame;   // 1 or more
    int32_t image;      // its current frame
};
constexpr int MAX_UNLOCK = 20;
constexpr int MAX_LIEUX_A_VISITER = 30;
constexpr int MAX_NMI_A_TUER = 100;

struct CarteRegion {
    GrilleRegion terrain;   // 0 plain, 1 forest, 2 mountain, 3 river, 4 closed
    GrilleRegion departs;   // non-zero: a start cell of the player's regiments
    char* nom;
    int32_t tourEnCours;
    int32_t nbLieuxUniques;
    LieuUnique* lieuxUniques;
    // What wins the region (-1: every site, every enemy regiment) and what is shown then.
    int32_t nbLieuxAVisiter;
    int32_t nbNmiATuer;
    int32_t nmiATuer[MAX_NMI_A_TUER];
    int32_t lieuxAVisiter[MAX_LIEUX_A_VISITER];
    int32_t visu;           // 0 nothing, 1 a movie, 2 a picture, 3 a requester text
    char fichierVisu[256];
    int32_t messager;
};
extern CarteRegion* CarteRegionCourante;

// 1 while regiments move after an end of turn; the tokens step only then.
extern int32_t RegimentsEnMouvement;

// Clears RegimentsEnMouvement when no living regiment moves any more; 0 while one still does.
int Region__finMouvements();
// The current regiment token (ObjetCourant) reaches the unique site: the battle there starts.
int RegimentNmi_BatailleLieuUnique(int site);
// The current regiment token meets what stands at (x, y): the battle starts.
int RegimentNmi_EntreeBataille(int x, int y);
// The current enemy token (ObjetCourant) walks into the player regiment at (x, y): the battle starts.
int RegimentNmi_AttaqueArmee(int x, int y);
// Each region regiment's cell taken from its token.
void RegionMemoriserEtat();

// The campaign's regions: the region number of each step of each campaign, 0 ending it.
constexpr int NB_CAMPAGNES = 5;
constexpr int NB_ETAPES = 8;
extern const int32_t TableRegionsCampagne[NB_CAMPAGNES][NB_ETAPES];
extern int32_t NumeroRegion;   // the number shown in the region's name
// The region of step `etape` of `campagne`; 0 past the table or past the campaign's end.
int32_t Campagne__Region(int32_t campagne, int32_t etape);
// The region of the current step.
int32_t Region__Courante();
// True when the current step is the campaign's last.
bool Campagne__DerniereEtape();

// The per-region file names: built into ChaineTravail2 and copied into ChaineTravail3, which they
// return. A campaign outside 0..4 leaves ChaineTravail2 as it was.
extern char ChaineTravail2[1024];
extern char ChaineTravail3[1024];
const char* Chemin__Region();           // + ".txt" the region file, + ".mv" the region-map level
const char* Chemin__Ennemis();          // + ".txt" the enemy regiments template
const char* Chemin__NiveauLieuUnique(); // the folder of the sites' battle levels
const char* Chemin__Uniques();          // + ".txt" the unique-sites template
const char* Chemin__VictoireRegion();   // + ".Vreg" the region victory file

// The record of the current step's region, its name, its sites; fatal when a file is missing
// or malformed.
void RegionInitialisation();
void Region__liberer();
// Region__liberer and the battle level name cleared.
void Region__Liberation();
// The region file: 40 lines of 52 terrain codes, an empty line, 40 lines of start cells. False
// with the reason in *erreur when the file is short or holds something else than numbers.
bool Region__LireFichier(FILE* f, CarteRegion* carte, std::string* erreur);
// "nomcarte.txt": the region file's name on the first line, then campaign, step and region
// number. False when the values are missing or the campaign or step is outside the table.
bool Region__LireNomCarte(FILE* f, std::string* fichier, int32_t* campagne, int32_t* etape, int32_t* numero);
// The cost of entering a cell of terrain code `terrain` for a regiment: -1 (closed) for codes
// outside 0..4.
int32_t Region__CoutTerrain(const RegimentRegion& r, int32_t terrain);
// The terrain code of region cell (x, y); 4 (closed) off the region or without a region.
int32_t Region__Terrain(int32_t x, int32_t y);
