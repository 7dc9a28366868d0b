#include "world/univers.h"

#include <cstddef>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "battle/impacts.h"
#include "battle/joueur_evenements.h"
#include "battle/occupation.h"
#include "battle/projectiles.h"
#include "battle/simulation.h"
#include "battle/sorts_actions.h"
#include "campaign/campagne.h"
#include "campaign/chateau.h"
#include "campaign/region.h"
#include "campaign/variables.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "foundation/journal.h"
#include "foundation/objetsgfx.h"
#include "foundation/son.h"
#include "foundation/texte.h"
#include "frontend/escarmouche.h"
#include "platform/blitter.h"
#include "platform/fichiers.h"
#include "platform/hasard.h"
#include "platform/temps.h"
#include "scene/carte_reduite.h"
#include "scene/eau.h"
#include "scene/eclairs.h"
#include "scene/meteo.h"
#include "scene/affichage.h"
#include "platform/son.h"
#include "scene/palettes.h"
#include "scene/particules.h"
#include "scene/particules_effets.h"
#include "scene/survol.h"
#include "shell/curseur.h"
#include "shell/demarrage.h"
#include "shell/routeur.h"
#include "shell/scenario.h"
#include "shell/trame.h"
#include "shell/victoire.h"
#include "world/batiments.h"
#include "world/deroute.h"
#include "world/effondrement.h"
#include "world/experience.h"
#include "world/gestion_objets.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/jetons.h"
#include "world/mort.h"
#include "world/niveau.h"
#include "world/objets.h"

int32_t PasEcranOctets = 0;
int32_t PasEcranDemi = 0;
int32_t PasEcranQuart = 0;
int32_t TuilesVisiblesX = 0;
int32_t TuilesVisiblesY = 0;
int32_t CasesVisiblesX = 0;
int32_t CasesVisiblesY = 0;
int32_t DefilementMaxX = 0;
int32_t DefilementMaxY = 0;
int32_t NombreCasesVisibles = 0;
int32_t LargeurLigneEcran = 0;
std::array<int32_t, 128> DecalageLignes{};
char CheminTampon[1024] = {};
std::array<int32_t, 24> TableIntensite{31, 31, 31, 31, 31, 31, 31, 31, 31, 31, 31, 31,
                                       31, 31, 31, 31, 31, 31, 31, 31, 31, 31, 31, 31};
uint32_t HeureDebutBataille = 0;


namespace {

const char* const OU_CREATION = "UniversCreation()";
constexpr int MAITRE_REPERE = 130;

// The placeholder whose index 1 marks water, lava and impassable cells; its own cell is left empty.
void CreerRepere() {
    const int g = Groupe___Creation(MAITRE_REPERE, ARMEE_REPERE, 1, 1, 1, 1, 1);
    (void)g;
    Univers__EffaceCaseUnites(1, 1);
}

void NiveauChateauCourant() {
    static const char* const Camps[] = {"E", "J", "L", "MV"};
    if (CampDuJoueur < 0 || CampDuJoueur > 3) {
        Erreur_Question(OU_CREATION, "Le CampDuJoueur est incorrect : %d", CampDuJoueur);
        return;
    }
    if (NiveauChateau < 1 || NiveauChateau > 3) return;
    std::snprintf(CheminTampon, sizeof CheminTampon, "..\\Niveau\\Chateau\\%s_Chateau%d.mv", Camps[CampDuJoueur],
                  NiveauChateau);
    NiveauChargement(CheminTampon);
}

}  // namespace

// 24 light levels; a missing or short file keeps the table as it was.
void LireIntensite() {
    const char* chemin = "..\\ini\\intensite.txt";
    FILE* f = Fichier_Ouvrir(chemin, "rt");
    if (f == nullptr) {
        Avertissement("ChargeRegion()", "Fichier absent : %s", chemin);
        return;
    }
    FermetureFlux fermeture{f};
    LecteurJetons l(f);
    std::array<int32_t, 24> table{};
    for (int32_t& v : table) {
        int lu = 0;
        if (!l.Entier(&lu)) {
            Avertissement("ChargeRegion()", "Fichier incomplet : %s", chemin);
            return;
        }
        v = lu;
    }
    TableIntensite = table;
}

