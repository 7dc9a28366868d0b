// The campaign step at each region-map scene start: a new region, the return from a battle or
// the castle, the region won and the campaign map, the army lost.
#include <cstring>
#include <string>
#include <vector>

#include "campaign/carte_region.h"
#include "campaign/chargement_armees.h"
#include "campaign/lieux_uniques.h"
#include "campaign/region.h"
#include "campaign/victoire_region.h"
#include "campaign/zone_region.h"
#include "foundation/cinematique.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "foundation/objetsgfx.h"
#include "platform/fichiers.h"
#include "platform/plateforme.h"
#include "platform/son.h"
#include "platform/temps.h"
#include "shell/demarrage.h"
#include "shell/images.h"
#include "shell/requetes.h"
#include "shell/scenario.h"
#include "shell/trame.h"
#include "shell/victoire.h"

namespace {

const char* const OU = "Campagne__etapeRegion()";

// A template copied into the working folder; a failure is said (the step goes on).
void Copier(const std::string& source, const std::string& destination) {
    if (!Fichier_Copier(source.c_str(), destination.c_str(), true))
        Avertissement(OU, "Copie impossible : %s vers %s", source.c_str(), destination.c_str());
}

// The flag of each campaign on the campaign map (none for the tutorial).
constexpr int DRAPEAUX[NB_CAMPAGNES] = {-1, 1369, 1367, 1370, 1368};

}  // namespace

int32_t CampagneCarte__Attente = 66;

void Campagne__CarteEmpire() {
    chargerBitmap("..\\Images\\CarteEmpire.tga", 500);
    if (EcranTampon == nullptr) return;
    const size_t taille = static_cast<size_t>(LargeurEcran) * HauteurEcran;
    std::vector<uint16_t> copie(EcranTampon, EcranTampon + taille);
    const int drapeau = CampagneCourante >= 0 && CampagneCourante < NB_CAMPAGNES ? DRAPEAUX[CampagneCourante] : -1;
    int niveau = 0, tours = 0;
    BoutonGauche = 0;
    while (BoutonGauche != 1 && !QuitterJeu) {
        std::memcpy(EcranTampon, copie.data(), taille * sizeof(uint16_t));
        Message m;
        if (Message_Attente(&m)) {
            if (!Message_Lire(&m)) {
                QuitterJeu = 1;
                break;
            }
            Message_Traduire(&m);
            Message_Distribuer(&m);
        }
        for (int e = 0; e <= EtapeCampagne && e < NB_ETAPES && drapeau >= 0; ++e)
            Sprite__AfficheTrs(drapeau, LargeurEcran / 2, HauteurEcran / 2, e, static_cast<uint8_t>(niveau));
        if (++tours % 5 == 0 && niveau < 31) ++niveau;
        Ecran_Affichage();
        Temps_Dormir(static_cast<uint32_t>(CampagneCarte__Attente));
    }
    BoutonGauche = 0;
}

namespace {

// The army lost: the end of the tutorial, or the campaign's start army again. True when the
// campaign is over.
bool ArmeePerdue() {
    if (CampagneCourante == 0) {
        Cinematique_Jouer("rvf\\Orv0001.rvs", 1, Ecran_AffichageRappel);
        RequesterFichierSimple(864, "..\\texte\\generiques\\mort_o_tutorial.txt");
        return true;
    }
    RequesterFichierSimple(857, "..\\texte\\generiques\\armee_perdue.txt");
    static const char* const DOSSIERS[NB_CAMPAGNES] = {"Tutorial", "Morvane", "Justice", "Empire", "Lumiere"};
    const std::string armee = std::string("..\\Campagnes\\") + DOSSIERS[CampagneCourante] + "\\armee\\";
    for (const char* dossier : {"..\\armees\\Joueur0\\", "..\\tmp\\Joueur0\\"}) {
        Copier(armee + "entete_armee.txt", std::string(dossier) + "entete_armee.txt");
        Copier(armee + "regiment0.txt", std::string(dossier) + "regiment0.txt");
    }
    return false;
}

// The region is won: its ending, the campaign map, the next step.
int RegionGagnee() {
    ToucheG = 0;
    const CarteRegion* c = CarteRegionCourante;
    switch (c->visu) {
        case 1: Cinematique_Jouer(c->fichierVisu, 1, Ecran_AffichageRappel); break;
        case 2: Image__AffichageFondu(c->fichierVisu, 500); break;
        case 3:
            if (EcranTampon) std::memset(EcranTampon, 0, static_cast<size_t>(LargeurEcran) * HauteurEcran * 2);
            RequesterFichierSimple(c->messager, c->fichierVisu);
            break;
        default: break;
    }
    if (!Campagne__DerniereEtape() && !QuitterJeu) Campagne__CarteEmpire();
    ++EtapeCampagne;
    TexteRegionAffiche = 0;
    if (Region__Courante() != 0) {
        const std::string niveau = std::string(Chemin__Region()) + ".mv";
        Conditions_Initialisation();
        ConditionsChargement(niveau.c_str());
        Region__liberer();
        return 3;
    }
    Region__liberer();
    return CampagneCourante != 0 ? 2 : 1;
}

}  // namespace

