#include "campaign/armee.h"

#include <cstdlib>

#include "campaign/variables.h"
#include "foundation/erreurs.h"
#include "foundation/son.h"
#include "frontend/localisation.h"
#include "world/experience.h"
#include "world/maitres.h"
#include "world/objets.h"

Armee* ArmeeJoueur = nullptr;
ListeReserves* ListeReservesJoueur = nullptr;
int32_t EspaceLibreReserves = 0;
int32_t OrJoueur = 0;
int32_t ExperienceChoisie = 0;
int32_t RestrictionsCatalogue = 1;

namespace {

constexpr int32_t SON_OR = 2019;

const TypeUnite* TypeDUnite(int32_t u) {
    if (!Catalogue || u < 0 || u >= Catalogue->nombreTypesUnites) return nullptr;
    return &Catalogue->typesUnites[u];
}

const TypeSection* TypeDeSection(int32_t s) {
    if (!Catalogue || s < 0 || s >= Catalogue->nombreTypesSections) return nullptr;
    return &Catalogue->typesSections[s];
}

int32_t NumeroMaitreUnite(int32_t u) {
    const TypeUnite* t = TypeDUnite(u);
    return t ? t->numeroMaitre : -1;
}

int32_t EspaceDuType(int32_t u) {
    const int32_t m = NumeroMaitreUnite(u);
    if (m < 0 || m >= NOMBRE_TYPES_MAITRES) return 0;
    return TableMaitres[m].taille * TableMaitres[m].taille;
}

void Ajouter(SommesUnites& s, const Unite& u, int signe) {
    s.experience += signe * u.experience;
    s.sante += signe * u.sante;
    s.santeMaximum += signe * u.santeMaximum;
    s.mana += signe * u.mana;
    s.manaMaximum += signe * u.manaMaximum;
    s.moral += signe * u.moral;
}

void Ajouter(SommesUnites& s, const SommesUnites& t, int signe) {
    s.experience += signe * t.experience;
    s.sante += signe * t.sante;
    s.santeMaximum += signe * t.santeMaximum;
    s.mana += signe * t.mana;
    s.manaMaximum += signe * t.manaMaximum;
    s.moral += signe * t.moral;
}

void ChangerOr(int32_t difference) {
    OrJoueur += difference;
    Son__Joue(SON_OR);
}

void AvertirOrManquant(int32_t manque) {
    char texte[256];
    Localisation__Texte(texte, sizeof texte, TextesInterface[74], "", manque);
    Avertissement(TextesInterface[80], "%s", texte);
}

// The castle-level composition count of unit type u in section type s.
int32_t Composition(int32_t s, int32_t niveau, int32_t u) {
    const DispositionSection* d = Catalogue__disposition(niveau, s);
    return d && u >= 0 && u < CATALOGUE_MAX_TYPES ? d->composition[u] : 0;
}

void Diminuer(int32_t& valeur) {
    if (valeur > 1) --valeur;
}

void CalculerPortrait(Regiment* r) {
    if (const Unite* chef = Regiment__leader(r)) {
        const TypeUnite* t = TypeDUnite(chef->typeUnite);
        r->frame = t ? t->frame : -1;
        r->symbole = t ? t->symbole : -1;
        return;
    }
    r->frame = r->symbole = -1;
    if (r->sections.nombre == 0) return;
    int32_t comptes[CATALOGUE_MAX_TYPES] = {};
    int32_t meilleur = -1;
    for (Section* s : r->sections)
        if (s->typeSection >= 0 && s->typeSection < CATALOGUE_MAX_TYPES) ++comptes[s->typeSection];
    for (int32_t i = 0; i < CATALOGUE_MAX_TYPES; ++i)
        if (comptes[i] > 0 && (meilleur < 0 || comptes[i] > comptes[meilleur])) meilleur = i;
    if (const TypeSection* t = TypeDeSection(meilleur)) {
        r->frame = t->frame;
        r->symbole = t->symbole;
    }
}

// Sends the units of a section to the reserves of their types (a new empty-priced reserve when
// there is none); the caller has checked the room.
void VersLesReserves(Section* section) {
    while (section->unites.nombre > 0) {
        Unite* u = section->unites.retirer(section->unites.nombre - 1);
        Reserve* r = ListeReserves__chercherReserve(u->typeUnite);
        if (r == nullptr) {
            r = creerReserve(u->typeUnite, 0, nullptr);
            ListeReserves__ajouter(r);
        }
        Reserve__ajouterUnite(r, u);
    }
    delete section;
}

}  // namespace

