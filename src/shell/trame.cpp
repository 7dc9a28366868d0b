#include "shell/trame.h"

#include <array>
#include <cstddef>

#include "battle/deplacement.h"
#include "battle/impacts.h"
#include "battle/projectiles.h"
#include "battle/simulation.h"
#include "battle/sorts_auto.h"
#include "editors/information.h"
#include "campaign/region.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/journal.h"
#include "foundation/son.h"
#include "frontend/bestiaire.h"
#include "frontend/localisation.h"
#include "frontend/menu_jeu.h"
#include "platform/temps.h"
#include "scene/affichage.h"
#include "scene/carte_reduite.h"
#include "scene/eclairs.h"
#include "scene/meteo.h"
#include "scene/particules.h"
#include "scene/plans.h"
#include "shell/chefs.h"
#include "shell/curseur.h"
#include "shell/cycles.h"
#include "shell/demarrage.h"
#include "shell/requetes.h"
#include "shell/routeur.h"
#include "shell/saisie.h"
#include "shell/scenario.h"
#include "shell/victoire.h"
#include "world/effondrement.h"
#include "world/gestion_objets.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/mort.h"
#include "world/objets.h"

int32_t JeuEnPause = 0;
uint32_t DebutPause = 0;
int32_t RepereX = 0;
int32_t RepereY = 0;
int32_t ReperePixelX = 0;
int32_t ReperePixelY = 0;
uint32_t HorlogeJeu = 0;

uint32_t DerniereTrame = 0;
uint32_t DernierTestVictoire = 0;
uint32_t DerniereMajCarteReduite = 0;
uint32_t DebutScene = 0;
int32_t CompteurTours = 0;
int32_t MessageDebutScene = 0;
int32_t BatailleDecidee = 0;

int32_t ObjetSelectionPremier = 0;
int32_t CarteReduiteSurvolee = -1, CarteReduiteSurvolX = -1, CarteReduiteSurvolY = -1;
int32_t CurseurCaseX = 0, CurseurCaseY = 0;
int32_t SourisSurvol = 0, SourisSurvolAir = 0, SourisSurvolUnite = 0;
int32_t& LueurDestruction = FlashDestruction;

int32_t NuagesActifs = 0;
int32_t CarteReduiteVisible = 0;
int32_t LumiereActive = 0;
int32_t AffichageDegats = 1;
int32_t EngagementLibre = 0;

int32_t& PorteEtat = EtatGrille;
int32_t& PortePassable = BrecheOuverte;
int32_t PointsDeViePorte = 0;

