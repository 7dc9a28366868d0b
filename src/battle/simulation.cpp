#include "battle/simulation.h"

#include <algorithm>

#include "battle/cibles.h"
#include "battle/deplacement.h"
#include "battle/engagement.h"
#include "battle/formations.h"
#include "battle/ia.h"
#include "battle/occupation.h"
#include "battle/ordres.h"
#include "battle/trajet.h"
#include "shell/conditions.h"
#include "shell/routeur.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/objets.h"

int32_t SimulationCompteur = 0;
int32_t SimulationInitialisee = 0;
int32_t IAActive = 0;

namespace {

bool Valide(int n) { return n >= 1 && n < NOMBRE_OBJETS; }
bool GroupeIndice(int g) { return g >= 1 && g < NOMBRE_GROUPES; }

bool Decale(const Objet& o) { return o.decalageX != 0 || o.decalageY != 0; }
uint32_t* Carte(const Objet& o) { return o.couche == 2 ? CarteOccupationAir : CarteOccupationSol; }
int Taille(const Objet& o) { return o.taille > 0 ? o.taille : 1; }

// The group's first member, null when its slot is not a valid object.
Objet* Chef(const Groupe& g) {
    if (!g.membres || g.nbMembres <= 0 || !Valide(g.membres[0])) return nullptr;
    return &TableObjets[g.membres[0]];
}

bool Vivant(int g) {
    if (!GroupeIndice(g)) return false;
    const Objet* c = Chef(TableGroupes[g]);
    return c && c->actif == 1 && c->enIncantation == 0 && c->gel == 0;
}

bool PasDeCible(const Groupe& g) { return g.groupeCibleIA == -1; }

// The loop of Groupe__PourChaqueUnite, for an operation known at the call.
template <typename Operation>
void ChaqueUnite(int gi, Operation operation) {
    if (!GroupeIndice(gi)) return;
    const Groupe& g = TableGroupes[gi];
    if (!Chef(g)) return;
    for (int i = 0; i < g.nbMembres; ++i) {
        const Objet* c = Chef(g);
        if (!c || c->gel != 0) return;
        const int m = g.membres[i];
        if (!Valide(m)) continue;
        const Objet& o = TableObjets[m];
        if (o.actif == 1 && o.enIncantation == 0) operation(m, gi);
    }
}

// The armies army attacks, added to the flags of hostile (an army of the hostility table).
void AjouteHostiles(int32_t* hostile, int armee) {
    for (int a = 0; a < 6; ++a) hostile[a] = hostile[a] || TableAttaque[armee][a] != 0 ? 1 : 0;
}

// Whether the box x0..x1, y0..y1 (clipped to the map here) holds an object of an army flagged in
// hostile on the unit grid or, with air, on the air grid.
bool HostileDans(long long x0, long long y0, long long x1, long long y1, bool air, const int32_t* hostile) {
    x0 = std::max(x0, 0LL), y0 = std::max(y0, 0LL);
    x1 = std::min(x1, COTE_CARTE - 1LL), y1 = std::min(y1, COTE_CARTE - 1LL);
    for (const int32_t* grille : {GrilleUnites, air ? GrilleAir : nullptr})
        if (grille && !Univers__RectangleSansObjet(grille, static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1),
                                                    static_cast<int>(y1), hostile))
            return true;
    return false;
}

// Whether no member's search round itself at its attack reach, with no filter, can find a
// target, looked at over the box of all the members' searches at once; false when not answered.
// A member's search (for the member itself) reads, on the unit grid and, when it fights at a
// distance, on the air grid, rings that lie within the square of side 2 porteeAttaque + s round
// its footprint of side s, and takes there only an object of an army its own army attacks; it
// finds nothing where its square holds none. Not answered for a member that looks at corpses
// (typeMaitre 9), of an army off the hostility table, that may cast a spell (sorts[0] not -1) or
// whose numeroObjet is not itself: with none of those, a member's engagement moves no unit on the
// grids and changes no army, so the answer holds for every member's engagement in turn.
bool PersonneAPortee(int gi) {
    const Groupe& g = TableGroupes[gi];
    long long x0 = COTE_CARTE, y0 = COTE_CARTE, x1 = -1, y1 = -1;
    bool air = false;
    int32_t hostile[6] = {};   // the armies the members attack
    for (int i = 0; i < g.nbMembres; ++i) {
        const int m = g.membres[i];
        if (!Valide(m)) continue;
        const Objet& u = TableObjets[m];
        if (u.typeMaitre == 9 || u.armee < 0 || u.armee > 5 || u.sorts[0] != -1 || u.numeroObjet != m) return false;
        const long long p = u.porteeAttaque;
        x0 = std::min(x0, u.x - p), x1 = std::max(x1, u.x + p + Taille(u) - 1);
        y0 = std::min(y0, u.y - p), y1 = std::max(y1, u.y + p + Taille(u) - 1);
        air = air || Unite__CombatADistance(m);
        AjouteHostiles(hostile, u.armee);
    }
    return !HostileDans(x0, y0, x1, y1, air, hostile);
}

