#include "frontend/menu_charger.h"

#include <algorithm>
#include <cstdint>

#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/texte.h"
#include "frontend/sauvegardes.h"
#include "frontend/widgets.h"
#include "platform/temps.h"
#include "platform/plateforme.h"

namespace {

constexpr int LARGEUR_PANNEAU = 458, HAUTEUR_PANNEAU = 314;
constexpr const char* TITRE = "Charger partie";
constexpr const char* CONSIGNE = "Cliquez sur une case";

int Choix = -1;
bool Fin = false;

BoutonMenu& Panneau() { return BoutonsMenu[0]; }

void Terminer(int choix) {
    Choix = choix;
    Fin = true;
}

// The used slot whose row is under the mouse, -1 when none.
int EmplacementSouris() {
    for (int i = 0; i < 4; ++i) {
        const int s = SauvegardePremiere + i;
        if (s < NB_SAUVEGARDES && Menu__SourisDans(LignesListe[static_cast<size_t>(i)], PanneauOrigine.x, PanneauOrigine.y) &&
            !SauvegardeVide[s])
            return s;
    }
    return -1;
}

}  // namespace

void MenuCharger__Preparation() {
    Entrees_RAZ();
    ClicGauche = 0;
    Choix = -1;
    Fin = false;
    EcranDestination.clipGauche = EcranDestination.clipHaut = 0;
    EcranDestination.clipDroite = LargeurEcran;
    EcranDestination.clipBas = HauteurEcran;
    Panneau__Initialisation(&Panneau(), (LargeurEcran - LARGEUR_PANNEAU) / 2, (HauteurEcran - HAUTEUR_PANNEAU) / 2,
                            LARGEUR_PANNEAU, HAUTEUR_PANNEAU, TITRE);
    NbBoutonsMenu = 1;
    ListeSauvegardes__Ouverture(Panneau().x, Panneau().y);
}

bool MenuCharger__Tour(int* resultat) {
    // A press since the last turn counts as the button held for this turn, however short it was.
    const bool clic = ClicGauche != 0;
    const bool tenu = BoutonGauche != 0;
    if (clic) BoutonGauche = 1;
    ClicGauche = 0;
    if (!Fin) {
        const int sous = clic ? EmplacementSouris() : -1;
        switch (ListeSauvegardes__Saisie()) {
            case ActionPanneau::Annuler: Terminer(-1); break;
            case ActionPanneau::Valider:
                if (!SauvegardeVide[SauvegardeSelection]) Terminer(SauvegardeSelection);
                break;
            default:
                if (sous >= 0) Terminer(sous);
                break;
        }
    }
    if (!tenu) BoutonGauche = 0;
    Bouton__Affichage(&Panneau());
    ListeSauvegardes__Affichage();
    const uint32_t avant = Texte__LitCouleur();
    Texte__Couleur(COULEUR_BOUTON);
    Texte__AfficheOmbre(Panneau().x + 32, Panneau().y + HAUTEUR_PANNEAU + 24, "%s", CONSIGNE);
    Texte__Couleur(avant);
    Menu__Pointeur();
    if (resultat) *resultat = Choix;
    return Fin;
}

int MenuCharger() {
    // The menus' widgets are shared: those of a menu under this screen are given back.
    const auto boutonsAvant = BoutonsMenu;
    const int32_t nbAvant = NbBoutonsMenu;
    const EcranSprite cible = EcranDestination;
    MenuCharger__Preparation();
    int resultat = -1;
    bool quitter = false;
    int codeQuitter = 0;
    for (;;) {
        if (EcranTampon)
            std::fill(EcranTampon, EcranTampon + static_cast<size_t>(LargeurEcran) * static_cast<size_t>(HauteurEcran),
                      uint16_t{0});
        const bool fini = MenuCharger__Tour(&resultat);
        Ecran_Affichage();
        if (fini) break;
        Message m;
        if (Message_Attente(&m)) {
            if (Message_Lire(&m) == 0) {
                quitter = true;
                codeQuitter = static_cast<int>(m.wParam);
                break;
            }
            Message_Traduire(&m);
            Message_Distribuer(&m);
        }
        Temps_Dormir(66);
    }
    EcranDestination = cible;
    Entrees_RAZ();
    BoutonGauche = ClicGauche = 0;
    BoutonsMenu = boutonsAvant;
    NbBoutonsMenu = nbAvant;
    if (quitter) {
        QuitterJeu = 1;
        Message_PosterQuitter(codeQuitter);
        return -1;
    }
    return resultat;
}
