// The building editor: one building description in one orientation, its image layers' calages,
// its cell grids, its elements and object codes, edited on a preview of the building and saved
// to its files; the building pictures exported as TGA files and a sprite's hot spot calibrated.
#pragma once

#include <cstdint>
#include <string>

// Runs the editor until the player leaves its menu; returns 1.
int EditeurBatiment(int32_t orientation);

// The editor's state, kept from one opening to the next while the program runs.
extern int32_t BatimentEdite;          // master type of the building edited
extern int32_t OrientationEditee;      // 0 "d", 1 "t", 2 "g"
extern int32_t ModeEditeur;            // the code of the menu row last chosen
extern int32_t MenuEditeurActif;       // the menu is shown at the start of the next turn
extern int32_t FermetureEditeur;       // the editor closes at the start of the next turn
extern int32_t RepereEditeurX, RepereEditeurY;   // view origin in cells, 0..100
extern int32_t DeplacementRepere;      // the arrows move the view
extern int32_t NumeroElementEditeur;   // 0..9, the digit keys
extern int32_t PasDeCalageX, PasDeCalageY;       // 1 or 50
extern int32_t CouchesEditeur[7];      // F2..F8: image 1, image 2, shadow, light, embers, crystal, door
extern int32_t FiguresTestEditeur;     // Space
extern int32_t MarquesOccupationEditeur;   // O

constexpr int EDITEUR_TAILLE_GRILLE = 100;   // the grids hold 100 x 100 cells
constexpr int32_t EDITEUR_BATIMENT_DEFAUT = 52;   // opened when "edbat.txt" is missing

// "..\ini\edbat.txt": the first visible row of the master list and the master type to edit; a
// missing or short file gives 0 and EDITEUR_BATIMENT_DEFAUT, a master outside the tables too.
void EditeurBatiment__LireEdbat(int32_t* premiereLigne, int32_t* maitre);
// Rewrites it with its first integer as read and the master type; through a temporary file.
bool EditeurBatiment__EcrireEdbat(int32_t maitre);
// Opens BatimentEdite in an orientation: the grids of the record made anew for 100 x 100 cells,
// cleared (the zone grid to 1), then the description read. A footprint above 100 in either
// direction is refused with a warning: the record is cleared.
void EditeurBatiment__Ouvrir(int orientation);
// F9: the confirmation, then the description and its calage file written; false when refused
// or failed (said in a box).
bool EditeurBatiment__Sauvegarde();

// One turn's input: the keys valid in every mode, then the current mode's arrows and clicks.
void EditeurBatiment__Touches();
void EditeurBatiment__Edition();
// One turn of the editing screen: the preview, the marks, the texts, the input.
void EditeurBatiment__Tour();

// The dialogs of the menu rows "Eléments" and "Codes Objets", and their lists of natures:
// the lists return the nature chosen, -2 when cancelled (right button or Escape).
int Element__Selection(const char* titre);
int Element__SelectionNature(const char* titre);
int CodeObjet__Selection(const char* titre);
int CodeObjet__Liste(const char* titre);
// The description of slot s's code; the text is left as it is for a code outside 1..4.
void CodeObjet__Description(int s, char* texte, size_t taille);
// Reports the description of every used object-code slot of the current description, one report
// (a question) a slot, under "Description du code objet n°<slot>".
void CodeObjet__Trace();
// Writes a code to slot s of the current description; a teleporter also puts its return link at
// s + 1 (the later slots move up, the last one is lost), and is refused on the last slot (false).
// Code 0 deletes the slot.
bool CodeObjet__Appliquer(int s, int code, int x, int y, int premier, int second);

// Export: the back buffer written as "..\spredit\batiments\<sprite><orientation>.tga" for a
// master type; false (a warning) when the picture cannot be written.
std::string Tga__NomBatiment(int orientation, int maitre);
bool Tga__SauvegardeBatiment(const uint16_t* pixels, int largeur, int hauteur, int orientation, int maitre);
// Mode 13: every building of the master list in its three orientations, 800 x 600; stops on
// Escape. Returns the number of pictures written.
int EditeurBatiment__ExportTout();
// Mode 26: the current building placed with the mouse, then written.
void EditeurBatiment__ExportCourant();

// Hot-spot calibration: the sprite file's every frame moved by (dx, dy) (its hot spot grows by
// them: the picture moves left and up), the file rewritten whole through a temporary file.
// False when it cannot be read, is not a sprite file, or cannot be written.
bool Sprite__Calibrer(const char* chemin, int32_t dx, int32_t dy);
std::string EditeurBatiment__CheminCalibration(int orientation, int maitre);
// Mode 25, one turn: load once, draw the shifted sprite, arrows and digits, Return saves.
void EditeurBatiment__Calibration();
// Ends a calibration: the loaded sprite freed, loaded again on the next turn in mode 25.
void EditeurBatiment__FinCalibration();
// The calibration's shift and step, for the tests.
extern int32_t CalibrationDx, CalibrationDy, CalibrationPas;