// A search round a unit with no filter (Unite__ChercherCibleAutour), made by a range scan of a
// lone member's group: the object searched (0 none), the reach, the answer and the object on the
// last cell it took, 0 none (each cell taken writes the object's groupeCible, the last with the
// answer).
struct Recherche {
    int objet = 0, portee = 0, resultat = 0, prise = 0;
};

// personne: whether PersonneAPortee holds for the group, -1 not looked at yet; null: search.
// vu: a search made by the group's range scan with nothing it reads written since, null none.
void Engagement(int objet, int gi, int* personne, const Recherche* vu);

// Every member's engagement, in turn; the look over the whole group is made at the first search.
// A lone member's search looks at its own square itself.
void EngageMembres(int gi, const Recherche* vu = nullptr) {
    int personne = GroupeIndice(gi) && TableGroupes[gi].nbMembres > 1 ? -1 : 0;
    ChaqueUnite(gi, [&personne, vu](int o, int g) { Engagement(o, g, &personne, vu); });
}

void Engage(int g) {
    Groupe__PourChaqueUnite(g, [](int o, int) { Unite__FinEngagement(o); });
    EngageMembres(g);
}

bool PretPourAttaque(const Groupe& g) {
    if (!GroupeIndice(g.groupeCibleIA) || TableGroupes[g.groupeCibleIA].nbMembres < 0) return false;
    for (int i = 0; i < g.nbMembres; ++i) {
        if (!Valide(g.membres[i])) continue;
        const Objet& o = TableObjets[g.membres[i]];
        if (o.cible != -1 || o.compteurRepos == 0) return false;
    }
    return true;
}

void OrdreAttaqueEtEngage(int gi) {
    Groupe& g = TableGroupes[gi];
    const Objet* c = Chef(TableGroupes[g.groupeCibleIA]);
    if (c) Groupe__OrdreAttaque(gi, c->x, c->y, 0, 0);
    Engage(gi);
}

// Sets bloque; the quick form stops at the first blocked member.
bool TestBloque(int gi, bool rapide) {
    Groupe& g = TableGroupes[gi];
    g.bloque = 0;
    for (int i = 0; i < g.nbMembres; ++i) {
        if (!Valide(g.membres[i])) continue;
        const Objet& o = TableObjets[g.membres[i]];
        if (o.ordreSecondaire != 2 || o.attenteCase) g.bloque = 1;
        const int x = o.x + g.pasX, y = o.y + g.pasY;
        const uint32_t* carte = Carte(o);
        if (x < 0 || y < 0 || x >= COTE_CARTE || y >= COTE_CARTE || !carte) {
            g.bloque = 1;   // a cell ahead off the map blocks
        } else {
            const uint32_t v = carte[x + COTE_CARTE * y];
            if (v == OBSTACLE_FIXE) g.bloque = 1;
            else if (v != 0 && Valide(static_cast<int>(v)) && TableObjets[v].groupe != gi) g.bloque = 1;
        }
        if (rapide && g.bloque) break;
    }
    return g.bloque != 0;
}

void Glisse(int gi) {
    Groupe& g = TableGroupes[gi];
    for (int i = 0; i < g.nbMembres; ++i)
        if (Valide(g.membres[i]) && Unite__Glisse(g.membres[i], gi) != 0) break;
    g.aGlisse = 1;
    g.etatPas -= 1;
}

// vu: as for EngageMembres; ending the engagements writes nothing a search reads.
void Libre(int gi, const Recherche* vu = nullptr) {
    TableGroupes[gi].etatPas = 0;
    Groupe__PourChaqueUnite(gi, [](int o, int) { Unite__FinEngagement(o); });
    EngageMembres(gi, vu);
    Groupe__PourChaqueUnite(gi, Formation__PasUnite);
    Groupe__PourChaqueUnite(gi, Unite__DeplacementRappel);
}

