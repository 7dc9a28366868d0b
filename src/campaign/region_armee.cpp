// The player's army on the region map: the regiment records read from their files, the tokens on
// the start cells, the turn cycle and the orders.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "campaign/chargement_armees.h"
#include "campaign/ennemis.h"
#include "campaign/lieux_uniques.h"
#include "campaign/region.h"
#include "campaign/region_chemin.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "foundation/listes.h"
#include "platform/fichiers.h"
#include "shell/demarrage.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/objets.h"

namespace {

constexpr int MAITRE_JETON = 338;
constexpr int FAMILLE_REGIMENT = 23;
const char* const OU_INIT = "RegionInitialisation()";

// One "<cle> %d ... %d" line (n values); false when the line is not that.
bool LireLigne(FILE* f, const char* cle, int32_t* valeurs, int n) {
    int lus = -1;
    char format[64];
    std::snprintf(format, sizeof format, "%s%%n", cle);
    if (std::fscanf(f, format, &lus) != 0 || lus < 0) return false;
    for (int i = 0; i < n; ++i) {
        int v = 0;
        if (std::fscanf(f, "%d", &v) != 1) return false;
        valeurs[i] = v;
    }
    // The rest of the line, blanks only.
    int c;
    while ((c = std::fgetc(f)) == ' ' || c == '\t' || c == '\r') {}
    return c == '\n' || c == EOF;
}

// The rest of the line: its first 59 characters kept (a CR dropped), the others skipped.
void LireNom(FILE* f, char* nom) {
    size_t n = 0;
    int c;
    while ((c = std::fgetc(f)) != EOF && c != '\n')
        if (c != '\r' && n + 1 < sizeof RegimentRegion{}.nom) nom[n++] = static_cast<char>(c);
    nom[n] = 0;
}

int LireEntete(const char* chemin) {
    FILE* f = Fichier_Ouvrir(chemin, "rt");
    if (f == nullptr) Erreur_Fatale(OU_INIT, "Fichier armée non trouvé");
    int n = 0;
    const bool lu = std::fscanf(f, "nbRegiments %d", &n) == 1;
    std::fclose(f);
    if (!lu) Erreur_Fatale(OU_INIT, "Format non respecté (nbRegiments %%d\\n)");
    // The table holds 12 regiments.
    if (n < 0 || n > REGIMENTS_REGION) Erreur_Fatale(OU_INIT, "Nombre de régiments incorrect : %d", n);
    return n;
}

void LireFichier(const char* chemin, int i) {
    FILE* f = Fichier_Ouvrir(chemin, "rt");
    if (f == nullptr) Erreur_Fatale(OU_INIT, "Fichier regiment non trouvé");
    std::string erreur;
    const bool lu = Region__LireRegiment(f, &RegimentsRegion[static_cast<size_t>(i)], &erreur);
    std::fclose(f);
    if (!lu) Erreur_Fatale(OU_INIT, "%s", erreur.c_str());
}

void Jeton(int i, int x, int y) {
    NumeroJetonRegiment = i;
    Groupe___Creation(MAITRE_JETON, 0, x, y, 1, 1, 4);
    NumeroJetonRegiment = 0;
    RegimentsRegion[static_cast<size_t>(i)].surCarte = 1;
}

// A regiment placed afresh: its turn state cleared, a full turn of points.
void Preparer(RegimentRegion& r) {
    r.enBataille = 0;
    r.vue = 5;
    r.reserve = 0;
    r.pointsCourants = r.pointsAction;
    r.compteurTour = -1;
    r.casesRestantes = r.engagement = r.toursNecessaires = 0;
    r.embuscadePrete = r.campe = r.compteurEmbuscade = r.attente = r.etat = 0;
    r.esquive = 0;
    r.nbPoints = -1;
    r.indicePas = 0;
    r.enMouvement = 0;
}

Objet* ObjetVivant(NoeudEntier* n) {
    if (n->valeur < 1 || n->valeur >= NOMBRE_OBJETS) return nullptr;
    Objet* o = &TableObjets[static_cast<size_t>(n->valeur)];
    return o->noeudListe ? o : nullptr;
}

bool SurLaRegion(const Objet& o) { return o.x >= 0 && o.x < REGION_LARGEUR && o.y >= 0 && o.y < REGION_HAUTEUR; }

RegimentRegion* FicheDe(const Objet& o) {
    if (o.famille != FAMILLE_REGIMENT || o.sorts[0] < 0 || o.sorts[0] >= REGIMENTS_REGION) return nullptr;
    return &RegimentsRegion[static_cast<size_t>(o.sorts[0])];
}

template <class F>
void PourChaqueRegiment(F f) {
    for (int i = 0; i < NbRegimentsRegion && i < REGIMENTS_REGION; ++i) f(RegimentsRegion[static_cast<size_t>(i)]);
}

}  // namespace

