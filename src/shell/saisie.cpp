#include "shell/saisie.h"

#include <array>
#include <cstddef>

#include "battle/ordres.h"
#include "battle/sorts_auto.h"
#include "campaign/chateau.h"
#include "campaign/region.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/son.h"
#include "platform/hasard.h"
#include "platform/plateforme.h"
#include "scene/meteo.h"
#include "scene/panneau.h"
#include "scene/particules.h"
#include "scene/particules_effets.h"
#include "shell/conditions.h"
#include "shell/routeur.h"
#include "shell/trame.h"
#include "world/batiments.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/maitres.h"
#include "world/objets.h"
#include "world/univers.h"

int32_t DemandeSelection = 0;
int32_t DebutSelectionIcone = 0;
int32_t CadreDebutX = 0, CadreDebutY = 0;
int32_t CadreFinX = 0, CadreFinY = 0;
int32_t CtrlEnfonce = 0, AltEnfonce = 0;
int32_t SortArme = -1;
int32_t CapaciteArmee = -1;
int32_t CapaciteSurvolee = -1;
int32_t SortCiblable = 0;
int32_t ApparenceSouris = 0, SourisAccumul = 0;
int32_t MarqueurOrdre = 0, MarqueurOrdreType = 0, MarqueurOrdreX = -1, MarqueurOrdreY = -1;
int32_t ObjetVise = 0;
int32_t PortraitSurvole = -1;
int32_t TypeChefSuivant = -1;