namespace {

// The player's armies copied from one folder to the other: the header, then every regiment it lists.
void CopierArmees(const char* de, const char* vers) {
    char source[128], destination[128];
    std::snprintf(source, sizeof source, "%s\\entete_armee.txt", de);
    std::snprintf(destination, sizeof destination, "%s\\entete_armee.txt", vers);
    if (!Fichier_Existe(source)) return;
    if (!Fichier_Copier(source, destination, true)) {
        Erreur_Question("ChargeRegion()", "Copie impossible : %s vers %s", source, destination);
        return;
    }
    int n = 0;
    if (FILE* f = Fichier_Ouvrir(source, "rt")) {
        if (std::fscanf(f, " nbRegiments %d", &n) != 1) n = 0;
        std::fclose(f);
    }
    n = std::clamp(n, 0, REGIMENTS_REGION);
    for (int i = 0; i < n; ++i) {
        std::snprintf(source, sizeof source, "%s\\regiment%d.txt", de, i);
        std::snprintf(destination, sizeof destination, "%s\\regiment%d.txt", vers, i);
        if (!Fichier_Copier(source, destination, true))
            Erreur_Question("ChargeRegion()", "Copie impossible : %s vers %s", source, destination);
    }
}

}  // namespace

void Ecran__Geometrie(int largeur, int hauteur) {
    LargeurEcran = largeur;
    HauteurEcran = hauteur;
    PasEcranOctets = largeur * 2;
    PasEcranDemi = PasEcranOctets / 2;
    PasEcranQuart = PasEcranOctets / 4;
    TuilesVisiblesX = largeur / 48;
    TuilesVisiblesY = hauteur / 48;
    CasesVisiblesX = TuilesVisiblesX * 2;
    CasesVisiblesY = TuilesVisiblesY * 2;
    EcranDestination.clipGauche = 0;
    EcranDestination.clipHaut = 0;
    EcranDestination.clipDroite = CasesVisiblesX * 24;
    EcranDestination.clipBas = CasesVisiblesY * 24;
    DefilementMaxX = 128 - CasesVisiblesX;
    DefilementMaxY = 128 - CasesVisiblesY;
    NombreCasesVisibles = CasesVisiblesX * CasesVisiblesY;
    LargeurLigneEcran = largeur;
    EcranDestination.pixels = EcranTampon;
    EcranDestination.pasPixels = largeur;
    EcranDestination.hauteurPixels = hauteur;
    std::copy(std::begin(BLITTER_FORMAT_555), std::end(BLITTER_FORMAT_555), EcranDestination.format);
    for (int y = 0; y < 128; ++y) DecalageLignes[y] = 128 * y;
}

void Moteur__Initialisation() {
    std::memset(CheminTampon, 0, sizeof CheminTampon);
    Ecran__Geometrie(LargeurEcran, HauteurEcran);
}

void Liste__Vider(NoeudEntier** liste) {
    if (liste == nullptr || *liste == nullptr) return;
    while (!Liste__Vide(*liste)) Liste__Depiler(liste);
}

