#include "campaign/formation.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "campaign/armee_fichiers.h"
#include "campaign/carte_region.h"
#include "campaign/catalogue.h"
#include "campaign/gestion_armee.h"
#include "campaign/region.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "foundation/objetsgfx.h"
#include "frontend/localisation.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/objets.h"

std::array<std::array<int32_t, 3>, 3> IdsFormation = {{{-2, -2, -2}, {-2, -2, -2}, {-2, -2, -2}}};
std::array<std::array<Regiment*, 3>, 3> RegimentsFormation{};
std::array<std::array<bool, 3>, 3> NouveauxFormation{};
GlissementFormation FormationGlissement;

namespace {

constexpr int GFX_CASE = 644, GFX_PORTRAITS = 646, GFX_BOUCLIER = 621;
constexpr int LARGEUR_CASE = 141, HAUTEUR_CASE = 152;
constexpr int LARGEUR_SECTION = 63, HAUTEUR_SECTION = 32;
constexpr int SECTIONS_CASE = 8;
constexpr int NOM_MAXIMUM = 11;
constexpr int FAMILLE_REGIMENT = 23;
constexpr int SECTIONS[SECTIONS_CASE][2] = {{5, 5},  {5, 42},  {5, 79},  {5, 116},
                                            {73, 5}, {73, 42}, {73, 79}, {73, 116}};

// The army held for the region map's hover was loaded here (and is freed here).
bool ArmeeRegionChargee = false;

int CaseX(int colonne) { return 5 + 145 * colonne; }
int CaseY(int ligne) { return (HauteurEcran - 464) / 2 + 156 * ligne; }

void Resoudre() {
    for (int l = 0; l < 3; ++l)
        for (int c = 0; c < 3; ++c) {
            const int32_t id = IdsFormation[l][c];
            RegimentsFormation[l][c] = id >= 0 ? Armee__chercherRegiment(id) : nullptr;
        }
}

void Charger(int32_t numeroJoueur) {
    FormationGlissement = GlissementFormation{};
    NouveauxFormation = {};
    Armee__liberer();
    Catalogue__liberer();
    Catalogue__charger(numeroJoueur);
    Armee__creer();
    Armee__charger();
    Resoudre();
}

bool AvecLeader(const Section* s) {
    for (const Unite* u : s->unites)
        if (Catalogue && u->typeUnite >= 0 && u->typeUnite < Catalogue->nombreTypesUnites &&
            Catalogue->typesUnites[u->typeUnite].categorie == 2)
            return true;
    return false;
}

// A leader among the regiment's sections other than `sauf`.
bool LeaderAilleurs(const Regiment* r, const Section* sauf) {
    for (const Section* s : r->sections)
        if (s != sauf && AvecLeader(s)) return true;
    return false;
}

int FrameSection(const Section* s) {
    return Catalogue && s->typeSection >= 0 && s->typeSection < Catalogue->nombreTypesSections
               ? Catalogue->typesSections[s->typeSection].frame
               : 0;
}

void DessinerSections(const Regiment* r, int x, int y, const Section* cachee) {
    for (int32_t i = 0; i < r->sections.nombre && i < SECTIONS_CASE; ++i) {
        const Section* s = r->sections[i];
        if (s != cachee) Section__afficherPortrait(s, x + SECTIONS[i][0], y + SECTIONS[i][1]);
    }
}

// The name of a new regiment, asked until one is typed; false when a quit left the box.
bool DemanderNom(std::string* nom) {
    char texte[NOM_MAXIMUM + 1] = "";
    do {
        if (SaisieNom(64, 64, 0, 100, 100, TexteInterface(136), 100, 120, texte, NOM_MAXIMUM) != 1 || QuitterJeu)
            return false;
    } while (texte[0] == 0);
    *nom = texte;
    return true;
}

}  // namespace

void Formation__init(int32_t numeroJoueur) {
    Entrees_RAZ();
    Charger(numeroJoueur);
}

void Formation__initRegion(int32_t numeroJoueur) {
    Charger(numeroJoueur);
    ArmeeRegionChargee = true;
}

void Formation__choisirRegiment(int32_t id) {
    if (id < 0) return;
    if (Regiment* r = Armee__chercherRegiment(id)) RegimentsFormation[0][0] = r;
}

void Formation__afficherRegiment(int ligne, int colonne, int x, int y, int mode) {
    if (ligne < 0 || ligne > 2 || colonne < 0 || colonne > 2) return;
    const Regiment* r = RegimentsFormation[ligne][colonne];
    if (r == nullptr) return;
    Sprite__Affiche(GFX_CASE, x, y, 4);
    DessinerSections(r, x, y, nullptr);
    if (mode == 1 || mode == 2) Sprite__Affiche(GFX_BOUCLIER, x + 56, y + 28, mode - 1);
}