namespace {

constexpr int MODE_CHATEAU = 0, MODE_REGION = 1, MODE_BATAILLE = 2;
constexpr int N = TAILLE_UNIVERS;
constexpr int PORTRAITS_AFFICHES = 7;   // the panel draws the first seven selected groups
constexpr int CAPACITES_MAX = 9;

bool SurCarte(int x, int y) { return x >= 0 && x < N && y >= 0 && y < N; }
bool ObjetIndice(int o) { return o > 0 && o < NOMBRE_OBJETS; }

Objet* ObjetDe(int o) { return ObjetIndice(o) ? &TableObjets[static_cast<size_t>(o)] : nullptr; }

// The first member of a group in use, null when it has none.
Objet* PremierMembre(int g) {
    if (!Groupe__Actif(g)) return nullptr;
    const Groupe& gr = TableGroupes[static_cast<size_t>(g)];
    if (gr.nbMembres <= 0 || gr.membres == nullptr) return nullptr;
    return ObjetDe(gr.membres[0]);
}

bool FamilleFixe(int famille) { return famille == 1 || famille == 2 || famille == 3; }

void Desarmer() {
    SortArme = -1;
    CapaciteArmee = -1;
}

void DeselectionTout() {
    Groupe__DeselectionTout();
    NombreGroupesSelectionnes = 0;
    GroupeEnSelection = -1;
}

// One of the four voices of the master's row, when the row has any, at the member's cell.
void Voix(const VoixParMaitre& table, const Objet& membre) {
    const int t = membre.typeMaitre;
    if (t < 0 || t >= NOMBRE_TYPES_MAITRES) return;
    const auto& rang = table[static_cast<size_t>(t)];
    if (rang[0] == 0) return;
    Son__JoueEnPosition(rang[static_cast<size_t>(Hasard_Visuel() & 3)], membre.x, membre.y);
}

// The feedback of an order at the mouse: the effect, or while paused the order marker.
void RetourOrdre(EffetParticule* effet, int type) {
    if (JeuEnPause) {
        // The marker's animation starts once; it shows the latest order.
        if (MarqueurOrdre == 0) MarqueurOrdre = 1;
        MarqueurOrdreType = type;
        MarqueurOrdreX = RepereX * 24 + SourisX;
        MarqueurOrdreY = RepereY * 24 + SourisY;
        return;
    }
    Particules_Emission(effet, PlanParticules1.data(), CAPACITE_PLAN_PARTICULES, &NombreParticules1, SourisX, SourisY,
                        0, 0, 0, -1);
}

// Every selected group goes for the cell: attack when an enemy stands there, else a move.
void OrdreSelection(int x, int y, bool attaque) {
    for (int i = 0; i < NombreGroupesSelectionnes; ++i) {
        const int g = GroupesSelectionnes[static_cast<size_t>(i)];
        const Objet* premier = PremierMembre(g);
        if (premier == nullptr) continue;
        Groupe__OrdreAttaque(g, x, y, 0, 0);
        Voix(attaque ? VoixAttaque : VoixDeplacement, *premier);
        RetourOrdre(attaque ? EffetOrdreAtt : EffetOrdreDpl, attaque ? 2 : 0);
    }
}

void ViseObjet() {
    ObjetVise = 0;
    if (PortraitSurvole != -1) {
        if (PremierMembre(PortraitSurvole) != nullptr) {
            ObjetVise = TableGroupes[static_cast<size_t>(PortraitSurvole)].membres[0];
            return;
        }
    }
    if (const Objet* air = ObjetDe(SourisSurvolAir)) {
        // The flying mount of the scenery under a unit: the unit is aimed at instead.
        const bool monture = air->typeMaitre == 135 && air->categorie == 9 && air->armee == 5;
        if (!(monture && SourisSurvolUnite != 0)) {
            ObjetVise = SourisSurvolAir;
            return;
        }
    }
    if (ObjetDe(SourisSurvolUnite)) ObjetVise = SourisSurvolUnite;
    else if (ObjetDe(SourisSurvol)) ObjetVise = SourisSurvol;
}

int NombreCapacites() { return CapacitesNombre < 0 ? 0 : (CapacitesNombre > CAPACITES_MAX ? CAPACITES_MAX : CapacitesNombre); }

Objet* ProprietaireCapacite(int slot) {
    if (slot < 0 || slot >= NombreCapacites()) return nullptr;
    return ObjetDe(CapacitesObjets[static_cast<size_t>(slot)]);
}

int CodeCapacite(int slot) {
    const Objet* o = ProprietaireCapacite(slot);
    const int index = slot >= 0 && slot < CAPACITES_MAX ? CapacitesIndex[static_cast<size_t>(slot)] : -1;
    if (o == nullptr || index < 0 || index > 8) return -1;
    return o->sorts[index];
}

void LanceSortArme() {
    Objet* cible = ObjetDe(ObjetVise);
    for (int i = 0; i < NombreGroupesSelectionnes; ++i) {
        const int g = GroupesSelectionnes[static_cast<size_t>(i)];
        if (PremierMembre(g) == nullptr) continue;
        const Groupe& gr = TableGroupes[static_cast<size_t>(g)];
        for (int m = 0; m < gr.nbMembres; ++m) {
            Objet* membre = ObjetDe(gr.membres[m]);
            if (membre == nullptr) continue;
            for (int s = 0; s < 9; ++s)
                if (membre->sorts[s] == SortArme) {
                    Sort__Lancement(membre, cible, s);
                    break;
                }
        }
    }
    Desarmer();
}

// Spells and the start of a press: the part of the input that runs with neither Control nor Alt.
void Capacites() {
    ViseObjet();

    CapaciteSurvolee = -1;
    const int H = EcranDestination.clipBas;
    for (int i = 0; i < NombreCapacites() && CapaciteSurvolee == -1; ++i)
        if (12 + 39 * i < SourisX && SourisX < 48 + 39 * i && H - 64 < SourisY && SourisY < H - 28) CapaciteSurvolee = i;

    if (SourisAccumul != 0) {
        ++SourisAccumul;
        if (SortArme != -1 && SourisAccumul > 9) SourisAccumul = 9;
        if (SourisAccumul >= 23) SourisAccumul = 0;
    }

    SortCiblable = 0;
    if (SortArme > 0)
        for (int i = 0; i < NombreCapacites() && !SortCiblable; ++i) {
            Objet* proprietaire = ProprietaireCapacite(i);
            if (proprietaire && Sort__CibleValide(proprietaire, ObjetDe(ObjetVise), SortArme)) SortCiblable = 1;
        }

    if (SortArme != -1 && (ToucheEchap || (BoutonGauche && !SortCiblable && CapaciteSurvolee == -1))) {
        Desarmer();
        ClicGauche = BoutonGauche = ToucheEchap = 0;
    }

    const bool chiffre = ToucheCaractere >= '1' && ToucheCaractere <= '9';
    if (!ClicGauche && !chiffre) return;
    if (chiffre && !ClicGauche && ToucheCaractere - '1' < NombreCapacites()) CapaciteSurvolee = ToucheCaractere - '1';

    const int code = CodeCapacite(CapaciteSurvolee);
    if (ClicGauche && SortArme > 0 && SortCiblable) {
        LanceSortArme();
    } else if (CapaciteSurvolee != -1 && code != SortArme && CapacitesActives[static_cast<size_t>(CapaciteSurvolee)]) {
        ApparenceSouris = 2;
        if (SourisAccumul == 0) SourisAccumul = 1;
        SortArme = code;
        CapaciteArmee = CapaciteSurvolee;
        if (code == 34) {
            // Cast at once by the slot's owner, from the slot's own spell index.
            Sort__Lancement(ProprietaireCapacite(CapaciteSurvolee), ObjetDe(ObjetVise),
                            CapacitesIndex[static_cast<size_t>(CapaciteSurvolee)]);
            Desarmer();
        }
    } else if (ClicGauche) {
        DemandeSelection = 1;
        CadreDebutX = RepereX + SourisX / 24;
        CadreDebutY = RepereY + SourisY / 24;
        DebutSelectionIcone = 0;
    }
    ClicGauche = 0;
    ToucheCaractere = 0;
    DemandeChateauRegion = 0;
}

void SurvolPortraits() {
    PortraitSurvole = -1;
    const int n = NombreGroupesSelectionnes;
    if (8 < SourisX && SourisX < (n + 1) * 70 + 8 && 1 <= SourisY && SourisY < 44) {
        const int i = (SourisX - 8) / 70;
        // Only the groups that have a portrait on the panel.
        if (i < n && i < PORTRAITS_AFFICHES) PortraitSurvole = GroupesSelectionnes[static_cast<size_t>(i)];
    }
}

// Ring search of a click: the cell itself, then the rings 1 to 3 in their fixed order.
struct Decalage {
    int8_t dx, dy;
};
constexpr std::array<Decalage, 8> ANNEAU1{{{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}}};
constexpr std::array<Decalage, 16> ANNEAU2{{{-2, -2}, {-1, -2}, {0, -2}, {1, -2}, {2, -2}, {-2, -1}, {2, -1}, {-2, 0},
                                            {2, 0}, {-2, 1}, {2, 1}, {-2, 2}, {-1, 2}, {0, 2}, {1, 2}, {2, 2}}};
constexpr std::array<Decalage, 24> ANNEAU3{{{-3, -3}, {-2, -3}, {-1, -3}, {0, -3}, {1, -3}, {2, -3}, {3, -3},
                                            {-3, 3},  {-2, 3},  {-1, 3},  {0, 3},  {1, 3},  {2, 3},  {3, 3},
                                            {-3, -2}, {3, -2},  {-3, -1}, {3, -1}, {-3, 0}, {3, 0},  {-3, 1},
                                            {3, 1},   {-3, 2},  {3, 2}}};

template <size_t K>
bool Anneau(const std::array<Decalage, K>& anneau) {
    for (const Decalage& d : anneau)
        if (Saisie__CaseSelection(d.dx, d.dy)) return true;
    return false;
}

void Relachement(bool maj) {
    DemandeSelection = 0;
    BoutonGaucheEtat = 0;
    if (DebutSelectionIcone) return;
    if (PortraitSurvole != -1) {
        if ((SortArme > 0 && SortCiblable) || NombreGroupesSelectionnes < 2) return;
        const int g = PortraitSurvole;
        DeselectionTout();
        Groupe__Selection(g);
        return;
    }
    const int avant = GroupeEnSelection;
    if (!maj) DeselectionTout();
    CadreFinX = RepereX + SourisX / 24;
    CadreFinY = RepereY + SourisY / 24;
    if (CadreFinX == CadreDebutX && CadreFinY == CadreDebutY) {
        if (!Saisie__CaseSelection(0, 0) && GroupeEnSelection == avant) {
            if (!Anneau(ANNEAU1) && !Anneau(ANNEAU2)) Anneau(ANNEAU3);
        }
    } else if (ModeSceneCourant == MODE_BATAILLE) {
        Saisie__SelectionCadre();
    }
}

void ClicDroit() {
    BoutonDroit = 0;
    if (DebutSelectionIcone && ApparenceSouris == 1) {
        ApparenceSouris = 0;
        SourisAccumul = 11;
        return;
    }
    CadreDebutX = RepereX + SourisX / 24;
    CadreDebutY = RepereY + SourisY / 24;
    for (const Decalage d : std::array<Decalage, 9>{{{0, 0}, {-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}}})
        if (Saisie__OrdreAttaque(GrilleUnites, CadreDebutX + d.dx, CadreDebutY + d.dy)) return;
    if (GroupeEnSelection == -1) return;
    OrdreSelection(RepereX + CurseurCaseX, RepereY + CurseurCaseY, false);
}

// Evenness and the lower bound kept by every scroll step.
void Pair() {
    RepereX &= ~1;
    RepereY &= ~1;
    if (RepereX < 0) RepereX = 0;
    if (RepereY < 0) RepereY = 0;
}

void Pas(int dx, int dy) {
    RepereX += dx;
    RepereY += dy;
    RepereX &= ~1;
    RepereY &= ~1;
    if (NuagesActifs) Nuages__Decalage(dx * 24, dy * 24);
}

}  // namespace

