// The event and effect editor: a master object picked by family, one of its 21 animations, then
// frame by frame and position by position its visual events (a particle effect at a pixel of the
// picture) and concrete events (an icon of one of eleven kinds on a cell beside the object),
// previewed and saved to the master's ".cfg" file. Each page runs its own message loop.
#pragma once

#include <cstdint>

struct EvenementVisuel;
struct EvenementConcret;

// A row of the object picker: the masters of one family.
struct NoeudChoixObjet {
    int32_t maitre;
    char nom[1024];
    NoeudChoixObjet* precedent;
    NoeudChoixObjet* suivant;
};

extern NoeudChoixObjet* ListeChoixObjet;   // the first row shown
extern int16_t MaitreEdite;                // -1 none
extern int16_t GfxAnimationEditee;         // graphic object of the chosen animation, -1 none
extern int16_t AnimationEditee;            // 0..20
extern int16_t NbImagesEditees;
extern int16_t NbPositionsEditees;
extern int32_t ModeEditionEvenements;      // 1 while the editor runs
extern int32_t IconeChoisie;               // kind 0..10 of the icon in hand, -1 none
extern char EffetChoisi[52];               // the particle effect in hand
extern int32_t DirectionXCourante, DirectionYCourante, PlanCourant;
extern int32_t MarqueurCourant;            // the effect list's row, -1 while an icon is in hand
extern int32_t ObjetEditeCaseX, ObjetEditeCaseY;   // grid cell of the object's top-left cell

// The grid of the editing page: 9 x 11 cells of 24 pixels from (200, 96).
constexpr int GRILLE_EDITEUR_X = 200, GRILLE_EDITEUR_Y = 96, GRILLE_EDITEUR_COLONNES = 9, GRILLE_EDITEUR_LIGNES = 11;

extern const char* const NomsAnimationsEditeur[21];

int EdEvenementBoucle();
int EdEvenementChoixObjet(const char* titre);
int EdEvenementPreparer(int maitre);
int EdEvenementEdition(int gfx);
void EdEvenementPlacerEmetteur(EvenementVisuel* liste, int indice);
void EdEvenementCopierEffet(int position, int image, int maitre, int animation, EvenementConcret* liste, int positions);
void EdEvenementApercu(int position, int maitre);

// Builds the list of the masters of the family that have a name, in master order (null when
// none); the list given is freed first.
NoeudChoixObjet* ChoixObjet__CreationListe(int famille, NoeudChoixObjet* liste);
// Sorts by name: bytes compared as signed, a name that begins another goes after it.
void ChoixObjet__Tri(NoeudChoixObjet* liste);
void ChoixObjet__Liberation(NoeudChoixObjet* liste);

// Adds delta to every byte of a rectangle of the back buffer, clipped to the screen.
void TeinteRectangle(int x, int y, int hauteur, int largeur, int delta);

// The eleven icons of the concrete kinds; a file that cannot be read is reported once and drawn
// as a plain square.
void EdEvenementChargerIcones();
void EdEvenementLibererIcones();
void EdEvenementAfficheIcone(int type, int x, int y);
bool EdEvenementIconeChargee(int type);

// The frame (position p, image f) of the animation being edited in the master's table; null
// when the table has no such frame.
struct EvenementsImage;
EvenementsImage* EdEvenementImage(int maitre, int animation, int position, int image);

// What a left click in the grid adds at the mouse: a concrete event of the icon in hand (a cell
// of the footprint adds nothing; a cell that has one gets the new kind), or a visual event of
// EffetChoisi with the current direction and plan. The screen point of the object's footprint
// centre is that of the grid placement.
void EdEvenementClicGrille(EvenementsImage* image, int sourisX, int sourisY);
// Removes the concrete event on the cell under the point.
void EdEvenementRetirerConcret(EvenementsImage* image, int sourisX, int sourisY);
