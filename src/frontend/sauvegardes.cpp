#include "frontend/sauvegardes.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "foundation/erreurs.h"
#include "frontend/localisation.h"
#include "platform/fichiers.h"

char NomsSauvegardes[NB_SAUVEGARDES][TAILLE_NOM_SAUVEGARDE];
int32_t SauvegardeVide[NB_SAUVEGARDES];

namespace {

const char* const DOSSIER = "..\\Sauvegarde";
const char* const CHEMIN = "..\\Sauvegarde\\NOMS.TXT";
const char* const CHEMIN_TEMPORAIRE = "..\\Sauvegarde\\NOMS.TXT.tmp";
const char* const MARQUE_VIDE = "_101_";
constexpr int LIGNE_EMPLACEMENT_VIDE = 20;

[[noreturn]] void OuvertureImpossible() {
    Erreur_Fatale("LireSauvegardes()", "Impossible d'ouvrir le fichier Sauvegarde\\NOMS.TXT");
}

void Vider(int emplacement) {
    SauvegardeVide[emplacement] = 1;
    std::snprintf(NomsSauvegardes[emplacement], TAILLE_NOM_SAUVEGARDE, "%s", TexteInterface(LIGNE_EMPLACEMENT_VIDE));
}

}  // namespace

void LireSauvegardes() {
    for (int i = 0; i < NB_SAUVEGARDES; ++i) Vider(i);
    if (!Fichier_Existe(CHEMIN)) {
        if (Repertoire_Existe(CHEMIN)) OuvertureImpossible();
        return;   // no save yet: ten empty slots
    }
    FILE* f = Fichier_Ouvrir(CHEMIN, "rt");
    if (f == nullptr) OuvertureImpossible();
    bool court = false;
    std::string coupes;
    for (int i = 0; i < NB_SAUVEGARDES; ++i) {
        char nom[TAILLE_NOM_SAUVEGARDE];
        bool coupe = false;
        if (Localisation__LireLigne(nom, sizeof nom, f, &coupe) != 0) {
            court = true;
            break;
        }
        if (coupe) coupes += (coupes.empty() ? "" : ", ") + std::to_string(i);
        const size_t n = std::strlen(nom);
        if (n > 0 && nom[n - 1] == '\r') nom[n - 1] = 0;   // a stray carriage return
        if (std::strcmp(nom, MARQUE_VIDE) == 0) continue;
        SauvegardeVide[i] = 0;
        std::memcpy(NomsSauvegardes[i], nom, sizeof nom);
    }
    std::fclose(f);
    if (!coupes.empty())
        Avertissement("LireSauvegardes()", "Sauvegarde\\NOMS.TXT : nom trop long, coupé (emplacements %s)", coupes.c_str());
    if (court) Avertissement("MenuPrincipal()", "Impossible de lire le fichier Sauvegarde\\NOMS.TXT");
}

void EcrireSauvegardes() {
    Repertoire_Creer(DOSSIER);
    FILE* f = Fichier_Ouvrir(CHEMIN_TEMPORAIRE, "wb");
    if (f == nullptr) OuvertureImpossible();
    bool ok = true;
    for (int i = 0; i < NB_SAUVEGARDES; ++i) {
        char nom[TAILLE_NOM_SAUVEGARDE];
        std::snprintf(nom, sizeof nom, "%.*s", TAILLE_NOM_SAUVEGARDE - 1,
                      SauvegardeVide[i] ? MARQUE_VIDE : NomsSauvegardes[i]);
        // a line end inside a name would move every later slot
        for (char* c = nom; *c; ++c)
            if (*c == '\r' || *c == '\n') *c = ' ';
        ok = std::fprintf(f, "%s\r\n", nom) >= 0 && ok;
    }
    ok = std::fclose(f) == 0 && ok;
    const std::string temporaire = Chemin_Resoudre(CHEMIN_TEMPORAIRE);
    if (!ok || std::rename(temporaire.c_str(), Chemin_Ecriture(CHEMIN).c_str()) != 0) {
        std::remove(temporaire.c_str());
        OuvertureImpossible();
    }
}