void Saisie__Commandes() {
    const bool maj = Clavier_Enfoncee(TOUCHE_MAJ);
    ToucheMaj = maj ? 1 : 0;
    CtrlEnfonce = Clavier_Modificateur(MODIF_CTRL) ? 1 : 0;
    AltEnfonce = Clavier_Modificateur(MODIF_ALT) ? 1 : 0;
    if (!CtrlEnfonce && !AltEnfonce) Capacites();

    SurvolPortraits();

    if (BoutonGaucheEtat == -1 && DemandeSelection && !Glissement) Relachement(maj);
    if (BoutonDroit) ClicDroit();
}

int Saisie__OrdreAttaque(const int32_t*, int x, int y) {
    if (!SurCarte(x, y) || GrilleUnites == nullptr) return 0;
    const int o = GrilleUnites[x + N * y];
    if (o == 1 || !ObjetIndice(o)) return 0;
    const Objet& cible = TableObjets[static_cast<size_t>(o)];
    if (FamilleFixe(cible.famille)) return 0;
    if (cible.armee <= 0 || cible.armee > 5 || TableAttaque[0][static_cast<size_t>(cible.armee)] == 0) return 0;
    OrdreSelection(RepereX + CurseurCaseX, RepereY + CurseurCaseY, true);
    return 1;
}

