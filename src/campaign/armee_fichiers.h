// The army's text files: one file per regiment, the army header "entete_armee.txt" and the
// reserves with the gold in "..\Armees\reserve.txt".
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "campaign/armee.h"

void Unite__sauvegarder(const Unite* unite, FILE* f);
Unite* Unite__charger(FILE* f);
void Section__sauvegarder(const Section* section, FILE* f);
Section* Section__charger(FILE* f);
void Regiment__sauvegarder(const Regiment* regiment, FILE* f);
// None for a regiment marked dead.
Regiment* chargerRegiment(FILE* f);

// Reads a regiment file (game path) as a battle would, with the loaded catalogue, but a fault ends
// the reading and not the program: false when the file is missing or malformed or names a type
// outside the catalogue. *unites: the regiment's units (0 for a dead one).
bool Regiment__verifierFichier(const char* cheminJeu, int32_t* unites);

// The name of a regiment file: its "Regiment__mort" line, then its "Regiment__nom" line.
std::string Regiment__lireNom(FILE* f);

void Armee__sauvegarder();
// The army and the reserves written as one set (the army screen's leaving).
bool Armee__sauvegarderAvecReserves();
void Armee__charger();
// Writes ArmeeJoueur into a folder (game path ending with '\'), the reserves too when asked, as
// one set: either every file is replaced or none is (a warning then). False when none was.
bool Armee__sauvegarderDans(const std::string& dossier, bool reserves = false);

// Asks the army's name and writes ArmeeJoueur as a named skirmish army into the folder of the
// skirmish faction CampEscarmoucheArmee. False when nothing was written.
bool Armee__sauvegarderEscarmouche();
// The folder name of a skirmish army typed by the player: characters a folder name cannot hold
// become '_', and a name made only of dots is refused ("").
std::string Armee__nomDossierEscarmouche(const char* nom);

void ListeReserves__sauvegarder();
void ListeReserves__charger();

// A file written beside its target and renamed over it once complete: a failure on the way leaves
// the old file whole.
class EcritureSure {
  public:
    explicit EcritureSure(const std::string& cheminJeu);
    ~EcritureSure();
    EcritureSure(const EcritureSure&) = delete;
    EcritureSure& operator=(const EcritureSure&) = delete;
    FILE* Flux() const { return flux_; }
    // Closes and renames; false (the temporary removed) when any write failed.
    bool Valider();

  private:
    std::string cible_, temporaire_;
    FILE* flux_ = nullptr;
};
// Files written as one set: each is written beside its target; Valider renames them all over their
// targets, the old ones kept aside until every rename succeeded. When any write or rename fails,
// every target is left as it was and no temporary stays.
class EcritureGroupee {
  public:
    EcritureGroupee() = default;
    ~EcritureGroupee();
    EcritureGroupee(const EcritureGroupee&) = delete;
    EcritureGroupee& operator=(const EcritureGroupee&) = delete;
    // The stream of one more file of the set; none when it cannot be created.
    FILE* Ouvrir(const std::string& cheminJeu);
    bool Valider();

  private:
    struct Fichier {
        std::string cible, temporaire, ancien;
        FILE* flux = nullptr;
        bool ancienGarde = false;
    };
    std::vector<Fichier> fichiers_;
    void Abandonner();
};

// Called before each rename of a new file over its target; a hook returning false makes the rename
// fail there (tests).
extern bool (*EcritureSure__avantRenommage)(const char* cible);
