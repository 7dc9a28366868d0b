#include "world/experience.h"

#include <initializer_list>
#include <utility>

#include "campaign/variables.h"
#include "foundation/erreurs.h"
#include "foundation/journal.h"
#include "foundation/son.h"
#include "frontend/localisation.h"
#include "platform/hasard.h"
#include "world/maitres.h"
#include "world/codes.h"

std::array<int32_t, 600> ExperienceParType{};
std::array<int32_t, 600> PrixParType{};
std::array<int32_t, 600> TableRegenerationMana{};
int32_t ExperienceBatailleJoueur = 0;

namespace {

// (first master, last master, value)
struct Plage {
    int premier, dernier, valeur;
};

void Remplir(std::array<int32_t, 600>& table, std::initializer_list<Plage> plages) {
    for (const Plage& p : plages)
        for (int t = p.premier; t <= p.dernier; ++t) table[t] = p.valeur;
}

bool Vivant(int i) { return i >= 1 && i < NOMBRE_OBJETS && TableObjets[i].noeudListe != nullptr; }

bool EstUnDe(int t, std::initializer_list<int> liste) {
    for (int v : liste)
        if (t == v) return true;
    return false;
}

// How a caster's spell slots 1..8 are set at birth: 0 keep, n > 0 the master's word n, -2 always 55;
// the research variable of each slot (null: none).
struct Lanceur {
    int maitre;
    int mots[8];
    const std::array<int32_t, 8>* recherches;
    int32_t* puissance;
};

}  // namespace

void Experience__Initialisation() {
    ExperienceParType.fill(-1);
    PrixParType.fill(0);
    // The values as played: the base values raised by a quarter.
    Remplir(ExperienceParType,
            {{5, 5, 1250},   {6, 6, 250},     {7, 7, 25},      {8, 8, 250},     {9, 9, 50},      {10, 10, 12},
             {11, 11, 50},   {12, 12, 250},   {13, 13, 18},    {14, 14, 25},    {15, 15, 37},    {16, 16, 250},
             {17, 17, 50},   {18, 18, 0},     {19, 19, 50},    {20, 20, 12},    {21, 21, 18},    {22, 22, 25},
             {23, 23, 37},   {24, 24, 50},    {25, 25, 25},    {26, 26, 50},    {27, 27, 125},   {28, 28, 18},
             {29, 29, 25},   {30, 30, 37},    {31, 31, 50},    {32, 32, 25},    {33, 33, 50},    {34, 34, 12},
             {35, 35, 2},    {36, 36, 625},   {37, 37, 25},    {38, 38, 312},   {39, 39, 25},    {41, 41, 37},
             {42, 42, 6},    {43, 43, 18},    {44, 44, 12},    {45, 45, 25},    {46, 46, 12},    {47, 47, 250},
             {120, 125, 1250}, {129, 129, 12}, {132, 132, 250}, {133, 133, 250}, {134, 134, 1000}, {135, 138, 125},
             {139, 142, 37}, {143, 143, 125}, {158, 158, 12},  {160, 160, 12},  {192, 192, 375}, {193, 196, 12},
             {197, 197, 2},  {202, 202, 6},   {262, 262, 625}, {263, 263, 625}, {264, 264, 250}, {265, 267, 12},
             {300, 300, 6},  {301, 301, 12},  {308, 308, 0},   {339, 339, 12},  {340, 340, 1250}, {341, 341, 12},
             {373, 373, 125}, {374, 374, 1250}, {375, 375, 6}, {376, 376, 125}, {377, 377, 50},  {433, 433, 250}});
    Remplir(PrixParType,
            {{5, 5, 1000},   {6, 6, 750},     {7, 7, 30},      {8, 8, 500},     {9, 9, 1000},    {10, 10, 5},
             {11, 11, 400},  {12, 12, 200},   {13, 13, 20},    {14, 14, 30},    {15, 15, 50},    {16, 16, 780},
             {17, 17, 1000}, {19, 19, 800},   {20, 20, 10},    {21, 21, 20},    {22, 22, 30},    {23, 23, 60},
             {24, 24, 750},  {25, 25, 30},    {26, 26, 900},   {27, 27, 300},   {28, 28, 20},    {29, 29, 30},
             {30, 30, 50},   {31, 31, 900},   {32, 32, 30},    {33, 33, 900},   {34, 34, 10},    {36, 36, 800},
             {37, 37, 20},   {38, 38, 350},   {39, 39, 20},    {41, 41, 650},   {43, 43, 30},    {44, 44, 20},
             {45, 45, 30},   {47, 47, 200},   {120, 120, 2000}, {121, 121, 1000}, {122, 122, 200}, {123, 123, 2000},
             {129, 129, 5},  {132, 134, 2000}, {136, 137, 500}, {139, 141, 500}, {143, 143, 500}, {192, 192, 600},
             {194, 194, 5},  {196, 196, 5},   {262, 262, 500}, {263, 263, 700}, {264, 264, 200}, {265, 265, 5},
             {339, 339, 5},  {340, 340, 9000}, {374, 374, 3000}, {376, 376, 1000}});
}

