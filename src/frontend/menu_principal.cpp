#include "frontend/menu_principal.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "campaign/campagne.h"
#include "campaign/catalogue.h"
#include "campaign/chargement_armees.h"
#include "campaign/region.h"
#include "campaign/sauvegarde_region.h"
#include "foundation/cinematique.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "foundation/texte.h"
#include "frontend/localisation.h"
#include "frontend/sauvegardes.h"
#include "frontend/widgets.h"
#include "platform/fichiers.h"
#include "platform/temps.h"
#include "shell/chefs.h"
#include "shell/curseur.h"
#include "shell/demarrage.h"
#include "shell/routeur.h"
#include "shell/victoire.h"

int32_t MenuEtat = -2;
int32_t MenuChoix = -1;
int32_t MenuDelai = 30000;
uint32_t MenuHeureRepos = 0;
int32_t MenuDecompte = 0;
const char* const TexteVersion = "Version 1.3c";

namespace {

// Widgets of the main menu.
enum : int {
    JOUER = 0, CHARGER = 1, OPTIONS = 2, BESTIAIRE = 3, CREDITS = 4, QUITTER = 5,
    LISTE = 6, PANNEAU_OPTIONS = 7, BOITE_QUITTER = 8,
    NOUVELLE_CAMPAGNE = 9, ESCARMOUCHE = 10, MISSIONS = 11, RETOUR = 12,
    DIDACTICIEL = 13, CAMPAGNE_4 = 17,
};

// Where each widget starts and what it says (menus.txt line); start x is the screen width for
// the buttons, off the left edge for the panels.
struct Disposition {
    int type;
    int depuisBas;   // start y = screen height - depuisBas (buttons)
    int ligne;
};
constexpr Disposition DISPOSITIONS[NB_BOUTONS_MENU] = {
    {0, 325, 8},  {0, 275, 9},  {0, 225, 10}, {0, 175, 11}, {0, 125, 12}, {0, 75, 13},
    {1, 0, 14},   {2, 0, 3},    {3, 0, 15},
    {0, 225, 16}, {0, 175, 17}, {0, 125, 18}, {0, 75, 19},
    {0, 275, 47}, {0, 225, 48}, {0, 175, 49}, {0, 125, 50}, {0, 75, 51},
};

constexpr int HAUT = 43;   // y of a button moved to the top of the screen

// What a campaign button sets: the campaign, the player's faction, the faction of each camp's
// files, and whether it needs a campaign begun before and puts the hero in the first leader slot.
struct ChoixCampagne {
    int32_t campagne, camp;
    int32_t camps[4];
    bool heros;
};
constexpr ChoixCampagne CAMPAGNES[5] = {
    {0, 1, {1, 2, 3, 0}, false},
    {1, 3, {3, 2, 1, 0}, true},
    {2, 1, {1, 2, 3, 0}, true},
    {3, 0, {0, 2, 3, 1}, true},
    {4, 2, {2, 1, 3, 0}, true},
};
constexpr int32_t MAITRE_HEROS = 5;

int32_t Appels = 0;           // callbacks since MenuPrincipal started the movie
bool DansCallback = false;

BoutonMenu& B(int i) { return BoutonsMenu[static_cast<size_t>(i)]; }
int32_t W() { return LargeurEcran; }
int32_t H() { return HauteurEcran; }

void EnPlace(int i) { Bouton__Deplacement(&B(i), W() - 320, H() - DISPOSITIONS[i].depuisBas, PAS_GLISSEMENT); }
void EnPlace(int premier, int dernier) {
    for (int i = premier; i <= dernier; ++i) EnPlace(i);
}
void Dehors(int i) { Bouton__Deplacement(&B(i), W(), B(i).y, PAS_GLISSEMENT); }
void Dehors(int premier, int dernier) {
    for (int i = premier; i <= dernier; ++i) Dehors(i);
}
void EnHaut(int i) { Bouton__Deplacement(&B(i), W() - 320, HAUT, PAS_GLISSEMENT); }
void Vers(int i, int32_t x, int32_t y) { Bouton__Deplacement(&B(i), x, y, PAS_GLISSEMENT); }

// A state that waits its 6 frames first.
void Attendre(int32_t etat) {
    MenuEtat = etat;
    MenuDecompte = PAS_GLISSEMENT;
}
// One frame of a wait: true when it is over.
bool Fini() { return --MenuDecompte < 1; }
void Repos() {
    MenuEtat = 0;
    MenuHeureRepos = Temps_Ticks();
}

// A click on widget i: the held left button over it, taken.
bool ClicSur(int i) {
    if (!BoutonGauche || !Bouton__Survole(B(i))) return false;
    BoutonGauche = 0;
    return true;
}

bool Pris(int32_t& touche) {
    if (!touche) return false;
    touche = 0;
    return true;
}

void FinSaisieCode() {
    SaisieEnCours = 0;
    SaisieValidee = 0;
}

void EcranEntier() {
    EcranDestination.clipGauche = 0;
    EcranDestination.clipHaut = 0;
    EcranDestination.clipDroite = LargeurEcran;
    EcranDestination.clipBas = HauteurEcran;
}

void Disposer() {
    for (int i = 0; i < NB_BOUTONS_MENU; ++i) {
        const Disposition& d = DISPOSITIONS[i];
        const char* texte = TexteInterface(d.ligne);
        switch (d.type) {
            case 0: Bouton__Initialisation(&B(i), W(), H() - d.depuisBas, i < LISTE ? W() - 320 : 320, 35, texte); break;
            case 1: Panneau__Initialisation(&B(i), -468, (H() - 314) / 2, 458, 314, texte); break;
            case 2: Panneau2__Initialisation(&B(i), -468, (H() - 314) / 2, 458, 314, texte); break;
            default: Panneau3__Initialisation(&B(i), -458, 157, 448, 166, texte); break;
        }
    }
    NbBoutonsMenu = NB_BOUTONS_MENU;
}

void NouvelleCampagne() {
    EnPlace(DIDACTICIEL, CAMPAGNE_4);
    for (Chef& c : TableChefs) c = Chef{};
    AlliancesEnAttente.fill(-1);
    DefectionsEnAttente.fill(-1);
    Renforts_RemiseAZero();
    TexteRegionAffiche = 0;
    ExperienceHeros = 0;
    Attendre(801);
}

// A click on a campaign button: true when the campaign is set and the menu ends.
bool ChoisirCampagne(int bouton) {
    const ChoixCampagne& c = CAMPAGNES[bouton - DIDACTICIEL];
    if (c.heros && CampagneCommencee == 0) return false;   // locked until a campaign was begun
    CampagneCourante = c.campagne;
    CampDuJoueur = c.camp;
    CampCatalogue = c.camp;
    for (int i = 0; i < 4; ++i) CampParJoueur[i] = c.camps[i];
    if (c.heros) TableChefs[0].maitre = MAITRE_HEROS;
    EtapeCampagne = 0;
    Campagne__CopieFichiers(CampagneCourante);
    return true;
}

// From the play menu to a mode of play: every button out.
void Partir(int32_t choix, int32_t etat) {
    MenuChoix = choix;
    Dehors(JOUER);
    Dehors(NOUVELLE_CAMPAGNE, RETOUR);
    Attendre(etat);
}

void Restaurer() {
    ChargementSauvegarde = 1;
    ModeSceneCourant = 1;
    SauvegardeACharger = SauvegardeSelection;
    MorvaneCode = 2;
    RoutageOn = 1;
}

// The step of the current state; true when the movie stops.
bool Etape() {
    switch (MenuEtat) {
        case -2:
            EnPlace(JOUER, QUITTER);
            Attendre(-1);
            return false;
        case -1:
        case 142:
        case 207:
        case 306:
            if (Fini()) Repos();
            return false;
        case 0:
            if (static_cast<int32_t>(Temps_Ticks() - MenuHeureRepos) > MenuDelai) {
                MenuChoix = CHOIX_DELAI;
                return true;
            }
            if (Pris(ToucheEchap)) {
                MenuChoix = CHOIX_QUITTER;
                Dehors(JOUER, CREDITS);
                Attendre(600);
            } else if (ClicSur(JOUER)) {
                Dehors(CHARGER, QUITTER);
                Attendre(100);
            } else if (ClicSur(CHARGER)) {
                MenuChoix = CHOIX_CHARGER;
                Dehors(JOUER);
                Dehors(OPTIONS, QUITTER);
                Attendre(200);
            } else if (ClicSur(OPTIONS)) {
                Options__Ouverture();
                Dehors(JOUER, CHARGER);
                Dehors(BESTIAIRE, QUITTER);
                Attendre(300);
            } else if (ClicSur(BESTIAIRE)) {
                MenuChoix = CHOIX_BESTIAIRE;
                Dehors(JOUER, QUITTER);
                Attendre(400);
            } else if (ClicSur(CREDITS)) {
                MenuChoix = CHOIX_CREDITS;
                Dehors(JOUER, QUITTER);
                Attendre(900);
            } else if (ClicSur(QUITTER)) {
                MenuChoix = CHOIX_QUITTER;
                Dehors(JOUER, CREDITS);
                Attendre(600);
            }
            return false;

        // The play menu.
        case 100:
            if (Fini()) {
                EnHaut(JOUER);
                Attendre(101);
            }
            return false;
        case 101:
            if (Fini()) {
                EnPlace(NOUVELLE_CAMPAGNE, RETOUR);
                Attendre(102);
            }
            return false;
        case 102:
        case 804:
            if (Fini()) Attendre(103);
            return false;
        case 103:
            if (Pris(ToucheEchap) || ClicSur(RETOUR)) {
                Dehors(NOUVELLE_CAMPAGNE, RETOUR);
                Attendre(140);
            } else if (ClicSur(NOUVELLE_CAMPAGNE)) {
                MenuChoix = CHOIX_CAMPAGNE;
                Vers(JOUER, W(), HAUT);
                EnHaut(NOUVELLE_CAMPAGNE);
                Dehors(ESCARMOUCHE, RETOUR);
                Attendre(110);
            } else if (ClicSur(ESCARMOUCHE)) {
                Partir(CHOIX_ESCARMOUCHE, 120);
            } else if (ClicSur(MISSIONS)) {
                Partir(CHOIX_MISSIONS, 130);
            }
            return false;
        case 110:
            if (Fini()) Attendre(800);
            return false;
        case 120:
        case 130:
        case 400:
        case 604:
        case 900:
            return Fini();
        case 140:
            if (Fini()) {
                EnPlace(JOUER);
                Attendre(141);
            }
            return false;
        case 141:
            if (Fini()) {
                EnPlace(CHARGER, QUITTER);
                Attendre(142);
            }
            return false;

        // Loading a saved game.
        case 200:
            if (Fini()) {
                EnHaut(CHARGER);
                Attendre(201);
            }
            return false;
        case 201:
            if (Fini()) {
                Vers(LISTE, (W() - 458) / 2, (H() - 314) / 2);
                Attendre(202);
            }
            return false;
        case 202:
            if (Fini()) {
                ListeSauvegardes__Ouverture(B(LISTE).x, B(LISTE).y);
                Attendre(203);
            }
            return false;
        case 203:
            switch (ListeSauvegardes__Saisie()) {
                case ActionPanneau::Valider:
                    if (!SauvegardeVide[SauvegardeSelection]) {
                        Vers(LISTE, -468, (H() - 314) / 2);
                        Vers(CHARGER, W(), HAUT);
                        Attendre(204);
                        break;
                    }
                    [[fallthrough]];   // an empty slot: nothing to load
                case ActionPanneau::Annuler:
                    Vers(LISTE, -468, (H() - 314) / 2);
                    Attendre(205);
                    break;
                default: break;
            }
            return false;
        case 204:
            if (!Fini()) return false;
            if (std::string erreur; !Emplacement__Verifier(SauvegardeSelection, &erreur)) {
                // Reported; the menu goes on.
                Avertissement("MenuPrincipal()", "Sauvegarde impossible à reprendre : %s", erreur.c_str());
                Attendre(205);
                return false;
            }
            Restaurer();
            return true;
        case 205:
            if (Fini()) {
                EnPlace(CHARGER);
                Attendre(206);
            }
            return false;
        case 206:
            if (Fini()) {
                EnPlace(JOUER);
                EnPlace(OPTIONS, QUITTER);
                Attendre(207);
            }
            return false;

        // Options.
        case 300:
            if (Fini()) {
                ToucheHaut = ToucheBas = ToucheGauche = ToucheDroite = 0;
                EnHaut(OPTIONS);
                Attendre(301);
            }
            return false;
        case 301:
            if (Fini()) {
                Vers(PANNEAU_OPTIONS, 94, (H() - 314) / 2);
                Attendre(302);
            }
            return false;
        case 302:
            if (Fini()) {
                PanneauOrigine = {B(PANNEAU_OPTIONS).x, B(PANNEAU_OPTIONS).y};
                Attendre(303);
            }
            return false;
        case 303:
            switch (Options__Saisie()) {
                case ActionPanneau::Valider:
                case ActionPanneau::Annuler:
                    Vers(PANNEAU_OPTIONS, -468, (H() - 314) / 2);
                    Attendre(304);
                    break;
                case ActionPanneau::CodeParental:
                    MenuEtat = 700;
                    SaisieEnCours = 1;   // the keys typed go to the code only
                    break;
                default: break;
            }
            return false;
        case 304:
            if (Fini()) {
                EnPlace(OPTIONS);
                Attendre(305);
            }
            return false;
        case 305:
            if (Fini()) {
                EnPlace(JOUER, CHARGER);
                EnPlace(BESTIAIRE, QUITTER);
                Attendre(306);
            }
            return false;

        // Quitting.
        case 600:
            if (Fini()) {
                EnHaut(QUITTER);
                Attendre(601);
            }
            return false;
        case 601:
            if (Fini()) {
                Vers(BOITE_QUITTER, (W() - 448) / 2, (H() - 166) / 2);
                Attendre(602);
            }
            return false;
        case 602:
            if (Fini()) {
                PanneauOrigine = {B(BOITE_QUITTER).x, B(BOITE_QUITTER).y};
                Attendre(603);
            }
            return false;
        case 603:
            switch (BoiteQuitter__Saisie()) {
                case ActionPanneau::Valider:
                    Vers(BOITE_QUITTER, -458, (H() - 166) / 2);
                    Vers(QUITTER, W(), HAUT);
                    Attendre(604);
                    break;
                case ActionPanneau::Annuler:
                    Vers(BOITE_QUITTER, -458, (H() - 166) / 2);
                    Attendre(605);
                    break;
                default: break;
            }
            return false;
        case 605:
            if (Fini()) {
                EnPlace(QUITTER);
                Attendre(606);
            }
            return false;
        case 606:
            if (Fini()) {
                EnPlace(JOUER, CREDITS);
                Repos();
            }
            return false;

        // Parental code.
        case 700:
            switch (CodeParental__Saisie(true)) {
                case ActionPanneau::Annuler: MenuEtat = 303; break;
                case ActionPanneau::Valider: MenuEtat = 701; break;
                default: break;
            }
            if (MenuEtat != 700) FinSaisieCode();
            return false;
        case 701:
            CodeParental__Validation();
            MenuEtat = 303;
            return false;

        // Choosing a campaign.
        case 800:
            NouvelleCampagne();
            return false;
        case 801:
            if (Fini()) Attendre(802);
            return false;
        case 802:
            if (Pris(ToucheEchap)) {
                Dehors(DIDACTICIEL, CAMPAGNE_4);
                CampagneCourante = 0;
                Attendre(803);
                return false;
            }
            for (int i = DIDACTICIEL; i <= CAMPAGNE_4; ++i)
                if (ClicSur(i)) return ChoisirCampagne(i);
            return false;
        case 803:
            if (Fini()) {
                EnHaut(JOUER);
                EnPlace(NOUVELLE_CAMPAGNE, RETOUR);
                Attendre(804);
            }
            return false;

        default:
            Erreur_Fatale("CallbackMenuPrincipal()", "Etat %d invalide", MenuEtat);
    }
}

void Surimpression() {
    switch (MenuEtat) {
        case 0: Menu__Logo(LogoMenu::Opaque, MenuDecompte); break;
        case 100:
        case 200:
        case 300:
        case 400:
        case 600: Menu__Logo(LogoMenu::Disparait, MenuDecompte); break;
        case -1:
        case 142:
        case 207:
        case 306:
        case 606: Menu__Logo(LogoMenu::Apparait, MenuDecompte); break;
        case 203: ListeSauvegardes__Affichage(); break;
        case 303: Options__Affichage(&B(OPTIONS)); break;
        case 603: BoiteQuitter__Affichage(); break;
        case 700: CodeParental__Affichage(); break;
        default: break;
    }
}

// Without the menu movie the menu runs on a black background, at the movie's pace.
void SansFilm() {
    while (!QuitterJeu) {
        Message m;
        while (!QuitterJeu && Message_Attente(&m)) {
            if (!Message_Lire(&m)) QuitterJeu = 1;
            else {
                Message_Traduire(&m);
                Message_Distribuer(&m);
            }
        }
        if (QuitterJeu) break;
        if (EcranTampon) std::fill(EcranTampon, EcranTampon + static_cast<size_t>(LargeurEcran) * HauteurEcran, uint16_t{0});
        if (CallbackMenuPrincipal(3) == 0) break;
        Temps_Dormir(66);
    }
}

}  // namespace