void Formation__afficher() {
    const Section* cachee = FormationGlissement.etat == 1 && FormationGlissement.source
                                ? FormationGlissement.source->sections[FormationGlissement.section]
                                : nullptr;
    for (int l = 0; l < 3; ++l)
        for (int c = 0; c < 3; ++c) {
            const int x = CaseX(c), y = CaseY(l);
            if (const Regiment* r = RegimentsFormation[l][c]) {
                Sprite__Affiche(GFX_CASE, x, y, 0);
                DessinerSections(r, x, y, cachee);
            } else if (IdsFormation[l][c] != -2) {
                Sprite__AfficheTrs50(GFX_CASE, x, y, 0);
            }
        }
}

bool Formation__caseSous(int x, int y, int* ligne, int* colonne, int* section) {
    *ligne = *colonne = *section = -1;
    for (int l = 0; l < 3; ++l)
        for (int c = 0; c < 3; ++c) {
            const int x0 = CaseX(c), y0 = CaseY(l);
            if (x < x0 || x >= x0 + LARGEUR_CASE || y < y0 || y >= y0 + HAUTEUR_CASE) continue;
            *ligne = l;
            *colonne = c;
            const Regiment* r = RegimentsFormation[l][c];
            for (int32_t i = 0; r && i < r->sections.nombre && i < SECTIONS_CASE; ++i) {
                const int sx = x0 + SECTIONS[i][0], sy = y0 + SECTIONS[i][1];
                if (x >= sx && x < sx + LARGEUR_SECTION && y >= sy && y < sy + HAUTEUR_SECTION) *section = i;
            }
            return true;
        }
    return false;
}

int Formation__deposer(Regiment* source, int32_t section, int ligne, int colonne) {
    if (source == nullptr || section < 0 || section >= source->sections.nombre) return 0;
    if (ligne < 0 || ligne > 2 || colonne < 0 || colonne > 2) return 0;
    Section* s = source->sections[section];
    Regiment* cible = RegimentsFormation[ligne][colonne];
    if (cible) {
        if (AvecLeader(s) && LeaderAilleurs(cible, s)) return 0;
        // A slot has room for eight sections.
        if (cible != source && cible->sections.nombre >= SECTIONS_CASE) return 0;
        Regiment__ajouterSection(cible, Regiment__retirerSection(source, section));
        return 1;
    }
    if (IdsFormation[ligne][colonne] == -2 || ArmeeJoueur == nullptr || ArmeeJoueur->nombre >= MAX_REGIMENTS) return 0;
    std::string nom;
    if (!DemanderNom(&nom)) return 0;
    Regiment* r = creerRegiment(nom, Armee__nouvelId(), nullptr);
    ArmeeJoueur->ajouter(r);
    Regiment__ajouterSection(r, Regiment__retirerSection(source, section));
    RegimentsFormation[ligne][colonne] = r;
    IdsFormation[ligne][colonne] = r->id;
    NouveauxFormation[ligne][colonne] = true;
    return 1;
}

int Formation__deplacerSection() {
    GlissementFormation& g = FormationGlissement;
    if (ToucheEchap) {
        Formation__sauvegarder(NumeroJoueur);
        // The slots point into the army freed here.
        for (auto& ligne : RegimentsFormation) ligne.fill(nullptr);
        Armee__liberer();
        Catalogue__liberer();
        ArmeeRegionChargee = false;
        g = GlissementFormation{};
        ToucheEchap = 0;
        return 1;
    }
    if (g.etat == 0) {
        int l, c, s;
        if (BoutonGauche == 1 && Formation__caseSous(SourisX, SourisY, &l, &c, &s) && s >= 0) {
            g.etat = 1;
            g.source = RegimentsFormation[l][c];
            g.section = s;
        }
    }
    if (g.etat == 1) {
        if (g.source == nullptr || g.section >= g.source->sections.nombre) {
            g = GlissementFormation{};
            return 0;
        }
        Sprite__Affiche(GFX_PORTRAITS, SourisX - 16, SourisY - 16, FrameSection(g.source->sections[g.section]));
        if (BoutonGauche == 0) {
            int s;
            Formation__caseSous(SourisX, SourisY, &g.ligne, &g.colonne, &s);
            g.etat = 2;
        }
    }
    if (g.etat == 2) {
        if (g.ligne >= 0) Formation__deposer(g.source, g.section, g.ligne, g.colonne);
        g = GlissementFormation{};
    }
    return 0;
}