Unite* creerUnite(int32_t typeUnite, int32_t experience, int32_t sante, int32_t santeMaximum, int32_t mana,
                  int32_t manaMaximum, int32_t moral, int32_t valeur7, int32_t valeur8) {
    Unite* u = new Unite{typeUnite, experience, sante, santeMaximum, mana, manaMaximum, moral, valeur7, valeur8, 0};
    u->espace = EspaceDuType(typeUnite);
    return u;
}

Unite* creerUniteNeuve(int32_t typeUnite) { return creerUnite(typeUnite, 0, 500, 500, 100, 100, 10, 0, 0); }

Unite* Unite__depuisObjet(int32_t objet, int32_t camp) {
    if (objet < 0 || objet >= NOMBRE_OBJETS) return nullptr;
    const Objet& o = TableObjets[objet];
    if (o.armee != camp) return nullptr;
    const int32_t u = Catalogue__typeDepuisMaitre(o.typeMaitre);
    if (u < 0 || o.typeMaitre < 0) return nullptr;
    return creerUnite(u, o.experience, o.pointsDeVie, o.pointsDeVie, o.manaMaximum, o.manaMaximum, o.moral, 0, 0);
}

Section* creerSection(const std::string& nom, int32_t typeSection, int32_t niveauChateau,
                      ListeExtensible<Unite>* unites) {
    Section* s = new Section;
    s->nom = nom;
    s->typeSection = typeSection;
    s->niveauChateau = niveauChateau;
    if (unites)
        while (unites->nombre > 0) Section__ajouterUnite(s, unites->retirer(0));
    return s;
}

void Section__ajouterUnite(Section* section, Unite* unite) {
    section->unites.ajouter(unite);
    section->espace += unite->espace;
    Ajouter(section->sommes, *unite, 1);
    if (Regiment* r = section->regiment) {
        r->espace += unite->espace;
        Ajouter(r->sommes, *unite, 1);
        ++r->nbUnites;
    }
}

void Section__acheterUneUnite(Section* section, Reserve* reserve) {
    if (OrJoueur < reserve->prix) {
        AvertirOrManquant(reserve->prix - OrJoueur);
        return;
    }
    Unite* u = creerUniteNeuve(reserve->typeUnite);
    if (u == nullptr)
        Erreur_Fatale("Section__acheterUneUnite()", "creerUniteNeuve n'a pas pû créer une nouvelle unité");
    Section__ajouterUnite(section, u);
    ChangerOr(-reserve->prix);
}

Section* creerSectionNeuve(int32_t typeSection, int32_t niveauChateau, int32_t mode, int32_t experience) {
    const TypeSection* t = TypeDeSection(typeSection);
    Section* s = creerSection(t ? t->nom : std::string(), typeSection, niveauChateau, nullptr);
    for (int32_t u = 0; u < CATALOGUE_MAX_TYPES; ++u) {
        const int32_t c = Composition(typeSection, niveauChateau, u);
        if (c <= 0) continue;
        Reserve* r = ListeReserves__chercherReserve(u);
        if (r == nullptr)
            Erreur_Fatale("creerSectionNeuve()", "ListeReserves__chercherReserve() n'a pas retourné de réserve");
        int32_t pris = 0;
        for (; pris < c && r->unites.nombre > 0; ++pris) {
            Unite* unite = Reserve__retirerUnite(r, mode, experience);
            if (unite == nullptr)
                Erreur_Fatale("creerSectionNeuve()", "Reserve__retirerUnite n'a pas retourné d'unité");
            Section__ajouterUnite(s, unite);
        }
        for (; pris < c; ++pris) Section__acheterUneUnite(s, r);
    }
    return s;
}

void Section__completer(Section* section, int32_t mode, int32_t experience) {
    for (int32_t u = 0; u < CATALOGUE_MAX_TYPES; ++u) {
        int32_t manque = Composition(section->typeSection, section->niveauChateau, u);
        if (manque <= 0) continue;
        for (Unite* unite : section->unites)
            if (unite->typeUnite == u) --manque;
        Reserve* r = ListeReserves__chercherReserve(u);
        if (r == nullptr) continue;
        for (; manque > 0 && r->unites.nombre > 0; --manque) {
            Unite* unite = Reserve__retirerUnite(r, mode, experience);
            if (unite == nullptr)
                Erreur_Fatale("Section__completer()", "Reserve__retirerUnite n'a pas retourné d'unité !");
            Section__ajouterUnite(section, unite);
        }
        for (; manque > 0; --manque) Section__acheterUneUnite(section, r);
    }
}