void Experience__InitialisationTable2() {
    TableRegenerationMana.fill(0);
    Remplir(TableRegenerationMana,
            {{5, 5, 3},     {6, 6, 12},     {9, 9, 6},      {11, 11, 6},    {17, 17, 9},    {19, 19, 6},
             {23, 23, 1},   {24, 24, 6},    {26, 26, 9},    {31, 31, 6},    {33, 33, 6},    {36, 36, 6},
             {37, 37, 6},   {38, 38, 6},    {41, 41, 2},    {43, 43, 6},    {122, 122, 1},  {124, 124, 12},
             {125, 125, 2}, {135, 138, 6},  {192, 192, 2},  {262, 262, 6},  {263, 263, 6},  {340, 340, 12},
             {376, 376, 6}});
}

void ExperienceGain(int k, int v, int quantite) {
    // A killer that is gone or dying gains nothing; nor does one of a victim that is gone.
    if (!Vivant(k) || !Vivant(v)) return;
    Objet& tueur = TableObjets[k];
    const Objet& victime = TableObjets[v];
    if (tueur.mourant || tueur.ordreSecondaire == 4) return;
    if (victime.famille == 4 || victime.famille == 1) return;
    if ((tueur.typeMaitre >= 120 && tueur.typeMaitre <= 125) || tueur.typeMaitre == 374 || tueur.typeMaitre == 376)
        return;
    if (tueur.niveau >= 20) return;

    int gain = quantite;
    if (quantite == 0) {
        const int valeur = victime.typeMaitre >= 0 && victime.typeMaitre < 600 ? ExperienceParType[victime.typeMaitre] : -1;
        if (valeur == -1) {
            Erreur_Question("ExperienceGain()", "Gain Xp non défini (objm %d)", victime.typeMaitre);
            gain = 0;   // an undefined value takes nothing away
        } else {
            gain = tueur.classe == CLASSE_ARCHER ? valeur / 2 : valeur;
        }
    }
    const int avant = tueur.experience, niveauAvant = tueur.niveau;
    tueur.experience += gain;
    tueur.niveau = tueur.experience / 1000 + 1;
    if (tueur.niveau > 20) {
        tueur.niveau = 20;
        tueur.experience = 20000;
    }
    if (tueur.niveau != niveauAvant) {
        char ligne[512];
        const char* nom = tueur.typeMaitre >= 0 && tueur.typeMaitre < 600 && NomsMaitres[tueur.typeMaitre]
                              ? NomsMaitres[tueur.typeMaitre] : "";
        Localisation__Texte(ligne, sizeof ligne, TextesNiveau[Hasard_Visuel() % 3], nom, tueur.niveau);
        Messages_Ajout(ligne, 1);
        Son__JoueIntervalle((Hasard_Visuel() & 1) ? 2014 : 2013, 3000);
        Experience__AppliqueNiveau(k);
    }
    if (tueur.armee == 0) ExperienceBatailleJoueur += tueur.experience - avant;
}

void Experience__AppliqueNiveau(int objet) {
    if (objet < 1 || objet >= NOMBRE_OBJETS) return;
    Objet& o = TableObjets[objet];
    if (o.niveau > 20) o.niveau = 20;
    if (o.experience > 20000) o.experience = 20000;
    if (o.typeMaitre < 0 || o.typeMaitre >= NOMBRE_TYPES_MAITRES) return;
    const Objet& m = TableMaitres[o.typeMaitre];
    o.pointsDeVieMaximum = m.pointsDeVieMaximum + (o.niveau - 1) * m.pointsDeVieParNiveau;
    o.degats = m.degats + (o.niveau - 1) * m.degatsParNiveau;
}