void RegimentRegion__init(int i) {
    if (i < 0 || i >= REGIMENTS_REGION) return;
    RegimentRegion& r = RegimentsRegion[static_cast<size_t>(i)];
    r = RegimentRegion{};
    r.cout[4] = r.coutBis[4] = -1;
    r.compteurTour = -1;
    r.nbPoints = -1;
}

bool Region__LireRegiment(FILE* f, RegimentRegion* r, std::string* erreur) {
    const auto faute = [&](const char* cle) {
        if (erreur) *erreur = std::string("Format non respecté (") + cle + ")";
        return false;
    };
    int32_t v[6] = {};
    if (!LireLigne(f, "Regiment__mort", v, 1)) return faute("Regiment__mort ...");
    if (v[0] != 0) {
        // A dead regiment keeps nothing but its death.
        const size_t i = static_cast<size_t>(r - RegimentsRegion.data());
        if (i < RegimentsRegion.size()) RegimentRegion__init(static_cast<int>(i));
        else *r = RegimentRegion{};
        r->mort = 1;
        return true;
    }
    r->mort = 0;
    int lus = -1;
    if (std::fscanf(f, "Regiment__nom =%n", &lus) != 0 || lus < 0) return faute("Regiment__nom =");
    LireNom(f, r->nom);
    if (!LireLigne(f, "Regiment__pointsAction", &r->pointsAction, 1)) return faute("Regiment__pointsAction ...");
    if (!LireLigne(f, "Regiment__siegeSeul", &r->siegeSeul, 1)) return faute("Regiment__siegeSeul ...");
    static const char* const TERRAINS[4] = {"plaine", "foret", "montagne", "riviere"};
    for (int t = 0; t < 4; ++t) {
        const std::string cle = std::string("Regiment__") + TERRAINS[t];
        if (!LireLigne(f, cle.c_str(), v, 2)) return faute((cle + " ...").c_str());
        r->cout[t] = v[0];
        r->coutBis[t] = v[1];
    }
    r->cout[4] = r->coutBis[4] = -1;
    static const char* const MODES[5] = {"attaquer", "rompre", "embuscade", "marcheForcee", "defense"};
    for (int m = 0; m < 5; ++m) {
        const std::string cle = std::string("Regiment__") + MODES[m];
        if (!LireLigne(f, cle.c_str(), v, 6)) return faute((cle + " ...").c_str());
        for (int k = 0; k < 6; ++k) r->modes[k][m] = v[k];
    }
    r->marcheForcee = r->modes[0][MODE_MARCHE_FORCEE];
    if (!LireLigne(f, "Regiment__leader", &r->leader, 1)) return faute("Regiment__leader ...");
    return true;
}

void RegionInitialisationArmee() {
    const int n = LireEntete("..\\armees\\Joueur0\\entete_armee.txt");
    NbRegimentsRegion = n;
    if (n <= 0) return;
    for (RegimentRegion& r : RegimentsRegion) r.surCarte = 0;
    int suivant = 0;   // the start cells are taken row by row
    char chemin[128];
    for (int i = 0; i < n; ++i) {
        std::snprintf(chemin, sizeof chemin, "..\\armees\\Joueur0\\regiment%d.txt", i);
        LireFichier(chemin, i);
        RegimentRegion& r = RegimentsRegion[static_cast<size_t>(i)];
        if (r.mort != 0) continue;
        Preparer(r);
        const CarteRegion* c = CarteRegionCourante;
        int trouve = -1;
        for (int k = suivant; c && k < REGION_LARGEUR * REGION_HAUTEUR; ++k) {
            const int x = k % REGION_LARGEUR, y = k / REGION_LARGEUR;
            if (c->departs[static_cast<size_t>(x * REGION_HAUTEUR + y)] != 0) {
                trouve = k;
                break;
            }
        }
        if (trouve < 0)
            Erreur_Fatale("RegionInitialisationArmee()", "Pas assez de positions de départ pour les régiments");
        suivant = trouve + 1;
        r.x = trouve % REGION_LARGEUR;
        r.y = trouve / REGION_LARGEUR;
        Jeton(i, r.x, r.y);
    }
}

