// A save slot "..\sauvegarde\sauvegarde01" checked whole, as before a restore: the input holds the
// slot's files, each after a line "@@ <name>" (the slot is emptied before each input).
#include <string>

#include "campaign/sauvegarde_region.h"
#include "cible.h"

namespace {
const char* const Dossier = "Sauvegarde/sauvegarde01/";
}

void Cible_Preparer() {}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_ViderDossier(Dossier);
    for (const auto& [nom, contenu] : Cible_Fichiers(donnees, taille))
        Cible_Ecrire(Dossier + nom, reinterpret_cast<const uint8_t*>(contenu.data()), contenu.size());
    std::string erreur;
    Emplacement__Verifier(0, &erreur);
}