void RetourMaitre(Groupe& g) { g.modeFormation = g.modeFormationMaitre; }

// The search of the range and sight scans, for one member.
int Cherche(const Objet& o, const Groupe& g, int portee) {
    const int filtre = g.engagementLibre == 1 ? -1 : g.groupeCibleIA;
    return Unite__ChercherCibleAutour(o.numeroObjet, portee, filtre);
}

// Whether a scan of the group may find a target, looked at over the box of all its members'
// searches at once. A member's search (for the object its numeroObjet names, with the member's
// reach) reads round that object's footprint of side s the rings up to the reach, on the unit grid
// and, when it fights at a distance, on the air grid, and takes there only an object of an army
// its own army attacks: where the box holds no such object, no member's search takes a cell, and
// a search that takes no cell writes nothing. The look at corpses of typeMaitre 9 is not covered:
// with such a member, or when the box is not much smaller than the members' own squares, the
// answer is yes and the members search.
bool PeutTrouver(const Groupe& g, bool vue) {
    long long x0 = COTE_CARTE, y0 = COTE_CARTE, x1 = -1, y1 = -1;
    double aires = 0;
    bool air = false;
    int32_t hostile[6] = {};   // the armies the members attack
    int armeeLue = -1;   // the army whose row was last added (a group's members share one)
    for (int i = 0; i < g.nbMembres; ++i) {
        if (!Valide(g.membres[i])) continue;
        const Objet& o = TableObjets[g.membres[i]];
        if (Decale(o) || Objet__MourantOuMort(o)) continue;
        if (!Valide(o.numeroObjet)) continue;   // its search finds nothing
        const Objet& u = TableObjets[o.numeroObjet];
        if (u.typeMaitre == 9) return true;
        const bool distance = Unite__CombatADistance(o.numeroObjet) != 0;
        const long long p = std::max(vue ? o.porteeVue : distance ? o.porteeAttaque : 1, 0);
        const long long cote = 2 * p + Taille(u);
        x0 = std::min(x0, u.x - p), x1 = std::max(x1, u.x - p + cote - 1);
        y0 = std::min(y0, u.y - p), y1 = std::max(y1, u.y - p + cote - 1);
        aires += static_cast<double>(cote) * static_cast<double>(cote);
        air = air || distance;
        if (u.armee >= 0 && u.armee <= 5 && u.armee != armeeLue) {
            armeeLue = u.armee;
            AjouteHostiles(hostile, u.armee);
        }
    }
    x0 = std::max(x0, 0LL), y0 = std::max(y0, 0LL);
    x1 = std::min(x1, COTE_CARTE - 1LL), y1 = std::min(y1, COTE_CARTE - 1LL);
    if (x1 < x0 || y1 < y0) return false;
    if (2.0 * static_cast<double>((x1 - x0 + 1) * (y1 - y0 + 1)) > aires) return true;
    return HostileDans(x0, y0, x1, y1, air, hostile);
}

// vu: for a range scan of a lone member's group, the member's search with no filter, when made.
int Scan(int gi, bool vue, Recherche* vu = nullptr) {
    if (!GroupeIndice(gi)) return 0;
    const Groupe& g = TableGroupes[gi];
    if (g.enDeroute == 1 || !g.membres) return 0;
    // The look over the box only spares searches that find nothing: a lone member's search looks
    // at its own square itself.
    if (g.nbMembres > 1 && !PeutTrouver(g, vue)) return 0;
    for (int i = 0; i < g.nbMembres; ++i) {
        if (!Valide(g.membres[i])) continue;
        const Objet& o = TableObjets[g.membres[i]];
        if (Decale(o) || Objet__MourantOuMort(o)) continue;
        int t = 0;
        if (vue) {
            if (g.ordreAttaque != 1 && g.engagementLibre != 1) return 0;
            t = Cherche(o, g, o.porteeVue);
        } else if (!Unite__CombatADistance(o.numeroObjet)) {
            if (g.engagementLibre != 1) return 0;
            int prise = 0;
            t = Unite__ChercherCibleAutour(o.numeroObjet, 1, -1, prise);
            if (vu && g.nbMembres == 1) *vu = {o.numeroObjet, 1, t, prise};
        } else {
            if (g.ordreAttaque != 1 && g.engagementLibre != 1) return 0;
            if (vu && g.nbMembres == 1 && g.engagementLibre == 1) {
                int prise = 0;
                t = Unite__ChercherCibleAutour(o.numeroObjet, o.porteeAttaque, -1, prise);
                *vu = {o.numeroObjet, o.porteeAttaque, t, prise};
            } else {
                t = Cherche(o, g, o.porteeAttaque);
            }
        }
        if (t) return 1;
    }
    return 0;
}

