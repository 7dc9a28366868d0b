#include "campaign/deploiement.h"

#include <cmath>
#include <vector>

#include "campaign/campagne.h"
#include "campaign/variables.h"
#include "foundation/erreurs.h"
#include "world/experience.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/maitres.h"
#include "world/objets.h"

namespace {

constexpr int32_t FAMILLE_DRAGON = 6;
constexpr int32_t FAMILLE_ANGE = 21;
constexpr int32_t MAITRE_VOLANT = 36;
constexpr int32_t RAYON_MAXIMUM = 128;

struct Case {
    int32_t ligne = -1, colonne = -1;   // -1: the layout has no cell left for the unit
};

// The layout cell of each unit, in list order: the first cell of the unit's type not yet taken.
std::vector<Case> Cases(const Section* section) {
    std::vector<Case> cases(section->unites.nombre);
    const DispositionSection* d = Catalogue__disposition(section->niveauChateau, section->typeSection);
    if (d == nullptr) return cases;
    std::vector<std::vector<bool>> prise(d->hauteur, std::vector<bool>(d->largeur, false));
    for (int32_t i = 0; i < section->unites.nombre; ++i) {
        const int32_t type = section->unites[i]->typeUnite;
        for (int32_t l = 0; l < d->hauteur && cases[i].ligne < 0; ++l)
            for (int32_t c = 0; c < d->largeur; ++c)
                if (!prise[l][c] && d->disposition[l][c] == type) {
                    prise[l][c] = true;
                    cases[i] = {l, c};
                    break;
                }
    }
    return cases;
}

int32_t MaitreUnite(const Unite* u) {
    if (!Catalogue || u->typeUnite < 0 || u->typeUnite >= Catalogue->nombreTypesUnites) return -1;
    const int32_t m = Catalogue->typesUnites[u->typeUnite].numeroMaitre;
    return m >= 0 && m < NombreMaitres ? m : -1;
}

void NiveauDeLObjet(int32_t objet, const Unite* u, int32_t camp) {
    Objet& o = TableObjets[objet];
    int32_t niveau = u->experience / 1000 + 1;
    int32_t experience = u->experience - u->experience / 1000;
    if (camp == 0) {
        if (NiveauChateau == 2 && niveau < 2) niveau = 2, experience = 2000;
        if (NiveauChateau == 3 && niveau < 3) niveau = 3, experience = 3000;
    } else if (VerificationArmee || MissionSpecialeEnCours) {
        niveau = 1, experience = 1000;
    } else {
        niveau = EtapeCampagne + 1;
        experience = 1000 * niveau;
    }
    o.niveau = niveau;
    o.experience = experience;
    Experience__AppliqueNiveau(objet);
    o.pointsDeVie = o.pointsDeVieMaximum;
}

}  // namespace

AncreEntree Deploiement__ancre(int32_t direction) {
    static const AncreEntree ANCRES[9] = {{64, 127}, {0, 127}, {0, 64},   {0, 0},  {64, 0},
                                          {127, 0},  {127, 64}, {127, 127}, {64, 64}};
    if (direction < 0 || direction > 8) return {0, 0};
    return ANCRES[direction];
}

std::vector<int32_t> Section__horsDisposition(const Section* section) {
    const std::vector<Case> cases = Cases(section);
    std::vector<int32_t> hors;
    for (int32_t i = 0; i < section->unites.nombre; ++i)
        if (cases[i].ligne < 0 || MaitreUnite(section->unites[i]) < 0) hors.push_back(i);
    return hors;
}

int32_t Section__essayerPoser(const Section* section, int32_t y, int32_t x) {
    const std::vector<Case> cases = Cases(section);
    for (int32_t i = 0; i < section->unites.nombre; ++i) {
        if (cases[i].ligne < 0) continue;   // left out when set down
        const int32_t maitre = MaitreUnite(section->unites[i]);
        if (maitre < 0) continue;
        const Objet& m = TableMaitres[maitre];
        const int32_t cote = m.taille + 2;
        const int32_t cx = x + cases[i].colonne - 1, cy = y + cases[i].ligne - 1;
        if (cx < 2 || cy < 2 || cx + cote - 1 > 125 || cy + cote - 1 > 125) return 0;
        if (ZoneBatimentsPresente && cx > ZoneBatimentsX && cx < ZoneBatimentsX + ZoneBatimentsLargeur &&
            cy > ZoneBatimentsY && cy < ZoneBatimentsY + ZoneBatimentsHauteur)
            return 0;
        if (m.famille == FAMILLE_DRAGON || m.famille == FAMILLE_ANGE || maitre == MAITRE_VOLANT) {
            if (!Univers__ZoneLibreAir(cx, cy, cote, cote)) return 0;
        } else if (!Univers__ZoneLibreSol(cx, cy, cote, cote) || !Univers__ZoneLibreUnites(cx, cy, cote, cote)) {
            return 0;
        }
    }
    return 1;
}

