// The player's forces between battles: units grouped in sections, sections in regiments (at most
// 12 in the army) and the units not in any section waiting in the reserves, one per unit type.
#pragma once

#include <cstdint>
#include <string>

#include "campaign/catalogue.h"

// A growable array of owned record pointers: appending grows it by `pas` slots; removing keeps the
// order; freeing the list frees its records, last first.
template <typename T>
struct ListeExtensible {
    int32_t nombre = 0;
    int32_t capacite = 8;
    int32_t pas = 8;
    T** elements = new T*[8];

    ListeExtensible() = default;
    ListeExtensible(const ListeExtensible&) = delete;
    ListeExtensible& operator=(const ListeExtensible&) = delete;
    ~ListeExtensible() {
        for (int32_t i = nombre - 1; i >= 0; --i) delete elements[i];
        delete[] elements;
    }
    void ajouter(T* element) {
        if (nombre == capacite) {
            T** nouveaux = new T*[capacite + pas];
            for (int32_t i = 0; i < nombre; ++i) nouveaux[i] = elements[i];
            delete[] elements;
            elements = nouveaux;
            capacite += pas;
        }
        elements[nombre++] = element;
    }
    // The removed record, now owned by the caller; none for an index outside the list.
    T* retirer(int32_t i) {
        if (i < 0 || i >= nombre) return nullptr;
        T* element = elements[i];
        for (int32_t j = i; j + 1 < nombre; ++j) elements[j] = elements[j + 1];
        --nombre;
        return element;
    }
    T* operator[](int32_t i) const { return elements[i]; }
    T** begin() const { return elements; }
    T** end() const { return elements + nombre; }
};

// The six running sums kept at every level.
struct SommesUnites {
    int32_t experience = 0, sante = 0, santeMaximum = 0, mana = 0, manaMaximum = 0, moral = 0;
};

struct Unite {
    int32_t typeUnite = 0;
    int32_t experience = 0, sante = 0, santeMaximum = 0, mana = 0, manaMaximum = 0, moral = 0, valeur7 = 0,
            valeur8 = 0;
    int32_t espace = 0;
};

struct Regiment;

struct Section {
    std::string nom;
    int32_t typeSection = 0;
    int32_t espace = 0;
    SommesUnites sommes;
    int32_t niveauChateau = 1;
    ListeExtensible<Unite> unites;
    Regiment* regiment = nullptr;
};

constexpr int32_t MAX_REGIMENTS = 12;

struct Regiment {
    std::string nom;
    int32_t id = 0;
    int32_t espace = 0;
    SommesUnites sommes;
    int32_t nbUnites = 0;
    int32_t frame = -1, symbole = -1;
    ListeExtensible<Section> sections;
    int32_t pointsAction = -1;
    TableCouts couts{};
    int32_t siegeSeul = 0;
};

struct Reserve {
    int32_t typeUnite = 0;
    int32_t espace = 0;
    int32_t prix = 0;
    SommesUnites sommes;
    ListeExtensible<Unite> unites;
};

using Armee = ListeExtensible<Regiment>;
using ListeReserves = ListeExtensible<Reserve>;

extern Armee* ArmeeJoueur;
extern ListeReserves* ListeReservesJoueur;
extern int32_t EspaceLibreReserves;
extern int32_t OrJoueur;
extern int32_t ExperienceChoisie;
extern int32_t RestrictionsCatalogue;

Unite* creerUnite(int32_t typeUnite, int32_t experience, int32_t sante, int32_t santeMaximum, int32_t mana,
                  int32_t manaMaximum, int32_t moral, int32_t valeur7, int32_t valeur8);
Unite* creerUniteNeuve(int32_t typeUnite);
// The unit of a surviving object of the battle map, none when the object is not of side `camp` or
// its master is no unit type of the catalogue.
Unite* Unite__depuisObjet(int32_t objet, int32_t camp);

Section* creerSection(const std::string& nom, int32_t typeSection, int32_t niveauChateau,
                      ListeExtensible<Unite>* unites);
void Section__ajouterUnite(Section* section, Unite* unite);
Section* creerSectionNeuve(int32_t typeSection, int32_t niveauChateau, int32_t mode, int32_t experience);
void Section__completer(Section* section, int32_t mode, int32_t experience);
void Section__acheterUneUnite(Section* section, Reserve* reserve);
void Section__soigner(Section* section);
// 1 affordable, 0 too dear, -1 impossible; the total price in *prix.
int32_t Section__coutCreation(int32_t typeSection, int32_t niveauChateau, int32_t* prix);
// 1 when the section went to the reserves (and was freed), 0 when there was no room (nothing changed).
int32_t Section__dissoudre(Section* section);

Regiment* creerRegiment(const std::string& nom, int32_t id, ListeExtensible<Section>* sections);
void Regiment__ajouterSection(Regiment* regiment, Section* section);
Section* Regiment__retirerSection(Regiment* regiment, int32_t index);
Unite* Regiment__leader(const Regiment* regiment);
void Regiment__calculerCaracteristiques(Regiment* regiment);
int32_t Regiment__dissoudre(Regiment* regiment);

Reserve* creerReserve(int32_t typeUnite, int32_t prix, ListeExtensible<Unite>* unites);
void Reserve__ajouterUnite(Reserve* reserve, Unite* unite);
Unite* Reserve__retirerUnite(Reserve* reserve, int32_t mode, int32_t experience);
void Reserve__vendreUnite(Reserve* reserve, int32_t mode, int32_t experience);
void Reserve__acheterUnite(Reserve* reserve);

void Armee__creer();
void Armee__liberer();
Regiment* Armee__chercherRegiment(int32_t id);
int32_t Armee__nouvelId();

void ListeReserves__creer();
void ListeReserves__liberer();
void ListeReserves__ajouter(Reserve* reserve);
Reserve* ListeReserves__retirer(int32_t index);
Reserve* ListeReserves__chercherReserve(int32_t typeUnite);
void ListeReserves__ameliorer();
void ListeReserves__bloquerTypes();
int32_t ListeReserves__experienceMaximum();

// The small portraits of the army and formation screens, drawn on the back buffer.
void Section__afficher(const Section* section, int32_t x, int32_t y);
// The section's portrait alone, without its name (the formation screen's slots).
void Section__afficherPortrait(const Section* section, int32_t x, int32_t y);
void Regiment__afficher(const Regiment* regiment, int32_t x, int32_t y);
void Reserve__afficher(const Reserve* reserve, int32_t x, int32_t y);
// The digits of n ending at x (graphic object 645), and the same starting at x.
void AfficherNombre(int32_t x, int32_t y, int32_t n);
void AfficherNombreGauche(int32_t x, int32_t y, int32_t n);
void TracerLigneHorizontale(int32_t x, int32_t y, int32_t longueur, uint16_t couleur);
