// The menus' widgets: buttons and panels that slide to a target in a few frames, drawn over the
// menu's background, and the panels both menus share: the save list, the options, the parental
// code box and the quit box. Panel hit areas are relative to PanneauOrigine.
#pragma once

#include <array>
#include <cstdint>

// One widget. Kinds: 0 button (sprite 795, 35 high), 1 and 2 large panels (sprites 796 and 799,
// 458 x 314), 3 small box (sprite 793, 448 x 166).
struct BoutonMenu {
    int32_t type;
    int32_t x, y;              // top-left corner on the screen, possibly off it
    int32_t largeur, hauteur;
    int32_t cibleX, cibleY;    // where the slide ends
    int32_t pas;               // slide steps left, 0 at rest
    const char* texte;         // an interface text, not owned
};

constexpr int NB_BOUTONS_MENU = 18;
extern std::array<BoutonMenu, NB_BOUTONS_MENU> BoutonsMenu;
extern int32_t NbBoutonsMenu;   // the first ones drawn each frame

constexpr int PAS_GLISSEMENT = 6;   // every slide and every wait of the menus lasts 6 frames

// Text colours (0x00BBGGRR).
constexpr uint32_t COULEUR_BOUTON = 0x91A5AA;
constexpr uint32_t COULEUR_BOUTON_SURVOLE = 0xBEDDE4;
constexpr uint32_t COULEUR_VERROU = 180;
constexpr uint32_t COULEUR_VERROU_SURVOLE = 220;
constexpr uint32_t COULEUR_SAISIE = 255;

struct PointMenu {
    int32_t x, y;
};
extern PointMenu PanneauOrigine;   // the open panel's corner

// A rectangle of a panel; x from x to x + largeur excluded, likewise y.
struct ZoneMenu {
    int32_t x, y, largeur, hauteur;
};
// The four rows of the save list and of the options panel.
extern const std::array<ZoneMenu, 4> LignesListe;
extern const std::array<ZoneMenu, 4> LignesOptions;
// Large panel buttons, save list arrows, small box buttons.
constexpr ZoneMenu ZONE_OK{185, 249, 36, 36};
constexpr ZoneMenu ZONE_ANNULER{228, 249, 36, 36};
constexpr ZoneMenu ZONE_FLECHE_HAUT{405, 27, 16, 17};
constexpr ZoneMenu ZONE_FLECHE_BAS{405, 253, 16, 17};
constexpr ZoneMenu ZONE_BOITE_OK{189, 108, 36, 36};
constexpr ZoneMenu ZONE_BOITE_ANNULER{226, 108, 36, 36};

// Whether the mouse lies in zone z of a panel whose corner is (ox, oy).
bool Menu__SourisDans(const ZoneMenu& z, int32_t ox, int32_t oy);
// Whether the mouse lies on the widget.
bool Bouton__Survole(const BoutonMenu& b);

void Bouton__Initialisation(BoutonMenu* b, int32_t x, int32_t y, int32_t largeur, int32_t hauteur, const char* texte);
void Panneau__Initialisation(BoutonMenu* b, int32_t x, int32_t y, int32_t largeur, int32_t hauteur, const char* texte);
void Panneau2__Initialisation(BoutonMenu* b, int32_t x, int32_t y, int32_t largeur, int32_t hauteur, const char* texte);
// Also sets the text colour of the widgets.
void Panneau3__Initialisation(BoutonMenu* b, int32_t x, int32_t y, int32_t largeur, int32_t hauteur, const char* texte);
// The widget slides to (x, y) in `pas` of its next draws.
void Bouton__Deplacement(BoutonMenu* b, int32_t x, int32_t y, int32_t pas);
// Draws the widget when any of it is on the screen, then moves it one step.
void Bouton__Affichage(BoutonMenu* b);

// The logo (sprite 16): opaque, fading out or fading in over the 6 frames of a countdown.
enum class LogoMenu { Opaque, Disparait, Apparait };
void Menu__Logo(LogoMenu mode, int32_t decompte);
// The pointer and its shadow, last in every frame.
void Menu__Pointeur();

// Save list.
extern int32_t SauvegardeSelection;   // slot 0..9
extern int32_t SauvegardePremiere;    // first slot shown, 0..6
extern int32_t SauvegardeLigne;       // row of the selection, 0..3

// What a panel's input step asks of its menu.
enum class ActionPanneau { Rien, Valider, Annuler, CodeParental };

// Opening on the panel whose corner is (x, y): the names are read, the first slot selected.
void ListeSauvegardes__Ouverture(int32_t x, int32_t y);
// The arrow keys and the arrows and rows under a held left button (acting on every frame while
// held); Return or OK validates, Escape or Cancel cancels.
ActionPanneau ListeSauvegardes__Saisie();
void ListeSauvegardes__Affichage();

// Options.
extern int32_t OptionLigne;        // selected row: 0 resolution, 1 music, 2 sounds, 3 parental control
extern int32_t ResolutionIndex;    // 0..3 in TableResolutions
extern const int32_t TableResolutions[5][2];
constexpr int TAILLE_TEXTE_OPTION = 64;
extern char TexteResolution[TAILLE_TEXTE_OPTION];
extern char TexteMusique[TAILLE_TEXTE_OPTION];
extern char TexteSons[TAILLE_TEXTE_OPTION];
extern char TexteParental[TAILLE_TEXTE_OPTION];
// The values as they were when the panel opened.
struct OptionsMenu {
    int32_t resolutionIndex, largeur, hauteur, musique, sons, parental;
};
extern OptionsMenu OptionsSauvegarde;

// Keeps the six values and writes the four value texts.
void Options__Ouverture();
void Options__Textes();
// Gives back the kept values, and to the devices the kept volumes.
void Options__Restauration();
// The panel's keys and held left button. Valider: closes keeping the values; Annuler: the kept
// values are back, the panel closes; CodeParental: the code box opens (CodeSaisi is empty).
ActionPanneau Options__Saisie();
// boutonOptions: the menu's options button, drawn again over the panel.
void Options__Affichage(BoutonMenu* boutonOptions);

// Parental code box.
constexpr int TAILLE_CODE_SAISI = 260;
extern char CodeSaisi[TAILLE_CODE_SAISI];
// The box's corner, centred on the screen.
PointMenu CodeParental__Coin();
// Typing; Escape cancels, Return validates. With clics, OK acts as Return and Cancel as Escape;
// without, a click over OK is dropped.
ActionPanneau CodeParental__Saisie(bool clics);
// Sets, or clears when the code matches, the parental control; a wrong code is reported.
void CodeParental__Validation();
void CodeParental__Affichage();

// Quit box (a small box widget whose corner is PanneauOrigine).
ActionPanneau BoiteQuitter__Saisie();
void BoiteQuitter__Affichage();
