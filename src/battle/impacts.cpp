#include "battle/impacts.h"

#include <algorithm>

#include "battle/cibles.h"
#include "battle/coups.h"
#include "battle/formations.h"
#include "battle/sorts_actions.h"
#include "foundation/journal.h"
#include "foundation/son.h"
#include "frontend/localisation.h"
#include "platform/hasard.h"
#include "scene/eclairs.h"
#include "scene/particules.h"
#include "shell/trame.h"
#include "world/descriptions.h"
#include "world/gestion_objets.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/maitres.h"
#include "world/mort.h"
#include "world/niveau.h"
#include "world/objets.h"

std::array<EffetImpact, NOMBRE_EFFETS_IMPACT> EffetsImpact{};
int32_t CompteurTremblement = 0;

namespace {

constexpr int FAMILLE_HUMAIN = 0;
constexpr int LIGNE_TEXTE_REVENANT = 119;   // the log text of a unit raised from the dead

bool SurCarte(int x, int y) { return x >= 0 && x < 128 && y >= 0 && y < 128; }

int Case(int x, int y) { return x + 128 * y; }

int Indice(const Objet& o) { return static_cast<int>(&o - TableObjets.data()); }

bool Vivant(int i) { return i >= 1 && i < NOMBRE_OBJETS && TableObjets[static_cast<size_t>(i)].noeudListe != nullptr; }

bool Mourant(int i) { return Objet__MourantOuMort(i); }

// The owner while its slot still holds a live object; one that is gone acts for nobody.
Objet* Proprietaire(const EffetImpact& e) {
    if (e.proprietaire == nullptr || e.proprietaire->noeudListe == nullptr) return nullptr;
    return e.proprietaire;
}

// The object of a grid cell that an effect may act on (not the placeholder of water and walls).
Objet* Occupant(const int32_t* grille, int x, int y) {
    if (grille == nullptr || !SurCarte(x, y)) return nullptr;
    const int i = grille[Case(x, y)];
    if (!Vivant(i)) return nullptr;
    Objet& o = TableObjets[static_cast<size_t>(i)];
    return o.armee == ARMEE_REPERE ? nullptr : &o;
}

// Hostility as the relation matrix gives it, object's army first.
bool Hostile(const Objet& o, const Objet& autre) { return Armees__Hostiles(o.armee, autre.armee); }

void Emettre(EffetParticule* effet, int plan, int x, int y, int dx = 0, int dy = 0) {
    Particule* plans[3] = {PlanParticules0.data(), PlanParticules1.data(), PlanParticules2.data()};
    int16_t* nombres[3] = {&NombreParticules0, &NombreParticules1, &NombreParticules2};
    Particules_Emission(effet, plans[plan], CAPACITE_PLAN_PARTICULES, nombres[plan], x - ReperePixelX, y - ReperePixelY, 0,
                        dx, dy, -1);
}

// The army a summoning serves: the owner's, or army 5 for the player's.
int ArmeeInvoquee(const Objet& p) { return p.armee == 0 ? 5 : p.armee; }

// A creature summoned for the owner; counted for the player once it stands.
int Invoquer(int maitre, const Objet& p, int x, int y, int direction) {
    const int c = Creature__Creation(maitre, ArmeeInvoquee(p), x, y, direction, p.categorie);
    if (c != 0 && p.armee == 0) ++CreaturesInvoqueesJoueur;
    return c;
}

// The blessing's column of light over the owner.
void ColonneBenediction(const Objet& p) {
    const int x = (p.x + 1) * 24, y = (p.y + 1) * 24;
    Emettre(EffetBenediction, 1, x, y, -2, 5);
    for (int h = 64; y - h - ReperePixelY >= -64 - ReperePixelY; h += 64) Emettre(EffetBenedictionFin, 2, x, y - h);
}

void Liberer(EffetImpact& e) { e = EffetImpact{}; }

// The watch of a blessing over one object: tops it up to two thirds while it is low.
void Veille(EffetImpact& e) {
    if (!Vivant(e.parametre) || Mourant(e.parametre)) {
        Liberer(e);
        return;
    }
    Objet& o = TableObjets[static_cast<size_t>(e.parametre)];
    if (e.duree % 9 == 0 && o.pointsDeVie <= o.pointsDeVieMaximum / 3) o.pointsDeVie = o.pointsDeVieMaximum * 2 / 3;
    if (e.duree < 2) o.etatSort = 0;
}

// A watch for object o; it shows as blessed only when the table took the watch.
void Benir(Objet& o, int genre, int duree) {
    if (EffetImpactAjouter(nullptr, genre, 0, 0, Indice(o), duree)) o.etatSort = 5;
}

void Explosion(EffetImpact& e) {
    static const int Points3[5][2] = {{19, -4}, {28, 9}, {18, 28}, {-5, 20}, {1, -4}};
    static const int Points2[3][2] = {{21, 12}, {6, 17}, {2, -2}};
    if (e.duree == 3)
        for (const auto& p : Points3) Emettre(EffetBouleFeuExplo, 1, e.x + p[0], e.y + p[1]);
    else if (e.duree == 2)
        for (const auto& p : Points2) Emettre(EffetBouleFeuExplo, 1, e.x + p[0], e.y + p[1]);
    else if (e.duree == 1)
        Emettre(EffetBouleFeuExplo, 1, e.x + 12, e.y + 12);
}

void LeveeCreatures(EffetImpact& e) {
    if (e.parametre != -1) {
        if (Vivant(e.parametre)) {
            e.x = TableObjets[static_cast<size_t>(e.parametre)].x;
            e.y = TableObjets[static_cast<size_t>(e.parametre)].y;
        }
        e.parametre = -1;
        Objet* p = Proprietaire(e);
        if (GrilleUnites == nullptr) return;
        static const int Maitres[6] = {267, 265, 266, 341, 262, 264};
        for (int essai = 0, faites = 0; essai < 25 && faites < 5; ++essai) {
            const int dx = Hasard_Regles() % 5 - 2;
            const int dy = Hasard_Regles() % 5 - 2;
            const int x = e.x + dx, y = e.y + dy;
            if (!SurCarte(x, y)) continue;
            int k = (Hasard_Regles() % 41) / 9;
            const int i = GrilleUnites[Case(x, y)];
            bool libre = i == 0;
            if (i >= 1 && i < NOMBRE_OBJETS) {
                const Objet& o = TableObjets[static_cast<size_t>(i)];
                if (o.famille == FAMILLE_CADAVRE || Mourant(i)) {
                    libre = true;
                    if (o.typeMaitre == 27 || o.typeMaitre == 16) k = 5;
                }
            }
            if (!libre || p == nullptr) continue;
            if (Invoquer(Maitres[k], *p, x, y, 0)) ++faites;
        }
        return;
    }
    if (e.duree % 5 == 0) Emettre(EffetAnimeMort2, 1, (e.x + 1) * 24, e.y * 24);
}

void Benediction(EffetImpact& e) {
    if (e.parametre != -1) {
        Veille(e);
        return;
    }
    if (Objet* p = Proprietaire(e)) {
        for (int j = -2; j <= 1; ++j)
            for (int i = -2; i <= 1; ++i) {
                Objet* o = Occupant(GrilleUnites, e.x + i, e.y + j);
                if (o == nullptr || Hostile(*o, *p)) continue;
                if (o->typeMaitre >= 0 && o->typeMaitre < NOMBRE_TYPES_MAITRES &&
                    TableMaitres[static_cast<size_t>(o->typeMaitre)].categorie == 6)
                    continue;
                Benir(*o, 5, 450);
            }
        ColonneBenediction(*p);
        Son__JoueEnPosition(5000, e.x, e.y);
    }
    Liberer(e);
}

void Elementaire(EffetImpact& e) {
    if (e.duree > 5) {
        if (e.duree > 12) {
            e.duree = 12;
            Emettre(EffetApparition, 1, e.x * 24, e.y * 24);
        }
        return;
    }
    if (e.duree != 5 || GrilleUnites == nullptr || !SurCarte(e.x, e.y) || GrilleUnites[Case(e.x, e.y)] != 1) return;
    bool eau = false, terre = false, lave = false;
    for (int j = -5; j <= 5; ++j)
        for (int i = -5; i <= 5; ++i) {
            if (!SurCarte(e.x + i, e.y + j)) continue;
            switch (GrilleMatieres[static_cast<size_t>(Case(e.x + i, e.y + j))]) {
                case 'E': case 'N': eau = true; break;
                case 'H': case 'I': case 'P': case 'S': case 'T': terre = true; break;
                case 'L': lave = true; break;
                default: break;
            }
        }
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 2; ++i)
            if (SurCarte(e.x + i, e.y + j) && GrilleUnites[Case(e.x + i, e.y + j)] == 1) GrilleUnites[Case(e.x + i, e.y + j)] = 0;
    Objet* p = Proprietaire(e);
    if (p == nullptr) return;
    int m = 0;
    if (p->categorie == 1 && eau)
        m = 136;
    else if (p->categorie == 0 && terre)
        m = 138;
    else if (p->categorie == 2 && lave)
        m = 137;
    else if (p->typeMaitre == 5)
        m = 135;
    else if (p->categorie == TableMaitres[45].categorie)
        m = 138;
    else if (p->categorie == TableMaitres[39].categorie && Objet__RechercheRayonFamille3(e.x, e.y, 7))
        m = 143;
    if (m == 0) return;
    const int c = Invoquer(m, *p, e.x, e.y, p->direction);
    if (c == 0) return;
    const auto& voix = VoixAttaque[static_cast<size_t>(m)];
    if (voix[0] != 0) Son__Joue(voix[static_cast<size_t>(Hasard_Visuel() % 4)]);
    TableObjets[static_cast<size_t>(c)].regenerationVie = -3;
    if (p->action >= 0 && p->action < static_cast<int>(CoutActionSort.size()))
        p->mana = CoutActionSort[static_cast<size_t>(p->action)];
    Son__JoueEnPosition(5001, e.x, e.y);
}

