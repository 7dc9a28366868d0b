#include "frontend/menu_jeu.h"

#include "foundation/erreurs.h"
#include "frontend/localisation.h"

// Until the menu's panels exist: only its quit box, as a question.
int MenuJeu() {
    const char* texte = TexteInterface(46);
    return Message_Question("Morvane", *texte ? texte : "Quitter la partie ?") ? 2 : -1;
}
