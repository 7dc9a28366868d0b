#include "scene/affichage.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "battle/projectiles.h"
#include "campaign/campagne.h"
#include "campaign/carte_region.h"
#include "campaign/chateau.h"
#include "editors/information.h"
#include "foundation/ecran.h"
#include "foundation/erreurs.h"
#include "foundation/journal.h"
#include "foundation/objetsgfx.h"
#include "foundation/texte.h"
#include "frontend/localisation.h"
#include "platform/temps.h"
#include "scene/carte_reduite.h"
#include "scene/eclairs.h"
#include "scene/meteo.h"
#include "scene/particules.h"
#include "scene/plans.h"
#include "scene/rectangle.h"
#include "scene/survol.h"
#include "scene/terrain.h"
#include "shell/requetes.h"
#include "shell/routeur.h"
#include "shell/saisie.h"
#include "shell/scenario.h"
#include "shell/trame.h"
#include "shell/victoire.h"
#include "world/deroute.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/mort.h"
#include "world/objets.h"

int32_t AstuceEtat = 0;
int32_t AideChateauAffichee = 0;
uint32_t HeureBanniereChateau = 0;
int32_t ImagePause = 0;

namespace {

constexpr int POLICE_BASE = 2;

int DroiteVue() { return EcranDestination.clipDroite; }
int BasVue() { return EcranDestination.clipBas; }

void MarqueurOrdre__Affichage() {
    // Escape leaves the marker at -1: nothing to show then.
    if (!JeuEnPause || MarqueurOrdre <= 0) return;
    Sprite__Affiche(MarqueurOrdreType == 0 ? 338 : 1295, MarqueurOrdreX - RepereX * 24, MarqueurOrdreY - RepereY * 24,
                    MarqueurOrdre - 1);
    MarqueurOrdre += 2;
    if (MarqueurOrdre >= 25) {
        MarqueurOrdre = 0;
        MarqueurOrdreType = 0;
    }
}

void TextesBataille() {
    if (RequesterOuvert) return;
    if (AstuceEtat == 0) {
        AstuceEtat = 1;
        const bool campagneAvancee = CampagneCourante != 0 && EtapeCampagne != 0;
        if (!campagneAvancee && EscarmoucheEnCours != 3 && !MissionSpecialeEnCours) {
            char fichier[64];
            std::snprintf(fichier, sizeof fichier, "..\\Texte\\Generiques\\Astuce%03d.txt", 1);
            RequesterFichier(857, fichier);
            return;   // the pending texts from the next frame on
        }
    }
    if (AstuceEtat != 1) return;
    AstuceEtat = 2;
    for (int i = 0; i < NbTextesBataille && i < NOMBRE_CONDITIONS; ++i) {
        const TexteBataille& t = TableTextesBataille[static_cast<size_t>(i)];
        if (t.valeur != -1 && t.texte != nullptr) RequesterFichier(t.valeur, t.texte);
    }
    for (int a = 0; a < 5; ++a)
        if (FuiteArmees[static_cast<size_t>(a)]) ArmeeEnFuite(a);
    if (PorteTrouvee && PorteOuverte) {
        // The recorded gate dies only while it is still there.
        if (ObjetPorte > 0 && ObjetPorte < NOMBRE_OBJETS && TableObjets[static_cast<size_t>(ObjetPorte)].noeudListe &&
            TableObjets[static_cast<size_t>(ObjetPorte)].ordreSecondaire < 3) {
            if (EtatGrille == 0) EtatGrille = -1;
            Objet__Mort(ObjetPorte, 2);
        }
    }
}

void BanniereChateau() {
    if (Temps_Ticks() - HeureBanniereChateau < 3000 && NiveauChateau >= 1 && NiveauChateau <= 3) {
        const char* titre = TexteInterface(83 + NiveauChateau);
        if (titre != nullptr) {
            Texte__AfficheAjuste(LargeurEcran / 2 + 3, 38, 0, 0, 0, 1, titre);
            Texte__AfficheAjuste(LargeurEcran / 2, 35, 200, 195, 175, 1, titre);
        }
    }
    if (CampagneCourante == 0 && AideChateauAffichee == 0) {
        AideChateauAffichee = 1;
        RequesterFichier(857, "..\\Texte\\Aide.txt");
    }
}

void SigneEngagement() {
    if (GroupeEnSelection == -1) return;
    int libres = 0, autres = 0;
    for (int i = 0; i < NombreGroupesSelectionnes && i < NOMBRE_GROUPES; ++i) {
        const int g = GroupesSelectionnes[static_cast<size_t>(i)];
        if (g < 0 || g >= NOMBRE_GROUPES) continue;
        if (TableGroupes[static_cast<size_t>(g)].engagementLibre) ++libres;
        else ++autres;
    }
    const int x = DroiteVue() - 32;
    if (libres == 0) {
        Sprite__Affiche(88, x, 24, 0);
    } else if (autres == 0) {
        Sprite__Affiche(88, x, 24, 1);
    } else {
        Sprite__Affiche(88, x, 24, 0);
        Sprite__Affiche(88, DroiteVue() - 64, 24, 1);
    }
}

void Chronometres() {
    if (JeuEnPause || !ChronometresActifs) return;
    for (int i = 0; i < NOMBRE_CHRONOMETRES; ++i) {
        const Chronometre& c = TableChronometres[static_cast<size_t>(i)];
        if (c.duree == -1) continue;
        const int64_t ecoule = static_cast<int32_t>(HorlogeJeu - static_cast<uint32_t>(c.debut));
        const int32_t reste = static_cast<int32_t>(std::clamp<int64_t>(c.duree - ecoule, INT32_MIN, INT32_MAX));
        const int police = Texte__LitFonte();
        Texte__ChoixFonte(POLICE_BASE);
        const uint32_t couleur = Texte__LitCouleur();
        char texte[32];
        bool rouge = false;
        Chronometre__Texte(reste, c.duree, texte, sizeof texte, &rouge);
        if (rouge) Texte__Couleur(0x0000FF);
        TailleTexte t;
        Texte__Taille(texte, &t);
        Texte__AfficheOmbre(LargeurEcran - t.largeur - 20, 50 + i * t.hauteur, "%s", texte);
        Texte__Couleur(couleur);
        Texte__ChoixFonte(police);
    }
}

}  // namespace