// Whether a range scan must find nothing when it follows, with nothing done in between, a sight
// scan of the group that found nothing. Both read the same members in the same order and give up
// on the same group conditions; member by member the range search reads the first rings of the
// sight search with the same filter (a melee unit's ring 1 only when the sight search had no
// filter either). A search answering 0 took, if any, only cells of units whose numeroObjet is 0,
// each writing groupeCible 0: the range search takes some of the same cells and writes that 0
// again.
bool PorteeDansVue(int gi) {
    if (!GroupeIndice(gi)) return true;
    const Groupe& g = TableGroupes[gi];
    if (g.enDeroute == 1 || !g.membres) return true;
    for (int i = 0; i < g.nbMembres; ++i) {
        if (!Valide(g.membres[i])) continue;
        const Objet& o = TableObjets[g.membres[i]];
        if (Decale(o) || Objet__MourantOuMort(o)) continue;
        const int portee = Unite__CombatADistance(o.numeroObjet) ? o.porteeAttaque : 1;
        if (portee > o.porteeVue) return false;
    }
    return true;
}

// Whether a range scan of the group, run now, would leave nothing behind. A scan writes only the
// mark (groupeCible) of the member whose search finds a target, and a search is made for the
// object its numeroObjet names. Where the group is in a free formation, its management goes
// straight on to end every member's engagement, which sets each member's mark before anything
// reads it: the scan's write is lost when every member a scan may search is one that loop
// reaches (live, not casting, its own numeroObjet) and the leader lets the loop run.
bool ScanEfface(int gi) {
    const Groupe& g = TableGroupes[gi];
    if (g.modeFormation != 1 && g.modeFormation != 5) return false;
    const Objet* chef = Chef(g);
    if (!chef || chef->gel != 0) return false;
    for (int i = 0; i < g.nbMembres; ++i) {
        const int m = g.membres[i];
        if (!Valide(m)) continue;
        const Objet& o = TableObjets[m];
        if (Decale(o) || Objet__MourantOuMort(o)) continue;
        if (o.actif != 1 || o.enIncantation != 0 || o.numeroObjet != m) return false;
    }
    return true;
}

// The inline attack of a melee unit.
void AttaqueMelee(Objet& o, int filtre, int t) {
    Objet__ChercheCibles(o.numeroObjet, filtre);
    if (o.cible == -1) o.cible = t;
    o.compteurEvenement = -1;
    o.image = 0;
    o.ordreSecondaire = 1;
    o.attenteCase = 1;
}

}  // namespace

void Groupes__PourChaque(const NoeudEntier* liste, OperationGroupe operation) {
    for (const NoeudEntier* n = liste; n && n->suivant; n = n->suivant)
        if (Vivant(n->valeur)) operation(n->valeur);
}

void Groupes__PourChaqueAvecMembres(const NoeudEntier* liste, OperationGroupe operation) {
    for (const NoeudEntier* n = liste; n && n->suivant; n = n->suivant)
        if (GroupeIndice(n->valeur) && TableGroupes[n->valeur].membres) operation(n->valeur);
}

void Groupe__PourChaqueUnite(int gi, OperationUnite operation) { ChaqueUnite(gi, operation); }

