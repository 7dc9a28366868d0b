#include "campaign/bataille_region.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>

#include "campaign/campagne.h"
#include "campaign/chargement_armees.h"
#include "campaign/region.h"
#include "foundation/erreurs.h"
#include "frontend/localisation.h"
#include "platform/hasard.h"
#include "shell/chefs.h"
#include "shell/routeur.h"
#include "shell/trame.h"
#include "world/codes.h"
#include "world/grilles.h"
#include "world/niveau.h"
#include "world/objets.h"
#include "world/univers.h"

int32_t BatailleFort = 0;
char NomNiveauBataille[128] = "..\\niveau\\essai.mv";
const int32_t DecalageEntreeX[9] = {0, -1, -1, -1, 0, 1, 1, 1, 0};
const int32_t DecalageEntreeY[9] = {1, 1, 0, -1, -1, -1, 0, 1, 0};

namespace {

const char* const OU_NIVEAU = "RegionChoisirNiveauBataille()";
const char* const FICHIER_UNIQUES = "..\\tmp\\Joueur0\\uniques.txt";

bool SurLaRegion(int32_t x, int32_t y) { return x >= 0 && x < REGION_LARGEUR && y >= 0 && y < REGION_HAUTEUR; }

// The record of the player's regiment whose token stands on region cell (x, y).
RegimentRegion* RegimentSurCase(int32_t x, int32_t y) {
    if (!SurLaRegion(x, y)) return nullptr;
    const int k = Univers__CaseUnites(x, y);
    if (k < 1 || k >= NOMBRE_OBJETS) return nullptr;
    const Objet& o = TableObjets[static_cast<size_t>(k)];
    if (o.famille != FAMILLE_REGIMENT || o.sorts[0] < 0 || o.sorts[0] >= REGIMENTS_REGION) return nullptr;
    return &RegimentsRegion[static_cast<size_t>(o.sorts[0])];
}

// The enemy regiment of a token: the record its first spell field names, or the one on its cell.
RegimentNmi* RegimentNmiDe(const Objet* o) {
    if (o == nullptr || o->famille != FAMILLE_REGIMENT_NMI) return nullptr;
    const int n = std::min(NbRegimentsNmi, static_cast<int32_t>(REGIMENTS_NMI));
    if (o->sorts[0] >= 0 && o->sorts[0] < n) return &RegimentsNmi[static_cast<size_t>(o->sorts[0])];
    for (int i = 0; i < n; ++i) {
        RegimentNmi& r = RegimentsNmi[static_cast<size_t>(i)];
        if (r.x == o->x && r.y == o->y) return &r;
    }
    return nullptr;
}

void AnnulerVisites() {
    if (CarteRegionCourante == nullptr || CarteRegionCourante->lieuxUniques == nullptr) return;
    for (int i = 0; i < CarteRegionCourante->nbLieuxUniques; ++i)
        if (CarteRegionCourante->lieuxUniques[i].visite == 2) CarteRegionCourante->lieuxUniques[i].visite = 0;
}

void ReinitialiserChefs() {
    for (Chef& c : TableChefs) c.reserve = c.present = -1;
}

// A hidden regiment that opens or receives a battle shows itself and takes its attack values.
void Demasquer(RegimentNmi& r) {
    if (r.comportement != 3) return;
    r.comportement = 1;
    r.nbPA = r.pourAttaqueNbPA;
    r.distVue = r.pourAttaqueDistVue;
}

void FichierConditions(const RegimentNmi& r) { std::snprintf(FichierVbat, sizeof FichierVbat, "%s", r.vbat); }

void TestFort(const RegimentRegion& r) {
    if (r.etat == -1) BatailleFort = 1;
}

// The player's regiments on the 3 x 3 cells round (cx, cy), cells off the region skipped: each
// takes part, from the side where it stands or from `entreeImposee` when that is not -1, and the
// next leader record enters from the same side.
void Rassembler(int32_t cx, int32_t cy, int32_t entreeImposee, bool fort) {
    int chef = 0;
    for (int d = 0; d < 9; ++d) {
        RegimentRegion* r = RegimentSurCase(cx + DecalageEntreeX[d], cy + DecalageEntreeY[d]);
        if (r == nullptr) continue;
        const int32_t cote = entreeImposee != -1 ? entreeImposee : d;
        r->enBataille = 1;
        r->directionEntree = cote;
        Chef& c = TableChefs[static_cast<size_t>(std::min(chef, NOMBRE_CHEFS - 1))];
        if (c.reserve != 1) {
            c.reserve = 1;
            c.PointEntree = cote;
        }
        ++chef;
        if (fort) TestFort(*r);
    }
}

void Passation(int32_t origine) {
    DeploiementEnCours = 0;
    ModeSceneCourant = 1;
    MorvaneCode = 2;
    RoutageOn = 1;
    OrigineBataille = origine;
}

}  // namespace