void Section__soigner(Section* section) {
    for (Unite* u : section->unites) {
        int32_t soin = u->santeMaximum - u->sante;
        if (soin <= 0) continue;
        if (soin > OrJoueur) soin = OrJoueur > 0 ? OrJoueur : 0;
        if (soin == 0) break;
        u->sante += soin;
        section->sommes.sante += soin;
        if (section->regiment) section->regiment->sommes.sante += soin;
        ChangerOr(-soin);
    }
}

int32_t Section__coutCreation(int32_t typeSection, int32_t niveauChateau, int32_t* prix) {
    int32_t reste = OrJoueur;
    for (int32_t u = 0; u < CATALOGUE_MAX_TYPES; ++u) {
        const int32_t c = Composition(typeSection, niveauChateau, u);
        if (c <= 0) continue;
        const Reserve* r = ListeReserves__chercherReserve(u);
        const TypeUnite* t = TypeDUnite(u);
        if (r == nullptr) return -1;
        if (r->unites.nombre < c) {
            if (RestrictionsCatalogue == 1 && (t == nullptr || t->categorie != 1)) return -1;
            reste -= (c - r->unites.nombre) * r->prix;
        }
    }
    if (prix) *prix = OrJoueur - reste;
    return reste >= 0 ? 1 : 0;
}

int32_t Section__dissoudre(Section* section) {
    if (section->espace > EspaceLibreReserves) {
        Avertissement("Dissolution d'une section", "L'espace libre est insuffisant dans la réserve");
        return 0;
    }
    // Taken out of its regiment only once it is sure to go: a refused section stays where it was.
    if (Regiment* r = section->regiment)
        for (int32_t i = 0; i < r->sections.nombre; ++i)
            if (r->sections[i] == section) {
                Regiment__retirerSection(r, i);
                break;
            }
    VersLesReserves(section);
    return 1;
}

Regiment* creerRegiment(const std::string& nom, int32_t id, ListeExtensible<Section>* sections) {
    Regiment* r = new Regiment;
    r->nom = nom;
    r->id = id;
    if (sections)
        while (sections->nombre > 0) {
            Section* s = sections->retirer(0);
            s->regiment = r;
            r->sections.ajouter(s);
            r->espace += s->espace;
            Ajouter(r->sommes, s->sommes, 1);
            r->nbUnites += s->unites.nombre;
        }
    Regiment__calculerCaracteristiques(r);
    CalculerPortrait(r);
    return r;
}

void Regiment__ajouterSection(Regiment* regiment, Section* section) {
    section->regiment = regiment;
    regiment->sections.ajouter(section);
    regiment->espace += section->espace;
    Ajouter(regiment->sommes, section->sommes, 1);
    regiment->nbUnites += section->unites.nombre;
    Regiment__calculerCaracteristiques(regiment);
    CalculerPortrait(regiment);
}

Section* Regiment__retirerSection(Regiment* regiment, int32_t index) {
    Section* s = regiment->sections.retirer(index);
    if (s == nullptr) return nullptr;
    s->regiment = nullptr;
    regiment->espace -= s->espace;
    Ajouter(regiment->sommes, s->sommes, -1);
    regiment->nbUnites -= s->unites.nombre;
    Regiment__calculerCaracteristiques(regiment);
    CalculerPortrait(regiment);
    return s;
}

Unite* Regiment__leader(const Regiment* regiment) {
    for (Section* s : regiment->sections)
        for (Unite* u : s->unites) {
            const TypeUnite* t = TypeDUnite(u->typeUnite);
            if (t && t->categorie == 2) return u;
        }
    return nullptr;
}