int UniversCreation() {
    Univers__AlloueGrilles();
    Univers__AlloueGrillesBatiments();
    delete[] GrilleAltitude;
    GrilleAltitude = new int32_t[COTE_ALTITUDE * COTE_ALTITUDE * 4]();
    Nuages__Initialisation();
    Particules_Initialisation();
    ObjetsGroupes__Initialisation();
    ObjetFortification = 0;

    switch (ModeSceneCourant) {
        case 1:
            std::snprintf(CheminTampon, sizeof CheminTampon, "%s.mv", Chemin__Region());
            NiveauChargement(CheminTampon);
            break;
        case 2:
            CreerRepere();
            if (ModeJeuCourant == 3) {
                NiveauChargement(CarteEscarmouche ? CarteEscarmouche : "");
            } else if (MissionSpecialeEnCours) {
                std::snprintf(CheminTampon, sizeof CheminTampon, "..\\Campagnes\\Specials\\%s.mv", NomMissionSpeciale());
                NiveauChargement(CheminTampon);
            } else {
                std::snprintf(CheminTampon, sizeof CheminTampon, "%s", RegionNomFichierNiveau());
                NiveauChargement(CheminTampon);
            }
            break;
        case 3:
            CreerRepere();
            NiveauChargement(CarteEscarmouche ? CarteEscarmouche : "");
            break;
        case 0:
            CreerRepere();
            NiveauChateauCourant();
            break;
        default: break;
    }
    return Univers__AlloueCartes();
}

// Gives back every live object (with its path) and every active group, and clears the counts and
// the current object and group. The lists themselves are the caller's.
static void Univers__RendreObjetsEtGroupes() {
    TemporisationMort__Vidage();
    while (ListeObjetsVivants && !Liste__Vide(ListeObjetsVivants)) {
        const int i = Liste__Valeur(ListeObjetsVivants);
        Objet__LibereTrajet(i);
        Objet__Liberation(i);
    }
    while (ListeGroupesActifs && !Liste__Vide(ListeGroupesActifs)) Groupe__Liberation(Liste__Valeur(ListeGroupesActifs));
    NombreObjetsMorts = 0;
    NombreObjets = 0;
    NombreGroupes = 0;
    GroupeEnSelection = -1;
    NombreGroupesSelectionnes = 0;
    ObjetCourant = nullptr;
    GroupeCourant = nullptr;
}

void Univers__Vider() {
    ProjectileViderListe();
    EffetImpactViderTable();
    Conditions_Liberation();
    Univers__RendreObjetsEtGroupes();
    if (ListeObjetsMorts) Liste__Vider(&ListeObjetsMorts);
    Univers__EffaceGrilles();
    Univers__EffaceGrillesBatiments();
    if (GrilleAltitude) std::fill(GrilleAltitude, GrilleAltitude + COTE_ALTITUDE * COTE_ALTITUDE * 4, 0);
    Niveau__LiberationTuiles();
}

void Univers__RechargeNiveau(const char* fichier) {
    Nuages__Initialisation();
    Particules_Initialisation();
    ObjetFortification = 0;
    CreerRepere();
    NiveauChargement(fichier);
}

void UniversDestruction() {
    Univers__LibereCartes();
    Univers__LibereGrilles();
    Univers__LibereGrillesBatiments();
    delete[] GrilleAltitude;
    GrilleAltitude = nullptr;
    Niveau__LiberationTuiles();
}