namespace {

// Set by the stamps of Groupe__PoseUnites that clear cells (a unit whose numeroObjet is 0).
bool PoseEfface = false;

// PoseUnites of one group; the stamps of the group tick's pass are counted on.
void PoseMembres(int gi) {
    Groupe& g = TableGroupes[gi];
    g.placee = 1;
    for (int i = 0; i < g.nbMembres; ++i) {
        if (!Valide(g.membres[i])) continue;
        const Objet& o = TableObjets[g.membres[i]];
        if (Decale(o)) g.placee = 0;
        if (o.actif == 1 && !Objet__MourantOuMort(o)) {
            if (o.numeroObjet == 0) PoseEfface = true;
            Occupation__Pose(Taille(o), Taille(o), o.prochaineCaseX, o.prochaineCaseY, Carte(o), o.numeroObjet);
        }
    }
}

// restampe: whether the unit's stamp at its next cell is made again; it may be left out when the
// same stamp was made since the maps last had a cell cleared (see Simulation__Tour).
template <bool restampe>
void Recale(int objet, int gi) {
    Objet& o = TableObjets[objet];
    if (!Decale(o) && o.actif == 1 && !Objet__MourantOuMort(o)) {
        if constexpr (restampe)
            Occupation__Pose(Taille(o), Taille(o), o.prochaineCaseX, o.prochaineCaseY, Carte(o), o.numeroObjet);
        o.x = o.prochaineCaseX;
        o.y = o.prochaineCaseY;
    }
    if (Decale(o) || o.ordreSecondaire == 1 || o.ordreSecondaire == 4) return;
    o.attenteCase = 0;
    if (Formation__UniteDansRectangle(objet, o.x, o.y, gi) == 0) o.modeDeplacement = 4;
}

}  // namespace

void Groupe__PoseUnites(int gi) { PoseMembres(gi); }

void Unite__Recale(int objet, int gi) { Recale<true>(objet, gi); }

void Groupe__PrepareUnites(int gi) { Groupe__PourChaqueUnite(gi, Unite__Recale); }

void Unite__VerifieOccupation(int objet, int) {
    Objet& o = TableObjets[objet];
    const int v = Occupation__Test(Taille(o), Taille(o), o.prochaineCaseX, o.prochaineCaseY, Carte(o), 0);
    if (v != 0 && v != o.numeroObjet) Occupation__Avance(objet, o.numeroObjet);
}

void Groupe__VerifieOccupation(int gi) { Groupe__PourChaqueUnite(gi, Unite__VerifieOccupation); }

void Groupe__PrePas(int gi) {
    Groupe& g = TableGroupes[gi];
    const Objet* chef = Chef(g);
    if (!chef) return;
    g.compteurPoursuite += 1;
    if (g.ordreAttaque == 1 && g.compteurPoursuite > 11 && g.groupeCibleIA != -1 && g.attaqueLancee == 0) {
        g.compteurPoursuite = 0;
        // The target group may have lost its members since it was chosen: then there is no chase.
        if (GroupeIndice(g.groupeCibleIA)) {
            if (const Objet* c = Chef(TableGroupes[g.groupeCibleIA]))
                Groupe__OrdreDeplacement(chef->groupe, c->x, c->y, 0, 1);
        }
    }
    g.force = g.nbMembres * chef->pointsDeVie / 3;
    g.forceEngagee = 0;
    if (g.modeFormation == 1) {
        g.enFuite = 1;
        for (; g.tampon && g.pointCourant < g.nbPointsTrajet; ++g.pointCourant) {
            g.pasX = g.tampon[g.pointCourant].x - g.ancreX;
            g.pasY = g.tampon[g.pointCourant].y - g.ancreY;
        }
    }
    if (g.modeFormation != g.modeFormationMaitre && g.toursArrivee >= 2 && Formation__Etablie(gi) == 0) {
        RetourMaitre(g);
        g.enFuite = 0;
    }
}

