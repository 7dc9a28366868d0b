#include "shell/routeur.h"

#include <cstddef>

#include "battle/ia.h"
#include "campaign/armee.h"
#include "campaign/campagne.h"
#include "campaign/chateau.h"
#include "campaign/region.h"
#include "campaign/variables.h"
#include "foundation/ecran.h"
#include "foundation/erreurs.h"
#include "frontend/escarmouche.h"
#include "platform/temps.h"
#include "scene/affichage.h"
#include "scene/carte_reduite.h"
#include "shell/chefs.h"
#include "shell/saisie.h"
#include "shell/trame.h"
#include "shell/victoire.h"
#include "world/effondrement.h"
#include "world/experience.h"
#include "world/objets.h"
#include "world/univers.h"
#include "battle/simulation.h"

int32_t ModeSceneCourant = 2;
int32_t MorvaneCode = 1;
int32_t RoutageOn = 1;
int32_t EtatBoucleJeu = 0;
int32_t ModeJeuCourant = -1;
int32_t EscarmoucheEnCours = 0;
int32_t VerificationArmee = 0;
int32_t MissionSpecialeEnCours = 0;
int32_t MissionSpecialeChoisie = 0;
std::array<char*, 32> NomsMissionsSpeciales{};
int32_t OrDebutBataille = 0;
int32_t AmeliorationChateauPossible = 0;

// The battle statistics of the results screen, kept by the battle simulation; these weak
// definitions give way to its own.
extern int32_t CreaturesInvoqueesJoueur, SortsLancesJoueur, AttaquesJoueur, AttaquesAvantageJoueur;
int32_t __attribute__((weak)) CreaturesInvoqueesJoueur = 0;
int32_t __attribute__((weak)) SortsLancesJoueur = 0;
int32_t __attribute__((weak)) AttaquesJoueur = 0;
int32_t __attribute__((weak)) AttaquesAvantageJoueur = 0;

namespace {

// Whether a scene is built (started and not yet torn down).
bool SceneConstruite = false;

void Scene__Fin() {
    MorvaneCode = Region__Quitte();
    SceneConstruite = false;
}

}  // namespace

void CompteursBataille() {
    TotalUnitesAmies = NbUnitesAmiesPrecedent = NbUnitesAmies;
    TotalUnitesEnnemies = NbUnitesEnnemiesPrecedent = NbUnitesEnnemies;
    ExperienceBatailleJoueur = 0;
    CreaturesInvoqueesJoueur = 0;
    SortsLancesJoueur = 0;
    AttaquesJoueur = 0;
    AttaquesAvantageJoueur = 0;
    DebutBataille = Temps_Ticks();
    OrDebutBataille = OrJoueur;
}

void Scene__Demontage() {
    if (SceneConstruite) Scene__Fin();
}

namespace {

// The skirmish set-up was left: a confirmed one starts its battle here.
uint32_t DebutEscarmouche() {
    Region__Quitte();
    SceneConstruite = false;
    if (!EscarmoucheConfirmee) {
        // Nothing to play: back to the main menu rather than a scene on top of the preview.
        ModeJeuCourant = -1;
        return 1;
    }
    ModeSceneCourant = 2;
    ModeJeuCourant = 3;
    MorvaneCode = 10;
    CarteReduiteX = EcranDestination.clipDroite - 120;
    CarteReduiteY = EcranDestination.clipBas - 120;
    VerificationArmee = 1;
    Scene__RemiseAZero();
    Scene__Demarrage();
    if (CampEscarmoucheJoueur >= 0 && CampEscarmoucheJoueur <= 4) Escarmouche__ArmeesVersSections();
    // The battle opens on the player's army, wherever its start cell put it.
    Vue__CentrageArmee(0);
    CompteursBataille();
    return 0;
}

}  // namespace

const char* NomMissionSpeciale() {
    if (MissionSpecialeChoisie < 0 || MissionSpecialeChoisie >= static_cast<int>(NomsMissionsSpeciales.size()))
        return "";
    const char* nom = NomsMissionsSpeciales[static_cast<std::size_t>(MissionSpecialeChoisie)];
    return nom ? nom : "";
}

void Scene__Demarrage() {
    ChargeRegion();
    SceneConstruite = true;
    MessageDebutScene = 0;
    IAActive = 0;
    HorlogeJeu = Temps_Ticks();
    DebutScene = HorlogeJeu;
    DernierTestVictoire = HorlogeJeu;
    DerniereMajCarteReduite = HorlogeJeu;
    // A skirmish won in an earlier scene must not keep this one from being tested.
    BatailleDecidee = 0;
    LueurDestruction = 0;
}

void CarteOperation(int vue) {
    if (vue < 0 || vue > 2) Erreur_Question("CarteOperation()", "PVue inconnu : %d", vue);
}

void Scene__RemiseAZero() {
    AideChateauAffichee = 0;
    for (Chef& c : TableChefs) c = Chef{};
    AlliancesEnAttente.fill(-1);
    DefectionsEnAttente.fill(-1);
    Renforts_RemiseAZero();
    const bool escarmouche = ModeJeuCourant == 3 || ModeSceneCourant == 3;
    if (!escarmouche) {
        ModeSceneCourant = 0;
        Variables__charger();
    } else {
        Variables__chargerEscarmouche();
    }
    Batiments__chargerCatalogue();
    EtapeCampagne = 0;
    CampagneCourante = 0;
}

uint32_t Morvane_Routeur() {
    if (MorvaneCode < 0) Erreur_Question("Morvane_Routeur()", "MorvaneCode == %d", MorvaneCode);
    switch (MorvaneCode) {
        case 1: Scene__RemiseAZero(); return 0;
        case 2: CarteOperation(1); return 0;
        case 3:
            CarteOperation(1);
            CarteOperation(2);
            CompteursBataille();
            return 0;
        case 4: CarteOperation(1); return 0;
        case 5:
            Variables__appliquer();
            Variables__sauvegarder();
            AmeliorationChateauPossible = InterfaceUpgradeChateau__init(NiveauChateau) != 0;
            return 0;
        case 6: return 1;
        case 10: return DebutEscarmouche();
        default: return 0;
    }
}

uint32_t TrameAiguillage() {
    if (RoutageOn) {
        TricheIAJoueur = 0;
        EtatBoucleJeu = 0;
        RoutageOn = 0;
        if (Morvane_Routeur() == 1) return 1;
        if (ModeJeuCourant == 3) ModeJeuCourant = -1;
        else Scene__Demarrage();
    } else {
        if (EtatBoucleJeu == 1) return 0;
        if (TrameJeu() != 0) Scene__Fin();
    }
    const bool quitter = (MissionSpecialeEnCours && ResultatBatailleCourant != -1) || EtatBoucleJeu == 2;
    // The in-game loop is never left with a scene still built.
    if (quitter && SceneConstruite) Scene__Fin();
    return quitter ? 1 : 0;
}
