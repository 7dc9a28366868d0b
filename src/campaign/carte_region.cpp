#include "campaign/carte_region.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "campaign/armee.h"
#include "campaign/formation.h"
#include "campaign/lieux_uniques.h"
#include "campaign/region.h"
#include "campaign/region_chemin.h"
#include "campaign/zone_region.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/listes.h"
#include "foundation/majuscules.h"
#include "foundation/objetsgfx.h"
#include "foundation/texte.h"
#include "foundation/tuiles.h"
#include "scene/meteo.h"
#include "scene/palettes.h"
#include "scene/plans.h"
#include "scene/terrain.h"
#include "shell/cycles.h"
#include "shell/requetes.h"
#include "shell/routeur.h"
#include "shell/saisie.h"
#include "shell/scenario.h"
#include "shell/trame.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/objets.h"
#include "world/univers.h"

int32_t FinTourEnCours = 0, PlacementRegimentsOuvert = 0, FormationRegionOuverte = 0, PlacementConfirme = 0;
int32_t DecalagePanneauBoutons = 0;
int32_t AnimBoutonFinTour = 10, AnimBoutonChateau = 10, AnimBoutonOrdre1 = 10, AnimBoutonOrdre2 = 10,
        AnimBoutonOrdre3 = 10;
int32_t DeplacementsRegionAutorises = 0;
int32_t LongueurCheminEnCours = -1;

namespace {

constexpr int FAMILLE_REGIMENT = 23;
constexpr int GFX_FOND = 711, GFX_BOUTONS = 620, GFX_VISITE = 1224, GFX_VERROU = 1225;
constexpr int TUILES_X = 13, TUILES_Y = 10, TUILES_REGION = 520;

// The locked sites' messages are shown once per press of the button.
bool MessagesMontres = false;

bool Dans(int x0, int x1, int y0, int y1) {
    const int d = DecalagePanneauBoutons;
    return SourisX >= x0 + d && SourisX < x1 + d && SourisY >= y0 + d && SourisY < y1 + d;
}

// The live object of family f standing on region cell (x, y), or null.
Objet* ObjetCase(int x, int y, int famille) {
    if (x < 0 || x >= REGION_LARGEUR || y < 0 || y >= REGION_HAUTEUR) return nullptr;
    const int n = Univers__CaseUnites(x, y);
    if (n < 1 || n >= NOMBRE_OBJETS) return nullptr;
    Objet& o = TableObjets[static_cast<size_t>(n)];
    if (o.noeudListe == nullptr || o.famille != famille) return nullptr;
    return &o;
}

RegimentRegion* RegimentDe(const Objet* o) {
    if (o == nullptr || o->famille != FAMILLE_REGIMENT || o->sorts[0] < 0 || o->sorts[0] >= REGIMENTS_REGION) return nullptr;
    return &RegimentsRegion[static_cast<size_t>(o->sorts[0])];
}

// The first member of the selected group, when it is a regiment token.
Objet* JetonSelectionne() {
    if (!Groupe__Actif(GroupeEnSelection)) return nullptr;
    const Groupe& g = TableGroupes[static_cast<size_t>(GroupeEnSelection)];
    if (g.nbMembres < 1 || g.membres == nullptr) return nullptr;
    const int n = g.membres[0];
    if (n < 1 || n >= NOMBRE_OBJETS) return nullptr;
    Objet* o = &TableObjets[static_cast<size_t>(n)];
    return o->famille == FAMILLE_REGIMENT ? o : nullptr;
}

int CaseSourisX() { return RepereX + SourisX / 24; }
int CaseSourisY() { return RepereY + SourisY / 24; }

void MessagesLieux(int x, int y) {
    const CarteRegion* c = CarteRegionCourante;
    if (c == nullptr || c->lieuxUniques == nullptr) return;
    for (int i = 0; i < c->nbLieuxUniques; ++i) {
        const LieuUnique& l = c->lieuxUniques[i];
        if (l.x == x && l.y == y && l.lock == 1 && l.messager != -1 && l.message[0]) RequesterFichier(l.messager, l.message);
    }
}

// Every player token's cell kept in its regiment.
void CasesDesJetons() {
    for (NoeudEntier* n = ListeObjetsVivants; n && n->suivant; n = n->suivant) {
        if (n->valeur < 1 || n->valeur >= NOMBRE_OBJETS) continue;
        const Objet& o = TableObjets[static_cast<size_t>(n->valeur)];
        if (RegimentRegion* r = RegimentDe(&o)) {
            r->x = o.x;
            r->y = o.y;
        }
    }
}

// The region map's light stamp: weights of the 5 x 5 corners around a token's corner.
constexpr int32_t TACHE_REGION[5][5] = {
    {0, 1, 2, 1, 0}, {1, 2, 3, 2, 1}, {2, 3, 4, 3, 2}, {1, 2, 3, 2, 1}, {0, 1, 2, 1, 0}};

// The light stamp of strength s around corner (cx, cy), clipped to the grid.
void Tache(int cx, int cy, int s) {
    const int pas = CasesVisiblesX + 1;
    const int lignes = static_cast<int>(GrilleLumiere.size()) / std::max(pas, 1);
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const int x = cx + dx, y = cy + dy;
            if (x < 0 || x >= pas || y < 0 || y >= lignes) continue;
            int32_t& coin = GrilleLumiere[static_cast<size_t>(y) * pas + x];
            const int poids = TACHE_REGION[dy + 2][dx + 2];
            if (s >= 1) coin = std::max(coin, poids * s);
            else coin = std::min(coin, poids * (s - 1));
        }
}

