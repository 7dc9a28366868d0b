#include "editors/information.h"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "battle/occupation.h"
#include "campaign/armee.h"
#include "campaign/campagne.h"
#include "campaign/chargement_armees.h"
#include "campaign/chateau.h"
#include "campaign/gestion_armee.h"
#include "campaign/region.h"
#include "editors/editeur_batiment.h"
#include "editors/editeur_evenements.h"
#include "editors/editeur_particules.h"
#include "editors/editeurs.h"
#include "foundation/entrees.h"
#include "foundation/listes.h"
#include "foundation/objetsgfx.h"
#include "foundation/texte.h"
#include "scene/carte_reduite.h"
#include "scene/meteo.h"
#include "scene/particules.h"
#include "scene/particules_effets.h"
#include "scene/survol.h"
#include "scene/terrain.h"
#include "shell/demarrage.h"
#include "shell/routeur.h"
#include "shell/saisie.h"
#include "shell/trame.h"
#include "shell/victoire.h"
#include "world/batiments.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/objets.h"
#include "world/univers.h"

int32_t InformationActive = 0;
int32_t InformationPage = 0;
int32_t CurseurInformation = 0;
int (*Information__EcranArmee)(int32_t joueur) = InterfaceArmee;
void (*Information__CopierRegiments)(int32_t joueur, const int32_t* survivants) = Armee__copierRegimentTmp;

const char NomsPagesInformation[NOMBRE_PAGES_INFORMATION + 1][50] = {
    "",
    "Informations moteur",
    "Occupation aerienne",
    "Occupation objet",
    "Occupation au sol",
    "Groupe en selection",
    "Editeur de particules",
    "Editeur de batiment",
    "Gestion du jour et de la nuit",
    "Ia varlo : deplacement",
    "Campagne et Ressources",
    "Information de sélection",
    "Liste chainees",
    "Carte (mini map)",
    "Editeur événements",
    "Information Berold : carte de région",
    "Editeur de surface de carte de région",
    "Multi-Selection",
    "Caserne (joueur 0)",
    "Caserne (joueur 1)",
    "Caserne (joueur 2)",
    "Caserne (joueur 3)",
    "Sauver régiment",
    "Condition Victoire",
};