void Chronometre__Texte(int32_t reste, int32_t duree, char* texte, size_t taille, bool* rouge) {
    *rouge = reste < static_cast<int64_t>(duree) * 10 / 100;
    int secondes = reste / 1000;
    if (secondes < 0) secondes = 0;
    const int minutes = secondes / 60;
    if (secondes % 60 >= 10) std::snprintf(texte, taille, "%d : %d", minutes, secondes % 60);
    else std::snprintf(texte, taille, "%d : 0%d", minutes, secondes % 60);
}

void Scene__Affichage() {
    // 1. No scene loaded.
    if (GrilleUnites == nullptr) return;
    // 2.
    PlanObjet__MargeGauche();
    Objet* const courant = ObjetCourant;

    // 3. The region map and the skirmish preview draw the map in place of 4 to 22.
    if (ModeSceneCourant != 0 && ModeSceneCourant != 2) {
        CarteRegion__Affichage();
    } else {
        Terrain__Affichage();                                                    // 4
        Particules_Affichage(PlanParticules0.data(), NombreParticules0);         // 5
        PlanObjet__MarquageVisible();                                            // 6
        MoteurAffichage__PlansObjets();
        PlanObjet__FileAffichage();
        if (NuagesActifs) Nuages__Affichage();                                   // 7
        Particules_Affichage(PlanParticules1.data(), NombreParticules1);         // 8
        MarqueurOrdre__Affichage();                                              // 9
        Particules_Affichage(PlanParticules2.data(), NombreParticules2);         // 10
        ProjectileAffichage();                                                   // 11
        if (ModeSceneCourant == 2) Eclair__Affichage();                          // 12
        PlanObjet__AffichageHaut();                                              // 13
        if (CasesNeige >= 81 && !JeuEnPause) Neige__Emission();                  // 14
        if (ModeSceneCourant == 2) TextesBataille();                             // 16
        if (ModeSceneCourant == 0) BanniereChateau();                            // 17
        InfoBulle__Affichage();                                                  // 18
        if (JeuEnPause) Sprite__Affiche(608, DroiteVue() - 32, 62, ImagePause);  // 19
        if (++ImagePause >= 33) ImagePause = 0;
        SigneEngagement();                                                       // 20
        Chronometres();                                                          // 21
        if (CarteReduiteVisible) {                                               // 22
            if (JeuEnPause) CarteReduite_MiseAJour();
            CarteReduite_Affichage();
        }
    }
    ObjetCourant = courant;

    if (ModeSceneCourant != 1) CadreSelection__Affichage();                      // 24
    Messages_Affichage(6, BasVue() - 104, 5);                                    // 25
    Messages_Vieillissement(2);
    PanneauInfo__Affichage();                                                    // 26
    if (BoiteMessageFermee == 1 && CurseurMasque == 0) Curseur__Affichage();     // 27
    if (InformationActive) InformationAffichage();                               // 28
}