namespace {

// suiteLibre: the group's management follows, which in a free formation ends every member's
// engagement straight after. vu: the lone member's search of the range scan when made, and no
// path was followed after it (a path may move the group's orders), else left with no object.
void RazSuivi(int gi, bool suiteLibre, Recherche* vu = nullptr) {
    Groupe& g = TableGroupes[gi];
    const bool libre = g.modeFormation == 1 || g.modeFormation == 5;
    if (g.bloque == 0) {
        g.pasX = g.pasY = 0;
    } else if (libre) {
        g.pointCourant = g.nbPointsTrajet;
        g.pasX = g.pasY = 0;
    }
    // The range scan is run where its answer is read, or, when it is not read, where it would
    // find a target whose mark is not overwritten before it is read. None of what runs first
    // (the step reset, the formation test, the return to the master's formation) writes what a
    // scan reads.
    const bool scanne = g.engagementLibre != 0;
    int aPortee = -1;   // not scanned yet
    auto peutAvancer = [&] {
        if (!scanne) return true;
        if (aPortee < 0) aPortee = Scan(gi, false, vu);
        return aPortee == 0;
    };
    auto suit = [&] {
        Groupe__SuitTrajet(gi);
        if (vu) vu->objet = 0;
    };
    if (g.suiviDemarre == 0) {
        if (peutAvancer()) {
            suit();
            g.suiviDemarre = 1;
            g.toursDepuisPas = 0;
            g.etatPas = 2;
            g.aGlisse = 0;
        }
    } else if (g.modeFormation == 4) {
        // The test reads the rectangle, the occupancy map and the members, none of which the
        // return to the master's formation writes: its answer holds for both uses.
        const bool etablie = Formation__Etablie(gi) == 0;
        if (etablie) {
            RetourMaitre(g);
            g.toursArrivee += 1;
            g.enFuite = 0;
            g.aGlisse = 0;
        }
        if (etablie && g.nbPointsTrajet > 1) {
            if (peutAvancer()) suit();
            g.toursDepuisPas = 0;
            g.aGlisse = 0;
            g.etatPas = 2;
        }
    } else if (libre) {
        if (Formation__Etablie(gi) == 0) {
            RetourMaitre(g);
            g.toursArrivee += 1;
            g.enFuite = 0;
        }
        if (!suiteLibre || !ScanEfface(gi)) peutAvancer();
        suit();
        g.toursDepuisPas = 0;
        g.etatPas = 0;
        return;
    }
    if (aPortee < 0) peutAvancer();
}

}  // namespace

void Groupe__RazSuivi(int gi) { RazSuivi(gi, false); }

int Groupe__EnnemiAPortee(int gi) { return Scan(gi, false); }
int Groupe__EnnemiEnVue(int gi) { return Scan(gi, true); }

int Groupe__MembreEnTransit(int gi) {
    const Groupe& g = TableGroupes[gi];
    for (int i = 0; i < g.nbMembres; ++i) {
        if (!Valide(g.membres[i])) continue;
        const Objet& o = TableObjets[g.membres[i]];
        if (o.ordreSecondaire != 2 || Decale(o)) return 1;
    }
    return 0;
}

void Unite__SignaleEngagement(int objet, int gi) {
    const Objet& o = TableObjets[objet];
    if (o.ordreSecondaire == 1 || (o.cible != -1 && (o.prochaineCaseX != o.x || o.prochaineCaseY != o.y)))
        TableGroupes[gi].bloque = 1;
}

