#include "shell/missions.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "battle/occupation.h"
#include "campaign/campagne.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "frontend/localisation.h"
#include "platform/fichiers.h"
#include "shell/demarrage.h"
#include "shell/images.h"
#include "shell/requetes.h"
#include "shell/scenario.h"
#include "shell/trame.h"
#include "shell/victoire.h"
#include "world/descriptions.h"
#include "world/grilles.h"
#include "world/niveau.h"
#include "world/objets.h"
#include "world/univers.h"

char ListeMissionsSpeciales[NOMBRE_MISSIONS_MAXI + 1][TAILLE_NOM_MISSION] = {};
int32_t NbMissionsSpeciales = 0;
int32_t& MissionCourante = MissionSpecialeChoisie;

namespace {

const char* const OU_MISSIONS = "MissionsSpeciales()";
const char* const FICHIER_LISTE = "..\\Campagnes\\Specials\\ListeDesMissions.txt";

bool EstPorte(int32_t maitre) {
    return maitre == 411 || maitre == 451 || maitre == 490 || maitre == 529 || maitre == 568;
}

void Quitter() {
    RoutageOn = 1;
    EtatBoucleJeu = 1;
    MorvaneCode = 6;
    SaisieValidee = 1;
    MissionSpecialeEnCours = 0;
}

}  // namespace

int MissionsSpeciales__Liste() {
    std::string texte;
    if (!Fichier_LireTout(FICHIER_LISTE, &texte)) Erreur_Fatale(OU_MISSIONS, "%s: fichier non trouvé!", FICHIER_LISTE);
    NbMissionsSpeciales = 0;
    size_t i = 0;
    for (;;) {
        while (i < texte.size() && std::isspace(static_cast<unsigned char>(texte[i]))) ++i;
        if (i >= texte.size()) break;
        const size_t debut = i;
        while (i < texte.size() && !std::isspace(static_cast<unsigned char>(texte[i]))) ++i;
        if (NbMissionsSpeciales >= NOMBRE_MISSIONS_MAXI)
            Erreur_Fatale(OU_MISSIONS, "Le nombre de missions maxi est atteint : %d", NbMissionsSpeciales + 1);
        const size_t n = std::min<size_t>(i - debut, TAILLE_NOM_MISSION - 1);
        char* nom = ListeMissionsSpeciales[NbMissionsSpeciales];
        std::memcpy(nom, texte.data() + debut, n);
        nom[n] = 0;
        // The scene start finds the level by the chosen mission's name.
        NomsMissionsSpeciales[static_cast<size_t>(NbMissionsSpeciales)] = nom;
        ++NbMissionsSpeciales;
    }
    for (size_t k = static_cast<size_t>(NbMissionsSpeciales); k < NomsMissionsSpeciales.size(); ++k)
        NomsMissionsSpeciales[k] = nullptr;
    return NbMissionsSpeciales;
}

void MissionsSpeciales() {
    MorvaneCode = 1;
    ModeSceneCourant = 2;
    MissionSpecialeEnCours = 1;
    MissionCourante = 0;
    // A result left by an earlier battle would end this mission on its first turn.
    ResultatBataille = -1;
    if (EcranTampon) std::memset(EcranTampon, 0, static_cast<size_t>(LargeurEcran) * HauteurEcran * 2);
    if (MissionsSpeciales__Liste() == 0) {
        Avertissement(OU_MISSIONS, "%s : aucune mission", FICHIER_LISTE);
        Quitter();
        return;
    }
    MissionsSpeciales__Image("..\\Images\\Ima_0016.tga", 1000);
    RequesterFichierMission(855, "..\\Texte\\Specials\\Mission1.txt");
    if (!QuitterJeu) {
        MissionCourante = std::clamp(MissionCourante, 0, NbMissionsSpeciales - 1);
        std::snprintf(TitreBataille, sizeof TitreBataille, "%s", TexteInterface(131));
        // The same scene start and battle counters as a battle the router starts.
        Scene__Demarrage();
        CompteursBataille();
        RoutageOn = 0;
        EtatBoucleJeu = 0;
        SaisieValidee = 0;
        BoucleJeu(TrameAiguillage);
    }
    // A quit leaves the scene standing: it is torn down here.
    Scene__Demontage();
    Particules__Fin();
    Ecran_ModeVideo(640, 480);
    Quitter();
}

void Scene__InitialisationVariables() {
    ZoneBatimentsPresente = 0;
    PortePassable = 0;
    ZoneBatimentsX = ZoneBatimentsY = 127;
    ZoneBatimentsDroite = ZoneBatimentsBas = 0;
    ZoneBatimentsLargeur = ZoneBatimentsHauteur = 0;
    PorteTrouvee = 0;
    PorteX = PorteY = 0;
    ObjetPorte = 0;
    BrecheOuverte = 0;
    if (GrilleUnites == nullptr) return;
    for (int y = 0; y < TAILLE_UNIVERS; ++y)
        for (int x = 0; x < TAILLE_UNIVERS; ++x) {
            const int32_t i = GrilleUnites[x + TAILLE_UNIVERS * y];
            if (i <= 0 || i >= NOMBRE_OBJETS) continue;
            const Objet& o = TableObjets[static_cast<size_t>(i)];
            if (EstPorte(o.typeMaitre)) {
                PorteTrouvee = 1;
                PorteX = o.x;
                PorteY = o.y;
                // The closed gate is the object made right after its building.
                ObjetPorte = i + 1 < NOMBRE_OBJETS ? i + 1 : 0;
            }
            if (o.classe != 25 || o.typeMaitre == 157) continue;
            ZoneBatimentsPresente = 1;
            // The footprint of its building description in the third orientation.
            int32_t largeur = 0, hauteur = 0;
            if (o.typeMaitre >= 0 && o.typeMaitre < NOMBRE_DESCRIPTIONS) {
                largeur = DescriptionsBatimentG[static_cast<size_t>(o.typeMaitre)].largeur;
                hauteur = DescriptionsBatimentG[static_cast<size_t>(o.typeMaitre)].hauteur;
            }
            ZoneBatimentsX = std::min(ZoneBatimentsX, o.x);
            ZoneBatimentsY = std::min(ZoneBatimentsY, o.y);
            ZoneBatimentsDroite = std::max({ZoneBatimentsDroite, o.x, o.x + largeur - 1});
            ZoneBatimentsBas = std::max({ZoneBatimentsBas, o.y, o.y + hauteur - 1});
            ZoneBatimentsLargeur = ZoneBatimentsDroite - ZoneBatimentsX;
            ZoneBatimentsHauteur = ZoneBatimentsBas - ZoneBatimentsY;
        }
}