void LeveeMorts(EffetImpact& e) {
    if (e.parametre > 0) {
        if (Vivant(e.parametre)) {
            e.x = TableObjets[static_cast<size_t>(e.parametre)].x;
            e.y = TableObjets[static_cast<size_t>(e.parametre)].y;
        }
        e.parametre = -1;
    }
    if (e.duree % 40 != 0) {
        if (e.duree % 10 == 0) Emettre(EffetAnimeMort2, 1, (e.x + 1) * 24, e.y * 24);
        return;
    }
    Objet* p = Proprietaire(e);
    if (p == nullptr || GrilleUnites == nullptr) return;
    for (int j = -2; j <= 1; ++j)
        for (int i = -2; i <= 1; ++i) {
            const int x = e.x + i, y = e.y + j;
            Objet* o = Occupant(GrilleSol, x, y);
            if (o == nullptr) continue;
            int m, niveau;
            if (o->famille == FAMILLE_CADAVRE) {
                m = o->maitreCadavre();
                niveau = o->niveauCadavre();
            } else if (Mourant(Indice(*o))) {
                m = o->typeMaitre;
                niveau = o->niveau;
            } else {
                continue;
            }
            if (m == 18) m = o->delaiMort();
            if (m == 374 || m == 5 || (m >= 120 && m <= 125) || m == 376) continue;
            // The master comes from the body: it must name a master that exists.
            if (m < 0 || m >= NombreMaitres || m == 18 || NomsMaitres[static_cast<size_t>(m)] == nullptr) continue;
            if (GrilleUnites[Case(x, y)] != 0) continue;
            const int categorie = TableMaitres[static_cast<size_t>(m)].categorie;
            if (categorie == 6 || categorie == 7) continue;
            const int c = Creature__Creation(m, ArmeeInvoquee(*p), x, y, 0, p->categorie);
            if (c == 0) continue;
            TableObjets[static_cast<size_t>(c)].niveau = niveau;
            TableObjets[static_cast<size_t>(c)].regenerationVie = -1;
            char texte[256];
            const char* modele = TexteInterface(LIGNE_TEXTE_REVENANT);
            Localisation__Texte(texte, sizeof texte, *modele ? modele : "%s revient d'entre les morts.",
                                NomsMaitres[static_cast<size_t>(m)]);
            Messages_Ajout(texte, 4);
            GrilleSol[Case(x, y)] = 0;
        }
}