void ChargeRegion() {
    // 1. A clean slate.
    Curseur__Masquer();
    Ecran__Geometrie(LargeurEcran, HauteurEcran);
    SimulationCompteur = 0;
    TemporisationMortNbr = 0;
    for (Chronometre& c : TableChronometres) c = Chronometre{-1, -1};
    GroupesSelection__RAZ();
    CD__Volume(VolumeMusique);
    EffetImpactViderTable();
    FuiteArmeeDemandee.fill(0);
    ArmeeEnFuiteFiltre = -1;
    DelaiDeclenchementIA = 0;
    JeuEnPause = 0;
    JoueurBatiments = -1;
    EtatGrille = 0;
    Experience__InitialisationTable2();
    FonduNiveau = 0;
    TremblementAmplitude = 0;

    // 2. Music.
    switch (ModeSceneCourant) {
        case 0: CD__Joue(12 + CampDuJoueur); break;
        case 1: CD__Joue(2); break;
        case 2: CD__Joue(Hasard_Visuel() % 14 + 2); break;
        default: break;
    }

    // 3. Sprites are loaded again on first use; the clocks start now.
    ObjetsGfx_LiberationSprites();
    VerificationArmee = 0;
    CurseurAttenteImage = -1;
    HorlogeJeu = Temps_Ticks();
    Vent__RazChronos();
    Eclair__Liberation();
    HeureBanniereChateau = HorlogeJeu;
    AstuceEtat = 0;
    ChronometresActifs = 0;
    FlashDestruction = 0;

    // 4, 5. The conditions, the projectiles, the world and its level.
    Conditions_Initialisation();
    ChargementSprite();
    Effets_Chargement();
    Effets_AdressesScene();
    ProjectileRazQueue();
    // A busy frame between the loading steps.
    Curseur__Animation();
    EauInit("..\\Sprite\\Eau.spr", "..\\Sprite\\EauDeformation.spr");
    Curseur__Animation();
    LaveInit("..\\Sprite\\Lave.spr", "..\\Sprite\\LaveDeformation.spr");
    Curseur__Animation();
    Eau__Animation();
    Lave__Animation();
    Curseur__Animation();
    UniversCreation();

    // 6, 7.
    LireIntensite();
    if (EcranTampon) std::memset(EcranTampon, 0, static_cast<size_t>(LargeurEcran) * HauteurEcran * 2);
    // The sky settles.
    for (int i = 0; i < 32; ++i) {
        Heure__Evolution();
        Nuages__Deplacement();
    }

    // 8. The campaign step on the region map.
    bool saisieFixee = false;
    if (ModeSceneCourant == 1) {
        EtatBoucleJeu = Campagne__etapeRegion();
        // A new campaign or the next region is prepared by the step again (it may be won at once).
        while (EtatBoucleJeu == 1 || EtatBoucleJeu == 3) {
            if (EtatBoucleJeu == 1) {
                ObjetsGfx_LiberationSprites();
                CampagneCourante = ChoixCamp();
                Campagne__CopieFichiers(CampagneCourante);
                EtapeCampagne = 0;
            } else {
                ChargeRegion__armee();
            }
            EtatPassageBataille = 0;
            EtatBoucleJeu = Campagne__etapeRegion();
        }
        if (EtatBoucleJeu == 2) {
            EtapeCampagne = 0;
            MorvaneCode = 1;
            SaisieValidee = 1;
            saisieFixee = true;
        }
    }

    // 9. The terrain set: the region's picture cut in tiles, or the battle's.
    if (ModeSceneCourant == 1) {
        char carte[64];
        std::snprintf(carte, sizeof carte, "..\\sprite\\region\\Carte%d", Region__Courante());
        if (EtatBoucleJeu == 0) Terrain__Chargement(carte, 520);
    } else {
        Terrain__Chargement("..\\spredit\\moteur\\matiere1", 676);
    }

    // 10. The enemy armies of a region battle.
    if (ModeSceneCourant == 2 && !MissionSpecialeEnCours) RegionChargerArmeesEnnemies();

    // 11.
    GroupeEnSelection = -1;
    NombreGroupesSelectionnes = 0;
    for (int n = 730; n <= 734; ++n) ObjetGfx_Ombre(n, 20);
    Texte__Couleur(0xFFFFFF);
    if (ModeSceneCourant != 1) CarteReduite_Creation();
    if (ModeSceneCourant == 3 || ModeJeuCourant == 3) Variables__chargerEscarmouche();
    else Variables__charger();
    Batiments__chargerCatalogue();
    Scene__InitialisationVariables();
    Messages_Initialisation();

    // 12. A battle starts now.
    if (ModeSceneCourant == 2) {
        HeureDebutBataille = HorlogeJeu;
        IAActive = 0;
        if (!saisieFixee) SaisieValidee = 0;
    }
    // The end request of the battle just left must not end the region map it returns to.
    if (ModeSceneCourant == 1 && !saisieFixee) SaisieValidee = 0;
    // Nor the region map's request for the castle end the castle.
    if (ModeSceneCourant == 0 && CampagneCourante != 0) SaisieValidee = 0;

    // 13. The castle keeps its own copy of the armies.
    if (ModeSceneCourant == 0) {
        CopierArmees("..\\tmp\\Joueur0", "..\\armees\\Joueur0");
        GrillePresente = 0;
        PorteTrouvee = 1;
        EtatGrille = 0;
        FortificationDetruite = 0;
    }

    // 14, 15.
    if (JoueurBatiments != -1) Batiments__AttributionJoueur();
    TotalUnitesAmies = NbUnitesAmies;
    TotalUnitesEnnemies = NbUnitesEnnemies;
    NbUnitesAmiesPrecedent = NbUnitesAmies;
    NbUnitesEnnemiesPrecedent = NbUnitesEnnemies;
    ExperienceBatailleJoueur = 0;
    SortsLancesJoueur = AttaquesJoueur = AttaquesAvantageJoueur = CreaturesInvoqueesJoueur = 0;
    ResultatBataille = -1;
    // Loaded: the arrow again.
    CurseurAttenteImage = -1;
}

