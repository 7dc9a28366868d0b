// The army management screen: the regiments of the army, the sections of the regiment shown and
// the reserves in three lists side by side, with drag and drop between them, the buttons that
// create and dissolve regiments, complete a section, buy and sell units, and the slider that
// chooses the experience of the units taken out of the reserves. Also the name-entry box.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "campaign/armee.h"

// A box of a list: x, y, width, height (all 0 when the list has none).
struct ZoneEcran {
    int32_t x = 0, y = 0, largeur = 0, hauteur = 0;
    bool Contient(int32_t px, int32_t py) const {
        return largeur > 0 && px >= x && px < x + largeur && py >= y && py < y + hauteur;
    }
};

// A scrolling list of the screen. Its items are a list of the army model it does not own, read
// through `nombre`; the callbacks change the model.
struct ListeGraphique {
    ZoneEcran zone;
    ZoneEcran boiteBas, boiteHaut;
    int32_t hauteurLigne = 42;
    int32_t lignesVisibles = 0;
    std::function<int32_t()> nombre;
    std::vector<ListeGraphique*> cibles;   // the lists it may drop onto
    int32_t premiere = 0;                  // first visible row
    int32_t selection = -1;                // selected row on the screen
    int32_t indexSelection = -1;           // selected item
    int32_t glissement = 0;
    int32_t typeGlissement = 0;
    // index -> drag kind (0 no drag)
    std::function<int32_t(int32_t)> selectionner;
    // source index, target row (-1 below the last item), drag kind -> accepted
    std::function<int32_t(int32_t, int32_t, int32_t)> deposer;
    // source index -> whether the dragged item was added to this list
    std::function<int32_t(int32_t)> accepter;
    // index -> whether the item left this list
    std::function<int32_t(int32_t)> retirer;
    std::function<void(int32_t, int32_t, int32_t, bool)> dessinerElement;   // index, x, y, selected
    std::function<void(int32_t, int32_t, int32_t)> dessinerFantome;         // index, mouse x, y
};

extern Regiment* RegimentAffiche;
extern ListeGraphique ListeRegiments, ListeSections, ListeReservesGraphique;
extern ListeGraphique* ListeFocus;
extern int32_t GlissementEnCours;   // a drag is under way: the buttons do nothing
extern int32_t CurseurExperience;   // the slider, 0..10

// The screen's modal loop: 0 when left, or the quit code of a quit message.
int InterfaceArmee(int32_t numeroJoueur);
// The name-entry box: 1 validated (the text in `texte`, a buffer of at least maximum + 1 bytes),
// or the quit code of a quit message (the text left as typed).
int SaisieNom(int32_t x, int32_t y, int32_t inutilise, int32_t titreX, int32_t titreY, const char* titre,
              int32_t texteX, int32_t texteY, char* texte, int32_t maximum);

// One turn of a modal screen's loop: takes and dispatches one waiting message. 1 one was
// dispatched, 0 none was waiting, -1 the quit message came (or had come): *codeQuitter is its
// code, QuitterJeu is set and the quit goes on to the loops outside.
int EcranModal__Message(int* codeQuitter);

// The pieces of the screen, for its loop and its tests.
void InterfaceArmee__Ouverture(int32_t numeroJoueur);
// One turn: drawing, input, buttons, drops. 1 when the player leaves the screen.
int InterfaceArmee__Tour();
void InterfaceArmee__Fermeture();
// Creates a section of the reserve's unit type in regiment r (a new regiment asked for when the
// army is empty). 1 when a section was made.
int32_t InterfaceArmee__CreerSection(Regiment* r, Reserve* reserve);
// The new regiment button: asks its name and adds it. The regiment made, or none.
Regiment* InterfaceArmee__NouveauRegiment();
// Sets the slider and ExperienceChoisie.
void InterfaceArmee__Curseur(int32_t position);
// Whether Escape or the leave button may leave: a regiment with units, or the skirmish set-up.
bool InterfaceArmee__SortiePossible();
