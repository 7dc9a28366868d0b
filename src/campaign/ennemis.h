// The computer's regiments on the region map: their file "ennemis.txt" (the region's template,
// the working copy, a save slot's copy), their tokens, their moves turn by turn and their drawing.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

#include "campaign/region.h"

struct Objet;

// The token of each record on the region map (set by RegimentNmi_Creation).
extern std::array<Objet*, REGIMENTS_NMI> ObjetsRegimentsNmi;

// The scenario conditions of a record whose "Vbat" line is missing or unusable.
constexpr const char* VBAT_GENERIQUE = "..\\Niveau\\Generique.Vbat";
// The greatest nbPA: the move of a turn holds the start cell and at most 49 steps.
constexpr int32_t NBPA_MAXIMUM = 49;

// Reads an enemy regiment file into table (the records it names; the fields the file does not
// hold for a behaviour keep what table held) and *nombre. False with the message in *erreur.
// A count above 30 keeps the first 30 records, an nbPA above 49 is cut to 49.
bool RegimentsNmi__Lire(FILE* f, RegimentNmi* table, int32_t* nombre, std::string* erreur);
// Writes `nombre` records of table in the file's layout.
void RegimentsNmi__Ecrire(FILE* f, const RegimentNmi* table, int32_t nombre);
// A regiment file name the working folder may hold: one name, no folder, no "..".
bool RegimentNmi__NomFichierSur(const char* nom);
// A scenario conditions path inside the game tree: "..\" then names without "..".
bool RegimentNmi__VbatSur(const char* chemin);

// The file name of the first record with this id; null when no record has it.
const char* RegimentNmi_NomFichier(int32_t id);

// Plans the turn's move of record i by its behaviour.
void RegimentNmi_Deplacement(int i);
// Fills the record's chemin towards (x, y), greedily; the number of steps.
int RegimentNmi_CalculerChemin(int i, int x, int y);
// The walking step of the current token: 0 when it stopped (contact, arrival), else 1.
int RegimentNmi_Gestion();
// True while an enemy token still walks or slides.
bool RegimentNmi_EnMouvement();