// Re-entering the region map, once the army's files are in step: the records read again from the
// working copy, the tokens of the living regiments at their cells (a regiment new to this region
// on the first free start cell, column by column).
void Region__JetonsArmee() {
    const int n = LireEntete("..\\tmp\\Joueur0\\entete_armee.txt");
    NbRegimentsRegion = n;
    char chemin[128];
    for (int i = 0; i < n; ++i) {
        std::snprintf(chemin, sizeof chemin, "..\\tmp\\Joueur0\\regiment%d.txt", i);
        LireFichier(chemin, i);
        RegimentRegion& r = RegimentsRegion[static_cast<size_t>(i)];
        if (r.mort != 0) continue;
        if (r.surCarte != 1) {
            Preparer(r);
            r.x = r.y = 0;
            const CarteRegion* c = CarteRegionCourante;
            for (int k = 0; c && k < REGION_LARGEUR * REGION_HAUTEUR; ++k) {
                const int x = k / REGION_HAUTEUR, y = k % REGION_HAUTEUR;
                if (c->departs[static_cast<size_t>(k)] != 0 && Univers__CaseUnites(x, y) == 0) {
                    r.x = x;
                    r.y = y;
                    break;
                }
            }
        }
        Jeton(i, r.x, r.y);
    }
    for (NoeudEntier* nd = ListeObjetsVivants; nd && nd->suivant; nd = nd->suivant) {
        Objet* o = ObjetVivant(nd);
        if (o == nullptr || o->famille != FAMILLE_REGIMENT || !SurLaRegion(*o)) continue;
        o->animation = 0;
        if (Groupe__Actif(o->groupe)) {
            Groupe& g = TableGroupes[static_cast<size_t>(o->groupe)];
            g.nbPointsTrajet = g.pointCourant = 0;
        }
    }
    for (RegimentRegion& r : RegimentsRegion) r.enBataille = 0;
}

bool RegionArmeePerdue() {
    for (int i = 0; i < NbRegimentsRegion && i < REGIMENTS_REGION; ++i)
        if (RegimentsRegion[static_cast<size_t>(i)].mort == 0) return false;
    return true;
}

void RegionRegimentsReinitialiserDrapeau() {
    PourChaqueRegiment([](RegimentRegion& r) { r.enMouvement = 1; });
}

void RegionRegimentsRecupererPoints() {
    PourChaqueRegiment([](RegimentRegion& r) {
        if (r.attente > 0 && r.mort == 0 && r.pointsCourants >= r.attente) {
            r.campe = 1;
            r.attente = 0;
            r.pointsCourants = r.pointsAction;
        }
        if (r.compteurEmbuscade > 0 && r.mort == 0 && --r.compteurEmbuscade == 1) {
            r.embuscadePrete = 1;
            r.compteurEmbuscade = 0;
        }
        if (r.etat == 1) {
            r.pointsCourants = r.pointsAction + r.modes[0][MODE_MARCHE_FORCEE];
        } else if (r.etat == 0) {
            r.pointsCourants = r.pointsAction;
            r.campe = 0;
        } else {
            r.pointsCourants = 0;
        }
    });
}

// Each enemy regiment plans its move of the turn; the player's points follow once nothing moves.
void Region__replacerRegiments() {
    for (int i = 0; i < NbRegimentsNmi && i < REGIMENTS_NMI; ++i) RegimentNmi_Deplacement(i);
    if (RegimentsEnMouvement == 0) RegionPointsMouvementDebutTour();
}