void Groupe__Gestion(int gi) {
    Groupe& g = TableGroupes[gi];
    if (!Chef(g) || g.placee != 1) return;
    if (g.toursArrivee != 0) g.etatGroupe = 2;
    GroupesGeres = 1;
    g.toursDepuisPas += 1;
    // Up to a free formation's engagements, only group fields are written and the formation's
    // cells read: a lone member's engagement may take the range scan's answer for its search.
    Recherche vu;
    RazSuivi(gi, true, g.nbMembres == 1 ? &vu : nullptr);
    if (g.pointCourant >= g.nbPointsTrajet) {
        g.toursArrivee += 1;
        if (PasDeCible(g)) g.ordreAttaque = 0;
    }
    const bool cibleOuOrdre = g.ordreAttaque == 1 || !PasDeCible(g);
    if (g.modeFormation == 1 || g.modeFormation == 5) {
        Libre(gi, &vu);
    } else if (g.modeFormation == 4 && Formation__CasesEtrangeres(gi) != 0) {
        if (Groupe__EnnemiAPortee(gi) && g.engagementLibre != 0) {
            g.nbPointsTrajet = 0;
            g.toursArrivee = 200;
            if (PasDeCible(g)) g.ordreAttaque = 0;
            Engage(gi);
        } else if (cibleOuOrdre && g.engagementLibre == 1) {
            if (!Groupe__EnnemiEnVue(gi)) {
                Engage(gi);
                g.bloque = 0;
                Groupe__PourChaqueUnite(gi, Unite__SignaleEngagement);
                if (!TestBloque(gi, true) && Formation__CasesLibres(gi) != 0 && Groupe__MembreEnTransit(gi) == 0 &&
                    g.aGlisse == 0 && g.etatPas == 2)
                    Glisse(gi);
            } else {
                Engage(gi);
                if (PretPourAttaque(g)) {
                    OrdreAttaqueEtEngage(gi);
                    if (!TestBloque(gi, false) && Groupe__MembreEnTransit(gi) == 0 && g.etatPas == 2 &&
                        g.aGlisse == 0) {
                        g.etatPas = 2;
                        Glisse(gi);
                    }
                }
            }
        }
    } else if (g.modeFormation == 4) {
        if (g.aGlisse || g.enFuite) {
            Libre(gi, &vu);
        } else {
            const int enVue = Groupe__EnnemiEnVue(gi);
            if (enVue && g.engagementLibre == 1 && cibleOuOrdre) {
                Engage(gi);
                if (PretPourAttaque(g)) {
                    g.attaqueLancee = 1;
                    OrdreAttaqueEtEngage(gi);
                    if (!TestBloque(gi, false) && Groupe__MembreEnTransit(gi) == 0 && g.aGlisse == 0 &&
                        g.etatPas == 2) {
                        Groupe__SuitTrajet(gi);
                        g.etatPas = 2;
                        Glisse(gi);
                    }
                }
            }
            const bool aPortee = (enVue || !PorteeDansVue(gi)) && Groupe__EnnemiAPortee(gi);
            if (aPortee && g.engagementLibre == 1 && g.aGlisse == 0) {
                Engage(gi);
                if (PretPourAttaque(g)) {
                    OrdreAttaqueEtEngage(gi);
                    if (!TestBloque(gi, false) && Formation__CasesLibres(gi) != 0 &&
                        Groupe__MembreEnTransit(gi) == 0 && g.aGlisse == 0 && g.etatPas == 2) {
                        Groupe__SuitTrajet(gi);
                        g.etatPas = 2;
                        Glisse(gi);
                    }
                }
            } else if (!g.aGlisse) {
                Engage(gi);
                g.bloque = 0;
                Groupe__PourChaqueUnite(gi, Unite__SignaleEngagement);
                if (!TestBloque(gi, true) && Formation__CasesLibres(gi) != 0 && Groupe__MembreEnTransit(gi) == 0 &&
                    g.aGlisse == 0)
                    Glisse(gi);
            }
        }
    } else {
        return;
    }
    g.nouvelOrdre = 0;
}

void Unite__Attaque(int objet, int gi, int groupeCible, int cible) {
    Objet& o = TableObjets[objet];
    if (o.ordreSecondaire != 1) {
        Objet__ChercheCibles(objet, groupeCible);
        if (o.cible == -1) o.cible = cible;
        o.ordreSecondaire = 1;
        o.image = 0;
        o.compteurEvenement = -1;
        o.attenteCase = 1;
        return;
    }
    o.ordreSecondaire = 2;
    if (!GroupeIndice(gi)) return;
    Groupe& g = TableGroupes[gi];
    g.modeFormation = 1;
    g.pointCourant = g.nbPointsTrajet;
    g.pasX = g.pasY = 0;
    g.enFuite = 1;
}