namespace {
int Etape();
}

int Campagne__etapeRegion() {
    const int32_t campagne = CampagneCourante, etape = EtapeCampagne;
    const int resultat = Etape();
    char ligne[96];
    std::snprintf(ligne, sizeof ligne, "Campagne__etapeRegion(): campagne %d, etape %d, resultat %d", campagne, etape, resultat);
    Trace_Debogueur(ligne);
    return resultat;
}

namespace {

int Etape() {
    CarteRegion__RemiseAZero();
    // A saved game: restored into the working folder, then its region taken up again. A slot
    // that cannot be restored (reported) sends the player back to the main menu.
    if (ChargementSauvegarde) {
        ResultatBatailleCourant = -1;
        EtatPassageBataille = 1;
        NumeroRegion = 1;
        if (!ChargementPartie(SauvegardeACharger)) {
            ChargementSauvegarde = 0;
            return 2;
        }
        EtatPassageBataille = 1;
    }
    if (Region__Courante() == 0) {
        // A step past the campaign's regions: the campaign is over.
        Region__liberer();
        return CampagneCourante != 0 ? 2 : 1;
    }
    if (EtatPassageBataille != 0) {
        RegionInitialisation();
        ChargementSauvegarde = 0;   // the region was read from the restored "nomcarte.txt"
        InitLieuxUniques("..\\tmp\\Joueur0\\uniques.txt");
        if (ResultatBatailleCourant == 1) {
            RegimentNmi_Compactage();
            ResultatBatailleCourant = -1;
            RegionMettreLieuUniqueEnVisite();
        } else if (ResultatBatailleCourant == 0) {
            ResultatBatailleCourant = -1;
            RegionAnnulerVisiteLieuUnique();
        }
        InitVReg((std::string(Chemin__VictoireRegion()) + ".Vreg").c_str());
        if (RegionVictoireAtteinte()) return RegionGagnee();
        RegimentNmi_Sauvegarde("..\\tmp\\joueur0\\ennemis.txt");
        RegimentNmi_Chargement("..\\tmp\\joueur0\\ennemis.txt");
        RegimentNmi_Creation();
        ChargeRegion__armee();
        Region__JetonsArmee();
        if (RegionArmeePerdue()) {
            if (ArmeePerdue()) {
                Region__liberer();
                return 2;
            }
            ChargeRegion__armee();
            Region__JetonsArmee();
        }
        if (PlacementConfirme == 1) {
            RegionDeplacerRegiments();
            Region__replacerRegiments();
            PlacementConfirme = 0;
        }
    } else {
        RegionViderTmp();
        RepereX = 0;
        RepereY = 0;
        EtatPassageBataille = 1;
        RegionMemoriserEtat();
        RegionInitialisation();
        NumeroRegion = 1;
        const std::string uniques = std::string(Chemin__Uniques()) + ".txt";
        Copier(uniques, "..\\tmp\\Joueur0\\uniques.txt");
        InitLieuxUniques("..\\tmp\\Joueur0\\uniques.txt");
        const std::string ennemis = std::string(Chemin__Ennemis()) + ".txt";
        Copier(ennemis, "..\\tmp\\joueur0\\Ennemis.txt");
        RegimentNmi_Chargement("..\\tmp\\joueur0\\Ennemis.txt");
        for (int i = 0; i < NbRegimentsNmi && i < REGIMENTS_NMI; ++i) {
            const char* f = RegimentsNmi[static_cast<size_t>(i)].fichier;
            Copier(std::string("..\\Armees\\Regimentsnmi\\") + f, std::string("..\\tmp\\joueur0\\") + f);
        }
        // A region that asks for nothing is won as soon as it is reached.
        InitVReg((std::string(Chemin__VictoireRegion()) + ".Vreg").c_str());
        if (RegionVictoireAtteinte()) return RegionGagnee();
        RegimentNmi_Creation();
        RegionInitialisationArmee();
        if (RegionArmeePerdue()) {
            if (ArmeePerdue()) {
                Region__liberer();
                return 2;
            }
            ChargeRegion__armee();
            Region__JetonsArmee();
        }
        PlacementConfirme = 0;
    }
    ZoneAccessible.fill(0);
    RegionDeverrouillerLieuxUniques();
    ChargementSauvegarde = 0;
    return 0;
}

}  // namespace
