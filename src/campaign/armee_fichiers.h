// The army's text files: one file per regiment, the army header "entete_armee.txt" and the
// reserves with the gold in "..\Armees\reserve.txt".
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "campaign/armee.h"

void Unite__sauvegarder(const Unite* unite, FILE* f);
Unite* Unite__charger(FILE* f);
void Section__sauvegarder(const Section* section, FILE* f);
Section* Section__charger(FILE* f);
void Regiment__sauvegarder(const Regiment* regiment, FILE* f);
// None for a regiment marked dead.
Regiment* chargerRegiment(FILE* f);

// The name of a regiment file: its "Regiment__mort" line, then its "Regiment__nom" line.
std::string Regiment__lireNom(FILE* f);

void Armee__sauvegarder();
void Armee__charger();
// Writes ArmeeJoueur into a folder (game path ending with '\'): the regiment files first, the header
// last, each written beside its file and renamed over it.
bool Armee__sauvegarderDans(const std::string& dossier);

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
// Called before each rename; a hook returning false makes the write fail there (tests).
extern bool (*EcritureSure__avantRenommage)(const char* cible);