void PluieDeFeu(EffetImpact& e) {
    static const int Gouttes[8][2] = {{-70, -80}, {-50, -90}, {-30, -90}, {-10, -80},
                                      {10, -80},  {30, -90},  {50, -90},  {70, -80}};
    for (const auto& g : Gouttes) Emettre(EffetPluieDeFeu, 1, e.x * 24 + g[0], e.y * 24 + g[1], -2, 5);
    if (e.duree % 30 == 0) Son__JoueEnPosition(780, e.x, e.y);
    Objet* p = Proprietaire(e);
    if (e.duree % 5 != 0 || p == nullptr) return;
    for (int j = -1; j <= 4; ++j)
        for (int i = -3; i <= 2; ++i)
            if (Objet* o = Occupant(GrilleUnites, e.x + i, e.y + j)) EvenementCoupDegats(o, p);
}

void Seisme(EffetImpact& e) {
    Objet* p = Proprietaire(e);
    if (p && e.duree % 5 == 0) {
        for (int j = -12; j <= 11; ++j)
            for (int i = -15; i <= 14; ++i) {
                const int x = e.x + i, y = e.y + j;
                if (x < 1 || x > 127 || y < 1 || y > 127) continue;
                Objet* o = Occupant(GrilleUnites, x, y);
                if (o == nullptr || Mourant(Indice(*o)) || o->famille != FAMILLE_HUMAIN || !o->actif || !Hostile(*o, *p))
                    continue;
                if (o->typeMaitre == 5 || o->typeMaitre == 121 || o->typeMaitre == 124 || o->typeMaitre == 376) continue;
                if (o->sorts[0] >= 1) continue;
                o->pointsDeVie -= o->pointsDeVieMaximum / 30;
                o->touche = 1;
                if (o->pointsDeVie < 1) {
                    o->animation = 19;
                    o->ordreSecondaire = 3;
                    o->pointsDeVie = 0;
                    o->heureMort = o->heureEtat = static_cast<int32_t>(HorlogeJeu);
                    o->image = 0;
                    o->compteurEvenement = -1;
                }
            }
    }
    const int dx = e.x - (ReperePixelX / 24 + LargeurEcran / 48);
    const int dy = e.y - (ReperePixelY / 24 + HauteurEcran / 48);
    TremblementAmplitude += 10 / ((dx * dx + dy * dy) / 40 + 1);
}