namespace {

void Engagement(int objet, int gi, int* personne, const Recherche* vu) {
    if (ModeSceneCourant == 1) return;
    Objet& o = TableObjets[objet];
    Groupe& g = TableGroupes[gi];
    o.auContact = 0;
    if (Decale(o) || Objet__MourantOuMort(o) || g.enDeroute != 0 || o.finCycle != 1) return;
    o.finCycle = 0;
    if (personne && *personne < 0) *personne = PersonneAPortee(gi) ? 1 : 0;
    // prise: the object on the last cell the search took, 0 none (none in a square PersonneAPortee
    // answers for).
    int prise = 0;
    int t = 0;
    if (personne && *personne == 1) {
        // No member's search can take a cell: t and prise stay 0.
    } else if (vu && vu->objet == objet && vu->portee == o.porteeAttaque) {
        // The same search, made since with nothing it reads written: its answer and its writes.
        t = vu->resultat;
        prise = vu->prise;
        if (prise) o.groupeCible = t;
    } else {
        t = Unite__ChercherCibleAutour(objet, o.porteeAttaque, -1, prise);
    }
    // A search filtered on a group accepts a subset of the cells the unfiltered one accepts, over
    // the same rings: where the unfiltered one answers 0 (having taken, if any, only cells of
    // units whose numeroObjet is 0), so does the filtered one, and the groupeCible 0 it might
    // write is already there. Where the object on the cell that answered t is of that group, the
    // filtered search takes that cell too, after taking at most cells answering 0: it answers t
    // and leaves groupeCible at t, as it is.
    const int tp = g.groupeCibleIA == -1 || t == 0 ? 0
                   : TableObjets[prise].groupe == g.groupeCibleIA
                       ? t
                       : Unite__ChercherCibleAutour(objet, o.porteeAttaque, g.groupeCibleIA);
    const bool distance = Unite__CombatADistance(objet);
    auto avance = [&] { o.ordreSecondaire = 2; };
    auto attaqueFiltre = [&](int groupeCible) {
        if (tp) Unite__Attaque(objet, gi, groupeCible, tp);
        else avance();
    };
    if (g.ordreAttaque == 1) {
        if (t == 0 || o.attenteCase) avance();
        else if (g.engagementLibre != 1) attaqueFiltre(g.groupeCibleIA);
        else if (distance) Unite__Attaque(objet, gi, g.groupeCibleIA, t);
        else if (o.ordreSecondaire != 1) AttaqueMelee(o, g.groupeCibleIA, t);
        else avance();
    } else {
        if (t == 0 || o.attenteCase) avance();
        else if (g.engagementLibre == 1) {
            if (distance) Unite__Attaque(objet, gi, -1, t);
            else if (o.ordreSecondaire != 1) AttaqueMelee(o, -1, t);
            else avance();
        } else if (g.groupeCibleIA != -1) {
            attaqueFiltre(-1);
        } else {
            avance();
        }
    }
    if (o.ordreSecondaire == 1 && g.toursArrivee > 1) {
        o.auContact = 1;
        Unite__ChoisirCible(o.numeroObjet, -1);
        o.auContact = 0;
        return;
    }
    // With no cell taken (so t is 0), the unit only set itself moving since its search, which no
    // search reads: for the unit itself, its list fill finds no enemy either.
    auto choisit = !prise && o.numeroObjet == objet ? Unite__ChoisirCibleSansEnnemi : Unite__ChoisirCible;
    if (g.ordreAttaque == 1) choisit(o.numeroObjet, g.groupeCibleIA);
    else if (g.engagementLibre == 1) choisit(o.numeroObjet, -1);
}

}  // namespace

void Unite__Engagement(int objet, int gi) { Engagement(objet, gi, nullptr, nullptr); }

void Simulation__Tour() {
    if (ModeSceneCourant == 1) return;
    if ((SimulationCompteur + 1) % 6 != 0) {
        if (SimulationInitialisee == 0) {
            Groupes__PourChaque(ListeGroupesActifs, [](int g) { Groupe__Initialise(g); });
            SimulationInitialisee = 1;
        }
        Occupation__Reconstruit();
        // The pose of every group's units, then their preparation. Every unit the preparation
        // stamps again was stamped by the pose, with the same number on the same cells (neither
        // writes what a stamp reads). A stamp writes only a free cell or one holding its number,
        // so with no cell cleared by the pose, each of those cells still holds a number and the
        // same stamp again changes nothing: it is left out. What else the preparation writes
        // (the units' cells and moving state) the pose does not read, nor the preparation of other
        // groups: each group is prepared straight after its pose, while its lines are at hand.
        // Once the pose has cleared a cell, the whole preparation is made after the whole pose,
        // stamps included; it writes again what it wrote of the groups already prepared, the same
        // values from the same fields.
        PoseEfface = false;
        for (const NoeudEntier* n = ListeGroupesActifs; n && n->suivant; n = n->suivant) {
            const int g = n->valeur;
            if (GroupeIndice(g) && TableGroupes[g].membres) PoseMembres(g);
            if (!PoseEfface && Vivant(g)) ChaqueUnite(g, Recale<false>);
        }
        if (PoseEfface) Groupes__PourChaque(ListeGroupesActifs, Groupe__PrepareUnites);
        Groupes__PourChaque(ListeGroupesActifs, Groupe__PrePas);
        Groupes__PourChaque(ListeGroupesActifs, Groupe__Gestion);
        Groupes__PourChaque(ListeGroupesActifs, Groupe__VerifieOccupation);
    }
    if (IAActive) {
        SimulationCompteur += 1;
        if (SimulationCompteur % 6 == 0) {
            IA__EvaluationCibles();
            IA__Ordres(IACompteur % 4);
            IACompteur += 1;
        }
    }
}
