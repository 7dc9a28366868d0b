#include "frontend/menu_jeu.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "campaign/region.h"
#include "campaign/sauvegarde_region.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "foundation/texte.h"
#include "frontend/localisation.h"
#include "frontend/sauvegardes.h"
#include "frontend/widgets.h"
#include "platform/temps.h"
#include "scene/affichage.h"
#include "scene/plans.h"
#include "shell/demarrage.h"
#include "shell/routeur.h"

int32_t MenuJeuEtat = -2;
int32_t MenuJeuDecompte = 0;

namespace {

// Widgets of the in-game menu.
enum : int {
    SAUVER = 0, CHARGER = 1, OPTIONS = 2, QUITTER = 3,
    LISTE_SAUVER = 4, LISTE_CHARGER = 5, PANNEAU_OPTIONS = 6, BOITE_QUITTER = 7,
    NB_WIDGETS = 8,
};
constexpr int DEPUIS_BAS[4] = {225, 175, 125, 75};
constexpr int LIGNES_TEXTES[NB_WIDGETS] = {41, 42, 43, 44, 45, 45, 3, 46};
constexpr int HAUT = 43;
constexpr int LONGUEUR_NOM = 29;         // the most characters a typed name takes
constexpr uint32_t ROUGE = 255;

int32_t Choix = -1;
bool Fin = false;
char NomSaisi[TAILLE_NOM_SAUVEGARDE];
int32_t SaisieValideeAvant = 0;   // kept while a name is typed: Return sets the flag

BoutonMenu& B(int i) { return BoutonsMenu[static_cast<size_t>(i)]; }
int32_t W() { return LargeurEcran; }
int32_t H() { return HauteurEcran; }
bool SurCarte() { return ModeSceneCourant == 1; }

void EnPlace(int i) {
    if (i <= CHARGER && !SurCarte()) return;   // save and load stay off the screen
    Bouton__Deplacement(&B(i), W() - 320, H() - DEPUIS_BAS[i], PAS_GLISSEMENT);
}
void Dehors(int i) {
    if (i <= CHARGER && !SurCarte()) return;
    Bouton__Deplacement(&B(i), W(), B(i).y, PAS_GLISSEMENT);
}
void EnHaut(int i) { Bouton__Deplacement(&B(i), W() - 320, HAUT, PAS_GLISSEMENT); }
void Vers(int i, int32_t x, int32_t y) { Bouton__Deplacement(&B(i), x, y, PAS_GLISSEMENT); }

void Attendre(int32_t etat) {
    MenuJeuEtat = etat;
    MenuJeuDecompte = PAS_GLISSEMENT;
}
bool Fini() { return --MenuJeuDecompte < 1; }
void Terminer(int32_t choix) {
    Choix = choix;
    Fin = true;
}

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
bool ClicZone(const ZoneMenu& z) {
    if (!BoutonGauche || !Menu__SourisDans(z, PanneauOrigine.x, PanneauOrigine.y)) return false;
    BoutonGauche = 0;
    return true;
}

void DebutSaisie() {
    std::snprintf(NomSaisi, sizeof NomSaisi, "%.*s", LONGUEUR_NOM, NomsSauvegardes[SauvegardeSelection]);
    SaisieValideeAvant = SaisieValidee;
    SaisieEnCours = 1;   // the keys typed go to the name only
    ToucheCaractere = 0;
    MenuJeuEtat = 104;
}
void FinSaisie() {
    SaisieEnCours = 0;
    SaisieValidee = SaisieValideeAvant;
}

// The slot first, then its name: a save that fails leaves the names as they were.
void Sauver() {
    const int32_t slot = SauvegardeSelection;
    if (!SauvegardeRegion(slot)) {
        LireSauvegardes();
        return;
    }
    std::snprintf(NomsSauvegardes[slot], TAILLE_NOM_SAUVEGARDE, "%s", NomSaisi);
    SauvegardeVide[slot] = 0;
    EcrireSauvegardes();
}

// Choosing the slot to save into: the arrows move the list, and the selection stays on the row
// it was on, so that a slot the player cannot see is never the one saved into.
void ChoixEmplacement() {
    if (Pris(ToucheHaut) && SauvegardeSelection > 0) {
        if (SauvegardeLigne > 0) --SauvegardeLigne;
        else --SauvegardePremiere;
        --SauvegardeSelection;
    }
    if (Pris(ToucheBas) && SauvegardeSelection < NB_SAUVEGARDES - 1) {
        if (SauvegardeLigne < 3) ++SauvegardeLigne;
        else ++SauvegardePremiere;
        ++SauvegardeSelection;
    }
    if (Pris(ToucheEntree) || ClicZone(ZONE_OK)) {
        DebutSaisie();
        return;
    }
    if (Pris(ToucheEchap) || ClicZone(ZONE_ANNULER)) {
        Vers(LISTE_SAUVER, -468, (H() - 314) / 2);
        Attendre(105);
        return;
    }
    if (ClicZone(ZONE_FLECHE_HAUT)) {
        if (SauvegardePremiere >= 1) --SauvegardePremiere;
        SauvegardeSelection = SauvegardePremiere + SauvegardeLigne;
        return;
    }
    if (ClicZone(ZONE_FLECHE_BAS)) {
        if (SauvegardePremiere < NB_SAUVEGARDES - 4) ++SauvegardePremiere;
        SauvegardeSelection = SauvegardePremiere + SauvegardeLigne;
        return;
    }
    for (int i = 0; i < 4; ++i) {
        if (!ClicZone(LignesListe[static_cast<size_t>(i)])) continue;
        if (SauvegardePremiere + i == SauvegardeSelection) {
            DebutSaisie();
        } else {
            SauvegardeLigne = i;
            SauvegardeSelection = SauvegardePremiere + i;
        }
        return;
    }
}

void SaisieNom() {
    if (ToucheCaractere) {
        const size_t n = std::strlen(NomSaisi);
        if (n < LONGUEUR_NOM && ToucheCaractere >= 32 && ToucheCaractere != 127) {
            NomSaisi[n] = static_cast<char>(ToucheCaractere);
            NomSaisi[n + 1] = 0;
        }
        ToucheCaractere = 0;
    }
    if (Pris(ToucheRetourArriere)) {
        const size_t n = std::strlen(NomSaisi);
        if (n > 0) NomSaisi[n - 1] = 0;
    }
    const bool valide = Pris(ToucheEntree) || ClicZone(ZONE_OK);
    const bool annule = !valide && (Pris(ToucheEchap) || ClicZone(ZONE_ANNULER));
    if (!valide && !annule) return;
    FinSaisie();
    if (valide) Sauver();
    Vers(LISTE_SAUVER, -468, (H() - 314) / 2);
    Attendre(105);
}

void Restaurer() {
    const int32_t slot = SauvegardeSelection;
    std::string erreur;
    if (!Emplacement__Verifier(slot, &erreur)) {
        // Reported; the player stays in the menu with the game as it was.
        Avertissement("MenuJeu()", "Sauvegarde impossible à reprendre : %s", erreur.c_str());
        Attendre(205);
        return;
    }
    ChargementSauvegarde = 1;
    ModeSceneCourant = 1;
    SauvegardeACharger = slot;
    MorvaneCode = 2;
    RoutageOn = 1;
    Terminer(1);
}

void Etape() {
    switch (MenuJeuEtat) {
        case -2:
            for (int i = SAUVER; i <= QUITTER; ++i) EnPlace(i);
            Attendre(-1);
            return;
        case -1:
        case 107:
        case 207:
            if (Fini()) MenuJeuEtat = 0;
            return;
        case 0:
            if (Pris(ToucheEchap)) {
                Choix = -1;
                for (int i = SAUVER; i <= QUITTER; ++i) Dehors(i);
                Attendre(1);
            } else if (SurCarte() && ClicSur(SAUVER)) {
                Choix = 0;
                for (int i = CHARGER; i <= QUITTER; ++i) Dehors(i);
                Attendre(100);
            } else if (SurCarte() && ClicSur(CHARGER)) {
                Choix = 1;
                Dehors(SAUVER);
                Dehors(OPTIONS);
                Dehors(QUITTER);
                Attendre(200);
            } else if (ClicSur(OPTIONS)) {
                Options__Ouverture();
                Dehors(SAUVER);
                Dehors(CHARGER);
                Dehors(QUITTER);
                Attendre(300);
            } else if (ClicSur(QUITTER)) {
                Choix = 2;
                for (int i = SAUVER; i <= OPTIONS; ++i) Dehors(i);
                Attendre(600);
            }
            return;
        case 1:
            if (Fini()) Terminer(-1);
            return;

        // Saving.
        case 100:
            if (Fini()) {
                EnHaut(SAUVER);
                Attendre(101);
            }
            return;
        case 101:
            if (Fini()) {
                Vers(LISTE_SAUVER, (W() - 458) / 2, (H() - 314) / 2);
                Attendre(102);
            }
            return;
        case 102:
            if (Fini()) {
                ListeSauvegardes__Ouverture(B(LISTE_SAUVER).x, B(LISTE_SAUVER).y);
                MenuJeuEtat = 103;
            }
            return;
        case 103:
            ChoixEmplacement();
            return;
        case 104:
            SaisieNom();
            return;
        case 105:
            if (Fini()) {
                EnPlace(SAUVER);
                Attendre(106);
            }
            return;
        case 106:
            if (Fini()) {
                for (int i = CHARGER; i <= QUITTER; ++i) EnPlace(i);
                Attendre(107);
            }
            return;

        // Loading.
        case 200:
            if (Fini()) {
                EnHaut(CHARGER);
                Attendre(201);
            }
            return;
        case 201:
            if (Fini()) {
                Vers(LISTE_CHARGER, 94, (H() - 314) / 2);
                Attendre(202);
            }
            return;
        case 202:
            if (Fini()) {
                ListeSauvegardes__Ouverture(B(LISTE_CHARGER).x, B(LISTE_CHARGER).y);
                MenuJeuEtat = 203;
            }
            return;
        case 203:
            switch (ListeSauvegardes__Saisie()) {
                case ActionPanneau::Valider:
                    if (!SauvegardeVide[SauvegardeSelection]) {
                        Vers(LISTE_CHARGER, -468, (H() - 314) / 2);
                        Vers(CHARGER, W(), HAUT);
                        Attendre(204);
                        break;
                    }
                    [[fallthrough]];   // an empty slot: nothing to load
                case ActionPanneau::Annuler:
                    Vers(LISTE_CHARGER, -468, (H() - 314) / 2);
                    Attendre(205);
                    break;
                default: break;
            }
            return;
        case 204:
            if (Fini()) Restaurer();
            return;
        case 205:
            if (Fini()) {
                EnPlace(CHARGER);
                Attendre(206);
            }
            return;
        case 206:
            if (Fini()) {
                EnPlace(SAUVER);
                EnPlace(OPTIONS);
                EnPlace(QUITTER);
                Attendre(207);
            }
            return;

        // Options.
        case 300:
            if (Fini()) {
                ToucheHaut = ToucheBas = ToucheGauche = ToucheDroite = 0;
                EnHaut(OPTIONS);
                Attendre(301);
            }
            return;
        case 301:
            if (Fini()) {
                Vers(PANNEAU_OPTIONS, 94, (H() - 314) / 2);
                Attendre(302);
            }
            return;
        case 302:
            if (Fini()) {
                PanneauOrigine = {B(PANNEAU_OPTIONS).x, B(PANNEAU_OPTIONS).y};
                Attendre(303);
            }
            return;
        case 303:
            switch (Options__Saisie()) {
                case ActionPanneau::Valider:
                case ActionPanneau::Annuler:
                    Vers(PANNEAU_OPTIONS, -468, (H() - 314) / 2);
                    Attendre(304);
                    break;
                case ActionPanneau::CodeParental:
                    MenuJeuEtat = 700;
                    SaisieValideeAvant = SaisieValidee;
                    SaisieEnCours = 1;
                    break;
                default: break;
            }
            return;
        case 304:
            if (Fini()) {
                EnPlace(OPTIONS);
                Attendre(305);
            }
            return;
        case 305:
            if (Fini()) {
                EnPlace(SAUVER);
                EnPlace(CHARGER);
                EnPlace(QUITTER);
                Attendre(306);
            }
            return;
        case 306:
            if (Fini()) MenuJeuEtat = 0;
            return;

        // Leaving.
        case 600:
            if (Fini()) {
                EnHaut(QUITTER);
                Attendre(601);
            }
            return;
        case 601:
            if (Fini()) {
                Vers(BOITE_QUITTER, (W() - 448) / 2, (H() - 166) / 2);
                Attendre(602);
            }
            return;
        case 602:
            if (Fini()) {
                PanneauOrigine = {B(BOITE_QUITTER).x, B(BOITE_QUITTER).y};
                Attendre(603);
            }
            return;
        case 603:
            switch (BoiteQuitter__Saisie()) {
                case ActionPanneau::Valider:
                    Vers(BOITE_QUITTER, -458, (H() - 166) / 2);
                    Vers(QUITTER, W(), HAUT);
                    Attendre(604);
                    break;
                case ActionPanneau::Annuler:
                    Choix = -1;
                    Vers(BOITE_QUITTER, -458, (H() - 166) / 2);
                    Attendre(605);
                    break;
                default: break;
            }
            return;
        case 604:
            if (Fini()) Terminer(2);
            return;
        case 605:
            if (Fini()) {
                EnPlace(QUITTER);
                Attendre(606);
            }
            return;
        case 606:
            if (Fini()) {
                for (int i = SAUVER; i <= OPTIONS; ++i) EnPlace(i);
                MenuJeuEtat = 0;
            }
            return;

        // Parental code, from the keyboard only.
        case 700: {
            const ActionPanneau a = CodeParental__Saisie(false);
            if (a == ActionPanneau::Annuler || a == ActionPanneau::Valider) {
                SaisieEnCours = 0;
                SaisieValidee = SaisieValideeAvant;
                MenuJeuEtat = a == ActionPanneau::Valider ? 701 : 303;
            }
            return;
        }
        case 701:
            CodeParental__Validation();
            MenuJeuEtat = 303;
            return;

        default:
            Erreur_Fatale("MenuJeu()", "Etat %d invalide", MenuJeuEtat);
    }
}

// The list with the name being typed in red on its row.
void ListeAvecSaisie() {
    char garde[TAILLE_NOM_SAUVEGARDE];
    std::memcpy(garde, NomsSauvegardes[SauvegardeSelection], sizeof garde);
    NomsSauvegardes[SauvegardeSelection][0] = 0;
    ListeSauvegardes__Affichage();
    std::memcpy(NomsSauvegardes[SauvegardeSelection], garde, sizeof garde);
    const ZoneMenu& r = LignesListe[static_cast<size_t>(SauvegardeLigne)];
    const int x = PanneauOrigine.x + r.x + 32, y = PanneauOrigine.y + r.y + 20;
    const uint32_t avant = Texte__LitCouleur();
    Texte__Couleur(0);
    Texte__AfficheOmbre(x + 1, y + 2, "%s", NomSaisi);
    Texte__Couleur(ROUGE);
    Texte__AfficheOmbre(x, y, "%s", NomSaisi);
    Texte__Couleur(avant);
}

void Surimpression() {
    switch (MenuJeuEtat) {
        case 0: Menu__Logo(LogoMenu::Opaque, MenuJeuDecompte); break;
        case 1:
        case 100:
        case 200:
        case 300:
        case 600: Menu__Logo(LogoMenu::Disparait, MenuJeuDecompte); break;
        case -1:
        case 107:
        case 207:
        case 306:
        case 606: Menu__Logo(LogoMenu::Apparait, MenuJeuDecompte); break;
        case 103:
        case 203: ListeSauvegardes__Affichage(); break;
        case 104: ListeAvecSaisie(); break;
        case 303: Options__Affichage(&B(OPTIONS)); break;
        case 603: BoiteQuitter__Affichage(); break;
        case 700: CodeParental__Affichage(); break;
        default: break;
    }
}

void EcranEntier() {
    EcranDestination.clipGauche = 0;
    EcranDestination.clipHaut = 0;
    EcranDestination.clipDroite = LargeurEcran;
    EcranDestination.clipBas = HauteurEcran;
}

}  // namespace

