// The campaign in progress and its save slots. The working folder "..\tmp\Joueur0\" holds the
// army, the enemy regiments, the unique sites and three files of its own: "zekinfo.txt" (pending
// alliances and defections, gold, leaders, reinforcements, the hero's experience), "nomcarte.txt"
// (region file, campaign, step, region number, faction) and "posreg.txt" (each region regiment's
// state). A save slot is a flat copy of the working folder with "reserve.txt" and "variables.txt".
#pragma once

#include <array>
#include <cstdint>
#include <string>

constexpr int NB_EMPLACEMENTS = 10;
constexpr int VALEURS_ZEKINFO = 79;
constexpr int CHAMPS_POSREG = 18;

// The slot's folder, "..\sauvegarde\sauvegarde01" for slot 0 to "..\sauvegarde\sauvegarde10".
std::string Emplacement__Dossier(int32_t slot);

// "zekinfo.txt": 79 integers, one a line. False when one is missing or out of its range.
bool Zekinfo__Lire(const std::string& texte, std::array<int32_t, VALEURS_ZEKINFO>* valeurs);
// "posreg.txt": `nombre` lines of 18 integers separated by commas. False on any other content.
bool Posreg__Lire(const std::string& texte, int nombre,
                  std::array<std::array<int32_t, CHAMPS_POSREG>, 12>* lignes);
// "nomcarte.txt": the region file, then campaign, step, region number and the player's faction
// (the faction may be missing: -1).
struct NomCarte {
    std::string fichier;
    int32_t campagne, etape, numero, camp;
};
bool NomCarte__Lire(const std::string& texte, NomCarte* nomCarte);

// The working folder emptied (names beginning with "." kept).
void RegionViderTmp();
// Each region regiment's cell taken from its token; the unique sites written, or the first time
// in a region the army copied into the working folder.
void RegionMemoriserEtat();
// The game written into the working folder, then copied into a fresh "sauvegardeNN.tmp" folder
// that takes the slot's place whole. False, reported, when the slot could not be written: the
// slot is then as it was.
bool SauvegardeRegion(int32_t slot);
// Whether the slot holds a whole game that can be restored; the reason in *erreur.
bool Emplacement__Verifier(int32_t slot, std::string* erreur);
// Restores the slot into the working folder, the army folder, the reserve and the variables.
// The slot is checked first: a damaged one is reported and nothing is changed (false).
bool ChargementPartie(int32_t slot);