namespace {

constexpr int MODE_CHATEAU = 0, MODE_REGION = 1, MODE_BATAILLE = 2;
constexpr int MAITRE_PORTE_FERMEE = 433;
constexpr int PERIODE_VICTOIRE = 1000, PERIODE_CARTE_REDUITE = 500;
constexpr uint32_t DUREE_MODALE = 10000;   // a call this long ran a modal screen: no present

int32_t CompteurFumee = 0, CompteurFlamme = 0;

void Journal(int ligne, int code = 4) { Messages_Ajout(TexteInterface(ligne), code); }

bool Combat() { return ModeSceneCourant == MODE_CHATEAU || ModeSceneCourant == MODE_BATAILLE; }

// Reads and clears a key flag.
bool Touche(int32_t& drapeau) {
    if (!drapeau) return false;
    drapeau = 0;
    return true;
}

bool CaseCarte(int x, int y) { return x >= 0 && x < 128 && y >= 0 && y < 128; }

// Signed clock comparisons: a stamp in the future is pulled back to now first.
bool TimerEchu(uint32_t* stamp, int32_t periode) {
    if (static_cast<int32_t>(*stamp - HorlogeJeu) > 0) *stamp = HorlogeJeu;
    if (static_cast<int32_t>(HorlogeJeu - *stamp) > periode) {
        *stamp = HorlogeJeu;
        return true;
    }
    return false;
}

void SurvolCarteReduite() {
    const int W = EcranDestination.clipDroite, H = EcranDestination.clipBas;
    const int dx = CarteReduiteDecalageX, dy = CarteReduiteDecalageY;
    if (W + dx - 115 < SourisX && SourisX < W - 19 - dx && H + dy - 115 < SourisY && SourisY < H - 19 - dy &&
        CarteReduiteEchelleX != 0.0f && CarteReduiteEchelleY != 0.0f) {
        CarteReduiteSurvolee = 1;
        CarteReduiteSurvolX = static_cast<int32_t>(static_cast<float>(SourisX - (W - 120) - 5 - dx) / CarteReduiteEchelleX);
        CarteReduiteSurvolY = static_cast<int32_t>(static_cast<float>(SourisY - (H - 120) - 5 - dy) / CarteReduiteEchelleY);
    } else {
        CarteReduiteSurvolee = CarteReduiteSurvolX = CarteReduiteSurvolY = -1;
    }
}

// The objects under the cursor, one per layer, by growing squares round its cell (the search
// skips cells off the map, which the view may reach past its edge).
void SurvolObjets() {
    SourisSurvol = SourisSurvolAir = SourisSurvolUnite = 0;
    const int x = RepereX + CurseurCaseX, y = RepereY + CurseurCaseY;
    const bool filtre = SortArme != -1 && ObjetSelectionPremier != 0;
    struct Couche {
        const int32_t* grille;
        int32_t* resultat;
    };
    const std::array<Couche, 3> couches{{{GrilleSol, &SourisSurvol}, {GrilleAir, &SourisSurvolAir},
                                         {GrilleUnites, &SourisSurvolUnite}}};
    for (int rayon = 0; rayon <= 4; ++rayon)
        for (const Couche& c : couches) {
            if (*c.resultat != 0 || c.grille == nullptr) continue;
            const int trouve = Grille__ChercheVoisin(x, y, rayon, c.grille);
            if (trouve != 0 && filtre && !Sort__CibleAutorisee(ObjetSelectionPremier, trouve, SortArme)) continue;
            *c.resultat = trouve;
        }
}

void Pause__Debut() {
    JeuEnPause = 1;
    CD__Volume(VolumeMusique / 2);
    DebutPause = Temps_Ticks();
}

// The pause's length is taken out of the scenario's timers, whichever key ended it.
void Pause__Fin() {
    JeuEnPause = 0;
    CD__Volume(VolumeMusique);
    Conditions_DecalageTemps(Temps_Ticks() - DebutPause);
}

bool TestVictoire() {
    if (BatailleDecidee) return false;
    ResultatBatailleCourant = Conditions_Verification();
    return Trame__ResultatVictoire(ResultatBatailleCourant);
}

// The nine cells in front of the gate; a cell off the map counts as taken.
bool DevantPorteLibre() {
    for (int y = PorteY + 11; y <= PorteY + 13; ++y)
        for (int x = PorteX + 4; x <= PorteX + 6; ++x)
            if (!CaseCarte(x, y) || Univers__CaseUnites(x, y) != 0) return false;
    return true;
}

void Porte__Manoeuvre() {
    if (PorteOuverte) {
        if (!DevantPorteLibre()) return;
        PorteOuverte = 0;
        PortePassable = 0;
        FortificationDetruite = 0;
        Son__Joue(2017);
        Journal(99, 0);
        const int g = Groupe___Creation(MAITRE_PORTE_FERMEE, ArmeeBatiments, PorteX + 4, PorteY + 11, 1, 1, 1);
        if (Groupe__Actif(g) && TableGroupes[static_cast<size_t>(g)].nbMembres > 0) {
            ObjetPorte = TableGroupes[static_cast<size_t>(g)].membres[0];
            TableObjets[static_cast<size_t>(ObjetPorte)].pointsDeVie = PointsDeViePorte;
        }
    } else {
        PorteOuverte = 1;
        PortePassable = 1;
        Son__Joue(2018);
        Journal(100, 0);
        PorteEtat = -1;
        if (ObjetPorte > 0 && ObjetPorte < NOMBRE_OBJETS) {
            PointsDeViePorte = TableObjets[static_cast<size_t>(ObjetPorte)].pointsDeVie;
            Objet__Mort(ObjetPorte, 2);
        }
    }
}

bool ChefMaitre(int t) {
    switch (t) {
        case 5: case 120: case 121: case 122: case 123: case 124: case 125: case 374: case 376: return true;
        default: return false;
    }
}

// Every selectable group of the player, leaders' groups first, each kind in list order.
void SelectionTout() {
    Groupe__DeselectionTout();
    std::array<int32_t, 100> chefs{};
    std::array<int32_t, NOMBRE_GROUPES> autres{};
    int nbChefs = 0, nbAutres = 0;
    for (NoeudEntier* n = ListeGroupesActifs; n && n->suivant; n = n->suivant) {
        const int g = n->valeur;
        if (!Groupe__Actif(g)) continue;
        const Groupe& gr = TableGroupes[static_cast<size_t>(g)];
        if (gr.nbMembres <= 0 || gr.membres == nullptr) continue;
        const Objet& premier = TableObjets[static_cast<size_t>(gr.membres[0])];
        if (premier.armee != 0 || !premier.selectionnable) continue;
        Groupe__Selection(g);
        if (!premier.selectionne) continue;   // a routed group or a gate stays out
        if (ChefMaitre(premier.typeMaitre)) {
            if (nbChefs < static_cast<int>(chefs.size())) chefs[static_cast<size_t>(nbChefs++)] = g;
        } else if (nbAutres < static_cast<int>(autres.size())) {
            autres[static_cast<size_t>(nbAutres++)] = g;
        }
    }
    int k = 0;
    for (int i = 0; i < nbChefs && k < NOMBRE_GROUPES; ++i) GroupesSelectionnes[static_cast<size_t>(k++)] = chefs[static_cast<size_t>(i)];
    for (int i = 0; i < nbAutres && k < NOMBRE_GROUPES; ++i) GroupesSelectionnes[static_cast<size_t>(k++)] = autres[static_cast<size_t>(i)];
    NombreGroupesSelectionnes = k;
}

void GroupesNumerotes(bool rappel) {
    static int32_t* const chiffres[] = {&Touche1, &Touche2, &Touche3, &Touche4, &Touche5,
                                        &Touche6, &Touche7, &Touche8, &Touche9, &Touche0};
    bool rappele = false;
    for (int i = 0; i < 10; ++i) {
        if (!Touche(*chiffres[i])) continue;
        const int n = (i + 1) % 10;
        if (rappel) rappele |= GroupesSelection__Rappeler(n) != 0;
        else GroupesSelection__Memoriser(n);
    }
    if (rappele) Vue__CentrageSelection();
    ToucheCaractere = 0;
}

void EngagementBascule() {
    EngagementLibre = !EngagementLibre;
    if (GroupeEnSelection == -1) return;
    for (int i = 0; i < NombreGroupesSelectionnes; ++i) {
        const int g = GroupesSelectionnes[static_cast<size_t>(i)];
        if (!Groupe__Actif(g)) continue;
        Groupe& gr = TableGroupes[static_cast<size_t>(g)];
        if (gr.enDeroute) continue;
        gr.engagementLibre = EngagementLibre;
        Groupe__VitesseCommune(g, EngagementLibre ? -1 : 1);
    }
}

void Echap() {
    if (JeuEnPause) {
        // Only the pause ends; the flag stays for the next pass.
        Pause__Fin();
        return;
    }
    ToucheEchap = 0;
    if (GroupeEnSelection == -1) {
        // A scene already ending keeps its end request: the menu would reuse the flag.
        if (SaisieValidee) return;
        if (MenuJeu() == 2) {
            MorvaneCode = 6;
            SaisieValidee = 1;
        }
        return;
    }
    Groupe__DeselectionTout();
    DemandeSelection = 0;
    DebutSelectionIcone = 0;
    SourisAccumul = 0;
    ApparenceSouris = 0;
    MarqueurOrdre = 0;
    MarqueurOrdreType = 0;
    MarqueurOrdreX = MarqueurOrdreY = -1;
}

// The key commands of a logic pass; true when the frame ends now (RoutageOn is set).
bool Commandes() {
    const int mode = ModeSceneCourant;
    Touche(ToucheI);
    if (Touche(ToucheN) && Combat()) {
        NuagesActifs = !NuagesActifs;
        Journal(NuagesActifs ? 95 : 94);
    }
    if (MessageDebutScene == 0) {
        MessageDebutScene = 1;
        Journal(96);
    }
    if (Touche(ToucheM)) {
        if (JournalActif) {
            Messages_Initialisation();
            Journal(98);
            JournalActif = 0;
        } else {
            Journal(97);
            JournalActif = 1;
        }
    }
    if (Touche(ToucheTab)) {
        CarteReduiteVisible = !CarteReduiteVisible;
        PanneauRegionVisible = !PanneauRegionVisible;
    }
    ToucheEntreeTexte = 0;   // Return outside a text entry
    if (Touche(ToucheEntree) && !JeuEnPause && PorteEtat == 0 && PorteManoeuvrable && PorteTrouvee)
        Porte__Manoeuvre();
    Defilement__Droite();
    Defilement__Gauche();
    Defilement__Bas();
    Defilement__Haut();
    if (Touche(ToucheF1)) {
        const char* aide = mode == MODE_BATAILLE ? "..\\Texte\\Generiques\\Aide.txt"
                           : mode == MODE_REGION ? "..\\Texte\\Generiques\\AideRegion.txt"
                                                 : "..\\Texte\\Generiques\\AideChateau.txt";
        RequesterFichier(857, aide);
    }
    // The debug pages stay off in play; the developer option lets F5 open and close them.
    if (Information__OptionDeveloppeur()) {
        if (Touche(ToucheF5)) Information__Bascule();
    } else {
        ToucheF5 = 0;
    }
    if (CtrlEnfonce && ToucheCaractere) GroupesNumerotes(false);
    if (AltEnfonce && ToucheCaractere) GroupesNumerotes(true);
    if (Touche(ToucheB)) BestiaireEcran();
    if (Touche(ToucheS) && mode == MODE_BATAILLE) {
        if (JeuEnPause) Pause__Fin();
        else Pause__Debut();
    }
    if (JeuEnPause && mode == MODE_BATAILLE) Son__JoueIntervalle(2010, 3500);
    if (Touche(ToucheW) && Combat()) Unite__Suivante();
    if (Touche(ToucheA) && mode == MODE_BATAILLE) SelectionTout();
    if (Touche(ToucheD)) {
        AffichageDegats = !AffichageDegats;
        Journal(AffichageDegats ? 101 : 102);
    }
    if (Touche(ToucheL) && mode != MODE_REGION) LumiereActive = !LumiereActive;
    if (Touche(ToucheEspace) && NombreGroupesSelectionnes > 0) EngagementBascule();
    if (ToucheEchap) Echap();
    Touche(ToucheF10);
    if (Touche(ToucheR) && mode == MODE_CHATEAU) {
        SaisieValidee = 1;
        RoutageOn = 1;
        ModeSceneCourant = MODE_CHATEAU;
        MorvaneCode = 5;
        return true;
    }
    if (DemandeChateauRegion) {
        DemandeChateauRegion = 0;
        RegionMemoriserEtat();
        RegionSauverLieuxUniques("..\\tmp\\Joueur0\\uniques.txt");
        RegimentNmi_Sauvegarde("..\\tmp\\joueur0\\ennemis.txt");
        SaisieValidee = 1;
        RoutageOn = 1;
        MorvaneCode = 4;
        return true;
    }
    if (SaisieValidee) {
        RoutageOn = 1;
        if (EscarmoucheEnCours == 3 || mode != MODE_BATAILLE || EtatFinPartie >= 2 || MorvaneCode == 6) {
            if (EscarmoucheEnCours == 3) EscarmoucheEnCours = -1;
            MorvaneCode = 6;
        } else {
            MorvaneCode = 3;
        }
        return true;
    }
    return false;
}

// Steps 6.1 to 6.14: logic and drawing. True when the frame ends now.
bool PassageLogique(uint32_t t0) {
    const int mode = ModeSceneCourant;
    if (mode == MODE_REGION) {
        Cycle__Avance(&CompteurTrameRegion, 32);
        CarteRegion__Trame();
    }
    TopFumee = Compteur__Modulo(7, &CompteurFumee);
    TopFlamme = Compteur__Modulo(7, &CompteurFlamme);
    DerniereTrame = t0;
    if (Touche(ToucheC)) Vue__CentrageSelection();
    CurseurCaseX = SourisX / 24;
    CurseurCaseY = (SourisY + 10) / 24;
    if (mode != MODE_REGION) SurvolCarteReduite();
    ReperePixelX = RepereX * 24;
    ReperePixelY = RepereY * 24;
    Cycle__Avance(&CompteurCycle25, 25);
    Cycle__Avance(&CompteurCycle43B, 43);
    Cycle__Avance(&CompteurCycle43, 43);
    Cycle__Avance(&CompteurCycle100, 100);
    if (RepereX & 1) --RepereX;
    if (RepereY & 1) --RepereY;
    if (RepereX < 0) RepereX = 0;
    if (RepereY < 0) RepereY = 0;
    SurvolObjets();
    Cycle__Avance(&CompteurCycle12, 12);
    if (Cycle__Avance(&CompteurCycle20, 20)) Pulsation = -Pulsation;
    Cycle__Avance(&CompteurCycle32, 32);
    if (LueurDestruction > 0) LueurDestruction -= 2;
    FonduNiveau = 0;
    TremblementAmplitude = 0;

    if (!JeuEnPause) {
        ++CompteurTours;
        GroupesGeres = 0;
        Simulation__Tour();
        if (!IAActive) {
            const int32_t temps = static_cast<int32_t>(Temps_Ticks() - DebutScene);
            if (temps < 0 || temps > DelaiDeclenchementIA) IAActive = 1;
        }
        Objets__GestionTour();
        TemporisationMort__Tick();
        EffetImpactGestion();
        Particules_Gestion(FacteurTemps);
        ProjectileGestion();
        if (mode == MODE_BATAILLE) Eclair__Gestion();
        if (mode == MODE_CHATEAU || mode == MODE_BATAILLE) {
            if (TimerEchu(&DernierTestVictoire, PERIODE_VICTOIRE)) {
                Curseur__Masquer();
                if (TestVictoire()) return true;
            }
            if (TimerEchu(&DerniereMajCarteReduite, PERIODE_CARTE_REDUITE) && CarteReduiteVisible)
                CarteReduite_MiseAJour();
        }
        Vent__Evolution();
        Heure__Evolution();
        if (NuagesActifs && CompteurCycle20 % 2 == 0) Nuages__Deplacement();
    }
    PlanObjet__RazAffiche();
    Scene__Affichage();
    ObjetsMorts__Liberation();
    return false;
}

}  // namespace