int Intensite(int i, int j) {
    if (i < 0 || i >= CasesVisiblesX || j < 0) return 0;
    const size_t k = static_cast<size_t>(j) * CasesVisiblesX + i;
    if (k >= GrilleLumiereSomme.size()) return 0;
    return std::clamp(GrilleLumiereSomme[k] + IntensiteLumineuse, 0, 127);
}

// Two digits of the panel's digit sprite at (x, y).
void Chiffres(int x, int y, int v) {
    if (v < 1) {
        Sprite__Affiche(1032, x, y, 2);
        Sprite__Affiche(1032, x + 8, y, 4);
        return;
    }
    Sprite__Affiche(1032, x, y, 3);
    Sprite__Affiche(1034, x, y, std::min(v / 10, 1));
    Sprite__Affiche(1034, x + 8, y, v % 10);
}

}  // namespace

void CarteRegion__RemiseAZero() {
    LongueurCheminEnCours = -1;
    AnimBoutonFinTour = AnimBoutonChateau = AnimBoutonOrdre1 = AnimBoutonOrdre2 = AnimBoutonOrdre3 = 10;
    DecalagePanneauBoutons = 0;
    PlacementRegimentsOuvert = 0;
    FormationRegionOuverte = 0;
    Formation__oublierRegion();
    FinTourEnCours = 0;
    MessagesMontres = false;
}

namespace {
void TrameRegion();
}

void CarteRegion__Trame() {
    // A press since the last pass counts as the button held for this pass, however short it was
    // (a tap pressed and released between two passes); it is not held past the pass.
    const bool gaucheTenu = BoutonGauche != 0, droitTenu = BoutonDroit != 0;
    if (ClicGauche) BoutonGauche = 1;
    if (ClicDroitEtat) BoutonDroit = 1;
    ClicGauche = ClicDroitEtat = 0;
    TrameRegion();
    if (!gaucheTenu) BoutonGauche = 0;
    if (!droitTenu) BoutonDroit = 0;
}