void Objet__Bonus(int objet) {
    if (objet < 1 || objet >= NOMBRE_OBJETS) return;
    Objet& o = TableObjets[objet];
    const int t = o.typeMaitre;
    if (t < 0 || t >= NOMBRE_TYPES_MAITRES) return;
    const Objet& maitre = TableMaitres[t];

    if (o.famille == 0) {
        o.pointsDeVieMaximum += o.pointsDeVieMaximum * NiveauArmures * 10 / 100;
        o.pointsDeVie = o.pointsDeVieMaximum;
        o.degats += o.degats * NiveauArmes * 10 / 100;
        if (EstUnDe(t, {7, 14, 22, 29}) && NiveauCavalerieVitesse == 1) o.vitesse += 1;

        int32_t quantite = -1;
        if (t == 9) quantite = NiveauQuantiteManaMalefique;
        else if (EstUnDe(t, {17, 24, 31})) quantite = NiveauQuantiteMana;
        else if (EstUnDe(t, {11, 19, 26, 33})) quantite = NiveauQuantiteFoi;
        if (quantite >= 0) {
            o.manaMaximum += o.manaMaximum * quantite * 20 / 100;
            o.mana = o.manaMaximum;
        }

        static const Lanceur lanceurs[] = {
            {31, {2, 1, 0, 0, 0, 0, 0, 0}, &NiveauMG, &NiveauPuissanceMana},
            {24, {2, 1, 0, 0, 0, 0, 0, 0}, &NiveauMG, &NiveauPuissanceMana},
            {17, {4, 3, 1, 2, 5, 0, 0, 0}, &NiveauMG, &NiveauPuissanceMana},
            {9, {2, 1, 3, 0, 0, 0, 0, 0}, &NiveauNE, &NiveauPuissanceManaMalefique},
            {26, {2, 1, 3, 5, 4, 0, 0, 0}, &NiveauPR, &NiveauPuissanceFoi},
            {11, {3, 1, -2, 0, 0, 0, 0, 0}, &NiveauPR, &NiveauPuissanceFoi},
            {33, {0, 0, 0, 0, 0, 0, 0, 0}, &NiveauPR, &NiveauPuissanceFoi},
            {19, {0, 3, 2, 0, 0, 0, 0, 0}, &NiveauPR, &NiveauPuissanceFoi},
        };
        for (const Lanceur& l : lanceurs) {
            if (l.maitre != t) continue;
            for (int k = 1; k <= 8; ++k) {
                const int mot = l.mots[k - 1];
                if (mot == -2) {
                    o.sorts[k] = 55;   // this slot needs no research
                    continue;
                }
                if ((*l.recherches)[k - 1] == 0) o.sorts[k] = -1;
                else if (mot > 0) o.sorts[k] = maitre.sorts[mot];
            }
            o.degats += maitre.degats * *l.puissance * 10 / 100;
            // Removed spells move to the end.
            for (int passe = 0; passe < 100; ++passe)
                for (int i = 0; i < 8; ++i)
                    if (o.sorts[i] < 0) {
                        o.sorts[i] = o.sorts[i + 1];
                        o.sorts[i + 1] = -1;
                    }
        }

        int32_t recuperation = -1;
        if (EstUnDe(t, {19, 26, 11, 33})) recuperation = NiveauRecuperationFoi;
        else if (t == 9) recuperation = NiveauRecuperationManaMalefique;
        else if (EstUnDe(t, {17, 24, 31})) recuperation = NiveauRecuperationMana;
        if (recuperation >= 0) TableRegenerationMana[t] += TableRegenerationMana[t] * recuperation * 10 / 100;

        if (o.classe == CLASSE_ARCHER && t != 139 && t != 141) o.degats += o.degats * NiveauArcPuissance * 10 / 100;
        if (t == 12) o.regenerationVie += NiveauRegenerationTroll;
    } else if (o.famille == 5) {
        o.pointsDeVieMaximum += o.pointsDeVieMaximum * NiveauBois * 20 / 100;
        o.pointsDeVie = o.pointsDeVieMaximum;
    }
    if (o.classe == CLASSE_GUERRIER) o.degats += o.degats * NiveauVorpale * 10 / 100;
}