int Region__Quitte() {
    // 1.
    const int32_t mode = ModeSceneCourant;
    {
        // For whoever watches the debugger output: how long the scene ran.
        char ligne[96];
        std::snprintf(ligne, sizeof ligne, "Region__Quitte(): scene %d, %d passes", mode, CompteurTours);
        Trace_Debogueur(ligne);
    }
    FonduNiveau = 0;
    TremblementAmplitude = 0;
    Curseur__Masquer();
    ProjectileViderListe();
    EffetImpactViderTable();

    // 2. The end of a skirmish.
    if (ModeJeuCourant != -1 && VerificationArmee == 1) {
        ModeJeuCourant = -1;
        Escarmouche__Liberation();
        delete[] CarteEscarmouche;
        CarteEscarmouche = nullptr;
        EscarmoucheConfirmee = 0;
        VerificationArmee = 0;
    } else {
        VerificationArmee = 1;
    }

    // 3.
    CD__Joue(2);
    ObjetsGfx_LiberationSprites();
    if (mode == 2) {
        Conditions_Liberation();
        Eclair__Liberation();
        CarteReduite_Liberation();
    }

    // 4. The next scene.
    switch (MorvaneCode) {
        case 1:
        case 3:
        case 5:
            ModeSceneCourant = 1;
            MorvaneCode = 2;
            break;
        case 2:
            if (ChargementSauvegarde) {
                ModeSceneCourant = 1;
                MorvaneCode = 2;
            } else {
                ModeSceneCourant = 2;
                MorvaneCode = 3;
            }
            break;
        case 4:
            ModeSceneCourant = 0;
            MorvaneCode = 5;
            break;
        case 7: MorvaneCode = 1; break;
        default: break;
    }

    // 5. Every object, group and list of the world; objects are given back with their paths.
    Univers__RendreObjetsEtGroupes();
    for (NoeudEntier** liste : {&ListeObjetsMorts, &ListeGroupesLibres, &ListeGroupesActifs, &ListeObjetsLibres,
                                &ListeObjetsVivants})
        Liste__Liberer(liste);
    Messages_Liberation();
    Terrain__Liberation();
    UniversDestruction();
    Eau__Liberation();

    // 6. The castle's copy of the armies goes back to the working copy.
    if (mode == 0) CopierArmees("..\\armees\\Joueur0", "..\\tmp\\Joueur0");

    // 7. Leaving the in-game loop.
    if (EtatBoucleJeu == 2) {
        MorvaneCode = 6;
        SaisieValidee = 1;
        RoutageOn = 1;
    }
    return MorvaneCode;
}