const char* RegionNomFichierNiveau() { return NomNiveauBataille; }

bool Bataille__EnAttente() {
    const int n = std::min(NbRegimentsNmi, static_cast<int32_t>(REGIMENTS_NMI));
    for (int i = 0; i < n; ++i)
        if (RegimentsNmi[static_cast<size_t>(i)].enBataille == 1) return true;
    return false;
}

int32_t Bataille__DirectionPas(int32_t x, int32_t y, int32_t nx, int32_t ny) {
    // By the column step (-1, 0, +1) and the row step.
    static constexpr int32_t COTES[3][3] = {{7, 6, 5}, {0, 8, 4}, {1, 2, 3}};
    const int sx = (x < nx) - (x > nx), sy = (y < ny) - (y > ny);
    return COTES[sx + 1][sy + 1];
}

void RegionChoisirNiveauBataille(int32_t x, int32_t y) {
    static const char* const TERRAINS[4] = {"plaine", "foret", "montagne", "riviere"};
    ConditionsDepuisFichierVbat = 1;
    const int32_t terrain =
        CarteRegionCourante && SurLaRegion(x, y) ? CarteRegionCourante->terrain[static_cast<size_t>(x * REGION_HAUTEUR + y)] : -1;
    if (terrain >= 0 && terrain <= 3) {
        const char* t = TERRAINS[terrain];
        const int tirage = Hasard_Regles();
        if (BatailleFort) {
            const int n = terrain == 0 ? tirage % 3 + 1 : 1;
            std::snprintf(NomNiveauBataille, sizeof NomNiveauBataille, "..\\niveau\\fort\\%s\\%s00%d.mv", t, t, n);
        } else {
            std::snprintf(NomNiveauBataille, sizeof NomNiveauBataille, "..\\niveau\\%s\\%s00%d.mv", t, t, tirage % 9 + 1);
        }
        std::snprintf(TitreBataille, sizeof TitreBataille, "- %s -", TexteInterface(90 + terrain));
    } else {
        std::snprintf(NomNiveauBataille, sizeof NomNiveauBataille, "..\\niveau\\niveau1.mv");
        std::snprintf(TitreBataille, sizeof TitreBataille, "- %s -", "T'es en niveau 1 mon grand");
    }
    if (CarteRegionCourante && CarteRegionCourante->lieuxUniques)
        for (int i = 0; i < CarteRegionCourante->nbLieuxUniques; ++i) {
            const LieuUnique& l = CarteRegionCourante->lieuxUniques[i];
            if (l.lock == 2 || l.x != x || l.y != y) continue;
            // The site's own level, and its own conditions; a name that does not fit is refused and
            // the terrain's level kept, with its own conditions too.
            char niveau[sizeof NomNiveauBataille];
            const int n = std::snprintf(niveau, sizeof niveau, "%s%.*s.mv", Chemin__NiveauLieuUnique(),
                                        static_cast<int>(sizeof l.nom), l.nom);
            if (n < 0 || static_cast<size_t>(n) >= sizeof niveau)
                Erreur_Question(OU_NIVEAU, "Nom de niveau trop long : %s%.*s.mv", ChaineTravail3,
                                static_cast<int>(sizeof l.nom), l.nom);
            else
                std::snprintf(NomNiveauBataille, sizeof NomNiveauBataille, "%s", niveau);
            ConditionsDepuisFichierVbat = 0;
        }
    BatailleFort = 0;
}

int RegimentNmi_AttaqueArmee(int x, int y) {
    // Two enemies in one tick: the first one's battle is the one played.
    if (Bataille__EnAttente()) return 0;
    Objet* jeton = ObjetCourant;
    RegimentNmi* nmi = RegimentNmiDe(jeton);
    if (nmi == nullptr) return 0;
    AnnulerVisites();
    ReinitialiserChefs();
    nmi->enBataille = 1;
    FichierConditions(*nmi);
    Demasquer(*nmi);
    const int32_t nx = jeton->prochaineCaseX, ny = jeton->prochaineCaseY;
    nmi->directionEntree = Bataille__DirectionPas(jeton->x, jeton->y, nx, ny);
    if (RegimentRegion* defenseur = RegimentSurCase(x, y)) {
        defenseur->enBataille = 1;
        defenseur->directionEntree = 8;
        TestFort(*defenseur);
    }
    RegionSauverLieuxUniques(FICHIER_UNIQUES);
    Rassembler(nx, ny, -1, true);
    RegionMemoriserEtat();
    RegionChoisirNiveauBataille(x, y);
    ObjetCourant = jeton;
    Passation(0);
    return 1;
}