bool Formation__sauvegarder(int32_t numeroJoueur) {
    char dossier[64];
    std::snprintf(dossier, sizeof dossier, "..\\Armees\\joueur%d\\", numeroJoueur);
    std::vector<std::string> dossiers = {dossier};
    // The region map reads its army back from the working copy.
    if (numeroJoueur == 0) dossiers.emplace_back("..\\tmp\\Joueur0\\");
    int32_t h = -1;
    if (ArmeeJoueur)
        for (const Regiment* r : *ArmeeJoueur) h = std::max(h, r->id);
    EcritureGroupee ecriture;
    bool ok = true;
    for (const std::string& d : dossiers) {
        for (int32_t id = 0; ok && id <= h; ++id) {
            FILE* f = ecriture.Ouvrir(d + "regiment" + std::to_string(id) + ".txt");
            if (f == nullptr) ok = false;
            else Regiment__sauvegarder(Armee__chercherRegiment(id), f);
        }
        FILE* entete = ok ? ecriture.Ouvrir(d + "entete_armee.txt") : nullptr;
        if (entete == nullptr) ok = false;
        else std::fprintf(entete, "nbRegiments %d\n", h + 1);
    }
    if (!ok || !ecriture.Valider()) {
        Avertissement("Sauvegarde", "sauvegarde des régiments impossible");
        return false;
    }
    return true;
}

bool Formation__remplirAutour(int x, int y, int indice) {
    if (x < 1 || y < 1 || x >= REGION_LARGEUR - 1 || y >= REGION_HAUTEUR - 1) return false;
    for (int l = 0; l < 3; ++l)
        for (int c = 0; c < 3; ++c) {
            const int cx = x - 1 + c, cy = y - 1 + l;
            int32_t& id = IdsFormation[l][c];
            if (l == 1 && c == 1) {
                id = indice;
                continue;
            }
            const int n = Univers__CaseUnites(cx, cy);
            if (n >= 1 && n < NOMBRE_OBJETS) {
                const Objet& o = TableObjets[static_cast<size_t>(n)];
                const bool jeton = o.noeudListe && o.famille == FAMILLE_REGIMENT && o.sorts[0] >= 0 &&
                                   o.sorts[0] < REGIMENTS_REGION;
                id = jeton ? o.sorts[0] : -2;
            } else {
                // A new regiment's token cannot stand on closed terrain.
                id = Region__Terrain(cx, cy) >= 4 ? -2 : -1;
            }
        }
    return true;
}

bool Formation__ouvrirRegion() {
    if (FormationRegionOuverte || PlacementRegimentsOuvert || RegimentsEnMouvement || FinTourEnCours) return false;
    if (!Groupe__Actif(GroupeEnSelection)) return false;
    const Groupe& g = TableGroupes[static_cast<size_t>(GroupeEnSelection)];
    if (g.nbMembres < 1 || g.membres == nullptr || g.membres[0] < 1 || g.membres[0] >= NOMBRE_OBJETS) return false;
    const Objet& o = TableObjets[static_cast<size_t>(g.membres[0])];
    if (o.famille != FAMILLE_REGIMENT || o.sorts[0] < 0 || o.sorts[0] >= REGIMENTS_REGION) return false;
    if (!Formation__remplirAutour(o.x, o.y, o.sorts[0])) return false;
    Formation__init(0);
    FormationRegionOuverte = 1;
    return true;
}

void Formation__fermerRegion() {
    RegionMemoriserCases();
    // A regiment founded on a slot stands on that slot's cell.
    for (int l = 0; l < 3; ++l)
        for (int c = 0; c < 3; ++c) {
            const int32_t id = IdsFormation[l][c];
            if (!NouveauxFormation[l][c] || id < 0 || id >= REGIMENTS_REGION) continue;
            const int32_t centre = IdsFormation[1][1];
            if (centre < 0 || centre >= REGIMENTS_REGION) continue;
            const RegimentRegion& milieu = RegimentsRegion[static_cast<size_t>(centre)];
            RegimentRegion__init(id);
            RegimentRegion& r = RegimentsRegion[static_cast<size_t>(id)];
            r.x = milieu.x - 1 + c;
            r.y = milieu.y - 1 + l;
            r.vue = 5;
            r.surCarte = 1;
        }
    NouveauxFormation = {};
    Groupe__DeselectionTout();
    GroupeEnSelection = -1;
    RegionDetruireGroupesRegiments();
    ChargeRegion__armee();
    Region__JetonsArmee();
    FormationRegionOuverte = 0;
}

void Formation__armeeRegion() {
    if (!ArmeeRegionChargee) Formation__initRegion(0);
}

void Formation__oublierRegion() {
    if (!ArmeeRegionChargee) return;
    for (auto& ligne : RegimentsFormation) ligne.fill(nullptr);
    Armee__liberer();
    Catalogue__liberer();
    ArmeeRegionChargee = false;
}