void MenuJeu__Preparation() {
    Entrees_RAZ();
    ClicGauche = 0;
    Choix = -1;
    Fin = false;
    EcranEntier();
    for (int i = 0; i < NB_WIDGETS; ++i) {
        const char* texte = TexteInterface(LIGNES_TEXTES[i]);
        if (i <= QUITTER) Bouton__Initialisation(&B(i), W(), H() - DEPUIS_BAS[i], W() - 320, 35, texte);
        else if (i <= LISTE_CHARGER) Panneau__Initialisation(&B(i), -468, (H() - 314) / 2, 458, 314, texte);
        else if (i == PANNEAU_OPTIONS) Panneau2__Initialisation(&B(i), -468, (H() - 314) / 2, 458, 314, texte);
        else Panneau3__Initialisation(&B(i), -458, (H() - 166) / 2, 448, 166, texte);
    }
    NbBoutonsMenu = NB_WIDGETS;
    MenuJeuEtat = -2;
    MenuJeuDecompte = 0;
}

bool MenuJeu__Tour(int* resultat) {
    // A press since the last turn counts as the button held for this turn, however short it was.
    const bool tenu = BoutonGauche != 0;
    if (ClicGauche) BoutonGauche = 1;
    ClicGauche = 0;
    Etape();
    if (!tenu) BoutonGauche = 0;
    for (int i = 0; i < NbBoutonsMenu && i < NB_WIDGETS; ++i) Bouton__Affichage(&B(i));
    Surimpression();
    Menu__Pointeur();
    if (resultat) *resultat = Choix;
    return Fin;
}