int32_t CallbackMenuPrincipal(int32_t etat) {
    // Called again from inside a message box the step opened: the box draws its own frames.
    if (DansCallback) return etat | 3;
    DansCallback = true;
    ++Appels;
    Curseur__Masquer();
    // A press since the last frame counts as the button held for this frame, however short it
    // was (a tap pressed and released between two frames); it is not held past the frame.
    const bool tenu = BoutonGauche != 0;
    if (ClicGauche) BoutonGauche = 1;
    ClicGauche = 0;
    const bool arret = Etape();
    if (!tenu) BoutonGauche = 0;
    // The movie's start sets the display mode, which gives the clip back to the battle view.
    EcranEntier();
    for (int i = 0; i < NbBoutonsMenu && i < NB_BOUTONS_MENU; ++i) Bouton__Affichage(&B(i));
    Surimpression();
    Texte__AfficheOmbre(W() - 126, H() - 32, "%s", TexteVersion);
    Menu__Pointeur();
    Ecran_Affichage();
    DansCallback = false;
    return arret ? 0 : (etat | 3);
}

void MenuPrincipal__Preparation(int32_t delai) {
    MenuDelai = delai;
    Entrees_RAZ();
    ClicGauche = 0;   // a press before the menu is not one of its clicks
    MenuChoix = CHOIX_DELAI;
    EcranEntier();
    MenuEtat = -2;
    MenuDecompte = 0;
    Disposer();
}

int MenuPrincipal(int32_t delai) {
    if (ModeJeuCourant == 3) return CHOIX_CAMPAGNE;
    MenuPrincipal__Preparation(delai);
    Appels = 0;
    Cinematique_Jouer("rvf\\Menu.rvf", 0, CallbackMenuPrincipal);
    if (Appels == 0) SansFilm();
    if (MenuEtat == 700) FinSaisieCode();
    Entrees_RAZ();
    if (QuitterJeu) MenuChoix = CHOIX_QUITTER;
    return MenuChoix;
}
