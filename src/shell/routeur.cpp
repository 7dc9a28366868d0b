#include "shell/routeur.h"

#include <cstddef>

int32_t ModeSceneCourant = 2;
int32_t MorvaneCode = 1;
int32_t RoutageOn = 0;
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