namespace {

constexpr int MODE_CHATEAU = 0, MODE_REGION = 1, MODE_BATAILLE = 2;
constexpr int SPRITE_CASE = 28;
constexpr int SPRITE_CURSEUR = 19;

// Page 22 writes the regiment files once each time it is chosen.
bool Page22Ecrite = false;

bool Lire(int32_t& drapeau) {
    if (!drapeau) return false;
    drapeau = 0;
    return true;
}

// The grid pages: a frame per visible cell and the grid's non-zero values. `valeur` gives the
// value of map cell (x, y), 0 off the map.
template <typename F>
void PageGrille(const char* titre, F valeur, bool lettreO) {
    for (int rangee = 0; rangee < CasesVisiblesY; ++rangee)
        for (int colonne = 0; colonne < CasesVisiblesX; ++colonne) {
            Sprite__Affiche(SPRITE_CASE, 8 + 24 * colonne, 24 * rangee, 0);
            const int x = RepereX + colonne, y = RepereY + rangee;
            if (x < 0 || x >= TAILLE_UNIVERS || y < 0 || y >= TAILLE_UNIVERS) continue;
            const long long v = valeur(x + TAILLE_UNIVERS * y);
            if (v == 0) continue;
            if (lettreO) Texte__AfficheSprite(12 + 24 * colonne, 24 * rangee + 12, "O");
            else Texte__AfficheSprite(12 + 24 * colonne, 24 * rangee + 12, "%lld", v);
        }
    Texte__AfficheSprite(16, 16, "%s", titre);
}

template <typename T>
auto Grille(T* grille) {
    return [grille](int i) -> long long { return grille ? static_cast<long long>(grille[i]) : 0; };
}

void PageMenu() {
    Texte__AfficheSprite(16, 32, "PAGES D'INFORMATION (Haut, Bas, Entree)");
    if (CurseurInformation < 1) CurseurInformation = 1;
    if (Lire(ToucheBas)) ++CurseurInformation;
    if (Lire(ToucheHaut)) --CurseurInformation;
    if (CurseurInformation < 1) CurseurInformation = 1;
    if (CurseurInformation > NOMBRE_PAGES_INFORMATION) CurseurInformation = NOMBRE_PAGES_INFORMATION;
    for (int i = 0; i <= NOMBRE_PAGES_INFORMATION; ++i) {
        Editeurs__LigneMenu(16, 48 + 16 * i, i == CurseurInformation, NomsPagesInformation[i]);
    }
    if (Lire(ToucheEntree)) {
        InformationPage = CurseurInformation;
        Page22Ecrite = false;
    }
}

// One line of a page in the sprite font at (x, *y); *y moves to the next line.
[[gnu::format(printf, 3, 4)]] void LignePage(int x, int* y, const char* format, ...) {
    char texte[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(texte, sizeof texte, format, args);
    va_end(args);
    Texte__AfficheSprite(x, *y, "%s", texte);
    *y += 16;
}

void PageMoteur() {
    int y = 32;
    LignePage(16, &y, "INFORMATIONS MOTEUR");
    LignePage(16, &y, "Repère X : %d", RepereX);
    LignePage(16, &y, "Repère Y : %d", RepereY);
    LignePage(16, &y, "Souris X : %d", SourisX);
    LignePage(16, &y, "Souris Y : %d", SourisY);
    LignePage(16, &y, "Coordonnées Courante X : %d", RepereX + SourisX / 24);
    LignePage(16, &y, "Coordonnées Courante Y : %d", RepereY + SourisY / 24);
    if (BoutonGauche) Texte__AfficheSprite(16, 144, "Bouton 1 de la souris enfoncé");
    if (BoutonDroit) Texte__AfficheSprite(16, 160, "Bouton 2 de la souris enfoncé");
    y = 176;
    LignePage(16, &y, "Apparence de la souris : %d", ApparenceSouris);
    LignePage(16, &y, "Souris Survol: %d", SourisSurvol);
    LignePage(16, &y, "%s", DemandeSelection ? "Demande de sélection" : "Pas de demande de sélection");
    LignePage(16, &y, "Groupe en sélection : %d", GroupeEnSelection);
    LignePage(16, &y, "Début de sélection sur un îcone ou un sort : %d", DebutSelectionIcone);
    LignePage(16, &y, "souris__accumul    : %d", SourisAccumul);
    LignePage(16, &y, "Largeur visible : %d", CasesVisiblesX);
    LignePage(16, &y, "Hauteur visible : %d", CasesVisiblesY);
    LignePage(16, &y, "MorvaneCode : %d", MorvaneCode);
    LignePage(16, &y, "RoutageOn : %d", RoutageOn);
}

const Objet* ObjetTable(int n) {
    if (n < 1 || n >= NOMBRE_OBJETS) return nullptr;
    return &TableObjets[static_cast<size_t>(n)];
}

void PageGroupe() {
    Texte__AfficheSprite(0, 16, "FICHE DU GROUPE EN SELECTION :");
    if (!Groupe__Actif(GroupeEnSelection)) {
        Texte__AfficheSprite(0, 48, "Il n'y a pas de groupe en sélection.");
        return;
    }
    const Groupe& g = TableGroupes[static_cast<size_t>(GroupeEnSelection)];
    const Objet* o = g.nbMembres > 0 && g.membres ? ObjetTable(g.membres[0]) : nullptr;
    static const Objet vide{};
    if (o == nullptr) o = &vide;
    Texte__AfficheSprite(0, 32, "LE GROUPE EN SELECTION EST (interface): %d", GroupeEnSelection);
    int y = 64;
    LignePage(0, &y, "LE GROUPE EN SELECTION EST : %d  SUR %d", g.indice, NombreGroupes);
    LignePage(0, &y, "X : %d", o->x);
    LignePage(0, &y, "Y : %d", o->y);
    LignePage(0, &y, "OFFSET X : %d", o->decalageX);
    LignePage(0, &y, "OFFSET Y : %d", o->decalageY);
    LignePage(0, &y, "DESTINATION X : %d", o->destinationX);
    LignePage(0, &y, "DESTINATION Y : %d", o->destinationY);
    LignePage(0, &y, "IL Y A %d OBJETS DANS CE GROUPE", g.nbMembres);
    // One line per member value, for the first 16 members.
    using Champ = int32_t (*)(const Objet&);
    static const Champ champs[13] = {
        [](const Objet& m) { return m.indice; },         [](const Objet& m) { return m.ordreSecondaire; },
        [](const Objet& m) { return m.cible; },          [](const Objet& m) { return m.groupeCible; },
        [](const Objet& m) { return m.totalEngage; },    [](const Objet& m) { return m.animation; },
        [](const Objet& m) { return m.action; },         [](const Objet& m) { return m.auContact; },
        [](const Objet& m) { return m.resultatTrajet; }, [](const Objet& m) { return m.pointCourantUnite; },
        [](const Objet& m) { return m.attenteCase; },    [](const Objet& m) { return m.etatFuite; },
        [](const Objet& m) { return m.pointsDeVie; },
    };
    y = 192;
    for (int c = 0; c < 13; ++c) {
        std::string texte = "  ";
        for (int k = 0; k < g.nbMembres && k < 16 && g.membres; ++k) {
            const Objet* m = ObjetTable(g.membres[k]);
            char t[24];
            std::snprintf(t, sizeof t, c == 0 ? " %3d" : "  %2d", m ? champs[c](*m) : 0);
            texte += t;
        }
        LignePage(0, &y, "%s", texte.c_str());
    }
    y = 400;
    LignePage(0, &y, "PosDep=%d NumTrajet=%d resultat trajet=%d", g.pointCourant, g.nbPointsTrajet, g.resultatTrajet);
    LignePage(0, &y, "Cible : %d %d ", g.butX, g.butY);
    LignePage(0, &y, "Comportement : %d", g.etatGroupe);
    LignePage(0, &y, "ia_dx,ia_dy : %d,%d  destx,desty=%d,%d", g.pasX, g.pasY, g.destinationX, g.destinationY);
    LignePage(0, &y, "Activation IAT: %d TypeFormation=%d", g.geree, g.modeFormation);
    LignePage(0, &y, "FormationBrisee: %d", g.enFuite);
    LignePage(0, &y, "Ia_DepCollectifEffectue: %d", g.suiviDemarre);
    LignePage(0, &y, "FormationArrivee: %d", g.toursArrivee);
    LignePage(0, &y, "Cible: %d groupecible: %d", g.groupeCibleIA, g.groupeCible);
    LignePage(0, &y, "adr: %d ", g.chef);
    LignePage(0, &y, "Defense possible %d, dep collectif %d", g.engagementLibre, g.nouvelOrdre);
    LignePage(0, &y, "x %d y %d, Dx %d, Dy %d", g.ancreX, g.ancreY, g.destinationOrdreX, g.destinationOrdreY);
}

void PageParticules() {
    EffetParticule* e = ListeEffets ? ListeEffets->effet : nullptr;
    if (Lire(ToucheF8) && e) {
        EmissionTest = 1;
        switch (e->plan) {
            case 0: Particules_Emission(e, PlanParticules0.data(), 1000, &NombreParticules0, SourisX, SourisY, 0, -1, 0, -1); break;
            case 1: Particules_Emission(e, PlanParticules1.data(), 1000, &NombreParticules1, SourisX, SourisY, 1, -1, 0, -1); break;
            case 2: Particules_Emission(e, PlanParticules2.data(), 1000, &NombreParticules2, SourisX, SourisY, 2, -1, 0, -1); break;
            default: break;
        }
    }
    if (e) EditeurParticules(e);
    EmissionTest = 0;
}

void PageJourNuit() {
    if (CurseurInformation < 0 || CurseurInformation > 31) CurseurInformation = 0;
    if (Lire(ToucheHaut)) CurseurInformation = (CurseurInformation + 31) % 32;
    if (Lire(ToucheBas)) CurseurInformation = (CurseurInformation + 1) % 32;
    const int ligne = CurseurInformation;
    const bool droite = Lire(ToucheDroite), gauche = Lire(ToucheGauche);
    if (ligne == 4) {
        if (droite) HeureDuJour = (HeureDuJour + 1) % 24;
        if (gauche) HeureDuJour = (HeureDuJour + 23) % 24;
    } else if (ligne >= 8) {
        int32_t& v = TableIntensite[static_cast<size_t>(ligne - 8)];
        if (droite && v < 31) ++v;
        if (gauche && v > 0) --v;
    }
    Texte__AfficheSprite(0, 32, " GESTION DU JOUR ET DE LA NUIT :");
    Texte__AfficheSprite(0, 64, " IL EST %d HEURE(S)", HeureDuJour);
    Texte__AfficheSprite(0, 80, " L'INTENSITE LUMINEUSE (SUR 31) EST : %d.", IntensiteLumineuse);
    Texte__AfficheSprite(0, 96, " VALEUR DE SYNCHRONISATION : %d", DureeHeure);
    Texte__AfficheSprite(0, 112, " SYNCHRONISATION : %d", HeureCompteur);
    for (int h = 0; h < 12; ++h) {
        Texte__AfficheSprite(0, 128 + 16 * h, "  %d HEURES : %d", h, TableIntensite[static_cast<size_t>(h)]);
        Texte__AfficheSprite(180, 128 + 16 * h, "  %d HEURES : %d", h + 12, TableIntensite[static_cast<size_t>(h + 12)]);
    }
    if (ligne < 20) Texte__AfficheSprite(0, 16 * ligne, ">");
    else Texte__AfficheSprite(180, 16 * (ligne - 12), ">");
}

void PageCampagne() {
    Texte__AfficheSprite(16, 32, "Campagnes et Ressources Informations");
    Texte__AfficheSprite(16, 64, "Niveau du chteau : %d", NiveauChateau);
    int y = 80;
    const char* scene = ModeSceneCourant == MODE_CHATEAU  ? "Chateau de Orvandel"
                        : ModeSceneCourant == MODE_REGION ? "Carte de région"
                        : ModeSceneCourant == MODE_BATAILLE ? "Champ de Bataille"
                                                            : nullptr;
    if (scene) Texte__AfficheSprite(16, y, "%s", scene);
    y += 16;
    static const char* const CAMPS[4] = {"Camp de l'Empire", "Camp de la Justice", "Camp de la Lumière", "Camp de la Morvane"};
    if (CampDuJoueur >= 0 && CampDuJoueur < 4) Texte__AfficheSprite(16, y, "%s", CAMPS[CampDuJoueur]);
    y += 16;
    Texte__AfficheSprite(16, y, "ControleParental : %d", ControleParental);
}

// The indices of a list, "%s%d " appended while the line is shorter than 80 characters.
std::string LigneListe(const NoeudEntier* n) {
    std::string ligne;
    for (; n && n->suivant && ligne.size() < 80; n = n->suivant) ligne += std::to_string(n->valeur) + " ";
    return ligne;
}

int Compter(const NoeudEntier* n) {
    int k = 0;
    for (; n && n->suivant; n = n->suivant) ++k;
    return k;
}

void PageListes() {
    Texte__AfficheSprite(16, 48, "GROUPES ET OBJETS LIBRES ET OCCUPES");
    Texte__AfficheSprite(16, 64, "NOMBRE OBJETS  %4d  / %d", Compter(ListeObjetsVivants), NOMBRE_OBJETS);
    Texte__AfficheSprite(16, 80, "NOMBRE GROUPES %4d  / %d", Compter(ListeGroupesActifs), NOMBRE_GROUPES);
    const struct {
        const char* titre;
        const NoeudEntier* liste;
    } listes[4] = {{" OBJETS OCCUPES", ListeObjetsVivants},
                   {" OBJETS LIBRE", ListeObjetsLibres},
                   {" GROUPES OCCUPES", ListeGroupesActifs},
                   {" GROUPES LIBRE", ListeGroupesLibres}};
    for (int i = 0; i < 4; ++i) {
        Texte__AfficheSprite(16, 96 + 32 * i, "%s", listes[i].titre);
        Texte__AfficheSprite(16, 112 + 32 * i, "%s", LigneListe(listes[i].liste).c_str());
    }
}

void PageMiniCarte() {
    int y = 32;
    LignePage(16, &y, "MiniMapXRelatif %d", SourisX - CarteReduiteX);
    LignePage(16, &y, "MiniMapYRelatif %d", SourisY - CarteReduiteY);
    LignePage(16, &y, "SurvolMiniMap   %d", CarteReduiteSurvolee);
    LignePage(16, &y, "PosX   %d", CarteReduiteSurvolX);
    LignePage(16, &y, "PosY   %d", CarteReduiteSurvolY);
    LignePage(16, &y, "DebutDeSelectionSurMiniMap %d", CarteReduiteVisible && CarteReduiteSurvolee != -1 && DemandeSelection);
}

const char* const NON_REGION = "Non applicable, on est pas en vue Région";

void PageRegion() {
    const CarteRegion* carte = CarteRegionCourante;
    if (ModeSceneCourant != MODE_REGION || carte == nullptr) {
        Texte__AfficheSprite(16, 32, "%s", NON_REGION);
        return;
    }
    int y = 16;
    const int cx = RepereX + SourisX / 24, cy = RepereY + SourisY / 24;
    LignePage(16, &y, "Nom de la carte de région : %s", carte->nom ? carte->nom : "");
    LignePage(16, &y, "Nombre de régiments sur la carte : %d", NbRegimentsRegion);
    LignePage(16, &y, "Tour en court : %d", carte->tourEnCours);
    // The selected regiment (a token's first spell word is its region record).
    const RegimentRegion* r = nullptr;
    int numero = -1;
    if (Groupe__Actif(GroupeEnSelection)) {
        const Groupe& g = TableGroupes[static_cast<size_t>(GroupeEnSelection)];
        const Objet* o = g.nbMembres > 0 && g.membres ? ObjetTable(g.membres[0]) : nullptr;
        if (o && o->sorts[0] >= 0 && o->sorts[0] < REGIMENTS_REGION) {
            numero = o->sorts[0];
            r = &RegimentsRegion[static_cast<size_t>(numero)];
        }
    }
    const int32_t terrain = Region__Terrain(cx, cy);
    LignePage(16, &y, "Je survole la case %d %d de cout : %d", cx, cy, r ? Region__CoutTerrain(*r, terrain) : terrain);
    if (r) {
        LignePage(16, &y, "Le Régiment en sélection est : %d sur %d", numero, NbRegimentsRegion);
        LignePage(16, &y, "Régiment Id : %d", numero);
        LignePage(16, &y, "X : %d", r->x);
        LignePage(16, &y, "Y : %d", r->y);
        LignePage(16, &y, "Nom du régiment en sélection : %s", r->nom);
        LignePage(16, &y, "Points d'action : %d", r->pointsAction);
        LignePage(16, &y, "Compteur PA : %d", r->pointsCourants);
        LignePage(16, &y, "Compteur Tour : %d", r->compteurTour);
        LignePage(16, &y, "Trainee Increment : %d", r->indicePas);
        LignePage(16, &y, "Cout en case du trajet : %d", r->coutChemin);
        LignePage(16, &y, "Case restante dans le trajet : %d", r->casesRestantes);
        LignePage(16, &y, "Esquive : %d", r->esquive);
        LignePage(16, &y, "Position : %d  NumTrajet : %d", r->indicePas, r->nbPoints);
        LignePage(16, &y, "Phase d'anim : %d", r->enMouvement);
    }
    for (int i = 0; i < carte->nbLieuxUniques && carte->lieuxUniques; ++i) {
        const LieuUnique& l = carte->lieuxUniques[i];
        if (l.x == cx && l.y == cy) LignePage(16, &y, "Je survole un lieu unique : %s", l.nom);
    }
}

void PageMultiSelection() {
    int y = 32;
    LignePage(16, &y, "Information de multi-sélection");
    y = 64;
    LignePage(16, &y, "SelectioNombre %d", NombreGroupesSelectionnes);
    for (int i = 0; i < NombreGroupesSelectionnes && i < NOMBRE_GROUPES && y < 400; ++i)
        LignePage(16, &y, "%d", GroupesSelectionnes[static_cast<size_t>(i)]);
    LignePage(16, &y, "Fin   de sélection X %d", CadreFinX);
    LignePage(16, &y, "Fin   de sélection Y %d", CadreFinY);
    y += 16;
    LignePage(16, &y, "lMultiX %d", std::min(CadreDebutX, CadreFinX));
    LignePage(16, &y, "lMultiY %d", std::min(CadreDebutY, CadreFinY));
    LignePage(16, &y, "MultiLargeur %d", std::abs(CadreFinX - CadreDebutX));
    LignePage(16, &y, "MultiHauteur %d", std::abs(CadreFinY - CadreDebutY));
    LignePage(16, &y, "Debut de sélection X %d", CadreDebutX);
    LignePage(16, &y, "Debut de sélection Y %d", CadreDebutY);
    LignePage(16, &y, "ActuelX %d", ZoneCurseurX);
    LignePage(16, &y, "ActuelY %d", ZoneCurseurY);
}

const char* const PAGE_RESERVEE = "Page réservée au développeur (MORVANE_DEBUG=1)";

void PageCaserne(int joueur) {
    if (!Information__OptionDeveloppeur()) {
        Texte__AfficheSprite(16, 32, "%s", PAGE_RESERVEE);
        return;
    }
    InformationPage = 0;
    RestrictionsCatalogue = 0;
    Information__EcranArmee(joueur);
    RestrictionsCatalogue = 1;
}

void PageSauverRegiment() {
    if (!Information__OptionDeveloppeur()) {
        Texte__AfficheSprite(16, 32, "%s", PAGE_RESERVEE);
    } else if (!Page22Ecrite) {
        // Once per choice of the page: the working files of the regiments on the map.
        Page22Ecrite = true;
        int32_t survivants[12];
        std::memset(survivants, 1, sizeof survivants);
        Information__CopierRegiments(0, survivants);
    }
    Statistiques_Affichage();
}

}  // namespace

bool Information__OptionDeveloppeur() {
    const char* v = std::getenv("MORVANE_DEBUG");
    return v != nullptr && std::strcmp(v, "1") == 0;
}

void Information__Bascule() {
    if (!InformationActive) {
        InformationActive = 1;
        CurseurMasque = -1;
    } else {
        InformationActive = 0;
        InformationPage = 0;
        CurseurMasque = 0;
    }
}

void InformationAffichage() {
    switch (InformationPage) {
        case 0: PageMenu(); break;
        case 1: PageMoteur(); break;
        case 2: PageGrille("Occupation du plan air", Grille(GrilleAir), false); break;
        case 3:
            PageGrille("Occupation du plan objet", Grille(GrilleUnites), false);
            Texte__AfficheSprite(16, 26, "%d,%d", RepereX + SourisX / 24, RepereY + SourisY / 24);
            break;
        case 4: PageGrille("Occupation du plan sol", Grille(GrilleSol), false); break;
        case 5: PageGroupe(); break;
        case 6: PageParticules(); break;
        case 7:
            // The menu is set before the editors' own loops run, so that a scene drawn behind
            // them meanwhile does not open them again.
            InformationPage = 0;
            EditeurBatiment(1);
            SaisieValidee = 0;
            break;
        case 8: PageJourNuit(); break;
        case 9: PageGrille("Occupation du plan objet", Grille(CarteOccupationSol), true); break;
        case 10: PageCampagne(); break;
        case 11:
            PageGrille("Occupation du plan sol", Grille(GrilleSelection), false);
            Texte__AfficheSprite(16, 32, "MTA");
            break;
        case 12: PageListes(); break;
        case 13: PageMiniCarte(); break;
        case 14:
            InformationPage = 0;
            EdEvenementBoucle();
            break;
        case 15: PageRegion(); break;
        case 16: InformationEditeurSurfaceCarteRegion(); break;
        case 17: PageMultiSelection(); break;
        case 18:
        case 19:
        case 20:
        case 21: PageCaserne(InformationPage - 18); break;
        case 22: PageSauverRegiment(); break;
        case 23: Statistiques_Affichage(); break;
        default:
            // A page that does not exist brings the menu back.
            InformationPage = 0;
            PageMenu();
            break;
    }
    Sprite__Affiche(SPRITE_CURSEUR, SourisX, SourisY, 0);
    Sprite__AfficheOmbre(SPRITE_CURSEUR, static_cast<int16_t>(SourisX + 34), static_cast<int16_t>(SourisY + 38), 0);
}