int Saisie__ObjetCase() {
    if (PointeurCase == nullptr) return 0;
    Objet* o = ObjetDe(*PointeurCase);
    if (o == nullptr || o->armee != 0) return 0;
    if (o->selectionnable) {
        Groupe__Selection(o->groupe);
        return 1;
    }
    if (o->famille == 1 && ModeSceneCourant == MODE_CHATEAU) {
        ObjetCourant = o;
        return ChateauBatimentSelection();
    }
    return 0;
}

int Saisie__CaseSelection(int dx, int dy) {
    const int x = CadreDebutX + dx, y = CadreDebutY + dy;
    if (!SurCarte(x, y)) return 0;
    if (GrilleUnites != nullptr) {
        PointeurCase = &GrilleUnites[x + N * y];
        if (Saisie__ObjetCase()) return 1;
    }
    if (GrilleAir == nullptr) return 0;
    PointeurCase = &GrilleAir[x + N * y];
    return Saisie__ObjetCase();
}

void Saisie__SelectionCadre() {
    int x0 = CadreDebutX, x1 = CadreFinX, y0 = CadreDebutY, y1 = CadreFinY;
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    CadreDebutX = x0, CadreFinX = x1, CadreDebutY = y0, CadreFinY = y1;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            if (!SurCarte(x, y)) continue;
            if (GrilleUnites != nullptr) {
                PointeurCase = &GrilleUnites[x + N * y];
                Saisie__ObjetCase();
            }
            if (GrilleAir != nullptr) {
                PointeurCase = &GrilleAir[x + N * y];
                Saisie__ObjetCase();
            }
        }
}