void BenedictionMasse(EffetImpact& e) {
    if (e.parametre >= 1) {
        Veille(e);
        return;
    }
    if (Objet* p = Proprietaire(e)) {
        ColonneBenediction(*p);
        Son__JoueEnPosition(5000, e.x, e.y);
        // Every live object of the table, not only as many as are alive.
        for (int i = 1; i < NOMBRE_OBJETS; ++i) {
            Objet& o = TableObjets[static_cast<size_t>(i)];
            if (!Vivant(i) || o.indice <= 0 || &o == p || o.armee == ARMEE_REPERE || Hostile(o, *p)) continue;
            Benir(o, 19, 1500);
        }
        p->ordreSecondaire = 3;   // the caster gives its life
    }
    Liberer(e);
}

void Eblouissement(EffetImpact& e) {
    if (e.duree > 30) e.duree = 30;
    Objet* p = Proprietaire(e);
    if (p && e.duree % 5 == 0)
        for (int j = -15; j <= 14; ++j)
            for (int i = -15; i <= 14; ++i) {
                if (i * i + j * j >= 226) continue;
                if (Objet* o = Occupant(GrilleUnites, e.x + i, e.y + j); o && Hostile(*o, *p)) EffetImpactDegats(o, p);
                if (Objet* o = Occupant(GrilleAir, e.x + i, e.y + j); o && Hostile(*o, *p)) EffetImpactDegats(o, p);
            }
    if (e.duree >= 21)
        FonduNiveau = (30 - e.duree) * 25;
    else if (e.duree >= 2)
        FonduNiveau = e.duree * 12;
    else if (e.duree == 1 && EcranTampon)
        std::fill(EcranTampon, EcranTampon + static_cast<size_t>(LargeurEcran) * HauteurEcran, uint16_t{0});
}

void Orage(EffetImpact& e) {
    if (Objet* p = Proprietaire(e)) {
        for (int essai = 0, eclairs = 0; essai < 1000 && eclairs < 25; ++essai) {
            const int dy = Hasard_Regles() % 40 - 20;
            if (!SurCarte(p->x, p->y + dy)) continue;
            const int dx = Hasard_Regles() % 40 - 20;
            if (!SurCarte(p->x + dx, p->y + dy) || dx * dx + dy * dy >= 400) continue;
            for (const int32_t* grille : {GrilleUnites, GrilleAir}) {
                Objet* o = Occupant(grille, p->x + dx, p->y + dy);
                if (o == nullptr || !Hostile(*o, *p) || !o->actif) continue;
                Eclair__Creation(p->x * 24, p->y * 24, 4, Indice(*o), Indice(*p));
                ++eclairs;
            }
        }
        ColonneBenediction(*p);
    }
    Liberer(e);
}