bool Trame__ResultatVictoire(int resultat) {
    const bool escarmouche = EscarmoucheEnCours == 3;
    switch (resultat) {
        case 0:
            if (!escarmouche) RegionMajListeRegiments();
            SaisieValidee = 1;
            Son__Joue(2012);
            break;
        case 1:
            if (ModeSceneCourant == MODE_CHATEAU) {
                ToucheR = 0;
                SaisieValidee = 1;
                RoutageOn = 1;
                ModeSceneCourant = MODE_CHATEAU;
                MorvaneCode = 5;
                return true;
            }
            if (escarmouche) BatailleDecidee = 1;
            else RegionMajListeRegiments();
            SaisieValidee = 1;
            Son__Joue(2011);
            break;
        case 2:
            SaisieValidee = 1;
            Son__Joue(2012);
            break;
        case 3: Son__Joue(2012); break;
        default: break;
    }
    return false;
}

int32_t TrameJeu() {
    const uint32_t t0 = Temps_Ticks();
    HorlogeJeu = t0;
    if (ModeSceneCourant == MODE_BATAILLE) Ecran_ModeVideo(ResolutionLargeur, ResolutionHauteur);
    else Ecran_ModeVideo(640, 480);

    if (ModeSceneCourant != MODE_REGION) {
        // A right press since the last frame counts as the button held for this frame, however
        // short it was (a tap pressed and released between two frames); it is not held past it.
        const bool droitTenu = BoutonDroit != 0;
        if (ClicDroitEtat) BoutonDroit = 1;
        ClicDroitEtat = 0;
        if (CarteReduiteVisible && CarteReduiteSurvolee != -1 && DemandeSelection == 0) Saisie__MiniCarte();
        else Saisie__Commandes();
        if (!droitTenu) BoutonDroit = 0;
    }
    if (NombreGroupesSelectionnes > 0) {
        const int g = GroupesSelectionnes[0];
        if (Groupe__Actif(g) && TableGroupes[static_cast<size_t>(g)].membres != nullptr &&
            TableGroupes[static_cast<size_t>(g)].nbMembres > 0)
            ObjetSelectionPremier = TableGroupes[static_cast<size_t>(g)].membres[0];
        if (GroupeEnSelection == -1) GroupeEnSelection = g;
    }

    if (Trame__PassageDu(t0, DerniereTrame)) {
        if (PassageLogique(t0)) return 1;
        if (Commandes()) return 1;
    }

    if (Temps_Ticks() - t0 < DUREE_MODALE) Ecran_Affichage();
    return RoutageOn;
}
