#include "campaign/variables.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "campaign/campagne.h"
#include "foundation/erreurs.h"
#include "platform/fichiers.h"

#define MORVANE_VARIABLE_DEFINIR(nom) int32_t nom = 0, nom##Suivant = 0;
MORVANE_VARIABLES_DEBUT(MORVANE_VARIABLE_DEFINIR)
MORVANE_VARIABLES_MILIEU(MORVANE_VARIABLE_DEFINIR)
MORVANE_VARIABLES_FIN(MORVANE_VARIABLE_DEFINIR)
#undef MORVANE_VARIABLE_DEFINIR

int32_t NiveauMG0 = 0, NiveauNE0 = 0, NiveauPR0 = 0, NiveauMG0Suivant = 0, NiveauNE0Suivant = 0, NiveauPR0Suivant = 0;
std::array<int32_t, 8> NiveauMG{}, NiveauNE{}, NiveauPR{}, NiveauMGSuivant{}, NiveauNESuivant{}, NiveauPRSuivant{};

#define MORVANE_VARIABLE_ENTREE(nom) Variable{15, #nom, &nom, &nom##Suivant},
#define MORVANE_SORTS(famille)                                                                                         \
    Variable{15, "Niveau" #famille "0", &Niveau##famille##0, &Niveau##famille##0Suivant},                              \
        Variable{15, "Niveau" #famille "1", &Niveau##famille[0], &Niveau##famille##Suivant[0]},                        \
        Variable{15, "Niveau" #famille "2", &Niveau##famille[1], &Niveau##famille##Suivant[1]},                        \
        Variable{15, "Niveau" #famille "3", &Niveau##famille[2], &Niveau##famille##Suivant[2]},                        \
        Variable{15, "Niveau" #famille "4", &Niveau##famille[3], &Niveau##famille##Suivant[3]},                        \
        Variable{15, "Niveau" #famille "5", &Niveau##famille[4], &Niveau##famille##Suivant[4]},                        \
        Variable{15, "Niveau" #famille "6", &Niveau##famille[5], &Niveau##famille##Suivant[5]},                        \
        Variable{15, "Niveau" #famille "7", &Niveau##famille[6], &Niveau##famille##Suivant[6]},                        \
        Variable{15, "Niveau" #famille "8", &Niveau##famille[7], &Niveau##famille##Suivant[7]},

const std::array<Variable, NOMBRE_VARIABLES> TableVariables{{
    MORVANE_VARIABLES_DEBUT(MORVANE_VARIABLE_ENTREE)
    MORVANE_SORTS(NE)
    MORVANE_SORTS(PR)
    MORVANE_VARIABLES_MILIEU(MORVANE_VARIABLE_ENTREE)
    MORVANE_SORTS(MG)
    MORVANE_VARIABLES_FIN(MORVANE_VARIABLE_ENTREE)
}};
#undef MORVANE_VARIABLE_ENTREE
#undef MORVANE_SORTS

namespace {

int32_t valeurToujours = 1;
const Variable variableToujours{15, "", &valeurToujours, nullptr};

constexpr const char* FICHIER_VARIABLES = "..\\ini\\variables.txt";

void Charger(const char* chemin, const char* messageAbsent) {
    FILE* f = Fichier_Ouvrir(chemin, "rt");
    if (f == nullptr) Erreur_Fatale("Erreur", "%s", messageAbsent);
    // An empty file is an error like any text that is not a name and two numbers.
    bool premiere = true;
    for (;;) {
        int c = std::fgetc(f);
        if (c == EOF && !premiere) break;
        if (c != EOF) std::ungetc(c, f);
        premiere = false;
        char nom[256];
        int valeur = 0, suivante = 0;
        if (std::fscanf(f, "%255s %d %d ", nom, &valeur, &suivante) != 3) {
            std::fclose(f);
            Erreur_Fatale("Chargement", "chargement de variable impossible");
        }
        const Variable* v = Variables__chercher(nom, CampFichiers);
        if (v == nullptr || v->valeurSuivante == nullptr) {
            std::fclose(f);
            Erreur_Fatale("Chargement", "La variable %s est inconnue", nom);
        }
        *v->valeur = valeur;
        *v->valeurSuivante = suivante;
    }
    std::fclose(f);
}

}  // namespace

const Variable* Variables__chercher(const char* nom, int32_t camp) {
    if (nom == nullptr || nom[0] == 0) return &variableToujours;
    const uint32_t bit = 1u << (static_cast<uint32_t>(camp) % 32);
    for (const Variable& v : TableVariables)
        if ((static_cast<uint32_t>(v.masqueCamps) & bit) && std::strcmp(v.nom, nom) == 0) return &v;
    return nullptr;
}

void Variables__charger() { Charger(FICHIER_VARIABLES, "Fichier variables.txt non trouvé"); }

void Variables__chargerEscarmouche() {
    Charger("..\\ini\\VariablesEscarmouche.txt", "Fichier variables escarmouche.txt non trouvé");
}

void Variables__sauvegarder() {
    // Written beside and renamed over the old file: a failure half-way leaves the old values whole.
    const std::string cible = Chemin_Ecriture(FICHIER_VARIABLES);
    const std::string temporaire = cible + ".tmp";
    FILE* f = std::fopen(temporaire.c_str(), "w");
    if (f == nullptr) Erreur_Fatale("Erreur", "Impossible d'écrire dans le fichier variables.txt");
    const uint32_t bit = 1u << (static_cast<uint32_t>(CampFichiers) % 32);
    bool ok = true;
    for (const Variable& v : TableVariables)
        if (static_cast<uint32_t>(v.masqueCamps) & bit)
            ok = std::fprintf(f, "%s %d %d\n", v.nom, *v.valeur, *v.valeurSuivante) > 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (!ok || std::rename(temporaire.c_str(), cible.c_str()) != 0) {
        std::remove(temporaire.c_str());
        Erreur_Fatale("Erreur", "Impossible d'écrire dans le fichier variables.txt");
    }
}

void Variables__appliquer() {
    if (NiveauChateauSuivant > 3) NiveauChateauSuivant = 3;
    for (const Variable& v : TableVariables) *v.valeur = *v.valeurSuivante;
}
