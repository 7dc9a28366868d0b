// Regiments brought from their files onto the battle map, the player's survivors written back
// after the battle, and the copy of a campaign's starting files into the working folders.
#pragma once

#include <cstdint>

constexpr int32_t MAX_REGIMENTS_CHARGES = 20;
// The numbers of the player's regiments loaded into the current battle.
extern int32_t RegimentsCharges[MAX_REGIMENTS_CHARGES];
extern int32_t NombreRegimentsCharges;

// Also drops the sections kept aside at the last battle's deployment.
void Armee__viderRegimentsCharges();
struct Regiment;
// Gives back to the regiment the sections of its number that found no place on the map.
void Armee__reprendreSectionsNonPosees(Regiment* regiment);
int32_t Armee__regimentDejaCharge(int32_t numero);
// 0, or -1 when the regiment is dead, empty or finds no place.
int32_t Armee__chargerEnnemi(int32_t camp, const char* fichier, int32_t direction, int32_t numeroJoueur);
int32_t Armee__chargerRegimentJoueur(int32_t numeroJoueur, int32_t numero, int32_t direction);
int32_t Armee__chargerFichier(int32_t numeroJoueur, const char* fichier, int32_t direction, int32_t camp);
// survivants[i] set: regiment number i still has groups on the map.
void Armee__copierRegimentTmp(int32_t numeroJoueur, const int32_t* survivants);

void Campagne__CopieFichiers(int32_t campagne);
void Campagne__CopieSections(int32_t campagne);
