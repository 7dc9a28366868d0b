// The bestiary: an illustrated catalogue of the units and creatures by camp. "..\ini\Bestiaire.txt"
// lists the entries camp by camp, "..\ini\Bestiaire_Init.txt" which are unlocked, and each entry's
// description file "..\Maitres\<name>.txt" is read when its page is first shown. The screen shows
// one entry at a time: ten camp tabs, the unit's card, its animated picture and a scrolling page.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct EntreeBestiaire {
    char camp[128];
    char fichier[128];        // the description file's name, also the entry's name
    int32_t maitre;           // master number
    char nom[128];            // NOM
    char moral[4];            // MORAL, at most 3 characters
    int32_t energie, energieParNiveau, force, forceParNiveau;   // -1 for "-" or missing
    char description[512];
    char armes[128];
    int32_t pa;               // action points, -1 for "-" or missing
    char dplPlaine[64], dplForet[64], dplMontagne[64], dplRiviere[64];
    char attaque[64], rompre[64], embuscade[64], marcheForcee[64], fortification[64];
    char speciale1[128], speciale2[128], speciale3[128];   // "-" when there is none
    int32_t chargee;          // the description file has been read
    int32_t visible;          // 1: the characteristics may be shown
};

constexpr int BESTIAIRE_ONGLETS = 10;
// The camp keyword of each tab, 0..9.
extern const char* const BestiaireCamps[BESTIAIRE_ONGLETS];

extern std::vector<EntreeBestiaire> TableBestiaire;
extern int32_t NbEntreesBestiaire;

// The screen's state.
extern int32_t BestiaireEntreeCourante;   // index in TableBestiaire, -1 with no entry
extern int32_t BestiaireOnglet;           // 0..9
extern int32_t BestiaireFond;             // the current tab's background (682..691)
extern int32_t BestiaireDecalageOnglet;   // the current tab's slide, 0..21
extern int32_t BestiaireDefilement;       // the page's scroll in pixels
extern int32_t BestiaireHauteurPage;      // the page's height from its last drawing (0 when short)

// The clip rectangle of EcranDestination as the bestiary found it: top, bottom, left, right.
extern int32_t BestiaireClipSauve[4];
extern int32_t BestiaireClipSauvegarde;   // 1 once saved

// Keeps the clip rectangle, for the bestiary's set-up before it draws full screen.
void BestiaireSauverClip();

// Reads the entry list and the unlocked flags (fatal on a format fault); clip 640 x 480, back
// buffer cleared, the first entry current.
void BestiaireInitialisation();
// Reads the entry list from an open file into entrees (the reader behind the initialisation).
void BestiaireLectureFichierBestiaire(FILE* f, std::vector<EntreeBestiaire>* entrees);
// Reads the unlocked flags from an open file into the entries (a missing file leaves them 0).
void BestiaireLectureFichierPageVisible(FILE* f, std::vector<EntreeBestiaire>* entrees);
// Reads a description file into the entry's characteristics (every field set first, so that a
// missing key leaves it empty or -1).
void BestiaireLectureDescription(FILE* f, EntreeBestiaire* e);
// Reads the current entry's description file the first time its page is shown.
void BestiaireChargementPageCourante();
// Frees the entries and the graphic objects' sprites and gives the view its clip back.
void BestiaireLiberer();
// Sets the unlocked flag of every entry of that master.
void BestiaireRendreVisible(int32_t maitre, int32_t visible);
// Writes the unlocked flags back to "..\ini\Bestiaire_Init.txt".
void BestiaireSauverPageVisible();
// Every entry as "camp : file master" on the screen, one line per 16 pixels.
void BestiaireListeDebug();

// The bestiary screen, from the main menu and from the game frame (B).
void BestiaireEcran();
// Tab 0..9 (others clamped): its background, the first entry of its camp.
void BestiaireOngletParNumero(int32_t onglet);
// The first entry of that camp (the last entry when none matches); scroll 0.
void BestiaireSelectionCamp(const char* camp);
// The next / previous entry of the current one's camp; none: the entry stays. Scroll 0.
void BestiaireEntreeSuivante();
void BestiaireEntreePrecedente();
// Whether the current entry is the first / last of its camp (its button is then not drawn).
bool BestiairePremiereDuCamp();
bool BestiaireDerniereDuCamp();

// The pieces of the screen, for its loop and its tests.
void BestiaireOuverture();   // reads the entries; with none, BestiaireAEntrees() is false
bool BestiaireAEntrees();
// One turn: drawing, input. 1 when the player leaves.
int BestiaireTour();
void BestiaireFermeture();
// Draws the page of the current entry and sets BestiaireHauteurPage.
void BestiaireAffichagePage();
