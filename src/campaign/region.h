// The campaign's side of a scene start: the region map's level and battle level, the campaign
// step, the player's region regiments and the army hand-over after a battle.
#pragma once

#include <array>
#include <cstdint>

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
    int32_t enBataille;
    int32_t mort;
    int32_t pointsAction;
    int32_t vue;
    int32_t reserve;
    int32_t cout[5];              // points to enter a cell, by terrain code; -1 closed
    int32_t pointsCourants;       // movement points left in the turn
    int32_t x, y;                 // its region cell
    int32_t campe;                // the regiment camps: it does not move
    int32_t enMouvement;          // its token is moving
    // What the token shows of its state on the region map.
    int32_t jetonTransparent, jetonBouclier, jetonPlein, jetonEteint;
    int32_t compteurBouclier;     // below -3 the shield is drawn half transparent
};
constexpr int REGIMENTS_REGION = 12;
extern std::array<RegimentRegion, REGIMENTS_REGION> RegimentsRegion;
extern int32_t NbRegimentsRegion;

// 1 new campaign, 2 back to the start, 3 after a battle; anything else: the region map goes on.
int Campagne__etapeRegion();
// Copies the campaign's templates into the working copy "..\tmp\Joueur0\".
void Campagne__CopieFichiers(int32_t campagne);
// The current region's level path without extension, into `chemin`.
void Chemin__Region(char* chemin, int taille);
// The battle level chosen for the region battle: FichierNiveauRegion until the region map
// chooses it.
extern char FichierNiveauRegion[512];
const char* RegionNomFichierNiveau();
void RegionChargerArmeesEnnemies();
// The frame of an enemy regiment token on the region map.
void RegimentNmi_Animation();
// The token of the object under PointeurCase: plain, or see-through outside the view zone.
void RegimentNmi_Affichage();
void RegimentNmi_AffichageOmbre();

// After a battle: drops the dead regiments from the working copy, renumbers the survivors'
// files through "..\armees\Joueur0\" and copies them back.
void ChargeRegion__armee();

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
// After a campaign battle: the player's regiments written back.
void RegionMajListeRegiments();
// The region map: 52 x 40 cells stored column by column, cell (x, y) at x * 40 + y.
constexpr int REGION_LARGEUR = 52;
constexpr int REGION_HAUTEUR = 40;
using GrilleRegion = std::array<int32_t, REGION_LARGEUR * REGION_HAUTEUR>;

// A unique site of the region.
struct LieuUnique {
    int32_t x, y;
    char nom[128];
    char texte[100];
    int32_t objetGraphique;
    int32_t visite;     // 0 not visited, 1 visited, 2 a battle there is under way, 3 visited otherwise
    int32_t entree;
    int32_t nouvelEtat;
    int32_t lock;       // 0 open, 1 locked, 2 no battle level of its own
    int32_t nbUnlock;
    int32_t unlock[20];
    char message[256];
    int32_t messager;
    int32_t nbrFrame;
    int32_t image;
};

struct CarteRegion {
    GrilleRegion terrain;   // 0 plain, 1 forest, 2 mountain, 3 river, 4 closed
    GrilleRegion departs;
    char* nom;
    int32_t tourEnCours;
    int32_t nbLieuxUniques;
    LieuUnique* lieuxUniques;
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
// Each region regiment's cell taken from its token.
void RegionMemoriserEtat();