void RegionPointsMouvementDebutTour() {
    PourChaqueRegiment([](RegimentRegion& r) {
        if (r.mort != 0) return;
        if (r.etat == 1) r.pointsCourants = r.pointsAction + r.modes[0][MODE_MARCHE_FORCEE];
        else if (r.etat != 0) r.pointsCourants = 0;
        else r.pointsCourants = r.pointsAction;
    });
}

void RegionEtatsFinTour() {
    PourChaqueRegiment([](RegimentRegion& r) {
        if (r.etat == 1) r.etat = -3;
        if (r.campe) {
            if (r.etat < -3) ++r.etat;
            else if (r.etat != 0) r.etat = -1;
        } else {
            if (r.etat < 0) ++r.etat;
            else r.etat = 0;
        }
    });
}

void RegionOrdreCamper(RegimentRegion* r) {
    if (r && r->etat >= 0 && r->campe == 0) {
        r->etat = -5;
        r->campe = 1;
    }
}

void RegionOrdreMarcheForcee(RegimentRegion* r) {
    if (r == nullptr || !(r->etat == 0 || (r->campe && r->etat == -5))) return;
    const int32_t bonus = r->modes[0][MODE_MARCHE_FORCEE];
    if (bonus <= 0) return;
    r->campe = 0;
    r->etat = 1;
    r->pointsCourants += bonus;
}

void RegionOrdreAnnuler(RegimentRegion* r) {
    if (r && (r->etat == 1 || r->campe)) {
        r->campe = 0;
        r->etat = 0;
        r->pointsCourants = r->pointsAction;
        ToucheEchap = 0;
    }
}

void RegionEngagementsAnnuler() {
    for (RegimentRegion& r : RegimentsRegion) r.engagement = r.toursNecessaires = 0;
}

int RegionRegimentRompre() {
    for (int i = 0; i < NbRegimentsRegion && i < REGIMENTS_REGION; ++i) {
        RegimentRegion& r = RegimentsRegion[static_cast<size_t>(i)];
        const int32_t prix = r.modes[0][MODE_ROMPRE];
        if (r.mort != 0 || r.engagement != 3 || prix == -1 || r.pointsCourants < prix) continue;
        r.pointsCourants -= prix;
        RegionEngagementsAnnuler();
        return 1;
    }
    return 0;
}

void RegionDeplacerRegiments() {
    for (NoeudEntier* nd = ListeObjetsVivants; nd && nd->suivant; nd = nd->suivant) {
        Objet* o = ObjetVivant(nd);
        RegimentRegion* r = o ? FicheDe(*o) : nullptr;
        if (r == nullptr || r->nbPoints < 1 || o->decalageX != 0 || o->decalageY != 0) continue;
        const int i = o->sorts[0];
        const int dernier = std::min(r->nbPoints, POINTS_CHEMIN_REGION) - 1;
        Objet* avant = ObjetCourant;
        ObjetCourant = o;
        const int n = Region__calculerChemin(o->x, o->y, r->chemin[dernier].x, r->chemin[dernier].y, i);
        ObjetCourant = avant;
        RegionRegimentFixerChemin(i, n);
        r->indicePas = 0;
        r->casesRestantes = 0;
    }
}

void RegionMemoriserCases() {
    for (NoeudEntier* nd = ListeObjetsVivants; nd && nd->suivant; nd = nd->suivant) {
        Objet* o = ObjetVivant(nd);
        if (RegimentRegion* r = o ? FicheDe(*o) : nullptr) {
            r->x = o->x;
            r->y = o->y;
        }
    }
}

void RegionDetruireGroupesRegiments() {
    // Destroying a group frees its token, which takes it off the list being walked: gather first.
    std::vector<int> groupes;
    for (NoeudEntier* nd = ListeObjetsVivants; nd && nd->suivant; nd = nd->suivant) {
        Objet* o = ObjetVivant(nd);
        if (o == nullptr || o->famille != FAMILLE_REGIMENT || !SurLaRegion(*o) || !Groupe__Actif(o->groupe)) continue;
        if (std::find(groupes.begin(), groupes.end(), o->groupe) == groupes.end()) groupes.push_back(o->groupe);
    }
    for (int g : groupes)
        if (Groupe__Actif(g)) Groupe__Destruction(g);
}