void Saisie__MiniCarte() {
    CtrlEnfonce = Clavier_Modificateur(MODIF_CTRL) ? 1 : 0;
    AltEnfonce = Clavier_Modificateur(MODIF_ALT) ? 1 : 0;
    if (CtrlEnfonce || AltEnfonce) return;
    // A left press since the last frame moves the view even when already released (a quick tap).
    const bool gauche = BoutonGauche || ClicGauche;
    ClicGauche = 0;
    BoutonGaucheEtat = 0;
    // A hovered cell off the map (the frame's edge) moves nothing.
    if (!SurCarte(CarteReduiteSurvolX, CarteReduiteSurvolY)) return;
    if (gauche && !DemandeSelection) {
        Glissement = 1;
        RepereX = CarteReduiteSurvolX - CasesVisiblesX / 2;
        RepereY = CarteReduiteSurvolY - CasesVisiblesY / 2;
        Defilement__Bornage();
        if (RepereX > 127 - CasesVisiblesX) RepereX = 127 - CasesVisiblesX;
        if (RepereY > 127 - CasesVisiblesY) RepereY = 127 - CasesVisiblesY;
        Pair();
        ReperePixelX = RepereX * 24;
        ReperePixelY = RepereY * 24;
    }
    if (BoutonDroit) {
        Glissement = 1;
        if (GroupeEnSelection == -1) return;
        if (NombreGroupesSelectionnes == 0) {
            Groupe__OrdreDeplacement(GroupeEnSelection, CarteReduiteSurvolX, CarteReduiteSurvolY);
            return;
        }
        for (int i = 0; i < NombreGroupesSelectionnes; ++i)
            Groupe__OrdreDeplacement(GroupesSelectionnes[static_cast<size_t>(i)], CarteReduiteSurvolX, CarteReduiteSurvolY);
    }
}

void Defilement__Bornage() {
    RepereX &= ~1;
    RepereY &= ~1;
    if (RepereX < 0) RepereX = 0;
    if (RepereY < 0) RepereY = 0;
    // 126: the greatest even column of the map.
    if (RepereX > 126) RepereX = 126;
    if (RepereY > 126) RepereY = 126;
    ReperePixelX = RepereX * 24;
    ReperePixelY = RepereY * 24;
}

void Defilement__Droite() {
    const bool demande = SourisX >= LargeurEcran - 16 || ToucheDroite;
    ToucheDroite = 0;
    if (demande) {
        const bool permis = ModeSceneCourant == MODE_REGION ? RepereX < 26 && SourisY < 360
                                                            : RepereX < 126 - 2 * (LargeurEcran / 48);
        if (permis) Pas(2, 0);
    }
    Pair();
}

void Defilement__Gauche() {
    const bool demande = SourisX < 17 || ToucheGauche;
    ToucheGauche = 0;
    if (demande && RepereX > 0) Pas(-2, 0);
    Pair();
}

void Defilement__Bas() {
    const bool demande = SourisY >= HauteurEcran - 16 || ToucheBas;
    ToucheBas = 0;
    if (demande) {
        const bool permis = ModeSceneCourant == MODE_REGION ? RepereY < 20 && SourisX < 500
                                                            : RepereY < 126 - 2 * (HauteurEcran / 48);
        if (permis) Pas(0, 2);
    }
    Pair();
}

void Defilement__Haut() {
    const bool demande = SourisY < (PortraitSurvole != -1 ? 6 : 17) || ToucheHaut;
    ToucheHaut = 0;
    if (demande && RepereY > 0) Pas(0, -2);
    Pair();
}