namespace {

void TrameRegion() {
    CarteRegion__Saisie();
    // The placement screen and the formation screen over the map take the mouse; F opens the
    // formation screen round the selected regiment.
    if (PlacementRegimentsOuvert) {
        Regiments__Saisie();
        return;
    }
    if (FormationRegionOuverte) return;
    if (ToucheF) {
        ToucheF = 0;
        if (Formation__ouvrirRegion()) return;
    }
    if (RegimentsEnMouvement) Region__finMouvements();
    const int mx = CaseSourisX(), my = CaseSourisY();
    if (BoutonGauche == 1) {
        for (NoeudEntier* n = ListeObjetsVivants; n && n->suivant; n = n->suivant)
            if (n->valeur >= 1 && n->valeur < NOMBRE_OBJETS) TableObjets[static_cast<size_t>(n->valeur)].selectionne = 0;
        GroupeEnSelection = -1;
        if (!MessagesMontres) {
            MessagesMontres = true;
            MessagesLieux(mx, my);
        }
    } else {
        MessagesMontres = false;
    }
    if (BoutonGauche == 1 && !DemandeSelection && !Glissement) {
        DemandeSelection = 1;
        DebutSelectionIcone = 0;
        CadreDebutX = mx;
        CadreDebutY = my;
    }
    if (BoutonGauche == 0 && DemandeSelection && !Glissement) {
        DemandeSelection = 0;
        static constexpr int ORDRE[9][2] = {{0, 0}, {-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};
        for (const auto& d : ORDRE) {
            const int x = CadreDebutX + d[0], y = CadreDebutY + d[1];
            if (x < 0 || x > REGION_LARGEUR - 2 || y < 0 || y > REGION_HAUTEUR - 2) continue;
            Objet* o = ObjetCase(x, y, FAMILLE_REGIMENT);
            if (o == nullptr || GrilleUnites == nullptr) continue;
            PointeurCase = &GrilleUnites[static_cast<size_t>(y) * 128 + x];
            if (Saisie__ObjetCase()) {
                GroupeEnSelection = o->groupe;
                return;
            }
        }
    }
    if (BoutonDroit == 1 && !FinTourEnCours && !RegimentsEnMouvement) {
        BoutonDroit = 0;
        CadreDebutX = mx;
        CadreDebutY = my;
        if (GroupeEnSelection >= 0) MessagesLieux(mx, my);
        Objet* jeton = JetonSelectionne();
        RegimentRegion* r = RegimentDe(jeton);
        // A regiment waiting or in ambush, or standing on a terrain closed to it, is given no path.
        if (r && r->attente == 0 && r->compteurEmbuscade == 0 &&
            Region__CoutTerrain(*r, Region__Terrain(jeton->x, jeton->y)) >= 0) {
            Objet* avant = ObjetCourant;
            ObjetCourant = jeton;
            LongueurCheminEnCours = Region__calculerChemin(jeton->x, jeton->y, RepereX + CurseurCaseX,
                                                           RepereY + CurseurCaseY, jeton->sorts[0]);
            ObjetCourant = avant;
            RegionRegimentFixerChemin(jeton->sorts[0], LongueurCheminEnCours);
        }
    }
}

}  // namespace

void CarteRegion__Saisie() {
    RegimentRegion* choisi = RegimentDe(JetonSelectionne());
    // End of turn.
    if (!FinTourEnCours && RegimentsEnMouvement == 0 && !FormationRegionOuverte) {
        RegionPointsMouvementDebutTour();
        if (Dans(561, 615, 411, 466)) {
            if (AnimBoutonFinTour == 10) AnimBoutonFinTour = 65;
            else if (AnimBoutonFinTour > 56) --AnimBoutonFinTour;
            if (BoutonGauche == 1) {
                OrJoueur += 5;
                FinTourEnCours = 1;
                BoutonGauche = 0;
                AnimBoutonFinTour = 0;
                CompteurTrameRegion = 0;
                if (CarteRegionCourante) ++CarteRegionCourante->tourEnCours;
                DeplacementsRegionAutorises = 1;
                RegimentsEnMouvement = 1;
                RegionRegimentsReinitialiserDrapeau();
                RegionRegimentsRecupererPoints();
                Region__replacerRegiments();
                RegionEtatsFinTour();
            }
        } else if (AnimBoutonFinTour < 56 || AnimBoutonFinTour >= 65) {
            AnimBoutonFinTour = 10;
        } else {
            ++AnimBoutonFinTour;
        }
    } else if (AnimBoutonFinTour < 10) {
        ++AnimBoutonFinTour;
    } else {
        AnimBoutonFinTour = 10;
        FinTourEnCours = 0;
    }
    if (RegimentsEnMouvement != 0 || FormationRegionOuverte) return;
    const auto survol = [](bool dessus, int32_t& compteur) {
        if (dessus) compteur = std::max(compteur - 1, 0);
        else compteur = std::min(compteur + 1, 10);
        return dessus && BoutonGauche == 1;
    };
    if (survol(Dans(589, 616, 363, 401), AnimBoutonChateau)) {
        BoutonGauche = 0;
        if (CampagneCourante != 0) {
            MorvaneCode = 4;
            CasesDesJetons();
            DemandeChateauRegion = !DemandeChateauRegion;
        }
    }
    if (survol(Dans(549, 573, 376, 403), AnimBoutonOrdre1)) {
        BoutonGauche = 0;
        RegionOrdreCamper(choisi);
    }
    if (survol(Dans(527, 547, 403, 425), AnimBoutonOrdre2)) {
        BoutonGauche = 0;
        RegionOrdreMarcheForcee(choisi);
    }
    const bool surOrdre3 = Dans(526, 543, 441, 457);
    if (survol(surOrdre3, AnimBoutonOrdre3)) {
        BoutonGauche = 0;
        if (ModeSceneCourant != 1) {
            RegionOrdreAnnuler(choisi);
        } else {
            ToucheEchap = 1;
            RegionOrdreAnnuler(choisi);
        }
    }
}

void RegionTerrain__Affichage() {
    Lumiere__Dimensionner();
    std::fill(GrilleLumiere.begin(), GrilleLumiere.end(), 17);
    Lumiere__TacheCurseur();
    for (int r = 0; r < CasesVisiblesY; ++r)
        for (int c = 0; c < CasesVisiblesX; ++c) {
            const RegimentRegion* reg = RegimentDe(ObjetCase(RepereX + c, RepereY + r, FAMILLE_REGIMENT));
            if (reg) Tache(c / 2 + 1, r / 2 + 1, 8 * reg->vue);
        }
    Lumiere__Moyenne();
    if (TerrainTuiles == nullptr || TerrainTableOmbrage == nullptr || TerrainNombreTuiles < TUILES_REGION) return;
    TuileLargeurEcran = LargeurEcran;
    TuileTableOmbrage = TerrainTableOmbrage;
    int y = EcranDestination.clipHaut;
    for (int r = 0; r < TUILES_Y; ++r, y += 48) {
        int x = EcranDestination.clipGauche;
        for (int c = 0; c < TUILES_X; ++c, x += 48) {
            const int n = r * 26 + c + RepereX / 2 + RepereY * 13;
            if (n < 0 || n >= TUILES_REGION) continue;
            TuileTexels = TerrainTuiles + static_cast<size_t>(n) * OctetsTuileTerrain;
            TuileX = x;
            TuileY = y;
            TuileIntensiteHautGauche = Intensite(c, r);
            TuileIntensiteHautDroite = Intensite(c + 1, r);
            TuileIntensiteBasGauche = Intensite(c, r + 1);
            TuileIntensiteBasDroite = Intensite(c + 1, r + 1);
            Tuile_AffichageGouraud();
        }
    }
}

void CarteRegion__Affichage() {
    // The skirmish preview has no region.
    if (ModeSceneCourant != 1 || CarteRegionCourante == nullptr) return;
    Region__BornerRepere(&RepereX, &RepereY);
    RegionTerrain__Affichage();
    const int x = -RepereX * 24, y = -RepereY * 24;
    Sprite__Affiche(GFX_FOND, x, y, 0);
    Sprite__Affiche(GFX_FOND, 624 + x, y, 1);
    Sprite__Affiche(GFX_FOND, x, 480 + y, 2);
    Sprite__Affiche(GFX_FOND, 624 + x, 480 + y, 3);
    // The path of the regiment under the mouse, else the selected one's; then the view zone.
    {
        Objet* avant = ObjetCourant;
        Objet* survole = ObjetCase(RepereX + CurseurCaseX, RepereY + CurseurCaseY, FAMILLE_REGIMENT);
        Objet* choisi = JetonSelectionne();
        Objet* montre = survole && survole != choisi ? survole : choisi;
        const RegimentRegion* r = RegimentDe(montre);
        if (r && r->nbPoints >= 2) {
            ObjetCourant = montre;
            RegionDessinerChemin();
        }
        ObjetCourant = avant;
        RegionZoneAccessible__miseAJour();
    }
    PlanObjet__RazAffiche();
    PlanObjet__AffichageRegion();
    // The formation screen covers the map: no regiment panel over its slots.
    if (PanneauRegionVisible && !FormationRegionOuverte) CarteRegion__Panneau();
    if (TexteRegionAffiche == 0) {
        TexteRegionAffiche = 1;
        if (CampagneCourante != 0) {
            char fichier[96];
            std::snprintf(fichier, sizeof fichier, "..\\Texte\\Generiques\\Regions\\Region_%d.txt", Region__Courante());
            RequesterFichier(857, fichier);
        }
        for (int i = 0; i < NbTextesBataille && i < NOMBRE_CONDITIONS; ++i) {
            const TexteBataille& t = TableTextesBataille[static_cast<size_t>(i)];
            if (t.valeur != -1 && t.texte != nullptr) RequesterFichier(t.valeur, t.texte);
        }
    }
    CarteRegion__Boutons();
}

void CarteRegion__Objets(int colonne, int rangee) {
    CarteRegion* c = CarteRegionCourante;
    if (c == nullptr || c->lieuxUniques == nullptr) return;
    const int mx = RepereX + CurseurCaseX, my = RepereY + CurseurCaseY;
    for (int i = 0; i < c->nbLieuxUniques; ++i) {
        LieuUnique& l = c->lieuxUniques[i];
        if (l.x != colonne || l.y != rangee) continue;
        int ombre = 31;
        if (!ZoneAccessible__Case(colonne, rangee) && !(colonne == mx && rangee == my)) {
            const int d = std::max(std::abs(colonne - mx), std::abs(rangee - my));
            ombre = d <= 2 ? 28 : d <= 4 ? 22 : 15;
        }
        for (int n : {l.objetGraphique, GFX_VISITE, GFX_VERROU}) ObjetGfx_Ombre(n, ombre);
        const int sx = (colonne - RepereX) * 24, sy = (rangee - RepereY) * 24;
        if (l.lock != 2 && l.visite != 3) Sprite__Affiche(l.objetGraphique, sx + 20, sy + 16, l.image);
        if (l.visite == 1) Sprite__Affiche(GFX_VISITE, sx + 28, sy + 28, 0);
        if (l.lock == 1) Sprite__Affiche(GFX_VERROU, sx + 28, sy + 28, 0);
        if (++l.image >= std::max(l.nbrFrame, 1)) l.image = 0;
    }
}

void CarteRegion__Bulles() {
    const CarteRegion* c = CarteRegionCourante;
    if (c == nullptr || FormationRegionOuverte) return;
    const int mx = RepereX + CurseurCaseX, my = RepereY + CurseurCaseY;
    const int sx = CurseurCaseX * 24 + 20, sy = CurseurCaseY * 24;
    for (int i = 0; c->lieuxUniques && i < c->nbLieuxUniques; ++i) {
        const LieuUnique& l = c->lieuxUniques[i];
        if (l.lock != 2 && l.visite != 3 && l.x == mx && l.y == my) InfoBulle(sx, sy, l.nom);
    }
    const Objet* jeton = ObjetCase(mx, my, FAMILLE_REGIMENT);
    if (const RegimentRegion* r = RegimentDe(jeton)) {
        InfoBulle(sx, sy, r->nom);
        if (CampagneCourante == 0) return;
        // Outside the tutorial, the regiment's formation beside its name, away from the mouse.
        Formation__armeeRegion();
        RegimentsFormation[0][0] = nullptr;
        Formation__choisirRegiment(jeton->sorts[0]);
        Formation__afficherRegiment(0, 0, 10, sx < 160 && sy > 300 ? 60 : 320, 0);
    }
}

void CarteRegion__Panneau() {
    RegionDessinerChemins();
    RegionZoneAccessible__miseAJour();
    const Objet* o = JetonSelectionne();
    const RegimentRegion* r = RegimentDe(o);
    if (r == nullptr) return;
    const int x0 = (LargeurEcran - 422) / 2;
    const int terrain = Region__Terrain(o->x, o->y);
    static constexpr int ORDRE[4] = {0, 3, 1, 2};   // plaine, riviere, foret, montagne
    for (int k = 0; k < 4; ++k) {
        const int x = x0 + 47 * k;
        Sprite__Affiche(1032, x, 10, 0);
        if (ORDRE[k] == terrain) {
            if (Region__CoutTerrain(*r, terrain) >= 0) {
                Sprite__AfficheEclaire(1360, static_cast<int16_t>(x), 10, 0, 5, 25, 5);
            } else {
                Sprite__AfficheEclaire(1360, static_cast<int16_t>(x), 10, 0, 2 * std::abs(CompteurCycle32 - 15), 0, 0);
            }
        }
        Sprite__Affiche(1033, x + 3, 13, k);
        Chiffres(x + 26, 14, Region__CoutTerrain(*r, ORDRE[k]));
    }
    Sprite__Affiche(1365, x0 + 188, 10, 9);
    for (int k = 0; k < 3; ++k) Sprite__Affiche(1031, x0 + 194 + 47 * k, 10, k == 0 ? 0 : k + 1);
    Sprite__Affiche(1365, x0, 30, 6);
    char nom[64];
    std::snprintf(nom, sizeof nom, "%s", r->nom);
    Texte__Majuscules(nom);
    Texte__AfficheOmbre(x0 + 3 + std::max(0, (200 - static_cast<int>(std::strlen(nom)) * 7) / 2), 34, "%s", nom);
    const int points = std::clamp(r->pointsCourants, 0, 13);
    for (int i = 0; i < 13; ++i) Sprite__Affiche(1032, x0 + 211 + 11 * i, 35, i < points ? 3 : 2);
}

void CarteRegion__Boutons() {
    const int d = DecalagePanneauBoutons;
    if (PlacementRegimentsOuvert) {
        Regiments__Affichage();
        return;
    }
    if (FormationRegionOuverte) {
        Formation__afficher();
        if (Formation__deplacerSection()) Formation__fermerRegion();
        return;
    }
    Sprite__Affiche(GFX_BOUTONS, 591 + d, 439 + d, 0);
    Sprite__Affiche(GFX_BOUTONS, 591 + d, 439 + d, AnimBoutonFinTour + 1);
    if (CampagneCourante == 0 && AnimBoutonChateau < 10)
        Sprite__AfficheEclaire(GFX_BOUTONS, static_cast<int16_t>(591 + d), static_cast<int16_t>(439 + d),
                               static_cast<int16_t>(AnimBoutonChateau + 12), 20 - 2 * AnimBoutonChateau, 0, 0);
    else
        Sprite__Affiche(GFX_BOUTONS, 591 + d, 439 + d, AnimBoutonChateau + 12);
    if (JetonSelectionne()) {
        Sprite__Affiche(GFX_BOUTONS, 591 + d, 439 + d, AnimBoutonOrdre1 + 23);
        Sprite__Affiche(GFX_BOUTONS, 591 + d, 439 + d, AnimBoutonOrdre2 + 34);
    }
    Sprite__Affiche(GFX_BOUTONS, 591 + d, 439 + d, AnimBoutonOrdre3 + 45);
}

namespace {

// The placement screen's slots, one per entry side, row by row: sides 3, 4, 5, then 2, 8, 6, then
// 1, 0, 7; the centre (side 8) has no hover.
constexpr int COTES_CASES[9] = {3, 4, 5, 2, 8, 6, 1, 0, 7};
constexpr int CASES_PLACEMENT[9][2] = {{160, 321}, {10, 321}, {10, 163}, {10, 5},  {160, 5},
                                       {310, 5},   {310, 163}, {310, 321}, {160, 163}};   // by side
constexpr int FLECHES_PLACEMENT[8][2] = {{216, 305}, {110, 305}, {115, 223}, {110, 125},
                                         {216, 125}, {295, 125}, {290, 223}, {295, 305}};   // by side
constexpr int GFX_CASE_PLACEMENT = 644, GFX_FLECHE_PLACEMENT = 643;

// A region regiment shown on the placement screen.
bool EnPlacement(const RegimentRegion& r) {
    return r.reserve == 0 && r.engagement >= 1 && r.mort == 0 && r.directionEntree >= 0 && r.directionEntree < 9;
}

// The side whose slot is under the mouse, -1 none (the centre slot has no hover).
int CoteSousSouris() {
    const auto bande = [](int v, int a0, int a1, int b0, int b1, int c0, int c1) {
        return v > a0 && v < a1 ? 0 : v > b0 && v < b1 ? 1 : v > c0 && v < c1 ? 2 : -1;
    };
    const int colonne = bande(SourisX, 6, 143, 156, 293, 306, 444);
    const int ligne = bande(SourisY, 6, 153, 165, 311, 322, 469);
    if (colonne < 0 || ligne < 0 || (colonne == 1 && ligne == 1)) return -1;
    return COTES_CASES[3 * ligne + colonne];
}

void FermerPlacement() {
    PlacementRegimentsOuvert = 0;
    PlacementConfirme = 1;
    DemandeChateauRegion = !DemandeChateauRegion;
}

}  // namespace

void Regiments__OuvrirPlacement() {
    for (int k = 0; k < 9; ++k) {
        int32_t& id = IdsFormation[static_cast<size_t>(k / 3)][static_cast<size_t>(k % 3)];
        id = -1;
        for (int i = 0; i < NbRegimentsRegion && i < REGIMENTS_REGION && id < 0; ++i) {
            const RegimentRegion& r = RegimentsRegion[static_cast<size_t>(i)];
            if (EnPlacement(r) && r.directionEntree == COTES_CASES[k]) id = i;
        }
    }
    for (NoeudEntier* n = ListeObjetsVivants; n && n->suivant; n = n->suivant) {
        if (n->valeur < 1 || n->valeur >= NOMBRE_OBJETS) continue;
        const Objet& o = TableObjets[static_cast<size_t>(n->valeur)];
        if (o.noeudListe == nullptr || o.famille != FAMILLE_REGIMENT || !Groupe__Actif(o.groupe)) continue;
        Groupe& g = TableGroupes[static_cast<size_t>(o.groupe)];
        g.nbPointsTrajet = g.pointCourant = 0;
    }
    Formation__initRegion(0);
    PlacementRegimentsOuvert = 1;
}

void Regiments__BasculerCote(int cote) {
    for (int i = 0; i < NbRegimentsRegion && i < REGIMENTS_REGION; ++i) {
        RegimentRegion& r = RegimentsRegion[static_cast<size_t>(i)];
        if (!EnPlacement(r) || r.directionEntree != cote) continue;
        if (r.engagement == 1) r.engagement = 2;
        else if (r.engagement == 2) r.engagement = 1;
    }
}

void Regiment__AfficherNom(int cote) {
    // Several regiments of one side are listed one under the other.
    int y = 40;
    for (int i = 0; i < NbRegimentsRegion && i < REGIMENTS_REGION; ++i) {
        const RegimentRegion& r = RegimentsRegion[static_cast<size_t>(i)];
        if (!EnPlacement(r) || r.directionEntree != cote) continue;
        Texte__Affiche(480, y, "Régiment %s", r.nom);
        y += 16;
    }
}

void Regiments__Saisie() {
    if (BoutonGauche == 1) {
        BoutonGauche = 0;
        if (SourisX > 177 && SourisX < 204 && SourisY > 241 && SourisY < 269) {
            FermerPlacement();
            return;
        }
        if (const int cote = CoteSousSouris(); cote >= 0) Regiments__BasculerCote(cote);
    }
    if (ToucheEchap) {
        ToucheEchap = 0;
        PlacementRegimentsOuvert = 0;
        if (!RegionRegimentRompre()) {
            PlacementConfirme = 1;
            DemandeChateauRegion = !DemandeChateauRegion;
        }
    }
}

void Regiments__Affichage() {
    for (int i = 0; i < NbRegimentsRegion && i < REGIMENTS_REGION; ++i) {
        const RegimentRegion& r = RegimentsRegion[static_cast<size_t>(i)];
        if (!EnPlacement(r)) continue;
        const int cote = r.directionEntree;
        const int x = CASES_PLACEMENT[cote][0], y = CASES_PLACEMENT[cote][1];
        if (r.engagement == 1) Sprite__AfficheTrs50(GFX_CASE_PLACEMENT, x, y, 0);
        else Sprite__Affiche(GFX_CASE_PLACEMENT, x, y, 0);
        int k = 0;
        while (COTES_CASES[k] != cote) ++k;
        Formation__afficherRegiment(k / 3, k % 3, x, y, 0);
        if (r.engagement >= 2 && cote < 8)
            Sprite__Affiche(GFX_FLECHE_PLACEMENT, FLECHES_PLACEMENT[cote][0], FLECHES_PLACEMENT[cote][1], cote);
    }
    if (const int cote = CoteSousSouris(); cote >= 0) Regiment__AfficherNom(cote);
}