void Regiment__calculerCaracteristiques(Regiment* r) {
    r->pointsAction = -1;
    r->siegeSeul = 0;
    r->couts = TableCouts{};
    for (Section* s : r->sections) {
        const TypeSection* t = TypeDeSection(s->typeSection);
        if (t == nullptr) continue;
        const int32_t g = t->gainPointsAction;
        if (r->pointsAction < 0 || (g >= 1 && g < r->pointsAction)) r->pointsAction = g;
        if (t->siegeSeul != 0) r->siegeSeul = 1;
    }
    for (int rang = 0; rang < NOMBRE_RANGS_COUT; ++rang) {
        auto& rangee = r->couts[rang];
        for (Section* s : r->sections) {
            const TypeSection* t = TypeDeSection(s->typeSection);
            if (t == nullptr) continue;
            const auto& paires = t->couts[rang];
            bool impossible = false;
            for (const PaireCout& p : paires) impossible = impossible || p.T < 0 || p.PA < 0;
            if (impossible) {
                rangee.fill(PaireCout{-1, -1});
                break;
            }
            for (int p = 0; p < 3; ++p) {
                if (paires[p].T > rangee[p].T)
                    rangee[p] = {paires[p].T, 0};
                else if (paires[p].PA > rangee[p].PA)
                    rangee[p] = {0, paires[p].PA};
            }
        }
        for (PaireCout& p : rangee)
            if (p.PA > r->pointsAction) p = {-1, -1};
    }
    const Unite* chef = Regiment__leader(r);
    if (chef == nullptr) return;
    switch (NumeroMaitreUnite(chef->typeUnite)) {
    case 5:
        for (int rang = COUT_PLAINE; rang <= COUT_RIVIERE; ++rang)
            if (r->couts[rang][0].PA > 1) --r->couts[rang][0].PA;
        break;
    case 120:
        for (PaireCout& p : r->couts[COUT_ATTAQUER]) Diminuer(p.PA);
        break;
    case 121:
        for (int rang = COUT_PLAINE; rang <= COUT_RIVIERE; ++rang)
            if (r->couts[rang][0].T < 0 || r->couts[rang][0].PA < 0) r->couts[rang][0] = {2, 0};
        break;
    case 122:
        if (r->couts[COUT_MARCHE_FORCEE][0].PA > 1) ++r->couts[COUT_MARCHE_FORCEE][0].PA;
        break;
    case 123:
        Diminuer(r->couts[COUT_EMBUSCADE][0].T);
        break;
    case 125:
        Diminuer(r->couts[COUT_DEFENSE][0].PA);
        break;
    default:
        break;
    }
}

int32_t Regiment__dissoudre(Regiment* regiment) {
    if (regiment->espace > EspaceLibreReserves) {
        Avertissement("Dissolution d'un régiments", "L'espace libre est insuffisant dans la réserve");
        return 0;
    }
    while (regiment->sections.nombre > 0) {
        Section* s = regiment->sections.retirer(regiment->sections.nombre - 1);
        s->regiment = nullptr;
        VersLesReserves(s);
    }
    delete regiment;
    return 1;
}

Reserve* creerReserve(int32_t typeUnite, int32_t prix, ListeExtensible<Unite>* unites) {
    Reserve* r = new Reserve;
    r->typeUnite = typeUnite;
    r->prix = prix;
    if (unites)
        while (unites->nombre > 0) {
            Unite* u = unites->retirer(0);
            r->unites.ajouter(u);
            r->espace += u->espace;
            Ajouter(r->sommes, *u, 1);
        }
    return r;
}

void Reserve__ajouterUnite(Reserve* reserve, Unite* unite) {
    reserve->unites.ajouter(unite);
    reserve->espace += unite->espace;
    Ajouter(reserve->sommes, *unite, 1);
    EspaceLibreReserves -= unite->espace;
}

Unite* Reserve__retirerUnite(Reserve* reserve, int32_t mode, int32_t experience) {
    const int32_t n = reserve->unites.nombre;
    if (n == 0 || (mode != 0 && mode != 1)) return nullptr;
    int32_t choisi = n - 1;
    if (mode == 1) {
        int64_t meilleur = std::llabs(int64_t{reserve->unites[choisi]->experience} - experience);
        for (int32_t i = 0; i < n; ++i) {
            const int64_t ecart = std::llabs(int64_t{reserve->unites[i]->experience} - experience);
            if (ecart < meilleur) {
                meilleur = ecart;
                choisi = i;
            }
        }
    }
    Unite* u = reserve->unites.retirer(choisi);
    reserve->espace -= u->espace;
    Ajouter(reserve->sommes, *u, -1);
    EspaceLibreReserves += u->espace;
    return u;
}