void Vue__CentrageSelection() {
    if (ModeSceneCourant == MODE_REGION || NombreGroupesSelectionnes <= 0) return;
    const Objet* o = PremierMembre(GroupesSelectionnes[0]);
    if (o == nullptr) return;
    RepereX = o->x - CasesVisiblesX / 2;
    RepereY = o->y - CasesVisiblesY / 2;
    Pair();
    Defilement__Bornage();
}

void Vue__CentrageArmee(int armee) {
    if (ModeSceneCourant == MODE_REGION) return;
    int64_t sx = 0, sy = 0, n = 0;
    for (NoeudEntier* l = ListeObjetsVivants; l && l->suivant; l = l->suivant) {
        const Objet* o = ObjetDe(l->valeur);
        if (o == nullptr || o->armee != armee || !o->selectionnable || !SurCarte(o->x, o->y)) continue;
        sx += o->x;
        sy += o->y;
        ++n;
    }
    if (n == 0) return;
    RepereX = static_cast<int32_t>(sx / n) - CasesVisiblesX / 2;
    RepereY = static_cast<int32_t>(sy / n) - CasesVisiblesY / 2;
    Defilement__Bornage();
    // The whole view stays on the map, as the terrain's drawing would keep it.
    if (RepereX + CasesVisiblesX > 127) RepereX = (127 - CasesVisiblesX) & ~1;
    if (RepereY + CasesVisiblesY > 127) RepereY = (127 - CasesVisiblesY) & ~1;
    Pair();
    ReperePixelX = RepereX * 24;
    ReperePixelY = RepereY * 24;
}

void Unite__Suivante() {
    static constexpr std::array<int, 9> CHEFS{5, 120, 121, 376, 123, 124, 125, 374, 122};
    int depart = -1;
    for (int i = 0; i < static_cast<int>(CHEFS.size()); ++i)
        if (CHEFS[static_cast<size_t>(i)] == TypeChefSuivant) depart = i;
    for (int k = 1; k <= 11; ++k) {
        const int t = CHEFS[static_cast<size_t>((depart + k) % static_cast<int>(CHEFS.size()))];
        for (NoeudEntier* n = ListeObjetsVivants; n && n->suivant; n = n->suivant) {
            Objet* o = ObjetDe(n->valeur);
            if (o == nullptr || o->typeMaitre != t || o->ordreSecondaire == 4) continue;
            RepereX = o->x - CasesVisiblesX / 2;
            RepereY = o->y - CasesVisiblesY / 2;
            Defilement__Bornage();
            if (o->armee == 0) {
                DeselectionTout();
                Groupe__Selection(o->groupe);
            }
            TypeChefSuivant = t;
            return;
        }
    }
}

void Selection__MemeTypeVisibles() {
    if (NombreGroupesSelectionnes <= 0) return;
    const Objet* modele = PremierMembre(GroupesSelectionnes[0]);
    if (modele == nullptr) return;
    const int t = modele->typeMaitre;
    for (int j = 0; j < CasesVisiblesY; ++j)
        for (int i = 0; i < CasesVisiblesX; ++i) {
            const int x = RepereX + i, y = RepereY + j;
            if (!SurCarte(x, y)) continue;
            if (GrilleUnites != nullptr) {
                const Objet* o = ObjetDe(GrilleUnites[x + N * y]);
                if (o && o->armee == 0 && o->typeMaitre == t && !FamilleFixe(o->famille)) Groupe__Selection(o->groupe);
            }
            if (GrilleAir != nullptr) {
                const Objet* o = ObjetDe(GrilleAir[x + N * y]);
                if (o && o->armee == 0 && o->typeMaitre == t) Groupe__Selection(o->groupe);
            }
        }
}

namespace {
int RechercheRayon(const int32_t* grille, int famille, int x, int y, int r) {
    if (grille == nullptr) return 0;
    for (int j = y - r; j <= y + r; ++j)
        for (int i = x - r; i <= x + r; ++i) {
            if (!SurCarte(i, j)) continue;
            const Objet* o = ObjetDe(grille[i + N * j]);
            if (o && o->famille == famille) return grille[i + N * j];
        }
    return 0;
}
}  // namespace

int Objet__RechercheRayonFamille1(int x, int y, int r) { return RechercheRayon(GrilleSelection, 1, x, y, r); }
