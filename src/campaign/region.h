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
// Stores the region map's state into the working copy.
void RegionMemoriserEtat();
// Writes the unique sites to `fichier`.
void RegionSauverLieuxUniques(const char* fichier);
// Writes the enemy regiments to `fichier`.
void RegimentNmi_Sauvegarde(const char* fichier);
// After a campaign battle: the player's regiments written back.
void RegionMajListeRegiments();