void Reserve__vendreUnite(Reserve* reserve, int32_t mode, int32_t experience) {
    Unite* u = Reserve__retirerUnite(reserve, mode, experience);
    if (u == nullptr) return;
    delete u;
    ChangerOr(reserve->prix);
}

void Reserve__acheterUnite(Reserve* reserve) {
    if (OrJoueur < reserve->prix) {
        AvertirOrManquant(reserve->prix - OrJoueur);
        return;
    }
    Unite* u = creerUniteNeuve(reserve->typeUnite);
    if (u->espace > EspaceLibreReserves) {
        char texte[256];
        Localisation__Texte(texte, sizeof texte, TextesInterface[115], "");
        Avertissement(TextesInterface[80], "%s", texte);
        delete u;
        return;
    }
    Reserve__ajouterUnite(reserve, u);
    ChangerOr(-reserve->prix);
}

void Armee__creer() {
    delete ArmeeJoueur;
    ArmeeJoueur = new Armee;
}

void Armee__liberer() {
    delete ArmeeJoueur;
    ArmeeJoueur = nullptr;
}

Regiment* Armee__chercherRegiment(int32_t id) {
    if (ArmeeJoueur == nullptr) return nullptr;
    for (Regiment* r : *ArmeeJoueur)
        if (r->id == id) return r;
    return nullptr;
}

int32_t Armee__nouvelId() {
    for (int32_t id = 0;; ++id)
        if (Armee__chercherRegiment(id) == nullptr) return id;
}

void ListeReserves__creer() {
    delete ListeReservesJoueur;
    ListeReservesJoueur = new ListeReserves;
}

void ListeReserves__liberer() {
    delete ListeReservesJoueur;
    ListeReservesJoueur = nullptr;
}

void ListeReserves__ajouter(Reserve* reserve) {
    if (ListeReservesJoueur == nullptr) ListeReserves__creer();
    ListeReservesJoueur->ajouter(reserve);
    EspaceLibreReserves -= reserve->espace;
}

Reserve* ListeReserves__retirer(int32_t index) {
    if (ListeReservesJoueur == nullptr) return nullptr;
    Reserve* r = ListeReservesJoueur->retirer(index);
    if (r) EspaceLibreReserves += r->espace;
    return r;
}

Reserve* ListeReserves__chercherReserve(int32_t typeUnite) {
    if (ListeReservesJoueur == nullptr) return nullptr;
    for (Reserve* r : *ListeReservesJoueur)
        if (r->typeUnite == typeUnite) return r;
    return nullptr;
}

void ListeReserves__ameliorer() {
    if (!Catalogue) return;
    for (int32_t u = 0; u < Catalogue->nombreTypesUnites; ++u) {
        const TypeUnite& t = Catalogue->typesUnites[u];
        if (t.categorie == 2 || t.variable == nullptr) continue;
        if (RestrictionsCatalogue != 0 && *t.variable->valeur == 0) continue;
        if (ListeReserves__chercherReserve(u) != nullptr) continue;
        // Priced by the unit type's own master.
        const int32_t p = t.numeroMaitre >= 0 && t.numeroMaitre < static_cast<int32_t>(PrixParType.size())
                              ? PrixParType[t.numeroMaitre]
                              : 0;
        Reserve* r = creerReserve(u, p - (p * NiveauCommerce * 10) / 100, nullptr);
        if (r == nullptr) Erreur_Fatale("ListeReserves__ameliorer()", "creerReserve() n'a pas créé de réserve");
        ListeReserves__ajouter(r);
    }
}

void ListeReserves__bloquerTypes() {
    if (!Catalogue || RestrictionsCatalogue != 1 || ListeReservesJoueur == nullptr) return;
    for (Reserve* r : *ListeReservesJoueur)
        if (r->typeUnite >= 0 && r->typeUnite < Catalogue->nombreTypesUnites) {
            TypeUnite& t = Catalogue->typesUnites[r->typeUnite];
            if (t.variable && *t.variable->valeur == 0) t.categorie = 0;
        }
}

int32_t ListeReserves__experienceMaximum() {
    int32_t m = 0;
    if (ListeReservesJoueur)
        for (Reserve* r : *ListeReservesJoueur)
            for (Unite* u : r->unites)
                if (u->experience > m) m = u->experience;
    return m;
}