int32_t Section__poserSurCarte(Section* section, int32_t y, int32_t x, int32_t camp, int32_t id, int32_t direction) {
    const std::vector<Case> cases = Cases(section);
    const int32_t sens = ((direction % 8) + 8) % 8;
    const DispositionSection* d = Catalogue__disposition(section->niveauChateau, section->typeSection);
    int32_t groupe = -1, horsDisposition = 0;
    for (int32_t i = 0; i < section->unites.nombre; ++i) {
        const Unite* u = section->unites[i];
        const int32_t maitre = MaitreUnite(u);
        if (cases[i].ligne < 0 || maitre < 0) {
            ++horsDisposition;
            continue;
        }
        const int32_t ux = x + cases[i].colonne, uy = y + cases[i].ligne;
        int32_t objet = -1;
        if (groupe < 0) {
            groupe = Groupe___Creation(maitre, camp, ux, uy, 1, 1, sens);
            Groupe& g = TableGroupes[groupe];
            g.codeSection = Catalogue->typesSections[section->typeSection].numeroMaitre;
            g.niveauSection = section->niveauChateau;
            Groupe__Nom(groupe, section->nom.c_str());
            Groupe__Cible(groupe, id);
            objet = g.nbMembres > 0 ? g.membres[0] : -1;
        } else {
            objet = ObjetNaissance(maitre, camp, ux, uy, groupe, sens);
        }
        if (objet > 0) NiveauDeLObjet(objet, u, camp);
    }
    if (groupe > 0 && d) Groupe__Formation(groupe, d->largeur, d->hauteur);
    if (horsDisposition > 0)
        Avertissement("Section__poserSurCarte()", "%d unité(s) de la section %s hors de sa disposition",
                      horsDisposition, section->nom.c_str());
    return groupe;
}

int32_t Regiment__poserSurCarte(Regiment* regiment, int32_t direction, int32_t camp) {
    return Regiment__poserSurCarte(regiment, direction, camp, nullptr);
}

int32_t Regiment__poserSurCarte(Regiment* regiment, int32_t direction, int32_t camp, int32_t* posees) {
    const AncreEntree ancre = Deploiement__ancre(direction);
    int32_t rayon = 0, pas = 0;
    if (posees) *posees = 0;
    for (Section* section : regiment->sections) {
        for (;;) {
            const double angle = pas * 6.283184 / 180;
            const int32_t x = ancre.x + static_cast<int32_t>(std::cos(angle) * rayon);
            const int32_t y = ancre.y + static_cast<int32_t>(std::sin(angle) * rayon);
            if (Section__essayerPoser(section, y, x)) {
                Section__poserSurCarte(section, y, x, camp, regiment->id, direction);
                if (posees) ++*posees;
                break;
            }
            if (++pas > 359) {
                pas = 0;
                if (++rayon > RAYON_MAXIMUM) return -1;
            }
        }
    }
    return 0;
}

int32_t Armee__poserSurCarte(int32_t direction) {
    if (ArmeeJoueur == nullptr) return 0;
    for (Regiment* r : *ArmeeJoueur)
        if (Regiment__poserSurCarte(r, direction, 0) != 0) return -1;
    return 0;
}

Section* Section__depuisGroupe(int32_t groupe, int32_t camp) {
    const Groupe& g = TableGroupes[groupe];
    const int32_t type = Catalogue__sectionDepuisMaitre(g.codeSection);
    if (type < 0) return nullptr;
    Section* s = creerSection(g.nom ? g.nom : "", type, g.niveauSection, nullptr);
    for (int32_t i = 0; i < g.nbMembres; ++i)
        if (Unite* u = Unite__depuisObjet(g.membres[i], camp)) Section__ajouterUnite(s, u);
    return s;
}

Regiment* Regiment__depuisCarte(const std::string& nom, int32_t camp, int32_t id) {
    ListeExtensible<Section> sections;
    for (const NoeudEntier* n = ListeGroupesActifs; n && n->suivant; n = n->suivant) {
        const int32_t g = Liste__Valeur(n);
        if (TableGroupes[g].groupeCible != id) continue;
        if (Section* s = Section__depuisGroupe(g, camp)) sections.ajouter(s);
    }
    return creerRegiment(nom, id, &sections);
}