void ZoneSoins(EffetImpact& e) {
    if (e.duree != 1) return;
    const DescriptionBatiment& d = DescriptionsBatimentT[157];
    for (int j = -4; j <= d.hauteur + 3; ++j)
        for (int i = -4; i <= d.largeur + 3; ++i) {
            Objet* o = Occupant(GrilleUnites, e.x + i, e.y + j);
            if (o == nullptr || Mourant(Indice(*o)) || o->famille != FAMILLE_HUMAIN) continue;
            if (o->pointsDeVie < o->pointsDeVieMaximum - 50) o->pointsDeVie += 50;
            if (o->mana < o->manaMaximum - 20) o->mana += 20;
        }
    EffetImpactAjouter(nullptr, 23, e.x, e.y, -1, 45);
}

void Action(EffetImpact& e) {
    switch (e.genre) {
        case 2: Explosion(e); break;
        case 3:
            Emettre(EffetSoins2, 1, e.x + 18, e.y + 18);
            Emettre(EffetSoins, 1, e.x + 18, e.y + 18);
            break;
        case 4: LeveeCreatures(e); break;
        case 5: Benediction(e); break;
        case 7: Emettre(EffetPolymorphe, 1, e.x + 24, e.y); break;
        case 8: Elementaire(e); break;
        case 9:
            if (e.duree == 5) Emettre(EffetBoom, 1, e.x + 12, e.y + 12);
            Emettre(EffetElectricFin, 1, e.x + 12, e.y + 12);
            break;
        case 11: Emettre(EffetAccumul, 1, e.x * 24 + 12, e.y * 24 + 12); break;
        case 12: LeveeMorts(e); break;
        case 13: PluieDeFeu(e); break;
        case 15: Seisme(e); break;
        case 19: BenedictionMasse(e); break;
        case 20: Eblouissement(e); break;
        case 21: Orage(e); break;
        case 22: Emettre(EffetFury, 1, e.x * 24 + 12, e.y * 24 + 12); break;
        case 23: ZoneSoins(e); break;
        default: break;   // the slot only counts down
    }
}

}  // namespace

int Creature__Creation(int maitre, int armee, int x, int y, int direction, int categorie) {
    const int o = Unite__CreationSeule(maitre, armee, x, y, direction);
    if (o == 0) return 0;
    if (categorie != -1) TableObjets[static_cast<size_t>(o)].categorie = categorie;
    Groupe__Initialise(TableObjets[static_cast<size_t>(o)].groupe);
    return o;
}

int EffetImpactAjouter(Objet* proprietaire, int genre, int x, int y, int parametre, int duree) {
    if (genre < 2 || genre > 23) return 0;
    for (EffetImpact& e : EffetsImpact) {
        if (e.genre != 0) continue;
        e.proprietaire = proprietaire;
        e.genre = genre;
        e.x = x;
        e.y = y;
        e.parametre = parametre;
        e.duree = duree;
        return 1;
    }
    return 0;
}

void EffetImpactOublierProprietaire(const Objet* o) {
    if (o == nullptr) return;
    for (EffetImpact& e : EffetsImpact)
        if (e.proprietaire == o) e.proprietaire = nullptr;
}

void EffetImpactViderTable() {
    // An elemental not yet summoned gives back the block it reserved, else it would stay
    // impassable for the rest of the battle.
    for (const EffetImpact& e : EffetsImpact) {
        if (e.genre != 8 || e.duree < 5 || GrilleUnites == nullptr) continue;
        for (int j = 0; j < 2; ++j)
            for (int i = 0; i < 2; ++i)
                if (SurCarte(e.x + i, e.y + j) && GrilleUnites[Case(e.x + i, e.y + j)] == 1)
                    GrilleUnites[Case(e.x + i, e.y + j)] = 0;
    }
    EffetsImpact.fill(EffetImpact{});
}

void EffetImpactGestion() {
    TremblementAmplitude = 0;
    FonduNiveau = 0;
    for (EffetImpact& e : EffetsImpact) {
        if (e.genre == 0) continue;
        if (e.duree > 0) {
            Action(e);
        } else {
            Liberer(e);
            continue;
        }
        if (e.genre != 0) --e.duree;
    }
    FonduNiveau = std::clamp(FonduNiveau, 0, 127);
    if (TremblementAmplitude >= 1) {
        TremblementAmplitude = std::min(TremblementAmplitude, 20);
        if (CompteurTremblement % 5 == 0) {
            static const int Grondements[4] = {56, 761, 55, 780};
            Son__Joue(Grondements[std::min(Hasard_Visuel() % 10, 3)]);
        }
        ++CompteurTremblement;
    }
}