int RegimentNmi_EntreeBataille(int x, int y) {
    if (Bataille__EnAttente()) return 0;
    Objet* jeton = ObjetCourant;
    if (jeton == nullptr) return 0;
    const int32_t nx = jeton->prochaineCaseX, ny = jeton->prochaineCaseY;
    const int k = SurLaRegion(nx, ny) ? Univers__CaseUnites(nx, ny) : 0;
    RegimentNmi* nmi = k >= 1 && k < NOMBRE_OBJETS ? RegimentNmiDe(&TableObjets[static_cast<size_t>(k)]) : nullptr;
    if (nmi == nullptr) return 0;
    AnnulerVisites();
    ReinitialiserChefs();
    nmi->enBataille = 1;
    nmi->directionEntree = 8;
    FichierConditions(*nmi);
    Demasquer(*nmi);
    Rassembler(nx, ny, -1, true);
    RegionMemoriserEtat();
    RegionChoisirNiveauBataille(x, y);
    RegionSauverLieuxUniques(FICHIER_UNIQUES);
    ObjetCourant = jeton;
    Passation(1);
    return 1;
}

int RegimentNmi_BatailleLieuUnique(int site) {
    // The battle with an enemy regiment goes first.
    if (Bataille__EnAttente()) return 0;
    Objet* jeton = ObjetCourant;
    if (jeton == nullptr || CarteRegionCourante == nullptr || CarteRegionCourante->lieuxUniques == nullptr || site < 0 ||
        site >= CarteRegionCourante->nbLieuxUniques)
        return 0;
    AnnulerVisites();
    LieuUnique& lieu = CarteRegionCourante->lieuxUniques[site];
    lieu.visite = 2;
    ReinitialiserChefs();
    Rassembler(jeton->prochaineCaseX, jeton->prochaineCaseY, lieu.entree, false);
    RegionChoisirNiveauBataille(lieu.x, lieu.y);
    std::snprintf(TitreBataille, sizeof TitreBataille, "- %.*s -", static_cast<int>(sizeof lieu.texte), lieu.texte);
    RegionSauverLieuxUniques(FICHIER_UNIQUES);
    RegionMemoriserEtat();
    ObjetCourant = jeton;
    Passation(2);
    return 1;
}

void RegionChargerArmeesEnnemies() {
    // A skirmish brings its own armies; region records left from a campaign stay out of it.
    if (ModeJeuCourant == 3 || EscarmoucheEnCours == 3) return;
    // Only the regiments loaded now are written back after this battle.
    Armee__viderRegimentsCharges();
    char chemin[300];
    for (int i = 0; i < NbRegimentsNmi && i < REGIMENTS_NMI; ++i) {
        const RegimentNmi& r = RegimentsNmi[static_cast<size_t>(i)];
        if (r.enBataille != 1) continue;
        std::snprintf(chemin, sizeof chemin, "..\\tmp\\Joueur0\\%.*s", static_cast<int>(sizeof r.fichier), r.fichier);
        Armee__chargerEnnemi(r.camp, chemin, r.directionEntree, r.joueur);
    }
    for (int i = 0; i < NbRegimentsRegion && i < REGIMENTS_REGION; ++i) {
        const RegimentRegion& r = RegimentsRegion[static_cast<size_t>(i)];
        if (r.enBataille != 1) continue;
        Armee__chargerRegimentJoueur(0, i, r.directionEntree);
        const int32_t droite = 128 - 2 * TuilesVisiblesX, bas = 126 - 2 * TuilesVisiblesY;
        switch (r.directionEntree) {
            case 0: RepereX = 54, RepereY = bas; break;
            case 1: RepereX = 0, RepereY = bas; break;
            case 2: RepereX = 0, RepereY = 54; break;
            case 3: RepereX = 0, RepereY = 0; break;
            case 4: RepereX = 54, RepereY = 0; break;
            case 5: RepereX = droite, RepereY = 0; break;
            case 6: RepereX = droite, RepereY = 54; break;
            case 7: RepereX = droite, RepereY = bas; break;
            case 8: RepereX = 54, RepereY = 54; break;
            default: break;
        }
    }
}
