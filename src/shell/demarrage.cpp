#include "shell/demarrage.h"

#include <cstdio>

#include "foundation/son.h"
#include "platform/fichiers.h"
#include "shell/trame.h"

int32_t ResolutionLargeur = 640;
int32_t ResolutionHauteur = 480;
int32_t ControleParental = 0;
int32_t CampagneCommencee = 0;

// Until the start-up reads and writes the settings: the seven values as they stand.
void Configuration__Ecriture() {
    FILE* f = Fichier_Ouvrir("..\\INI\\Configuration.ini", "wt");
    if (f == nullptr) return;
    std::fprintf(f, "%d\n%d\n%d\n%d\n%d\n%d\n%d\n", CampagneCommencee, ResolutionLargeur, ResolutionHauteur,
                 VolumeSons, VolumeMusique, NuagesActifs, LumiereActive);
    std::fclose(f);
}
