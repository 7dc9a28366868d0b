#include "shell/routeur.h"

#include <cstddef>

#include "battle/ia.h"
#include "frontend/escarmouche.h"
#include "shell/trame.h"
#include "shell/victoire.h"
#include "world/univers.h"

int32_t ModeSceneCourant = 2;
int32_t MorvaneCode = 1;
int32_t RoutageOn = 1;   // the first turn of the in-game loop runs the router
int32_t EtatBoucleJeu = 0;
int32_t ModeJeuCourant = -1;
int32_t EscarmoucheEnCours = 0;
int32_t VerificationArmee = 0;
int32_t MissionSpecialeEnCours = 0;
int32_t MissionSpecialeChoisie = 0;
std::array<char*, 32> NomsMissionsSpeciales{};

const char* NomMissionSpeciale() {
    if (MissionSpecialeChoisie < 0 || MissionSpecialeChoisie >= static_cast<int>(NomsMissionsSpeciales.size()))
        return "";
    const char* nom = NomsMissionsSpeciales[static_cast<std::size_t>(MissionSpecialeChoisie)];
    return nom ? nom : "";
}

// Until the router is built: code 6 goes back to the main menu, code 10 starts the skirmish.
uint32_t Morvane_Routeur() {
    switch (MorvaneCode) {
        case 6: return 1;
        case 10:
            Region__Quitte();
            if (EscarmoucheConfirmee) {
                ModeSceneCourant = 2;
                ModeJeuCourant = 3;
                MorvaneCode = 10;
                VerificationArmee = 1;
            } else {
                ModeJeuCourant = -1;
            }
            ChargeRegion();
            return 0;
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
        else ChargeRegion();
    } else if (EtatBoucleJeu == 1) {
        return 0;
    } else if (TrameJeu() != 0) {
        MorvaneCode = Region__Quitte();
    }
    if (MissionSpecialeEnCours && ResultatBataille != -1) return 1;
    return EtatBoucleJeu == 2 ? 1 : 0;
}