int MenuJeu() {
    // The scene drawn once more and kept: the menu is drawn over this picture.
    PlanObjet__RazAffiche();
    Scene__Affichage();
    const size_t pixels = static_cast<size_t>(LargeurEcran) * static_cast<size_t>(HauteurEcran);
    std::vector<uint16_t> fond;
    if (EcranTampon) fond.assign(EcranTampon, EcranTampon + pixels);
    const int largeurFond = LargeurEcran, hauteurFond = HauteurEcran;
    const EcranSprite cible = EcranDestination;
    const int32_t boutonsAvant = NbBoutonsMenu;
    BoiteMessageFermee = 0;   // no pointer of the scene's own while the menu is open
    MenuJeu__Preparation();
    int resultat = -1;
    bool quitter = false;
    int codeQuitter = 0;
    for (;;) {
        const bool memeEcran = EcranTampon && LargeurEcran == largeurFond && HauteurEcran == hauteurFond;
        if (memeEcran && !fond.empty()) std::copy(fond.begin(), fond.end(), EcranTampon);
        const bool fini = MenuJeu__Tour(&resultat);
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
        if (MenuJeuEtat != 104) Temps_Dormir(66);
    }
    if (SaisieEnCours && (MenuJeuEtat == 104 || MenuJeuEtat == 700)) FinSaisie();
    EcranDestination = cible;
    if (EcranTampon && LargeurEcran == largeurFond && HauteurEcran == hauteurFond && !fond.empty()) {
        std::copy(fond.begin(), fond.end(), EcranTampon);
        Ecran_Affichage();
    }
    Entrees_RAZ();
    BoutonGauche = ClicGauche = 0;
    BoiteMessageFermee = 1;
    NbBoutonsMenu = boutonsAvant;
    if (quitter) {
        // The quit goes on to the loops outside.
        QuitterJeu = 1;
        Message_PosterQuitter(codeQuitter);
        return -1;
    }
    return resultat;
}
