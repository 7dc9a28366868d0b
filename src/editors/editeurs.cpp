#include "editors/editeurs.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "editors/editeur_batiment.h"
#include "editors/editeur_evenements.h"
#include "editors/editeur_particules.h"
#include "foundation/ecran.h"
#include "foundation/texte.h"
#include "scene/particules.h"
#include "scene/particules_effets.h"

bool Editeurs__OptionDeveloppeur() {
    const char* editeur = std::getenv("MORVANE_EDITEUR");
    if (editeur == nullptr || editeur[0] == 0) return false;
    const bool particules = std::strcmp(editeur, "particules") == 0, evenements = std::strcmp(editeur, "evenements") == 0;
    const bool batiment = std::strcmp(editeur, "batiment") == 0;
    if (!particules && !evenements && !batiment) {
        std::fprintf(stderr, "morvane: MORVANE_EDITEUR=%s inconnu (particules, evenements ou batiment)\n", editeur);
        return false;
    }
    Ecran_ModeVideo(640, 480);
    Particules_Initialisation();
    if (ListeSprites == nullptr) ChargementSprite();
    if (batiment) EditeurBatiment(1);
    else if (particules) EditeurParticules__Boucle();
    else EdEvenementBoucle();
    return true;
}

void Editeurs__LigneMenu(int x, int y, bool survolee, const char* texte) {
    if (texte == nullptr) texte = "";
    // The sprite font draws from y down; the other fonts take y as the baseline of a cell that
    // starts 11 pixels above it.
    if (survolee) Texte__AfficheSprite(x, y, "%s", texte);
    else Texte__Affiche(x, y + 11, "%s", texte);
}
